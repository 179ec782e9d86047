// The operations that compute samples: exact results on ramps whose range crosses two
// segments at 16 and 24 bits, mix divisors, peaks, the scaled writer, level conversion,
// and a cancel that leaves the wave as it was.
#include "audio/LevelConversion.h"
#include "audio/VirtualFileIterator.h"
#include "audio/Wave.h"
#include "bars/Progress.h"
#include "foundation/Exception.h"

#include "tests/app/AppTestSupport.h"
#include "tests/app/audio/AudioFileTestKit.h"
#include "tests/app/audio/WaveFixture.h"
#include "tests/app/audio/WaveTestKit.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>

namespace {

using namespace audiotest;
using namespace wavetest;

int32_t const kMax24 = 8388607, kMin24 = -8388608;

// frames values from f(frame), on the 24-bit scale.
Samples Values(int frames, std::function<int32_t(int)> const &f) {
    Samples values;
    for (int i = 0; i < frames; ++i)
        values.push_back(f(i));
    return values;
}

// A wave of the values whose frames from split on lie in a second file.
Wave *Spliced(std::vector<Samples> const &values, int bits, int split) {
    std::vector<Samples> head, tail;
    for (Samples const &v : values) {
        head.push_back(Samples(v.begin(), v.begin() + split));
        tail.push_back(Samples(v.begin() + split, v.end()));
    }
    std::unique_ptr<Wave> wave(WaveOfValues(head, bits));
    std::unique_ptr<Wave> second(WaveOfValues(tail, bits));
    wave->InsertFrom(split, split - 1, 3, *second, 0);
    wave->UpdateLength(1);
    return wave.release();
}

std::vector<Samples> Channels(Wave &wave) {
    std::vector<Samples> channels;
    for (int c = 0; c < wave.GetNumChannels(); ++c)
        channels.push_back(ReadChannel(wave, c));
    return channels;
}

class SampleOps : public WaveFixture {};

TEST_F(SampleOps, ReverseAndInvertAreExactAcrossSegmentsAtEveryScale) {
    // 16 bits: a ramp over most of the range; 24 bits: steps no 16-bit sample has, one
    // 0x123456 and the extremes.
    Samples ramp16 = Values(1000, [](int i) { return (i - 500) * 60 * 256; });
    Samples ramp24 = Values(1000, [](int i) { return i == 321 ? 0x123456 : (i - 500) * 16000 + 7; });
    ramp16[10] = -32768 * 256;
    ramp16[11] = 32767 * 256;
    ramp24[10] = kMin24;
    ramp24[11] = kMax24;
    auto negated = [](Samples v) {
        for (int32_t &x : v)
            x = -x;
        return v;
    };
    enum Op { kReverse, kInvert };
    struct Case {
        char const *what;
        Op op;
        int bits, mask, start, end;
        Samples left, right;
        std::function<int32_t(int32_t)> invert;  // one sample inverted, on the 24-bit scale
    } const cases[] = {
        {"reverse 16 both", kReverse, 16, 3, 300, 700, ramp16, negated(ramp16), nullptr},
        {"reverse 16 right", kReverse, 16, 2, 300, 700, ramp16, negated(ramp16), nullptr},
        {"reverse 24 whole", kReverse, 24, 3, 0, 999, ramp24, negated(ramp24), nullptr},
        {"invert 16", kInvert, 16, 3, 0, 999, ramp16, ramp16,
         [](int32_t v) { return -std::max(v / 256, -32767) * 256; }},
        {"invert 24 left", kInvert, 24, 1, 5, 600, ramp24, ramp24, [](int32_t v) { return -std::max(v, kMin24 + 1); }},
    };
    for (Case const &c : cases) {
        std::unique_ptr<Wave> wave(Spliced({c.left, c.right}, c.bits, 500));
        std::vector<Samples> before = Channels(*wave), expected = before;
        for (int ch = 0; ch < 2; ++ch) {
            if (!(c.mask & (1 << ch)))
                continue;
            Samples &v = expected[size_t(ch)];
            if (c.op == kReverse)
                std::reverse(v.begin() + c.start, v.begin() + c.end + 1);
            else
                std::transform(v.begin() + c.start, v.begin() + c.end + 1, v.begin() + c.start, c.invert);
        }
        if (c.op == kReverse)
            wave->Reverse(c.mask, c.start, c.end, 1);
        else
            wave->InvertPhase(c.mask, c.start, c.end, 1);
        EXPECT_TRUE(expected == Channels(*wave)) << c.what;
        EXPECT_EQ(1, wave->GetNumUndoMementos()) << c.what;
        wave->UndoCurrentState();
        EXPECT_TRUE(before == Channels(*wave)) << c.what << ": undone";
        wave->RedoLastUndoneState();
        EXPECT_TRUE(expected == Channels(*wave)) << c.what << ": redone";
    }
    std::unique_ptr<Wave> wave(Spliced({ramp16}, 16, 500));
    wave->Reverse(1, 400, 400, 1);
    EXPECT_EQ(0, wave->GetNumUndoMementos()) << "one frame is its own reverse";
}

TEST_F(SampleOps, DcOffsetIsMeasuredAndRemovedUnlessWithinOneStep) {
    auto alternating = [](int mean, int swing, int unit) {
        return Values(2000, [=](int i) { return (mean + (i % 2 ? swing : -swing)) * unit; });
    };
    struct Case {
        char const *what;
        int bits, unit, leftMean, rightMean;
        bool removed;
    } const cases[] = {
        {"16 bits", 16, 256, 100, -7, true},
        {"means 1 and -1", 16, 256, 1, -1, false},
        {"24 bits", 24, 1, 1000, 3, true},
        {"24 bits within 256", 24, 1, 256, -200, false},
    };
    for (Case const &c : cases) {
        Samples left = alternating(c.leftMean, 50, c.unit), right = alternating(c.rightMean, 20, c.unit);
        std::unique_ptr<Wave> wave(Spliced({left, right}, c.bits, 1000));
        int l = 0, r = 0;
        wave->MeasureDcOffset(3, 0, 1999, l, r);
        EXPECT_EQ(c.leftMean * c.unit / 256, l) << c.what;
        EXPECT_EQ(c.rightMean * c.unit / 256, r) << c.what;
        wave->RemoveDcOffset(3, 0, 1999, 1);
        EXPECT_EQ(c.removed ? 1 : 0, wave->GetNumUndoMementos()) << c.what;
        if (c.removed) {
            EXPECT_TRUE(alternating(0, 50, c.unit) == ReadChannel(*wave, 0)) << c.what;
            EXPECT_TRUE(alternating(0, 20, c.unit) == ReadChannel(*wave, 1)) << c.what;
        }
    }
}

TEST_F(SampleOps, MixPasteScalesEachSideByItsDivisorAndReadsSilencePastTheEnd) {
    Samples own = Values(100, [](int i) { return (i * 300 - 15000) * 256; });
    Samples theirs = Values(50, [](int i) { return (20000 - i * 700) * 256; });
    auto mixed = [&](int i, int position, int ownDivisor, int sourceDivisor) {
        auto side = [](int64_t v, int d) { return d == 0 ? 0 : d < 0 ? v : v * 16384 / d; };
        int64_t mine = position + i < 100 ? own[size_t(position + i)] / 256 : 0;
        int64_t sum = side(mine, ownDivisor) + side(theirs[size_t(i)] / 256, sourceDivisor);
        return int32_t(std::min<int64_t>(std::max<int64_t>(sum, -32768), 32767) * 256);
    };
    struct Case {
        int position, ownDivisor, sourceDivisor;
    } const cases[] = {{10, 16384, 16384}, {10, 8192, 8192}, {10, 0, 16384}, {10, -1, -1}, {80, 16384, 16384}};
    for (Case const &c : cases) {
        std::string what = std::to_string(c.ownDivisor) + "/" + std::to_string(c.sourceDivisor) + " at " +
                           std::to_string(c.position);
        std::unique_ptr<Wave> wave(Spliced({own}, 16, 40)), source(Spliced({theirs}, 16, 20));
        Samples expected = own;
        expected.resize(size_t(std::max(100, c.position + 50)), 0);
        for (int i = 0; i < 50; ++i)
            expected[size_t(c.position + i)] = mixed(i, c.position, c.ownDivisor, c.sourceDivisor);
        wave->MixPaste(1, c.position, c.ownDivisor, *source, 1, 0, 49, c.sourceDivisor, 1, 1);
        EXPECT_TRUE(expected == ReadChannel(*wave, 0)) << what;
        EXPECT_EQ(c.position, wave->GetSelectionStart()) << what;
        EXPECT_EQ(c.position + 49, wave->GetSelectionEnd()) << what;
    }
    // 24 bits keep what 16 bits would lose.
    std::unique_ptr<Wave> wide(Spliced({Values(10, [](int i) { return i * 1001; })}, 24, 5));
    std::unique_ptr<Wave> add(Spliced({Values(10, [](int i) { return 3 - i; })}, 24, 5));
    wide->MixPaste(1, 0, 16384, *add, 1, 0, 9, 16384, 0, 1);
    EXPECT_TRUE(Values(10, [](int i) { return i * 1001 + 3 - i; }) == ReadChannel(*wide, 0));
}

TEST_F(SampleOps, FindPeakTakesTheFirstLargestAndStopsAtFullScale) {
    struct Case {
        char const *what;
        Samples left, right;
        int mask;
        int channel, position, peak16;
        int32_t peak24;
    } const cases[] = {
        {"right larger", {100, -300, 200}, {0, 0, 400}, 3, 2, 2, 1, 400},
        {"left first at a tie", {0, 5000, 0}, {0, -5000, 0}, 3, 1, 1, 19, 5000},
        {"later equal loses", {7000, 0, -7000}, {0, 0, 0}, 1, 1, 0, 27, 7000},
        {"full scale stops", {0, kMin24, 0}, {0, 0, kMax24}, 3, 1, 1, 32767, kMax24},
        {"silence", {0, 0, 0}, {0, 0, 0}, 3, 3, 0, 0, 0},
        {"right not asked", {10, 0, 0}, {0, 90000, 0}, 1, 1, 0, 0, 10},
    };
    for (Case const &c : cases) {
        std::unique_ptr<Wave> wave(Spliced({c.left, c.right}, 24, 1));
        int channel = c.mask, peak16 = -1;
        int32_t peak24 = -1;
        EXPECT_EQ(c.position, wave->FindPeak(channel, 0, 2, peak16, peak24)) << c.what;
        EXPECT_EQ(c.channel, channel) << c.what;
        EXPECT_EQ(c.peak16, peak16) << c.what;
        EXPECT_EQ(c.peak24, peak24) << c.what;
    }
}

TEST_F(SampleOps, TheScaledWriterNormalizesOrKeepsInsideFullScale) {
    struct Case {
        char const *what;
        int bits, level, normalize;
        int32_t peak;
        double factor;
    } const cases[] = {
        {"normalized to half", 16, 16384, 1, 8000, 16384.0 / 8000},
        {"peak under full scale", 16, 0, 0, 30000, 1.0},
        {"peak over full scale", 16, 0, 0, 65534, 32767.0 / 65534},
        {"24 bits normalized", 24, 32767, 1, 1000000, 8388352.0 / 1000000},
    };
    for (Case const &c : cases) {
        int unit = c.bits == 16 ? 256 : 1;
        Samples left = Values(3000, [&](int i) { return (i % 200 - 100) * 40 * unit; });
        Samples right = Values(3000, [&](int i) { return (100 - i % 100) * 7 * unit; });
        std::unique_ptr<Wave> source(Spliced({left, right}, c.bits, 1500));
        std::unique_ptr<Wave> target(Wave::CreateTempWave(3000, 2, 44100, c.bits));
        FileReadBuffer buffer(2);
        WaveInIterator first(buffer, 0, source->GetChannel(0), 0, -1), second(buffer, 1, source->GetChannel(1), 0, -1);
        source->WriteScaled(*target, 2500, 3, c.level, c.peak, c.normalize, first, second, 0);
        EXPECT_EQ(2500, target->GetLength()) << c.what;
        Samples written[2] = {ReadChannel(*target, 0), ReadChannel(*target, 1)};
        Samples const *from[2] = {&left, &right};
        for (int ch = 0; ch < 2; ++ch)
            for (int i = 0; i < 2500; ++i) {
                int32_t value = (*from[ch])[size_t(i)] / unit;
                int32_t scaled = c.factor == 1.0 ? value : int32_t(value * c.factor);
                ASSERT_EQ(scaled * unit, written[ch][size_t(i)]) << c.what << " channel " << ch << " frame " << i;
            }
    }
}

TEST_F(SampleOps, LevelsTurnIntoAmplitudes) {
    EXPECT_NEAR(96.3296, FullScaleDecibels(), 1e-4);
    EXPECT_EQ(32767, LevelToAmplitude(FullScaleDecibels()));
    EXPECT_EQ(16422, LevelToAmplitude(FullScaleDecibels() - 6));
    EXPECT_EQ(0, LevelToAmplitude(0.0));
    EXPECT_EQ(0, LevelToAmplitude(-0.0));
    EXPECT_EQ(5, LevelToAmplitude(20));
}

TEST_F(SampleOps, ACancelLeavesTheWaveAndNoWorkFile) {
    Samples ramp = Values(20000, [](int i) { return (i % 1000 - 500) * 256; });
    std::unique_ptr<Wave> wave(Spliced({ramp, ramp}, 16, 7000));
    std::vector<std::string> files = FilesIn(dir.Path());
    for (auto op : std::vector<std::function<void()>>{[&] { wave->Reverse(3, 0, 19999, 1); },
                                                      [&] { wave->InvertPhase(1, 100, 19000, 1); },
                                                      [&] { wave->MixPaste(3, 10, 16384, *wave, 3, 0, 9000, 8192, 1, 1); }}) {
        SetProgressCancelAtCheck(3);
        EXPECT_THROW(op(), AException);
        SetProgressCancelAtCheck(0);
        EXPECT_TRUE(ramp == ReadChannel(*wave, 0));
        EXPECT_TRUE(ramp == ReadChannel(*wave, 1));
        EXPECT_EQ(0, wave->GetNumUndoMementos());
        EXPECT_FALSE(wave->IsBusy());
        EXPECT_EQ(files, FilesIn(dir.Path()));
    }
}

}  // namespace
