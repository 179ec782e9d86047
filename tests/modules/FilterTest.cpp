// The filter module through _StartFilter: the equaliser's curve held to 0.1 dB from 20 Hz to
// 0.45 times the rate for every section at the bounds the effect allows, a mix of all
// three, all gains 0 leaving the samples untouched, and no latency.
#include "tests/modules/ModuleHarness.h"
#include "tests/modules/SignalKit.h"

#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <cstring>
#include <vector>

namespace {

using namespace modtest;
using signalkit::kPi;

struct Eq {
    float upper = 2000;
    int upperDb = 0;
    float lower = 200;
    int lowerDb = 0;
    float band = 800;
    int bandDb = 0;
    int q = 5;
};

// The equaliser's curve as the effect draws it.
double Curve(Eq const &e, double f) {
    auto boost = [](int db) { return std::pow(10.0, std::abs(db) * 0.05); };
    auto signedBy = [](int db, double v) { return db > 0 ? v : 1 / v; };
    double r = 1;
    if (e.upperDb) {
        double const g = boost(e.upperDb), c = e.upper;
        r *= signedBy(e.upperDb, (c * c + f * f * g) / (f * f + c * c));
    }
    if (e.lowerDb) {
        double const g = boost(e.lowerDb), c = e.lower;
        r *= signedBy(e.lowerDb, (f * f + c * c * g) / (f * f + c * c));
    }
    if (e.bandDb) {
        double const g = boost(e.bandDb), x = (e.band / f - f / e.band) * e.q;
        r *= signedBy(e.bandDb, std::sqrt((x * x + g * g) / (x * x + 1)));
    }
    return r;
}

FilterJob JobFor(RunFloat &run, int rate, Eq const &e) {
    FilterJob j = run.Job(rate);
    j.upperCorner = e.upper;
    j.upperGain = e.upperDb;
    j.lowerCorner = e.lower;
    j.lowerGain = e.lowerDb;
    j.bandCentre = e.band;
    j.bandGain = e.bandDb;
    j.bandQuality = e.q;
    return j;
}

// 30 whole frequencies from 20 Hz to 0.45 times the rate, each a whole number of periods in
// the last second, so one DFT bin reads each exactly once the filter has settled.
std::vector<int> Frequencies(int rate) {
    std::vector<int> f;
    for (int i = 0; i < 30; ++i) {
        int const hz = int(std::lround(20 * std::pow(0.45 * rate / 20, i / 29.0)));
        if (f.empty() || hz > f.back())
            f.push_back(hz);
    }
    return f;
}

// The largest distance from the curve in dB over the frequencies, the tones played together.
double WorstDistance(int rate, Eq const &e) {
    std::vector<int> const freqs = Frequencies(rate);
    long const settle = long(rate * 1.5), frames = settle + rate;
    RunFloat run;
    run.input.assign(frames, 0);
    double const amplitude = 1.0 / freqs.size();
    for (int f : freqs) {
        std::complex<double> const turn = std::polar(1.0, 2 * kPi * f / rate);
        std::complex<double> p = 1;
        for (long i = 0; i < frames; ++i, p *= turn)
            run.input[i] += float(amplitude * p.imag());
    }
    run.Run(JobFor(run, rate, e));
    EXPECT_EQ(long(run.output.size()), frames);
    double worst = 0;
    for (int f : freqs) {
        std::complex<double> const turn = std::polar(1.0, -2 * kPi * f / rate);
        std::complex<double> p = std::polar(1.0, -2 * kPi * f / rate * double(settle)), sum = 0;
        for (long i = settle; i < frames; ++i, p *= turn)
            sum += double(run.output[i]) * p;
        double const gain = std::abs(sum) * 2 / rate / amplitude;
        worst = std::max(worst, std::fabs(20 * std::log10(gain / Curve(e, f))));
    }
    return worst;
}

TEST(Filter, FollowsTheCurveAtTheBoundsOfEachSection) {
    for (int rate : {8000, 22050, 44100, 96000}) {
        double const nyquist = rate / 2.0;
        float const upper[] = {2000, float(std::max(2000.0, std::floor(nyquist * 0.56)))};
        float const lower[] = {float(std::floor(nyquist * 0.002)), float(std::floor(nyquist * 0.6))};
        float const band[] = {50, float(std::floor(nyquist * 0.6666))};
        std::vector<Eq> cases;
        for (int db : {24, -24})
            for (int end = 0; end < 2; ++end) {
                Eq u, l;
                u.upper = upper[end], u.upperDb = db;
                l.lower = lower[end], l.lowerDb = db;
                cases.push_back(u);
                cases.push_back(l);
                for (int q : {1, 18}) {
                    Eq b;
                    b.band = band[end], b.bandDb = db, b.q = q;
                    cases.push_back(b);
                }
            }
        Eq mix;
        mix.upper = upper[0], mix.upperDb = 9, mix.lower = 150, mix.lowerDb = -12, mix.band = 1000, mix.bandDb = 6;
        cases.push_back(mix);
        for (Eq const &e : cases) {
            SCOPED_TRACE(testing::Message() << rate << " Hz: upper " << e.upper << "/" << e.upperDb << " lower "
                                            << e.lower << "/" << e.lowerDb << " band " << e.band << "/" << e.bandDb
                                            << " Q " << e.q);
            EXPECT_LE(WorstDistance(rate, e), 0.1);
        }
    }
}

TEST(Filter, AllGainsZeroLeaveTheSamplesUntouched) {
    RunFloat run;
    run.channels = 2;
    for (int i = 0; i < 20000; ++i)
        run.input.push_back(float(std::sin(i * 0.37) * 0.9 + 1e-7 * i));
    run.Run(JobFor(run, 44100, Eq()));
    ASSERT_EQ(run.output.size(), run.input.size());
    EXPECT_EQ(std::memcmp(run.output.data(), run.input.data(), sizeof(float) * run.input.size()), 0);
}

// An impulse at frame 0 answers from frame 0, its largest value within the first 2 ms.
TEST(Filter, AnswersWithoutLatency) {
    Eq e;
    e.upperDb = 12, e.lowerDb = -6, e.bandDb = 9, e.band = 3000;
    RunFloat run;
    run.input.assign(44100, 0);
    run.input[0] = 0.5f;
    run.Run(JobFor(run, 44100, e));
    ASSERT_EQ(run.output.size(), run.input.size());
    EXPECT_NE(run.output[0], 0);
    long peak = 0;
    for (long i = 0; i < long(run.output.size()); ++i)
        if (std::fabs(run.output[i]) > std::fabs(run.output[peak]))
            peak = i;
    EXPECT_LT(peak, long(0.002 * 44100));
}

}  // namespace
