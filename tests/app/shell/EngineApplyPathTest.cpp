// The master section's Apply end to end with the engine module of the program folder: its
// request reaches the application object, which asks where and how, and the engine's gain
// changes the selection's samples and nothing else.
#include <gtest/gtest.h>

#include "audio/Wave.h"
#include "effects/ApplyPreferences.h"
#include "effects/EngineApply.h"
#include "engine/BackgroundQueueMessages.h"
#include "engine/PlugInLoader.h"
#include "shell/WaveApp.h"
#include "tests/app/AppTestSupport.h"
#include "tests/app/audio/AudioFileTestKit.h"
#include "tests/app/audio/WaveTestKit.h"
#include "tests/app/engine/EngineTestKit.h"
#include "tests/framework/BoxRecorder.h"
#include "tests/support/TestSupport.h"

#include <cmath>
#include <memory>
#include <string>

namespace {

enum { kFrames = 30000, kList = 101, kValue = 103, kApply = 105 };

// The active wave's selection, the result replacing it, nothing done around the job.
int AnswerSelection(ApplyPreferences &p) {
    p = ApplyPreferences();
    p.source = ApplyPreferences::kActiveWave;
    p.stopPlayback = p.openTaskWindow = p.minimizeWindow = p.restoreWindow = 0;
    return 1;
}

HWND Section() { return FindWindowA("AudioUI", "MasterSection"); }

void SelectGain(int value) {
    HWND list = GetDlgItem(Section(), kList);
    SendMessageA(list, LB_SETSEL, FALSE, -1);
    LRESULT row = SendMessageA(list, LB_FINDSTRINGEXACT, WPARAM(-1), LPARAM("Gain"));
    SendMessageA(list, LB_SETSEL, TRUE, row);
    SendMessageA(list, LB_SETCARETINDEX, WPARAM(row), 0);
    SendMessageA(Section(), WM_COMMAND, MAKEWPARAM(kList, LBN_SELCHANGE), LPARAM(list));
    SetWindowTextA(GetDlgItem(Section(), kValue), std::to_string(value).c_str());
}

TEST(EngineApplyPath, TheMasterSectionsApplyScalesTheActiveWavesSelectionOnly) {
    apptest::UseEnglishTexts();
    testsupport::TempDir dir;
    audiotest::SettingsScope settings(dir.Path());
    wavetest::RecordingPoster poster;
    enginetest::MainWindowStandIn main;
    enginetest::JobMessages jobs;
    BoxRecorder boxes;
    SetPlugInRoot(String(apptest::ProgramFolder().c_str()));
    LoadPlugIns();
    SetPlugInApplicationWindow(main.window);
    OpenMasterSection();
    ApplyPreferencesAsker previous = SetApplyPreferencesAsker(&AnswerSelection);
    std::unique_ptr<Wave> wave(wavetest::DistinctWave(2, 2, kFrames));
    wave->SetSelection(5000, 19999, 3, 0);
    SetActiveWave(wave.get());

    SelectGain(-600);
    SendMessageA(GetDlgItem(Section(), kApply), BM_CLICK, 0, 0);
    ASSERT_TRUE(main.PumpUntil([&] { return jobs.ApplyRequests() == 1; }, 5000)) << "kind 2 posted";
    WaveApp app;
    app.OnInterThreadMessage(reinterpret_cast<WPARAM>(new MessAudioQueueDone), 0);
    ASSERT_TRUE(main.PumpUntil([&] { return jobs.Ends().size() == 1 && enginetest::QueueTasks() == 0; }, 20000));
    EXPECT_TRUE(jobs.Ends()[0].kept);
    EXPECT_FALSE(wave->IsEngineApplied()) << "cleared by the engine at the job's end";
    EXPECT_TRUE(boxes.Boxes.empty());

    double factor = std::pow(10.0, -600 / 2000.0);
    EXPECT_EQ(kFrames, wave->GetLength());
    for (int c = 0; c < 2; ++c)
        EXPECT_EQ(0, enginetest::FramesNotScaled(*wave, 2, c, 5000, 19999, factor)) << "channel " << c;
    SetActiveWave(nullptr);
    SetApplyPreferencesAsker(previous);
    UnloadPlugIns();
    SetPlugInRoot(String());
}

}  // namespace
