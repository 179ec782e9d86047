// The effect dialogs on the screen: one modeless window per effect, closed before a batch
// task's record is edited modally; OK that applies and stays; the input box; and the
// presets of a fade dialog and of a plug-in, written once when the dialog closes.
#include "audio/Wave.h"
#include "core/Application.h"
#include "core/FrameWindow.h"
#include "core/MessageBoxSeam.h"
#include "effects/EffectCommands.h"
#include "effects/EffectDialogs.h"
#include "effects/FadeDialogs.h"
#include "effects/Gain.h"
#include "effects/InputBox.h"
#include "effects/Normalize.h"
#include "effects/PlugInPresetDialog.h"
#include "effects/PresetPage.h"
#include "effects/ProcessorRegistry.h"
#include "foundation/MessageCatalogue.h"

#include "tests/app/AppTestSupport.h"
#include "tests/app/audio/AudioFileTestKit.h"
#include "tests/app/audio/WaveTestKit.h"
#include "tests/app/effects/EffectTestKit.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

using testsupport::TextOf;
using apptest::Click;
using apptest::Pump;
using apptest::PumpUntil;
using apptest::WhenModal;

namespace {

using namespace effecttest;

class DialogApp : public TApplication {
public:
    DialogApp() : TApplication("EffectDialogsTest", Module()) {}
    using TApplication::SetMainWindow;
    // As the program's document manager tells them: an exception without a plain text is
    // an Exception, whose text is shown.
    void WarnUser(AException const &e, int) override {
        String const &text = e.why().IsEmpty() ? static_cast<Exception const &>(e).GetText() : e.why();
        ShowMessageBox(nullptr, text.c_str(), GetName(), MB_OK);
    }

private:
    static TModule *&Module() {
        static TModule *module;
        return module;
    }
};

std::string ReadFile(std::string const &path) {
    std::string bytes;
    if (HANDLE file = ::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
        file != INVALID_HANDLE_VALUE) {
        char buffer[4096];
        DWORD got = 0;
        while (::ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got)
            bytes.append(buffer, got);
        ::CloseHandle(file);
    }
    return bytes;
}

class EffectDialogsScreen : public ::testing::Test {
protected:
    EffectDialogsScreen()
        : language_("EnglishTs", apptest::UseEnglishTexts()), settings_(dir_.Path()),
          previousLanguage_(TModule::_localizedResourceDLL) {
        frame_ = new TFrameWindow(nullptr, "main");
        app_.SetMainWindow(frame_);
        frame_->Create();
        frame_->Show(SW_SHOW);
        BuildProcessorRegistry();
        TModule::_localizedResourceDLL = &language_;
        wave_.reset(WaveOf({Samples(100, 1000), Samples(100, -1000)}));
        wave_->SetSelection(10, 19, 3, 0);
        SetActiveWave(wave_.get());
    }
    ~EffectDialogsScreen() override {
        SetActiveWave(nullptr);
        frame_->Destroy();
        DestroyProcessorRegistry();
        TModule::_localizedResourceDLL = previousLanguage_;
    }

    DialogApp app_;
    TModule language_;
    testsupport::TempDir dir_;
    audiotest::SettingsScope settings_;
    TModule *previousLanguage_;
    audiotest::WarningRecorder warnings;
    wavetest::RecordingPoster poster;
    TFrameWindow *frame_;
    std::unique_ptr<Wave> wave_;
};

// A preset file of the program's "system" folder, put back as it was afterwards.
class ProgramFileScope {
public:
    explicit ProgramFileScope(char const *relative)
        : path_(FileName::CreateApplicationRelative(relative).c_str()), kept_(ReadFile(path_)) {
        ::CreateDirectoryA(path_.substr(0, path_.find_last_of('\\')).c_str(), nullptr);
        ::DeleteFileA(path_.c_str());
    }
    ~ProgramFileScope() {
        ::DeleteFileA(path_.c_str());
        if (!kept_.empty())
            testsupport::WriteBytes(path_, kept_);
    }
    std::string const &Path() const { return path_; }

private:
    std::string path_;
    std::string kept_;
};

}  // namespace

