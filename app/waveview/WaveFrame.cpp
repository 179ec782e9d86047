#include "waveview/WaveFrame.h"

#include "foundation/Config.h"
#include "manager/DocumentManager.h"

namespace {

WaveFrame defaultFrame;
WaveFrame *frame = nullptr;

int Setting(char const *group, char const *key, int fallback) {
    if (!_docManager || !_docManager->GetSettingsStore())
        return fallback;
    Config &config = _docManager->GetConfig();
    Config::PathSaver path(config);
    config.MoveDown(group);
    return config.GetValue(fallback, key);
}

}  // namespace

int WaveFrame::GetBlinkPhase() { return phase_; }

void WaveFrame::SetBlinkPhase(int phase) { phase_ = phase; }

unsigned long WaveFrame::GetPaintGeneration() { return generation_; }

int WaveFrame::FlushesPaneRedraws() { return 0; }

int WaveFrame::IsFlickerFree() { return Setting("Misc", "FlickerFree", 1); }

int WaveFrame::IsMouseWindow() { return Setting("Frame Window", "MouseWindow", 1); }

int WaveFrame::DropsMarkers() { return Setting("Misc", "DropMrk", 0); }

int WaveFrame::GetMarkerColumnWidth() {
    return markerColumnWidth_ >= 0 ? markerColumnWidth_ : Setting("Misc", "MrkColW", 0);
}

void WaveFrame::SetMarkerColumnWidth(int width) { markerColumnWidth_ = width; }

StatusBar *WaveFrame::GetStatusBar() { return _docManager ? _docManager->GetStatusBar() : nullptr; }

void WaveFrame::BlinkCaret(int phase) { SetBlinkPhase(phase); }

WaveFrame &TheWaveFrame() { return frame ? *frame : defaultFrame; }

WaveFrame *SetWaveFrame(WaveFrame *next) {
    WaveFrame *previous = frame;
    frame = next;
    return previous;
}
