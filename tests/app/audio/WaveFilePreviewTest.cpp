// The open dialog of waves with its preview, on the screen: a file is chosen as the user
// would, and half a second later the preview shows its type, length and format and plays
// it; a file that cannot be opened shows "?" and no box, a raw file asks nothing.
#include "audio/NewWaveFormat.h"
#include "audio/PlaybackLink.h"
#include "audio/Wave.h"
#include "audio/WaveFactory.h"
#include "audio/WaveSettings.h"
#include "core/Module.h"
#include "foundation/FileSelector.h"

#include "tests/app/AppTestSupport.h"
#include "tests/app/audio/AudioFileTestKit.h"
#include "tests/app/audio/WaveTestKit.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <commdlg.h>
#include <dlgs.h>

#include <memory>
#include <string>

namespace {

using namespace audiotest;
using namespace wavetest;

// A playback that keeps what it was asked to play, and plays it until it is stopped.
class PlayRecorder : public PlaybackLink {
public:
    PlayRecorder() : previous_(SetPlaybackLink(this)) {}
    ~PlayRecorder() override { SetPlaybackLink(previous_); }
    bool IsPlaying(ASampleProvider const *source) const override { return source && source == playing; }
    int GetPosition() override { return 0; }
    int StopAndWait() override {
        playing = nullptr;
        return 1;
    }
    void RequeueFrom(int, int) override {}
    void Play(PlayRequest const &request) override {
        playing = request.source;
        ++plays;
    }
    void SignalCollector(FileObject const &) override {}
    int GetPlayMode() const override { return 0; }
    int GetPlayChannels() const override { return 3; }
    int GetUseEngine() const override { return 0; }
    int GetOutputBits() const override { return 16; }

    ASampleProvider const *playing = nullptr;
    int plays = 0;

private:
    PlaybackLink *previous_;
};

int rawQuestions = 0;
int CountRawQuestion(SamplePattern &) {
    ++rawQuestions;
    return 1;
}

enum { WM_CHOOSE = WM_APP + 21, kTicksToRead = 8 };

// What the test's hook, in front of the preview's, did and saw.
struct Drive {
    FileSelectorHook preview = nullptr;
    std::string name;
    int ticks = -1;  // timer ticks since the choice
    std::string length, format, type, button;
    bool buttonEnabled = false;
};

std::string ItemText(HWND child, int id) { return testsupport::TextOf(GetDlgItem(child, id)); }

UINT_PTR DrivingHook(FileSelectorInfo *info, HWND child, UINT message, WPARAM wParam, LPARAM lParam) {
    Drive &d = *reinterpret_cast<Drive *>(info->callerData[1]);
    UINT_PTR result = d.preview(info, child, message, wParam, lParam);
    HWND dialog = GetParent(child);
    if (message == WM_NOTIFY && reinterpret_cast<NMHDR *>(lParam)->code == CDN_INITDONE) {
        PostMessageA(child, WM_CHOOSE, 0, 0);
    } else if (message == WM_CHOOSE) {
        // typed as the list would put it there, then the dialog's notice of a new choice
        SendMessageA(dialog, CDM_SETCONTROLTEXT, edt1, reinterpret_cast<LPARAM>(d.name.c_str()));
        SendMessageA(dialog, CDM_SETCONTROLTEXT, cmb13, reinterpret_cast<LPARAM>(d.name.c_str()));
        NMHDR note = {dialog, 0, UINT(CDN_SELCHANGE)};
        SendMessageA(child, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&note));
        d.ticks = 0;
    } else if (message == WM_TIMER && d.ticks >= 0 && ++d.ticks == kTicksToRead) {
        d.length = ItemText(child, 200);
        d.format = ItemText(child, 201);
        d.type = ItemText(child, 202);
        d.button = ItemText(child, 100);
        d.buttonEnabled = IsWindowEnabled(GetDlgItem(child, 100)) != 0;
        testsupport::PostCommand(dialog, IDCANCEL);
    }
    return result;
}

