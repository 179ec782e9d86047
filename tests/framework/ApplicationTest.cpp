#include "tests/framework/BoxRecorder.h"
#include "tests/framework/TestApp.h"
#include "core/Window.h"

#include <gtest/gtest.h>

#include <vector>

namespace {
class Thrower : public TWindow {
public:
    Thrower(char const *title) : TWindow((TWindow *)0, title) { Attr.Style = WS_OVERLAPPEDWINDOW; }
    bool ThrowOnCreate = false;
    int Handled = 0;
    int EvCreate(LPARAM cs) {
        if (ThrowOnCreate)
            throw TXYrt(String("creation refused"));
        return TWindow::EvCreate(cs);
    }
    void EvBoom(WPARAM, LPARAM) { throw Exception("boom", "second line"); }
    void EvFine(WPARAM, LPARAM) { Handled++; }
    bool *Deleted = 0;
    ~Thrower() override {
        if (Deleted)
            *Deleted = true;
    }
    DECLARE_RESPONSE_TABLE(Thrower);
};
DEFINE_RESPONSE_TABLE1(Thrower, TWindow)
    EV_WM_CREATE,
    EV_MESSAGE(WM_USER + 1, EvBoom, v_WPARAM_LPARAM),
    EV_MESSAGE(WM_USER + 2, EvFine, v_WPARAM_LPARAM),
END_RESPONSE_TABLE;

// Creates another window when asked by a posted message.
class Starter : public Thrower {
public:
    Starter() : Thrower("starter") {}
    Thrower *Target = 0;
    void EvStart(WPARAM, LPARAM) { Target->Create(); }
    DECLARE_RESPONSE_TABLE(Starter);
};
DEFINE_RESPONSE_TABLE1(Starter, Thrower)
    EV_MESSAGE(WM_USER + 3, EvStart, v_WPARAM_LPARAM),
END_RESPONSE_TABLE;

class ThreadMessages : public TestApp {
public:
    std::string Seen;
    void OnWithId(WPARAM, LPARAM) { Seen += "withId "; }
    void OnAny(WPARAM, LPARAM) { Seen += "any "; }
    DECLARE_RESPONSE_TABLE(ThreadMessages);
};
DEFINE_RESPONSE_TABLE1(ThreadMessages, TestApp)
    YRT_ROW(WM_USER + 9, 3, v_WPARAM_LPARAM, OnWithId),
    EV_MESSAGE(WM_USER + 9, OnAny, v_WPARAM_LPARAM),
END_RESPONSE_TABLE;
}  // namespace

TEST(Application, IdleCountsCallsInARowAndRestartsAfterAMessage) {
    TestApp app;
    Thrower w("W");
    ASSERT_TRUE(w.Create());
    std::vector<long> calls;
    int round = 0;
    app.Idle = [&](long n) {
        calls.push_back(n);
        if (n < 2)
            return 1;  // asks for more: no waiting
        if (round++ == 0)
            w.PostMessageA(WM_USER + 2);
        else
            ::PostQuitMessage(7);
        return 0;
    };
    EXPECT_EQ(7, app.RunLoop());
    EXPECT_EQ((std::vector<long>{0, 1, 2, 0, 1, 2}), calls);
    EXPECT_EQ(1, w.Handled);
}

TEST(Application, QuitIsPostedAgainForAnOuterLoop) {
    TestApp app;
    ::PostQuitMessage(7);
    EXPECT_EQ(7, app.MessageLoop());
    MSG msg;
    ASSERT_TRUE(::PeekMessageA(&msg, 0, 0, 0, PM_REMOVE));
    EXPECT_EQ(unsigned(WM_QUIT), msg.message);
    EXPECT_EQ(7u, msg.wParam);
}

TEST(Application, ClosedWindowsAreDeletedBetweenMessages) {
    TestApp app;
    bool deleted = false;
    Thrower *w = new Thrower("closing");
    w->Deleted = &deleted;
    ASSERT_TRUE(w->Create());
    HWND h = w->GetHandle();
    ::PostMessageA(h, WM_CLOSE, 0, 0);
    app.Idle = [&](long) {
        if (deleted)
            ::PostQuitMessage(0);
        return 0;
    };
    app.RunLoop();
    EXPECT_TRUE(deleted);
    EXPECT_FALSE(::IsWindow(h));
}

