// Dastrel through its entry points: exact lengths, pitch kept under a time stretch and
// changed by exactly the ratio under a pitch change, level steady, onsets kept once and
// where the stretch puts them.
#include "tests/modules/ModuleHarness.h"
#include "tests/modules/SignalKit.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using namespace modtest;
using namespace signalkit;

constexpr double kRate = 44100;

struct Correction {
    float time;   // the block's time factor
    float pitch;  // and its pitch ratio
};

std::vector<double> Correct(std::vector<double> const &x, Correction c) {
    Run16 run;
    run.input = ToSamples(x);
    long const expected = Loaded().expected(long(x.size()), c.time);
    EXPECT_EQ(expected, long(std::floor(x.size() * double(c.time) + 0.5)));
    EXPECT_EQ(run.Run(Loaded().correct, int(kRate), c.time, c.pitch), expected);
    EXPECT_EQ(long(run.output.size()), expected);
    EXPECT_FALSE(run.trace.pastEnd);
    return ToSignal(run.output);
}

class DastrelTone : public ::testing::TestWithParam<Correction> {};

// A 440 Hz tone comes out at 440 Hz times the pitch ratio (within 0.05 %), its level steady
// over windows of ten periods (within 0.1 dB).
TEST_P(DastrelTone, KeepsFrequencyAndLevel) {
    Correction const c = GetParam();
    std::vector<double> const y = Correct(Sine(long(kRate * 1.5), 440, kRate, FullScale(-1)), c);
    double const f = 440 * double(c.pitch);
    long const edge = long(y.size()) / 10;
    EXPECT_NEAR(MeasureFrequency(y, f, kRate, edge, long(y.size()) - edge) / f, 1, 0.0005);
    EXPECT_LE(LevelSpreadDb(y, long(10 * kRate / f), edge, long(y.size()) - edge), 0.1);
}

INSTANTIATE_TEST_SUITE_P(Stretches, DastrelTone,
                         ::testing::Values(Correction{0.5f, 1}, Correction{0.8f, 1}, Correction{1.25f, 1},
                                           Correction{2, 1}, Correction{1, 2}, Correction{1, 0.5f},
                                           Correction{1, float(std::pow(2.0, 7 / 1200.0))},
                                           Correction{1, float(std::pow(2.0, 50 / 1200.0))},
                                           Correction{1, float(std::pow(2.0, -33 / 1200.0))}));

struct Clicks {
    Correction correction;
    double where;      // the output position of input time t is t x where
    double tolerance;  // seconds
};

class DastrelClicks : public ::testing::TestWithParam<Clicks> {};

// 15 clicks 250 ms apart on a quiet tone: each comes out once, where the stretch puts it,
// at its own peak (within 1 dB).
TEST_P(DastrelClicks, ComeOutOnceInPlace) {
    Clicks const c = GetParam();
    std::vector<long> at;
    for (int i = 0; i < 15; ++i)
        at.push_back(long(kRate * (0.3 + 0.25 * i)));
    std::vector<double> const x = ClickTrack(long(kRate * 4), kRate, at);
    std::vector<double> const y = Correct(x, c.correction);
    std::vector<Peak> const peaks = FindPeaks(y, FullScale(-12), long(kRate * 0.05));
    ASSERT_EQ(peaks.size(), 15u);
    for (int i = 0; i < 15; ++i) {
        SCOPED_TRACE(i);
        EXPECT_NEAR((peaks[i].at - at[i] * c.where) / kRate, 0, c.tolerance);
        if (c.correction.pitch == 1) {
            EXPECT_NEAR(20 * std::log10(peaks[i].magnitude / FullScale(-3)), 0, 1);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Corrections, DastrelClicks,
                         ::testing::Values(Clicks{{0.5f, 1}, 0.5, 0.01}, Clicks{{0.8f, 1}, 0.8, 0.01},
                                           Clicks{{1.25f, 1}, 1.25, 0.01}, Clicks{{2, 1}, 2, 0.01},
                                           Clicks{{1, 2}, 1, 0.002}, Clicks{{1, 0.5f}, 1, 0.002}));

}  // namespace
