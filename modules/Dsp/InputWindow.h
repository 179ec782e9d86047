// A window onto a streaming input: the frames between two positions kept in planar
// buffers, read from the source in order and never past its length; before the first
// frame and after the last the signal keeps its edge value, so a constant stays constant.
#pragma once

#include "Dsp/Arena.h"
#include "Dsp/FrameSource.h"
#include "Dsp/OnsetDetector.h"

#include <cstdint>

namespace dsp {

class InputWindow {
public:
    static constexpr int kMaxChannels = 2;
    static constexpr int kChunk = 4096;  // frames read at a time, at most

    // capacity: the widest span asked for; watcher, when given, sees every frame read
    bool Init(Arena &arena, FrameSource &source, int channels, std::int64_t frames, int capacity,
              OnsetDetector *watcher = nullptr);
    // Makes the frames [first, end) present, dropping those before first (first never goes
    // back). False, then and from then on, when the source stopped short.
    bool Cover(std::int64_t first, std::int64_t end);
    // the frames of channel c from frame at on
    double const *At(int c, std::int64_t at) const { return buffer_[c] + (at - base_); }
    std::int64_t Read() const { return read_; }
    bool Stopped() const { return stopped_; }

private:
    bool Prime(std::int64_t first);
    bool Append(std::int64_t end);

    FrameSource *source_ = nullptr;
    OnsetDetector *watcher_ = nullptr;
    int channels_ = 0;
    std::int64_t frames_ = 0;
    double *buffer_[kMaxChannels] = {};
    int capacity_ = 0;
    std::int64_t base_ = 0;  // the frame at the start of the buffers
    int filled_ = 0;
    std::int64_t read_ = 0;
    double last_[kMaxChannels] = {};
    bool stopped_ = false;
};

}  // namespace dsp
