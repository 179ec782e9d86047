// How samples are laid out: the channel set, the sample format (a flags word and a bit
// count), whether the channels of a frame lie interleaved in one stream, and the rate.
// Every audio-carrying object describes its samples with a SamplePattern; it also gives
// the texts the user sees for a format and packs itself into the 16-bit format code the
// sound database keeps.
#pragma once

#include "foundation/Strings.h"

#include <cstdint>

// Bits of the format flags word.
enum SampleFlags : uint32_t {
    kLittleEndian = 0x1,
    kBigEndian = 0x2,
    kSigned = 0x4,
    kUnsigned = 0x8,  // excess-128 for 8 bits
    kFloat = 0x10,
    kMuLaw = 0x40,
    kRightJustified = 0x100,
    kLeftJustified = 0x200,  // 20-bit samples in the high bits of 3 bytes
    kFourBytes = 0x400,      // the sample occupies 4 bytes whatever its bit count
    kBits8 = 0x2000,
    kBits12 = 0x4000,
    kBits16 = 0x8000,
    kBits20 = 0x10000,
    kBits24 = 0x20000,
    kBits32 = 0x40000,
    kBits64 = 0x80000,
};

// The standard words the system produces and tests for.
enum SampleWord : uint32_t {
    kUnsigned8 = 0x2108,
    kSigned8 = 0x2104,
    kMuLaw8 = 0x2142,
    kPcm16 = 0x8105,  // several fast paths test for exactly this word
    kPcm16Big = 0x8106,
    kPcm20 = 0x10205,  // left-justified in 3 bytes
    kPcm20Big = 0x10206,
    kPcm24 = 0x20105,
    kPcm24Big = 0x20106,
    kInt32 = 0x40105,  // 32-bit integers at full scale +-2^31
    kFloat32 = 0x40111,
};

inline bool IsFloatFormat(uint32_t flags) { return (flags & (kBits32 | kFloat)) == (kBits32 | kFloat); }
inline bool IsInt32Format(uint32_t flags) { return (flags & (kBits32 | kSigned)) == (kBits32 | kSigned); }

// Channel selections: the 2-bit left/right mask audio objects keep.
int CountChannelBits(uint32_t mask);
int CountSelectedChannels(int selection);
int ChannelBitOfIndex(int index);
int AllChannelsMask(int count);

// Selector bit 0 set: little-endian with unsigned 8-bit samples; clear: big-endian with
// signed 8-bit samples. 32-bit samples are little-endian either way.
uint32_t SampleFormatFlagsFromBits(int bits, uint32_t selector);

class ChannelSet {
public:
    virtual ~ChannelSet() {}

    // Mask, count and a standard layout taken as given.
    virtual void SetMask(uint32_t mask);
    // A standard layout (1, 3, 15, 63) is kept as such, any other mask as no layout.
    virtual void SetLayout(uint32_t mask);
    // 1, 2, 4 or 6 channels; any other count leaves an empty set.
    virtual void SetNumChannels(int count);

    uint32_t GetMask() const { return mask_; }
    int GetNumChannels() const { return count_; }
    uint32_t GetStandardLayout() const { return layout_; }

protected:
    uint32_t mask_ = 0;
    int32_t count_ = 0;
    uint32_t layout_ = 0;
};

struct SampleFormat {
    uint32_t flags = 0;
    int32_t bits = 0;  // follows the flags through UpdateBits

    // 4 with kFourBytes, else the bits rounded up to whole bytes (20 and 24 bits take 3).
    int GetBytesPerSample() const { return flags & kFourBytes ? 4 : (bits + 7) / 8; }
    // Selector 0 keeps the byte order and sign kind of the current flags word.
    void SetBits(int bits, uint32_t selector);
    void UpdateBits();
};

class SamplePattern : public ChannelSet {
public:
    SamplePattern() = default;
    SamplePattern(uint32_t flags, int channels, int interleaved, uint32_t rate);
    SamplePattern(SamplePattern const &other) = default;
    SamplePattern &operator=(SamplePattern const &other) = default;

    virtual void SetFormatCode(unsigned code);
    virtual void SetRate(uint32_t rate) { rate_ = rate; }
    virtual void SetInterleaved(int interleaved) { interleaved_ = interleaved; }
    virtual String GetSampleSizeText() const;
    virtual String GetChannelsText() const;
    virtual String GetBitsText() const;
    virtual String GetRateText(int inKHz) const;
    virtual String GetFormatText() const;

    // Interleaving, rate, channel mask and flags word equal (the rest follows from them).
    bool IsSameFormat(SamplePattern const &other) const;
    int GetBytesPerFrame() const;
    int64_t FramesToBytes(int64_t frames) const { return frames * GetBytesPerFrame(); }
    unsigned GetFormatCode() const;

    uint32_t GetFlags() const { return format_.flags; }
    int GetBits() const { return format_.bits; }
    int GetBytesPerSample() const { return format_.GetBytesPerSample(); }
    SampleFormat &GetFormat() { return format_; }
    SampleFormat const &GetFormat() const { return format_; }
    void SetFlags(uint32_t flags) {
        format_.flags = flags;
        format_.UpdateBits();
    }
    int IsInterleaved() const { return interleaved_; }
    uint32_t GetRate() const { return rate_; }

protected:
    SampleFormat format_;
    int32_t interleaved_ = 1;
    uint32_t rate_ = 0;
};
