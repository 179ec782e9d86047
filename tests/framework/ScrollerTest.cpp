#include "tests/framework/GdiCanvas.h"
#include "core/Scroller.h"
#include "tests/framework/TestApp.h"
#include "core/Window.h"

#include <gtest/gtest.h>

#include <string>

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

namespace {
// Fails its first page-size update, then counts the later ones.
class FailingOnce : public TScroller {
public:
    FailingOnce(TWindow *w) : TScroller(w, 1, 1, 1000, 1000) {}
    int Updates = 0;
    void SetPageSize() override {
        if (Updates++ == 0)
            throw TXYrt(String("page size refused"));
        TScroller::SetPageSize();
    }
};
}  // namespace

TEST(Scroller, AFailedUpdateOnResizeDoesNotStopLaterOnes) {
    TestApp app;
    Scrolled w;
    ASSERT_TRUE(w.Create());
    FailingOnce *s = new FailingOnce(&w);
    w.SetScroller(s);
    w.SendMessageA(WM_SIZE, SIZE_RESTORED, MAKELPARAM(400, 300));
    EXPECT_TRUE(TWindow::HasPendingException());
    TWindow::ClearPendingException();
    w.SendMessageA(WM_SIZE, SIZE_RESTORED, MAKELPARAM(300, 200));
    EXPECT_EQ(2, s->Updates);
}

namespace {
// No bars of its own: scroll messages come from its scroll-bar control.
class BarOwner : public TWindow {
public:
    BarOwner() : TWindow((TWindow *)0, "bars") { Attr.Style = WS_POPUP, Attr.W = 200, Attr.H = 100; }
    std::string Seen;
    void BarMoved(uint code) { Seen += std::to_string(code) + " "; }
    DECLARE_RESPONSE_TABLE(BarOwner);
};
DEFINE_RESPONSE_TABLE1(BarOwner, TWindow)
    EV_CHILD_NOTIFY_ALL_CODES(33, BarMoved),
END_RESPONSE_TABLE;
}  // namespace

TEST(Scroller, OwnBarsMoveTheScrollerAControlsBarBecomesItsCommand) {
    TestApp app;
    Scrolled w;
    TScroller *s = new TScroller(&w, 1, 1, 1000, 1000);
    w.SetScroller(s);
    ASSERT_TRUE(w.Create());
    w.SendMessageA(WM_VSCROLL, SB_LINEDOWN);
    w.SendMessageA(WM_HSCROLL, SB_PAGEDOWN);
    EXPECT_GT(s->YPos, 0);
    EXPECT_GT(s->XPos, 0);

    BarOwner owner;
    ASSERT_TRUE(owner.Create());
    HWND bar = ::CreateWindowA("SCROLLBAR", "", WS_CHILD | SBS_HORZ, 0, 0, 100, 16, owner.GetHandle(), (HMENU)33, 0, 0);
    owner.SendMessageA(WM_HSCROLL, MAKEWPARAM(SB_PAGEDOWN, 0), (LPARAM)bar);
    owner.SendMessageA(WM_VSCROLL, MAKEWPARAM(SB_LINEUP, 0), (LPARAM)bar);
    EXPECT_EQ(std::to_string(SB_PAGEDOWN) + " " + std::to_string(SB_LINEUP) + " ", owner.Seen);
}

namespace {
class CountingScroller : public TScroller {
public:
    CountingScroller(TWindow *w) : TScroller(w, 1, 1, 1000, 1000) {}
    int Ends = 0;
    void EndView() override {
        Ends++;
        TScroller::EndView();
    }
};

class FailingPainter : public Scrolled {
public:
    void Paint(TDC &, int, TRect &) override { throw TXYrt(String("paint refused")); }
};
}  // namespace

TEST(Scroller, AFailedPaintStillEndsTheViewAndReportsTheFailure) {
    TestApp app;
    FailingPainter w;
    CountingScroller *s = new CountingScroller(&w);
    w.SetScroller(s);
    ASSERT_TRUE(w.Create());
    TWindow::ClearPendingException();
    ::InvalidateRect(w.HWindow, 0, FALSE);
    ::UpdateWindow(w.HWindow);
    EXPECT_EQ(1, s->Ends);
    EXPECT_TRUE(TWindow::HasPendingException());
    TWindow::ClearPendingException();
    RECT left;
    EXPECT_FALSE(::GetUpdateRect(w.HWindow, &left, FALSE));  // the paint was ended, nothing is left to paint
}

