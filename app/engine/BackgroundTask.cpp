#include "engine/BackgroundTask.h"

#include "engine/AudioState.h"

#include <windows.h>

namespace {

std::atomic<int32_t> lastTaskId{0};

// Under the list's lock.
void EachTask(void (Task::*act)()) {
    BackgroundTaskList &list = TheTaskList();
    AutoCriticalSection hold(list.lock);
    for (Task *task = list.tasks.GetFirst(); task; task = list.tasks.GetNext(task))
        (task->*act)();
}

}  // namespace

Task::Task(String const &name, void *threadHandle, unsigned long threadId)
    : id_(++lastTaskId), thread_(threadHandle, threadId, nullptr), name_(name) {}

Task::~Task() = default;

void Task::Cancel() {
    AutoCriticalSection lock(TheTaskList().lock);
    cancelEvent_.SetTrue();
    resumeEvent_.SetTrue();
}

void Task::SetPriority(int priority) {
    priority_ = priority;
    if (thread_.GetThreadHandle())
        thread_.SetPriority(priority == kHigh ? THREAD_PRIORITY_NORMAL : THREAD_PRIORITY_IDLE);
}

void Task::Pause() {
    if (!IsCancelled())
        resumeEvent_.SetFalse();
}

void Task::Resume() { resumeEvent_.SetTrue(); }

bool Task::WaitWhilePaused() const {
    resumeEvent_.WaitForIt(INFINITE);
    return !IsCancelled();
}

void BackgroundTaskList::Append(Task *task) {
    AutoCriticalSection hold(lock);
    tasks.Append(task);
    changed.exchange(1);
}

Task *BackgroundTaskList::Detach(Task *task) {
    AutoCriticalSection hold(lock);
    Task *detached = tasks.Detach(task);
    if (detached)
        changed.exchange(1);
    return detached;
}

BackgroundTaskList &TheTaskList() { return TheAudioState().tasks; }

int AreAllTasksPaused() {
    BackgroundTaskList &list = TheTaskList();
    AutoCriticalSection hold(list.lock);
    for (Task *task = list.tasks.GetFirst(); task; task = list.tasks.GetNext(task)) {
        if (!task->IsCancelled() && !task->IsPaused())
            return 0;
    }
    return 1;
}

void ResumeAllTasks() { EachTask(&Task::Resume); }

void PauseAllTasks() { EachTask(&Task::Pause); }

void CancelAllTasks() { EachTask(&Task::Cancel); }

bool AnyBackgroundTask() {
    BackgroundTaskList &list = TheTaskList();
    AutoCriticalSection hold(list.lock);
    return list.tasks.GetFirst() != nullptr;
}
