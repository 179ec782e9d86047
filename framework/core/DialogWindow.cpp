#include "core/DialogWindow.h"

#include "core/Application.h"
#include "core/ControlEnabler.h"

namespace {
// The dialog object the next dialog window of this thread binds to. Kept apart from the
// creation window of ordinary windows: the template's controls may be framework windows
// created before the dialog sees its first message.
thread_local TDialog *dialogBeingCreated;

// Marks a dialog as the one being created for the length of a creation call.
class TCreationMark {
public:
    explicit TCreationMark(TDialog *dialog) : Dialog(dialog) { dialogBeingCreated = dialog; }
    ~TCreationMark() {
        if (dialogBeingCreated == Dialog)
            dialogBeingCreated = 0;
    }

private:
    TDialog *Dialog;
};

enum { DlgInitMsg = 32760 };
}  // namespace

char *const TDialog::CaptionFromTemplate = (char *)0xFFFF;

TDialog::TDialog(TWindow *parent, TResId resId, TModule *module)
    : TWindow(parent, 0, module), IsModal(0), NameCopy(0) {
    TWindow::Init(parent, 0, module);  // when a further class does not name the virtual base
    DisableAutoCreate();
    Title = CaptionFromTemplate;
    SetFlag(wfFromResource);
    ClearFlag(wfDeleteOnClose);
    if (resId.IsString())
        NameCopy = strnewdup(resId);
    DialogAttr.Name = NameCopy ? TResId(NameCopy) : resId;
    DialogAttr.Param = 0;
}

TDialog::~TDialog() {
    if (dialogBeingCreated == this)
        dialogBeingCreated = 0;
    delete[] NameCopy;
}

// ---- the system's dialog procedure

TDialog *TDialog::Bind(HWND hwnd, UINT msg) {
    if (TDialog *bound = dynamic_cast<TDialog *>(::GetWindowPtr(hwnd)))
        return bound;
    TDialog *dialog = dialogBeingCreated;
    if (!dialog || msg == WM_CANCELMODE || msg == WM_ENABLE)
        return 0;
    dialogBeingCreated = 0;
    dialog->HWindow = hwnd;
    dialog->SubclassWindowFunction();
    return dialog;
}

INT_PTR CALLBACK TDialog::StdDlgProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == GetWindowPtrMsgId && msg)
        return 0;  // answered by the object's own window procedure once bound
    TDialog *dialog = 0;
    try {
        dialog = Bind(hwnd, msg);
        if (!dialog)
            return 0;
        if (!TSystem::SupportsExceptions())
            return 1;
        return dialog->DialogFunction(msg, wParam, lParam);
    } catch (...) {
        // The failure must not unwind through the dialog manager: it is thrown again
        // by whoever created or runs the dialog. A modal run cannot go on.
        KeepPendingException();
        if (dialog && dialog->IsModal)
            ::EndDialog(hwnd, -1);
    }
    return 0;
}

int TDialog::DialogFunction(uint msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_INITDIALOG:
        return EvInitDialog((HWND)wParam);
    case WM_SETFONT: {
        if (IsFlagSet(wfFullyCreated))
            return 1;
        // Not yet through the object's window procedure: the table answers at once.
        TEventInfo info(msg);
        if (!Find(info))
            return 1;
        return !Dispatch(info, wParam, lParam);
    }
    case WM_SETTEXT:
    case WM_NCPAINT:
    case WM_NCACTIVATE:
        if (Application && Application->Ctl3dEnabled() && Application->GetCtl3dModule())
            SetMsgResult(Application->GetCtl3dModule()->DlgFramePaint(HWindow, msg, wParam, lParam));
        return 0;
    default:
        return 0;
    }
}

int TDialog::EvInitDialog(HWND) {
    GetHWndState();
    PerformDlgInit();
    SetupWindow();
    SetFlag(wfFullyCreated);
    return 1;
}

bool TDialog::PerformDlgInit() {
    return SendMessageA(DlgInitMsg, (WPARAM)DialogAttr.Param, (LPARAM)(char const *)DialogAttr.Name) >= 0;
}

// ---- creation

char const *TDialog::GetClassNameA() { return MAKEINTATOM(0x8002); }

void TDialog::GetWindowClass(WNDCLASSA &wc) {
    // A class of its own still runs the dialog manager's procedure.
    TWindow::GetWindowClass(wc);
    wc.lpfnWndProc = ::DefDlgProcA;
    wc.cbWndExtra = DLGWINDOWEXTRA;
    wc.hbrBackground = 0;
}

void TDialog::RegisterChildObjects() {
    for (TWindow *child = GetFirstChild(); child; child = child == GetLastChild() ? 0 : child->Next())
        if (!child->IsFlagSet(wfFromResource) && !child->Register())
            TXWindow::Raise(child, IDS_CHILDREGISTERFAIL);
}

HWND TDialog::DoCreate() {
    HINSTANCE instance = GetModule() ? GetModule()->GetHandle() : 0;
    return ::CreateDialogParamA(instance, DialogAttr.Name, Parent ? Parent->HWindow : 0, &TDialog::StdDlgProc,
                                DialogAttr.Param);
}

int TDialog::Create() {
    if (HWindow)
        return 1;
    IsModal = 0;
    if (!Register())
        TXWindow::Raise(this, IDS_CLASSREGISTERFAIL);
    TCreationMark mark(this);
    if (Attr.AccelTable && CommonModule)
        HAccel = CommonModule->LoadAcceleratorsA(Attr.AccelTable);
    RegisterChildObjects();
    HWND created = DoCreate();
    if (created)
        HWindow = created;
    if (HasPendingException()) {
        // a handler's own failure says more than "create failed"; no half-made dialog stays
        if (HWindow)
            TWindow::Destroy(0);
        RethrowPendingException();
    }
    if (!HWindow)
        TXWindow::Raise(this, IDS_WINDOWCREATEFAIL);
    return 1;
}

