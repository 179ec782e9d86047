// What the frequency analysis makes of its spectra: the table of band frequencies, the
// band values of one block's magnitudes, the levels 0 to 1000 drawn, and the axis labels.
#pragma once

#include "core/Curve3D.h"

#include <cstdint>
#include <vector>

namespace bands {

enum {
    kBlockSize = 2048,        // frames per transform
    kLines = kBlockSize / 2,  // lines 1 to kLines - 1 carry a frequency
    kLevelTop = 1000,         // levels and band positions run 0 to this
    kLabels = 9,              // labels on each axis
};

// A frequency rounded to a tidy figure: below 100 kept, then to 5, 10 and 500 Hz.
int RoundBandFrequency(int hz);
// Bands from f0 over octaves (at least 1), 60 / octaves a octave, spaced logarithmically
// (f0 x 2^(i / c)) or linearly; octaves x c + 1 of them.
std::vector<int> MakeBandTable(int f0, int octaves, bool logarithmic);

// The value of each band from the magnitudes of lines 0 to kLines - 1 (line 0 unused):
// line k stands for k x rate / kBlockSize Hz; each band takes the lines below the middle
// between it and the next (the last: up to twice its frequency), its value the largest
// magnitude + 0.5, 0 without lines.
void ReduceToBands(double const *magnitudes, uint32_t rate, std::vector<int> const &bands, double *values);

// Levels 0 to kLevelTop of values against the largest magnitude: all 0 when that is
// 1.000001 or less; logarithmic levels show the top 48 dB.
int LinearLevel(double value, double maximum);
int LogarithmicLevel(double value, double maximum);

// A duration in milliseconds as the time axis shows it: "187 ms", "1.125 s", "12 s".
String TimeText(uint64_t milliseconds);
// Nine labels at slice 60 x i / 8 for i x total / 8 of the time, and a last one without a
// text that ends the array for the plotter.
std::vector<Legend> TimeLabels(uint64_t totalMilliseconds, int slices);
// Nine labels at band (n - 1) x i / 8 naming the band's frequency, and the end.
std::vector<Legend> FrequencyLabels(std::vector<int> const &bands);

}  // namespace bands
