#include "core/Application.h"

#include "foundation/Exception.h"

#include "core/FrameWindow.h"
#include "core/MessageBoxSeam.h"
#include "core/VeltraneModule.h"
#include "core/Window.h"

#include <exception>
#include <vector>

// ---- the message thread

TMsgThread::TAppMutex::TAppMutex() : Mutex(TSystem::SupportsThreads() ? new TMutex() : 0) {}
TMsgThread::TAppMutex::~TAppMutex() { delete Mutex; }

TMsgThread::TQueueLock::TQueueLock(TMsgThread &thread) : Mutex(thread.GetMutex()), Held(false) {
    if (Mutex) {
        DWORD r = ::WaitForSingleObject(*Mutex, INFINITE);
        Held = r == WAIT_OBJECT_0 || r == WAIT_ABANDONED;
    }
}

void TMsgThread::TQueueLock::Release(int relinquish) {
    if (Mutex && Held) {
        ::ReleaseMutex(*Mutex);
        Held = false;
    }
    if (relinquish)
        Mutex = 0;
}

TMsgThread::TMsgThread(TThread::TCurrent)
    : TThread(TThread::Current), BreakMessageLoop(0), MessageLoopResult(0), LoopRunning(0), MultiThreading(0) {}

TMsgThread::TMsgThread() : BreakMessageLoop(0), MessageLoopResult(0), LoopRunning(0), MultiThreading(0) {
    EnableMultiThreading(1);
}

TMsgThread::~TMsgThread() {}

void TMsgThread::EnableMultiThreading(int enable) { MultiThreading = enable ? TSystem::SupportsThreads() : 0; }

int TMsgThread::Run() {
    InitInstance();
    LoopRunning = 1;
    int status;
    try {
        status = MessageLoop();
    } catch (...) {
        FlushQueue();
        LoopRunning = 0;
        TermInstance(-1);
        throw;
    }
    FlushQueue();
    LoopRunning = 0;
    return TermInstance(status);
}

int TMsgThread::MessageLoop() {
    MessageLoopResult = 0;
    long idleCount = 0;
    try {
        while (!BreakMessageLoop) {
            if (!IdleAction(idleCount++))
                WaitForMessage();
            if (PumpWaitingMessages())
                idleCount = 0;
        }
    } catch (...) {
        ::PostQuitMessage(-1);
        BreakMessageLoop = 0;
        throw;
    }
    BreakMessageLoop = 0;
    return MessageLoopResult;
}

int TMsgThread::IdleAction(long) { return 0; }

// Sleeps until a message comes, but not when the loop is to end, nor while one is
// already queued: a pump cut short by a failing handler leaves messages that the
// system no longer counts as new.
void TMsgThread::WaitForMessage() {
    MSG msg;
    if (!BreakMessageLoop && !::PeekMessageA(&msg, 0, 0, 0, PM_NOREMOVE))
        ::WaitMessage();
}

int TMsgThread::ProcessMsg(MSG &msg) {
    ::TranslateMessage(&msg);
    ::DispatchMessageA(&msg);
    TWindow::RethrowPendingException();
    return 0;
}

void TMsgThread::InitInstance() {}
int TMsgThread::TermInstance(int status) { return status; }

int TMsgThread::PumpWaitingMessages() {
    MSG msg;
    int any = 0;
    while (::PeekMessageA(&msg, 0, 0, 0, PM_REMOVE)) {
        any = 1;
        if (msg.message == WM_QUIT) {
            BreakMessageLoop = 1;
            MessageLoopResult = (int)msg.wParam;
            ::PostQuitMessage((int)msg.wParam);  // for an outer loop
            return 1;
        }
        if (ProcessMsg(msg))
            return 1;
    }
    return any;
}

void TMsgThread::FlushQueue() {
    MSG msg;
    while (::PeekMessageA(&msg, 0, 0, 0, PM_REMOVE | PM_NOYIELD))
        if (msg.message == WM_PAINT)
            break;
}

// ---- start values

HINSTANCE TApplication::InitHInstance = 0;
HINSTANCE TApplication::InitHPrevInstance = 0;
int TApplication::InitCmdShow = SW_SHOWNORMAL;

