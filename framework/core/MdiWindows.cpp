#include "core/MdiWindows.h"

#include "core/Application.h"

#include "foundation/Exception.h"

#include <mmsystem.h>

#include <algorithm>
#include <cstring>
#include <typeinfo>

namespace {

const DWORD kChildStyle = 0x56CF0000;  // child, visible, clip-siblings, clip-children, overlapped window

}  // namespace

// ---- TMDIClient

TMDIClient::TMDIClient(TModule *module) : TWindow(0, 0, module), clientAttr_(new CLIENTCREATESTRUCT) {
    Attr.Id = IDW_MDICLIENT;
    Attr.Style |= WS_CHILD | WS_VISIBLE | 0x06B30001;
    if (TSystem::Has3dUI()) {
        Attr.Style &= ~WS_BORDER;
        Attr.ExStyle |= WS_EX_CLIENTEDGE;
    }
    clientAttr_->hWindowMenu = 0;
    clientAttr_->idFirstChild = IDW_FIRSTMDICHILD;
    Attr.Param = clientAttr_;
    SetFlag(wfMDIClientWindow);
}

TMDIClient::TMDIClient(HWND hwnd, TModule *module) : TWindow(hwnd, module), clientAttr_(0) {
    SetFlag(wfMDIClientWindow);
}

TMDIClient::~TMDIClient() { delete clientAttr_; }

void TMDIClient::SetClientAttr(CLIENTCREATESTRUCT *attr) {
    if (attr != clientAttr_)
        delete clientAttr_;
    clientAttr_ = attr;
    Attr.Param = attr;
}

int TMDIClient::Create() {
    if (TMDIFrame *frame = dynamic_cast<TMDIFrame *>(GetParentO()))
        if (clientAttr_)
            clientAttr_->hWindowMenu = TMDIFrame::FindChildMenu(frame->GetMenu());
    return TWindow::Create();
}

TMDIChild *TMDIClient::GetActiveMDIChild() {
    if (!GetHandle())
        return 0;
    HWND active = (HWND)SendMessageA(WM_MDIGETACTIVE);
    return dynamic_cast<TMDIChild *>(GetWindowPtr(active));
}

void TMDIClient::CmChildActionEnable(TCommandEnabler &ce) {
    bool any = false;
    for (TWindow *c = GetFirstChild(); c && !any; c = c == GetLastChild() ? 0 : c->Next())
        any = dynamic_cast<TMDIChild *>(c) != 0;
    ce.Enable(any);
}

int TMDIClient::CloseChildren() {
    for (TWindow *c = GetFirstChild(); c; c = c == GetLastChild() ? 0 : c->Next())
        if (dynamic_cast<TMDIChild *>(c) && !c->CanClose())
            return 0;
    for (TWindow *c = GetFirstChild(), *next; c; c = next) {
        next = c == GetLastChild() ? 0 : c->Next();
        if (dynamic_cast<TMDIChild *>(c)) {
            c->Destroy();
            delete c;
        }
    }
    return 1;
}

TMDIChild *TMDIClient::InitChild() { return new TMDIChild(*this); }

TMDIChild *TMDIClient::CreateChild() {
    TMDIChild *child = InitChild();
    if (!child)
        return 0;
    try {
        if (child->Create())
            return child;
    } catch (...) {
        delete child;
        throw;
    }
    delete child;
    return 0;
}

int TMDIClient::PreProcessMsg(MSG &msg) {
    if (msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN)
        return ::TranslateMDISysAccel(GetHandle(), &msg);
    return 0;
}

LRESULT TMDIClient::EvMDICreate(WPARAM, LPARAM lParam) {
    MDICREATESTRUCTA *cs = reinterpret_cast<MDICREATESTRUCTA *>(lParam);
    if ((GetStyle() & MDIS_ALLCHILDSTYLES) && cs->style == 0)
        cs->style = kChildStyle;
    bool maximize = (cs->style & WS_MAXIMIZE) != 0;
    if (maximize)
        cs->style &= 0xEEFFFFFF;
    HWND child = (HWND)DefaultProcessing();
    if (child && maximize) {
        SendMessageA(WM_MDIMAXIMIZE, (WPARAM)child);
        SendMessageA(WM_MDIREFRESHMENU);
    }
    return (LRESULT)child;
}

