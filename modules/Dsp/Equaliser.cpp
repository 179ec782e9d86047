#include "Dsp/Equaliser.h"

#include "Dsp/Dot.h"
#include "Dsp/Fft.h"
#include "Dsp/MinimumPhase.h"

#include <cmath>
#include <cstring>

namespace dsp {

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kTopFrequency = 0.49;   // of the rate, for any frequency given
constexpr double kMatchedUpTo = 0.45;    // of the rate: the range held to the curve
constexpr double kHeldFrom = 0.46;       // the correction's target stays flat above this
constexpr double kLowest = 20;           // Hz
constexpr double kAllowedDb = 0.04;
constexpr int kLongestCorrection = 2048;
constexpr int kDesignSize = 32768;
constexpr int kChecks = 400;

double Factor(int gainDb) { return std::pow(10.0, std::abs(gainDb) * 0.05); }

double UpperCurve(double corner, double g, double f) { return (corner * corner + f * f * g) / (f * f + corner * corner); }
double LowerCurve(double corner, double g, double f) { return (f * f + corner * corner * g) / (f * f + corner * corner); }
double BandCurve(double centre, double g, double q, double f) {
    double const x = (centre / f - f / centre) * q;
    return std::sqrt((x * x + g * g) / (x * x + 1));
}

double Signed(int gainDb, double boost) { return gainDb > 0 ? boost : 1 / boost; }

// Two cascaded first-order stages, each the square root of the shelf's curve: the pole
// mapped by z = exp(s / rate), the zero and gain chosen so that the stage's gain is the
// curve's at 0 and at the Nyquist frequency.
Biquad SquaredStage(double rate, double corner, double atZero, double atNyquist) {
    double const p = std::exp(-2 * kPi * corner / rate);
    double const d = std::sqrt(atZero) * (1 - p), n = std::sqrt(atNyquist) * (1 + p);
    double const gain = (d + n) / 2, zero = (n - d) / (n + d);
    double const b0 = gain, b1 = -gain * zero, a1 = -p;
    Biquad f;
    f.b0 = b0 * b0;
    f.b1 = 2 * b0 * b1;
    f.b2 = b1 * b1;
    f.a1 = 2 * a1;
    f.a2 = a1 * a1;
    return f;
}

Biquad UpperShelf(EqSettings const &s) {
    double const g = Factor(s.upperGain);
    Biquad const boost = SquaredStage(s.rate, s.upperCorner, 1, UpperCurve(s.upperCorner, g, s.rate / 2));
    return s.upperGain > 0 ? boost : boost.Inverse();
}

Biquad LowerShelf(EqSettings const &s) {
    double const g = Factor(s.lowerGain);
    Biquad const boost = SquaredStage(s.rate, s.lowerCorner, g, LowerCurve(s.lowerCorner, g, s.rate / 2));
    return s.lowerGain > 0 ? boost : boost.Inverse();
}

// (s² + (G/Q) w s + w²) / (s² + (1/Q) w s + w²): the poles mapped by z = exp(s / rate), the
// zeros chosen so that the gain squared is the curve's at 0, at the centre and at the
// Nyquist frequency (where a bilinear band would fall back to 1).
Biquad Band(EqSettings const &s) {
    double const g = Factor(s.bandGain), q = s.bandQuality;
    double const w0 = 2 * kPi * s.bandCentre / s.rate, zeta = 1 / (2 * q);
    Biquad f;
    f.a1 = -2 * std::exp(-zeta * w0) * std::cos(w0 * std::sqrt(1 - zeta * zeta));
    f.a2 = std::exp(-2 * zeta * w0);
    // |b0 + b1 z + b2 z²|² = B0 p0 + B1 p1 + B2 p2, p1 = sin²(w / 2), p0 = 1 - p1, p2 = 4 p0 p1
    double const a0 = (1 + f.a1 + f.a2) * (1 + f.a1 + f.a2), a1 = (1 - f.a1 + f.a2) * (1 - f.a1 + f.a2);
    double const a2 = -4 * f.a2;
    double const p1 = std::sin(w0 / 2) * std::sin(w0 / 2), p0 = 1 - p1, p2 = 4 * p0 * p1;
    double const nyquist = BandCurve(s.bandCentre, g, q, s.rate / 2);
    double const b0 = a0, b1 = nyquist * nyquist * a1;
    double const b2 = (g * g * (a0 * p0 + a1 * p1 + a2 * p2) - b0 * p0 - b1 * p1) / p2;
    double const w = std::sqrt(b0), v = std::sqrt(b1), sum = (w + v) / 2;
    double const root = std::sqrt(sum * sum + b2 > 0 ? sum * sum + b2 : 0);
    f.b0 = (sum + root) / 2;
    f.b1 = (w - v) / 2;
    f.b2 = (sum - root) / 2;
    return s.bandGain > 0 ? f : f.Inverse();
}

void SanitiseSection(double rate, double &hz, int &gain) {
    if (!std::isfinite(hz) || hz <= 0)
        gain = 0;
    else if (hz > kTopFrequency * rate)
        hz = kTopFrequency * rate;
    gain = gain > 60 ? 60 : gain < -60 ? -60 : gain;
}

}  // namespace

