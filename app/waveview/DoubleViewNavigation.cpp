// The double view's commands that move the views, the caret and the selection.
#include "waveview/DoubleView.h"

#include "audio/Wave.h"
#include "audio/WaveLinks.h"
#include "controls/Slider.h"
#include "engine/AudioState.h"
#include "engine/Playback.h"
#include "waveview/MoveCaretDialog.h"
#include "waveview/WaveScrollBar.h"
#include "waveview/WaveView.h"
#include "waveview/WaveWindowSettings.h"
#include "waveview/ZeroCrossingSnap.h"

namespace {

// The steps of a key move of the caret or a selection edge.
int const kSmallStep = 1;
int const kLargeStep = 20;

// The slider step of a zoom command: 1 zooms out, 0 in.
void StepSlider(Slider *slider, unsigned code) {
    if (slider)
        slider->SendCommand(code);
}

// A view whose one step is its page: the width of the view in frames.
class PageStepView : public CaretView {
public:
    explicit PageStepView(WaveView &view) : view_(view) {}
    int FramesForSteps(int steps) override { return steps * view_.GetVisibleLength(); }
    int GetVisibleLength() override { return view_.GetVisibleLength(); }
    void ShowCaret() override { view_.ShowCaret(); }

private:
    WaveView &view_;
};

}  // namespace

WaveView &DoubleView::TargetView() const {
    WaveView *view = GetTargetView();
    return view ? *view : *main_;
}

void DoubleView::CmScroll(uint id) {
    switch (id) {
    case kCmCentreStart:
        TargetView().CenterOnFrame(0, 1);
        break;
    case kCmCentreEnd:
        TargetView().CenterOnFrame(wave_->GetLength() < 2 ? 0 : wave_->GetLength() - 1, 1);
        break;
    case kCmCentreSelectionStart:
    case kCmCentreSelectionEnd:
        if (wave_->HasSelection())
            TargetView().CenterOnFrame(
                id == kCmCentreSelectionStart ? wave_->GetSelectionStart() : wave_->GetSelectionEnd(), 1);
        break;
    case kCmCentreCaret:
        TargetView().CenterOnFrame(wave_->GetPlayOrCaretPosition(), 1);
        break;
    }
}

// A page of the main view's scroll bar, as a click beside its thumb gives it.
void DoubleView::CmPage(uint id) {
    WaveScrollBar *bar = main_->GetHorizontalScrollBar();
    if (!bar || !bar->GetHandle())
        return;
    LPARAM control = LPARAM(bar->GetHandle());
    ::PostMessageA(main_->GetHandle(), WM_HSCROLL, id == kCmPageLeft ? SB_PAGELEFT : SB_PAGERIGHT, control);
    ::PostMessageA(main_->GetHandle(), WM_HSCROLL, SB_ENDSCROLL, control);
}

// 573-578 act on the main view, 579-584 on the overview when it is open.
void DoubleView::CmZoom(uint id) {
    WaveView *view = id < kCmOverviewZoomIn ? main_ : overview_;
    if (!view)
        return;
    switch (id < kCmOverviewZoomIn ? id : id - (kCmOverviewZoomIn - kCmZoomIn)) {
    case kCmZoomIn:
        StepSlider(view->GetHorizontalSlider(), 1);
        break;
    case kCmZoomOut:
        StepSlider(view->GetHorizontalSlider(), 0);
        break;
    case kCmZoomAll:
        if (wave_->GetLength() > 0)
            view->ZoomToRange(0, wave_->GetLength() - 1, 100);
        break;
    case kCmLevelIn:
        StepSlider(view->GetVerticalSlider(), 1);
        break;
    case kCmLevelOut:
        StepSlider(view->GetVerticalSlider(), 0);
        break;
    case kCmLevelFit:
        view->FitLevelToPeaks();
        break;
    }
}

void DoubleView::CmCaret(uint id) {
    switch (id) {
    case kCmCaretLeft:
        wave_->MoveCaretLeft(*main_, kSmallStep);
        break;
    case kCmCaretRight:
        wave_->MoveCaretRight(*main_, kSmallStep);
        break;
    case kCmCaretLeftFar:
        wave_->MoveCaretLeft(*main_, kLargeStep);
        break;
    case kCmCaretRightFar:
        wave_->MoveCaretRight(*main_, kLargeStep);
        break;
    case kCmCaretPageLeft:
        wave_->MoveCaretPageLeft(*main_);
        break;
    case kCmCaretPageRight:
        wave_->MoveCaretPageRight(*main_);
        break;
    case kCmCaretToSelectionStart:
    case kCmCaretToSelectionEnd:
        if (!wave_->HasSelection())
            return;
        wave_->SetCaret(wave_->GetActiveChannels(), id == kCmCaretToSelectionStart ? wave_->GetSelectionStart()
                                                                                 : wave_->GetSelectionEnd() + 1);
        main_->ShowCaret();
        break;
    }
}

