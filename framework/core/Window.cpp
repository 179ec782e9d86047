#include "core/Window.h"

#include "core/Application.h"
#include "core/FrameWindow.h"
#include "core/Menu.h"
#include "core/Scroller.h"

#include <cstring>
#include <exception>

// ---- shared state of the window procedure: per thread, since windows belong to the
// thread that made them and a message thread of its own may create and serve windows

unsigned long TWindow::LastUniqueId = 0;

namespace {
thread_local TWindow *creationWindow;

struct TCacheSlot {
    unsigned long UniqueId;  // 0: empty (identifiers start at 1)
    TGenericTableEntry const *Entry;
    uint Msg;
    int Delta;  // from the window object to the object the row's class is
};
thread_local TCacheSlot cache[31];
bool cacheEnabled = true;

thread_local std::exception_ptr pendingException;

// Instance thunks come from one private heap of executable memory.
HANDLE ThunkHeap() {
    static HANDLE heap = ::HeapCreate(HEAP_CREATE_ENABLE_EXECUTE, 0, 0);
    return heap;
}

// A thunk is a few instructions that put a pointer in place of the window handle (the
// first argument) and jump to a window procedure, leaving the stack as it was:
//   i386:   mov dword ptr [esp+4], pointer ; mov eax, target ; jmp eax
//   x86-64: mov rcx, pointer ; mov rax, target ; jmp rax
// Behind the code, an orphaned thunk keeps the window and the procedure it hands on to.
struct TThunk {
    unsigned char Code[32];
    HWND Window;
    WNDPROC Previous;
};

void WriteThunk(TThunk &thunk, void const *pointer, void const *target) {
    unsigned char *code = thunk.Code;
    std::memset(code, 0xCC, sizeof thunk.Code);
#if defined(_WIN64)
    code[0] = 0x48, code[1] = 0xB9;
    std::memcpy(code + 2, &pointer, 8);
    code[10] = 0x48, code[11] = 0xB8;
    std::memcpy(code + 12, &target, 8);
    code[20] = 0xFF, code[21] = 0xE0;
#else
    code[0] = 0xC7, code[1] = 0x44, code[2] = 0x24, code[3] = 0x04;
    std::memcpy(code + 4, &pointer, 4);
    code[8] = 0xB8;
    std::memcpy(code + 9, &target, 4);
    code[13] = 0xFF, code[14] = 0xE0;
#endif
    ::FlushInstructionCache(::GetCurrentProcess(), code, sizeof thunk.Code);
}

void *MakeThunk(TWindow *w) {
    TThunk *thunk = (TThunk *)::HeapAlloc(ThunkHeap(), HEAP_ZERO_MEMORY, sizeof(TThunk));
    if (!thunk)
        throw TXOutOfMemory();
    WriteThunk(*thunk, w, (void const *)&TWindow::StdWndProc);
    return thunk;
}

void FreeThunk(void *thunk) {
    if (thunk)
        ::HeapFree(ThunkHeap(), 0, thunk);
}

LRESULT CALLBACK OrphanWndProc(HWND orphan, UINT msg, WPARAM wp, LPARAM lp) {
    TThunk const *thunk = reinterpret_cast<TThunk const *>(orphan);
    return ::CallWindowProcA(thunk->Previous, thunk->Window, msg, wp, lp);
}

// A thunk that another procedure still calls outlives its object: it then hands every
// message of its window to the procedure that was there before the object.
void OrphanThunk(void *thunk, HWND window, WNDPROC previous) {
    TThunk *orphan = (TThunk *)thunk;
    orphan->Window = window;
    orphan->Previous = previous;
    WriteThunk(*orphan, orphan, (void const *)&OrphanWndProc);
}

WNDPROC SystemDefWindowProc() {
    static WNDPROC proc = (WNDPROC)::GetProcAddress(::GetModuleHandleA("USER32"), "DefWindowProcA");
    return proc;
}

bool IsOwnProcess(HWND hwnd) {
    DWORD pid = 0;
    ::GetWindowThreadProcessId(hwnd, &pid);
    return pid == ::GetCurrentProcessId();
}

// Keeps the application's current event for the length of one message.
class TCurrentEventScope {
public:
    TCurrentEventScope(TApplication *app, TWindow *w, uint msg, WPARAM wp, LPARAM lp)
        : App(app), Saved(app ? app->GetCurrentEvent() : TCurrentEvent()) {
        if (App) {
            TCurrentEvent &e = App->GetCurrentEvent();
            e.Win = w, e.Message = msg, e.WParam = wp, e.LParam = lp;
        }
    }
    ~TCurrentEventScope() {
        if (App)
            App->GetCurrentEvent() = Saved;
    }

private:
    TApplication *App;
    TCurrentEvent Saved;
};
}  // namespace

