#include "engine/AudioState.h"

#include "audio/PlaybackLink.h"

// The playback refers to the recorder and the server, built after it; it uses them only
// once a request comes, and its Shutdown ends their use before they go.
AudioState::AudioState()
    : playback(server, recorder, audioHeap), recorder(playback.GetControl(), audioHeap) {}

AudioState::~AudioState() {
    if (&ThePlayback() == &playback)
        SetPlaybackLink(nullptr);
    playback.Shutdown();
}

AudioState &TheAudioState() {
    static AudioState state;
    return state;
}

Playback &ThePlaybackEngine() { return TheAudioState().playback; }

WaveRecorder &TheWaveRecorder() { return TheAudioState().waveRecorder; }

void AttachGuiThreadToAudio() {
    AudioState &state = TheAudioState();
    state.guiThread.InitAsCurrentThread();
    SetPlaybackLink(&state.playback);
}

bool IsWaveOutOpen() { return TheAudioState().playback.GetPlayer().IsOpen(); }
