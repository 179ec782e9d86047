#include "engine/PlayQueue.h"

#include <algorithm>

int FrameEvent::Compare(CollectionElement const &other, int) const {
    uint32_t them = static_cast<FrameEvent const &>(other).position_;
    return position_ < them ? -1 : position_ > them ? 1 : 0;
}

// ---- PositionHistory

void PositionHistory::Reset() {
    count_ = 0;
    writeIndex_ = 0;
}

void PositionHistory::Add(uint32_t streamOffset, int32_t sourcePosition) {
    entries_[writeIndex_] = {streamOffset, sourcePosition};
    writeIndex_ = (writeIndex_ + 1) % kCapacity;
    count_ = std::min(count_ + 1, int32_t(kCapacity));
}

bool PositionHistory::Find(uint32_t streamOffset, int32_t &sourcePosition) const {
    for (int i = 1; i <= count_; ++i) {
        Entry const &entry = entries_[(writeIndex_ - i + kCapacity) % kCapacity];
        if (entry.streamOffset <= streamOffset) {
            sourcePosition = int32_t(streamOffset - entry.streamOffset) + entry.sourcePosition;
            return true;
        }
    }
    return false;
}

// ---- PlayQueue

void PlayQueue::AddEvent(uint32_t position, int32_t repeat) {
    AutoCriticalSection lock(lock_);
    events_.InsertInSortedList(new FrameEvent(position, repeat));
}

void PlayQueue::Clear() {
    AutoCriticalSection lock(lock_);
    events_.DeleteAll();
    current_ = nullptr;
}

void PlayQueue::Seek(uint32_t position, int resetRepeats) {
    AutoCriticalSection lock(lock_);
    FrameEvent *at = nullptr;
    for (FrameEvent *e = events_.GetFirst(); e && e->position_ <= position; e = events_.GetNext(e))
        at = e;
    current_ = at;
    currentPosition_ = position;
    if (!at || !NextEvent()) {
        // Outside the list: from its start.
        current_ = events_.GetFirst();
        currentPosition_ = current_ ? current_->position_ : 0;
    }
    if (resetRepeats || (current_ && repeatCount_ >= uint32_t(current_->repeat_)))
        repeatCount_ = 0;
}

void PlayQueue::ResetHistory() {
    AutoCriticalSection lock(lock_);
    history_.Reset();
    streamTotal_ = 0;
}

int PlayQueue::Advance(int frames, uint32_t &start) {
    AutoCriticalSection lock(lock_);
    if (!current_ || frames <= 0)
        return 0;
    FrameEvent *next = NextEvent();
    // An empty stretch is passed whatever its repeat: it has nothing to play.
    while (next && currentPosition_ >= next->position_) {
        current_ = next;
        repeatCount_ = 0;
        currentPosition_ = next->position_;
        next = NextEvent();
    }
    if (!next)
        return 0;
    start = currentPosition_;
    uint32_t stop = uint32_t(std::min<uint64_t>(uint64_t(currentPosition_) + uint32_t(frames), next->position_));
    int n = int(stop - currentPosition_);
    if (stop == next->position_) {
        if (uint32_t(current_->repeat_) <= ++repeatCount_) {
            repeatCount_ = 0;
            current_ = next;
        }
        // An unfinished loop goes back to its start.
        currentPosition_ = current_->position_;
    } else {
        currentPosition_ = stop;
    }
    if (withHistory_)
        history_.Add(streamTotal_, int32_t(start));
    streamTotal_ += uint32_t(n);
    return n;
}

bool PlayQueue::FindInHistory(uint32_t streamOffset, int32_t &sourcePosition) const {
    AutoCriticalSection lock(lock_);
    return withHistory_ && history_.Find(streamOffset, sourcePosition);
}
