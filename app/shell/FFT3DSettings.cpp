#include "shell/FFT3DSettings.h"

#include "foundation/Config.h"

#include <algorithm>

namespace {

char const kGroup[] = "FFT3D";

int Within(int value, int low, int high) { return std::min(std::max(value, low), high); }

// The nearest of the twelve angles the settings offer.
int AngleStep(int degrees) {
    int64_t half = int64_t(degrees) + 15;
    int64_t steps = half >= 0 ? half / 30 : -((29 - half) / 30);  // rounded down
    return int((steps % 12 + 12) % 12) * 30;
}

void Read(Config &config, FFT3DStyle &s) {
    FFT3DStyle const defaults;
    s.colorMode = config.GetValue(defaults.colorMode, "ColorMode");
    s.style = config.GetValue(defaults.style, "Style");
    s.back = config.GetValue(defaults.back, "Back");
    s.ampScale = config.GetValue(defaults.ampScale, "AmpScale");
    s.angle = config.GetValue(defaults.angle, "Angle");
    ClampFFT3DStyle(s);
}

void Read(Config &config, FFT3DFrequencies &f) {
    FFT3DFrequencies const defaults;
    f.lowFreq = config.GetValue(defaults.lowFreq, "LowFreq");
    f.highFreq = config.GetValue(defaults.highFreq, "HighFreq");
    f.logFreq = config.GetValue(defaults.logFreq, "LogFreq");
    ClampFFT3DFrequencies(f);
}

void Write(Config &config, FFT3DStyle const &s) {
    config.SetValue(int(s.colorMode), "ColorMode");
    config.SetValue(int(s.style), "Style");
    config.SetValue(int(s.back), "Back");
    config.SetValue(int(s.ampScale), "AmpScale");
    config.SetValue(int(s.angle), "Angle");
}

void Write(Config &config, FFT3DFrequencies const &f) {
    config.SetValue(int(f.lowFreq), "LowFreq");
    config.SetValue(int(f.highFreq), "HighFreq");
    config.SetValue(int(f.logFreq), "LogFreq");
}

// The records given at the configuration's place, or the global ones in their group.
template <class Style, class Frequencies, class Each>
void ForRecords(Config &config, Style *style, Frequencies *frequencies, Each each) {
    Config::PathSaver saver(config);
    if (!style && !frequencies) {
        config.MoveDown(kGroup);
        style = &TheFFT3DStyle(), frequencies = &TheFFT3DFrequencies();
    }
    if (style)
        each(*style);
    if (frequencies)
        each(*frequencies);
}

}  // namespace

FFT3DStyle &TheFFT3DStyle() {
    static FFT3DStyle style;
    return style;
}

FFT3DFrequencies &TheFFT3DFrequencies() {
    static FFT3DFrequencies frequencies;
    return frequencies;
}

void ClampFFT3DStyle(FFT3DStyle &s) {
    s.colorMode = Within(s.colorMode, 0, 1);
    s.style = Within(s.style, FFT3DStyle::kHiddenLines, FFT3DStyle::kSpectral);
    s.back = Within(s.back, 0, 1);
    s.ampScale = Within(s.ampScale, 0, 1);
    s.angle = AngleStep(s.angle);
}

// At least three octaves: an analysis over none would divide by zero.
void ClampFFT3DFrequencies(FFT3DFrequencies &f) {
    typedef FFT3DFrequencies F;
    f.lowFreq = Within(f.lowFreq, F::kLowest, F::kLowestTop);
    f.highFreq = Within(f.highFreq, f.lowFreq + F::kLeastOctaves, F::kHighest);
    f.logFreq = Within(f.logFreq, 0, 1);
}

void LoadFFT3DSettings(Config &config, FFT3DStyle *style, FFT3DFrequencies *frequencies) {
    ForRecords(config, style, frequencies, [&](auto &record) { Read(config, record); });
}

void SaveFFT3DSettings(Config &config, FFT3DStyle const *style, FFT3DFrequencies const *frequencies) {
    ForRecords(config, style, frequencies, [&](auto const &record) { Write(config, record); });
}