LRESULT TMDIClient::EvMDIDestroy(WPARAM destroyed, LPARAM) {
    // The system shows and enables the other children for a moment while it picks the
    // next active one; afterwards each is put back as it was.
    HWND gone = (HWND)destroyed;
    for (HWND h = ::GetWindow(GetHandle(), GW_CHILD); h; h = ::GetWindow(h, GW_HWNDNEXT)) {
        TWindow *w = GetWindowPtr(h);
        if (h == gone || !w)
            continue;
        if (!::IsWindowVisible(h)) {
            ::SetWindowPos(h, 0, 0, 0, 0, 0, 0x5F & ~SWP_HIDEWINDOW);
            w->SetFlag(wfUnhidden);
        }
        if (!::IsWindowEnabled(h)) {
            ::EnableWindow(h, TRUE);
            w->SetFlag(wfReenabled);
        }
    }
    LRESULT result = DefaultProcessing();
    for (HWND h = ::GetWindow(GetHandle(), GW_CHILD); h; h = ::GetWindow(h, GW_HWNDNEXT)) {
        TWindow *w = GetWindowPtr(h);
        if (!w)
            continue;
        if (w->IsFlagSet(wfUnhidden)) {
            w->ClearFlag(wfUnhidden);
            ::ShowWindow(h, SW_HIDE);
        }
        if (w->IsFlagSet(wfReenabled)) {
            w->ClearFlag(wfReenabled);
            ::EnableWindow(h, FALSE);
        }
    }
    SendMessageA(WM_MDIREFRESHMENU);
    return result;
}

void TMDIClient::EvDropFiles(WPARAM drop, LPARAM) {
    if (GetParentO())
        GetParentO()->HandleMessage(WM_DROPFILES, drop, 0);
}

DEFINE_RESPONSE_TABLE1(TMDIClient, TWindow)
    EV_COMMAND(CM_CREATECHILD, CmCreateChild),
    EV_COMMAND(CM_TILECHILDREN, CmTileChildren),
    EV_COMMAND(CM_TILECHILDRENHORIZ, CmTileChildrenHoriz),
    EV_COMMAND(CM_CASCADECHILDREN, CmCascadeChildren),
    EV_COMMAND(CM_ARRANGEICONS, CmArrangeIcons),
    EV_COMMAND(CM_CLOSECHILDREN, CmCloseChildren),
    EV_COMMAND_ENABLE(CM_TILECHILDREN, CmChildActionEnable),
    EV_COMMAND_ENABLE(CM_TILECHILDRENHORIZ, CmChildActionEnable),
    EV_COMMAND_ENABLE(CM_CASCADECHILDREN, CmChildActionEnable),
    EV_COMMAND_ENABLE(CM_ARRANGEICONS, CmChildActionEnable),
    EV_COMMAND_ENABLE(CM_CLOSECHILDREN, CmChildActionEnable),
    EV_MESSAGE(WM_MDICREATE, EvMDICreate, I32_WPARAM_LPARAM),
    EV_MESSAGE(WM_MDIDESTROY, EvMDIDestroy, I32_WPARAM_LPARAM),
    EV_MESSAGE(WM_DROPFILES, EvDropFiles, v_WPARAM_LPARAM),
END_RESPONSE_TABLE;

// ---- TMDIChild

TMDIChild::TMDIChild(TMDIClient &parent, char const *title, TWindow *clientWnd, bool shrinkToClient,
                     TModule *module)
    : TFrameWindow(&parent, title, clientWnd, shrinkToClient, module) {
    Attr.Style = kChildStyle;
    Attr.ExStyle |= WS_EX_MDICHILD;
    Attr.X = Attr.W = CW_USEDEFAULT;
}

TMDIChild::TMDIChild(HWND hwnd, TModule *module) : TFrameWindow(0, 0, 0, false, module) {
    Attr.Style = WS_CLIPSIBLINGS;
    Attr.ExStyle |= WS_EX_MDICHILD;
    (void)hwnd;
}

TMDIChild::~TMDIChild() {}

HWND TMDIChild::PerformCreate(HMENU) {
    MDICREATESTRUCTA cs;
    cs.szClass = GetClassNameA();
    cs.szTitle = IS_INTRESOURCE(GetTitle()) ? "" : GetTitle();
    cs.hOwner = (HINSTANCE)VeltraneLibraryModule().GetHandle();
    cs.x = Attr.X;
    cs.y = Attr.Y;
    cs.cx = Attr.W;
    cs.cy = Attr.H;
    cs.style = Attr.Style;
    cs.lParam = (LPARAM)Attr.Param;
    bool maximize = (cs.style & WS_MAXIMIZE) != 0;
    if (maximize)
        cs.style &= ~(WS_MAXIMIZE | WS_VISIBLE);
    TWindow *client = GetParentO();
    HWND hwnd = client ? (HWND)::SendMessageA(client->GetHandle(), WM_MDICREATE, 0, (LPARAM)&cs) : 0;
    if (hwnd && maximize) {
        ::SendMessageA(client->GetHandle(), WM_MDIACTIVATE, (WPARAM)hwnd, 0);
        ::SendMessageA(client->GetHandle(), WM_MDIMAXIMIZE, (WPARAM)hwnd, 0);
        ::SendMessageA(client->GetHandle(), WM_MDIREFRESHMENU, 0, 0);
    }
    return hwnd;
}

