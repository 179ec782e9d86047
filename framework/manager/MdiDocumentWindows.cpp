#include "manager/MdiDocumentWindows.h"

#include "core/Rubber.h"

#include "core/Application.h"
#include "manager/Document.h"
#include "manager/DocumentManager.h"
#include "manager/View.h"

#include "foundation/Exception.h"

#include <mmsystem.h>

#include <algorithm>
#include <cstring>
#include <typeinfo>

HWND _lastMDIDeactivated = 0;

namespace {
const DWORD kDoubleClickMs = 300;
}  // namespace

// ---- MDIClient

MDIClient::MDIClient(TModule *module) : TMDIClient(module), rubber_(0), lastPress_(0) {
    lastPoint_.x = lastPoint_.y = 0;
    if (_docManager)
        _docManager->SetMDIClient(this);
}

MDIClient::~MDIClient() {
    delete rubber_;
    if (_docManager && _docManager->GetMDIClient() == this)
        _docManager->SetMDIClient(0);
}

void MDIClient::CeIfOpen(TCommandEnabler &ce) {
    bool any = false;
    for (TWindow *c = GetFirstChild(); c && !any; c = c == GetLastChild() ? 0 : c->Next())
        any = c->GetHandle() && (c->GetStyle() & (WS_POPUP | WS_CHILD | WS_VISIBLE)) == (WS_CHILD | WS_VISIBLE) &&
              !c->IsIconic();
    ce.Enable(any);
}

void MDIClient::CeIfAnyIcon(TCommandEnabler &ce) {
    bool any = false;
    for (TWindow *c = GetFirstChild(); c && !any; c = c == GetLastChild() ? 0 : c->Next())
        any = c->GetHandle() && c->IsIconic();
    ce.Enable(any);
}

void MDIClient::CmMinimizeAll() {
    for (TWindow *c = GetFirstChild(); c; c = c == GetLastChild() ? 0 : c->Next())
        if (c->GetHandle() && (c->GetStyle() & WS_MINIMIZEBOX))
            c->ShowWindow(SW_MINIMIZE);
}

void MDIClient::CmCloseAll() {
    DocumentManager *app = _docManager;
    struct ClosingAll {
        DocumentManager *app;
        ~ClosingAll() {
            if (app)
                app->SetClosingAll(0);
        }
    } guard{app};
    if (app)
        app->SetClosingAll(1);
    try {
        // The master document goes first; when it stays, everything stays.
        if (Document *master = app ? app->FindMasterDoc() : 0)
            if (!master->Close())
                return;
        CloseChildren();
    } catch (AException const &e) {
        if (app)
            app->WarnUser(e, 0);
    }
}

void MDIClient::EvLButtonDown(uint, TPoint &point) {
    if (rubber_) {
        TPoint p(point);
        EvLButtonUp(0, p);
        return;
    }
    lastPoint_.x = point.x;
    lastPoint_.y = point.y;
    DWORD now = ::timeGetTime();
    if (lastPress_ == 0 || now - lastPress_ >= kDoubleClickMs) {
        lastPress_ = now;
        View *view = _docManager ? _docManager->FindActiveView() : 0;
        if (view ? view->OnStartRubber() : _docManager && _docManager->OnStartRubber()) {
            TRect limits = GetWindowRect();
            TPoint start(point);
            rubber_ = new Rubber(*this, 0);
            rubber_->Start(start, &limits);  // captures the mouse
            // the window's module, else the common resources
            HCURSOR c = GetModule() ? GetModule()->LoadCursorA(17000) : 0;
            if (!c && GetCommonModule())
                c = GetCommonModule()->LoadCursorA(17000);
            if (c)
                ::SetCursor(c);
        }
    } else {
        // A double click on the empty area goes to the frame as a command of its own.
        if (GetActiveMDIChild() && GetParentO())
            GetParentO()->PostMessageA(WM_COMMAND, CM_MDICLIENTDOUBLECLICK, (LPARAM)GetHandle());
        lastPress_ = 0;
    }
}

void MDIClient::EvMouseMove(uint keys, TPoint &point) {
    if (!rubber_)
        return;
    if (keys & MK_LBUTTON)
        rubber_->Track(keys, point);
    else
        EndRubber();
}