String &TApplication::GetInitCmdLine() {
    static String *cmdLine = new String("");  // lives to the end of the process
    return *cmdLine;
}

void TApplication::SetWinMainParams(HINSTANCE instance, HINSTANCE prevInstance, char const *cmdLine, int cmdShow) {
    InitHInstance = instance;
    InitHPrevInstance = prevInstance;
    GetInitCmdLine() = cmdLine ? cmdLine : "";
    InitCmdShow = cmdShow;
}

void TApplication::GetWinMainParams() {
    InitModule(InitHInstance, GetInitCmdLine().c_str());
    hPrevInstance = InitHPrevInstance;
    nCmdShow = InitCmdShow;
    CmdLine = GetInitCmdLine();
}

// ---- the application

TApplication::TApplication(char const *name, TModule *&gModule, TAppDictionary *dict)
    : TModule(name, InitHInstance, GetInitCmdLine().c_str()), TMsgThread(TThread::Current),
      hPrevInstance(InitHPrevInstance), nCmdShow(InitCmdShow), CmdLine(GetInitCmdLine()) {
    Construct(gModule, dict);
}

TApplication::TApplication(char const *name, HINSTANCE instance, HINSTANCE prevInstance, char const *cmdLine,
                           int cmdShow, TModule *&gModule, TAppDictionary *dict)
    : TModule(name, instance, cmdLine), TMsgThread(TThread::Current), hPrevInstance(prevInstance), nCmdShow(cmdShow),
      CmdLine(cmdLine ? cmdLine : "") {
    Construct(gModule, dict);
}

void TApplication::Construct(TModule *&gModule, TAppDictionary *dict) {
    MainWindow = 0;
    HAccTable = 0;
    Ctl3dOn = 0;
    Ctl3dModule = 0;
    CondemnedWindows = 0;
    Dictionary = dict ? dict : &LibraryAppDictionary();
    Dictionary->Add(this);
    gModule = this;
}

TApplication::~TApplication() {
    DeleteCondemned();
    if (Ctl3dModule) {
        Ctl3dModule->Unregister(GetHandle());
        delete Ctl3dModule;
    }
    if (TFrameWindow *main = SetMainWindow(0)) {
        main->Destroy(0);
        delete main;
    }
    DeleteCondemned();
    Dictionary->Remove(this);
}

TFrameWindow *TApplication::SetMainWindow(TFrameWindow *window) {
    TFrameWindow *old = MainWindow;
    if (old) {
        old->ClearFlag(wfMainWindow);
        old->ModifyExStyle(WS_EX_APPWINDOW, 0);
    }
    MainWindow = window;
    if (window) {
        window->SetFlag(wfMainWindow);
        window->ModifyExStyle(0, WS_EX_APPWINDOW);
    }
    return old;
}

int TApplication::CanClose() { return MainWindow ? MainWindow->CanClose() : 1; }

void TApplication::InitMainWindow() { SetMainWindow(new TFrameWindow(0, GetName())); }

void TApplication::InitInstance() {
    InitMainWindow();
    if (!MainWindow)
        TXInvalidMainWindow::Raise();
    MainWindow->SetFlag(wfMainWindow);
    MainWindow->Create();
    MainWindow->ShowWindow(nCmdShow);
}

int TApplication::Start() {
    try {
        if (!hPrevInstance)
            InitApplication();
        InitInstance();
        return 0;
    } catch (TXYrt &x) {
        return x.Unhandled(this, 0);
    } catch (Exception &e) {
        AException described = Describe(e);
        return Error(described, 0, 0);
    } catch (AException &e) {
        return Error(e, 0, 0);
    }
}

int TApplication::Run() {
    int status = 0;
    try {
        if (!MainWindow) {
            if (!hPrevInstance)
                InitApplication();
            InitInstance();
        }
        LoopRunning = 1;
        status = MessageLoop();
    } catch (...) {
        FlushQueue();
        LoopRunning = 0;
        TermInstance(-1);
        // reported here; thrown on when the user does not want to go on
        try {
            throw;
        } catch (TXYrt &x) {
            if (x.Unhandled(this, 0))
                throw;
        } catch (Exception &e) {
            AException described = Describe(e);
            if (Error(described, 0, 0))
                throw;
        } catch (AException &e) {
            if (Error(e, 0, 0))
                throw;
        }
        return -1;
    }
    FlushQueue();
    LoopRunning = 0;
    return TermInstance(status);
}

