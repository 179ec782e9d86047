#include "Dsp/TimeScaler.h"

#include "Dsp/Dot.h"
#include "Dsp/Kaiser.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace dsp {

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kHopSeconds = 0.02;
constexpr double kSearchSeconds = 0.0125;  // either way; a 40 Hz period in all
constexpr double kBeforeOnsetSeconds = 0.005;
constexpr double kAfterOnsetSeconds = 0.02;
constexpr double kBendSeconds = 0.1;
constexpr double kFractionBeta = 8;

int Clamp(double v, int lo, int hi) { return v < lo ? lo : v > hi ? hi : int(v); }

std::int64_t Floor(double v) { return std::int64_t(std::floor(v)); }

}  // namespace

bool TimeScaler::Init(Arena &arena, FrameSource &source, int channels, int rate, double stretch,
                      std::int64_t inputFrames) {
    channels_ = channels;
    stretch_ = stretch;
    hop_ = Clamp(rate * kHopSeconds, 16, 8192);
    window_ = 2 * hop_;
    search_ = Clamp(rate * kSearchSeconds, 4, 8192);
    pre_ = std::int64_t(rate * kBeforeOnsetSeconds);
    post_ = std::int64_t(rate * kAfterOnsetSeconds);
    double const bend = rate * kBendSeconds;
    // the input read ahead: far enough for an onset to bend the map in time, and for a frame
    // kept off the onset before it (which may then stand a hop past where the map says)
    lookahead_ = std::int64_t((bend + 4 * window_ + pre_ + post_) / stretch) + search_ + window_ + hop_ + post_ +
                 2 * kFractionTaps;
    int const span = int(3 * hop_ / stretch) + 4 * search_ + 2 * window_ + 4 * kFractionTaps + int(lookahead_);
    onsets_.Init(rate, channels);
    map_.Init(stretch, bend);
    int size = 1;
    while (size < 2 * search_ + hop_ + 1)
        size *= 2;
    if (!input_.Init(arena, source, channels, inputFrames, span, &onsets_) || !fft_.Init(arena, size))
        return false;
    hann_ = arena.Take<double>(window_);
    for (int c = 0; c < channels; ++c) {
        sum_[c] = arena.Take<double>(window_);
        ready_[c] = arena.Take<double>(hop_);
    }
    crossBins_ = arena.Take<double>(size + 2);
    work_ = arena.Take<double>(size + 2);
    region_ = arena.Take<double>(size + 2);
    energy_ = arena.Take<double>(size + 1);
    score_ = arena.Take<double>(size);
    if (arena.Failed())
        return false;
    for (int n = 0; n < window_; ++n) {
        double const s = std::sin(kPi * n / window_);
        hann_[n] = s * s;  // the frames' windows add up to 1
    }
    return true;
}

int TimeScaler::Pull(double *const *out, int frames) {
    int done = 0;
    while (done < frames) {
        if (readyCount_ == 0 && !Synthesize())
            break;
        int const n = frames - done < readyCount_ ? frames - done : readyCount_;
        for (int c = 0; c < channels_; ++c)
            std::memcpy(out[c] + done, ready_[c] + readyAt_, sizeof(double) * n);
        readyAt_ += n;
        readyCount_ -= n;
        done += n;
    }
    return done;
}

// Adds the next frame; its first hop of output is then whole.
bool TimeScaler::Synthesize() {
    std::int64_t const k = next_;
    double q = k < 0 ? -hop_ : 0;
    if (k < 0 && !input_.Cover(-hop_ - kFractionTaps, window_ + kFractionTaps))
        return false;
    if (k > 0 && !Place(k, q))
        return false;
    Add(q);
    previous_ = q;
    ++next_;
    for (int c = 0; c < channels_; ++c) {
        std::memcpy(ready_[c], sum_[c], sizeof(double) * hop_);
        std::memmove(sum_[c], sum_[c] + hop_, sizeof(double) * hop_);
        std::memset(sum_[c] + hop_, 0, sizeof(double) * hop_);
    }
    readyAt_ = 0;
    readyCount_ = k < 0 ? 0 : hop_;
    return k >= 0 || Synthesize();
}

bool TimeScaler::Place(std::int64_t k, double &q) {
    double const out = double(k) * hop_;
    double const ideal = map_.At(out);
    std::int64_t const keep = std::min(Floor(previous_) + hop_, Floor(ideal) - search_) - kFractionTaps - 2;
    if (!input_.Cover(keep, Floor(ideal) + lookahead_))
        return false;
    TakeOnsets(out);
    if (Region const *r = RegionOf(k)) {
        q = out + double(r->offset);
        return true;
    }
    std::int64_t lo = Floor(ideal) - search_, hi = Floor(ideal) + search_;
    Bounds(k, lo, hi);
    q = lo > hi ? double(lo) : Search(ideal, lo, hi);
    return true;
}

// Keeps a searched frame off the onsets of the protected frames beside it.
void TimeScaler::Bounds(std::int64_t k, std::int64_t &lo, std::int64_t &hi) const {
    if (behind_.last < k)
        lo = std::max(lo, behind_.onset + post_);
    for (int i = 0; i < regionCount_; ++i)
        if (regions_[i].first > k) {
            hi = std::min(hi, regions_[i].onset - pre_ - window_ - kFractionTaps);
            break;
        }
}

