// Finds the onsets of a signal as it streams by: a block of a few milliseconds whose
// energy (over all channels) stands 12 dB above the mean of the blocks before it and
// above a floor of -50 dB full scale.
#pragma once

#include <cstdint>

namespace dsp {

class OnsetDetector {
public:
    void Init(int rate, int channels);
    // the frames [first, first + count) of each channel, in order
    void Feed(double const *const *channels, std::int64_t first, int count);
    // the next onset found (its first loud frame), if any
    bool Take(std::int64_t &onset);

private:
    static constexpr int kHistory = 16;
    static constexpr int kQueue = 32;

    void EndBlock();

    int channels_ = 0;
    int block_ = 0;
    double floor_ = 0;
    std::int64_t refractory_ = 0;

    double energy_ = 0;         // of the block being filled
    int filled_ = 0;
    std::int64_t blockStart_ = 0;
    std::int64_t firstLoud_ = -1;  // its first frame above the background
    double background_ = 0;     // mean power per frame of the history
    double history_[kHistory] = {};
    int blocks_ = 0;
    std::int64_t lastOnset_ = -(std::int64_t(1) << 40);

    std::int64_t queue_[kQueue] = {};
    int head_ = 0, count_ = 0;
};

}  // namespace dsp
