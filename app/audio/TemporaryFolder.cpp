#include "audio/TemporaryFolder.h"

#include "foundation/File.h"

#include <windows.h>

int IsFastWritableDirectory(FileName const &folder) {
    return !folder.IsEmpty() && File::IsWritableDirectory(folder) && File::IsFastPhysicalDrive(folder);
}

FileName GetSystemDrive() {
    char system[1000] = "";
    GetSystemDirectoryA(system, sizeof system);
    String drive(String(system).GetDrive());
    drive += ":";
    return FileName(drive);
}
