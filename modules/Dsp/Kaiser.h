// Kaiser-windowed sinc kernels, the building block of every interpolation here.
#pragma once

namespace dsp {

double BesselI0(double x);
// the Kaiser window's shape parameter for a stopband attenuation in dB
double KaiserBeta(double attenuationDb);
// taps (in units of the lower rate) for that attenuation and a transition width given as
// a fraction of the lower rate
double KaiserLength(double attenuationDb, double transitionWidth);

// h(t) = 2 fc sinc(2 fc t) w(t / halfWidth): a low-pass of cutoff fc (cycles per unit of t)
// whose Kaiser window w ends at |t| = halfWidth.
class WindowedSinc {
public:
    WindowedSinc(double cutoff, double halfWidth, double beta);
    double operator()(double t) const;

private:
    double cutoff_;
    double halfWidth_;
    double beta_;
    double scale_;  // 1 / I0(beta)
};

}  // namespace dsp
