// The audio engine module of the program folder end to end: jobs run from the file reader
// through the engine's queue to the file writer, which puts the result over the wave's
// range; the processors of the basic plug-ins; errors through the engine's table; a
// cancelled job; and the master section opened and closed while a job runs.
#include "audio/Wave.h"
#include "engine/AudioEngineEntries.h"
#include "engine/AudioQueueTask.h"
#include "engine/BackgroundQueueMessages.h"
#include "engine/EngineServices.h"
#include "engine/EngineSettings.h"
#include "engine/PerformanceHistory.h"
#include "engine/PlaybackElements.h"
#include "engine/PlugInLoader.h"
#include "foundation/MessageCatalogue.h"
#include "tests/app/AppTestSupport.h"
#include "tests/app/audio/AudioFileTestKit.h"
#include "tests/app/audio/WaveTestKit.h"
#include "tests/app/engine/EngineTestKit.h"
#include "tests/support/TestSupport.h"

#include <cstring>

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

using namespace enginetest;
using wavetest::DistinctSamples;
using wavetest::ReadChannel;
using wavetest::Samples;

namespace {

enum { kFrames = 30000 };

int32_t ChooseMinusSixDecibels(HWND, char const *name, PlugInPresetRecord *record, char *result) {
    EXPECT_STREQ("Gain", name);
    EXPECT_EQ(ElementMaker("Bsgn"), record->maker);
    record->value = -600;
    strcpy(result, "Softer");
    return 1;
}

class EngineJobs : public ::testing::Test {
protected:
    EngineJobs() : settings_(dir_.Path()) {
        apptest::UseEnglishTexts();
        SetPlugInRoot(String(apptest::ProgramFolder().c_str()));
        LoadPlugIns();
        SetPlugInApplicationWindow(main.window);
        OpenMasterSection();
    }
    ~EngineJobs() override {
        UnloadPlugIns();
        SetPlugInRoot(String());
    }

    static HWND Section() { return FindWindowA("AudioUI", "MasterSection"); }

    // Selects the processors in the master section's list, the last one current.
    static void Select(std::vector<char const *> const &processors) {
        HWND list = GetDlgItem(Section(), 101);
        SendMessageA(list, LB_SETSEL, FALSE, -1);
        for (char const *name : processors) {
            LRESULT row = SendMessageA(list, LB_FINDSTRINGEXACT, WPARAM(-1), LPARAM(name));
            SendMessageA(list, LB_SETSEL, TRUE, row);
            SendMessageA(list, LB_SETCARETINDEX, WPARAM(row), 0);
        }
        SendMessageA(Section(), WM_COMMAND, MAKEWPARAM(101, LBN_SELCHANGE), LPARAM(list));
    }

    // The current processor's value, as typed.
    static void Type(int value) { SetWindowTextA(GetDlgItem(Section(), 103), std::to_string(value).c_str()); }

    int Apply(Wave &wave, int first, int last, int mixWithSource = 0) {
        ApplyRequest request = RequestFor(wave, first, last);
        request.mixWithSource = mixWithSource;
        return TheAudioEngine().entries.confirmApply(&request);
    }

    // The plain chain: reader and writer alone.
    int RunPlain(AudioObject &object, int first, int last) {
        ApplyRequest request = RequestFor(object, first, last);
        EngineServiceTable const &services = TheEngineServices();
        int queue = services.createAudioQueueTask(nullptr, 0, &request);
        if (queue)
            services.startAudioQueue(queue);
        return queue;
    }

    static ApplyRequest RequestFor(AudioObject &object, int first, int last) {
        ApplyRequest request = {};
        request.object = &object;
        if (auto *document = dynamic_cast<Document *>(&object)) {
            DocumentID id(document);
            request.document = id.GetDocument();
            request.documentSerial = int32_t(id.GetSerial());
        }
        request.first = first;
        request.last = last;
        request.name = "job";
        request.channelMask = object.GetMask();
        request.priority = Task::kHigh;
        object.ExchangeEngineApplied(1);
        return request;
    }

    bool WaitForEnd(unsigned milliseconds = 20000) {
        return main.PumpUntil([&] { return jobs.Ends().size() > 0 && QueueTasks() == 0; }, milliseconds);
    }

