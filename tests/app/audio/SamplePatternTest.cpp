// Sample patterns: channel sets, sizes, format words and codes, and the format texts.
#include "audio/SamplePattern.h"

#include "tests/app/AppTestSupport.h"

#include <gtest/gtest.h>

TEST(ChannelSet, CountsMasksAndLayouts) {
    struct Case {
        char const *how;
        void (*set)(ChannelSet &);
        uint32_t mask;
        int count;
        uint32_t layout;
    } const cases[] = {
        {"1 channel", [](ChannelSet &c) { c.SetNumChannels(1); }, 1, 1, 1},
        {"2 channels", [](ChannelSet &c) { c.SetNumChannels(2); }, 3, 2, 3},
        {"3 channels", [](ChannelSet &c) { c.SetNumChannels(3); }, 0, 0, 0},
        {"6 channels", [](ChannelSet &c) { c.SetNumChannels(6); }, 63, 6, 63},
        {"-1 channels", [](ChannelSet &c) { c.SetNumChannels(-1); }, 0, 0, 0},
        {"mask 5", [](ChannelSet &c) { c.SetMask(5); }, 5, 2, 5},
        {"layout 5", [](ChannelSet &c) { c.SetLayout(5); }, 5, 2, 0},
        {"layout 15", [](ChannelSet &c) { c.SetLayout(15); }, 15, 4, 15},
    };
    for (auto const &c : cases) {
        SamplePattern p(kPcm16, 2, 1, 44100);
        c.set(p);
        EXPECT_EQ(c.mask, p.GetMask()) << c.how;
        EXPECT_EQ(c.count, p.GetNumChannels()) << c.how;
        EXPECT_EQ(c.layout, p.GetStandardLayout()) << c.how;
    }
    EXPECT_EQ(32, CountChannelBits(0xFFFFFFFFu));
    EXPECT_EQ(2, CountSelectedChannels(3));
    EXPECT_EQ(1, CountSelectedChannels(2));
    EXPECT_EQ(1, ChannelBitOfIndex(0));
    EXPECT_EQ(2, ChannelBitOfIndex(5));
    EXPECT_EQ(1, AllChannelsMask(1));
    EXPECT_EQ(3, AllChannelsMask(0));
}

TEST(SamplePattern, BitsAndSizesFollowTheFlags) {
    struct Case {
        uint32_t flags;
        int channels, interleaved;
        int bits, bytesPerSample, bytesPerFrame;
    } const cases[] = {
        {kUnsigned8, 1, 1, 8, 1, 1},  {kPcm16, 2, 1, 16, 2, 4},    {kPcm16, 2, 0, 16, 2, 2},
        {kPcm20, 2, 1, 20, 3, 6},     {kPcm24Big, 2, 1, 24, 3, 6}, {kInt32, 1, 1, 32, 4, 4},
        {kFloat32, 2, 1, 32, 4, 8},   {0x4105, 1, 1, 12, 2, 2},    {0x4505, 1, 1, 12, 4, 4},
        {0, 2, 1, 0, 0, 0},
    };
    for (auto const &c : cases) {
        SamplePattern p(c.flags, c.channels, c.interleaved, 8000);
        EXPECT_EQ(c.bits, p.GetBits()) << std::hex << c.flags;
        EXPECT_EQ(c.bytesPerSample, p.GetBytesPerSample()) << std::hex << c.flags;
        EXPECT_EQ(c.bytesPerFrame, p.GetBytesPerFrame()) << std::hex << c.flags;
        EXPECT_EQ(3 * c.bytesPerFrame, p.FramesToBytes(3));
    }
    EXPECT_EQ(0, SamplePattern().GetBytesPerFrame());
}

TEST(SampleFormat, FlagsFromBitsAndSelector) {
    struct Case {
        int bits;
        uint32_t selector, flags;
    } const cases[] = {
        {8, 1, kUnsigned8}, {16, 1, kPcm16}, {20, 1, kPcm20}, {24, 1, kPcm24}, {32, 1, kInt32},
        {8, 0, kSigned8},   {12, 0, kPcm16Big}, {20, 0, kPcm20Big}, {24, 0, kPcm24Big}, {25, 0, kInt32},
    };
    for (auto const &c : cases)
        EXPECT_EQ(c.flags, SampleFormatFlagsFromBits(c.bits, c.selector)) << c.bits << " " << c.selector;
    SampleFormat big;
    big.flags = kPcm16Big;
    big.SetBits(24, 0);  // keeps big-endian
    EXPECT_EQ(uint32_t(kPcm24Big), big.flags);
    EXPECT_EQ(24, big.bits);
}

