// The window object's services beside the message path: children, idle walk,
// attributes before and after creation, scrolling, transfer and the default handlers.
#include "core/Window.h"

#include "core/Application.h"
#include "core/Menu.h"
#include "core/Scroller.h"

#include <cstring>

// ---- children: a ring through the next-sibling pointers, the parent holding the last

void TWindow::AddChild(TWindow *child) {
    if (!child)
        return;
    if (ChildList) {
        child->SiblingList = ChildList->SiblingList;
        ChildList->SiblingList = child;
    } else {
        child->SiblingList = child;
    }
    ChildList = child;
}

void TWindow::RemoveChild(TWindow *child) {
    if (!child || !ChildList)
        return;
    TWindow *prev = ChildList;
    do {
        if (prev->SiblingList == child) {
            if (prev == child) {
                ChildList = 0;  // the only child
            } else {
                prev->SiblingList = child->SiblingList;
                if (ChildList == child)
                    ChildList = prev;
            }
            child->SiblingList = 0;
            return;
        }
        prev = prev->SiblingList;
    } while (prev != ChildList);
}

TWindow *TWindow::Previous() const {
    if (!SiblingList || SiblingList == this)
        return 0;
    TWindow const *w = this;
    while (w->SiblingList != this)
        w = w->SiblingList;
    return const_cast<TWindow *>(w);
}

TWindow *TWindow::FirstThat(TCondFunc test, void *arg) const {
    for (TWindow *child = GetFirstChild(), *next; child; child = next) {
        next = child == ChildList ? 0 : child->SiblingList;
        if (test(child, arg))
            return child;
    }
    return 0;
}

void TWindow::ForEach(TActionFunc action, void *arg) {
    for (TWindow *child = GetFirstChild(), *next; child; child = next) {
        // fetched first: the action may remove the child
        next = child == ChildList ? 0 : child->SiblingList;
        action(child, arg);
    }
}

int TWindow::IndexOf(TWindow *w) const {
    int i = 0;
    for (TWindow *child = GetFirstChild(); child; child = child == ChildList ? 0 : child->SiblingList, i++)
        if (child == w)
            return i;
    return -1;
}

TWindow *TWindow::At(int index) const {
    if (index < 0)
        return 0;
    for (TWindow *child = GetFirstChild(); child; child = child == ChildList ? 0 : child->SiblingList)
        if (index-- == 0)
            return child;
    return 0;
}

int TWindow::NumChildren() const { return ChildList ? IndexOf(ChildList) + 1 : 0; }

TWindow *TWindow::ChildWithId(int id) const {
    for (TWindow *child = GetFirstChild(); child; child = child == ChildList ? 0 : child->SiblingList)
        if (child->Attr.Id == id)
            return child;
    return 0;
}

