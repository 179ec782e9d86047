// The application object, the message thread and its loop, modal loops, deferred
// deletion of closed windows, and the process's application dictionary.
#pragma once

#include "core/VeltraneDefs.h"

#include "core/EventHandler.h"
#include "core/Module.h"
#include "core/Threads.h"

#include <windows.h>

#include <exception>

class TWindow;
class TFrameWindow;
class TAppDictionary;
class AException;
class Config;

// The message being handled right now.
struct TCurrentEvent {
    TWindow *Win = 0;
    uint Message = 0;
    WPARAM WParam = 0;
    LPARAM LParam = 0;
};

class VELTRANE_API TMsgThread : public TThread {
public:
    // The application mutex: exists only where threads are supported.
    class VELTRANE_API TAppMutex {
    public:
        TAppMutex();
        ~TAppMutex();
        TMutex *GetMutex() { return Mutex; }

    private:
        TMutex *Mutex;
    };

    // Holds the queue mutex around a handler when the thread uses its queue lock.
    class VELTRANE_API TQueueLock {
    public:
        TQueueLock(TMsgThread &thread);
        ~TQueueLock() { Release(0); }
        void Release(int relinquish = 0);

    private:
        TMutex *Mutex;
        bool Held;
    };

    TMsgThread(TThread::TCurrent);
    ~TMsgThread() override;

    virtual int Run();
    virtual int MessageLoop();
    virtual int IdleAction(long idleCount);
    virtual int ProcessMsg(MSG &msg);
    virtual void InitInstance();
    virtual int TermInstance(int status);

    int PumpWaitingMessages();
    void WaitForMessage();
    void FlushQueue();
    void EnableMultiThreading(int enable);
    TMutex *GetMutex() { return MultiThreading ? AppMutex.GetMutex() : 0; }
    int IsRunning() const { return LoopRunning; }

protected:
    TMsgThread();  // for a thread of its own: the queue lock is in use
    int BreakMessageLoop;
    int MessageLoopResult;
    int LoopRunning;
    TAppMutex AppMutex;
    int MultiThreading;
};

class TCtl3dDll;

class VELTRANE_API TApplication : public TModule, public TMsgThread, virtual public TEventHandler {
public:
    TApplication(char const *name, TModule *&gModule, TAppDictionary *dict = 0);
    TApplication(char const *name, HINSTANCE instance, HINSTANCE prevInstance, char const *cmdLine, int cmdShow,
                 TModule *&gModule, TAppDictionary *dict = 0);
    ~TApplication() override;

    virtual int CanClose();
    virtual int Start();
    LRESULT Dispatch(TEventInfo &info, WPARAM wp, LPARAM lp);
    virtual int ProcessAppMsg(MSG &msg);
    virtual void PreProcessMenu(HMENU) {}
    virtual void InitApplication() {}
    virtual void InitMainWindow();

    int Run() override;
    int MessageLoop() override;
    int IdleAction(long idleCount) override;
    int ProcessMsg(MSG &msg) override;
    void InitInstance() override;
    int TermInstance(int status) override { return status; }

    int BeginModal(TWindow *window, int flags = 0);
    void EndModal(int result);
    void PostDispatchAction();

    void Condemn(TWindow *win);
    void Uncondemn(TWindow *win);

    int MessageBoxA(HWND owner, char const *text, char const *caption = 0, uint type = MB_OK);

    // Services of the application layer above the framework's windows, controls and
    // bars, which call them here; the document manager provides them. Here: no help,
    // failures shown in a plain box, no menu loop, progress window or settings.
    virtual void DoHelp(HELPINFO *) {}
    virtual void OpenHelpWindow(unsigned, unsigned long) {}
    virtual void WarnUser(AException const &e, int post);
    virtual int IsInMenuLoop() const { return 0; }
    virtual TWindow *GetProgressWindow() const { return 0; }
    virtual void SetProgressWindow(TWindow *) {}
    virtual Config *GetSettingsStore() { return 0; }

