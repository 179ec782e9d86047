#include "shell/DriveProvider.h"

#include "foundation/File.h"
#include "foundation/FileName.h"

#include <windows.h>

namespace {

// Sizes in 64 bits: a drive of more than 4 GB is shown whole.
class SystemDrives : public DriveProvider {
public:
    int TypeOf(int drive) override { return File::GetDriveTypeA(FileName(Root(drive))); }

    bool SpaceOf(int drive, uint64_t &total, uint64_t &free) override {
        ULARGE_INTEGER available, bytes, freeBytes;
        if (!::GetDiskFreeSpaceExA(Root(drive), &available, &bytes, &freeBytes))
            return false;
        total = bytes.QuadPart, free = freeBytes.QuadPart;
        return true;
    }

private:
    static char const *Root(int drive) {
        static char root[] = "A:\\";
        root[0] = char('A' + drive);
        return root;
    }
};

DriveProvider *_installed = nullptr;

}  // namespace

DriveProvider &TheDriveProvider() {
    static SystemDrives system;
    return _installed ? *_installed : system;
}

DriveProvider *SetDriveProvider(DriveProvider *provider) {
    DriveProvider *previous = _installed;
    _installed = provider;
    return previous;
}
