// The double view: its two views, the overview opened and closed, the window's memento,
// the status bar and the routing of the view commands. The document's notifications are
// in DoubleViewNotify.cpp.
#include "waveview/DoubleView.h"

#include "audio/Wave.h"
#include "bars/StatusBar.h"
#include "bars/TextGadget.h"
#include "manager/DocumentManager.h"
#include "waveview/LevelFormat.h"
#include "waveview/MouseKeys.h"
#include "waveview/PaneRedraw.h"
#include "waveview/PeakCache.h"
#include "waveview/ShadowBar.h"
#include "waveview/TimeScale.h"
#include "waveview/WaveFrame.h"
#include "waveview/WavePane.h"
#include "waveview/WaveView.h"
#include "waveview/WaveViewMemento.h"
#include "waveview/WaveViewSplitter.h"
#include "waveview/WaveWindow.h"
#include "waveview/WaveWindowSettings.h"

#include <memory>

namespace {

int const kStatusWidths[] = {16, 16, 7, 9, 11, 9};
int const kCmToggleOverview = 630;
int const kCmStoreTemporary = 628;
int const kCmRecallTemporary = 629;
int const kCmRecallFirst = 100;  // 100-107 recall, 110-117 store
int const kCmStoreFirst = 110;
int const kPositions = 8;

// A view position: first visible frame, zoom (0: empty), vertical zoom, vertical position.
enum { kFirstFrame, kZoom, kVerticalZoom, kVerticalPosition };

// The temporary position with the caret and the selection it was taken with.
struct TemporaryPosition {
    WaveViewRecord place = {};
    int32_t caret = 0;
    int32_t selectionStart = -1;
    int32_t selectionEnd = -1;
} temporary;

}  // namespace

DoubleView *DoubleView::_active = nullptr;
int DoubleView::_opening = 0;
int DoubleView::_activationClick = 0;
HWND DoubleView::_commandTarget = 0;

