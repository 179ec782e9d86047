#include "waveview/WaveScrollBar.h"

#include "core/SysInfo.h"
#include "waveview/DoubleView.h"
#include "waveview/WavePane.h"
#include "waveview/WaveView.h"

#include <cstdlib>

DEFINE_RESPONSE_TABLE1(WaveScrollBar, ScrollBar)
    YRT_ROW(WM_RBUTTONDOWN, 0, v_U_POINT, EvRButtonDown),
END_RESPONSE_TABLE;

WaveScrollBar::WaveScrollBar(WaveView &view, int id, int horizontal)
    : ScrollBar(&view, view.GetPane(0) ? static_cast<TWindow *>(view.GetPane(0)) : view.GetPane(1), horizontal),
      view_(view) {
    Attr.Id = id;
    Attr.Style |= WS_CLIPSIBLINGS;
    if (view.GetPane(0) && view.GetPane(1))
        AddScrollWindow(view.GetPane(1));
    LineSize = 1;
}

// Horizontal: 32 pixels and the width less one beyond a frame a pixel, else a frame and
// the width in whole frames. Vertical: a page is 100 percent.
void WaveScrollBar::ComputeSteps() {
    if (!Horizontal) {
        PageSize = 100;
        return;
    }
    ScrollNumbers n = HorizontalScrollNumbers(0, view_.GetZoom(), view_.GetPaneWidth());
    LineSize = n.line;
    PageSize = n.pageStep;
}

// The panes keep their off-screen bitmaps while the bar scrolls.
void WaveScrollBar::NotifyScrolling(int scrolling) {
    for (int channel = 0; channel < 2; ++channel)
        if (WavePane *pane = view_.GetPane(channel))
            pane->SetScrolling(scrolling);
}

void WaveScrollBar::NotifyNewPos() {
    if (Horizontal && view_.GetDoubleView())
        view_.GetDoubleView()->InvalidateOverViewShadow();
}

// Vertical positions are percent of the window's height; a move of a whole height or more
// is painted afresh.
int WaveScrollBar::ScrollWindow(TWindow *window, long from, long to) {
    if (Horizontal)
        return ScrollBar::ScrollWindow(window, from, to);
    if (!window->GetHandle())
        return 0;
    long h = window->GetClientRect().Height();
    long d = (from - to) * h / 100;
    if (std::labs(d) >= h)
        return 0;
    ::ScrollWindow(window->GetHandle(), 0, int(d), nullptr, nullptr);
    return 1;
}

void WaveScrollBar::OnAutoScroll() {
    if (WavePane *pane = dynamic_cast<WavePane *>(AutoScrollWindow))
        pane->AutoScrollSelect();
}

void SetVerticalPositionFromLevel(WaveScrollBar &bar, WavePane &pane, int16_t level) {
    PaneGeometry g = pane.Geometry();
    bar.SetPosition32(VerticalPositionFromLevel(g.height, g.margin, g.verticalZoom, level));
}

// ---- SizeBox

DEFINE_RESPONSE_TABLE1(SizeBox, TScrollBar)
    EV_WM_ERASEBKGND,
END_RESPONSE_TABLE;

SizeBox::SizeBox(TWindow *parent) : TScrollBar(parent, 0, 0, 0, 0, 0, 1) {
    Attr.Style = WS_CHILD | WS_VISIBLE | WS_DISABLED | WS_CLIPSIBLINGS | SBS_SIZEGRIP;
}

int SizeBox::EvEraseBkgnd(WPARAM dc) {
    if (_win95) {
        RECT r;
        ::GetClientRect(GetHandle(), &r);
        ::FillRect(HDC(dc), &r, ::GetSysColorBrush(COLOR_BTNFACE));
    }
    return 1;
}
