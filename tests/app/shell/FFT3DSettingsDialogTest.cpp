// The settings dialog of the analysis: the frequency lists holding each other in range,
// the dialog opened without an analysis view, Apply on its target view alone, presets on
// every page, Cancel after a preset, and the modal command that remembers place and page.
#include "shell/FFT3DDoc.h"
#include "shell/FFT3DSettingsDialog.h"
#include "shell/FFT3DView.h"

#include "core/Module.h"
#include "foundation/Config.h"
#include "manager/MdiDocumentWindows.h"
#include "tests/app/AppTestSupport.h"
#include "tests/app/shell/AnalysisTestKit.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

using namespace analysistest;
using testsupport::TextOf;

namespace {

class SettingsDialog : public ::testing::Test {
protected:
    void SetUp() override {
        savedStyle = TheFFT3DStyle();
        savedFrequencies = TheFFT3DFrequencies();
        TheFFT3DStyle() = FFT3DStyle();
        TheFFT3DFrequencies() = FFT3DFrequencies();
        frame.reset(new FrameScope);
    }
    void TearDown() override {
        dialog.reset();  // before its parent, the main window, which would take it along
        wave.reset();
        frame.reset();
        TheFFT3DStyle() = savedStyle;
        TheFFT3DFrequencies() = savedFrequencies;
    }

    FFT3DView &OpenAnalysis() {
        if (!wave) {
            wave.reset(SineWave(1, 20000, 44100, 440, 12000));
            Select(*wave, 0, 19999, 1);
        }
        FFT3DDoc *doc = OpenFrequencyAnalysis(*wave);
        Pump();
        return static_cast<FFT3DView &>(*doc->GetViews().GetLast());
    }
    // A dialog over the view (or none), open without a modal run.
    PropertyFFT3D &Open(FFT3DView *target) {
        dialog.reset(new PropertyFFT3D(frame->App().GetMainWindow(), target, TModule::_localizedResourceDLL));
        EXPECT_TRUE(dialog->Create());
        Pump();
        return *dialog;
    }
    HWND Item(int page, int id) { return ::GetDlgItem(dialog->GetPageRef(page)->GetHandle(), id); }
    void Click(int page, int id) { ::SendMessageA(Item(page, id), BM_CLICK, 0, 0); }
    bool Checked(int page, int id) { return ::SendMessageA(Item(page, id), BM_GETCHECK, 0, 0) == BST_CHECKED; }
    void Type(int id, char const *text) { ::SetWindowTextA(Item(2, id), text); }
    void Command(int id) { dialog->SendMessageA(WM_COMMAND, id, LPARAM(::GetDlgItem(dialog->GetHandle(), id))); }

    std::unique_ptr<FrameScope> frame;
    std::unique_ptr<Wave> wave;
    std::unique_ptr<PropertyFFT3D> dialog;
    FFT3DStyle savedStyle;
    FFT3DFrequencies savedFrequencies;
};

enum { kStyle = 0, kVision = 1, kFrequency = 2 };

// What the modal run's timer does once the dialog shows.
std::function<void(HWND)> _answer;

void CALLBACK AnswerTheDialog(HWND, UINT, UINT_PTR, DWORD) {
    HWND d = ::FindWindowA(0, "3-D analysis settings");
    if (d && ::IsWindowVisible(d) && _answer) {
        auto answer = _answer;
        _answer = nullptr;
        answer(d);
    }
}

}  // namespace

TEST_F(SettingsDialog, TheFrequencyListsKeepThreeOctavesEitherWay) {
    TheFFT3DFrequencies().highFreq = 4;  // 320 Hz
    Open(nullptr);
    EXPECT_EQ("20 Hz", TextOf(Item(kFrequency, 900)));
    EXPECT_EQ("320 Hz", TextOf(Item(kFrequency, 901)));
    Type(900, "640 Hz");
    EXPECT_EQ("5 kHz", TextOf(Item(kFrequency, 901))) << "the high frequency follows";
    Type(901, "160 Hz");
    EXPECT_EQ("20 Hz", TextOf(Item(kFrequency, 900))) << "the low frequency follows";
    Type(900, "40 Hz");
    EXPECT_EQ("320 Hz", TextOf(Item(kFrequency, 901)));
    Type(901, "2.5 kHz");
    EXPECT_EQ("40 Hz", TextOf(Item(kFrequency, 900))) << "in range: nothing moves";
    Command(IDOK);
    EXPECT_EQ(1, TheFFT3DFrequencies().lowFreq);
    EXPECT_EQ(7, TheFFT3DFrequencies().highFreq);
}

