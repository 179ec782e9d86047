// Harbor docking driven with messages: bars docked at each edge, dragged within a
// slip, floated and docked back, packed grid lines, and the floating slip's sizing.
#include "tests/framework/BarTestSupport.h"
#include "bars/DockingSlip.h"
#include "bars/HarborDockable.h"
#include "tests/framework/TestApp.h"

#include <gtest/gtest.h>

#include <string>

namespace {
using bartest::Pump;

class Cell : public TGadget {
public:
    Cell(int id, int w, int h) : TGadget(id, None) {
        ShrinkWrapWidth = ShrinkWrapHeight = 0;
        Bounds = TRect(0, 0, w, h);
    }
};

// A bar of `count` cells of 20 x 16 ending in a separator, which takes no press:
// a press there starts a drag.
class Bar : public TDockableGadgetWindow {
public:
    explicit Bar(int count, char const *title = "bar") : TWindow(0, title), TDockableGadgetWindow(0) {
        for (int i = 0; i < count; ++i)
            Insert(*new Cell(54100 + i, 20, 16));
        Insert(*new TSeparatorGadget(10, 54199));
    }
    int Docked = -1;
    TDockingSlip *DockedIn = 0;
    TPoint DoubleClick{-1, -1};
    LRESULT WindowProc(uint msg, WPARAM wp, LPARAM lp) override {
        if (msg == WM_DOCKABLEDOCKED)
            Docked = int(wp), DockedIn = reinterpret_cast<TDockingSlip *>(lp);
        if (msg == WM_LBUTTONDBLCLK)
            DoubleClick = TPoint(short(LOWORD(lp)), short(HIWORD(lp)));
        return TDockableGadgetWindow::WindowProc(msg, wp, lp);
    }
};

class Frame : public TDecoratedFrame {
public:
    Frame() : TDecoratedFrame(0, "Harbor frame", new TWindow(0, "client")) {
        Attr.X = Attr.Y = 40;
        Attr.W = 500;
        Attr.H = 400;
        Harbor = new Port(*this);
    }
    class Port : public THarbor {
    public:
        using THarbor::THarbor;
        using THarbor::GetEdgeSlip;
        using THarbor::GetSlipPosition;
    };
    Port *Harbor;
    int SlipDoubleClicks = 0;
    void EvSlipDblClk() { ++SlipDoubleClicks; }
    DECLARE_RESPONSE_TABLE(Frame);
};
DEFINE_RESPONSE_TABLE1(Frame, TDecoratedFrame)
    EV_MESSAGE(WM_EDGESLIPDBLCLK, EvSlipDblClk, v),
END_RESPONSE_TABLE;

// A window's rectangle in another window's client coordinates.
TRect In(TWindow &parent, HWND w) {
    TRect r;
    ::GetWindowRect(w, &r);
    ::MapWindowPoints(0, parent.GetHandle(), (POINT *)&r, 2);
    return r;
}

LPARAM Lp(TPoint const &p) { return MAKELPARAM(p.x, p.y); }

TPoint ToClient(HWND w, TPoint screen) {
    ::ScreenToClient(w, &screen);
    return screen;
}

// A point on the bar's free end (past its last gadget), where a press starts a drag.
TPoint FreeEnd(Bar &bar) {
    TRect r = bar.GetClientRect();
    bool row = bar.GetDirection() == TGadgetWindow::Horizontal;
    return row ? TPoint(r.right - 3, r.bottom / 2) : TPoint(r.right / 2, r.bottom - 3);
}

// Presses on the bar's free end, moves the mouse by `by` and releases.
void Drag(Frame &frame, Bar &bar, TSize by, bool release = true) {
    TPoint press = FreeEnd(bar);
    bar.SendMessageA(WM_LBUTTONDOWN, MK_LBUTTON, Lp(press));
    ASSERT_EQ(&bar, frame.Harbor->GetDragDockable());
    TPoint screen = press;
    ::ClientToScreen(bar.GetHandle(), &screen);
    TPoint to = ToClient(frame.Harbor->GetHandle(), screen + by);
    frame.Harbor->SendMessageA(WM_MOUSEMOVE, MK_LBUTTON, Lp(to));
    if (release)
        frame.Harbor->SendMessageA(WM_LBUTTONUP, 0, Lp(to));
}
}  // namespace

