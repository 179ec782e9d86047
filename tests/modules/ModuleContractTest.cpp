// What every processing module owes its caller: a cancel or a short write stops it at
// once with the frames written reported, a block it cannot take is refused without a
// call-back, its memory is bounded whatever the length and all given back, progress rises
// from 0 to 1, and the channels are treated alike (the right the negative of the left
// stays so).
#include "tests/modules/ModuleHarness.h"
#include "tests/modules/SignalKit.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>

namespace {

using namespace modtest;
using namespace signalkit;

std::vector<std::int16_t> Noise(long samples, int level = 12000) {
    std::vector<std::int16_t> s(samples);
    std::uint32_t state = 12345;
    for (auto &v : s) {
        state = state * 1664525 + 1013904223;
        v = std::int16_t(int(state >> 16) % (2 * level + 1) - level);
    }
    return s;
}

constexpr int kRate = 8000;

// A use of Pelrin or Dastrel as the effects fill its block, at 8 kHz.
struct Use {
    bool resampler;  // Pelrin, else Dastrel
    float time, pitch;
    ModuleProcessEntry Entry() const { return resampler ? Loaded().resample : Loaded().correct; }
    long Expected(long n) const {
        if (!resampler)
            return Loaded().expected(n, time);
        double const to = std::round(kRate / double(pitch));
        return long(std::floor(n * to / kRate + 0.5));
    }
};

Use Resample(double to) { return {true, 0, float(1 / (to / kRate))}; }
Use Correct(double time, double pitch) { return {false, float(time), float(pitch)}; }

Use const kUses[] = {Resample(6000), Resample(11025), Correct(0.8, 1), Correct(1, 2),
                     Correct(6000.0 / kRate, kRate / 6000.0)};

class EveryModule : public ::testing::TestWithParam<Use> {};

TEST_P(EveryModule, StopsAtACancelOrAShortWrite) {
    Use const u = GetParam();
    for (int fault = 0; fault < 2; ++fault) {
        Run16 run;
        run.channels = 2;
        run.input = Noise(2 * kRate * 3);
        if (fault)
            run.acceptFrames = 5000;
        else
            run.cancelAtRead = 6;
        std::int32_t const out = run.Run(u.Entry(), kRate, u.time, u.pitch);
        SCOPED_TRACE(fault ? "short write" : "cancel");
        EXPECT_EQ(out, long(run.output.size()) / 2);
        if (fault) {
            EXPECT_EQ(out, 5000);
        } else {
            EXPECT_LT(out, u.Expected(kRate * 3));
        }
        EXPECT_EQ(run.trace.callsAfterStop, 0);
        EXPECT_EQ(Memory().live, 0);
    }
}

TEST_P(EveryModule, RefusesWhatItCannotTake) {
    Use const u = GetParam();
    float const nan = std::numeric_limits<float>::quiet_NaN(), inf = std::numeric_limits<float>::infinity();
    struct Spoil {
        char const *what;
        void (*apply)(ModuleBlock &);
    } const spoils[] = {
        {"no frames", [](ModuleBlock &b) { b.frames = 0; }},
        {"negative frames", [](ModuleBlock &b) { b.frames = -5; }},
        {"no channels", [](ModuleBlock &b) { b.channels = 0; }},
        {"three channels", [](ModuleBlock &b) { b.channels = 3; }},
        {"no rate", [](ModuleBlock &b) { b.rate = 0; }},
        {"no reader", [](ModuleBlock &b) { b.read = nullptr; }},
    };
    float const badRatios[] = {nan, inf, -1, 0, 1.0f / 65, 65};
    Run16 run;
    run.input = Noise(10000);
    auto refused = [&](ModuleBlock block, char const *what) {
        SCOPED_TRACE(what);
        EXPECT_EQ(run.Run(u.Entry(), block), 0);
        EXPECT_EQ(run.trace.reads + run.trace.writes, 0);
        EXPECT_EQ(Memory().live, 0);
    };
    for (Spoil const &s : spoils) {
        ModuleBlock b = run.Block(kRate, u.time, u.pitch);
        s.apply(b);
        refused(b, s.what);
    }
    for (float r : badRatios) {
        refused(run.Block(kRate, u.time, r), "pitch ratio");
        if (!u.resampler)
            refused(run.Block(kRate, r, u.pitch), "time factor");
    }
    if (!u.resampler) {
        refused(run.Block(kRate, 3, 3), "stretch of 9");
        refused(run.Block(kRate, 0.25f, 0.25f), "stretch of 1/16");
    }
}

// Peak memory of a one-minute and a ten-minute run: the same, below 16 MiB; every frame read
// once and in order, progress rising to 1.
TEST_P(EveryModule, HoldsItsMemoryWhateverTheLength) {
    Use const u = GetParam();
    long long peaks[2];
    for (int minutes : {1, 10}) {
        Run16 run;
        run.input = Noise(kRate * 60L * minutes);
        Memory().peak = Memory().bytes;
        std::int32_t const out = run.Run(u.Entry(), kRate, u.time, u.pitch);
        SCOPED_TRACE(minutes);
        EXPECT_EQ(out, u.Expected(long(run.input.size())));
        EXPECT_EQ(run.trace.readFrames, long(run.input.size()));
        EXPECT_FALSE(run.trace.pastEnd);
        EXPECT_TRUE(run.trace.ProgressRises());
        EXPECT_EQ(run.trace.progress.back(), 1.0f);
        EXPECT_EQ(Memory().live, 0);
        peaks[minutes > 1] = Memory().peak;
    }
    EXPECT_EQ(peaks[0], peaks[1]);
    EXPECT_LT(peaks[1], 16 << 20);
}

TEST_P(EveryModule, TreatsTheChannelsAlike) {
    Use const u = GetParam();
    Run16 run;
    run.channels = 2;
    run.input = Opposed(Noise(kRate * 2));
    std::int32_t const out = run.Run(u.Entry(), kRate, u.time, u.pitch);
    ASSERT_EQ(out, u.Expected(kRate * 2));
    for (long i = 0; i < out; ++i)
        ASSERT_EQ(run.output[2 * i + 1], -run.output[2 * i]) << i;
}

INSTANTIATE_TEST_SUITE_P(Uses, EveryModule, ::testing::ValuesIn(kUses),
                         [](testing::TestParamInfo<Use> const &info) { return std::to_string(info.index); });

TEST(Dastrel, CopiesExactlyAtTimeAndPitchOne) {
    Run16 run;
    run.channels = 2;
    run.input = Noise(2 * 30000, 32767);
    ASSERT_EQ(run.Run(Loaded().correct, 44100, 1, 1), 30000);
    EXPECT_EQ(run.output, run.input);
}

TEST(Dastrel, ExpectedSizeRefusesWhatTheProcessRefuses) {
    EXPECT_EQ(Loaded().expected(0, 1), 0);
    EXPECT_EQ(Loaded().expected(100, 100), 0);
    EXPECT_EQ(Loaded().expected(0x7FFFFFFF, 2), 0);
    EXPECT_EQ(Loaded().expected(1, 0.1f), 1);
    // a rate conversion's float gives sox's count, an hour of 44.1 kHz to 48 kHz included
    EXPECT_EQ(Loaded().expected(158760000, float(48000.0 / 44100)), 172800000);
}

TEST(Filter, HoldsTheContractOfTheModules) {
    for (int minutes : {1, 10}) {
        RunFloat run;
        std::vector<std::int16_t> const noise = Noise(kRate * 60L * minutes);
        run.input.assign(noise.begin(), noise.end());
        FilterJob job = run.Job(kRate);
        job.upperGain = 6, job.lowerGain = -6, job.bandGain = 12, job.bandCentre = 2500, job.bandQuality = 1;
        Memory().peak = Memory().bytes;
        run.Run(job);
        EXPECT_EQ(run.output.size(), run.input.size());
        EXPECT_FALSE(run.trace.pastEnd);
        EXPECT_TRUE(run.trace.ProgressRises());
        EXPECT_EQ(Memory().live, 0);
        EXPECT_LT(Memory().peak, 16 << 20);
    }
    for (int fault = 0; fault < 2; ++fault) {
        RunFloat run;
        run.input.assign(50000, 0.25f);
        if (fault)
            run.acceptFrames = 5000;
        else
            run.cancelAtRead = 3;
        FilterJob job = run.Job(44100);
        job.upperGain = 6;
        run.Run(job);
        EXPECT_EQ(run.trace.callsAfterStop, 0);
        EXPECT_EQ(Memory().live, 0);
    }
    for (int channels : {0, 3}) {
        RunFloat run;
        run.input.assign(1000, 0.25f);
        FilterJob job = run.Job(44100);
        job.channels = channels;
        run.Run(job);
        EXPECT_EQ(run.trace.reads + run.trace.writes, 0);
        EXPECT_EQ(Memory().live, 0);
    }
}

}  // namespace
