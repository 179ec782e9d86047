#include "engine/RecordDialog.h"

#include "audio/AudioFile.h"
#include "audio/AudioFileSettings.h"
#include "audio/LevelText.h"
#include "audio/NewWaveFormat.h"
#include "audio/PlaybackLink.h"
#include "audio/Wave.h"
#include "audio/WaveLinks.h"
#include "controls/Slider.h"
#include "engine/AudioState.h"
#include "engine/DiskSpace.h"
#include "engine/PlayerSettings.h"
#include "engine/RecordMixer.h"
#include "engine/VuMeter.h"
#include "engine/WaveRecorder.h"
#include "foundation/Exception.h"
#include "foundation/MessageCatalogue.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <string>

namespace {

enum Controls {
    kFormatText = 118,
    kFirstPeakText = 152,
    kSecondPeakText = 151,
    kElapsedText = 120,
    kTimeLeftText = 121,
    kMarkerCount = 160,
    kRecordButton = 131,
    kPlayButton = 130,
    kMarkerButton = 220,
    kFormatButton = 117,
    kResetButton = 150,
    kMixerButton = 190,
    kMonitorBox = 115,
};
enum Texts {
    kTextFirstPeak = 11019,
    kTextSecondPeak = 11020,
    kTextElapsed = 11021,
    kTextTimeLeft = 11022,
    kTextRecord = 11023,
    kTextPlay = 11024,
    kTextStop = 11025,
};
enum { kResizeSteps = 20, kResizeStepMs = 5, kSliderLine = 10, kSliderPage = 100 };

// The text of frames of the format in the unit the dialogs use; a count beyond what the
// position texts take (a very large disk) shows as their largest.
String PositionText(int64_t frames, SamplePattern const &format) {
    WaveWindowLink &window = TheWaveWindowLink();
    long position = long(std::min<int64_t>(frames, LONG_MAX));
    return window.FormatPosition(position, window.GetGlobalTimeUnit(), 1000, format);
}

String Label(unsigned text, String const &value) {
    String label(FindString(text));
    label.Append(value);
    return label;
}

String LevelText(int level) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1lf dB", AmplitudeToDecibels(level));
    return String(text);
}

// A child's place in the dialog's client area.
TRect ChildRect(HWND dialog, int id) {
    RECT r = {};
    HWND child = GetDlgItem(dialog, id);
    if (child) {
        GetWindowRect(child, &r);
        MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT *>(&r), 2);
    }
    return TRect(r);
}

}  // namespace

DEFINE_RESPONSE_TABLE1(RecordDialog, Dialog)
    EV_WM_ACTIVATE,
    EV_WM_TIMER,
    EV_COMMAND(kFormatButton, CmFormat),
    EV_CONTROL_ENABLE(kFormatButton, CeFormat),
    EV_COMMAND(kMixerButton, CmMixer),
    EV_COMMAND(kMarkerButton, CmMarker),
    EV_CONTROL_ENABLE(kMarkerButton, CeMarker),
    EV_COMMAND(kPlayButton, CmPlay),
    EV_COMMAND(kRecordButton, CmRecord),
    EV_COMMAND(kResetButton, CmResetPeaks),
    EV_CONTROL_ENABLE(kRecordButton, CeRecord),
    EV_CONTROL_ENABLE(kPlayButton, CePlay),
    EV_CONTROL_ENABLE(kMonitorBox, CeMonitor),
    EV_COMMAND(kMonitorBox, CmMonitor),
    EV_WM_VSCROLL,
    EV_COMMAND_AND_ID(kMixerCheckBoxId + 0, CmSelectInput),
    EV_COMMAND_AND_ID(kMixerCheckBoxId + 1, CmSelectInput),
    EV_COMMAND_AND_ID(kMixerCheckBoxId + 2, CmSelectInput),
    EV_COMMAND_AND_ID(kMixerCheckBoxId + 3, CmSelectInput),
    EV_COMMAND_AND_ID(kMixerCheckBoxId + 4, CmSelectInput),
    EV_COMMAND_AND_ID(kMixerCheckBoxId + 5, CmSelectInput),
    EV_COMMAND_AND_ID(kMixerCheckBoxId + 6, CmSelectInput),
END_RESPONSE_TABLE;