// Every standard word as mono, stereo and two mono files.
TEST(SamplePattern, FormatCodeBothWays) {
    struct Word {
        uint32_t flags;
        unsigned size;  // the code's size and order bits
        uint32_t back;  // the word the code gives back
    } const words[] = {
        {kUnsigned8, 0x008, kUnsigned8}, {kSigned8, 0x048, kSigned8}, {kMuLaw8, 0x008, kUnsigned8},
        {kPcm16, 0x010, kPcm16},         {kPcm16Big, 0x050, kPcm16Big}, {kPcm20, 0x100, kPcm20},
        {kPcm20Big, 0x140, kPcm20Big},   {kPcm24, 0x200, kPcm24},       {kPcm24Big, 0x240, kPcm24Big},
        {kInt32, 0x020, kInt32},         {kFloat32, 0x400, kFloat32},
    };
    struct Layout {
        int channels, interleaved;
        unsigned code;
    } const layouts[] = {{1, 1, 0x1}, {2, 1, 0x2}, {2, 0, 0x6}};
    for (Word const &w : words)
        for (Layout const &l : layouts) {
            SamplePattern p(w.flags, l.channels, l.interleaved, 22050);
            unsigned code = w.size | l.code;
            EXPECT_EQ(code, p.GetFormatCode()) << std::hex << w.flags << " " << l.code;
            SamplePattern back;
            back.SetFormatCode(code);
            EXPECT_EQ(w.back, back.GetFlags()) << std::hex << code;
            EXPECT_EQ(l.channels, back.GetNumChannels()) << std::hex << code;
            EXPECT_EQ(l.interleaved, back.IsInterleaved()) << std::hex << code;
        }
    SamplePattern none;
    none.SetFormatCode(0);
    EXPECT_EQ(2, none.GetNumChannels());
    EXPECT_EQ(uint32_t(kPcm16), none.GetFlags());
    EXPECT_EQ(0x10u, SamplePattern(kPcm16, 4, 1, 8000).GetFormatCode()) << "no channel bit for four channels";
}

TEST(SamplePattern, SameFormatComparesInterleavingRateMaskAndFlags) {
    SamplePattern a(kPcm16, 2, 1, 44100);
    EXPECT_TRUE(a.IsSameFormat(SamplePattern(kPcm16, 2, 1, 44100)));
    EXPECT_FALSE(a.IsSameFormat(SamplePattern(kPcm16, 2, 0, 44100)));
    EXPECT_FALSE(a.IsSameFormat(SamplePattern(kPcm16, 2, 1, 48000)));
    EXPECT_FALSE(a.IsSameFormat(SamplePattern(kPcm16, 1, 1, 44100)));
    EXPECT_FALSE(a.IsSameFormat(SamplePattern(kPcm16Big, 2, 1, 44100)));
    SamplePattern copy;
    copy = a;
    EXPECT_TRUE(copy.IsSameFormat(a));
}

TEST(SamplePattern, Texts) {
    apptest::UseEnglishTexts();
    EXPECT_STREQ("44.100 kHz", SamplePattern(kPcm16, 2, 1, 44100).GetRateText(1).c_str());
    EXPECT_STREQ("8.000 kHz", SamplePattern(kPcm16, 2, 1, 8000).GetRateText(1).c_str());
    EXPECT_STREQ("11.025 kHz", SamplePattern(kPcm16, 2, 1, 11025).GetRateText(1).c_str());
    EXPECT_STREQ("11025 Hz", SamplePattern(kPcm16, 2, 1, 11025).GetRateText(0).c_str());
    EXPECT_STREQ("24", SamplePattern(kPcm24, 2, 1, 11025).GetBitsText().c_str());
    EXPECT_STREQ("Stereo, 16 bit, 44.100 kHz", SamplePattern(kPcm16, 2, 1, 44100).GetFormatText().c_str());
    EXPECT_STREQ("Stereo (two files), 24 bit, 48.000 kHz", SamplePattern(kPcm24, 2, 0, 48000).GetFormatText().c_str());
    EXPECT_STREQ("Mono, 22.050 kHz", SamplePattern(0x4105, 1, 1, 22050).GetFormatText().c_str());
    EXPECT_STREQ("Mono", SamplePattern(kPcm16, 1, 1, 8000).GetChannelsText().c_str());
    EXPECT_STREQ("Stereo", SamplePattern(kPcm16, 2, 1, 8000).GetChannelsText().c_str());
    struct Case {
        uint32_t flags;
        int channels;
        char const *text;
    } const sizes[] = {{kUnsigned8, 1, "8-bit mono"}, {kPcm16, 1, "16-bit mono"},  {kUnsigned8, 2, "8-bit stereo"},
                       {kPcm16, 2, "16-bit stereo"},  {kPcm20, 1, "20-bit mono"},  {kPcm24, 1, "24-bit mono"},
                       {kPcm20, 2, "20-bit stereo"},  {kPcm24, 2, "24-bit stereo"},  {0x4105, 1, "12-bit mono"},
                       {kInt32, 2, "32-bit stereo"},  {kFloat32, 1, "32-bit mono"}};
    for (auto const &c : sizes)
        EXPECT_STREQ(c.text, SamplePattern(c.flags, c.channels, 1, 8000).GetSampleSizeText().c_str());
}
