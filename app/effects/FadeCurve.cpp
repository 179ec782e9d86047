#include "effects/FadeCurve.h"

#include <algorithm>
#include <cmath>

namespace {

// Bases by level ("-0.5 dB" .. "-18 dB") and time ("10 %" .. "90 %" of a fade in).
double const kFadeBases[kFadeLevelCount][kFadeTimeCount] = {
    {1e-11, 5.4801e-07, 6.720001e-05, 0.00076500001, 0.00352000001, 0.01090000001, 0.02850000001, 0.07720000001, 0.312},
    {2.32e-10, 1.530001e-05, 0.00062500001, 0.00425000001, 0.01490000001, 0.03960000001, 0.09680000001, 0.261, 1.211},
    {1.3601e-07, 0.00037100001, 0.00551000001, 0.02400000001, 0.06710000001, 0.16, 0.377, 1.081, 6.931},
    {4.52001e-06, 0.00219000001, 0.01930000001, 0.06730000001, 0.171, 0.389, 0.927, 2.881, 27.301},
    {4.690001e-05, 0.00729000001, 0.04660000001, 0.143, 0.343, 0.771, 1.891, 6.501, 94.001},
    {0.00025900001, 0.01810000001, 0.09260000001, 0.262, 0.606, 1.371, 3.481, 13.501, 309.001},
    {0.00096300001, 0.03710000001, 0.164, 0.436, 0.991, 2.261, 6.001, 26.301, 991.001},
    {0.00276000001, 0.06770000001, 0.266, 0.681, 1.541, 3.551, 9.921, 49.801, 3150.001},
    {0.00652000001, 0.114, 0.409, 1.021, 2.291, 5.391, 16.001, 92.201, 9990.001},
    {0.01350000001, 0.179, 0.603, 1.471, 3.311, 7.991, 25.101, 169.001, 31700.001},
    {0.02510000001, 0.269, 0.859, 2.061, 4.681, 11.601, 38.801, 306.001, 100000.001},
    {0.04320000001, 0.389, 1.201, 2.841, 6.501, 16.601, 59.201, 550.001, 317000.001},
    {0.06990000001, 0.546, 1.621, 3.841, 8.891, 23.501, 89.701, 986.001, 1000000.001},
    {0.229, 1.331, 3.711, 8.801, 21.401, 62.801, 301.001, 5610.001, 31630000.0},
    {0.584, 2.861, 7.731, 18.701, 48.301, 160.001, 977.001, 31600.001, 1000000000.0},
};

// A fade out, and the inverse of a fade in, run the curve from its far end.
bool RunsBackward(FadeOpcodes const &fade) { return (fade.fadeIn != 0) == (fade.inverse != 0); }

}  // namespace

int ClampFadeLevel(int level) { return std::min(std::max(level, 0), kFadeLevelCount - 1); }

int ClampFadeTime(int time) { return std::min(std::max(time, 0), kFadeTimeCount - 1); }

void FadeCurveConstants(FadeOpcodes const *fade, double *base, double *scale) {
    int level = ClampFadeLevel(fade->level), time = ClampFadeTime(fade->time);
    if (level == kFadeLinearLevel && time == kFadeLinearTime) {
        *base = 0;
        *scale = 1;
        return;
    }
    int column = RunsBackward(*fade) ? kFadeTimeCount - 1 - time : time;
    *base = kFadeBases[level][column];
    *scale = 1 / (*base - 1);
}

// The straight line divides last, so that a sample the length divides fades in whole
// steps, as other programs' linear fades do.
int FadeCurveGain(int sample, int position, int length, double base, double scale, FadeOpcodes const *fade) {
    int along = RunsBackward(*fade) ? length - position : position;
    if (base == 0)
        return int(double(sample) * (fade->inverse ? length - along : along) / length * scale);
    double f = std::max((std::pow(base, double(along) / length) - 1) * scale, 0.0);
    return int(fade->inverse ? sample * (1 - f) : sample * f);
}
