// Sample conversion: every standard word written and read at its edges, round trips of
// stored values through floats and through the 24-bit scale, the mu-law codes, bytes
// around 3-byte writes, and the block and single-sample routines against each other.
#include "audio/SampleConversion.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>
#include <random>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;

uint32_t const kPcm20Right = 0x10105;  // 20 bits in the low bits of 3 bytes
uint32_t const kPcm12 = 0x4105;        // no converter

uint32_t const kWords[] = {kUnsigned8, kSigned8,    kMuLaw8, kPcm16,    kPcm16Big, kPcm20,
                           kPcm20Big,  kPcm20Right, kPcm24,  kPcm24Big, kInt32,    kFloat32};

float const kNaN = std::numeric_limits<float>::quiet_NaN();
double const k2Pow15 = 32768.0, k2Pow19 = 524288.0, k2Pow23 = 8388608.0;

int BytesOf(uint32_t word) { return SamplePattern(word, 1, 1, 0).GetBytesPerSample(); }

std::string Hex(uint32_t word) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%X", unsigned(word));
    return text;
}

std::string Hex(Bytes const &bytes) {
    std::string text;
    for (uint8_t b : bytes) {
        char part[4];
        std::snprintf(part, sizeof part, "%02X ", b);
        text += part;
    }
    return text;
}

Bytes FloatBytes(float f) {
    Bytes bytes(4);
    std::memcpy(bytes.data(), &f, 4);
    return bytes;
}

// The iterator fields the single-sample routines read.
VirtualFileIterator At(void *data, uint32_t word, int stride, int offset) {
    VirtualFileIterator it;
    it.channelData_ = static_cast<char *>(data);
    it.sampleFormat_ = int32_t(word);
    it.fileChannels_ = stride;
    it.offset_ = offset;
    return it;
}

Bytes WriteOne(uint32_t word, float f) {
    Bytes bytes(BytesOf(word));
    float const *inputs[] = {&f};
    InterleaveFromFloat(inputs, 0, 1, 1, bytes.data(), 0, word);
    return bytes;
}

float ReadOne(uint32_t word, Bytes bytes) {
    float f = -99;
    float *outputs[] = {&f};
    DeinterleaveToFloat(bytes.data(), 0, 1, -1, 1, outputs, 0, 0, word);
    return f;
}

bool SameFloat(float a, float b) { return a == b || (std::isnan(a) && std::isnan(b)); }

// Stored samples of a word that its writers can produce: every value for 8 and 16 bits,
// else zero, -1, the extremes and random values; bits a writer leaves zero are zero, and
// 32-bit integers keep to the 24 bits a float holds.
Bytes StoredSamples(uint32_t word, std::mt19937 &random) {
    int size = BytesOf(word);
    int count = size == 1 ? 256 : size == 2 ? 65536 : 4096;
    int top = word & kBigEndian ? 0 : size - 1;  // the most significant byte
    Bytes samples(size_t(count) * size);
    for (int i = 0; i < count; ++i) {
        uint8_t *s = &samples[size_t(i) * size];
        uint32_t value = size <= 2 ? uint32_t(i) : uint32_t(random());
        if (word == kFloat32) {
            float f = float(int32_t(value) >> 7) / float(k2Pow23);  // on the 24-bit grid, within +-2.0
            std::memcpy(s, &f, 4);
            continue;
        }
        for (int b = 0; b < size; ++b)
            s[b] = uint8_t(value >> (8 * b));
        if (size > 2 && i < 4) {
            std::fill(s, s + size, i % 2 ? 0xFF : 0x00);
            if (i >= 2)
                s[top] = i == 2 ? 0x80 : 0x7F;
        }
        if (word == kPcm20)
            s[0] &= 0xF0;
        else if (word == kPcm20Big)
            s[2] &= 0xF0;
        else if (word == kPcm20Right)
            s[2] &= 0x0F;
        else if (word == kInt32)
            s[0] = 0;
    }
    return samples;
}

