#include "waveview/MouseKeys.h"

#include <windows.h>

namespace {

bool Down(int key) { return (::GetKeyState(key) & 0x8000) != 0; }

}  // namespace

HeldKeys ReadHeldKeys() {
    HeldKeys keys;
    keys.shift = Down(VK_SHIFT);
    keys.ctrl = Down(VK_CONTROL);
    keys.alt = Down(VK_MENU);
    keys.space = Down(VK_SPACE);
    return keys;
}

bool IsLeftButtonDown() {
    int button = ::GetSystemMetrics(SM_SWAPBUTTON) ? VK_RBUTTON : VK_LBUTTON;
    return (::GetAsyncKeyState(button) & 0x8000) != 0;
}
