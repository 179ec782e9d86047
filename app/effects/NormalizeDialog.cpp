#include "effects/NormalizeDialog.h"

#include "effects/LevelSpinBox.h"

DEFINE_RESPONSE_TABLE1(NormalizeDialog, OkApplyDialog)
    EV_COMMAND(kPeakButton, CmPeak),
    EV_CONTROL_ENABLE(kLevelEdit, CeLevel),
    EV_CONTROL_ENABLE(kAsSelectionBox, CeOnSelection),
    EV_CONTROL_ENABLE(kPeakButton, CeOnSelection),
END_RESPONSE_TABLE;

NormalizeDialog::NormalizeDialog(TWindow *parent, TModule *module)
    : TWindow(parent, 0, module), OkApplyDialog(parent, kDialog, module),
      level_(CreateLevelSpinBox(this, kLevelEdit, kUnitCurrent, 32767, kLowestLevel, 32767, module)) {
    CreateCheckBox(kAsSelectionBox, 0);
    CreateButton(kPeakButton);
}

void NormalizeDialog::SetRecord(NormalizerOpcodes &record) {
    record_ = &record;
    if (GetHandle())
        ShowRecord();
}

void NormalizeDialog::SetupWindow() {
    OkApplyDialog::SetupWindow();
    ShowRecord();
}

void NormalizeDialog::ShowRecord() {
    if (!record_)
        return;
    level_->SetUnit(kUnitCurrent, record_->level);
    SetCheck(kAsSelectionBox, record_->asSelection ? BST_CHECKED : BST_UNCHECKED, 1);
}

void NormalizeDialog::ReadControls() {
    if (!record_ || !GetHandle())
        return;
    record_->level = level_->GetLevel();
    record_->asSelection = IsChecked(kAsSelectionBox, 1);
}

// A closing dialog keeps what its controls hold.
uint NormalizeDialog::TransferData(TTransferDirection direction) {
    uint result = OkApplyDialog::TransferData(direction);
    if (direction == tdGetData)
        ReadControls();
    return result;
}

void NormalizeDialog::Apply() {
    if (!record_ || !ActiveWaveWithSelection())
        return;
    ReadControls();
    NormalizerOpcodes const &record = *record_;
    ApplyToActiveWave([&](Wave &wave, int channels, int first, int last) {
        NormalizeRange(wave, channels, first, last, record, 1);
    });
}

void NormalizeDialog::CmPeak() { ShowSelectionPeak(); }

// The box follows the unit, and the selection's level while that is the target.
void NormalizeDialog::CeLevel(TCommandEnabler &enabler) {
    level_->UpdateUnit();
    bool onSelection = !IsGivenRecord() && IsChecked(kAsSelectionBox, 1);
    Wave *wave = ActiveWaveWithSelection();
    if (onSelection && wave && level_->GetLevel() != wave->GetLevel())
        level_->SetLevel(wave->GetLevel());
    enabler.Enable(!onSelection);
}

void NormalizeDialog::CeOnSelection(TCommandEnabler &enabler) {
    enabler.Enable(!IsGivenRecord() && ActiveWaveWithSelection());
}

int OpenNormalizeDialog(NormalizerOpcodes &record, int givenRecord) {
    return ShowProcessorDialog<OkApplyDialog>(NormalizeDialog::kDialog, givenRecord, [&](OkApplyDialog *found) {
        auto *dialog = dynamic_cast<NormalizeDialog *>(found);
        if (!dialog)
            dialog = new NormalizeDialog(EffectDialogParent(), TModule::_localizedResourceDLL);
        dialog->SetRecord(record);
        return dialog;
    });
}
