#include "audio/AudioObject.h"

#include "audio/PlaybackLink.h"
#include "core/MessageBoxSeam.h"
#include "foundation/MessageCatalogue.h"
#include "foundation/RangeInt32.h"
#include "manager/DocumentManager.h"

#include <algorithm>
#include <cstdint>

namespace {

enum { kTextObjectBusy = 11196 };

// Playback setting: a change of the selection stops the playback instead of re-queueing.
enum { kStopOnSelectionChange = 2 };

int Clamp(int value, int lo, int hi) { return std::min(std::max(value, lo), hi); }

}  // namespace

// ---- BusyHold

AudioObject::BusyHold::BusyHold(AudioObject &object, Kind kind) : object_(object), held_(true) {
    if (kind == kJoin)
        object_.Hold();
    else
        held_ = object_.TryLock() != 0;
}

AudioObject::BusyHold::~BusyHold() {
    if (held_)
        object_.Unlock();
}

// ---- AudioObject

AudioObject::AudioObject(SamplePattern const &pattern) : ASampleProvider(pattern) {}

AudioObject::~AudioObject() = default;

int AudioObject::GetSelectedChannels() const { return selectionStart_ >= 0 ? activeChannels_ & 3 : 0; }

int AudioObject::GetPlayStart() const { return playStart_ < GetLength() - 1 ? playStart_ : 0; }

int AudioObject::CheckNotBusy(int show) {
    if (busy_ == 0)
        return 1;
    if (show)
        ShowMessageBox(0, String(FindString(kTextObjectBusy)).c_str(), _docManager ? _docManager->GetName() : "",
                       MB_ICONHAND | MB_TASKMODAL);
    return 0;
}

int AudioObject::IsReleasePending() const { return 0; }

int AudioObject::TryLock() {
    int32_t free = 0;
    return busy_.compare_exchange_strong(free, 1) ? 1 : 0;
}

void AudioObject::Hold() { ++busy_; }

void AudioObject::Unlock() {
    int32_t holds = busy_;
    while (holds > 0 && !busy_.compare_exchange_weak(holds, holds - 1)) {
    }
}

void AudioObject::PostReleaseRequest(int) {}

void AudioObject::Play(int useEngine, int mode, int first, int count, void const *tag) {
    int length = GetLength();
    if (length == 0)
        return;
    playPending_ = 0;
    if (IsReleasePending())
        return;
    PlaybackLink &playback = ThePlayback();
    PlayRequest request;
    request.source = this;
    request.channelMask = AllChannelsMask(GetNumChannels());
    if (GetNumChannels() == 2)
        request.channelMask &= playback.GetPlayChannels();
    request.outputBits = playback.GetOutputBits();
    request.useEngine = playback.GetUseEngine() && useEngine;
    request.loop = loop_;
    request.mode = mode;
    request.ownerTag = tag;
    request.start = PlayStartFrame(mode, first);
    if (mode == kPlayRange)
        request.end = int32_t(std::min<int64_t>(int64_t(first) + count, INT32_MAX));
    playback.Play(request);
}

// The first frame of a play request by its mode. The play start follows every mode but
// from-the-caret.
int AudioObject::PlayStartFrame(int mode, int first) {
    int length = GetLength();
    switch (mode) {
    case kPlayFromCaret: {
        // Within a quarter of a second of the end there is too little to hear: from the start.
        int64_t lastCaret = int64_t(length) - GetRate() / 4 - 1;
        return caret_ < lastCaret ? caret_ : 0;
    }
    case kPlaySelection: return selectionStart_ < 0 ? 0 : playStart_ = selectionStart_;
    case kPlayRange: return playStart_ = first;
    default: return first < length ? playStart_ = first : 0;
    }
}

void AudioObject::SetPlayStart(int position, int keep) {
    if (keep)
        return;
    if (position >= 0)
        playStart_ = position;
    else
        playStart_ = selectionStart_ >= 0 && selectionStart_ < playStart_ ? selectionStart_ : 0;
}

void AudioObject::RedrawRange(int, int) {}

int AudioObject::GetActiveChannels() { return activeChannels_ &= AllChannelsMask(GetNumChannels()); }

bool AudioObject::HasSelection() { return (GetActiveChannels() & 3) && selectionStart_ >= 0; }

bool AudioObject::HasSelectionIn(int bits) { return (bits & GetActiveChannels()) && selectionStart_ >= 0; }

bool AudioObject::HasSelectionIn(ChannelSide side) { return HasSelectionIn(side == ChannelSide::Right ? 2 : 1); }

