#include "foundation/OsmeraModule.h"

#include <windows.h>

namespace {
HINSTANCE instance;
unsigned long loaderThread = GetCurrentThreadId();
}  // namespace

void *OsmeraInstance() { return instance; }
unsigned long LoaderThreadId() { return loaderThread; }

extern "C" BOOL WINAPI DllMain(HINSTANCE hinst, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        instance = hinst;
        // Nothing here needs to hear of threads starting and ending.
        DisableThreadLibraryCalls(hinst);
    }
    return TRUE;
}
