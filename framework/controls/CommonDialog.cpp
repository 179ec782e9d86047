#include "controls/CommonDialog.h"

#include "controls/Dialog.h"

DEFINE_RESPONSE_TABLE1(TCommonDialog, TDialog)
    EV_WM_CLOSE,
    EV_COMMAND(IDOK, CmOkCancel),
    EV_COMMAND(IDCANCEL, CmOkCancel),
END_RESPONSE_TABLE;

TCommonDialog::TCommonDialog(TWindow *parent, char const *title, TModule *module)
    : TWindow(parent, 0, module), TDialog(parent, 0, module), CDTitle(title) {}

void TCommonDialog::SetupWindow() {
    TDialog::SetupWindow();
    if (CDTitle)
        SetCaption(CDTitle);
}

HWND TCommonDialog::DoCreate() { return 0; }

int TCommonDialog::DoExecute() { return IDCANCEL; }

int TCommonDialog::RunBound(TCommonDialogKind kind, void *block, HWND &owner, unsigned long &error) {
    if (!owner && Parent)
        owner = Parent->GetHandle();
    int ok = RunCommonDialog(kind, block, error);
    HWindow = 0;  // the system has destroyed the window the hook bound
    ClearFlag(wfFullyCreated);
    RethrowPendingException();
    return ok;
}

unsigned long TCommonDialog::HookFlags(unsigned long flags, unsigned long hookFlag, unsigned long templateFlag,
                                       TResId templateId, char const *&templateName) {
    flags |= hookFlag;
    if (!templateId)
        return flags & ~templateFlag;
    templateName = templateId;
    return flags | templateFlag;
}

// The system dialog closes, accepts and cancels by itself.
void TCommonDialog::EvClose() { DefaultProcessing(); }
void TCommonDialog::CmOkCancel() { DefaultProcessing(); }
void TCommonDialog::CmHelp() { DefaultProcessing(); }

CommonDialogRun::CommonDialogRun(TDialog const *dialog) : Owner(dialog) { ::Dialog::DisableTopWindows(dialog); }

CommonDialogRun::~CommonDialogRun() { ::Dialog::EnableTopWindows(Owner); }
