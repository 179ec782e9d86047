// The format of new waves as the new-wave dialog last left it ("NewWave" keys of the
// "Wave" group), and the seam through which that dialog asks the user for the format of a
// headerless (raw PCM) file.
#pragma once

#include "audio/SamplePattern.h"

#include <cstdint>

class Config;

struct NewWaveSettings {
    int32_t channels = 2;       // "Chan": 1 mono, 2 stereo, 3 stereo as two files
    int32_t bits = 16;          // "Res": 8, 16, 20 or 24
    uint32_t rate = 44100;      // "Rate"
    uint32_t freeRate = 44100;  // "XRate": the dialog's free rate
};

NewWaveSettings &TheNewWaveSettings();
// Reads and writes the "NewWave" group below the current group (the wave's "Wave").
void LoadNewWaveSettings(Config &config);
void SaveNewWaveSettings(Config &config);

// The settings' format: little-endian samples of "Res" bits, "Chan" channels but at most
// two, interleaved unless "Chan" is 3, "Rate".
SamplePattern &GetNewWaveFormat(SamplePattern &pattern);
// The same of other settings.
SamplePattern &GetNewWaveFormat(SamplePattern &pattern, NewWaveSettings const &settings);

// Shows the format to the user and lets it be changed (two files not allowed); nonzero
// when the user accepted.
typedef int (*TRawFormatChooser)(SamplePattern &pattern);
// Installs a chooser (null: none, so that a raw file cannot be opened); returns the
// previous one. The new-wave dialog registers itself.
TRawFormatChooser SetRawFormatChooser(TRawFormatChooser chooser);
// Asks the registered chooser; 0 without one.
int ChooseRawFormat(SamplePattern &pattern);
