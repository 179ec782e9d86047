// The two ends of the master section's queue, through which the audio engine drives a
// playback: AE_Micro delivers what the playback's source (the played object, or the live
// input) gives, AE_Speaker writes the chain's output to the wave-out player. They call
// the two halves of the Playback from the engine's thread.
#pragma once

#include "engine/AudioElement.h"

#include <cstdint>

class AE_Micro : public ProgramAudioElement {
public:
    AE_Micro(ElementEngineCallback callback, void *engineValue);

    int32_t Process(ElementBlock &block) override;
    // The current request's rate and channels, held to 1..2 channels and 1..48000 Hz.
    int32_t Open(int32_t rate, int32_t channels, int32_t extra) override;
    // Prepares the playback's source; a format other than the one opened is handed on.
    int32_t Start() override;
    int32_t Stop() override;
    int32_t CheckFormat(int32_t value, int32_t channels, int32_t rate, int32_t extra) override;

    static AudioElementRecord *WQ_CALL Factory(ElementEngineCallback callback, void *engineValue, void *element);
};

class AE_Speaker : public ProgramAudioElement {
public:
    AE_Speaker(ElementEngineCallback callback, void *engineValue);
    ~AE_Speaker() override;

    int32_t Process(ElementBlock &block) override;
    int32_t Open(int32_t rate, int32_t channels, int32_t extra) override;
    // Opens the playback's output at the chain's speed.
    int32_t Start() override;
    int32_t Stop() override;
    int32_t CheckFormat(int32_t, int32_t, int32_t, int32_t) override { return 0; }
    int32_t GetDelay() override;

    // Becomes the audio state's current speaker element.
    static AudioElementRecord *WQ_CALL Factory(ElementEngineCallback callback, void *engineValue, void *element);
};

// The output peaks of the current speaker element (two channels); false without one.
bool ReadCurrentSpeakerPeaks(float peaks[2]);