TEST(Application, HandlerFailureIsReportedAndTheLoopGoesOn) {
    TestApp app;
    BoxRecorder yes(IDYES);
    Thrower w("W");
    ASSERT_TRUE(w.Create());
    w.PostMessageA(WM_USER + 1);
    w.PostMessageA(WM_USER + 2);
    app.Idle = [&](long) {
        if (w.Handled)
            ::PostQuitMessage(3);
        return 0;
    };
    EXPECT_EQ(3, app.RunLoop());
    ASSERT_EQ(1u, yes.Boxes.size());
    EXPECT_EQ("boom\nsecond line\nInternal error: OK to resume?", yes.Boxes[0].text);
    EXPECT_EQ("Internal error: Unhandled Exception", yes.Boxes[0].caption);
    EXPECT_EQ(unsigned(MB_YESNO), yes.Boxes[0].style & MB_TYPEMASK);
    EXPECT_EQ(1, w.Handled);
    EXPECT_FALSE(TWindow::HasPendingException());
}

TEST(Application, AnsweringNoEndsTheLoop) {
    TestApp app;
    BoxRecorder no(IDNO);
    Thrower w("W");
    ASSERT_TRUE(w.Create());
    w.PostMessageA(WM_USER + 1);
    EXPECT_EQ(-1, app.RunLoop());
    ASSERT_EQ(1u, no.Boxes.size());
}

TEST(Application, CreateHandlerFailureReachesTheCaller) {
    TestApp app;
    BoxRecorder yes(IDYES);
    Thrower w("refuses");
    w.ThrowOnCreate = true;
    try {
        w.Create();
        FAIL();
    } catch (TXYrt &x) {
        EXPECT_EQ(String("creation refused"), x.why());
    }
    EXPECT_EQ(nullptr, w.GetHandle());
    EXPECT_FALSE(TWindow::HasPendingException());

    w.ThrowOnCreate = true;
    // inside the loop (creation asked for by a handler) the framework's own report
    // is used: caption 32766
    Starter starter;
    starter.Target = &w;
    ASSERT_TRUE(starter.Create());
    starter.PostMessageA(WM_USER + 3);
    app.Idle = [&](long) {
        if (!yes.Boxes.empty())
            ::PostQuitMessage(0);
        return 0;
    };
    app.RunLoop();
    ASSERT_EQ(1u, yes.Boxes.size());
    EXPECT_EQ("creation refused\nInternal error: OK to resume?", yes.Boxes[0].text);
    EXPECT_EQ("Internal error: Veltrane Exception", yes.Boxes[0].caption);
}

TEST(Application, ThreadMessagesGoToTheApplicationsTable) {
    ThreadMessages app;
    ::PostThreadMessageA(::GetCurrentThreadId(), WM_USER + 9, 3, 0);
    ::PostThreadMessageA(::GetCurrentThreadId(), WM_USER + 9, 4, 0);
    ::PostQuitMessage(0);
    app.RunLoop();
    EXPECT_EQ("withId any ", app.Seen);
}

TEST(Application, ModalLoopsDisableAndEnableAgain) {
    TestApp app;
    Thrower other("other"), dialog("dialog");
    ASSERT_TRUE(other.Create());
    ASSERT_TRUE(dialog.Create());
    app.Idle = [&](long) {
        EXPECT_FALSE(::IsWindowEnabled(other.GetHandle()));
        EXPECT_TRUE(::IsWindowEnabled(dialog.GetHandle()));
        app.EndModal(5);
        return 0;
    };
    EXPECT_EQ(5, app.BeginModal(&dialog, 0x2000));
    EXPECT_TRUE(::IsWindowEnabled(other.GetHandle()));

    BoxRecorder no(IDNO);
    app.Idle = [&](long) -> int { throw TXYrt(String("modal failure")); };
    EXPECT_EQ(-1, app.BeginModal(&dialog, 0x2000));
    EXPECT_TRUE(::IsWindowEnabled(other.GetHandle()));
    TestApp::Drain();
}

namespace {
void CALLBACK Quit99(HWND, UINT, UINT_PTR, DWORD) { ::PostQuitMessage(99); }
}  // namespace

