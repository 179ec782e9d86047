// Zooming and scrolling a wave view: the zoom by value or slider index, to a range and to
// fit, the vertical zoom and fitting it to the peaks, scrolling to a frame, keeping the
// caret in sight, and what the first size event restores.
#include "waveview/WaveView.h"

#include "audio/Wave.h"
#include "controls/Slider.h"
#include "waveview/DoubleView.h"
#include "waveview/TimeScale.h"
#include "waveview/WavePane.h"
#include "waveview/WaveScrollBar.h"
#include "waveview/WaveWindowSettings.h"

#include <algorithm>
#include <cstdlib>

namespace {

int const kFitPercent = 70;

int ScreenWidth() { return std::max(::GetSystemMetrics(SM_CXFULLSCREEN), 2); }

}  // namespace

void WaveView::LimitZoomIn(int notifySlider) {
    int before = zoom_.Value();
    if (!zoom_.LimitZoomIn(wave_->GetLength()))
        return;
    if (notifySlider && horizontalSlider_) {
        horizontalSlider_->SetRange(0, zoom_.LastIndex());
        horizontalSlider_->SetPosition(zoom_.Index());
    }
    if (zoom_.Value() != before && horizontalBar_ && horizontalBar_->GetHandle()) {
        ResetScrollRange();
        InvalidatePanes(false);
    }
}

void WaveView::FollowLength() {
    zoom_.StartUsableAt(UsableZoomStart(wave_->GetLength(), ScreenWidth()));
    zoom_.LimitZoomIn(wave_->GetLength());
    if (horizontalSlider_) {
        horizontalSlider_->SetRange(0, zoom_.LastIndex());
        horizontalSlider_->SetPosition(zoom_.Index());
    }
}

void WaveView::SetZoomValue(int z) {
    zoom_.SetValue(z);
    if (horizontalSlider_)
        horizontalSlider_->SetPosition(zoom_.Index());
}

bool WaveView::IsCaretVisible() const {
    WavePane *pane = GetFirstPane();
    if (!pane || !pane->GetHandle())
        return false;
    int caret = wave_->GetCaret();
    return caret >= pane->FrameAt(0) && caret <= pane->FrameAt(GetPaneWidth() - 1);
}

// The first visible frame stays (or keepFrame becomes first); without a frame to keep the
// caret stays in sight.
void WaveView::SetZoom(int valueOrIndex, int byIndex, int notifySlider, int keepFrame) {
    int previous = zoom_.Value();
    int first = PixelsToFrames(GetScrollPosition(), previous);
    bool keep = keepFrame != -1, caretVisible = true;
    if (!keep) {
        caretVisible = IsCaretVisible();
        keepFrame = first;
    }
    if (byIndex)
        zoom_.SetIndex(valueOrIndex);
    else
        zoom_.SetValue(valueOrIndex);
    if (zoom_.Value() == previous && keepFrame == first)
        return;
    ResetScrollRange();
    if (keep || !caretVisible) {
        ScrollToFrame(keepFrame, 1);
    } else if (!MakeSampleVisible(wave_->GetCaret(), -1)) {
        ScrollToFrame(GetFirstVisibleFrame(), 1);
    }
    if (doubleView_)
        doubleView_->UpdateStatusBar();
    if (notifySlider && horizontalSlider_)
        horizontalSlider_->SetPosition(zoom_.Index());
}

void WaveView::ZoomToRange(int first, int last, int percent) {
    int width = GetPaneWidth();
    if (first >= last || width <= 0)
        return;
    int z = ZoomForRange(int64_t(last) + 1 - first, width, percent);
    if (z != zoom_.Value())
        SetZoom(z, 0, 1, first);
}

void WaveView::ZoomToFit() {
    if (int length = wave_->GetLength())
        ZoomToRange(0, length - 1, kFitPercent);
}

void WaveView::FitWholeWave(int width) {
    zoom_.SetValue(ZoomToFitWidth(wave_->GetLength(), width));
    if (horizontalSlider_) {
        horizontalSlider_->SetPosition(zoom_.Index());
        horizontalSlider_->Invalidate(true);
    }
    ResetScrollRange();
    FitLevelToPeaks();
}

void WaveView::SetVerticalZoom(int index, int notifySlider, int anchor) {
    int before = verticalZoom_.Value();
    int entry = verticalZoom_.Entry(std::min(std::max(index, 0), verticalZoom_.LastIndex()));
    if (std::abs(entry) == std::abs(before))
        return;
    WavePane *pane = GetFirstPane();
    bool keepMiddle = false;
    int16_t middle = 0;
    int position = 0;
    if (entry != 1 && verticalBar_) {
        if (verticalBar_->GetPosition32() == 0) {
            position = CentredVerticalOffset(entry);
        } else if (anchor < 0 && pane && pane->GetHandle()) {
            keepMiddle = true;
            middle = int16_t(pane->Geometry().LevelAt(pane->GetClientRect().Height() / 2, false));
        } else {
            position = anchor;
        }
    }
    verticalZoom_.SetIndex(index);
    ResetVerticalRange(position);
    if (keepMiddle) {
        SetVerticalPositionFromLevel(*verticalBar_, *pane, middle);
        ResetVerticalRange(-1);  // within the bar's range
    }
    InvalidatePanes(false);
    InvalidateLevelScales();
    if (notifySlider && verticalSlider_)
        verticalSlider_->SetPosition(verticalZoom_.Index());
}

