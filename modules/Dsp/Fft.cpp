#include "Dsp/Fft.h"

#include <cmath>

namespace dsp {

namespace {

constexpr double kPi = 3.14159265358979323846;

}  // namespace

bool RealFft::Init(Arena &arena, int size) {
    size_ = size;
    half_ = size / 2;
    twiddle_ = arena.Take<double>(size);
    reversed_ = arena.Take<int>(half_);
    if (!twiddle_ || !reversed_)
        return false;
    for (int k = 0; k < half_; ++k) {
        twiddle_[2 * k] = std::cos(2 * kPi * k / size);
        twiddle_[2 * k + 1] = std::sin(2 * kPi * k / size);
    }
    int bits = 0;
    while ((1 << bits) < half_)
        ++bits;
    for (int i = 0; i < half_; ++i) {
        int r = 0;
        for (int b = 0; b < bits; ++b)
            r |= ((i >> b) & 1) << (bits - 1 - b);
        reversed_[i] = r;
    }
    return true;
}

// In-place radix-2 transform of half_ complex points; exp(-i...) forward.
void RealFft::Complex(double *data, bool inverse) const {
    for (int i = 0; i < half_; ++i) {
        int const r = reversed_[i];
        if (r > i) {
            double const re = data[2 * i], im = data[2 * i + 1];
            data[2 * i] = data[2 * r];
            data[2 * i + 1] = data[2 * r + 1];
            data[2 * r] = re;
            data[2 * r + 1] = im;
        }
    }
    double const sign = inverse ? 1 : -1;
    for (int len = 2; len <= half_; len *= 2) {
        int const stride = 2 * (half_ / len);  // twiddles of the full size, every other one
        for (int start = 0; start < half_; start += len) {
            for (int k = 0; k < len / 2; ++k) {
                double const wr = twiddle_[2 * k * stride], wi = sign * twiddle_[2 * k * stride + 1];
                double *a = data + 2 * (start + k);
                double *b = data + 2 * (start + k + len / 2);
                double const tr = b[0] * wr - b[1] * wi, ti = b[0] * wi + b[1] * wr;
                b[0] = a[0] - tr;
                b[1] = a[1] - ti;
                a[0] += tr;
                a[1] += ti;
            }
        }
    }
}

void RealFft::Forward(double *data) const {
    // the reals as half_ complex points, then split into the transform of the reals
    Complex(data, false);
    double const r0 = data[0], i0 = data[1];
    data[0] = r0 + i0;
    data[1] = 0;
    data[size_] = r0 - i0;
    data[size_ + 1] = 0;
    for (int k = 1; k <= half_ / 2; ++k) {
        int const j = half_ - k;
        double const ar = data[2 * k], ai = data[2 * k + 1], br = data[2 * j], bi = data[2 * j + 1];
        double const er = (ar + br) / 2, ei = (ai - bi) / 2;   // even part
        double const orr = (ai + bi) / 2, oi = -(ar - br) / 2;  // odd part
        double const wr = twiddle_[2 * k], wi = -twiddle_[2 * k + 1];
        double const tr = orr * wr - oi * wi, ti = orr * wi + oi * wr;
        data[2 * k] = er + tr;
        data[2 * k + 1] = ei + ti;
        data[2 * j] = er - tr;
        data[2 * j + 1] = -(ei - ti);
    }
}

void RealFft::Inverse(double *data) const {
    data[1] = data[0] - data[size_];
    data[0] = data[0] + data[size_];
    data[0] /= 2;
    data[1] /= 2;
    for (int k = 1; k <= half_ / 2; ++k) {
        int const j = half_ - k;
        double const ar = data[2 * k], ai = data[2 * k + 1], br = data[2 * j], bi = -data[2 * j + 1];
        double const er = (ar + br) / 2, ei = (ai + bi) / 2;
        double const dr = (ar - br) / 2, di = (ai - bi) / 2;
        double const wr = twiddle_[2 * k], wi = twiddle_[2 * k + 1];
        double const orr = dr * wr - di * wi, oi = dr * wi + di * wr;  // odd part
        // z[k] = even + i odd
        data[2 * k] = er - oi;
        data[2 * k + 1] = ei + orr;
        data[2 * j] = er + oi;
        data[2 * j + 1] = -(ei - orr);
    }
    Complex(data, true);
    double const scale = 2.0 / size_;
    for (int i = 0; i < size_; ++i)
        data[i] *= scale;
}

}  // namespace dsp
