// Free room on the disk of a folder, in bytes and in 64 bits (disks hold more than 4 GB).
// Tests put a probe of their own in its place to fill a disk that is not full.
#pragma once

#include <cstdint>

class FileName;

// The bytes free for this user on the disk of the folder; 0 when it cannot be asked.
int64_t FreeDiskBytes(FileName const &folder);

typedef int64_t (*FreeDiskProbe)(FileName const &folder);
// Installs a probe (null: the system's again); returns the previous one.
FreeDiskProbe SetFreeDiskProbe(FreeDiskProbe probe);
