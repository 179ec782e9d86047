// The edit primitives every sample operation is built on: splicing the segments of a
// source wave into this one, evening the channels' lengths, and putting a whole audio file
// into a wave.
#include "audio/Wave.h"

#include "audio/AudioFile.h"
#include "audio/MainWindowPoster.h"
#include "audio/WaveLinks.h"
#include "audio/WaveUndo.h"
#include "foundation/CriticalSection.h"
#include "foundation/Exception.h"
#include "foundation/MessageCatalogue.h"

#include <memory>

namespace {

enum { kTextOtherRate = 10062 };

}  // namespace

int Wave::UpdateLength(int rethrow) {
    AutoCriticalSection lock(GetLock());
    try {
        if (GetNumChannels() < 2)
            return GetChannel(0).DropTrailingSilence();
        return EqualizeLengths(GetChannel(0), GetChannel(1));
    } catch (...) {
        if (rethrow)
            throw;
        return 0;
    }
}

void Wave::CutTo(int count) {
    if (count < 1 || count >= GetLength())
        return;
    for (int c = 0; c < 2; ++c)
        GetChannel(c).Remove(count, GetChannel(c).GetLength() - 1);
    UpdateLength(1);
}

// Channel 1 takes the source's channel 1 only when both channels are asked for and the
// source has two.
int Wave::RightFeed(int channels) const { return (channels & 1) && GetNumChannels() == 2 ? 1 : 0; }

// A mono wave's channel 1 stays empty whatever the caller asks.
void Wave::ReplaceFrom(int position, int channels, Wave &source, int count) {
    AutoCriticalSection lock(GetLock());
    AutoCriticalSection sourceLock(source.GetLock());
    channels &= AllChannelsMask(GetNumChannels());
    source.CutTo(count);
    if (channels & 1)
        GetChannel(0).Overwrite(source.GetChannel(0), position);
    if (channels & 2)
        GetChannel(1).Overwrite(source.GetChannel(source.RightFeed(channels)), position);
    source.GetChannel(0).Clear();
    source.GetChannel(1).Clear();
}

void Wave::InsertFrom(int position, int last, int channels, Wave &source, int count) {
    AutoCriticalSection lock(GetLock());
    AutoCriticalSection sourceLock(source.GetLock());
    channels &= AllChannelsMask(GetNumChannels());
    source.CutTo(count);
    for (int c = 0; c < 2; ++c) {
        if (!(channels & ChannelBitOfIndex(c)))
            continue;
        GetChannel(c).Remove(position, last);
        GetChannel(c).Insert(source.GetChannel(c == 1 ? source.RightFeed(channels) : 0), position);
    }
    source.GetChannel(0).Clear();
    source.GetChannel(1).Clear();
}

// The wave is snapshot before anything changes and put back on any failure; the step is
// recorded only once the insertion stands, the views know and the playback was told.
int Wave::InsertAudioFile(int position, int last, int channels, AudioFile *file, MarkerSet *markers, int asNew,
                          int undo, String const &actionName) {
    std::unique_ptr<MarkerSet> givenMarkers(markers);
    AutoCriticalSection lock(GetLock());
    std::unique_ptr<WaveUndoMemento> before;
    try {
        if (!asNew) {
            if (file->GetRate() != GetRate())
                throw Exception(String(FindString(kTextOtherRate)));
            before.reset(new WaveUndoMemento(*this, WaveUndoMemento::kSamplesAndMarkers, actionName, 0, 0));
        }
        std::unique_ptr<Wave> over(CreateWaveFromFile(file, nullptr, 0, nullptr, 0));
        over->ForgetSavedState();
        std::unique_ptr<Wave> created;
        Wave *target = this;
        if (asNew) {
            SamplePattern pattern(*this);
            pattern.SetRate(file->GetRate());
            pattern.SetNumChannels(file->GetNumChannels());
            created.reset(CreateEmptyWave(pattern));
            target = created.get();
            channels = AllChannelsMask(pattern.GetNumChannels());
            last -= position;
            position = 0;
        }
        target->InsertFrom(position, last, channels, *over, 0);
        target->SetRate(file->GetRate());
        target->UpdateLength(1);
        target->busy_.exchange(0);
        over.reset();
        if (asNew) {
            if (givenMarkers) {
                target->markers_ = *givenMarkers;
                target->markers_.Validate(1, 1);
                target->markers_.CopyToSaved(target->savedMarkers_);
            }
            TheWaveWindowLink().OpenWaveWindow(*created, nullptr);
            created.release();
            return 1;
        }
        SetSelection(position, position + file->GetLength() - 1, channels, 0);
        NotifyViews(kNotifyAll);
        PostFlushPlayback();
        if (undo && IsUndoEnabledFor(actionName))
            AdoptMemento(before.release());
        return 1;
    } catch (AException const &e) {
        if (!asNew)
            busy_.exchange(0);
        if (before) {
            RestoreState(*before);
            before.reset();
            WaveUndoTransaction::TellRolledBack(*this);
        }
        WarnAudioFileUser(e);
        return 0;
    }
}

// ---- telling the GUI thread

void Wave::PostFlushPlayback() { ThePoster().PostInterThreadMessage(new MessFlushPlayback(this, this)); }

void Wave::PostReleaseRequest(int suppress) {
    if (suppress || !transient_)
        return;
    releasePending_ = 1;
    ThePoster().PostReleaseRequest(this, GetId());
}