// The loudest column of what the panes show fills the height, at most 128 times.
void WaveView::FitLevelToPeaks() {
    WavePeakCache *cache = peakCache_.Current();
    int width = GetPaneWidth();
    if (!cache || width <= 0)
        return;
    int z = zoom_.Value(), p = GetScrollPosition();
    PeakEntry peaks =
        FindPeakExtremes(*cache, *wave_, z, PixelsToFrames(p, z), PixelsToFrames(int64_t(p) + width - 1, z));
    int loudest = std::max(std::abs(int(peaks.maximum)), std::abs(int(peaks.minimum)));
    if (loudest <= 0)
        return;
    int v = std::min(std::max(32767 / loudest, 1), 128);
    verticalZoom_.SetValue(v);
    if (verticalSlider_) {
        verticalSlider_->SetPosition(verticalZoom_.Index());
        verticalSlider_->Invalidate(true);
    }
    ResetVerticalRange(CentredVerticalOffset(v));
    Invalidate(true);
    InvalidatePanes(false);
    InvalidateLevelScales();
}

// ---- scrolling

void WaveView::ResetScrollRange() {
    if (!horizontalBar_ || !horizontalBar_->GetHandle())
        return;
    ScrollNumbers n = HorizontalScrollNumbers(wave_->GetLength(), zoom_.Value(), GetPaneWidth());
    long position = horizontalBar_->GetPosition32();
    horizontalBar_->SetBarRange(n.range, n.page, 0);
    horizontalBar_->SetPosition32(std::max(std::min<long>(position, long(n.range) - n.page), 0L));
    horizontalBar_->ComputeSteps();
}

void WaveView::ResetVerticalRange(int position) {
    if (!verticalBar_ || !verticalBar_->GetHandle())
        return;
    if (position < 0)
        position = int(verticalBar_->GetPosition32());
    int range = verticalZoom_.Value() * 100;
    verticalBar_->SetBarRange(range, 100, 0);
    verticalBar_->SetPosition32(std::max(std::min(position, range - 100), 0));
    verticalBar_->ComputeSteps();
}

int WaveView::GetFirstVisibleFrame() const { return PixelsToFrames(GetScrollPosition(), zoom_.Value()); }

int WaveView::GetVisibleLength() { return std::max(PixelsToFrames(GetPaneWidth(), zoom_.Value()), 1); }

int WaveView::ScaleByZoom(int n) const {
    int z = zoom_.Value();
    if (z <= 0)
        return PixelsToFrames(n, z);
    return n == 1 ? 1 : std::max(n / z, 4);
}

void WaveView::ScrollToFrame(int frame, int redraw) {
    int length = wave_->GetLength();
    frame = std::max(std::min(frame, length < 2 ? 0 : length - 1), 0);
    if (redraw) {
        SetScrollFromFrame(frame);
        InvalidatePanes(true);
        if (timeScale_ && timeScale_->GetHandle()) {
            timeScale_->Invalidate(true);
            timeScale_->UpdateWindow();
        }
    } else if (frame != GetFirstVisibleFrame() && horizontalBar_) {
        horizontalBar_->ScrollTo(FramesToPixels(frame, zoom_.Value()), 1);
    }
}

void WaveView::SetScrollFromFrame(int frame) {
    if (!horizontalBar_)
        return;
    long most = std::max(horizontalBar_->GetRange32() - horizontalBar_->GetBarPageSize(), 0L);
    horizontalBar_->SetPosition32(std::min<long>(std::max(ScrollPositionOf(frame, zoom_.Value()), 0), most));
    horizontalBar_->NotifyNewPos();
}

void WaveView::CenterOnFrame(int frame, int redraw) {
    ScrollToFrame(CenteredFirstFrame(frame, GetVisibleLength()), redraw);
}

int WaveView::MakeSampleVisible(int frame, int mode) {
    Visibility v = ScrollToShow(frame, mode, zoom_.Value(), GetScrollPosition(), GetPaneWidth());
    if (!v.scroll)
        return 0;
    if (mode == 0 || mode == 1)
        horizontalBar_->ScrollTo(v.position, 1);
    else
        CenterOnFrame(frame, 1);
    return 1;
}

void WaveView::ShowCaret() {
    WavePane *pane = GetFirstPane();
    if (!pane)
        return;
    int position = wave_->GetPlayOrCaretPosition();
    int x = pane->FrameX(position);
    if (x < 2 || x > GetPaneWidth() - 3)
        CenterOnFrame(position, 0);
}

// ---- size

void WaveView::EvSize(uint sizeType, TSize &size) {
    TLayoutWindow::EvSize(sizeType, size);
    if (!doubleView_ || !doubleView_->IsSetUp() || sizeType == SIZE_MINIMIZED)
        return;
    CheckAutoZoom();
    ResetScrollRange();
    RestoreScroll();
    if (!overview_)
        doubleView_->OnMainViewSized();
}

void WaveView::CheckAutoZoom() {
    int length = wave_->GetLength();
    int width = GetPaneWidth();
    if (!TheWaveWindowSettings().autoZoom || DoubleView::IsOpening() || !length || width <= 0)
        return;
    if (zoom_.Index() < std::min(1, zoom_.LastIndex()))
        return;
    int pixels = FramesToPixels(length - 1, zoom_.Value());
    if (pixels >= width || pixels <= width * 2 / 3)
        PostMessageA(WM_COMMAND, kCmZoomToFit);
}

void WaveView::RestoreScroll() {
    if (restoredFirstFrame_ < 0)
        return;
    SetScrollFromFrame(restoredFirstFrame_);
    ResetVerticalRange(restoredVerticalPosition_);
    restoredFirstFrame_ = -1;
    InvalidatePanes(false);
}
