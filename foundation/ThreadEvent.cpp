#include "foundation/ThreadEvent.h"

#include <windows.h>

ThreadEvent::ThreadEvent() : handle_(CreateEventA(nullptr, TRUE, FALSE, nullptr)) {}

ThreadEvent::ThreadEvent(int initialState, int autoReset)
    : handle_(CreateEventA(nullptr, autoReset ? FALSE : TRUE, initialState ? TRUE : FALSE, nullptr)) {}

ThreadEvent::~ThreadEvent() {
    if (handle_)
        CloseHandle(handle_);
}

int ThreadEvent::IsTrue() const { return WaitForSingleObject(handle_, 0) == WAIT_OBJECT_0; }

int ThreadEvent::IsFalse() const { return !IsTrue(); }

int ThreadEvent::WaitForIt(unsigned long milliseconds) const {
    return WaitForSingleObject(handle_, milliseconds) == WAIT_OBJECT_0;
}

void ThreadEvent::SetTrue() { SetEvent(handle_); }

void ThreadEvent::SetFalse() { ResetEvent(handle_); }

void ThreadEvent::Pulse() { PulseEvent(handle_); }

namespace {

long WaitForSeveral(BOOL all, ThreadEvent const *const *events, int count, unsigned long milliseconds) {
    HANDLE handles[5];
    int position[5];
    DWORD n = 0;
    for (int i = 0; i < count; ++i)
        if (events[i]) {
            handles[n] = events[i]->GetHandle();
            position[n++] = i;
        }
    if (n == 0)
        return -1;
    DWORD r = WaitForMultipleObjects(n, handles, all, milliseconds);
    if (r == WAIT_TIMEOUT || r == WAIT_FAILED)
        return -1;
    // Report the argument position, so that an absent event in the middle
    // does not shift the answer.
    if (!all && r < WAIT_OBJECT_0 + n)
        return position[r - WAIT_OBJECT_0];
    return static_cast<long>(r);
}

}  // namespace

// The shorter forms are the longest with the missing events absent.
long WaitForAll(ThreadEvent const *e1, ThreadEvent const *e2, ThreadEvent const *e3, ThreadEvent const *e4,
                ThreadEvent const *e5, unsigned long ms) {
    ThreadEvent const *e[] = {e1, e2, e3, e4, e5};
    return WaitForSeveral(TRUE, e, 5, ms);
}
long WaitForAll(ThreadEvent const *e1, ThreadEvent const *e2, ThreadEvent const *e3, ThreadEvent const *e4,
                unsigned long ms) {
    return WaitForAll(e1, e2, e3, e4, nullptr, ms);
}
long WaitForAll(ThreadEvent const *e1, ThreadEvent const *e2, ThreadEvent const *e3, unsigned long ms) {
    return WaitForAll(e1, e2, e3, nullptr, nullptr, ms);
}
long WaitForAll(ThreadEvent const *e1, ThreadEvent const *e2, unsigned long ms) {
    return WaitForAll(e1, e2, nullptr, nullptr, nullptr, ms);
}

long WaitForAny(ThreadEvent const *e1, ThreadEvent const *e2, ThreadEvent const *e3, ThreadEvent const *e4,
                ThreadEvent const *e5, unsigned long ms) {
    ThreadEvent const *e[] = {e1, e2, e3, e4, e5};
    return WaitForSeveral(FALSE, e, 5, ms);
}
long WaitForAny(ThreadEvent const *e1, ThreadEvent const *e2, ThreadEvent const *e3, ThreadEvent const *e4,
                unsigned long ms) {
    return WaitForAny(e1, e2, e3, e4, nullptr, ms);
}
long WaitForAny(ThreadEvent const *e1, ThreadEvent const *e2, ThreadEvent const *e3, unsigned long ms) {
    return WaitForAny(e1, e2, e3, nullptr, nullptr, ms);
}
long WaitForAny(ThreadEvent const *e1, ThreadEvent const *e2, unsigned long ms) {
    return WaitForAny(e1, e2, nullptr, nullptr, nullptr, ms);
}
