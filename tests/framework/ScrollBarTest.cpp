// Scroll bars: the control's range, steps and transfer; the 32-bit bar's mapping onto
// the control's scale, clamped scrolling, linked windows and auto-scrolling.
#include "tests/framework/ControlHost.h"

#include "tests/framework/SteadyCursor.h"

#include "controls/ScrollBar.h"

#include <gtest/gtest.h>

namespace {
class Host : public ControlHost {
public:
    Host() : ControlHost("bars", 100, 100, 300, 200) {}
};

class Pane : public TWindow {
public:
    explicit Pane(TWindow *parent) : TWindow(parent, "pane") {
        Attr.Style = WS_CHILD | WS_VISIBLE;
        Attr.X = 0, Attr.Y = 0, Attr.W = 200, Attr.H = 100;
    }
};

// Counts the notifications of a bar.
class CountingBar : public ScrollBar {
public:
    using ScrollBar::ScrollBar;
    void NotifyNewPos() override { NewPos++; }
    void NotifyScrolling(int on) override { Scrolling = on; }
    int NewPos = 0;
    int Scrolling = -1;
};

SCROLLINFO Info(TScrollBar &bar) {
    SCROLLINFO info = {sizeof info, SIF_ALL};
    bar.GetScrollInfo(&info);
    return info;
}

class ScrollBarTest : public HostedTest<Host> {};
}  // namespace

TEST_F(ScrollBarTest, ControlStepsAndTransfers) {
    TScrollBar *h = new TScrollBar(&host, 50200, 0, 0, 120, 0, 1);
    TScrollBar *v = new TScrollBar(&host, 50201, 0, 0, 0, 120, 0);
    EXPECT_EQ(::GetSystemMetrics(SM_CYHSCROLL), h->Attr.H);
    EXPECT_EQ(::GetSystemMetrics(SM_CXVSCROLL), v->Attr.W);
    EXPECT_TRUE(v->Attr.Style & SBS_VERT);
    EXPECT_FALSE(h->Attr.Style & SBS_VERT);
    EXPECT_EQ(1, h->GetLineMagnitude());
    EXPECT_EQ(10, h->GetPageMagnitude());
    ASSERT_TRUE(h->Create());
    int low, high;
    h->GetRange(low, high);
    EXPECT_EQ(0, low);
    EXPECT_EQ(100, high);
    h->SetPosition(140);
    EXPECT_EQ(100, h->GetPosition());
    EXPECT_EQ(95, h->DeltaPos(-5));
    h->SetLineMagnitude(3);
    // the requests, as the parent passes them on
    struct { int code; int thumb; int expected; } const steps[] = {
        {SB_LINEUP, 0, 92}, {SB_LINEDOWN, 0, 95}, {SB_PAGEUP, 0, 85}, {SB_PAGEDOWN, 0, 95}, {SB_TOP, 0, 0},
        {SB_BOTTOM, 0, 100}, {SB_THUMBTRACK, 40, 40}, {SB_THUMBPOSITION, 60, 60}, {SB_ENDSCROLL, 0, 60}, {12, 0, 60}};
    for (auto const &s : steps) {
        host.SendMessageA(WM_HSCROLL, MAKEWPARAM(s.code, s.thumb), (LPARAM)h->GetHandle());
        EXPECT_EQ(s.expected, h->GetPosition()) << s.code;
    }
    int32_t record[3] = {-1, -1, -1};
    EXPECT_EQ(12u, h->Transfer(record, tdGetData));
    EXPECT_EQ(0, record[0]);
    EXPECT_EQ(100, record[1]);
    EXPECT_EQ(60, record[2]);
    int32_t set[3] = {10, 20, 15};
    EXPECT_EQ(12u, h->Transfer(set, tdSetData));
    h->GetRange(low, high);
    EXPECT_EQ(10, low);
    EXPECT_EQ(20, high);
    EXPECT_EQ(15, h->GetPosition());
    int32_t untouched[3] = {1, 2, 3};
    EXPECT_EQ(12u, h->Transfer(untouched, tdSizeData));
    EXPECT_EQ(15, h->GetPosition());
    EXPECT_EQ(1, untouched[0]);
    h->SetPageMagnitude(4);
    EXPECT_EQ(4u, Info(*h).nPage);
}