bool AudioObject::IsChannelActive(int index) { return GetActiveChannels() & ChannelBitOfIndex(index); }

bool AudioObject::AreBothChannelsActive() { return GetActiveChannels() == 3; }

bool AudioObject::IsOneChannelActive() {
    int active = GetActiveChannels();
    return active != 0 && active != 3;
}

int AudioObject::GetSelectionLength() const { return selectionStart_ >= 0 ? selectionEnd_ - selectionStart_ + 1 : 0; }

bool AudioObject::IsSelectionToEnd(int bits) {
    return selectionStart_ == 0 && selectionEnd_ == GetLength() - 1 && (bits & GetActiveChannels());
}

void AudioObject::SetSelection(int first, int last, int channels, int redraw) {
    int length = GetLength();
    if (length == 0)
        return;
    // Both ends inside the object, so that a selection never runs backwards.
    int start = Clamp(std::min(first, last), 0, length - 1);
    int end = Clamp(std::max(first, last), 0, length - 1);
    bool channelsChanged = channels != GetActiveChannels();
    bool rangeChanged = start != selectionStart_ || end != selectionEnd_;
    if (!channelsChanged && !rangeChanged)
        return;
    RangeInt32 oldRange = SelectionRange();
    selectionStart_ = start;
    selectionEnd_ = end;
    activeChannels_ = channels;
    FollowSelectionInPlayback(rangeChanged);
    if (redraw)
        RedrawSelectionChange(oldRange, SelectionRange(), channelsChanged);
}

// A playing object plays its new range: the playback re-queues (it reads the range
// stored), or stops when the settings say so.
void AudioObject::FollowSelectionInPlayback(bool rangeChanged) {
    if (!rangeChanged || !IsPlaying())
        return;
    PlaybackLink &playback = ThePlayback();
    if (playback.GetPlayMode() == kStopOnSelectionChange)
        playback.StopAndWait();
    else
        playback.RequeueFrom(-1, 0);
}

// Only the frames whose look changed: the parts of the two ranges outside their common
// part; when the channels changed, both ranges whole.
void AudioObject::RedrawSelectionChange(RangeInt32 oldRange, RangeInt32 newRange, bool channelsChanged) {
    if (oldRange.IsValid() && oldRange.OverlapsWith(newRange)) {
        if (channelsChanged) {
            newRange |= oldRange;
            oldRange.Invalidate();
        } else {
            ExcludeIntersection(oldRange, newRange);
        }
    }
    for (RangeInt32 const &piece : {oldRange, newRange})
        if (piece.IsValid())
            RedrawWidened(piece);
}

RangeInt32 AudioObject::SelectionRange() const {
    return selectionStart_ >= 0 ? RangeInt32(selectionStart_, selectionEnd_) : RangeInt32(1, 0);
}

void AudioObject::RedrawWidened(RangeInt32 const &range) {
    int last = GetLength() - 1;
    RedrawRange(Clamp(range.left - 1, 0, last), Clamp(range.right + 1, 0, last));
}

void AudioObject::SetSelectionStart(int position) {
    int end = selectionStart_ >= 0 && selectionEnd_ >= position ? selectionEnd_ : GetLength() - 1;
    SetSelection(position, end, GetActiveChannels(), 1);
}

void AudioObject::SetSelectionEnd(int position) {
    int start = selectionStart_ >= 0 && position >= selectionStart_ ? selectionStart_ : 0;
    SetSelection(start, position, GetActiveChannels(), 1);
}

void AudioObject::ClearSelection(int redraw) {
    if (selectionStart_ < 0)
        return;
    RangeInt32 old = SelectionRange();
    previousStart_ = selectionStart_;
    previousEnd_ = selectionEnd_;
    selectionStart_ = selectionEnd_ = -1;
    level_ = kFullLevel;
    if (redraw)
        RedrawWidened(old);
    if (IsPlaying())
        ThePlayback().RequeueFrom(-1, 0);
}

void AudioObject::SetLevel(int level, int redraw) {
    level = Clamp(level, 1, kFullLevel);
    if (level == level_)
        return;
    level_ = level;
    if (redraw && selectionStart_ >= 0)
        RedrawWidened(SelectionRange());
}

bool AudioObject::IsPlaying() const { return ThePlayback().IsPlaying(this); }

int AudioObject::GetPlayOrCaretPosition() const { return IsPlaying() ? ThePlayback().GetPosition() : caret_; }
