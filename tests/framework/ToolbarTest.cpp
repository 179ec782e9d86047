// Tool bars in a decorated frame under Xvfb: docked at each edge, floated into their
// frame and docked back, their place kept in the "Main" store, the floating frames told
// whether to look active, and dragged between the dock stations (all driven with
// messages).
#include "tests/framework/BarTestSupport.h"
#include "bars/DecoratedFrame.h"
#include "bars/DockStation.h"
#include "manager/DocumentManager.h"
#include "core/SysInfo.h"
#include "core/Menu.h"
#include "core/Module.h"
#include "bars/StatusBar.h"
#include "bars/TextGadget.h"
#include "bars/ToolTipJq.h"
#include "bars/ToolbarButtonGadget.h"
#include "bars/ToolbarControlBar.h"
#include "bars/ToolbarFrame.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace {

using namespace bartest;

enum { CmFirst = 48110 };

class App : public DocumentManager {
public:
    App() : DocumentManager("ToolbarTests", "") {}
    using TApplication::SetMainWindow;
};

TRect ClientOnScreen(HWND hwnd) {
    RECT r;
    ::GetClientRect(hwnd, &r);
    ::MapWindowPoints(hwnd, 0, reinterpret_cast<POINT *>(&r), 2);
    return TRect(r);
}

// A frame with its tip window and the tool bars made on it; the application deletes
// the frame.
class Bars {
public:
    Bars() {
        TApplication::SetWinMainParams(::GetModuleHandleA(0), 0, "", SW_SHOWNORMAL);
        app.reset(new App);
        tip.reset(new TToolTipJq);
        NewFrame();
    }
    ~Bars() {
        app.reset();
        tip.reset();
    }
    void NewFrame() {
        frame = new TDecoratedFrame(0, "Bars", 0, 0, &Exe());
        frame->Attr.X = 60;
        frame->Attr.Y = 40;
        frame->Attr.W = 640;
        frame->Attr.H = 480;
        app->SetMainWindow(frame);
    }
    void Show() {
        frame->Create();
        frame->ShowWindow(SW_SHOWNORMAL);
        ::SetForegroundWindow(frame->GetHandle());
        Pump();
    }
    // The frame goes: the bars write their places into the store.
    void CloseFrame() {
        app->SetMainWindow(0);
        frame->Destroy(0);
        delete frame;
        frame = 0;
        Pump();
    }
    ControlBar *Bar(char const *name, unsigned short style, int buttons = 3, int newRow = 1) {
        ControlBar *bar = new ControlBar(*tip, frame, name, style, newRow, new TGadgetWindowFont, &Exe());
        for (int i = 0; i < buttons; ++i)
            bar->Insert(*new TToolbarButtonGadget(Glyph, CmFirst + i, TToolbarButtonGadget::Command, 1));
        return bar;
    }
    Config &Store() { return app->GetConfig(); }

    std::unique_ptr<App> app;
    std::unique_ptr<TToolTipJq> tip;
    TDecoratedFrame *frame;
};

TEST(ControlBar, EnableAllReachesEveryGadget) {
    Bars bars;
    ControlBar *bar = bars.Bar("Enable", TToolbar::DockTop, 2);
    TGadget *separator = new TSeparatorGadget(6);
    TGadget *text = new TTextGadget(0, TGadget::Recessed, TTextGadget::Left, 5, "text");
    bar->Insert(*separator);
    bar->Insert(*text);
    bar->EnableAll(0);
    int count = 0;
    for (TGadget *g = bar->FirstGadget(); g; g = g->NextGadget(), ++count)
        EXPECT_FALSE(g->GetEnabled()) << count;
    EXPECT_EQ(4, count);
    bar->EnableAll(1);
    for (TGadget *g = bar->FirstGadget(); g; g = g->NextGadget())
        EXPECT_TRUE(g->GetEnabled());
}

// Counts how often the idle rounds ask it for its command state.
class EnableCounter : public TGadget {
public:
    explicit EnableCounter(int *count) : Count(count) {}
    void CommandEnable() override { ++*Count; }
    int *Count;
};

TEST(Toolbar, OneIdleRoundAsksEveryBarsGadgetsOnce) {
    Bars bars;
    int docked = 0, floating = 0;
    ControlBar *dockedBar = bars.Bar("IdleDocked", TToolbar::DockTop, 1);
    dockedBar->Insert(*new EnableCounter(&docked));
    ControlBar *floatingBar = bars.Bar("IdleFloating", TToolbar::DockTop, 1);
    floatingBar->Insert(*new EnableCounter(&floating));
    bars.Show();
    floatingBar->Maximize();
    Pump();
    ASSERT_TRUE(floatingBar->GetFloatingFrame());
    docked = floating = 0;
    bars.frame->IdleAction(0);
    EXPECT_EQ(1, docked);
    EXPECT_EQ(1, floating);
}

