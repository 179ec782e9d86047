// Frame windows under Xvfb: command routing from the focus, the client filling the
// frame, document titles, menu merging and the frame closing with its client.
#include "tests/framework/TestKit.h"
#include "core/FrameWindow.h"
#include "core/LayoutWindow.h"
#include "core/MenuDescr.h"
#include "core/Module.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> calls;

class Recorder : public TWindow {
public:
    Recorder(TWindow *parent, char const *name) : TWindow(parent, name) {}
    void Cm100() { calls.push_back(std::string(Title) + ":100"); }

    DECLARE_RESPONSE_TABLE(Recorder);
};
DEFINE_RESPONSE_TABLE1(Recorder, TWindow)
    EV_COMMAND(100, Cm100),
END_RESPONSE_TABLE;

class TestFrame : public TFrameWindow {
public:
    TestFrame(TWindow *client, bool shrink = false) : TFrameWindow(0, "Frame", client, shrink, &Exe()) {}
    void Cm100() { calls.push_back("frame:100"); }
    void Cm200() { calls.push_back("frame:200"); }
    void Cm300() { calls.push_back("frame:300"); }
    void CeStop(TCommandEnabler &ce) { ce.Enable(0); }
    using TFrameWindow::GetCommandTarget;

    DECLARE_RESPONSE_TABLE(TestFrame);
};
DEFINE_RESPONSE_TABLE1(TestFrame, TFrameWindow)
    EV_COMMAND(100, Cm100),
    EV_COMMAND(200, Cm200),
    EV_CHILD_NOTIFY(300, 0, Cm300),
    EV_COMMAND_ENABLE(200, CeStop),
END_RESPONSE_TABLE;

}  // namespace

TEST(TFrameWindow, MenuCommandsStartAtTheFocusInsideTheClient) {
    Recorder *client = new Recorder(0, "client");
    Recorder *inner = new Recorder(client, "inner");
    inner->Attr.Style |= WS_TABSTOP;
    TestFrame *frame = new TestFrame(client);
    ASSERT_TRUE(frame->Create());
    Pump();
    ASSERT_TRUE(client->HWindow);
    ASSERT_TRUE(inner->HWindow);

    calls.clear();
    ::SetFocus(0);
    EXPECT_EQ(frame->HWindow, frame->GetCommandTarget());  // nobody has the focus: the frame
    frame->HandleMessage(WM_COMMAND, 100, 0);
    EXPECT_EQ(std::vector<std::string>{"frame:100"}, calls);

    calls.clear();
    ::SetFocus(inner->HWindow);
    ASSERT_EQ(inner->HWindow, ::GetFocus());
    EXPECT_EQ(inner->HWindow, frame->GetCommandTarget());
    frame->HandleMessage(WM_COMMAND, 100, 0);  // the focus window's object takes it
    frame->HandleMessage(WM_COMMAND, 200, 0);  // nobody below handles it: it climbs to the frame
    EXPECT_EQ((std::vector<std::string>{"inner:100", "frame:200"}), calls);
    // A control's command goes to the frame's table, never down the focus chain.
    calls.clear();
    frame->HandleMessage(WM_COMMAND, MAKEWPARAM(300, 0), (LPARAM)inner->HWindow);
    frame->HandleMessage(WM_COMMAND, MAKEWPARAM(100, 0), (LPARAM)client->HWindow);
    EXPECT_EQ((std::vector<std::string>{"frame:300", "frame:100"}), calls);

    frame->Destroy(0);
    delete frame;
}