void TWindow::EnableCache(bool on) { cacheEnabled = on; }
void TWindow::SetCreationWindow(TWindow *w) { creationWindow = w; }
TWindow *TWindow::GetCreationWindow() { return creationWindow; }
bool TWindow::HasPendingException() { return pendingException != nullptr; }
void TWindow::ClearPendingException() { pendingException = nullptr; }

void TWindow::KeepPendingException() {
    if (!pendingException)
        pendingException = std::current_exception();
}

void TWindow::RethrowPendingException() {
    if (!pendingException)
        return;
    std::exception_ptr p = pendingException;
    pendingException = nullptr;
    std::rethrow_exception(p);
}

// ---- construction

TWindow::TWindow()
    : HWindow(0), Title(0), Parent(0), DefaultProc(0), Scroller(0), TransferBuffer(0), HAccel(0), CursorModule(0),
      HCursor(0), BkgndColor(TColor::None), ContextPopupMenu(0), Thunk(0), Application(0), LocalizedModule(0),
      CommonModule(0), Flags(0), ZOrder(0), ChildList(0), SiblingList(0), UniqueId(0), MenuName(0) {
    Attr = TWindowAttr();
}

TWindow::TWindow(TWindow *parent, char const *title, TModule *module) : TWindow() { Init(parent, title, module); }

TWindow::TWindow(HWND hwnd, TModule *module) : TWindow() { Init(hwnd, module); }

void TWindow::Init(TWindow *parent, char const *title, TModule *module) {
    if (Thunk)
        return;
    Title = IS_INTRESOURCE(title) ? (char *)title : strnewdup(title);
    Attr.Style = WS_CHILD | WS_VISIBLE;
    InitCommon(parent, module);
    SetFlag(wfAutoCreate);
}

void TWindow::Init(HWND hwnd, TModule *module) {
    if (Thunk)
        return;
    HWindow = hwnd;
    InitCommon(GetWindowPtr(::GetParent(hwnd)), module);
    Application = dynamic_cast<TApplication *>(module);
    if (!Application)
        Application = GetApplicationObject();
    if (IsOwnProcess(hwnd))
        SubclassWindowFunction();
    GetWindowTextTitle();
    GetHWndState(1);
    SetFlag(wfAlias | wfFullyCreated);
    SetUniqueId();
}

void TWindow::InitCommon(TWindow *parent, TModule *module) {
    Parent = parent;
    Flags = wfDeleteOnClose;
    Thunk = MakeThunk(this);
    if (Parent) {
        Parent->AddChild(this);
        Application = Parent->Application;
        LocalizedModule = module ? module : Parent->LocalizedModule;
        CommonModule = module ? module : Parent->CommonModule;
    } else {
        LocalizedModule = module ? module : TModule::_localizedResourceDLL;
        CommonModule = module ? module : TModule::_commonResourceDLL;
        Application = GetApplicationObject();
    }
    if (!LocalizedModule)
        LocalizedModule = Application;
    if (!CommonModule)
        CommonModule = Application;
    SetUniqueId();
}

void TWindow::SetMenuName(TResId menu) {
    char *copy = menu.IsString() ? strnewdup(menu) : 0;  // a name is kept as an own copy
    delete[] MenuName;
    MenuName = copy;
    Attr.Menu = copy ? TResId(copy) : menu;
}

