// The pieces of the frequency analysis without a document: the Hartley transform against
// a direct sum, the windows, the band tables, the levels and the axis labels.
#include "shell/HartleyTransform.h"
#include "shell/FrequencyBands.h"
#include "shell/TaperedWindow.h"

#include "foundation/Exception.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>
#include <vector>

using namespace bands;

namespace {

double const kPi = 3.14159265358979323846;

// H(k) = sum x(n) (cos + sin)(2 pi n k / N), summed directly.
std::vector<double> DirectHartley(std::vector<double> const &x) {
    size_t n = x.size();
    std::vector<double> h(n, 0.0);
    for (size_t k = 0; k < n; ++k)
        for (size_t i = 0; i < n; ++i) {
            double a = 2 * kPi * double((i * k) % n) / n;
            h[k] += x[i] * (std::cos(a) + std::sin(a));
        }
    return h;
}

std::vector<std::string> Texts(std::vector<Legend> const &labels) {
    std::vector<std::string> texts;
    for (Legend const &l : labels)
        texts.push_back(l.Text ? l.Text->c_str() : "<end>");
    return texts;
}

}  // namespace

TEST(HartleyTransform, MatchesTheDirectSumAtEverySize) {
    std::mt19937 random(28);
    std::uniform_real_distribution<double> value(-1.0, 1.0);
    for (int n = 2; n <= 2048; n *= 2) {
        HartleyTransform transform(n);
        std::vector<std::vector<double>> blocks;
        blocks.emplace_back(n);
        for (double &v : blocks.back())
            v = value(random);
        for (int at : {0, 1, n - 1}) {
            blocks.emplace_back(n, 0.0);
            blocks.back()[at] = 1.0;
        }
        blocks.emplace_back(n);
        for (int i = 0; i < n; ++i)
            blocks.back()[i] = std::cos(2 * kPi * (n / 4 + 1) * i / n);  // one bin (n = 2: Nyquist)
        for (size_t b = 0; b < blocks.size(); ++b) {
            std::vector<double> expected = DirectHartley(blocks[b]), got = blocks[b];
            double energy = 0;
            for (double v : blocks[b])
                energy += v * v;
            transform.Transform(got.data());
            double worst = 0;
            for (int k = 0; k < n; ++k)
                worst = std::max(worst, std::fabs(got[k] - expected[k]));
            EXPECT_LE(worst, 1e-9 * energy) << "size " << n << " block " << b;
        }
    }
}

TEST(HartleyTransform, TwiceGivesTheBlockTimesItsSizeAndOddSizesAreRefused) {
    HartleyTransform transform(64);
    std::vector<double> x(64);
    for (int i = 0; i < 64; ++i)
        x[i] = (i * 37 % 11) - 5.0;
    std::vector<double> y = x;
    transform.Transform(y.data());
    transform.Transform(y.data());
    for (int i = 0; i < 64; ++i)
        EXPECT_NEAR(64 * x[i], y[i], 1e-9);
    double one[1] = {3.5};
    HartleyTransform(1).Transform(one);
    EXPECT_EQ(3.5, one[0]);
    for (int bad : {0, -4, 3, 1000, 2047})
        EXPECT_THROW(HartleyTransform{bad}, AException) << bad;
}

TEST(TaperedWindow, EveryShapeByItsFlag) {
    struct Case {
        int flags;
        double first, quarter;  // w(0) and w(h / 2) with a whole-block taper of 1024 points
    } const cases[] = {
        {kWindowHamming, 0.08, 0.54 - 0.46 * std::cos(2 * kPi * 256 / 1023)},
        {kWindowHann, 0.0, 0.5 - 0.5 * std::cos(2 * kPi * 256 / 1023)},
        {kWindowBlackman, 0.0, 0.42 - 0.5 * std::cos(2 * kPi * 256 / 1023) + 0.08 * std::cos(4 * kPi * 256 / 1023)},
        {kWindowBlackmanHarris, 0.35875 - 0.48829 + 0.14128 - 0.01168,
         0.35875 - 0.48829 * std::cos(2 * kPi * 256 / 1023) + 0.14128 * std::cos(4 * kPi * 256 / 1023) -
             0.01168 * std::cos(6 * kPi * 256 / 1023)},
        {kWindowRamp, 0.0, 0.5},
        {kWindowNone, 1.0, 1.0},
    };
    for (Case const &c : cases) {
        TaperedWindow w(1024, 50, c.flags);
        ASSERT_EQ(1024, w.GetSize());
        EXPECT_NEAR(c.first, w[0], 1e-12) << c.flags;
        EXPECT_NEAR(c.quarter, w[256], 1e-12) << c.flags;
        for (int i = 0; i < 512; ++i)
            ASSERT_EQ(w[i], w[1023 - i]) << c.flags << " " << i;
    }
}

