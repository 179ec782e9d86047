#include "tests/modules/SignalKit.h"

#include <algorithm>
#include <cmath>

namespace signalkit {

std::vector<double> Sine(long frames, double frequency, double rate, double amplitude, double phase) {
    std::vector<double> y(frames);
    double const step = frequency / rate;
    for (long i = 0; i < frames; ++i)
        y[i] = amplitude * std::sin(2 * kPi * std::fmod(step * i, 1.0) + phase);
    return y;
}

double FullScale(double db) { return 32767 * std::pow(10.0, db / 20); }

std::vector<std::int16_t> ToSamples(std::vector<double> const &signal) {
    std::vector<std::int16_t> s(signal.size());
    for (size_t i = 0; i < s.size(); ++i)
        s[i] = std::int16_t(std::lround(std::max(-32768.0, std::min(32767.0, signal[i]))));
    return s;
}

std::vector<double> ToSignal(std::vector<std::int16_t> const &samples, int channels, int channel) {
    std::vector<double> y(samples.size() / channels);
    for (size_t i = 0; i < y.size(); ++i)
        y[i] = samples[i * channels + channel];
    return y;
}

std::vector<std::int16_t> Opposed(std::vector<std::int16_t> const &mono) {
    std::vector<std::int16_t> s(2 * mono.size());
    for (size_t i = 0; i < mono.size(); ++i) {
        s[2 * i] = mono[i];
        s[2 * i + 1] = std::int16_t(-mono[i]);
    }
    return s;
}

SineFit FitSine(std::vector<double> const &y, double frequency, double rate, long first, long end) {
    // normal equations of a sin + b cos + c
    double m[3][4] = {};
    double const step = frequency / rate;
    for (long i = first; i < end; ++i) {
        double const t = 2 * kPi * std::fmod(step * i, 1.0);
        double const v[3] = {std::sin(t), std::cos(t), 1};
        for (int r = 0; r < 3; ++r) {
            for (int c = 0; c < 3; ++c)
                m[r][c] += v[r] * v[c];
            m[r][3] += v[r] * y[i];
        }
    }
    for (int p = 0; p < 3; ++p)
        for (int r = 0; r < 3; ++r)
            if (r != p) {
                double const f = m[r][p] / m[p][p];
                for (int c = 0; c < 4; ++c)
                    m[r][c] -= f * m[p][c];
            }
    double const a = m[0][3] / m[0][0], b = m[1][3] / m[1][1], c = m[2][3] / m[2][2];
    double rest = 0;
    for (long i = first; i < end; ++i) {
        double const t = 2 * kPi * std::fmod(step * i, 1.0);
        double const e = y[i] - a * std::sin(t) - b * std::cos(t) - c;
        rest += e * e;
    }
    SineFit fit;
    fit.amplitude = std::sqrt(a * a + b * b);
    fit.phase = std::atan2(b, a);
    double const power = fit.amplitude * fit.amplitude / 2 * double(end - first);
    fit.thdnDb = 10 * std::log10(power / std::max(rest, 1e-300));
    return fit;
}

double MeasureFrequency(std::vector<double> const &y, double guess, double rate, long first, long end) {
    long const middle = (first + end) / 2;
    double const early = FitSine(y, guess, rate, first, middle).phase;
    double const late = FitSine(y, guess, rate, middle, end).phase;
    double turn = late - early;
    turn = std::remainder(turn, 2 * kPi);
    // the halves' centres lie (end - first) / 2 frames apart
    return guess + turn / (2 * kPi) * rate / (double(end - first) / 2);
}

double LevelSpreadDb(std::vector<double> const &y, long window, long first, long end) {
    double low = 1e300, high = -1e300;
    for (long at = first; at + window <= end; at += window) {
        double sum = 0;
        for (long i = at; i < at + window; ++i)
            sum += y[i] * y[i];
        double const db = 10 * std::log10(sum / window + 1e-300);
        low = std::min(low, db);
        high = std::max(high, db);
    }
    return high - low;
}

std::vector<Peak> FindPeaks(std::vector<double> const &y, double threshold, long apart) {
    std::vector<Peak> peaks;
    for (long i = 0; i < long(y.size()); ++i) {
        double const m = std::fabs(y[i]);
        if (m < threshold)
            continue;
        if (peaks.empty() || i - peaks.back().at > apart)
            peaks.push_back({i, m});
        else if (m > peaks.back().magnitude)
            peaks.back() = {i, m};
    }
    return peaks;
}

std::vector<double> ClickTrack(long frames, double rate, std::vector<long> const &at) {
    std::vector<double> y = Sine(frames, 440, rate, FullScale(-40));
    for (long p : at)
        for (long j = 0; j < long(rate * 0.001) && p + j < frames; ++j)
            y[p + j] += FullScale(-3) * std::exp(-j / (rate * 0.00015)) * std::cos(2 * kPi * 3000 * j / rate);
    return y;
}

}  // namespace signalkit
