#include "core/Threads.h"

#include <algorithm>

namespace {
HANDLE Duplicate(HANDLE h) {
    HANDLE copy = 0;
    ::DuplicateHandle(::GetCurrentProcess(), h, ::GetCurrentProcess(), &copy, 0, FALSE,
                      DUPLICATE_SAME_ACCESS);
    return copy;
}
}  // namespace

// ---- semaphores

TSemaphore::~TSemaphore() {
    if (Handle)
        ::CloseHandle(Handle);
}

TMutex::TMutex() { Handle = ::CreateMutexA(0, FALSE, 0); }
TMutex::TMutex(char const *name, SECURITY_ATTRIBUTES *sa) { Handle = ::CreateMutexA(sa, FALSE, name); }
TMutex::TMutex(char const *name, int inherit, unsigned long access) {
    Handle = ::OpenMutexA(access, inherit, name);
}
TMutex::TMutex(HANDLE handle) { Handle = Duplicate(handle); }
void TMutex::Release() { ::ReleaseMutex(Handle); }

TMutex::TLock::TLock(TMutex const &mutex, unsigned long timeout) : Mutex(mutex), Held(false) {
    DWORD r = ::WaitForSingleObject(mutex.Handle, timeout);
    Held = r == WAIT_OBJECT_0 || r == WAIT_ABANDONED;  // an abandoned mutex is still ours now
}

void TMutex::TLock::Release() {
    if (Held)
        const_cast<TMutex &>(Mutex).Release();
    Held = false;
}

TCountedSemaphore::TCountedSemaphore(int initialCount, int maxCount, char const *name,
                                     SECURITY_ATTRIBUTES *sa) {
    Handle = ::CreateSemaphoreA(sa, initialCount, maxCount, name);
}
TCountedSemaphore::TCountedSemaphore(char const *name, int inherit, unsigned long access) {
    Handle = ::OpenSemaphoreA(access, inherit, name);
}
TCountedSemaphore::TCountedSemaphore(HANDLE handle) { Handle = Duplicate(handle); }
void TCountedSemaphore::Release() { ::ReleaseSemaphore(Handle, 1, 0); }

TEventSemaphore::TEventSemaphore() { Handle = ::CreateEventA(0, FALSE, FALSE, 0); }
TEventSemaphore::TEventSemaphore(int manualReset, int initialState, char const *name,
                                 SECURITY_ATTRIBUTES *sa) {
    Handle = ::CreateEventA(sa, manualReset, initialState, name);
}
TEventSemaphore::TEventSemaphore(char const *name, int inherit, unsigned long access) {
    Handle = ::OpenEventA(access, inherit, name);
}
TEventSemaphore::TEventSemaphore(HANDLE handle) { Handle = Duplicate(handle); }

// ---- sets

TSemaphoreSet::TSemaphoreSet(TSemaphore const *const *list, int size) : Sems(0), Size(0), Count(0) {
    int members = 0;
    if (list)
        while (list[members])
            members++;
    Size = size >= 0 ? size : members;
    if (members > Size)  // more members than room: keep what fits
        members = Size;
    Sems = new TSemaphore const *[Size ? Size : 1]();
    for (int i = 0; i < members; i++)
        Sems[i] = list[i];
    Count = members;
}

TSemaphoreSet::~TSemaphoreSet() { delete[] Sems; }

void TSemaphoreSet::Add(TSemaphore const &sem) {
    if (Count < Size)
        Sems[Count++] = &sem;
}

void TSemaphoreSet::Remove(TSemaphore const &sem) {
    for (int i = 0; i < Count; i++)
        if (Sems[i] == &sem) {
            std::copy(Sems + i + 1, Sems + Count, Sems + i);
            Sems[--Count] = 0;
            return;
        }
}

void TSemaphoreSet::Release(int index) const {
    if (index >= 0) {
        const_cast<TSemaphore *>(Sems[index])->Release();
        return;
    }
    for (int i = 0; i < Count; i++)
        const_cast<TSemaphore *>(Sems[i])->Release();
}

namespace {
void Handles(TSemaphoreSet const &set, HANDLE *out) {
    for (int i = 0; i < set.GetCount(); i++)
        out[i] = *set[i];
}
}  // namespace

TSemaphoreSet::TLock::TLock(TSemaphoreSet const &set, TWaitWhat wait, unsigned long timeout, int alertable)
    : Set(0), Which(Failed) {
    HANDLE h[MAXIMUM_WAIT_OBJECTS];
    if (set.GetCount() < 1 || set.GetCount() > MAXIMUM_WAIT_OBJECTS)
        return;
    Handles(set, h);
    Take(set, ::WaitForMultipleObjectsEx(set.GetCount(), h, wait == WaitAll, timeout, alertable), wait);
}

TSemaphoreSet::TLock::TLock(unsigned long wakeMask, TSemaphoreSet const &set, TWaitWhat wait,
                            unsigned long timeout)
    : Set(0), Which(Failed) {
    HANDLE h[MAXIMUM_WAIT_OBJECTS];
    if (set.GetCount() > MAXIMUM_WAIT_OBJECTS - 1)
        return;
    Handles(set, h);
    Take(set, ::MsgWaitForMultipleObjects(set.GetCount(), h, wait == WaitAll, timeout, wakeMask), wait);
}

