#include "Dsp/Biquad.h"

#include <cmath>

namespace dsp {

double Biquad::Magnitude(double w) const {
    double const c1 = std::cos(w), s1 = std::sin(w), c2 = std::cos(2 * w), s2 = std::sin(2 * w);
    double const nr = b0 + b1 * c1 + b2 * c2, ni = -(b1 * s1 + b2 * s2);
    double const dr = 1 + a1 * c1 + a2 * c2, di = -(a1 * s1 + a2 * s2);
    return std::sqrt((nr * nr + ni * ni) / (dr * dr + di * di));
}

Biquad Biquad::Inverse() const {
    Biquad r;
    r.b0 = 1 / b0;
    r.b1 = a1 / b0;
    r.b2 = a2 / b0;
    r.a1 = b1 / b0;
    r.a2 = b2 / b0;
    return r;
}

void BiquadState::Run(Biquad const &f, double *x, int count) {
    double s1 = s1_, s2 = s2_;
    for (int i = 0; i < count; ++i) {
        double const in = x[i];
        double const out = f.b0 * in + s1;
        s1 = f.b1 * in - f.a1 * out + s2;
        s2 = f.b2 * in - f.a2 * out;
        x[i] = out;
    }
    s1_ = s1;
    s2_ = s2;
}

}  // namespace dsp