// "" when equal, else where the two first differ.
std::string FirstDifference(Bytes const &expected, Bytes const &actual) {
    auto at = std::mismatch(expected.begin(), expected.end(), actual.begin(), actual.end());
    if (at.first == expected.end() && at.second == actual.end())
        return "";
    size_t i = size_t(at.first - expected.begin());
    return "byte " + std::to_string(i) + ": expected " + Hex(Bytes(at.first, std::min(at.first + 4, expected.end()))) +
           "got " + Hex(Bytes(at.second, std::min(at.second + 4, actual.end())));
}

// What writing a stored value back gives: itself, but for the mu-law codes of zero.
Bytes Rewritten(uint32_t word, Bytes samples) {
    if (word == kMuLaw8)
        for (uint8_t &s : samples)
            s = s == 0x00 ? 0x02 : s == 0x7F ? 0xFF : s;
    return samples;
}

}  // namespace

TEST(SampleConversion, EveryWordAtItsEdges) {
    struct Case {
        uint32_t word;
        float in;
        Bytes stored;
        double back;  // read back as float
    } const cases[] = {
        {kPcm16, 1.0f, {0xFF, 0x7F}, 32767 / k2Pow15},
        {kPcm16, -1.0f, {0x00, 0x80}, -1.0},
        {kPcm16, 1e30f, {0xFF, 0x7F}, 32767 / k2Pow15},
        {kPcm16, -1e30f, {0x00, 0x80}, -1.0},
        {kPcm16, kNaN, {0x00, 0x00}, 0.0},
        {kPcm16, float(1.5 / k2Pow15), {0x02, 0x00}, 2 / k2Pow15},
        {kPcm16, float(-1.5 / k2Pow15), {0xFE, 0xFF}, -2 / k2Pow15},
        {kPcm16Big, 1.0f, {0x7F, 0xFF}, 32767 / k2Pow15},
        {kPcm16Big, -1.0f, {0x80, 0x00}, -1.0},
        {kPcm24, 1.0f, {0xFF, 0xFF, 0x7F}, 8388607 / k2Pow23},
        {kPcm24, -1e30f, {0x00, 0x00, 0x80}, -1.0},
        {kPcm24, kNaN, {0x00, 0x00, 0x00}, 0.0},
        {kPcm24, float(1.5 / k2Pow23), {0x02, 0x00, 0x00}, 2 / k2Pow23},
        {kPcm24Big, 1.0f, {0x7F, 0xFF, 0xFF}, 8388607 / k2Pow23},
        {kPcm24Big, -1.0f, {0x80, 0x00, 0x00}, -1.0},
        {kPcm20, 1.0f, {0xF0, 0xFF, 0x7F}, 524287 / k2Pow19},
        {kPcm20, -1.0f, {0x00, 0x00, 0x80}, -1.0},
        {kPcm20, float(1.5 / k2Pow19), {0x20, 0x00, 0x00}, 2 / k2Pow19},
        {kPcm20Big, 1e30f, {0x7F, 0xFF, 0xF0}, 524287 / k2Pow19},
        {kPcm20Big, kNaN, {0x00, 0x00, 0x00}, 0.0},
        {kPcm20Right, 1.0f, {0xFF, 0xFF, 0x07}, 524287 / k2Pow19},
        {kPcm20Right, -1.0f, {0x00, 0x00, 0x08}, -1.0},
        // 32-bit integers at full scale +-2^31
        {kInt32, 1.0f, {0xFF, 0xFF, 0xFF, 0x7F}, 1.0},
        {kInt32, -1.0f, {0x00, 0x00, 0x00, 0x80}, -1.0},
        {kInt32, 1e30f, {0xFF, 0xFF, 0xFF, 0x7F}, 1.0},
        {kInt32, -1e30f, {0x00, 0x00, 0x00, 0x80}, -1.0},
        {kInt32, kNaN, {0x00, 0x00, 0x00, 0x00}, 0.0},
        {kInt32, 0.5f, {0x00, 0x00, 0x00, 0x40}, 0.5},
        {kFloat32, 1e30f, FloatBytes(1e30f), 1e30f},
        {kFloat32, kNaN, FloatBytes(kNaN), kNaN},
        {kUnsigned8, -1.0f, {0x00}, -1.0},
        {kUnsigned8, 0.0f, {0x80}, 0.0},
        {kUnsigned8, 1.0f, {0xFF}, 127 / 128.0},
        {kUnsigned8, kNaN, {0x80}, 0.0},
        {kSigned8, 1e30f, {0x7F}, 127 / 128.0},
        {kSigned8, -1.0f, {0x80}, -1.0},
        {kMuLaw8, 0.0f, {0xFF}, 0.0},
        {kMuLaw8, 1.0f, {0x80}, 32124 / k2Pow15},
        {kMuLaw8, -1.0f, {0x02}, -30076 / k2Pow15},  // -32768 misses the all-zero code
        {kMuLaw8, kNaN, {0xFF}, 0.0},
    };
    for (auto const &c : cases) {
        Bytes stored = WriteOne(c.word, c.in);
        EXPECT_EQ(Hex(c.stored), Hex(stored)) << Hex(c.word) << " " << c.in;
        EXPECT_TRUE(SameFloat(float(c.back), ReadOne(c.word, stored))) << Hex(c.word) << " " << c.in;
    }
}