TEST(Scroller, ThumbPositionsConvertExactlyOrInSinglePrecision) {
    TestApp app;
    Scrolled w;
    TScroller *plain = new TScroller(&w, 1, 1, 65534, 65534);
    w.SetScroller(plain);
    ASSERT_TRUE(w.Create());
    plain->HScroll(SB_THUMBPOSITION, 1);
    EXPECT_EQ(2, plain->XPos);  // 1 x 65534 / 32767
    plain->VScroll(SB_THUMBTRACK, 1);
    EXPECT_EQ(2, plain->YPos);
    EXPECT_EQ(1, w.GetScrollPos(SB_VERT));  // the bar keeps the thumb value
    plain->TrackMode = 0;
    plain->VScroll(SB_THUMBTRACK, 3);
    EXPECT_EQ(2, plain->YPos);  // without track mode only the bar follows
    EXPECT_EQ(3, w.GetScrollPos(SB_VERT));

    WindowScroller *pixels = new WindowScroller(&w, 65534, 65534);
    w.SetScroller(pixels);
    pixels->HScroll(SB_THUMBPOSITION, 1);
    EXPECT_EQ(1, pixels->XPos);  // 1 x 65534 x (a little under 1/32767), truncated
    pixels->ScrollTo(32767, 0);
    pixels->EndView();
    EXPECT_EQ(16383, w.GetScrollPos(SB_HORZ));

    // without a window nothing happens
    WindowScroller alone(0, 100, 100);
    alone.SetScrollPos(SB_HORZ, 5, true);
    alone.ScrollTo(10, 10);
    alone.EndView();
    EXPECT_EQ(0, alone.XPos);
}

TEST(Scroller, ViewOriginFollowsThePositionWhileItFits) {
    TestApp app;
    Scrolled w;
    TScroller *s = new TScroller(&w, 10, 20, 100000, 100000);
    w.SetScroller(s);
    ASSERT_TRUE(w.Create());
    s->XPos = 3, s->YPos = 4;
    Canvas canvas(4, 4);
    TRect rect(0, 0, 50, 50);
    s->BeginView(canvas.dc(), rect);
    POINT org;
    ::GetViewportOrgEx(canvas.dc(), &org);
    EXPECT_EQ(-30, org.x);
    EXPECT_EQ(-80, org.y);
    EXPECT_EQ(TRect(30, 80, 80, 130), rect);

    Canvas distant(4, 4);
    s->XPos = 3300;  // 33000 pixels
    rect = TRect(0, 0, 50, 50);
    s->BeginView(distant.dc(), rect);
    ::GetViewportOrgEx(distant.dc(), &org);
    EXPECT_EQ(0, org.x);
    EXPECT_EQ(0, org.y);
    EXPECT_EQ(TRect(0, 0, 50, 50), rect);
    s->XPos = 65536, s->XUnit = 65536;  // a product past 32 bits is still distant
    s->BeginView(distant.dc(), rect);
    ::GetViewportOrgEx(distant.dc(), &org);
    EXPECT_EQ(0, org.x);
}

TEST(Scroller, AutoScrollStepsByTenthsOfTheDistanceUpToAPage) {
    TestApp app;
    Scrolled w;
    w.Attr.X = w.Attr.Y = 100;  // room for the cursor on every side
    TScroller *s = new TScroller(&w, 1, 1, 10000, 10000);
    w.SetScroller(s);
    ASSERT_TRUE(w.Create());
    s->YPos = s->XPos = 5000;
    TRect client = w.GetClientRect();
    auto cursorAt = [&](int x, int y) {
        TPoint p(x, y);
        ::ClientToScreen(w.GetHandle(), &p);
        ::SetCursorPos(p.x, p.y);
        POINT now;
        ::GetCursorPos(&now);
        return now.x == p.x && now.y == p.y;
    };
    if (!cursorAt(10, client.bottom + 25))
        GTEST_SKIP() << "the cursor cannot be placed here";
    s->AutoScroll();
    EXPECT_EQ(5002, s->YPos);  // two lines
    EXPECT_EQ(5000, s->XPos);
    ASSERT_TRUE(cursorAt(-15, client.bottom / 2));
    s->AutoScroll();
    EXPECT_EQ(4999, s->XPos);  // at least a line
    s->YLine = 50;
    ASSERT_TRUE(cursorAt(10, -90));
    s->AutoScroll();
    EXPECT_EQ(5002 - s->YPage, s->YPos);  // 450, held to a page
    s->AutoMode = 0;
    s->AutoScroll();
    EXPECT_EQ(5002 - s->YPage, s->YPos);
}
