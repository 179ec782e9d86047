#include "audio/WaveUndo.h"

#include "audio/AudioFile.h"
#include "audio/PlaybackLink.h"
#include "audio/Wave.h"
#include "audio/WaveLinks.h"
#include "foundation/CriticalSection.h"
#include "foundation/MessageCatalogue.h"

namespace {

enum : unsigned long { kBaseMemory = 100, kSegmentMemory = 44, kMarkerMemory = 16 };

}  // namespace

// ---- WaveUndoMemento

WaveUndoMemento::WaveUndoMemento(Wave &wave, int flags, String const &name, int instance, int packable)
    : WaveUndoMemento(wave, flags, name, instance, packable, true) {}

WaveUndoMemento::WaveUndoMemento(Wave &wave, int flags, String const &name, int instance, int packable, bool copyLists)
    : AUndoMemento(name, instance, packable, 1) {
    TakeSnapshot(wave, flags, copyLists);
}

void WaveUndoMemento::TakeSnapshot(Wave &wave, int flags, bool copyLists) {
    AutoCriticalSection lock(wave.GetLock());
    if (flags & kSamples) {
        lists_.reset(new ElementList);
        for (int c = 0; c < 2; ++c)
            lists_->Append(copyLists ? new VirtualWave(wave.GetChannel(c)) : new VirtualWave(TheSegmentFactory()));
        pattern_ = wave;
        firstFile_ = wave.firstFile_;
        secondFile_ = wave.secondFile_;
        activeChannels_ = wave.activeChannels_;
        caret_ = wave.GetPlayOrCaretPosition();
        selectionStart_ = wave.selectionStart_;
        selectionEnd_ = wave.selectionEnd_;
        level_ = wave.level_;
    }
    if (flags & kMarkers)
        markers_.reset(new MarkerSet(wave.markers_));
    flags_ = flags;
}

unsigned long WaveUndoMemento::GetInvolvedMemory() const {
    unsigned long bytes = kBaseMemory;
    if ((flags_ & kSamples) && lists_)
        bytes += kSegmentMemory * static_cast<unsigned long>(lists_->SumOfSegmentCounts());
    if ((flags_ & kMarkers) && markers_)
        bytes += kMarkerMemory * static_cast<unsigned long>(markers_->GetCount());
    return bytes;
}

int WaveUndoMemento::CountSegmentsOf(AudioFile const &file) const {
    if (!(flags_ & kSamples) || !lists_)
        return 0;
    MPhysicalFileElement const *element = &file;
    int count = 0;
    for (VirtualWave *w = lists_->GetFirst(); w; w = lists_->GetNext(w))
        for (AFileSegment *s = w->GetFirst(); s; s = s->next_)
            count += s->fileElement_ == element;
    return count;
}

int WaveUndoMemento::IsEqual(AUndoMemento const &other) const {
    WaveUndoMemento const *o = dynamic_cast<WaveUndoMemento const *>(&other);
    return o && o->flags_ == flags_ && SameState(*this, *o);
}

bool WaveUndoMemento::HoldsStateOf(Wave const &wave) const {
    AutoCriticalSection lock(wave.GetLock());
    return SameState(*this,
                     WaveUndoMemento::Parts{wave.channels_, wave, wave.firstFile_, wave.secondFile_, &wave.markers_});
}

WaveUndoMemento::Parts::Parts(WaveUndoMemento const &m)
    : lists(m.lists_.get()), pattern(m.pattern_), firstFile(m.firstFile_), secondFile(m.secondFile_),
      markers(m.markers_.get()) {}

bool WaveUndoMemento::SameState(Parts const &a, Parts const &b) const {
    if (flags_ & kSamples) {
        if (!a.lists || !b.lists || !ElementList::AreEqual(*a.lists, *b.lists))
            return false;
        if (!a.pattern.IsSameFormat(b.pattern) || a.firstFile != b.firstFile || a.secondFile != b.secondFile)
            return false;
    }
    return !(flags_ & kMarkers) || (a.markers && b.markers && a.markers->IsEqual(*b.markers, 1));
}

// ---- WaveUndoTransaction

WaveUndoTransaction::WaveUndoTransaction(Wave &wave, int flags, int actionMessage, int instance, int packable,
                                         int enable)
    : wave_(wave), actionName_(FindString(static_cast<unsigned>(actionMessage))), flags_(flags), instance_(instance),
      packable_(packable), enable_(enable) {
    pending_.reset(new WaveUndoMemento(wave, flags, actionName_, instance, packable));
}

