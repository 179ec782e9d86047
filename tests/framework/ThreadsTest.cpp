#include "core/System.h"
#include "core/Threads.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <new>

namespace {
// Runs until told to stop.
class Worker : public TThread {
public:
    TEventSemaphore Started{1, 0};
    int Run() override {
        Started.Set();
        while (!ShouldTerminate())
            ::Sleep(1);
        return 42;
    }
};

int ErrorType(std::function<void()> f) {
    try {
        f();
    } catch (TThread::TThreadError &e) {
        return e.GetErrorType();
    }
    return -1;
}
}  // namespace

TEST(FrameworkThreads, Lifecycle) {
    Worker w;
    EXPECT_EQ(TThread::Created, w.GetStatus());
    EXPECT_EQ(0xFFFFFFFFu, w.WaitForExit(0));
    EXPECT_EQ(TThread::TThreadError::ResumeBeforeRun, ErrorType([&] { w.Resume(); }));
    EXPECT_EQ(TThread::TThreadError::SuspendBeforeRun, ErrorType([&] { w.Suspend(); }));

    ASSERT_NE(nullptr, w.Start());
    ASSERT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(w.Started, 5000));
    EXPECT_EQ(TThread::Running, w.GetStatus());
    EXPECT_EQ(nullptr, w.Start());  // one thread per object at a time
    EXPECT_EQ(TThread::TThreadError::ResumeDuringRun, ErrorType([&] { w.Resume(); }));
    Worker other;
    EXPECT_EQ(TThread::TThreadError::AssignError, ErrorType([&] { static_cast<TThread &>(w) = other; }));

    EXPECT_EQ(0u, w.Suspend());
    EXPECT_EQ(TThread::Suspended, w.GetStatus());
    EXPECT_EQ(nullptr, w.Start());
    EXPECT_EQ(1u, w.Resume());
    EXPECT_EQ(TThread::Running, w.GetStatus());  // running again after one suspend and one resume

    EXPECT_EQ(WAIT_OBJECT_0, w.TerminateAndWait(5000));
    EXPECT_EQ(TThread::Finished, w.GetStatus());
    EXPECT_EQ(42u, w.GetExitCode());
    EXPECT_EQ(TThread::TThreadError::SuspendAfterExit, ErrorType([&] { w.Suspend(); }));
    EXPECT_EQ(TThread::TThreadError::ResumeAfterExit, ErrorType([&] { w.Resume(); }));

    // a finished object starts a new thread
    ASSERT_NE(nullptr, w.Start());
    ASSERT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(w.Started, 5000));
    EXPECT_EQ(WAIT_OBJECT_0, w.TerminateAndWait(5000));
    static_cast<TThread &>(w) = other;  // finished: becomes a fresh created object
    EXPECT_EQ(TThread::Created, w.GetStatus());
}

TEST(FrameworkThreads, ErrorTexts) {
    EXPECT_EQ(String("Error[thread]: Resume() before Run()"), TThread::TThreadError(1).why());
    EXPECT_EQ(String("Error[thread]: illegal assignment"), TThread::TThreadError(7).why());
    TThread current(TThread::Current);
    EXPECT_EQ(TThread::Running, current.GetStatus());
    EXPECT_EQ(::GetCurrentThreadId(), current.GetId());
}

TEST(FrameworkThreads, SemaphoreSets) {
    TEventSemaphore a, b;
    TSemaphore const *list[] = {&a, &b, 0};
    TSemaphoreSet set(list, -1);
    EXPECT_EQ(2, set.GetCount());
    TEventSemaphore c;
    set.Add(c);  // no room
    EXPECT_EQ(2, set.GetCount());
    {
        TSemaphoreSet::TLock none(set, TSemaphoreSet::WaitAny, 0);
        EXPECT_FALSE(none.WasAquired());
        EXPECT_EQ(TSemaphoreSet::TLock::TimedOut, none.WhichAquired());
    }
    b.Set();
    {
        TSemaphoreSet::TLock one(set, TSemaphoreSet::WaitAny, 0);
        EXPECT_TRUE(one.WasAquired());
        EXPECT_EQ(1, one.WhichAquired());
    }
    set.Remove(a);
    EXPECT_EQ(1, set.GetCount());
    EXPECT_EQ(&b, set[0]);
    EXPECT_EQ(nullptr, set[1]);
}

