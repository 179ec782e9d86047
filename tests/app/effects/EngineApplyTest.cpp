// Applying the audio engine's processors: what is refused and told, the request the engine
// gets, the wave's flag, the stored answers, the dialog's rules, and one job through the
// engine module of the program folder.
#include "audio/Wave.h"
#include "controls/Dialog.h"
#include "core/Module.h"
#include "effects/ApplyPreferences.h"
#include "effects/EngineApply.h"
#include "effects/QueryApplyPreferencesDialog.h"
#include "engine/AudioEngineEntries.h"
#include "engine/PlugInLoader.h"
#include "foundation/Config.h"
#include "foundation/MessageCatalogue.h"

#include "tests/app/AppTestSupport.h"
#include "tests/app/audio/AudioFileTestKit.h"
#include "tests/app/audio/WaveTestKit.h"
#include "tests/app/effects/EffectTestKit.h"
#include "tests/framework/BoxRecorder.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

using namespace effecttest;

namespace {

// What the user answers in the dialog, and what happens while it stands.
ApplyPreferences _answers;
bool _closeActiveWave = false;
int _asked = 0;

int Answer(ApplyPreferences &preferences) {
    ++_asked;
    preferences = _answers;
    if (_closeActiveWave)
        SetActiveWave(nullptr);
    return 1;
}

// The engine's entry: records the request and answers as told.
std::vector<ApplyRequest> _requests;
std::vector<std::string> _names;
int32_t _engineAnswer = 1;

int32_t WQ_CALL Confirm(ApplyRequest const *request) {
    _requests.push_back(*request);
    _names.push_back(request->name);
    return _engineAnswer;
}

std::string Text(int id, char const *name = nullptr) {
    return name ? BuildString(id, name).c_str() : FindString(unsigned(id)).c_str();
}

// The apply with the dialog answered and the engine's entry faked.
class EngineApply : public ::testing::Test {
protected:
    EngineApply() : previousEntries_(TheAudioEngine().entries) {
        apptest::UseEnglishTexts();
        previousAsker_ = SetApplyPreferencesAsker(&Answer);
        TheAudioEngine().entries.confirmApply = &Confirm;
        _answers = ApplyPreferences();
        _closeActiveWave = false;
        _asked = 0;
        _requests.clear();
        _names.clear();
        _engineAnswer = 1;
        wave_.reset(WaveOf({Samples(1000, 100), Samples(1000, -100)}));
        SetActiveWave(wave_.get());
    }
    ~EngineApply() override {
        SetActiveWave(nullptr);
        SetApplyPreferencesAsker(previousAsker_);
        TheAudioEngine().entries = previousEntries_;
        TheApplyPreferences() = ApplyPreferences();
    }

    std::unique_ptr<Wave> wave_;
    AudioEngineEntries previousEntries_;
    ApplyPreferencesAsker previousAsker_;
    BoxRecorder boxes_;

