// Gadget lists and windows: placement in the list, the three layouts with margins,
// wide gadgets and row breaks, shrink-wrapped sizes, mouse routing with capture and
// enter/leave, command and hint routing to the frame.
#include "tests/framework/TestKit.h"
#include "bars/DecoratedFrame.h"
#include "bars/GadgetWindow.h"
#include "tests/framework/GdiCanvas.h"
#include "bars/MessageBar.h"
#include "tests/framework/TestApp.h"
#include "bars/TextGadget.h"
#include "bars/Tooltip.h"

#include <gtest/gtest.h>

#include <string>

namespace {
// A gadget of a fixed size whose calls are logged as "<id>:<call> ".
class Fixed : public TGadget {
public:
    Fixed(int id, int w, int h, TBorderStyle style = None, std::string *log = 0) : TGadget(id, style), Log(log) {
        ShrinkWrapWidth = ShrinkWrapHeight = 0;
        Bounds = TRect(0, 0, w, h);
    }
    void MouseEnter(uint, TPoint const &p) override { Note("enter", p); }
    void MouseMove(uint, TPoint const &p) override { Note("move", p); }
    void MouseLeave(uint, TPoint const &) override { Note("leave"); }
    void LButtonDown(uint k, TPoint const &p) override { Note("down", p), TGadget::LButtonDown(k, p); }
    void LButtonUp(uint k, TPoint const &p) override { Note("up", p), TGadget::LButtonUp(k, p); }
    void RButtonDown(uint, TPoint const &p) override { Note("rdown", p); }
    void RButtonUp(uint, TPoint const &p) override { Note("rup", p); }
    int IdleAction(long n) override { return Note("idle"), TGadget::IdleAction(n); }

    std::string *Log;

private:
    void Note(char const *what, TPoint const &p = TPoint(-99, -99)) {
        if (!Log)
            return;
        *Log += std::to_string(Id) + ":" + what;
        if (p.x != -99)
            *Log += "@" + std::to_string(p.x) + "," + std::to_string(p.y);
        *Log += " ";
    }
};

std::string Ids(TGadgetList const &list) {
    std::string ids;
    for (TGadget *g = list.FirstGadget(); g; g = list.NextGadget(*g))
        ids += (ids.empty() ? "" : " ") + std::to_string(g->GetId());
    return ids;
}

std::string Box(TRect const &r) {
    return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
           std::to_string(r.bottom);
}

// The bounds the layout gives each gadget, "l,t,r,b" joined by " | ".
std::string Layout(TGadgetWindow &w, TGadgetWindow::TTileDirection direction, TSize *desired = 0) {
    TGadgetWindow::TLayoutInfo layout;
    w.LayoutGadgets(direction, layout);
    if (desired)
        *desired = layout.DesiredSize;
    std::string boxes;
    for (TRect const &r : layout.GadgetBounds)
        boxes += (boxes.empty() ? "" : " | ") + Box(r);
    return boxes;
}

}  // namespace

TEST(TGadgetList, PlacesBeforeAfterAndNextToSiblingsAndMovesWholeLists) {
    TGadgetList list, other;
    Fixed a(1, 1, 1), b(2, 1, 1), c(3, 1, 1), d(4, 1, 1), e(5, 1, 1), f(6, 1, 1), stranger(9, 1, 1);
    list.Insert(a);
    list.Insert(b, TGadgetList::After);
    list.Insert(c, TGadgetList::Before);  // no sibling: first
    other.Insert(stranger);
    list.Insert(d, TGadgetList::Before, &stranger);  // a sibling of another list: last
    list.Insert(e, TGadgetList::Before, &a);
    list.Insert(f, TGadgetList::After, &a);
    EXPECT_EQ("3 5 1 6 2 4", Ids(list));
    EXPECT_EQ(6u, list.GadgetCount());
    EXPECT_EQ(&f, list[3]);
    EXPECT_EQ(&b, list.GadgetWithId(2));
    EXPECT_EQ(nullptr, list.GadgetWithId(7));

    EXPECT_EQ(nullptr, list.Remove(stranger));
    EXPECT_EQ(&e, list.Remove(e));
    EXPECT_EQ("3 1 6 2 4", Ids(list));
    EXPECT_EQ(5u, list.GadgetCount());

    other.InsertFrom(list, TGadgetList::Before, &stranger);  // in order, as one block
    EXPECT_EQ("3 1 6 2 4 9", Ids(other));
    EXPECT_EQ(0u, list.GadgetCount());
    EXPECT_EQ(nullptr, list.FirstGadget());
    other.InsertFrom(other);  // from itself: nothing moves
    EXPECT_EQ("3 1 6 2 4 9", Ids(other));
}

