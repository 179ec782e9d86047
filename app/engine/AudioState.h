// The program's global audio state: the heap of the device headers, the GUI thread's
// thread object, the playback with its wave-out player, the wave-in recorder and the
// sample server. Built at its first use (the shell's start-up attaches the GUI thread),
// destroyed at the end of the process in the reverse order.
#pragma once

#include "engine/Playback.h"
#include "engine/SampleRecorder.h"
#include "engine/SampleServer.h"
#include "foundation/Thread.h"
#include "malvane/Malvane.h"

class PlaybackLink;

class AudioState {
public:
    AudioState();
    ~AudioState();
    AudioState(AudioState const &) = delete;
    AudioState &operator=(AudioState const &) = delete;

    NH_Heap audioHeap{17, "AudioHeap"};  // device headers
    Thread guiThread;
    Playback playback;
    SampleRecorder recorder;
    SampleServer server;

private:
    PlaybackLink *previousLink_;
};

AudioState &TheAudioState();
Playback &ThePlaybackEngine();
// Called by the GUI thread at start-up: builds the audio state and registers the thread.
void AttachGuiThreadToAudio();
// The wave-out device is open: many commands disable themselves while it plays.
bool IsWaveOutOpen();
