// An effect that a processing module computes: the module reads the range's processed
// channels and writes a work wave through the call-backs of the module block.
#pragma once

#include "bars/Progress.h"
#include "effects/EffectSamples.h"
#include "effects/ModuleCalls.h"

class ModuleEffect {
public:
    // A work wave of capacity frames; the block holds the range's frames, the processed
    // channels and the wave's rate, factors 1.
    ModuleEffect(EffectFrame &frame, int capacity);
    ModuleEffect(ModuleEffect const &) = delete;
    ModuleEffect &operator=(ModuleEffect const &) = delete;

    // The block, for the factors the module takes.
    ModuleBlock &Block() { return block_; }
    // Runs the module, raising what went wrong (CallModule); the frames it wrote.
    int Run(ModuleProcessEntry entry);
    // The work wave holding the frames written.
    Wave &Complete() { return out_.Complete(written_); }

private:
    EffectFrame &frame_;
    RangeReader in_;
    WorkOutput out_;
    AutoProgressBar progress_;
    ModuleIo io_;
    ModuleBlock block_;
    int written_ = 0;
};