TEST(SampleConversion, SingleSamplesOnThe24BitScale) {
    struct Read {
        uint32_t word;
        Bytes stored;
        int32_t value24;
    } const reads[] = {
        {kPcm16Big, {0x80, 0x00}, -8388608},
        {kPcm16, {0x01, 0x00}, 256},
        {kPcm20Right, {0xFF, 0xFF, 0x0F}, -16},          // -1 as 20 bits
        {kPcm20Right, {0xFF, 0xFF, 0xF7}, 524287 * 16},  // the top 4 bits are not the value's
        {kPcm20, {0xF5, 0xFF, 0x7F}, 0x7FFFF0},          // nor the low 4 of a left-justified one
        {kPcm24Big, {0xFF, 0xFF, 0xFE}, -2},
        {kInt32, {0xFF, 0xFF, 0xFF, 0x7F}, 8388607},
        {kInt32, {0x00, 0x00, 0x00, 0x80}, -8388608},
        {kFloat32, FloatBytes(0.75f), 6291456},
        {kFloat32, FloatBytes(float(-2.5 / k2Pow23)), -2},  // cut toward zero
        {kFloat32, FloatBytes(1e30f), 8388607},
        {kFloat32, FloatBytes(-1e30f), -8388608},
        {kFloat32, FloatBytes(kNaN), 0},
        {kUnsigned8, {0x00}, -8388608},
        {kSigned8, {0x7F}, 127 * 65536},
        {kMuLaw8, {0x80}, 32124 * 256},
        {kPcm12, {0x00, 0x40}, 0},
    };
    for (auto const &c : reads) {
        Bytes stored = c.stored;
        VirtualFileIterator it = At(stored.data(), c.word, 1, 0);
        EXPECT_EQ(c.value24, ConvertSampleTo24(it)) << Hex(c.word) << " " << Hex(c.stored);
        EXPECT_EQ(c.value24 >> 8, ConvertSampleTo16(it)) << Hex(c.word) << " " << Hex(c.stored);
        EXPECT_EQ(c.value24 >> 8, ReadSampleValue(it)) << Hex(c.word) << " " << Hex(c.stored);
    }

    struct Write {
        uint32_t word;
        int32_t value24;
        Bytes stored;
    } const writes[] = {
        {kPcm16, 8388607, {0xFF, 0x7F}},
        {kPcm16, 9000000, {0xFF, 0x7F}},  // clipped to the scale first
        {kPcm16Big, -8388608, {0x80, 0x00}},
        {kPcm24, -9000000, {0x00, 0x00, 0x80}},
        {kPcm20, 0x123457, {0x50, 0x34, 0x12}},
        {kPcm20Big, 0x123457, {0x12, 0x34, 0x50}},
        {kPcm20Right, 0x123457, {0x45, 0x23, 0x01}},
        {kPcm20Right, -16, {0xFF, 0xFF, 0x0F}},
        {kInt32, 8388607, {0x00, 0xFF, 0xFF, 0x7F}},
        {kInt32, -8388608, {0x00, 0x00, 0x00, 0x80}},
        {kFloat32, 4194304, FloatBytes(0.5f)},
        {kUnsigned8, -8388608, {0x00}},
        {kUnsigned8, 0, {0x80}},
        {kSigned8, 8388607, {0x7F}},
        {kMuLaw8, 0, {0xFF}},
        {kMuLaw8, -8388608, {0x02}},
        {kPcm12, 8388607, {0xAA, 0xAA}},  // nothing written
    };
    for (auto const &c : writes) {
        Bytes stored(c.stored.size(), 0xAA);
        WriteSample24(At(stored.data(), c.word, 1, 0), c.value24);
        EXPECT_EQ(Hex(c.stored), Hex(stored)) << Hex(c.word) << " " << c.value24;
    }

    VirtualFileIterator silence = At(nullptr, uint32_t(-1), 2, 5);
    EXPECT_EQ(0, ConvertSampleTo24(silence));
    EXPECT_EQ(0, ReadSampleValue(silence));
    WriteSample24(silence, 1);
}

