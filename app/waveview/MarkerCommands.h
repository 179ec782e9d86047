// The marker commands of the wave window: adding a marker at the caret (with or without the
// marker dialog), editing a marker in the dialog, and the marker last chosen in the marker
// window or on a ruler, which the edit command works on. Every change is one undo step.
#pragma once

#include "audio/MarkerSet.h"
#include "audio/WaveUndo.h"
#include "foundation/CriticalSection.h"

class Wave;

// A change of a wave's markers as one undo step: the wave's lock and the transaction for
// its length. Leaving without Commit puts the markers back.
class MarkerEdit {
public:
    MarkerEdit(Wave &wave, int actionMessage);
    MarkerEdit(MarkerEdit const &) = delete;
    MarkerEdit &operator=(MarkerEdit const &) = delete;

    // Records the step; true when the markers changed (also with undo off, when nothing is
    // recorded).
    bool Commit();

private:
    Wave &wave_;
    AutoCriticalSection lock_;
    MarkerSet before_;
    WaveUndoTransaction transaction_;
};

// What a committed change of a wave's markers tells: the set counts as changed (the marker
// window refills) and works out whether it differs from the saved one, the CD programs
// follow, the views redraw.
void TellMarkersChanged(Wave &wave);

// The marker dialog on marker index; typeFixed keeps its type. 1 when the markers changed.
int EditMarker(Wave &wave, int index, int typeFixed);
// A marker at the play position or caret: a drop marker when the preference says so, else
// a plain one. The dialog starts from the last type chosen in it; without it a marker of
// that type standing there already is enough. 1 when the markers changed.
int AddMarkerAtCaret(Wave &wave, int withDialog);

// The marker last chosen (in the marker window or on a ruler) while its wave is open and
// the index is in its set; else -1.
void SetCurrentMarker(Wave const *wave, int index);
int GetCurrentMarker(Wave &wave);
