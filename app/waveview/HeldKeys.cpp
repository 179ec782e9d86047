#include "waveview/HeldKeys.h"

#include <windows.h>

namespace {

bool Held(int key) { return (::GetKeyState(key) & 0x8000) || (::GetAsyncKeyState(key) & 0x8000); }

}  // namespace

HeldKeys HeldKeys::Now() { return {Held(VK_SHIFT), Held(VK_CONTROL), Held(VK_MENU), Held(VK_SPACE)}; }
