// Background tasks: three at once with their progress, pausing and resuming them, the
// cancel of each, their threads' priorities, and the background task window drawing its
// list and load graph on the display.
#include "engine/BackgroundTask.h"

#include "core/FrameWindow.h"
#include "engine/BackgroundTaskWindow.h"
#include "engine/PerformanceHistory.h"
#include "engine/PerformanceView.h"
#include "engine/StatusWindowSettings.h"
#include "foundation/Config.h"
#include "foundation/MessageCatalogue.h"
#include "tests/app/AppTestSupport.h"
#include "tests/app/audio/WaveTestKit.h"
#include "tests/app/engine/EngineTestKit.h"
#include "tests/framework/TestKit.h"

#include <gtest/gtest.h>

#include <windows.h>
#include <process.h>

#include <atomic>
#include <memory>
#include <vector>

using namespace enginetest;

namespace {

// A task of steps steps that runs in a thread of its own, a millisecond or two a step.
class CountingTask : public Task {
public:
    CountingTask(char const *name, int steps) : Task(String(name), nullptr, 0), steps_(steps) {
        unsigned id = 0;
        HANDLE thread = HANDLE(_beginthreadex(nullptr, 0, &Body, this, 0, &id));
        GetThread().Init(thread, id);
    }
    ~CountingTask() override {
        Cancel();
        WaitForSingleObject(GetThread().GetThreadHandle(), INFINITE);
    }

    long double GetProgress() const override { return static_cast<long double>(done_) / steps_; }
    int Done() const { return done_; }

private:
    static unsigned __stdcall Body(void *self) {
        auto *task = static_cast<CountingTask *>(self);
        for (int step = 0; step < task->steps_ && task->WaitWhilePaused(); ++step) {
            Sleep(2);
            ++task->done_;
        }
        return 0;
    }

    int steps_;
    std::atomic<int> done_{0};
};

// Three tasks in the background task list while it lives.
struct ListedTasks {
    explicit ListedTasks(int steps) {
        for (char const *name : {"first", "second", "third"}) {
            tasks.emplace_back(new CountingTask(name, steps));
            TheTaskList().Append(tasks.back().get());
        }
    }
    ~ListedTasks() {
        for (auto &task : tasks)
            TheTaskList().Detach(task.get());
    }
    std::vector<std::unique_ptr<CountingTask>> tasks;
};

bool EachMoves(ListedTasks &listed) {
    std::vector<int> before;
    for (auto &task : listed.tasks)
        before.push_back(task->Done());
    return WaitUntil(
        [&] {
            for (size_t i = 0; i < before.size(); ++i) {
                if (listed.tasks[i]->Done() <= before[i])
                    return false;
            }
            return true;
        },
        20000);
}

TEST(BackgroundTasks, ThreeRunAtOncePauseResumeAndEachCancels) {
    ListedTasks listed(100000);
    EXPECT_TRUE(EachMoves(listed)) << "all three make progress";
    EXPECT_EQ(0, AreAllTasksPaused());

    PauseAllTasks();
    EXPECT_EQ(1, AreAllTasksPaused());
    std::vector<int> held;
    for (auto &task : listed.tasks)
        held.push_back(task->Done());
    Sleep(100);
    for (size_t i = 0; i < held.size(); ++i)
        EXPECT_LE(listed.tasks[i]->Done(), held[i] + 1) << "a paused task ends the step under way and stands";
    ResumeAllTasks();
    EXPECT_TRUE(EachMoves(listed)) << "and goes on when resumed";

    // A cancelled task counts as neither running nor paused; a paused one wakes to end.
    CountingTask &first = *listed.tasks[0], &second = *listed.tasks[1], &third = *listed.tasks[2];
    first.Pause();
    second.Cancel();
    EXPECT_EQ(0, AreAllTasksPaused()) << "the third still runs";
    third.Pause();
    EXPECT_EQ(1, AreAllTasksPaused()) << "the cancelled one does not count as running";
    first.Cancel();
    third.Cancel();
    for (auto &task : listed.tasks) {
        EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(task->GetThread().GetThreadHandle(), 5000)) << task->GetName().c_str();
        EXPECT_TRUE(task->IsCancelled());
        EXPECT_FALSE(task->IsPaused());
        EXPECT_LT(task->GetProgress(), 1.0L);
    }
}

TEST(BackgroundTasks, PriorityTwoRunsAtNormalPriorityTheOthersIdle) {
    ListedTasks listed(100000);
    for (int priority : {Task::kLow, Task::kNormal, Task::kHigh}) {
        CountingTask &task = *listed.tasks[size_t(priority)];
        task.SetPriority(priority);
        EXPECT_EQ(priority == Task::kHigh ? THREAD_PRIORITY_NORMAL : THREAD_PRIORITY_IDLE,
                  GetThreadPriority(task.GetThread().GetThreadHandle()))
            << priority;
    }
}