// Reports a failure that escaped a handler: 0 goes on, anything else ends the loop.
int TApplication::ReportLoopException(std::exception_ptr failure) {
    try {
        std::rethrow_exception(failure);
    } catch (TXYrt &x) {
        return x.Unhandled(this, IDS_OKTORESUME);
    } catch (Exception &e) {
        AException described = Describe(e);
        return Error(described, 0, IDS_OKTORESUME);
    } catch (AException &e) {
        return Error(e, 0, IDS_OKTORESUME);
    } catch (...) {
        TXYrt unknown(IDS_UNKNOWNEXCEPTION);
        return unknown.Unhandled(this, IDS_OKTORESUME);
    }
}

int TApplication::MessageLoop() {
    MessageLoopResult = 0;
    long idleCount = 0;
    while (!BreakMessageLoop) {
        try {
            if (!IdleAction(idleCount++))
                WaitForMessage();
            if (PumpWaitingMessages())
                idleCount = 0;
        } catch (...) {
            int answer = ReportLoopException(std::current_exception());
            if (answer) {
                // ends now: a failure that repeats must not be asked about forever
                MessageLoopResult = answer;
                BreakMessageLoop = 1;
                ::PostQuitMessage(answer);
            }
        }
    }
    BreakMessageLoop = 0;
    return MessageLoopResult;
}

int TApplication::IdleAction(long idleCount) { return MainWindow ? MainWindow->IdleAction(idleCount) : 0; }

int TApplication::ProcessMsg(MSG &msg) {
    if (ProcessAppMsg(msg))
        return 0;
    ::TranslateMessage(&msg);
    if (!msg.hwnd) {
        TEventInfo withId(msg.message, msg.wParam);
        if (Find(withId)) {
            Dispatch(withId, msg.wParam, msg.lParam);
            return 1;
        }
        TEventInfo plain(msg.message, 0);
        if (Find(plain)) {
            Dispatch(plain, msg.wParam, msg.lParam);
            return 1;
        }
    }
    ::DispatchMessageA(&msg);
    DeleteCondemned();
    TWindow::RethrowPendingException();
    return 0;
}

int TApplication::ProcessAppMsg(MSG &msg) {
    HWND desktop = ::GetDesktopWindow();
    for (HWND h = msg.hwnd; h && h != desktop; h = ::GetParent(h)) {
        if (TWindow *w = GetWindowPtr(h, this)) {
            if (w->PreProcessMsg(msg))
                return 1;
            if (w->IsFlagSet(wfStopPreProcess))
                return 0;
        }
    }
    if (HAccTable && MainWindow)
        return ::TranslateAcceleratorA(MainWindow->GetHandle(), HAccTable, &msg);
    return 0;
}

void TApplication::PostDispatchAction() {
    DeleteCondemned();
    MSG msg;
    if (!::PeekMessageA(&msg, 0, 0, 0, PM_NOREMOVE))
        IdleAction(0);
}

LRESULT TApplication::Dispatch(TEventInfo &info, WPARAM wp, LPARAM lp) {
    TQueueLock lock(*this);
    return TEventHandler::Dispatch(info, wp, lp);
}

// ---- condemned windows: linked through their next-sibling pointers

void TApplication::Condemn(TWindow *win) {
    Uncondemn(win);  // a window closed twice is listed once, and the list stays whole
    win->SetParent(0);
    win->SiblingList = 0;
    if (!CondemnedWindows) {
        CondemnedWindows = win;
        return;
    }
    TWindow *last = CondemnedWindows;
    while (last->SiblingList)
        last = last->SiblingList;
    last->SiblingList = win;
}

void TApplication::Uncondemn(TWindow *win) {
    for (TWindow **p = &CondemnedWindows; *p; p = &(*p)->SiblingList)
        if (*p == win) {
            *p = win->SiblingList;
            win->SiblingList = 0;
            return;
        }
}

