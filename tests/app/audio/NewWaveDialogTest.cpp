// The new-wave dialog: how a format shows in its controls and how the controls make the
// "NewWave" settings (through the dialog seam, without a window), the New command and
// the raw PCM format it answers, and the real dialog on the display.
#include "audio/AudioFile.h"
#include "audio/NewWaveDialog.h"
#include "audio/NewWaveFormat.h"
#include "audio/Wave.h"
#include "audio/WaveLinks.h"
#include "controls/SpinEdit.h"
#include "core/Application.h"
#include "core/Module.h"

#include "tests/app/AppTestSupport.h"
#include "tests/app/audio/AudioFileTestKit.h"
#include "tests/app/audio/WaveTestKit.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

namespace {

using namespace audiotest;
using namespace wavetest;

int const kControls[] = {107, 108, 109, 300, 301, 302, 303, 211, 212, 213, 214, 215, 216};

// What the seam's runner does in place of the user: it sees the dialog, may change it, and
// answers OK or cancel.
std::function<int(NewWaveDialog &)> user;
int RunAsUser(NewWaveDialog &dialog) { return user(dialog); }

// The checked controls in the order of kControls, and the rate edit's text.
std::string Shown(NewWaveDialog &dialog) {
    std::string shown;
    for (int id : kControls)
        if (dialog.IsChecked(id))
            shown += std::to_string(id) + " ";
    int rate = 0;
    dialog.GetRateEdit().GetValue(&rate);
    return shown + std::to_string(rate);
}

std::string Settings() {
    NewWaveSettings const &s = TheNewWaveSettings();
    return std::to_string(s.channels) + " " + std::to_string(s.bits) + " " + std::to_string(s.rate) + " " +
           std::to_string(s.freeRate);
}

void SetSettings(int channels, int bits, uint32_t rate, uint32_t freeRate) {
    TheNewWaveSettings() = NewWaveSettings{channels, bits, rate, freeRate};
}

// Checks one control of a radio group and clears the others.
void Choose(NewWaveDialog &dialog, int id, int first, int last) {
    for (int other = first; other <= last; ++other)
        dialog.SetCheck(other, other == id);
}

class NewWaveDialogs : public ::testing::Test {
protected:
    NewWaveDialogs() : saved_(TheNewWaveSettings()), previous_(SetNewWaveDialogRunner(&RunAsUser)) {
        apptest::UseEnglishTexts();
    }
    ~NewWaveDialogs() override {
        SetNewWaveDialogRunner(previous_);
        TheNewWaveSettings() = saved_;
    }

private:
    NewWaveSettings saved_;
    TNewWaveDialogRunner previous_;
};

TEST_F(NewWaveDialogs, TheFormatShowsInTheControlsAndTheChoiceBecomesTheSettings) {
    struct Case {
        char const *what;
        SamplePattern pattern;
        int twoFiles, eightBits;
        std::function<void(NewWaveDialog &)> change;
        int answer;
        std::string shown, settings;
    } const cases[] = {
        {"11025 Hz mono", SamplePattern(kPcm16, 1, 1, 11025), 1, 1, nullptr, 1, "107 301 215 11025", "1 16 11025 11025"},
        {"another rate", SamplePattern(kPcm24, 2, 1, 37800), 1, 1, nullptr, 1, "108 303 216 37800", "2 24 37800 37800"},
        {"12 bits stores 16", SamplePattern(0x4105, 2, 1, 48000), 1, 1, nullptr, 1, "108 211 48000", "2 16 48000 48000"},
        {"two files", SamplePattern(kPcm16, 2, 0, 44100), 1, 1, nullptr, 1, "109 301 212 44100", "3 16 44100 44100"},
        {"eight bits not allowed", SamplePattern(kUnsigned8, 1, 1, 22050), 1, 0, nullptr, 1, "107 300 214 22050",
         "1 16 22050 22050"},
        {"the user's choice", SamplePattern(kPcm16, 1, 1, 44100), 1, 1,
         [](NewWaveDialog &d) {
             Choose(d, 109, 107, 109);
             Choose(d, 302, 300, 303);
             Choose(d, 216, 211, 216);
             d.GetRateEdit().SetValue(8000);
         },
         1, "107 301 212 44100", "3 20 8000 8000"},
        {"a rate radio over the free rate", SamplePattern(kPcm16, 1, 1, 44100), 1, 1,
         [](NewWaveDialog &d) {
             d.GetRateEdit().SetValue(12345);
             Choose(d, 213, 211, 216);
         },
         1, "107 301 212 44100", "1 16 32000 12345"},
        {"cancel", SamplePattern(kPcm16, 1, 1, 44100), 1, 1, [](NewWaveDialog &d) { Choose(d, 108, 107, 109); }, 0,
         "107 301 212 44100", "2 8 96000 9000"},
    };
    for (Case const &c : cases) {
        SetSettings(2, 8, 96000, 9000);
        std::string shown;
        user = [&](NewWaveDialog &dialog) {
            shown = Shown(dialog);
            if (c.change)
                c.change(dialog);
            return c.answer;
        };
        SamplePattern pattern = c.pattern;
        EXPECT_EQ(c.answer, ExecuteNewWaveDialog(nullptr, pattern, c.twoFiles, c.eightBits)) << c.what;
        EXPECT_EQ(c.shown, shown) << c.what;
        EXPECT_EQ(c.settings, Settings()) << c.what;
        SamplePattern expected = c.pattern;
        if (c.answer)
            GetNewWaveFormat(expected);
        EXPECT_TRUE(expected.IsSameFormat(pattern)) << c.what;
    }
}

// Where two files may not be chosen a stored choice of two files shows as stereo in one.
TEST_F(NewWaveDialogs, ARawFileAsksTheDialogWithoutTwoFiles) {
    testsupport::TempDir dir;
    SettingsScope settings(dir.Path());
    RegisterNewWaveDialog();
    SetSettings(3, 16, 22050, 22050);
    std::string shown;
    user = [&](NewWaveDialog &dialog) {
        shown = Shown(dialog);
        Choose(dialog, 107, 107, 109);
        return 1;
    };
    std::string name = dir.File("sound.raw");
    testsupport::WriteBytes(name, std::string(400, '\0'));
    OwnedFile file(OpenAudioFile(kAccessUnchosen, FileName(name.c_str()), 1, 1));
    SetRawFormatChooser(nullptr);
    EXPECT_EQ("108 301 214 22050", shown);
    ASSERT_TRUE(file.get());
    EXPECT_EQ(1, file->GetNumChannels());
    EXPECT_EQ(200, file->GetLength());
    EXPECT_EQ("1 16 22050 22050", Settings());
}

TEST_F(NewWaveDialogs, NewMakesAnEmptyWaveInAWindowOfItsOwn) {
    testsupport::TempDir dir;
    SettingsScope settings(dir.Path());
    struct Windows : WaveWindowLink {
        void OpenWaveWindow(Wave &wave, ViewMemento const *) override { opened = &wave; }
        Wave *opened = nullptr;
    } windows;
    WaveWindowLink *previous = SetWaveWindowLink(&windows);
    SetSettings(3, 24, 48000, 48000);
    user = [](NewWaveDialog &) { return 1; };
    std::unique_ptr<Wave> wave(NewWave(nullptr));
    ASSERT_TRUE(wave);
    EXPECT_EQ(wave.get(), windows.opened);
    EXPECT_EQ(2, wave->GetFileCount());
    EXPECT_EQ(24, wave->GetBits());
    EXPECT_EQ(0, wave->GetLength());
    user = [](NewWaveDialog &) { return 0; };
    windows.opened = nullptr;
    EXPECT_FALSE(NewWave(nullptr));
    EXPECT_FALSE(windows.opened);
    SetWaveWindowLink(previous);
}

// Ends a modal run that nothing ended.
void CALLBACK QuitStuckLoop(HWND, UINT, UINT_PTR, DWORD) { PostQuitMessage(99); }

// An application whose idle calls a test drives the dialog through.
class DialogApp : public TApplication {
public:
    DialogApp() : TApplication("NewWaveDialogTest", Module()) {}
    int IdleAction(long n) override { return idle ? idle(n) : TApplication::IdleAction(n); }
    std::function<int(long)> idle;

private:
    static TModule *&Module() {
        static TModule *module;
        return module;
    }
};

// The real dialog from the language module, on the display: 109 is disabled where two files
// are not allowed, the rate edit follows radio 216, and OK keeps what the user set.
TEST_F(NewWaveDialogs, TheDialogShowsAndTakesTheUsersChoice) {
    TModule english((apptest::ProgramFolder() + "\\system\\EnglishTs.dll").c_str(), true);
    TModule *previous = TModule::_localizedResourceDLL;
    TModule::_localizedResourceDLL = &english;
    DialogApp app;
    SetSettings(2, 16, 44100, 44100);
    std::string seen;
    user = [&](NewWaveDialog &dialog) {
        int step = 0;
        app.idle = [&](long) {
            HWND d = dialog.GetHandle();
            if (!d || step > 1)
                return 0;
            auto state = [&](int id) {
                HWND control = GetDlgItem(d, id);
                return std::to_string(id) + (IsWindowEnabled(control) ? "+" : "-") +
                       (SendMessageA(control, BM_GETCHECK, 0, 0) == BST_CHECKED ? "x " : " ");
            };
            if (step++ == 0) {
                seen = state(108) + state(109) + state(212) + state(216) + state(900);
                SendMessageA(GetDlgItem(d, 216), BM_CLICK, 0, 0);
                SendMessageA(GetDlgItem(d, 303), BM_CLICK, 0, 0);
                return 1;
            }
            seen += "| " + state(216) + state(900) + state(303);
            SetDlgItemTextA(d, 900, "12345");
            testsupport::PostCommand(d, IDOK);
            return 0;
        };
        UINT_PTR watchdog = SetTimer(nullptr, 0, 10000, &QuitStuckLoop);
        int result = dialog.Execute() == IDOK;
        KillTimer(nullptr, watchdog);
        return result;
    };
    SamplePattern pattern;
    GetNewWaveFormat(pattern);
    EXPECT_EQ(1, ExecuteNewWaveDialog(nullptr, pattern, 0, 1));
    EXPECT_EQ("108+x 109- 212+x 216+ 900- | 216+x 900+ 303+x ", seen);
    EXPECT_EQ("2 24 12345 12345", Settings());
    TModule::_localizedResourceDLL = previous;
}

}  // namespace
