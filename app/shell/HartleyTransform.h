// The fast Hartley transform of a real block, in place: H(k) = sum x(n) cas(2 pi n k / N),
// that is Re X(k) - Im X(k) of the Fourier transform, with no complex arithmetic. The
// frequency analysis uses it on blocks of 2048 samples.
#pragma once

#include <vector>

class HartleyTransform {
public:
    // size: a power of two, at least 1.
    explicit HartleyTransform(int size);

    int GetSize() const { return size_; }
    // Unscaled: applying it twice gives the block times the size.
    void Transform(double *data) const;

    static bool IsPowerOfTwo(int n) { return n > 0 && (n & (n - 1)) == 0; }

private:
    void Reorder(double *data) const;
    void Combine(double *data, int half) const;

    int size_;
    std::vector<int> swaps_;      // pairs of indices exchanged by the bit reversal
    std::vector<double> cosine_;  // cos and sin of 2 pi i / size, i below size / 4
    std::vector<double> sine_;
};
