// The three-section equaliser: a shelf acting above its corner, one acting below its corner
// and a peaking band, each boosting by its gain in dB or, for a negative gain, cutting as
// the inverse filter; a section whose gain is 0 is left out. One double-precision biquad per
// section, its poles mapped from the analog section's and its zeros chosen to meet the
// analog gain at 0, at the Nyquist frequency and (the band) at its centre; then, where that
// still strays more than 0.04 dB, the shortest minimum-phase FIR that takes up the rest, so
// the response follows the analog curve to within 0.1 dB from 20 Hz to 0.45 times the rate.
// Causal and without latency.
#pragma once

#include "Dsp/Arena.h"
#include "Dsp/Biquad.h"

namespace dsp {

struct EqSettings {
    double rate = 44100;
    double upperCorner = 2000;
    int upperGain = 0;
    double lowerCorner = 200;
    int lowerGain = 0;
    double bandCentre = 800;
    int bandGain = 0;
    int bandQuality = 5;
};

// Settings the filter can follow: frequencies below 0.49 times the rate, a section with an
// unusable frequency left out, gains within ±60 dB, a quality of at least 1.
EqSettings Sanitised(EqSettings s);
// the analog response (a factor) at f Hz
double EqResponse(EqSettings const &s, double f);

class Equaliser {
public:
    static constexpr int kMaxChannels = 2;
    static constexpr int kMaxBlock = 4096;

    bool Init(Arena &arena, EqSettings const &settings, int channels);
    bool Bypassed() const { return sections_ == 0; }
    // filters frames (at most kMaxBlock) of each channel in place
    void Run(double *const *channels, int frames);
    int CorrectionTaps() const { return taps_; }
    // the digital response at f Hz
    double Response(double f) const;

private:
    bool Correct(Arena &arena);
    double CorrectionResponse(double const *taps, int count, double f) const;
    double WorstError(double const *taps, int count) const;

    EqSettings settings_;
    int channels_ = 0;
    Biquad biquads_[3];
    BiquadState states_[kMaxChannels][3];
    int sections_ = 0;
    double *reversed_ = nullptr;  // the correction, last tap first
    int taps_ = 0;
    double *history_[kMaxChannels] = {};  // taps_ inputs before the block, then the block
};

}  // namespace dsp
