// A minimum-phase FIR from a magnitude response, by the folded real cepstrum: causal, with
// its energy at its start, so a filter corrected by it keeps no latency.
#pragma once

#include "Dsp/Fft.h"

namespace dsp {

// logMagnitude: ln |H| at the fft.Size() / 2 + 1 frequencies k / size; work: size + 2
// doubles. Fills taps[0 .. count) (count at most size / 2), the end tapered to 0.
void MinimumPhase(RealFft const &fft, double const *logMagnitude, double *work, double *taps, int count);

}  // namespace dsp
