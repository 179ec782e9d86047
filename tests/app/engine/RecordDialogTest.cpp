// The record dialog on the screen, opened as the record command opens it: metering, a
// recording with a dropped marker that becomes a new wave, and the mixer panel over a
// mixer of the test's, unfolded, moved and folded again.
#include "engine/RecordDialog.h"

#include "audio/Wave.h"
#include "controls/Slider.h"
#include "core/Application.h"
#include "core/FrameWindow.h"
#include "engine/AudioState.h"
#include "engine/VuMeter.h"
#include "engine/WaveRecorder.h"
#include "tests/app/AppTestSupport.h"
#include "tests/app/audio/AudioFileTestKit.h"
#include "tests/app/engine/EngineTestKit.h"
#include "tests/app/engine/FakeMixer.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <memory>
#include <regex>
#include <string>

using namespace enginetest;
using testsupport::TextOf;

namespace {

class DialogApp : public TApplication {
public:
    DialogApp() : TApplication("RecordDialogTest", Module()) {}
    using TApplication::SetMainWindow;

private:
    static TModule *&Module() {
        static TModule *module;
        return module;
    }
};

class RecordDialogScreen : public ::testing::Test {
protected:
    RecordDialogScreen() : language_("EnglishTs", apptest::UseEnglishTexts()), settings_(dir_.Path()) {
        frame_ = new TFrameWindow(nullptr, "main");
        app_.SetMainWindow(frame_);
        frame_->Create();
    }

    void Command(int id) { SendMessageA(dialog->GetHandle(), WM_COMMAND, WPARAM(id), 0); }
    HWND Item(int id) { return GetDlgItem(dialog->GetHandle(), id); }
    std::string Text(int id) { return TextOf(Item(id)); }
    int Width() { return dialog->GetWindowRect().Width(); }

    DialogApp app_;
    TModule language_;
    testsupport::TempDir dir_;
    audiotest::SettingsScope settings_;
    audiotest::WarningRecorder warnings;
    MainWindowStandIn main;
    TFrameWindow *frame_;
    RecordDialog *dialog = nullptr;
};

}  // namespace

TEST_F(RecordDialogScreen, MetersRecordsWithAMarkerAndUnfoldsTheMixer) {
    CaptureSignal(3);
    dialog = RecordDialog::Show(frame_, &language_);
    ASSERT_TRUE(dialog && dialog->GetHandle());
    EXPECT_EQ(dialog, RecordDialog::Show(frame_, &language_)) << "there is one";
    EXPECT_TRUE(IsWindowVisible(dialog->GetHandle()));
    EXPECT_EQ(Item(131), GetFocus());
    EXPECT_EQ("Record", TextOf(dialog->GetHandle()));
    EXPECT_EQ(dialog->GetCompactSize().cx, Width());
    EXPECT_EQ(256, dialog->GetMeter().GetClientRect().Width()) << "the meter takes its scale's size";
    EXPECT_EQ(0u, Text(121).find("Time left: "));
    EXPECT_FALSE(Text(118).empty());

    // metering
    CheckDlgButton(dialog->GetHandle(), 115, BST_CHECKED);
    Command(115);
    EXPECT_TRUE(TheWaveRecorder().IsMonitoring());
    EXPECT_TRUE(main.PumpUntil([&] { return dialog->GetMeter().GetPosition(0) >= 0; }, 10000)) << "the meter moves";

    // a recording with a marker
    Command(131);
    ASSERT_TRUE(TheWaveRecorder().IsRecording());
    dialog->ExecuteRules();
    EXPECT_EQ("&Stop", Text(131));
    EXPECT_TRUE(IsWindowEnabled(Item(220)));
    EXPECT_FALSE(IsWindowEnabled(Item(117))) << "no new format while recording";
    EXPECT_EQ("0", Text(160));
    ASSERT_TRUE(main.PumpUntil([] { return TheWaveRecorder().GetRecordedFrames() >= 10000; }, 10000));
    int32_t markerAt = int32_t(TheWaveRecorder().GetRecordedFrames());
    Command(220);
    EXPECT_EQ("1", Text(160));
    // in the dialogs' unit (seconds here): at least the 10000 frames at no more than 48 kHz
    std::smatch recorded;
    std::string elapsed = Text(120);
    ASSERT_TRUE(std::regex_match(elapsed, recorded, std::regex("Recorded: ([0-9]+\\.[0-9]{3}) s"))) << elapsed;
    EXPECT_GE(std::stod(recorded[1]), 10000 / 48000.0) << elapsed;
    Command(131);
    EXPECT_FALSE(TheWaveRecorder().IsOpen());
    ASSERT_EQ(1u, main.opened.size());
    ASSERT_EQ(1, main.opened[0]->GetMarkers().GetCount());
    EXPECT_EQ(markerAt, main.opened[0]->GetMarkers().GetMarker(0)->position_);
    dialog->ExecuteRules();
    EXPECT_EQ("&Record", Text(131));
    EXPECT_EQ(BST_UNCHECKED, IsDlgButtonChecked(dialog->GetHandle(), 115)) << "nothing is metered any more";
    EXPECT_EQ("", Text(160));

    // the mixer panel
    FakeMixer *mixer = new FakeMixer(SoundCard());
    dialog->SetMixer(std::unique_ptr<RecordMixer>(mixer));
    Command(190);
    ASSERT_TRUE(dialog->IsMixerShown());
    EXPECT_EQ(dialog->GetCompactSize().cx + MixerPanelWidth(3), Width());
    EXPECT_EQ("Recording", Text(300));
    EXPECT_TRUE(IsWindowVisible(Item(251)));
    EXPECT_FALSE(IsWindowVisible(Item(250))) << "the recording volume has no check box";
    ASSERT_TRUE(Item(1003));
    SendMessageA(dialog->GetHandle(), WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, 250), LPARAM(Item(1001)));
    Slider *left = dynamic_cast<Slider *>(dialog->ChildWithId(1000));
    ASSERT_TRUE(left);
    EXPECT_EQ(250, left->GetPosition()) << "the other channel follows";
    CheckDlgButton(dialog->GetHandle(), 252, BST_UNCHECKED);
    Command(252);
    std::vector<std::string> written = {"100: 16383 16383", "401: 0 0 1"};
    EXPECT_EQ(written, mixer->writes);
    Command(190);
    EXPECT_FALSE(dialog->IsMixerShown());
    EXPECT_EQ(dialog->GetCompactSize().cx, Width());
    EXPECT_FALSE(Item(1000)) << "the sliders go with the panel";
    EXPECT_FALSE(mixer->IsOpen());

    SendMessageA(dialog->GetHandle(), WM_CLOSE, 0, 0);
    EXPECT_FALSE(dialog->GetHandle());
    EXPECT_TRUE(warnings.texts.empty());
    frame_->Destroy();
}
