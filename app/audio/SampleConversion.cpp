#include "audio/SampleConversion.h"

#include <algorithm>
#include <atomic>
#include <climits>
#include <cstdlib>

namespace {

constexpr double kScale16 = 32768.0;
constexpr double kScale20 = 524288.0;      // 2^19
constexpr double kScale24 = 8388608.0;     // 2^23
constexpr double kScale32 = 2147483648.0;  // 2^31
constexpr int32_t kMin24 = -8388608, kMax24 = 8388607;

constexpr int kMuLawBias = 132;
constexpr int kMuLawClip = 32635;

enum Rounding { kToNearest, kTowardZero };

// Held inside lo..hi, NaN as 0, and made an integer: the nearest (halves away from zero),
// or cut toward zero.
inline int32_t Saturate(double v, int32_t lo, int32_t hi, Rounding rounding = kToNearest) {
    if (v >= hi)
        return hi;
    if (v <= lo)
        return lo;
    if (v != v)
        return 0;
    if (rounding == kToNearest)
        v += v < 0 ? -0.5 : 0.5;
    return int32_t(v);
}

inline int32_t Clip24(int32_t v) { return std::min(std::max(v, kMin24), kMax24); }

// The low 24 bits of u as a signed value.
inline int32_t SignExtend24(uint32_t u) { return int32_t((u & 0xFFFFFF) ^ 0x800000) - 0x800000; }

inline int32_t SignExtend20(uint32_t u) { return int32_t((u & 0xFFFFF) ^ 0x80000) - 0x80000; }

template <bool kBig>
inline int32_t Load16(uint8_t const *p) {
    return int16_t(kBig ? p[0] << 8 | p[1] : p[1] << 8 | p[0]);
}

template <bool kBig>
inline void Store16(uint8_t *p, int32_t v) {
    p[kBig ? 0 : 1] = uint8_t(v >> 8);
    p[kBig ? 1 : 0] = uint8_t(v);
}

// Three bytes as they lie, unsigned.
template <bool kBig>
inline uint32_t Load24Bits(uint8_t const *p) {
    return kBig ? uint32_t(p[0]) << 16 | p[1] << 8 | p[2] : uint32_t(p[2]) << 16 | p[1] << 8 | p[0];
}

template <bool kBig>
inline void Store24(uint8_t *p, int32_t v) {
    p[kBig ? 0 : 2] = uint8_t(v >> 16);
    p[1] = uint8_t(v >> 8);
    p[kBig ? 2 : 0] = uint8_t(v);
}

template <class T>
inline T Load(uint8_t const *p) {
    T value;
    std::memcpy(&value, p, sizeof value);
    return value;
}

template <class T>
inline void Store(uint8_t *p, T value) {
    std::memcpy(p, &value, sizeof value);
}

// ---- one codec per stored layout: Read24/Write24 on the 24-bit scale (the value given to
// Write24 is inside it), ReadFloat/WriteFloat on the float scale.

// Codecs whose every value lies on the 24-bit scale.
template <class Codec>
struct On24BitScale {
    static float ReadFloat(uint8_t const *p) { return float(Codec::Read24(p) * (1.0 / kScale24)); }
    static void WriteFloat(uint8_t *p, float f) { Codec::Write24(p, Saturate(f * kScale24, kMin24, kMax24)); }
};

template <bool kBig>
struct Pcm16 : On24BitScale<Pcm16<kBig>> {
    static constexpr int kBytes = 2;
    static int32_t Read24(uint8_t const *p) { return Load16<kBig>(p) * 256; }
    static void Write24(uint8_t *p, int32_t v) { Store16<kBig>(p, v >> 8); }
    static void WriteFloat(uint8_t *p, float f) { Store16<kBig>(p, Saturate(f * kScale16, -32768, 32767)); }
};

template <bool kBig>
struct Pcm24 : On24BitScale<Pcm24<kBig>> {
    static constexpr int kBytes = 3;
    static int32_t Read24(uint8_t const *p) { return SignExtend24(Load24Bits<kBig>(p)); }
    static void Write24(uint8_t *p, int32_t v) { Store24<kBig>(p, v); }
};

// 20 bits in the high bits of 3 bytes; the low 4 bits are written as zero.
template <bool kBig>
struct Pcm20Left : On24BitScale<Pcm20Left<kBig>> {
    static constexpr int kBytes = 3;
    static int32_t Read24(uint8_t const *p) { return SignExtend24(Load24Bits<kBig>(p) & ~0xFu); }
    static void Write24(uint8_t *p, int32_t v) { Store24<kBig>(p, v & ~0xF); }
    static void WriteFloat(uint8_t *p, float f) { Store24<kBig>(p, Saturate(f * kScale20, -524288, 524287) * 16); }
};

// 20 bits in the low bits of 3 little-endian bytes; the top 4 bits are written as zero.
struct Pcm20Right : On24BitScale<Pcm20Right> {
    static constexpr int kBytes = 3;
    static int32_t Read24(uint8_t const *p) { return SignExtend20(Load24Bits<false>(p)) * 16; }
    static void Write24(uint8_t *p, int32_t v) { Store24<false>(p, (v >> 4) & 0xFFFFF); }
    static void WriteFloat(uint8_t *p, float f) {
        Store24<false>(p, Saturate(f * kScale20, -524288, 524287) & 0xFFFFF);
    }
};

struct Float32 {
    static constexpr int kBytes = 4;
    static int32_t Read24(uint8_t const *p) { return Saturate(Load<float>(p) * kScale24, kMin24, kMax24, kTowardZero); }
    static void Write24(uint8_t *p, int32_t v) { Store(p, float(v * (1.0 / kScale24))); }
    static float ReadFloat(uint8_t const *p) { return Load<float>(p); }
    static void WriteFloat(uint8_t *p, float f) { Store(p, f); }
};

// At full scale +-2^31.
struct Int32 {
    static constexpr int kBytes = 4;
    static int32_t Read24(uint8_t const *p) { return Load<int32_t>(p) >> 8; }
    static void Write24(uint8_t *p, int32_t v) { Store(p, int32_t(uint32_t(v) << 8)); }
    static float ReadFloat(uint8_t const *p) { return float(Load<int32_t>(p) * (1.0 / kScale32)); }
    static void WriteFloat(uint8_t *p, float f) { Store(p, Saturate(f * kScale32, INT32_MIN, INT32_MAX)); }
};

struct Unsigned8 : On24BitScale<Unsigned8> {
    static constexpr int kBytes = 1;
    static int32_t Read24(uint8_t const *p) { return gUnsignedByteToSample[*p] * 256; }
    static void Write24(uint8_t *p, int32_t v) { *p = uint8_t((v >> 16) + 128); }
};

struct Signed8 : On24BitScale<Signed8> {
    static constexpr int kBytes = 1;
    static int32_t Read24(uint8_t const *p) { return gSignedByteToSample[*p] * 256; }
    static void Write24(uint8_t *p, int32_t v) { *p = uint8_t(v >> 16); }
};

struct MuLaw8 : On24BitScale<MuLaw8> {
    static constexpr int kBytes = 1;
    static int32_t Read24(uint8_t const *p) { return kMuLawToSample[*p] * 256; }
    static void Write24(uint8_t *p, int32_t v) { *p = LinearToMuLaw(int16_t(v >> 8)); }
};

// Calls action with the codec of the flags word, deciding in the one order every routine
// shares; false when no codec fits.
template <class Action>
bool WithCodec(uint32_t flags, Action &&action) {
    bool big = flags & kBigEndian;
    if (flags & kBits16)
        big ? action(Pcm16<true>()) : action(Pcm16<false>());
    else if (flags & kBits24)
        big ? action(Pcm24<true>()) : action(Pcm24<false>());
    else if (flags & kBits20)
        big ? action(Pcm20Left<true>()) : flags &kLeftJustified ? action(Pcm20Left<false>()) : action(Pcm20Right());
    else if (IsFloatFormat(flags))
        action(Float32());
    else if (IsInt32Format(flags))
        action(Int32());
    else if (flags & kBits8)
        flags &kMuLaw ? action(MuLaw8()) : flags &kSigned ? action(Signed8()) : action(Unsigned8());
    else
        return false;
    return true;
}

// The first sample of a channel from a frame on.
template <class Codec, class Byte>
Byte *SampleAddress(Byte *data, int frame, int channelsInStream, int channel) {
    return data + (ptrdiff_t(frame) * channelsInStream + channel) * Codec::kBytes;
}

template <class Codec>
uint8_t *SampleAt(VirtualFileIterator const &it) {
    return SampleAddress<Codec>(reinterpret_cast<uint8_t *>(it.channelData_), it.offset_, it.fileChannels_, 0);
}

template <class Codec>
void ReadChannel(uint8_t const *first, ptrdiff_t step, int frames, float *out) {
    for (int i = 0; i < frames; ++i)
        out[i] = Codec::ReadFloat(first + i * step);
}

template <class Codec>
void WriteChannel(float const *in, int frames, uint8_t *first, ptrdiff_t step) {
    for (int i = 0; i < frames; ++i)
        Codec::WriteFloat(first + i * step, in[i]);
}

template <class Codec>
int32_t ChannelPeak(uint8_t const *first, ptrdiff_t step, int frames) {
    int32_t peak = 0;
    for (int i = 0; i < frames; ++i)
        peak = std::max(peak, std::abs(Codec::Read24(first + i * step)));
    return peak;
}

constexpr std::array<int16_t, 256> MuLawDecodingTable() {
    std::array<int16_t, 256> table{};
    for (int code = 0; code < 256; ++code) {
        int bits = ~code & 0xFF, exponent = bits >> 4 & 7, mantissa = bits & 0x0F;
        int magnitude = (((mantissa << 3) + kMuLawBias) << exponent) - kMuLawBias;
        table[code] = int16_t(bits & 0x80 ? -magnitude : magnitude);
    }
    return table;
}

// The position of the highest set bit, 0 for 0 and 1.
constexpr std::array<uint8_t, 256> MuLawSegmentTable() {
    std::array<uint8_t, 256> table{};
    for (int i = 0; i < 256; ++i)
        for (int v = i >> 1; v; v >>= 1)
            ++table[i];
    return table;
}

std::atomic<bool> byteTablesBuilt{false};

struct ByteTablesAtStart {
    ByteTablesAtStart() { InitByteSampleTables(); }
} const byteTablesAtStart;

}  // namespace