DEFINE_RESPONSE_TABLE1(DoubleView, TLayoutWindow)
    EV_COMMAND(WaveView::kCmZoomToSelection, CmZoomToSelection),
    EV_COMMAND_ENABLE(WaveView::kCmZoomToSelection, CeZoomToSelection),
    EV_COMMAND(kCmToggleOverview, CmToggleOverview),
    EV_COMMAND_ENABLE(kCmToggleOverview, CeToggleOverview),
    EV_COMMAND(kCmStoreTemporary, CmStoreTemporaryPosition),
    EV_COMMAND(kCmRecallTemporary, CmRecallTemporaryPosition),
    EV_COMMAND_ENABLE(kCmRecallTemporary, CeRecallTemporaryPosition),
    EV_COMMAND_AND_ID(361, CmScroll),
    EV_COMMAND_AND_ID(362, CmScroll),
    EV_COMMAND_AND_ID(363, CmScroll),
    EV_COMMAND_AND_ID(364, CmScroll),
    EV_COMMAND_AND_ID(365, CmScroll),
    EV_COMMAND_ENABLE(kCmCentreSelectionStart, CeSelection),
    EV_COMMAND_ENABLE(kCmCentreSelectionEnd, CeSelection),
    EV_COMMAND_ENABLE(kCmCentreCaret, CeAlways),
    EV_COMMAND_AND_ID(kCmPageLeft, CmPage),
    EV_COMMAND_AND_ID(kCmPageRight, CmPage),
    EV_COMMAND_AND_ID(573, CmZoom),
    EV_COMMAND_AND_ID(574, CmZoom),
    EV_COMMAND_AND_ID(575, CmZoom),
    EV_COMMAND_AND_ID(576, CmZoom),
    EV_COMMAND_AND_ID(577, CmZoom),
    EV_COMMAND_AND_ID(578, CmZoom),
    EV_COMMAND_AND_ID(579, CmZoom),
    EV_COMMAND_AND_ID(580, CmZoom),
    EV_COMMAND_AND_ID(581, CmZoom),
    EV_COMMAND_AND_ID(582, CmZoom),
    EV_COMMAND_AND_ID(583, CmZoom),
    EV_COMMAND_AND_ID(584, CmZoom),
    EV_COMMAND_AND_ID(320, CmCaret),
    EV_COMMAND_AND_ID(321, CmCaret),
    EV_COMMAND_AND_ID(322, CmCaret),
    EV_COMMAND_AND_ID(323, CmCaret),
    EV_COMMAND_AND_ID(324, CmCaret),
    EV_COMMAND_AND_ID(325, CmCaret),
    EV_COMMAND_AND_ID(329, CmCaret),
    EV_COMMAND_AND_ID(330, CmCaret),
    EV_COMMAND_ENABLE(kCmCaretToSelectionStart, CeSelection),
    EV_COMMAND_ENABLE(kCmCaretToSelectionEnd, CeSelection),
    EV_COMMAND(kCmCycleChannels, CmCycleChannels),
    EV_COMMAND_AND_ID(340, CmExtend),
    EV_COMMAND_AND_ID(341, CmExtend),
    EV_COMMAND_AND_ID(342, CmExtend),
    EV_COMMAND_AND_ID(343, CmExtend),
    EV_COMMAND_AND_ID(344, CmExtend),
    EV_COMMAND_AND_ID(345, CmExtend),
    EV_COMMAND(kCmSelectToStart, CmSelectToStart),
    EV_COMMAND_ENABLE(kCmSelectToStart, CeCaretNotAtStart),
    EV_COMMAND(kCmSelectToEnd, CmSelectToEnd),
    EV_COMMAND_ENABLE(kCmSelectToEnd, CeCaretNotAtEnd),
    EV_COMMAND(kCmSelectAll, CmSelectAll),
    EV_COMMAND_ENABLE(kCmSelectAll, CeLength),
    EV_COMMAND(kCmToggleSelection, CmToggleSelection),
    EV_COMMAND_ENABLE(kCmToggleSelection, CeToggleSelection),
    EV_COMMAND_ENABLE(348, CeLength),
    EV_COMMAND_ENABLE(360, CeAlways),
    EV_COMMAND_ENABLE(326, CeAlways),
    EV_COMMAND(kCmPlaySelection, CmPlaySelection),
    EV_COMMAND_ENABLE(kCmPlaySelection, CeSelection),
    EV_COMMAND(kCmLoopSelection, CmLoopSelection),
    EV_COMMAND(kCmMixPaste, CmMixPaste),
    EV_COMMAND_ENABLE(kCmMixPaste, CeData),
    EV_COMMAND(kCmGoToPeak, CmGoToPeak),
    EV_COMMAND_ENABLE(kCmGoToPeak, CeSelection),
    EV_COMMAND(kCmPeakAsLevel, CmPeakAsLevel),
    EV_COMMAND_ENABLE(kCmPeakAsLevel, CeSelection),
    EV_COMMAND(kCmSaveCopy, CmSaveCopy),
    EV_COMMAND_AND_ID(kCmSaveLeftPart, CmSavePart),
    EV_COMMAND_AND_ID(kCmSaveRightPart, CmSavePart),
    EV_COMMAND_ENABLE(kCmSaveLeftPart, CeTwoFiles),
    EV_COMMAND_ENABLE(kCmSaveRightPart, CeTwoFiles),
    EV_COMMAND(kCmCopy, CmCopy),
    EV_COMMAND_ENABLE(kCmCopy, CeCopy),
    EV_COMMAND(kCmCut, CmCut),
    EV_COMMAND_ENABLE(kCmCut, CeCopy),
    EV_COMMAND_AND_ID(kCmPaste, CmPaste),
    EV_COMMAND_AND_ID(kCmPasteOver, CmPaste),
    EV_COMMAND_AND_ID(kCmPasteAtEnd, CmPaste),
    EV_COMMAND_AND_ID(kCmPasteAtStart, CmPaste),
    EV_COMMAND_ENABLE(kCmPaste, CeData),
    EV_COMMAND_ENABLE(kCmPasteOver, CeData),
    EV_COMMAND_ENABLE(kCmPasteAtEnd, CeData),
    EV_COMMAND_ENABLE(kCmPasteAtStart, CeData),
    EV_COMMAND_ENABLE(kCmPasteSpecial, CeData),
    EV_COMMAND(kCmMultiPaste, CmMultiPaste),
    EV_COMMAND_ENABLE(kCmMultiPaste, CeData),
    EV_COMMAND(kCmDelete, CmDelete),
    EV_COMMAND_ENABLE(kCmDelete, CeSelection),
    EV_COMMAND(kCmCrop, CmCrop),
    EV_COMMAND_ENABLE(kCmCrop, CeCrop),
    EV_COMMAND(kCmSilence, CmSilence),
    EV_COMMAND_ENABLE(kCmSilence, CeSelection),
    EV_COMMAND(kCmInsertSilence, CmInsertSilence),
    EV_COMMAND_ENABLE(kCmInsertSilence, CeSelection),
    EV_COMMAND(kCmReverse, CmReverse),
    EV_COMMAND_ENABLE(kCmReverse, CeSelection),
    EV_COMMAND(kCmInvertPhase, CmInvertPhase),
    EV_COMMAND_ENABLE(kCmInvertPhase, CeSelection),
    EV_COMMAND(kCmSwapChannels, CmSwapChannels),
    EV_COMMAND_ENABLE(kCmSwapChannels, CeSwapChannels),
    EV_COMMAND(kCmDcOffset, CmDcOffset),
    EV_COMMAND_ENABLE(kCmDcOffset, CeSelection),
    EV_COMMAND(kCmUndo, CmUndo),
    EV_COMMAND_ENABLE(kCmUndo, CeUndo),
    EV_COMMAND(kCmRedo, CmRedo),
    EV_COMMAND_ENABLE(kCmRedo, CeRedo),
    EV_COMMAND_AND_ID(204, CmEffect),
    EV_COMMAND_ENABLE(204, CeEffect),
    EV_COMMAND_AND_ID(457, CmEffect),
    EV_COMMAND_ENABLE(457, CeEffect),
    EV_COMMAND_AND_ID(487, CmEffect),
    EV_COMMAND_ENABLE(487, CeEffect),
    EV_COMMAND_AND_ID(488, CmEffect),
    EV_COMMAND_ENABLE(488, CeEffect),
    EV_COMMAND_AND_ID(490, CmEffect),
    EV_COMMAND_ENABLE(490, CeEffect),
    EV_COMMAND_AND_ID(489, CmEffect),
    EV_COMMAND_ENABLE(489, CeEffect),
    EV_COMMAND_AND_ID(493, CmEffect),
    EV_COMMAND_ENABLE(493, CeEffect),
    EV_COMMAND_AND_ID(601, CmEffect),
    EV_COMMAND_ENABLE(601, CeEffect),
    EV_COMMAND_AND_ID(607, CmEffect),
    EV_COMMAND_ENABLE(607, CeEffect),
    EV_COMMAND_AND_ID(484, CmEffect),
    EV_COMMAND_ENABLE(484, CeEffect),
    EV_COMMAND_AND_ID(482, CmEffect),
    EV_COMMAND_ENABLE(482, CeEffect),
    EV_COMMAND_AND_ID(483, CmEffect),
    EV_COMMAND_ENABLE(483, CeEffect),
    EV_COMMAND_AND_ID(kCmAddMarker, CmAddMarker),
    EV_COMMAND_AND_ID(kCmAddMarkerAtOnce, CmAddMarker),
    EV_COMMAND(kCmEditMarker, CmEditMarker),
    EV_COMMAND_ENABLE(kCmEditMarker, CeEditMarker),
    EV_COMMAND(kCmFilterMarkers, CmFilterMarkers),
    EV_COMMAND_AND_ID(kCmPreviousMarker, CmMarkerStep),
    EV_COMMAND_AND_ID(kCmNextMarker, CmMarkerStep),
    EV_COMMAND(kCmMoveCaret, CmMoveCaret),
    EV_COMMAND(kCmSelectCdTrack, CmSelectCdTrack),
    EV_COMMAND_ENABLE(kCmSelectCdTrack, CeCdTrackAtCaret),
    EV_COMMAND(kCmCdTrackFromSelection, CmCdTrackFromSelection),
    EV_COMMAND_ENABLE(kCmCdTrackFromSelection, CeCdTrackFromSelection),
    EV_COMMAND(kCmNewWaveFromSelection, CmNewWaveFromSelection),
    EV_COMMAND_ENABLE(kCmNewWaveFromSelection, CeSelection),
    EV_COMMAND(kCmNewWindow, CmNewWindow),
    EV_COMMAND(kCmStretchToClient, CmStretchToClient),
    EV_COMMAND(kCmClearUndoHistory, CmClearUndoHistory),
    EV_COMMAND_ENABLE(kCmClearUndoHistory, CeClearUndoHistory),
    EV_COMMAND(kCmFrequencyAnalysis, CmFrequencyAnalysis),
    EV_COMMAND_ENABLE(kCmFrequencyAnalysis, CeFrequencyAnalysis),
    EV_COMMAND(kCmSaveInFormat, CmSaveInFormat),
    EV_COMMAND_AND_ID(kCmSamplerTarget, CmSampler),
    EV_COMMAND_AND_ID(kCmSamplerStub, CmSampler),
    EV_COMMAND_AND_ID(kCmSampleInfo, CmSampler),
    EV_COMMAND_ENABLE(kCmSamplerTarget, CeSampler),
    EV_COMMAND_ENABLE(kCmSamplerStub, CeSampler),
    EV_COMMAND_ENABLE(kCmSampleInfo, CeSampler),
    EV_COMMAND_AND_ID(278, CmApplyStyle),
    EV_COMMAND_ENABLE(278, CeApplyStyle),
    EV_COMMAND_AND_ID(279, CmApplyStyle),
    EV_COMMAND_ENABLE(279, CeApplyStyle),
    EV_COMMAND_AND_ID(280, CmApplyStyle),
    EV_COMMAND_ENABLE(280, CeApplyStyle),
    EV_COMMAND_AND_ID(281, CmApplyStyle),
    EV_COMMAND_ENABLE(281, CeApplyStyle),
    EV_COMMAND_AND_ID(282, CmApplyStyle),
    EV_COMMAND_ENABLE(282, CeApplyStyle),
    EV_COMMAND_AND_ID(283, CmApplyStyle),
    EV_COMMAND_ENABLE(283, CeApplyStyle),
    EV_COMMAND(kCmSaveStyle, CmSaveStyle),
