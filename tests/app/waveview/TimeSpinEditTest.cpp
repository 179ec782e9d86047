// The time spin edit's texts: what each unit reads, that what it writes reads back, and
// that a control keeps the tempo it was made with.
#include "waveview/TimeSpinEdit.h"

#include "audio/TimeSettings.h"
#include "cd/CdTime.h"
#include "waveview/PositionText.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>

namespace {

SamplePattern Stereo16(uint32_t rate) { return SamplePattern(SampleFormatFlagsFromBits(16, 0), 2, 1, rate); }

TimeTextFormat Format(unsigned unit, uint32_t rate = 44100) {
    return TimeTextFormat{unit, Stereo16(rate), TheTimeSettings().tempo};
}

// The program's time settings for the length of a test.
class TimeSettingsScope {
public:
    TimeSettingsScope() : saved_(TheTimeSettings()) {}
    ~TimeSettingsScope() { TheTimeSettings() = saved_; }

private:
    TimeSettings saved_;
};

struct ParseCase {
    char const *text;
    unsigned unit;
    double samples;  // at 44100 Hz, 25 fps, 120 bpm, 4/4, 768 ticks
};

TEST(TimeSpinEdit, ParsesEachUnit) {
    TimeSettingsScope settings;
    TheTimeSettings() = TimeSettings();
    RegisterCdTimeText();
    double const bar = 4 * 44100 / 2.0;  // four beats at 2 a second
    ParseCase const cases[] = {
        {"250", kUnitSeconds, 250 * 44.1},
        {"1h2mn", kUnitSeconds, 3720 * 44100.0},
        {"2s500ms", kUnitSeconds, 2.5 * 44100},
        {" 2 s 500 ms ", kUnitSeconds, 2.5 * 44100},
        {"-1s", kUnitSeconds, -44100},
        {"1.1.0", kUnitBars, 0},
        {"2.1.0", kUnitBars, bar},
        {"1.0.0", kUnitBarsFromZero, bar},
        {"12", kUnitSmpte, 12 * 44100 / 25.0},  // no separator: frames only
        {"1:12", kUnitSmpte, (25.0 * 3600 + 12) * 44100 / 25},  // hours and frames
        {"00:01:02.05", kUnitSmpte, (62.0 * 25 + 5) * 44100 / 25},
        {"1000", kUnitSamples, 1000},
        {"4.000 kB", kUnitBytes, 1000},  // 4 bytes a frame
        {"1234 B", kUnitBytes, 308},
        {"1.5 MB", kUnitBytes, 375000},
        {"250", kUnitBytes, 250},  // a bare number stays samples
        {"01:02.03", kUnitCdTime, 4500 + 150 + 3},
        {"2.03", kUnitCdTime, 153},  // read from the right
        {"7", kUnitCdTime, 7},
    };
    for (ParseCase const &c : cases)
        EXPECT_NEAR(c.samples, ParseTimeText(c.text, Format(c.unit)), 1e-6) << c.text << " unit " << c.unit;
}

// What a unit writes reads back to the value, to the unit's resolution.
TEST(TimeSpinEdit, WrittenTextsReadBack) {
    TimeSettingsScope settings;
    RegisterCdTimeText();
    std::mt19937 random(7);
    std::uniform_int_distribution<long> values(0, 2147483647L);
    struct Resolution {
        unsigned unit;
        double fps;
        double samples;  // the most a text may be off, at 48000 Hz
    } const units[] = {
        {kUnitSeconds, 25, 48},        // whole milliseconds
        {kUnitSamples, 25, 0},
        {kUnitSmpte, 25, 48000 / 25.0},
        {kUnitSmpte, 29.97, 48000 / 29.97},
        {kUnitSmpte, 30, 48000 / 30.0},
        {kUnitBars, 25, 48000 / (2.0 * 768) + 1},  // a tick, rounded
        {kUnitBarsFromZero, 25, 48000 / (2.0 * 768) + 1},
        {kUnitBytes, 25, 0.25},        // bytes of 4-byte frames, below 1 kB
        {kUnitCdTime, 25, 0},
    };
    for (Resolution const &r : units) {
        TheTimeSettings() = TimeSettings();
        TheTimeSettings().framesPerSecond = r.fps;
        TimeTextFormat format = Format(r.unit, 48000);
        for (int i = 0; i < 200; ++i) {
            long v = values(random);
            if (r.unit == kUnitBytes)
                v %= 250;  // whole bytes are written only below 1000
            if (r.unit == kUnitCdTime)
                v %= 75 * 60 * 99;
            String text = TimeText(double(v), format);
            EXPECT_NEAR(double(v), ParseTimeText(text.c_str(), format), r.samples + 1e-6)
                << text.c_str() << " unit " << r.unit << " fps " << r.fps;
        }
    }
}

TEST(TimeSpinEdit, KeepsItsTempoAndReadsABoundedCopy) {
    TimeSettingsScope settings;
    TheTimeSettings() = TimeSettings();
    TimeSpinEdit edit(nullptr, 900, kUnitBars, 44100);
    TheTimeSettings().tempo = 60000;
    EXPECT_EQ(120000, edit.GetTempo());
    EXPECT_STREQ("2.1.000", edit.GetValueText(88200).c_str());
    EXPECT_DOUBLE_EQ(88200, edit.Parse("2.1.000"));
    // A text past the copy counts by its first 99 characters only.
    std::string nines(99, '9'), text = nines + std::string(300, '9');
    EXPECT_DOUBLE_EQ(std::atof(nines.c_str()), ParseTimeText(text.c_str(), Format(kUnitSamples)));
}

// The steps of the arrows and the sliders' count by unit, at 48000 Hz and 25 fps.
TEST(TimeSpinEdit, StepsFollowTheUnit) {
    TimeSettingsScope settings;
    TheTimeSettings() = TimeSettings();
    struct {
        unsigned unit;
        double increment, largeIncrement;
        int sliders, fitting;
    } const cases[] = {
        {kUnitSeconds, 49, 48000, 6, 0}, {kUnitSamples, 1, 100, 10, 0},      {kUnitSmpte, 1921, 48000, 4, 1},
        {kUnitBars, 31, 24000, 6, 0},    {kUnitBarsFromZero, 31, 24000, 6, 0}, {kUnitBytes, 1, 100, 10, 0},
        {kUnitCdTime, 1, 75, 3, 1},
    };
    TimeSpinEdit edit(nullptr, 900, kUnitSeconds, 48000);
    for (auto const &c : cases) {
        edit.SetUnit(c.unit);
        TSpinAttr const &attr = edit.GetAttr();
        EXPECT_DOUBLE_EQ(c.increment, attr.GetIncrement()) << c.unit;
        EXPECT_DOUBLE_EQ(c.largeIncrement, attr.GetLargeIncrement()) << c.unit;
        EXPECT_EQ(c.sliders, attr.GetSliders() ? attr.GetSliders()->GetCount() : 0) << c.unit;
        EXPECT_EQ(c.fitting, attr.GetFittingRule()) << c.unit;
    }
}

TEST(TimeSpinEdit, CdTimeTexts) {
    struct {
        int frames;
        int shortForm;
        char const *text;
    } const cases[] = {
        {0, 0, "00:00.00"},     {4653, 0, "01:02.03"},  {-4653, 0, "-1:02.03"}, {-45000, 0, "-10:00.00"},
        {4653, 1, "1:02.03"},   {153, 1, "2.03"},       {7, 1, "7"},            {-153, 1, "-2.03"},
    };
    for (auto const &c : cases)
        EXPECT_STREQ(c.text, CdTimeToString(c.frames, c.shortForm).c_str()) << c.frames;
}

}  // namespace
