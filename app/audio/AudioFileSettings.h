// The settings of audio files ("AudioFile" group), the file cache settings that choose how
// a file's samples are reached, and the one file cache of the program.
#pragma once

#include "audio/TemporaryFolder.h"
#include "foundation/FileName.h"

#include <cstdint>

class Config;
class FileCacheManager;

struct AudioFileSettings {
    FileName tempDir;          // temporary work files and peak files; see TemporaryFolder
    int32_t s8AudioFile = 0;   // RIFF files get a "PAD " chunk putting the samples on 4096 bytes
    int32_t tempFileRes = 16;  // bits of temporary work waves: 16 or 24
};

AudioFileSettings &TheAudioFileSettings();
// Reads and writes the "AudioFile" group below the current group.
void LoadAudioFileSettings(Config &config);
void SaveAudioFileSettings(Config &config);
// The folder for temporary files: "TempDir", else the system drive.
FileName TemporaryFolder();

// "FileCache" settings, read by the shell at start.
struct FileCacheSettings {
    int32_t mode = 1;             // 1: always mapped, 2: always cached, 0: by size
    int64_t hugeSize = 20971520;  // files of this size or more are cached ("HSize")
};

FileCacheSettings &TheFileCacheSettings();
// The access kind (100, 101, 102) for a file of size bytes, by the settings and the
// installed memory.
int ChooseFileAccessKind(int64_t size);
// The same for given settings (a mode other than 1 and 2 is stored back as 0), memory and
// system.
int ChooseFileAccessKind(int64_t size, FileCacheSettings &settings, uint64_t physicalMemory, int isNT);

// The cache through which files of access kind 102 are read and written: the program's,
// else one of 256 blocks of 64 KB made on first use.
FileCacheManager &TheFileCacheManager();
// The program's cache (null: none); the caller keeps it and deletes it after the last file.
void SetFileCacheManager(FileCacheManager *cache);
