// The application object's own settings in "system\main.set", below the product's group:
// the run count and the groups "Misc" and "FileCache" (the audio engine keeps its own:
// "MasterSection", "x386" and "MS_mess"); and the size of the file block cache worked out
// from the installed memory.
#pragma once

#include <cstdint>

class Config;

struct ShellSettings {
    int32_t runs = 0;                  // "NRun": runs so far
    int32_t flickerFree = 1;        // "FlickerFree": wave panes draw off-screen
    int32_t markerColumnWidth = 0;  // "MrkColW"
    int32_t dropMarkers = 0;        // "DropMrk"
    uint32_t graphicFlags = 0;      // "GrFlags", its first and last byte exchanged
    int32_t cacheBytes = 0;         // "CSize": the file block cache
};

ShellSettings &TheShellSettings();

// Reads and writes "Misc" (with the colour dialog's custom colours) and "FileCache" below
// the current group; each value read is held to its range. Reading sizes the file block
// cache by the installed memory.
void LoadShellGroups(Config &config, uint64_t physicalMemory);
void SaveShellGroups(Config &config);

// ---- the file block cache
enum : int32_t { kCacheBlockBytes = 65536, kCacheStep = 262144 };

// The cache size for a stored "CSize": 0 stays 0 (no cache blocks); any other size is
// rounded up to 256 KB and held to 4..256 blocks.
int32_t ValidCacheBytes(int64_t stored);
// The size when none is stored: an eighth of the memory beyond 8 MB, as valid sizes are.
int32_t DefaultCacheBytes(uint64_t physicalMemory);
// Makes the program's file block cache of that size, or resizes the one made before; the
// size it got.
int32_t SizeFileCache(int32_t bytes);
// Deletes the program's file block cache (after the last file).
void DeleteFileCache();

// The first and last byte of a word exchanged.
uint32_t ExchangeOuterBytes(uint32_t value);
