#include "foundation/CriticalSection.h"
#include "foundation/Exception.h"
#include "foundation/InterThreadMessage.h"
#include "foundation/Strings.h"
#include "foundation/Thread.h"
#include "foundation/ThreadEvent.h"
#include "foundation/Timer.h"

#include <gtest/gtest.h>
#include <windows.h>

namespace {

TEST(ThreadEvent, WaitTable) {
    ThreadEvent a, b, c;
    struct Row {
        char const *what;
        bool setA, setB, setC;
        bool any;       // WaitForAny, else WaitForAll
        bool withC;     // third event given, else absent
        long expected;
    } const table[] = {
        {"any, none set: timeout", false, false, false, true, true, -1},
        {"any, second set", false, true, false, true, true, 1},
        {"any, third set", false, false, true, true, true, 2},
        {"any, first and third set: first", true, false, true, true, true, 0},
        {"any, third absent and only it would be set", false, false, true, true, false, -1},
        {"all, two of three set: timeout", true, true, false, false, true, -1},
        {"all, all three set", true, true, true, false, true, 0},
        {"all, third absent: the first two suffice", true, true, false, false, false, 0},
        {"all, one set, third absent: timeout", true, false, false, false, false, -1},
    };
    for (Row const &r : table) {
        SCOPED_TRACE(r.what);
        r.setA ? a.SetTrue() : a.SetFalse();
        r.setB ? b.SetTrue() : b.SetFalse();
        r.setC ? c.SetTrue() : c.SetFalse();
        ThreadEvent const *third = r.withC ? &c : nullptr;
        long got = r.any ? WaitForAny(&a, &b, third, 0) : WaitForAll(&a, &b, third, 0);
        EXPECT_EQ(r.expected, got);
    }
    // Absent events in the middle keep the argument positions.
    a.SetFalse();
    c.SetTrue();
    EXPECT_EQ(2, WaitForAny(&a, nullptr, &c, nullptr, nullptr, 0));
    EXPECT_EQ(-1, WaitForAll(&a, nullptr, &c, 0));
    // The reference forms are the same calls.
    b.SetTrue();
    EXPECT_EQ(1, WaitForAny(a, b, 0));
    EXPECT_EQ(-1, WaitForAll(a, b, c, 0));
    a.SetTrue();
    EXPECT_EQ(0, WaitForAll(a, b, c, a, b, 0));
    // A timeout that really waits.
    a.SetFalse();
    b.SetFalse();
    Timer t;
    EXPECT_EQ(-1, WaitForAny(a, b, 50));
    EXPECT_GE(static_cast<double>(t), 40.0);
}

TEST(ThreadEvent, AutoResetReleasesOneWaiter) {
    ThreadEvent e(1, 1);
    EXPECT_EQ(1, e.WaitForIt(0));
    EXPECT_EQ(1, e.IsFalse());
    EXPECT_EQ(0, e.WaitForIt(10));
    ThreadEvent manual(1, 0);
    EXPECT_EQ(1, manual.WaitForIt(0));
    EXPECT_EQ(1, manual.IsTrue());
    ThreadEvent byDefault;
    EXPECT_EQ(1, byDefault.IsFalse());
    EXPECT_NE(nullptr, static_cast<void *>(byDefault));
}

// Sets an event from its own thread, after waiting for a go signal.
class Signaller : public Thread {
public:
    Signaller(ThreadEvent &go, ThreadEvent &done) : Thread("signaller"), go_(go), done_(done) {}
    unsigned long MainLoop() override {
        go_.WaitForIt(static_cast<unsigned long>(-1));
        ranOn = GetCurrentThreadId();
        done_.SetTrue();
        return 7;
    }
    unsigned long ranOn = 0;

private:
    ThreadEvent &go_;
    ThreadEvent &done_;
};

TEST(Thread, RunWaitAndExitCode) {
    ThreadEvent go, done;
    {
        Signaller s(go, done);
        EXPECT_EQ(0, s.IsTerminated()) << "never run";
        s.Run(&s, THREAD_PRIORITY_BELOW_NORMAL, 0);
        ASSERT_NE(nullptr, s.GetThreadHandle());
        EXPECT_EQ(THREAD_PRIORITY_BELOW_NORMAL, s.GetPriority());
        EXPECT_EQ(0, s.IsTerminated());
        go.SetTrue();
        EXPECT_EQ(1, done.WaitForIt(5000));
        EXPECT_EQ(s.GetThreadId(), s.ranOn);
        DWORD code = 0;
        WaitForSingleObject(s.GetThreadHandle(), 5000);
        GetExitCodeThread(s.GetThreadHandle(), &code);
        EXPECT_EQ(7u, code);
        EXPECT_EQ(1, s.IsTerminated());
    }  // auto-death: the destructor waits and closes
    Thread never("idle");
}

TEST(Thread, SuspendResumeCounts) {
    ThreadEvent go, done;
    Signaller s(go, done);
    s.Run(&s);
    EXPECT_EQ(0, s.Suspend());
    EXPECT_EQ(1, s.IsSuspended());
    go.SetTrue();
    EXPECT_EQ(0, done.WaitForIt(50)) << "suspended";
    EXPECT_EQ(1, s.Resume());
    EXPECT_EQ(0, s.IsSuspended());
    EXPECT_EQ(1, done.WaitForIt(5000));
}

// A body that deletes its own object when it returns.
class SelfDeleting : public Thread {
public:
    SelfDeleting(volatile long &deleted, volatile long &complete) : deleted_(deleted), complete_(complete) {
        SetAsAutoDestructible();
    }
    ~SelfDeleting() override { InterlockedIncrement(&deleted_); }
    unsigned long MainLoop() override {
        // The object is complete when the body starts.
        if (GetThreadHandle() && GetThreadId() == GetCurrentThreadId())
            InterlockedIncrement(&complete_);
        return 0;
    }

private:
    volatile long &deleted_;
    volatile long &complete_;
};

TEST(Thread, SelfDeletingThousandTimes) {
    volatile long deleted = 0, complete = 0;
    for (int i = 0; i < 1000; ++i) {
        SelfDeleting *t = new SelfDeleting(deleted, complete);
        t->Run(t, i % 2 ? THREAD_PRIORITY_ABOVE_NORMAL : 0, 0);
    }
    for (int i = 0; i < 1000 && deleted < 1000; ++i)
        Sleep(10);
    EXPECT_EQ(1000, deleted);
    EXPECT_EQ(1000, complete);
}

class Looper : public Thread {
public:
    Looper() : Thread("looper") {}
    unsigned long MainLoop() override {
        while (!GetStopFlag())
            Sleep(1);
        return 3;
    }
};

TEST(Thread, StopFlagEndsMainLoop) {
    Looper l;
    EXPECT_EQ(0, l.GetStopFlag());
    l.Run(&l);
    Sleep(10);
    EXPECT_EQ(0, l.IsTerminated());
    l.SetStopFlag();
    l.WaitForEnd();
    EXPECT_EQ(nullptr, l.GetThreadHandle());
}

// Runs until killed, once it has said that it runs.
class Endless : public Thread {
public:
    unsigned long MainLoop() override {
        running.SetTrue();
        for (;;)
            Sleep(1);
    }
    ThreadEvent running;
};

DWORD WINAPI SleepBriefly(void *) {
    Sleep(20);
    return 4;
}

TEST(Thread, WrapsAndTerminates) {
    DWORD id = 0;
    HANDLE raw = CreateThread(nullptr, 0, SleepBriefly, nullptr, 0, &id);
    {
        Thread wrapped(raw, id, "raw");
        EXPECT_EQ(0, wrapped.IsAutoDeathActive());
        EXPECT_STREQ("raw", wrapped.GetName());
        wrapped.SetAutoDeathMode(1);
    }  // waited for and closed by the wrapper
    Endless endless;
    endless.Run(&endless);
    ASSERT_EQ(1, endless.running.WaitForIt(5000));
    HANDLE watch = nullptr;
    DuplicateHandle(GetCurrentProcess(), endless.GetThreadHandle(), GetCurrentProcess(), &watch, 0, FALSE,
                    DUPLICATE_SAME_ACCESS);
    endless.Terminate(5);
    EXPECT_EQ(nullptr, endless.GetThreadHandle());
    EXPECT_EQ(0, endless.IsTerminated()) << "no handle held any more";
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(watch, 5000));
    DWORD code = 0;
    GetExitCodeThread(watch, &code);
    EXPECT_EQ(5u, code);
    CloseHandle(watch);
}

