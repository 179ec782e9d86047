// Rate and length ratios. The modules get them as single-precision floats, which lose a
// rate conversion's exact ratio (44.1 to 48 kHz drifts by frames within an hour); where a
// whole fraction reproduces the float, that fraction is the ratio.
#pragma once

#include <cstdint>

namespace dsp {

// A positive ratio: the fraction num / den when den is not 0, else value alone.
struct Ratio {
    std::int64_t num = 0;
    std::int64_t den = 0;
    double value = 0;

    bool IsFraction() const { return den != 0; }
    bool IsOne() const { return value == 1; }
    Ratio Inverse() const;
};

Ratio FractionRatio(std::int64_t num, std::int64_t den);  // reduced
Ratio ValueRatio(double value);
Ratio Product(Ratio a, Ratio b);

// rate / fo, where fo is the whole rate rate / ratio when the float reproduces rate / fo,
// else the float itself
Ratio RateRatio(std::int32_t rate, float ratio);
// the fraction with the smallest denominator up to 1000 that the float reproduces, else the float
Ratio SimplestRatio(float ratio);

// floor(frames × ratio + ½), exact for a fraction
std::int64_t ScaleFrames(std::int64_t frames, Ratio ratio);

}  // namespace dsp
