#include "core/VeltraneModule.h"

#include "core/Application.h"

#include <windows.h>

namespace {
HINSTANCE instance;

// The library's own start: its module, the start values, then the framework's main entry.
bool StartLibrary() {
    // nothing may unwind into the loader: any other failure just fails the load
    try {
        VeltraneLibraryModule();
        TApplication::InitHInstance = instance;
        TApplication::InitHPrevInstance = 0;
        TApplication::InitCmdShow = SW_SHOWNORMAL;
        return YrtMain(0, 0) == 0;
    } catch (AException &e) {
        HandleGlobalException(e, 0, 0);
    } catch (...) {
    }
    return false;
}
}  // namespace

void *VeltraneInstance() { return instance; }

extern "C" BOOL WINAPI DllMain(HINSTANCE hinst, DWORD reason, LPVOID) {
    if (reason != DLL_PROCESS_ATTACH)
        return TRUE;
    instance = hinst;
    return StartLibrary() ? TRUE : FALSE;
}
