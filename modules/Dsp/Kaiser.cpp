#include "Dsp/Kaiser.h"

#include <cmath>

namespace dsp {

namespace {

constexpr double kPi = 3.14159265358979323846;

}  // namespace

double BesselI0(double x) {
    // The power series converges for every x; its terms fall below the sum's last bit.
    double const q = x * x / 4;
    double sum = 1, term = 1;
    for (int k = 1; k < 500 && term > sum * 1e-17; ++k) {
        term *= q / (double(k) * k);
        sum += term;
    }
    return sum;
}

double KaiserBeta(double attenuationDb) {
    if (attenuationDb > 50)
        return 0.1102 * (attenuationDb - 8.7);
    if (attenuationDb > 21)
        return 0.5842 * std::pow(attenuationDb - 21, 0.4) + 0.07886 * (attenuationDb - 21);
    return 0;
}

double KaiserLength(double attenuationDb, double transitionWidth) {
    return (attenuationDb - 7.95) / (14.36 * transitionWidth);
}

WindowedSinc::WindowedSinc(double cutoff, double halfWidth, double beta)
    : cutoff_(cutoff), halfWidth_(halfWidth), beta_(beta), scale_(1 / BesselI0(beta)) {}

double WindowedSinc::operator()(double t) const {
    double const r = t / halfWidth_;
    if (r <= -1 || r >= 1)
        return 0;
    double const x = 2 * kPi * cutoff_ * t;
    double const sinc = x == 0 ? 1 : std::sin(x) / x;
    return 2 * cutoff_ * sinc * BesselI0(beta_ * std::sqrt(1 - r * r)) * scale_;
}

}  // namespace dsp
