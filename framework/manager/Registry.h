// The program's per-user values: HKEY_CURRENT_USER\Software\<company>\<application>,
// one subkey per section. Every function gives up silently when a key cannot be
// opened: getters return their default, setters write nothing.
#pragma once

#include "core/VeltraneDefs.h"

#include "foundation/Strings.h"

#include <windows.h>

// Replace the company and application names of the base key when not null.
extern VELTRANE_API char const *_alternateCompany;
extern VELTRANE_API char const *_alternateSoftware;

// The application key (the caller closes it), null on failure.
VELTRANE_API HKEY GetRegistryBaseKey();
VELTRANE_API HKEY GetSectionKey(char const *section);
VELTRANE_API String GetRegistryString(char const *section, char const *name, char const *def);
VELTRANE_API void SetRegistryString(char const *section, char const *name, char const *text);
// Fills the buffer only when the value exists and fits.
VELTRANE_API void GetRegistryBin(char const *section, char const *name, void *buffer, int size);
VELTRANE_API void SetRegistryBin(char const *section, char const *name, void const *data, int size);
VELTRANE_API long GetRegistryInt(char const *section, char const *name, long def);
VELTRANE_API void SetRegistryInt(char const *section, char const *name, long value);
// The system's major version is above 3 (computed once).
VELTRANE_API int IsWin95();
