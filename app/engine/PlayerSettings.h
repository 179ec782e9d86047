// The "Player" settings: the wave devices and their buffers, the output bit depth, how
// the play position is found and the drop-out limit handed to the audio engine.
#pragma once

#include <cstdint>

class Config;

struct PlayerSettings {
    enum : uint32_t { kWaveMapper = 0xFFFFFFFF };

    uint32_t inDevice = kWaveMapper;   // "InDev"
    uint32_t outDevice = kWaveMapper;  // "OutDev"
    int32_t playbackBits = 16;         // "PlayBackRes": bit depth of every play request
    int32_t outBufferSize = 16384;     // "SizeOutBuf": bytes
    int32_t outBufferCount = 4;        // "NumOutBuf"
    int32_t inBufferSize = 16384;      // "SizeInBuf"
    int32_t inBufferCount = 6;         // "NumInBuf"
    int32_t maxDropOut = 20;           // "MaxDropOut"
    int32_t stopOnDrop = 1;            // "StopOnDrop": the engine stops after MaxDropOut drop-outs
    int32_t timedPosition = 1;         // "PlayPos": 1 the position runs on the system clock, 0 the device's
};

PlayerSettings &ThePlayerSettings();
// Reads and writes the "Player" group below the current group. A device id the system
// does not know is read as the wave mapper.
void LoadPlayerSettings(Config &config);
void SavePlayerSettings(Config &config);
