// The wave-out device: float blocks converted to the device format into a ring of device
// buffers, a writer that waits while every buffer is in the device, and the played
// position. Its thread receives the device's completion notices.
//
// Locks: the writer lock (Write, Drain, Reset, Close), then the device lock (device calls
// and the queue counters). Completion notices take only the device lock, and a writer
// never holds the device lock while it waits.
#pragma once

#include "audio/SamplePattern.h"
#include "engine/WaveDevice.h"
#include "foundation/CriticalSection.h"

#include <atomic>
#include <cstdint>

class NH_Heap;
class Timer;
struct PlaybackControl;

class SamplePlayer : public DeviceThread {
public:
    SamplePlayer(PlaybackControl &control, NH_Heap &heap);
    ~SamplePlayer() override;

    // Opens the "OutDev" device for the pattern with count buffers of size bytes (rounded
    // up to a multiple of 8). timed: the position runs on the system clock between buffer
    // completions, else the device is asked. 0 when the memory or the device is not
    // there; the device's refusal is reported to the user (message 10046).
    int Open(SamplePattern const &pattern, int count, int size, int timed);
    // Converts frames of the channel arrays into device buffers and queues each one that
    // is full; waits (timer paused) while every buffer is in the device. 1 while the
    // player takes data; 0 without a device, after a stop, a refused buffer or 3 s
    // without a buffer coming back.
    int Write(float const *const *channels, int frames, Timer *timer);
    // Plays out what is written (a partly filled buffer padded with silence), then
    // closes. 1 when everything was played without a stop.
    int Drain();
    // Drops everything queued and starts the position again from 0.
    void Reset();
    void Close();
    // Frames played since open or reset: never fewer than the last answer and never more
    // than were written. -1 without a device.
    int GetPosition();

    // Holds the device where it plays: 1 when it played and is now held. While held, the
    // writer waits without giving up and the position stands still.
    int Pause();
    // Plays on from where Pause held it.
    void Resume();
    bool IsPaused() const { return paused_ != 0; }

    bool IsOpen() const { return device_.load() != nullptr; }
    int GetFramesWritten() const { return int(framesWritten_); }
    int GetFramesPerBuffer() const { return framesPerBuffer_; }
    SamplePattern const &GetPattern() const { return pattern_; }
    // Frames played between the last two drop-outs; read and cleared by the engine.
    std::atomic<int32_t> &DropOut() { return dropOut_; }

protected:
    void OnDeviceNotice(WPARAM device, LPARAM header) override;

private:
    bool TakeFreeBuffer(Timer *timer);
    int SubmitBuffer(int index, int frames);
    void PadCurrentWithSilence();
    void WaitUntilPlayed();
    int64_t DevicePosition();
    void ResetCounters();

    PlaybackControl &control_;
    std::atomic<int32_t> dropOut_{0};
    CriticalSection deviceLock_;
    std::atomic<HWAVEOUT> device_{nullptr};
    SamplePattern pattern_;
    uint32_t mark_ = 0;
    std::atomic<uint32_t> completed_{0};
    uint32_t framesWritten_ = 0;
    CriticalSection writerLock_;
    ThreadEvent doneEvent_{/*initialState=*/0, /*autoReset=*/0};
    int32_t timed_ = 0;
    uint32_t timedBase_ = 0;
    DWORD timedLast_ = 0;
    uint32_t generation_ = 0;
    int32_t lastPosition_ = 0;
    int32_t bufferSize_ = 0;
    int32_t framesPerBuffer_ = 0;
    std::atomic<int32_t> queued_{0};
    DeviceBuffers buffers_;
    int32_t current_ = -1;
    int32_t filled_ = 0;
    std::atomic<int32_t> paused_{0};
    DWORD pausedAt_ = 0;  // system time of the pause (timed positions)
};
