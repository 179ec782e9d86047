#include "engine/Playback.h"

#include "audio/AudioObject.h"
#include "engine/AudioEngineEntries.h"
#include "engine/AudioMessages.h"
#include "engine/PlayerSettings.h"
#include "engine/SampleCollector.h"
#include "engine/SampleRecorder.h"
#include "engine/SampleServer.h"
#include "foundation/Exception.h"

#include <windows.h>

#include <algorithm>

namespace {

enum { kStopWaitMs = 3000 };

}  // namespace

Playback::Playback(SampleServer &server, SampleRecorder &recorder, NH_Heap &heap)
    : Thread("TessaroPlayback"), player_(control_, heap), server_(server), recorder_(recorder) {
    Run(this, THREAD_PRIORITY_HIGHEST);
}

// The sample server may be gone already (Shutdown ran before).
Playback::~Playback() {
    closing_ = 1;
    StopAndWait();
    SetStopFlag();
    startEvent_.SetTrue();
    WaitForEnd();
}

// ---- starting and stopping

void Playback::Play(PlayRequest const &request) {
    for (;;) {
        if (closing_)
            return;
        {
            AutoCriticalSection lock(lock_);
            // The playback this one replaces reports that it was restarted.
            if (playing_ && dynamic_cast<AudioObject *>(source_))
                restarted_ = 1;
            StopLocked();
        }
        WaitForAll(sourceDone_, outputDone_, kStopWaitMs);
        WqCommandToAudioQueueFn engineCommand = nullptr;
        int32_t engineQueue = 0;
        {
            AutoCriticalSection lock(lock_);
            if (closing_)
                return;
            // Not let go yet, or started again meanwhile: stop it and wait again.
            if (!Released())
                continue;
            TakeRequest(request);
            ++generation_;
            control_.stopRequested = 0;
            AudioEngineLink const &engine = TheAudioEngine();
            engineDriven_ = request.useEngine && engine.CanDrivePlayback();
            if (engineDriven_) {
                engineCommand = engine.entries.commandToAudioQueue;
                engineQueue = engine.masterQueue;
            } else {
                pending_ = 1;
                sourceDone_.SetFalse();
                startEvent_.SetTrue();
            }
        }
        // The engine calls the two halves from its threads, which take the lock.
        if (engineCommand)
            engineCommand(engineQueue, kQueueStart, 0, 0);
        return;
    }
}

void Playback::TakeRequest(PlayRequest const &request) {
    source_ = request.source;
    channelMask_ = request.channelMask;
    control_.startFrame = request.start;
    control_.lastPosition = request.start;
    endFrame_ = request.end;
    sourcePattern_ = request.pattern;
    sampleFormat_ = request.sampleFormat;
    outputBits_ = request.outputBits;
    loop_ = request.loop;
    mode_ = request.mode;
    ownerTag_ = request.ownerTag;
    PlayerSettings const &settings = ThePlayerSettings();
    bufferCount_ = settings.outBufferCount;
    bufferSize_ = settings.outBufferSize;
}

void Playback::Restart() {
    PlayRequest request;
    {
        AutoCriticalSection lock(lock_);
        if (!playing_ || !source_)
            return;
        request.source = source_;
        request.channelMask = channelMask_;
        request.start = control_.startFrame;
        request.end = endFrame_;
        request.pattern = sourcePattern_;
        request.sampleFormat = sampleFormat_;
        request.outputBits = outputBits_;
        request.useEngine = engineDriven_;
        request.loop = loop_;
        request.mode = mode_;
    }
    Play(request);
}

int Playback::Stop() {
    AutoCriticalSection lock(lock_);
    return StopLocked();
}

int Playback::StopLocked() {
    int wasLive = !IsStopped() && !Released();
    // The last position holds the stop point.
    if (!control_.stopRequested && player_.IsOpen())
        GetPositionLocked();
    stoppedGeneration_ = generation_;
    control_.stopRequested = 1;
    control_.stopEvent.SetTrue();
    if (pending_) {
        pending_ = 0;
        sourceDone_.SetTrue();
    }
    player_.Reset();
    return wasLive;
}

int Playback::StopAndWait() {
    Stop();
    return int(WaitForAll(sourceDone_, outputDone_, kStopWaitMs));
}

