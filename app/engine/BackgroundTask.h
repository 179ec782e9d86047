// Long jobs that run in threads of their own while the user goes on working: each task
// can be paused, resumed, cancelled and given a priority, and reports a progress
// fraction. The tasks stand in the background task list of the audio state, which the
// background task window shows.
//
// Locks: the list's lock guards the list, every walk of it and every change of a task's
// events from outside its thread. The changed flag is written by atomic exchange.
#pragma once

#include "foundation/CriticalSection.h"
#include "foundation/Lists.h"
#include "foundation/Strings.h"
#include "foundation/Thread.h"
#include "foundation/ThreadEvent.h"

#include <atomic>
#include <cstdint>

class Task : public ListElement {
public:
    enum Priority { kLow = 0, kNormal = 1, kHigh = 2 };

    // The thread (handle and id, both may be null until known) is the creator's to start.
    Task(String const &name, void *threadHandle, unsigned long threadId);
    ~Task() override;

    // 0..1.
    virtual long double GetProgress() const = 0;
    virtual String GetName() const { return name_; }
    // Sets the cancel event and the resume event, so that a paused task wakes to see it.
    virtual void Cancel();

    // 2 runs the thread at normal priority, 0 and 1 at idle priority.
    void SetPriority(int priority);
    void Pause();
    void Resume();
    // The task's own side: waits while it is paused; false once it is cancelled.
    bool WaitWhilePaused() const;

    int GetId() const { return id_; }
    int GetPriority() const { return priority_; }
    bool IsCancelled() const { return cancelEvent_.IsTrue() != 0; }
    bool IsPaused() const { return !IsCancelled() && resumeEvent_.IsFalse(); }
    Thread &GetThread() { return thread_; }

    // The progress the window showed last.
    double lastProgress = 0;

private:
    int32_t id_;
    ThreadEvent resumeEvent_{/*initialState=*/1, /*autoReset=*/0};
    ThreadEvent cancelEvent_{/*initialState=*/0, /*autoReset=*/0};
    Thread thread_;
    String name_;
    int32_t priority_ = kNormal;
};

struct BackgroundTaskList {
    List<Task> tasks{1};
    CriticalSection lock;
    std::atomic<int32_t> changed{0};

    // Under the lock: a task enters or leaves, and the window rebuilds its rows.
    void Append(Task *task);
    Task *Detach(Task *task);
};

BackgroundTaskList &TheTaskList();

// Under the list's lock. A cancelled task does not count as running; with no task that
// runs, all count as paused.
int AreAllTasksPaused();
void ResumeAllTasks();
// Pauses every task that is not cancelled.
void PauseAllTasks();
// Cancels every task; the tasks' threads end them.
void CancelAllTasks();
// Whether any task is listed (cancelled ones too, until their threads end them).
bool AnyBackgroundTask();