TEST_F(ScrollBarTest, LargeRangesAreScaledOntoTheControl) {
    Pane *pane = new Pane(&host);
    CountingBar *bar = new CountingBar(&host, pane, 1);
    host.CreateChildren();
    bar->SetBarRange(100000, 10000, 0);
    SCROLLINFO info = Info(*bar);
    EXPECT_EQ(32767, info.nMax);
    EXPECT_EQ(3277u, info.nPage);
    EXPECT_TRUE(bar->IsWindowEnabled());
    EXPECT_EQ(10000, bar->GetBarPageSize());
    bar->SetPosition32(50000);
    EXPECT_EQ(16383, bar->GetPosition());
    EXPECT_EQ(99999, ScrollBar::FromControl(32767, 100000));
    host.SendMessageA(WM_HSCROLL, MAKEWPARAM(SB_THUMBTRACK, 32767), (LPARAM)bar->GetHandle());
    EXPECT_EQ(90000, bar->GetPosition32());  // range less the page
    EXPECT_EQ(1, bar->Scrolling);
    host.SendMessageA(WM_HSCROLL, MAKEWPARAM(SB_ENDSCROLL, 0), (LPARAM)bar->GetHandle());
    EXPECT_EQ(0, bar->Scrolling);
    // unscaled: the control holds the values themselves, the page one more
    bar->SetBarRange(1000, 100, 1);
    info = Info(*bar);
    EXPECT_EQ(1000, info.nMax);
    EXPECT_EQ(101u, info.nPage);
    EXPECT_EQ(900, bar->GetPosition32());  // clamped again by the new range
    EXPECT_EQ(900, bar->GetPosition());
    // a page as large as the range leaves nothing to scroll
    bar->SetBarPageSize(1000, 1);
    EXPECT_FALSE(bar->IsWindowEnabled());
}

TEST_F(ScrollBarTest, ScrollToClampsAndNotifiesOnlyOnChange) {
    Pane *pane = new Pane(&host);
    CountingBar *bar = new CountingBar(&host, pane, 0);
    host.CreateChildren();
    bar->SetBarRange(1000, 100, 0);
    bar->ScrollTo(950, 1);
    EXPECT_EQ(900, bar->GetPosition32());
    EXPECT_EQ(1, bar->NewPos);
    bar->ScrollTo(900, 1);
    EXPECT_EQ(1, bar->NewPos);  // unchanged: nothing
    bar->ScrollTo(-30, 0);
    EXPECT_EQ(0, bar->GetPosition32());
    EXPECT_EQ(2, bar->NewPos);
    bar->SetUnits(10);  // the pane is 100 pixels high: (100 + 1) / 10 - 1
    EXPECT_EQ(9, bar->GetPageSize());
    bar->SetUnits(0);
    EXPECT_EQ(9, bar->GetPageSize());
    host.SendMessageA(WM_VSCROLL, SB_PAGEDOWN, (LPARAM)bar->GetHandle());
    EXPECT_EQ(9, bar->GetPosition32());
    host.SendMessageA(WM_VSCROLL, SB_LINEDOWN, (LPARAM)bar->GetHandle());
    EXPECT_EQ(10, bar->GetPosition32());
    host.SendMessageA(WM_VSCROLL, SB_BOTTOM, (LPARAM)bar->GetHandle());
    EXPECT_EQ(900, bar->GetPosition32());
    host.SendMessageA(WM_VSCROLL, SB_TOP, (LPARAM)bar->GetHandle());
    EXPECT_EQ(0, bar->GetPosition32());
    // without a scrolled window nothing scrolls
    CountingBar *lone = new CountingBar(&host, 0, 0);
    lone->Create();
    lone->ScrollTo(50, 1);
    EXPECT_EQ(0, lone->GetPosition32());
    EXPECT_EQ(0, lone->GetScrollWindowCount());
}