void TApplication::DeleteCondemned() {
    while (TWindow *w = CondemnedWindows) {
        CondemnedWindows = w->SiblingList;
        w->SiblingList = 0;
        delete w;
    }
}

void TApplication::CmExit() {
    if (MainWindow)
        MainWindow->SendMessageA(WM_CLOSE);
    DeleteCondemned();
}

// ---- modal loops

namespace {
struct TModalRecord {
    std::vector<HWND> Disabled;
    TModalRecord *Previous;
};
TModalRecord *currentModal;

// The thread's windows are counted first and recorded into room made beforehand:
// nothing may allocate (and so throw) inside the system's enumeration.
struct TWindowList {
    HWND *Items;
    size_t Count, Room;
};

BOOL CALLBACK CountWindow(HWND, LPARAM count) {
    ++*(size_t *)count;
    return TRUE;
}

BOOL CALLBACK CollectWindow(HWND h, LPARAM list) {
    TWindowList &l = *(TWindowList *)list;
    if (l.Count < l.Room)
        l.Items[l.Count++] = h;
    return TRUE;
}

void EnableAgain(TModalRecord &r) {
    for (HWND h : r.Disabled)
        if (::IsWindow(h))
            ::EnableWindow(h, TRUE);
    r.Disabled.clear();
}
}  // namespace

int TApplication::BeginModal(TWindow *window, int flags) {
    TModalRecord record{{}, currentModal};
    HWND self = window ? window->GetHandle() : 0;
    if (flags & 0x3000) {
        size_t count = 0;
        if (!::EnumThreadWindows(::GetCurrentThreadId(), &CountWindow, (LPARAM)&count) && count == 0 &&
            ::GetLastError() != 0)
            return -1;
        std::vector<HWND> all(count);
        TWindowList list = {all.data(), 0, count};
        ::EnumThreadWindows(::GetCurrentThreadId(), &CollectWindow, (LPARAM)&list);
        all.resize(list.Count);
        for (HWND h : all)
            if (h != self && ::IsWindowEnabled(h) && !(::GetWindowLongA(h, GWL_STYLE) & WS_CHILD)) {
                ::EnableWindow(h, FALSE);
                record.Disabled.push_back(h);
            }
    } else if (self) {
        ::EnableWindow(self, FALSE);
        record.Disabled.push_back(self);
    }
    currentModal = &record;
    int result;
    try {
        result = MessageLoop();
    } catch (...) {
        EnableAgain(record);
        currentModal = record.Previous;
        throw;
    }
    EnableAgain(record);
    currentModal = record.Previous;
    return result;
}

void TApplication::EndModal(int result) {
    BreakMessageLoop = 1;
    MessageLoopResult = result;
    if (currentModal)
        EnableAgain(*currentModal);
}

int TApplication::MessageBoxA(HWND owner, char const *text, char const *caption, uint type) {
    if (!caption)
        caption = GetName();
    if (!owner && !(type & MB_SYSTEMMODAL))
        type |= MB_TASKMODAL;
    return ShowMessageBox(owner, text, caption, type);
}

void TApplication::WarnUser(AException const &e, int) {
    MessageBoxA(MainWindow ? MainWindow->GetHandle() : 0, e.why().c_str(), GetName(), MB_OK | MB_ICONHAND);
}

// ---- 3-D controls

void TApplication::EnableCtl3d(int enable) {
    if (TSystem::GetMajorVersion() > 3)
        return;
    if (enable && !Ctl3dModule) {
        try {
            Ctl3dModule = new TCtl3dDll();
            Ctl3dModule->Register(GetHandle());
        } catch (...) {
            delete Ctl3dModule;
            Ctl3dModule = 0;
            return;
        }
    }
    Ctl3dOn = enable;
}

void TApplication::EnableCtl3dAutosubclass(int enable) {
    if (!Ctl3dOn || !Ctl3dModule)
        return;
    if (enable) {
        Ctl3dModule->Register(GetHandle());
        Ctl3dModule->AutoSubclass(GetHandle());
    } else {
        Ctl3dModule->Unregister(GetHandle());
    }
}

