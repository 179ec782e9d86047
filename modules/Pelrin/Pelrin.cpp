// Pelrin: converts the sample rate of 16-bit audio. The block's pitch word is the ratio of
// the input rate to the output rate; the output has floor(n × fo / fi + ½) frames.
#include "Dsp/BlockIo.h"
#include "Dsp/Resampler.h"
#include "ProcessingCommon/ProcessingModule.h"

namespace {

std::int32_t Resample(ModuleBlock const &block) {
    if (!dsp::UsableBlock(block) || !dsp::UsableFactor(block.pitchRatio))
        return 0;
    dsp::Ratio const step = dsp::RateRatio(block.rate, block.pitchRatio);
    std::int32_t const frames = dsp::OutputFrames(dsp::ScaleFrames(block.frames, step.Inverse()));
    dsp::BlockRun run(block);
    dsp::Resampler resampler;
    if (frames == 0 || !run.Ready() ||
        !resampler.Init(run.Memory(), run.Reader(), block.channels, step, block.frames, frames))
        return 0;
    return run.Deliver(resampler, frames);
}

}  // namespace

extern "C" std::int32_t __cdecl PelrinProcessResampling(ModuleBlock *block) { return dsp::RunModule(block, Resample); }
