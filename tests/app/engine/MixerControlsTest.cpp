// The record dialog's mixer panel over mixers of the test's own: which controls become
// slider columns and how they are laid out, check boxes found by the input's line, what a
// slider writes, the scaling of slider positions, and the failures of a mixer.
#include "engine/MixerControls.h"

#include "foundation/Exception.h"
#include "tests/app/AppTestSupport.h"
#include "tests/app/engine/FakeMixer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace enginetest;

namespace {

std::vector<MixerColumn> LayOut(FakeMixer &mixer, MixerControls &controls) {
    controls.Enumerate(mixer, WAVE_MAPPER);
    return LayOutMixerPanel(controls, 395, 300);
}

}  // namespace

TEST(MixerPanel, WithOnlyTheRecordingVolumeOneColumnWithoutCheckBoxes) {
    apptest::UseEnglishTexts();
    // What Wine's mixer offers.
    FakeMixer mixer({7, 2, {Volume("Capture", {32768, 65535})}}, {});
    MixerControls controls;
    std::vector<MixerColumn> columns = LayOut(mixer, controls);
    EXPECT_TRUE(mixer.IsOpen());
    EXPECT_EQ(1, controls.HasMasterVolume());
    ASSERT_EQ(1u, columns.size());
    MixerColumn const &c = columns[0];
    EXPECT_STREQ("Recording", c.labelText.c_str());
    EXPECT_EQ(300, c.labelId);
    EXPECT_EQ(0, c.checkBoxId);
    EXPECT_EQ(22017, c.thumbBitmap);
    ASSERT_EQ(2, c.sliderCount);
    EXPECT_EQ(1000, c.sliderIds[0]);
    EXPECT_EQ(1001, c.sliderIds[1]);
    EXPECT_EQ(395 + 5, c.sliders[0].left);
    EXPECT_EQ(395 + 38, c.sliders[1].left);
    EXPECT_EQ(30, c.sliders[0].Width());
    EXPECT_EQ(500, c.positions[0]);
    EXPECT_EQ(1000, c.positions[1]);
    EXPECT_EQ(83, MixerPanelWidth(1));
}

TEST(MixerPanel, InputsGetColumnsAndCheckBoxesByTheirLine) {
    apptest::UseEnglishTexts();
    FakeMixer mixer = SoundCard();
    MixerControls controls;
    std::vector<MixerColumn> columns = LayOut(mixer, controls);
    ASSERT_EQ(3u, columns.size()) << "one column per volume, none for the line input";
    EXPECT_STREQ("Recording", columns[0].labelText.c_str());
    EXPECT_STREQ("Mic", columns[1].labelText.c_str());
    EXPECT_STREQ("Synth Vol", columns[2].labelText.c_str());
    EXPECT_EQ(395 + 73 + 21, columns[1].sliders[0].left) << "a mono control stands in the middle";
    EXPECT_EQ(22014, columns[1].thumbBitmap);
    EXPECT_EQ(1002, columns[1].sliderIds[0]);
    EXPECT_EQ(1003, columns[2].sliderIds[0]);

    // The microphone is item 2 of the selection, the synthesiser item 0.
    EXPECT_EQ(251, columns[1].checkBoxId);
    EXPECT_EQ(2, columns[1].item);
    EXPECT_TRUE(columns[1].checked);
    EXPECT_EQ(252, columns[2].checkBoxId);
    EXPECT_EQ(0, columns[2].item);
    EXPECT_TRUE(columns[2].checked);
    EXPECT_LT(columns[1].sliders[0].bottom, columns[1].checkBox.top);

    controls.Select(mixer, columns[2].item, false);
    ASSERT_EQ(1u, mixer.writes.size());
    EXPECT_EQ("401: 0 0 1", mixer.writes[0]) << "the synthesiser alone is switched off";
}

TEST(MixerPanel, AtMostSevenColumnsAndNoCheckBoxesWithoutASelection) {
    apptest::UseEnglishTexts();
    std::vector<FakeLine> inputs;
    for (DWORD id = 2; id <= 10; ++id)
        inputs.push_back({id, 1, {Volume("In", {0})}});
    FakeMixer mixer({1, 2, {}}, inputs);
    MixerControls controls;
    std::vector<MixerColumn> columns = LayOut(mixer, controls);
    EXPECT_EQ(0, controls.HasMasterVolume());
    ASSERT_EQ(7u, columns.size());
    for (MixerColumn const &c : columns)
        EXPECT_EQ(0, c.checkBoxId);
    EXPECT_EQ(395 + 6 * 73 + 5, columns[6].label.left);
    EXPECT_EQ(nullptr, controls.FindSlider(1007)) << "the eighth volume has no slider";
}

TEST(MixerPanel, AStereoSliderTakesTheOtherAlongUnlessOnlyItsChannelIsToChange) {
    apptest::UseEnglishTexts();
    FakeMixer mixer = SoundCard();
    MixerControls controls;
    LayOut(mixer, controls);
    EXPECT_EQ(1000, controls.MoveSlider(mixer, 1001, 250, false));
    EXPECT_EQ(0, controls.MoveSlider(mixer, 1000, 1000, true));
    EXPECT_EQ(0, controls.MoveSlider(mixer, 1002, 0, false)) << "a mono control has no other slider";
    EXPECT_EQ(0, controls.MoveSlider(mixer, 999, 0, false));
    std::vector<std::string> expected = {"100: 16383 16383", "100: 65535 16383", "200: 0"};
    EXPECT_EQ(expected, mixer.writes);
}

TEST(MixerPanel, SliderPositionsCountFromTheControlsMinimum) {
    struct Case {
        DWORD minimum, maximum, value;
        int position;
        DWORD back;
    } const cases[] = {
        {0, 65535, 0, 0, 0},           {0, 65535, 65535, 1000, 65535},   {0, 65535, 32768, 500, 32767},
        {100, 200, 150, 500, 150},     {100, 200, 100, 0, 100},          {100, 200, 200, 1000, 200},
        {100, 200, 50, 0, 100},        {0, 0xFFFFFFFF, 0xFFFFFFFF, 1000, 0xFFFFFFFF}, {5, 5, 5, 0, 5},
    };
    for (Case const &c : cases) {
        MIXERCONTROLA control = {};
        control.Bounds.dwMinimum = c.minimum;
        control.Bounds.dwMaximum = c.maximum;
        int position = SliderPosition(control, c.value);
        EXPECT_EQ(c.position, position) << c.minimum << ".." << c.maximum << " " << c.value;
        EXPECT_EQ(c.back, SliderValue(control, position)) << c.minimum << ".." << c.maximum << " " << c.value;
    }
}

TEST(MixerPanel, AFailingMixerClosesAndSaysWhere) {
    apptest::UseEnglishTexts();
    struct Case {
        int failAt;
        char const *says;
    } const cases[] = {
        {1, "cannot be opened"},           {2, "has no recording line"}, {3, "controls of"},
        {4, "settings of"},                {5, "input line"},
    };
    for (Case const &c : cases) {
        FakeMixer mixer = SoundCard();
        mixer.failAt = c.failAt;
        MixerControls controls;
        std::string said;
        try {
            controls.Enumerate(mixer, 0);
        } catch (Exception const &e) {
            said = e.GetText().c_str();
        }
        EXPECT_NE(std::string::npos, said.find(c.says)) << c.failAt << ": " << said;
        EXPECT_FALSE(mixer.IsOpen());
        EXPECT_EQ(0, controls.GetSliders().GetCount());
    }
}
