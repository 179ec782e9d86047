// The modeless window from which the user records from the wave-in device: the format,
// the level meter with the highest levels reached, the time recorded and the time left on
// the disk, markers dropped while recording, input monitoring, playing the result, and a
// panel of the wave-in mixer's volumes and inputs that unfolds beside it. There is at most
// one; the global WaveRecorder does the recording.
#pragma once

#include "audio/SamplePattern.h"
#include "controls/Dialog.h"
#include "engine/MixerControls.h"

#include <cstdint>
#include <memory>
#include <vector>

class RecordMixer;
class VerticalSlider;
class VuMeter;

class RecordDialog : public Dialog {
public:
    // Its window is the main window's child of this id, made from the dialog resource of
    // the same number.
    enum { kId = 4, kMeterTimer = 1, kMeterMs = 100 };

    RecordDialog(TWindow *parent, TModule *module);
    ~RecordDialog() override;

    // The record command: shows the main window's record dialog, made when there is none,
    // with a cleared meter and the focus on the record button. module: the language module,
    // which holds the dialog and its meter's picture.
    static RecordDialog *Show(TWindow *mainWindow, TModule *module);

    // Stops the recorder; a recording becomes a new wave with the markers dropped during
    // it. The finishing step's result, 1 when nothing was recorded.
    int FinishRecording();
    // The mixer the panel reads and writes (the system's until a test gives its own).
    void SetMixer(std::unique_ptr<RecordMixer> mixer);
    VuMeter &GetMeter() { return *meter_; }
    int IsMixerShown() const { return mixerShown_; }
    TSize GetCompactSize() const { return compactSize_; }

    void SetupWindow() override;
    void CleanupWindow() override;

protected:
    void EvActivate(uint state, int minimized, HWND other);
    void EvTimer(WPARAM id);
    void EvVScroll(uint code, uint position, HWND control);
    void CmFormat();
    void CeFormat(TCommandEnabler &enabler);
    void CmMixer();
    void CmMarker();
    void CeMarker(TCommandEnabler &enabler);
    void CmPlay();
    void CmRecord();
    void CmResetPeaks();
    void CeRecord(TCommandEnabler &enabler);
    void CePlay(TCommandEnabler &enabler);
    void CeMonitor(TCommandEnabler &enabler);
    void CmMonitor();
    void CmSelectInput(uint id);

private:
    bool IsRecording() const;
    // What the frame adds to the client area.
    TSize FrameSize() const;
    // After every recorded block, and when a recording ended by itself.
    void OnBlock();
    void StopMonitoring();
    void RefreshFreeSpace();
    void ShowReadouts();
    void ShowElapsed();
    void ShowTimeLeft();
    void ShowPeaks();
    void ShowMarkerCount(int count);
    // Writes the text only when the control shows another.
    void ShowText(int id, String const &text);
    void UnfoldMixer();
    void FoldMixer();
    void RemoveSliders();
    void ResizeTo(int width, bool animate);

    UINT_PTR timerId_ = 0;
    VuMeter *meter_;
    int64_t freeDiskBytes_ = 0;
    SamplePattern format_;
    int32_t mixerShown_ = 0;
    TSize compactSize_{0, 0};
    std::vector<int32_t> markerPositions_;
    uint32_t blocks_ = 0;
    MixerControls mixer_;
    std::unique_ptr<RecordMixer> mixerDevice_;
    std::vector<MixerColumn> columns_;
    std::vector<VerticalSlider *> sliders_;

    DECLARE_RESPONSE_TABLE(RecordDialog);
};
