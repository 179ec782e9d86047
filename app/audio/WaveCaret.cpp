// The caret of a wave and what moves it: placing it with the views told, the key moves of
// the wave window (by steps, pages, to the ends, extending the selection), the play start,
// cycling the active channels, and the length text of the status line.
#include "audio/Wave.h"

#include "audio/PlaybackLink.h"
#include "audio/WaveLinks.h"
#include "manager/DocumentManager.h"

#include <algorithm>
#include <cstdlib>

namespace {

// Set by whoever shows a position of its own for the time being; -1 when none.
int positionOverride = -1;

}  // namespace

void Wave::SetPositionOverride(int position) { positionOverride = position; }

// The play-pending word is the caret-set flag: placing the caret sets it, a play clears it.
void Wave::SetCaretPosition(int position) {
    caret_ = std::max(position, 0);
    playPending_ = 1;
    NotifyViews(kNotifyCaretMoved, caret_);
}

int Wave::SetCaret(int channels, int position, int deferred) {
    playPending_ = 1;
    position = std::max(position, 0);
    if (channels == activeChannels_ && position == caret_)
        return 0;
    if (deferred)
        NotifyViews(kNotifyHideCaret);
    activeChannels_ = channels;
    caret_ = position;
    if (!deferred)
        NotifyViews(kNotifyCaretMoved, position);
    return 1;
}

int Wave::GetCurrentPosition() const {
    if (positionOverride >= 0)
        return positionOverride;
    return playPending_ ? caret_ : GetPlayOrCaretPosition();
}

void Wave::CycleActiveChannels() {
    if (GetNumChannels() != 2)
        return;
    int active = GetActiveChannels();
    int next = active == 3 ? 1 : active == 1 ? 2 : 3;
    bool playing = IsPlaying();
    if (!playing)
        NotifyViews(kNotifyHideCaret);
    if (selectionStart_ >= 0) {
        SetSelection(selectionStart_, selectionEnd_, next, 0);
        NotifyViews(kNotifyBothRange, selectionStart_, selectionEnd_);
    } else {
        activeChannels_ = next;
    }
    if (!playing)
        NotifyViews(kNotifyShowCaret);
}

// A release already asked for is handled first; else the caret follows the play start and
// the active wave window brings it into sight.
void Wave::SetPlayStart(int position, int keep) {
    AudioObject::SetPlayStart(position, keep);
    if (IsReleasePending()) {
        if (_docManager)
            _docManager->PumpWaitingMessages();
    } else if (!keep) {
        SetCaret(GetActiveChannels(), playStart_);
        TheWaveWindowLink().ShowCaretInActiveWindow(*this);
    }
}

// ---- key moves

void Wave::MoveCaretTo(CaretView &view, int position) {
    SetCaret(GetActiveChannels(), std::min(std::max(position, 0), GetLength()));
    view.ShowCaret();
}

// The selection edge away from the caret stays; without a selection, the caret's place.
// The caret stands before the first selected frame or after the last one.
void Wave::ExtendSelectionTo(CaretView &view, int position) {
    position = std::min(std::max(position, 0), GetLength());
    int anchor = caret_;
    if (selectionStart_ >= 0) {
        int afterEnd = selectionEnd_ + 1;
        bool atStart = std::abs(caret_ - selectionStart_) <= std::abs(caret_ - afterEnd);
        anchor = atStart ? afterEnd : selectionStart_;
    }
    if (position == anchor)
        ClearSelection(1);
    else
        SetSelection(std::min(anchor, position), std::max(anchor, position) - 1, GetActiveChannels(), 1);
    SetCaret(GetActiveChannels(), position);
    view.ShowCaret();
}

void Wave::MoveCaretLeft(CaretView &view, int steps) { MoveCaretTo(view, caret_ - view.FramesForSteps(steps)); }

void Wave::MoveCaretRight(CaretView &view, int steps) { MoveCaretTo(view, caret_ + view.FramesForSteps(steps)); }

void Wave::MoveCaretPageLeft(CaretView &view) { MoveCaretTo(view, caret_ - view.GetVisibleLength()); }

void Wave::MoveCaretPageRight(CaretView &view) { MoveCaretTo(view, caret_ + view.GetVisibleLength()); }

void Wave::MoveCaretToStart(CaretView &view) {
    if (IsPlaying())
        ThePlayback().RequeueFrom(0, 1);
    else
        MoveCaretTo(view, 0);
}

void Wave::MoveCaretToEnd(CaretView &view) { MoveCaretTo(view, GetLength()); }

void Wave::ExtendSelectionLeft(CaretView &view, int steps) {
    ExtendSelectionTo(view, caret_ - view.FramesForSteps(steps));
}

void Wave::ExtendSelectionRight(CaretView &view, int steps) {
    ExtendSelectionTo(view, caret_ + view.FramesForSteps(steps));
}

void Wave::SelectToStart(CaretView &view) { ExtendSelectionTo(view, 0); }

void Wave::SelectToEnd(CaretView &view) { ExtendSelectionTo(view, GetLength()); }

// ---- the status line

// Seconds unless the unit in use is samples.
String Wave::GetLengthText(int selection) {
    bool selected = selection && HasSelection();
    WaveWindowLink &window = TheWaveWindowLink();
    unsigned unit = window.GetGlobalTimeUnit() == 1 ? 1 : 0;
    String length = window.FormatPosition(selected ? GetSelectionLength() : GetLength(), unit, 1000, *this);
    if (!selected)
        return length;
    String text("[");
    text.Append(length);
    text.Append("]");
    return text;
}
