#include "audio/LevelConversion.h"

#include <algorithm>
#include <cmath>

namespace {

// Worked out once at start-up.
double const kDecibelFactor = std::log(10.0) * 0.05;
double const kFullScaleDecibels = 20 * std::log10(65536.0);

}  // namespace

double FullScaleDecibels() { return kFullScaleDecibels; }

int LevelToAmplitude(double v) {
    if (v == 0)
        v = 1.0;
    double amplitude = std::exp(v * kDecibelFactor);
    return int(std::min((amplitude + 0.1) * 0.5, 32767.0));
}