TEST_F(EffectDialogsScreen, OneWindowPerEffectClosedBeforeABatchTaskIsEdited) {
    ASSERT_EQ(1, OpenEffectFromMenu(kGainProcessor));
    OkApplyDialog *shown = FindEffectDialog<OkApplyDialog>(6);
    ASSERT_TRUE(shown && shown->GetHandle());
    EXPECT_TRUE(::IsWindowVisible(shown->GetHandle()));
    HWND window = shown->GetHandle();
    ASSERT_EQ(1, OpenEffectFromMenu(kGainProcessor));
    EXPECT_EQ(window, FindEffectDialog<OkApplyDialog>(6)->GetHandle()) << "the same window again";

    GainOpcodes task;
    task.factor = 2.0f;
    std::string labels, shownGain;
    bool closedFirst = false;
    WhenModal([&](HWND modal) {
        closedFirst = !::IsWindow(window);
        labels = TextOf(::GetDlgItem(modal, IDOK)) + "|" + TextOf(::GetDlgItem(modal, IDCANCEL));
        shownGain = TextOf(::GetDlgItem(modal, 900));
        Click(modal, IDOK);
    });
    EXPECT_EQ(1, RunProcessorDialog(kGainProcessor, &task, 1));
    EXPECT_TRUE(closedFirst) << "the menu's window went before the task's dialog ran";
    EXPECT_EQ(audiotest::Text(19012) + "|" + audiotest::Text(19013), labels);
    EXPECT_NE(std::string::npos, shownGain.find("6")) << shownGain;
    EXPECT_TRUE(warnings.texts.empty());
}

// A cancelled task keeps its record, but for the as-selection flag, which only means
// something for the wave the dialog was opened on.
TEST_F(EffectDialogsScreen, ACancelledTaskKeepsItsRecordButTheSelectionsLevel) {
    NormalizerOpcodes task;
    task.level = 1234;
    task.asSelection = 1;
    WhenModal([](HWND modal) { Click(modal, IDCANCEL); });
    EXPECT_EQ(0, RunProcessorDialog(kNormalizeProcessor, &task, 1));
    EXPECT_EQ(1234, task.level);
    EXPECT_EQ(0, task.asSelection);
}

TEST_F(EffectDialogsScreen, OkAppliesToTheActiveWaveAndTheDialogStays) {
    static_cast<GainOpcodes *>(GetCurrentOpcodes(kGainProcessor))->factor = 2.0f;
    ASSERT_EQ(1, RunProcessorDialog(kGainProcessor, nullptr, 0));
    HWND dialog = FindEffectDialog<OkApplyDialog>(6)->GetHandle();
    Click(dialog, IDOK);
    ASSERT_TRUE(PumpUntil([&] { return wave_->GetNumUndoMementos() == 1; })) << "command 500 applied the gain";
    EXPECT_TRUE(::IsWindowVisible(dialog));
    Samples left = SamplesOf(*wave_, 0);
    EXPECT_EQ(1000, left[9]);
    EXPECT_EQ(1995, left[10]) << "+6 dB as the dialog shows it";
    EXPECT_EQ(1000, left[20]);
    Click(dialog, IDCANCEL);
    EXPECT_FALSE(::IsWindow(dialog));
    EXPECT_TRUE(warnings.texts.empty());
}

TEST_F(EffectDialogsScreen, NormalizeTakesTheLevelTheDialogShows) {
    static_cast<NormalizerOpcodes *>(GetCurrentOpcodes(kNormalizeProcessor))->level = 32767;
    ASSERT_EQ(1, OpenEffectFromMenu(kNormalizeProcessor));
    HWND dialog = FindEffectDialog<OkApplyDialog>(5)->GetHandle();
    Click(dialog, IDOK);
    ASSERT_TRUE(PumpUntil([&] { return wave_->GetNumUndoMementos() == 1; }));
    EXPECT_EQ(32767, SamplesOf(*wave_, 0)[10]);
    EXPECT_EQ(-32767, SamplesOf(*wave_, 1)[19]);
    EXPECT_EQ(1000, SamplesOf(*wave_, 0)[20]);
    Click(dialog, IDCANCEL);
    EXPECT_TRUE(warnings.texts.empty());
}