WaveUndoTransaction::~WaveUndoTransaction() {
    if (!pending_)
        return;
    try {
        wave_.RestoreState(*pending_, nullptr);
    } catch (...) {
        // The edit's own exception is on its way; this one cannot follow it.
    }
    pending_.reset();
    TellRolledBack(wave_);
}

int WaveUndoTransaction::Commit() {
    if (!pending_)
        return 0;
    if (!enable_ || !wave_.IsUndoEnabledFor(actionName_)) {
        pending_.reset();
        return 0;
    }
    // What AdoptMementoIfDifference does with a snapshot of the wave now, without making one.
    if (pending_->HoldsStateOf(wave_)) {
        pending_.reset();
        return 0;
    }
    wave_.AdoptMemento(pending_.release());
    return 1;
}

void WaveUndoTransaction::TellRolledBack(Wave &wave) {
    try {
        wave.NotifyViews(kNotifyAll);
        wave.PostFlushPlayback();
    } catch (...) {
        // A view or the poster failing cannot stop a rollback.
    }
}

// ---- the wave's side

// The copies are made before anything changes, so that a failure leaves the wave as it was.
// The lists the wave had go to old when given (empty lists of its own), else they go.
void Wave::RestoreState(WaveUndoMemento const &memento, WaveUndoMemento *old) {
    AutoCriticalSection lock(GetLock());
    std::unique_ptr<VirtualWave> copies[2];
    std::unique_ptr<MarkerSet> markers;
    bool samples = (memento.flags_ & WaveUndoMemento::kSamples) != 0;
    if (samples && memento.lists_)
        for (int c = 0; c < 2; ++c)
            copies[c].reset(new VirtualWave(*(*memento.lists_)[c]));
    if ((memento.flags_ & WaveUndoMemento::kMarkers) && memento.markers_)
        markers.reset(new MarkerSet(*memento.markers_));
    if (samples) {
        for (int c = 0; c < 2 && copies[c]; ++c) {
            VirtualWave &channel = GetChannel(c);
            if (old && old->lists_) {
                VirtualWave &kept = *(*old->lists_)[c];
                kept.tag_ = channel.tag_;
                kept.scale_ = channel.scale_;
                kept.SwapSegments(channel);
            }
            channel.tag_ = copies[c]->tag_;
            channel.scale_ = copies[c]->scale_;
            channel.SwapSegments(*copies[c]);
        }
        static_cast<SamplePattern &>(*this) = memento.pattern_;
        firstFile_ = memento.firstFile_;
        secondFile_ = memento.secondFile_;
        fileCount_ = (firstFile_ ? 1 : 0) + (secondFile_ ? 1 : 0);
        activeChannels_ = memento.activeChannels_;
        caret_ = memento.caret_;
        selectionStart_ = memento.selectionStart_;
        selectionEnd_ = memento.selectionEnd_;
        level_ = memento.level_;
    }
    if (markers)
        markers_ = *markers;
}

AUndoMemento *Wave::ApplyUndoMemento(AUndoMemento *step, int) {
    WaveUndoMemento const &memento = static_cast<WaveUndoMemento const &>(*step);
    std::unique_ptr<WaveUndoMemento> opposite(new WaveUndoMemento(*this, memento.flags_, memento.GetActionName(),
                                                                  memento.GetActionInstance(), memento.IsPackable()));
    uint32_t rate = GetRate();
    bool rateChanged = (memento.flags_ & WaveUndoMemento::kSamples) && memento.pattern_.GetRate() != rate;
    RestoreState(memento);
    NotifyViews(kNotifyAll);
    if (!rateChanged)
        PostFlushPlayback();
    else if (IsPlaying())
        RestartPlayback(rate);
    if (memento.flags_ & WaveUndoMemento::kMarkers) {
        TheCdProgramLink().RefreshCdProgramsUsing(*this, nullptr);
        markers_.NoteChange();
    }
    return opposite.release();
}

// Frames of the old rate are not frames of the new one: the playback starts again where
// it was in time.
void Wave::RestartPlayback(uint32_t oldRate) {
    PlaybackLink &playback = ThePlayback();
    int64_t position = playback.GetPosition();
    if (oldRate)
        position = position * GetRate() / oldRate;
    playback.StopAndWait();
    Play(playback.GetUseEngine(), kPlayFromFrame, int(position), 0, nullptr);
}
