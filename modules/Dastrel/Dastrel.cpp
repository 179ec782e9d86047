// Dastrel: time correction of 16-bit audio. The output is the time factor times as long
// as the input (exactly the expected size) and transposed by the pitch ratio: the input
// is first time-scaled by time factor × pitch ratio, then resampled by the pitch ratio.
#include "Dsp/BlockIo.h"
#include "Dsp/Resampler.h"
#include "Dsp/TimeScaler.h"
#include "ProcessingCommon/ProcessingModule.h"

#include <cmath>

namespace {

using dsp::Ratio;

bool UsableTimeCorrection(ModuleBlock const &b) {
    if (!dsp::UsableBlock(b) || !dsp::UsableFactor(b.timeFactor) || !dsp::UsableFactor(b.pitchRatio))
        return false;
    double const stretch = double(b.timeFactor) * double(b.pitchRatio);
    return stretch >= 0.125 && stretch <= 8;
}

std::int32_t Correct(ModuleBlock const &block) {
    if (!UsableTimeCorrection(block))
        return 0;
    Ratio const length = dsp::SimplestRatio(block.timeFactor);
    Ratio const pitch = dsp::RateRatio(block.rate, block.pitchRatio);
    Ratio const stretch = dsp::Product(length, pitch);
    std::int32_t const frames = dsp::OutputFrames(dsp::ScaleFrames(block.frames, length));
    dsp::BlockRun run(block);
    if (frames == 0 || !run.Ready())
        return 0;
    // a stretch the floats cannot tell from 1 only resamples
    bool const scale = std::fabs(stretch.value - 1) > 1e-6;
    dsp::TimeScaler scaler;
    dsp::Resampler resampler;
    dsp::FrameSource *last = &run.Reader();
    std::int64_t scaled = block.frames;
    if (scale) {
        if (!scaler.Init(run.Memory(), *last, block.channels, block.rate, stretch.value, block.frames))
            return 0;
        last = &scaler;
        scaled = dsp::ScaleFrames(block.frames, stretch);
    }
    if (!pitch.IsOne()) {
        if (!resampler.Init(run.Memory(), *last, block.channels, pitch, scaled, frames))
            return 0;
        last = &resampler;
    }
    return run.Deliver(*last, frames);
}

}  // namespace

extern "C" std::int32_t __cdecl DastrelProcess(ModuleBlock *block) { return dsp::RunModule(block, Correct); }

extern "C" std::int32_t __cdecl DastrelExpectedSize(std::int32_t frames, float timeFactor) {
    if (frames <= 0 || !dsp::UsableFactor(timeFactor))
        return 0;
    return dsp::OutputFrames(dsp::ScaleFrames(frames, dsp::SimplestRatio(timeFactor)));
}