TEST(FrameworkThreads, LocksReleaseWhatTheyAcquired) {
    TMutex m1, m2;
    TSemaphore const *list[] = {&m1, &m2, 0};
    TSemaphoreSet set(list, 2);
    {
        TSemaphoreSet::TLock all(set, TSemaphoreSet::WaitAll, 0);
        EXPECT_EQ(TSemaphoreSet::TLock::AllAquired, all.WhichAquired());
    }
    // released by the lock: another thread can take both at once
    struct Taker : TThread {
        TSemaphoreSet *Set;
        int Run() override {
            TSemaphoreSet::TLock all(*Set, TSemaphoreSet::WaitAll, 1000);
            return all.WhichAquired();
        }
    } taker;
    taker.Set = &set;
    taker.Start();
    taker.WaitForExit(5000);
    EXPECT_EQ(unsigned(TSemaphoreSet::TLock::AllAquired), taker.GetExitCode());

    TCountedSemaphore counted(0, 2);
    TSemaphore const *one[] = {&counted, 0};
    TSemaphoreSet countedSet(one);
    {
        TSemaphoreSet::TLock none(countedSet, TSemaphoreSet::WaitAny, 0);
        EXPECT_FALSE(none.WasAquired());
    }
}

TEST(FrameworkThreads, MessageWakeUp) {
    TEventSemaphore never;
    TSemaphore const *list[] = {&never, 0};
    TSemaphoreSet set(list);
    MSG msg;
    while (::PeekMessageA(&msg, 0, 0, 0, PM_REMOVE)) {
    }
    ::PostThreadMessageA(::GetCurrentThreadId(), WM_USER + 5, 0, 0);
    TSemaphoreSet::TLock lock(QS_POSTMESSAGE, set, TSemaphoreSet::WaitAny, 5000);
    EXPECT_FALSE(lock.WasAquired());
    EXPECT_EQ(TSemaphoreSet::TLock::MsgWaiting, lock.WhichAquired());
    while (::PeekMessageA(&msg, 0, 0, 0, PM_REMOVE)) {
    }
}

TEST(FrameworkSystem, Versions) {
    EXPECT_EQ(0x0333, TSystem::PackVersion(3, 51));
    EXPECT_EQ(0x0400, TSystem::PackVersion(4, 0));
    EXPECT_TRUE(TSystem::SupportsThreads());
    EXPECT_TRUE(TSystem::SupportsExceptions());
    EXPECT_EQ(TSystem::GetMajorVersion() > 3, TSystem::Has3dUI());
}

TEST(FrameworkThreads, AnAbandonedMutexIsAcquired) {
    TMutex mutex;
    struct Owner : TThread {
        TMutex *M;
        int Run() override {
            ::WaitForSingleObject(*M, INFINITE);
            return 0;  // ends without releasing it
        }
    } owner;
    owner.M = &mutex;
    owner.Start();
    ASSERT_EQ(WAIT_OBJECT_0, owner.WaitForExit(5000));
    TSemaphore const *list[] = {&mutex, 0};
    TSemaphoreSet set(list);
    TSemaphoreSet::TLock lock(set, TSemaphoreSet::WaitAny, 1000);
    EXPECT_TRUE(lock.WasAquired());
    EXPECT_EQ(0, lock.WhichAquired());
    TMutex::TLock single(mutex, 0);  // ours now: taken again without waiting
    EXPECT_TRUE(single.WasAquired());
}

namespace {
// Deletes itself as the last act of its body. Its storage is kept and poisoned on
// delete, so a later write by the thread shows.
class SelfDeleting : public TThread {
public:
    static HANDLE Go;
    alignas(8) static unsigned char Block[256];
    static void *operator new(size_t size) { return size <= sizeof Block ? Block : throw std::bad_alloc(); }
    static void operator delete(void *p, size_t size) { std::memset(p, 0xDD, size); }
    int Run() override {
        ::WaitForSingleObject(Go, INFINITE);
        delete this;
        return 7;
    }
};
HANDLE SelfDeleting::Go;
alignas(8) unsigned char SelfDeleting::Block[256];
}  // namespace

TEST(FrameworkThreads, ABodyThatDeletesItsObjectLeavesItAlone) {
    SelfDeleting::Go = ::CreateEventA(0, TRUE, FALSE, 0);
    SelfDeleting *t = new SelfDeleting;
    ASSERT_NE(nullptr, t->Start());
    HANDLE thread = ::OpenThread(SYNCHRONIZE | THREAD_QUERY_INFORMATION, FALSE, t->GetId());
    ASSERT_NE(nullptr, thread);
    ::SetEvent(SelfDeleting::Go);
    ASSERT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(thread, 5000));
    DWORD code = 0;
    EXPECT_TRUE(::GetExitCodeThread(thread, &code));
    EXPECT_EQ(7u, code);
    for (size_t i = 0; i < sizeof(SelfDeleting); i++)
        ASSERT_EQ(0xDD, SelfDeleting::Block[i]) << "byte " << i << " written after delete";
    ::CloseHandle(thread);
    ::CloseHandle(SelfDeleting::Go);
}