END_RESPONSE_TABLE;

DoubleView::DoubleView(TWindow *parent, Wave &wave, WaveViewGlobalMemento const *memento)
    : TLayoutWindow(parent), View("DWaveView", wave, this), wave_(&wave),
      memento_(memento ? new WaveViewGlobalMemento(*memento) : new WaveViewGlobalMemento),
      overviewOpen_(&memento_->views.overviewOpen), lastLength_(wave.GetLength()) {
    Attr.Style = WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN;
    SetBkgndColor(TColor::Transparent);
    WindowViewWords &words = memento_->words;
    for (int i = 0; i < 2; ++i) {
        if (words.firstFrame[i] >= lastLength_)
            words.firstFrame[i] = 0;
        if (words.origin[i] >= lastLength_)
            words.origin[i] = 0;
    }
    WaveWindowSettings const &settings = TheWaveWindowSettings();
    if (_docManager && _docManager->IsNowRestoringLayout())
        *overviewOpen_ = words.overviewHeight > 0;
    else
        *overviewOpen_ = wave.GetNumViews() < 2 ? settings.openOverView : settings.openOverView2;
}

DoubleView::~DoubleView() {
    delete memento_;
    if (_active == this)
        _active = nullptr;
}

WaveView *DoubleView::CreateView(int overview) {
    WaveView *view = new WaveView(this, wave_, overview, memento_);
    if (overview)
        view->Attr.Style &= ~WS_CLIPSIBLINGS;
    return view;
}