TEST(Harbor, DocksABarAtEachEdgeCreatingTheSlipOnFirstUse) {
    TestApp app;
    Frame frame;
    ASSERT_TRUE(frame.Create());
    TRect client = In(frame, frame.GetClientWindow()->GetHandle());
    EXPECT_EQ(frame.GetClientRect(), client);

    TAbsLocation const edges[] = {alTop, alBottom, alLeft, alRight};
    TRelPosition const growth[] = {rpBelow, rpAbove, rpRightOf, rpLeftOf};
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        Bar *bar = new Bar(3);
        EXPECT_FALSE(frame.Harbor->GetEdgeSlip(edges[i]));
        TDockingSlip *slip = frame.Harbor->Insert(*bar, edges[i]);
        TEdgeSlip *edge = frame.Harbor->GetEdgeSlip(edges[i]);
        ASSERT_TRUE(edge);
        EXPECT_EQ(edge, dynamic_cast<TEdgeSlip *>(slip));
        EXPECT_EQ(edges[i], slip->GetLocation());
        EXPECT_EQ(frame.Harbor, slip->GetHarbor());
        EXPECT_EQ(growth[i], frame.Harbor->GetSlipPosition(edges[i]));
        EXPECT_EQ(edge, bar->GetParentO());
        EXPECT_EQ(slip, bar->DockedIn);
        EXPECT_TRUE(bar->IsWindowVisible());
        EXPECT_EQ(TPoint(0, 0), In(*edge, bar->GetHandle()).TopLeft());
        // rows for top and bottom, columns for the sides
        bool row = i < 2;
        EXPECT_EQ(row ? TGadgetWindow::Horizontal : TGadgetWindow::Vertical, bar->GetDirection());
        TRect b = bar->GetWindowRect(), s = edge->GetWindowRect();
        if (row)
            EXPECT_EQ(b.Height() + 2, s.Height());  // one separator line
        else
            EXPECT_EQ(b.Width(), s.Width());
    }
    // the client gave up its sides to the slips
    TRect now = In(frame, frame.GetClientWindow()->GetHandle());
    EXPECT_EQ(frame.Harbor->GetEdgeSlip(alTop)->GetWindowRect().Height(), now.top - client.top);
    EXPECT_LT(now.right, client.right);
    EXPECT_GT(now.left, client.left);
    EXPECT_LT(now.bottom, client.bottom);

    // a second bar without a place gets a new row towards the client
    TEdgeSlip *top = frame.Harbor->GetEdgeSlip(alTop);
    int oneRow = top->GetWindowRect().Height();
    Bar *second = new Bar(2);
    frame.Harbor->Insert(*second, alTop);
    EXPECT_EQ(rpNone, second->Docked);
    EXPECT_EQ(TPoint(0, oneRow - 2), In(*top, second->GetHandle()).TopLeft());
    EXPECT_EQ(2 * (oneRow - 2) + 2, top->GetWindowRect().Height());

    // a double click on free slip space reaches the frame
    TRect free = top->GetClientRect();
    top->SendMessageA(WM_LBUTTONDBLCLK, 0, MAKELPARAM(free.right - 2, 1));
    EXPECT_EQ(1, frame.SlipDoubleClicks);
    frame.Destroy();
}

