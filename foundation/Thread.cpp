#include "foundation/Thread.h"

#include "foundation/Exception.h"

#include <windows.h>
#include <process.h>

Thread::Thread(char const *name)
    : stop_(0), name_(name), id_(0), handle_(nullptr), suspendCount_(0), autoDeath_(1), valid_(0),
      selfDestructible_(0) {}

Thread::Thread(void *handle, unsigned long id, char const *name)
    : stop_(0), name_(name), id_(id), handle_(handle), suspendCount_(0), autoDeath_(0), valid_(1),
      selfDestructible_(0) {}

Thread::~Thread() {
    if (autoDeath_)
        WaitForEnd();
    CloseHandleIfHeld();
}

void Thread::CloseHandleIfHeld() {
    if (handle_)
        CloseHandle(handle_);
    handle_ = nullptr;
    valid_ = 0;
}

unsigned long Thread::MainLoop() { return 0; }

unsigned __stdcall Thread::Starter(void *arg) {
    Thread *body = static_cast<Thread *>(arg);
    unsigned long result = 0xFFFFFFFFUL;
    // Nothing may unwind into the system's thread start.
    try {
        result = body->MainLoop();
    } catch (...) {
        PostCurrentFailure();
    }
    if (body->selfDestructible_) {
        body->autoDeath_ = 0;
        delete body;
    }
    return result;
}

void Thread::Run(Thread *body, long priority, long stackSize) {
    CloseHandleIfHeld();
    unsigned id = 0;
    HANDLE h = reinterpret_cast<HANDLE>(
        _beginthreadex(nullptr, static_cast<unsigned>(stackSize), &Thread::Starter, body, CREATE_SUSPENDED, &id));
    Init(h, id);
    if (!h)
        return;
    if (priority != 0)
        SetThreadPriority(h, static_cast<int>(priority));
    // From here on a self-destructible body may already be gone: only the
    // local handle is used.
    ResumeThread(h);
}

void Thread::Init(void *handle, unsigned long id) {
    handle_ = handle;
    id_ = id;
    valid_ = handle != nullptr;
}

void Thread::InitAsCurrentThread() {
    autoDeath_ = 0;
    CloseHandleIfHeld();
    HANDLE real = nullptr;
    DuplicateHandle(GetCurrentProcess(), GetCurrentThread(), GetCurrentProcess(), &real, 0, FALSE,
                    DUPLICATE_SAME_ACCESS);
    Init(real, GetCurrentThreadId());
}

void Thread::WaitForEnd() {
    if (!handle_)
        return;
    if (id_ != GetCurrentThreadId())
        WaitForSingleObject(handle_, INFINITE);
    CloseHandleIfHeld();
}

int Thread::IsTerminated() const {
    if (!valid_)
        return 0;
    return WaitForSingleObject(handle_, 0) == WAIT_OBJECT_0;
}

long Thread::Suspend() {
    InterlockedIncrement(&suspendCount_);
    return static_cast<long>(SuspendThread(handle_));
}

long Thread::Resume() {
    InterlockedDecrement(&suspendCount_);
    return static_cast<long>(ResumeThread(handle_));
}

void Thread::Terminate(unsigned long exitCode) {
    if (!handle_)
        return;
    TerminateThread(handle_, exitCode);
    CloseHandleIfHeld();
}

int Thread::PostThreadMessageA(unsigned int msg, long wParam, long lParam) {
    return ::PostThreadMessageA(id_, msg, static_cast<WPARAM>(wParam), static_cast<LPARAM>(lParam));
}

long Thread::GetPriority() const { return GetThreadPriority(handle_); }

void Thread::SetPriority(long priority) { SetThreadPriority(handle_, static_cast<int>(priority)); }

unsigned long Thread::GetPriorityClass() const { return ::GetPriorityClass(GetCurrentProcess()); }

void Thread::SetPriorityClass(unsigned long priorityClass) { ::SetPriorityClass(GetCurrentProcess(), priorityClass); }

void Thread::GiveUpTimeSlice() { Sleep(0); }
