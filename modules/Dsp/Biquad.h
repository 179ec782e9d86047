// A second-order section in double precision (transposed direct form II).
#pragma once

namespace dsp {

struct Biquad {
    double b0 = 1, b1 = 0, b2 = 0, a1 = 0, a2 = 0;

    // the gain at w radians per sample
    double Magnitude(double w) const;
    // the inverse filter (its zeros must lie inside the unit circle)
    Biquad Inverse() const;
};

// The running state of one biquad on one channel.
class BiquadState {
public:
    void Run(Biquad const &f, double *x, int count);

private:
    double s1_ = 0, s2_ = 0;
};

}  // namespace dsp
