// The normalize dialog: the target level in the user's level unit, or the selection's
// level, and the peak of the selection on request.
#pragma once

#include "effects/EffectDialogs.h"
#include "effects/Normalize.h"

class LevelSpinBox;

class NormalizeDialog : public OkApplyDialog {
public:
    enum : int { kDialog = 5, kLevelEdit = 900, kAsSelectionBox = 143, kPeakButton = 100, kLowestLevel = 103 };

    NormalizeDialog(TWindow *parent, TModule *module);

    void SetRecord(NormalizerOpcodes &record);
    void SetupWindow() override;
    uint TransferData(TTransferDirection direction) override;

protected:
    void Apply() override;
    void CmPeak();
    void CeLevel(TCommandEnabler &enabler);
    void CeOnSelection(TCommandEnabler &enabler);

private:
    void ShowRecord();
    void ReadControls();

    LevelSpinBox *level_;
    NormalizerOpcodes *record_ = nullptr;

    DECLARE_RESPONSE_TABLE(NormalizeDialog);
};

int OpenNormalizeDialog(NormalizerOpcodes &record, int givenRecord);
