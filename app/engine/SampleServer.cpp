#include "engine/SampleServer.h"

#include "engine/SampleCollector.h"

#include <windows.h>

#include <algorithm>
#include <cstring>

SampleServer::SampleServer() {
    for (std::vector<float> &ring : rings_)
        ring.assign(kRingFrames, 0.0f);
    Run(this);
}

SampleServer::~SampleServer() {
    Stop();
    SetPriority(THREAD_PRIORITY_ABOVE_NORMAL);
    SetStopFlag();
    roomEvent_.SetTrue();
    runEvent_.SetTrue();
    WaitForEnd();
}

unsigned long SampleServer::MainLoop() {
    SetPriority(THREAD_PRIORITY_IDLE);
    for (;;) {
        idleEvent_.SetTrue();
        // Takes the idle event: Stop waits until this fill is done.
        WaitForAll(idleEvent_, runEvent_, roomEvent_, INFINITE);
        if (GetStopFlag())
            return 0;
        int filled = Fill(kFillStep);
        AutoCriticalSection lock(lock_);
        if (!filled || endReached_ || !source_)
            runEvent_.SetFalse();
    }
}

void SampleServer::Start(SampleCollector *collector) {
    Stop();
    {
        AutoCriticalSection lock(lock_);
        error_ = 0;
        source_ = collector;
        endReached_ = 0;
        ResetRing();
    }
    SetPriority(THREAD_PRIORITY_ABOVE_NORMAL);
    runEvent_.SetTrue();
}

void SampleServer::Stop() {
    runEvent_.SetFalse();
    idleEvent_.WaitForIt(INFINITE);
    idleEvent_.SetTrue();
    {
        AutoCriticalSection lock(lock_);
        source_ = nullptr;
    }
    SetPriority(THREAD_PRIORITY_IDLE);
}

void SampleServer::Flush() {
    AutoCriticalSection lock(lock_);
    endReached_ = 0;
    ResetRing();
    // Reading ahead goes on from wherever the collector now stands.
    if (source_)
        runEvent_.SetTrue();
}

void SampleServer::ResetRing() {
    fill_ = 0;
    readIndex_ = writeIndex_ = 0;
    roomEvent_.SetTrue();
}

int SampleServer::Fill(int frames) {
    AutoCriticalSection lock(lock_);
    SampleCollector *collector = source_;
    if (!collector)
        return 1;
    frames = (frames + kFillStep - 1) / kFillStep * kFillStep;
    while (!endReached_ && frames > 0 && fill_ < kRingFrames) {
        int run = writeIndex_ < readIndex_ ? readIndex_ - writeIndex_ : kRingFrames - writeIndex_;
        int n = std::min({run, frames, kRingFrames - fill_});
        float *at[kChannels] = {&rings_[0][writeIndex_], &rings_[1][writeIndex_]};
        int got = collector->Read(at, n);
        if (got < 0) {
            error_ = 1;
            return 0;
        }
        if (got != n)
            endReached_ = 1;
        fill_ += got;
        writeIndex_ = (writeIndex_ + got) % kRingFrames;
        frames -= got;
    }
    if (fill_ == kRingFrames)
        roomEvent_.SetFalse();
    return 1;
}

int SampleServer::Read(float *const *destination, unsigned int count) {
    if (error_)
        return -1;
    if (count == 0)
        return 0;
    AutoCriticalSection lock(lock_);
    SampleCollector *collector = source_;
    if (!collector)
        return -1;
    if (fill_ < int(count) && !endReached_ && !Fill(int(count) - fill_))
        return -1;
    int channels = std::min(collector->GetChannels().GetNumChannels(), int(kChannels));
    int copied = 0;
    while (fill_ > 0 && copied < int(count)) {
        int run = readIndex_ < writeIndex_ ? writeIndex_ - readIndex_ : kRingFrames - readIndex_;
        // Each run is bounded by what is left of the caller's count: never past its arrays.
        int n = std::min(run, int(count) - copied);
        for (int c = 0; c < channels; ++c)
            std::memcpy(destination[c] + copied, &rings_[c][readIndex_], size_t(n) * sizeof(float));
        fill_ -= n;
        readIndex_ = (readIndex_ + n) % kRingFrames;
        copied += n;
    }
    if (fill_ < kRingFrames)
        roomEvent_.SetTrue();
    return copied;
}
