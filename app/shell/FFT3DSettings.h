// The settings of the 3-D frequency analysis, group "FFT3D" of the main settings and the
// presets of "fft3d.set": how a view draws (style record) and what the next analysis
// covers (frequency record). Values are held to their ranges as they are read, so a
// hand-edited file or an old preset can never make a view divide by zero.
#pragma once

#include <cstdint>

class Config;

struct FFT3DStyle {
    enum { kHiddenLines = 0, kGreyRamp = 1, kSpectral = 2 };  // "Style", the plotter's colour mode
    int32_t colorMode = 1;  // with the spectral style: 1 colours by frequency, 0 by level
    int32_t style = kSpectral;
    int32_t back = 0;      // 0 black background, 1 white
    int32_t ampScale = 0;  // 0 linear levels, 1 logarithmic
    int32_t angle = 30;    // degrees, a multiple of 30 below 360
};

struct FFT3DFrequencies {
    enum { kLowest = 0, kHighest = 10, kLowestTop = 7, kLeastOctaves = 3 };
    int32_t lowFreq = 0;    // from 20 x 2^lowFreq Hz
    int32_t highFreq = 10;  // to 20 x 2^highFreq Hz
    int32_t logFreq = 1;    // 1 bands spaced logarithmically, 0 linearly

    int Octaves() const { return highFreq - lowFreq; }
    int LowestFrequency() const { return 20 << lowFreq; }
};

// The global records: the settings of new views and of the next analysis.
FFT3DStyle &TheFFT3DStyle();
FFT3DFrequencies &TheFFT3DFrequencies();

void ClampFFT3DStyle(FFT3DStyle &style);
void ClampFFT3DFrequencies(FFT3DFrequencies &frequencies);

// Without records: the group "FFT3D" into the global records. With records (a preset):
// the same keys at the configuration's current place into those given.
void LoadFFT3DSettings(Config &config, FFT3DStyle *style = nullptr, FFT3DFrequencies *frequencies = nullptr);
void SaveFFT3DSettings(Config &config, FFT3DStyle const *style = nullptr,
                       FFT3DFrequencies const *frequencies = nullptr);
