#include "engine/SamplePlayer.h"

#include "audio/SampleConversion.h"
#include "engine/PlaybackControl.h"
#include "engine/PlayerSettings.h"
#include "foundation/Exception.h"
#include "foundation/Timer.h"

#include <algorithm>
#include <cstring>

namespace {

enum { kTextNoWaveOut = 10046 };
enum { kWaitMs = 3000, kDrainPollMs = 20 };

WaveDeviceCalls<HWAVEOUT> const kWaveOutCalls = {waveOutReset, waveOutUnprepareHeader, waveOutClose};

}  // namespace

SamplePlayer::SamplePlayer(PlaybackControl &control, NH_Heap &heap)
    : DeviceThread("SamplePlayer", MM_WOM_DONE), control_(control), buffers_(heap) {
    Start();
}

SamplePlayer::~SamplePlayer() {
    Close();
    End();
}

int SamplePlayer::Open(SamplePattern const &pattern, int count, int size, int timed) {
    Close();
    AutoCriticalSection writer(writerLock_);
    AutoCriticalSection device(deviceLock_);
    pattern_ = pattern;
    pattern_.SetInterleaved(1);
    dropOut_ = 0;
    bufferSize_ = (size + 7) / 8 * 8;
    int frameBytes = pattern_.GetBytesPerFrame();
    framesPerBuffer_ = frameBytes > 0 ? bufferSize_ / frameBytes : 0;
    if (count <= 0 || framesPerBuffer_ <= 0)
        return 0;
    ResetCounters();
    queued_ = 0;
    doneEvent_.SetFalse();
    timed_ = timed;
    generation_ = 1;
    if (!buffers_.Allocate(count, bufferSize_))
        return 0;
    WAVEFORMATEX format = PcmFormat(pattern_);
    HWAVEOUT opened = nullptr;
    if (waveOutOpen(&opened, ThePlayerSettings().outDevice, &format, DWORD_PTR(GetWindow()), 0, CALLBACK_WINDOW) !=
        MMSYSERR_NOERROR) {
        buffers_.Free();
        ExceptionThrower(1).SetAndThrow(ResMess(kTextNoWaveOut));
        return 0;
    }
    device_ = opened;
    SetDeviceOpen(true);
    return 1;
}

void SamplePlayer::ResetCounters() {
    completed_ = 0;
    mark_ = 0;
    framesWritten_ = 0;
    timedBase_ = 0;
    timedLast_ = 0;
    lastPosition_ = 0;
    current_ = -1;
}

int SamplePlayer::Write(float const *const *channels, int frames, Timer *timer) {
    AutoCriticalSection writer(writerLock_);
    if (!device_ || control_.stopRequested)
        return 0;
    int done = 0;
    int result = 1;
    while (frames > 0 && result == 1) {
        if (current_ < 0 && !TakeFreeBuffer(timer))
            return 0;
        int n = std::min(frames, framesPerBuffer_ - filled_);
        InterleaveFromFloat(channels, done, pattern_.GetNumChannels(), n, buffers_[current_].lpData, filled_,
                            pattern_.GetFlags());
        filled_ += n;
        if (filled_ == framesPerBuffer_) {
            result = SubmitBuffer(current_, framesPerBuffer_);
            current_ = -1;
        }
        done += n;
        frames -= n;
    }
    return result;
}

// The first buffer the device gave back; while every one is in the device, waits (timer
// paused) for one to come back.
bool SamplePlayer::TakeFreeBuffer(Timer *timer) {
    for (;;) {
        {
            AutoCriticalSection device(deviceLock_);
            for (int i = 0; i < buffers_.GetCount(); ++i)
                if (DeviceBuffers::GetUser(buffers_[i]) == 0) {
                    current_ = i;
                    filled_ = 0;
                    return true;
                }
            // Under the device lock: a notice from now on sets it again.
            doneEvent_.SetFalse();
        }
        if (timer)
            timer->Pause();
        long woken = WaitForAny(doneEvent_, control_.stopEvent, kWaitMs);
        if (timer)
            timer->Resume();
        // A held device gives no buffer back: wait on for it.
        if (woken < 0 && paused_ && !control_.stopRequested)
            continue;
        if (woken != 0 || control_.stopRequested)
            return false;
    }
}

int SamplePlayer::SubmitBuffer(int index, int frames) {
    AutoCriticalSection device(deviceLock_);
    HWAVEOUT open = device_;
    if (!open)
        return 0;
    WAVEHDR &header = buffers_[index];
    header.dwBufferLength = DWORD(frames * pattern_.GetBytesPerFrame());
    header.dwBytesRecorded = 0;
    header.dwFlags = 0;
    header.dwLoops = 0;
    DeviceBuffers::SetUser(header, generation_);
    if (waveOutPrepareHeader(open, &header, sizeof header) != MMSYSERR_NOERROR) {
        DeviceBuffers::SetUser(header, 0);
        return 0;
    }
    if (timed_ && framesWritten_ == 0)
        timedLast_ = timeGetTime();
    if (waveOutWrite(open, &header, sizeof header) != MMSYSERR_NOERROR) {
        waveOutUnprepareHeader(open, &header, sizeof header);
        DeviceBuffers::SetUser(header, 0);
        return 0;
    }
    framesWritten_ += uint32_t(frames);
    ++queued_;
    return 1;
}

