// The box that stores a wave window's look as one of the six style sets and names sets 1
// to 5; the sets are then written to the style file.
#pragma once

#include "controls/Dialog.h"
#include "foundation/Strings.h"

class DoubleView;

class SaveStyleDialog : public Dialog {
public:
    enum { kResource = 3, kFirstSet = 100, kFirstName = 200, kNameLength = 40 };

    SaveStyleDialog(TWindow *parent, TModule *module);
    // What the box held as it closed: the chosen set and the names of sets 1 to 5.
    int GetChosenSet() const { return chosen_; }
    String const &GetName(int set) const { return names_[set]; }
    // Fills in the answers as the user would (a test's runner).
    void Choose(int set, String const names[6]);

protected:
    void SetupWindow() override;
    void CleanupWindow() override;

private:
    int chosen_ = 0;
    String names_[6];
};

typedef int (*SaveStyleRunner)(SaveStyleDialog &dialog);
// Installs a runner (null: the modal run again); returns the previous one.
SaveStyleRunner SetSaveStyleRunner(SaveStyleRunner runner);
// Runs the box for a window; on OK the chosen set takes the window's look and the sets are
// saved (a failure to save passes on). 1 on OK.
int RunSaveStyleDialog(DoubleView &window);
// Style set k takes the look of a window's views (the main view's level scale).
void StoreWindowStyle(DoubleView &window, int set);
