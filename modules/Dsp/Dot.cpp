#include "Dsp/Dot.h"

#include <immintrin.h>

namespace dsp {

namespace {

double Sum(__m128d a, __m128d b) {
    __m128d const s = _mm_add_pd(a, b);
    return _mm_cvtsd_f64(_mm_add_sd(s, _mm_unpackhi_pd(s, s)));
}

double DotSse(double const *a, double const *b, int n) {
    __m128d s0 = _mm_setzero_pd(), s1 = _mm_setzero_pd();
    for (int i = 0; i < n; i += 4) {
        s0 = _mm_add_pd(s0, _mm_mul_pd(_mm_loadu_pd(a + i), _mm_loadu_pd(b + i)));
        s1 = _mm_add_pd(s1, _mm_mul_pd(_mm_loadu_pd(a + i + 2), _mm_loadu_pd(b + i + 2)));
    }
    return Sum(s0, s1);
}

void Dot2Sse(double const *c, double const *x0, double const *x1, int n, double &y0, double &y1) {
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

void Combine4Sse(double const *const *rows, double const *weights, double *out, int n) {
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

// The same with four doubles a step and fused multiply-adds, where the processor has them.
#define WIDE __attribute__((target("avx2,fma")))

WIDE double Sum(__m256d a, __m256d b) {
    __m256d const s = _mm256_add_pd(a, b);
    return Sum(_mm256_castpd256_pd128(s), _mm256_extractf128_pd(s, 1));
}

WIDE double DotWide(double const *a, double const *b, int n) {
    __m256d s0 = _mm256_setzero_pd(), s1 = _mm256_setzero_pd();
    int i = 0;
    for (; i + 8 <= n; i += 8) {
        s0 = _mm256_fmadd_pd(_mm256_loadu_pd(a + i), _mm256_loadu_pd(b + i), s0);
        s1 = _mm256_fmadd_pd(_mm256_loadu_pd(a + i + 4), _mm256_loadu_pd(b + i + 4), s1);
    }
    if (i < n)
        s0 = _mm256_fmadd_pd(_mm256_loadu_pd(a + i), _mm256_loadu_pd(b + i), s0);
    return Sum(s0, s1);
}

WIDE void Dot2Wide(double const *c, double const *x0, double const *x1, int n, double &y0, double &y1) {
    __m256d a0 = _mm256_setzero_pd(), a1 = _mm256_setzero_pd(), b0 = _mm256_setzero_pd(), b1 = _mm256_setzero_pd();
    int i = 0;
    for (; i + 8 <= n; i += 8) {
        __m256d const c0 = _mm256_loadu_pd(c + i), c1 = _mm256_loadu_pd(c + i + 4);
        a0 = _mm256_fmadd_pd(c0, _mm256_loadu_pd(x0 + i), a0);
        a1 = _mm256_fmadd_pd(c1, _mm256_loadu_pd(x0 + i + 4), a1);
        b0 = _mm256_fmadd_pd(c0, _mm256_loadu_pd(x1 + i), b0);
        b1 = _mm256_fmadd_pd(c1, _mm256_loadu_pd(x1 + i + 4), b1);
    }
    if (i < n) {
        __m256d const c0 = _mm256_loadu_pd(c + i);
        a0 = _mm256_fmadd_pd(c0, _mm256_loadu_pd(x0 + i), a0);
        b0 = _mm256_fmadd_pd(c0, _mm256_loadu_pd(x1 + i), b0);
    }
    y0 = Sum(a0, a1);
    y1 = Sum(b0, b1);
}

WIDE void Combine4Wide(double const *const *rows, double const *weights, double *out, int n) {
    __m256d const w0 = _mm256_set1_pd(weights[0]), w1 = _mm256_set1_pd(weights[1]);
    __m256d const w2 = _mm256_set1_pd(weights[2]), w3 = _mm256_set1_pd(weights[3]);
    for (int i = 0; i < n; i += 4) {
        __m256d s = _mm256_mul_pd(w0, _mm256_loadu_pd(rows[0] + i));
        s = _mm256_fmadd_pd(w1, _mm256_loadu_pd(rows[1] + i), s);
        s = _mm256_fmadd_pd(w2, _mm256_loadu_pd(rows[2] + i), s);
        s = _mm256_fmadd_pd(w3, _mm256_loadu_pd(rows[3] + i), s);
        _mm256_storeu_pd(out + i, s);
    }
}

struct Kernels {
    double (*dot)(double const *, double const *, int);
    void (*dot2)(double const *, double const *, double const *, int, double &, double &);
    void (*combine4)(double const *const *, double const *, double *, int);
};

Kernels const &Chosen() {
    static Kernels const kernels = __builtin_cpu_supports("avx2") && __builtin_cpu_supports("fma")
                                       ? Kernels{DotWide, Dot2Wide, Combine4Wide}
                                       : Kernels{DotSse, Dot2Sse, Combine4Sse};
    return kernels;
}

}  // namespace

double Dot(double const *a, double const *b, int n) { return Chosen().dot(a, b, n); }

void Dot2(double const *c, double const *x0, double const *x1, int n, double &y0, double &y1) {
    Chosen().dot2(c, x0, x1, n, y0, y1);
}

void Combine4(double const *const *rows, double const *weights, double *out, int n) {
    Chosen().combine4(rows, weights, out, n);
}

}  // namespace dsp
