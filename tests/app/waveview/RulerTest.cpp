// What the rulers compute without a window: the label steps of every unit at every zoom
// and rate, where the tick grid starts, the level scale's ticks down a pane, and the six
// style sets kept in their file.
#include "audio/SamplePattern.h"
#include "audio/TimeSettings.h"
#include "foundation/Config.h"
#include "foundation/FileName.h"
#include "waveview/LevelFormat.h"
#include "waveview/LevelScale.h"
#include "waveview/PaneGeometry.h"
#include "waveview/PositionText.h"
#include "waveview/RulerSteps.h"
#include "waveview/ViewStyle.h"

#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

// Labels of any unit keep at least a label cell apart, and never closer than 5 frames.
TEST(RulerSteps, LabelsKeepClearAtEveryUnitZoomAndRate) {
    int const labelWidth = 80;
    for (double fps : {25.0, 29.97}) {
        TimeSettings t;
        t.framesPerSecond = fps;
        for (unsigned unit = 0; unit <= 5; ++unit)
            for (int zoom : {-65536, -4096, -64, -2, 1, 2, 8, 64})
                for (uint32_t rate : {8000u, 22050u, 44100u, 96000u}) {
                    SCOPED_TRACE(testing::Message() << unit << " " << zoom << " " << rate << " " << fps);
                    SamplePattern pattern(kPcm16, 2, 1, rate);
                    int minSamples = MinimumLabelSamples(labelWidth, zoom);
                    EXPECT_GE(minSamples, 5);
                    RulerStep step = ChooseRulerStep(unit, minSamples, pattern, t);
                    EXPECT_GE(step.units, 1);
                    EXPECT_GE(step.divisions, 1);
                    // within the rounding of one unit of the step's measure
                    EXPECT_GE(step.Samples() + step.samplesPerUnit, double(minSamples));
                    double pixels = zoom <= -2 ? step.Samples() / -zoom : zoom >= 2 ? step.Samples() * zoom : step.Samples();
                    if (minSamples > 5) {
                        EXPECT_GE(pixels + 1 + step.samplesPerUnit * std::max(zoom, 1), double(labelWidth));
                    }
                }
    }
    EXPECT_EQ(5, MinimumLabelSamples(1, 64)) << "a narrow cell at a close zoom";
}

// The steps the tables give: seconds, SMPTE frames, bars by beats and whole bars, bytes.
TEST(RulerSteps, StepsOfEachUnit) {
    TimeSettings t;
    SamplePattern thousand(kPcm16, 2, 1, 1000);
    struct Case {
        unsigned unit;
        int minSamples;
        int64_t units;
        int divisions;
    } const cases[] = {
        {kUnitSeconds, 7, 1000, 10},     // 7 ms: 10 ms
        {kUnitSeconds, 5000, 500000, 10},  // 5 s
        {kUnitSamples, 7, 10, 10},       {kUnitSamples, 5, 5, 5},
        {kUnitBytes, 5, 5, 10},          // 20 bytes: 5 frames
        {kUnitSmpte, 100, 3, 10},        // 0.1 s at 25 fps: 3 frames
        {kUnitSmpte, 40000, 6000000, 10},  // 40 s: one minute
        {kUnitBars, 100, 192, 10},       // 154 ticks: a quarter beat
        {kUnitBars, 1500, 3072, 4},      // whole bars, split in beats
        {kUnitBarsFromZero, 1500, 3072, 4},
    };
    for (Case const &c : cases) {
        RulerStep step = ChooseRulerStep(c.unit, c.minSamples, thousand, t);
        EXPECT_EQ(c.units, step.units) << c.unit << " " << c.minSamples;
        EXPECT_EQ(c.divisions, step.divisions) << c.unit << " " << c.minSamples;
    }
    // the grid starts a step before the one holding the left edge; at 0 without an origin
    RulerStep hundred{100, 1.0, 100, 10};
    EXPECT_EQ(0, FirstTick(hundred, 50, 0));
    EXPECT_EQ(2, FirstTick(hundred, 350, 0));
    EXPECT_EQ(-1, FirstTick(hundred, 50, 30));
    EXPECT_EQ(-5, FirstTick(hundred, 0, 330));
}

// Ticks lie where the pane puts the levels, the first at or above the top; a pane too
// small for a span has none.
TEST(LevelTicks, FollowThePanesGeometry) {
    for (int unit : {kLevelPercent, kLevelRaw, kLevelDecibels})
        for (int zoom : {1, 2, 16}) {
            SCOPED_TRACE(testing::Message() << unit << " " << zoom);
            PaneGeometry g{200, 7, zoom, zoom == 1 ? 0 : (zoom * 100 - 100) / 2};
            std::vector<LevelTick> ticks = LevelTicks(g, unit, 12);
            ASSERT_GE(ticks.size(), 2u);
            bool zero = false;
            for (size_t i = 0; i < ticks.size(); ++i) {
                int level16 = unit == kLevelPercent ? int(int64_t(ticks[i].level) * 32767 / 10000) : ticks[i].level;
                EXPECT_EQ(g.Y(level16), ticks[i].y);
                EXPECT_LE(ticks[i].y + 6, 200);
                if (i) {
                    EXPECT_GT(ticks[i - 1].level, ticks[i].level);
                }
                zero = zero || ticks[i].level == 0;
            }
            EXPECT_TRUE(zero);
            EXPECT_LE(ticks[0].y, g.Y(g.LevelAt(0, false)) + 1);
        }
    PaneGeometry tiny{6, 7, 1, 0};
    EXPECT_TRUE(LevelTicks(tiny, kLevelRaw, 12).empty());
}

