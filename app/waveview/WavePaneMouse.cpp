// What the mouse does in a wave pane: the press chooses channels and a gesture by the
// mouse tool and the keys (selection, level band, drag and drop, play from the click, zoom
// band, nudges); the moves drag the selection or the level with magnetic snapping and
// automatic scrolling; the release finishes the gesture; every way out of a gesture (the
// release, a lost capture, the pane going) ends in EndGesture. Drops are in WavePaneDrop.cpp.
#include "waveview/WavePane.h"

#include "audio/PlaybackLink.h"
#include "audio/Wave.h"
#include "audio/WaveSettings.h"
#include "bars/StatusBar.h"
#include "core/DrawHelpers.h"
#include "core/Module.h"
#include "core/Rubber.h"
#include "foundation/Exception.h"
#include "manager/DocumentManager.h"
#include "waveview/DoubleView.h"
#include "waveview/MouseKeys.h"
#include "waveview/PaneMouseState.h"
#include "waveview/TimeScale.h"
#include "waveview/UndoNameExclusion.h"
#include "waveview/WaveFrame.h"
#include "waveview/WaveScrollBar.h"
#include "waveview/WaveView.h"
#include "waveview/WaveWindowSettings.h"
#include "waveview/ZeroCrossingSnap.h"

#include <algorithm>
#include <climits>
#include <cstdlib>

namespace {

enum {
    kEdge = 7,          // pixels around a selection edge that grab it
    kMagnetPixels = 5,  // a magnetic place nearer than this catches the mouse
    kClickSlack = 2,    // a press that moves no further is a click
    kTextMove = 11068,
    kContextMenu = 102,
    kCmShadowBarTop = 459,
};

// Magnetic places.
enum { kMagnetMarkers = 1, kMagnetCaret = 2, kMagnetStart = 4, kMagnetLength = 8, kMagnetSelStart = 0x10,
       kMagnetSelEnd = 0x20 };

PaneMouseState mouse;
// Set while a release finishes its gesture: boxes and the band's end take the capture then,
// and that loss is not a cancel.
int finishing = 0;
int shownCursor = 0;

bool Near(int a, int b) { return std::abs(a - b) <= kEdge; }

// The newest step a nudge recorded, while nothing was recorded after it.
struct LastNudge {
    Wave const *wave = nullptr;
    AUndoMemento const *step = nullptr;
    int count = 0;
} lastNudge;

bool FollowsANudge(Wave &wave) {
    return lastNudge.wave == &wave && lastNudge.step && wave.GetFirstUndoMemento() == lastNudge.step &&
           wave.GetNumUndoMementos() == lastNudge.count;
}

void NoteNudge(Wave &wave) { lastNudge = {&wave, wave.GetFirstUndoMemento(), wave.GetNumUndoMementos()}; }

void Warn(AException const &e) {
    if (_docManager)
        _docManager->WarnUser(e, 1);
}

}  // namespace

PaneMouseState &ThePaneMouse() { return mouse; }

int WavePane::GetMouseFrame() { return mouse.mouseFrame; }

int WavePane::GetChosenCursor() { return shownCursor; }

int WavePane::IsGestureActive() { return mouse.capturing != nullptr; }

// ---- where the mouse is

int WavePane::ChannelsAt(TPoint const &point) const {
    if (!view_->IsStereo())
        return 1;
    if (!view_->GetPane(0) || !view_->GetPane(1))
        return channelBit_;
    int half = GetClientRect().Height() / 2;
    if (channel_ == 0)
        return point.y < half ? 1 : 3;
    return point.y > half ? 2 : 3;
}

int WavePane::ClampedFrameAt(int x) const {
    return std::min(std::max(FrameAt(x), 0), std::max(wave_->GetLength() - 1, 0));
}

