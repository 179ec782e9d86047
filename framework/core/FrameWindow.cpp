#include "core/FrameWindow.h"

#include "core/Application.h"
#include "core/Dc.h"
#include "core/MenuDescr.h"

#include <cstdio>
#include <cstring>

DEFINE_RESPONSE_TABLE1(TFrameWindow, TWindow)
    EV_WM_PAINT,
    EV_WM_ERASEBKGND,
    EV_MESSAGE(WM_QUERYDRAGICON, EvQueryDragIcon, I32),
    EV_MESSAGE(WM_INITMENUPOPUP, EvInitMenuPopup, v_InitMenuPopup),
    EV_MESSAGE(WM_SETFOCUS, EvSetFocus, v_WPARAM),
    EV_WM_SIZE,
    EV_MESSAGE(WM_PARENTNOTIFY, EvParentNotify, v_ParentNotify),
    EV_MESSAGE(WM_QUERYNEWPALETTE, EvQueryNewPalette, B),
    EV_MESSAGE(WM_PALETTECHANGED, EvPaletteChanged, v_WPARAM),
END_RESPONSE_TABLE;

namespace {
// The application's main-window pointer, cleared when its frame goes.
struct TMainWindowAccess : TApplication {
    static TFrameWindow *TApplication::*Member() { return &TMainWindowAccess::MainWindow; }
};

unsigned const InitMenuEnabled = MF_GRAYED | MF_DISABLED;

// Which of the first 32 items of a menu bar are enabled.
unsigned long EnabledSet(HMENU menu) {
    unsigned long set = 0;
    int count = ::GetMenuItemCount(menu);
    for (int i = 0; i < count && i < 32; ++i)
        if (!(::GetMenuState(menu, i, MF_BYPOSITION) & InitMenuEnabled))
            set |= 1UL << i;
    return set;
}
}  // namespace

TFrameWindow::TFrameWindow() : IconResId(), IconSmResId() { Init(0); }

TFrameWindow::TFrameWindow(TWindow *parent, char const *title, TWindow *clientWnd, bool shrinkToClient,
                           TModule *module)
    : TWindow(parent, title, module) {
    // A class further down that does not name the virtual base still gets it set up.
    TWindow::Init(parent, title, module);
    IconResId = TResId();
    Init(clientWnd, shrinkToClient);
}

TFrameWindow::TFrameWindow(HWND hwnd, TModule *module) : TWindow(hwnd, module) { Init(0); }

void TFrameWindow::Init(TWindow *clientWnd, bool shrinkToClient) {
    if (IconResId)
        return;
    Attr.Style = WS_OVERLAPPEDWINDOW | WS_VISIBLE;
    Attr.X = Attr.W = CW_USEDEFAULT;
    if (clientWnd)
        Attr.Style |= WS_CLIPCHILDREN;
    if (shrinkToClient)
        SetFlag(wfShrinkToClient);
    Init(clientWnd);
}

void TFrameWindow::Init(TWindow *clientWnd) {
    KeyboardHandling = 0;
    HWndRestoreFocus = 0;
    DocTitleIndex = 0;
    MenuDescr = 0;
    MergeModule = 0;
    HIcon = HIconSm = 0;
    IconModule = IconSmModule = 0;
    IconResId = IconSmResId = TResId();
    MinimizedPos = TPoint(-1, -1);
    ClientWnd = clientWnd;
    if (ClientWnd) {
        ClientWnd->SetParent(this);
        ClientWnd->SetFlag(wfAutoCreate);
        SetBkgndColor(TColor::Transparent);
    }
}

TFrameWindow::~TFrameWindow() {
    if (IsFlagSet(wfMainWindow) && Application && Application->GetMainWindow() == this)
        Application->*TMainWindowAccess::Member() = 0;
    delete MenuDescr;
}

TModule *TFrameWindow::ResourceModule() const {
    return GetModule() ? GetModule() : static_cast<TModule *>(Application);
}

// ---- menus

int TFrameWindow::AssignMenu(TResId id) {
    // A textual identifier is kept as a copy of its own.
    if (id.IsString()) {
        MenuResName = (char const *)id;
        Attr.Menu = TResId(MenuResName.c_str());
    } else {
        Attr.Menu = id;
    }
    if (!HWindow)
        return 1;
    HMENU menu = ResourceModule() ? ResourceModule()->LoadMenuA(id) : 0;
    return menu && InstallMenu(menu);
}

