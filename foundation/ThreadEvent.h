// Events of the system, and waiting for several of them at once.
#pragma once

#include "foundation/OsmeraDefs.h"

class OSMERA_API ThreadEvent {
public:
    // A manual-reset event that is not signalled.
    ThreadEvent();
    // initialState non-zero: signalled; autoReset non-zero: releases one
    // waiter and resets itself, else it stays set until SetFalse.
    ThreadEvent(int initialState, int autoReset);
    ~ThreadEvent();

    ThreadEvent(ThreadEvent const &) = delete;
    ThreadEvent &operator=(ThreadEvent const &) = delete;

    int IsTrue() const;
    int IsFalse() const;
    // 1 when signalled within the time; (unsigned long)-1 waits without limit.
    int WaitForIt(unsigned long milliseconds) const;
    void SetTrue();
    void SetFalse();
    void Pulse();
    void *GetHandle() const { return handle_; }
    operator void *() const { return handle_; }

private:
    void *handle_;
};

// Waits on the given events together, in argument order. The first event is
// required; a null later one is absent. The result is 0 when all (WaitForAll)
// or the argument position of the signalled event (WaitForAny); -1 on timeout.
OSMERA_API long WaitForAll(ThreadEvent const *e1, ThreadEvent const *e2, unsigned long milliseconds);
OSMERA_API long WaitForAll(ThreadEvent const *e1, ThreadEvent const *e2, ThreadEvent const *e3,
                           unsigned long milliseconds);
OSMERA_API long WaitForAll(ThreadEvent const *e1, ThreadEvent const *e2, ThreadEvent const *e3,
                           ThreadEvent const *e4, unsigned long milliseconds);
OSMERA_API long WaitForAll(ThreadEvent const *e1, ThreadEvent const *e2, ThreadEvent const *e3,
                           ThreadEvent const *e4, ThreadEvent const *e5, unsigned long milliseconds);
OSMERA_API long WaitForAny(ThreadEvent const *e1, ThreadEvent const *e2, unsigned long milliseconds);
OSMERA_API long WaitForAny(ThreadEvent const *e1, ThreadEvent const *e2, ThreadEvent const *e3,
                           unsigned long milliseconds);
OSMERA_API long WaitForAny(ThreadEvent const *e1, ThreadEvent const *e2, ThreadEvent const *e3,
                           ThreadEvent const *e4, unsigned long milliseconds);
OSMERA_API long WaitForAny(ThreadEvent const *e1, ThreadEvent const *e2, ThreadEvent const *e3,
                           ThreadEvent const *e4, ThreadEvent const *e5, unsigned long milliseconds);

inline long WaitForAll(ThreadEvent const &e1, ThreadEvent const &e2, unsigned long ms) {
    return WaitForAll(&e1, &e2, ms);
}
inline long WaitForAll(ThreadEvent const &e1, ThreadEvent const &e2, ThreadEvent const &e3, unsigned long ms) {
    return WaitForAll(&e1, &e2, &e3, ms);
}
inline long WaitForAll(ThreadEvent const &e1, ThreadEvent const &e2, ThreadEvent const &e3, ThreadEvent const &e4,
                       unsigned long ms) {
    return WaitForAll(&e1, &e2, &e3, &e4, ms);
}
inline long WaitForAll(ThreadEvent const &e1, ThreadEvent const &e2, ThreadEvent const &e3, ThreadEvent const &e4,
                       ThreadEvent const &e5, unsigned long ms) {
    return WaitForAll(&e1, &e2, &e3, &e4, &e5, ms);
}
inline long WaitForAny(ThreadEvent const &e1, ThreadEvent const &e2, unsigned long ms) {
    return WaitForAny(&e1, &e2, ms);
}
inline long WaitForAny(ThreadEvent const &e1, ThreadEvent const &e2, ThreadEvent const &e3, unsigned long ms) {
    return WaitForAny(&e1, &e2, &e3, ms);
}
inline long WaitForAny(ThreadEvent const &e1, ThreadEvent const &e2, ThreadEvent const &e3, ThreadEvent const &e4,
                       unsigned long ms) {
    return WaitForAny(&e1, &e2, &e3, &e4, ms);
}
inline long WaitForAny(ThreadEvent const &e1, ThreadEvent const &e2, ThreadEvent const &e3, ThreadEvent const &e4,
                       ThreadEvent const &e5, unsigned long ms) {
    return WaitForAny(&e1, &e2, &e3, &e4, &e5, ms);
}
