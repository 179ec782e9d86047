#include "Dsp/Resampler.h"

#include "Dsp/Dot.h"

#include <cmath>

namespace dsp {

bool Resampler::Init(Arena &arena, FrameSource &source, int channels, Ratio step, std::int64_t inputFrames,
                     std::int64_t outputFrames) {
    channels_ = channels;
    step_ = step;
    outputFrames_ = outputFrames;
    if (!kernel_.Init(arena, step) || !input_.Init(arena, source, channels, inputFrames, kernel_.Taps()))
        return false;
    scratch_ = arena.Take<double>(kernel_.Taps());
    return scratch_ != nullptr;
}

int Resampler::Pull(double *const *out, int frames) {
    int made = 0;
    int const taps = kernel_.Taps();
    while (made < frames && next_ < outputFrames_) {
        std::int64_t const first = position_ - kernel_.HalfTaps() + 1;
        if (!input_.Cover(first, first + taps))
            break;
        double const *h = kernel_.ExactRows()
                              ? kernel_.Row(phase_)
                              : kernel_.At(step_.IsFraction() ? double(phase_) / double(step_.den)
                                                              : double(next_) * step_.value - double(position_),
                                           scratch_);
        if (channels_ == 2)
            Dot2(h, input_.At(0, first), input_.At(1, first), taps, out[0][made], out[1][made]);
        else
            out[0][made] = Dot(h, input_.At(0, first), taps);
        ++made;
        NextPosition();
    }
    return made;
}

void Resampler::NextPosition() {
    ++next_;
    if (step_.IsFraction()) {
        position_ += step_.num / step_.den;
        phase_ += step_.num % step_.den;
        if (phase_ >= step_.den) {
            phase_ -= step_.den;
            ++position_;
        }
    } else {
        position_ = std::int64_t(std::floor(double(next_) * step_.value));
    }
}

}  // namespace dsp