int TDialog::Execute() {
    IsModal = 1;
    if (!Register())
        TXWindow::Raise(this, IDS_CLASSREGISTERFAIL);
    TCreationMark mark(this);
    RegisterChildObjects();
    return DoExecute();
}

int TDialog::DoExecute() {
    HINSTANCE instance = GetModule() ? GetModule()->GetHandle() : 0;
    INT_PTR result = ::DialogBoxParamA(instance, DialogAttr.Name, Parent ? Parent->HWindow : 0,
                                       &TDialog::StdDlgProc, DialogAttr.Param);
    HWindow = 0;  // the dialog manager has destroyed the window
    ClearFlag(wfFullyCreated);
    RethrowPendingException();
    if (result == -1)
        TXWindow::Raise(this, IDS_WINDOWEXECUTEFAIL);
    return int(result);
}

void TDialog::SetupWindow() {
    if (Application && Application->Ctl3dEnabled() && Application->GetCtl3dModule())
        Application->GetCtl3dModule()->SubclassDlgEx(HWindow, 0xFFFF);
    SetCaption(Title);
    TWindow::SetupWindow();
}

void TDialog::SetCaption(char const *title) {
    if (!IS_INTRESOURCE(title))
        TWindow::SetCaption(title);
}

// ---- closing

void TDialog::CloseWindow(int retVal) {
    // Also a modeless dialog hands its values back: a transfer buffer must not miss the
    // user's OK.
    bool ok = !IsModal && IsFlagSet(wfMainWindow) && Application ? Application->CanClose() : CanClose();
    if (ok) {
        TransferData(tdGetData);
        Destroy(retVal);
    }
}

int TDialog::Destroy(int retVal) {
    if (!IsModal || !HWindow)
        return TWindow::Destroy(retVal);
    for (TWindow *child = GetFirstChild(), *next; child; child = next) {
        next = child == GetLastChild() ? 0 : child->Next();
        if (child->HWindow) {
            child->EnableAutoCreate();  // so that the next run makes it again
            child->Destroy(0);
        }
    }
    ::EndDialog(HWindow, retVal);
    return 1;
}

void TDialog::CondemnIfClosed() {
    if (!IsModal && !HWindow && IsFlagSet(wfDeleteOnClose) && Application)
        Application->Condemn(this);
}

void TDialog::CmOk() {
    CloseWindow(IDOK);
    CondemnIfClosed();
}

void TDialog::CmCancel() { EvClose(); }

void TDialog::EvClose() {
    Destroy(IDCANCEL);
    CondemnIfClosed();
}

// ---- messages

int TDialog::PreProcessMsg(MSG &msg) {
    if (TWindow::PreProcessMsg(msg))
        return 1;
    // A dialog inside the active document window keeps the document windows' keys.
    TWindow *child = Parent;
    TWindow *client = child ? child->Parent : 0;
    if (client && client->HWindow && client->IsFlagSet(wfMDIClientWindow) &&
        (HWND)client->SendMessageA(WM_MDIGETACTIVE) == child->HWindow &&
        ::TranslateMDISysAccel(client->HWindow, &msg))
        return 1;
    return HWindow && ::IsDialogMessageA(HWindow, &msg);
}

int TDialog::IdleAction(long idleCount) {
    TWindow::IdleAction(idleCount);
    if (idleCount == 0 && HWindow) {
        // controls answer to the same command enablers as menu items
        for (HWND control = GetWindow(GW_CHILD); control; control = ::GetWindow(control, GW_HWNDNEXT)) {
            TControlEnabler enabler(::GetDlgCtrlID(control), control);
            RouteCommandEnable(control, enabler);
        }
    }
    return 0;
}

void TDialog::EvPaint() { DefaultProcessing(); }

HBRUSH TDialog::EvCtlColor(HDC hDC, HWND hWndChild, uint ctlType) {
    if (Application && Application->Ctl3dEnabled() && Application->GetCtl3dModule()) {
        if (HBRUSH brush = Application->GetCtl3dModule()->CtlColorEx(WM_CTLCOLORMSGBOX + ctlType, (WPARAM)hDC,
                                                                      (LPARAM)hWndChild))
            return brush;
    }
    return TWindow::EvCtlColor(hDC, hWndChild, ctlType);
}

void TDialog::EvSetFont(WPARAM, LPARAM) {
    if (IsFlagSet(wfFullyCreated))
        DefaultProcessing();
}

LRESULT TDialog::EvGetDefId(WPARAM, LPARAM) { return DefaultProcessing(); }
LRESULT TDialog::EvSetDefId(WPARAM, LPARAM) { return DefaultProcessing(); }
LRESULT TDialog::EvReposition(WPARAM, LPARAM) { return DefaultProcessing(); }

DEFINE_RESPONSE_TABLE1(TDialog, TWindow)
    EV_WM_CLOSE,
    EV_WM_PAINT,
    EV_MESSAGE(WM_CTLCOLOR, EvCtlColor, CtlColor),
    EV_MESSAGE(WM_SETFONT, EvSetFont, v_WPARAM_LPARAM),
    EV_MESSAGE(DM_GETDEFID, EvGetDefId, I32_WPARAM_LPARAM),
    EV_MESSAGE(DM_SETDEFID, EvSetDefId, I32_WPARAM_LPARAM),
    EV_MESSAGE(DM_REPOSITION, EvReposition, I32_WPARAM_LPARAM),
    EV_COMMAND(IDOK, CmOk),
    EV_COMMAND(IDCANCEL, CmCancel),
END_RESPONSE_TABLE;