void TWindow::SetUniqueId() {
    unsigned long id = (unsigned long)::InterlockedIncrement((LONG volatile *)&LastUniqueId);
    if (id == 0) {
        // identifiers wrapped: a stale cache hit is possible from now on
        LastUniqueId = id = 1;
        cacheEnabled = false;
    }
    UniqueId = id;
}

TWindow::~TWindow() {
    for (TCacheSlot &slot : cache)
        if (slot.UniqueId == UniqueId)
            slot = TCacheSlot();
    while (TWindow *child = GetFirstChild()) {
        child->Destroy(0);
        delete child;  // takes itself off this list
    }
    if (HWindow) {
        if (IsFlagSet(wfAlias)) {
            if (DefaultProc && (WNDPROC)::GetWindowLongPtrA(HWindow, GWLP_WNDPROC) == (WNDPROC)Thunk) {
                ::SetWindowLongPtrA(HWindow, GWLP_WNDPROC, (LONG_PTR)DefaultProc);
            } else if (DefaultProc) {
                // subclassed again on top of us: the thunk stays in that chain
                OrphanThunk(Thunk, HWindow, DefaultProc);
                Thunk = 0;
            }
        } else {
            ::DestroyWindow(HWindow);
        }
        HWindow = 0;
    }
    if (Parent)
        Parent->RemoveChild(this);
    if (Application) {
        Application->Uncondemn(this);
        // a main window deleted after closing must not stay the application's
        if ((TWindow *)Application->MainWindow == this)
            Application->MainWindow = 0;
    }
    if (creationWindow == this)
        creationWindow = 0;
    delete[] MenuName;
    delete Scroller;
    if (!IS_INTRESOURCE(Title))
        delete[] Title;
    if (HCursor && CursorModule)
        ::DestroyCursor(HCursor);
    delete ContextPopupMenu;
    FreeThunk(Thunk);
}

// ---- creation

char const *TWindow::GetClassNameA() {
    static char name[40];
    if (BkgndColor.IsSysColor() && BkgndColor != TColor::None && BkgndColor != TColor::Transparent) {
        wsprintfA(name, "%s:%X", "Yrt_Window", BkgndColor.Index());
        return name;
    }
    return "Yrt_Window";
}

void TWindow::GetWindowClass(WNDCLASSA &wc) {
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = &TWindow::InitWndProc;
    wc.cbClsExtra = 0;
    wc.cbWndExtra = 0;
    wc.hInstance = (HINSTANCE)VeltraneLibraryModule().GetHandle();
    wc.hIcon = 0;
    wc.hCursor = ::LoadCursorA(0, (LPCSTR)IDC_ARROW);
    wc.hbrBackground = (HBRUSH)(ULONG_PTR)(BkgndColor.IsSysColor() ? BkgndColor.Index() + 1 : COLOR_WINDOW + 1);
    wc.lpszMenuName = 0;
    wc.lpszClassName = GetClassNameA();
}

int TWindow::Register() {
    static bool notNT = TSystem::GetPlatformId() != VER_PLATFORM_WIN32_NT;
    char const *name = GetClassNameA();
    WNDCLASSA wc;
    if (notNT && TUser::GetClassInfoA(0, name, &wc))
        return 1;
    HINSTANCE library = (HINSTANCE)VeltraneLibraryModule().GetHandle();
    if (::GetClassInfoA(library, name, &wc))
        return 1;
    std::memset(&wc, 0, sizeof wc);
    GetWindowClass(wc);
    ATOM atom = ::RegisterClassA(&wc);
    if (atom)
        return atom;
    return ::GetClassInfoA(library, name, &wc) ? 1 : 0;
}

