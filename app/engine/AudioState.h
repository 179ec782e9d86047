// The program's global audio state: the heap of the device headers, the background task
// list, the GUI thread's thread object, the playback with its wave-out player, the wave-in
// recorder, the sample server, the recording engine and the audio engine's speaker
// element. Built at its first use, destroyed at the end of the process in the reverse
// order. The shell's start-up attaches the GUI thread, which registers the playback as the
// one audio objects ask.
#pragma once

#include "engine/BackgroundTask.h"
#include "engine/Playback.h"
#include "engine/SampleRecorder.h"
#include "engine/SampleServer.h"
#include "engine/WaveRecorder.h"
#include "foundation/Thread.h"
#include "malvane/Malvane.h"

class AE_Speaker;

class AudioState {
public:
    AudioState();
    ~AudioState();
    AudioState(AudioState const &) = delete;
    AudioState &operator=(AudioState const &) = delete;

    NH_Heap audioHeap{17, "AudioHeap"};  // device headers
    BackgroundTaskList tasks;
    Thread guiThread;
    Playback playback;
    SampleRecorder recorder;
    SampleServer server;
    WaveRecorder waveRecorder{audioHeap};  // the record dialog's
    AE_Speaker *currentSpeaker = nullptr;  // the engine's output; guarded by the playback lock
};

AudioState &TheAudioState();
Playback &ThePlaybackEngine();
WaveRecorder &TheWaveRecorder();
// Called by the GUI thread at start-up: builds the audio state, registers the thread and
// makes the playback the one audio objects ask.
void AttachGuiThreadToAudio();
// The wave-out device is open: many commands disable themselves while it plays.
bool IsWaveOutOpen();