int WavePane::HitTestSelection(TPoint const &point) const {
    int x1, x2;
    if (!SelectionColumns(x1, x2))
        return 0;
    PaneGeometry g = Geometry();
    int y1 = g.BandTop(wave_->GetLevel()), y2 = g.BandBottom(wave_->GetLevel());
    bool levelAllowed = ReadHeldKeys().shift || !TheWaveSettings().selLevelShift;
    if (point.x < x1 - kEdge || point.x > x2 + kEdge || point.y < y1 - kEdge - 1 || point.y > y2 + kEdge + 1)
        return 0;
    if (point.x > x1 + kEdge && point.x < x2 - kEdge && point.y > y1 + kEdge && point.y < y2 - kEdge) {
        TRect client = GetClientRect();
        bool atClientEdge = point.y < client.top + kEdge || point.y >= client.bottom - kEdge;
        return levelAllowed && atClientEdge ? 2 : 3;
    }
    if (Near(point.x, x1) || Near(point.x, x2))
        return 1;
    return levelAllowed ? 2 : 3;
}

int WavePane::SnapToMagnet(int &x, int flags) const {
    if (!TheWaveSettings().magnetMark)
        return -1;
    int frame = FrameAt(x);
    int below = INT_MIN, above = INT_MAX;
    auto consider = [&](int candidate) {
        if (candidate <= frame)
            below = std::max(below, candidate);
        else
            above = std::min(above, candidate);
    };
    int length = wave_->GetLength();
    if (flags & kMagnetStart) {
        consider(0);
        if (int origin = view_->GetOrigin())
            consider(origin);
    }
    if ((flags & kMagnetLength) && length)
        consider(length);
    if (flags & kMagnetCaret)
        consider(wave_->GetCaret());
    if (wave_->HasSelection()) {
        if (flags & kMagnetSelStart)
            consider(wave_->GetSelectionStart());
        if (flags & kMagnetSelEnd)
            consider(wave_->GetSelectionEnd() + 1);
    }
    TimeScale *ruler = view_->GetTimeScale();
    bool markersShown = (view_->GetStyle().markers & (kMarkerLinesSolid | kMarkerLinesDotted)) ||
                        (ruler && ruler->GetStyle().showMarkers);
    if ((flags & kMagnetMarkers) && markersShown) {
        MarkerSet &markers = wave_->GetMarkers();
        if (Marker *before = markers.FindBefore(frame, nullptr, 1))
            consider(before->position_);
        if (Marker *after = markers.FindAtOrAfter(frame, nullptr, 1))
            consider(after->position_);
    }
    int belowDistance = below == INT_MIN ? INT_MAX : x - FrameX(below);
    int aboveDistance = above == INT_MAX ? INT_MAX : FrameX(above) - x;
    int best = aboveDistance <= belowDistance ? above : below;
    if (std::min(belowDistance, aboveDistance) >= kMagnetPixels)
        return -1;
    x = FrameX(best);
    return best;
}

void WavePane::SetCaretAt(TPoint const &point) {
    int frame = std::min(std::max(FrameAt(point.x), 0), wave_->GetLength());
    wave_->SetCaret(ChannelsAt(point), frame, 0);
}

int WavePane::LevelAtY(int y, int snap) const { return Geometry().LevelAt(y, snap != 0); }

// ---- nudging

// A nudge right after a nudge of the same wave joins its undo step.
void WavePane::NudgeSelection(int tool) {
    if (!wave_->HasSelection())
        return;
    int z = view_->GetZoom();
    int step = z <= 0 ? -z : 1;
    int start = wave_->GetSelectionStart(), end = wave_->GetSelectionEnd();
    int span = end - start + 1;
    int to = tool == 3 ? std::max(start - step, 0) : std::min(start + step, wave_->GetLength() - span);
    if (to == start || to < 0)
        return;
    int channels = wave_->GetActiveChannels();
    try {
        if (FollowsANudge(*wave_)) {
            UndoNameExclusion join(*wave_, kTextMove);
            wave_->MoveRange(channels, to, channels, start, end, 1);
        } else {
            wave_->MoveRange(channels, to, channels, start, end, 1);
        }
        NoteNudge(*wave_);
    } catch (AException const &e) {
        Warn(e);
    }
}

// ---- press

void WavePane::EvLButtonDown(uint, TPoint &point) {
    if (mouse.capturing || mouse.rubber)
        return;
    down_ = point;
    mouse = PaneMouseState();
    HeldKeys keys = ReadHeldKeys();
    switch (int tool = view_->GetMouseTool()) {
    case 0: PressSelect(point, keys); break;
    case 1: PressPlay(point); break;
    case 2: PressZoom(point); break;
    default: NudgeSelection(tool); break;
    }
    UpdateCursor(point, 1);
}