TCtl3dDll::TCtl3dDll()
    : TModule("CTL3D32.DLL", true), Register(*this, "Ctl3dRegister"), Unregister(*this, "Ctl3dUnregister"),
      AutoSubclass(*this, "Ctl3dAutoSubclass"), CtlColorEx(*this, "Ctl3dCtlColorEx"),
      SubclassDlg(*this, "Ctl3dSubclassDlg"), SubclassDlgEx(*this, "Ctl3dSubclassDlgEx"),
      GetVer(*this, "Ctl3dGetVer"), Enabled(*this, "Ctl3dEnabled"), ColorChange(*this, "Ctl3dColorChange"),
      SubclassCtl(*this, "Ctl3dSubclassCtl"), DlgFramePaint(*this, "Ctl3dDlgFramePaint"),
      WinIniChange(*this, "Ctl3dWinIniChange") {}

// ---- the dictionary

TAppDictionary::TAppDictionary() : Table(new TEntry[10]()), Size(10) {}

TAppDictionary::~TAppDictionary() {
    DeleteCondemned();
    delete[] Table;
}

void TAppDictionary::Add(TApplication *app, DWORD pid) {
    if (!pid)
        pid = ::GetCurrentProcessId();
    int free = -1;
    for (int i = 0; i < Size && free < 0; i++)
        if (!Table[i].App)
            free = i;
    if (free < 0) {
        TEntry *table = new TEntry[Size + 10]();
        for (int i = 0; i < Size; i++)
            table[i] = Table[i];
        delete[] Table;
        Table = table;
        free = Size;
        Size += 10;
    }
    // the newest application of a process is the one found (an "ALIAS" application
    // made before the real one must not shadow it)
    for (int i = 0; i < free; i++)
        if (Table[i].App && Table[i].Pid == pid) {
            Table[free] = Table[i];
            free = i;
            break;
        }
    Table[free] = {pid, app};
}

TApplication *TAppDictionary::GetApplication(DWORD pid) const {
    if (!pid)
        pid = ::GetCurrentProcessId();
    for (int i = 0; i < Size; i++)
        if (Table[i].App && Table[i].Pid == pid)
            return Table[i].App;
    return 0;
}

void TAppDictionary::Remove(TApplication *app) {
    for (int i = 0; i < Size; i++)
        if (Table[i].App == app)
            Table[i] = {0, 0};
}

void TAppDictionary::Remove(DWORD pid) {
    if (!pid)
        pid = ::GetCurrentProcessId();
    for (int i = 0; i < Size; i++)
        if (Table[i].App && Table[i].Pid == pid)
            Table[i] = {0, 0};
}

void TAppDictionary::Condemn(TApplication *app) {
    for (int i = 0; i < Size; i++)
        if (Table[i].App == app)
            Table[i].Pid = 0;
}

void TAppDictionary::Iterate(void (*f)(TApplication *)) {
    for (int i = 0; i < Size; i++)
        if (Table[i].App)
            f(Table[i].App);
}

bool TAppDictionary::DeleteCondemned() {
    for (int i = 0; i < Size; i++)
        if (Table[i].App && Table[i].Pid == 0) {
            TApplication *app = Table[i].App;
            Table[i].App = 0;
            delete app;
        }
    for (int i = 0; i < Size; i++)
        if (Table[i].App)
            return false;
    return true;
}

TAppDictionary &LibraryAppDictionary() {
    static TAppDictionary dictionary;
    return dictionary;
}

TApplication *GetApplicationObject(DWORD pid) {
    if (TApplication *app = LibraryAppDictionary().GetApplication(pid))
        return app;
    static TModule *aliasModule;
    return new TApplication("ALIAS", aliasModule);  // registers itself
}

// ---- the library's table and entry

DEFINE_RESPONSE_TABLE(TApplication)
    EV_COMMAND(24310, CmExit),
END_RESPONSE_TABLE;

int YrtMain(int argc, char *argv[]) {
    if (argc && argv)
        ShowMessageBox(0, "You have accidently used the dummy version of YrtMain.", "Error", MB_ICONHAND);
    return 0;
}

unsigned YrtGetVersion() { return 0x0503; }