TEST(Toolbar, DocksAtEachEdgeFloatsAndDocksBackByDoubleClick) {
    Bars bars;
    ControlBar *top = bars.Bar("Top", TToolbar::DockTop);
    ControlBar *bottom = bars.Bar("Bottom", TToolbar::DockBottom);
    ControlBar *left = bars.Bar("Left", TToolbar::DockLeft);
    ControlBar *right = bars.Bar("Right", TToolbar::DockRight);
    bars.Show();

    struct Edge {
        ControlBar *bar;
        TDockStation *station;
    } const edges[] = {{top, TToolbar::TopDock},
                       {bottom, TToolbar::BottomDock},
                       {left, TToolbar::LeftDock},
                       {right, TToolbar::RightDock}};
    for (Edge const &e : edges) {
        ASSERT_TRUE(e.station);
        EXPECT_EQ(e.station, e.bar->GetParentO()) << e.bar->GetTitle();
        EXPECT_EQ(e.bar, e.station->GetFirstToolbar());
        EXPECT_TRUE(e.bar->IsWindowVisible());
        EXPECT_EQ(e.station->GetHandle(), ::GetParent(e.bar->GetHandle()));
    }
    TRect area = ClientOnScreen(bars.frame->GetHandle());
    TRect t = TToolbar::TopDock->GetWindowRect(), b = TToolbar::BottomDock->GetWindowRect();
    TRect l = TToolbar::LeftDock->GetWindowRect(), r = TToolbar::RightDock->GetWindowRect();
    EXPECT_EQ(area.top, t.top);
    EXPECT_EQ(area.bottom, b.bottom);
    EXPECT_EQ(area.left, l.left);
    EXPECT_EQ(area.right, r.right);
    EXPECT_LE(t.bottom, l.top);
    EXPECT_GE(b.top, l.bottom);
    // the stations take their bars' room: docked at the side every button has a row
    TSize size;
    left->GetDesiredSize(size);
    EXPECT_GT(size.cy, 3 * 16);
    EXPECT_LT(size.cx, 2 * 16 + 14);
    EXPECT_GE(t.Height(), top->GetWindowRect().Height() - 4);
    EXPECT_GE(l.Width(), left->GetWindowRect().Width() - 4);
    TRect client = bars.frame->GetClientWindow()->GetWindowRect();
    EXPECT_GE(client.top, t.bottom - 1);
    EXPECT_LE(client.bottom, b.top + 1);
    EXPECT_GE(client.left, l.right - 1);
    EXPECT_LE(client.right, r.left + 1);

    // a double click on the free area floats the bar in its own frame
    top->SendMessageA(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(2, 2));
    Pump();
    ASSERT_TRUE(top->IsFloating());
    TToolbarFrame *frame = top->GetFloatingFrame();
    ASSERT_TRUE(frame);
    HWND frameHandle = frame->GetHandle();
    EXPECT_EQ("TToolbarFrame", ClassOf(frameHandle));
    EXPECT_EQ(frameHandle, ::GetParent(top->GetHandle()));
    EXPECT_TRUE(::IsWindowVisible(frameHandle));
    EXPECT_EQ(0, TToolbar::TopDock->GetFirstToolbar());
    EXPECT_EQ(0, TToolbar::TopDock->GetWindowRect().Height()) << "the client grows into the empty station";
    EXPECT_EQ(area.top, bars.frame->GetClientWindow()->GetWindowRect().top);
    EXPECT_EQ(top->GetFloatingPos(), frame->GetWindowRect().TopLeft());
    TSize caseSize = top->GetCaseSize(top->GetFloatingSize());
    EXPECT_EQ(caseSize.cx, frame->GetWindowRect().Width());
    EXPECT_EQ(caseSize.cy, frame->GetWindowRect().Height());
    EXPECT_EQ(bars.frame->GetHandle(), ::GetWindow(frameHandle, GW_OWNER));

    // a double click on its caption docks it at its edge again
    TRect w = frame->GetWindowRect();
    frame->SendMessageA(WM_NCLBUTTONDBLCLK, HTCAPTION, MAKELPARAM(w.left + w.Width() / 2, w.top + 4));
    Pump();
    EXPECT_FALSE(top->IsFloating());
    EXPECT_FALSE(::IsWindow(frameHandle));
    EXPECT_EQ(0, top->GetFloatingFrame());
    EXPECT_EQ(TToolbar::TopDock, top->GetParentO());
    EXPECT_EQ(top, TToolbar::TopDock->GetFirstToolbar());
    EXPECT_TRUE(top->IsWindowVisible());
}

TEST(Toolbar, PlaceIsSavedInTheMainStoreAndRestored) {
    Bars bars;
    ControlBar *bar = bars.Bar("Saved", TToolbar::DockBottom);
    ControlBar *hidden = bars.Bar("Hidden", TToolbar::DockTop);
    bars.Show();
    bar->SetFloatingPos(TPoint(300, 200));
    bar->Maximize();
    hidden->Hide();
    Pump();
    ASSERT_TRUE(bar->GetFloatingFrame());
    EXPECT_EQ(TPoint(300, 200), bar->GetFloatingFrame()->GetWindowRect().TopLeft());
    EXPECT_FALSE(hidden->IsWindowVisible());
    bars.CloseFrame();

    Config &store = bars.Store();
    store.MoveAbsolute("\\Frame Window\\Toolbars\\Saved");
    unsigned short style = store.GetValue((unsigned short)0, "Style");
    EXPECT_EQ(TToolbar::DockBottom | TToolbar::Floating, style & TToolbar::PlaceBits);
    EXPECT_EQ(300, store.GetValue(0, "X"));
    EXPECT_EQ(200, store.GetValue(0, "Y"));
    EXPECT_EQ(1, store.GetValue(0, "SNL"));
    store.MoveAbsolute("\\Frame Window\\Toolbars\\Hidden");
    EXPECT_EQ(TToolbar::DockTop | TToolbar::Hidden, store.GetValue((unsigned short)0, "Style") & TToolbar::PlaceBits);
    store.MoveToRoot();

    // the same bars on a new frame come back where they were
    bars.NewFrame();
    ControlBar *again = bars.Bar("Saved", TToolbar::DockTop);
    ControlBar *stillHidden = bars.Bar("Hidden", TToolbar::DockTop);
    EXPECT_EQ(TToolbar::DockBottom | TToolbar::Floating, again->GetStyle() & TToolbar::PlaceBits);
    bars.Show();
    ASSERT_TRUE(again->GetFloatingFrame());
    EXPECT_EQ(TPoint(300, 200), again->GetFloatingFrame()->GetWindowRect().TopLeft());
    EXPECT_TRUE(stillHidden->IsHidden());
    EXPECT_FALSE(stillHidden->IsWindowVisible());
    // docked again it goes to the edge it was saved with
    again->Minimize();
    EXPECT_EQ(TToolbar::BottomDock, again->GetParentO());
}

