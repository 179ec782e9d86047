#include "effects/EffectFrame.h"

#include "audio/Wave.h"
#include "audio/WaveLinks.h"
#include "foundation/Exception.h"
#include "foundation/MessageCatalogue.h"

#include <algorithm>

namespace {

enum : unsigned {
    kTextTooManyChannels = 11065,
    kTextObjectBusy = 11196,
};

// The wave the running effect holds; effects run on the GUI thread only.
Wave *_heldByEffect = nullptr;

Wave &Accepted(Wave &wave) {
    if (wave.GetNumChannels() > 2)
        throw Exception(String(BuildString(int(kTextTooManyChannels), wave.GetNumChannels())));
    return wave;
}

}  // namespace

// ---- EffectBusyHold

EffectBusyHold::EffectBusyHold(Wave &wave)
    : hold_(wave, _heldByEffect == &wave ? AudioObject::BusyHold::kJoin : AudioObject::BusyHold::kTakeWhenFree),
      outer_(_heldByEffect) {
    if (!hold_.Held())
        throw Exception(String(FindString(kTextObjectBusy)));
    _heldByEffect = &wave;
}

EffectBusyHold::~EffectBusyHold() { _heldByEffect = outer_; }

// ---- EffectFrame

EffectFrame::EffectFrame(Wave &wave, int channels, int first, int last, int recordUndo, EffectAction const &action)
    : wave_(Accepted(wave)), busy_(wave), transaction_(wave, action.undoFlags, action.message, 0, 0, recordUndo),
      action_(action), channels_(channels & AllChannelsMask(wave.GetNumChannels())), first_(std::max(first, 0)),
      last_(std::min(last, wave.GetLength() - 1)) {
    if (last_ < first_)
        last_ = first_ - 1;
}

bool EffectFrame::IsWide() const { return wave_.GetBits() > 16; }

void EffectFrame::ReplaceRange(Wave &work) { wave_.ReplaceFrom(first_, channels_, work, 0); }

// The markers get the end past the range, as every stretch of the set does.
void EffectFrame::ReplaceRangeResized(Wave &work, int frames, int select) {
    wave_.InsertFrom(first_, last_, channels_, work, frames);
    wave_.UpdateLength(1);
    MarkerSet &markers = wave_.GetMarkers();
    markers.StretchRange(first_, last_ + 1, frames);
    markers.Validate(0, 1);
    markers.UpdateModified();
    TheCdProgramLink().RefreshCdProgramsUsing(wave_, nullptr);
    if (select && frames > 0)
        wave_.SetSelection(first_, first_ + frames - 1, channels_, 0);
    else
        wave_.ClearSelection(0);
}

void EffectFrame::Finish(int redraw) {
    if (redraw)
        wave_.NotifyRedrawAll();
    transaction_.Commit();
    wave_.PostFlushPlayback();
}