void DoubleView::SetupWindow() {
    TLayoutWindow::SetupWindow();
    if (*overviewOpen_) {
        overview_ = CreateView(1);
        overview_->Create();
    }
    main_ = CreateView(0);
    main_->Create();
    Layout(memento_->words.overviewHeight, 1);
    setUp_ = 1;
}

void DoubleView::CleanupWindow() { TLayoutWindow::CleanupWindow(); }

int DoubleView::CanClose() {
    if (WavePeakCache::IsFilling()) {
        HWND frame = GetParentH();
        WavePeakCache::AfterFill([frame] { ::PostMessageA(frame, WM_CLOSE, 0, 0); });
        return 0;
    }
    return TLayoutWindow::CanClose();
}

// Where the frame does not flush the deferred pane redraws in its idle time, the windows
// do it in theirs.
int DoubleView::IdleAction(long idleCount) {
    // the click that activated a window has ended
    if (!IsLeftButtonDown() && !WavePane::IsGestureActive())
        ClearActivationClick();
    WaveFrame &frame = TheWaveFrame();
    if (!frame.FlushesPaneRedraws()) {
        frame.NoteIdle();
        if (!WavePaneToRedraw::IsEmpty())
            WavePaneToRedraw::FlushAll();
    }
    return TLayoutWindow::IdleAction(idleCount);
}

