// The caret and the play cursor of a pane, drawn by inverting columns so that moving them
// repaints no waveform; the caret's blinking; redrawing a range of frames.
#include "waveview/WavePane.h"

#include "audio/Wave.h"
#include "core/Dc.h"
#include "core/GdiObject.h"
#include "engine/AudioState.h"
#include "engine/Playback.h"
#include "waveview/PaneRedraw.h"
#include "waveview/WaveFrame.h"
#include "waveview/WaveView.h"
#include "waveview/WaveWindowSettings.h"

#include <algorithm>

namespace {

int const kXLimit = 16000;

int ClampX(int x) { return std::min(std::max(x, -kXLimit), kXLimit); }

}  // namespace

void WavePane::InvalidateFrames(int first, int last) {
    if (!GetHandle())
        return;
    if (first < 0 || last < 0) {
        Invalidate(true);
    } else {
        TRect r = GetClientRect();
        r.left = ClampX(FrameX(first));
        r.right = ClampX(FrameX(last + CaretWidth()) + 1);
        InvalidateRect(r, true);
    }
    UpdateWindow();
}

bool WavePane::CursorBelongs(int which) const {
    if (which == kPlayCursor)
        return (ThePlaybackEngine().GetPlayedChannels() & channelBit_) != 0;
    return wave_->IsChannelActive(channel_);
}

void WavePane::InvertColumns(TDC &dc, int from, int to) {
    if (from >= to)
        return;
    TRect r = GetClientRect();
    ::PatBlt(dc, from, r.top, to - from, r.Height(), PATINVERT);
}

void WavePane::DrawCursor(int which, int frame) {
    CursorSlot &slot = cursors_[which];
    if (!CursorBelongs(which)) {
        if (slot.frame < 0)
            return;
        frame = -1;
    }
    if (!GetHandle())
        return;
    int p = view_->GetScrollPosition();
    int newX = frame >= 0 ? FramesToPixels(frame, view_->GetZoom()) : 0;
    int width = GetClientRect().Width();
    if (which == kPlayCursor && frame >= 0 && TheWaveWindowSettings().scrollOnPlay &&
        (newX - p < 0 || newX - p >= width)) {
        slot = {frame, newX};
        Invalidate(false);
        if (channel_ == 1 || !view_->GetPane(1)) {
            view_->SetScrollFromFrame(frame);
            view_->InvalidateRulerAndShadow();
        }
        return;
    }
    TClientDC dc(GetHandle());
    TBrush brush(TColor(COLORREF(colors_->colors[WavePaneColors::kCaret])));
    HGDIOBJ old = ::SelectObject(dc, brush);
    int w = CaretWidth();
    int oldFrom = slot.frame >= 0 ? slot.x - p : 0, oldTo = slot.frame >= 0 ? oldFrom + w : 0;
    int newFrom = frame >= 0 ? newX - p : 0, newTo = frame >= 0 ? newFrom + w : 0;
    // where the two overlap the columns stay as they are
    int overlapFrom = std::max(oldFrom, newFrom), overlapTo = std::min(oldTo, newTo);
    if (overlapFrom >= overlapTo)
        overlapFrom = overlapTo = oldTo;
    InvertColumns(dc, oldFrom, std::min(oldTo, overlapFrom));
    InvertColumns(dc, std::max(oldFrom, overlapTo), oldTo);
    InvertColumns(dc, newFrom, std::min(newTo, overlapFrom));
    InvertColumns(dc, std::max(newFrom, overlapTo), newTo);
    ::SelectObject(dc, old);
    slot = {frame, newX};
}

void WavePane::ShowCaretBlink(int frame) {
    if (frame < 0 || PanePainting::IsActive())
        return;
    PanePainting painting;
    int phase = TheWaveFrame().GetBlinkPhase();
    if (phase && cursors_[kCaret].frame < 0)
        DrawCursor(kCaret, frame);
    else if (!phase && cursors_[kCaret].frame >= 0)
        DrawCursor(kCaret, -1);
}

void WavePane::ShowCaretNow() {
    TheWaveFrame().SetBlinkPhase(2);
    ShowCaretBlink(wave_->GetCaret());
}