// ---- style sets

class StyleSets : public testing::Test {
protected:
    void SetUp() override { Reset(); }
    void TearDown() override { Reset(); }
    static void Reset() {
        for (int set = 0; set < kStyleSets; ++set) {
            SetStyleSetName(set, String("Default"));
            for (int i = 0; i < 2; ++i)
                EditStyleSetBlock(set, i) = DefaultViewStyleBlock(i);
        }
    }
    // Set k made different from every other.
    static void Distinguish(int set) {
        for (int i = 0; i < 2; ++i) {
            WaveViewStyleBlock &b = EditStyleSetBlock(set, i);
            b.view.axis = int16_t(set % 3);
            b.view.caretWidth = int16_t(1 + set % 3);
            b.view.showLevelScale = set % 2;
            b.timeScale.unit = unsigned(set % 6);
            b.timeScale.tickColor = 0x010101u * unsigned(set + i);
            b.timeScale.font.lfHeight = -8 - set;
            b.levelScale.unit = unsigned(set % 3);
            b.levelScale.fontColor = 0x0000FFu + unsigned(set);
            b.panes[1][WavePaneColors::kWave] = 0x00102030u + unsigned(set * 7 + i);
        }
    }
    static bool Same(WaveViewStyleBlock const &a, WaveViewStyleBlock const &b) {
        return std::memcmp(&a.view, &b.view, sizeof a.view) == 0 && a.timeScale.unit == b.timeScale.unit &&
               a.timeScale.tickColor == b.timeScale.tickColor && a.timeScale.font.lfHeight == b.timeScale.font.lfHeight &&
               a.levelScale.unit == b.levelScale.unit && a.levelScale.fontColor == b.levelScale.fontColor &&
               std::memcmp(a.panes, b.panes, sizeof a.panes) == 0;
    }
    testsupport::TempDir dir;
    FileName file{String(dir.File("style.set").c_str())};
};

TEST_F(StyleSets, SixDistinctSetsComeBackInOrder) {
    WaveViewStyleBlock saved[kStyleSets][2];
    char const *names[kStyleSets] = {"Default", "Warm", "Cold", "Warm", "Default", "Dark"};
    for (int set = 0; set < kStyleSets; ++set) {
        Distinguish(set);
        SetStyleSetName(set, String(names[set]));
        saved[set][0] = StyleSetBlock(set, 0);
        saved[set][1] = StyleSetBlock(set, 1);
    }
    SavePresetStyles(file);
    Reset();
    LoadPresetStyles(file);
    for (int set = 0; set < kStyleSets; ++set) {
        EXPECT_EQ(names[set], std::string(StyleSetName(set).c_str())) << set;
        EXPECT_TRUE(Same(saved[set][0], StyleSetBlock(set, 0))) << set;
        EXPECT_TRUE(Same(saved[set][1], StyleSetBlock(set, 1))) << set;
    }
    Config config("Preset Styles", Config::AlwaysNewGroup);
    config.Load(file);
    EXPECT_EQ(6, config.GetNumGroups()) << "equal names stay apart";
}

TEST_F(StyleSets, AShortFileGivesTheRestTheDefaultsAndTheFirstGroupIsSetZero) {
    for (int set = 0; set < kStyleSets; ++set) {
        Distinguish(set);
        SetStyleSetName(set, String(set ? "Named" : "Default"));
    }
    WaveViewStyleBlock first = StyleSetBlock(0, 0);
    SavePresetStyles(file);
    Config config("Preset Styles", Config::AlwaysNewGroup);
    config.Load(file);
    config.GetKey(0)->SetName(String("Renamed"));
    for (int k = 5; k >= 3; --k)
        config.DeleteKey(config.GetKey(k));
    config.Save(file);
    Reset();
    LoadPresetStyles(file);
    EXPECT_EQ("Default", std::string(StyleSetName(0).c_str()));
    EXPECT_TRUE(Same(first, StyleSetBlock(0, 0)));
    EXPECT_EQ("Named", std::string(StyleSetName(2).c_str()));
    for (int set = 3; set < kStyleSets; ++set) {
        EXPECT_EQ("Default", std::string(StyleSetName(set).c_str()));
        EXPECT_TRUE(Same(DefaultViewStyleBlock(0), StyleSetBlock(set, 0))) << set;
    }
}

TEST_F(StyleSets, AFailedSaveKeepsTheOldFile) {
    SetStyleSetName(1, String("Old"));
    SavePresetStyles(file);
    std::string before = testsupport::ReadBytes(file.c_str());
    SetStyleSetName(1, String("New"));
    ::SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_READONLY);
    EXPECT_ANY_THROW(SavePresetStyles(file));
    ::SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(before, testsupport::ReadBytes(file.c_str()));
}

TEST(StyleNames, AreCleaned) {
    struct Case {
        char const *name, *cleaned;
    } const cases[] = {
        {"Warm", "Warm"}, {"  Warm  ", "Warm"}, {"{Warm}", "Warm"}, {"a=b", "ab"},
        {"two\r\nlines", "twolines"}, {"", "Default"}, {" {=} ", "Default"},
    };
    for (Case const &c : cases)
        EXPECT_EQ(c.cleaned, std::string(CleanStyleName(String(c.name)).c_str())) << c.name;
}

}  // namespace