void DoubleView::Layout(int height, int relayout) {
    if (height <= 0)
        height = WaveViewGlobalMemento::kDefaultOverviewHeight;
    TLayoutMetrics m;
    m.SetMeasurementUnits(lmPixels);
    m.X = PixelConstraint(nullptr, lmLeft, lmSameAs, lmLeft);
    m.Width = PixelConstraint(nullptr, lmRight, lmSameAs, lmRight);
    if (overview_) {
        TLayoutMetrics o = m;
        o.Y = PixelConstraint(nullptr, lmTop, lmSameAs, lmTop);
        o.Height = PixelConstraint(nullptr, lmHeight, lmAbsolute, lmHeight, height);
        SetChildLayoutMetrics(*overview_, o);
        m.Y = PixelConstraint(overview_, lmTop, lmBelow, lmBottom);
    } else {
        m.Y = PixelConstraint(nullptr, lmTop, lmSameAs, lmTop);
    }
    m.Height = PixelConstraint(nullptr, lmBottom, lmSameAs, lmBottom);
    SetChildLayoutMetrics(*main_, m);
    if (main_->GetSplitter())
        main_->GetSplitter()->RememberPosition(height);
    if (relayout && GetHandle()) {
        ClientSize = GetClientRect().Size();
        TLayoutWindow::Layout();
    }
}

void DoubleView::ShowOverView(int height) {
    if (height < 0)
        height = GetClientRect().Height() / 4;
    if (!overview_ && height == 0)
        return;
    *overviewOpen_ = height != 0;
    if (height && !overview_) {
        overview_ = CreateView(1);
        overview_->Create();
    } else if (!height && overview_) {
        WaveView *closing = overview_;
        overview_ = nullptr;
        RemoveChildLayoutMetrics(*closing);
        closing->ShutDownWindow();
    }
    main_->Relayout();
    ShowWindow(SW_HIDE);
    Layout(height, 1);
    ShowWindow(SW_SHOW);
}

void DoubleView::ForEachPane(void (*f)(WavePane &pane, void *arg), void *arg) {
    for (WaveView *view : {main_, overview_})
        for (int channel = 0; view && channel < 2; ++channel)
            if (WavePane *pane = view->GetPane(channel))
                f(*pane, arg);
}

void DoubleView::InvalidateTimeScales() {
    for (WaveView *view : {main_, overview_})
        if (TimeScale *ruler = view ? view->GetTimeScale() : nullptr)
            ruler->Invalidate(true);
}

void DoubleView::InvalidateOverViewShadow() {
    if (ShadowBar *bar = overview_ ? overview_->GetShadowBar() : nullptr)
        if (bar->GetHandle())
            bar->Invalidate(true);
}

WaveView *DoubleView::OtherView(WaveView *view) const { return view == main_ ? overview_ : main_; }

WaveView *DoubleView::GetTargetView() const { return targetView_ ? targetView_ : main_; }

