// The bytes of a peak file: for every block of 128 frames one byte per channel, channel
// after channel, the block's peak magnitude on the 16-bit scale over 128, of every fourth
// frame. Built from a file's samples, or on the fly while a file is written.
#pragma once

#include "foundation/FileName.h"

#include <cstdint>

enum { kPeakBlockFrames = 128 };

// The peak file beside an audio file: its name with the extension "gpk".
FileName PeakFileName(FileName const &audioFile);

// The byte of the block of one channel whose first sample lies at data, in a stream of
// channels samples a frame of the format flags word.
uint8_t BlockPeakByte(char const *data, int channels, uint32_t flags);