class Thrower : public Thread {
public:
    explicit Thrower(bool library) : library_(library) {}
    unsigned long MainLoop() override {
        if (library_)
            ExceptionThrower(0).SetAndThrow("worker failed", "take.wav", 9);
        throw 42;
    }

private:
    bool library_;
};

TEST(Thread, ExceptionInBodyIsPostedNotThrown) {
    MSG msg;
    PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE);  // this (the loader) thread gets its queue
    struct Row {
        bool library;
        char const *text;
        char const *second;
    } const rows[] = {{true, "worker failed", "take.wav"}, {false, "Unexpected failure in a worker thread", ""}};
    for (Row const &r : rows) {
        SCOPED_TRACE(r.text);
        Thrower t(r.library);
        t.Run(&t);
        ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(t.GetThreadHandle(), 5000));
        DWORD code = 0;
        GetExitCodeThread(t.GetThreadHandle(), &code);
        EXPECT_EQ(0xFFFFFFFFu, code);
        ASSERT_TRUE(PeekMessageA(&msg, reinterpret_cast<HWND>(-1), 1124, 1124, PM_REMOVE));
        Exception *e = reinterpret_cast<Exception *>(msg.lParam);
        ASSERT_NE(nullptr, e);
        EXPECT_STREQ(r.text, e->GetText().c_str());
        EXPECT_STREQ(r.second, e->GetSecondText().c_str());
        delete e;
    }
}