// The position in [lo, hi] (and a fraction) whose frame best continues the last one.
double TimeScaler::Search(double ideal, std::int64_t lo, std::int64_t hi) {
    std::int64_t const from = Floor(previous_) + hop_;
    int const count = int(hi - lo) + 1;
    double const templateEnergy = Correlate(from, lo, count, score_);
    int best = -1;
    for (int d = 0; d < count; ++d)
        if (score_[d] > 0 && (best < 0 || score_[d] > score_[best]))
            best = d;
    if (best < 0 || templateEnergy <= 1e-6 * hop_) {
        // nothing to match (silence): where the map says
        double const at = ideal < double(lo) ? double(lo) : ideal > double(hi) ? double(hi) : ideal;
        return at;
    }
    double shift = 0;
    if (best > 0 && best + 1 < count) {
        double const a = score_[best - 1], b = score_[best], c = score_[best + 1];
        double const curve = a - 2 * b + c;
        if (curve < 0)
            shift = 0.5 * (a - c) / curve;
        shift = shift < -0.5 ? -0.5 : shift > 0.5 ? 0.5 : shift;
    }
    return double(lo + best) + shift + (previous_ - std::floor(previous_));
}

// Normalised correlation of the hop at from against the hops starting at lo .. lo + count - 1,
// summed over the channels, into score. Answers the template's energy.
double TimeScaler::Correlate(std::int64_t from, std::int64_t lo, int count, double *score) {
    int const size = fft_.Size();
    int const span = count - 1 + hop_;
    std::memset(crossBins_, 0, sizeof(double) * (size + 2));
    std::memset(energy_, 0, sizeof(double) * (span + 1));
    double templateEnergy = 0;
    for (int c = 0; c < channels_; ++c) {
        double const *t = input_.At(c, from);
        double const *r = input_.At(c, lo);
        std::memset(work_, 0, sizeof(double) * (size + 2));
        std::memset(region_, 0, sizeof(double) * (size + 2));
        for (int n = 0; n < hop_; ++n) {
            work_[n] = t[n];
            templateEnergy += t[n] * t[n];
        }
        for (int i = 0; i < span; ++i) {
            region_[i] = r[i];
            energy_[i + 1] += r[i] * r[i];
        }
        fft_.Forward(work_);
        fft_.Forward(region_);
        for (int b = 0; b <= size / 2; ++b) {
            double const tr = work_[2 * b], ti = work_[2 * b + 1], rr = region_[2 * b], ri = region_[2 * b + 1];
            crossBins_[2 * b] += tr * rr + ti * ri;
            crossBins_[2 * b + 1] += tr * ri - ti * rr;
        }
    }
    fft_.Inverse(crossBins_);
    for (int i = 0; i < span; ++i)
        energy_[i + 1] += energy_[i];
    for (int d = 0; d < count; ++d) {
        double const e = energy_[d + hop_] - energy_[d];
        score[d] = crossBins_[d] / std::sqrt(e * templateEnergy + 1e-30);
    }
    return templateEnergy;
}

void TimeScaler::Add(double q) {
    std::int64_t const i0 = Floor(q);
    double const phase = q - double(i0);
    bool const whole = phase < 1e-9;
    if (!whole) {
        WindowedSinc const h(0.5, kFractionTaps / 2, kFractionBeta);
        double total = 0;
        for (int j = 0; j < kFractionTaps; ++j)
            total += fraction_[j] = h(phase - (j - kFractionTaps / 2 + 1));
        for (double &f : fraction_)
            f /= total;
    }
    for (int c = 0; c < channels_; ++c) {
        double *sum = sum_[c];
        if (whole) {
            double const *x = input_.At(c, i0);
            for (int n = 0; n < window_; ++n)
                sum[n] += hann_[n] * x[n];
        } else {
            double const *x = input_.At(c, i0 - kFractionTaps / 2 + 1);
            for (int n = 0; n < window_; ++n)
                sum[n] += hann_[n] * Dot(fraction_, x + n, kFractionTaps);
        }
    }
}

void TimeScaler::TakeOnsets(double committed) {
    std::int64_t onset;
    while (onsets_.Take(onset)) {
        std::int64_t const at = std::int64_t(std::floor(double(onset) * stretch_ + 0.5));
        std::int64_t const first = Floor(double(at - pre_ - window_) / hop_) + 1;
        std::int64_t const last = std::int64_t(std::ceil(double(at + post_) / hop_)) - 1;
        std::int64_t const offset = onset - at;
        if (regionCount_ < kRegions && first >= 1 && last >= first &&
            map_.Protect(double(first) * hop_, double(last) * hop_, double(offset), committed))
            regions_[regionCount_++] = {first, last, offset, onset};
    }
}

TimeScaler::Region const *TimeScaler::RegionOf(std::int64_t k) {
    // forget the regions passed, keeping the last for the bounds of the frames after it
    int passed = 0;
    while (passed < regionCount_ && regions_[passed].last < k)
        behind_ = regions_[passed++];
    for (int i = passed; i < regionCount_; ++i)
        regions_[i - passed] = regions_[i];
    regionCount_ -= passed;
    return regionCount_ > 0 && regions_[0].first <= k ? &regions_[0] : nullptr;
}

}  // namespace dsp