WaveViewGlobalMemento *DoubleView::TakeMemento() const {
    std::unique_ptr<WaveViewGlobalMemento> memento(new WaveViewGlobalMemento(*memento_));
    static_cast<MDIChildMemento &>(*memento) = MDIChildMemento(GetParentH());
    WindowViewWords &words = memento->words;
    WaveView *views[2] = {main_, overview_ ? overview_ : main_};
    for (int i = 0; i < 2; ++i) {
        words.origin[i] = views[i]->GetOrigin();
        words.firstFrame[i] = views[i]->GetFirstVisibleFrame();
        words.zoom[i] = views[i]->GetZoom();
        words.verticalZoom[i] = views[i]->GetVerticalZoom();
    }
    words.verticalPosition = main_->GetVerticalOffset();
    words.fromWindow = 1;
    TRect splitter = main_->GetSplitter() ? main_->GetSplitter()->GetWindowRect() : main_->GetWindowRect();
    POINT top = {splitter.left, splitter.top};
    ::ScreenToClient(GetHandle(), &top);
    words.overviewHeight = top.y;
    memento->defaultFlag = 0;
    return memento.release();
}

// ---- View

int DoubleView::OnStartRubber() { return TheWaveFrame().IsMouseWindow(); }

// With Ctrl a new empty wave of this one's format, else a further window on this wave.
void DoubleView::OnEndRubber(TRect const &rect) {
    if (ReadHeldKeys().ctrl) {
        WaveViewGlobalMemento memento(rect);
        memento.views = memento_->views;
        OpenWaveWindow(Wave::CreateEmptyWaveLike(*wave_), &memento);
        return;
    }
    std::unique_ptr<WaveViewGlobalMemento> memento(TakeMemento());
    memento->placement = WaveViewGlobalMemento(rect).placement;
    OpenWaveWindow(wave_, memento.get());
}

void DoubleView::SetStatusBar(int on) {
    StatusBar *bar = TheWaveFrame().GetStatusBar();
    if (on && bar && !gadgets_[0]) {
        for (int i = 0; i < kStatusGadgets; ++i) {
            gadgets_[i] = new TextGadget(0, TGadget::Recessed, TTextGadget::Center, kStatusWidths[i]);
            bar->Insert(*gadgets_[i]);
        }
        gadgets_[0]->SetCommand(kCmCentreCaret);
        bar->LayoutSession();
        UpdateStatusBar();
    } else if (!on && gadgets_[0]) {
        for (TextGadget *&gadget : gadgets_) {
            if (bar)
                bar->Remove(*gadget);
            delete gadget;
            gadget = nullptr;
        }
        if (bar)
            bar->LayoutSession();
    }
}

void DoubleView::UpdateStatusBar() {
    if (gadgets_[0])
        FillStatusGadgets();
}

// Position, length, level, zoom, sample size, rate.
void DoubleView::FillStatusGadgets() {
    int position = wave_->GetCurrentPosition();
    gadgets_[0]->SetText(main_ ? main_->GetPositionText(position) : String());
    gadgets_[1]->SetText(wave_->GetLengthText(1));
    gadgets_[2]->SetText(LevelToString(wave_->GetLevel(), main_ ? main_->GetLevelUnit() : kLevelDecibels));
    gadgets_[3]->SetText(main_ ? main_->GetZoomText() : String());
    gadgets_[4]->SetText(wave_->GetSampleSizeText());
    gadgets_[5]->SetText(wave_->GetRateText(0));
}

PackedMemento *DoubleView::CreatePackedMemento() {
    std::unique_ptr<WaveViewGlobalMemento> memento(TakeMemento());
    return PackViewMemento(*memento);
}

// ---- stored view positions

namespace {

WaveViewRecord *PositionOf(Wave &wave, int k, bool make) {
    if (k < 0)
        return &temporary.place;
    if (k >= kPositions || (!make && !wave.GetViewRecords()))
        return nullptr;
    return &wave.EnsureViewRecords().records[k];
}

}  // namespace

void DoubleView::StoreViewPosition(int k) {
    WaveViewRecord *place = PositionOf(*wave_, k, true);
    if (!place)
        return;
    *place = {{main_->GetFirstVisibleFrame(), main_->GetZoom(), main_->GetVerticalZoom(), main_->GetVerticalOffset()}};
    if (k < 0) {
        temporary.caret = wave_->GetPlayOrCaretPosition();
        temporary.selectionStart = wave_->GetSelectionStart();
        temporary.selectionEnd = wave_->GetSelectionEnd();
    }
}

int DoubleView::HasViewPosition(int k) const {
    WaveViewRecord const *place = PositionOf(*wave_, k, false);
    return place && place->words[kZoom] != 0;
}

