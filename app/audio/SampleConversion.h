// Stored samples to numbers and back, for every format flags word of SamplePattern:
// blocks of interleaved samples to and from one float array per channel (playback,
// effects), single samples at an iterator's position on the 24-bit scale (editing, peaks,
// drawing), block peaks for the level meters, the 8-bit tables and the mu-law encoder.
//
// Scales: 16-bit full scale is +-32768, 24-bit +-2^23 (the lossless single-sample path
// for every format), float +-1.0; 32-bit integers are stored at full scale +-2^31.
// Float-to-integer conversions saturate and take NaN as 0.
#pragma once

#include "audio/SamplePattern.h"
#include "audio/VirtualFileIterator.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>

// 8-bit data to the 16-bit scale: entry b of the unsigned table is (b - 128) x 256, of the
// signed table (b as signed) x 256; ready before main.
extern int16_t gUnsignedByteToSample[256];
extern int16_t gSignedByteToSample[256];
// Mu-law decoding (0x00 gives -32124, 0x7F and 0xFF give 0, 0x80 gives 32124).
extern std::array<int16_t, 256> const kMuLawToSample;
// The encoder's exponent of a biased magnitude shifted right by 7.
extern std::array<uint8_t, 256> const kMuLawSegment;

// Fills the two byte tables.
void BuildByteToSampleTables(int16_t *fromUnsigned, int16_t *fromSigned);
// Makes sure the byte tables are filled (for callers that may run before static
// initialisation reached them); later calls return at once.
void InitByteSampleTables();

// Frames of an interleaved stream of channelsInStream samples a frame, from frame
// firstFrame, to floats: every channel c into outputs[c] + outputOffset when channel is
// negative, else only that channel into outputs[outputIndex] + outputOffset. Null data
// gives zeros.
void DeinterleaveToFloat(void const *data, int firstFrame, int channelsInStream, int channel, int frames,
                         float *const *outputs, int outputOffset, int outputIndex, uint32_t flags);
// Every channel c from inputs[c] + inputOffset into the interleaved destination from frame
// firstFrame, rounded to the nearest step and saturated. Touches no byte but the samples.
void InterleaveFromFloat(float const *const *inputs, int inputOffset, int channelsInStream, int frames,
                         void *destination, int firstFrame, uint32_t flags);
// The largest absolute sample of each channel of the block, 0.0 to 1.0, into peaks[c];
// zeros for a format without a converter.
void ComputeBlockPeak(void const *data, int channelsInStream, int frames, float *peaks, uint32_t flags);

// The sample at the iterator's position (offset_ frames past channelData_, fileChannels_
// samples a frame): on the 16-bit and the 24-bit scale, 0 on silence and for a format
// without a converter.
int ConvertSampleTo16(VirtualFileIterator const &it);
int32_t ConvertSampleTo24(VirtualFileIterator const &it);
// Clips the value to the 24-bit scale and stores it at the iterator's position; nothing on
// silence.
void WriteSample24(VirtualFileIterator const &it, int32_t value);

// G.711 mu-law of a 16-bit value; the all-zero code is never produced (0x02 instead).
uint8_t LinearToMuLaw(int16_t sample);

// ConvertSampleTo16, read directly for the common 16-bit little-endian word. Called for
// every sample by peak building, drawing and the sample operations.
inline int ReadSampleValue(VirtualFileIterator const &it) {
    if (!it.channelData_)
        return 0;
    if (uint32_t(it.sampleFormat_) != kPcm16)
        return ConvertSampleTo16(it);
    int16_t value;
    std::memcpy(&value, it.channelData_ + 2 * (ptrdiff_t(it.fileChannels_) * it.offset_), sizeof value);
    return value;
}
