// The time ruler's mouse: the hint and cursor over a marker's glyph, a click that sets
// the caret, a glyph dragged to move, copy or delete its marker, and the double click.
#include "waveview/TimeScale.h"

#include "audio/PlayRequest.h"
#include "audio/PlaybackLink.h"
#include "audio/Wave.h"
#include "audio/WaveLinks.h"
#include "audio/WaveSettings.h"
#include "audio/WaveUndo.h"
#include "core/Application.h"
#include "core/FrameWindow.h"
#include "core/Module.h"
#include "foundation/Exception.h"
#include "manager/DocumentManager.h"
#include "waveview/DoubleView.h"
#include "waveview/MarkerCommands.h"
#include "waveview/MarkerWindow.h"
#include "waveview/MouseKeys.h"
#include "waveview/WavePane.h"
#include "waveview/WaveView.h"
#include "waveview/ZeroCrossingSnap.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdlib>

namespace {

enum {
    kCursorOnMarker = 791,
    kCursorMove = 801,     // 811, 821, 831 by type
    kCursorDelete = 841,   // 851, 861, 871 by type
    kTextMoveMarker = 11311,
    kTextCopyMarker = 11312,
    kTextDeleteMarker = 11313,
    kSnapCaret = 61,
    kSnapMarker = 62,
    kCmStop = 131,
};

// One drag at a time, whichever ruler runs it.
struct DragState {
    TimeScale *ruler = nullptr;
    int marker = -1;
    TPoint start;
    long position = -1;  // where the drag line stands, -1 none
    bool caret = false;
    bool moving = false;
    bool moved = false;
};

DragState drag;
int clickedMarker = -1;

// The floating hint over the glyphs.
HWND hint = 0;
int hintMarker = -1;

void SetCursorResource(int id) {
    HCURSOR cursor = TModule::_commonResourceDLL
                         ? ::LoadCursorA(TModule::_commonResourceDLL->GetHandle(), MAKEINTRESOURCEA(id))
                         : nullptr;
    ::SetCursor(cursor ? cursor : ::LoadCursorA(nullptr, IDC_ARROW));
}

// Track types (2, 6), ends (3, 7) and splices (4, 8) have cursors of their own.
int TypeCursor(int type, bool deleting) {
    int base = deleting ? kCursorDelete : kCursorMove;
    switch (type) {
    case Marker::kTrackStart:
    case Marker::kRangeStart: return base + 10;
    case Marker::kTrackEnd:
    case Marker::kRangeEnd: return base + 20;
    case Marker::kTrackSplice:
    case Marker::kRangeSplice: return base + 30;
    default: return base;
    }
}

// The line across a view's panes where a dragged marker would land, drawn by inverting.
void InvertDragLine(WaveView &view, long position) {
    WavePane *pane = view.GetFirstPane();
    if (position >= 0 && pane && pane->GetHandle())
        pane->InvertDropLines(pane->FrameX(int(position)), 2);
}

bool InsideWindow(TWindow *window, POINT screen) {
    if (!window || !window->GetHandle())
        return false;
    TRect r = window->GetWindowRect();
    return ::PtInRect(&r, screen) != 0;
}

void HideHint() {
    if (hint)
        ::SendMessageA(hint, TTM_TRACKACTIVATE, FALSE, 0);
    hintMarker = -1;
}

bool HintShown() { return hint && ::IsWindowVisible(hint); }

void ShowHint(HWND owner, String const &text) {
    TOOLINFOA info = {};
    info.cbSize = sizeof info;
    info.uFlags = TTF_TRACK | TTF_ABSOLUTE;
    info.hwnd = owner;
    info.lpszText = const_cast<char *>(text.c_str());
    if (!hint || ::GetParent(hint) != owner) {
        if (hint)
            ::DestroyWindow(hint);
        hint = ::CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP, 0,
                                 0, 0, 0, owner, nullptr, nullptr, nullptr);
        if (!hint)
            return;
        ::SendMessageA(hint, TTM_ADDTOOLA, 0, LPARAM(&info));
    }
    ::SendMessageA(hint, TTM_UPDATETIPTEXTA, 0, LPARAM(&info));
    POINT cursor;
    ::GetCursorPos(&cursor);
    ::SendMessageA(hint, TTM_TRACKPOSITION, 0, MAKELPARAM(cursor.x + 12, cursor.y + 16));
    ::SendMessageA(hint, TTM_TRACKACTIVATE, TRUE, LPARAM(&info));
}