    TFrameWindow *GetMainWindow() const { return MainWindow; }
    HINSTANCE GetPrevInstance() const { return hPrevInstance; }
    void SetPrevInstance(HINSTANCE h) { hPrevInstance = h; }
    int GetCmdShow() const { return nCmdShow; }
    void SetCmdShow(int cmdShow) { nCmdShow = cmdShow; }
    String const &GetCmdLine() const { return CmdLine; }
    TCurrentEvent &GetCurrentEvent() { return CurrentEvent; }
    HACCEL GetAccelTable() const { return HAccTable; }
    void SetAccelTable(HACCEL accel) { HAccTable = accel; }

    void EnableCtl3d(int enable = 1);
    void EnableCtl3dAutosubclass(int enable);
    int Ctl3dEnabled() const { return Ctl3dOn; }
    TCtl3dDll *GetCtl3dModule() const { return Ctl3dModule; }

    static HINSTANCE InitHInstance;
    static HINSTANCE InitHPrevInstance;
    static int InitCmdShow;
    static String &GetInitCmdLine();
    static void SetWinMainParams(HINSTANCE instance, HINSTANCE prevInstance, char const *cmdLine, int cmdShow);
    void GetWinMainParams();

    void CmExit();

protected:
    TFrameWindow *SetMainWindow(TFrameWindow *window);
    void DeleteCondemned();

    HINSTANCE hPrevInstance;
    int nCmdShow;
    TFrameWindow *MainWindow;
    HACCEL HAccTable;
    String CmdLine;
    int Ctl3dOn;
    TCtl3dDll *Ctl3dModule;
    TCurrentEvent CurrentEvent;
    TWindow *CondemnedWindows;
    TAppDictionary *Dictionary;

private:
    friend class TWindow;
    void Construct(TModule *&gModule, TAppDictionary *dict);
    int ReportLoopException(std::exception_ptr failure);

    DECLARE_RESPONSE_TABLE(TApplication);
};

// Maps a process to its application object.
class VELTRANE_API TAppDictionary {
public:
    TAppDictionary();
    ~TAppDictionary();
    TAppDictionary(TAppDictionary const &) = delete;
    TAppDictionary &operator=(TAppDictionary const &) = delete;

    void Add(TApplication *app, DWORD pid = 0);
    TApplication *GetApplication(DWORD pid = 0) const;
    void Remove(TApplication *app);
    void Remove(DWORD pid);
    void Condemn(TApplication *app);
    void Iterate(void (*f)(TApplication *app));
    bool DeleteCondemned();

private:
    struct TEntry {
        DWORD Pid;
        TApplication *App;
    };
    TEntry *Table;
    int Size;
};

// The library's dictionary, made on first use.
VELTRANE_API TAppDictionary &LibraryAppDictionary();

// The process's application; a new "ALIAS" application when it has none.
VELTRANE_API TApplication *GetApplicationObject(DWORD pid = 0);

// The 3-D control library, bound by name.
class VELTRANE_API TCtl3dDll : public TModule {
public:
    TCtl3dDll();
    TModuleProcOf<BOOL(WINAPI *)(HINSTANCE)> Register, Unregister, AutoSubclass;
    TModuleProcOf<HBRUSH(WINAPI *)(UINT, WPARAM, LPARAM)> CtlColorEx;
    TModuleProcOf<BOOL(WINAPI *)(HWND, DWORD)> SubclassDlg, SubclassDlgEx;
    TModuleProcOf<WORD(WINAPI *)()> GetVer;
    TModuleProcOf<BOOL(WINAPI *)()> Enabled;
    TModuleProcOf<BOOL(WINAPI *)()> ColorChange;
    TModuleProcOf<BOOL(WINAPI *)(HWND)> SubclassCtl;
    TModuleProcOf<LONG(WINAPI *)(HWND, UINT, WPARAM, LPARAM)> DlgFramePaint;
    TModuleProcOf<int(WINAPI *)()> WinIniChange;
};

// The framework's main entry; a program supplies its own.
VELTRANE_API int YrtMain(int argc, char *argv[]);
VELTRANE_API unsigned YrtGetVersion();
