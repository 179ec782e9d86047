// The 16-bit side of a module block: its reader as a frame source, its writer, and its
// progress, all over the caller's call-backs.
#pragma once

#include "Dsp/Arena.h"
#include "Dsp/FrameSource.h"
#include "ProcessingCommon/ProcessingModule.h"

#include <cstdint>

namespace dsp {

// Interleaved 16-bit frames from the read call-back as planar doubles; never asks for more
// than the block's frames in all.
class BlockReader : public FrameSource {
public:
    bool Init(Arena &arena, ModuleBlock const &block);
    int Pull(double *const *channels, int frames) override;

private:
    ModuleBlock const *block_ = nullptr;
    std::int16_t *buffer_ = nullptr;
    std::int64_t left_ = 0;
    bool stopped_ = false;
};

// Planar doubles to the write call-back as interleaved 16-bit frames, rounded to the
// nearest value (halves away from zero, so a negated input gives the negated output)
// and clipped.
class BlockWriter {
public:
    bool Init(Arena &arena, ModuleBlock const &block);
    // false once the call-back took fewer frames than offered
    bool Write(double const *const *channels, int frames);
    std::int32_t Written() const { return written_; }

private:
    ModuleBlock const *block_ = nullptr;
    std::int16_t *buffer_ = nullptr;
    std::int32_t written_ = 0;
};

// Rising fractions through a progress call-back, at most one per thousandth.
class ProgressReport {
public:
    explicit ProgressReport(ModuleProgress progress) : block_(progress) {}
    explicit ProgressReport(FilterProgress progress) : job_(progress) {}
    void Report(std::int64_t done, std::int64_t total);

private:
    ModuleProgress block_ = nullptr;
    FilterProgress job_ = nullptr;
    int last_ = -1;
};

std::int16_t RoundSample(double value);

// a block with its call-backs, frames, 1 or 2 channels and a rate
bool UsableBlock(ModuleBlock const &block);
// a ratio word the module may use: finite, 1/64 .. 64
bool UsableFactor(float factor);
// the output frames of a valid block: at least 1, 0 (refused) past 2^31 - 1
std::int32_t OutputFrames(std::int64_t frames);
// runs process over the block, sets the block's output word to what it answers (0 when
// something was thrown, which goes no further) and answers it as well
std::int32_t RunModule(ModuleBlock *block, std::int32_t (*process)(ModuleBlock const &));

constexpr int kBlockFrames = 4096;  // frames moved per call-back

// One run of a module over its block: the working memory, the reader the stages pull
// from, and the delivery of the last stage's frames to the writer.
class BlockRun {
public:
    explicit BlockRun(ModuleBlock const &block);
    bool Ready() const { return ready_; }
    Arena &Memory() { return arena_; }
    BlockReader &Reader() { return reader_; }
    // Writes frames frames of the last stage, reporting progress; stops at once when the
    // stage stops or the writer takes fewer. Answers the frames written.
    std::int32_t Deliver(FrameSource &last, std::int64_t frames);

private:
    Arena arena_;
    BlockReader reader_;
    BlockWriter writer_;
    ProgressReport progress_;
    double *out_[2] = {};
    bool ready_ = false;
};

}  // namespace dsp
