#include "Dsp/OnsetDetector.h"

namespace dsp {

namespace {

constexpr double kRise = 16;             // 12 dB
constexpr double kFloorLevel = 103.6;    // -50 dB of 16-bit full scale
constexpr double kBlockSeconds = 0.002;
constexpr double kRefractorySeconds = 0.05;

}  // namespace

void OnsetDetector::Init(int rate, int channels) {
    channels_ = channels;
    block_ = int(rate * kBlockSeconds);
    block_ = block_ < 4 ? 4 : block_;
    floor_ = kFloorLevel * kFloorLevel * channels;
    refractory_ = std::int64_t(rate * kRefractorySeconds);
}

void OnsetDetector::Feed(double const *const *channels, std::int64_t first, int count) {
    for (int i = 0; i < count; ++i) {
        if (filled_ == 0)
            blockStart_ = first + i;
        double power = 0;
        for (int c = 0; c < channels_; ++c)
            power += channels[c][i] * channels[c][i];
        energy_ += power;
        if (firstLoud_ < 0 && power > kRise * background_ && power > floor_)
            firstLoud_ = first + i;
        if (++filled_ == block_)
            EndBlock();
    }
}

void OnsetDetector::EndBlock() {
    double const mean = energy_ / block_;
    bool const rise = blocks_ >= kHistory && mean > kRise * background_ && mean > floor_;
    if (rise && blockStart_ - lastOnset_ >= refractory_ && count_ < kQueue) {
        std::int64_t const onset = firstLoud_ >= 0 ? firstLoud_ : blockStart_;
        queue_[(head_ + count_++) % kQueue] = onset;
        lastOnset_ = onset;
    }
    // the background: the mean of the last blocks
    history_[blocks_ % kHistory] = mean;
    ++blocks_;
    double sum = 0;
    for (double h : history_)
        sum += h;
    background_ = sum / kHistory;
    energy_ = 0;
    filled_ = 0;
    firstLoud_ = -1;
}

bool OnsetDetector::Take(std::int64_t &onset) {
    if (count_ == 0)
        return false;
    onset = queue_[head_];
    head_ = (head_ + 1) % kQueue;
    --count_;
    return true;
}

}  // namespace dsp
