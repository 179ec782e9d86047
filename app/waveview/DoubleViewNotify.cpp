// What the double view does with the document's notifications: redraws of ranges, the
// caret and the play cursor in every pane, the zooms that follow a new length.
#include "waveview/DoubleView.h"

#include "audio/Wave.h"
#include "waveview/MarkerWindow.h"
#include "waveview/WaveFrame.h"
#include "waveview/WavePane.h"
#include "waveview/WaveView.h"

#include <algorithm>

namespace {

struct CursorMove {
    int which;
    int frame;
};

void MoveCursor(WavePane &pane, void *arg) {
    CursorMove const &move = *static_cast<CursorMove const *>(arg);
    pane.DrawCursor(move.which, move.frame);
}

void HidePaneCaret(WavePane &pane, void *) {
    if (pane.GetCursorFrame(WavePane::kCaret) >= 0)
        pane.DrawCursor(WavePane::kCaret, -1);
}

void ShowPaneCaret(WavePane &pane, void *) {
    if (pane.GetCursorFrame(WavePane::kCaret) < 0)
        pane.DrawCursor(WavePane::kCaret, pane.GetWave()->GetCaret());
}

// To the caret where the pane's channel is active, else away.
void FollowCaret(WavePane &pane, void *) {
    Wave &wave = *pane.GetWave();
    pane.DrawCursor(WavePane::kCaret, wave.IsChannelActive(pane.GetChannel()) ? wave.GetCaret() : -1);
}

void BlinkCaret(WavePane &pane, void *) { pane.ShowCaretBlink(pane.GetWave()->GetCaret()); }

void InvalidatePane(WavePane &pane, void *) { pane.Invalidate(true); }

// The largest table value not above the target, the first when all are above it.
int ZoomAtOrBelow(int target) {
    ZoomState table = ZoomState::Horizontal();
    int z = table.Entry(0);
    for (int i = 0; i < table.TableSize(); ++i)
        if (table.Entry(i) <= target)
            z = table.Entry(i);
    return z;
}

}  // namespace

int DoubleView::Handler(int code, long a, long b) {
    if (code == kNotifyAll || code == kNotifyMarkers)
        MarkerWindow::NoteWaveChanged(*wave_);
    if (!main_)
        return 1;
    switch (code) {
    case kNotifyAll:
        if (wave_->GetLength() != lastLength_)
            RefitToLength();
        for (WaveView *view : {main_, overview_})
            if (view)
                view->ForgetDrawnRange();
        if (a == 1)
            ForEachPane(InvalidatePane, nullptr);
        else if (GetHandle())
            RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
        break;
    case kNotifyLeftRange: RedrawChannel(0, a, b); break;
    case kNotifyRightRange: RedrawChannel(1, a, b); break;
    case kNotifyBothRange:
        RedrawChannel(0, a, b);
        RedrawChannel(1, a, b);
        break;
    case kNotifyHideCaret:
        TheWaveFrame().SetBlinkPhase(0);
        ForEachPane(HidePaneCaret, nullptr);
        break;
    case kNotifyShowCaret:
        TheWaveFrame().SetBlinkPhase(2);
        ForEachPane(ShowPaneCaret, nullptr);
        break;
    case kNotifyPlayCursor: {
        CursorMove move = {WavePane::kPlayCursor, int(a)};
        ForEachPane(MoveCursor, &move);
        break;
    }
    case kNotifyPlayCursorOff: {
        CursorMove move = {WavePane::kPlayCursor, -1};
        ForEachPane(MoveCursor, &move);
        break;
    }
    case kNotifyCaretMoved:
        TheWaveFrame().SetBlinkPhase(0);
        ForEachPane(FollowCaret, nullptr);
        break;
    case kNotifyMarkers: InvalidateTimeScales(); break;
    case kNotifyCaretBlink: ForEachPane(BlinkCaret, nullptr); break;
    default: break;
    }
    return 1;
}

// The range's cached columns go too: the samples under them may have changed.
void DoubleView::RedrawChannel(int channel, long first, long last) {
    for (WaveView *view : {main_, overview_}) {
        if (!view)
            continue;
        view->ForgetDrawnRange();
        if (WavePane *pane = view->GetPane(channel))
            pane->InvalidateFrames(int(first), int(last));
    }
}

// Waits for a width: a window too narrow (or minimised) is fitted at its next size.
void DoubleView::RefitToLength() {
    int length = wave_->GetLength();
    int width = main_->GetHandle() ? main_->GetClientRect().Width() : 0;
    if (width < 2) {
        refitPending_ = 1;
        return;
    }
    refitPending_ = 0;
    int target = length / -(width / 2);
    int paneWidth = std::max(main_->GetPaneWidth(), 1);
    int n = length / paneWidth;
    for (WaveView *view : {main_, overview_}) {
        if (!view)
            continue;
        view->FollowLength();
        int z = lastLength_ == 0 ? (n < 2 ? 1 : -n) : ZoomAtOrBelow(target);
        view->SetZoomValue(z);
        view->Relayout();
        view->InvalidateRulerAndShadow();
        view->ResetScrollRange();
    }
    lastLength_ = length;
    UpdateStatusBar();
}

void DoubleView::OnMainViewSized() {
    if (refitPending_)
        RefitToLength();
}
