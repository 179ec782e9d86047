// Test signals and their measurement for the processing modules' tests and probe.
#pragma once

#include <cstdint>
#include <vector>

namespace signalkit {

constexpr double kPi = 3.14159265358979323846;

// amplitude × sin(2 pi frequency i / rate + phase), i from 0
std::vector<double> Sine(long frames, double frequency, double rate, double amplitude, double phase = 0);
// a level in dB of 16-bit full scale as an amplitude
double FullScale(double db);

std::vector<std::int16_t> ToSamples(std::vector<double> const &signal);
std::vector<double> ToSignal(std::vector<std::int16_t> const &samples, int channels = 1, int channel = 0);
// two channels, the second the negative of the first
std::vector<std::int16_t> Opposed(std::vector<std::int16_t> const &mono);

// The least-squares sine of a known frequency (with an offset) over [first, end).
struct SineFit {
    double amplitude = 0;
    double phase = 0;       // of sin at index 0
    double thdnDb = 0;      // the sine's power over the rest's, in dB
};
SineFit FitSine(std::vector<double> const &y, double frequency, double rate, long first, long end);
// the frequency of a steady sine near a guess, from the phase it gains between two halves
double MeasureFrequency(std::vector<double> const &y, double guess, double rate, long first, long end);
// RMS level in dB of each window of the given length in [first, end): the largest minus the smallest
double LevelSpreadDb(std::vector<double> const &y, long window, long first, long end);

// Peaks above a threshold at least apart frames from each other: their positions and magnitudes.
struct Peak {
    long at;
    double magnitude;
};
std::vector<Peak> FindPeaks(std::vector<double> const &y, double threshold, long apart);

// count clicks (a burst of a few milliseconds) at the given frames on a quiet 440 Hz bed
std::vector<double> ClickTrack(long frames, double rate, std::vector<long> const &at);

}  // namespace signalkit