TEST(BackgroundTasks, TheLoadHistoryKeepsTheLastTwoHundredCyclesAsSharesOfTheBlock) {
    ResetPerformanceHistory();
    AddPerformanceSample(0, 0.1f, 0.2f, 0.3f, 0, 44100);
    EXPECT_TRUE(TakePerformanceHistory().empty()) << "a cycle without frames is not kept";
    for (int i = 0; i < 250; ++i)
        AddPerformanceSample(0, 0.01f * float(i), 0.0232f, 0.0f, 1024, 44100);
    std::vector<PerformanceSample> samples = TakePerformanceHistory();
    ASSERT_EQ(200u, samples.size());
    EXPECT_NEAR(0.50 * 44100 / 1024, samples.front().share[0], 1e-3) << "oldest first";
    EXPECT_NEAR(2.49 * 44100 / 1024, samples.back().share[0], 1e-3);
    EXPECT_NEAR(0.999, samples.back().share[1], 1e-3) << "a cycle as long as its block is 1.0";
    EXPECT_FALSE(HasPerformanceHistoryChanged());
    ResetPerformanceHistory();
}

// ---- the window on the display

// The document manager with a main window, as the program has it.
class WindowedDocuments : public wavetest::DocumentsScope {
public:
    WindowedDocuments() {
        main_ = new TFrameWindow(nullptr, "main");
        SetMainWindow(main_);
        main_->Create();
    }
    ~WindowedDocuments() override {
        ShowBackgroundTaskWindow(0);
        SetMainWindow(nullptr);
        main_->Destroy();
        delete main_;
    }

private:
    TFrameWindow *main_;
};

void Pump() {
    MSG msg;
    for (int round = 0; round < 5; ++round) {
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&msg);
        Sleep(10);
    }
}

// The pixels of a window's client area of one colour.
int CountColour(HWND window, COLORREF colour) {
    RECT r;
    GetClientRect(window, &r);
    HDC screen = GetDC(window);
    BITMAPINFO info = {};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), r.right, -r.bottom, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void *bits = nullptr;
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, r.right, r.bottom, screen, 0, 0, SRCCOPY);
    int count = 0;
    auto *pixels = static_cast<uint32_t *>(bits);
    uint32_t wanted = uint32_t(GetRValue(colour)) << 16 | uint32_t(GetGValue(colour)) << 8 | GetBValue(colour);
    for (long i = 0; i < long(r.right) * r.bottom; ++i)
        count += (pixels[i] & 0xFFFFFF) == wanted;
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(window, screen);
    return count;
}