bool AnotherWavePlays() {
    for (Document *doc = _docManager ? _docManager->FindFirstDoc() : nullptr; doc; doc = _docManager->FindNextDoc(doc))
        if (Wave *wave = dynamic_cast<Wave *>(doc))
            if (wave->IsPlaying())
                return true;
    return false;
}

long Clamped(long position, Wave &wave) { return std::min<long>(std::max<long>(position, 0), wave.GetLength()); }

}  // namespace

bool TimeScale::IsDragging() { return drag.ruler != nullptr; }

void TimeScale::CleanupWindow() {
    if (drag.ruler == this) {
        drag = DragState();
        ::ClipCursor(nullptr);
    }
    if (hint && ::GetParent(hint) == GetHandle()) {
        ::DestroyWindow(hint);
        hint = 0;
        hintMarker = -1;
    }
    TWindow::CleanupWindow();
}

int TimeScale::GetClickedMarker() { return clickedMarker; }

void TimeScale::SetClickedMarker(int index) { clickedMarker = index; }

// The hint names the marker, then gives its position.
int TimeScale::EvSetCursor(HWND, uint, uint) {
    HWND capture = ::GetCapture();
    if ((capture && capture != GetHandle()) || drag.moving)
        return 1;
    POINT screen;
    ::GetCursorPos(&screen);
    TPoint point(screen.x, screen.y);
    ::ScreenToClient(GetHandle(), &point);
    int index = -1;
    Marker *marker = style_->showMarkers ? MarkerAt(point, &index) : nullptr;
    if (!marker) {
        HideHint();
        ::SetCursor(::LoadCursorA(nullptr, IDC_ARROW));
        return 1;
    }
    if (!HintShown())
        hintMarker = -1;
    if (index != hintMarker) {
        String position = view_->GetPositionText(marker->position_);
        String text = marker->name_.IsEmpty() ? position : marker->name_ + " (" + position + ")";
        ShowHint(GetHandle(), text);
        hintMarker = index;
    }
    SetCursorResource(kCursorOnMarker);
    return 1;
}

void TimeScale::EvLButtonDown(uint, TPoint &point) {
    HideHint();
    drag = DragState();
    drag.ruler = this;
    SetCapture();
    int index = -1;
    Marker *marker = style_->showMarkers ? MarkerAt(point, &index) : nullptr;
    Wave &wave = *view_->GetWave();
    if (!marker) {
        drag.caret = true;
        wave.SetCaret(wave.GetActiveChannels(), int(Clamped(SnappedPositionAt(point, kSnapCaret), wave)));
        return;
    }
    drag.moving = true;
    drag.marker = index;
    drag.start = point;
    SetCursorResource(kCursorOnMarker);
    marker->flags_ |= Marker::kHighlighted;
    InvalidateGlyph(marker->position_);
    drag.position = marker->position_;
    InvertDragLine(*view_, drag.position);
    TRect confine = GetWindowRect();
    confine.top = 0;
    ::ClipCursor(&confine);
}

void TimeScale::EvMouseMove(uint keys, TPoint &point) {
    if (drag.ruler != this)
        return;
    Wave &wave = *view_->GetWave();
    if (drag.caret) {
        if (keys & MK_LBUTTON)
            wave.SetCaret(wave.GetActiveChannels(), int(Clamped(SnappedPositionAt(point, kSnapCaret), wave)));
        else
            EvLButtonUp(keys, point);
        return;
    }
    Marker *marker = drag.moving ? wave.GetMarkers().GetMarker(drag.marker) : nullptr;
    if (!marker)
        return;
    if (std::abs(point.x - drag.start.x) > 2 || std::abs(point.y - drag.start.y) > 2)
        drag.moved = true;
    if (!IsInDropArea(point)) {
        SetCursorResource(TypeCursor(marker->type_, true));
        InvertDragLine(*view_, drag.position);
        drag.position = -1;
        return;
    }
    if (!drag.moved) {
        SetCursorResource(kCursorOnMarker);
        return;
    }
    SetCursorResource(TypeCursor(marker->type_, false));
    long position = Clamped(SnappedPositionAt(point, kSnapMarker), wave);
    if (position != drag.position) {
        InvertDragLine(*view_, drag.position);
        InvertDragLine(*view_, position);
        drag.position = position;
    }
}

