// A streaming rate conversion: output frame j stands at input position j × step, so the
// output is time-aligned with the input.
#pragma once

#include "Dsp/Arena.h"
#include "Dsp/FrameSource.h"
#include "Dsp/InputWindow.h"
#include "Dsp/Polyphase.h"
#include "Dsp/Ratio.h"

#include <cstdint>

namespace dsp {

class Resampler : public FrameSource {
public:
    // step: input frames per output frame
    bool Init(Arena &arena, FrameSource &source, int channels, Ratio step, std::int64_t inputFrames,
              std::int64_t outputFrames);
    // makes up to frames frames into out (planar); answers the frames made, fewer than
    // asked at the end or when the source stopped
    int Pull(double *const *out, int frames) override;
    bool Stopped() const { return input_.Stopped(); }

private:
    void NextPosition();

    PolyphaseKernel kernel_;
    InputWindow input_;
    int channels_ = 0;
    Ratio step_;
    std::int64_t outputFrames_ = 0;
    double *scratch_ = nullptr;

    std::int64_t next_ = 0;      // next output frame
    std::int64_t position_ = 0;  // its input frame
    std::int64_t phase_ = 0;     // and its fraction, in 1 / den
};

}  // namespace dsp
