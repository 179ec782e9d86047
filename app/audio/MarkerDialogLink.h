// The marker dialog, which the wave window registers. The marker set runs it when it
// makes a CD track from a selection; until one is registered the preset choice is taken
// as if the user had pressed OK.
#pragma once

#include "foundation/Strings.h"

class MarkerSet;

// What the dialog starts from and, on OK, what the user chose.
struct MarkerChoice {
    String name;
    int type = 0;
    int autoName = 0;
    int locked = 0;
    int endOnCdFrame = 0;
};

class MarkerDialogLink {
public:
    virtual ~MarkerDialogLink() {}

    // The dialog for marker index of markers, or with index -1 for a new marker at
    // position; allowedTypes has bit t set for each type the user may choose. 1 on OK
    // with choice filled in, 0 on Cancel.
    virtual int RunMarkerDialog(MarkerSet &markers, int index, int position, MarkerChoice &choice,
                                int allowedTypes) = 0;
};

// The registered dialog, else one that answers OK at once.
MarkerDialogLink &TheMarkerDialog();
// Registers a dialog (null: none); returns the one registered before.
MarkerDialogLink *SetMarkerDialogLink(MarkerDialogLink *link);
