// Moves the mouse pointer without pumping messages, for tests whose controls run timers
// that must not tick meanwhile; waits until the display server reports it there.
#pragma once

#include "tests/framework/TestKit.h"

inline void MoveCursorQuietly(int x, int y) {
    SettleCursor(x, y, [] {});
}
