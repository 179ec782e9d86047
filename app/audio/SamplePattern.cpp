#include "audio/SamplePattern.h"

#include "foundation/MessageCatalogue.h"

#include <cstdio>

namespace {

// Texts of the language modules.
enum {
    kTextOneChannel = 11095,
    kTextChannels = 11096,
    kTextTwoFiles = 11097,
    kTextSizeMono8 = 11098,
    kTextSizeMono = 11099,
    kTextSizeMulti8 = 11100,
    kTextSizeMulti = 11101,
    kTextSizeMono20 = 11199,
    kTextSizeMono24 = 11200,
    kTextSizeMulti20 = 11201,
    kTextSizeMulti24 = 11202,
};

// Bits of the format code.
enum : unsigned {
    kCodeMono = 0x1,
    kCodeStereo = 0x2,
    kCodeTwoFiles = 0x4,  // stereo kept as two mono files
    kCode8 = 0x8,
    kCode16 = 0x10,
    kCodeInt32 = 0x20,
    kCodeBigOrSigned = 0x40,  // big-endian; with kCode8 signed
    kCode20 = 0x100,
    kCode24 = 0x200,
    kCodeFloat = 0x400,
};

bool IsStandardLayout(uint32_t mask) { return mask == 1 || mask == 3 || mask == 15 || mask == 63; }

unsigned SizeCode(uint32_t flags) {
    if (flags & kBits8)
        return kCode8 | (flags & kSigned && !(flags & kMuLaw) ? kCodeBigOrSigned : 0);
    if (flags & kBits16)
        return kCode16;
    if (IsFloatFormat(flags))
        return kCodeFloat;
    if (IsInt32Format(flags))
        return kCodeInt32;
    if (flags & kBits20)
        return kCode20;
    if (flags & kBits24)
        return kCode24;
    return 0;
}

uint32_t FlagsOfCode(unsigned code) {
    bool marked = code & kCodeBigOrSigned;
    if (code & kCode8)
        return marked ? kSigned8 : kUnsigned8;
    if (code & kCode16)
        return marked ? kPcm16Big : kPcm16;
    if (code & kCode20)
        return marked ? kPcm20Big : kPcm20;
    if (code & kCode24)
        return marked ? kPcm24Big : kPcm24;
    if (code & kCodeInt32)
        return kInt32;
    if (code & kCodeFloat)
        return kFloat32;
    return kPcm16;
}

}  // namespace

int CountChannelBits(uint32_t mask) {
    int n = 0;
    for (; mask; mask &= mask - 1)
        ++n;
    return n;
}

int CountSelectedChannels(int selection) { return (selection >> 1 & 1) + (selection & 1); }

int ChannelBitOfIndex(int index) { return index == 0 ? 1 : 2; }

int AllChannelsMask(int count) { return count == 1 ? 1 : 3; }

uint32_t SampleFormatFlagsFromBits(int bits, uint32_t selector) {
    bool little = selector & 1;
    if (bits <= 8)
        return little ? kUnsigned8 : kSigned8;
    if (bits <= 16)
        return little ? kPcm16 : kPcm16Big;
    if (bits <= 20)
        return little ? kPcm20 : kPcm20Big;
    if (bits < 25)
        return little ? kPcm24 : kPcm24Big;
    return kInt32;
}

// ---- ChannelSet

void ChannelSet::SetMask(uint32_t mask) {
    mask_ = layout_ = mask;
    count_ = CountChannelBits(mask);
}

void ChannelSet::SetLayout(uint32_t mask) {
    mask_ = mask;
    count_ = CountChannelBits(mask);
    layout_ = IsStandardLayout(mask) ? mask : 0;
}

void ChannelSet::SetNumChannels(int count) {
    switch (count) {
    case 1: SetMask(1); break;
    case 2: SetMask(3); break;
    case 4: SetMask(15); break;
    case 6: SetMask(63); break;
    default: SetLayout(0); break;
    }
}

// ---- SampleFormat