int TWindow::Create() {
    if (HWindow)
        return 1;
    DisableAutoCreate();
    if (IsFlagSet(wfFromResource)) {
        HWindow = Parent ? ::GetDlgItem(Parent->HWindow, Attr.Id) : 0;
        if (!HWindow)
            TXWindow::Raise(this, IDS_WINDOWCREATEFAIL);
    } else {
        if (!Register())
            TXWindow::Raise(this, IDS_CLASSREGISTERFAIL);
        SetCreationWindow(this);
        if (Attr.AccelTable && CommonModule)
            HAccel = CommonModule->LoadAcceleratorsA(Attr.AccelTable);
        HMENU menu = 0;
        if (Attr.Menu && LocalizedModule)
            menu = LocalizedModule->LoadMenuA(Attr.Menu);
        PerformCreate(menu ? menu : (HMENU)(ULONG_PTR)Attr.Id);
        if (creationWindow == this)
            creationWindow = 0;
        if (!HWindow) {
            if (menu)
                ::DestroyMenu(menu);
            // a handler's own failure says more than "create failed"
            RethrowPendingException();
            TXWindow::Raise(this, IDS_WINDOWCREATEFAIL);
        }
        RethrowPendingException();
    }
    if (GetWindowPtr(HWindow) == this)  // bound itself during creation
        return 1;
    GetWindowTextTitle();
    GetHWndState();
    if ((WNDPROC)::GetWindowLongPtrA(HWindow, GWLP_WNDPROC) == &TWindow::InitWndProc) {
        if (!creationWindow)
            SetCreationWindow(this);
        ::SendMessageA(HWindow, 0x4400, 0, 0);
        SetFlag(wfFullyCreated);
    } else {
        SubclassWindowFunction();
        if (creationWindow == this)
            creationWindow = 0;
        SetFlag(wfPredefinedClass | wfFullyCreated);
    }
    SetupWindow();
    RethrowPendingException();
    return 1;
}

HWND TWindow::PerformCreate(HMENU menuOrId) {
    HWindow = ::CreateWindowExA(Attr.ExStyle, GetClassNameA(), IS_INTRESOURCE(Title) ? 0 : Title, Attr.Style,
                                Attr.X, Attr.Y, Attr.W, Attr.H, Parent ? Parent->HWindow : 0, menuOrId,
                                (HINSTANCE)VeltraneLibraryModule().GetHandle(), Attr.Param);
    return HWindow;
}

void TWindow::SetupWindow() {
    if (Scroller)
        Scroller->SetSBarRange();
    CreateChildren();
    TransferData(tdSetData);
}

void TWindow::CleanupWindow() {}

void TWindow::SubclassWindowFunction() {
    if (!IsOwnProcess(HWindow))
        return;
    WNDPROC current = (WNDPROC)::GetWindowLongPtrA(HWindow, GWLP_WNDPROC);
    if (current == (WNDPROC)Thunk)
        return;
    DefaultProc = current;
    ::SetWindowLongPtrA(HWindow, GWLP_WNDPROC, (LONG_PTR)Thunk);
}

int TWindow::Execute() { return DoExecute(); }

int TWindow::DoExecute() {
    if (!Application || !Create())
        return -1;
    SetFlag(wfModal);
    return Application->BeginModal(this, 0x2000);
}

// ---- binding and entry

LRESULT CALLBACK TWindow::InitWndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    TWindow *w = creationWindow;
    if (!w)
        return ::DefWindowProcA(hwnd, msg, wp, lp);
    w->HWindow = hwnd;
    w->DefaultProc = SystemDefWindowProc();
    creationWindow = 0;
    ::SetWindowLongPtrA(hwnd, GWLP_WNDPROC, (LONG_PTR)w->Thunk);
    return ::CallWindowProcA((WNDPROC)w->Thunk, hwnd, msg, wp, lp);
}

// The thunk puts the object in place of the window handle. Nothing a handler throws
// may unwind into the system: it is kept and thrown again by the message loop.
LRESULT CALLBACK TWindow::StdWndProc(HWND object, UINT msg, WPARAM wp, LPARAM lp) {
    TWindow *w = reinterpret_cast<TWindow *>(object);
    try {
        return w->ReceiveMessage(msg, wp, lp);
    } catch (...) {
        if (!pendingException)
            pendingException = std::current_exception();
    }
    return msg == WM_CREATE || msg == WM_NCCREATE ? (msg == WM_CREATE ? -1 : 0) : 0;
}

