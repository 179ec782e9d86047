#include "effects/GainDialog.h"

#include "controls/SpinEdit.h"

DEFINE_RESPONSE_TABLE1(GainDialog, OkApplyDialog)
    EV_CHILD_NOTIFY(kGainEdit, EN_CHANGE, EvGainChange),
    EV_COMMAND(kPeakButton, CmPeak),
    EV_CONTROL_ENABLE(kPeakButton, CePeak),
END_RESPONSE_TABLE;

GainDialog::GainDialog(TWindow *parent, TModule *module)
    : TWindow(parent, 0, module), OkApplyDialog(parent, kDialog, module),
      gain_(new TRangeSpinEdit(this, kGainEdit, 0, module)) {
    TSpinAttr &attr = gain_->GetAttr();
    attr.SetFormat(" dB");
    attr.SetRange(int(kGainLowestDb), int(kGainHighestDb));
    attr.SetInitial(0);
    CreateStaticText(kChangeText);
    CreateButton(kPeakButton);
}

void GainDialog::SetRecord(GainOpcodes &record) {
    record_ = &record;
    if (GetHandle())
        ShowRecord();
}

// The edit's first text, set while the controls are made, is no change of the user's.
void GainDialog::SetupWindow() {
    filling_ = true;
    OkApplyDialog::SetupWindow();
    filling_ = false;
    ShowRecord();
}

void GainDialog::ShowRecord() {
    if (!record_)
        return;
    filling_ = true;
    gain_->SetValue(GainDecibelsOf(record_->factor));
    filling_ = false;
    SetText(kChangeText, GainChangeText(record_->factor), 1);
}

int GainDialog::ShownDecibels() {
    int decibels;
    gain_->GetValue(&decibels);
    return decibels;
}

// Every change is the record's at once; filling the controls changes nothing.
void GainDialog::EvGainChange() {
    if (filling_ || !record_)
        return;
    record_->factor = GainFactorOf(ShownDecibels());
    SetText(kChangeText, GainChangeText(record_->factor), 1);
}

bool GainDialog::CanApply() { return ShownDecibels() != 0; }

void GainDialog::Apply() {
    if (!record_ || !ActiveWaveWithSelection())
        return;
    record_->factor = GainFactorOf(ShownDecibels());
    GainOpcodes const &record = *record_;
    ApplyToActiveWave(
        [&](Wave &wave, int channels, int first, int last) { ApplyGain(wave, channels, first, last, record, 1); });
}

void GainDialog::CmPeak() { ShowSelectionPeak(); }

void GainDialog::CePeak(TCommandEnabler &enabler) { enabler.Enable(!IsGivenRecord() && ActiveWaveWithSelection()); }

int OpenGainDialog(GainOpcodes &record, int givenRecord) {
    return ShowProcessorDialog<OkApplyDialog>(GainDialog::kDialog, givenRecord, [&](OkApplyDialog *found) {
        auto *dialog = dynamic_cast<GainDialog *>(found);
        if (!dialog)
            dialog = new GainDialog(EffectDialogParent(), TModule::_localizedResourceDLL);
        dialog->SetRecord(record);
        return dialog;
    });
}
