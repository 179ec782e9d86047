#include "Dsp/Ratio.h"

#include <cmath>

namespace dsp {

namespace {

std::int64_t Gcd(std::int64_t a, std::int64_t b) {
    while (b) {
        std::int64_t const r = a % b;
        a = b;
        b = r;
    }
    return a;
}

bool Reproduces(float ratio, std::int64_t num, std::int64_t den) {
    return num > 0 && den > 0 && static_cast<float>(double(num) / double(den)) == ratio;
}

}  // namespace

Ratio FractionRatio(std::int64_t num, std::int64_t den) {
    std::int64_t const g = Gcd(num, den);
    Ratio r;
    r.num = num / g;
    r.den = den / g;
    r.value = double(r.num) / double(r.den);
    return r;
}

Ratio ValueRatio(double value) {
    Ratio r;
    r.value = value;
    return r;
}

Ratio Ratio::Inverse() const { return IsFraction() ? FractionRatio(den, num) : ValueRatio(1 / value); }

Ratio Product(Ratio a, Ratio b) {
    bool const small = a.IsFraction() && b.IsFraction() && a.num < (1 << 30) && b.num < (1 << 30) &&
                       a.den < (1 << 30) && b.den < (1 << 30);
    return small ? FractionRatio(a.num * b.num, a.den * b.den) : ValueRatio(a.value * b.value);
}

Ratio RateRatio(std::int32_t rate, float ratio) {
    double const fo = std::floor(double(rate) / double(ratio) + 0.5);
    if (fo >= 1 && fo < 2147483648.0 && Reproduces(ratio, rate, std::int64_t(fo)))
        return FractionRatio(rate, std::int64_t(fo));
    return ValueRatio(ratio);
}

Ratio SimplestRatio(float ratio) {
    for (std::int64_t den = 1; den <= 1000; ++den) {
        std::int64_t const num = std::int64_t(std::floor(double(ratio) * double(den) + 0.5));
        if (Reproduces(ratio, num, den))
            return FractionRatio(num, den);
    }
    return ValueRatio(ratio);
}

std::int64_t ScaleFrames(std::int64_t frames, Ratio ratio) {
    if (ratio.IsFraction() && frames < (std::int64_t(1) << 31) && ratio.num < (std::int64_t(1) << 30))
        return (2 * frames * ratio.num + ratio.den) / (2 * ratio.den);
    return std::int64_t(std::floor(double(frames) * ratio.value + 0.5));
}

}  // namespace dsp