TEST_F(ScrollBarTest, LinkedWindowsKeepTheirOrder) {
    TWindow a(&host, "a"), b(&host, "b"), c(&host, "c");
    ScrollBar bar(&host, &a, 1);
    bar.AddScrollWindow(&b);
    bar.AddScrollWindow(&c);
    bar.AddScrollWindow(0);
    EXPECT_EQ(3, bar.GetScrollWindowCount());
    bar.RemoveScrollWindow(&a);
    ASSERT_EQ(2, bar.GetScrollWindowCount());
    EXPECT_EQ(&b, bar.GetScrollWindow(0));
    EXPECT_EQ(&c, bar.GetScrollWindow(1));
    bar.RemoveScrollWindow(&a);  // not there
    EXPECT_EQ(2, bar.GetScrollWindowCount());
    for (int i = 0; i < 6; i++)
        bar.AddScrollWindow(&a);
    EXPECT_EQ(5, bar.GetScrollWindowCount());  // no sixth slot
}

TEST_F(ScrollBarTest, AutoScrollSpeedGrowsWithTheDistance) {
    Pane *pane = new Pane(&host);
    CountingBar *bar = new CountingBar(&host, pane, 0);
    host.CreateChildren();
    bar->SetBarRange(1000, 0, 0);
    bar->SetUnits(20);  // page 4
    bar->ScrollTo(500, 0);
    bar->AutoScroll();  // not enabled: nothing
    EXPECT_EQ(500, bar->GetPosition32());
    bar->EnableAutoScroll(pane);
    EXPECT_TRUE(bar->IsAutoScrolling());
    TPoint origin(0, 0);
    ::ClientToScreen(pane->GetHandle(), &origin);
    struct { int y; long expected; } const cases[] = {{50, 500}, {-5, 499}, {-35, 496}, {-200, 492}, {105, 493},
                                                       {150, 497}, {100, 497}};
    for (auto const &c : cases) {
        MoveCursorQuietly(origin.x + 20, origin.y + c.y);
        bar->AutoScroll();
        EXPECT_EQ(c.expected, bar->GetPosition32()) << c.y;
    }
    bar->EnableAutoScroll(0);
    EXPECT_FALSE(bar->IsAutoScrolling());
    MoveCursorQuietly(origin.x + 20, origin.y - 50);
    bar->AutoScroll();
    EXPECT_EQ(497, bar->GetPosition32());
}

namespace {
// Ends the loop at its first tick.
class TickingBar : public ScrollBar {
public:
    using ScrollBar::ScrollBar;
    void OnAutoScroll() override {
        Ticks++;
        ::PostQuitMessage(0);
    }
    int Ticks = 0;
};
}  // namespace

TEST_F(ScrollBarTest, AutoScrollTimerCallsTheBar) {
    Pane *pane = new Pane(&host);
    TickingBar *bar = new TickingBar(&host, pane, 1);
    host.CreateChildren();
    bar->EnableAutoScroll(pane);
    EXPECT_EQ(0, app.RunLoop());  // 99 would be the watchdog
    EXPECT_EQ(1, bar->Ticks);
    bar->EnableAutoScroll(0);
    EXPECT_FALSE(bar->IsAutoScrolling());
}

TEST_F(ScrollBarTest, AutoScrollTimerEndsWithTheWindow) {
    Pane *pane = new Pane(&host);
    ScrollBar *bar = new ScrollBar(&host, pane, 1);
    host.CreateChildren();
    bar->EnableAutoScroll(pane);
    ASSERT_TRUE(bar->IsAutoScrolling());
    bar->Destroy();
    EXPECT_FALSE(bar->IsAutoScrolling());
    bar->Create();  // a new window starts a new timer
    bar->EnableAutoScroll(pane);
    EXPECT_TRUE(bar->IsAutoScrolling());
    EXPECT_TRUE(::KillTimer(bar->GetHandle(), 1));
}

TEST_F(ScrollBarTest, MovesUnderAPageScrollTheContents) {
    Pane *pane = new Pane(&host);
    ScrollBar *bar = new ScrollBar(&host, pane, 0);
    host.CreateChildren();
    bar->SetPageSize();
    ASSERT_EQ(100, bar->GetPageSize());  // (100 + 1) / 1 - 1
    EXPECT_EQ(1, bar->ScrollWindow(pane, 0, 99));
    EXPECT_EQ(1, bar->ScrollWindow(pane, 99, 0));
    EXPECT_EQ(0, bar->ScrollWindow(pane, 0, 100));  // a page or more is repainted
    EXPECT_EQ(0, bar->ScrollWindow(pane, 150, 0));
}
