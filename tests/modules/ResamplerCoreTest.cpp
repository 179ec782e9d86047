// The resampler's double-precision core, the one both modules use: flat, aligned and
// clean at every ratio, a tone beyond the lower Nyquist frequency gone.
#include "Dsp/Resampler.h"
#include "tests/modules/SignalKit.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <vector>

namespace {

using namespace signalkit;

void *__cdecl Allocate(std::int32_t bytes) { return std::malloc(bytes); }
void __cdecl Release(void *p) { std::free(p); }

struct ArraySource : dsp::FrameSource {
    std::vector<double> x;
    size_t at = 0;
    int Pull(double *const *channels, int frames) override {
        int n = 0;
        for (; n < frames && at < x.size(); ++n)
            channels[0][n] = x[at++];
        return n;
    }
};

struct Conversion {
    double from, to;
};

std::vector<double> Convert(Conversion c, std::vector<double> input, long frames) {
    dsp::Arena arena(Allocate, Release);
    ArraySource source;
    source.x = std::move(input);
    dsp::Resampler resampler;
    EXPECT_TRUE(resampler.Init(arena, source, 1, dsp::RateRatio(int(c.from), float(c.from / c.to)),
                               long(source.x.size()), frames));
    std::vector<double> y(frames);
    double *out[1] = {y.data()};
    EXPECT_EQ(resampler.Pull(out, int(frames)), frames);
    return y;
}

class ResamplerCore : public ::testing::TestWithParam<Conversion> {};

// Tones up to 95 % of the lower Nyquist frequency: gain within 0.01 dB, no shift (output
// frame j stands at input time j / fo) and what the fitted sine leaves at most -140 dB. When
// decimating, a tone just past the lower Nyquist frequency rides along and must vanish.
TEST_P(ResamplerCore, KeepsThePassbandAndRemovesTheRest) {
    Conversion const c = GetParam();
    double const nyquist = std::min(c.from, c.to) / 2;
    long const frames = 6000;
    long const input = long(frames * c.from / c.to) + 1;
    for (double part : {0.1, 0.5, 0.95}) {
        double const f = part * nyquist;
        std::vector<double> x = Sine(input, f, c.from, 1);
        if (c.to < c.from) {
            std::vector<double> const beyond = Sine(input, 1.005 * nyquist, c.from, 1);
            for (long i = 0; i < input; ++i)
                x[i] += beyond[i];
        }
        std::vector<double> const y = Convert(c, x, frames);
        SineFit const fit = FitSine(y, f, c.to, frames / 4, frames * 3 / 4);
        double const offset = fit.phase / (2 * kPi * f / c.to);
        SCOPED_TRACE(testing::Message() << c.from << " -> " << c.to << " at " << f << " Hz");
        EXPECT_NEAR(20 * std::log10(fit.amplitude), 0, 0.01);
        EXPECT_LE(std::fabs(offset), 0.001);
        EXPECT_GE(fit.thdnDb, 140);
    }
}

INSTANTIATE_TEST_SUITE_P(Ratios, ResamplerCore,
                         ::testing::Values(Conversion{44100, 48000}, Conversion{48000, 44100},
                                           Conversion{44100, 22050}, Conversion{8000, 44100},
                                           Conversion{96000, 2000}, Conversion{44100, 44101}));

}  // namespace
