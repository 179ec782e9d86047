// Worker threads whose body is the virtual MainLoop, and the wrapper the GUI
// thread uses for itself.
#pragma once

#include "foundation/OsmeraDefs.h"

class OSMERA_API Thread {
public:
    // A thread not yet started. The name is not copied: it must outlive the
    // object.
    explicit Thread(char const *name = nullptr);
    // Wraps a thread that already runs; the object owns the handle from now
    // on and closes it when it goes.
    Thread(void *handle, unsigned long id, char const *name);
    // Waits for the thread's end when auto-death is set; closes the handle.
    // By then a derived object is already gone: a class whose MainLoop uses
    // its own members ends the thread (stop flag, WaitForEnd) in its own
    // destructor.
    virtual ~Thread();

    Thread(Thread const &) = delete;
    Thread &operator=(Thread const &) = delete;

    // Starts a system thread running body->MainLoop(). The thread is created
    // suspended and only resumed once handle, id and priority are in place.
    // priority 0 leaves the default; stackSize 0 takes the default.
    void Run(Thread *body, long priority = 0, long stackSize = 0);
    void Init(void *handle, unsigned long id);
    // Attaches the object to the calling thread (a real handle of its own).
    void InitAsCurrentThread();
    // Waits without limit for the end of the thread, then closes its handle.
    // On the thread itself it only closes the handle (waiting would never end).
    void WaitForEnd();
    int IsTerminated() const;
    long Suspend();
    long Resume();
    int IsSuspended() const { return suspendCount_ > 0; }
    // Forced end: the thread gets no chance to clean up. Closes the handle.
    void Terminate(unsigned long exitCode);
    int PostThreadMessageA(unsigned int msg, long wParam, long lParam);

    long GetPriority() const;
    void SetPriority(long priority);
    // The priority class belongs to the process the thread runs in.
    unsigned long GetPriorityClass() const;
    void SetPriorityClass(unsigned long priorityClass);
    static void GiveUpTimeSlice();

    // The stop flag: owners set it to ask MainLoop to return.
    void SetStopFlag(int stop = 1) { stop_ = stop; }
    int GetStopFlag() const { return stop_; }

    unsigned long GetThreadId() const { return id_; }
    void *GetThreadHandle() const { return handle_; }
    char const *GetName() const { return name_; }
    void SetName(char const *name) { name_ = name; }
    int IsAutoDeathActive() const { return autoDeath_; }
    void SetAutoDeathMode(int on) { autoDeath_ = on; }
    int IsSelfDestructible() const { return selfDestructible_; }
    // The thread deletes its object when MainLoop returns; nobody else may.
    void SetAsAutoDestructible() { selfDestructible_ = 1; }

protected:
    // The thread body; its result is the thread's exit code.
    virtual unsigned long MainLoop();

private:
    static unsigned __stdcall Starter(void *body);
    void CloseHandleIfHeld();

    volatile int stop_;
    char const *name_;
    unsigned long id_;
    void *handle_;
    volatile long suspendCount_;
    int autoDeath_;
    int valid_;
    int selfDestructible_;
};
