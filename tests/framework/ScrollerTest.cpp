#include "Scroller.h"
#include "TestApp.h"
#include "Window.h"

#include <gtest/gtest.h>

namespace {
class Scrolled : public TWindow {
public:
    Scrolled() : TWindow((TWindow *)0, "scrolled") {
        Attr.Style = WS_POPUP | WS_VISIBLE | WS_HSCROLL | WS_VSCROLL;
        Attr.W = 400, Attr.H = 300;
    }
};
int starts, ends;
void OnStart(void *) { starts++; }
void OnEnd(void *) { ends++; }
}  // namespace

TEST(Scroller, PositionsRangesAndBars) {
    TestApp app;
    Scrolled w;
    TScroller *s = new TScroller(&w, 1, 1, 100000, 1000);
    w.SetScroller(s);
    ASSERT_TRUE(w.Create());
    EXPECT_EQ(16383, s->XScrollValue(50000));
    EXPECT_EQ(100000, s->XRangeValue(32767));
    s->HScroll(SB_THUMBPOSITION, 32767);
    EXPECT_EQ(100000, s->XPos);
    s->ScrollTo(-5, -5);
    EXPECT_EQ(0, s->XPos);
    EXPECT_EQ(0, s->YPos);
    s->ScrollTo(50000, 10);
    s->EndView();
    EXPECT_EQ(16383, w.GetScrollPos(SB_HORZ));
    int lo, hi;
    w.GetScrollRange(SB_HORZ, lo, hi);
    EXPECT_EQ(32767, hi);
    s->VScroll(SB_LINEDOWN, 0);
    EXPECT_EQ(11, s->YPos);
    s->VScroll(SB_BOTTOM, 0);
    EXPECT_EQ(1000, s->YPos);
    EXPECT_TRUE(s->IsVisibleRect(50000, 1000, 10, 10));
    EXPECT_FALSE(s->IsVisibleRect(0, 0, 10, 10));
    w.SetScroller(0);
    EXPECT_EQ(nullptr, w.GetScroller());
}

TEST(Scroller, WindowScrollerKeepsHalfAWindowAndReportsGestures) {
    TestApp app;
    Scrolled w;
    WindowScroller *s = new WindowScroller(&w, 1000, 100000);
    s->SetProc(&OnStart, &OnEnd, 0);
    w.SetScroller(s);
    ASSERT_TRUE(w.Create());
    int width = w.GetClientRect().Width();
    s->ScrollTo(5000, 0);
    EXPECT_EQ(1000 - width / 2, s->XPos);
    s->VScroll(SB_THUMBPOSITION, 32767);
    EXPECT_EQ(100000 - w.GetClientRect().Height() / 2, s->YPos);  // 99999, then the limit
    starts = ends = 0;
    s->HScroll(SB_LINEUP, 0);
    s->HScroll(SB_LINEUP, 0);
    s->HScroll(SB_PAGEUP, 0);
    s->HScroll(SB_ENDSCROLL, 0);
    EXPECT_EQ(1, starts);
    EXPECT_EQ(1, ends);
}
