#include "controls/VersionInfo.h"

#include "core/Module.h"

#include <windows.h>

#include <cstdio>

ProjectRCVersion::ProjectRCVersion(TModule *module) : TransBlock(0), FVData(0) {
    char fileName[256];
    if (!module || !module->GetModuleFileNameA(fileName, 255))
        return;
    fileName[255] = 0;
    DWORD handle = 0;
    DWORD size = ::GetFileVersionInfoSizeA(fileName, &handle);
    if (!size)
        return;
    FVData = new unsigned char[size];
    void *translation = 0;
    UINT length = 0;
    if (::GetFileVersionInfoA(fileName, handle, size, FVData) &&
        ::VerQueryValueA(FVData, "\\VarFileInfo\\Translation", &translation, &length) && length >= 4) {
        TransBlock = static_cast<uint32_t *>(translation);
        // stored as language, code page (two 16-bit words); printed as one number the
        // language must come first
        *TransBlock = (*TransBlock << 16) | (*TransBlock >> 16);
        return;
    }
    delete[] FVData;
    FVData = 0;
}

ProjectRCVersion::~ProjectRCVersion() { delete[] FVData; }

int ProjectRCVersion::Query(char const *key, char const *&value) {
    if (!FVData)
        return 0;
    char path[80];
    std::snprintf(path, sizeof path, "\\StringFileInfo\\%08lx\\%s", (unsigned long)*TransBlock, key);
    void *found = 0;
    UINT length = 0;
    if (!::VerQueryValueA(FVData, path, &found, &length) || !found)
        return 0;
    value = static_cast<char const *>(found);
    return 1;
}

int ProjectRCVersion::GetProductName(char const *&value) { return Query("ProductName", value); }
int ProjectRCVersion::GetProductVersion(char const *&value) { return Query("ProductVersion", value); }
int ProjectRCVersion::GetCopyright(char const *&value) { return Query("LegalCopyright", value); }
int ProjectRCVersion::GetDebug(char const *&value) { return Query("SpecialBuild", value); }