int TWindow::CreateChildren() {
    for (TWindow *child = GetFirstChild(), *next; child; child = next) {
        next = child == ChildList ? 0 : child->SiblingList;
        if (!child->HWindow && child->IsFlagSet(wfAutoCreate)) {
            if (!child->Create())
                TXWindow::Raise(child, IDS_CHILDCREATEFAIL);
            if (child->HWindow && ::IsIconic(child->HWindow)) {
                // so that the icon title is drawn
                int length = ::GetWindowTextLengthA(child->HWindow);
                TAPointer<char> text(new char[length + 1]);
                ::GetWindowTextA(child->HWindow, text, length + 1);
                ::SetWindowTextA(child->HWindow, text);
            }
        }
    }
    int n = NumChildren();
    HWND above = HWND_TOP;
    for (int z = n; z >= 1; z--) {
        for (TWindow *child = GetFirstChild(); child; child = child == ChildList ? 0 : child->SiblingList) {
            if (child->ZOrder == z && child->HWindow) {
                ::SetWindowPos(child->HWindow, above, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
                above = child->HWindow;
            }
        }
    }
    return 1;
}

void TWindow::AssignZOrder() {
    if (!HWindow)
        return;
    HWND top = ::GetWindow(HWindow, GW_CHILD);
    if (!top)
        return;
    short z = 1;
    for (HWND h = ::GetWindow(top, GW_HWNDLAST); h; h = ::GetWindow(h, GW_HWNDPREV))
        if (TWindow *w = GetWindowPtr(h))
            w->ZOrder = z++;
}

void TWindow::SetParent(TWindow *newParent) {
    if (Parent != newParent) {
        if (Parent)
            Parent->RemoveChild(this);
        SiblingList = 0;
        Parent = newParent;
        if (Parent)
            Parent->AddChild(this);
    }
    if (HWindow && (!newParent || newParent->HWindow)) {
        HWND target = newParent ? newParent->HWindow : 0;
        if (::GetParent(HWindow) != target)
            ::SetParent(HWindow, target);
    }
}

void TWindow::ChildBroadcastMessage(uint msg, WPARAM wp, LPARAM lp) {
    for (HWND h = ::GetWindow(HWindow, GW_CHILD), next; h; h = next) {
        next = ::GetWindow(h, GW_HWNDNEXT);
        ::SendMessageA(h, msg, wp, lp);
    }
}

int TWindow::SetDocTitle(char const *title, int index) { return Parent ? Parent->SetDocTitle(title, index) : 0; }

// ---- idle and pre-translation

int TWindow::IdleAction(long idleCount) {
    int more = 0;
    for (TWindow *child = GetFirstChild(), *next; child; child = next) {
        next = child == ChildList ? 0 : child->SiblingList;
        if (idleCount == 0 || child->IsFlagSet(wfWantsMoreIdle)) {
            if (child->IdleAction(idleCount)) {
                child->SetFlag(wfWantsMoreIdle);
                more = 1;
            } else {
                child->ClearFlag(wfWantsMoreIdle);
            }
        }
    }
    return more;
}

int TWindow::PreProcessMsg(MSG &msg) { return HAccel ? ::TranslateAcceleratorA(HWindow, HAccel, &msg) : 0; }

int TWindow::HoldFocusHWnd(HWND, HWND) { return 0; }

void TWindow::SetAcceleratorTable(TResId id) {
    Attr.AccelTable = id;
    HAccel = HWindow && CommonModule ? CommonModule->LoadAcceleratorsA(id) : 0;
}

// ---- text and state

void TWindow::SetCaption(char const *title) {
    if (title != Title) {
        char *copy = IS_INTRESOURCE(title) ? (char *)title : strnewdup(title);
        if (!IS_INTRESOURCE(Title))
            delete[] Title;
        Title = copy;
    }
    if (HWindow && !IS_INTRESOURCE(Title))
        ::SetWindowTextA(HWindow, Title);
}

void TWindow::GetWindowTextTitle() {
    if (Title && IS_INTRESOURCE(Title))  // a resource identifier stays
        return;
    int length = ::GetWindowTextLengthA(HWindow);
    char *text = new char[length > 0 ? length + 1 : 1];
    text[0] = 0;
    if (length > 0)
        ::GetWindowTextA(HWindow, text, length + 1);
    if (!IS_INTRESOURCE(Title))
        delete[] Title;
    Title = text;
}

void TWindow::GetHWndState(int forceStyles) {
    if (IsFlagSet(wfFromResource) || forceStyles) {
        Attr.Style = ::GetWindowLongA(HWindow, GWL_STYLE);
        Attr.ExStyle = ::GetWindowLongA(HWindow, GWL_EXSTYLE);
    }
    RECT r;
    ::GetWindowRect(HWindow, &r);
    Attr.W = r.right - r.left;
    Attr.H = r.bottom - r.top;
    POINT p = {r.left, r.top};
    HWND parent = ::GetParent(HWindow);
    if ((Attr.Style & WS_CHILD) && parent)
        ::ScreenToClient(parent, &p);
    Attr.X = p.x;
    Attr.Y = p.y;
    Attr.Id = ::GetDlgCtrlID(HWindow);
}

// ---- styles and geometry: attributes until the window exists

uint32_t TWindow::GetStyle() const { return HWindow ? ::GetWindowLongA(HWindow, GWL_STYLE) : Attr.Style; }

uint32_t TWindow::SetStyle(uint32_t style) {
    uint32_t old = GetStyle();
    Attr.Style = style;
    if (HWindow)
        ::SetWindowLongA(HWindow, GWL_STYLE, style);
    return old;
}

uint32_t TWindow::GetExStyle() const { return HWindow ? ::GetWindowLongA(HWindow, GWL_EXSTYLE) : Attr.ExStyle; }

uint32_t TWindow::SetExStyle(uint32_t style) {
    uint32_t old = GetExStyle();
    Attr.ExStyle = style;
    if (HWindow)
        ::SetWindowLongA(HWindow, GWL_EXSTYLE, style);
    return old;
}

int TWindow::ModifyStyle(uint32_t remove, uint32_t add, uint swpFlags) {
    uint32_t old = GetStyle(), style = (old & ~remove) | add;
    if (style == old)
        return 0;
    SetStyle(style);
    if (swpFlags && HWindow)
        SetWindowPos(0, 0, 0, 0, 0, swpFlags | SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    return 1;
}

int TWindow::ModifyExStyle(uint32_t remove, uint32_t add, uint swpFlags) {
    uint32_t old = GetExStyle(), style = (old & ~remove) | add;
    if (style == old)
        return 0;
    SetExStyle(style);
    if (swpFlags)
        SetWindowPos(0, 0, 0, 0, 0, swpFlags | SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    return 1;
}

void TWindow::GetWindowRect(TRect &rect) const {
    if (HWindow)
        ::GetWindowRect(HWindow, &rect);
    else
        rect.SetWH(Attr.X, Attr.Y, Attr.W, Attr.H);
}

void TWindow::GetClientRect(TRect &rect) const {
    if (HWindow)
        ::GetClientRect(HWindow, &rect);
    else
        rect.Set(0, 0, Attr.W, Attr.H);
}

int TWindow::SetWindowPos(HWND after, int x, int y, int w, int h, uint flags) {
    if (HWindow)
        return ::SetWindowPos(HWindow, after, x, y, w, h, flags);
    if (!(flags & SWP_NOMOVE))
        Attr.X = x, Attr.Y = y;
    if (!(flags & SWP_NOSIZE))
        Attr.W = w, Attr.H = h;
    if (flags & SWP_SHOWWINDOW)
        Attr.Style |= WS_VISIBLE;
    else if (flags & SWP_HIDEWINDOW)
        Attr.Style &= ~WS_VISIBLE;
    return 1;
}

int TWindow::ShowWindow(int cmdShow) {
    if (HWindow) {
        if (cmdShow == SW_MINIMIZE)  // so that handlers see it
            return HandleMessage(WM_SYSCOMMAND, SC_MINIMIZE, 0);
        return ::ShowWindow(HWindow, cmdShow);
    }
    switch (cmdShow) {
    case SW_HIDE: Attr.Style &= ~WS_VISIBLE; break;
    case SW_SHOWNORMAL:
    case SW_RESTORE: Attr.Style = (Attr.Style | WS_VISIBLE) & ~(WS_MINIMIZE | WS_MAXIMIZE); break;
    case SW_SHOWMINIMIZED:
    case SW_MINIMIZE:
    case SW_SHOWMINNOACTIVE: Attr.Style |= WS_VISIBLE | WS_MINIMIZE; break;
    case SW_SHOWMAXIMIZED: Attr.Style |= WS_VISIBLE | WS_MAXIMIZE; break;
    case SW_SHOWNOACTIVATE:
    case SW_SHOW:
    case SW_SHOWNA: Attr.Style |= WS_VISIBLE; break;
    default: break;
    }
    return 1;
}

int TWindow::SetCursor(TModule *module, TResId resId) {
    if (module == CursorModule && resId == CursorResId)
        return 0;
    HCURSOR old = HCursor;
    bool oldLoaded = CursorModule != 0;
    CursorModule = module;
    CursorResId = resId;
    HCursor = module ? module->LoadCursorA(resId) : ::LoadCursorA(0, resId);
    if (HWindow && HCursor)
        ::SetCursor(HCursor);
    if (old && oldLoaded)
        ::DestroyCursor(old);
    return 1;
}

void TWindow::SetScroller(TScroller *scroller) {
    if (scroller != Scroller)
        delete Scroller;
    Scroller = scroller;
}

void TWindow::AssignContextMenu(TPopupMenu *menu) {
    if (menu != ContextPopupMenu)
        delete ContextPopupMenu;
    ContextPopupMenu = menu;
}

// ---- scrolling

int TWindow::GetScrollPos(int bar) const {
    SCROLLINFO si = {sizeof si, SIF_POS};
    ::GetScrollInfo(HWindow, bar, &si);
    return si.nPos;
}

int TWindow::SetScrollPos(int bar, int pos, bool redraw) {
    int old = GetScrollPos(bar);
    SCROLLINFO si = {sizeof si, SIF_POS};
    si.nPos = pos;
    ::SetScrollInfo(HWindow, bar, &si, redraw);
    return old;
}

void TWindow::GetScrollRange(int bar, int &minPos, int &maxPos) const {
    SCROLLINFO si = {sizeof si, SIF_RANGE};
    ::GetScrollInfo(HWindow, bar, &si);
    minPos = si.nMin;
    maxPos = si.nMax;
}

void TWindow::SetScrollRange(int bar, int minPos, int maxPos, bool redraw) {
    SCROLLINFO si = {sizeof si, SIF_RANGE};
    si.nMin = minPos;
    si.nMax = maxPos;
    ::SetScrollInfo(HWindow, bar, &si, redraw);
}

uint TWindow::GetScrollPage(int bar) const {
    SCROLLINFO si = {sizeof si, SIF_PAGE};
    ::GetScrollInfo(HWindow, bar, &si);
    return si.nPage;
}

void TWindow::SetScrollPage(int bar, uint page, bool redraw) {
    SCROLLINFO si = {sizeof si, SIF_PAGE};
    si.nPage = page;
    ::SetScrollInfo(HWindow, bar, &si, redraw);
}

// ---- transfer

uint TWindow::Transfer(void *buffer, TTransferDirection direction) {
    if (!buffer)
        return 0;
    char *pos = (char *)buffer;
    for (TWindow *child = GetFirstChild(); child; child = child == ChildList ? 0 : child->SiblingList)
        if (child->IsFlagSet(wfTransfer))
            pos += child->Transfer(pos, direction);
    return uint(pos - (char *)buffer);
}

uint TWindow::TransferData(TTransferDirection direction) {
    return TransferBuffer ? Transfer(TransferBuffer, direction) : 0;
}

// ---- default handlers

int TWindow::EvSetCursor(HWND hWndCursor, uint hitTest, uint) {
    if (hWndCursor == HWindow && hitTest == HTCLIENT && HCursor) {
        ::SetCursor(HCursor);
        return 1;
    }
    return (int)DefaultProcessing();
}

void TWindow::EvSize(uint sizeType, TSize &) {
    static bool updating;  // the scroller's update may resize the window again
    if (Scroller && !updating && sizeType != SIZE_MINIMIZED) {
        struct TUpdating {  // cleared also when the update fails
            TUpdating() { updating = true; }
            ~TUpdating() { updating = false; }
        } scope;
        Scroller->SetPageSize();
        Scroller->SetSBarRange();
    }
    if (sizeType == SIZE_RESTORED) {
        RECT r;
        ::GetWindowRect(HWindow, &r);
        Attr.W = r.right - r.left;
        Attr.H = r.bottom - r.top;
    }
    if (Parent && !(GetExStyle() & WS_EX_NOPARENTNOTIFY))
        Parent->SendMessageA(WM_PARENTNOTIFY, WM_SIZE, (LPARAM)HWindow);
    DefaultProcessing();
}

void TWindow::EvMove(TPoint &) {
    if (!::IsIconic(HWindow) && !::IsZoomed(HWindow)) {
        RECT r;
        ::GetWindowRect(HWindow, &r);
        POINT p = {r.left, r.top};
        if ((GetStyle() & WS_CHILD) && ::GetParent(HWindow))
            ::ScreenToClient(::GetParent(HWindow), &p);
        Attr.X = p.x;
        Attr.Y = p.y;
    }
    DefaultProcessing();
}

namespace {
// The object of the control an owner-draw record names, unless it is the window itself.
TWindow *ItemTarget(TWindow *self, HWND ctl) {
    TWindow *w = ctl ? self->GetWindowPtr(ctl) : 0;
    return w && w != self ? w : 0;
}
}  // namespace

LRESULT TWindow::EvCompareItem(WPARAM, LPARAM info) {
    if (TWindow *w = ItemTarget(this, ((COMPAREITEMSTRUCT *)info)->hwndItem))
        return w->ForwardMessage(w->HWindow, 1);
    return DefaultProcessing();
}

void TWindow::EvDeleteItem(WPARAM, LPARAM info) {
    if (TWindow *w = ItemTarget(this, ((DELETEITEMSTRUCT *)info)->hwndItem))
        w->ForwardMessage(w->HWindow, 1);
    else
        DefaultProcessing();
}

void TWindow::EvDrawItem(WPARAM, LPARAM info) {
    DRAWITEMSTRUCT *d = (DRAWITEMSTRUCT *)info;
    if (d->CtlType != ODT_MENU)
        if (TWindow *w = ItemTarget(this, d->hwndItem)) {
            w->ForwardMessage(w->HWindow, 1);
            return;
        }
    DefaultProcessing();
}

void TWindow::EvMeasureItem(WPARAM ctrlId, LPARAM info) {
    MEASUREITEMSTRUCT *m = (MEASUREITEMSTRUCT *)info;
    TWindow *target = 0;
    if (m->CtlType != ODT_MENU && ctrlId) {
        target = GetWindowPtr(::GetDlgItem(HWindow, ctrlId));
        if (!target) {
            // the control is still being created and has no object yet
            TWindow *creating = GetCreationWindow();
            target = creating && creating != this ? creating : ChildWithId(ctrlId);
        }
    }
    if (target)
        target->HandleMessage(WM_MEASUREITEM, ctrlId, info);
    else
        DefaultProcessing();
}

void TWindow::DispatchScroll(uint scrollCode, uint, HWND hWndCtl) {
    if (!hWndCtl) {
        DefaultProcessing();
        return;
    }
    TCurrentEvent &e = Application->GetCurrentEvent();
    if (TWindow *ctl = GetWindowPtr(hWndCtl))
        ctl->SendMessageA(e.Message, e.WParam, e.LParam);
    int id = ::GetDlgCtrlID(hWndCtl);
    e.Message = WM_COMMAND;
    e.WParam = MAKEWPARAM(id, scrollCode);
    e.LParam = (LPARAM)hWndCtl;
    EvCommand(id, hWndCtl, scrollCode);
}

namespace {
// A window's own scroll bar moves its scroller (default processing without one); false
// for a bar of a control.
bool ScrollOwnBar(TWindow &w, DWORD barStyle, void (TScroller::*scroll)(unsigned, int), uint code, uint pos) {
    if (!(w.GetStyle() & barStyle))
        return false;
    if (w.Scroller)
        (w.Scroller->*scroll)(code, pos);
    else
        w.DefaultProcessing();
    return true;
}
}  // namespace

void TWindow::EvVScroll(uint scrollCode, uint thumbPos, HWND hWndCtl) {
    if (!ScrollOwnBar(*this, WS_VSCROLL, &TScroller::VScroll, scrollCode, thumbPos))
        DispatchScroll(scrollCode, thumbPos, hWndCtl);
}

void TWindow::EvHScroll(uint scrollCode, uint thumbPos, HWND hWndCtl) {
    if (!ScrollOwnBar(*this, WS_HSCROLL, &TScroller::HScroll, scrollCode, thumbPos))
        DispatchScroll(scrollCode, thumbPos, hWndCtl);
}

void TWindow::EvChildInvalid(WPARAM hWnd) { ::SendMessageA((HWND)hWnd, 0x7FFE, 0, 0); }

void TWindow::EvLButtonDown(uint, TPoint &) {
    if (Scroller && Scroller->IsAutoMode()) {
        HWND self = HWindow;
        ::SetCapture(self);
        // ends on button-up, on loss of capture, or when the window is gone
        for (bool done = false; !done && ::IsWindow(self) && ::GetCapture() == self;) {
            MSG msg;
            if (!::PeekMessageA(&msg, 0, 0, 0, PM_REMOVE)) {
                ::WaitMessage();
                continue;
            }
            if (msg.message == WM_QUIT) {
                ::PostQuitMessage((int)msg.wParam);
                break;
            }
            done = msg.message == WM_LBUTTONUP || msg.message == WM_CAPTURECHANGED ||
                   (msg.message == WM_MOUSEMOVE && !(msg.wParam & MK_LBUTTON));
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
            if (::IsWindow(self) && HWindow == self && Scroller)
                Scroller->AutoScroll();
        }
        if (::GetCapture() == self)
            ::ReleaseCapture();
        if (!::IsWindow(self))
            return;
    }
    DefaultProcessing();
}

void TWindow::EvKillFocus(WPARAM hWndGetFocus) {
    if (IsFlagSet(wfFullyCreated))
        for (TWindow *p = Parent; p; p = p->Parent)
            if (p->HoldFocusHWnd(HWindow, (HWND)hWndGetFocus))
                break;
    DefaultProcessing();
}

LRESULT TWindow::EvWin32CtlColor(WPARAM wp, LPARAM lp) {
    TCurrentEvent &e = Application->GetCurrentEvent();
    TEventInfo info(WM_CTLCOLOR);
    if (Find(info) && info.Entry->Dispatcher == &CtlColor_Dispatch) {
        auto handler = (CtlColor_Handler)info.Entry->Handler;
        return (LRESULT)handler(*info.Object, (HDC)wp, (HWND)lp, e.Message - WM_CTLCOLORMSGBOX);
    }
    return DefWindowProcA(e.Message, wp, lp);
}

int TWindow::EvCreate(LPARAM) {
    SetupWindow();
    SetFlag(wfFullyCreated);
    return (int)DefaultProcessing();
}

void TWindow::EvClose() {
    if (IsFlagSet(wfAlias)) {
        DefaultProcessing();
        return;
    }
    CloseWindow(0);
    if (!HWindow && IsFlagSet(wfDeleteOnClose) && Application)
        Application->Condemn(this);
}

void TWindow::EvDestroy() {
    ClearFlag(wfFullyCreated);
    CleanupWindow();
    if (IsFlagSet(wfMainWindow) && !IsFlagSet(wfAlias) && Application && Application->IsRunning())
        ::PostQuitMessage(0);
    DefaultProcessing();
}

void TWindow::EvNCDestroy() {
    DefaultProcessing();
    HWindow = 0;
}

int TWindow::EvQueryEndSession() {
    if (IsFlagSet(wfAlias))
        return (int)DefaultProcessing();
    return IsFlagSet(wfMainWindow) && Application ? Application->CanClose() : CanClose();
}

void TWindow::EvEndSession(int, int) { DefaultProcessing(); }

void TWindow::EvSysColorChange() {
    ChildBroadcastMessage(WM_SYSCOLORCHANGE);
    DefaultProcessing();
}

void TWindow::EvInitMenuPopup(HMENU hPopupMenu, uint, int sysMenu) {
    HMENU popup = hPopupMenu;
    if (IsFlagSet(wfAlias) || sysMenu || !popup) {
        DefaultProcessing();
        return;
    }
    int count = ::GetMenuItemCount(popup);
    for (int i = 0; i < count; i++) {
        uint id = ::GetMenuItemID(popup, i);
        // separators and submenus have no command of their own
        if (id == 0 || id == 0xFFFF || id == 0xFFFFFFFF)
            continue;
        if (id == 32001 || id > 0xF000)
            break;
        TMenuItemEnabler enabler(popup, id, HWindow, i);
        EvCommandEnable(enabler);
    }
}

void TWindow::EvContextMenu(HWND, uint x, uint y) {
    if (ContextPopupMenu)
        ContextPopupMenu->TrackPopupMenu(TPM_RIGHTBUTTON, (short)x, (short)y, 0, HWindow);
    else
        DefaultProcessing();
}

void TWindow::EvEnterIdle(uint source, HWND hWndDlg) {
    if (source == MSGF_DIALOGBOX) {
        if (IsFlagSet(wfMainWindow))
            IdleAction(0);
        else if (TWindow *dlg = GetWindowPtr(hWndDlg))
            dlg->IdleAction(0);
    }
    DefaultProcessing();
}

// ---- the table

DEFINE_RESPONSE_TABLE(TWindow)
    EV_WM_SETCURSOR,
    EV_WM_SIZE,
    EV_WM_MOVE,
    EV_WM_COMPAREITEM,
    EV_WM_DELETEITEM,
    EV_WM_DRAWITEM,
    EV_WM_MEASUREITEM,
    EV_WM_VSCROLL,
    EV_WM_HSCROLL,
    EV_MESSAGE(0x7FFE, EvChildInvalid, v_WPARAM),
    EV_WM_ERASEBKGND,
    EV_MESSAGE(WM_CTLCOLOR, EvCtlColor, CtlColor),
    EV_WM_PAINT,
    EV_WM_LBUTTONDOWN,
    EV_WM_KILLFOCUS,
    EV_MESSAGE(WM_CTLCOLORMSGBOX, EvWin32CtlColor, I32_WPARAM_LPARAM),
    EV_MESSAGE(WM_CTLCOLOREDIT, EvWin32CtlColor, I32_WPARAM_LPARAM),
    EV_MESSAGE(WM_CTLCOLORLISTBOX, EvWin32CtlColor, I32_WPARAM_LPARAM),
    EV_MESSAGE(WM_CTLCOLORBTN, EvWin32CtlColor, I32_WPARAM_LPARAM),
    EV_MESSAGE(WM_CTLCOLORDLG, EvWin32CtlColor, I32_WPARAM_LPARAM),
    EV_MESSAGE(WM_CTLCOLORSCROLLBAR, EvWin32CtlColor, I32_WPARAM_LPARAM),
    EV_MESSAGE(WM_CTLCOLORSTATIC, EvWin32CtlColor, I32_WPARAM_LPARAM),
    EV_WM_CREATE,
    EV_WM_CLOSE,
    EV_WM_DESTROY,
    EV_WM_NCDESTROY,
    EV_MESSAGE(WM_QUERYENDSESSION, EvQueryEndSession, B),
    EV_MESSAGE(WM_ENDSESSION, EvEndSession, v_B_B),
    EV_MESSAGE(WM_SYSCOLORCHANGE, EvSysColorChange, v),
    EV_MESSAGE(WM_INITMENUPOPUP, EvInitMenuPopup, v_InitMenuPopup),
    EV_MESSAGE(WM_CONTEXTMENU, EvContextMenu, v_ContextMenu),
    EV_MESSAGE(WM_ENTERIDLE, EvEnterIdle, v_EnterIdle),
END_RESPONSE_TABLE;
