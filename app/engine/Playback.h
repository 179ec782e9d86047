// All playing of audio goes through one Playback: a thread that takes the play request of
// an audio object, builds a play list over its frames (SampleCollector), has the sample
// server read them ahead and pushes blocks of 2048 frames into the wave-out player. It
// answers the play position, follows a new position or selection while playing, and tells
// the GUI thread (MessStopPlayback) when a playback has ended. When the audio engine runs
// a playback, the engine's elements call the two halves (PrepareSource and Finish,
// OpenOutput and StopOutput) from their threads instead.
//
// Every play has a generation number. A Stop marks the current generation stopped, and
// no half of a stopped generation starts, so a Stop (or the Stop inside Play) that comes
// while a playback is still starting is never lost. Play waits until the previous
// playback has let go of both halves before it touches the fields.
//
// Lock order: a source's lock (a wave's lock) may never be held while calling Playback:
// the playback lock comes first, then the sample server's lock, then the player's writer
// and device locks, then a collector's source lock and its queue lock. The playback thread
// reads and writes blocks without the playback lock.
#pragma once

#include "audio/PlayRequest.h"
#include "audio/PlaybackLink.h"
#include "audio/SamplePattern.h"
#include "engine/PlaybackControl.h"
#include "engine/SamplePlayer.h"
#include "foundation/CriticalSection.h"
#include "foundation/Thread.h"
#include "foundation/ThreadEvent.h"

#include <atomic>
#include <cstdint>
#include <memory>
#include <vector>

class NH_Heap;
class SampleCollector;
class SampleRecorder;
class SampleServer;

class Playback : public Thread, public PlaybackLink {
public:
    enum { kBlockFrames = 2048 };

    Playback(SampleServer &server, SampleRecorder &recorder, NH_Heap &heap);
    ~Playback() override;

    // ---- PlaybackLink
    bool IsPlaying(ASampleProvider const *source) const override;
    // The play position in source frames; fixed at the stop point once stopped.
    int GetPosition() override;
    // Stop, then wait up to 3 s until both halves are let go; 0 when they are.
    int StopAndWait() override;
    void RequeueFrom(int position, int restart) override;
    // Stops what plays, waits until it has let go of both halves, and starts the request.
    void Play(PlayRequest const &request) override;
    void SignalCollector(FileObject const &file) override;
    int GetPlayMode() const override { return mode_; }
    int GetPlayChannels() const override { return playChannels_; }
    int GetUseEngine() const override;
    int GetOutputBits() const override;

    // Plays the current request again from its start.
    void Restart();
    // Asks the running or starting playback to stop; 1 when there was one.
    int Stop();
    // At the application's close: no playback starts from now on.
    void Shutdown();
    // Holds a running playback where it is: 1 when it played and is now held; Resume
    // plays on, Stop ends it.
    int Pause();
    void Resume();
    int IsPaused();
    // Continues at another source position, dropping what is buffered.
    void Relocate(int position);
    void RelocateToCurrent() { Relocate(GetPosition()); }
    int IsPlayingOwner(void const *tag) const;
    // Frames the output buffers hold.
    unsigned GetOutputLatency() const;

    // The two halves of a playback (the playback thread, or the engine's elements).
    int PrepareSource();
    int OpenOutput(SamplePattern const *pattern, double speed);
    void StopOutput();
    void Finish();

    // The format of the request being played (what the engine's input element opens with).
    SamplePattern GetSourcePattern() const;
    // 1 once after a relocation of a playback the engine drives: its elements drop what
    // they hold.
    int TakeRelocation() { return relocated_.exchange(0); }
    // Guards what the audio state keeps beside the playback (the engine's speaker element).
    CriticalSection const &GetLock() const { return lock_; }

    void SetPlayChannels(int channels) { playChannels_ = channels; }
    // The channels the wave panes show as playing (0 while monitoring).
    int GetPlayedChannels() const { return playedChannels_; }
    SamplePlayer &GetPlayer() { return player_; }
    // What the recorder shares with this playback.
    PlaybackControl &GetControl() { return control_; }

protected:
    unsigned long MainLoop() override;

private:
    int StopLocked();
    int GetPositionLocked();
    bool Released() const { return !pending_ && !playing_ && !outputOpen_; }
    bool IsStopped() const { return stoppedGeneration_ == generation_; }
    void TakeRequest(PlayRequest const &request);
    bool TakeStart();
    bool PrepareCollector();
    bool PrepareMonitor();
    void AbandonSource();
    void PlayBlocks();

    PlaybackControl control_;
    SamplePlayer player_;
    SampleServer &server_;
    SampleRecorder &recorder_;
    std::atomic<int32_t> playChannels_{3};
    CriticalSection lock_;
    ThreadEvent sourceDone_{/*initialState=*/1, /*autoReset=*/0};
    ThreadEvent outputDone_{/*initialState=*/1, /*autoReset=*/0};
    ThreadEvent startEvent_{/*initialState=*/0, /*autoReset=*/0};
    ASampleProvider *source_ = nullptr;
    std::unique_ptr<SampleCollector> collector_;
    SamplePattern sourcePattern_;
    SamplePattern outputPattern_;
    int32_t bufferCount_ = 0;
    int32_t bufferSize_ = 0;
    int32_t outputBits_ = 16;
    uint32_t channelMask_ = 0;
    int32_t engineDriven_ = 0;
    int32_t restarted_ = 0;
    int32_t endFrame_ = -1;
    uint32_t sampleFormat_ = kFloat32;
    int32_t loop_ = 0;
    std::atomic<int32_t> mode_{kPlayFromCaret};
    std::vector<float> channelBuffers_[2];
    float *channels_[2] = {};
    int32_t playing_ = 0;
    int32_t outputOpen_ = 0;
    int32_t pending_ = 0;  // the thread is to start the request
    double speed_ = 1.0;
    std::atomic<int32_t> closing_{0};
    std::atomic<int32_t> relocated_{0};
    std::atomic<int32_t> playedChannels_{0};
    void const *ownerTag_ = nullptr;
    uint32_t generation_ = 0;
    uint32_t stoppedGeneration_ = 0;
};