LRESULT TWindow::ReceiveMessage(uint msg, WPARAM wp, LPARAM lp) {
    if (msg == GetWindowPtrMsgId && msg && (!lp || (TApplication *)lp == Application))
        return (LRESULT)this;
    if (!TSystem::SupportsExceptions())
        return msg == WM_CREATE ? -1 : 0;
    return HandleMessage(msg, wp, lp);
}

LRESULT TWindow::HandleMessage(uint msg, WPARAM wp, LPARAM lp) {
    TCurrentEventScope scope(Application, this, msg, wp, lp);
    return WindowProc(msg, wp, lp);
}

TWindow *GetWindowPtr(HWND hwnd, TApplication const *app) {
    if (!hwnd || !IsOwnProcess(hwnd))
        return 0;
    uint id = RegisterWindowPtrMsg();
    WNDPROC proc = (WNDPROC)::GetWindowLongPtrA(hwnd, GWLP_WNDPROC);
    if (!proc)
        return 0;
    // common controls may have Unicode procedures: go through the system's call
    return (TWindow *)::CallWindowProcA(proc, hwnd, id, 0, (LPARAM)app);
}

TWindow *TWindow::GetWindowPtr(HWND hwnd) const { return ::GetWindowPtr(hwnd, Application); }

LRESULT TWindow::DefWindowProcA(uint msg, WPARAM wp, LPARAM lp) {
    WNDPROC proc = DefaultProc ? DefaultProc : SystemDefWindowProc();
    return ::CallWindowProcA(proc, HWindow, msg, wp, lp);
}

// ---- dispatch

LRESULT TWindow::Dispatch(TEventInfo &info, WPARAM wp, LPARAM lp) {
    TMsgThread::TQueueLock lock(*Application);
    return TEventHandler::Dispatch(info, wp, lp);
}

LRESULT TWindow::WindowProc(uint msg, WPARAM wp, LPARAM lp) {
    if (msg == 0x7FFF) {
        EvCommandEnable(*(TCommandEnabler *)lp);
        return 0;
    }
    if (msg == WM_COMMAND)
        return EvCommand(LOWORD(wp), (HWND)lp, HIWORD(wp));
    if (msg == WM_NOTIFY) {
        static TNotify zero;
        TNotify *header = lp ? (TNotify *)lp : &zero;
        if (!lp)
            zero = TNotify();
        return EvNotify(wp, *header);
    }

    TCacheSlot &slot = cache[(msg ^ UniqueId) % 31];
    if (cacheEnabled && slot.UniqueId == UniqueId && slot.Msg == msg) {
        if (slot.Entry) {
            TEventInfo info(msg);
            info.Object = (GENERIC *)((char *)this + slot.Delta);
            info.Entry = slot.Entry;
            return Dispatch(info, wp, lp);
        }
    } else {
        TEventInfo info(msg);
        int found = Find(info);
        slot.UniqueId = UniqueId;
        slot.Msg = msg;
        slot.Entry = found ? info.Entry : 0;
        slot.Delta = found ? int((char *)info.Object - (char *)this) : 0;
        if (found)
            return Dispatch(info, wp, lp);
    }

    if (IsFlagSet(wfMainWindow) && Application) {
        TEventInfo withId(msg, wp);
        if (Application->Find(withId))
            return Application->Dispatch(withId, wp, lp);
        TEventInfo plain(msg, 0);
        if (Application->Find(plain))
            return Application->Dispatch(plain, wp, lp);
    }
    return DefWindowProcA(msg, wp, lp);
}