TEST(TGadgetWindow, HitTestingSkipsInvisibleGadgetsAndTakesTheFirstInListOrder) {
    TestApp app;
    TGadgetWindow w(0, TGadgetWindow::Horizontal, new TGadgetWindowFont);
    Fixed *a = new Fixed(1, 20, 10), *hidden = new Fixed(2, 20, 10), *b = new Fixed(3, 20, 10);
    w.Insert(*a), w.Insert(*hidden), w.Insert(*b);
    a->SetBounds(TRect(0, 0, 20, 10));
    hidden->SetBounds(TRect(20, 0, 40, 10));
    hidden->SetVisible(0);
    b->SetBounds(TRect(15, 0, 35, 10));  // overlaps a
    EXPECT_EQ(a, w.GadgetFromPoint(TPoint(0, 0)));
    EXPECT_EQ(a, w.GadgetFromPoint(TPoint(19, 9)));
    EXPECT_EQ(b, w.GadgetFromPoint(TPoint(20, 5)));  // the hidden one is skipped
    EXPECT_EQ(nullptr, w.GadgetFromPoint(TPoint(35, 5)));
    EXPECT_EQ(nullptr, w.GadgetFromPoint(TPoint(5, 10)));
    // a gadget of another window is refused; a removed one is back at the origin
    TGadgetWindow other(0, TGadgetWindow::Horizontal, new TGadgetWindowFont);
    EXPECT_EQ(nullptr, other.Remove(*a));
    EXPECT_EQ(b, w.Remove(*b));
    EXPECT_EQ("0,0,20,10", Box(b->GetBounds()));
    EXPECT_EQ(nullptr, b->GetGadgetWindow());
    delete b;
    EXPECT_EQ(2u, w.GadgetCount());
    delete hidden;  // its destructor takes it out of the window
    EXPECT_EQ(1u, w.GadgetCount());
}

TEST(TGadgetWindow, HorizontalLayoutSharesTheFreeWidthAmongWideGadgets) {
    TestApp app;
    struct Case {
        int wide;
        char const *boxes;
    } const cases[] = {
        {1, "3,4,23,14 | 23,6,166,12 | 166,2,196,16"},
        {2, "3,4,23,14 | 23,6,94,12 | 94,6,165,12 | 165,2,195,16"},
    };
    for (Case const &c : cases) {
        TGadgetWindow w(0, TGadgetWindow::Horizontal, new TGadgetWindowFont);
        w.Attr.W = 200;
        w.SetMargins(TMargins(TMargins::Pixels, 3, 4, 2, 5));
        w.Insert(*new Fixed(1, 20, 10));
        for (int i = 0; i < c.wide; ++i) {
            Fixed *wide = new Fixed(10 + i, 5, 6);
            wide->WideAsPossible = 1;
            w.Insert(*wide);
        }
        w.Insert(*new Fixed(2, 30, 14));
        EXPECT_EQ(c.wide, w.GetWideAsPossibleCount());
        TSize desired;
        EXPECT_EQ(c.boxes, Layout(w, TGadgetWindow::Horizontal, &desired)) << c.wide << " wide";
        EXPECT_EQ(TSize(c.wide == 1 ? 200 : 199, 21), desired);
    }

    // overlapping frames leave the wide gadget more: the row still ends at the margin
    int cx = ::GetSystemMetrics(SM_CXBORDER);
    TGadgetWindow w(0, TGadgetWindow::Horizontal, new TGadgetWindowFont);
    w.Attr.W = 200;
    w.SetMargins(TMargins(TMargins::Pixels, 3, 4, 2, 5));
    w.Insert(*new Fixed(1, 20, 10, TGadget::Plain));
    Fixed *wide = new Fixed(10, 5, 6, TGadget::Plain);
    wide->WideAsPossible = 1;
    w.Insert(*wide);
    w.Insert(*new Fixed(2, 30, 14, TGadget::Plain));
    EXPECT_EQ("3,4,23,14 | " + Box(TRect(23 - cx, 6, 166 + cx, 12)) + " | 166,2,196,16",
              Layout(w, TGadgetWindow::Horizontal));
}

