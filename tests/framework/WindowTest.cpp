#include "tests/framework/TestKit.h"
#include "tests/framework/BoxRecorder.h"
#include "tests/framework/TestApp.h"
#include "core/Window.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <string>

namespace {
std::string trace;

// A window that records which of its handlers ran.
class Probe : public TWindow {
public:
    Probe(TWindow *parent, char const *name) : TWindow(parent, name) {}
    Probe(char const *name) : TWindow((TWindow *)0, name) { Attr.Style = WS_OVERLAPPEDWINDOW; }
    void Record(char const *what) { trace += std::string(Title) + ":" + what + " "; }
    void Cm500() { Record("500"); }
    void Cm501() { Record("501"); }
    void Cm502() { Record("502"); }
    void Ce500(TCommandEnabler &ce) { Record("ce500"); ce.Enable(false); }
    void EvUser(WPARAM, LPARAM) { Record("user"); }
    bool *Deleted = 0;
    ~Probe() override {
        if (Deleted)
            *Deleted = true;
    }
};

// The window that keeps the focus: handles 500 and its enabler.
class Leaf : public Probe {
public:
    using Probe::Probe;
    DECLARE_RESPONSE_TABLE(Leaf);
};
DEFINE_RESPONSE_TABLE1(Leaf, TWindow)
    EV_COMMAND(500, Cm500),
    EV_COMMAND_ENABLE(500, Ce500),
END_RESPONSE_TABLE;

class Middle : public Probe {
public:
    using Probe::Probe;
    DECLARE_RESPONSE_TABLE(Middle);
};
DEFINE_RESPONSE_TABLE1(Middle, TWindow)
    EV_COMMAND(501, Cm501),
    EV_MESSAGE(WM_USER + 1, EvUser, v_WPARAM_LPARAM),
END_RESPONSE_TABLE;

// A frame that hands menu commands to the focus window, as frames do.
class Frame : public TFrameWindow {
public:
    Frame() : TFrameWindow(0, "F") {}
    void Cm502() { trace += "F:502 "; }
    LRESULT EvCommand(uint id, HWND ctl, uint code) override {
        TWindow *target = ctl ? 0 : GetWindowPtr(::GetFocus());
        if (target && target != this)
            return target->EvCommand(id, ctl, code);
        return TFrameWindow::EvCommand(id, ctl, code);
    }
    void EvCommandEnable(TCommandEnabler &ce) override {
        HWND focus = ::GetFocus();
        RouteCommandEnable(focus ? focus : GetHandle(), ce);
    }
    DECLARE_RESPONSE_TABLE(Frame);
};
DEFINE_RESPONSE_TABLE1(Frame, TFrameWindow)
    EV_COMMAND(502, Cm502),
END_RESPONSE_TABLE;

using Enabler = EnablerProbe;

class WindowTest : public ::testing::Test {
protected:
    void SetUp() override { trace.clear(); }
    TestApp app;
};
}  // namespace

TEST_F(WindowTest, CreateBindsThroughTheThunk) {
    Probe top("Top");
    ASSERT_TRUE(top.Create());
    EXPECT_EQ(1, top.Create());  // already there
    EXPECT_EQ(&top, GetWindowPtr(top.GetHandle()));
    EXPECT_EQ((WNDPROC)top.GetThunk(), (WNDPROC)::GetWindowLongPtrA(top.GetHandle(), GWLP_WNDPROC));
    EXPECT_TRUE(top.IsFlagSet(wfFullyCreated));
    EXPECT_EQ(&app, top.GetApplication());
    EXPECT_EQ("Yrt_Window", ClassOf(top));

    // a system class is subclassed after creation
    class Button : public TWindow {
    public:
        Button(TWindow *parent) : TWindow(parent, "OK") { Attr.W = 50, Attr.H = 20, Attr.Id = 7; }
        char const *GetClassNameA() override { return "BUTTON"; }
    };
    Button *button = new Button(&top);
    ASSERT_TRUE(button->Create());
    EXPECT_TRUE(button->IsFlagSet(wfPredefinedClass));
    EXPECT_EQ(button, GetWindowPtr(button->GetHandle()));
    EXPECT_EQ(button, top.ChildWithId(7));
    EXPECT_EQ(nullptr, GetWindowPtr(::GetDesktopWindow()));
}

