#include "manager/MainFrame.h"

#include "core/FloatingFrame.h"
#include "core/Application.h"
#include "controls/Dialog.h"
#include "manager/DocumentManager.h"
#include "manager/MdiDocumentWindows.h"
#include "bars/StatusBar.h"
#include "bars/ToolbarControlBar.h"
#include "bars/ToolbarList.h"

#include "foundation/Exception.h"
#include "foundation/MessageCatalogue.h"

#include <cstdlib>

List<IdleEnabler> &FrameWindow::_idleEnablers = IdleEnabler::_enablers;
String FrameWindow::_className;

// ---- FrameWindow

FrameWindow::FrameWindow(char const *title, TResId menu, TMDIClient &client, int trackMenuSelection,
                         TModule *module)
    : TDecoratedMDIFrame(title, menu, client, trackMenuSelection, module),
      Tooltip(Tip::Plain, new TToolTipFont),
      statusBar_(0),
      controlBar_(0),
      statusBarInserted_(0),
      buttonSize_(5),
      largeStatusFont_(0),
      hintMode_(2),
      showTips_(1),
      showStatusBar_(1),
      app_(_docManager),
      activationCount_(0),
      anchorX_(-1),
      anchorY_(0),
      anchorShown_(0),
      inIdle_(0) {
    // The application object owns its main frame and deletes it at its end; a closed
    // frame must not be deleted behind its back.
    ClearFlag(wfDeleteOnClose);
    if (app_) {
        app_->SetFrameWindow(this);
        LoadPref(app_->GetConfig());
    }
}

FrameWindow::~FrameWindow() {
    Tooltip.Destroy();
    if (app_ && app_ == _docManager && app_->GetFrameWindow() == this)
        app_->NotifyNoMoreFrame();
}

char const *FrameWindow::GetClassNameA() {
    return _className.IsEmpty() ? TDecoratedMDIFrame::GetClassNameA() : _className.c_str();
}

void FrameWindow::LoadPref(Config &config) {
    static int loaded = 0;
    if (loaded)
        return;
    loaded = 1;
    Config::PathSaver saver(config);
    config.MoveToRoot();
    config.MoveDown("Frame Window");
    hintMode_ = config.GetSure(2, 1, 2, "HintMode");
    showTips_ = int(config.GetValue(1L, "ShowTips"));
    config.MoveDown("Placement");
    int cmd = config.GetValue(3, "Cmd");
    int x1 = config.GetValue(50, "X1"), y1 = config.GetValue(50, "Y1");
    int x2 = config.GetValue(500, "X2"), y2 = config.GetValue(300, "Y2");
    config.MoveUp();
    // A placement that is empty or off every screen is not used: the window would be
    // unreachable.
    RECT r = {x1, y1, x2, y2};
    if (x2 - x1 > 0 && y2 - y1 > 0 && ::MonitorFromRect(&r, MONITOR_DEFAULTTONULL)) {
        Attr.X = x1;
        Attr.Y = y1;
        Attr.W = x2 - x1;
        Attr.H = y2 - y1;
    } else {
        Attr.X = Attr.Y = 50;
        Attr.W = 450;
        Attr.H = 250;
    }
    if (cmd < SW_HIDE || cmd > SW_MAX || cmd == SW_HIDE || cmd == SW_MINIMIZE || cmd == SW_SHOWMINIMIZED)
        cmd = SW_SHOWNORMAL;
    if (app_)
        app_->SetCmdShow(cmd);
    Attr.Style &= ~WS_VISIBLE;
    config.MoveDown("ControlBar");
    buttonSize_ = config.GetValue(5, "ButSize");
    config.MoveUp();
    config.MoveDown("StatusBar");
    largeStatusFont_ = config.GetValue(0, "Font");
    showStatusBar_ = config.GetValue(1, "Show");
    config.MoveUp();
}