TEST(TGadgetWindow, PlainFramedNeighboursOverlapByOneBorderInBothDirections) {
    TestApp app;
    int cx = ::GetSystemMetrics(SM_CXBORDER), cy = ::GetSystemMetrics(SM_CYBORDER);
    TGadgetWindow w(0, TGadgetWindow::Horizontal, new TGadgetWindowFont);
    w.SetMargins(TMargins(TMargins::Pixels, 3, 4, 2, 5));
    w.Insert(*new Fixed(1, 20, 10, TGadget::Plain));
    w.Insert(*new Fixed(2, 30, 14, TGadget::Plain));
    w.Insert(*new Fixed(3, 10, 10, TGadget::Recessed));
    int second = 23 - cx;
    EXPECT_EQ("3,4,23,14 | " + Box(TRect(second, 2, second + 30, 16)) + " | " +
                  Box(TRect(second + 30, 4, second + 40, 14)),
              Layout(w, TGadgetWindow::Horizontal));
    // vertically: centred in the column, overlapping downwards
    w.SetDirection(TGadgetWindow::Vertical);
    TSize desired;
    int top = 12 - cy;
    EXPECT_EQ("8,2,28,12 | " + Box(TRect(3, top, 33, top + 14)) + " | " + Box(TRect(13, top + 14, 23, top + 24)),
              Layout(w, TGadgetWindow::Vertical, &desired));
    EXPECT_EQ(TSize(33 + 4, top + 24 + 5), desired);
}

TEST(TGadgetWindow, RectangularLayoutBreaksRowsAtSeparatorsWithTheRowMargin) {
    TestApp app;
    struct Case {
        char const *shape;  // g: a 30 x 10 gadget, s: a 6-pixel separator
        char const *boxes;
        char const *ends;  // the ids with the end-of-row bit
        TSize desired;
    } const cases[] = {
        // a separator ends the first row: the row margin (4) goes below it
        {"gggsgg", "0,0,30,10 | 30,0,60,10 | 60,0,90,10 | 90,2,96,8 | 0,14,30,24 | 30,14,60,24", "4", TSize(90, 24)},
        // broken at a visible gadget: no margin
        {"ggggg", "0,0,30,10 | 30,0,60,10 | 60,0,90,10 | 0,10,30,20 | 30,10,60,20", "3", TSize(90, 20)},
        // after a row broken at a visible gadget, a separator ends the next row early
        {"ggggsg", "0,0,30,10 | 30,0,60,10 | 60,0,90,10 | 0,10,30,20 | 30,12,36,18 | 0,24,30,34", "3 5",
         TSize(90, 34)},
    };
    for (Case const &c : cases) {
        TGadgetWindow w(0, TGadgetWindow::Rectangular, new TGadgetWindowFont);
        w.SetMargins(TMargins(TMargins::Pixels, 0, 0, 0, 0));
        w.SetRectangularDimensions(100, -1, 4);
        int id = 1;
        for (char const *s = c.shape; *s; ++s, ++id)
            w.Insert(*s == 's' ? *static_cast<TGadget *>(new TSeparatorGadget(6, id)) : *new Fixed(id, 30, 10));
        TSize desired;
        EXPECT_EQ(c.boxes, Layout(w, TGadgetWindow::Rectangular, &desired)) << c.shape;
        EXPECT_EQ(c.desired, desired) << c.shape;
        std::string ends;
        for (TGadget *g = w.FirstGadget(); g; g = g->NextGadget())
            if (g->IsEndOfRow())
                ends += (ends.empty() ? "" : " ") + std::to_string(g->GetId());
        EXPECT_EQ(c.ends, ends) << c.shape;
    }
}

