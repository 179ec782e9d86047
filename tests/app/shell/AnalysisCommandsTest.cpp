// The analysis windows from the program's commands: another analysis view (196), disk
// information (197), the live input (199) and Play while the live input is the active
// window; and their settings groups kept in the application's settings file.
#include "shell/DiskInfoDoc.h"
#include "shell/FFT3DDoc.h"
#include "shell/FFT3DSettings.h"
#include "shell/LiveInput.h"
#include "shell/WaveApp.h"
#include "shell/WaveMDIClient.h"

#include "cd/CdSettings.h"
#include "database/DatabaseSettings.h"
#include "foundation/Config.h"
#include "shell/ShellSettings.h"
#include "manager/MdiDocumentWindows.h"
#include "tests/app/shell/AnalysisTestKit.h"
#include "tests/framework/TestKit.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

using namespace analysistest;

namespace {

class AnalysisCommands : public ::testing::Test {
protected:
    void SetUp() override {
        MicroDoc::_type.formatSet = false;
        client = new WaveMDIClient;
        frame.reset(new FrameScope(client));
    }
    void TearDown() override {
        if (MicroDoc::GetLiveInput())
            ToggleLiveInput();
        wave.reset();  // before the manager it tells of its end
        frame.reset();
    }
    // As the frame hands on a command that no document window takes.
    void Command(int id) {
        client->SendMessageA(WM_COMMAND, id, 0);
        analysistest::Pump();
    }
    int DiskInformations() {
        int n = 0;
        for (Document *d = frame->App().FindFirstDoc(); d; d = frame->App().FindNextDoc(d))
            n += dynamic_cast<DiskInfoDoc *>(d) != nullptr;
        return n;
    }
    FFT3DDoc &Analysis() {
        wave.reset(SineWave(1, 20000, 44100, 440, 12000));
        Select(*wave, 0, 19999, 1);
        FFT3DDoc *doc = OpenFrequencyAnalysis(*wave);
        analysistest::Pump();
        return *doc;
    }

    WaveMDIClient *client;  // the frame's, which deletes it
    std::unique_ptr<Wave> wave;
    std::unique_ptr<FrameScope> frame;
};

}  // namespace

TEST_F(AnalysisCommands, AnotherViewOfTheActiveAnalysis) {
    FFT3DDoc &doc = Analysis();
    ASSERT_EQ(1, doc.GetViews().GetCount());
    Command(196);
    EXPECT_EQ(2, doc.GetViews().GetCount());
}

TEST_F(AnalysisCommands, DiskInformationOpensOnceAndTheLiveInputToggles) {
    Command(197);
    Command(197);
    EXPECT_EQ(1, DiskInformations());

    EnablerProbe probe(199);
    client->CeLiveInput(probe);
    EXPECT_EQ(TCommandEnabler::Unchecked, probe.Check);
    Command(199);
    ASSERT_NE(nullptr, MicroDoc::GetLiveInput());
    client->CeLiveInput(probe);
    EXPECT_EQ(TCommandEnabler::Checked, probe.Check);
    Command(199);
    EXPECT_EQ(nullptr, MicroDoc::GetLiveInput());
}

// The transport's Play and its enabler, while the live input's window is the active one and
// after another window took its place.
TEST(AnalysisTransport, PlayMonitorsTheLiveInputWhileItIsActive) {
    MicroDoc::_type.formatSet = false;
    WaveMDIClient &transport = *new WaveMDIClient;
    FrameScope frame(&transport);
    RecordingLink link;
    transport.SendMessageA(WM_COMMAND, 199, 0);
    analysistest::Pump();
    ASSERT_NE(nullptr, MicroDoc::GetCurrent()) << "opened by its command, the live input is the current window";
    EnablerProbe play(130);
    transport.CePlay(play);
    EXPECT_EQ(1, play.Enabled);
    transport.CmPlay();
    ASSERT_EQ(1u, link.requests.size());
    EXPECT_EQ(int32_t(kPlayMonitor), link.requests[0].mode);

    std::unique_ptr<Wave> wave(SineWave(1, 5000, 44100, 440, 1000));
    Select(*wave, 0, 4999, 1);
    OpenFrequencyAnalysis(*wave);
    analysistest::Pump();
    ASSERT_EQ(nullptr, MicroDoc::GetCurrent());
    transport.CmPlay();
    EXPECT_EQ(1u, link.requests.size()) << "no wave active: nothing plays";
    ToggleLiveInput();
}

