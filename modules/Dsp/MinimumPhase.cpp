#include "Dsp/MinimumPhase.h"

#include <cmath>

namespace dsp {

namespace {

constexpr double kPi = 3.14159265358979323846;

}  // namespace

void MinimumPhase(RealFft const &fft, double const *logMagnitude, double *work, double *taps, int count) {
    int const size = fft.Size();
    for (int k = 0; k <= size / 2; ++k) {
        work[2 * k] = logMagnitude[k];
        work[2 * k + 1] = 0;
    }
    fft.Inverse(work);  // the real cepstrum
    // fold it onto the causal side: the log magnitude of the minimum-phase filter
    for (int n = 1; n < size / 2; ++n)
        work[n] *= 2;
    for (int n = size / 2 + 1; n < size; ++n)
        work[n] = 0;
    fft.Forward(work);
    for (int k = 0; k <= size / 2; ++k) {
        double const m = std::exp(work[2 * k]), phase = work[2 * k + 1];
        work[2 * k] = m * std::cos(phase);
        work[2 * k + 1] = m * std::sin(phase);
    }
    fft.Inverse(work);
    int const fade = count / 4;
    for (int n = 0; n < count; ++n) {
        int const left = count - 1 - n;
        double const w = left >= fade ? 1 : 0.5 - 0.5 * std::cos(kPi * (left + 1) / (fade + 1));
        taps[n] = work[n] * w;
    }
}

}  // namespace dsp
