// The texts of positions in every time unit and of levels in every level unit, the CD
// time texts, and the frame rate kept in the settings.
#include "audio/SamplePattern.h"
#include "audio/TimeSettings.h"
#include "cd/CdTime.h"
#include "foundation/Config.h"
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
    SamplePattern stereo24(kPcm24, 2, 1, 48000);
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
        // every precision band of seconds and of bytes
        {1234, kUnitSeconds, 0, &thousand, "1s234.000ms"},
        {1234, kUnitSeconds, 9, &thousand, "1s234.00ms"},
        {1234, kUnitSeconds, 10, &thousand, "1s234.0ms"},
        {1234, kUnitSeconds, 99, &thousand, "1s234.0ms"},
        {1234, kUnitSeconds, 100, &thousand, "1s234ms"},
        {1500, kUnitSeconds, -1, &thousand, "1s"},
        {-500, kUnitSeconds, -1, &thousand, ""},
        {2500, kUnitBytes, 3, &stereo16, "10.00 kB"},
        {2500, kUnitBytes, 30, &stereo16, "10.0 kB"},
        {250000, kUnitBytes, 3, &stereo16, "1.00000 MB"},
        {250000, kUnitBytes, 30, &stereo16, "1.0000 MB"},
        {250000, kUnitBytes, 300, &stereo16, "1.000 MB"},
        {250000, kUnitBytes, 3000, &stereo16, "1.00 MB"},
        {250000, kUnitBytes, 30000, &stereo16, "1.0 MB"},
        {-100, kUnitBytes, 1000, &stereo16, "-400 B"},
        // bytes past 2^31 and 2^32: 24-bit stereo
        {1000000000, kUnitBytes, 1000000, &stereo24, "6000.0 MB"},
        {-2147483647, kUnitBytes, 1000000, &stereo24, "-12884.9 MB"},
        {-1234567, kUnitSamples, 1000, &stereo16, "-1234567"},
        {-1000, kUnitBars, 1000, &thousand, "-1.3.000"},
    };
    for (Case const &c : cases)
        EXPECT_EQ(c.text, FormatPosition(c.position, c.unit, c.precision, *c.pattern)) << c.position << " " << c.unit;
    // the text is cut to the buffer
    char small[4];
    EXPECT_EQ(3, FormatPosition(small, sizeof small, 3725250, kUnitSeconds, 1000, thousand));
    EXPECT_EQ(std::string("1h2"), small);
    TheTimeSettings() = saved;
}

// 3661.5 s at every frame rate and sample rate: hours, minutes, seconds and the frame.
TEST(ViewTexts, SmpteAtEveryFrameRate) {
    TimeSettings saved = TheTimeSettings();
    struct Case {
        int hundredths;
        char const *text;
    } const cases[] = {{2400, "01:01:01.12"}, {2500, "01:01:01.12"}, {2997, "01:01:01.15"}, {3000, "01:01:01.15"}};
    for (Case const &c : cases)
        for (uint32_t rate : {8000u, 22050u, 44100u, 48000u, 96000u}) {
            TheTimeSettings().framesPerSecond = c.hundredths * 0.01;
            long position = long(3661.5 * rate);
            EXPECT_EQ(c.text, FormatPosition(position, kUnitSmpte, 1000, Pattern(rate))) << c.hundredths << " " << rate;
        }
    TheTimeSettings() = saved;
}

// Bars with a control's own tempo, the ruler's origin of no view, CD time through the CD
// subsystem (frames without it).
TEST(ViewTexts, BarsWithOwnSettingsAndCdTime) {
    SamplePattern thousand = Pattern(1000);
    TimeSettings slow = TheTimeSettings();
    slow.tempo = 60000;
    EXPECT_EQ("1.2.000", FormatPosition(1000, kUnitBars, 1000, thousand, nullptr, &slow));
    EXPECT_EQ("1.3.000", FormatPosition(1000, kUnitBars, 1000, thousand));
    CdTimeWriter previous = SetCdTimeWriter(nullptr);
    EXPECT_EQ("4500", FormatPosition(4500, kUnitCdTime, 1000, thousand));
    RegisterCdTimeText();
    EXPECT_EQ("01:00.00", FormatPosition(4500, kUnitCdTime, 1000, thousand));
    EXPECT_EQ("-0:00.01", FormatPosition(-1, kUnitCdTime, 1000, thousand));
    SetCdTimeWriter(previous);
}

TEST(ViewTexts, CdTimesInBothForms) {
    struct Case {
        int frames;
        char const *full, *shortForm;
    } const cases[] = {
        {4500, "01:00.00", "1:00.00"}, {74, "00:00.74", "74"},  {-1, "-0:00.01", "-1"},
        {0, "00:00.00", "0"},          {75, "00:01.00", "1.00"}, {-45000, "-10:00.00", "-10:00.00"},
        {-4501, "-1:00.01", "-1:00.01"},
    };
    for (Case const &c : cases) {
        EXPECT_EQ(c.full, CdTimeToString(c.frames)) << c.frames;
        EXPECT_EQ(c.shortForm, CdTimeToString(c.frames, 1)) << c.frames;
    }
}

// 29.97 frames a second survive a save and a load (truncating would write 2996).
TEST(ViewTexts, TheFrameRateIsWrittenBackRounded) {
    TimeSettings saved = TheTimeSettings();
    for (int hundredths : {2397, 2400, 2500, 2997, 3000}) {
        Config config("Settings");
        config.MoveDown("TimeScale");
        config.SetValue(hundredths, "SmpteFrame");
        config.MoveToRoot();
        LoadTimeScaleDefaults(config);
        Config written("Settings");
        SaveTimeScaleDefaults(written);
        written.MoveDown("TimeScale");
        EXPECT_EQ(hundredths, written.GetValue(0, "SmpteFrame"));
    }
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
        {-16384, kLevelDecibels, 1, "-6.0"}, {32768, kLevelDecibels, 2, "0"}, {1, kLevelDecibels, 2, "-90.29"},
        {-1250, kLevelPercent, 0, "-12.5"}, {-32768, kLevelRaw, 0, "-32768"}, {5, kLevelPercent, 0, "0.05"},
    };
    for (Case const &c : cases)
        EXPECT_EQ(c.text, std::string(FormatLevel(c.level, c.unit, c.precision))) << c.level << " " << c.unit;
    // the views' texts: percent of full scale
    EXPECT_EQ("50", std::string(LevelToString(16384, kLevelPercent)).substr(0, 2));
    EXPECT_EQ("100", std::string(LevelToString(32767, kLevelPercent)));
    // the status bar's texts are the scale's
    for (int level : {1, 100, 16384, 32767})
        EXPECT_EQ(std::string(FormatLevel(level, kLevelDecibels, 1)), std::string(LevelToString(level, kLevelDecibels)));
}

}  // namespace
