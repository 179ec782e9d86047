// Changes the length of a signal without changing its pitch: waveform-similarity
// overlap-add. Output frames of two hops, Hann-windowed, half overlapping, each read
// from the input near where the time map puts it, at the position (to a fraction of a
// frame) whose start best continues the frame before; one position for all channels.
// Onsets are protected: the frames around one are copied unstretched, at the place where
// the stretch puts the onset, and the time map takes the stretch up around them.
#pragma once

#include "Dsp/Arena.h"
#include "Dsp/Fft.h"
#include "Dsp/FrameSource.h"
#include "Dsp/InputWindow.h"
#include "Dsp/OnsetDetector.h"
#include "Dsp/TimeMap.h"

#include <cstdint>

namespace dsp {

class TimeScaler : public FrameSource {
public:
    // stretch: output length over input length, 1/8 .. 8; the output goes on (past the
    // input, holding its last frame) for as long as it is pulled
    bool Init(Arena &arena, FrameSource &source, int channels, int rate, double stretch, std::int64_t inputFrames);
    int Pull(double *const *out, int frames) override;
    bool Stopped() const { return input_.Stopped(); }

private:
    static constexpr int kMaxChannels = 2;
    static constexpr int kRegions = 32;
    static constexpr int kFractionTaps = 32;

    // output frames first .. last copied from input = output + offset around onset
    struct Region {
        std::int64_t first, last, offset, onset;
    };

    bool Synthesize();
    bool Place(std::int64_t k, double &q);
    double Search(double ideal, std::int64_t lo, std::int64_t hi);
    double Correlate(std::int64_t from, std::int64_t lo, int count, double *score);
    void Add(double q);
    void TakeOnsets(double committed);
    Region const *RegionOf(std::int64_t k);
    void Bounds(std::int64_t k, std::int64_t &lo, std::int64_t &hi) const;

    InputWindow input_;
    OnsetDetector onsets_;
    TimeMap map_;
    RealFft fft_;
    int channels_ = 0;
    double stretch_ = 1;
    int hop_ = 0, window_ = 0, search_ = 0;
    std::int64_t pre_ = 0, post_ = 0, lookahead_ = 0;

    double *hann_ = nullptr;
    double *sum_[kMaxChannels] = {};  // the output of the frames added, from the current one's start
    double *ready_[kMaxChannels] = {};
    int readyAt_ = 0, readyCount_ = 0;
    double *crossBins_ = nullptr, *work_ = nullptr, *region_ = nullptr, *energy_ = nullptr, *score_ = nullptr;
    double fraction_[kFractionTaps] = {};

    Region regions_[kRegions] = {};
    int regionCount_ = 0;
    Region behind_ = {-1, -1, 0, -(std::int64_t(1) << 40)};  // the last region passed
    std::int64_t next_ = -1;  // the next frame; frame -1 makes the first hop whole
    double previous_ = 0;     // where the frame before was read
};

}  // namespace dsp
