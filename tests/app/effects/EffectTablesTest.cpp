// The effects' tables and conversions: levels and decibels, the fade curves, the gain
// dialog's numbers and the level spin box's units.
#include "audio/LevelText.h"
#include "effects/Fade.h"
#include "effects/FadeCurve.h"
#include "effects/Gain.h"
#include "effects/LevelSpinBox.h"
#include "foundation/Config.h"

#include "tests/app/AppTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace {

double const kLevelsDb[kFadeLevelCount] = {-0.5, -1, -2, -3, -4, -5, -6, -7, -8, -9, -10, -11, -12, -15, -18};

// The gain of the curve at position of length, from a large sample.
double GainAt(FadeOpcodes const &fade, int position, int length) {
    double base, scale;
    FadeCurveConstants(&fade, &base, &scale);
    int const full = 1 << 30;
    return double(FadeCurveGain(full, position, length, base, scale, &fade)) / full;
}

}  // namespace

TEST(LevelConversions, DecibelAnchorsAndRoundTrips) {
    EXPECT_EQ(32767, DecibelsToAmplitude(0));
    EXPECT_EQ(32767, DecibelsToAmplitude(6)) << "never above full scale";
    EXPECT_NEAR(-96.33, AmplitudeToDecibels(0), 0.01) << "silence";
    EXPECT_LT(AmplitudeToDecibels(32767), 0);
    EXPECT_GT(AmplitudeToDecibels(32767), -0.001);
    EXPECT_EQ(16422, DecibelsToAmplitude(-6));
    EXPECT_EQ(0, DecibelsToAmplitude(-120));
    for (int level : {1, 103, 1000, 16383, 16384, 32766, 32767})
        EXPECT_EQ(level, DecibelsToAmplitude(AmplitudeToDecibels(level))) << level;
}

// Fade in and fade out alike reach the level at the time, counted from the fade's start.
// The fade out reads the table's columns the other way round; the table's first cell is
// the one that misses by more.
TEST(FadeCurves, EveryCellReachesItsLevelAtItsTime) {
    auto allowed = [](int level, int column) { return level == 0 && column == 0 ? 0.22 : 0.05; };
    for (int level = 0; level < kFadeLevelCount; ++level)
        for (int time = 0; time < kFadeTimeCount; ++time) {
            double in = 20 * std::log10(GainAt(FadeOpcodes(level, time, 1, 0), time + 1, 10));
            double out = 20 * std::log10(GainAt(FadeOpcodes(level, time, 0, 0), time + 1, 10));
            EXPECT_NEAR(kLevelsDb[level], in, allowed(level, time)) << level << " " << time;
            EXPECT_NEAR(kLevelsDb[level], out, allowed(level, kFadeTimeCount - 1 - time)) << level << " " << time;
        }
}

TEST(FadeCurves, TheDefaultsAreTheStraightLine) {
    FadeOpcodes fade;
    double base, scale;
    FadeCurveConstants(&fade, &base, &scale);
    EXPECT_EQ(0, base);
    EXPECT_EQ(1, scale);
    int faded[3];
    for (int i = 0; i < 3; ++i)
        faded[i] = FadeCurveGain(32767, i, 2, base, scale, &fade);
    EXPECT_EQ(0, faded[0]);
    EXPECT_EQ(16383, faded[1]);
    EXPECT_EQ(32767, faded[2]);
}

// Flipping both flags keeps the constants and the direction; the inverse curve is the
// complement, so the two add up to the sample but for the truncations.
TEST(FadeCurves, FlagsSwappedTogetherKeepTheCurveAndTheInverseIsItsComplement) {
    for (int level = 0; level < kFadeLevelCount; ++level)
        for (int time = 0; time < kFadeTimeCount; ++time)
            for (int fadeIn : {0, 1}) {
                FadeOpcodes plain(level, time, fadeIn, 0), inverse(level, time, !fadeIn, 1);
                double base[2], scale[2];
                FadeCurveConstants(&plain, &base[0], &scale[0]);
                FadeCurveConstants(&inverse, &base[1], &scale[1]);
                ASSERT_EQ(base[0], base[1]);
                ASSERT_EQ(scale[0], scale[1]);
                for (int sample : {32767, -32768, 12345})
                    for (int position = 0; position <= 100; position += 7) {
                        int sum = FadeCurveGain(sample, position, 100, base[0], scale[0], &plain) +
                                  FadeCurveGain(sample, position, 100, base[1], scale[1], &inverse);
                        ASSERT_LE(std::abs(sum - sample), 1) << level << " " << time << " " << position;
                    }
            }
}

