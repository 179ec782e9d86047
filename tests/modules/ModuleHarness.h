// Drives the processing modules of the program folder through their records, as the
// effects will: array call-backs, an allocator ledger, a reader that notes any request
// past the end, a cancel at a given read, a writer that takes fewer frames from a given
// point, and a progress log.
#pragma once

#include "ProcessingCommon/ProcessingModule.h"

#include <cstdint>
#include <vector>

namespace modtest {

// The entry points, bound once by name from the program folder's system\ as the program does.
struct Modules {
    ModuleProcessEntry resample = nullptr;        // Pelrin's _TCProcessResampling
    ModuleProcessEntry correct = nullptr;         // Dastrel's _TCProcess
    ModuleExpectedSizeEntry expected = nullptr;   // Dastrel's _TCExpectedSize
    FilterEntry filter = nullptr;                 // filter's _StartFilter
};
Modules const &Loaded();

// Every block the modules take, counted.
struct Ledger {
    long live = 0;
    long long bytes = 0;
    long long peak = 0;
};
Ledger &Memory();

// What a run did beside its output.
struct Trace {
    int reads = 0;
    long readFrames = 0;
    int writes = 0;
    bool pastEnd = false;           // a read asked for frames beyond the input
    bool stopped = false;           // a read or write moved fewer frames than asked
    int callsAfterStop = 0;
    std::vector<float> progress;
    bool ProgressRises() const;     // 0 .. 1, never falling
};

// 16-bit frames through a module block.
struct Run16 {
    std::vector<std::int16_t> input;  // interleaved
    int channels = 1;
    int cancelAtRead = -1;            // this read (from 0) delivers nothing
    long acceptFrames = -1;           // the writer takes no more than this many frames in all

    std::vector<std::int16_t> output;
    Trace trace;
    std::int32_t framesOut = -1;

    // a block with this run's call-backs and the frames, channels, rate and ratios given
    ModuleBlock Block(int rate, float timeFactor, float pitchRatio);
    // runs the entry on Block(...) and answers the block's output word
    std::int32_t Run(ModuleProcessEntry entry, int rate, float timeFactor, float pitchRatio);
    std::int32_t Run(ModuleProcessEntry entry, ModuleBlock block);
};

// Float frames through a filter job.
struct RunFloat {
    std::vector<float> input;
    int channels = 1;
    int cancelAtRead = -1;
    long acceptFrames = -1;

    std::vector<float> output;
    Trace trace;

    FilterJob Job(int rate);
    void Run(FilterJob job);
};

}  // namespace modtest