void SampleFormat::SetBits(int newBits, uint32_t selector) {
    flags = SampleFormatFlagsFromBits(newBits, selector ? selector : flags & 0xFF);
    UpdateBits();
}

void SampleFormat::UpdateBits() {
    static struct {
        uint32_t flag;
        int bits;
    } const sizes[] = {{kBits8, 8},   {kBits12, 12}, {kBits16, 16}, {kBits20, 20},
                       {kBits24, 24}, {kBits32, 32}, {kBits64, 64}};
    bits = 0;
    for (auto const &size : sizes)
        if (flags & size.flag) {
            bits = size.bits;
            return;
        }
}

// ---- SamplePattern

SamplePattern::SamplePattern(uint32_t flags, int channels, int interleaved, uint32_t rate)
    : interleaved_(interleaved), rate_(rate) {
    SetNumChannels(channels);
    SetFlags(flags);
}

bool SamplePattern::IsSameFormat(SamplePattern const &other) const {
    return interleaved_ == other.interleaved_ && rate_ == other.rate_ && mask_ == other.mask_ &&
           format_.flags == other.format_.flags;
}

int SamplePattern::GetBytesPerFrame() const {
    return interleaved_ ? format_.GetBytesPerSample() * count_ : format_.GetBytesPerSample();
}

unsigned SamplePattern::GetFormatCode() const {
    unsigned code = 0;
    if (layout_ == 1)
        code = kCodeMono;
    else if (layout_ == 3)
        code = kCodeStereo | (interleaved_ ? 0 : kCodeTwoFiles);
    code |= SizeCode(format_.flags);
    // With 8 bits the bit means signed: a byte has no order.
    if (format_.flags & kBigEndian && !(format_.flags & kBits8))
        code |= kCodeBigOrSigned;
    return code;
}

// Bit 0x4 means two mono files, as GetFormatCode writes it.
void SamplePattern::SetFormatCode(unsigned code) {
    interleaved_ = code & kCodeTwoFiles ? 0 : 1;
    SetNumChannels(code & kCodeMono ? 1 : 2);
    SetFlags(FlagsOfCode(code));
}

// The texts of other bit counts take the count, so that 12 or 32 bits do not read as 16.
String SamplePattern::GetSampleSizeText() const {
    bool mono = count_ == 1;
    switch (format_.bits) {
    case 8: return String(FindCachedString(mono ? kTextSizeMono8 : kTextSizeMulti8));
    case 20: return String(FindCachedString(mono ? kTextSizeMono20 : kTextSizeMulti20));
    case 24: return String(FindCachedString(mono ? kTextSizeMono24 : kTextSizeMulti24));
    default: break;
    }
    char text[128];
    std::snprintf(text, sizeof text, FindCachedString(mono ? kTextSizeMono : kTextSizeMulti).c_str(), int(format_.bits));
    return String(text);
}

String SamplePattern::GetChannelsText() const {
    static String const one(FindCachedString(kTextOneChannel));
    static String const more(FindCachedString(kTextChannels));
    return count_ == 1 ? one : more;
}

String SamplePattern::GetBitsText() const {
    char text[16];
    std::snprintf(text, sizeof text, "%d", int(format_.bits));
    return String(text);
}

String SamplePattern::GetRateText(int inKHz) const {
    char text[32];
    if (inKHz)
        std::snprintf(text, sizeof text, "%u.%03u kHz", unsigned(rate_ / 1000), unsigned(rate_ % 1000));
    else
        std::snprintf(text, sizeof text, "%u Hz", unsigned(rate_));
    return String(text);
}

String SamplePattern::GetFormatText() const {
    int channels = count_ == 1 ? kTextOneChannel : interleaved_ ? kTextChannels : kTextTwoFiles;
    String text(FindCachedString(channels));
    text += ", ";
    switch (format_.bits) {
    case 8: text += "8 bit, "; break;
    case 16: text += "16 bit, "; break;
    case 20: text += "20 bit, "; break;
    case 24: text += "24 bit, "; break;
    default: break;
    }
    text += GetRateText(1);
    return text;
}
