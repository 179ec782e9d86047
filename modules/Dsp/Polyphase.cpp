#include "Dsp/Polyphase.h"

#include "Dsp/Dot.h"
#include "Dsp/Kaiser.h"

#include <cmath>

namespace dsp {

namespace {

constexpr double kStopbandDb = 150;       // designed with room above the 140 dB asked
constexpr double kPassbandEdge = 0.95;    // of the lower Nyquist frequency
constexpr std::int64_t kExactBudget = 1 << 19;  // coefficients an exact table may hold
constexpr int kGridPerFrame = 256;        // interpolation grid for the full band

}  // namespace

bool PolyphaseKernel::Init(Arena &arena, Ratio step) {
    // In input frames: the band kept is the lower Nyquist frequency, scaled when decimating.
    double const lower = step.value > 1 ? 1 / step.value : 1;
    double const transition = (1 - kPassbandEdge) * 0.5;  // of the lower rate
    double const taps = KaiserLength(kStopbandDb, transition);
    half_ = int(std::ceil(taps / 2 / lower));
    taps_ = (2 * half_ + 3) / 4 * 4;
    double const cutoff = 0.5 * lower * (1 + kPassbandEdge) / 2;
    exact_ = step.IsFraction() && step.den * taps_ <= kExactBudget;
    if (exact_)
        return Build(arena, cutoff, int(step.den), 1.0 / double(step.den), 0);
    grid_ = int(std::ceil(kGridPerFrame * lower));
    grid_ = grid_ < 16 ? 16 : grid_;
    // one row before 0 and two after the last position, for the cubic
    return Build(arena, cutoff, grid_ + 3, 1.0 / grid_, -1.0 / grid_);
}

bool PolyphaseKernel::Build(Arena &arena, double cutoff, int rows, double rowSpacing, double firstPhase) {
    rows_ = arena.Take<double>(std::size_t(rows) * taps_);
    if (!rows_)
        return false;
    WindowedSinc const h(cutoff, half_, KaiserBeta(kStopbandDb));
    for (int r = 0; r < rows; ++r) {
        double *row = rows_ + std::size_t(r) * taps_;
        double const phase = firstPhase + r * rowSpacing;
        double sum = 0;
        for (int m = 0; m < taps_; ++m) {
            row[m] = h(phase + half_ - 1 - m);
            sum += row[m];
        }
        // every row passes DC exactly, so a constant stays what it was
        for (int m = 0; m < taps_; ++m)
            row[m] /= sum;
    }
    return true;
}

double const *PolyphaseKernel::At(double frac, double *scratch) const {
    double const u = frac * grid_;
    int const i = int(u);
    double const mu = u - i;
    // Lagrange weights of the rows i - 1 .. i + 2 (stored one further on)
    double const w[4] = {-mu * (mu - 1) * (mu - 2) / 6, (mu + 1) * (mu - 1) * (mu - 2) / 2,
                         -(mu + 1) * mu * (mu - 2) / 2, (mu + 1) * mu * (mu - 1) / 6};
    double const *rows[4] = {rows_ + std::size_t(i) * taps_, rows_ + std::size_t(i + 1) * taps_,
                             rows_ + std::size_t(i + 2) * taps_, rows_ + std::size_t(i + 3) * taps_};
    Combine4(rows, w, scratch, taps_);
    return scratch;
}

}  // namespace dsp