void WavePane::PressSelect(TPoint const &point, HeldKeys const &keys) {
    int hit = HitTestSelection(point);
    if ((hit == 0 || hit == 3) && !keys.shift) {
        if (hit == 3) {
            mouse.pressedInside = 1;
        } else if (DoubleView::IsActivationClick()) {
            return;
        } else {
            mouse.pressedOutside = 1;
            wave_->ClearSelection(1);
            SetCaretAt(point);
        }
    }
    SetCapture();
    mouse.capturing = this;
    if (hit == 2) {
        mouse.dragMode = 2;
        StartLevelDrag();
    } else if (hit == 1 || keys.shift) {
        dragChannels_ = ChannelsAt(down_);
        if (keys.shift && hit != 1 && wave_->HasSelection() && wave_->GetActiveChannels() != dragChannels_)
            wave_->SetActiveChannels(dragChannels_, 1);
        mouse.dragMode = 1;
        StartSelectionDrag(hit == 1, keys);
    }
}

// Plays from the frame on the channels chosen, the view standing still meanwhile.
void WavePane::PressPlay(TPoint const &point) {
    int frame = FrameAt(point.x);
    if (frame < 0 || frame >= wave_->GetLength())
        return;
    SetCapture();
    mouse.capturing = this;
    mouse.playFromClick = 1;
    mouse.wasPlaying = wave_->IsPlaying();
    mouse.clickedFrame = frame;
    mouse.savedScrollOnPlay = TheWaveWindowSettings().scrollOnPlay;
    TheWaveWindowSettings().scrollOnPlay = 0;
    PlaybackLink &playback = ThePlayback();
    PlayRequest request;
    request.source = wave_;
    request.channelMask = uint32_t(ChannelsAt(point));
    request.start = frame;
    request.outputBits = playback.GetOutputBits();
    request.mode = kPlayFromFrame;
    playback.Play(request);
    TheWaveFrame().BlinkCaret(0);
}

// The band may cross both panes of the view.
void WavePane::PressZoom(TPoint const &point) {
    TRect limits = GetWindowRect();
    for (int channel = 0; channel < 2; ++channel)
        if (WavePane *pane = view_->GetPane(channel))
            if (pane->GetHandle())
                limits = limits | pane->GetWindowRect();
    mouse.rubber = new Rubber(*this, 2);
    TPoint start = point;
    mouse.rubber->Start(start, &limits);
    mouse.capturing = this;
}

void WavePane::StartSelectionDrag(int grab, HeldKeys const &keys) {
    dragStart_ = dragEnd_ = 0;
    grabX_ = 0;
    int x1, x2;
    if (grab && SelectionColumns(x1, x2)) {
        bool start = x2 - x1 > 6 ? Near(down_.x, x1) : down_.x < (x1 + x2) / 2;
        (start ? dragStart_ : dragEnd_) = 1;
        grabX_ = down_.x - (start ? x1 : x2);
    }
    if (wave_->HasSelectionIn(channelBit_)) {
        dragChannels_ = wave_->GetSelectedChannels();
        mouse.newSelection = 0;
    } else {
        dragChannels_ = ChannelsAt(down_);
        int anchor = keys.shift ? (wave_->IsPlaying() ? ThePlayback().GetPosition() : wave_->GetCaret())
                                : FrameAt(down_.x);
        anchor_ = std::min(std::max(anchor, 0), std::max(wave_->GetLength() - 1, 0));
        wave_->SetLevel(AudioObject::kFullLevel, 0);
        mouse.newSelection = 1;
    }
    DragSelectionTo(down_.x - grabX_);
}

