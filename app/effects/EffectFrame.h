// The frame every effect routine runs in: it refuses what no effect can take (more than
// two channels, a busy wave), holds the wave's busy word, keeps an undo step open, splices
// the work wave that holds the result into the wave, and finally redraws, records the step
// and has the playback read the new samples. A routine that leaves the frame without
// Finish (an error, the user's cancel) leaves the wave as it was, with no undo entry.
#pragma once

#include "audio/AudioObject.h"
#include "audio/WaveUndo.h"

class Wave;

// What an effect tells the frame about itself.
struct EffectAction {
    int message;  // the undo step's name and the progress title
    int undoFlags = WaveUndoMemento::kSamples;
};

// The wave's busy word for an effect: taken while nobody holds it, joined by an effect that
// runs inside one holding it (the crossfade's fades and mix), else refused (11196).
class EffectBusyHold {
public:
    explicit EffectBusyHold(Wave &wave);
    ~EffectBusyHold();
    EffectBusyHold(EffectBusyHold const &) = delete;
    EffectBusyHold &operator=(EffectBusyHold const &) = delete;

private:
    AudioObject::BusyHold hold_;
    Wave *outer_;
};

class EffectFrame {
public:
    // The range is kept inside the wave (none when last < first), the channels to those it
    // has; first to last inclusive.
    EffectFrame(Wave &wave, int channels, int first, int last, int recordUndo, EffectAction const &action);
    EffectFrame(EffectFrame const &) = delete;
    EffectFrame &operator=(EffectFrame const &) = delete;

    Wave &GetWave() const { return wave_; }
    int GetChannels() const { return channels_; }
    int GetFirst() const { return first_; }
    int GetLast() const { return last_; }
    int GetFrames() const { return last_ - first_ + 1; }
    EffectAction const &GetAction() const { return action_; }
    // Waves deeper than 16 bits are computed on the 24-bit scale, so that none of their bits
    // is lost; others on the 16-bit scale.
    bool IsWide() const;
    int32_t MaxSample() const { return IsWide() ? 8388607 : 32767; }
    int32_t MinSample() const { return -MaxSample() - 1; }

    // The work wave's frames take the place of the range's frames in the processed channels.
    void ReplaceRange(Wave &work);
    // ... of a range that changed its length: the markers inside stretch and those after it
    // move, the CD programs that use the wave follow; the new range becomes the selection
    // when select is set, else the selection goes.
    void ReplaceRangeResized(Wave &work, int frames, int select);
    // Redraws the views (when asked), records the undo step and flushes the playback.
    void Finish(int redraw);

private:
    Wave &wave_;
    EffectBusyHold busy_;
    WaveUndoTransaction transaction_;
    EffectAction action_;
    int channels_;
    int first_;
    int last_;
};
