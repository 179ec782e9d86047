#include "Dsp/BlockIo.h"

#include <cmath>

namespace dsp {

bool UsableBlock(ModuleBlock const &b) {
    return b.allocate && b.free && b.read && b.write && b.frames > 0 && (b.channels == 1 || b.channels == 2) &&
           b.rate > 0;
}

bool UsableFactor(float factor) { return std::isfinite(factor) && factor >= 1.0f / 64 && factor <= 64; }

std::int32_t OutputFrames(std::int64_t frames) {
    return frames > 0x7FFFFFFF ? 0 : frames < 1 ? 1 : std::int32_t(frames);
}

std::int32_t RunModule(ModuleBlock *block, std::int32_t (*process)(ModuleBlock const &)) {
    if (!block)
        return 0;
    block->framesOut = 0;
    try {
        block->framesOut = process(*block);
    } catch (...) {
    }
    return block->framesOut;
}

bool BlockReader::Init(Arena &arena, ModuleBlock const &block) {
    block_ = &block;
    left_ = block.frames;
    buffer_ = arena.Take<std::int16_t>(std::size_t(kBlockFrames) * block.channels);
    return buffer_ != nullptr;
}

int BlockReader::Pull(double *const *channels, int frames) {
    int const n = block_->channels;
    int done = 0;
    while (done < frames && left_ > 0 && !stopped_) {
        int want = frames - done < kBlockFrames ? frames - done : kBlockFrames;
        want = want < left_ ? want : int(left_);
        std::int32_t got = block_->read(block_->readIo, buffer_, want);
        got = got < 0 ? 0 : got > want ? want : got;
        for (int i = 0; i < got; ++i)
            for (int c = 0; c < n; ++c)
                channels[c][done + i] = buffer_[i * n + c];
        done += got;
        left_ -= got;
        stopped_ = got < want;
    }
    return done;
}

std::int16_t RoundSample(double value) {
    double const r = value < 0 ? -std::floor(0.5 - value) : std::floor(value + 0.5);
    return std::int16_t(r < -32768 ? -32768 : r > 32767 ? 32767 : r);
}

bool BlockWriter::Init(Arena &arena, ModuleBlock const &block) {
    block_ = &block;
    buffer_ = arena.Take<std::int16_t>(std::size_t(kBlockFrames) * block.channels);
    return buffer_ != nullptr;
}

bool BlockWriter::Write(double const *const *channels, int frames) {
    int const n = block_->channels;
    for (int at = 0; at < frames; at += kBlockFrames) {
        int const count = frames - at < kBlockFrames ? frames - at : kBlockFrames;
        for (int i = 0; i < count; ++i)
            for (int c = 0; c < n; ++c)
                buffer_[i * n + c] = RoundSample(channels[c][at + i]);
        std::int32_t took = block_->write(block_->writeIo, buffer_, count);
        took = took < 0 ? 0 : took > count ? count : took;
        written_ += took;
        if (took < count)
            return false;
    }
    return true;
}

void ProgressReport::Report(std::int64_t done, std::int64_t total) {
    int const step = total > 0 ? int(double(done) / double(total) * 1000) : 1000;
    if (step <= last_)
        return;
    last_ = step;
    if (block_)
        block_(float(step) / 1000);
    if (job_)
        job_(0, float(step) / 1000);
}

BlockRun::BlockRun(ModuleBlock const &block) : arena_(block.allocate, block.free), progress_(block.progress) {
    for (int c = 0; c < block.channels; ++c)
        out_[c] = arena_.Take<double>(kBlockFrames);
    ready_ = reader_.Init(arena_, block) && writer_.Init(arena_, block) && !arena_.Failed();
}

std::int32_t BlockRun::Deliver(FrameSource &last, std::int64_t frames) {
    progress_.Report(0, frames);
    for (std::int64_t done = 0; done < frames;) {
        int const want = frames - done < kBlockFrames ? int(frames - done) : kBlockFrames;
        if (last.Pull(out_, want) < want || !writer_.Write(out_, want))
            break;
        done += want;
        progress_.Report(done, frames);
    }
    return writer_.Written();
}

}  // namespace dsp