TEST(TFrameWindow, ClientFillsTheFrameAndClosingTheClientClosesTheFrame) {
    TWindow *client = new TWindow(0, "client");
    client->Attr.Style |= WS_BORDER;
    TestFrame *frame = new TestFrame(client);
    frame->Attr.X = 10, frame->Attr.Y = 10, frame->Attr.W = 300, frame->Attr.H = 200;
    ASSERT_TRUE(frame->Create());
    Pump();
    TRect area = frame->GetClientRect();
    TRect outer;
    ::GetWindowRect(client->HWindow, &outer);
    ::MapWindowPoints(0, frame->HWindow, (POINT *)&outer, 2);
    int bx = ::GetSystemMetrics(SM_CXBORDER), by = ::GetSystemMetrics(SM_CYBORDER);
    // A bordered client sits one border outside the visible area on every side.
    EXPECT_EQ(area.left - bx, outer.left);
    EXPECT_EQ(area.top - by, outer.top);
    EXPECT_EQ(area.Width() + 2 * bx, outer.Width());
    EXPECT_EQ(area.Height() + 2 * by, outer.Height());

    ::SetWindowPos(frame->HWindow, 0, 0, 0, 420, 260, SWP_NOMOVE | SWP_NOZORDER);
    Pump();
    area = frame->GetClientRect();
    TRect inner;
    ::GetClientRect(client->HWindow, &inner);
    EXPECT_EQ(area.Width(), inner.Width());
    EXPECT_EQ(area.Height(), inner.Height());

    // Titles: frame title, " - ", document name, ":" and the index from 1 on.
    frame->SetDocTitle("song.wav", 0);
    EXPECT_EQ("Frame - song.wav", TextOf(frame->HWindow));
    frame->SetDocTitle("song.wav", 2);
    EXPECT_EQ("Frame - song.wav:2", TextOf(frame->HWindow));
    frame->SetDocTitle("other", -1);
    EXPECT_EQ("Frame - song.wav:2", TextOf(frame->HWindow));

    // Destroying the client's window posts WM_CLOSE to the frame.
    ::DestroyWindow(client->HWindow);
    MSG msg;
    EXPECT_TRUE(::PeekMessageA(&msg, frame->HWindow, WM_CLOSE, WM_CLOSE, PM_REMOVE));
    frame->Destroy(0);
    delete frame;
}

TEST(TFrameWindow, ShrinkToClientSizesTheFrameAroundItsClient) {
    TWindow *client = new TWindow(0, "client");
    client->Attr.W = 150, client->Attr.H = 90;
    TestFrame *frame = new TestFrame(client, true);
    frame->Attr.Style = WS_POPUP | WS_CAPTION | WS_VISIBLE | WS_CLIPCHILDREN;  // no sizing border: it keeps shrinking
    frame->Attr.X = frame->Attr.Y = 0, frame->Attr.W = 400, frame->Attr.H = 300;
    ASSERT_TRUE(frame->Create());
    Pump();
    TRect area = frame->GetClientRect();
    EXPECT_EQ(150, area.Width());
    EXPECT_EQ(90, area.Height());
    frame->Destroy(0);
    delete frame;
}

TEST(TFrameWindow, MergesAndRestoresMenus) {
    TestFrame *frame = new TestFrame(0);
    ASSERT_TRUE(frame->Create());
    EXPECT_EQ(0, frame->MergeMenu(TMenuDescr(702, &Exe())));  // no description yet
    frame->SetMenuDescr(TMenuDescr(700, &Exe()));
    EXPECT_EQ(nullptr, frame->GetMenu());  // only the main window installs its description
    TMenuDescr child(702, 0, 1, 0, -1, 0, 0, 0, &Exe());
    EXPECT_EQ(1, frame->MergeMenu(child));
    EXPECT_EQ("File,Child,Help", MenuItemTexts(frame->GetMenu()));
    EXPECT_EQ(&Exe(), frame->GetMergeModule());
    EXPECT_EQ(1, frame->RestoreMenu());
    EXPECT_EQ("File,Edit,Window,Help", MenuItemTexts(frame->GetMenu()));
    EXPECT_EQ(nullptr, frame->GetMergeModule());

    EXPECT_EQ(1, frame->AssignMenu(701));
    EXPECT_EQ("File,Edit", MenuItemTexts(frame->GetMenu()));
    EXPECT_EQ(0, frame->AssignMenu(999));  // no such menu
    frame->Destroy(0);
    delete frame;
}

// A frame whose window refuses every menu bar.
class RefusingFrame : public TestFrame {
public:
    RefusingFrame() : TestFrame(0) {}
    int SetMenu(HMENU menu) override {
        Refused.push_back(menu);
        return 0;
    }
    std::vector<HMENU> Refused;
};

TEST(TFrameWindow, MenuThatCannotBeInstalledIsDestroyed) {
    RefusingFrame *frame = new RefusingFrame;
    ASSERT_TRUE(frame->Create());
    frame->SetMenuDescr(TMenuDescr(700, &Exe()));
    EXPECT_EQ(0, frame->AssignMenu(701));
    EXPECT_EQ(0, frame->RestoreMenu());
    EXPECT_EQ(0, frame->MergeMenu(TMenuDescr(702, &Exe())));
    ASSERT_EQ(3u, frame->Refused.size());
    for (HMENU menu : frame->Refused)
        EXPECT_FALSE(::IsMenu(menu));
    frame->Destroy(0);
    delete frame;
}