int TFrameWindow::SetMenu(HMENU menu) {
    if (IsFlagSet(wfMainWindow) && Application)
        Application->PreProcessMenu(menu);
    return ::SetMenu(HWindow, menu);
}

HMENU TFrameWindow::BuildMenu() const {
    HMENU menu = ::CreateMenu();
    TMenu built(menu, NoAutoDelete);
    TMenu::DeepCopy(built, -1, *MenuDescr);
    return menu;
}

bool TFrameWindow::InstallMenu(HMENU menu) {
    HMENU old = GetMenu();
    if (!SetMenu(menu)) {
        ::DestroyMenu(menu);
        return false;
    }
    if (old && old != menu)
        ::DestroyMenu(old);
    return true;
}

void TFrameWindow::SetMenuDescr(TMenuDescr const &descr) {
    TMenuDescr *copy = new TMenuDescr(descr);
    delete MenuDescr;
    MenuDescr = copy;
    if (IsFlagSet(wfMainWindow) && HWindow)
        InstallMenu(BuildMenu());
}

int TFrameWindow::MergeMenu(TMenuDescr const &other) {
    if (!MenuDescr || !HWindow)
        return 0;
    MergeModule = other.GetModule();
    HMENU menu = ::CreateMenu();
    TMenu merged(menu, NoAutoDelete);
    MenuDescr->Merge(other, merged);
    return InstallMenu(menu);
}

int TFrameWindow::RestoreMenu() {
    if (!MenuDescr)
        return 0;
    if (!InstallMenu(BuildMenu()))
        return 0;  // a bar that could not be installed is not success
    MergeModule = 0;
    return 1;
}

// ---- icons

int TFrameWindow::SetIcon(TModule *module, TResId resId) {
    if (HIcon && IconModule)
        ::DestroyIcon(HIcon);
    HIcon = 0;
    IconModule = module;
    IconResId = resId;
    if (resId)
        HIcon = ::LoadIconA(module ? module->GetHandle() : 0, resId);
    if (HIcon && HWindow)
        SendMessageA(WM_SETICON, ICON_BIG, (LPARAM)HIcon);
    return 1;
}

int TFrameWindow::SetIconSm(TModule *module, TResId resId) {
    if (!TSystem::Has3dUI())
        return 0;
    if (HIconSm && IconSmModule)
        ::DestroyIcon(HIconSm);
    HIconSm = 0;
    IconSmModule = module;
    IconSmResId = resId;
    if (resId) {
        HINSTANCE instance = module ? module->GetHandle() : 0;
        HIconSm = (HICON)::LoadImageA(instance, resId, IMAGE_ICON, ::GetSystemMetrics(SM_CXSMICON),
                                      ::GetSystemMetrics(SM_CYSMICON), LR_DEFAULTCOLOR);
        if (!HIconSm)
            HIconSm = ::LoadIconA(instance, resId);
    }
    if (HIconSm && HWindow)
        SendMessageA(WM_SETICON, ICON_SMALL, (LPARAM)HIconSm);
    return 1;
}

HICON TFrameWindow::GetDefaultIcon() {
    static HICON icon = [] {
        // The class information gives the icon the system actually uses.
        WNDCLASSA wc = {};
        wc.lpfnWndProc = ::DefWindowProcA;
        wc.hInstance = ::GetModuleHandleA(0);
        wc.hIcon = ::LoadIconA(0, IDI_APPLICATION);
        wc.lpszClassName = "IconSnarfer";
        HICON found = 0;
        if (::RegisterClassA(&wc)) {
            WNDCLASSA back = {};
            if (::GetClassInfoA(wc.hInstance, "IconSnarfer", &back))
                found = back.hIcon;
            ::UnregisterClassA("IconSnarfer", wc.hInstance);
        }
        return found ? found : ::LoadIconA(0, IDI_APPLICATION);
    }();
    return icon;
}

// ---- client window

TWindow *TFrameWindow::GetClientWindow() { return ClientWnd; }

void TFrameWindow::RemoveChild(TWindow *child) {
    TWindow::RemoveChild(child);
    if (child && child == ClientWnd)
        ClientWnd = 0;
    if (child && child->HWindow && child->HWindow == HWndRestoreFocus)
        HWndRestoreFocus = 0;
}