int TMDIChild::Destroy(int) {
    if (!GetHandle())
        return 0;
    for (TWindow *c = GetFirstChild(), *next; c; c = next) {
        next = c == GetLastChild() ? 0 : c->Next();
        if (c->GetHandle())
            c->Destroy();
    }
    HWND self = GetHandle();
    if (TWindow *client = GetParentO()) {
        ::SendMessageA(client->GetHandle(), WM_MDIDESTROY, (WPARAM)self, 0);
    } else if (!::DestroyWindow(self)) {
        return 0;
    }
    DetachHandle();
    return 1;
}

int TMDIChild::PreProcessMsg(MSG &msg) {
    if (TWindow *client = GetParentO())
        if (client->PreProcessMsg(msg))
            return 1;
    return TFrameWindow::PreProcessMsg(msg);
}

LRESULT TMDIChild::DefWindowProcA(uint msg, WPARAM wp, LPARAM lp) {
    if (IsFlagSet(wfAlias))
        return TFrameWindow::DefWindowProcA(msg, wp, lp);
    return ::DefMDIChildProcA(GetHandle(), msg, wp, lp);
}

int TMDIChild::ShowWindow(int cmdShow) {
    bool wasVisible = IsWindowVisible();
    int result = TFrameWindow::ShowWindow(cmdShow);
    if (wasVisible == IsWindowVisible())
        return result;
    TWindow *client = GetParentO();
    if (client && (HWND)client->SendMessageA(WM_MDIGETACTIVE) == GetHandle()) {
        if (IsWindowVisible())
            SendMessageA(WM_NCACTIVATE, TRUE);
        else
            client->SendMessageA(WM_MDINEXT, (WPARAM)GetHandle());
    }
    if (client)
        client->SendMessageA(WM_MDIREFRESHMENU);
    return result;
}

int TMDIChild::EnableWindow(int enable) {
    bool was = IsWindowEnabled();
    int result = ::EnableWindow(GetHandle(), enable);
    if (was == IsWindowEnabled())
        return result;
    TWindow *client = GetParentO();
    if (!enable && client && (HWND)client->SendMessageA(WM_MDIGETACTIVE) == GetHandle())
        client->SendMessageA(WM_MDINEXT, (WPARAM)GetHandle());
    if (client)
        client->SendMessageA(WM_MDIREFRESHMENU);
    return result;
}

HWND TMDIChild::GetCommandTarget() {
    HWND focus = ::GetFocus();
    if (!focus)
        return GetHandle();
    TWindow *client = GetClientWindow();
    if (client && client->GetHandle() && (focus == client->GetHandle() || ::IsChild(client->GetHandle(), focus)))
        return focus;
    return client && client->GetHandle() ? client->GetHandle() : GetHandle();
}

void TMDIChild::EvMDIActivate(HWND activated, HWND deactivated) {
    if (activated == GetHandle() && !::GetWindow(GetHandle(), GW_HWNDNEXT) && ::GetFocus() != GetHandle())
        SendMessageA(WM_SETFOCUS);
    if (TWindow *client = GetClientWindow())
        if (client->GetHandle())
            client->SendMessageA(WM_MDIACTIVATE, (WPARAM)deactivated, (LPARAM)activated);
    DefaultProcessing();
}

int TMDIChild::EvNCActivate(int) {
    if (IsFlagSet(wfUnhidden))
        return 0;
    return DefaultProcessing();
}

DEFINE_RESPONSE_TABLE1(TMDIChild, TFrameWindow)
    EV_MESSAGE(WM_MDIACTIVATE, EvMDIActivate, v_MdiActivate),
    EV_MESSAGE(WM_NCACTIVATE, EvNCActivate, B_B),
END_RESPONSE_TABLE;

// ---- TMDIFrame

TMDIFrame::TMDIFrame(char const *title, TResId menu, TMDIClient &client, TModule *module)
    : TWindow(0, title, module), TFrameWindow(0, title, &client, false, module) {
    // A class further down that does not name the virtual bases still gets them set up.
    TWindow::Init(0, title, module);
    if (ClientWnd != &client)
        TFrameWindow::Init(&client, false);
    if (menu)
        Attr.Menu = menu;
}

