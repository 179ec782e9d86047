// A real FFT of a power-of-two size, for correlations and filter design.
#pragma once

#include "Dsp/Arena.h"

namespace dsp {

class RealFft {
public:
    bool Init(Arena &arena, int size);
    int Size() const { return size_; }
    // size reals in, size / 2 + 1 complex bins out (re, im pairs); data holds size + 2 doubles
    void Forward(double *data) const;
    // the inverse of Forward, scaled by 1 / size
    void Inverse(double *data) const;

private:
    void Complex(double *data, bool inverse) const;

    int size_ = 0;      // reals
    int half_ = 0;      // complex points of the inner transform
    double *twiddle_ = nullptr;  // cos, sin of 2 pi k / size for k < size / 2
    int *reversed_ = nullptr;
};

}  // namespace dsp