    testsupport::TempDir dir_;
    audiotest::SettingsScope settings_;
    wavetest::RecordingPoster poster_;
    MainWindowStandIn main;
    JobMessages jobs;
};

TEST_F(EngineJobs, ThePlainChainPutsTheRangeBackSampleExactLastFrameIncluded) {
    std::unique_ptr<Wave> wave(wavetest::DistinctWave(1, 2, kFrames));
    ASSERT_NE(0, RunPlain(*wave, 1000, kFrames - 1));
    ASSERT_TRUE(WaitForEnd());
    JobEnd end = jobs.Ends()[0];
    EXPECT_TRUE(end.kept && !end.failed && !end.cancelled);
    EXPECT_TRUE(main.failures.empty());
    EXPECT_EQ(kFrames, wave->GetLength()) << "the range's last frame came through";
    EXPECT_TRUE(DistinctSamples(1, 0, 0, kFrames) == ReadChannel(*wave, 0));
    EXPECT_TRUE(DistinctSamples(1, 1, 0, kFrames) == ReadChannel(*wave, 1));
    EXPECT_EQ(1, wave->GetNumUndoMementos());
    EXPECT_FALSE(wave->IsBusy());
    EXPECT_FALSE(wave->IsEngineApplied());
    EXPECT_EQ(1, jobs.Starts());
}

TEST_F(EngineJobs, AGainChosenInTheMasterSectionScalesTheRangeOnly) {
    std::unique_ptr<Wave> wave(wavetest::DistinctWave(2, 2, kFrames));
    Select({"Gain"});
    PlugInPresetChooser previous = SetPlugInPresetChooser(&ChooseMinusSixDecibels);
    SendMessageA(GetDlgItem(Section(), 104), BM_CLICK, 0, 0);
    SetPlugInPresetChooser(previous);
    EXPECT_EQ("-600", testsupport::TextOf(GetDlgItem(Section(), 103))) << "the preset's value";
    ASSERT_EQ(1, Apply(*wave, 5000, 19999));
    ASSERT_TRUE(WaitForEnd());
    ASSERT_TRUE(jobs.Ends()[0].kept);
    double factor = std::pow(10.0, -600 / 2000.0);
    ASSERT_EQ(kFrames, wave->GetLength());
    for (int c = 0; c < 2; ++c)
        EXPECT_EQ(0, FramesNotScaled(*wave, 2, c, 5000, 19999, factor)) << "channel " << c;
}

TEST_F(EngineJobs, KeepingTheOriginalAddsItInStepWithTheResult) {
    std::unique_ptr<Wave> wave(wavetest::DistinctWave(5, 2, kFrames));
    Select({"Phase Invert"});
    ASSERT_EQ(1, Apply(*wave, 1000, 20999, 1));
    ASSERT_TRUE(WaitForEnd());
    ASSERT_TRUE(jobs.Ends()[0].kept);
    Samples left = ReadChannel(*wave, 0);
    EXPECT_TRUE(Samples(left.begin(), left.begin() + 1000) == DistinctSamples(5, 0, 0, 1000));
    EXPECT_TRUE(Samples(left.begin() + 1000, left.begin() + 21000) == Samples(20000, 0)) << "dry and inverted cancel";
    EXPECT_TRUE(Samples(left.begin() + 21000, left.end()) == DistinctSamples(5, 0, 21000, kFrames - 21000));
}

TEST_F(EngineJobs, AReaderThatFailsIsReportedThroughTheEnginesTableAndKeepsNothing) {
    FrameObject object(100000, 2, 44100, [](int frame) -> float {
        if (frame >= 50000)
            throw Exception("the disk went away");
        return 0.25f;
    });
    ASSERT_NE(0, RunPlain(object, 0, 99999));
    ASSERT_TRUE(WaitForEnd());
    JobEnd end = jobs.Ends()[0];
    EXPECT_TRUE(end.failed && !end.kept);
    std::string reason = FindString(11307).c_str();
    std::string expected = BuildString(11203, "AE_FileReader", reason.c_str()).c_str();
    EXPECT_NE(main.failures.end(), std::find(main.failures.begin(), main.failures.end(), expected));
    EXPECT_FALSE(object.IsBusy());
    EXPECT_FALSE(object.IsEngineApplied());
}

TEST_F(EngineJobs, ACancelledJobLeavesTheWaveAndTheTemporaryFolderAsTheyWere) {
    std::unique_ptr<Wave> wave(wavetest::DistinctWave(3, 2, 400000));
    size_t filesBefore = FilesIn(dir_.Path()).size();
    Select({"Phase Invert"});
    ASSERT_EQ(1, Apply(*wave, 0, 399999));
    PauseAllTasks();
    ASSERT_TRUE(main.PumpUntil([&] { return jobs.Starts() == 1; }, 10000));
    ASSERT_TRUE(main.PumpUntil([] { return QueueProgress().first > 0; }, 10000));
    std::pair<uint32_t, uint32_t> progress = QueueProgress();
    EXPECT_EQ(400000u, progress.second) << "the total is the range's length";
    EXPECT_LT(progress.first, progress.second);
    CancelAllTasks();
    ASSERT_TRUE(WaitForEnd());
    JobEnd end = jobs.Ends()[0];
    EXPECT_TRUE(end.cancelled && !end.kept && !end.failed);
    EXPECT_TRUE(DistinctSamples(3, 0, 0, 400000) == ReadChannel(*wave, 0));
    EXPECT_EQ(0, wave->GetNumUndoMementos());
    EXPECT_EQ(filesBefore, FilesIn(dir_.Path()).size()) << "no temporary file left";
    EXPECT_FALSE(wave->IsBusy());
}

TEST_F(EngineJobs, TheMasterSectionOpensAndClosesAHundredTimesWhileAJobRuns) {
    std::unique_ptr<Wave> wave(wavetest::DistinctWave(4, 2, 200000));
    Select({"Delay Line"});
    Type(10);
    ASSERT_EQ(1, Apply(*wave, 0, 199999));
    PauseAllTasks();
    ASSERT_TRUE(main.PumpUntil([&] { return jobs.Starts() == 1; }, 10000));
    int threads = ThreadCount();
    AudioEngineLink &engine = TheAudioEngine();
    for (int round = 0; round < 100; ++round) {
        engine.entries.destroyMasterSection();
        engine.masterQueue = 0;
        OpenMasterSection();
        ASSERT_NE(0, engine.masterQueue) << "round " << round;
    }
    EXPECT_EQ(threads, ThreadCount()) << "every master queue's thread ended";
    ResumeAllTasks();
    ASSERT_TRUE(WaitForEnd(60000));
    EXPECT_TRUE(jobs.Ends()[0].kept) << "the job went on undisturbed";
    EXPECT_TRUE(main.PumpUntil([&] { return ThreadCount() == threads - 1; }, 5000)) << "and its own thread ended";
}

TEST_F(EngineJobs, UnloadingWhileAJobRunsCancelsItAndEndsEveryQueueThreadBeforeTheModulesGo) {
    std::unique_ptr<Wave> wave(wavetest::DistinctWave(6, 2, 400000));
    Select({"Phase Invert"});
    ASSERT_EQ(1, Apply(*wave, 0, 399999));
    PauseAllTasks();
    ASSERT_TRUE(main.PumpUntil([&] { return jobs.Starts() == 1; }, 10000));
    int threads = ThreadCount();
    UnloadPlugIns();
    EXPECT_EQ(threads - 2, ThreadCount()) << "the job's queue and the master queue were joined";
    EXPECT_FALSE(GetModuleHandleA("AudioEngine.dll"));
    EXPECT_FALSE(GetModuleHandleA("BasicPlugIns.dll"));
    EXPECT_EQ(0, QueueTasks());
    ASSERT_TRUE(main.PumpUntil([&] { return jobs.Ends().size() == 1; }, 10000));
    JobEnd end = jobs.Ends()[0];
    EXPECT_TRUE(end.cancelled && !end.kept);
    EXPECT_TRUE(DistinctSamples(6, 0, 0, 400000) == ReadChannel(*wave, 0));
    EXPECT_FALSE(wave->IsBusy());
}

// What the shell asks: open, shown or hidden, may it close; and where it stood at the close.
TEST(EngineMasterSection, OpensWithinTheScreenShowsAndHidesAndKeepsItsPlace) {
    MainWindowStandIn main;
    EngineSettings &settings = TheEngineSettings();
    EngineSettings const saved = settings;
    settings.x = settings.y = 100000;
    SetPlugInRoot(String(apptest::ProgramFolder().c_str()));
    EXPECT_FALSE(IsMasterSectionOpen());
    EXPECT_TRUE(CanCloseMasterSection(nullptr)) << "nothing to close";
    LoadPlugIns();
    SetPlugInApplicationWindow(main.window);
    OpenMasterSection();
    ASSERT_TRUE(IsMasterSectionOpen());
    HWND section = FindWindowA("AudioUI", "MasterSection");
    ASSERT_TRUE(section);
    RECT placed;
    GetWindowRect(section, &placed);
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN) - 50, placed.left);
    EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN) - 50, placed.top);
    EXPECT_TRUE(IsMasterSectionVisible());
    ShowMasterSection(0);
    EXPECT_FALSE(IsMasterSectionVisible());
    ShowMasterSection(1);
    EXPECT_TRUE(IsMasterSectionVisible());
    EXPECT_TRUE(CanCloseMasterSection(nullptr));
    SetWindowPos(section, nullptr, 120, 130, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    UnloadPlugIns();
    EXPECT_FALSE(IsMasterSectionOpen());
    EXPECT_FALSE(IsMasterSectionVisible());
    EXPECT_EQ(1, settings.engineOpen) << "it was open at the close";
    EXPECT_EQ(120, settings.x);
    EXPECT_EQ(130, settings.y);
    UnloadPlugIns();
    EXPECT_EQ(0, settings.engineOpen) << "closed now";
    settings = saved;
    SetPlugInRoot(String());
}