TEST(SampleConversion, StoredValuesSurviveTheRoundTrips) {
    std::mt19937 random(17);
    for (uint32_t word : kWords) {
        Bytes stored = StoredSamples(word, random);
        int size = BytesOf(word);
        int frames = int(stored.size()) / size / 2;  // as stereo
        std::vector<float> left(frames), right(frames);
        float *outputs[] = {left.data(), right.data()};
        DeinterleaveToFloat(stored.data(), 0, 2, -1, frames, outputs, 0, 0, word);
        Bytes viaFloat(stored.size());
        float const *inputs[] = {left.data(), right.data()};
        InterleaveFromFloat(inputs, 0, 2, frames, viaFloat.data(), 0, word);
        EXPECT_EQ("", FirstDifference(Rewritten(word, stored), viaFloat)) << "through floats " << Hex(word);

        if (word == kFloat32)
            continue;  // the 24-bit scale holds no float beyond +-1.0
        Bytes via24(stored.size());
        for (int c = 0; c < 2; ++c)
            for (int i = 0; i < frames; ++i)
                WriteSample24(At(via24.data() + c * size, word, 2, i),
                              ConvertSampleTo24(At(stored.data() + c * size, word, 2, i)));
        EXPECT_EQ("", FirstDifference(Rewritten(word, stored), via24)) << "through the 24-bit scale " << Hex(word);
    }
}

TEST(SampleConversion, EveryMuLawCodeIsStableButTheZeros) {
    for (int code = 0; code < 256; ++code) {
        int expected = code == 0x00 ? 0x02 : code == 0x7F ? 0xFF : code;
        EXPECT_EQ(expected, LinearToMuLaw(kMuLawToSample[code])) << code;
    }
    EXPECT_EQ(-32124, kMuLawToSample[0x00]);
    EXPECT_EQ(0, kMuLawToSample[0x7F]);
    EXPECT_EQ(32124, kMuLawToSample[0x80]);
    EXPECT_EQ(0, kMuLawToSample[0xFF]);
    EXPECT_EQ(0xFF, LinearToMuLaw(0));
    EXPECT_EQ(0x02, LinearToMuLaw(-32768));
    for (int magnitude = 32636; magnitude <= 32767; ++magnitude) {
        EXPECT_EQ(LinearToMuLaw(32635), LinearToMuLaw(int16_t(magnitude))) << magnitude;
        EXPECT_EQ(LinearToMuLaw(-32635), LinearToMuLaw(int16_t(-magnitude))) << -magnitude;
    }
}

