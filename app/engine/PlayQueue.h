// A play list over the frames of a source: events sorted by position, each saying how
// often the stretch up to the next event is played (once, without end, or not: the final
// event). Reading walks the list; a small history of where each delivered run came from
// lets the playback turn a device position back into a source position.
#pragma once

#include "foundation/CriticalSection.h"
#include "foundation/Lists.h"

#include <cstdint>

class FrameEvent : public ListElement {
public:
    enum : int32_t { kStop = 0, kOnce = 1, kForever = -1 };

    FrameEvent(uint32_t position, int32_t repeat) : position_(position), repeat_(repeat) {}
    // By position, unsigned.
    int Compare(CollectionElement const &other, int mode) const override;

    uint32_t position_;
    int32_t repeat_;  // compared unsigned, so kForever never runs out
};

// Pairs (stream offset, source position), one per delivered run, newest last.
class PositionHistory {
public:
    enum { kCapacity = 100 };

    void Reset();
    void Add(uint32_t streamOffset, int32_t sourcePosition);
    // The source position of a stream offset: the newest run that starts at or before it.
    // Returns false when no run does.
    bool Find(uint32_t streamOffset, int32_t &sourcePosition) const;

private:
    struct Entry {
        uint32_t streamOffset;
        int32_t sourcePosition;
    };

    Entry entries_[kCapacity] = {};
    int32_t count_ = 0;
    int32_t writeIndex_ = 0;
};

class PlayQueue {
public:
    explicit PlayQueue(int withHistory) : withHistory_(withHistory) {}
    PlayQueue(PlayQueue const &) = delete;
    PlayQueue &operator=(PlayQueue const &) = delete;

    void AddEvent(uint32_t position, int32_t repeat);
    void Clear();
    // Reading goes on at position; a position outside the list (before its first event,
    // at or after the final one) goes to the first event's position.
    void Seek(uint32_t position, int resetRepeats);
    void ResetHistory();
    // Up to frames frames along the list from the current position: their count (0 when
    // the list is finished) and the source position of the first in start.
    int Advance(int frames, uint32_t &start);

    // See PositionHistory::Find; frames are counted since ResetHistory.
    bool FindInHistory(uint32_t streamOffset, int32_t &sourcePosition) const;
    uint32_t GetCurrentPosition() const { return currentPosition_; }
    uint32_t GetStreamTotal() const { return streamTotal_; }
    CriticalSection const &GetLock() const { return lock_; }

private:
    FrameEvent *NextEvent() const { return events_.GetNext(current_); }

    CriticalSection lock_;
    List<FrameEvent> events_;
    int withHistory_;
    PositionHistory history_;
    FrameEvent *current_ = nullptr;
    uint32_t currentPosition_ = 0;
    uint32_t repeatCount_ = 0;  // rounds of the current event's stretch done
    uint32_t streamTotal_ = 0;
};
