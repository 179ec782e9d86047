// The marker dialog: the name, the type, and the automatic-name, locked and end-on-CD-frame
// boxes of a new or an existing marker. The automatic name shown is the one validation
// would give the marker, worked out on a copy of the set.
#pragma once

#include "audio/MarkerDialogLink.h"
#include "controls/Dialog.h"

class MarkerSet;

class MarkerDialog : public Dialog {
public:
    enum {
        kResource = 43,
        kName = 100,
        kFirstType = 101,  // 101-106: types 0 to 5
        kLastType = 106,
        kEndOnCdFrame = 149,
        kLocked = 150,
        kAutoName = 200,
        kNameLabel = 2001,
        kNameLength = 255,
    };

    // For marker index of markers, or with index -1 for a new marker at position; choice
    // holds the starting values, allowedTypes bit t for each type the user may choose.
    MarkerDialog(TWindow *parent, MarkerSet &markers, int index, int position, MarkerChoice const &choice,
                 int allowedTypes, TModule *module);

    // The checked type, -1 when none.
    int GetCheckedType();
    // What OK does before the dialog closes: 1 with the choice filled in, or 0 (a new
    // marker of a type not allowed, whose group is then shown).
    int Accept();
    int IsAccepted() const { return accepted_; }
    MarkerChoice const &GetChoice() const { return choice_; }

    // The name validation gives a marker of type with the automatic-name flag at this
    // dialog's place in a copy of the set; empty when it would not survive.
    String AutomaticName(int type) const;

protected:
    void SetupWindow() override;
    void CmType(uint id);
    void CmAutoName();
    void CmOk();

private:
    void ShowAutomaticName();
    // Box 149 as a click on the type sets it.
    void FollowTypeWithCdFrameBox(int type);
    void SetCheckBox(int id, int checked, int enabled);
    // The name edit and its label while the automatic name is off; OK while a type is chosen.
    void EnableControls();
    int IsBoxChecked(int id);

    MarkerSet &markers_;
    int index_;
    int position_;
    int allowed_;
    MarkerChoice choice_;
    String typedName_;
    int accepted_ = 0;

    DECLARE_RESPONSE_TABLE(MarkerDialog);
};

// Runs the dialog: the modal run, or what a test puts in its place; the run's result.
typedef int (*MarkerDialogRunner)(MarkerDialog &dialog);
// Installs a runner (null: the modal run again); returns the previous one.
MarkerDialogRunner SetMarkerDialogRunner(MarkerDialogRunner runner);

// The dialog over the main window: 1 on OK with choice filled in, else 0 (choice as it was).
int RunMarkerDialog(MarkerSet &markers, int index, int position, MarkerChoice &choice, int allowedTypes);

// Makes the marker set ask this dialog (a CD track made from a selection); the link it
// replaces.
MarkerDialogLink *RegisterMarkerDialog();
