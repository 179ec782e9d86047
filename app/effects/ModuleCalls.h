// The call-backs through which the effects hand audio to the processing modules (the
// resampler, the time corrector and the filter module): a module pulls input frames,
// pushes output frames, reports progress and takes memory only through them, on the
// calling thread. Nothing thrown reaches a module: a call-back keeps the failure, answers
// 0, and CallModule raises it once the module has returned.
#pragma once

#include "ProcessingCommon/ProcessingModule.h"

#include <cstdint>
#include <exception>

class AutoProgressBar;
class WaveInIterator;
class WaveOutIterator;

// The context a routine hands its own call-backs.
struct ModuleIo {
    WaveInIterator *read[2] = {nullptr, nullptr};  // by channel: 0 left, 1 right
    WaveOutIterator *write[2] = {nullptr, nullptr};
    int readChannels = 0;  // masks: bit 0 left, bit 1 right
    int writeChannels = 0;
    // Samples on the 24-bit scale (a wave deeper than 16 bits); the float call-backs keep
    // that resolution, the 16-bit ones convert.
    bool wide = false;
    float largestInput = 0;  // the float reader's largest magnitude
    std::int32_t framesWritten = 0;

    // What the call-backs met, for CallModule.
    std::exception_ptr failure;
    bool cancelled = false;
    bool writeRefused = false;  // the output would have passed the work wave's end
};

// The 32-bit work channels that the chorus and the harmonizer mix into: the processed
// signal, scaled by a percentage per side, added to the dry signal while it lasts. The
// stored words are the plain sums on the 16-bit scale.
struct MixIo {
    WaveOutIterator *write[2] = {nullptr, nullptr};
    WaveInIterator *dry[2] = {nullptr, nullptr};
    int bufferChannels = 0;  // the module's frames: 1 one sample, 3 two
    int outputChannels = 0;  // the work channels written
    int mono = 0;            // one buffer value feeds both sides
    std::int32_t largest = 0;
    int swap = 0;  // left and right exchanged
    int percent[2] = {100, 100};
    std::int32_t written[2] = {0, 0};
    std::int32_t dryLeft[2] = {0, 0};  // dry frames still to add

    std::exception_ptr failure;
    bool writeRefused = false;
};

// Zeroes the block and puts in the memory, progress, 16-bit read and write call-backs, with
// io as the context of both transfers. The caller fills the frame count, channels, rate and
// factors.
void InitModuleBlock(ModuleBlock &block, ModuleIo &io);
// The same for the filter module's job, with the float call-backs.
void InitFilterJob(FilterJob &job, ModuleIo &io);
// The mix writer in place of the block's write call-back.
void UseMixWriter(ModuleBlock &block, MixIo &mix);

// Runs the module over the block with progress reported to the bar from base (per mille),
// then raises what its call-backs kept: a failure as it was, the user's cancel as the
// cancel exception, a write past the work wave or a module that gave back nothing from a
// non-empty input (or other than it wrote) as an error. Answers the frames written.
std::int32_t CallModule(ModuleProcessEntry entry, ModuleBlock &block, ModuleIo &io, AutoProgressBar &progress,
                        long base = 0);
std::int32_t CallModule(FilterEntry entry, FilterJob &job, ModuleIo &io, AutoProgressBar &progress, long base = 0);
// The same checks for a run through the mix writer.
std::int32_t CallModule(ModuleProcessEntry entry, ModuleBlock &block, ModuleIo &io, MixIo &mix,
                        AutoProgressBar &progress, long base = 0);

// A pass-through with the module interface: input to output unchanged, in pieces of 4000
// frames a channel. The chorus and harmonizer run their dry voice through it.
std::int32_t __cdecl RunCopyPass(ModuleBlock *block);