void Playback::Shutdown() {
    closing_ = 1;
    StopAndWait();
    server_.Stop();
}

int Playback::Pause() {
    AutoCriticalSection lock(lock_);
    return outputOpen_ && !control_.stopRequested ? player_.Pause() : 0;
}

void Playback::Resume() {
    AutoCriticalSection lock(lock_);
    player_.Resume();
}

int Playback::IsPaused() {
    AutoCriticalSection lock(lock_);
    return outputOpen_ && player_.IsPaused();
}

// ---- the playback thread

unsigned long Playback::MainLoop() {
    for (;;) {
        startEvent_.WaitForIt(INFINITE);
        if (GetStopFlag())
            return 0;
        if (!TakeStart())
            continue;
        try {
            if (PrepareSource() && OpenOutput(nullptr, 1.0))
                PlayBlocks();
        } catch (...) {
            PostCurrentFailure();
        }
        StopOutput();
        Finish();
    }
}

bool Playback::TakeStart() {
    AutoCriticalSection lock(lock_);
    startEvent_.SetFalse();
    return pending_ != 0;
}

void Playback::PlayBlocks() {
    bool monitoring = mode_ == kPlayMonitor;
    while (!control_.stopRequested) {
        int n = monitoring ? recorder_.Read(channels_, kBlockFrames, nullptr) : server_.Read(channels_, kBlockFrames);
        if (n < 0) {
            control_.stopRequested = 1;
            return;
        }
        if (n == 0) {
            player_.Drain();
            return;
        }
        if (!player_.Write(channels_, n, nullptr))
            return;
    }
}

// ---- the source half

int Playback::PrepareSource() {
    AutoCriticalSection lock(lock_);
    pending_ = 0;
    if (playing_)
        return 1;
    if (IsStopped() || closing_) {
        sourceDone_.SetTrue();
        return 0;
    }
    sourceDone_.SetFalse();
    control_.stopEvent.SetFalse();
    playing_ = 1;
    collector_.reset();
    control_.stopRequested = 0;
    bool ready = false;
    try {
        for (int c = 0; c < 2; ++c) {
            channelBuffers_[c].resize(kBlockFrames);
            channels_[c] = channelBuffers_[c].data();
        }
        ready = mode_ == kPlayMonitor ? PrepareMonitor() : PrepareCollector();
    } catch (...) {
        PostCurrentFailure();
    }
    if (!ready)
        AbandonSource();
    return playing_;
}

bool Playback::PrepareCollector() {
    if (!source_ || !(channelMask_ & source_->GetMask()))
        return false;
    if (auto *object = dynamic_cast<AudioObject *>(source_))
        object->PostReleaseRequest(1);
    collector_.reset(new SampleCollector(source_, channelMask_, /*withHistory=*/1));
    playedChannels_ = int32_t(collector_->GetChannels().GetMask());
    collector_->LoadPlayList(mode_, control_.startFrame, endFrame_, /*restart=*/1);
    server_.Start(collector_.get());
    // The output carries the channels read.
    sourcePattern_ = *source_;
    sourcePattern_.SetMask(collector_->GetChannels().GetMask());
    return true;
}

bool Playback::PrepareMonitor() {
    playedChannels_ = 0;
    PlayerSettings const &settings = ThePlayerSettings();
    return recorder_.Open(sourcePattern_, settings.inBufferCount, settings.inBufferSize, bufferCount_ * bufferSize_) !=
           0;
}

void Playback::AbandonSource() {
    if (mode_ != kPlayMonitor) {
        if (auto *object = dynamic_cast<AudioObject *>(source_))
            object->PostReleaseRequest(0);
        server_.Stop();
    }
    source_ = nullptr;
    collector_.reset();
    playing_ = 0;
    playedChannels_ = 0;
    sourceDone_.SetTrue();
}

void Playback::Finish() {
    AutoCriticalSection lock(lock_);
    if (!playing_)
        return;
    control_.stopRequested = 1;
    if (mode_ == kPlayMonitor)
        recorder_.Close(0);
    else
        server_.Stop();
    if (auto *object = dynamic_cast<AudioObject *>(source_)) {
        PostToMainWindow(new MessStopPlayback(object, control_.lastPosition, restarted_));
        if (mode_ != kPlayMonitor)
            object->PostReleaseRequest(0);
    }
    restarted_ = 0;
    source_ = nullptr;
    collector_.reset();
    playing_ = 0;
    playedChannels_ = 0;
    ownerTag_ = nullptr;
    sourceDone_.SetTrue();
}

