#include "waveview/MouseKeys.h"

#include <windows.h>

namespace {

bool Down(int key) { return (::GetKeyState(key) & 0x8000) != 0; }

bool DownNow(int key) { return Down(key) || (::GetAsyncKeyState(key) & 0x8000); }

HeldKeys Read(bool (*down)(int)) {
    HeldKeys keys;
    keys.shift = down(VK_SHIFT);
    keys.ctrl = down(VK_CONTROL);
    keys.alt = down(VK_MENU);
    keys.space = down(VK_SPACE);
    return keys;
}

}  // namespace

HeldKeys ReadHeldKeys() { return Read(&Down); }

HeldKeys ReadHeldKeysAtTick() { return Read(&DownNow); }

bool IsLeftButtonDown() {
    int button = ::GetSystemMetrics(SM_SWAPBUTTON) ? VK_RBUTTON : VK_LBUTTON;
    return (::GetAsyncKeyState(button) & 0x8000) != 0;
}