TEST(TGadgetWindow, ShrinkWrappedSizesFollowTheContent) {
    TestApp app;
    TGadgetWindow empty(0, TGadgetWindow::Horizontal, new TGadgetWindowFont);
    TSize size;
    empty.GetDesiredSize(size);
    EXPECT_EQ(0, size.cy) << "no gadgets, shrink-wrapped height";

    TGadgetWindow w(0, TGadgetWindow::Horizontal, new TGadgetWindowFont);
    TTextGadget *text = new TTextGadget(1, TGadget::Recessed, TTextGadget::Left, 10, "ab");
    w.Insert(*text);
    TEXTMETRICA tm = w.GetFont().GetTextMetrics();
    int outer = 2 * w.LayoutUnitsToPixels(::GetSystemMetrics(SM_CXFIXEDFRAME)) + 2 * ::GetSystemMetrics(SM_CXBORDER);
    TSize desired;
    text->GetDesiredSize(desired);
    EXPECT_EQ(outer + 10 * tm.tmMaxCharWidth, desired.cx) << "ten of the widest characters, whatever the text";
    EXPECT_EQ(tm.tmHeight + 2 + 2 * ::GetSystemMetrics(SM_CYBORDER), desired.cy);
    w.GetDesiredSize(size);
    EXPECT_EQ(desired.cy, size.cy);
    EXPECT_EQ(size.cy, w.Attr.H) << "insertion takes the shrink-wrapped height";
    EXPECT_EQ(tm.tmHeight + tm.tmExternalLeading, w.GetFontHeight());

    // a vertical window shrink-wraps its width instead
    w.SetDirection(TGadgetWindow::Vertical);
    EXPECT_EQ(desired.cx, w.Attr.W);
    TGadgetWindow small(0, TGadgetWindow::Horizontal, 0);  // a null font: the 6-point one
    EXPECT_LT(small.GetFontHeight(), w.GetFontHeight());
}

namespace {
// A frame with a command and its enabler, and a gadget window inside.
class GadgetFrame : public TDecoratedFrame {
public:
    GadgetFrame() : TDecoratedFrame(0, "Gadgets", 0, 1, &Exe()) {
        Attr.X = Attr.Y = 300;
        Attr.W = 400;
        Attr.H = 200;
    }
    int Commands = 0, Enables = 0;
    void CmTest() { ++Commands; }
    void CeTest(TCommandEnabler &ce) { ++Enables, ce.Enable(1); }
    DECLARE_RESPONSE_TABLE(GadgetFrame);
};
DEFINE_RESPONSE_TABLE1(GadgetFrame, TDecoratedFrame)
    EV_COMMAND(46010, CmTest),
    EV_COMMAND_ENABLE(46010, CeTest),
END_RESPONSE_TABLE;

class OwnCommands : public TGadgetWindow {
public:
    explicit OwnCommands(TWindow *parent) : TWindow(parent, 0, &Exe()), TGadgetWindow(parent) {}
    int Commands = 0;
    void CmOwn() { ++Commands; }
    DECLARE_RESPONSE_TABLE(OwnCommands);
};
DEFINE_RESPONSE_TABLE1(OwnCommands, TGadgetWindow)
    EV_COMMAND(46011, CmOwn),
END_RESPONSE_TABLE;

using Enabler = EnablerProbe;

LPARAM At(int x, int y) { return MAKELPARAM(x, y); }
}  // namespace