TEST(BackgroundTaskWindow, ListsTheTasksAndDrawsTheLoadGraph) {
    apptest::UseEnglishTexts();
    StatusWindowSettings saved = TheStatusWindowSettings();
    WindowedDocuments documents;
    ListedTasks listed(2000);
    listed.tasks[1]->Pause();
    listed.tasks[2]->Cancel();
    ResetPerformanceHistory();
    for (int i = 0; i < 100; ++i)
        AddPerformanceSample(0, 0.2f, 0.1f, 0.3f, 44100, 44100);

    ShowBackgroundTaskWindow(1);
    BackgroundTaskWindow *window = FindBackgroundTaskWindow();
    ASSERT_TRUE(window);
    SetWindowPos(window->GetHandle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    ODListWindow &list = window->GetList();
    ASSERT_TRUE(WaitUntil(
        [&] {
            Pump();
            return list.GetItemCount() == 3;
        },
        20000))
        << "a tick of its timer lists them";
    EXPECT_EQ(FindString(11220), ODListWindow::StateText(*listed.tasks[1]));
    EXPECT_EQ(FindString(11219), ODListWindow::StateText(*listed.tasks[2]));
    EXPECT_EQ(FindString(11222), ODListWindow::StateText(*listed.tasks[0]));
    // A later tick redraws the row of the task that moved on.
    EXPECT_TRUE(WaitUntil(
        [&] {
            Pump();
            UpdateWindow(window->GetHandle());
            return CountColour(list.GetHandle(), RGB(192, 220, 192)) > 0;
        },
        20000))
        << "the progress bars";
    for (COLORREF series : {RGB(128, 128, 0), RGB(128, 0, 128), RGB(0, 128, 128)})
        EXPECT_GT(CountColour(window->GetGraph().GetHandle(), series), 100) << "a series of the graph";

    // The graph's commands: one series off, another zoom.
    SendMessageA(window->GetHandle(), WM_COMMAND, kCmSeriesFirst + 1, 0);
    SendMessageA(window->GetHandle(), WM_COMMAND, kCmZoom50 + 2, 0);
    UpdateWindow(window->GetGraph().GetHandle());
    Pump();
    EXPECT_EQ(0, CountColour(window->GetGraph().GetHandle(), RGB(128, 0, 128)));
    EXPECT_EQ(200, TheStatusWindowSettings().zoom);

    ShowBackgroundTaskWindow(0);
    EXPECT_FALSE(FindBackgroundTaskWindow());
    ResetPerformanceHistory();
    TheStatusWindowSettings() = saved;
}

// The window's answer to a command's enabler.
EnablerProbe Ask(BackgroundTaskWindow &window, uint command) {
    EnablerProbe probe(command, window.GetHandle());
    window.EvCommandEnable(probe);
    return probe;
}

TEST(BackgroundTaskWindow, TheTaskCommandsActOnTheSelectedRowUnlessItIsCancelled) {
    apptest::UseEnglishTexts();
    WindowedDocuments documents;
    ShowBackgroundTaskWindow(1);
    BackgroundTaskWindow &window = *FindBackgroundTaskWindow();
    ODListWindow &list = window.GetList();
    EXPECT_EQ(0, list.GetItemCount());
    EXPECT_EQ(0, Ask(window, kCmPauseAll).Enabled) << "nothing to pause";
    EXPECT_EQ(0, Ask(window, kCmCancelTask).Enabled);

    ListedTasks listed(100000);
    ASSERT_TRUE(WaitUntil(
        [&] {
            Pump();
            return list.GetItemCount() == 3;
        },
        20000));
    list.SetItemState(0, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    Task &task = *list.SelectedTask();
    EXPECT_EQ(1, Ask(window, kCmPauseAll).Enabled);
    SendMessageA(window.GetHandle(), WM_COMMAND, kCmPauseTask, 0);
    EXPECT_TRUE(task.IsPaused());
    SendMessageA(window.GetHandle(), WM_COMMAND, kCmPriorityHigh, 0);
    EXPECT_FALSE(task.IsPaused()) << "a new priority resumes it";
    EXPECT_EQ(Task::kHigh, task.GetPriority());
    EXPECT_EQ(TCommandEnabler::Checked, Ask(window, kCmPriorityHigh).Check);
    EXPECT_EQ(TCommandEnabler::Unchecked, Ask(window, kCmPriorityLow).Check);
    SendMessageA(window.GetHandle(), WM_COMMAND, kCmCancelTask, 0);
    EXPECT_TRUE(task.IsCancelled());
    EXPECT_EQ(0, Ask(window, kCmCancelTask).Enabled);
    SendMessageA(window.GetHandle(), WM_COMMAND, kCmPauseTask, 0);
    SendMessageA(window.GetHandle(), WM_COMMAND, kCmPriorityLow, 0);
    EXPECT_FALSE(task.IsPaused()) << "a cancelled task is left alone";
    EXPECT_EQ(Task::kHigh, task.GetPriority());

    SendMessageA(window.GetHandle(), WM_COMMAND, kCmPauseAll, 0);
    EXPECT_EQ(1, AreAllTasksPaused());
    SendMessageA(window.GetHandle(), WM_COMMAND, kCmPauseAll, 0);
    EXPECT_EQ(0, AreAllTasksPaused()) << "the second time resumes all";
}

TEST(BackgroundTaskWindow, ProgressReadsInPercentUntilItIsDone) {
    struct Fixed : Task {
        explicit Fixed(long double p) : Task(String("fixed"), nullptr, 0), progress(p) {}
        long double GetProgress() const override { return progress; }
        long double progress;
    };
    apptest::UseEnglishTexts();
    EXPECT_STREQ("12.5000 %", ODListWindow::ProgressText(Fixed(0.125L)).c_str());
    EXPECT_STREQ("99.9990 %", ODListWindow::ProgressText(Fixed(0.99999L)).c_str());
    EXPECT_EQ(FindString(11218), ODListWindow::ProgressText(Fixed(1.0L)));
}

TEST(BackgroundTaskWindow, APlacementOffTheScreenComesBackToTheDefaults) {
    StatusWindowSettings saved = TheStatusWindowSettings();
    Config config("Tessaro");
    config.MoveDown("StatusWindow");
    config.SetValue(GetSystemMetrics(SM_CXSCREEN), "X");
    config.SetValue(20, "Y");
    config.SetValue(900, "X2");
    config.SetValue(30, "Split");
    config.SetValue(200, "Zoom");
    config.MoveUp();
    LoadStatusWindowSettings(config);
    StatusWindowSettings const &s = TheStatusWindowSettings();
    EXPECT_EQ(100, s.x);
    EXPECT_EQ(100, s.y);
    EXPECT_EQ(500, s.width);
    EXPECT_EQ(350, s.height);
    EXPECT_EQ(80, s.split);
    EXPECT_EQ(200, s.zoom) << "the graph's settings stay";
    TheStatusWindowSettings() = saved;
}

}  // namespace
