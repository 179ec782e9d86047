// Runs the thread's messages until a condition holds or the time is up, so that tests
// can wait for timers without hanging.
#pragma once

#include "tests/framework/TestKit.h"

#include <windows.h>

#include <functional>

// True when `done` held before timeoutMs passed.
inline bool PumpUntil(std::function<bool()> done, DWORD timeoutMs) {
    DWORD start = ::GetTickCount();
    for (;;) {
        Pump();
        if (done())
            return true;
        if (::GetTickCount() - start > timeoutMs)
            return false;
        ::Sleep(5);
    }
}

inline void PumpFor(DWORD ms) {
    PumpUntil([] { return false; }, ms);
}