    std::vector<std::string> Boxes() const {
        std::vector<std::string> texts;
        for (BoxRecorder::Box const &box : boxes_.Boxes)
            texts.push_back(box.text);
        return texts;
    }
};

TEST_F(EngineApply, EachRefusalTellsWhyAndSendsNothing) {
    enum Setup { kNoWave, kCloseWhileAsking, kNothingPlays, kEmptyWave, kBusyWave, kNoSelection };
    struct Case {
        Setup setup;
        int32_t source, range;
        int text;  // 0: silent
        bool asked;
    };
    Case const cases[] = {
        {kNoWave, 1, 0, 11210, false},          {kCloseWhileAsking, 1, 0, 11211, true},
        {kNothingPlays, 0, 0, 11212, true},     {kEmptyWave, 1, 0, 0, true},
        {kBusyWave, 1, 0, 11195, true},         {kNoSelection, 1, 1, 11213, true},
    };
    for (Case const &c : cases) {
        SCOPED_TRACE(c.setup);
        boxes_.Boxes.clear();
        _asked = 0;
        wave_.reset(c.setup == kEmptyWave ? WaveOf({Samples(), Samples()}) : WaveOf({Samples(500, 7)}));
        SetActiveWave(c.setup == kNoWave ? nullptr : wave_.get());
        _closeActiveWave = c.setup == kCloseWhileAsking;
        _answers.source = c.source;
        _answers.range = c.range;
        wave_->ExchangeEngineApplied(c.setup == kBusyWave);
        ApplyProcessorGuarded();
        std::string name = wave_->GetTitle().c_str();
        std::vector<std::string> expected;
        if (c.text)
            expected.push_back(Text(c.text, c.text == 11195 || c.text == 11213 ? name.c_str() : nullptr));
        EXPECT_EQ(expected, Boxes());
        EXPECT_EQ(c.asked, _asked == 1);
        EXPECT_TRUE(_requests.empty());
        EXPECT_EQ(c.setup == kBusyWave, wave_->IsEngineApplied()) << "the flag is left as it was";
    }
}

TEST_F(EngineApply, TheRequestCarriesTheSelectionOrTheWholeWaveAndTheAnswers) {
    wave_->SetSelection(100, 299, 3, 0);
    _answers.source = ApplyPreferences::kActiveWave;
    _answers.result = 0;
    _answers.stopPlayback = 0;
    _answers.openTaskWindow = 1;
    _answers.minimizeWindow = 0;
    _answers.beep = 1;
    _answers.message = 1;
    _answers.restoreWindow = 0;
    _answers.boost = 2;
    ApplyProcessorGuarded();
    _answers.range = ApplyPreferences::kWholeWave;
    _answers.result = 1;
    wave_->ExchangeEngineApplied(0);  // as the engine does when the job is done
    ApplyProcessorGuarded();

    ASSERT_EQ(2u, _requests.size());
    EXPECT_TRUE(boxes_.Boxes.empty());
    ApplyRequest const &selection = _requests[0], &whole = _requests[1];
    EXPECT_EQ(static_cast<AudioObject *>(wave_.get()), selection.object);
    EXPECT_EQ(static_cast<Document *>(wave_.get()), selection.document);
    EXPECT_EQ(DocumentID(wave_.get()).GetSerial(), selection.documentSerial);
    EXPECT_EQ(100, selection.first);
    EXPECT_EQ(299, selection.last);
    EXPECT_EQ(wave_->GetTitle().c_str(), _names[0]);
    EXPECT_EQ(3u, selection.channelMask);
    EXPECT_EQ(1, selection.mixWithSource) << "\"Result\" 0 keeps the original";
    EXPECT_EQ(0, selection.stopPlayback);
    EXPECT_EQ(1, selection.openTaskWindow);
    EXPECT_EQ(0, selection.minimizeWindow);
    EXPECT_EQ(1, selection.beep);
    EXPECT_EQ(1, selection.message);
    EXPECT_EQ(0, selection.restoreWindow);
    EXPECT_EQ(2, selection.priority);
    EXPECT_EQ(0, whole.first);
    EXPECT_EQ(999, whole.last);
    EXPECT_EQ(0, whole.mixWithSource);
    EXPECT_TRUE(wave_->IsEngineApplied()) << "the engine took the job and clears the flag at its end";
    EXPECT_EQ(ApplyPreferences::kWholeWave, TheApplyPreferences().range) << "the answers are kept";
}

TEST_F(EngineApply, TheFlagIsClearedWhenTheEngineTakesNothingOrIsMissing) {
    _answers.source = ApplyPreferences::kActiveWave;
    _answers.range = ApplyPreferences::kWholeWave;
    _engineAnswer = 0;
    ApplyProcessorGuarded();
    EXPECT_EQ(1u, _requests.size());
    EXPECT_FALSE(wave_->IsEngineApplied());
    TheAudioEngine().entries.confirmApply = nullptr;
    ApplyProcessorGuarded();
    EXPECT_FALSE(wave_->IsEngineApplied());
    EXPECT_TRUE(boxes_.Boxes.empty());
}

TEST(ApplyPreferences, RoundTripAndAStrayBoostReadsZero) {
    Config config("Tessaro");
    LoadApplyPreferences(config);
    ApplyPreferences &p = TheApplyPreferences();
    EXPECT_EQ(0, p.source);
    EXPECT_EQ(1, p.range);
    EXPECT_EQ(1, p.restoreWindow);
    EXPECT_EQ(0, p.beep);
    p.source = 1, p.range = 0, p.result = 0, p.stopPlayback = 0, p.openTaskWindow = 0, p.minimizeWindow = 0;
    p.beep = 1, p.message = 1, p.restoreWindow = 0, p.boost = 2;
    ApplyPreferences const stored = p;
    SaveApplyPreferences(config);
    p = ApplyPreferences();
    LoadApplyPreferences(config);
    EXPECT_EQ(0, std::memcmp(&stored, &p, sizeof p));
    config.MoveDown("AE_ApplyPref");
    config.SetValue(7, "Boost");
    config.MoveUp();
    LoadApplyPreferences(config);
    EXPECT_EQ(0, p.boost);
    config.MoveDown("AE_ApplyPref");
    config.SetValue(-1, "Boost");
    config.MoveUp();
    LoadApplyPreferences(config);
    EXPECT_EQ(0, p.boost);
    p = ApplyPreferences();
}

// The dialog on the screen, shown modeless so that its rules can be read.
class ApplyPreferencesScreen : public ::testing::Test {
protected:
    ApplyPreferencesScreen()
        : language_("EnglishTs", apptest::UseEnglishTexts()), previousLanguage_(TModule::_localizedResourceDLL) {
        TModule::_localizedResourceDLL = &language_;
        wave_.reset(WaveOf({Samples(1000, 100), Samples(1000, -100)}));
        SetActiveWave(wave_.get());
    }
    ~ApplyPreferencesScreen() override {
        SetActiveWave(nullptr);
        TModule::_localizedResourceDLL = previousLanguage_;
    }

