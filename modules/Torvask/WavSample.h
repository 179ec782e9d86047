// Samples as the sampler keeps them: PCM WAV files (8, 16 or 24 bits, one or two
// channels) whose "smpl" chunk carries the root key. Reading finds the format and the
// sample data; writing copies the sample data untouched into a new file.
#pragma once

#include "SamplerCommon/SamplerLink.h"

#include <cstdint>
#include <string>

namespace torvask {

struct WavInfo {
    std::int32_t channels = 0;
    std::int32_t bits = 0;
    std::int32_t rate = 0;
    std::int32_t frames = 0;
    std::int32_t rootKey = 60;
    std::uint32_t dataOffset = 0;  // of the first sample in the file
};

// The format of a WAV file; false when it is no PCM WAV file of 8, 16 or 24 bits with one
// or two channels.
bool ReadWavInfo(std::string const &path, WavInfo &info);

// Reports transfers in frames to the caller's progress routine (when there is one).
class Progress {
public:
    Progress(QbProgress routine, void *record) : routine_(routine), record_(record) {}
    // false when the caller asked to stop
    bool Report(std::int32_t done, std::int32_t total) const { return !routine_ || routine_(record_, done, total); }

private:
    QbProgress routine_;
    void *record_;
};

// Writes the sample data of source as the WAV file target with the given root key,
// through a temporary file beside target that becomes target only when complete. With
// replace an existing target is replaced, else the call fails when there is one. Answers
// QB_OK, QB_ERR_CANCELLED or QB_ERR_IO, and leaves nothing behind when it fails.
std::int32_t WriteSample(std::string const &sourcePath, WavInfo const &source, std::string const &target,
                         std::int32_t rootKey, Progress const &progress, bool replace);

}  // namespace torvask