TEST(SampleConversion, ThreeByteWritesTouchNothingAround) {
    int const guard = 5, frames = 4;
    float left[] = {1.0f, -1.0f, 0.3f, -0.7f}, right[] = {-1.0f, 1.0f, -0.2f, 0.9f};
    float const *inputs[] = {left, right};
    for (uint32_t word : {uint32_t(kPcm20), uint32_t(kPcm20Big), kPcm20Right, uint32_t(kPcm24), uint32_t(kPcm24Big)}) {
        Bytes buffer(guard + frames * 2 * 3 + guard, 0xAA);
        uint8_t *data = buffer.data() + guard;
        // the middle two frames only
        InterleaveFromFloat(inputs, 1, 2, 2, data, 1, word);
        for (int i = 0; i < int(buffer.size()); ++i) {
            bool written = i >= guard + 6 && i < guard + 18;
            if (!written) {
                EXPECT_EQ(0xAA, buffer[i]) << Hex(word) << " byte " << i;
            }
        }
        std::fill(buffer.begin(), buffer.end(), 0xAA);
        WriteSample24(At(data + 3, word, 2, frames - 1), -1);  // the very last sample
        WriteSample24(At(data, word, 2, 0), -1);               // the very first
        for (int i = 0; i < int(buffer.size()); ++i) {
            if (i < guard || i >= guard + frames * 6 || (i >= guard + 3 && i < guard + 21)) {
                EXPECT_EQ(0xAA, buffer[i]) << Hex(word) << " single, byte " << i;
            }
        }
    }
}

TEST(SampleConversion, BlockAndSingleSampleRoutinesAgree) {
    std::mt19937 random(5);
    int const frames = 1000;
    for (uint32_t word : kWords) {
        int size = BytesOf(word);
        Bytes data(size_t(frames) * 2 * size);
        for (uint8_t &b : data)
            b = uint8_t(random());
        if (word == kFloat32)
            for (int i = 0; i < frames * 2; ++i) {
                float f = std::uniform_real_distribution<float>(-1.0f, 0.999f)(random);
                std::memcpy(&data[size_t(i) * 4], &f, 4);
            }
        std::vector<float> columns[2] = {std::vector<float>(frames), std::vector<float>(frames)};
        float peaks[2];
        ComputeBlockPeak(data.data(), 2, frames, peaks, word);
        for (int c = 0; c < 2; ++c) {
            float *outputs[] = {nullptr, columns[c].data()};
            DeinterleaveToFloat(data.data(), 0, 2, c, frames, outputs, 0, 1, word);
            int32_t peak = 0;
            for (int i = 0; i < frames; ++i) {
                VirtualFileIterator it = At(data.data() + c * size, word, 2, i);
                int32_t value24 = ConvertSampleTo24(it);
                double block24 = columns[c][i] * k2Pow23;
                if (word == kInt32)  // floats keep 24 of the 32 bits
                    EXPECT_NEAR(block24, value24, 1.25) << Hex(word) << " frame " << i;
                else if (word == kFloat32)
                    EXPECT_EQ(int32_t(block24), value24) << Hex(word) << " frame " << i;
                else
                    EXPECT_EQ(block24, value24) << Hex(word) << " frame " << i;
                EXPECT_EQ(value24 >> 8, ReadSampleValue(it)) << Hex(word) << " frame " << i;
                peak = std::max(peak, std::abs(value24));
            }
            EXPECT_EQ(float(peak / k2Pow23), peaks[c]) << Hex(word) << " channel " << c;
        }
    }
}

