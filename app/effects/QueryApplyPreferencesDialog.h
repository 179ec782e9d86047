// Where and how the audio engine applies its processors: the source wave (the one being
// played or the active one), the range, the result, the priority and what the engine does
// around the job.
#pragma once

#include "controls/Dialog.h"
#include "effects/ApplyPreferences.h"

class Wave;

class QueryApplyPreferencesDialog : public Dialog {
public:
    enum : int {
        kDialog = 60,
        kBoostFirst = 100,  // 100..102: values 0..2
        kResultKeep = 120,  // value 1
        kResultMix = 121,   // value 0
        kStopPlaybackBox = 140,
        kOpenTaskWindowBox = 141,
        kMinimizeBox = 142,
        kBeepBox = 150,
        kMessageBox = 151,
        kRestoreBox = 152,
        kSourcePlayed = 180,
        kSourceActive = 181,
        kRangeSelection = 190,
        kRangeWhole = 191,
    };

    // Shows and, on OK, takes back the preferences.
    QueryApplyPreferencesDialog(TWindow *parent, ApplyPreferences &preferences, TModule *module);

    void SetupWindow() override;
    void CleanupWindow() override;
    uint TransferData(TTransferDirection direction) override;

    // The wave the checked source names; null when there is none.
    Wave *SourceWave();

protected:
    void CeSourcePlayed(TCommandEnabler &enabler);
    void CeRangeSelection(TCommandEnabler &enabler);
    void CePlaying(TCommandEnabler &enabler);

private:
    void ReadPreferences();
    void ShowCaption();

    ApplyPreferences &preferences_;
    Wave *captionWave_ = nullptr;
    bool captionShown_ = false;

    DECLARE_RESPONSE_TABLE(QueryApplyPreferencesDialog);
};

// The wave being played; null when nothing plays or what plays is no wave.
Wave *PlayedWave();
