#include "audio/AudioFileSettings.h"

#include "core/SysInfo.h"
#include "foundation/Config.h"
#include "foundation/FileCache.h"

#include <windows.h>

namespace {

enum : int64_t {
    kMegabyte = 1048576,
    kLowerBound = 5 * kMegabyte,  // files below this are mapped whole
};

// 256 blocks of 64 KB.
enum : unsigned long { kCacheBlocks = 256, kCacheBlockSize = 65536 };

int ValidResolution(int bits) { return bits == 24 ? 24 : 16; }

uint64_t InstalledMemory() {
    MEMORYSTATUSEX status = {};
    status.dwLength = sizeof status;
    return GlobalMemoryStatusEx(&status) ? status.ullTotalPhys : 0;
}

}  // namespace

AudioFileSettings &TheAudioFileSettings() {
    static AudioFileSettings settings;
    return settings;
}

void LoadAudioFileSettings(Config &config) {
    Config::PathSaver saver(config);
    config.MoveDown("AudioFile");
    AudioFileSettings &s = TheAudioFileSettings();
    s.tempDir = FileName(config.GetValue("", "TempDir"));
    if (!IsFastWritableDirectory(s.tempDir))
        s.tempDir = GetSystemDrive();
    s.s8AudioFile = config.GetValue(0, "S8AudioFile");
    s.tempFileRes = ValidResolution(config.GetValue(16, "TempFileRes"));
}

void SaveAudioFileSettings(Config &config) {
    Config::PathSaver saver(config);
    config.MoveDown("AudioFile");
    AudioFileSettings const &s = TheAudioFileSettings();
    config.SetValue(static_cast<String const &>(s.tempDir), "TempDir");
    config.SetValue(int(s.s8AudioFile), "S8AudioFile");
    config.SetValue(int(s.tempFileRes), "TempFileRes");
}

FileName TemporaryFolder() {
    FileName const &folder = TheAudioFileSettings().tempDir;
    return folder.IsEmpty() ? GetSystemDrive() : folder;
}

// ---- access kinds

FileCacheSettings &TheFileCacheSettings() {
    static FileCacheSettings settings;
    return settings;
}

int ChooseFileAccessKind(int64_t size) {
    return ChooseFileAccessKind(size, TheFileCacheSettings(), InstalledMemory(), _isNT);
}

int ChooseFileAccessKind(int64_t size, FileCacheSettings &settings, uint64_t physicalMemory, int isNT) {
    if (settings.mode == 1)
        return 100;
    if (settings.mode == 2)
        return 102;
    settings.mode = 0;
    int64_t half = (int64_t(physicalMemory) - 8 * kMegabyte) / 2;
    int64_t lower = half < 0 ? 0 : half < kLowerBound ? half : kLowerBound;
    if (size >= settings.hugeSize)
        return 102;
    if (size < lower)
        return 100;
    if (isNT && size < half)
        return 101;
    return 100;
}

namespace {
FileCacheManager *programCache = nullptr;
}  // namespace

FileCacheManager &TheFileCacheManager() {
    if (programCache)
        return *programCache;
    static FileCacheManager cache(kCacheBlocks, kCacheBlockSize);
    return cache;
}

void SetFileCacheManager(FileCacheManager *cache) { programCache = cache; }
