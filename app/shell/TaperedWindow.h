// The window a block is multiplied by before its transform: a raised-cosine shape (or a
// straight ramp) over the block's two ends and flat between them, so that a long block
// keeps most of its samples at full weight.
#pragma once

#include <vector>

enum WindowFlags {
    kWindowHamming = 0,         // 0.54 - 0.46 cos
    kWindowHann = 1,            // 0.5 - 0.5 cos
    kWindowBlackman = 2,        // 0.42 - 0.5 cos + 0.08 cos 2x
    kWindowBlackmanHarris = 3,  // four terms
    kWindowRamp = 4,            // i / h
    kWindowNone = 5,            // every weight 1
    kWindowShapeMask = 0x0F,
    kWindowStereoPairs = 0x10,  // the data are interleaved pairs, each pair one weight
};

class TaperedWindow {
public:
    // taperPercent: the share of the block in the two tapers, halved (50 tapers it whole);
    // held to 0..50, the taper at least 2 samples.
    TaperedWindow(int size, int taperPercent, int flags);

    int GetSize() const { return int(weights_.size()); }
    double operator[](int i) const { return weights_[i]; }
    // Multiplies size values, or size pairs with kWindowStereoPairs.
    void Apply(double *data, int flags) const;

    // The analysis window: 2048 points, 25 %, Hamming; made on first use.
    static TaperedWindow const &Analysis();

private:
    static double Shape(int flags, int i, int taper, int halfTaper);

    std::vector<double> weights_;
};
