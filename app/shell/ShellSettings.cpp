#include "shell/ShellSettings.h"

#include "audio/AudioFileSettings.h"
#include "controls/ColorDialog.h"
#include "foundation/Config.h"
#include "foundation/FileCache.h"

#include <algorithm>
#include <climits>

namespace {

enum : int64_t { kReservedMemory = 8388608, kMinCacheBlocks = 4, kMaxCacheBlocks = 256 };

FileCacheManager *programCache = nullptr;

int32_t Flag(Config const &config, int32_t def, char const *key) { return config.GetSure(def, 0, 1, key); }

}  // namespace

ShellSettings &TheShellSettings() {
    static ShellSettings settings;
    return settings;
}

uint32_t ExchangeOuterBytes(uint32_t value) {
    return (value & 0x00FFFF00u) | (value >> 24) | (value << 24);
}

int32_t ValidCacheBytes(int64_t stored) {
    if (stored == 0)
        return 0;
    int64_t rounded = stored <= 0 ? kCacheStep : (stored + kCacheStep - 1) / kCacheStep * kCacheStep;
    return int32_t(std::min<int64_t>(std::max<int64_t>(rounded, kMinCacheBlocks * kCacheBlockBytes),
                                     kMaxCacheBlocks * kCacheBlockBytes));
}

int32_t DefaultCacheBytes(uint64_t physicalMemory) {
    int64_t eighth = (int64_t(physicalMemory) - kReservedMemory) / 8;
    return ValidCacheBytes(eighth > kCacheStep ? eighth : kCacheStep);
}

int32_t SizeFileCache(int32_t bytes) {
    unsigned long blocks = static_cast<unsigned long>(bytes / kCacheBlockBytes);
    if (programCache)
        return int32_t(programCache->SetSize(blocks, kCacheBlockBytes) * kCacheBlockBytes);
    programCache = new FileCacheManager(blocks, kCacheBlockBytes);
    SetFileCacheManager(programCache);
    return int32_t(programCache->GetNumBlocks() * kCacheBlockBytes);
}

void DeleteFileCache() {
    SetFileCacheManager(nullptr);
    delete programCache;
    programCache = nullptr;
}

void LoadShellGroups(Config &config, uint64_t physicalMemory) {
    ShellSettings &s = TheShellSettings();
    config.MoveDown("Misc");
    ReadCustomColors(config);
    s.flickerFree = Flag(config, 1, "FlickerFree");
    s.markerColumnWidth = config.GetSure(0, 0, 4000, "MrkColW");
    s.dropMarkers = Flag(config, 0, "DropMrk");
    config.MoveUp();
    config.MoveDown("FileCache");
    FileCacheSettings &cache = TheFileCacheSettings();
    cache.mode = config.GetSure(1, 0, 2, "Mode");
    cache.hugeSize = config.GetSure(20971520L, 0L, long(INT_MAX), "HSize");
    s.graphicFlags = ExchangeOuterBytes(config.GetValue(0u, "GrFlags"));
    s.cacheBytes = ValidCacheBytes(config.GetValue(long(DefaultCacheBytes(physicalMemory)), "CSize"));
    config.MoveUp();
    SizeFileCache(s.cacheBytes);
}

void SaveShellGroups(Config &config) {
    ShellSettings const &s = TheShellSettings();
    config.MoveDown("Misc");
    WriteCustomColors(config);
    config.SetValue(s.flickerFree, "FlickerFree");
    config.SetValue(s.markerColumnWidth, "MrkColW");
    config.SetValue(s.dropMarkers, "DropMrk");
    config.MoveUp();
    config.MoveDown("FileCache");
    FileCacheSettings const &cache = TheFileCacheSettings();
    config.SetValue(cache.mode, "Mode");
    config.SetValue(long(cache.hugeSize), "HSize");
    config.SetValue(ExchangeOuterBytes(s.graphicFlags), "GrFlags");
    config.SetValue(long(s.cacheBytes), "CSize");
    config.MoveUp();
}