int16_t gUnsignedByteToSample[256];
int16_t gSignedByteToSample[256];
std::array<int16_t, 256> const kMuLawToSample = MuLawDecodingTable();
std::array<uint8_t, 256> const kMuLawSegment = MuLawSegmentTable();

void BuildByteToSampleTables(int16_t *fromUnsigned, int16_t *fromSigned) {
    for (int b = 0; b < 256; ++b) {
        fromUnsigned[b] = int16_t((b - 128) * 256);
        fromSigned[b] = int16_t(int8_t(b) * 256);
    }
}

void InitByteSampleTables() {
    if (byteTablesBuilt.load(std::memory_order_acquire))
        return;
    BuildByteToSampleTables(gUnsignedByteToSample, gSignedByteToSample);
    byteTablesBuilt.store(true, std::memory_order_release);
}

void DeinterleaveToFloat(void const *data, int firstFrame, int channelsInStream, int channel, int frames,
                         float *const *outputs, int outputOffset, int outputIndex, uint32_t flags) {
    if (frames <= 0)
        return;
    int firstChannel = channel < 0 ? 0 : channel, lastChannel = channel < 0 ? channelsInStream - 1 : channel;
    auto output = [&](int c) { return outputs[channel < 0 ? c : outputIndex] + outputOffset; };
    bool converted = data && WithCodec(flags, [&](auto codec) {
                         using Codec = decltype(codec);
                         uint8_t const *bytes = static_cast<uint8_t const *>(data);
                         for (int c = firstChannel; c <= lastChannel; ++c)
                             ReadChannel<Codec>(SampleAddress<Codec>(bytes, firstFrame, channelsInStream, c),
                                                ptrdiff_t(channelsInStream) * Codec::kBytes, frames, output(c));
                     });
    if (!converted)
        for (int c = firstChannel; c <= lastChannel; ++c)
            std::fill_n(output(c), frames, 0.0f);
}