TEST(TLayoutWindow, PlacesItsChildrenAndSkipsMinimizing) {
    TLayoutWindow *layout = new TLayoutWindow(0, "layout");
    layout->Attr.Style = WS_POPUP | WS_VISIBLE;
    layout->Attr.X = layout->Attr.Y = 0, layout->Attr.W = 200, layout->Attr.H = 100;
    TWindow *a = new TWindow(layout, "a");
    TWindow *b = new TWindow(layout, "b");
    TLayoutMetrics ma, mb;
    ma.X = {0, lmLeft, lmSameAs, lmPixels, lmLeft, 5};
    ma.Y = {0, lmTop, lmSameAs, lmPixels, lmTop, 5};
    ma.Width = {0, lmRight, lmSameAs, lmPixels, lmRight, -5};
    ma.Height = {0, lmHeight, lmAbsolute, lmPixels, lmHeight, 20};
    mb.X = {a, lmLeft, lmSameAs, lmPixels, lmLeft, 0};
    mb.Y = {a, lmTop, lmBelow, lmPixels, lmBottom, 0};
    mb.Width = {a, lmWidth, lmSameAs, lmPixels, lmWidth, 0};
    mb.Height = {0, lmBottom, lmSameAs, lmPixels, lmBottom, -5};
    layout->SetChildLayoutMetrics(*a, ma);
    layout->SetChildLayoutMetrics(*b, mb);
    TLayoutMetrics out;
    EXPECT_TRUE(layout->GetChildLayoutMetrics(*b, out));
    EXPECT_EQ(a, out.Y.RelWin);
    ASSERT_TRUE(layout->Create());
    Pump();

    TRect ra, rb;
    ::GetWindowRect(a->HWindow, &ra);
    ::GetWindowRect(b->HWindow, &rb);
    ::MapWindowPoints(0, layout->HWindow, (POINT *)&ra, 2);
    ::MapWindowPoints(0, layout->HWindow, (POINT *)&rb, 2);
    EXPECT_EQ((std::vector<long>{5, 5, 195, 25}), (std::vector<long>{ra.left, ra.top, ra.right, ra.bottom}));
    EXPECT_EQ((std::vector<long>{5, 25, 195, 95}), (std::vector<long>{rb.left, rb.top, rb.right, rb.bottom}));

    // A minimized size lays nothing out; a restored one does.
    layout->HandleMessage(WM_SIZE, SIZE_MINIMIZED, MAKELPARAM(50, 50));
    ::GetWindowRect(a->HWindow, &ra);
    EXPECT_EQ(190, ra.right - ra.left);
    layout->HandleMessage(WM_SIZE, SIZE_RESTORED, MAKELPARAM(300, 100));
    ::GetWindowRect(a->HWindow, &ra);
    EXPECT_EQ(290, ra.right - ra.left);

    delete b;  // the removed child's metrics go with it
    EXPECT_FALSE(layout->GetChildLayoutMetrics(*b, out));
    layout->Destroy(0);
    delete layout;
}

TEST(TFrameWindow, SetClientWindowCreatesFillsAndLetsTheOldOneGo) {
    TestFrame *frame = new TestFrame(0);
    frame->Attr.X = frame->Attr.Y = 0, frame->Attr.W = 300, frame->Attr.H = 200;
    ASSERT_TRUE(frame->Create());
    TWindow *first = new TWindow(0, "first");
    EXPECT_EQ(nullptr, frame->SetClientWindow(first));
    ASSERT_TRUE(first->HWindow);
    TRect area = frame->GetClientRect(), inner;
    ::GetClientRect(first->HWindow, &inner);
    EXPECT_EQ(area.Width(), inner.Width());
    EXPECT_EQ(area.Height(), inner.Height());
    EXPECT_EQ(first, frame->GetClientWindow());

    TWindow *second = new TWindow(0, "second");
    EXPECT_EQ(first, frame->SetClientWindow(second));
    EXPECT_EQ(second, frame->GetClientWindow());
    EXPECT_EQ(nullptr, first->GetParentO());
    frame->Destroy(0);
    delete frame;
    delete first;  // outlives the frame without reaching back to it
}

TEST(TFrameWindow, MenuBarItemsAreEnabledWhileIdle) {
    TestFrame *frame = new TestFrame(0);
    ASSERT_TRUE(frame->Create());
    ASSERT_EQ(1, frame->AssignMenu(703));
    HMENU bar = frame->GetMenu();
    ::SetFocus(frame->HWindow);
    ASSERT_TRUE(::GetFocus());
    frame->IdleAction(0);
    EXPECT_FALSE(::GetMenuState(bar, 0, MF_BYPOSITION) & MF_GRAYED);
    EXPECT_TRUE(::GetMenuState(bar, 1, MF_BYPOSITION) & MF_GRAYED);
    frame->Destroy(0);
    delete frame;
}