RecordDialog::RecordDialog(TWindow *parent, TModule *module)
    : TWindow(parent, 0, module), Dialog(parent, kId, module), meter_(new VuMeter(this, module)),
      mixerDevice_(new SystemMixer) {
    GetNewWaveFormat(format_);
    for (int id : {kRecordButton, kPlayButton, kMarkerButton, kFormatButton, kResetButton, kMixerButton})
        CreateButton(id);
    CreateCheckBox(kMonitorBox, 0);
    for (int id : {kFormatText, kFirstPeakText, kSecondPeakText, kElapsedText, kTimeLeftText, kMarkerCount})
        CreateStaticText(id);
}

RecordDialog::~RecordDialog() = default;

RecordDialog *RecordDialog::Show(TWindow *mainWindow, TModule *module) {
    RecordDialog *dialog = dynamic_cast<RecordDialog *>(mainWindow->ChildWithId(kId));
    if (!dialog)
        dialog = new RecordDialog(mainWindow, module);
    dialog->GetMeter().Clear();
    dialog->ShowOrCreate();
    dialog->ShowWindow(SW_SHOW);
    if (HWND record = dialog->GetItemHandle(kRecordButton))
        ::SetFocus(record);
    return dialog;
}

void RecordDialog::SetMixer(std::unique_ptr<RecordMixer> mixer) {
    if (mixerShown_)
        FoldMixer();
    mixerDevice_ = std::move(mixer);
}

