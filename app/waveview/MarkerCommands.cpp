#include "waveview/MarkerCommands.h"

#include "audio/Marker.h"
#include "audio/Wave.h"
#include "audio/WaveLinks.h"
#include "manager/DocumentManager.h"
#include "waveview/MarkerDialog.h"
#include "waveview/MarkerWindow.h"
#include "waveview/WaveFrame.h"

namespace {

enum : int { kTextEditMarker = 11310, kTextAddMarker = 11312 };

int lastAddedType = -1;  // the type last chosen when adding with the dialog
DocumentID currentWave;
int currentMarker = -1;

int32_t FlagsOf(MarkerChoice const &choice) {
    return (choice.autoName ? Marker::kAutoName : 0) | (choice.locked ? Marker::kLocked : 0) |
           (choice.endOnCdFrame ? Marker::kEndOnCdFrame : 0);
}

MarkerChoice ChoiceOf(Marker const &marker) {
    MarkerChoice choice;
    choice.name = marker.name_;
    choice.type = marker.type_;
    choice.autoName = marker.IsAutoNamed();
    choice.locked = marker.IsLocked();
    choice.endOnCdFrame = (marker.flags_ & Marker::kEndOnCdFrame) != 0;
    return choice;
}

}  // namespace

MarkerEdit::MarkerEdit(Wave &wave, int actionMessage)
    : wave_(wave), lock_(wave.GetLock()), before_(wave.GetMarkers()),
      transaction_(wave, WaveUndoMemento::kMarkers, actionMessage) {}

bool MarkerEdit::Commit() {
    bool changed = !before_.IsEqual(wave_.GetMarkers(), 1);
    transaction_.Commit();
    return changed;
}

void TellMarkersChanged(Wave &wave) {
    wave.GetMarkers().NoteChange();
    TheCdProgramLink().RefreshCdProgramsUsing(wave, nullptr);
    wave.NotifyViews(kNotifyAll);
}

int EditMarker(Wave &wave, int index, int typeFixed) {
    MarkerSet &markers = wave.GetMarkers();
    Marker *marker = markers.GetMarker(index);
    if (!marker)
        return 0;
    int allowed = typeFixed ? 1 << marker->type_ : markers.AllowedTypes(index, marker->position_);
    MarkerChoice choice = ChoiceOf(*marker);
    if (!RunMarkerDialog(markers, index, marker->position_, choice, allowed) || markers.GetMarker(index) != marker)
        return 0;
    bool changed;
    {
        MarkerEdit edit(wave, kTextEditMarker);
        marker->name_ = choice.name;
        marker->type_ = choice.type;
        markers.ShowType(choice.type, 0);
        marker->flags_ = (marker->flags_ & ~Marker::kStoredFlags) | FlagsOf(choice);
        int repair = choice.type != Marker::kTrackEnd && choice.type != Marker::kRangeEnd;
        markers.Validate(repair, 1);
        changed = edit.Commit();
    }
    if (changed)
        TellMarkersChanged(wave);
    return changed;
}

int AddMarkerAtCaret(Wave &wave, int withDialog) {
    MarkerSet &markers = wave.GetMarkers();
    int position = wave.GetPlayOrCaretPosition();
    MarkerChoice choice;
    choice.type = TheWaveFrame().DropsMarkers() ? Marker::kDrop : Marker::kPlain;
    if (withDialog) {
        if (lastAddedType >= 0)
            choice.type = lastAddedType;
        choice.autoName = TheMarkerWindowSettings().lastAutoName;
        if (!RunMarkerDialog(markers, -1, position, choice, markers.AllowedTypes(-1, position)))
            return 0;
        lastAddedType = choice.type;
    } else if (markers.FindMarker(position, choice.type) >= 0) {
        return 0;
    }
    bool changed;
    {
        MarkerEdit edit(wave, kTextAddMarker);
        markers.Add(new Marker(choice.name, position, choice.type, FlagsOf(choice)), 1);
        markers.ShowType(choice.type, 1);
        changed = edit.Commit();
    }
    if (changed)
        TellMarkersChanged(wave);
    return changed;
}

void SetCurrentMarker(Wave const *wave, int index) {
    currentWave = DocumentID(wave);
    currentMarker = wave ? index : -1;
}

int GetCurrentMarker(Wave &wave) {
    if (currentMarker < 0 || currentWave != DocumentID(&wave) || currentMarker >= wave.GetMarkers().GetCount())
        return -1;
    return currentMarker;
}