// Which windows receive WM_NCACTIVATE, and with what.
std::vector<std::pair<HWND, WPARAM>> ncActivations;
LRESULT CALLBACK RecordNcActivate(int code, WPARAM wp, LPARAM lp) {
    CWPSTRUCT const *m = reinterpret_cast<CWPSTRUCT const *>(lp);
    if (code >= 0 && m->message == WM_NCACTIVATE)
        ncActivations.push_back(std::make_pair(m->hwnd, m->wParam));
    return ::CallNextHookEx(0, code, wp, lp);
}

TEST(Toolbar, ActivateFloatingToolbarsTellsTheShownFloatingFramesOnly) {
    Bars bars;
    ControlBar *floating = bars.Bar("Floating", TToolbar::DockTop);
    ControlBar *hiddenFloating = bars.Bar("HiddenFloating", TToolbar::DockTop);
    ControlBar *docked = bars.Bar("Docked", TToolbar::DockTop);
    bars.Show();
    floating->Maximize();
    hiddenFloating->Maximize();
    hiddenFloating->Hide();
    Pump();
    ASSERT_TRUE(floating->GetFloatingFrame());
    ASSERT_FALSE(hiddenFloating->GetFloatingFrame());
    ASSERT_FALSE(docked->IsFloating());
    TToolbarFrame *frame = floating->GetFloatingFrame();
    HWND frameHandle = frame->GetHandle();

    HHOOK hook = ::SetWindowsHookExA(WH_CALLWNDPROC, RecordNcActivate, 0, ::GetCurrentThreadId());
    struct Case {
        int asked;
        int enabled;
        int expected;  // -2: as the main window's foreground state
    } const cases[] = {{0, 1, 0}, {1, 1, 1}, {-1, 1, -2}, {1, 0, 0}, {1, 1, 1}};
    for (Case const &c : cases) {
        ::EnableWindow(frameHandle, c.enabled);
        ncActivations.clear();
        ActivateFloatingToolbars(c.asked);
        int expected = c.expected == -2 ? ::GetForegroundWindow() == bars.frame->GetHandle() : c.expected;
        ASSERT_EQ(1u, ncActivations.size()) << c.asked;
        EXPECT_EQ(frameHandle, ncActivations[0].first);
        EXPECT_EQ(WPARAM(expected), ncActivations[0].second) << c.asked << " " << c.enabled;
        EXPECT_EQ(expected, frame->GetActiveFlag());
        EXPECT_EQ(c.expected == -2 ? expected : c.asked, GetFloatingToolbarsActive());
    }
    ::UnhookWindowsHookEx(hook);
    // the frames' own name for the same call
    SetFloatingFramesActive(0);
    EXPECT_EQ(0, frame->GetActiveFlag());
}

// Sends a mouse message to the bar at a screen point.
void Mouse(TToolbar *bar, uint message, TPoint screen, uint keys = 0) {
    POINT p = {screen.x, screen.y};
    ::ScreenToClient(bar->GetHandle(), &p);
    bar->SendMessageA(message, keys, MAKELPARAM(short(p.x), short(p.y)));
}

TPoint OnScreen(TWindow *w, int x, int y) {
    POINT p = {x, y};
    ::ClientToScreen(w->GetHandle(), &p);
    return TPoint(p.x, p.y);
}

