// The filter dialog: which marker types a wave shows (plain, drop, CD tracks, CD index
// points), for this wave or for every open wave. Range marks are never shown after it.
#pragma once

#include "controls/Dialog.h"

#include <cstdint>

class Wave;

class MarkerFilterDialog : public Dialog {
public:
    enum {
        kResource = 63,
        kPlain = 100,
        kDrop = 101,
        kTracks = 102,
        kIndexes = 103,
        kAllWaves = 200,
    };

    MarkerFilterDialog(TWindow *parent, int32_t visibleTypes, int allWaves, TModule *module);

    // The mask the boxes give, and the all-waves box, as they stand.
    int32_t GetMask();
    int IsForAllWaves();
    // What OK keeps before the dialog closes.
    void Accept();
    int IsAccepted() const { return accepted_; }
    int32_t GetChosenMask() const { return mask_; }
    int GetChosenAllWaves() const { return allWaves_; }

    // The boxes' starting states from a visible-type mask, and the mask from the states.
    static int32_t MaskOfBoxes(int plain, int drop, int tracks, int indexes);

protected:
    void SetupWindow() override;
    void CmOk();

private:
    int IsBoxChecked(int id);

    int32_t mask_;
    int allWaves_;
    int accepted_ = 0;

    DECLARE_RESPONSE_TABLE(MarkerFilterDialog);
};

// Runs the dialog: the modal run, or what a test puts in its place; the run's result.
typedef int (*MarkerFilterRunner)(MarkerFilterDialog &dialog);
// Installs a runner (null: the modal run again); returns the previous one.
MarkerFilterRunner SetMarkerFilterRunner(MarkerFilterRunner runner);

// The dialog for the wave; on OK the wave, or every open wave, shows the chosen types and
// its views are told. 1 on OK.
int RunFilterDialog(Wave &wave);