TEST(TaperedWindow, TheAnalysisTapersAQuarterAtEachEndAndPairsShareAWeight) {
    TaperedWindow const &w = TaperedWindow::Analysis();
    ASSERT_EQ(2048, w.GetSize());
    EXPECT_NEAR(0.08, w[0], 1e-12);
    EXPECT_NEAR(0.54 - 0.46 * std::cos(2 * kPi * 511 / 1023), w[511], 1e-12);
    for (int i = 512; i < 1536; ++i)
        ASSERT_EQ(1.0, w[i]) << i;
    EXPECT_EQ(w[0], w[2047]);
    EXPECT_EQ(&w, &TaperedWindow::Analysis()) << "made once";

    TaperedWindow ramp(8, 25, kWindowRamp);  // taper 4, half 2: 0, 1/2, then flat
    std::vector<double> pairs(16, 2.0), single(8, 2.0);
    ramp.Apply(pairs.data(), kWindowRamp | kWindowStereoPairs);
    ramp.Apply(single.data(), kWindowRamp);
    EXPECT_EQ((std::vector<double>{0, 0, 1, 1, 2, 2, 2, 2, 2, 2, 2, 2, 1, 1, 0, 0}), pairs);
    EXPECT_EQ((std::vector<double>{0, 1, 2, 2, 2, 2, 1, 0}), single);
}

TEST(FrequencyBands, TheDefaultTableAndItsLabels) {
    std::vector<int> bands = MakeBandTable(20, 10, true);
    ASSERT_EQ(61u, bands.size());
    EXPECT_EQ((std::vector<int>{20, 22, 25, 28, 31, 35, 40}), std::vector<int>(bands.begin(), bands.begin() + 7));
    EXPECT_EQ((std::vector<int>{16500, 18000, 20500}), std::vector<int>(bands.end() - 3, bands.end()));
    std::vector<Legend> labels = FrequencyLabels(bands);
    ASSERT_EQ(10u, labels.size());
    int const at[9] = {0, 7, 15, 22, 30, 37, 45, 52, 60};
    for (int i = 0; i < 9; ++i) {
        EXPECT_EQ(at[i], labels[i].Pos);
        EXPECT_EQ(std::to_string(bands[at[i]]) + " Hz", labels[i].Text->c_str());
    }
    EXPECT_EQ(nullptr, labels[9].Text) << "the plotter reads up to an entry without a text";

    std::vector<int> three = MakeBandTable(20, 3, true);
    ASSERT_EQ(61u, three.size()) << "20 bands an octave";
    EXPECT_EQ(20, three.front());
    EXPECT_EQ(160, three.back());
    std::vector<int> linear = MakeBandTable(20, 10, false);
    ASSERT_EQ(61u, linear.size());
    EXPECT_EQ(20, linear[0]);
    EXPECT_EQ(RoundBandFrequency(int(20 + 30 * 20460.0 / 60)), linear[30]);
    EXPECT_EQ(20500, linear[60]);
}

TEST(FrequencyBands, EveryRangeTheSettingsAllow) {
    for (int low = 0; low <= 7; ++low)
        for (int high = low + 3; high <= 10; ++high)
            for (bool log : {false, true}) {
                int octaves = high - low, c = 60 / octaves;
                std::vector<int> bands = MakeBandTable(20 << low, octaves, log);
                ASSERT_EQ(size_t(octaves * c + 1), bands.size()) << low << " " << high;
                EXPECT_EQ(RoundBandFrequency(20 << low), bands.front());
                EXPECT_EQ(RoundBandFrequency(20 << high), bands.back()) << low << " " << high;
                for (size_t j = 1; j < bands.size(); ++j)
                    ASSERT_LE(bands[j - 1], bands[j]) << low << " " << high << " " << j;
            }
}