TEST_F(SettingsDialog, WithoutAnAnalysisViewApplyIsOffAndOkChangesTheGlobalsOnly) {
    FFT3DView &view = OpenAnalysis();
    Open(nullptr);
    EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(dialog->GetHandle(), PropertyFFT3D::kCmApply)));
    EXPECT_TRUE(Checked(kStyle, 110)) << "the global style, spectral";
    EXPECT_TRUE(Checked(kVision, 405)) << "30 degrees";
    Click(kStyle, 112);   // hidden lines
    Click(kStyle, 106);   // white
    Click(kVision, 403);  // 90 degrees
    Click(kVision, 393);  // logarithmic
    Click(kFrequency, 107);
    Command(PropertyFFT3D::kCmApply);  // off: nothing happens
    EXPECT_EQ(2, TheFFT3DStyle().style);
    Command(IDOK);
    EXPECT_EQ(0, TheFFT3DStyle().style);
    EXPECT_EQ(1, TheFFT3DStyle().back);
    EXPECT_EQ(90, TheFFT3DStyle().angle);
    EXPECT_EQ(1, TheFFT3DStyle().ampScale);
    EXPECT_EQ(0, TheFFT3DFrequencies().logFreq);
    EXPECT_EQ(2, view.GetStyle().style) << "the open view keeps its own settings";
    EXPECT_EQ(30, view.GetStyle().angle);
}

TEST_F(SettingsDialog, ApplyRepaintsItsTargetViewOnly) {
    FFT3DView &target = OpenAnalysis();
    FFT3DView &other = OpenAnalysis();
    Open(&target);
    EXPECT_TRUE(::IsWindowEnabled(::GetDlgItem(dialog->GetHandle(), PropertyFFT3D::kCmApply)));
    Click(kStyle, 111);   // grey shades
    Click(kStyle, 101);   // (off with grey shades)
    Click(kVision, 410);  // 240 degrees
    dialog->GetPageRef(kStyle)->ExecuteRules();
    EXPECT_FALSE(::IsWindowEnabled(Item(kStyle, 100))) << "colouring is for the spectral style";
    EXPECT_FALSE(::IsWindowEnabled(Item(kStyle, 200)));
    ::ValidateRect(target.GetHandle(), 0);
    ::ValidateRect(other.GetHandle(), 0);
    Command(PropertyFFT3D::kCmApply);
    EXPECT_EQ(1, target.GetStyle().style);
    EXPECT_EQ(240, target.GetStyle().angle);
    EXPECT_TRUE(::GetUpdateRect(target.GetHandle(), 0, FALSE)) << "the target repaints";
    EXPECT_FALSE(::GetUpdateRect(other.GetHandle(), 0, FALSE)) << "no other view";
    EXPECT_EQ(2, other.GetStyle().style);
    EXPECT_EQ(2, TheFFT3DStyle().style) << "Apply leaves the default of new views";
    Command(IDCANCEL);
    EXPECT_EQ(240, target.GetStyle().angle) << "applied stays applied";
}

