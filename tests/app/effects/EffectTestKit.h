// Helpers of the effect tests: small waves of given samples (16-bit and 24-bit work waves,
// big-endian files), their samples read back, and a fingerprint that tells whether a wave
// changed in any way.
#pragma once

#include "audio/Wave.h"

#include <cstdint>
#include <string>
#include <vector>

namespace effecttest {

using Samples = std::vector<int32_t>;

// A work wave of bits (16 or 24) whose channels hold the samples (on the wave's own scale).
Wave *WaveOf(std::vector<Samples> const &channels, int bits = 16);
// A wave over an AIFF file (16-bit big-endian) written in the folder.
Wave *BigEndianWaveOf(std::string const &folder, std::vector<Samples> const &channels);
// The samples of a channel on the wave's own scale (16-bit, or 24-bit for a deeper wave).
Samples SamplesOf(Wave &wave, int channel);
// Length, channel lists' samples, undo steps and markers in one text.
std::string Fingerprint(Wave &wave);
// count values of a deterministic noise within +-amplitude.
Samples Noise(int count, int amplitude, uint32_t seed);

}  // namespace effecttest