TEST(Toolbar, DraggedBetweenStationsAndOutWithControl) {
    Bars bars;
    ControlBar *bar = bars.Bar("Dragged", TToolbar::DockTop);
    bars.Show();
    TRect c = bars.frame->GetClientWindow()->GetWindowRect();

    // a press on a button is the button's, not a drag
    TRect button = bar->FirstGadget()->GetBounds();
    bar->SendMessageA(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(button.left + 3, button.top + 3));
    EXPECT_FALSE(bar->IsDragging());
    bar->SendMessageA(WM_LBUTTONUP, 0, MAKELPARAM(button.left + 3, button.top + 3));
    Pump();

    // to the left edge of the client area: docked at the left
    Mouse(bar, WM_LBUTTONDOWN, OnScreen(bar, 2, 2), MK_LBUTTON);
    ASSERT_TRUE(bar->IsDragging());
    EXPECT_EQ(bar->GetHandle(), ::GetCapture());
    TPoint leftEdge(c.left - 1, c.top + 100);
    Mouse(bar, WM_MOUSEMOVE, leftEdge, MK_LBUTTON);
    EXPECT_EQ(TToolbar::DockLeft, bar->GetDragStyle() & (TToolbar::DockEdges | TToolbar::Floating));
    Mouse(bar, WM_LBUTTONUP, leftEdge);
    Pump();
    EXPECT_FALSE(bar->IsDragging());
    EXPECT_EQ(0, ::GetCapture());
    EXPECT_EQ(TToolbar::LeftDock, bar->GetParentO());
    EXPECT_EQ(bar, TToolbar::LeftDock->GetFirstToolbar());
    EXPECT_EQ(0, TToolbar::TopDock->GetFirstToolbar());
    EXPECT_EQ(TToolbar::DockLeft, bar->GetStyle() & (TToolbar::DockEdges | TToolbar::Floating));

    // Ctrl keeps it floating over a docking place; letting Ctrl go docks it at once
    c = bars.frame->GetClientWindow()->GetWindowRect();  // the client grew into the top
    Mouse(bar, WM_LBUTTONDOWN, OnScreen(bar, 2, 2), MK_LBUTTON);
    TPoint topEdge(c.left + 60, c.top + 2);
    Mouse(bar, WM_MOUSEMOVE, topEdge, MK_LBUTTON | MK_CONTROL);
    EXPECT_TRUE(bar->GetDragStyle() & TToolbar::Floating);
    MoveCursor(topEdge.x, topEdge.y);
    MSG up = {bar->GetHandle(), WM_KEYUP, VK_CONTROL, 0, 0, {topEdge.x, topEdge.y}};
    bar->PreProcessMsg(up);
    EXPECT_EQ(TToolbar::DockTop, bar->GetDragStyle() & (TToolbar::DockEdges | TToolbar::Floating));
    MSG down = {bar->GetHandle(), WM_KEYDOWN, VK_CONTROL, 0, 0, {topEdge.x, topEdge.y}};
    bar->PreProcessMsg(down);
    EXPECT_TRUE(bar->GetDragStyle() & TToolbar::Floating);
    TPoint middle(c.left + c.Width() / 2, c.top + c.Height() / 2);
    Mouse(bar, WM_MOUSEMOVE, middle, MK_LBUTTON | MK_CONTROL);
    TRect dropped = bar->GetDragRect();
    Mouse(bar, WM_LBUTTONUP, middle, MK_CONTROL);
    Pump();
    ASSERT_TRUE(bar->IsFloating());
    ASSERT_TRUE(bar->GetFloatingFrame());
    EXPECT_EQ(dropped.TopLeft(), bar->GetFloatingFrame()->GetWindowRect().TopLeft());
    EXPECT_EQ(0, TToolbar::LeftDock->GetFirstToolbar());

    // dragged by its frame's caption onto the top edge it docks there
    TToolbarFrame *frame = bar->GetFloatingFrame();
    TRect w = frame->GetWindowRect();
    TPoint caption(w.left + w.Width() / 2, w.top + 4);
    frame->SendMessageA(WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(caption.x, caption.y));
    ASSERT_TRUE(bar->IsDragging());
    Mouse(bar, WM_MOUSEMOVE, topEdge, MK_LBUTTON);
    EXPECT_EQ(TToolbar::DockTop, bar->GetDragStyle() & (TToolbar::DockEdges | TToolbar::Floating));
    Mouse(bar, WM_LBUTTONUP, topEdge);
    Pump();
    EXPECT_FALSE(bar->IsFloating());
    EXPECT_EQ(TToolbar::TopDock, bar->GetParentO());
}

