// A dialog's window life: creation and placement, modal runs with the application's
// other top-level windows disabled, enabling rules, clean-up.
#include "controls/Dialog.h"

#include "controls/Button.h"
#include "controls/Control.h"
#include "controls/DialogEnablers.h"
#include "core/IdleEnabler.h"
#include "core/FloatingFrame.h"

#include "core/Application.h"
#include "core/FrameWindow.h"

namespace {

List<TopWindow> &TopWindows() {
    static List<TopWindow> windows(1);
    return windows;
}

// The enabler being offered by a rule: only it is taken as an enabling query (frames
// send the same message number with a size).
TCommandEnabler *offeredEnabler;

bool IsChildOf(TWindow *parent, TWindow *window) {
    for (TWindow *child = parent ? parent->GetFirstChild() : 0; child;
         child = child == parent->GetLastChild() ? 0 : child->Next())
        if (child == window)
            return true;
    return false;
}

TFrameWindow *MainWindowOf(TDialog const *dialog) {
    TApplication *app = dialog->GetApplication();
    return app ? app->GetMainWindow() : 0;
}

void DisableOne(TWindow *window, TDialog const *dialog) {
    if (!window->GetHandle() || window == dialog || (window->GetStyle() & WS_CHILD) || !window->IsWindowEnabled())
        return;
    TopWindows().Prepend(new TopWindow(window, dialog));
    window->EnableWindow(false);
}

void DisableChildrenOf(TWindow *parent, TDialog const *dialog) {
    for (TWindow *child = parent->GetFirstChild(), *next; child; child = next) {
        next = child == parent->GetLastChild() ? 0 : child->Next();
        DisableOne(child, dialog);
    }
}

}  // namespace

// ---- modal runs

void Dialog::DisableTopWindows(TDialog const *dialog) {
    if (TFrameWindow *main = MainWindowOf(dialog)) {
        DisableChildrenOf(main, dialog);
        if (TWindow *client = main->GetClientWindow())
            DisableChildrenOf(client, dialog);
        DisableOne(main, dialog);
    }
    SetFloatingFramesActive(0);
}

void Dialog::EnableTopWindows(TDialog const *dialog) {
    TFrameWindow *main = MainWindowOf(dialog);
    TWindow *client = main ? main->GetClientWindow() : 0;
    List<TopWindow> &list = TopWindows();
    for (TopWindow *record = list.GetFirst(), *next; record; record = next) {
        next = list.GetNext(record);
        if (record->Owner != dialog)
            continue;
        TWindow *window = record->Window;
        // the window object may be gone: it is looked for before it is touched
        bool known = main && (window == main || IsChildOf(main, window) || IsChildOf(client, window));
        if (known && window->GetHandle())
            window->EnableWindow(true);
        list.Delete(record);
    }
}

int Dialog::HasDisabledTopWindows() { return !TopWindows().IsEmpty(); }

int Dialog::DoExecute() {
    FocusSaver focus;  // taken before the dialog exists, which takes the focus as it opens
    modalRun_ = 1;
    try {
        if (Create()) {
            if (!IsWindowVisible())
                ShowWindow(SW_SHOW);
            DisableTopWindows(this);
            int result = GetApplication()->MessageLoop();
            if (modalRun_) {
                // the loop ended without EndModal (a quit): ending the run again would
                // break the outer loop as well
                EnableTopWindows(this);
                modalRun_ = 0;
            }
            Destroy(2);
            return result;
        }
    } catch (...) {
        // reported by the result below
    }
    EnableTopWindows(this);
    if (modalRun_) {
        modalRun_ = 0;
        TDialog::Destroy(-1);
    }
    return -1;
}

int Dialog::Destroy(int result) {
    if (modalRun_) {
        GetApplication()->EndModal(result);
        EnableTopWindows(this);
        modalRun_ = 0;
    }
    return TDialog::Destroy(result);
}

void Dialog::CloseWindow(int result) {
    if (!modalRun_) {
        TDialog::CloseWindow(result);
        return;
    }
    if (CanClose()) {
        TransferData(tdGetData);
        Destroy(result);
    }
}

// ---- window set-up and clean-up

int Dialog::Create() {
    int id = Attr.Id;  // taking over the window's state at WM_INITDIALOG reads a pop-up's as 0
    if (!TDialog::Create() || !GetHandle())
        return 0;
    if (id) {
        Attr.Id = id;
        // a child dialog (a page) carries it as its control id; a pop-up's would be its menu
        if (GetStyle() & WS_CHILD)
            ::SetWindowLongPtrA(GetHandle(), GWLP_ID, id);
    }
    return 1;
}

int Dialog::EvInitDialog(HWND focus) {
    if (useContextHelp_ && (GetStyle() & WS_CAPTION)) {
        ModifyStyle(0, DS_CONTEXTHELP);
        ModifyExStyle(0, WS_EX_CONTEXTHELP);
    }
    // the application idles its main window with its children
    TApplication *app = GetApplication();
    if (useIdleEnabler_ && !idleEnabler_ && !(Parent && app && Parent == app->GetMainWindow()))
        idleEnabler_ = new IdleEnabler(this);
    if (Attr.X || Attr.Y) {
        SetWindowPos(0, Attr.X, Attr.Y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        centeredAtOpen_ = 0;
    } else {
        CenterWindow(*this, centerMode_, &centerPoint_);
        centeredAtOpen_ = 1;
    }
    return TDialog::EvInitDialog(focus);
}

void Dialog::CleanupWindow() {
    delete idleEnabler_;
    idleEnabler_ = 0;
    WINDOWPLACEMENT placement = {sizeof placement};
    if (GetWindowPlacement(&placement)) {
        Attr.X = placement.rcNormalPosition.left;
        Attr.Y = placement.rcNormalPosition.top;
    }
    TDialog::CleanupWindow();
    if (boldFont_)
        ::DeleteObject(boldFont_);
    boldFont_ = 0;
}

// ---- enabling rules

LRESULT Dialog::OfferEnabler(TWindow *receiver, TCommandEnabler &enabler) {
    TCommandEnabler *outer = offeredEnabler;
    offeredEnabler = &enabler;
    LRESULT result;
    try {
        result = receiver->HandleMessage(WM_CONTROLENABLE, 0, (LPARAM)&enabler);
    } catch (...) {
        offeredEnabler = outer;
        throw;
    }
    offeredEnabler = outer;
    return result;
}

bool Dialog::IsOfferedEnabler(LPARAM lp) { return lp && (TCommandEnabler *)lp == offeredEnabler; }

void Dialog::ExecuteRules() {
    if (!GetHandle())
        return;
    for (TWindow *child = GetFirstChild(), *next; child; child = next) {
        next = child == GetLastChild() ? 0 : child->Next();
        if (!child->GetHandle())
            continue;
        TWindow *parent = child->GetParentO();
        HWND receiver = parent ? parent->GetHandle() : 0;
        if (TButton *button = dynamic_cast<TButton *>(child)) {
            ButtonEnabler enabler(button, receiver);
            OfferEnabler(parent, enabler);
        } else if (TControl *control = dynamic_cast<TControl *>(child)) {
            ControlEnabler enabler(control, receiver);
            OfferEnabler(parent, enabler);
        }
    }
}

// The rules take the place of the plain dialog's command enablers of its controls.
int Dialog::IdleAction(long idleCount) {
    if (idleCount == 0)
        ExecuteRules();
    TWindow::IdleAction(idleCount);
    return 0;
}

void Dialog::EvActivate(uint, int, HWND) {
    ExecuteRules();
    DefaultProcessing();
}