namespace {
// A control's command or notification: the control's own object answers first, for any
// identifier; a control without one leaves it to `self`'s row for its identifier or that
// identifier's any-code row. A notification row gets the code, a command row the identifier.
LRESULT RouteFromControl(TWindow &self, HWND ctl, uint id, uint code, LPARAM lp) {
    TWindow *child = ctl ? self.GetWindowPtr(ctl) : 0;
    if (!child && id == 0)
        return self.DefaultProcessing();
    TWindow &target = child ? *child : self;
    TEventHandler::TEventInfo info(code, child ? 0xFFFFFFFF : id);
    if (child ? child->Find(info) : self.Find(info, TEventHandler::EqualNotify))
        return target.Dispatch(info, info.Entry->Msg ? code : id, lp);
    return target.DefaultProcessing();
}
}  // namespace

LRESULT TWindow::EvCommand(uint id, HWND hWndCtl, uint notifyCode) {
    if (hWndCtl)
        return RouteFromControl(*this, hWndCtl, id, notifyCode, 0);
    TEventInfo info(0, id);  // a menu or accelerator command
    return Find(info) ? Dispatch(info, id, 0) : DefaultProcessing();
}

LRESULT TWindow::EvNotify(uint id, TNotify &header) {
    return RouteFromControl(*this, header.hwndFrom, id, header.code, (LPARAM)&header);
}

LRESULT TWindow::DefaultProcessing() {
    TCurrentEvent &event = Application->GetCurrentEvent();
    TWindow *receiver = event.Win;
    uint msg = event.Message;

    if (msg == 0x7FFF) {
        if (receiver != this) {
            TCommandEnabler &ce = *(TCommandEnabler *)event.LParam;
            TWindow *next = Parent ? Parent : receiver;
            TEventInfo info(0x7FFF, ce.GetId());
            if (next && next->Find(info))
                next->Dispatch(info, 0, event.LParam);
        }
        return 0;
    }
    if (msg != WM_COMMAND && msg != WM_NOTIFY)
        return DefWindowProcA(msg, event.WParam, event.LParam);

    uint id, code;
    HWND ctl;
    if (msg == WM_NOTIFY) {
        NMHDR *h = (NMHDR *)event.LParam;
        id = event.WParam;
        code = h ? h->code : 0;
        ctl = h ? h->hwndFrom : 0;
    } else {
        id = LOWORD(event.WParam);
        code = HIWORD(event.WParam);
        ctl = (HWND)event.LParam;
    }

    for (TWindow *w = this;;) {
        if (w == receiver) {
            if (!ctl) {
                TEventInfo info(0, id);
                if (Application->Find(info)) {
                    Application->Dispatch(info, id, 0);
                    return 0;
                }
            }
            return w->DefWindowProcA(msg, event.WParam, event.LParam);
        }
        if (ctl) {
            if (receiver->IsFlagSet(wfAlias) || id == 0)
                return receiver->DefWindowProcA(msg, event.WParam, event.LParam);
            TEventInfo info(code, id);
            if (receiver->Find(info, EqualNotify))
                return receiver->Dispatch(info, info.Entry->Msg ? code : id, event.LParam);
            w = receiver;
        } else {
            TWindow *next = w->Parent ? w->Parent : receiver;
            TEventInfo info(0, id);
            if (next->Find(info))
                return next->Dispatch(info, info.Entry->Msg ? code : id, event.LParam);
            w = next;
        }
    }
}

void TWindow::EvCommandEnable(TCommandEnabler &ce) { DispatchMsg(0x7FFF, ce.GetId(), 0, (LPARAM)&ce); }