TEST(FadeCurves, IndexesOutsideTheListsAreTakenToTheirEnds) {
    EXPECT_EQ(14, ClampFadeLevel(99));
    EXPECT_EQ(0, ClampFadeLevel(-3));
    EXPECT_EQ(8, ClampFadeTime(99));
    EXPECT_EQ(0, ClampFadeTime(-3));
    double base, scale, clampedBase, clampedScale;
    FadeOpcodes wild(99, -3, 1, 0), clamped(14, 0, 1, 0);
    FadeCurveConstants(&wild, &base, &scale);
    FadeCurveConstants(&clamped, &clampedBase, &clampedScale);
    EXPECT_EQ(clampedBase, base);
    EXPECT_EQ(clampedScale, scale);

    apptest::UseEnglishTexts();
    FadeProcessor processor(ProcessorRow{15, 11133, nullptr, 1, nullptr});
    Config stored("fade");
    stored.SetValue(99, "dB");
    stored.SetValue(-3, "Time");
    std::unique_ptr<Opcodes> read(processor.ReadOpcodes(stored, nullptr));
    auto &fade = dynamic_cast<FadeOpcodes &>(*read);
    EXPECT_EQ(14, fade.level);
    EXPECT_EQ(0, fade.time);
}

TEST(GainNumbers, EveryDecibelShowsItselfAndItsChange) {
    char const *const changes[] = {"-75 %", "-72 %", "-68 %", "-65 %", "-60 %",  "-55 %",  "-50 %",
                                   "-44 %", "-37 %", "-29 %", "-21 %", "-11 %",  "0 %",    "+12 %",
                                   "+26 %", "+41 %", "+58 %", "+78 %", "+100 %", "+124 %", "+151 %",
                                   "+182 %", "+216 %", "+255 %", "+298 %"};
    for (int decibels = kGainLowestDb; decibels <= kGainHighestDb; ++decibels) {
        float factor = GainFactorOf(decibels);
        EXPECT_EQ(decibels, GainDecibelsOf(factor)) << decibels;
        EXPECT_STREQ(changes[decibels - kGainLowestDb], GainChangeText(factor).c_str()) << decibels;
    }
    EXPECT_EQ(6, GainDecibelsOf(2.0f)) << "a stored factor of 2 shows +6 dB";
    EXPECT_EQ(12, GainDecibelsOf(10.0f));
    EXPECT_EQ(-12, GainDecibelsOf(0.0f));
    EXPECT_STREQ("0 %", GainChangeText(1.0f).c_str());
}

TEST(LevelSpinBoxUnits, EachUnitShowsAndReadsBackTheLevel) {
    TWindow host(nullptr, "host");
    LevelSpinBox box(&host, 900, 0, 32767);

    box.SetUnit(kUnitPercent, 16384);
    EXPECT_EQ(0, box.GetAttr().GetLow());
    EXPECT_EQ(100, box.GetAttr().GetHigh());
    EXPECT_EQ("50 %", std::string(box.GetValueText(box.GetCurrentValue()).c_str()));
    EXPECT_EQ(16383, box.GetLevel()) << "50 % reads back as 16383";

    box.SetUnit(kUnitRaw, 1234);
    EXPECT_EQ(100, box.GetAttr().GetIncrement());
    EXPECT_EQ(1000, box.GetAttr().GetLargeIncrement());
    EXPECT_EQ(1234, box.GetLevel());
    box.SetValue(40000);
    EXPECT_EQ(32767, box.GetLevel()) << "kept inside the range";

    LevelSpinBox narrow(&host, 901, 103, 32767);
    narrow.SetUnit(kUnitDecibels, 32767);
    EXPECT_NEAR(AmplitudeToDecibels(103), narrow.GetAttr().GetLow(), 1e-9);
    EXPECT_NEAR(AmplitudeToDecibels(32767), narrow.GetAttr().GetHigh(), 1e-9);
    EXPECT_EQ(32767, narrow.GetLevel());
    narrow.SetValue(-6);
    EXPECT_EQ(16422, narrow.GetLevel());
    narrow.SetValue(-90);
    EXPECT_EQ(103, narrow.GetLevel()) << "the lowest level";
    narrow.SetUnit(kUnitPercent, narrow.GetLevel());
    EXPECT_EQ(103 * 100 / 32767, narrow.GetAttr().GetLow());
}