TMDIFrame::TMDIFrame(HWND frame, HWND client, TModule *module)
    : TWindow(0, 0, module), TFrameWindow(0, 0, 0, false, module) {
    (void)frame;
    ClientWnd = new TMDIClient(client, module);
    ClientWnd->SetParent(this);
}

HWND TMDIFrame::PerformCreate(HMENU menuOrId) {
    // An MDI frame must have a menu bar.
    HMENU menu = menuOrId && ::IsMenu(menuOrId) ? menuOrId : ::CreateMenu();
    return TFrameWindow::PerformCreate(menu);
}

void TMDIFrame::SetupWindow() {
    if (ClientWnd && !ClientWnd->GetHandle())
        ClientWnd->Create();
    TFrameWindow::SetupWindow();
}

LRESULT TMDIFrame::DefWindowProcA(uint msg, WPARAM wp, LPARAM lp) {
    HWND client = ClientWnd ? ClientWnd->GetHandle() : 0;
    return ::DefFrameProcA(GetHandle(), client, msg, wp, lp);
}

TMDIClient *TMDIFrame::GetClientWindow() const { return dynamic_cast<TMDIClient *>(ClientWnd); }

HWND TMDIFrame::GetCommandTarget() {
    TMDIClient *client = GetClientWindow();
    if (TMDIChild *child = client ? client->GetActiveMDIChild() : 0)
        return child->GetCommandTarget();
    HWND focus = ::GetFocus();
    if (!focus)
        return GetHandle();
    if (client && client->GetHandle() && ::IsChild(client->GetHandle(), focus))
        return focus;
    return client && client->GetHandle() ? client->GetHandle() : GetHandle();
}

LRESULT TMDIFrame::EvCommand(uint id, HWND hWndCtl, uint notifyCode) {
    TMDIClient *client = GetClientWindow();
    if (id == CM_MDICLIENTDOUBLECLICK && hWndCtl && client && hWndCtl == client->GetHandle()) {
        // The client's double click, which carries the client as its sender: the same
        // number from the menu is the system's "More Windows" item and stays the system's.
        // The frame's or the application's table answers it, or nobody does.
        TEventInfo info(0, id);
        if (Find(info))
            return Dispatch(info, id, 0);
        if (GetApplication() && GetApplication()->Find(info))
            return GetApplication()->Dispatch(info, id, 0);
        return 0;
    }
    if (id == CM_MDICLIENTDOUBLECLICK && !hWndCtl)
        return DefWindowProcA(WM_COMMAND, MAKEWPARAM(id, notifyCode), 0);  // the system's item, never the application's
    if (!hWndCtl) {
        // A menu command starts at the command target and climbs towards the frame.
        TEventInfo info(0, id);
        for (HWND h = GetCommandTarget(); h && h != GetHandle(); h = ::GetParent(h)) {
            TWindow *w = GetWindowPtr(h);
            if (w && w->Find(info))
                return w->Dispatch(info, id, 0);
        }
    }
    return TFrameWindow::EvCommand(id, hWndCtl, notifyCode);
}

void TMDIFrame::EvCommandEnable(TCommandEnabler &ce) {
    HWND target = GetCommandTarget();
    if (target && target != GetHandle() && ce.IsReceiver(GetHandle()))
        RouteCommandEnable(target, ce);
    else
        TFrameWindow::EvCommandEnable(ce);
}

HMENU TMDIFrame::FindChildMenu(HMENU bar) {
    if (!bar)
        return 0;
    for (int i = ::GetMenuItemCount(bar) - 1; i >= 0; --i) {
        HMENU popup = ::GetSubMenu(bar, i);
        if (!popup)
            continue;
        if (::GetMenuState(popup, CM_CASCADECHILDREN, MF_BYCOMMAND) != (UINT)-1 ||
            ::GetMenuState(popup, CM_TILECHILDREN, MF_BYCOMMAND) != (UINT)-1 ||
            ::GetMenuState(popup, CM_ARRANGEICONS, MF_BYCOMMAND) != (UINT)-1)
            return popup;
    }
    return 0;
}

int TMDIFrame::SetMenu(HMENU menu) {
    if (IsFlagSet(wfMainWindow) && GetApplication())
        GetApplication()->PreProcessMenu(menu);
    if (!GetHandle())
        return 1;
    TMDIClient *client = GetClientWindow();
    HMENU previous = client ? (HMENU)client->SendMessageA(WM_MDISETMENU, (WPARAM)menu, (LPARAM)FindChildMenu(menu)) : 0;
    DrawMenuBar();
    return previous != 0;
}

DEFINE_RESPONSE_TABLE1(TMDIFrame, TFrameWindow)
END_RESPONSE_TABLE;
