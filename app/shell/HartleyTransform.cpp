#include "shell/HartleyTransform.h"

#include "foundation/Exception.h"

#include <cmath>
#include <utility>

HartleyTransform::HartleyTransform(int size) : size_(size) {
    if (!IsPowerOfTwo(size))
        ExceptionThrower().SetAndThrow("The transform size must be a power of two");
    int bits = 0;
    while ((1 << bits) < size)
        ++bits;
    for (int i = 0; i < size; ++i) {
        int reversed = 0;
        for (int b = 0; b < bits; ++b)
            reversed |= ((i >> b) & 1) << (bits - 1 - b);
        if (i < reversed)
            swaps_.push_back(i), swaps_.push_back(reversed);
    }
    double const step = 2 * 3.14159265358979323846 / size;
    for (int i = 0; i < size / 4 + 1; ++i) {
        cosine_.push_back(std::cos(step * i));
        sine_.push_back(std::sin(step * i));
    }
}

void HartleyTransform::Transform(double *data) const {
    Reorder(data);
    for (int half = 1; half < size_; half *= 2)
        Combine(data, half);
}

void HartleyTransform::Reorder(double *data) const {
    for (size_t i = 0; i < swaps_.size(); i += 2)
        std::swap(data[swaps_[i]], data[swaps_[i + 1]]);
}

// One radix-2 stage: each block of 2 x half holds the transforms of its even and its odd
// samples; H(k) = E(k) + cos O(k) + sin O(half - k), and H(k + half) with both signs turned.
// Lines k and half - k share their products, so they are done together.
void HartleyTransform::Combine(double *data, int half) const {
    int const stride = size_ / (2 * half);  // table step of this stage's angle 2 pi k / (2 half)
    for (int start = 0; start < size_; start += 2 * half) {
        double *even = data + start, *odd = even + half;
        double e = even[0];
        even[0] = e + odd[0], odd[0] = e - odd[0];
        if (half < 2)
            continue;
        int quarter = half / 2;  // the angle is a right angle: cos 0, sin 1, O(half - k) = O(k)
        e = even[quarter];
        even[quarter] = e + odd[quarter], odd[quarter] = e - odd[quarter];
        for (int k = 1; k < quarter; ++k) {
            double c = cosine_[k * stride], s = sine_[k * stride];
            int j = half - k;
            double t1 = c * odd[k] + s * odd[j];
            double t2 = s * odd[k] - c * odd[j];
            double ek = even[k], ej = even[j];
            even[k] = ek + t1, odd[k] = ek - t1;
            even[j] = ej + t2, odd[j] = ej - t2;
        }
    }
}
