#include "core/System.h"

OSVERSIONINFOA const &TSystem::GetVerInfo() {
    static OSVERSIONINFOA info = [] {
        OSVERSIONINFOA v = {};
        v.dwOSVersionInfoSize = sizeof v;  // 148
        ::GetVersionExA(&v);
        return v;
    }();
    return info;
}

SYSTEM_INFO const &TSystem::GetSystemInfo() {
    static SYSTEM_INFO info = [] {
        SYSTEM_INFO s = {};
        ::GetSystemInfo(&s);
        return s;
    }();
    return info;
}

DWORD TSystem::GetPlatformId() { return GetVerInfo().dwPlatformId; }
DWORD TSystem::GetMajorVersion() { return GetVerInfo().dwMajorVersion; }
DWORD TSystem::GetMinorVersion() { return GetVerInfo().dwMinorVersion; }

bool TSystem::SupportsExceptions() {
    static bool yes = GetPlatformId() != VER_PLATFORM_WIN32s;
    return yes;
}

bool TSystem::SupportsThreads() {
    static bool yes = GetPlatformId() != VER_PLATFORM_WIN32s;
    return yes;
}

bool TSystem::SupportsInstanceData() {
    static bool yes = GetPlatformId() != VER_PLATFORM_WIN32s;
    return yes;
}

bool TSystem::Has3dUI() { return GetMajorVersion() > 3; }

unsigned short TSystem::GetVersion() {
    static unsigned short v = PackVersion(GetMajorVersion(), GetMinorVersion());
    return v;
}

unsigned short TSystem::GetVersionFlags() {
    static unsigned short flags = HIWORD(::GetVersion());
    return flags;
}
