// The program's time settings (the "TimeScale" group of the main settings): the unit in
// which dialogs and the status bar write positions, and the frame rate, tempo, time
// signature and tick resolution that SMPTE and bar positions are counted in. A file's open
// options may bring their own.
#pragma once

#include <cstdint>

class Config;

struct TimeSettings {
    int32_t dialUnit = 6;  // 0 seconds, 1 samples, 2 SMPTE, 3 and 4 bars, 5 bytes; 6 the active ruler's
    double framesPerSecond = 25.0;
    int32_t tempo = 120000;  // beats per minute x 1000
    int32_t beatMeasure = 4;
    int32_t beatWholeNote = 4;  // the note value of a beat
    int32_t ticks = 768;        // per quarter note
};

TimeSettings &TheTimeSettings();
void LoadTimeScaleDefaults(Config &config);
void SaveTimeScaleDefaults(Config &config);