TEST_F(SettingsDialog, APresetShowsOnEveryPageAndCancelAfterItKeepsTheGlobals) {
    Config preset("fft3d");
    FFT3DStyle style;
    style.style = 1, style.colorMode = 0, style.back = 1, style.angle = 300, style.ampScale = 1;
    FFT3DFrequencies frequencies;
    frequencies.lowFreq = 2, frequencies.highFreq = 9, frequencies.logFreq = 0;
    SaveFFT3DSettings(preset, &style, &frequencies);

    Open(nullptr);
    dialog->LoadPreset(preset);
    EXPECT_TRUE(Checked(kStyle, 111));
    EXPECT_TRUE(Checked(kStyle, 100));
    EXPECT_TRUE(Checked(kStyle, 106));
    EXPECT_TRUE(Checked(kVision, 408)) << "300 degrees";
    EXPECT_TRUE(Checked(kVision, 393));
    EXPECT_TRUE(Checked(kFrequency, 107));
    EXPECT_EQ("80 Hz", TextOf(Item(kFrequency, 900)));
    EXPECT_EQ("10 kHz", TextOf(Item(kFrequency, 901)));

    Config stored("fft3d");
    dialog->StorePreset(stored);
    FFT3DStyle back;
    FFT3DFrequencies backFrequencies;
    LoadFFT3DSettings(stored, &back, &backFrequencies);
    EXPECT_EQ(300, back.angle);
    EXPECT_EQ(9, backFrequencies.highFreq);

    Command(IDCANCEL);
    EXPECT_EQ(2, TheFFT3DStyle().style);
    EXPECT_EQ(30, TheFFT3DStyle().angle);
    EXPECT_EQ(0, TheFFT3DFrequencies().lowFreq) << "the preset's frequencies went with the dialog";
    EXPECT_EQ(10, TheFFT3DFrequencies().highFreq);
}

// The command's modal run: over the active analysis view, its place and page kept.
TEST_F(SettingsDialog, TheCommandOpensOverTheActiveViewWhereItWasLeft) {
    FFT3DView &view = OpenAnalysis();
    auto run = [&](std::function<void(HWND)> answer) {
        _answer = answer;
        UINT_PTR timer = ::SetTimer(0, 0, 50, AnswerTheDialog);
        testsupport::Watchdog watchdog(60);
        int result = OpenFFT3DSettings(frame->App());
        ::KillTimer(0, timer);
        return result;
    };
    TPoint placed;
    EXPECT_EQ(IDOK, run([&](HWND d) {
                  PropertyFFT3D *open = dynamic_cast<PropertyFFT3D *>(frame->App().GetMainWindow()->GetWindowPtr(d));
                  ASSERT_TRUE(open);
                  EXPECT_EQ(&view, open->GetTarget());
                  ::SetWindowPos(d, 0, 33, 44, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
                  placed = open->GetWindowRect().TopLeft();
                  open->SelectTab(kVision);
                  ::SendMessageA(::GetDlgItem(open->GetPageRef(kVision)->GetHandle(), 409), BM_CLICK, 0, 0);
                  ::PostMessageA(d, WM_COMMAND, IDOK, 0);
              }));
    EXPECT_EQ(270, view.GetStyle().angle);
    EXPECT_EQ(270, TheFFT3DStyle().angle);
    EXPECT_EQ(IDCANCEL, run([&](HWND d) {
                  PropertyFFT3D *open = dynamic_cast<PropertyFFT3D *>(frame->App().GetMainWindow()->GetWindowPtr(d));
                  ASSERT_TRUE(open);
                  EXPECT_EQ(kVision, open->GetCurrPage()) << "the page left open";
                  EXPECT_EQ(placed, open->GetWindowRect().TopLeft()) << "where it was left";
                  ::PostMessageA(d, WM_COMMAND, IDCANCEL, 0);
              }));
}

// The fourth tab keeps its presets in the analysis' preset file through the dialog's records.
TEST_F(SettingsDialog, ThePresetTabReadsAndWritesThroughTheDialog) {
    Open(nullptr);
    auto *page = dynamic_cast<FFT3DPresetPage *>(dialog->GetPageRef(3));
    ASSERT_TRUE(page);
    EXPECT_EQ(FileName::CreateApplicationRelative("system\\fft3d.set"), page->GetControls().GetFile());
    Config preset("fft3d");
    FFT3DStyle style;
    style.angle = 300;
    FFT3DFrequencies frequencies;
    SaveFFT3DSettings(preset, &style, &frequencies);
    page->ReadPresetValues(preset);
    EXPECT_TRUE(Checked(kVision, 408)) << "300 degrees";
    Config stored("fft3d");
    page->WritePresetValues(stored);
    FFT3DStyle back;
    LoadFFT3DSettings(stored, &back, &frequencies);
    EXPECT_EQ(300, back.angle);
}
