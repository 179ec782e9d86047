// Moves the mouse pointer without pumping messages, for tests whose controls run timers
// that must not tick meanwhile; waits until the display server reports it there.
#pragma once

#include <windows.h>

inline void MoveCursorQuietly(int x, int y) {
    ::SetCursorPos(x, y);
    int settled = 0;
    for (int i = 0; i < 200 && settled < 3; i++) {
        ::Sleep(5);
        POINT at;
        ::GetCursorPos(&at);
        if (at.x == x && at.y == y) {
            settled++;
        } else {
            settled = 0;
            ::SetCursorPos(x, y);
        }
    }
}