void FrameWindow::SavePref(Config &config) {
    static int saved = 0;
    if (saved)
        return;
    saved = 1;
    if (!app_ || !app_->GetAutoSavePref())
        return;
    Config::PathSaver saver(config);
    config.MoveToRoot();
    config.MoveDown("Frame Window");
    config.SetValue(hintMode_, "HintMode");
    config.SetValue(showTips_, "ShowTips");
    if (GetHandle()) {
        WINDOWPLACEMENT p;
        p.length = sizeof p;
        if (GetWindowPlacement(&p)) {
            config.MoveDown("Placement");
            config.SetValue(int(p.showCmd), "Cmd");
            config.SetValue(int(p.rcNormalPosition.left), "X1");
            config.SetValue(int(p.rcNormalPosition.top), "Y1");
            config.SetValue(int(p.rcNormalPosition.right), "X2");
            config.SetValue(int(p.rcNormalPosition.bottom), "Y2");
            config.MoveUp();
        }
    }
    config.MoveDown("ControlBar");
    config.SetValue(buttonSize_, "ButSize");
    config.MoveUp();
    config.MoveDown("StatusBar");
    config.SetValue(largeStatusFont_, "Font");
    showStatusBar_ = statusBar_ && statusBar_->GetHandle() ? statusBar_->IsWindowVisible() : showStatusBar_;
    config.SetValue(showStatusBar_, "Show");
    config.MoveUp();
}

int FrameWindow::EvCreate(LPARAM createStruct) {
    if (app_)
        LoadPref(app_->GetConfig());
    BuildStatusBar();
    BuildControlBar();
    return TDecoratedMDIFrame::EvCreate(createStruct);
}

// The bar itself comes from the program's override, which builds it first.
void FrameWindow::BuildControlBar() {
    if (!controlBar_)
        return;
    controlBar_->SetHintMode(TGadgetWindow::THintMode(hintMode_));
    Tooltip.EnableTips(showTips_);
    controlBar_->EnableAll(1);
}

void FrameWindow::BuildStatusBar() {
    if (!statusBar_ && trackMenuSelection_)
        statusBar_ = new StatusBar(&Tooltip, this, TGadget::Recessed, 0, new TGadgetWindowFont(largeStatusFont_ ? 10 : 8), 0);
    if (statusBar_) {
        // A hidden bar is still a decoration: its command shows it at its place.
        if (!showStatusBar_)
            statusBar_->Attr.Style &= ~WS_VISIBLE;
        statusBar_->UseTips();
        InsertStatusBar();
    }
}

void FrameWindow::InsertStatusBar() {
    Insert(*statusBar_, Bottom);
    statusBarInserted_ = 1;
}

void FrameWindow::RenewStatusBar() {
    if (statusBar_) {
        statusBar_->Destroy();
        delete statusBar_;
        statusBar_ = 0;
    }
    BuildStatusBar();
    if (statusBar_ && GetHandle() && !statusBar_->GetHandle())
        statusBar_->Create();
    if (GetHandle())
        Layout();
}

void FrameWindow::SetupWindow() {
    TDecoratedMDIFrame::SetupWindow();
    Exception::NotifyPostHandle(GetHandle());
}

void FrameWindow::CleanupWindow() {
    Exception::NotifyPostHandle(0);
    TDecoratedMDIFrame::CleanupWindow();
}

void FrameWindow::CmdToggleHint() {
    hintMode_ = hintMode_ == 1 ? 2 : 1;
    if (controlBar_) {
        controlBar_->SetHintMode(TGadgetWindow::THintMode(hintMode_));
        controlBar_->SetHintCommand(-1);
    }
}

void FrameWindow::CenterWindow(TRect &r) {
    TRect frame = GetWindowRect();
    POINT p = {frame.left + (frame.Width() - r.Width()) / 2, frame.top + (frame.Height() - r.Height()) / 2};
    ::ScreenToClient(GetHandle(), &p);
    r.left = p.x;
    r.top = p.y;
}

// A session end that may still be cancelled only asks; the program ends for real when the
// end is confirmed.
int FrameWindow::EvQueryEndSession() { return app_ ? app_->QueryEndSession() : TDecoratedMDIFrame::EvQueryEndSession(); }

void FrameWindow::EvEndSession(int ending, int) {
    if (app_)
        app_->EndSession(ending);
    DefaultProcessing();
}

void FrameWindow::EvActivate(uint state, int, HWND) {
    // A modal run disabled the frame: its floating tool frames look inactive with it.
    if (state == WA_INACTIVE && GetHandle() && !IsWindowEnabled())
        SetFloatingFramesActive(0);
    ++activationCount_;
    DefaultProcessing();
}

void FrameWindow::EvActivateApp(int active, uint) {
    if (!active)
        SetFloatingFramesActive(0);
    DefaultProcessing();
}

void FrameWindow::EvInitMenuPopup(HMENU popup, uint index, int sysMenu) {
    if (!inIdle_ && !sysMenu) {
        if (app_)
            app_->GetFileHistory().UpdateMenu(popup, index);
        // an open drop-down list would stay over the menu
        if (HWND combo = DocumentManager::FocusedDropDown(::GetFocus()))
            ::SendMessageA(combo, CB_SHOWDROPDOWN, FALSE, 0);
    }
    TDecoratedMDIFrame::EvInitMenuPopup(popup, index, sysMenu);
}