EqSettings Sanitised(EqSettings s) {
    SanitiseSection(s.rate, s.upperCorner, s.upperGain);
    SanitiseSection(s.rate, s.lowerCorner, s.lowerGain);
    SanitiseSection(s.rate, s.bandCentre, s.bandGain);
    s.bandQuality = s.bandQuality < 1 ? 1 : s.bandQuality > 100 ? 100 : s.bandQuality;
    return s;
}

double EqResponse(EqSettings const &s, double f) {
    double r = 1;
    if (s.upperGain)
        r *= Signed(s.upperGain, UpperCurve(s.upperCorner, Factor(s.upperGain), f));
    if (s.lowerGain)
        r *= Signed(s.lowerGain, LowerCurve(s.lowerCorner, Factor(s.lowerGain), f));
    if (s.bandGain)
        r *= Signed(s.bandGain, BandCurve(s.bandCentre, Factor(s.bandGain), s.bandQuality, f));
    return r;
}

bool Equaliser::Init(Arena &arena, EqSettings const &settings, int channels) {
    settings_ = Sanitised(settings);
    channels_ = channels;
    if (settings_.upperGain)
        biquads_[sections_++] = UpperShelf(settings_);
    if (settings_.lowerGain)
        biquads_[sections_++] = LowerShelf(settings_);
    if (settings_.bandGain)
        biquads_[sections_++] = Band(settings_);
    return sections_ == 0 || Correct(arena);
}

double Equaliser::Response(double f) const {
    double const w = 2 * kPi * f / settings_.rate;
    double r = 1;
    for (int i = 0; i < sections_; ++i)
        r *= biquads_[i].Magnitude(w);
    return r;
}

double Equaliser::CorrectionResponse(double const *taps, int count, double f) const {
    double const w = 2 * kPi * f / settings_.rate;
    double re = 0, im = 0;
    for (int n = 0; n < count; ++n) {
        re += taps[n] * std::cos(w * n);
        im -= taps[n] * std::sin(w * n);
    }
    return std::sqrt(re * re + im * im);
}

// The largest distance in dB from the curve, 20 Hz .. 0.45 times the rate, half the
// checks spaced by frequency and half by its logarithm.
double Equaliser::WorstError(double const *taps, int count) const {
    double const top = kMatchedUpTo * settings_.rate;
    double const bottom = kLowest < top ? kLowest : top / 2;
    double worst = 0;
    for (int i = 0; i < kChecks; ++i) {
        double const t = double(i) / (kChecks / 2 - 1);
        double const f = i < kChecks / 2 ? bottom * std::pow(top / bottom, t) : bottom + (top - bottom) * (t - 1);
        double const fir = count ? CorrectionResponse(taps, count, f) : 1;
        double const e = std::fabs(20 * std::log10(Response(f) * fir / EqResponse(settings_, f)));
        worst = e > worst ? e : worst;
    }
    return worst;
}

// Finds the shortest correction that holds the curve.
bool Equaliser::Correct(Arena &arena) {
    if (WorstError(nullptr, 0) <= kAllowedDb)
        return true;
    int size = kDesignSize;
    RealFft fft;
    double *target = arena.Take<double>(size / 2 + 1);
    double *work = arena.Take<double>(size + 2);
    double *taps = arena.Take<double>(kLongestCorrection);
    if (!fft.Init(arena, size) || arena.Failed())
        return false;
    for (int k = 0; k <= size / 2; ++k) {
        double f = double(k) * settings_.rate / size;
        f = f < kHeldFrom * settings_.rate ? f : kHeldFrom * settings_.rate;
        f = f > 1e-3 ? f : 1e-3;
        target[k] = std::log(EqResponse(settings_, f) / Response(f));
    }
    int count = 8;
    for (;; count *= 2) {
        MinimumPhase(fft, target, work, taps, count);
        if (count >= kLongestCorrection || WorstError(taps, count) <= kAllowedDb)
            break;
    }
    taps_ = (count + 3) / 4 * 4;
    reversed_ = arena.Take<double>(taps_);
    for (int c = 0; c < channels_; ++c)
        history_[c] = arena.Take<double>(taps_ + kMaxBlock);
    if (arena.Failed())
        return false;
    for (int n = 0; n < count; ++n)
        reversed_[taps_ - 1 - n] = taps[n];
    return true;
}

void Equaliser::Run(double *const *channels, int frames) {
    for (int c = 0; c < channels_; ++c) {
        double *x = channels[c];
        for (int i = 0; i < sections_; ++i)
            states_[c][i].Run(biquads_[i], x, frames);
        if (!taps_)
            continue;
        double *h = history_[c];
        std::memcpy(h + taps_, x, sizeof(double) * frames);
        for (int n = 0; n < frames; ++n)
            x[n] = Dot(reversed_, h + n + 1, taps_);
        std::memmove(h, h + frames, sizeof(double) * taps_);
    }
}

}  // namespace dsp