TWindow *TFrameWindow::SetClientWindow(TWindow *client) {
    TWindow *previous = ClientWnd;
    if (previous) {
        HWND old = previous->HWindow;
        RemoveChild(previous);
        // The old client no longer stands in this frame's list; it must not reach
        // back to a frame that may be gone before it.
        previous->Parent = 0;
        if (old && old == HWndRestoreFocus)
            HWndRestoreFocus = 0;
    }
    ClientWnd = client;
    if (client) {
        client->SetParent(this);
        if (HWindow) {
            if (!client->HWindow)
                client->Create();
            client->ShowWindow(SW_SHOWNOACTIVATE);
        }
        SetBkgndColor(TColor::Transparent);
        ResizeClientWindow(1);
    } else {
        SetBkgndColor(TColor::None);
    }
    if (client && client->HWindow && HWindow && ::GetFocus() == HWindow) {
        client->SetFocus();
        HWndRestoreFocus = client->HWindow;
    }
    return previous;
}

int TFrameWindow::ResizeClientWindow(int repaint) {
    if (!ClientWnd)
        return 0;
    if (ClientWnd->IsFlagSet(wfShrinkToClient))
        return 1;  // a resize is already running
    ClientWnd->SetFlag(wfShrinkToClient);
    HWND client = ClientWnd->HWindow;
    int result = 0;
    if (HWindow && client) {
        TRect frameClient = GetClientRect();
        TSize frameSize = frameClient.Size();
        TRect outer;
        ::GetWindowRect(client, &outer);
        TSize clientSize = outer.Size();

        uint32_t style = ClientWnd->GetStyle(), exStyle = ClientWnd->GetExStyle();
        if ((style & 0x80440000) || (exStyle & 0x20101)) {
            if (IsFlagSet(wfShrinkToClient)) {
                // The client's size without its scroll bars.
                bool hadV = style & WS_VSCROLL, hadH = style & WS_HSCROLL;
                ::ShowScrollBar(client, SB_BOTH, FALSE);
                TRect inner;
                ::GetClientRect(client, &inner);
                bool widthChanged = inner.Width() != clientSize.cx, heightChanged = inner.Height() != clientSize.cy;
                clientSize = inner.Size();
                if (hadV && (widthChanged || !heightChanged))
                    ::ShowScrollBar(client, SB_VERT, TRUE);
                if (hadH && (heightChanged || !widthChanged))
                    ::ShowScrollBar(client, SB_HORZ, TRUE);
            }
            bool wasPopup = style & WS_POPUP;
            ClientWnd->SetStyle((style & ~0x80440000) | 0x50800000);
            if (wasPopup)
                ::SetParent(client, HWindow);
            ClientWnd->SetExStyle(exStyle & ~0x20101);
        }
        bool bordered = ClientWnd->GetStyle() & WS_BORDER;
        if (bordered) {
            TRect inner;
            ::GetClientRect(client, &inner);
            clientSize = inner.Size();
        }
        if (clientSize != frameSize) {
            if (IsFlagSet(wfShrinkToClient)) {
                TRect window = GetWindowRect();
                int w = window.Width() + clientSize.cx - frameSize.cx;
                int h = window.Height() + clientSize.cy - frameSize.cy;
                SetWindowPos(0, 0, 0, w, h, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | (repaint ? 0 : SWP_NOREDRAW));
                frameClient = GetClientRect();
            } else {
                result = 1;
            }
        }
        if (GetStyle() & WS_THICKFRAME)
            ClearFlag(wfShrinkToClient);
        int bx = bordered ? ::GetSystemMetrics(SM_CXBORDER) : 0;
        int by = bordered ? ::GetSystemMetrics(SM_CYBORDER) : 0;
        ::SetWindowPos(client, 0, frameClient.left - bx, frameClient.top - by, frameClient.Width() + 2 * bx,
                       frameClient.Height() + 2 * by, repaint ? 0x214 : 0x21C);
    }
    ClientWnd->ClearFlag(wfShrinkToClient);
    return result;
}

// ---- commands

HWND TFrameWindow::GetCommandTarget() {
    HWND focus = ::GetFocus();
    if (!focus)
        return HWindow;
    HWND client = ClientWnd ? ClientWnd->HWindow : 0;
    if (client && ::IsChild(client, focus))
        return focus;
    if (client)
        return client;
    if (IsInside(focus))
        return focus;
    if (HWndRestoreFocus)
        return HWndRestoreFocus;
    return HWindow;
}