void MDIClient::EvLButtonUp(uint, TPoint &) {
    if (!rubber_)
        return;
    TRect rect = rubber_->GetRect();
    EndRubber();
    ::ScreenToClient(GetHandle(), reinterpret_cast<POINT *>(&rect.left));
    ::ScreenToClient(GetHandle(), reinterpret_cast<POINT *>(&rect.right));
    if (rect.Width() > 100 && rect.Height() > 70 && _docManager) {
        if (View *view = _docManager->FindActiveView())
            view->OnEndRubber(rect);
        else
            _docManager->OnEndRubber(rect);
    }
}

void MDIClient::EndRubber() {
    delete rubber_;  // erases the band
    rubber_ = 0;
    ReleaseCapture();
    ::SetCursor(::LoadCursorA(0, (LPCSTR)IDC_ARROW));
}

DEFINE_RESPONSE_TABLE1(MDIClient, TMDIClient)
    EV_COMMAND_ENABLE(20005, CeIfOpen),
    EV_COMMAND(20005, CmTile),
    EV_COMMAND_ENABLE(CM_TILECHILDRENHORIZ, CeIfOpen),
    EV_COMMAND_ENABLE(20004, CeIfOpen),
    EV_COMMAND(20004, CmCascade),
    EV_COMMAND_ENABLE(CM_ARRANGEICONS, CeIfAnyIcon),
    EV_COMMAND(CM_CLOSECHILDREN, CmCloseAll),
    EV_WM_LBUTTONDOWN,
    EV_WM_MOUSEMOVE,
    EV_WM_LBUTTONUP,
END_RESPONSE_TABLE;

// ---- MDIChild

MDIChild::MDIChild(TWindow &client, MDIChildMemento const *memento, bool shrinkToClient, TModule *module)
    : TMDIChild(*_docManager->GetMDIClient(), "", &client, shrinkToClient, module),
      client_(&client),
      app_(_docManager),
      minW_(-9999), minH_(-9999), maxW_(-9999), maxH_(-9999), maxPosX_(-9999), maxPosY_(-9999),
      maxSizeW_(-9999), maxSizeH_(-9999) {
    std::memset(&placement_, 0, sizeof placement_);
    if (memento)
        placement_ = memento->placement;
    SetBkgndColor(TColor::Transparent);
    if (View *view = GetView()) {
        Document &doc = view->GetDocument();
        Attr.Id = int(doc.GetId());
        SetCaption(doc.GetTitle().c_str());
        if (doc.GetModel().dialogIcon > 0)
            SetIconSm(app_, TResId(doc.GetModel().dialogIcon));
    }
    MDIClient *mdi = app_->GetMDIClient();
    if (TMDIChild *active = mdi ? mdi->GetActiveMDIChild() : 0)
        if (active->IsZoomed())
            Attr.Style |= WS_MAXIMIZE;
}

MDIChild::~MDIChild() {}

int MDIChild::Create() {
    if (placement_.showCmd == SW_SHOWMAXIMIZED)
        Attr.Style &= ~WS_VISIBLE;
    if (!TMDIChild::Create())
        return 0;
    if (placement_.length) {
        placement_.flags |= WPF_SETMINPOSITION;
        SetWindowPlacement(&placement_);
    }
    return 1;
}

void MDIChild::SetupWindow() {
    TMDIChild::SetupWindow();
    if (View *view = GetView())
        view->GetDocument().UpdateViewTitles();
    if (placement_.length && placement_.showCmd != SW_SHOWMAXIMIZED) {
        placement_.flags |= WPF_SETMINPOSITION;
        SetWindowPlacement(&placement_);
    }
}

int MDIChild::CanClose() { return TMDIChild::CanClose() && (!client_ || client_->CanClose()); }

void MDIChild::CleanupWindow() {
    placement_.length = sizeof placement_;
    if (!GetWindowPlacement(&placement_))
        std::memset(&placement_, 0, sizeof placement_);
    TMDIChild::CleanupWindow();
}