TEST_F(WindowTest, MenuCommandsClimbFromTheFocusWindowToTheApplication) {
    Frame frame;
    Middle *middle = new Middle(&frame, "M");
    Leaf *leaf = new Leaf(middle, "C");
    ASSERT_TRUE(frame.Create());
    ::SetFocus(leaf->GetHandle());
    ASSERT_EQ(leaf->GetHandle(), ::GetFocus());
    struct { uint id; char const *ran; } table[] = {
        {500, "C:500 "},   // the focus window itself
        {501, "M:501 "},   // its parent
        {502, "F:502 "},   // the frame
        {504, "app504 "},  // the application's table
        {505, ""},         // nobody: the default procedure
    };
    for (auto &c : table) {
        trace.clear();
        app.Trace.clear();
        frame.SendMessageA(WM_COMMAND, c.id, 0);
        EXPECT_EQ(c.ran, trace + app.Trace) << c.id;
    }
}

TEST_F(WindowTest, EnablingTakesTheCommandsRoad) {
    Frame frame;
    Middle *middle = new Middle(&frame, "M");
    Leaf *leaf = new Leaf(middle, "C");
    ASSERT_TRUE(frame.Create());
    struct { uint id; int enabled; char const *ran; } table[] = {
        {500, 0, "C:ce500 "},  // the leaf's own enabler
        {501, 1, ""},          // a handler on the way
        {502, 1, ""},          // the frame's handler
        {504, 1, ""},          // the application's enabler
        {505, 0, ""},          // nobody would handle it
    };
    for (auto &c : table) {
        trace.clear();
        Enabler ce(c.id, frame.GetHandle());
        frame.RouteCommandEnable(leaf->GetHandle(), ce);
        EXPECT_EQ(c.enabled, ce.Enabled) << c.id;
        EXPECT_EQ(c.ran, trace) << c.id;
    }
    // the private message reaches the window's own enablers
    trace.clear();
    Enabler direct(500, leaf->GetHandle());
    leaf->SendMessageA(0x7FFF, 0, (LPARAM)&direct);
    EXPECT_EQ("C:ce500 ", trace);
    EXPECT_EQ(0, direct.Enabled);
}

TEST_F(WindowTest, MenuPopupEnablesEveryCommandItem) {
    Frame frame;
    Leaf *leaf = new Leaf(&frame, "C");
    (void)leaf;
    ASSERT_TRUE(frame.Create());
    HMENU popup = ::CreatePopupMenu();
    ::AppendMenuA(popup, MF_STRING, 505, "nobody");
    ::AppendMenuA(popup, MF_SEPARATOR, 0, 0);
    ::AppendMenuA(popup, MF_POPUP, (UINT_PTR)::CreatePopupMenu(), "sub");
    ::AppendMenuA(popup, MF_STRING, 502, "frame");
    ::AppendMenuA(popup, MF_STRING, 0xF060, "close");
    ::AppendMenuA(popup, MF_STRING, 505, "after the system command");
    ::EnableMenuItem(popup, 3, MF_BYPOSITION | MF_GRAYED);
    frame.SendMessageA(WM_INITMENUPOPUP, (WPARAM)popup, 0);
    EXPECT_TRUE(::GetMenuState(popup, 0, MF_BYPOSITION) & MF_GRAYED);
    EXPECT_FALSE(::GetMenuState(popup, 3, MF_BYPOSITION) & MF_GRAYED);  // past separator and submenu
    EXPECT_FALSE(::GetMenuState(popup, 5, MF_BYPOSITION) & MF_GRAYED);  // the walk ended before it
    ::DestroyMenu(popup);
}

TEST_F(WindowTest, LookUpCacheKeepsWindowsApart) {
    Middle a(0, "A"), b(0, "B");
    a.Attr.Style = b.Attr.Style = WS_OVERLAPPEDWINDOW;
    ASSERT_TRUE(a.Create());
    ASSERT_TRUE(b.Create());
    for (int round = 0; round < 3; round++) {
        a.SendMessageA(WM_USER + 1);
        b.SendMessageA(WM_USER + 1);
        a.SendMessageA(WM_USER + 2);  // remembered as a miss
    }
    EXPECT_EQ("A:user B:user A:user B:user A:user B:user ", trace);

    // a new window in the memory of a destroyed one never sees its rows
    unsigned long id;
    {
        Middle gone(0, "G");
        gone.Attr.Style = WS_OVERLAPPEDWINDOW;
        gone.Create();
        gone.SendMessageA(WM_USER + 1);
        id = gone.GetUniqueId();
    }
    trace.clear();
    Probe plain("P");
    plain.Create();
    EXPECT_GT(plain.GetUniqueId(), id);
    plain.SendMessageA(WM_USER + 1);
    EXPECT_EQ("", trace);
}

TEST_F(WindowTest, NotifyWithoutHeaderGetsZeroes) {
    class Notified : public Probe {
    public:
        using Probe::Probe;
        LRESULT EvNotify(uint id, TNotify &n) override {
            trace += "notify " + std::to_string(id) + " " + std::to_string(n.code) + " ";
            return 0;
        }
    } w("N");
    ASSERT_TRUE(w.Create());
    w.SendMessageA(WM_NOTIFY, 3, 0);
    EXPECT_EQ("notify 3 0 ", trace);
}

