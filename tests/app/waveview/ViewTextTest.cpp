// The texts of positions in every time unit and of levels in every level unit.
#include "audio/SamplePattern.h"
#include "audio/TimeSettings.h"
#include "waveview/LevelFormat.h"
#include "waveview/PositionText.h"

#include <gtest/gtest.h>

#include <string>

namespace {

SamplePattern Pattern(uint32_t rate) { return SamplePattern(kPcm16, 2, 1, rate); }

TEST(ViewTexts, PositionsInEveryUnit) {
    TimeSettings saved = TheTimeSettings();
    TheTimeSettings() = TimeSettings();
    SamplePattern stereo16 = Pattern(44100), thousand = Pattern(1000);
    struct Case {
        long position;
        unsigned unit;
        int precision;
        SamplePattern const *pattern;
        char const *text;
    } const cases[] = {
        {0, kUnitSeconds, 1000, &thousand, "0"},
        {3600000, kUnitSeconds, 1000, &thousand, "1h"},
        {3725250, kUnitSeconds, 1000, &thousand, "1h2mn5s250ms"},
        {3725250, kUnitSeconds, 0, &thousand, "1h2mn5s250.000ms"},
        {125250, kUnitSeconds, 50, &thousand, "2mn5s250.0ms"},
        {500, kUnitSeconds, -1, &thousand, ""},
        {-1500, kUnitSeconds, 1000, &thousand, "-1s500ms"},
        {123456, kUnitSamples, 1000, &stereo16, "123456"},
        {3661500, kUnitSmpte, 1000, &thousand, "01:01:01.12"},
        {0, kUnitBars, 1000, &thousand, "1.1.000"},
        {1000, kUnitBars, 1000, &thousand, "1.3.000"},
        {1000, kUnitBarsFromZero, 1000, &thousand, "0.2.000"},
        {-1, kUnitBars, 1000, &stereo16, "1.1.000"},
        {-1, kUnitBarsFromZero, 1000, &stereo16, "0.0.000"},
        {100, kUnitBytes, 1000, &stereo16, "400 B"},
        {0, kUnitBytes, 1000, &stereo16, "0"},
        {1000, kUnitBytes, 1, &stereo16, "4.000 kB"},
        {1000, kUnitBytes, 1000, &stereo16, "4 kB"},
        {500000, kUnitBytes, 1, &stereo16, "2.000000 MB"},
        {500000, kUnitBytes, 1000, &stereo16, "2.000 MB"},
        {2000000000, kUnitBytes, 1, &stereo16, "8000.000000 MB"},
    };
    for (Case const &c : cases)
        EXPECT_EQ(c.text, FormatPosition(c.position, c.unit, c.precision, *c.pattern)) << c.position << " " << c.unit;
    // the text is cut to the buffer
    char small[4];
    EXPECT_EQ(3, FormatPosition(small, sizeof small, 3725250, kUnitSeconds, 1000, thousand));
    EXPECT_EQ(std::string("1h2"), small);
    // 29.97 frames a second
    TheTimeSettings().framesPerSecond = 2997 * 0.01;
    EXPECT_EQ("00:00:01.00", std::string(FormatPosition(1000, kUnitSmpte, 1000, thousand)));
    TheTimeSettings() = saved;
}

TEST(ViewTexts, LevelsInEveryUnit) {
    struct Case {
        int level, unit, precision;
        char const *text;
    } const cases[] = {
        {10000, kLevelPercent, 0, "100"}, {1250, kLevelPercent, 0, "12.5"},   {1234, kLevelPercent, 0, "12.34"},
        {32768, kLevelRaw, 0, "32767"},   {-5, kLevelRaw, 0, "-5"},           {32767, kLevelDecibels, 1, "0"},
        {-32768, kLevelDecibels, 1, "0"}, {16384, kLevelDecibels, 1, "-6.0"}, {16384, kLevelDecibels, 2, "-6.00"},
        {0, kLevelDecibels, 1, "-96.3"},
    };
    for (Case const &c : cases)
        EXPECT_EQ(c.text, std::string(FormatLevel(c.level, c.unit, c.precision))) << c.level << " " << c.unit;
    // the views' texts: percent of full scale
    EXPECT_EQ("50", std::string(LevelToString(16384, kLevelPercent)).substr(0, 2));
    EXPECT_EQ("100", std::string(LevelToString(32767, kLevelPercent)));
}

}  // namespace
