// Static queries on the operating system's version and capabilities.
#pragma once

#include "core/VeltraneDefs.h"

#include <windows.h>

class VELTRANE_API TSystem {
public:
    // true unless the platform is the 16-bit-hosted one (identifier 0)
    static bool SupportsExceptions();
    static bool SupportsThreads();
    static bool SupportsInstanceData();
    static bool Has3dUI();                   // major version above 3
    static unsigned short GetVersion();      // major in the high byte, minor in the low byte
    static unsigned short GetVersionFlags(); // high 16 bits of the packed system version
    static DWORD GetPlatformId();
    static DWORD GetMajorVersion();
    static DWORD GetMinorVersion();
    // major.minor packed as GetVersion does
    static unsigned short PackVersion(DWORD major, DWORD minor) {
        return (unsigned short)(((major & 0xFF) << 8) | (minor & 0xFF));
    }

protected:
    static OSVERSIONINFOA const &GetVerInfo();
    static SYSTEM_INFO const &GetSystemInfo();
};
