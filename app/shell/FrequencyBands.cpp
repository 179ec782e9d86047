#include "shell/FrequencyBands.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace bands {

int RoundBandFrequency(int hz) {
    if (hz < 100)
        return hz;
    if (hz < 1000)
        return (hz + 2) / 5 * 5;
    if (hz < 10000)
        return (hz + 5) / 10 * 10;
    return (hz + 250) / 500 * 500;
}

std::vector<int> MakeBandTable(int f0, int octaves, bool logarithmic) {
    octaves = std::max(octaves, 1);
    int perOctave = 60 / octaves;
    int n = octaves * perOctave + 1;
    std::vector<int> bands(n);
    double top = std::ldexp(double(f0), octaves);
    for (int i = 0; i < n; ++i) {
        double f = logarithmic ? f0 * std::pow(2.0, double(i) / perOctave) : f0 + i * (top - f0) / (n - 1);
        bands[i] = RoundBandFrequency(int(f));
    }
    return bands;
}

void ReduceToBands(double const *magnitudes, uint32_t rate, std::vector<int> const &bands, double *values) {
    int line = 1;
    int n = int(bands.size());
    for (int j = 0; j < n; ++j) {
        int64_t edge = j + 1 < n ? (bands[j] + bands[j + 1]) / 2 : 2 * int64_t(bands[j]);
        double value = 0;
        // k x rate / kBlockSize below edge, in integers
        for (; line < kLines && int64_t(line) * rate < edge * kBlockSize; ++line)
            value = std::max(value, magnitudes[line] + 0.5);
        values[j] = value;
    }
}

namespace {
bool Flat(double maximum) { return maximum <= 1.000001; }
int Clamp(double level) { return int(std::min(std::max(level, 0.0), double(kLevelTop))); }
}  // namespace

// A band value carries half a unit more than the magnitude it came from, so the largest
// band can pass the maximum by a hair: levels are held to the top.
int LinearLevel(double value, double maximum) {
    return Flat(maximum) ? 0 : Clamp(std::trunc(value * kLevelTop / maximum));
}

int LogarithmicLevel(double value, double maximum) {
    if (Flat(maximum))
        return 0;
    double x = std::max(value * 256 / maximum, 1.0);
    return Clamp(std::trunc(std::log10(x) * kLevelTop / std::log10(256.0)));
}

String TimeText(uint64_t t) {
    char text[40];
    if (t < 1000)
        std::snprintf(text, sizeof text, "%llu ms", (unsigned long long)t);
    else if (t < 10000)
        std::snprintf(text, sizeof text, "%u.%03u s", unsigned(t / 1000), unsigned(t % 1000));
    else
        std::snprintf(text, sizeof text, "%llu s", (unsigned long long)(t / 1000));
    return String(text);
}

std::vector<Legend> TimeLabels(uint64_t total, int slices) {
    std::vector<Legend> labels;
    for (int i = 0; i < kLabels; ++i)
        labels.emplace_back(slices * i / 8, TimeText(i * total / 8).c_str());
    labels.emplace_back();
    return labels;
}

std::vector<Legend> FrequencyLabels(std::vector<int> const &bands) {
    std::vector<Legend> labels;
    int last = int(bands.size()) - 1;
    for (int i = 0; i < kLabels && last >= 0; ++i) {
        char text[24];
        int band = last * i / 8;
        std::snprintf(text, sizeof text, "%d Hz", bands[band]);
        labels.emplace_back(band, text);
    }
    labels.emplace_back();
    return labels;
}

}  // namespace bands