bool TimeScale::IsInDropArea(TPoint point) const {
    POINT screen = point;
    ::ClientToScreen(GetHandle(), &screen);
    return InsideWindow(const_cast<TimeScale *>(this), screen) || InsideWindow(view_->GetPane(0), screen) ||
           InsideWindow(view_->GetPane(1), screen);
}

void TimeScale::EvLButtonUp(uint, TPoint &point) {
    DragState done = drag;
    drag = DragState();
    if (::GetCapture() == GetHandle())
        ::ReleaseCapture();
    if (done.ruler == this && done.caret)
        FollowCaretWhilePlaying();
    else if (done.ruler == this && done.moving)
        DropMarker(done.marker, done.moved, IsInDropArea(point) ? done.position : -1, point);
    ::ClipCursor(nullptr);
}

// Playback of this wave goes on from the new caret; another wave playing stops and this
// one plays (not with Ctrl).
void TimeScale::FollowCaretWhilePlaying() {
    Wave &wave = *view_->GetWave();
    if (wave.IsPlaying()) {
        wave.NotifyViews(kNotifyCaretMoved, wave.GetCaret());
        ThePlayback().RequeueFrom(wave.GetCaret(), 1);
        return;
    }
    if (ReadHeldKeys().ctrl || !AnotherWavePlays())
        return;
    if (TFrameWindow *frame = _docManager->GetMainWindow())
        frame->SendMessageA(WM_COMMAND, kCmStop, 0);
    wave.Play(1, kPlayFromFrame, wave.GetCaret(), 0, nullptr);
}

// Inside the drop area the marker moves (with Shift a copy goes there); outside it goes.
void TimeScale::DropMarker(int index, bool moved, long position, TPoint point) {
    ::SetCursor(::LoadCursorA(nullptr, IDC_ARROW));
    Wave &wave = *view_->GetWave();
    Marker *marker = wave.GetMarkers().GetMarker(index);
    if (!marker)
        return;
    marker->flags_ &= ~Marker::kHighlighted;
    InvertDragLine(*view_, position);
    InvalidateGlyph(marker->position_);
    if (position < 0 && IsInDropArea(point))
        return;
    if (position < 0) {
        EditMarkers(wave, kTextDeleteMarker, [index](MarkerSet &markers) {
            markers.Remove(index);
            return true;
        });
        return;
    }
    if (position == marker->position_ || !moved)
        return;
    if (TheWaveSettings().snapOn && SnapsAtZoom(view_->GetZoom()))
        position = wave.FindZeroCrossing(2, AllChannelsMask(wave.GetNumChannels()), int(position),
                                         std::max(wave.GetLength() - 1, 0));
    if (ReadHeldKeys().shift) {
        EditMarkers(wave, kTextCopyMarker,
                    [index, position](MarkerSet &markers) { return markers.CopyMarkerTo(index, int32_t(position)) != 0; });
        return;
    }
    ::ClipCursor(nullptr);
    EditMarkers(wave, kTextMoveMarker,
                [index, position](MarkerSet &markers) { return markers.MoveMarkerTo(index, int32_t(position)) != 0; });
}

// No marker: the marker window. Alt: the marker's dialog. Else playback goes on from the
// marker, or the caret goes to it.
void TimeScale::EvLButtonDblClk(uint, TPoint &point) {
    int index = -1;
    Marker *marker = MarkerAt(point, &index);
    DoubleView *doubleView = view_->GetDoubleView();
    if (!marker) {
        ShowMarkerWindow(true);
        return;
    }
    Wave &wave = *view_->GetWave();
    if (ReadHeldKeys().alt) {
        SetCurrentMarker(&wave, index);
        if (doubleView && doubleView->GetHandle())
            doubleView->SendMessageA(WM_COMMAND, kCmEditMarker, 0);
        return;
    }
    if (wave.IsPlaying()) {
        if (marker->position_ < wave.GetLength())
            ThePlayback().RequeueFrom(marker->position_, 1);
        return;
    }
    wave.SetCaret(wave.GetActiveChannels(), marker->position_);
}

void TimeScale::EditMarkers(Wave &wave, int actionMessage, std::function<bool(MarkerSet &)> const &edit) {
    try {
        if (!wave.CheckNotBusy(1))
            return;
        MarkerEdit change(wave, actionMessage);
        if (edit(wave.GetMarkers()) && change.Commit())
            TellMarkersChanged(wave);
    } catch (AException const &e) {
        GetApplicationObject()->WarnUser(e, 1);
    }
}
