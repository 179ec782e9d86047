#include "Dsp/Dot.h"

#include <emmintrin.h>

namespace dsp {

namespace {

double Sum(__m128d a, __m128d b) {
    __m128d const s = _mm_add_pd(a, b);
    return _mm_cvtsd_f64(_mm_add_sd(s, _mm_unpackhi_pd(s, s)));
}

}  // namespace

double Dot(double const *a, double const *b, int n) {
    __m128d s0 = _mm_setzero_pd(), s1 = _mm_setzero_pd();
    for (int i = 0; i < n; i += 4) {
        s0 = _mm_add_pd(s0, _mm_mul_pd(_mm_loadu_pd(a + i), _mm_loadu_pd(b + i)));
        s1 = _mm_add_pd(s1, _mm_mul_pd(_mm_loadu_pd(a + i + 2), _mm_loadu_pd(b + i + 2)));
    }
    return Sum(s0, s1);
}

void Dot2(double const *c, double const *x0, double const *x1, int n, double &y0, double &y1) {
    __m128d a0 = _mm_setzero_pd(), a1 = _mm_setzero_pd(), b0 = _mm_setzero_pd(), b1 = _mm_setzero_pd();
    for (int i = 0; i < n; i += 4) {
        __m128d const c0 = _mm_loadu_pd(c + i), c1 = _mm_loadu_pd(c + i + 2);
        a0 = _mm_add_pd(a0, _mm_mul_pd(c0, _mm_loadu_pd(x0 + i)));
        a1 = _mm_add_pd(a1, _mm_mul_pd(c1, _mm_loadu_pd(x0 + i + 2)));
        b0 = _mm_add_pd(b0, _mm_mul_pd(c0, _mm_loadu_pd(x1 + i)));
        b1 = _mm_add_pd(b1, _mm_mul_pd(c1, _mm_loadu_pd(x1 + i + 2)));
    }
    y0 = Sum(a0, a1);
    y1 = Sum(b0, b1);
}

void Combine4(double const *const *rows, double const *weights, double *out, int n) {
    __m128d const w0 = _mm_set1_pd(weights[0]), w1 = _mm_set1_pd(weights[1]);
    __m128d const w2 = _mm_set1_pd(weights[2]), w3 = _mm_set1_pd(weights[3]);
    for (int i = 0; i < n; i += 2) {
        __m128d s = _mm_mul_pd(w0, _mm_loadu_pd(rows[0] + i));
        s = _mm_add_pd(s, _mm_mul_pd(w1, _mm_loadu_pd(rows[1] + i)));
        s = _mm_add_pd(s, _mm_mul_pd(w2, _mm_loadu_pd(rows[2] + i)));
        s = _mm_add_pd(s, _mm_mul_pd(w3, _mm_loadu_pd(rows[3] + i)));
        _mm_storeu_pd(out + i, s);
    }
}

}  // namespace dsp
