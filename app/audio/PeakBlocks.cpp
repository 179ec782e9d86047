#include "audio/PeakBlocks.h"

#include "audio/SampleConversion.h"

#include <algorithm>
#include <cstddef>
#include <cstring>

namespace {

enum { kStep = 4 };

// The larger of the largest value and the magnitude of the most negative one (-32768
// counting as 32767), over 128; sample(k) is the k-th examined sample on the 16-bit scale.
template <class Sample>
uint8_t PeakOf(Sample &&sample) {
    int high = 0, low = 0;
    for (int k = 0; k < kPeakBlockFrames / kStep; ++k) {
        int value = sample(k);
        high = std::max(high, value);
        low = std::min(low, value);
    }
    return uint8_t(std::max(high, std::min(-low, 32767)) >> 7);
}

}  // namespace

FileName PeakFileName(FileName const &audioFile) {
    FileName peak(audioFile);
    peak.SetExtension("gpk");
    return peak;
}

// The common 16-bit words are read in place, without the converters.
uint8_t BlockPeakByte(char const *data, int channels, uint32_t flags) {
    ptrdiff_t step = ptrdiff_t(kStep) * channels;
    if (flags == kPcm16)
        return PeakOf([&](int k) {
            int16_t value;
            std::memcpy(&value, data + 2 * k * step, sizeof value);
            return int(value);
        });
    if (flags == kPcm16Big)
        return PeakOf([&](int k) {
            uint8_t const *bytes = reinterpret_cast<uint8_t const *>(data + 2 * k * step);
            return int(int16_t(bytes[0] << 8 | bytes[1]));
        });
    VirtualFileIterator it;
    it.sampleFormat_ = int32_t(flags);
    it.fileChannels_ = channels;
    it.channelData_ = const_cast<char *>(data);
    return PeakOf([&](int k) {
        it.offset_ = int32_t(k * kStep);
        return ReadSampleValue(it);
    });
}