TEST(Application, RunCreatesTheMainWindowAndEndsWhenItCloses) {
    TestApp app;
    BoxRecorder ok(IDOK);
    bool checked = false;
    app.Idle = [&](long n) {
        if (n == 0 && !checked) {
            checked = true;
            TFrameWindow *main = app.GetMainWindow();
            EXPECT_TRUE(main->IsFlagSet(wfMainWindow));
            EXPECT_TRUE(main->GetExStyle() & WS_EX_APPWINDOW);
            EXPECT_STREQ("TestApp", main->GetTitle());
            EXPECT_TRUE(app.IsRunning());
            app.CmExit();  // closes the main window, which ends the loop
        }
        return 0;
    };
    UINT_PTR watchdog = ::SetTimer(0, 0, 10000, &Quit99);
    EXPECT_EQ(0, app.Run());
    ::KillTimer(0, watchdog);
    EXPECT_TRUE(checked);
    EXPECT_EQ(nullptr, app.GetMainWindow());  // deleted once closed
    EXPECT_FALSE(app.IsRunning());
    EXPECT_TRUE(ok.Boxes.empty());
}

TEST(Application, StartReportsAMissingMainWindow) {
    class NoWindow : public TestApp {
    public:
        void InitMainWindow() override {}
    } app;
    BoxRecorder ok(IDOK);
    EXPECT_EQ(-1, app.Start());
    ASSERT_EQ(1u, ok.Boxes.size());
    EXPECT_EQ("Internal error: Invalid MainWindow", ok.Boxes[0].text);
    EXPECT_EQ("Internal error: Veltrane Exception", ok.Boxes[0].caption);
}

TEST(Application, DictionaryAndAliasApplication) {
    {
        TestApp app;
        EXPECT_EQ(&app, GetApplicationObject());
        EXPECT_EQ(&app, TestApp::GlobalModule());
    }
    TApplication *alias = GetApplicationObject();
    EXPECT_STREQ("ALIAS", alias->GetName());
    EXPECT_EQ(alias, GetApplicationObject());
    {
        TestApp app;  // made later, it is the one found
        EXPECT_EQ(&app, GetApplicationObject());
    }
    EXPECT_EQ(alias, GetApplicationObject());
    delete alias;
    EXPECT_EQ(0x0503u, YrtGetVersion());
}

TEST(Application, AWindowCondemnedTwiceIsDeletedOnceAndKeepsTheOthersListed) {
    TestApp app;
    bool deleted[3] = {};
    Thrower *windows[3];
    for (int i = 0; i < 3; i++) {
        windows[i] = new Thrower("condemned");
        windows[i]->Deleted = &deleted[i];
        app.Condemn(windows[i]);
    }
    app.Condemn(windows[1]);  // closed a second time before the loop got round to it
    app.CmExit();             // deletes the condemned windows
    for (bool d : deleted)
        EXPECT_TRUE(d);
}

TEST(Application, AHandlerFailureStaysWithTheThreadOfItsWindow) {
    TestApp app;
    class Worker : public TThread {
    public:
        bool SawOwn = false;

    private:
        int Run() override {
            Thrower w("worker");
            w.Create();
            w.SendMessageA(WM_USER + 1);
            SawOwn = TWindow::HasPendingException();
            return 0;  // leaves it pending: it dies with this thread
        }
    } worker;
    worker.Start();
    EXPECT_EQ(WAIT_OBJECT_0, worker.WaitForExit(10000));
    EXPECT_TRUE(worker.SawOwn);
    EXPECT_FALSE(TWindow::HasPendingException());  // not this thread's to report
    TWindow::ClearPendingException();
}

TEST(Application, TheWindowBeingCreatedIsTheCreatingThreadsOwn) {
    TestApp app;
    Thrower mine("mine");
    class Worker : public TThread {
    public:
        TWindow *Seen = 0;

    private:
        int Run() override {
            Seen = TWindow::GetCreationWindow();
            return 0;
        }
    } worker;
    TWindow::SetCreationWindow(&mine);  // as Create does around the system's call
    worker.Start();
    EXPECT_EQ(WAIT_OBJECT_0, worker.WaitForExit(10000));
    TWindow::SetCreationWindow(0);
    EXPECT_EQ(nullptr, worker.Seen);  // another thread's creation binds no window here
}