void TSemaphoreSet::TLock::Take(TSemaphoreSet const &set, DWORD r, TWaitWhat wait) {
    DWORD n = set.GetCount();
    bool acquired = false;
    if (r < WAIT_OBJECT_0 + n) {
        Which = wait == WaitAll ? AllAquired : int(r - WAIT_OBJECT_0);
        acquired = true;
    } else if (r >= WAIT_ABANDONED_0 && r < WAIT_ABANDONED_0 + n) {
        // an abandoned mutex is acquired all the same
        Which = wait == WaitAll ? AllAquired : int(r - WAIT_ABANDONED_0);
        acquired = true;
    } else if (r == WAIT_OBJECT_0 + n) {
        Which = MsgWaiting;
    } else if (r == WAIT_TIMEOUT) {
        Which = TimedOut;
    } else if (r == WAIT_IO_COMPLETION) {
        Which = IoComplete;
    }
    if (acquired)
        Set = &set;
}

// What was acquired is given back once, whatever the argument says: a second release
// of the same acquisition (here or in the destructor) would over-release a mutex.
void TSemaphoreSet::TLock::Release(int) {
    if (!Set)
        return;
    Set->Release(Which == AllAquired ? -1 : Which);
    Set = 0;
}

// ---- threads

namespace {
char const *const ThreadErrorTexts[] = {
    "Suspend() before Run()", "Resume() before Run()", "Resume() during Run()",  "Suspend() after Exit()",
    "Resume() after Exit()",  "creation failure",      "destroyed before Exit()", "illegal assignment",
};
}  // namespace

String TThread::TThreadError::MakeString(int type) {
    String text("Error[thread]: ");
    if (type >= 0 && type < int(sizeof ThreadErrorTexts / sizeof *ThreadErrorTexts))
        text += ThreadErrorTexts[type];
    return text;
}

TThread::TThreadError::TThreadError(int type) : AException(MakeString(type)), Type(type) {}

TThread::TThread() : ThreadId(0), Handle(0), Status(Created), TerminationRequested(0), Attached(0) {}

TThread::TThread(TCurrent)
    : ThreadId(::GetCurrentThreadId()), Handle(Duplicate(::GetCurrentThread())), Status(Running),
      TerminationRequested(0), Attached(1) {}

TThread::TThread(TThread const &) : TThread() {}

TThread &TThread::operator=(TThread const &) {
    Refresh();
    if (Status == Running || Status == Invalid)
        throw TThreadError(TThreadError::AssignError);
    if (Handle)
        ::CloseHandle(Handle);
    ThreadId = 0;
    Handle = 0;
    Status = Created;
    TerminationRequested = 0;
    return *this;
}

TThread::~TThread() {
    if (!Attached) {
        Refresh();
        if (Status == Running || Status == Suspended) {
            // too early; reported, never thrown out of a destructor
            ::OutputDebugStringA(TThreadError::MakeString(TThreadError::DestroyBeforeExit).c_str());
        }
    }
    if (Handle)
        ::CloseHandle(Handle);
}

void TThread::Refresh() const {
    if (Status != Running)
        return;
    DWORD code = 0;
    if (::GetExitCodeThread(Handle, &code) && code != STILL_ACTIVE)
        Status = Finished;
}

TThread::TStatus TThread::GetStatus() const {
    Refresh();
    return Status;
}

unsigned long TThread::GetExitCode() const {
    DWORD code = 0;
    ::GetExitCodeThread(Handle, &code);
    return code;
}

HANDLE TThread::Start() {
    Refresh();
    if (Status == Running || Status == Suspended)  // one thread per object at a time
        return 0;
    if (Handle)
        ::CloseHandle(Handle);
    TerminationRequested = 0;
    Status = Running;  // before the thread can finish and say so
    DWORD id = 0;
    Handle = ::CreateThread(0, 4096, &TThread::Execute, this, 0, &id);
    if (!Handle) {
        Status = Invalid;
        ThreadId = 0;
        throw TThreadError(TThreadError::CreationError);
    }
    ThreadId = id;
    return Handle;
}

// The object is not touched once Run returns: Run or its owner may have deleted it by
// then. An owner that keeps it learns the end from the handle (Refresh).
DWORD WINAPI TThread::Execute(void *p) {
    TThread *thread = static_cast<TThread *>(p);
    int result = -1;
    try {
        result = thread->Run();
    } catch (...) {
        // nothing may unwind into the system's thread start
        ::OutputDebugStringA("TThread: an exception left the thread body\n");
    }
    return (DWORD)result;
}

void TThread::Exit(unsigned long code) {
    Status = Finished;
    ::ExitThread(code);
}

unsigned long TThread::Suspend() {
    Refresh();
    if (Status == Created)
        throw TThreadError(TThreadError::SuspendBeforeRun);
    if (Status == Finished)
        throw TThreadError(TThreadError::SuspendAfterExit);
    DWORD previous = ::SuspendThread(Handle);
    if (previous != (DWORD)-1 && previous < 127)
        Status = Suspended;
    return previous;
}

unsigned long TThread::Resume() {
    Refresh();
    if (Status == Created)
        throw TThreadError(TThreadError::ResumeBeforeRun);
    if (Status == Running)
        throw TThreadError(TThreadError::ResumeDuringRun);
    if (Status == Finished)
        throw TThreadError(TThreadError::ResumeAfterExit);
    DWORD previous = ::ResumeThread(Handle);
    if (previous == 1 || previous == 0)  // the last suspension is gone
        Status = Running;
    return previous;
}

// A thread that ended between a request to terminate and this call is waited for
// too (its handle is signalled): only an object that never ran returns at once.
unsigned long TThread::WaitForExit(unsigned long timeout) {
    Refresh();
    if (!Handle || Status == Created || Status == Invalid)
        return 0xFFFFFFFF;
    return ::WaitForSingleObject(Handle, timeout);
}

unsigned long TThread::TerminateAndWait(unsigned long timeout) {
    Terminate();
    return WaitForExit(timeout);
}
