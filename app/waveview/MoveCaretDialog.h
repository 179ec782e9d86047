// The move-caret box: the caret's new place typed in the main view's time unit, counted
// from its ruler's origin, up to one and a half times the wave's length. The box opens
// where it was last closed in this run.
#pragma once

#include "controls/Dialog.h"

class TimeSpinEdit;
class WaveView;

class MoveCaretDialog : public Dialog {
public:
    enum { kResource = 16, kPositionEdit = 900 };

    MoveCaretDialog(WaveView &view, TModule *module);
    // The frames typed, from the origin; -1 when they are not in the range.
    long GetTyped();
    // What was typed as the box closed.
    long GetChosen() const { return chosen_; }
    TimeSpinEdit &GetEdit() const { return *position_; }
    // Where the box closed last in this run (placed 0 before the first close).
    static TPoint GetLastPlace(int *placed = nullptr);

protected:
    void CleanupWindow() override;
    void CeOk(TCommandEnabler &enabler);

private:
    TimeSpinEdit *position_;
    long chosen_ = -1;

    DECLARE_RESPONSE_TABLE(MoveCaretDialog);
};

// Runs the box: the modal run, or what a test puts in its place; the dialog's result.
typedef int (*MoveCaretRunner)(MoveCaretDialog &dialog);
MoveCaretRunner SetMoveCaretRunner(MoveCaretRunner runner);
// The box over the view's wave; on OK the caret of the active channels goes to the typed
// place plus the ruler's origin (at most the wave's end), and the view shows it. 1 when it
// moved.
int RunMoveCaretDialog(WaveView &view);