TEST(TGadgetWindow, MouseGoesToTheGadgetUnderItOrTheOneHoldingTheCapture) {
    TestApp app;
    GadgetFrame frame;
    std::string log;
    TGadgetWindow *w = new TGadgetWindow(&frame);
    w->SetMargins(TMargins(TMargins::Pixels, 0, 0, 0, 0));
    Fixed *a = new Fixed(46021, 20, 10, TGadget::None, &log), *b = new Fixed(46022, 20, 10, TGadget::None, &log);
    Fixed *off = new Fixed(46023, 20, 10, TGadget::None, &log);
    w->Insert(*a), w->Insert(*b), w->Insert(*off);
    off->SetEnabled(0);
    a->SetTrackMouse(1);
    frame.Insert(*w, TDecoratedFrame::Top);
    ASSERT_TRUE(frame.Create());
    Pump();
    ASSERT_EQ("0,0,20,10 | 20,0,40,10 | 40,0,60,10",
              Box(a->GetBounds()) + " | " + Box(b->GetBounds()) + " | " + Box(off->GetBounds()));

    w->SendMessageA(WM_MOUSEMOVE, 0, At(5, 5));
    w->SendMessageA(WM_MOUSEMOVE, 0, At(6, 5));  // the same gadget: nothing new
    w->SendMessageA(WM_MOUSEMOVE, 0, At(25, 5));
    w->SendMessageA(WM_MOUSEMOVE, 0, At(45, 5));
    EXPECT_EQ("46021:enter@5,5 46021:leave 46022:enter@5,5 46022:leave 46023:enter@5,5 ", log);
    log.clear();
    // a disabled gadget gets no button calls
    w->SendMessageA(WM_LBUTTONDOWN, 0, At(45, 5));
    w->SendMessageA(WM_RBUTTONUP, 0, At(45, 5));
    EXPECT_EQ("", log);
    // a double click is a release and a press
    w->SendMessageA(WM_LBUTTONDBLCLK, 0, At(25, 5));
    EXPECT_EQ("46022:up@5,5 46022:down@5,5 ", log);
    w->SendMessageA(WM_LBUTTONUP, 0, At(25, 5));
    log.clear();

    // a tracking gadget holds the mouse from press to release
    w->SendMessageA(WM_LBUTTONDOWN, 0, At(5, 5));
    EXPECT_EQ(a, w->GetCapture());
    EXPECT_EQ(w->GetHandle(), ::GetCapture());
    EXPECT_EQ(0, w->GadgetSetCapture(*b)) << "a second holder is refused";
    w->SendMessageA(WM_MOUSEMOVE, 0, At(25, 5));
    w->SendMessageA(WM_RBUTTONDOWN, 0, At(25, 5));
    w->SendMessageA(WM_LBUTTONUP, 0, At(25, 5));
    EXPECT_EQ("46021:down@5,5 46021:move@25,5 46021:rdown@25,5 46021:up@25,5 ", log);
    EXPECT_EQ(nullptr, w->GetCapture());
    EXPECT_EQ(nullptr, ::GetCapture());
    log.clear();

    // the mouse gone elsewhere without a message: the gadget leaves at the next idle time
    w->SendMessageA(WM_MOUSEMOVE, 0, At(25, 5));
    // The pointer is put far from the window; should it be moved back onto it at once
    // (another program may hold it), the idle pass leaves the gadget alone: try again.
    for (int attempt = 0; attempt < 10 && w->GetAtMouse(); ++attempt) {
        ::SetCursorPos(5, 5);
        log.clear();
        w->IdleAction(0);
    }
    EXPECT_EQ("46022:leave 46021:idle 46022:idle 46023:idle ", log);
    EXPECT_EQ(nullptr, w->GetAtMouse());
    frame.Destroy(0);
}

TEST(TGadgetWindow, CommandsAndEnablersClimbToTheFrameAndHintsShowInItsMessageBar) {
    TestApp app;
    GadgetFrame frame;
    TMessageBar *bar = new TMessageBar(&frame, new TGadgetWindowFont, &Exe());
    OwnCommands *w = new OwnCommands(&frame);
    frame.Insert(*w, TDecoratedFrame::Top);
    frame.Insert(*bar, TDecoratedFrame::Bottom);
    ASSERT_TRUE(frame.Create());

    w->HandleMessage(WM_COMMAND, 46010);
    w->HandleMessage(WM_COMMAND, 46011);
    EXPECT_EQ(1, frame.Commands);
    EXPECT_EQ(1, w->Commands) << "a command of the window's own table stays there";
    Enabler ce(46010, w->GetHandle());
    w->HandleMessage(0x7FFF, 0, LPARAM(&ce));
    EXPECT_EQ(1, frame.Enables);
    EXPECT_TRUE(ce.GetHandled());
    EXPECT_TRUE(ce.IsReceiver(frame.GetHandle())) << "readdressed to the parent";

    w->SetHintCommand(46001);
    ASSERT_TRUE(bar->GetHintText());
    EXPECT_STREQ("Opens a sound file", bar->GetHintText());
    w->SetHintCommand(-1);
    EXPECT_EQ(nullptr, bar->GetHintText()) << "no command clears the hint";
    frame.Destroy(0);
}