void TWindow::RouteCommandEnable(HWND hWnd, TCommandEnabler &ce) {
    if (ce.IsReceiver(HWindow)) {
        for (HWND h = hWnd; h && h != HWindow; h = ::GetParent(h)) {
            if (TWindow *w = GetWindowPtr(h)) {
                w->EvCommandEnable(ce);
                if (ce.GetHandled())
                    return;
            }
        }
    }
    TWindow::EvCommandEnable(ce);  // the own tables; derived versions route here
    if (!ce.IsReceiver(HWindow) || ce.GetHandled() || !ce.SendsCommand())
        return;
    bool found = false;
    for (HWND h = hWnd; h && !found; h = h == HWindow ? 0 : ::GetParent(h)) {
        if (TWindow *w = GetWindowPtr(h)) {
            TEventInfo info(0, ce.GetId());
            found = w->Find(info) != 0;
        }
    }
    if (!found && hWnd != HWindow) {
        TEventInfo info(0, ce.GetId());
        found = Find(info) != 0;
    }
    if (!found && Application) {
        TEventInfo enabler(0x7FFF, ce.GetId());
        if (Application->Find(enabler)) {
            Application->Dispatch(enabler, 0, (LPARAM)&ce);
            if (ce.GetHandled())
                return;
        }
        TEventInfo command(0, ce.GetId());
        found = Application->Find(command) != 0;
    }
    ce.Enable(found);
}

LRESULT TWindow::ForwardMessage(int send) {
    TCurrentEvent &e = Application->GetCurrentEvent();
    if (send)
        return HandleMessage(e.Message, e.WParam, e.LParam);
    return ::PostMessageA(HWindow, e.Message, e.WParam, e.LParam);
}

LRESULT TWindow::ForwardMessage(HWND hwnd, int send) {
    if (!hwnd)
        return 0;
    TCurrentEvent &e = Application->GetCurrentEvent();
    if (send)
        return ::SendMessageA(hwnd, e.Message, e.WParam, e.LParam);
    return ::PostMessageA(hwnd, e.Message, e.WParam, e.LParam);
}

// ---- closing

int TWindow::CanClose() {
    for (TWindow *child = GetFirstChild(), *next; child; child = next) {
        next = child == ChildList ? 0 : child->SiblingList;
        if (child->HWindow && !child->CanClose())
            return 0;
    }
    return 1;
}

void TWindow::CloseWindow(int retVal) {
    bool ok = IsFlagSet(wfMainWindow) && Application ? Application->CanClose() : CanClose();
    if (ok)
        Destroy(retVal);
}

int TWindow::Destroy(int retVal) {
    if (!HWindow)
        return 0;
    for (TWindow *child = GetFirstChild(), *next; child; child = next) {
        next = child == ChildList ? 0 : child->SiblingList;
        if (child->HWindow)
            child->EnableAutoCreate();
    }
    if (IsFlagSet(wfModal)) {
        ClearFlag(wfModal);
        if (Application)
            Application->EndModal(retVal);
        if (Parent && Parent->HWindow)
            ::SetFocus(Parent->HWindow);
    }
    if (::DestroyWindow(HWindow)) {
        HWindow = 0;
        return 1;
    }
    return 0;
}

void TWindow::ShutDownWindow(TWindow *win, int retVal) {
    win->Destroy(retVal);
    delete win;
}

void TWindow::DetachHandle() {
    HWindow = 0;
    ClearFlag(wfFullyCreated);
    SetFlag(wfDetached);
}

int TWindow::MessageBoxA(char const *text, char const *caption, uint type) {
    return Application ? Application->MessageBoxA(HWindow, text, caption, type)
                       : ShowMessageBox(HWindow, text, caption, type);
}

// ---- menu item enabling

TMenuItemEnabler::TMenuItemEnabler(HMENU menu, uint id, HWND receiver, int position)
    : TCommandEnabler(id, receiver), HMenu(menu), Position(position) {
    if (::GetMenuItemID(menu, position) == 0xFFFFFFFF)  // a popup sends no command
        Flags |= NonSender;
}

void TMenuItemEnabler::Enable(int enable) {
    TCommandEnabler::Enable(enable);
    ::EnableMenuItem(HMenu, Position, MF_BYPOSITION | (enable ? MF_ENABLED : MF_GRAYED));
}

void TMenuItemEnabler::SetText(char const *text) {
    ::ModifyMenuA(HMenu, Position, MF_BYPOSITION | MF_STRING, GetId(), text);
}

void TMenuItemEnabler::SetCheck(int state) {
    ::CheckMenuItem(HMenu, Position, MF_BYPOSITION | (state == Checked ? MF_CHECKED : MF_UNCHECKED));
}
