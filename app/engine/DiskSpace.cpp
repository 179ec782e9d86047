#include "engine/DiskSpace.h"

#include "foundation/FileName.h"

#include <windows.h>

#include <atomic>

namespace {

int64_t SystemFreeBytes(FileName const &folder) {
    ULARGE_INTEGER available;
    if (!GetDiskFreeSpaceExA(folder.c_str(), &available, nullptr, nullptr))
        return 0;
    return available.QuadPart > uint64_t(INT64_MAX) ? INT64_MAX : int64_t(available.QuadPart);
}

std::atomic<FreeDiskProbe> probe{nullptr};

}  // namespace

int64_t FreeDiskBytes(FileName const &folder) {
    FreeDiskProbe given = probe.load();
    return given ? given(folder) : SystemFreeBytes(folder);
}

FreeDiskProbe SetFreeDiskProbe(FreeDiskProbe next) { return probe.exchange(next); }