// ---- the output half

int Playback::OpenOutput(SamplePattern const *pattern, double speed) {
    AutoCriticalSection lock(lock_);
    if (outputOpen_)
        return 1;
    if (IsStopped() || closing_)
        return 0;
    outputDone_.SetFalse();
    control_.stopEvent.SetFalse();
    outputOpen_ = 1;
    speed_ = speed;
    outputPattern_ = pattern ? *pattern : sourcePattern_;
    outputPattern_.GetFormat().SetBits(outputBits_, /*selector=*/1);
    outputPattern_.SetInterleaved(1);
    int opened = 0;
    try {
        opened = player_.Open(outputPattern_, bufferCount_, bufferSize_, ThePlayerSettings().timedPosition);
    } catch (...) {
        PostCurrentFailure();
    }
    if (!opened) {
        outputOpen_ = 0;
        outputDone_.SetTrue();
    }
    return outputOpen_;
}

void Playback::StopOutput() {
    AutoCriticalSection lock(lock_);
    if (!outputOpen_)
        return;
    control_.stopRequested = 1;
    player_.Close();
    outputOpen_ = 0;
    outputDone_.SetTrue();
}

// ---- while playing

int Playback::GetPosition() {
    AutoCriticalSection lock(lock_);
    return GetPositionLocked();
}

// The device's played frames, through the history of delivered runs, in source frames.
int Playback::GetPositionLocked() {
    if (mode_ == kPlayMonitor)
        return 0;
    if (control_.stopRequested)
        return control_.lastPosition;
    int played = player_.GetPosition();
    if (played < 0)
        return control_.lastPosition;
    if (!collector_)
        return 0;
    int32_t position = 0;
    // The padding of the last buffer plays after the last frame.
    if (collector_->GetQueue().FindInHistory(uint32_t(played * speed_), position))
        control_.lastPosition = std::min(position, std::max(source_->GetLength() - 1, 0));
    return control_.lastPosition;
}

void Playback::RequeueFrom(int position, int restart) {
    AutoCriticalSection lock(lock_);
    if (!collector_)
        return;
    if (position < 0)
        position = GetPositionLocked();
    collector_->LoadPlayList(mode_, position, endFrame_, restart);
}

void Playback::Relocate(int position) {
    AutoCriticalSection lock(lock_);
    if (control_.stopRequested || !player_.IsOpen() || !collector_)
        return;
    AutoCriticalSection serverLock(server_.GetLock());
    server_.Flush();
    player_.Reset();
    PlayQueue &queue = collector_->GetQueue();
    AutoCriticalSection queueLock(queue.GetLock());
    queue.Seek(uint32_t(position < 0 ? 0 : position), 0);
    queue.ResetHistory();
    if (engineDriven_)
        relocated_ = 1;
}

SamplePattern Playback::GetSourcePattern() const {
    AutoCriticalSection lock(lock_);
    return sourcePattern_;
}

void Playback::SignalCollector(FileObject const &file) {
    AutoCriticalSection lock(lock_);
    if (collector_)
        collector_->Signal(file);
}

bool Playback::IsPlaying(ASampleProvider const *source) const {
    AutoCriticalSection lock(lock_);
    return playing_ && source_ == source;
}

int Playback::IsPlayingOwner(void const *tag) const {
    AutoCriticalSection lock(lock_);
    return playing_ && tag && tag == ownerTag_ && !control_.stopRequested;
}

unsigned Playback::GetOutputLatency() const {
    AutoCriticalSection lock(lock_);
    unsigned frameBytes = unsigned(outputPattern_.GetNumChannels() * outputPattern_.GetBytesPerSample());
    if (!outputPattern_.GetMask() || !frameBytes)
        return 0;
    return unsigned(bufferCount_) * unsigned(bufferSize_) / frameBytes;
}

int Playback::GetUseEngine() const { return TheAudioEngine().CanDrivePlayback(); }

int Playback::GetOutputBits() const { return ThePlayerSettings().playbackBits; }
