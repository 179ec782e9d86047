// Helpers shared by the framework tests: the test executable as a module, watchdogs for
// message loops and modal dialogs, a pump for the thread's queue, a settled pointer, a
// menu's texts, a command enabler that records its answer and the test folder; a window's
// class and text and a posted command come from the helpers of every test program.
#pragma once

#include "core/Module.h"
#include "core/Window.h"

#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>

// The test executable as the module that holds the test resources.
inline TModule &Exe() {
    static TModule exe("VeltraneTests", ::GetModuleHandleA(0));
    return exe;
}

// Ends a loop that nothing else would end: quits it with 99 after ten seconds.
struct Watchdog {
    Watchdog() : Id(::SetTimer(0, 0, 10000, &Expired)) {}
    ~Watchdog() { ::KillTimer(0, Id); }
    static void CALLBACK Expired(HWND, UINT, UINT_PTR, DWORD) { ::PostQuitMessage(99); }
    UINT_PTR Id;
};

// Ends a modal dialog that nothing ended, with the result 99, and fails the test.
inline void CALLBACK EndStuckDialog(HWND dialog, UINT, UINT_PTR, DWORD) {
    ADD_FAILURE() << "the modal dialog was not ended";
    ::EndDialog(dialog, 99);
}

// Gives a modal dialog five seconds before EndStuckDialog ends it.
inline UINT_PTR WatchDialog(HWND dialog) { return ::SetTimer(dialog, 7, 5000, &EndStuckDialog); }

// Moves the pointer and waits until the display server has kept it there for a moment
// (its motion events may still move it back); `between` runs in each wait. False when
// the pointer did not settle.
template <class Between> bool SettleCursor(int x, int y, Between between) {
    ::SetCursorPos(x, y);
    int settled = 0;
    for (int i = 0; i < 200 && settled < 3; ++i) {
        ::Sleep(5);
        between();
        POINT at;
        ::GetCursorPos(&at);
        if (at.x == x && at.y == y) {
            ++settled;
        } else {
            settled = 0;
            ::SetCursorPos(x, y);
        }
    }
    return settled == 3;
}

// Handles the queue in passes with a pause after each, for work that arrives through the
// display server or posted timers; endless messages fail the test instead of hanging it.
inline void PumpRounds(int rounds, DWORD pauseMs) {
    MSG msg;
    int n = 0;
    for (int i = 0; i < rounds; ++i) {
        while (::PeekMessageA(&msg, 0, 0, 0, PM_REMOVE)) {
            if (++n > 5000) {
                ADD_FAILURE() << "endless messages, last " << msg.message;
                return;
            }
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
        ::Sleep(pauseMs);
    }
}

// Handles what waits in the thread's queue, in one pass.
inline void Pump() { PumpRounds(1, 0); }

using testsupport::ClassOf;
using testsupport::PostCommand;
using testsupport::TextOf;

// The text of a menu's item at a position.
inline std::string MenuItemText(HMENU menu, int pos) {
    char text[512] = "";
    ::GetMenuStringA(menu, pos, text, sizeof text, MF_BYPOSITION);
    return text;
}

// The texts of a menu's items, separated by commas; a separator shows as "-". (A pop-up's
// state holds its item count where a plain item's holds the separator flag.)
inline std::string MenuItemTexts(HMENU menu) {
    std::string all;
    for (int i = 0; i < ::GetMenuItemCount(menu); ++i) {
        UINT state = ::GetMenuState(menu, i, MF_BYPOSITION);
        bool separator = (state & MF_SEPARATOR) && !(state & MF_POPUP);
        all += (i ? "," : "") + (separator ? std::string("-") : MenuItemText(menu, i));
    }
    return all;
}

// A command enabler that records what it was told.
class EnablerProbe : public TCommandEnabler {
public:
    using TCommandEnabler::TCommandEnabler;
    void Enable(int on) override {
        TCommandEnabler::Enable(on);
        Enabled = on;
    }
    void SetText(char const *) override {}
    void SetCheck(int state) override { Check = state; }
    int Enabled = -1, Check = -1;
};

// The folder of the test program, without a trailing backslash.
inline std::string TestsFolder() { return testsupport::ProgramFolder(); }