// Reads the id of the thread behind a handle, on a thread of its own.
struct HandleProbe {
    HANDLE h;
    DWORD id;
    static DWORD WINAPI Run(void *p) {
        HandleProbe *probe = static_cast<HandleProbe *>(p);
        probe->id = GetThreadId(probe->h);
        return 0;
    }
};

TEST(Thread, CurrentThreadHasRealHandle) {
    Thread gui;
    gui.InitAsCurrentThread();
    EXPECT_EQ(GetCurrentThreadId(), gui.GetThreadId());
    EXPECT_EQ(0, gui.IsAutoDeathActive());
    ASSERT_NE(nullptr, gui.GetThreadHandle());
    EXPECT_NE(GetCurrentThread(), gui.GetThreadHandle()) << "not the pseudo-handle";
    // A real handle means the same thing on another thread.
    HandleProbe probe{static_cast<HANDLE>(gui.GetThreadHandle()), 0};
    DWORD id = 0;
    HANDLE other = CreateThread(nullptr, 0, &HandleProbe::Run, &probe, 0, &id);
    WaitForSingleObject(other, 5000);
    CloseHandle(other);
    EXPECT_EQ(GetCurrentThreadId(), probe.id);
    EXPECT_EQ(0, gui.IsTerminated());
}

TEST(CriticalSection, GuardsCounterAcrossThreads) {
    struct Shared {
        CriticalSection lock;
        long counter = 0;
    } shared;
    class Adder : public Thread {
    public:
        explicit Adder(Shared &s) : s_(s) {}
        unsigned long MainLoop() override {
            for (int i = 0; i < 20000; ++i) {
                AutoCriticalSection hold(s_.lock);
                long v = s_.counter;
                if ((i & 1023) == 0)
                    GiveUpTimeSlice();
                s_.counter = v + 1;
            }
            return 0;
        }

    private:
        Shared &s_;
    };
    {
        Adder a(shared), b(shared), c(shared);
        a.Run(&a);
        b.Run(&b);
        c.Run(&c);
        a.WaitForEnd();
        b.WaitForEnd();
        c.WaitForEnd();
    }
    EXPECT_EQ(60000, shared.counter);
    AutoCriticalSection none(static_cast<CriticalSection const *>(nullptr));
    CriticalSection copy(shared.lock);
    AutoCriticalSection both(copy);
}

TEST(Timer, PauseHoldsAndResumeGoesOn) {
    Timer t(Timer::Milliseconds, 0);
    EXPECT_EQ(0.0, t.GetElapsedTime());
    t.Start();
    Sleep(30);
    t.Pause();
    double held = t.GetElapsedTime();
    EXPECT_GE(held, 20.0);
    Sleep(30);
    EXPECT_EQ(held, t.GetElapsedTime());
    EXPECT_EQ(held, static_cast<double>(t));
    t.Pause();
    EXPECT_EQ(held, t.GetElapsedTime()) << "a second pause changes nothing";
    t.Resume();
    Sleep(30);
    double later = t.GetElapsedTime();
    EXPECT_GE(later, held + 20.0);
    EXPECT_LT(later, held + 30.0 + 1000.0);
    Timer seconds(Timer::Seconds, 1);
    Timer micro(Timer::Microseconds, 1);
    Sleep(20);
    EXPECT_LT(seconds.GetElapsedTime(), 5.0);
    EXPECT_GT(micro.GetElapsedTime(), 10000.0);
    t.Start();
    EXPECT_LT(t.GetElapsedTime(), held) << "Start clears the accumulated time";
}

TEST(TimeTracer, KeepsItsSlots) {
    TimeTracer tracer(Timer::Milliseconds, 2);
    tracer.Store("one");
    Sleep(20);
    tracer.Store("two");
    tracer.Store("three");
    EXPECT_EQ(2, tracer.GetNumSlot());
    char const *label = "x";
    double second = tracer.GetTime(1, 0, &label);
    EXPECT_STREQ("two", label);
    EXPECT_GE(second, 10.0);
    EXPECT_GE(tracer.GetTime(1, 1), second);
    EXPECT_EQ(0.0, tracer.GetTime(2, 1, &label));
    EXPECT_EQ(nullptr, label);
}

TEST(InterThreadMessage, StartsUnset) {
    struct Mess : InterThreadMessage {
        Mess() { kind = 5; flags = DeleteWhenHandled; }
    } m;
    InterThreadMessage plain;
    EXPECT_EQ(-1, plain.kind);
    EXPECT_EQ(0, plain.result);
    EXPECT_EQ(nullptr, plain.event);
    EXPECT_EQ(0, plain.IsDeleteWhenHandled());
    plain = m;
    EXPECT_EQ(5, plain.kind);
    EXPECT_EQ(1, plain.IsDeleteWhenHandled());
}

}  // namespace