void SamplePlayer::OnDeviceNotice(WPARAM device, LPARAM parameter) {
    WAVEHDR *header = reinterpret_cast<WAVEHDR *>(parameter);
    AutoCriticalSection lock(deviceLock_);
    HWAVEOUT open = device_;
    // A notice of a device closed since, or of buffers freed since, is old news.
    if (!open || reinterpret_cast<HWAVEOUT>(device) != open || buffers_.IndexOf(header) < 0)
        return;
    waveOutUnprepareHeader(open, header, sizeof *header);
    // Buffers given back by a reset played nothing.
    if (timed_ && uint32_t(DeviceBuffers::GetUser(*header)) >= generation_) {
        timedBase_ += uint32_t(framesPerBuffer_);
        timedLast_ = timeGetTime();
    }
    uint32_t completed = ++completed_;
    DeviceBuffers::SetUser(*header, 0);
    if (--queued_ <= 0 && completed > 2u * uint32_t(buffers_.GetCount())) {
        dropOut_ = int32_t((completed - mark_) * uint32_t(framesPerBuffer_));
        mark_ = completed;
    }
    doneEvent_.SetTrue();
}

int SamplePlayer::GetPosition() {
    AutoCriticalSection lock(deviceLock_);
    if (!device_)
        return -1;
    int64_t position = DevicePosition();
    if (position < 0)
        return -1;
    position = std::min<int64_t>(std::max<int64_t>(position, lastPosition_), framesWritten_);
    lastPosition_ = int32_t(position);
    return lastPosition_;
}

int64_t SamplePlayer::DevicePosition() {
    if (timed_) {
        if (timedLast_ == 0)
            return 0;
        // The clock since the last completion, within the buffer now playing.
        DWORD now = paused_ ? pausedAt_ : timeGetTime();
        int64_t elapsed = int64_t(pattern_.GetRate()) * DWORD(now - timedLast_) / 1000;
        return int64_t(timedBase_) + std::min<int64_t>(elapsed, framesPerBuffer_);
    }
    MMTIME time = {};
    time.wType = TIME_SAMPLES;
    if (waveOutGetPosition(device_, &time, sizeof time) != MMSYSERR_NOERROR || time.wType != TIME_SAMPLES)
        return -1;
    return time.u.sample;
}

int SamplePlayer::Pause() {
    AutoCriticalSection device(deviceLock_);
    HWAVEOUT open = device_;
    if (!open || paused_ || waveOutPause(open) != MMSYSERR_NOERROR)
        return 0;
    pausedAt_ = timeGetTime();
    paused_ = 1;
    return 1;
}

void SamplePlayer::Resume() {
    AutoCriticalSection device(deviceLock_);
    HWAVEOUT open = device_;
    if (!open || !paused_)
        return;
    waveOutRestart(open);
    // The clock stood still while the device was held.
    if (timedLast_)
        timedLast_ += timeGetTime() - pausedAt_;
    paused_ = 0;
}

// A held device plays on from the new place.
void SamplePlayer::Reset() {
    AutoCriticalSection writer(writerLock_);
    AutoCriticalSection device(deviceLock_);
    HWAVEOUT open = device_;
    if (!open)
        return;
    if (paused_.exchange(0))
        waveOutRestart(open);
    current_ = -1;
    if (!framesWritten_)
        return;
    waveOutReset(open);
    ResetCounters();
    ++generation_;
}

int SamplePlayer::Drain() {
    {
        AutoCriticalSection writer(writerLock_);
        if (current_ >= 0 && filled_ > 0) {
            PadCurrentWithSilence();
            SubmitBuffer(current_, framesPerBuffer_);
            current_ = -1;
        }
        WaitUntilPlayed();
        if (!control_.stopRequested)
            control_.lastPosition = control_.startFrame.load();
    }
    int played = !control_.stopRequested;
    Close();
    return played;
}

void SamplePlayer::PadCurrentWithSilence() {
    int frameBytes = pattern_.GetBytesPerFrame();
    // Unsigned 8-bit silence is 0x80; that of every other format is 0.
    int silence = pattern_.GetBits() == 8 && (pattern_.GetFlags() & kUnsigned) ? 0x80 : 0;
    std::memset(buffers_[current_].lpData + ptrdiff_t(filled_) * frameBytes, silence,
                size_t(framesPerBuffer_ - filled_) * size_t(frameBytes));
}

// Until the queued buffers have played, a stop, or 3 s in which none came back.
void SamplePlayer::WaitUntilPlayed() {
    uint32_t seen = completed_;
    DWORD since = GetTickCount();
    while (queued_ > 0 && !control_.stopRequested && !control_.stopEvent.IsTrue()) {
        control_.stopEvent.WaitForIt(kDrainPollMs);
        if (completed_ != seen || paused_) {
            seen = completed_;
            since = GetTickCount();
        } else if (GetTickCount() - since > DWORD(kWaitMs)) {
            return;
        }
    }
}

void SamplePlayer::Close() {
    AutoCriticalSection writer(writerLock_);
    HWAVEOUT open;
    {
        AutoCriticalSection device(deviceLock_);
        open = device_;
        if (!open)
            return;
        current_ = -1;
        control_.stopEvent.SetTrue();
    }
    CloseDevice(open, kWaveOutCalls, deviceLock_, queued_, buffers_);
    device_ = nullptr;
    paused_ = 0;
}