LRESULT TFrameWindow::EvCommand(uint id, HWND hWndCtl, uint notifyCode) {
    if (!hWndCtl) {
        for (HWND h = GetCommandTarget(); h && h != HWindow; h = ::GetParent(h))
            if (TWindow *w = GetWindowPtr(h))
                return w->EvCommand(id, 0, notifyCode);
    }
    return TWindow::EvCommand(id, hWndCtl, notifyCode);
}

void TFrameWindow::EvCommandEnable(TCommandEnabler &ce) { RouteCommandEnable(GetCommandTarget(), ce); }

int TFrameWindow::SetDocTitle(char const *docName, int index) {
    if (index < 0)
        return 1;
    String caption;
    if (Title && !IS_INTRESOURCE(Title) && *Title) {
        caption = Title;
        caption.Append(" - ");
    }
    if (docName)
        caption.Append(docName);
    if (index >= 1) {
        caption.Append(":");
        caption.Append(String(index));
    }
    if (HWindow)
        ::SetWindowTextA(HWindow, caption.c_str());
    return 1;
}

// ---- messages

int TFrameWindow::PreProcessMsg(MSG &msg) {
    if (TWindow::PreProcessMsg(msg))
        return 1;
    // The keyboard messages of the old range: WM_UNICHAR stays out.
    if (KeyboardHandling && msg.message >= WM_KEYFIRST && msg.message <= 0x108) {
        HWND parent = ::GetParent(msg.hwnd);
        char name[17] = "";
        if (parent && ::GetClassNameA(parent, name, sizeof name) && _stricmp(name, "combobox") == 0)
            parent = ::GetParent(parent);
        if (parent && ::IsDialogMessageA(parent, &msg))
            return 1;
    }
    return 0;
}

int TFrameWindow::IdleAction(long idleCount) {
    if (idleCount == 0 && ::GetFocus() && HWindow && !(GetStyle() & WS_CHILD)) {
        HMENU bar = GetMenu();
        if (bar && ::IsMenu(bar))
            HandleMessage(WM_INITMENUPOPUP, (WPARAM)bar, 0);
    }
    return TWindow::IdleAction(idleCount);
}

void TFrameWindow::EvInitMenuPopup(HMENU hPopupMenu, uint index, int sysMenu) {
    HMENU popup = hPopupMenu;
    if (sysMenu || !popup || popup != GetMenu()) {
        TWindow::EvInitMenuPopup(hPopupMenu, index, sysMenu);
        return;
    }
    unsigned long before = EnabledSet(popup);
    TWindow::EvInitMenuPopup(hPopupMenu, index, sysMenu);
    if (EnabledSet(popup) != before)
        DrawMenuBar();
}

int TFrameWindow::HoldFocusHWnd(HWND lose, HWND gain) {
    if (IsInside(lose)) {
        if (!IsInside(gain))
            HWndRestoreFocus = lose;
        return 1;
    }
    return lose == HWindow;
}

void TFrameWindow::EvSetFocus(WPARAM) {
    DefaultProcessing();
    if (!HWndRestoreFocus) {
        HWND target = GetCommandTarget();
        if (IsInside(target))
            HWndRestoreFocus = target;
    }
    if (HWndRestoreFocus && ::IsWindow(HWndRestoreFocus))
        ::SetFocus(HWndRestoreFocus);
    else
        HWndRestoreFocus = 0;
}

void TFrameWindow::EvParentNotify(uint event, LPARAM childHandle, uint) {
    HWND child = (HWND)childHandle;
    if (event == WM_DESTROY) {
        if (ClientWnd && ClientWnd->HWindow && child == ClientWnd->HWindow)
            PostMessageA(WM_CLOSE);
        if (TWindow *w = GetWindowPtr(child))
            w->ClearFlag(wfFullyCreated);
    } else if (event == WM_SIZE) {
        if (IsFlagSet(wfShrinkToClient) && ClientWnd && child == ClientWnd->HWindow && !IsIconic())
            ResizeClientWindow(1);
    }
    DefaultProcessing();
}

void TFrameWindow::EvSize(uint sizeType, TSize &size) {
    TWindow::EvSize(sizeType, size);
    if (ClientWnd) {
        int sameSizeRefused = 0;
        if (sizeType != SIZE_MINIMIZED) {
            sameSizeRefused = ResizeClientWindow(1);
            if (ClientWnd->HWindow)
                size = ClientWnd->GetClientRect().Size();
        }
        if (!sameSizeRefused && ClientWnd->HWindow)
            ClientWnd->SendMessageA(WM_SIZE, sizeType, MAKELPARAM(size.cx, size.cy));
    }
    BroadcastResizeToChildren(sizeType, size);
}

