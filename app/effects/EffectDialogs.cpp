#include "effects/EffectDialogs.h"

#include "core/MessageBoxSeam.h"
#include "effects/LevelSpinBox.h"
#include "effects/Normalize.h"
#include "foundation/MessageCatalogue.h"

#include <algorithm>

namespace {

enum : unsigned {
    kTextAcceptTask = 19012,
    kTextRejectTask = 19013,
    kTextPeak = 10018,
};

}  // namespace

TFrameWindow *EffectDialogParent() {
    TApplication *app = GetApplicationObject();
    return app ? app->GetMainWindow() : nullptr;
}

Wave *ActiveWaveWithSelection() {
    Wave *wave = GetActiveWave();
    return wave && wave->HasSelection() ? wave : nullptr;
}

void ShowSelectionPeak() {
    Wave *wave = ActiveWaveWithSelection();
    if (!wave || !wave->CheckNotBusy(1))
        return;
    try {
        int peak = MeasurePeak(*wave, wave->GetSelectedChannels(), wave->GetSelectionStart(), wave->GetSelectionEnd(),
                               false);
        String text(BuildString(kTextPeak, DialogLevelText(std::min(peak, 32767)).c_str()));
        TFrameWindow *parent = EffectDialogParent();
        ShowMessageBox(parent ? parent->GetHandle() : nullptr, text.c_str(), GetApplicationObject()->GetName(),
                       MB_OK | MB_ICONINFORMATION);
    } catch (AException const &e) {
        GetApplicationObject()->WarnUser(e, 1);
    }
}

// ---- EffectDialogMode

void EffectDialogMode::LabelButtons(TDialog &dialog) const {
    if (!givenRecord_)
        return;
    ::SetDlgItemTextA(dialog.GetHandle(), IDOK, FindString(kTextAcceptTask).c_str());
    ::SetDlgItemTextA(dialog.GetHandle(), IDCANCEL, FindString(kTextRejectTask).c_str());
}

void EffectDialogMode::EnableOk(TCommandEnabler &enabler, bool canApply) const {
    enabler.Enable(canApply && (givenRecord_ || ActiveWaveWithSelection()));
}

// ---- OkApplyDialog

DEFINE_RESPONSE_TABLE1(OkApplyDialog, Dialog)
    EV_COMMAND(IDOK, CmOk),
    EV_COMMAND(IDCANCEL, CmCancel),
    EV_COMMAND(kCmApplyEffect, CmApply),
    EV_CONTROL_ENABLE(IDOK, CeOk),
END_RESPONSE_TABLE;

OkApplyDialog::OkApplyDialog(TWindow *parent, int resId, TModule *module)
    : TWindow(parent, 0, module), Dialog(parent, resId, module) {
    CreateButton(IDOK);
}

void OkApplyDialog::SetupWindow() {
    Dialog::SetupWindow();
    LabelButtons(*this);
}

void OkApplyDialog::CmOk() {
    if (IsGivenRecord())
        TDialog::CmOk();
    else
        PostMessageA(WM_COMMAND, kCmApplyEffect, 0);
}

// Closing keeps what the controls hold, as the base's OK does.
void OkApplyDialog::CmCancel() {
    if (IsGivenRecord())
        TDialog::CmCancel();
    else
        TDialog::CmOk();
}

// ---- OkApplyTabDialog

DEFINE_RESPONSE_TABLE1(OkApplyTabDialog, PropertyDialog)
    EV_COMMAND(kCmApplyEffect, CmApply),
    EV_CONTROL_ENABLE(IDOK, CeOk),
END_RESPONSE_TABLE;

OkApplyTabDialog::OkApplyTabDialog(TWindow *parent, int resId, TModule *module)
    : TWindow(parent, 0, module),
      PropertyDialog(parent, resId, Tab::Style(Tab::SingleHeight | Tab::UseTabBitmaps | Tab::Stacked), module) {}

void OkApplyTabDialog::SetupWindow() {
    PropertyDialog::SetupWindow();
    LabelButtons(*this);
}

void OkApplyTabDialog::CmOk() {
    if (IsGivenRecord())
        PropertyDialog::CmOk();
    else
        PostMessageA(WM_COMMAND, kCmApplyEffect, 0);
}

// Closing saves the pages, as the base's OK does.
void OkApplyTabDialog::CmCancel() {
    if (IsGivenRecord())
        PropertyDialog::CmCancel();
    else
        PropertyDialog::CmOk();
}
