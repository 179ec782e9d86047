// The frame every undoable edit of a wave runs in: the busy hold for its length, the wave's
// lock and the undo transaction. Leaving without Finish puts the wave back as it was.
#pragma once

#include "audio/AudioObject.h"
#include "audio/WaveUndo.h"
#include "foundation/CriticalSection.h"

class Wave;

class WaveEdit {
public:
    // undoFlags and actionMessage as the transaction takes them; undo 0 records no step.
    WaveEdit(Wave &wave, int undoFlags, int actionMessage, int undo);
    WaveEdit(WaveEdit const &) = delete;
    WaveEdit &operator=(WaveEdit const &) = delete;

    // Evens the channels' lengths, tells the views that everything changed (unless told not
    // to), records the step and has the playback read the new data.
    void Finish(int notify = 1);

    // Whether an edit may start: with check, a busy wave tells the user (11196) and refuses.
    static bool MayStart(Wave &wave, int check);

private:
    Wave &wave_;
    AudioObject::BusyHold busy_;
    AutoCriticalSection lock_;
    WaveUndoTransaction transaction_;
};
