#include "engine/SampleRecorder.h"

#include "audio/SampleConversion.h"
#include "engine/PlaybackControl.h"
#include "engine/PlayerSettings.h"
#include "foundation/Exception.h"
#include "foundation/Timer.h"

#include <algorithm>

namespace {

enum { kTextNoWaveIn = 11215 };
enum { kWaitMs = 3000, kPollMs = 10 };

WaveDeviceCalls<HWAVEIN> const kWaveInCalls = {waveInReset, waveInUnprepareHeader, waveInClose};

}  // namespace

SampleRecorder::SampleRecorder(PlaybackControl &control, NH_Heap &heap)
    : DeviceThread("SampleRecorder", MM_WIM_DATA), control_(control), buffers_(heap) {
    Start();
}

SampleRecorder::~SampleRecorder() {
    Close(0);
    End();
}

int SampleRecorder::Open(SamplePattern const &pattern, int count, int size, int latencyBytes) {
    Close(0);
    AutoCriticalSection reader(readerLock_);
    pattern_ = pattern;
    pattern_.SetInterleaved(1);
    dropOut_ = 0;
    int frameBytes = pattern_.GetBytesPerFrame();
    framesPerBuffer_ = frameBytes > 0 ? size / frameBytes : 0;
    bufferSize_ = framesPerBuffer_ * frameBytes;
    if (count <= 0 || framesPerBuffer_ <= 0)
        return 0;
    bufferCount_ = count;
    preFill_ = PreFill(latencyBytes, bufferSize_, count);
    int total = preFill_ + count;
    {
        AutoCriticalSection queue(queueLock_);
        mark_ = completed_ = 0;
        states_.reset(new std::atomic<int32_t>[total]);
        for (int i = 0; i < total; ++i)
            states_[i] = kFree;
        recorded_.assign(size_t(total), 0);
        recordedHead_ = recordedCount_ = 0;
        current_ = -1;
        consumed_ = framesInCurrent_ = 0;
    }
    queued_ = 0;
    firstRead_ = 1;
    bufferEvent_.SetFalse();
    if (!buffers_.Allocate(total, bufferSize_))
        return 0;
    WAVEFORMATEX format = PcmFormat(pattern_);
    HWAVEIN opened = nullptr;
    if (waveInOpen(&opened, ThePlayerSettings().inDevice, &format, DWORD_PTR(GetWindow()), 0, CALLBACK_WINDOW) !=
        MMSYSERR_NOERROR) {
        buffers_.Free();
        ExceptionThrower(1).SetAndThrow(ResMess(kTextNoWaveIn));
        return 0;
    }
    device_ = opened;
    SetDeviceOpen(true);
    if (!QueueUpTo(buffers_.GetCount()) || waveInStart(opened) != MMSYSERR_NOERROR) {
        // The device lets go of every buffer before they are freed.
        Release(opened);
        ExceptionThrower(1).SetAndThrow(ResMess(kTextNoWaveIn));
        return 0;
    }
    return 1;
}

int SampleRecorder::PreFill(int latencyBytes, int bufferSize, int count) {
    return latencyBytes > 0 ? int((int64_t(latencyBytes) + bufferSize - 1) / bufferSize) : count;
}

bool SampleRecorder::QueueUpTo(int count) {
    while (queued_ < count) {
        int queued = QueueBuffer();
        if (queued < 0)
            return false;
        if (queued == 0)
            break;
    }
    return true;
}

int SampleRecorder::QueueBuffer() {
    int index = -1;
    {
        AutoCriticalSection queue(queueLock_);
        for (int i = 0; i < buffers_.GetCount() && index < 0; ++i)
            if (states_[i] == kFree)
                index = i;
        if (index < 0)
            return 0;
        states_[index] = kQueued;
    }
    AutoCriticalSection device(deviceLock_);
    HWAVEIN open = device_;
    WAVEHDR &header = buffers_[index];
    header.dwBufferLength = DWORD(bufferSize_);
    header.dwBytesRecorded = 0;
    header.dwFlags = 0;
    if (!open || waveInPrepareHeader(open, &header, sizeof header) != MMSYSERR_NOERROR) {
        states_[index] = kFree;
        return -1;
    }
    if (waveInAddBuffer(open, &header, sizeof header) != MMSYSERR_NOERROR) {
        waveInUnprepareHeader(open, &header, sizeof header);
        states_[index] = kFree;
        return -1;
    }
    ++queued_;
    return 1;
}