void WavePane::DragSelectionTo(int x) {
    int b = SnapToMagnet(x, kMagnetMarkers | kMagnetStart | kMagnetLength);
    int endValue;
    if (b >= 0) {
        // a snapped end stops before the marker
        endValue = b < 2 ? 0 : b - 1;
    } else {
        b = ClampedFrameAt(x);
        endValue = b;
    }
    int first, last;
    if (wave_->HasSelectionIn(channelBit_)) {
        int s = wave_->GetSelectionStart(), e = wave_->GetSelectionEnd();
        if (!dragStart_ && !dragEnd_)
            (b < (s + e) / 2 ? dragStart_ : dragEnd_) = 1;
        if (dragStart_ && b > e) {
            dragStart_ = 0, dragEnd_ = 1;
            first = e, last = endValue;
        } else if (dragStart_) {
            first = b, last = e;
        } else if (b < s) {
            dragEnd_ = 0, dragStart_ = 1;
            first = b, last = s;
        } else {
            first = s, last = endValue;
        }
    } else if (b < anchor_) {
        dragStart_ = 1, dragEnd_ = 0;
        first = b, last = anchor_;
    } else {
        dragStart_ = 0, dragEnd_ = 1;
        first = anchor_, last = endValue;
    }
    wave_->SetSelection(first, last, dragChannels_, 1);
    mouse.mouseFrame = b;
    view_->UpdateStatusPosition();
}

// The grab keeps the distance between the press and the band's edge.
void WavePane::StartLevelDrag() {
    PaneGeometry g = Geometry();
    int y1 = g.BandTop(wave_->GetLevel()), y2 = g.BandBottom(wave_->GetLevel());
    int y = down_.y;
    if (y2 - y1 > 6)
        grabY_ = Near(y, y1) ? y - y1 : Near(y, y2) ? y - y2 : 0;
    else
        grabY_ = y >= (y1 + y2) / 2 ? y - y2 : y - y1;
    dragChannels_ = wave_->GetSelectedChannels();
    mouse.newSelection = 0;
}

void WavePane::DragLevelTo(int y) {
    int v = LevelAtY(y - grabY_, 1);
    if (v == -32768)
        v = 32767;
    wave_->SetLevel(std::max(std::abs(v), 1), 1);
    view_->UpdateStatusLevel();
}

// ---- moves

void WavePane::EvMouseMove(uint modKeys, TPoint &point) {
    if (mouse.rubber) {
        mouse.rubber->Track(modKeys, point);
    } else if (mouse.playFromClick) {
        return;
    } else if (mouse.dragMode) {
        MoveDuringDrag(modKeys, point);
    } else if (mouse.capturing == this) {
        // a press that moves on becomes a selection drag or a drag and drop
        int dx = point.x - down_.x, dy = point.y - down_.y;
        if (mouse.pressedOutside && std::abs(dx) > kClickSlack) {
            mouse.dragMode = 1;
            TheWaveFrame().SetBlinkPhase(0);
            StartSelectionDrag(0, ReadHeldKeys());
        } else if (mouse.pressedInside && (std::abs(dx) > kClickSlack || std::abs(dy) > kClickSlack)) {
            mouse.moved = 1;
        }
    }
    UpdateCursor(point, 1);
}

void WavePane::MoveDuringDrag(uint modKeys, TPoint const &point) {
    if (!(modKeys & MK_LBUTTON)) {
        TPoint at = point;
        EvLButtonUp(modKeys, at);
        return;
    }
    if (mouse.dragMode == 1) {
        int channels = ChannelsAt(point);
        if (channels != dragChannels_) {
            wave_->SetActiveChannels(channels, 1);
            dragChannels_ = channels;
        }
        AutoScrollSelect();
        if (WaveScrollBar *bar = view_->GetHorizontalScrollBar())
            bar->EnableAutoScroll(this);
        view_->UpdateStatusPosition();
    } else {
        DragLevelTo(point.y);
    }
    if (StatusBar *status = TheWaveFrame().GetStatusBar())
        if (status->GetHandle())
            status->UpdateWindow();
}

// The bar scrolls a step; the selection edge follows the mouse, kept inside the pane.
void WavePane::AutoScrollSelect() {
    WaveScrollBar *bar = view_->GetHorizontalScrollBar();
    if (bar)
        bar->AutoScroll();
    if (mouse.dragMode != 1 || mouse.capturing != this)
        return;
    POINT cursor;
    ::GetCursorPos(&cursor);
    ::ScreenToClient(GetHandle(), &cursor);
    TRect client = GetClientRect();
    int x = std::min(std::max(int(cursor.x) - grabX_, int(client.left)), int(client.right) - 1);
    DragSelectionTo(x);
    view_->UpdateStatusSelection();
}

// ---- release

