// Helpers shared by the tests of buttons, bars and the progress gauge.
#pragma once

#include "core/Module.h"
#include "tests/framework/TestKit.h"
#include "manager/DocumentManager.h"

#include <gtest/gtest.h>

#include <windows.h>

namespace bartest {

// The glyph (ToolbarGlyph.bmp): a black square at 4..11 both ways on the face colour.
enum { Glyph = 48001 };

// The test executable as the module that holds the glyph.
using ::Exe;
using ::Pump;

// Moves the pointer with the queue pumped while it settles.
inline void MoveCursor(int x, int y) {
    if (!SettleCursor(x, y, Pump))
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