// A master queue that never reports the end of its run holds the close up two seconds at most.
TEST(EngineMasterSection, ClosingGoesOnWhenTheMasterQueueStaysBusy) {
    MainWindowStandIn main;
    SetPlugInRoot(String(apptest::ProgramFolder().c_str()));
    LoadPlugIns();
    OpenMasterSection();
    ASSERT_TRUE(IsMasterSectionOpen());
    MasterQueueBusy() = 1;
    DWORD start = GetTickCount();
    UnloadPlugIns();
    EXPECT_GE(GetTickCount() - start, 1000u) << "it waited for the run";
    EXPECT_FALSE(IsMasterSectionOpen());
    EXPECT_EQ(0, MasterQueueBusy());
    EXPECT_FALSE(GetModuleHandleA("AudioEngine.dll"));
    SetPlugInRoot(String());
}

TEST(EnginePlayback, TheMasterSectionPlaysARequestThroughItsInputAndSpeakerElements) {
    MainWindowStandIn main;
    PlaybackScope scope;
    PostedMessages posted;
    SetPlugInRoot(String(apptest::ProgramFolder().c_str()));
    LoadPlugIns();
    OpenMasterSection();
    ASSERT_NE(0, TheAudioEngine().masterQueue);
    FrameObject object(20000, 2, 44100, Ramp);
    ClearPlayed();
    ResetPerformanceHistory();
    object.Play(1, kPlayFromFrame, 0, 0, nullptr);
    EXPECT_TRUE(posted.WaitForStops(1, 20000)) << "the engine's input ended the playback";
    EXPECT_TRUE(WaitUntil([] { return MasterQueueBusy() == 0; }, 5000)) << "the master queue's run ended";
    SamplePattern device(SampleFormatFlagsFromBits(16, 1), 2, 1, 44100);
    EXPECT_NE(std::string::npos, PlayedBytes().find(DeviceBytes(object, device, 0, 20000)));
    EXPECT_FALSE(TakePerformanceHistory().empty()) << "the speaker timed its cycles";
    float peaks[2];
    EXPECT_TRUE(ReadCurrentSpeakerPeaks(peaks));
    UnloadPlugIns();
    EXPECT_FALSE(ReadCurrentSpeakerPeaks(peaks)) << "the speaker element is gone with the master section";
    SetPlugInRoot(String());
}

}  // namespace