void WavePane::EvLButtonUp(uint, TPoint &point) {
    if (mouse.capturing != this) {
        DoubleView::ClearActivationClick();
        return;
    }
    ++finishing;
    try {
        if (mouse.rubber)
            FinishRubber();
        else if (mouse.dragMode == 1)
            FinishSelectionDrag();
        if (!mouse.moved && !mouse.dragMode && mouse.pressedInside && !DoubleView::IsActivationClick()) {
            wave_->ClearSelection(1);
            SetCaretAt(point);
        } else if (mouse.moved) {
            Drop(point);
        }
    } catch (AException const &e) {
        Warn(e);
    }
    --finishing;
    EndGesture();
}

// A narrow band in the overview shows the main view from there; a wider one zooms the main
// view to it.
void WavePane::FinishRubber() {
    TRect band = mouse.rubber->GetRect();
    mouse.rubber->Stop();
    POINT ends[2] = {{band.left, band.top}, {band.right, band.bottom}};
    ::ScreenToClient(GetHandle(), &ends[0]);
    ::ScreenToClient(GetHandle(), &ends[1]);
    int first = std::max(FrameAt(std::min(ends[0].x, ends[1].x)), 0);
    int last = std::max(FrameAt(std::max(ends[0].x, ends[1].x)), first);
    DoubleView *doubleView = view_->GetDoubleView();
    WaveView *main = doubleView ? doubleView->GetMainView() : view_;
    if (band.Width() < 2) {
        if (view_->IsOverview())
            main->ScrollToFrame(first, 1);
        return;
    }
    main->ZoomToRange(first, last, 100);
    if (!view_->IsOverview() && doubleView && !doubleView->AllowsMouseTool(TheWaveWindowSettings().mouseTool))
        TheWaveWindowSettings().mouseTool = 0;
}

// The edges snap to zero crossings unless the zoom shows the samples; the caret goes to the
// edge dragged.
void WavePane::FinishSelectionDrag() {
    if (WaveScrollBar *bar = view_->GetHorizontalScrollBar())
        bar->EnableAutoScroll(nullptr);
    if (!wave_->HasSelection())
        return;
    if (TheWaveSettings().snapOn && SnapsAtZoom(view_->GetZoom()))
        wave_->SnapSelectionToZeroCrossings(dragStart_ || mouse.newSelection, dragEnd_ || mouse.newSelection);
    if (!wave_->IsPlaying())
        wave_->SetCaret(wave_->GetActiveChannels(),
                        dragStart_ ? wave_->GetSelectionStart() : wave_->GetSelectionEnd() + 1, 0);
    else if (mouse.pressedOutside)
        wave_->SetCaret(wave_->GetActiveChannels(), wave_->GetSelectionStart(), 0);
}

void WavePane::EndGesture() {
    PaneMouseState ended = mouse;
    mouse = PaneMouseState();
    // cleared before the capture goes, so that the capture's loss finds nothing to end
    delete ended.rubber;
    if (ended.dropPane && ended.dropLines)
        ended.dropPane->InvertDropLines(ended.dropX, ended.dropLines);
    if (ended.dragMode == 1)
        if (WaveScrollBar *bar = view_->GetHorizontalScrollBar())
            bar->EnableAutoScroll(nullptr);
    if (ended.capturing && ::GetCapture() == GetHandle())
        ::ReleaseCapture();
    if (ended.playFromClick) {
        ThePlayback().StopAndWait();
        TheWaveWindowSettings().scrollOnPlay = ended.savedScrollOnPlay;
        if (ended.wasPlaying)
            wave_->Play(0, kPlayFromFrame, ended.clickedFrame, 0, nullptr);
    }
    DoubleView::ClearActivationClick();
}

// Another window took the mouse (a switch of application, a menu, a box): the gesture ends
// without its drop.
void WavePane::EvCaptureChanged(LPARAM) {
    if (mouse.capturing == this && !finishing)
        EndGesture();
}

void WavePane::EvCancelMode() {
    if (mouse.capturing == this)
        EndGesture();
}

void WavePane::EvDestroy() {
    if (mouse.capturing == this)
        EndGesture();
    if (mouse.dropPane == this)
        mouse.dropPane = nullptr, mouse.dropLines = 0;
    TWindow::EvDestroy();
}

// ---- double click and the context menu