void DoubleView::RecallViewPosition(int k) {
    if (!HasViewPosition(k))
        return;
    WaveViewRecord const place = *PositionOf(*wave_, k, false);
    int first = place.words[kFirstFrame] < wave_->GetLength() ? place.words[kFirstFrame] : 0;
    main_->SetZoom(place.words[kZoom], 0, 1, first);
    ZoomState vertical = main_->GetVerticalZoomState();
    main_->SetVerticalZoom(vertical.IndexFor(place.words[kVerticalZoom]), 1, place.words[kVerticalPosition]);
    main_->ResetVerticalRange(place.words[kVerticalPosition]);
    if (k >= 0)
        return;
    if (temporary.selectionStart >= 0)
        wave_->SetSelection(temporary.selectionStart, temporary.selectionEnd, wave_->GetActiveChannels(), 1);
    else
        wave_->ClearSelection(1);
    wave_->SetCaret(wave_->GetActiveChannels(), temporary.caret);
}

// ---- commands

// The view commands of the menu bar reach the view they act on; stored positions are
// recalled and stored by number.
LRESULT DoubleView::EvCommand(uint id, HWND hWndCtl, uint notifyCode) {
    if (!hWndCtl && id >= kCmRecallFirst && id < kCmRecallFirst + kPositions) {
        RecallViewPosition(int(id) - kCmRecallFirst);
        return 0;
    }
    if (!hWndCtl && id >= kCmStoreFirst && id < kCmStoreFirst + kPositions) {
        StoreViewPosition(int(id) - kCmStoreFirst);
        return 0;
    }
    if (!hWndCtl && IsMouseToolCommand(id)) {
        SelectMouseTool(id);
        return 0;
    }
    if (!hWndCtl && WaveView::IsViewCommand(id) && id != WaveView::kCmZoomToSelection) {
        WaveView *view = GetTargetView();
        TEventInfo info(0, id);
        if (view && view->Find(info))
            return view->Dispatch(info, id, 0);
    }
    return TLayoutWindow::EvCommand(id, hWndCtl, notifyCode);
}

void DoubleView::EvCommandEnable(TCommandEnabler &ce) {
    uint id = ce.GetId();
    if (id >= kCmRecallFirst && id < kCmRecallFirst + kPositions) {
        ce.Enable(HasViewPosition(int(id) - kCmRecallFirst));
        return;
    }
    if (id >= kCmStoreFirst && id < kCmStoreFirst + kPositions) {
        ce.Enable(1);
        return;
    }
    if (IsMouseToolCommand(id)) {
        EnableMouseTool(ce);
        return;
    }
    if (WaveView::IsViewCommand(id) && id != WaveView::kCmZoomToSelection) {
        WaveView *view = GetTargetView();
        TEventInfo info(0x7FFF, id);
        if (view && view->Find(info)) {
            view->Dispatch(info, 0, LPARAM(&ce));
            return;
        }
    }
    TLayoutWindow::EvCommandEnable(ce);
}

void DoubleView::CmZoomToSelection() {
    if (wave_->HasSelection())
        main_->CmZoomToSelection();
}

void DoubleView::CeZoomToSelection(TCommandEnabler &ce) { ce.Enable(wave_->HasSelection()); }

// The splitter opens the overview at its remembered height, or closes it.
void DoubleView::CmToggleOverview() {
    if (WaveViewSplitter *splitter = main_->GetSplitter())
        splitter->ToggleSplit();
}

void DoubleView::CeToggleOverview(TCommandEnabler &ce) {
    ce.Enable(1);
    ce.SetCheck(overview_ ? TCommandEnabler::Checked : TCommandEnabler::Unchecked);
}

// ---- scopes

DoubleView::TargetScope::TargetScope(WaveView *view)
    : doubleView_(view ? view->GetDoubleView() : nullptr),
      previous_(doubleView_ ? doubleView_->targetView_ : nullptr) {
    if (doubleView_)
        doubleView_->targetView_ = view;
}

DoubleView::TargetScope::~TargetScope() {
    if (doubleView_)
        doubleView_->targetView_ = previous_;
}
