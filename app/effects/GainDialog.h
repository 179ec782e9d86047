// The gain dialog: the gain in whole decibels, the change it makes in percent, and the
// peak of the selection on request.
#pragma once

#include "effects/EffectDialogs.h"
#include "effects/Gain.h"

class TRangeSpinEdit;

class GainDialog : public OkApplyDialog {
public:
    enum : int { kDialog = 6, kGainEdit = 900, kChangeText = 110, kPeakButton = 100 };

    GainDialog(TWindow *parent, TModule *module);

    // The record the dialog edits from now on.
    void SetRecord(GainOpcodes &record);
    void SetupWindow() override;

protected:
    void Apply() override;
    bool CanApply() override;
    void EvGainChange();
    void CmPeak();
    void CePeak(TCommandEnabler &enabler);

private:
    // The record's gain into the controls.
    void ShowRecord();
    int ShownDecibels();

    TRangeSpinEdit *gain_;
    GainOpcodes *record_ = nullptr;
    bool filling_ = false;

    DECLARE_RESPONSE_TABLE(GainDialog);
};

// The dialog on a record: modeless on the active wave, modal on a batch task's record.
int OpenGainDialog(GainOpcodes &record, int givenRecord);