TEST(TGadgetWindow, GadgetsWithCommandIdsGetToolsWhoseTextsComeFromTheFrame) {
    TestApp app;
    GadgetFrame frame;
    TGadgetWindow *w = new TGadgetWindow(&frame);
    w->SetMargins(TMargins(TMargins::Pixels, 0, 0, 0, 0));
    int const ids[] = {46001, 0, -1, 30000, 30999, 46002};
    for (int id : ids)
        w->Insert(*new Fixed(id, 20, 10));
    w->EnableTooltip(1);  // made when the window is set up
    EXPECT_EQ(0, w->EnableTimer()) << "only wanted before the window exists";
    EXPECT_EQ(nullptr, w->GetTooltip());
    frame.Insert(*w, TDecoratedFrame::Top);
    ASSERT_TRUE(frame.Create());
    TTooltip *tooltip = w->GetTooltip();
    ASSERT_TRUE(tooltip && tooltip->GetHandle());
    EXPECT_EQ(2, tooltip->GetToolCount()) << "none for 0, -1 and the bar furniture ids";
    EXPECT_TRUE(::KillTimer(w->GetHandle(), TGadgetWindow::TimerId)) << "the idle timer runs";

    // a tool follows its gadget
    TGadget *last = w->GadgetWithId(46002);
    last->SetSize(TSize(30, 10));
    TToolInfo info(1);
    info.SetToolInfo(w->GetHandle(), 46002);
    ASSERT_TRUE(tooltip->GetToolInfo(info));
    EXPECT_EQ(Box(last->GetBounds()), Box(info.rect));

    // the text request is answered by the frame's command enabling
    TTooltipText request;
    request.hdr.hwndFrom = tooltip->GetHandle();
    request.hdr.idFrom = 46001;
    request.hdr.code = TTN_NEEDTEXTA;
    w->SendMessageA(WM_NOTIFY, 46001, LPARAM(&request));
    EXPECT_STREQ("Open", request.szText);

    delete w->Remove(*last);
    EXPECT_EQ(1, tooltip->GetToolCount());
    frame.Destroy(0);
}

namespace {
// Paints black far beyond its own area.
class Spill : public Fixed {
public:
    Spill(int id) : Fixed(id, 10, 10) {}
    void Paint(TDC &dc) override { dc.TextRect(TRect(-50, -50, 50, 50), TColor(RGB(0, 0, 0))); }
};
}  // namespace

TEST(TGadgetWindow, PaintingMovesTheOriginToEachGadgetAndClipsThoseThatAskForIt) {
    TestApp app;
    TGadgetWindow w(0, TGadgetWindow::Horizontal, new TGadgetWindowFont);
    w.SetMargins(TMargins(TMargins::Pixels, 0, 0, 0, 0));
    Spill *clipped = new Spill(1), *spilling = new Spill(2);
    clipped->Clip = 1;
    w.Insert(*new Fixed(3, 10, 10)), w.Insert(*clipped), w.Insert(*new Fixed(4, 10, 10));
    w.TileGadgets();
    Canvas canvas(60, 20);
    TRect all(0, 0, 60, 20);
    w.Paint(canvas.dc(), 1, all);
    EXPECT_EQ("..........##########........................................", canvas.Row(5));
    EXPECT_EQ(".....................................", canvas.Row(15).substr(0, 37)) << "below the row";

    // without clipping the same gadget paints over its neighbours, from its own origin
    w.Remove(*clipped);
    delete clipped;
    w.Insert(*spilling, TGadgetList::Before);
    w.TileGadgets();
    canvas.Fill(RGB(255, 255, 255));
    w.Paint(canvas.dc(), 1, all);
    EXPECT_EQ(std::string(50, '#') + std::string(10, '.'), canvas.Row(5));
}
