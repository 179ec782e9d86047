#include "waveview/WaveViewSplitter.h"

#include "waveview/DoubleView.h"
#include "waveview/WaveScrollBar.h"
#include "waveview/WaveView.h"

WaveViewSplitter::WaveViewSplitter(WaveView &view, DoubleView &doubleView)
    : Splitter(&view, 1, &doubleView, 0), view_(view), doubleView_(doubleView) {
    Attr.Style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;
}

void WaveViewSplitter::GetWindowClass(WNDCLASSA &wc) {
    Splitter::GetWindowClass(wc);
    wc.hCursor = ::LoadCursorA(nullptr, IDC_SIZENS);
}

// A height no larger than a scroll bar closes the overview.
void WaveViewSplitter::SetSplitPosition(int position) {
    WaveScrollBar *bar = view_.GetHorizontalScrollBar();
    int barHeight = bar && bar->GetHandle() ? bar->GetWindowRect().Height() : ::GetSystemMetrics(SM_CYHSCROLL);
    doubleView_.ShowOverView(position <= barHeight && position >= 0 ? 0 : position);
}

int WaveViewSplitter::IsAside() { return doubleView_.GetOverview() == nullptr; }