void WavePane::EvLButtonDblClk(uint, TPoint &point) {
    int tool = view_->GetMouseTool();
    if (tool == 3 || tool == 4) {
        NudgeSelection(tool);
        return;
    }
    if (tool == 1)
        return;
    int frame = std::min(std::max(FrameAt(point.x), 0), wave_->GetLength());
    if (ReadHeldKeys().ctrl) {
        wave_->SetCaret(wave_->GetActiveChannels(), frame, 0);
        if (TWindow *frameWindow = _docManager ? _docManager->GetMainWindow() : nullptr)
            frameWindow->PostMessageA(WM_COMMAND, 845, 0);
    } else {
        wave_->SelectRegionAt(ChannelsAt(point), frame, 1);
    }
}

void WavePane::EvRButtonDown(uint, TPoint &point) {
    DoubleView *doubleView = view_->GetDoubleView();
    TModule *module = TModule::GetLocalizedDLL();
    TWindow *frameWindow = _docManager ? _docManager->GetMainWindow() : nullptr;
    if (!doubleView || DoubleView::GetActive() != doubleView || !module || !frameWindow)
        return;
    HMENU menu = ::LoadMenuA(module->GetHandle(), MAKEINTRESOURCEA(kContextMenu));
    if (!menu)
        return;
    HMENU popup = ::GetSubMenu(menu, 0);
    int count = popup ? ::GetMenuItemCount(popup) : 0;
    if (!view_->IsOverview() && count >= 2)
        if (HMENU shown = ::GetSubMenu(popup, count - 2))
            for (int i = 0; i < ::GetMenuItemCount(shown); ++i)
                if (::GetMenuItemID(shown, i) == kCmShadowBarTop) {
                    for (int n = 0; n < 3; ++n)
                        ::DeleteMenu(shown, i, MF_BYPOSITION);
                    break;
                }
    DoubleView::SetCommandTargetOverride(GetHandle());
    TPoint screen = point;
    ::ClientToScreen(GetHandle(), &screen);
    if (popup)
        ::TrackPopupMenu(popup, TPM_RIGHTBUTTON, screen.x, screen.y, 0, frameWindow->GetHandle(), nullptr);
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
    DoubleView::SetCommandTargetOverride(0);
    ::DestroyMenu(menu);
}

// ---- the cursor

int WavePane::EvSetCursor(HWND, uint hitTest, uint mouseMsg) {
    if (hitTest != HTCLIENT)
        return 0;
    if (mouseMsg != WM_MOUSEMOVE) {
        POINT at;
        ::GetCursorPos(&at);
        ::ScreenToClient(GetHandle(), &at);
        UpdateCursor(TPoint(at.x, at.y), 1);
    }
    return 1;
}

namespace {

HCURSOR LoadPaneCursor(int id, TModule *own) {
    if (id >= 32512)
        return ::LoadCursorA(nullptr, MAKEINTRESOURCEA(id));
    int numbered = GetCursorId(id);
    for (TModule *module : {own, TModule::GetLocalizedDLL()})
        if (module)
            if (HCURSOR cursor = module->LoadCursorA(numbered))
                return cursor;
    return ::LoadCursorA(nullptr, IDC_ARROW);
}

}  // namespace

void WavePane::UpdateCursor(TPoint const &point, int set) {
    int id = CursorFor(point);
    shownCursor = id;
    if (set)
        ::SetCursor(LoadPaneCursor(id, GetCommonModule()));
}

int WavePane::CursorFor(TPoint const &point) {
    enum { kArrow = 32512, kWestEast = 32644, kNorthSouth = 32645, kZoom = 171 };
    if (mouse.moved)
        return DropCursor(point);
    if (mouse.rubber)
        return kZoom;
    if (mouse.dragMode == 1)
        return kWestEast;
    if (mouse.dragMode == 2)
        return kNorthSouth;
    bool twoPanes = view_->GetPane(0) && view_->GetPane(1);
    int channels = ChannelsAt(point);
    switch (view_->GetMouseTool()) {
    case 1: return twoPanes ? (channels == 1 ? 271 : channels == 2 ? 281 : 261) : 261;
    case 2: return kZoom;
    case 3: return 121;
    case 4: return 131;
    default: break;
    }
    switch (HitTestSelection(point)) {
    case 1: return kWestEast;
    case 2: return kNorthSouth;
    case 3: return kArrow;
    default: return twoPanes ? channels * 10 : 30;
    }
}