TEST(Harbor, BarsWithoutAPlaceOpenNewLinesTowardsTheClient) {
    TestApp app;
    Frame frame;
    ASSERT_TRUE(frame.Create());
    for (TAbsLocation edge : {alBottom, alRight}) {
        SCOPED_TRACE(edge);
        Bar *a = new Bar(3, "a"), *b = new Bar(2, "b"), *c = new Bar(1, "c");
        frame.Harbor->Insert(*a, edge);
        frame.Harbor->Insert(*b, edge);
        frame.Harbor->Insert(*c, edge);
        TEdgeSlip *slip = frame.Harbor->GetEdgeSlip(edge);
        bool row = edge == alBottom;
        int t = row ? a->GetWindowRect().Height() : a->GetWindowRect().Width();
        // the newest line lies nearest the client; the older ones move outwards
        EXPECT_EQ(TPoint(0, 0), In(*slip, c->GetHandle()).TopLeft());
        EXPECT_EQ(row ? TPoint(0, t) : TPoint(t, 0), In(*slip, b->GetHandle()).TopLeft());
        EXPECT_EQ(row ? TPoint(0, 2 * t) : TPoint(2 * t, 0), In(*slip, a->GetHandle()).TopLeft());
        TRect s = slip->GetWindowRect();
        EXPECT_EQ(row ? 3 * t + 2 : 3 * t, row ? s.Height() : s.Width());
    }
    frame.Destroy();
}

