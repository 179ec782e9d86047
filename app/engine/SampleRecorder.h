// The wave-in device for input monitoring and the audio engine's input: buffers kept
// queued, recorded ones handed out in arrival order as float frames. Its thread receives
// the device's notices.
//
// Locks: the reader lock (Open, Read, Close), then the queue lock (the recorded list and
// the buffer states), then the device lock (device calls).
#pragma once

#include "audio/SamplePattern.h"
#include "engine/WaveDevice.h"
#include "foundation/CriticalSection.h"

#include <atomic>
#include <cstdint>
#include <memory>
#include <vector>

class NH_Heap;
class Timer;
struct PlaybackControl;

class SampleRecorder : public DeviceThread {
public:
    SampleRecorder(PlaybackControl &control, NH_Heap &heap);
    ~SampleRecorder() override;

    // Opens the "InDev" device for the pattern with count buffers of size bytes (whole
    // frames) kept queued, and as many more as the output holds, so that the first read
    // waits until that much is recorded. 0 when the memory or the device is not there;
    // the device's refusal is reported to the user (message 11215).
    int Open(SamplePattern const &pattern, int count, int size, int latencyBytes);
    // Up to frames recorded frames into one array per channel, waiting (timer paused)
    // for the device: the frames delivered; fewer after a stop, a device failure or 3 s
    // without a recorded buffer.
    int Read(float *const *channels, int frames, Timer *timer);
    // wait: first until everything recorded has been read (at most 3 s, not after a stop).
    void Close(int wait);

    // Buffers recorded before the first read, less one: as many as the output holds,
    // ceil(latencyBytes / bufferSize), or count when it holds nothing.
    static int PreFill(int latencyBytes, int bufferSize, int count);

    bool IsOpen() const { return device_.load() != nullptr; }
    int GetPreFill() const { return preFill_; }
    int GetHeaderCount() const { return buffers_.GetCount(); }
    std::atomic<int32_t> &DropOut() { return dropOut_; }

protected:
    void OnDeviceNotice(WPARAM device, LPARAM header) override;

private:
    enum State : int32_t { kFree = 0, kReading = 1, kQueued = 2, kRecorded = 3 };

    // Queues free buffers until count are in the device; false when it refused one.
    bool QueueUpTo(int count);
    // 1 queued, 0 no free buffer, -1 the device refused it.
    int QueueBuffer();
    bool WaitForRecorded(Timer *timer);
    bool WaitForBuffer(Timer *timer);
    int RecordedCount();
    void TakeRecorded();
    void Release(HWAVEIN device);

    PlaybackControl &control_;
    std::atomic<int32_t> dropOut_{0};
    CriticalSection deviceLock_;
    std::atomic<HWAVEIN> device_{nullptr};
    SamplePattern pattern_;
    uint32_t mark_ = 0;
    uint32_t completed_ = 0;
    CriticalSection readerLock_;
    CriticalSection queueLock_;
    ThreadEvent bufferEvent_{/*initialState=*/0, /*autoReset=*/1};
    int32_t bufferSize_ = 0;
    int32_t framesPerBuffer_ = 0;
    int32_t bufferCount_ = 0;
    int32_t preFill_ = 0;
    std::atomic<int32_t> queued_{0};
    int32_t firstRead_ = 0;
    DeviceBuffers buffers_;
    std::unique_ptr<std::atomic<int32_t>[]> states_;
    std::vector<int32_t> recorded_;  // ring of recorded buffers in arrival order
    int32_t recordedHead_ = 0;
    int32_t recordedCount_ = 0;
    int32_t current_ = -1;
    int32_t consumed_ = 0;
    int32_t framesInCurrent_ = 0;
};