// The caret, or a playback of this wave, goes to the previous or next shown marker from
// the play-or-caret position.
void DoubleView::CmMarkerStep(uint id) {
    MarkerSet &markers = wave_->GetMarkers();
    int from = wave_->GetPlayOrCaretPosition();
    Marker *marker = id == kCmPreviousMarker ? markers.FindBefore(from, nullptr, 1) : markers.FindAfter(from, nullptr, 1);
    if (!marker)
        return;
    if (wave_->IsPlaying()) {
        ThePlaybackEngine().Relocate(marker->position_);
        return;
    }
    wave_->SetCaret(wave_->GetActiveChannels(), marker->position_);
    main_->ShowCaret();
}

void DoubleView::CmMoveCaret() { RunMoveCaretDialog(*main_); }

// The CD track holding the caret, from its start to the frame before its end.
void DoubleView::CmSelectCdTrack() {
    int32_t start = -1, end = -1;
    if (wave_->GetMarkers().FindCdTrackAt(wave_->GetCaret(), &start, &end) >= 0 && end > start)
        wave_->SetSelection(start, end - 1, 3, 1);
}

void DoubleView::CeCdTrackAtCaret(TCommandEnabler &ce) {
    ce.Enable(wave_->GetMarkers().FindCdTrackAt(wave_->GetCaret(), nullptr, nullptr) >= 0);
}

// The moved edge snaps to a zero crossing after a one-step move, unless the zoom is close.
void DoubleView::CmExtend(uint id) {
    int left = (id - kCmExtendLeft) % 2 == 0;
    PageStepView page(*main_);
    CaretView &view = id >= kCmExtendPageLeft ? static_cast<CaretView &>(page) : *main_;
    int steps = id <= kCmExtendRight ? kSmallStep : id <= kCmExtendRightFar ? kLargeStep : 1;
    if (left)
        wave_->ExtendSelectionLeft(view, steps);
    else
        wave_->ExtendSelectionRight(view, steps);
    if (id <= kCmExtendRight && SnapsAtZoom(main_->GetZoom())) {
        int atStart = wave_->GetCaret() == wave_->GetSelectionStart();
        wave_->SnapSelectionToZeroCrossings(atStart, !atStart);
    }
}

void DoubleView::CmSelectToStart() { wave_->SelectToStart(*main_); }

void DoubleView::CmSelectToEnd() { wave_->SelectToEnd(*main_); }

void DoubleView::CmSelectAll() { wave_->SelectRegionAt(3, -1, 1); }

void DoubleView::CmCycleChannels() { wave_->CycleActiveChannels(); }

// With a selection it goes; without one the previous comes back.
void DoubleView::CmToggleSelection() {
    if (wave_->HasSelection()) {
        wave_->ClearSelection(1);
        main_->ShowCaret();
    } else if (wave_->GetPreviousSelectionStart() >= 0) {
        wave_->SetSelection(wave_->GetPreviousSelectionStart(), wave_->GetPreviousSelectionEnd(),
                            wave_->GetActiveChannels(), 1);
        main_->CenterOnFrame(wave_->GetSelectionStart(), 1);
    }
}

void DoubleView::CeCaretNotAtStart(TCommandEnabler &ce) { ce.Enable(wave_->GetCaret() != 0); }

void DoubleView::CeCaretNotAtEnd(TCommandEnabler &ce) { ce.Enable(wave_->GetCaret() != wave_->GetLength()); }

void DoubleView::CeLength(TCommandEnabler &ce) { ce.Enable(wave_->GetLength() != 0); }

void DoubleView::CeAlways(TCommandEnabler &ce) { ce.Enable(1); }

void DoubleView::CeToggleSelection(TCommandEnabler &ce) {
    ce.Enable(wave_->HasSelection() || wave_->GetPreviousSelectionStart() >= 0);
}

// ---- the mouse tool of the panes

namespace {

// The tool bar's ids of tools 0-4: select, play, zoom, nudge left, nudge right.
unsigned const kToolIds[] = {208, 210, 213, 206, 207};

int ToolOfId(unsigned id) {
    for (int tool = 0; tool < 5; ++tool)
        if (kToolIds[tool] == id)
            return tool;
    return -1;
}

}  // namespace

int DoubleView::IsMouseToolCommand(uint id) { return ToolOfId(id) >= 0; }

int DoubleView::CanZoomIn() const {
    ZoomState const &zoom = main_->GetZoomState();
    return zoom.Index() < zoom.LastIndex();
}

// Whether this wave, as it is, allows a tool.
int DoubleView::AllowsMouseTool(int tool) const {
    switch (tool) {
    case 1:
        return wave_->GetLength() != 0;
    case 2:
        return CanZoomIn();
    case 3:
    case 4:
        return wave_->HasSelection();
    default:
        return 1;
    }
}

void DoubleView::SelectMouseTool(uint id) { TheWaveWindowSettings().mouseTool = ToolOfId(id); }

// A tool the wave no longer allows falls back to selecting.
void DoubleView::EnableMouseTool(TCommandEnabler &ce) {
    int32_t &current = TheWaveWindowSettings().mouseTool;
    if (!AllowsMouseTool(current))
        current = 0;
    int tool = ToolOfId(ce.GetId());
    ce.Enable(AllowsMouseTool(tool));
    ce.SetCheck(tool == current ? TCommandEnabler::Checked : TCommandEnabler::Unchecked);
}
