// The framework's wrappers of kernel semaphores, sets of them and threads.
#pragma once

#include "core/VeltraneDefs.h"

#include "foundation/Exception.h"
#include "foundation/Strings.h"

#include <windows.h>

class VELTRANE_API TSemaphore {
public:
    virtual ~TSemaphore();
    operator HANDLE() const { return Handle; }
    TSemaphore(TSemaphore const &) = delete;
    TSemaphore &operator=(TSemaphore const &) = delete;

protected:
    TSemaphore() : Handle(0) {}
    HANDLE Handle;

private:
    virtual void Release() = 0;
    friend class TSemaphoreSet;
    friend class TMutex;
};

class VELTRANE_API TMutex : public TSemaphore {
public:
    TMutex();
    TMutex(char const *name, SECURITY_ATTRIBUTES *sa = 0);
    TMutex(char const *name, int inherit, unsigned long access);  // opens an existing one
    TMutex(HANDLE handle);                                          // duplicates

    class VELTRANE_API TLock {
    public:
        TLock(TMutex const &mutex, unsigned long timeout = INFINITE);
        ~TLock() { Release(); }
        bool WasAquired() const { return Held; }
        void Release();

    private:
        TMutex const &Mutex;
        bool Held;
    };

private:
    void Release() override;
};

class VELTRANE_API TCountedSemaphore : public TSemaphore {
public:
    TCountedSemaphore(int initialCount, int maxCount, char const *name = 0, SECURITY_ATTRIBUTES *sa = 0);
    TCountedSemaphore(char const *name, int inherit, unsigned long access);
    TCountedSemaphore(HANDLE handle);

private:
    void Release() override;
};

class VELTRANE_API TEventSemaphore : public TSemaphore {
public:
    TEventSemaphore();  // auto-reset, not signalled
    TEventSemaphore(int manualReset, int initialState, char const *name = 0, SECURITY_ATTRIBUTES *sa = 0);
    TEventSemaphore(char const *name, int inherit, unsigned long access);
    TEventSemaphore(HANDLE handle);
    void Set() { ::SetEvent(Handle); }
    void Reset() { ::ResetEvent(Handle); }
    void Pulse() { ::PulseEvent(Handle); }

private:
    void Release() override {}  // waiting on an event takes nothing to give back
};

class VELTRANE_API TSemaphoreSet {
public:
    enum TWaitWhat { WaitAny = 0, WaitAll = 1 };

    // Members are the list's entries up to its first null; size < 0 means exactly their number.
    TSemaphoreSet(TSemaphore const *const *list = 0, int size = -1);
    ~TSemaphoreSet();
    TSemaphoreSet(TSemaphoreSet const &) = delete;
    TSemaphoreSet &operator=(TSemaphoreSet const &) = delete;

    void Add(TSemaphore const &sem);
    void Remove(TSemaphore const &sem);
    int GetCount() const { return Count; }
    TSemaphore const *operator[](int index) const {
        return index >= 0 && index < Count ? Sems[index] : 0;
    }

    class VELTRANE_API TLock {
    public:
        enum { AllAquired = -1, TimedOut = -2, IoComplete = -3, MsgWaiting = -4, Failed = -5 };
        TLock(TSemaphoreSet const &set, TWaitWhat wait = WaitAny, unsigned long timeout = INFINITE,
              int alertable = 0);
        // Also ends when input of the kinds in wakeMask reaches this thread's queue.
        TLock(unsigned long wakeMask, TSemaphoreSet const &set, TWaitWhat wait = WaitAny,
              unsigned long timeout = INFINITE);
        ~TLock() { Release(0); }
        TLock(TLock const &) = delete;
        TLock &operator=(TLock const &) = delete;

        bool WasAquired() const { return Set != 0; }
        int WhichAquired() const { return Which; }
        void Release(int relinquish = 0);

    private:
        void Take(TSemaphoreSet const &set, DWORD result, TWaitWhat wait);
        TSemaphoreSet const *Set;
        int Which;
    };

private:
    void Release(int index = -1) const;
    TSemaphore const **Sems;
    int Size;
    int Count;
};

class VELTRANE_API TThread {
public:
    enum TStatus { Created = 0, Running = 1, Suspended = 2, Finished = 3, Invalid = 4 };
    enum TCurrent { Current };

    class TThreadError;  // below

    TThread(TCurrent);
    TThread(TThread const &);
    TThread &operator=(TThread const &);

    virtual void Terminate() { TerminationRequested = 1; }
    virtual ~TThread();

    HANDLE Start();
    unsigned long Suspend();
    unsigned long Resume();
    unsigned long WaitForExit(unsigned long timeout = INFINITE);
    unsigned long TerminateAndWait(unsigned long timeout = INFINITE);
    TStatus GetStatus() const;
    unsigned long GetExitCode() const;
    int GetPriority() const { return ::GetThreadPriority(Handle); }
    int SetPriority(int priority) { return ::SetThreadPriority(Handle, priority); }
    // true when the sleep ended because an I/O completion routine ran
    static bool Sleep(long milliseconds, int alertable = 0) {
        return ::SleepEx(milliseconds, alertable) == WAIT_IO_COMPLETION;
    }
    unsigned long GetId() const { return ThreadId; }

protected:
    TThread();
    int ShouldTerminate() const { return TerminationRequested; }
    void Exit(unsigned long code);

private:
    virtual int Run() { return -1; }
    static DWORD WINAPI Execute(void *thread);
    void Refresh() const;

    unsigned long ThreadId;
    HANDLE Handle;
    mutable TStatus Status;
    int TerminationRequested;
    int Attached;
};

// "Error[thread]: " and the text of its type.
class VELTRANE_API TThread::TThreadError : public AException {
public:
    enum TErrorType {
        SuspendBeforeRun, ResumeBeforeRun, ResumeDuringRun, SuspendAfterExit, ResumeAfterExit,
        CreationError, DestroyBeforeExit, AssignError
    };
    TThreadError(int type);
    int GetErrorType() const { return Type; }
    static String MakeString(int type);

private:
    int Type;
};