// The crossfade joins the clipboard to the selection; a clipboard shorter than the
// selection is refused with a box and changes nothing.
TEST_F(EffectDialogsScreen, TheCrossfadeJoinsTheClipboardToTheSelection) {
    wave_->SetSelection(0, 29, 3, 0);
    wave_->Copy();
    wave_->SetSelection(50, 59, 3, 0);
    auto &record = *static_cast<XFadeOpcodes *>(GetCurrentOpcodes(kXFadeProcessor));
    record.noFade[0] = record.noFade[1] = 1;
    ASSERT_EQ(1, OpenEffectFromMenu(kXFadeProcessor));
    HWND dialog = FindEffectDialog<OkApplyTabDialog>(XFadeDialog::kDialog)->GetHandle();
    Click(dialog, IDOK);
    ASSERT_TRUE(PumpUntil([&] { return wave_->GetNumUndoMementos() == 1; }));
    EXPECT_EQ(120, wave_->GetLength()) << "the clipboard's 20 frames after the 10 mixed";
    Samples left = SamplesOf(*wave_, 0), right = SamplesOf(*wave_, 1);
    EXPECT_EQ(1000, left[49]);
    EXPECT_EQ(2000, left[50]);
    EXPECT_EQ(-2000, right[59]);
    EXPECT_EQ(1000, left[60]);

    wave_->SetSelection(0, 49, 3, 0);
    Click(dialog, IDOK);
    ASSERT_TRUE(PumpUntil([&] { return warnings.texts.size() == 1; }));
    EXPECT_EQ(audiotest::Text(10022), warnings.texts[0]);
    EXPECT_EQ(1, wave_->GetNumUndoMementos());
    EXPECT_EQ(120, wave_->GetLength());
    Click(dialog, IDCANCEL);
    Wave::DeleteClipboardWave();
}

TEST_F(EffectDialogsScreen, AnInputBoxOfBlanksAnswersNo) {
    for (char const *typed : {"  \t ", "  name "}) {
        String text("before");
        WhenModal([&](HWND box) {
            ::SetDlgItemTextA(box, 100, typed);
            Click(box, IDOK);
        });
        int answer = RunInputBox("Name", kInputBoxDialog, 40, text);
        EXPECT_EQ(std::string(typed) == "  name " ? 1 : 0, answer) << typed;
        EXPECT_EQ(std::string(typed) == "  name " ? "name" : "", std::string(text.c_str()));
    }
}

// Store, the name table, replace, load; nothing on the disk until the dialog closes.
TEST_F(EffectDialogsScreen, FadePresetsAreKeptByNameAndWrittenOnceAtClose) {
    ProgramFileScope file("system\\fade.set");
    auto &record = *static_cast<FadeOpcodes *>(GetCurrentOpcodes(kFadeProcessor));
    record = FadeOpcodes(3, 2, 1, 0);
    ASSERT_EQ(1, RunProcessorDialog(kFadeProcessor, nullptr, 0));
    auto *dialog = FindEffectDialog<OkApplyTabDialog>(FadeDialog::kDialog);
    ASSERT_TRUE(dialog);
    dialog->SelectTab(1);
    PropertyPage *page = dialog->GetPageRef(1);
    ASSERT_TRUE(page && page->GetHandle());
    HWND presets = page->GetHandle(), list = ::GetDlgItem(presets, PresetControls::kList);
    auto store = [&](char const *name) {
        ::SetDlgItemTextA(presets, PresetControls::kName, name);
        Click(presets, PresetControls::kStore);
    };
    auto listed = [&] {
        std::string names;
        for (int i = 0, n = int(::SendMessageA(list, LB_GETCOUNT, 0, 0)); i < n; ++i) {
            char text[64] = "";
            ::SendMessageA(list, LB_GETTEXT, WPARAM(i), LPARAM(text));
            names += std::string(text) + ";";
        }
        return names;
    };

    store("my\\fade ");
    EXPECT_EQ("my_fade;", listed());
    store("__default__");
    store("__default__");
    EXPECT_EQ("my_fade;", listed()) << "the dialog's own group is never listed";
    EXPECT_TRUE(warnings.texts.empty()) << "and overwritten without a question";
    store("my_fade");
    ASSERT_EQ(1u, warnings.texts.size());
    EXPECT_EQ(std::string(BuildString(10005, "my_fade").c_str()), warnings.texts[0]);
    EXPECT_EQ("my_fade;", listed());

    record = FadeOpcodes(9, 7, 0, 0);
    dialog->UpdateAllPageControls();
    ::SendMessageA(list, LB_SETCURSEL, 0, 0);
    ::SetDlgItemTextA(presets, PresetControls::kName, "");
    Click(presets, PresetControls::kReplace);
    EXPECT_EQ("my_fade;", listed()) << "an empty name keeps the old one";
    record = FadeOpcodes(1, 1, 1, 0);
    dialog->UpdateAllPageControls();
    ::SendMessageA(list, LB_SETCURSEL, 0, 0);
    Click(presets, PresetControls::kLoad);
    EXPECT_EQ(9, record.level) << "the replaced values";
    EXPECT_EQ(7, record.time);
    EXPECT_EQ(0, record.fadeIn);

    EXPECT_TRUE(ReadFile(file.Path()).empty()) << "nothing written before the close";
    Click(dialog->GetHandle(), IDCANCEL);
    std::string written = ReadFile(file.Path());
    EXPECT_NE(std::string::npos, written.find("my_fade")) << written;
    EXPECT_NE(std::string::npos, written.find("__default__")) << written;
}