void FrameWindow::EvMenuSelect(uint item, uint flags, HMENU menu) {
    if (!trackMenuSelection_) {
        DefaultProcessing();
        return;
    }
    if ((flags == 0xFFFF && !menu) || (flags & MF_POPUP)) {
        SetMessageBarHint(0);
        menuItemId_ = 0;
    } else if ((flags & 0x860) || (item >= 32001 && item <= 32009)) {
        menuItemId_ = uint(-1);
    } else {
        menuItemId_ = item;
    }
    DefaultProcessing();
}

void FrameWindow::EvEnterIdle(uint source, HWND window) {
    if (source == MSGF_MENU && menuItemId_) {
        String hint;
        if (menuItemId_ != uint(-1)) {
            hint = FindString(menuItemId_);
            long newline = hint.FindFirst('\n');
            if (newline >= 0)
                hint.KeepLeft(newline);
        }
        if (statusBar_)
            statusBar_->SetHintText(hint.c_str());
        menuItemId_ = 0;
    }
    TDecoratedMDIFrame::EvEnterIdle(source, window);
}

LRESULT FrameWindow::OnHelp(LPARAM helpInfo) {
    HELPINFO *request = reinterpret_cast<HELPINFO *>(helpInfo);
    if (!request || !app_)
        return 0;
    if (request->iContextType == HELPINFO_MENUITEM) {
        if (request->iCtrlId != 0)
            app_->DoHelp(request);
        return 0;
    }
    // help on a window of another thread is that thread's business
    HWND item = static_cast<HWND>(request->hItemHandle);
    if (item && ::GetWindowThreadProcessId(item, 0) != ::GetWindowThreadProcessId(GetHandle(), 0))
        return 0;
    app_->DoWindowHelp(GetHandle());
    return 0;
}

int FrameWindow::IdleAction(long count) {
    inIdle_ = 1;
    int result = TDecoratedMDIFrame::IdleAction(count);
    inIdle_ = 0;
    if (count != 0)
        return result;
    if (!GetFloatingToolbarsActive() && !Dialog::HasDisabledTopWindows() && ForegroundIsOurs())
        SetFloatingFramesActive(1);
    for (IdleEnabler *e = _idleEnablers.GetFirst(), *next; e; e = next) {
        next = _idleEnablers.GetNext(e);
        if (e->GetWindow() && e->GetWindow()->GetHandle())
            e->GetWindow()->IdleAction(count);
    }
    if (anchorShown_ && anchorX_ > 0) {
        POINT p;
        ::GetCursorPos(&p);
        if (p.x < anchorX_ - 10 || p.x >= anchorX_ + 10 || p.y < anchorY_ - 10 || p.y >= anchorY_ + 10) {
            if (statusBar_) {
                TTipStatusBar::TEnableHints clearing;
                statusBar_->SetHintText(0);
            }
            anchorX_ = -1;
            anchorShown_ = 0;
        }
    }
    return result;
}

bool FrameWindow::ForegroundIsOurs() {
    DWORD process = 0;
    HWND foreground = ::GetForegroundWindow();
    if (foreground)
        ::GetWindowThreadProcessId(foreground, &process);
    return foreground && process == ::GetCurrentProcessId();
}

DEFINE_RESPONSE_TABLE1(FrameWindow, TDecoratedMDIFrame)
    EV_MESSAGE(WM_ENTERIDLE, EvEnterIdle, v_EnterIdle),
    EV_COMMAND(20007, CmQuit),
    EV_MESSAGE(WM_MENUSELECT, EvMenuSelectRaw, v_WPARAM_LPARAM),
    EV_MESSAGE(WM_INITMENUPOPUP, EvInitMenuPopup, v_InitMenuPopup),
    EV_MESSAGE(WM_CREATE, EvCreate, i_LPARAM),
    EV_MESSAGE(WM_ACTIVATE, EvActivate, v_Activate),
    EV_MESSAGE(WM_ACTIVATEAPP, EvActivateApp, v_B_U),
    EV_MESSAGE(WM_HELP, OnHelp, I32_LPARAM),
    EV_MESSAGE(WM_QUERYENDSESSION, EvQueryEndSession, B),
    EV_MESSAGE(WM_ENDSESSION, EvEndSession, v_B_B),
END_RESPONSE_TABLE;
