// Pelrin through its entry point: 16-bit frames, sox's lengths, constants kept, impulses
// where the ratio puts them, and nothing left of a tone beyond the new Nyquist frequency.
#include "tests/modules/ModuleHarness.h"
#include "tests/modules/SignalKit.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace {

using namespace modtest;
using namespace signalkit;

float PitchWord(double from, double to) { return float(1 / (to / from)); }  // as the effect fills it

TEST(Pelrin, ToneBeyondTheNewNyquistFrequencyLeavesZeros) {
    Run16 run;
    run.input = ToSamples(Sine(44100, 15000, 44100, FullScale(-1)));
    ASSERT_EQ(run.Run(Loaded().resample, 44100, 0, PitchWord(44100, 22050)), 22050);
    long const margin = long(0.05 * 22050);
    auto const loud = std::find_if(run.output.begin() + margin, run.output.end() - margin, [](std::int16_t s) { return s; });
    EXPECT_EQ(loud, run.output.end() - margin) << "a sample at " << (loud - run.output.begin());
}

// sox's count floor(n fo / fi + 1/2), at least one frame; a constant stays exactly what it
// was, to the last frame; an impulse at 14700 lands on frame 16000 (14700 x 160 / 147),
// symmetric about it.
TEST(Pelrin, LengthsConstantsAndImpulses) {
    for (long n : {1L, 3L, 22051L, 44101L}) {
        SCOPED_TRACE(n);
        long const expected = std::max(1L, long(std::floor(n * 48000.0 / 44100 + 0.5)));
        Run16 constant;
        constant.input.assign(n, 10000);
        ASSERT_EQ(constant.Run(Loaded().resample, 44100, 0, PitchWord(44100, 48000)), expected);
        EXPECT_EQ(long(constant.output.size()), expected);
        EXPECT_TRUE(std::all_of(constant.output.begin(), constant.output.end(), [](std::int16_t s) { return s == 10000; }));
        if (n < 20000)
            continue;
        Run16 impulse;
        impulse.input.assign(n, 0);
        impulse.input[14700] = 20000;
        ASSERT_EQ(impulse.Run(Loaded().resample, 44100, 0, PitchWord(44100, 48000)), expected);
        auto const &y = impulse.output;
        EXPECT_EQ(std::max_element(y.begin(), y.end()) - y.begin(), 16000);
        for (long j = 1; j < 400; ++j)
            ASSERT_EQ(y[16000 - j], y[16000 + j]) << j;
    }
}

}  // namespace
