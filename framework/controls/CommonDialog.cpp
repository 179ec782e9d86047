#include "CommonDialog.h"

#include "Dialog.h"

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

// The system dialog closes, accepts and cancels by itself.
void TCommonDialog::EvClose() { DefaultProcessing(); }
void TCommonDialog::CmOkCancel() { DefaultProcessing(); }
void TCommonDialog::CmHelp() { DefaultProcessing(); }

CommonDialogRun::CommonDialogRun(TDialog const *dialog) : Owner(dialog) { ::Dialog::DisableTopWindows(dialog); }

CommonDialogRun::~CommonDialogRun() { ::Dialog::EnableTopWindows(Owner); }
