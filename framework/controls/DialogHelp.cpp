// A dialog's window procedure: enabling queries by control id, context help, roll-up.
#include "controls/Dialog.h"

#include "core/Application.h"
#include "controls/Control.h"
#include "controls/PropertyDialog.h"
#include "controls/PropertyTab.h"
#include "controls/SpinEdit.h"
#include "controls/Spinner.h"

#include "core/System.h"

DEFINE_RESPONSE_TABLE1(Dialog, TDialog)
    EV_WM_SIZE,
    EV_WM_ACTIVATE,
    EV_COMMAND(20014, CmHelp),
    YRT_ROW(WM_NCLBUTTONDBLCLK, 0, v_U_POINT, EvNCLButtonDblClk),
END_RESPONSE_TABLE;

namespace {

void Help(HELPINFO &info) {
    if (TApplication *app = GetApplicationObject())
        app->DoHelp(&info);
}

HELPINFO HelpRequest(int contextType, int controlId, HWND item) {
    HELPINFO info = {};
    info.cbSize = sizeof(HELPINFO);
    info.iContextType = contextType;
    info.iCtrlId = controlId;
    info.hItemHandle = item;
    info.dwContextId = 0;
    ::GetCursorPos(&info.MousePos);
    return info;
}

}  // namespace

LRESULT Dialog::WindowProc(uint msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_CONTROLENABLE:
        if (IsOfferedEnabler(lp)) {
            TEventInfo info(WM_CONTROLENABLE, ((TCommandEnabler *)lp)->GetId());
            return Find(info) ? Dispatch(info, 0, lp) : 0;
        }
        break;
    case WM_HELP:
        if (lp && ((HELPINFO *)lp)->iContextType == HELPINFO_WINDOW)
            OnHelp((HELPINFO *)lp);
        return 1;
    case WM_CONTEXTMENU:
        if (OnContextMenu((HWND)wp))
            return 0;
        break;
    }
    return TDialog::WindowProc(msg, wp, lp);
}

// A control's help is its dialog's: the "?" button asks at once, F1 goes through the
// dialog's help command.
void Dialog::OnHelp(HELPINFO *info) {
    HWND asking = (HWND)info->hItemHandle;
    TWindow *target = GetWindowPtr(asking);
    bool posted = false;
    // the tab strip of a property dialog asks for the page it shows
    PropertyDialog *tabs =
        ::GetDlgCtrlID(asking) == PropertyTab::ControlId ? dynamic_cast<PropertyDialog *>(GetWindowPtr(::GetParent(asking))) : 0;
    TSpinner *spinner = target && target->GetId() == TSpinner::SpinnerId ? dynamic_cast<TSpinner *>(target) : 0;
    if (spinner) {
        // the arrows stand for their edit
        if (TSpinEdit *buddy = spinner->GetSpinEdit())
            info->iCtrlId = buddy->GetId();
    } else if (PropertyPage *page = tabs ? tabs->GetPageRef(-1) : 0) {
        target = page;
        posted = true;
    } else if (!target || dynamic_cast<TControl *>(target)) {
        HWND parent = ::GetParent(asking);
        target = parent ? GetWindowPtr(parent) : 0;
        if (!target)
            target = this;
    }
    if (!posted && !(::GetKeyState(VK_F1) & 0x8000))
        Help(*info);
    else if (target->GetHandle())
        target->PostMessageA(WM_COMMAND, 20014, 0);
}

int Dialog::OnContextMenu(HWND window) {
    if (!window)
        return 0;
    TWindow *object = GetWindowPtr(window);
    if (ControlExtra *extra = dynamic_cast<ControlExtra *>(object))
        if (extra->UseRightMouseButton())
            return 1;
    HWND parent = ::GetParent(window);
    if (!parent || !dynamic_cast<Dialog *>(GetWindowPtr(parent)))
        return 0;
    HELPINFO info = HelpRequest(-1, ::GetDlgCtrlID(window), window);
    Help(info);
    return 1;
}

void Dialog::CmHelp() {
    HELPINFO info = HelpRequest(-2, 0, GetHandle());
    Help(info);
}

void Dialog::EvSize(uint sizeType, TSize &size) { TWindow::EvSize(sizeType, size); }

// A double-click on the caption rolls the dialog up to its caption, and down again.
void Dialog::EvNCLButtonDblClk(uint hitTest, TPoint &) {
    if (hitTest != HTCAPTION || !allowRollUp_) {
        DefaultProcessing();
        return;
    }
    bool newShell = TSystem::GetMajorVersion() >= 4;
    int caption = newShell && (GetExStyle() & WS_EX_TOOLWINDOW) ? ::GetSystemMetrics(SM_CYSMCAPTION)
                                                                 : ::GetSystemMetrics(SM_CYCAPTION);
    if (newShell)
        caption += 2 * ::GetSystemMetrics(SM_CYDLGFRAME) + 1;
    else if (GetStyle() & WS_THICKFRAME)
        caption += 2 * (::GetSystemMetrics(SM_CYFRAME) - ::GetSystemMetrics(SM_CYBORDER));
    else if (GetStyle() & WS_DLGFRAME)
        caption += 2 * ::GetSystemMetrics(SM_CYDLGFRAME) + ::GetSystemMetrics(SM_CYBORDER);
    TRect r = GetWindowRect();
    int height;
    if (caption + 10 < r.Height()) {
        savedHeight_ = r.Height();
        height = caption;
    } else if (savedHeight_) {
        height = savedHeight_;
    } else {
        return;  // never rolled up: nothing to roll down to
    }
    SetWindowPos(0, 0, 0, r.Width(), height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}