void TFrameWindow::BroadcastResizeToChildren(uint sizeType, TSize &size) {
    if (sizeType <= SIZE_MAXIMIZED)
        ChildBroadcastMessage(32501, sizeType, (LPARAM)&size);
}

void TFrameWindow::EvPaint() {
    if (IsIconic() && (IconResId || ClientWnd)) {
        TPaintDC dc(HWindow);
        if (IconResId) {
            SendMessageA(WM_ICONERASEBKGND, (WPARAM)(HDC)dc);
            ::DrawIcon(dc, 0, 0, HIcon ? HIcon : GetDefaultIcon());
        } else {
            TRect &rect = *(TRect *)&dc.Ps.rcPaint;
            ClientWnd->Paint(dc, dc.Ps.fErase, rect);
        }
        return;
    }
    TWindow::EvPaint();
}

int TFrameWindow::EvEraseBkgnd(WPARAM hDC) {
    if (!IsIconic())
        return TWindow::EvEraseBkgnd(hDC);
    if (!IconResId && ClientWnd)
        return (int)ClientWnd->HandleMessage(WM_ERASEBKGND, hDC);
    HandleMessage(WM_ICONERASEBKGND, hDC);
    return 1;
}

LRESULT TFrameWindow::EvQueryDragIcon() {
    if (!IconResId)
        return DefaultProcessing();
    HICON icon = IconModule ? IconModule->LoadIconA(IconResId) : 0;
    return (LRESULT)(icon ? icon : GetDefaultIcon());
}

// The client gets the palette message itself, not the current event of its own
// application, which may be another message (a command whose modal dialog just closed).
int TFrameWindow::EvQueryNewPalette() {
    if (ClientWnd && ClientWnd->HWindow)
        return (int)::SendMessageA(ClientWnd->HWindow, WM_QUERYNEWPALETTE, 0, 0);
    return (int)DefaultProcessing();
}

void TFrameWindow::EvPaletteChanged(WPARAM changer) {
    if (ClientWnd && ClientWnd->HWindow)
        ::SendMessageA(ClientWnd->HWindow, WM_PALETTECHANGED, changer, 0);
    else
        DefaultProcessing();
}

// ---- life

void TFrameWindow::SetupWindow() {
    TWindow::SetupWindow();
    ResizeClientWindow(1);
    if (MinimizedPos.x != -1 || MinimizedPos.y != -1) {
        WINDOWPLACEMENT wp = {};
        wp.length = sizeof wp;
        GetWindowPlacement(&wp);
        wp.flags = WPF_SETMINPOSITION;
        wp.showCmd = SW_SHOWNA;
        wp.ptMinPosition = MinimizedPos;
        SetWindowPlacement(&wp);
    }
    if (IsFlagSet(wfMainWindow) && MenuDescr)
        InstallMenu(BuildMenu());
    if (!HWndRestoreFocus) {
        TWindow *first = FirstChildWithTab();
        HWndRestoreFocus = first ? first->HWindow : HWindow;
    }
    if (HIcon)
        SendMessageA(WM_SETICON, ICON_BIG, (LPARAM)HIcon);
    if (HIconSm)
        SendMessageA(WM_SETICON, ICON_SMALL, (LPARAM)HIconSm);
}

void TFrameWindow::CleanupWindow() {
    SetIcon(0, 0);
    SetIconSm(0, 0);
    TWindow::CleanupWindow();
}

namespace {
TWindow *FirstTabIn(TWindow *parent, TWindow **fallback) {
    for (TWindow *child = parent->GetFirstChild(); child; child = child == parent->GetLastChild() ? 0 : child->Next()) {
        HWND h = child->HWindow;
        if (!h || !::IsWindowVisible(h) || !::IsWindowEnabled(h))
            continue;
        if (!*fallback)
            *fallback = child;
        if (::GetWindowLongA(h, GWL_STYLE) & WS_TABSTOP)
            return child;
        if (TWindow *inner = FirstTabIn(child, fallback))
            return inner;
    }
    return 0;
}
}  // namespace

TWindow *TFrameWindow::FirstChildWithTab() {
    TWindow *fallback = 0;
    TWindow *found = FirstTabIn(this, &fallback);
    return found ? found : fallback;
}