void SampleRecorder::OnDeviceNotice(WPARAM device, LPARAM parameter) {
    WAVEHDR *header = reinterpret_cast<WAVEHDR *>(parameter);
    int index;
    {
        AutoCriticalSection lock(deviceLock_);
        HWAVEIN open = device_;
        index = buffers_.IndexOf(header);
        // A notice of a device closed since, or of buffers freed since, is old news.
        if (!open || reinterpret_cast<HWAVEIN>(device) != open || index < 0)
            return;
        waveInUnprepareHeader(open, header, sizeof *header);
    }
    {
        AutoCriticalSection queue(queueLock_);
        if (header->dwBytesRecorded >= DWORD(pattern_.GetBytesPerFrame())) {
            states_[index] = kRecorded;
            recorded_[size_t((recordedHead_ + recordedCount_) % buffers_.GetCount())] = index;
            ++recordedCount_;
        } else {
            states_[index] = kFree;
        }
        ++completed_;
        if (--queued_ <= 0 && completed_ > 2u * uint32_t(bufferCount_)) {
            dropOut_ = int32_t((completed_ - mark_) * uint32_t(framesPerBuffer_));
            mark_ = completed_;
        }
    }
    bufferEvent_.SetTrue();
}

int SampleRecorder::Read(float *const *channels, int frames, Timer *timer) {
    AutoCriticalSection reader(readerLock_);
    if (!device_ || control_.stopRequested || frames <= 0)
        return 0;
    int done = 0;
    while (frames > 0) {
        if (current_ < 0) {
            if (!QueueUpTo(bufferCount_) || !WaitForRecorded(timer))
                break;
            TakeRecorded();
        }
        int n = std::min(frames, framesInCurrent_ - consumed_);
        DeinterleaveToFloat(buffers_[current_].lpData, consumed_, pattern_.GetNumChannels(), -1, n, channels, done,
                            0, pattern_.GetFlags());
        consumed_ += n;
        done += n;
        frames -= n;
        if (consumed_ == framesInCurrent_) {
            states_[current_] = kFree;
            current_ = -1;
        }
    }
    return done;
}

bool SampleRecorder::WaitForRecorded(Timer *timer) {
    if (firstRead_) {
        firstRead_ = 0;
        // Reading starts once as much is recorded as the output holds.
        while (RecordedCount() < preFill_ + 1)
            if (!WaitForBuffer(timer))
                return false;
    }
    while (RecordedCount() == 0)
        if (queued_ <= 0 || !WaitForBuffer(timer))
            return false;
    return true;
}

bool SampleRecorder::WaitForBuffer(Timer *timer) {
    if (timer)
        timer->Pause();
    long woken = WaitForAny(bufferEvent_, control_.stopEvent, kWaitMs);
    if (timer)
        timer->Resume();
    return woken == 0 && !control_.stopRequested;
}

int SampleRecorder::RecordedCount() {
    AutoCriticalSection queue(queueLock_);
    return recordedCount_;
}

void SampleRecorder::TakeRecorded() {
    AutoCriticalSection queue(queueLock_);
    current_ = recorded_[size_t(recordedHead_)];
    recordedHead_ = (recordedHead_ + 1) % buffers_.GetCount();
    --recordedCount_;
    states_[current_] = kReading;
    framesInCurrent_ = int(buffers_[current_].dwBytesRecorded) / pattern_.GetBytesPerFrame();
    consumed_ = 0;
}

void SampleRecorder::Close(int wait) {
    if (!device_)
        return;
    if (wait) {
        DWORD start = GetTickCount();
        while ((queued_ > 0 || current_ >= 0 || RecordedCount() > 0) && !control_.stopRequested &&
               GetTickCount() - start < DWORD(kWaitMs))
            Sleep(kPollMs);
    }
    // Wakes a reader that waits for a buffer.
    control_.stopEvent.SetTrue();
    AutoCriticalSection reader(readerLock_);
    HWAVEIN open = device_;
    if (!open)
        return;
    current_ = -1;
    Release(open);
}

void SampleRecorder::Release(HWAVEIN open) {
    CloseDevice(open, kWaveInCalls, deviceLock_, queued_, buffers_);
    device_ = nullptr;
}