TEST(Harbor, DraggingWithinTheSlipSnapsToTheGridAndFloatsAndDocksBack) {
    TestApp app;
    Frame frame;
    ASSERT_TRUE(frame.Create());
    Bar *bar = new Bar(3);
    frame.Harbor->Insert(*bar, alTop);
    TEdgeSlip *top = frame.Harbor->GetEdgeSlip(alTop);

    // a few pixels along and across: same slip, back on its row, moved along it
    Drag(frame, *bar, TSize(30, 3));
    EXPECT_EQ(nullptr, frame.Harbor->GetDragDockable());
    EXPECT_NE(frame.Harbor->GetHandle(), ::GetCapture());
    EXPECT_EQ(top, bar->GetParentO());
    TRect r = In(*top, bar->GetHandle());
    EXPECT_EQ(0, r.top);
    EXPECT_EQ(30, r.left);

    // another window taking the mouse ends the drag where the bar was
    Drag(frame, *bar, TSize(0, 150), false);
    EXPECT_EQ(alNone, frame.Harbor->GetDragLocation());
    ::SetCapture(frame.GetHandle());
    EXPECT_EQ(nullptr, frame.Harbor->GetDragDockable());
    ::ReleaseCapture();
    frame.Harbor->SendMessageA(WM_LBUTTONUP, 0, 0);
    EXPECT_EQ(top, bar->GetParentO());
    EXPECT_EQ(r, In(*top, bar->GetHandle()));

    // a double click during a drag ends it and reaches the bar at its own point
    Drag(frame, *bar, TSize(0, 0), false);
    TPoint press = FreeEnd(*bar), screen = press;
    ::ClientToScreen(bar->GetHandle(), &screen);
    frame.Harbor->SendMessageA(WM_LBUTTONDBLCLK, 0, Lp(ToClient(frame.Harbor->GetHandle(), screen)));
    EXPECT_EQ(nullptr, frame.Harbor->GetDragDockable());
    EXPECT_EQ(press, bar->DoubleClick);

    // a press on a visible gadget does not start a drag
    bar->SendMessageA(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    EXPECT_EQ(nullptr, frame.Harbor->GetDragDockable());
    bar->SendMessageA(WM_LBUTTONUP, 0, MAKELPARAM(5, 5));

    // into the middle of the client: a floating slip takes it
    Drag(frame, *bar, TSize(100, 150), false);
    EXPECT_EQ(alNone, frame.Harbor->GetDragLocation());
    TRect outline = frame.Harbor->GetDragRect();
    frame.Harbor->SendMessageA(WM_LBUTTONUP, 0, 0);
    TFloatingSlip *floating = dynamic_cast<TFloatingSlip *>(bar->GetParentO());
    ASSERT_TRUE(floating);
    EXPECT_EQ(frame.Harbor, floating->GetHarbor());
    EXPECT_EQ(bar, floating->GetClientWindow());
    EXPECT_EQ(rpNone, bar->Docked);
    EXPECT_EQ(floating, bar->DockedIn);
    EXPECT_EQ(TGadgetWindow::Rectangular, bar->GetDirection());
    EXPECT_TRUE(floating->IsWindowVisible());
    EXPECT_EQ(outline.TopLeft(), floating->GetWindowRect().TopLeft());
    EXPECT_EQ(0, top->GetWindowRect().Height());  // the empty slip shrinks away
    HWND floatingWindow = floating->GetHandle();

    // by its caption back onto the top edge
    TRect caption = floating->GetWindowRect();
    TPoint grab(caption.left + 10, caption.top + 3);
    floating->SendMessageA(WM_NCLBUTTONDOWN, HTCAPTION, Lp(grab));
    ASSERT_EQ(floating, frame.Harbor->GetDragDockable());
    TRect client = frame.GetClientWindow()->GetWindowRect();
    TPoint onTop(client.left + 40, client.top);
    frame.Harbor->SendMessageA(WM_MOUSEMOVE, MK_LBUTTON, Lp(ToClient(frame.Harbor->GetHandle(), onTop)));
    EXPECT_EQ(alTop, frame.Harbor->GetDragLocation());
    frame.Harbor->SendMessageA(WM_LBUTTONUP, 0, Lp(ToClient(frame.Harbor->GetHandle(), onTop)));
    EXPECT_EQ(top, bar->GetParentO());
    EXPECT_EQ(TGadgetWindow::Horizontal, bar->GetDirection());
    EXPECT_EQ(0, In(*top, bar->GetHandle()).top);
    EXPECT_FALSE(::IsWindow(floatingWindow));
    Pump();
    frame.Destroy();
}

TEST(Harbor, GridLinesStayPackedAndRowsPushAlong) {
    TestApp app;
    Frame frame;
    ASSERT_TRUE(frame.Create());
    Bar *a = new Bar(3, "a"), *b = new Bar(2, "b"), *c = new Bar(1, "c");
    frame.Harbor->Insert(*a, alTop);
    frame.Harbor->Insert(*b, alTop);
    frame.Harbor->Insert(*c, alTop);
    TEdgeSlip *top = frame.Harbor->GetEdgeSlip(alTop);
    int h = a->GetWindowRect().Height();
    ASSERT_EQ(0, In(*top, a->GetHandle()).top);
    ASSERT_EQ(h, In(*top, b->GetHandle()).top);
    ASSERT_EQ(2 * h, In(*top, c->GetHandle()).top);

    // removing the only bar of a line closes the gap
    frame.Harbor->Remove(*b);
    EXPECT_FALSE(b->IsWindowVisible());
    EXPECT_EQ(frame.Harbor, b->GetParentO());
    EXPECT_EQ(h, In(*top, c->GetHandle()).top);
    EXPECT_EQ(2 * h + 2, top->GetWindowRect().Height());

    // c onto the first row, right of a
    TRect ra = a->GetWindowRect();
    TPoint rightOfA(ra.right + 5, ra.top + 2);
    frame.Harbor->Move(*c, alTop, &rightOfA);
    EXPECT_EQ(TPoint(ra.Width() + 5, 0), In(*top, c->GetHandle()).TopLeft());
    EXPECT_EQ(h + 2, top->GetWindowRect().Height());

    // b dropped on the first half of a: before it, and the row is pushed along
    frame.Harbor->Insert(*b, alTop);
    TPoint onA(ra.left + 4, ra.top + 2);
    frame.Harbor->Move(*b, alTop, &onA);
    int wb = b->GetWindowRect().Width();
    EXPECT_EQ(TPoint(0, 0), In(*top, b->GetHandle()).TopLeft());
    EXPECT_EQ(TPoint(wb, 0), In(*top, a->GetHandle()).TopLeft());
    EXPECT_EQ(TPoint(wb + ra.Width(), 0), In(*top, c->GetHandle()).TopLeft());
    frame.Destroy();
}

TEST(Harbor, FloatingSlipsCloseIntoTheHarborAndSizeAroundTheirCentre) {
    TestApp app;
    Frame frame;
    ASSERT_TRUE(frame.Create());
    Bar *bar = new Bar(6);
    bar->SetRectangularDimensions(150);  // one row, wider than the least a frame may be
    TPoint where(200, 200);
    TFloatingSlip *slip = dynamic_cast<TFloatingSlip *>(frame.Harbor->Insert(*bar, alNone, &where));
    ASSERT_TRUE(slip);
    EXPECT_EQ(where, slip->GetWindowRect().TopLeft());
    EXPECT_EQ(alNone, slip->GetLocation());
    EXPECT_EQ(0, slip->ShouldBeginDrag(where));
    EXPECT_EQ(bar, slip->GetWindow());
    // the frame fits round the bar
    EXPECT_EQ(bar->GetWindowRect().Size() + slip->GetBorders(), slip->GetWindowRect().Size());

    // sizing from the right edge keeps the vertical centre and asks the bar for the height
    TRect r = slip->GetWindowRect();
    int centre = (r.top + r.bottom) / 2;
    TRect wanted(r.left, r.top, r.left + 60, r.bottom);
    TSize constraint(60, 0);
    TSize fits = slip->ComputeSize(alNone, &constraint);
    slip->SendMessageA(WM_SIZING, WMSZ_RIGHT, LPARAM(&wanted));
    EXPECT_EQ(fits, wanted.Size());
    EXPECT_GT(wanted.Height(), r.Height());  // narrower is taller
    EXPECT_LE(std::abs((wanted.top + wanted.bottom) / 2 - centre), 1);
    EXPECT_EQ(r.left, wanted.left);

    // from the top-left corner: the bottom-right corner stays
    TRect corner(r.left - 20, r.top - 20, r.right, r.bottom);
    slip->SendMessageA(WM_SIZING, WMSZ_TOPLEFT, LPARAM(&corner));
    EXPECT_EQ(r.BottomRight(), corner.BottomRight());

    // the close box undocks: hidden, owned by the harbor, the slip destroyed
    HWND slipWindow = slip->GetHandle();
    slip->SendMessageA(WM_CLOSE);
    EXPECT_FALSE(::IsWindow(slipWindow));
    EXPECT_EQ(frame.Harbor, bar->GetParentO());
    EXPECT_FALSE(bar->IsWindowVisible());
    Pump();
    frame.Destroy();
}

TEST(Harbor, DockableShapesFollowTheirLocation) {
    TestApp app;
    TDockableControlBar vertical(0, TGadgetWindow::Vertical), horizontal(0, TGadgetWindow::Horizontal);
    int cxSize = ::GetSystemMetrics(SM_CXSIZEFRAME), cySize = ::GetSystemMetrics(SM_CYSIZEFRAME);
    TMargins const &v = vertical.GetMargins(), &h = horizontal.GetMargins();
    EXPECT_EQ(TMargins::BorderUnits, v.Units);
    EXPECT_EQ(cxSize, v.Left);
    EXPECT_EQ(cySize + ::GetSystemMetrics(SM_CYFIXEDFRAME), v.Top);
    EXPECT_EQ(cxSize + ::GetSystemMetrics(SM_CXFIXEDFRAME), h.Right);
    EXPECT_EQ(cySize, h.Bottom);
    EXPECT_FALSE(vertical.Attr.Style & WS_BORDER);
    EXPECT_TRUE(vertical.Attr.Style & WS_CLIPSIBLINGS);
    EXPECT_EQ(TGadgetWindow::Rectangular, horizontal.GetDirectionForLocation(alNone));
    EXPECT_EQ(TGadgetWindow::Vertical, horizontal.GetDirectionForLocation(alRight));

    // a row, a column, and a floating shape for a wanted height
    Bar bar(6);
    TSize row = bar.ComputeSize(alTop, 0), column = bar.ComputeSize(alLeft, 0);
    EXPECT_GT(row.cx, row.cy);
    EXPECT_GT(column.cy, column.cx);
    EXPECT_EQ(TGadgetWindow::Horizontal, bar.GetDirection());  // asking changes nothing
    TSize tall = bar.ComputeSize(alNone, 0);
    TSize wish(0, tall.cy / 2);
    TSize fits = bar.ComputeSize(alNone, &wish);
    EXPECT_LE(fits.cy, wish.cy);
    EXPECT_GT(fits.cx, tall.cx);
}

TEST(Harbor, DragsABarToEveryEdgeInTurn) {
    TestApp app;
    Frame frame;
    ASSERT_TRUE(frame.Create());
    Bar *bar = new Bar(3);
    frame.Harbor->Insert(*bar, alTop);
    struct Step {
        TAbsLocation edge;
        TGadgetWindow::TTileDirection direction;
    } const steps[] = {{alLeft, TGadgetWindow::Vertical},
                       {alBottom, TGadgetWindow::Horizontal},
                       {alRight, TGadgetWindow::Vertical},
                       {alTop, TGadgetWindow::Horizontal}};
    for (Step const &step : steps) {
        SCOPED_TRACE(step.edge);
        TRect c = frame.GetClientWindow()->GetWindowRect();
        TPoint middle((c.left + c.right) / 2, (c.top + c.bottom) / 2);
        TPoint target = step.edge == alLeft     ? TPoint(c.left, middle.y)
                        : step.edge == alRight  ? TPoint(c.right, middle.y)
                        : step.edge == alBottom ? TPoint(middle.x, c.bottom)
                                                : TPoint(middle.x, c.top);
        bar->SendMessageA(WM_LBUTTONDOWN, MK_LBUTTON, Lp(FreeEnd(*bar)));
        ASSERT_EQ(bar, frame.Harbor->GetDragDockable());
        EXPECT_EQ(frame.Harbor->GetHandle(), ::GetCapture());
        TPoint to = ToClient(frame.Harbor->GetHandle(), target);
        frame.Harbor->SendMessageA(WM_MOUSEMOVE, MK_LBUTTON, Lp(to));
        EXPECT_EQ(step.edge, frame.Harbor->GetDragLocation());
        frame.Harbor->SendMessageA(WM_LBUTTONUP, 0, Lp(to));
        TEdgeSlip *slip = frame.Harbor->GetEdgeSlip(step.edge);
        ASSERT_TRUE(slip);
        EXPECT_EQ(slip, bar->GetParentO());
        EXPECT_EQ(step.direction, bar->GetDirection());
        EXPECT_TRUE(bar->IsWindowVisible());
    }
    frame.Destroy();
}

TEST(Harbor, BarsDockedBeforeTheFrameExistsGetLinesOfTheirOwn) {
    TestApp app;
    Frame frame;
    Bar *a = new Bar(3, "a"), *b = new Bar(2, "b"), *c = new Bar(1, "c"), *d = new Bar(1, "d");
    frame.Harbor->Insert(*a, alTop);
    frame.Harbor->Insert(*b, alTop);
    frame.Harbor->Insert(*c, alBottom);
    frame.Harbor->Insert(*d, alBottom);
    ASSERT_TRUE(frame.Create());
    TEdgeSlip *top = frame.Harbor->GetEdgeSlip(alTop), *bottom = frame.Harbor->GetEdgeSlip(alBottom);
    int h = a->GetWindowRect().Height();
    EXPECT_EQ(TPoint(0, 0), In(*top, a->GetHandle()).TopLeft());
    EXPECT_EQ(TPoint(0, h), In(*top, b->GetHandle()).TopLeft());
    EXPECT_EQ(2 * h + 2, top->GetWindowRect().Height());
    // the bottom edge grows towards the client: the newer bar lies above
    EXPECT_EQ(TPoint(0, 0), In(*bottom, d->GetHandle()).TopLeft());
    EXPECT_EQ(TPoint(0, h), In(*bottom, c->GetHandle()).TopLeft());
    EXPECT_TRUE(a->IsWindowVisible() && b->IsWindowVisible() && c->IsWindowVisible() && d->IsWindowVisible());
    frame.Destroy();
}
