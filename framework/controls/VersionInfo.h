// The strings of a module's version resource under its first translation: product name,
// product version, copyright and special build.
#pragma once

#include "core/VeltraneDefs.h"

#include <cstdint>

class TModule;

class VELTRANE_API ProjectRCVersion {
public:
    explicit ProjectRCVersion(TModule *module);
    virtual ~ProjectRCVersion();
    ProjectRCVersion(ProjectRCVersion const &) = delete;
    ProjectRCVersion &operator=(ProjectRCVersion const &) = delete;

    // Each gives 1 and points value into the version data when the string exists.
    int GetProductName(char const *&value);
    int GetProductVersion(char const *&value);
    int GetCopyright(char const *&value);
    int GetDebug(char const *&value);

protected:
    int Query(char const *key, char const *&value);

    // Language in the high half, code page in the low half once read.
    uint32_t *TransBlock;
    unsigned char *FVData;
};