void InterleaveFromFloat(float const *const *inputs, int inputOffset, int channelsInStream, int frames,
                         void *destination, int firstFrame, uint32_t flags) {
    if (frames <= 0)
        return;
    WithCodec(flags, [&](auto codec) {
        using Codec = decltype(codec);
        uint8_t *bytes = static_cast<uint8_t *>(destination);
        for (int c = 0; c < channelsInStream; ++c)
            WriteChannel<Codec>(inputs[c] + inputOffset, frames,
                                SampleAddress<Codec>(bytes, firstFrame, channelsInStream, c),
                                ptrdiff_t(channelsInStream) * Codec::kBytes);
    });
}

void ComputeBlockPeak(void const *data, int channelsInStream, int frames, float *peaks, uint32_t flags) {
    std::fill_n(peaks, channelsInStream, 0.0f);
    if (!data || frames <= 0)
        return;
    WithCodec(flags, [&](auto codec) {
        using Codec = decltype(codec);
        uint8_t const *bytes = static_cast<uint8_t const *>(data);
        for (int c = 0; c < channelsInStream; ++c)
            peaks[c] = float(ChannelPeak<Codec>(SampleAddress<Codec>(bytes, 0, channelsInStream, c),
                                                ptrdiff_t(channelsInStream) * Codec::kBytes, frames) *
                             (1.0 / kScale24));
    });
}

int32_t ConvertSampleTo24(VirtualFileIterator const &it) {
    int32_t value = 0;
    if (it.channelData_)
        WithCodec(uint32_t(it.sampleFormat_), [&](auto codec) {
            using Codec = decltype(codec);
            value = Codec::Read24(SampleAt<Codec>(it));
        });
    return value;
}

int ConvertSampleTo16(VirtualFileIterator const &it) { return ConvertSampleTo24(it) >> 8; }

void WriteSample24(VirtualFileIterator const &it, int32_t value) {
    if (!it.channelData_)
        return;
    WithCodec(uint32_t(it.sampleFormat_), [&](auto codec) {
        using Codec = decltype(codec);
        Codec::Write24(SampleAt<Codec>(it), Clip24(value));
    });
}

uint8_t LinearToMuLaw(int16_t sample) {
    int value = sample;
    int sign = value < 0 ? 0x80 : 0;
    if (sign)
        value = -value;
    value = std::min(value, kMuLawClip) + kMuLawBias;
    int exponent = kMuLawSegment[value >> 7 & 0xFF];
    int mantissa = value >> (exponent + 3) & 0x0F;
    uint8_t code = uint8_t(~(sign | exponent << 4 | mantissa));
    return code ? code : 0x02;  // the all-zero code is kept off the line
}