void RecordDialog::SetupWindow() {
    Dialog::SetupWindow();
    WaveRecorder &recorder = TheWaveRecorder();
    recorder.ClearPeaks();
    recorder.SetCallback([this] { OnBlock(); });
    // Compact: to the play button's right edge and two dialog units below the time left.
    TRect below(0, 0, 0, 2);
    MapDialogRect(below);
    TSize frame = FrameSize();
    compactSize_ = TSize(ChildRect(GetHandle(), kPlayButton).right + frame.cx,
                         ChildRect(GetHandle(), kTimeLeftText).bottom + below.bottom + frame.cy);
    SetWindowPos(nullptr, 0, 0, compactSize_.cx, compactSize_.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    RefreshFreeSpace();
    ShowReadouts();
    if (mixerShown_)
        UnfoldMixer();
}

// An unfinished recording becomes a wave when the dialog closes.
void RecordDialog::CleanupWindow() {
    RemoveSliders();
    columns_.clear();
    mixer_.Clear();
    mixerDevice_->Close();
    if (timerId_)
        KillTimer(timerId_);
    timerId_ = 0;
    TheWaveRecorder().SetCallback(nullptr);
    FinishRecording();
    Dialog::CleanupWindow();
}

int RecordDialog::FinishRecording() {
    int result = 1;
    try {
        result = ::FinishRecording(TheWaveRecorder(), markerPositions_);
    } catch (AException const &e) {
        WarnAudioFileUser(e);
        result = 0;
    }
    markerPositions_.clear();
    return result;
}

bool RecordDialog::IsRecording() const { return TheWaveRecorder().IsRecording(); }

TSize RecordDialog::FrameSize() const {
    TRect window = GetWindowRect(), client = GetClientRect();
    return TSize(window.Width() - client.Width(), window.Height() - client.Height());
}

// ---- readouts

void RecordDialog::ShowText(int id, String const &text) { SetText(id, text.c_str()); }

void RecordDialog::RefreshFreeSpace() { freeDiskBytes_ = FreeDiskBytes(TemporaryFolder()); }

void RecordDialog::ShowReadouts() {
    ShowElapsed();
    ShowTimeLeft();
    ShowPeaks();
    ShowText(kFormatText, format_.GetFormatText());
    ShowMarkerCount(IsRecording() ? int(markerPositions_.size()) : -1);
}

void RecordDialog::ShowElapsed() {
    WaveRecorder const &recorder = TheWaveRecorder();
    String frames = IsRecording() ? PositionText(recorder.GetRecordedFrames(), format_) : String();
    ShowText(kElapsedText, Label(kTextElapsed, frames));
}

void RecordDialog::ShowTimeLeft() {
    int frameBytes = format_.GetBytesPerFrame();
    int64_t frames = frameBytes > 0 ? freeDiskBytes_ / frameBytes : 0;
    ShowText(kTimeLeftText, Label(kTextTimeLeft, PositionText(frames, format_)));
}

void RecordDialog::ShowPeaks() {
    WaveRecorder const &recorder = TheWaveRecorder();
    ShowText(kFirstPeakText, Label(kTextFirstPeak, LevelText(recorder.GetPeak(0))));
    ShowText(kSecondPeakText, Label(kTextSecondPeak, LevelText(recorder.GetPeak(1))));
}

void RecordDialog::ShowMarkerCount(int count) {
    ShowText(kMarkerCount, count < 0 ? String() : String(std::to_string(count).c_str()));
}

void RecordDialog::OnBlock() {
    if (!GetHandle())
        return;
    if (TheWaveRecorder().IsHalted()) {
        FinishRecording();
        RefreshFreeSpace();
        ShowReadouts();
        return;
    }
    ShowElapsed();
    if ((++blocks_ & 15) == 0) {
        RefreshFreeSpace();
        ShowTimeLeft();
    }
}

// ---- the window's messages

void RecordDialog::EvActivate(uint state, int minimized, HWND other) {
    Dialog::EvActivate(state, minimized, other);
    RefreshFreeSpace();
    ShowReadouts();
}

void RecordDialog::EvTimer(WPARAM id) {
    if (id != kMeterTimer) {
        DefaultProcessing();
        return;
    }
    meter_->Update(true);
    ShowPeaks();
}

// ---- the buttons

void RecordDialog::CmRecord() {
    WaveRecorder &recorder = TheWaveRecorder();
    if (IsRecording()) {
        FinishRecording();
        RefreshFreeSpace();
        ShowReadouts();
        return;
    }
    if (recorder.IsOpen())
        FinishRecording();  // metering gives way
    markerPositions_.clear();
    blocks_ = 0;
    if (recorder.Start(format_, 0))
        ShowMarkerCount(0);
    ShowElapsed();
}

void RecordDialog::CeRecord(TCommandEnabler &enabler) {
    enabler.SetText(FindString(IsRecording() ? kTextStop : kTextRecord));
    enabler.Enable(1);
}

void RecordDialog::CmPlay() {
    if (IsWaveOutOpen()) {
        ThePlayback().StopAndWait();
        return;
    }
    WaveRecorder const &recorder = TheWaveRecorder();
    if ((recorder.IsOpen() || recorder.IsRecording()) && !FinishRecording())
        return;
    Wave *wave = GetCurrentWave();
    if (wave && wave->GetLength() > 0)
        wave->Play(1, kPlayFromFrame, 0, 0, nullptr);
}

void RecordDialog::CePlay(TCommandEnabler &enabler) {
    bool playing = !IsRecording() && IsWaveOutOpen();
    enabler.SetText(FindString(playing ? kTextStop : kTextPlay));
    Wave *wave = GetCurrentWave();
    enabler.Enable(IsRecording() || playing || (wave && wave->GetLength() > 0));
}

void RecordDialog::CmMarker() {
    WaveRecorder const &recorder = TheWaveRecorder();
    if (!IsRecording() || !recorder.IsOpen())
        return;
    markerPositions_.push_back(int32_t(recorder.GetRecordedFrames()));
    ShowMarkerCount(int(markerPositions_.size()));
}

void RecordDialog::CeMarker(TCommandEnabler &enabler) { enabler.Enable(IsRecording() && TheWaveRecorder().IsOpen()); }

void RecordDialog::CmFormat() {
    SamplePattern format;
    GetNewWaveFormat(format);
    if (!ChooseRawFormat(format))
        return;
    format_ = format;
    ShowText(kFormatText, format_.GetFormatText());
    ShowTimeLeft();
}

void RecordDialog::CeFormat(TCommandEnabler &enabler) {
    WaveRecorder const &recorder = TheWaveRecorder();
    enabler.Enable(!recorder.IsOpen() && !recorder.IsRecording());
}

void RecordDialog::CmResetPeaks() {
    TheWaveRecorder().ClearPeaks();
    ShowPeaks();
}

// ---- monitoring

void RecordDialog::CmMonitor() {
    WaveRecorder &recorder = TheWaveRecorder();
    if (!IsChecked(kMonitorBox, 1)) {
        StopMonitoring();
    } else if (!timerId_) {
        if (!recorder.IsOpen() && !recorder.IsRecording())
            recorder.Start(format_, 1);
        timerId_ = SetTimer(kMeterTimer, kMeterMs);
    }
    meter_->Update(timerId_ != 0);
    ShowPeaks();
}

void RecordDialog::StopMonitoring() {
    if (TheWaveRecorder().IsMonitoring())
        FinishRecording();
    if (timerId_)
        KillTimer(timerId_);
    timerId_ = 0;
}

// A recording that ended leaves the box ticked with nothing to meter.
void RecordDialog::CeMonitor(TCommandEnabler &enabler) {
    enabler.Enable(1);
    if (IsChecked(kMonitorBox, 1) && !TheWaveRecorder().IsOpen()) {
        SetCheck(kMonitorBox, BST_UNCHECKED, 1);
        meter_->Clear();
        StopMonitoring();
    }
}

// ---- the mixer panel

void RecordDialog::CmMixer() {
    if (mixerShown_)
        FoldMixer();
    else
        UnfoldMixer();
}

void RecordDialog::UnfoldMixer() {
    mixerShown_ = 0;
    try {
        mixer_.Enumerate(*mixerDevice_, ThePlayerSettings().inDevice);
    } catch (AException const &e) {
        WarnAudioFileUser(e);
        return;
    }
    for (int i = 0; i < kMixerMaxColumns; ++i)
        for (int id : {kMixerLabelId + i, kMixerCheckBoxId + i})
            if (HWND control = GetItemHandle(id))
                ::ShowWindow(control, SW_HIDE);
    TSize frame = FrameSize();
    columns_ = LayOutMixerPanel(mixer_, compactSize_.cx - frame.cx - 5, compactSize_.cy - frame.cy);
    for (MixerColumn const &column : columns_) {
        HWND label = GetItemHandle(column.labelId);
        ::SetWindowTextA(label, column.labelText.c_str());
        ::MoveWindow(label, column.label.left, column.label.top, column.label.Width(), column.label.Height(), TRUE);
        ::ShowWindow(label, SW_SHOW);
        if (HWND box = column.checkBoxId ? GetItemHandle(column.checkBoxId) : nullptr) {
            TRect r = column.checkBox;
            ::MoveWindow(box, r.left, r.top, r.Width(), r.Height(), TRUE);
            ::CheckDlgButton(GetHandle(), column.checkBoxId, column.checked ? BST_CHECKED : BST_UNCHECKED);
            ::ShowWindow(box, SW_SHOW);
        }
        for (int c = 0; c < column.sliderCount; ++c) {
            TRect r = column.sliders[c];
            VerticalSlider *slider =
                new VerticalSlider(this, column.sliderIds[c], r.left, r.top, r.Width(), r.Height(), column.thumbBitmap);
            sliders_.push_back(slider);
            slider->Create();
            slider->SetRange(0, kMixerSliderRange);
            slider->SetLineMagnitude(kSliderLine);
            slider->SetPageMagnitude(kSliderPage);
            slider->SetPosition(column.positions[c]);
        }
    }
    mixerShown_ = 1;
    ResizeTo(compactSize_.cx + MixerPanelWidth(int(columns_.size())), IsWindowVisible());
}

void RecordDialog::FoldMixer() {
    RemoveSliders();
    for (MixerColumn const &column : columns_)
        for (int id : {column.labelId, column.checkBoxId})
            if (HWND control = id ? GetItemHandle(id) : nullptr)
                ::ShowWindow(control, SW_HIDE);
    columns_.clear();
    mixer_.Clear();
    mixerDevice_->Close();
    mixerShown_ = 0;
    ResizeTo(compactSize_.cx, false);
}

void RecordDialog::RemoveSliders() {
    for (VerticalSlider *slider : sliders_) {
        slider->Destroy();
        delete slider;
    }
    sliders_.clear();
}

// Grows to the right, moved left when it would leave the screen.
void RecordDialog::ResizeTo(int width, bool animate) {
    if (!GetHandle())
        return;
    TRect from = GetWindowRect();
    RECT work = {};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    int left = from.left;
    if (left + width > work.right)
        left = std::max<int>(work.left, work.right - width);
    int steps = animate ? int(kResizeSteps) : 1;
    for (int step = 1; step <= steps; ++step) {
        int x = from.left + (left - from.left) * step / steps;
        int w = from.Width() + (width - from.Width()) * step / steps;
        SetWindowPos(nullptr, x, from.top, w, from.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
        if (animate) {
            UpdateWindow();
            Sleep(kResizeStepMs);
        }
    }
}

void RecordDialog::EvVScroll(uint code, uint position, HWND control) {
    for (VerticalSlider *slider : sliders_) {
        if (slider->GetHandle() != control)
            continue;
        slider->EvVScroll(code, position, nullptr);
        int now = slider->GetPosition();
        int follower = mixer_.MoveSlider(*mixerDevice_, slider->GetId(), now, GetKeyState(VK_CONTROL) < 0);
        for (VerticalSlider *other : sliders_)
            if (follower && other->GetId() == follower)
                other->SetPosition(now);
        return;
    }
    DefaultProcessing();
}

void RecordDialog::CmSelectInput(uint id) {
    for (MixerColumn const &column : columns_)
        if (column.checkBoxId == int(id))
            mixer_.Select(*mixerDevice_, column.item, IsDlgButtonChecked(GetHandle(), int(id)) == BST_CHECKED);
}
