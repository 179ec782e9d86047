// The multi-paste box: how many times the clipboard goes in at the caret (1 to 1000).
#pragma once

#include "controls/Dialog.h"

class TRangeSpinEdit;

class MultiPasteDialog : public Dialog {
public:
    enum { kResource = 7, kCountEdit = 900, kLowest = 1, kHighest = 1000 };

    MultiPasteDialog(TWindow *parent, TModule *module);
    // The count typed, 0 when it is not a whole number in the range.
    int GetCount();
    // The count as the box closed.
    int GetChosenCount() const { return chosen_; }

protected:
    void CleanupWindow() override;
    void CeOk(TCommandEnabler &enabler);

private:
    TRangeSpinEdit *count_;
    int chosen_ = 0;

    DECLARE_RESPONSE_TABLE(MultiPasteDialog);
};

// Runs the box: the modal run, or what a test puts in its place; the dialog's result.
typedef int (*MultiPasteRunner)(MultiPasteDialog &dialog);
// Installs a runner (null: the modal run again); returns the previous one.
MultiPasteRunner SetMultiPasteRunner(MultiPasteRunner runner);
// The count on OK, else -1.
int RunMultiPasteDialog(TWindow *parent);