TEST(SampleConversion, BlockPeaksOfEveryKindOfData) {
    struct Case {
        uint32_t word;
        Bytes frames;  // two stereo frames
        double left, right;
    } const cases[] = {
        {kPcm16Big, {0x80, 0x00, 0x00, 0x01, 0x00, 0x10, 0xFF, 0xFF}, 1.0, 1 / k2Pow15},
        {kPcm16, {0x00, 0x40, 0x00, 0x00, 0x00, 0xC0, 0x00, 0x00}, 0.5, 0.0},
        {kSigned8, {0x80, 0x7F, 0x01, 0x00}, 1.0, 127 / 128.0},
        {kUnsigned8, {0x00, 0x80, 0x80, 0x81}, 1.0, 1 / 128.0},
        {kMuLaw8, {0x00, 0xFF, 0x7F, 0xFE}, 32124 / k2Pow15, 8 / k2Pow15},
        {kPcm24, {0x00, 0x00, 0x80, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0, 0, 0}, 1.0, 1 / k2Pow23},
        {kInt32, {0, 0, 0, 0x80, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0}, 1.0, 256 / k2Pow23},
        {kPcm12, {0x00, 0x80, 0x00, 0x80, 0, 0, 0, 0}, 0.0, 0.0},
    };
    for (auto const &c : cases) {
        float peaks[2] = {-1, -1};
        ComputeBlockPeak(c.frames.data(), 2, 2, peaks, c.word);
        EXPECT_EQ(float(c.left), peaks[0]) << Hex(c.word);
        EXPECT_EQ(float(c.right), peaks[1]) << Hex(c.word);
    }
    float floats[] = {-0.5f, 2.0f, 0.25f, kNaN};
    float peaks[2];
    ComputeBlockPeak(floats, 2, 2, peaks, kFloat32);
    EXPECT_EQ(0.5f, peaks[0]);
    EXPECT_EQ(float(8388607 / k2Pow23), peaks[1]) << "held at full scale, NaN as silence";
    ComputeBlockPeak(nullptr, 2, 2, peaks, kPcm16);
    EXPECT_EQ(0.0f, peaks[0] + peaks[1]);
}

TEST(SampleConversion, BlockReadsPickTheirChannelsAndPlaces) {
    int16_t stream[] = {1, 2, 3, 4, 5, 6, 7, 8, 9};  // 3 frames of 3 channels
    float a[4] = {-9, -9, -9, -9}, b[4] = {-9, -9, -9, -9}, c[4] = {-9, -9, -9, -9};
    float *outputs[] = {a, b, c};
    DeinterleaveToFloat(stream, 1, 3, 2, 2, outputs, 1, 0, kPcm16);  // channel 2 into column 0
    EXPECT_EQ(-9, a[0]);
    EXPECT_EQ(6 / k2Pow15, a[1]);
    EXPECT_EQ(9 / k2Pow15, a[2]);
    EXPECT_EQ(-9, a[3]);
    EXPECT_EQ(-9, b[1]);

    DeinterleaveToFloat(nullptr, 0, 3, -1, 3, outputs, 0, 0, kPcm16);
    for (float *column : outputs) {
        EXPECT_EQ(0, column[0] + column[1] + column[2]) << "null data reads as silence";
        EXPECT_EQ(-9, column[3]);
    }
    DeinterleaveToFloat(stream, 0, 3, -1, 0, outputs, 0, 0, kPcm16);
    EXPECT_EQ(-9, a[3]) << "no frames";
    DeinterleaveToFloat(stream, 0, 1, 0, 2, outputs, 0, 0, kPcm12);
    EXPECT_EQ(0, a[0] + a[1]) << "a word without a converter reads as silence";

    // the stride is honoured on the fast path and off it
    int16_t wide[] = {0, 0, 0, 0, 0, 0, 0, 0, 0x1234, 0, 0, 0};
    EXPECT_EQ(0x1234, ReadSampleValue(At(wide, kPcm16, 4, 2)));
    EXPECT_EQ(0x3412, ReadSampleValue(At(wide, kPcm16Big, 4, 2)));
}

TEST(SampleConversion, ByteTables) {
    InitByteSampleTables();
    InitByteSampleTables();
    EXPECT_EQ(-32768, gUnsignedByteToSample[0]);
    EXPECT_EQ(0, gUnsignedByteToSample[128]);
    EXPECT_EQ(32512, gUnsignedByteToSample[255]);
    EXPECT_EQ(-32768, gSignedByteToSample[0x80]);
    EXPECT_EQ(32512, gSignedByteToSample[0x7F]);
    EXPECT_EQ(-256, gSignedByteToSample[0xFF]);
}