class Preview : public ::testing::Test {
protected:
    Preview() {
        apptest::UseEnglishTexts();
        manager.reset(new DocumentsScope);
        // the manager lets the language module go with it
        TModule::_localizedResourceDLL =
            new TModule((apptest::ProgramFolder() + "\\system\\EnglishTs.dll").c_str(), true);
        previousChooser = SetRawFormatChooser(&CountRawQuestion);
        rawQuestions = 0;
    }
    ~Preview() override {
        SetRawFormatChooser(previousChooser);
        manager.reset();
        apptest::UseEnglishTexts();
        TheWaveSettings() = WaveSettings();
    }

    // The open dialog of waves with the file chosen in it; what its preview showed.
    Drive ShowDialogWith(char const *name) {
        Drive d;
        d.name = name;
        FileSelectorInfo info;
        info.kind = 0;
        info.initialFolder = dir.Path().c_str();
        ComplementSelectOpenFile(info);
        d.preview = info.hook;
        info.hook = &DrivingHook;
        info.callerData[1] = reinterpret_cast<ULONG_PTR>(&d);
        info.fileMustExist = 0;
        testsupport::Watchdog watchdog(20);
        EXPECT_EQ(0, UserSelectsFile(info)) << "dialog error " << info.dialogError;
        EXPECT_FALSE(watchdog.Fired());
        return d;
    }

    testsupport::TempDir dir;
    SettingsScope settings{dir.Path()};
    std::unique_ptr<DocumentsScope> manager;
    TRawFormatChooser previousChooser;
};

TEST_F(Preview, AWaveShowsItsTextsAndPlays) {
    testsupport::WriteBytes(dir.File("take.wav"), SimpleWave(2, 16, 44100, std::string(44100 * 4, '\x01')));
    PlayRecorder playback;
    Drive d = ShowDialogWith("take.wav");
    EXPECT_EQ("Microsoft PCM Wave", d.type);
    EXPECT_EQ("1.000 s / 176400 B", d.length);
    SamplePattern pattern(kPcm16, 2, 1, 44100);
    EXPECT_EQ(std::string(pattern.GetSampleSizeText().c_str()) + " / 44.100 kHz", d.format);
    EXPECT_TRUE(d.buttonEnabled);
    EXPECT_EQ(Text(11025), d.button);  // automatic play: it plays

    // the preview plays a wave of its own that goes when its playing ends; the one opened
    // for the texts went at once
    EXPECT_EQ(1, playback.plays);
    ASSERT_EQ(1, manager->GetDocList().GetCount());
    Wave *played = dynamic_cast<Wave *>(manager->FindFirstDoc());
    ASSERT_TRUE(played);
    EXPECT_EQ(1, played->IsTransient());
    EXPECT_EQ(0, played->IsRememberedAsOpened());
    EXPECT_EQ(nullptr, playback.playing);  // closing the dialog stopped it
}

TEST_F(Preview, WhatCannotBeOpenedShowsQuestionMarksAndAsksNothing) {
    testsupport::WriteBytes(dir.File("bad.wav"), SimpleWave(3, 16, 8000, Noise(60, 5)));
    testsupport::WriteBytes(dir.File("take.raw"), Noise(4000, 7));
    TheWaveSettings().autoPlay = 0;
    WarningRecorder boxes;
    for (char const *name : {"bad.wav", "take.raw"}) {
        Drive d = ShowDialogWith(name);
        EXPECT_EQ("?", d.type) << name;
        EXPECT_EQ("?", d.length) << name;
        EXPECT_EQ("?", d.format) << name;
        EXPECT_FALSE(d.buttonEnabled) << name;
        EXPECT_EQ(Text(11024), d.button) << name;
    }
    EXPECT_TRUE(boxes.texts.empty()) << boxes.texts[0];
    EXPECT_EQ(0, rawQuestions);
    EXPECT_EQ(0, manager->GetDocList().GetCount());
}

}  // namespace