TEST_F(WindowTest, AttributesBeforeCreation) {
    Probe w("W");
    w.Attr.Style = WS_OVERLAPPED;
    w.SetWindowPos(0, 10, 20, 300, 200, SWP_NOMOVE | SWP_SHOWWINDOW);
    EXPECT_EQ(0, w.Attr.X);
    EXPECT_EQ(300, w.Attr.W);
    EXPECT_TRUE(w.GetStyle() & WS_VISIBLE);
    EXPECT_EQ(0, w.ModifyStyle(0, WS_OVERLAPPED));
    EXPECT_EQ(1, w.ModifyStyle(0, WS_CAPTION));
    w.ShowWindow(SW_SHOWMAXIMIZED);
    EXPECT_TRUE(w.GetStyle() & WS_MAXIMIZE);
    w.ShowWindow(SW_RESTORE);
    EXPECT_FALSE(w.GetStyle() & (WS_MAXIMIZE | WS_MINIMIZE));
    EXPECT_EQ(TRect(0, 0, 300, 200), w.GetClientRect());
    char name[] = "MAINMENU";
    w.SetMenuName(TResId(name));
    name[0] = 'X';  // the window keeps its own copy
    EXPECT_STREQ("MAINMENU", (char const *)w.Attr.Menu);
    w.SetMenuName(TResId(7));
    EXPECT_TRUE(w.Attr.Menu == TResId(7));
}

TEST_F(WindowTest, ChildrenRing) {
    Probe parent("P");
    Probe *a = new Probe(&parent, "a"), *b = new Probe(&parent, "b"), *c = new Probe(&parent, "c");
    EXPECT_EQ(3, parent.NumChildren());
    EXPECT_EQ(a, parent.GetFirstChild());
    EXPECT_EQ(1, parent.IndexOf(b));
    EXPECT_EQ(nullptr, parent.At(-1));
    EXPECT_EQ(-1, parent.IndexOf(&parent));
    EXPECT_EQ(a, b->Previous());
    // removing the current child does not skip the next
    std::string seen;
    parent.ForEach(
        [](TWindow *w, void *s) {
            *(std::string *)s += w->GetTitle();
            if (std::string(w->GetTitle()) == "a")
                delete w;
        },
        &seen);
    EXPECT_EQ("abc", seen);
    EXPECT_EQ(2, parent.NumChildren());
    delete b;
    delete c;
    EXPECT_EQ(0, parent.NumChildren());
    EXPECT_EQ(nullptr, parent.GetFirstChild());
}

namespace {
// A button whose object handles its own click.
class OwnButton : public TWindow {
public:
    OwnButton(TWindow *parent, int id) : TWindow(parent, "B") { Attr.Id = id, Attr.W = 40, Attr.H = 20; }
    char const *GetClassNameA() override { return "BUTTON"; }
    void BnClicked() { trace += "button:clicked "; }
    DECLARE_RESPONSE_TABLE(OwnButton);
};
DEFINE_RESPONSE_TABLE1(OwnButton, TWindow)
    EV_NOTIFY_AT_CHILD(BN_CLICKED, BnClicked),
END_RESPONSE_TABLE;

class Dialogish : public Probe {
public:
    Dialogish() : Probe("D") {}
    void Clicked8() { trace += "parent:8 "; }
    void Any9(uint code) { trace += "parent:9:" + std::to_string(code) + " "; }
    DECLARE_RESPONSE_TABLE(Dialogish);
};
DEFINE_RESPONSE_TABLE1(Dialogish, TWindow)
    EV_CHILD_NOTIFY(8, BN_CLICKED, Clicked8),
    EV_CHILD_NOTIFY_ALL_CODES(9, Any9),
END_RESPONSE_TABLE;
}  // namespace