    // Opens the dialog on the preferences, runs its rules, and hands its window to check.
    void Open(ApplyPreferences &preferences, std::function<void(QueryApplyPreferencesDialog &, HWND)> const &check) {
        QueryApplyPreferencesDialog dialog(nullptr, preferences, &language_);
        ASSERT_TRUE(dialog.Create());
        dialog.ExecuteRules();
        check(dialog, dialog.GetHandle());
        dialog.TransferData(tdGetData);
        dialog.Destroy(IDCANCEL);
    }

    static bool Enabled(HWND dialog, int id) { return ::IsWindowEnabled(::GetDlgItem(dialog, id)) != 0; }
    static bool Checked(HWND dialog, int id) { return ::IsDlgButtonChecked(dialog, id) == BST_CHECKED; }

    TModule language_;
    TModule *previousLanguage_;
    std::unique_ptr<Wave> wave_;
};

TEST_F(ApplyPreferencesScreen, NothingPlayingLeavesTheActiveWaveAndWithoutSelectionTheWholeWave) {
    ApplyPreferences preferences;  // the played wave and the selection
    Open(preferences, [&](QueryApplyPreferencesDialog &, HWND h) {
        EXPECT_FALSE(Enabled(h, 180));
        EXPECT_TRUE(Checked(h, 181) && !Checked(h, 180));
        EXPECT_FALSE(Enabled(h, 140)) << "nothing to stop";
        EXPECT_FALSE(Enabled(h, 190));
        EXPECT_TRUE(Checked(h, 191) && !Checked(h, 190));
        EXPECT_TRUE(Enabled(h, 141) && Enabled(h, 120) && Enabled(h, 102));
        EXPECT_EQ(Text(11225) + wave_->GetTitle().c_str(), testsupport::TextOf(h));
    });
    EXPECT_EQ(ApplyPreferences::kActiveWave, preferences.source);
    EXPECT_EQ(ApplyPreferences::kWholeWave, preferences.range);
}

TEST_F(ApplyPreferencesScreen, WhatItShowsComesBackUnchanged) {
    wave_->SetSelection(10, 19, 3, 0);
    ApplyPreferences preferences;
    preferences.source = ApplyPreferences::kActiveWave;
    preferences.result = 0;
    preferences.boost = 1;
    preferences.beep = 1;
    preferences.minimizeWindow = 0;
    ApplyPreferences const shown = preferences;
    Open(preferences, [&](QueryApplyPreferencesDialog &, HWND h) {
        EXPECT_TRUE(Enabled(h, 190) && Checked(h, 190));
        EXPECT_TRUE(Checked(h, 121) && Checked(h, 101) && Checked(h, 150) && !Checked(h, 142));
    });
    EXPECT_EQ(0, std::memcmp(&shown, &preferences, sizeof preferences));
    SetActiveWave(nullptr);
    Open(preferences, [&](QueryApplyPreferencesDialog &, HWND h) {
        EXPECT_EQ(Text(11226), testsupport::TextOf(h)) << "no source wave";
    });
}

}  // namespace
