// The settings of wave documents (the "Wave" group of the main settings), read and written
// by Wave::LoadPrefs and Wave::SavePrefs.
#pragma once

#include <cstdint>

struct WaveSettings {
    // "Snap": selections snap to zero crossings.
    int32_t snapOn = 1;
    int32_t snapHZoom = 1;
    int32_t scanRange = 50;  // milliseconds searched
    int32_t leftSlope = 1;   // 0 falling, 1 rising, 2 any
    int32_t rightSlope = 1;
    int32_t undoLimit = 100000;
    int32_t openDualMono = 1;  // two mono files opened together make one stereo wave
    int32_t selLevelShift = 1;
    int32_t magnetMark = 1;
    int32_t autoPlay = 1;  // the open dialog plays the chosen file
};

WaveSettings &TheWaveSettings();