TEST_F(WindowTest, ControlNotificationsGoToTheControlFirstThenItsParent) {
    Dialogish parent;
    OwnButton *own = new OwnButton(&parent, 7);
    ASSERT_TRUE(parent.Create());
    HWND plain8 = ::CreateWindowA("BUTTON", "x", WS_CHILD, 0, 0, 10, 10, parent.GetHandle(), (HMENU)8, 0, 0);
    HWND plain9 = ::CreateWindowA("BUTTON", "y", WS_CHILD, 0, 0, 10, 10, parent.GetHandle(), (HMENU)9, 0, 0);
    HWND plain10 = ::CreateWindowA("BUTTON", "z", WS_CHILD, 0, 0, 10, 10, parent.GetHandle(), (HMENU)10, 0, 0);
    parent.SendMessageA(WM_COMMAND, MAKEWPARAM(7, BN_CLICKED), (LPARAM)own->GetHandle());
    parent.SendMessageA(WM_COMMAND, MAKEWPARAM(8, BN_CLICKED), (LPARAM)plain8);
    parent.SendMessageA(WM_COMMAND, MAKEWPARAM(9, BN_DOUBLECLICKED), (LPARAM)plain9);
    parent.SendMessageA(WM_COMMAND, MAKEWPARAM(10, BN_CLICKED), (LPARAM)plain10);  // nobody: default
    EXPECT_EQ("button:clicked parent:8 parent:9:5 ", trace);

    // notifications take the same road, the handler seeing the code
    trace.clear();
    NMHDR fromOwn = {own->GetHandle(), 7, BN_CLICKED}, from9 = {plain9, 9, (UINT)NM_CLICK}, from10 = {plain10, 10,
                                                                                                   (UINT)NM_CLICK};
    parent.SendMessageA(WM_NOTIFY, 7, (LPARAM)&fromOwn);
    parent.SendMessageA(WM_NOTIFY, 9, (LPARAM)&from9);
    parent.SendMessageA(WM_NOTIFY, 10, (LPARAM)&from10);  // nobody: default
    EXPECT_EQ("button:clicked parent:9:" + std::to_string((UINT)NM_CLICK) + " ", trace);
}

namespace {
class Asking : public TFrameWindow {
public:
    Asking() : TFrameWindow(0, "F") {}
    int Asked = 0;
    void Ce600(TCommandEnabler &) { Asked++; }  // looks, but leaves the decision to the route
    DECLARE_RESPONSE_TABLE(Asking);
};
DEFINE_RESPONSE_TABLE1(Asking, TFrameWindow)
    EV_COMMAND_ENABLE(600, Ce600),
END_RESPONSE_TABLE;
}  // namespace

TEST_F(WindowTest, AFrameAsksItsOwnEnablersOnce) {
    Asking frame;
    ASSERT_TRUE(frame.Create());
    Enabler ce(600, frame.GetHandle());
    frame.SendMessageA(0x7FFF, 0, (LPARAM)&ce);
    EXPECT_EQ(1, frame.Asked);
    EXPECT_EQ(0, ce.Enabled);  // nobody handles the command
}

TEST(ApplicationStart, APreviousInstanceSkipsInitApplication) {
    class Counting : public TestApp {
    public:
        int Inits = 0;
        void InitApplication() override { Inits++; }
    } app;
    app.SetPrevInstance((HINSTANCE)1);
    EXPECT_EQ(0, app.Start());
    EXPECT_EQ(0, app.Inits);
    delete app.GetMainWindow();
    EXPECT_EQ(nullptr, app.GetMainWindow());
    app.SetPrevInstance(0);
    app.Start();
    EXPECT_EQ(1, app.Inits);
}

namespace {
WNDPROC outerPrevious;
LRESULT CALLBACK Outer(HWND h, UINT msg, WPARAM wp, LPARAM lp) { return ::CallWindowProcA(outerPrevious, h, msg, wp, lp); }

HWND PlainWindow(char const *text) {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = &::DefWindowProcA;
    wc.hInstance = ::GetModuleHandleA(0);
    wc.lpszClassName = "PlainForAlias";
    ::RegisterClassA(&wc);  // fails harmlessly when the class is there already
    return ::CreateWindowA("PlainForAlias", text, WS_POPUP, 0, 0, 50, 50, 0, 0, ::GetModuleHandleA(0), 0);
}

}  // namespace

TEST_F(WindowTest, AnAliasLivesOnAWindowAndGivesItBack) {
    HWND plain = PlainWindow("existing");
    TWindow *alias = new TWindow(plain);
    EXPECT_EQ(alias, GetWindowPtr(plain));
    EXPECT_TRUE(alias->IsFlagSet(wfAlias));
    EXPECT_STREQ("existing", alias->GetTitle());
    delete alias;
    EXPECT_TRUE(::IsWindow(plain));
    EXPECT_EQ((WNDPROC)&::DefWindowProcA, (WNDPROC)::GetWindowLongPtrA(plain, GWLP_WNDPROC));

    // subclassed again on top of the alias: the window keeps working after the alias is gone
    alias = new TWindow(plain);
    outerPrevious = (WNDPROC)::SetWindowLongPtrA(plain, GWLP_WNDPROC, (LONG_PTR)&Outer);
    delete alias;
    ::SetWindowTextA(plain, "still served");
    EXPECT_EQ("still served", TextOf(plain));
    ::DestroyWindow(plain);
}
