// The double view's marker commands: adding a marker at the caret with and without the
// marker dialog, editing the current marker and filtering the marker types shown.
#include "waveview/DoubleView.h"

#include "audio/Wave.h"
#include "core/Application.h"
#include "foundation/Exception.h"
#include "waveview/MarkerCommands.h"
#include "waveview/MarkerFilterDialog.h"

namespace {

void Warn(AException const &e) { GetApplicationObject()->WarnUser(e, 1); }

}  // namespace

void DoubleView::CmAddMarker(uint id) {
    try {
        AddMarkerAtCaret(*wave_, id == kCmAddMarker);
    } catch (AException const &e) {
        Warn(e);
    }
}

void DoubleView::CmEditMarker() {
    try {
        int index = GetCurrentMarker(*wave_);
        if (index >= 0)
            EditMarker(*wave_, index, 0);
    } catch (AException const &e) {
        Warn(e);
    }
}

void DoubleView::CeEditMarker(TCommandEnabler &ce) { ce.Enable(GetCurrentMarker(*wave_) >= 0); }

void DoubleView::CmFilterMarkers() { RunFilterDialog(*wave_); }
