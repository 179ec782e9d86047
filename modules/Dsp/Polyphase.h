// The interpolation kernel of a rate conversion: a linear-phase Kaiser-windowed sinc whose
// stopband starts at the lower of the two Nyquist frequencies with at least 140 dB, flat
// to 0.01 dB up to 95 % of it. Kept as rows of coefficients, one row per fractional
// position: every position of an exact fraction with a small denominator, else a grid of
// positions between which each output interpolates (cubic, far below the stopband).
#pragma once

#include "Dsp/Arena.h"
#include "Dsp/Ratio.h"

#include <cstdint>

namespace dsp {

class PolyphaseKernel {
public:
    // step: input frames per output frame
    bool Init(Arena &arena, Ratio step);

    // taps per row (a multiple of 4); output at input position i + frac uses the inputs
    // from i - HalfTaps() + 1 on
    int Taps() const { return taps_; }
    int HalfTaps() const { return half_; }
    bool ExactRows() const { return exact_; }
    // the row of phase p / den of an exact fraction
    double const *Row(std::int64_t phase) const { return rows_ + phase * taps_; }
    // the coefficients at frac (0 <= frac < 1), interpolated into scratch (Taps() values)
    double const *At(double frac, double *scratch) const;

private:
    bool Build(Arena &arena, double cutoff, int rows, double rowSpacing, double firstPhase);

    int taps_ = 0;
    int half_ = 0;
    bool exact_ = false;
    int grid_ = 0;  // positions per input frame on the interpolated grid
    double *rows_ = nullptr;
};

}  // namespace dsp
