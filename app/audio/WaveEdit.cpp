#include "audio/WaveEdit.h"

#include "audio/Wave.h"

WaveEdit::WaveEdit(Wave &wave, int undoFlags, int actionMessage, int undo)
    : wave_(wave), busy_(wave, AudioObject::BusyHold::kJoin), lock_(wave.GetLock()),
      transaction_(wave, undoFlags, actionMessage, 0, 0, undo) {}

void WaveEdit::Finish(int notify) {
    wave_.UpdateLength(1);
    if (notify)
        wave_.NotifyViews(kNotifyAll);
    transaction_.Commit();
    wave_.PostFlushPlayback();
}

bool WaveEdit::MayStart(Wave &wave, int check) { return !check || wave.CheckNotBusy(1); }
