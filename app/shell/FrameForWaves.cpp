// The main frame as the wave windows know it (waveview/WaveFrame.h): the caret's blink
// phase, the frame's activity as the paint generation, its idle action flushing the pane
// redraws, the "FlickerFree", "MouseWindow", "DropMrk" and "MrkColW" settings, the status
// bar and the blink.
#include "shell/WFrameWindow.h"

#include "shell/ShellSettings.h"
#include "shell/WaveApp.h"
#include "waveview/WaveFrame.h"

namespace {

class FrameForWaves : public WaveFrame {
public:
    int GetBlinkPhase() override { return Frame() ? Frame()->GetBlinkPhase() : WaveFrame::GetBlinkPhase(); }
    void SetBlinkPhase(int phase) override {
        if (Frame())
            Frame()->SetBlinkPhase(phase);
        else
            WaveFrame::SetBlinkPhase(phase);
    }
    unsigned long GetPaintGeneration() override {
        return TheWaveApp() ? (unsigned long)TheWaveApp()->GetActivity() : WaveFrame::GetPaintGeneration();
    }
    int FlushesPaneRedraws() override { return Frame() != nullptr; }
    int IsFlickerFree() override { return TheShellSettings().flickerFree; }
    int DropsMarkers() override { return TheShellSettings().dropMarkers; }
    int GetMarkerColumnWidth() override { return TheShellSettings().markerColumnWidth; }
    void SetMarkerColumnWidth(int width) override { TheShellSettings().markerColumnWidth = width; }
    int IsMouseWindow() override { return Frame() ? Frame()->IsMouseWindow() : WaveFrame::IsMouseWindow(); }
    StatusBar *GetStatusBar() override { return Frame() ? Frame()->GetStatusBar() : nullptr; }
    void BlinkCaret(int phase) override {
        if (Frame())
            Frame()->BlinkCaret(phase);
        else
            WaveFrame::BlinkCaret(phase);
    }

private:
    static WFrameWindow *Frame() { return TheMainFrame(); }
};

}  // namespace

void RegisterFrameForWaves() {
    static FrameForWaves frame;
    SetWaveFrame(&frame);
}
