// Turns one or two channel lists into the sample data of a new file, in one pass and with
// the peak bytes gathered on the way. Stretches stored in the output's format are copied as
// they are stored (whole frames at once where both channels read the same frames of one
// file), so a file saved without an edit keeps every bit; the rest is converted on the
// 24-bit scale.
#pragma once

#include "audio/SamplePattern.h"

#include <cstdint>

class File;
class VirtualFile;

class WaveFileWriter {
public:
    // channels lists of frames frames each, into samples of the format (interleaved).
    WaveFileWriter(VirtualFile *const *lists, int channels, int frames, SamplePattern const &format);

    // Writes the samples at the file's position, and the peak bytes into peaks when given
    // (files of 64000 frames or more get them). Shows its progress; a cancel throws.
    void Write(File &file, File *peaks);

private:
    VirtualFile *const *lists_;
    int channels_;
    int frames_;
    uint32_t flags_;
    int sampleBytes_;
    int frameBytes_;
};