TEST(Toolbar, ADragShowsItsStatusTextUntilTheDrop) {
    Bars bars;
    ControlBar *bar = bars.Bar("Status", TToolbar::DockTop);
    bars.Show();
    int before = _sysInfo.GetStatusCount();
    bar->SendMessageA(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    EXPECT_EQ(before + 1, _sysInfo.GetStatusCount());
    bar->SendMessageA(WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
    EXPECT_EQ(before, _sysInfo.GetStatusCount());
    // dropped where it was, it stays
    EXPECT_EQ(TToolbar::TopDock, bar->GetParentO());
    EXPECT_EQ(bar, TToolbar::TopDock->GetFirstToolbar());

    // another window taking the mouse ends the drag where it began
    bar->SendMessageA(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    ASSERT_TRUE(bar->IsDragging());
    bars.frame->SetCapture();
    EXPECT_FALSE(bar->IsDragging());
    EXPECT_EQ(before, _sysInfo.GetStatusCount());
    ::ReleaseCapture();
    bar->SendMessageA(WM_LBUTTONUP, 0, MAKELPARAM(200, 200));
    EXPECT_EQ(before, _sysInfo.GetStatusCount());
    EXPECT_EQ(TToolbar::TopDock, bar->GetParentO());
}

TEST(TipControlBar, MovesOverFreeAreaAndClicksHideTheTip) {
    Bars bars;
    ControlBar *bar = bars.Bar("Tips", TToolbar::DockTop);
    bars.Show();
    bars.tip->SetCaption("tip");
    ASSERT_TRUE(bars.tip->IsTimerActive());
    TRect button = bar->FirstGadget()->GetBounds();
    bar->SendMessageA(WM_MOUSEMOVE, 0, MAKELPARAM(button.left + 2, button.top + 2));
    EXPECT_TRUE(bars.tip->IsTimerActive()) << "over a button the tip stays";
    bar->SendMessageA(WM_MOUSEMOVE, 0, MAKELPARAM(2, 2));
    EXPECT_FALSE(bars.tip->IsTimerActive());
    bars.tip->SetCaption("tip");
    bar->SendMessageA(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(button.left + 2, button.top + 2));
    EXPECT_FALSE(bars.tip->IsTimerActive());
    bar->SendMessageA(WM_LBUTTONUP, 0, MAKELPARAM(button.left + 2, button.top + 2));
    Pump();
}

TEST(Toolbar, ResizeToolbarButtonsGivesEveryButtonTheBorderAndKeepsTheOrder) {
    Bars bars;
    ControlBar *first = bars.Bar("WideA", TToolbar::DockTop, 2);
    ControlBar *second = bars.Bar("WideB", TToolbar::DockTop, 2, 0);
    ControlBar *kept = bars.Bar("Kept", TToolbar::DockBottom, 2);
    kept->SetKeepBorders(1);
    bars.Show();
    TSize before;
    first->GetDesiredSize(before);
    TGadget::TBorders keptBorders = kept->FirstGadget()->GetBorders();
    ResizeToolbarButtons(3);
    for (ControlBar *bar : {first, second})
        for (TGadget *g = bar->FirstGadget(); g; g = g->NextGadget()) {
            EXPECT_EQ(3, g->GetBorders().Left);
            EXPECT_EQ(3, g->GetBorders().Bottom);
        }
    EXPECT_EQ(keptBorders.Left, kept->FirstGadget()->GetBorders().Left);
    TSize after;
    first->GetDesiredSize(after);
    EXPECT_GT(after.cy, before.cy);
    EXPECT_EQ(first, TToolbar::TopDock->GetFirstToolbar());
    EXPECT_EQ(second, first->GetNextToolbar());
    EXPECT_FALSE(second->GetNewRow());
    EXPECT_EQ(after.cy, first->GetWindowRect().Height());
}

TEST(Toolbar, ValidAlignmentLimitsTheEdges) {
    Bars bars;
    ControlBar *bar = bars.Bar("TopOnly", TToolbar::DockTop);
    bar->SetValidAlignment(TToolbar::DockTop);
    bars.Show();
    TRect c = bars.frame->GetClientWindow()->GetWindowRect();
    Mouse(bar, WM_LBUTTONDOWN, OnScreen(bar, 2, 2), MK_LBUTTON);
    TPoint leftEdge(c.left - 1, c.top + 100);
    Mouse(bar, WM_MOUSEMOVE, leftEdge, MK_LBUTTON);
    EXPECT_TRUE(bar->GetDragStyle() & TToolbar::Floating);
    Mouse(bar, WM_LBUTTONUP, leftEdge);
    Pump();
    EXPECT_TRUE(bar->IsFloating());
    EXPECT_EQ(0, TToolbar::LeftDock->GetFirstToolbar());
}

TEST(Toolbar, MenuCommandsHideAndShowTheBarOfTheirNumber) {
    Bars bars;
    ControlBar *first = bars.Bar("One", TToolbar::DockTop);
    ControlBar *second = bars.Bar("Two", TToolbar::DockTop);
    bars.Show();
    EXPECT_EQ(first->GetCommandId() + 1, second->GetCommandId());
    first->SendMessageA(WM_COMMAND, second->GetCommandId(), 0);
    EXPECT_TRUE(second->IsHidden());
    EXPECT_FALSE(second->IsWindowVisible());
    first->SendMessageA(WM_COMMAND, second->GetCommandId(), 0);
    EXPECT_FALSE(second->IsHidden());
    EXPECT_TRUE(second->IsWindowVisible());

    TContextMenu menu;
    first->GetContextMenu(menu);
    second->Hide();
    TContextMenu after;
    first->GetContextMenu(after);
    auto checked = [](TContextMenu &m, int id) {
        return (::GetMenuState(m.GetHandle(), id, MF_BYCOMMAND) & MF_CHECKED) != 0;
    };
    EXPECT_TRUE(checked(menu, second->GetCommandId()));
    EXPECT_FALSE(checked(after, second->GetCommandId()));
    EXPECT_TRUE(checked(after, first->GetCommandId()));
}

TEST(ToolbarFrame, BorderDragsSnapToTheCases) {
    // three shapes: one row, two rows, three rows
    TSize const cases[] = {TSize(200, 30), TSize(110, 50), TSize(60, 90)};
    TRect const one(100, 100, 300, 130), two(100, 100, 210, 150);
    int const band = 4;
    struct Case {
        int border, c;
        TRect w;
        TPoint m;
        int expected;
    } const table[] = {
        {HTRIGHT, 0, one, TPoint(250, 110), 1},   // inward past the band: one more row at once
        {HTRIGHT, 0, one, TPoint(298, 110), 0},   // in the band
        {HTRIGHT, 0, one, TPoint(350, 110), 0},   // outward: no wider shape
        {HTRIGHT, 1, two, TPoint(260, 110), 0},   // outward past a wider shape's edge
        {HTLEFT, 0, one, TPoint(150, 110), 1},    // the mirror image
        {HTLEFT, 1, two, TPoint(40, 110), 0},
        {HTTOP, 0, one, TPoint(150, 90), 1},      // upward: taller
        {HTTOP, 1, two, TPoint(150, 120), 0},     // downward: lower
        {HTBOTTOM, 0, one, TPoint(150, 200), 1},  // downward: taller
        {HTBOTTOM, 1, two, TPoint(150, 110), 0},  // upward: lower
        {HTBOTTOM, 2, TRect(100, 100, 160, 190), TPoint(150, 300), 2},  // no taller shape
    };
    for (Case const &t : table)
        EXPECT_EQ(t.expected, TToolbarFrame::NextCase(t.border, t.m, t.w, t.w, t.c, cases, 3, band))
            << t.border << " " << t.c << " " << t.m.x << "," << t.m.y;
}

TEST(ToolbarFrame, SizedByItsBorderClickedWhileDisabledAndClosed) {
    Bars bars;
    ControlBar *bar = bars.Bar("Framed", TToolbar::DockTop, 4);
    bars.Show();
    bar->Maximize();
    Pump();
    TToolbarFrame *frame = bar->GetFloatingFrame();
    ASSERT_TRUE(frame);
    ASSERT_GE(bar->GetCaseCount(), 3);
    ASSERT_EQ(0, bar->GetFloatingSize());

    // the right border dragged inward: the frame takes the next shape
    TRect w = frame->GetWindowRect();
    TPoint border(w.right - 1, w.top + w.Height() / 2);
    EXPECT_EQ(HTRIGHT, (int)frame->SendMessageA(WM_NCHITTEST, 0, MAKELPARAM(border.x, border.y)));
    frame->SendMessageA(WM_NCLBUTTONDOWN, HTRIGHT, MAKELPARAM(border.x, border.y));
    EXPECT_EQ(HTRIGHT, frame->GetSizingMode());
    POINT inward = {w.left + w.Width() / 2, border.y};
    ::ScreenToClient(frame->GetHandle(), &inward);
    frame->SendMessageA(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(inward.x, inward.y));
    EXPECT_EQ(1, bar->GetFloatingSize());
    frame->SendMessageA(WM_LBUTTONUP, 0, MAKELPARAM(inward.x, inward.y));
    EXPECT_EQ(0, frame->GetSizingMode());
    TSize shape = bar->GetCaseSize(1);
    EXPECT_EQ(shape.cx, frame->GetWindowRect().Width());
    EXPECT_EQ(shape.cy, frame->GetWindowRect().Height());
    EXPECT_EQ(w.TopLeft(), frame->GetWindowRect().TopLeft());

    // another window taking the mouse ends a border drag and keeps the shape
    w = frame->GetWindowRect();
    frame->SendMessageA(WM_NCLBUTTONDOWN, HTRIGHT, MAKELPARAM(w.right - 1, border.y));
    inward = {w.left + 2, border.y};
    ::ScreenToClient(frame->GetHandle(), &inward);
    frame->SendMessageA(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(inward.x, inward.y));
    EXPECT_EQ(2, bar->GetFloatingSize());
    bars.frame->SetCapture();
    ::ReleaseCapture();
    EXPECT_EQ(0, frame->GetSizingMode());
    EXPECT_EQ(1, bar->GetFloatingSize());
    frame->SendMessageA(WM_MOUSEMOVE, 0, MAKELPARAM(inward.x, inward.y));
    EXPECT_EQ(shape, frame->GetWindowRect().Size());

    // while a modal run disables the main window a click on the frame does nothing
    bars.frame->EnableWindow(0);
    EXPECT_EQ(MA_NOACTIVATEANDEAT, (int)frame->SendMessageA(WM_MOUSEACTIVATE, (WPARAM)bars.frame->GetHandle(),
                                                             MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN)));
    bars.frame->EnableWindow(1);
    EXPECT_EQ(MA_NOACTIVATE, (int)frame->SendMessageA(WM_MOUSEACTIVATE, (WPARAM)bars.frame->GetHandle(),
                                                       MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN)));

    // closing the frame hides the bar
    HWND frameHandle = frame->GetHandle();
    frame->SendMessageA(WM_CLOSE);
    Pump();
    EXPECT_FALSE(::IsWindow(frameHandle));
    EXPECT_TRUE(bar->IsHidden());
    EXPECT_EQ(0, bar->GetFloatingFrame());
    EXPECT_FALSE(bar->IsWindowVisible());
    TContextMenu menu;
    bar->GetContextMenu(menu);
    EXPECT_FALSE(::GetMenuState(menu.GetHandle(), bar->GetCommandId(), MF_BYCOMMAND) & MF_CHECKED);
    // shown again it floats in a new frame
    bar->Show();
    ASSERT_TRUE(bar->GetFloatingFrame());
    EXPECT_TRUE(bar->IsWindowVisible());
}

TEST(ToolbarFrame, WithoutThe3DLookItDrawsItsOwnCaptionAndCloseBox) {
    Look look(0);
    {
        Bars bars;
        ControlBar *bar = bars.Bar("Tiny", TToolbar::DockTop);
        bars.Show();
        bar->Maximize();
        Pump();
        TToolbarFrame *frame = bar->GetFloatingFrame();
        ASSERT_TRUE(frame);
        ASSERT_TRUE(frame->IsTinyCaptionEnabled());
        EXPECT_EQ(bar->GetCaptionHeight(), frame->GetCaptionHeight());
        TRect w = frame->GetWindowRect(), client = ClientOnScreen(frame->GetHandle());
        int fx = bar->GetFrameWidth(), fy = bar->GetFrameHeight();
        EXPECT_EQ(w.left + fx, client.left);
        EXPECT_EQ(w.right - fx, client.right);
        EXPECT_EQ(w.top + fy + bar->GetCaptionHeight(), client.top);
        EXPECT_EQ(w.bottom - fy, client.bottom);
        auto hit = [&](int x, int y) { return (int)frame->SendMessageA(WM_NCHITTEST, 0, MAKELPARAM(x, y)); };
        int captionY = w.top + fy + bar->GetCaptionHeight() / 2;
        EXPECT_EQ(HTCAPTION, hit(w.left + w.Width() / 2, captionY));
        EXPECT_EQ(HTSYSMENU, hit(w.left + fx + 2, captionY));
        EXPECT_EQ(HTTOP, hit(w.left + 1, w.top + 1)) << "corners size like the top";
        EXPECT_EQ(HTBOTTOM, hit(w.right - 1, w.bottom - 1));
        EXPECT_EQ(HTLEFT, hit(w.left + 1, w.top + w.Height() / 2));
        EXPECT_EQ(HTRIGHT, hit(w.right - 1, w.top + w.Height() / 2));

        // the close box, pressed and released on it, closes the frame and hides the bar
        TPoint box(w.left + fx + 2, captionY);
        frame->SendMessageA(WM_NCLBUTTONDOWN, HTSYSMENU, MAKELPARAM(box.x, box.y));
        EXPECT_EQ(HTSYSMENU, frame->GetSizingMode());
        POINT local = {box.x, box.y};
        ::ScreenToClient(frame->GetHandle(), &local);
        frame->SendMessageA(WM_LBUTTONUP, 0, MAKELPARAM(short(local.x), short(local.y)));
        Pump();
        EXPECT_TRUE(bar->IsHidden());
        EXPECT_EQ(0, bar->GetFloatingFrame());
    }
}

TEST(Toolbar, SideBarsStackTheirGadgetsAndFloatingBarsDropDisabledOnes) {
    Bars bars;
    ControlBar *bar = bars.Bar("Stacked", TToolbar::DockLeft, 1);
    bar->Insert(*new TSeparatorGadget(6));
    bar->Insert(*new TToolbarButtonGadget(Glyph, CmFirst + 5, TToolbarButtonGadget::Command, 1));
    bars.Show();
    TGadget *first = bar->FirstGadget(), *last = first->NextGadget()->NextGadget();
    TRect a = first->GetBounds(), b = last->GetBounds();
    EXPECT_EQ(a.left, b.left);
    EXPECT_EQ(_win95 ? 6 : 5, b.top - a.bottom) << "the separator is a gap";

    bar->SetShowDisabled(0);
    last->SetEnabled(0);
    bar->Maximize();
    Pump();
    TSize size;
    last->GetDesiredSize(size);
    EXPECT_EQ(TRect(-size.cx, -size.cy, 0, 0), last->GetBounds());
    EXPECT_GE(first->GetBounds().left, 0);
}

TEST(DockStation, RowsShareTheirHeightAndNeighboursOverlap) {
    Bars bars;
    ControlBar *first = bars.Bar("RowA", TToolbar::DockTop, 3);
    ControlBar *second = bars.Bar("RowB", TToolbar::DockTop, 2, 0);
    bars.Show();
    int g = _win95 ? 2 : 1;
    TDockStation *station = TToolbar::TopDock;
    TRect a = first->GetWindowRect(), b = second->GetWindowRect();
    ::MapWindowPoints(0, station->GetHandle(), reinterpret_cast<POINT *>(&a), 2);
    ::MapWindowPoints(0, station->GetHandle(), reinterpret_cast<POINT *>(&b), 2);
    EXPECT_EQ(-g, a.left);
    EXPECT_EQ(a.right - g, b.left);
    EXPECT_EQ(a.top, b.top);
    EXPECT_EQ(std::max(a.Height(), b.Height()) - 2 * g, station->GetClientRect().Height());
    EXPECT_FALSE(second->GetNewRow());

    // the first bar of the row goes: the next one starts the row
    first->Hide();
    EXPECT_TRUE(second->GetNewRow());
    EXPECT_EQ(second, station->GetFirstToolbar());
    TRect moved = second->GetWindowRect();
    ::MapWindowPoints(0, station->GetHandle(), reinterpret_cast<POINT *>(&moved), 2);
    EXPECT_EQ(-g, moved.left);
    // shown again it comes back to its place at the head of the row
    first->Show();
    EXPECT_EQ(first, station->GetFirstToolbar());
    EXPECT_EQ(second, first->GetNextToolbar());
    EXPECT_FALSE(second->GetNewRow());
}

TEST(DockStation, ADropOnARowsTopBandJoinsItAndBelowEveryRowStartsTheLast) {
    Bars bars;
    ControlBar *a = bars.Bar("BandA", TToolbar::DockTop, 2);
    ControlBar *b = bars.Bar("BandB", TToolbar::DockTop, 2);
    ControlBar *c = bars.Bar("BandC", TToolbar::DockBottom, 2);
    bars.Show();
    TDockStation *top = TToolbar::TopDock;
    ASSERT_EQ(b, a->GetNextToolbar());
    ASSERT_TRUE(b->GetNewRow());

    TRect ra = a->GetWindowRect();
    TToolbar::BottomDock->Remove(c, 1);
    EXPECT_EQ(0, TToolbar::BottomDock->GetFirstToolbar());
    top->Insert(c, TPoint(ra.right + 4, ra.top + 1));
    EXPECT_EQ(c, a->GetNextToolbar());
    EXPECT_EQ(b, c->GetNextToolbar());
    EXPECT_FALSE(c->GetNewRow());
    EXPECT_EQ(a->GetWindowRect().top, c->GetWindowRect().top);

    top->Remove(c, 1);
    EXPECT_EQ(b, a->GetNextToolbar());
    TRect rb = b->GetWindowRect();
    top->Insert(c, TPoint(rb.left + 4, rb.bottom + 20));
    EXPECT_EQ(c, b->GetNextToolbar());
    EXPECT_EQ(0, c->GetNextToolbar());
    EXPECT_TRUE(c->GetNewRow());
    EXPECT_GT(c->GetWindowRect().top, rb.top);

    // an empty station keeps no room for its single line
    TToolbar::BottomDock->LayoutSession();
    EXPECT_EQ(0, TToolbar::BottomDock->GetWindowRect().Height());
}

// A frame that makes its tool bars while it is being created, as a main frame does: the
// stations lay the frame out before its status bar has a window and its own height.
class FrameWithBarsAtCreation : public TDecoratedFrame {
public:
    explicit FrameWithBarsAtCreation(Bars &bars) : TDecoratedFrame(0, "Bars", 0, 0, &Exe()), bars(bars) {
        Attr.X = 60;
        Attr.Y = 40;
        Attr.W = 640;
        Attr.H = 480;
        status = new TStatusBar(this, TGadget::Recessed, 0, new TGadgetWindowFont(8), &Exe());
        Insert(*status, Bottom);
    }
    LRESULT WindowProc(uint msg, WPARAM wp, LPARAM lp) override {
        LRESULT result = TDecoratedFrame::WindowProc(msg, wp, lp);
        if (msg == WM_CREATE) {
            bars.Bar("AtTop", TToolbar::DockTop);
            bars.Bar("AtBottom", TToolbar::DockBottom);
            bars.Bar("AtLeft", TToolbar::DockLeft);
            bars.Bar("AtRight", TToolbar::DockRight);
        }
        return result;
    }
    Bars &bars;
    TStatusBar *status;
};

TEST(DockStation, TheStatusBarLiesAtTheBottomOfTheClientAreaBelowTheStations) {
    Bars bars;
    FrameWithBarsAtCreation *frame = new FrameWithBarsAtCreation(bars);
    delete bars.app->SetMainWindow(frame);
    bars.frame = frame;
    bars.Show();
    TDockStation *stations[4] = {TToolbar::TopDock, TToolbar::BottomDock, TToolbar::LeftDock, TToolbar::RightDock};
    for (TDockStation *station : stations)
        ASSERT_TRUE(station && station->GetFirstToolbar() && station->GetHandle());

    auto at = [&](TWindow &w) {
        TRect r = w.GetWindowRect();
        ::MapWindowPoints(0, frame->GetHandle(), reinterpret_cast<POINT *>(&r), 2);
        return r;
    };
    auto check = [&](char const *when) {
        SCOPED_TRACE(when);
        TRect area = frame->GetClientRect(), status = at(*frame->status);
        TSize desired;
        frame->status->GetDesiredSize(desired);
        EXPECT_EQ(TRect(0, area.bottom - desired.cy, area.right, area.bottom), status);
        EXPECT_EQ(status.top, at(*TToolbar::BottomDock).bottom);
        TRect client = at(*frame->GetClientWindow());
        EXPECT_GT(client.Height(), 0);
        for (TDockStation *station : stations)
            EXPECT_FALSE(client.Touches(at(*station))) << station->GetClassNameA();
        EXPECT_FALSE(client.Touches(status));
    };
    check("after the first layout");
    frame->MoveWindow(60, 40, 520, 400, true);
    Pump();
    check("after a resize");
    // the bar grows by itself: the frame follows at once
    frame->status->SetMargins(TMargins(TMargins::Pixels, 4, 4, 5, 5));
    check("after the bar grew");
}

TEST(Toolbar, AStoredShapeOutOfRangeIsTakenAsTheNearestCase) {
    Bars bars;
    Config &store = bars.Store();
    std::map<int, ControlBar *> made;
    for (int stored : {100000000, -100000000}) {
        std::string name = stored > 0 ? "TooMany" : "TooFew";
        store.MoveAbsolute(("\\Frame Window\\Toolbars\\" + name).c_str());
        store.SetValue((unsigned short)(TToolbar::Floating | TToolbar::DockTop), "Style");
        store.SetValue(stored, "FloatSize");
        store.MoveToRoot();
        ControlBar *bar = made[stored] = bars.Bar(name.c_str(), TToolbar::DockTop, 4);
        TSize size;
        bar->GetDesiredSize(size);  // before the cases exist
    }
    bars.Show();
    for (auto const &m : made) {
        ControlBar *bar = m.second;
        ASSERT_TRUE(bar->GetFloatingFrame());
        EXPECT_EQ(m.first > 0 ? bar->GetCaseCount() - 1 : 0, bar->GetFloatingSize());
        TSize size;
        bar->GetDesiredSize(size);
        EXPECT_EQ(bar->GetCaseSize(bar->GetFloatingSize()), size);
    }
}

TEST(Toolbar, StoredPlacesKeepTheConstructorsLookAndFarPositionsCascade) {
    Bars bars;
    Config &store = bars.Store();
    store.MoveAbsolute("\\Frame Window\\Toolbars\\Far");
    store.SetValue((unsigned short)(TToolbar::Floating | TToolbar::DockTop), "Style");
    store.SetValue(5000, "X");
    store.SetValue(10, "Y");
    store.MoveToRoot();
    ControlBar *bar = bars.Bar("Far", TToolbar::DockBottom | TToolbar::LineTop);
    EXPECT_EQ(TToolbar::Floating | TToolbar::DockTop, bar->GetStyle() & TToolbar::PlaceBits);
    EXPECT_TRUE(bar->GetStyle() & TToolbar::LineTop);
    EXPECT_EQ(_win95 ? TToolbar::Look3D : 0, bar->GetStyle() & TToolbar::Look3D);
    EXPECT_EQ(TPoint(-1, -1), bar->GetFloatingPos());
    int cascade = TToolbar::CascadeOffset;
    bars.Show();
    ASSERT_TRUE(bar->GetFloatingFrame());
    EXPECT_EQ(TPoint(cascade - 1, cascade - 1), bar->GetFloatingFrame()->GetWindowRect().TopLeft());
    EXPECT_EQ(cascade + 20, TToolbar::CascadeOffset);
}

}  // namespace
