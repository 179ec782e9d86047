#include "shell/TaperedWindow.h"

#include <algorithm>
#include <cmath>

TaperedWindow::TaperedWindow(int size, int taperPercent, int flags) : weights_(std::max(size, 0), 1.0) {
    int n = GetSize();
    int taper = std::max(2, std::min(std::max(taperPercent, 0), 50) * n / 50);
    int halfTaper = taper / 2;
    for (int i = 0; i < (n + 1) / 2 && i < halfTaper; ++i)
        weights_[i] = weights_[n - 1 - i] = Shape(flags, i, taper, halfTaper);
}

double TaperedWindow::Shape(int flags, int i, int taper, int halfTaper) {
    double x = 2 * 3.14159265358979323846 * i / (taper - 1);
    switch (flags & kWindowShapeMask) {
    case kWindowHamming: return 0.54 - 0.46 * std::cos(x);
    case kWindowHann: return 0.5 - 0.5 * std::cos(x);
    case kWindowBlackman: return 0.42 - 0.5 * std::cos(x) + 0.08 * std::cos(2 * x);
    case kWindowBlackmanHarris:
        return 0.35875 - 0.48829 * std::cos(x) + 0.14128 * std::cos(2 * x) - 0.01168 * std::cos(3 * x);
    case kWindowRamp: return double(i) / halfTaper;
    default: return 1.0;
    }
}

void TaperedWindow::Apply(double *data, int flags) const {
    int const n = GetSize();
    if (flags & kWindowStereoPairs) {
        for (int i = 0; i < n; ++i)
            data[2 * i] *= weights_[i], data[2 * i + 1] *= weights_[i];
    } else {
        for (int i = 0; i < n; ++i)
            data[i] *= weights_[i];
    }
}

TaperedWindow const &TaperedWindow::Analysis() {
    static TaperedWindow const window(2048, 25, kWindowHamming);
    return window;
}
