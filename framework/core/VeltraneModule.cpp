#include "VeltraneModule.h"

#include <windows.h>

namespace {
HINSTANCE instance;
}  // namespace

void *VeltraneInstance() { return instance; }

extern "C" BOOL WINAPI DllMain(HINSTANCE hinst, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH)
        instance = hinst;
    return TRUE;
}