TEST(FrequencyBands, RoundingToTidyFigures) {
    int const cases[][2] = {{0, 0},         {99, 99},      {100, 100},     {102, 100},     {103, 105},
                            {997, 995},     {998, 1000},   {1000, 1000},   {1004, 1000},   {1005, 1010},
                            {9994, 9990},   {9995, 10000}, {10000, 10000}, {10249, 10000}, {10250, 10500},
                            {20480, 20500}, {40960, 41000}};
    for (auto const &c : cases)
        EXPECT_EQ(c[1], RoundBandFrequency(c[0])) << c[0];
}

TEST(FrequencyBands, EachLineGoesToTheBandHoldingItsFrequency) {
    std::vector<int> bands = MakeBandTable(20, 10, true);
    for (uint32_t rate : {8000u, 22050u, 44100u, 48000u, 96000u})
        for (int line : {1, 2, 5, 46, 47, 100, 512, 1023}) {
            std::vector<double> magnitudes(kLines, 0.0), values(bands.size(), -1.0);
            magnitudes[line] = 100;
            ReduceToBands(magnitudes.data(), rate, bands, values.data());
            double hz = double(line) * rate / kBlockSize;
            for (size_t j = 0; j < bands.size(); ++j) {
                int lower = j ? (bands[j - 1] + bands[j]) / 2 : 0;
                int upper = j + 1 < bands.size() ? (bands[j] + bands[j + 1]) / 2 : 2 * bands[j];
                bool holds = lower <= hz && hz < upper;
                EXPECT_EQ(holds ? 100.5 : 0.5 * (values[j] != 0), values[j])
                    << rate << " Hz, line " << line << ", band " << bands[j];
            }
        }
}

TEST(FrequencyBands, LevelsOfBothScales) {
    struct Case {
        double value, maximum;
        int linear, logarithmic;
    } const cases[] = {
        {0, 1.0, 0, 0},  // silence: the maximum never rose
        {5, 1.000001, 0, 0},
        {1.5, 1.0000011, 1000, 1000},  // a band half a unit over a small maximum stays at the top
        {8000.5, 8000, 1000, 1000},
        {4000, 8000, 500, 875},        // -6 dB is 7/8 of 48 dB
        {8000.0 / 16, 8000, 62, 500},  // -24 dB
        {8000.0 / 256, 8000, 3, 0},    // -48 dB
        {1, 8000, 0, 0},
    };
    for (Case const &c : cases) {
        EXPECT_EQ(c.linear, LinearLevel(c.value, c.maximum)) << c.value << " of " << c.maximum;
        EXPECT_EQ(c.logarithmic, LogarithmicLevel(c.value, c.maximum)) << c.value << " of " << c.maximum;
    }
}

TEST(FrequencyBands, TimeLabelsOfShortAndLongSelections) {
    EXPECT_EQ((std::vector<std::string>{"0 ms", "187 ms", "375 ms", "562 ms", "750 ms", "937 ms", "1.125 s", "1.312 s",
                                        "1.500 s", "<end>"}),
              Texts(TimeLabels(66150ull * 1000 / 44100, 60)));
    EXPECT_EQ("1.050 s", Texts(TimeLabels(370440ull * 1000 / 44100, 60))[1]);
    std::vector<Legend> twoHours = TimeLabels(317520000ull * 1000 / 44100, 60);
    EXPECT_EQ((std::vector<std::string>{"0 ms", "900 s", "1800 s", "2700 s", "3600 s", "4500 s", "5400 s", "6300 s",
                                        "7200 s", "<end>"}),
              Texts(twoHours));
    int const at[9] = {0, 7, 15, 22, 30, 37, 45, 52, 60};
    for (int i = 0; i < 9; ++i)
        EXPECT_EQ(at[i], twoHours[i].Pos);
    EXPECT_EQ("9.999 s", std::string(TimeText(9999).c_str()));
    EXPECT_EQ("10 s", std::string(TimeText(10999).c_str()));
}