// A plug-in of two saved parameters and one that is not.
class TestPlugIn : public PlugInParameters {
public:
    String GetName() const override { return "Echo/Delay 2"; }
    int GetCount() const override { return 3; }
    String GetParameterName(int i) const override { return i == 0 ? "Time" : i == 1 ? "Name" : "Scratch"; }
    int IsSaved(int i) const override { return i < 2; }
    int GetType(int i) const override { return i == 1 ? kText : kFloat; }
    float GetValue(int i) const override { return values[i]; }
    void SetValue(int i, float value) override { values[i] = value; }
    int GetElementSize(int) const override { return 1; }
    std::string GetData(int) const override { return text; }
    void SetData(int, void const *data, int count) override { text.assign(static_cast<char const *>(data), count); }
    void SetChanged() override { ++changed; }

    float values[3] = {0.25f, 0, 9};
    std::string text = "room";
    int changed = 0;
};

TEST_F(EffectDialogsScreen, APlugInsPresetsSurviveOkAndCancelLeavesTheFileAsItWas) {
    FileName name = PlugInPresetFile("vst ", "Echo/Delay 2");
    EXPECT_NE(std::string::npos, std::string(name.c_str()).find("system\\plugins\\vst_Echo_Delay_2.set"))
        << name.c_str();
    ::CreateDirectoryA(FileName::CreateApplicationRelative("system").c_str(), nullptr);
    ProgramFileScope file("system\\plugins\\vst_Echo_Delay_2.set");
    TestPlugIn plugIn;
    String loaded;
    WhenModal([](HWND dialog) {
        ::SetDlgItemTextA(dialog, PresetControls::kName, "warm");
        Click(dialog, PresetControls::kStore);
        Click(dialog, IDOK);
    });
    EXPECT_EQ(1, RunPlugInPresetDialog(frame_, "vst ", plugIn, loaded));
    std::string stored = ReadFile(file.Path());
    ASSERT_NE(std::string::npos, stored.find("warm")) << stored;
    EXPECT_EQ(std::string::npos, stored.find("Scratch")) << "a parameter not marked saved stays out";

    plugIn.values[0] = 0.75f;
    plugIn.text = "hall";
    WhenModal([](HWND dialog) {
        HWND list = ::GetDlgItem(dialog, PresetControls::kList);
        ::SendMessageA(list, LB_SETCURSEL, 0, 0);
        Click(dialog, PresetControls::kLoad);
        ::SetDlgItemTextA(dialog, PresetControls::kName, "second");
        Click(dialog, PresetControls::kStore);
        ::SendMessageA(list, LB_SETCURSEL, 0, 0);
        Click(dialog, PresetControls::kDelete);
        Click(dialog, IDCANCEL);
    });
    EXPECT_EQ(0, RunPlugInPresetDialog(frame_, "vst ", plugIn, loaded));
    EXPECT_EQ(0.25f, plugIn.values[0]) << "loaded before the cancel";
    EXPECT_EQ("room", plugIn.text);
    EXPECT_EQ(1, plugIn.changed);
    EXPECT_EQ(stored, ReadFile(file.Path())) << "the store and the delete were dropped";
}
