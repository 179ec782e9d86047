// Undo steps of a wave. A step holds copies of the two channel lists (no samples: the
// segments keep the audio files alive), the sample pattern, the file pointers, the
// selection fields and, for marker edits, a copy of the markers. Every undoable edit keeps
// a WaveUndoTransaction on its stack: it snapshots the wave first and either records the
// snapshot when the edit commits or puts the wave back when the edit fails.
#pragma once

#include "audio/MarkerSet.h"
#include "audio/SamplePattern.h"
#include "audio/VirtualFile.h"
#include "foundation/Undo.h"

#include <cstdint>
#include <memory>

class AudioFile;
class Wave;

class WaveUndoMemento : public AUndoMemento {
public:
    enum Flags { kSamples = 1, kMarkers = 2, kSamplesAndMarkers = 3 };

    WaveUndoMemento(Wave &wave, int flags, String const &name, int instance, int packable);

    // Bytes: 100, 44 a segment, 16 a marker.
    unsigned long GetInvolvedMemory() const override;
    // Same lists, pattern and files, and same markers: the selection, caret, level and active
    // channels do not count, so a step that changed only them is no change.
    int IsEqual(AUndoMemento const &other) const override;
    int IsComparable() const override { return 1; }

    int GetFlags() const { return flags_; }
    // Segments of the step's channel lists that read the file (none in a step of markers).
    int CountSegmentsOf(AudioFile const &file) const;

private:
    friend class Wave;
    friend class WaveUndoTransaction;

    // What IsEqual compares, of a step or of a wave.
    struct Parts {
        Parts(WaveUndoMemento const &memento);
        Parts(ElementList const &lists, SamplePattern const &pattern, AudioFile *firstFile, AudioFile *secondFile,
              MarkerSet const *markers)
            : lists(&lists), pattern(pattern), firstFile(firstFile), secondFile(secondFile), markers(markers) {}

        ElementList const *lists;
        SamplePattern const &pattern;
        AudioFile *firstFile;
        AudioFile *secondFile;
        MarkerSet const *markers;
    };

    // IsEqual against the wave as it stands, without a copy of it.
    bool HoldsStateOf(Wave const &wave) const;
    bool SameState(Parts const &a, Parts const &b) const;

    // Without copyLists the lists stay empty, to take the wave's own (Wave::RestoreState).
    WaveUndoMemento(Wave &wave, int flags, String const &name, int instance, int packable, bool copyLists);
    void TakeSnapshot(Wave &wave, int flags, bool copyLists);

    std::unique_ptr<ElementList> lists_;
    SamplePattern pattern_;
    AudioFile *firstFile_ = nullptr;  // kept alive by the copied segments
    AudioFile *secondFile_ = nullptr;
    int32_t activeChannels_ = 0;
    int32_t caret_ = 0;
    int32_t selectionStart_ = -1;
    int32_t selectionEnd_ = -1;
    int32_t level_ = 0;
    std::unique_ptr<MarkerSet> markers_;
    int32_t flags_ = 0;
};

class WaveUndoTransaction {
public:
    // The snapshot is taken whether or not undo is on: a failing edit is always undone.
    // enable 0 records nothing.
    WaveUndoTransaction(Wave &wave, int flags, int actionMessage, int instance = 0, int packable = 0, int enable = 1);
    // Without a commit: the wave is put back, its views told (0) and its playback flushed.
    ~WaveUndoTransaction();
    WaveUndoTransaction(WaveUndoTransaction const &) = delete;
    WaveUndoTransaction &operator=(WaveUndoTransaction const &) = delete;

    // Records the snapshot when undo is on for the action and the wave changed; 1 when
    // recorded.
    int Commit();

    // What a rolled-back wave tells: its views (0) and the playback; never throws.
    static void TellRolledBack(Wave &wave);

private:
    Wave &wave_;
    std::unique_ptr<WaveUndoMemento> pending_;
    String actionName_;
    int flags_;
    int instance_;
    int packable_;
    int enable_;
};