// The analysis, database and CD groups go through the settings file the application keeps,
// in its order: the analysis and database after the audio files, the CD program's group
// after the player's.
TEST(AnalysisSettingsGroups, RoundTripThroughTheApplicationsSettingsFile) {
    WaveApp app;
    FFT3DStyle const keptStyle = TheFFT3DStyle();
    CdSettings const keptCd = TheCdSettings();
    DatabaseSettings const keptDatabase = TheDatabaseSettings();
    TheFFT3DStyle().angle = 240;
    TheFFT3DStyle().back = 1;
    TheCdSettings().col = 5;
    TheCdSettings().playMS = 1;
    TheDatabaseSettings().listMaxSize = 321;
    std::string const path = testsupport::ProgramFolder() + "\\system\\groups-test.set";
    {
        Config file("main", FileName(path.c_str()), 1);
        app.SavePref(file);
        file.MoveToRoot();
        ConfigKey *product = file.MoveDown(app.GetName());
        std::vector<std::string> order;
        for (ConfigKey *k = product->GetFirstChild(); k; k = k->GetNext())
            if (k->IsGroup())
                order.push_back(k->GetName().c_str());
        auto at = [&](char const *name) { return std::find(order.begin(), order.end(), name) - order.begin(); };
        EXPECT_LT(at("AudioFile"), at("FFT3D"));
        EXPECT_LT(at("FFT3D"), at("Database"));
        EXPECT_LT(at("Database"), at("Player"));
        EXPECT_LT(at("Player"), at("CDR")) << "its play defaults go with the components";
        EXPECT_LT(at("CDR"), long(order.size()));
    }
    TheFFT3DStyle() = FFT3DStyle();
    TheCdSettings() = CdSettings();
    TheDatabaseSettings() = DatabaseSettings();
    {
        Config file("main", FileName(path.c_str()));
        app.LoadPref(file);
    }
    EXPECT_EQ(240, TheFFT3DStyle().angle);
    EXPECT_EQ(1, TheFFT3DStyle().back);
    EXPECT_EQ(5, TheCdSettings().col);
    EXPECT_EQ(1, TheCdSettings().playMS);
    EXPECT_EQ(321, TheDatabaseSettings().listMaxSize);
    ::DeleteFileA(path.c_str());
    DeleteFileCache();
    TheFFT3DStyle() = keptStyle;
    TheCdSettings() = keptCd;
    TheDatabaseSettings() = keptDatabase;
}

namespace {

int _settingsClosed = 0;

// Closes the settings dialog once it shows, and counts the dialogs closed.
void CALLBACK CloseTheSettings(HWND, UINT, UINT_PTR, DWORD) {
    HWND d = ::FindWindowA(0, "3-D analysis settings");
    if (d && ::IsWindowVisible(d) && ::IsWindowEnabled(d)) {
        ++_settingsClosed;
        ::EnableWindow(d, FALSE);  // one close per dialog
        ::PostMessageA(d, WM_COMMAND, IDOK, 0);
    }
}

}  // namespace

// Command 486 runs the settings dialog modally once over the active analysis view. The
// frame's palette message, sent as the dialog goes, once made the client run the command
// again, one dialog after the other.
TEST_F(AnalysisCommands, TheSettingsRunOnceOverTheActiveAnalysis) {
    Analysis();
    _settingsClosed = 0;
    UINT_PTR timer = ::SetTimer(0, 0, 50, CloseTheSettings);
    testsupport::Watchdog watchdog(60);
    client->SendMessageA(WM_COMMAND, 486, 0);
    ::KillTimer(0, timer);
    EXPECT_EQ(1, _settingsClosed);
    EXPECT_FALSE(watchdog.Fired());
}