void MDIChild::EvGetMinMaxInfo(MINMAXINFO *info) {
    DefaultProcessing();
    if (minW_ != -9999)
        info->ptMinTrackSize.x = minW_;
    if (minH_ != -9999)
        info->ptMinTrackSize.y = minH_;
    if (maxW_ != -9999)
        info->ptMaxTrackSize.x = maxW_;
    if (maxH_ != -9999)
        info->ptMaxTrackSize.y = maxH_;
    if (maxPosX_ != -9999)
        info->ptMaxPosition.x = maxPosX_;
    if (maxPosY_ != -9999)
        info->ptMaxPosition.y = maxPosY_;
    if (maxSizeW_ != -9999)
        info->ptMaxSize.x = maxSizeW_;
    if (maxSizeH_ != -9999)
        info->ptMaxSize.y = maxSizeH_;
}

View *MDIChild::GetView() const {
    if (View *view = dynamic_cast<View *>(client_))
        return view;
    if (!app_ || !client_)
        return 0;
    for (Document *doc = app_->FindFirstDoc(); doc; doc = app_->FindNextDoc(doc))
        for (View *view = doc->GetViews().GetFirst(); view; view = doc->GetViews().GetNext(view))
            if (view->GetWindow() == client_)
                return view;
    return 0;
}

namespace {
View *ViewOfChild(HWND child) {
    MDIChild *window = child ? dynamic_cast<MDIChild *>(GetWindowPtr(child)) : 0;
    return window ? window->GetView() : 0;
}
}  // namespace

void MDIChild::EvMDIActivate(HWND activated, HWND deactivated) {
    if (deactivated)
        _lastMDIDeactivated = deactivated;
    TMDIChild::EvMDIActivate(activated, deactivated);
    View *view = GetView();
    if (!view)
        return;
    int isActivated = activated == GetHandle();
    view->GetDocument().NotifyIsCurrentDoc(isActivated ? 1 : activated ? 0 : -1);
    // Both children receive this message; each looks after its own view. Views of one
    // class share the status bar's layout, so the new one only refreshes it.
    View *other = ViewOfChild(isActivated ? deactivated : activated);
    bool sameClass = other && typeid(*other) == typeid(*view);
    if (!isActivated) {
        if (!sameClass)
            view->SetStatusBar(0);
    } else if (sameClass) {
        view->UpdateStatusBar();
    } else {
        view->SetStatusBar(1);
    }
}

void MDIChild::CmReload() {
    if (View *view = GetView())
        if (app_)
            app_->ReloadDocument(view->GetDocument());
}

void MDIChild::CeReload(TCommandEnabler &ce) {
    View *view = GetView();
    Document *doc = view ? &view->GetDocument() : 0;
    ce.Enable(doc && doc->CouldSaveData() && !doc->IsUntitled() && doc->IsChanged());
}

void MDIChild::CmClose() {
    if (View *view = GetView())
        view->GetDocument().Close();
}

void MDIChild::CmSave() {
    View *view = GetView();
    if (!view)
        return;
    // The menu and any dialog just closed leave holes; paint them before a long save.
    if (app_ && app_->GetMainWindow())
        app_->GetMainWindow()->UpdateWindow();
    view->GetDocument().SaveDoc(0);
}

void MDIChild::CmSaveAs() {
    if (View *view = GetView())
        view->GetDocument().SaveDocAs(0, smSaveAs, 0);
}

void MDIChild::CeSave(TCommandEnabler &ce) {
    View *view = GetView();
    ce.Enable(view && view->GetDocument().AllowSaveCommand());
}

void MDIChild::CeSaveAs(TCommandEnabler &ce) {
    View *view = GetView();
    ce.Enable(view && view->GetDocument().CouldSaveData());
}

int MDIChild::OnHelp(HELPINFO *) {
    if (app_)
        app_->DoWindowHelp(GetHandle());
    return 0;
}

DEFINE_RESPONSE_TABLE1(MDIChild, TMDIChild)
    EV_MESSAGE(WM_GETMINMAXINFO, EvGetMinMaxInfoRaw, v_POINTER),
    EV_COMMAND(20018, CmReload),
    EV_COMMAND_ENABLE(20018, CeReload),
    EV_COMMAND(20027, CmClose),
    EV_COMMAND(20025, CmSave),
    EV_COMMAND(20026, CmSaveAs),
    EV_COMMAND_ENABLE(20025, CeSave),
    EV_COMMAND_ENABLE(20026, CeSaveAs),
    EV_MESSAGE(WM_MDIACTIVATE, EvMDIActivate, v_MdiActivate),
    EV_MESSAGE(WM_HELP, OnHelpRaw, B_LPARAM),
END_RESPONSE_TABLE;
