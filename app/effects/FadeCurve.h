// The curve along which the fade and the crossfade scale a range, and which the wave views
// draw as their preview. At the fraction p of the fade the gain is (b^p - 1) / (b - 1),
// with a base b per level and time, chosen so that the gain is the level at the time.
#pragma once

#include "effects/FadeOpcodes.h"

// The base and the scale 1 / (base - 1) of the record's curve; base 0 and scale 1 for the
// straight line. Indexes outside the lists count as their nearest ends.
void FadeCurveConstants(FadeOpcodes const *fade, double *base, double *scale);
// The faded sample at position of length (the fade's frames less one), truncated toward
// zero; base and scale from FadeCurveConstants of the same record.
int FadeCurveGain(int sample, int position, int length, double base, double scale, FadeOpcodes const *fade);

// A record's curve with its constants worked out once.
class FadeCurve {
public:
    explicit FadeCurve(FadeOpcodes const &fade) : fade_(fade) { FadeCurveConstants(&fade_, &base_, &scale_); }

    int Apply(int sample, int position, int length) const {
        return FadeCurveGain(sample, position, length, base_, scale_, &fade_);
    }

private:
    FadeOpcodes fade_;
    double base_;
    double scale_;
};
