// Helpers shared by the tests of buttons and tool bars.
#pragma once

#include "Module.h"
#include "DocumentManager.h"

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

// The library's look flag for the length of a test.
class Look {
public:
    explicit Look(int win95) : saved(_win95) { _win95 = win95; }
    ~Look() { _win95 = saved; }

private:
    int saved;
};

}  // namespace bartest
