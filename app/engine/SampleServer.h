// The read-ahead stage between the object being played and the output: a thread that
// pulls float frames from a SampleCollector into a ring of 32768 frames for two channels,
// so that the playback takes its blocks from memory without waiting for the disk.
//
// Locks: the server's lock, then the collector's (its source's lock, then its queue's).
#pragma once

#include "foundation/CriticalSection.h"
#include "foundation/Thread.h"
#include "foundation/ThreadEvent.h"

#include <atomic>
#include <cstdint>
#include <vector>

class SampleCollector;

class SampleServer : public Thread {
public:
    enum { kRingFrames = 0x8000, kFillStep = 2048, kChannels = 2 };

    SampleServer();
    ~SampleServer() override;

    // Reads ahead from collector (not owned) until Stop.
    void Start(SampleCollector *collector);
    // Ends reading ahead once a fill in progress is done, and lets go of the collector.
    void Stop();
    // Drops what is buffered; the collector and the reading ahead stay.
    void Flush();
    // Up to count frames into the caller's arrays, one per channel the collector reads:
    // the count copied (fewer only at the end of the source), 0 once the source is
    // exhausted, -1 after a failure of the source or without one.
    int Read(float *const *destination, unsigned int count);

    CriticalSection const &GetLock() const { return lock_; }
    int GetFill() const { return fill_; }

protected:
    unsigned long MainLoop() override;

private:
    // Reads at least frames frames (in steps of 2048) from the collector while there is
    // room; 0 when the collector failed.
    int Fill(int frames);
    void ResetRing();

    CriticalSection lock_;
    int32_t endReached_ = 0;
    std::atomic<int32_t> error_{0};
    std::atomic<SampleCollector *> source_{nullptr};
    ThreadEvent runEvent_{/*initialState=*/0, /*autoReset=*/0};   // set while reading ahead
    ThreadEvent roomEvent_{/*initialState=*/1, /*autoReset=*/0};  // set while the ring is not full
    ThreadEvent idleEvent_{/*initialState=*/1, /*autoReset=*/1};  // held by the thread while it fills
    std::vector<float> rings_[kChannels];
    int32_t readIndex_ = 0;
    int32_t writeIndex_ = 0;
    int32_t fill_ = 0;
};
