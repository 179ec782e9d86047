// Dot products in double precision, the inner loop of the interpolating filters. The
// order of the additions is fixed, so equal inputs give equal sums on every channel.
#pragma once

namespace dsp {

// n a multiple of 4; the arrays need no alignment
double Dot(double const *a, double const *b, int n);
// two channels against one set of coefficients
void Dot2(double const *c, double const *x0, double const *x1, int n, double &y0, double &y1);
// out = w0 r0 + w1 r1 + w2 r2 + w3 r3, n a multiple of 4
void Combine4(double const *const *rows, double const *weights, double *out, int n);

}  // namespace dsp
