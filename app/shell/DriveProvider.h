// Where the disk information learns about the drives: the system, or a test's stand-in.
#pragma once

#include <cstdint>

class DriveProvider {
public:
    virtual ~DriveProvider() {}
    // The type of the root of drive (0 = A): the foundation's File::DriveType values.
    virtual int TypeOf(int drive) = 0;
    // The drive's size and free bytes; false when they cannot be read (a drive without a disc).
    virtual bool SpaceOf(int drive, uint64_t &total, uint64_t &free) = 0;
};

// The provider in use; the system's unless a test installed one.
DriveProvider &TheDriveProvider();
// Installs a provider (null: the system's again); returns the previous one.
DriveProvider *SetDriveProvider(DriveProvider *provider);
