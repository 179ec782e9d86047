// Helpers shared by the tests of buttons, bars and the progress gauge.
#pragma once

#include "Module.h"
#include "DocumentManager.h"

#include <gtest/gtest.h>

#include <windows.h>

namespace bartest {

// The glyph (ToolbarGlyph.bmp): a black square at 4..11 both ways on the face colour.
enum { Glyph = 48001 };

// The test executable as the module that holds the glyph.
inline TModule &Exe() {
    static TModule exe("VeltraneTests", ::GetModuleHandleA(0));
    return exe;
}

inline void Pump() {
    MSG msg;
    while (::PeekMessageA(&msg, 0, 0, 0, PM_REMOVE))
        ::DispatchMessageA(&msg);
}

// The pointer reaches its place through the display server, and the server's motion
// events may still move it back: wait until it has stayed there for a moment.
inline void MoveCursor(int x, int y) {
    ::SetCursorPos(x, y);
    int settled = 0;
    for (int i = 0; i < 200 && settled < 3; ++i) {
        ::Sleep(5);
        Pump();
        POINT at;
        ::GetCursorPos(&at);
        if (at.x == x && at.y == y) {
            ++settled;
        } else {
            settled = 0;
            ::SetCursorPos(x, y);
        }
    }
    if (settled < 3)
        ADD_FAILURE() << "the pointer did not move";
}

// The library's look flag for the length of a test.
class Look {
public:
    explicit Look(int win95) : saved(_win95) { _win95 = win95; }
    ~Look() { _win95 = saved; }

private:
    int saved;
};

}  // namespace bartest
