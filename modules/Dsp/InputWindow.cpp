#include "Dsp/InputWindow.h"

#include <cstring>

namespace dsp {

bool InputWindow::Init(Arena &arena, FrameSource &source, int channels, std::int64_t frames, int capacity,
                       OnsetDetector *watcher) {
    source_ = &source;
    watcher_ = watcher;
    channels_ = channels;
    frames_ = frames;
    capacity_ = capacity + kChunk;
    for (int c = 0; c < channels; ++c)
        buffer_[c] = arena.Take<double>(capacity_);
    return !arena.Failed();
}

bool InputWindow::Cover(std::int64_t first, std::int64_t end) {
    if (end - first > capacity_)
        stopped_ = true;  // wider than the window was made for
    if (stopped_ || (filled_ == 0 && !Prime(first)))
        return false;
    if (end <= base_ + filled_)
        return true;
    if (end - base_ > capacity_ && first > base_) {
        std::int64_t const drop = first - base_ < filled_ ? first - base_ : filled_;
        for (int c = 0; c < channels_; ++c)
            std::memmove(buffer_[c], buffer_[c] + drop, sizeof(double) * (filled_ - drop));
        base_ += drop;
        filled_ -= int(drop);
    }
    return Append(end);
}

// The first chunk, with its first frame held before it back to first.
bool InputWindow::Prime(std::int64_t first) {
    base_ = first < 0 ? first : 0;
    int const lead = int(-base_);
    filled_ = lead;
    if (!Append(1))
        return false;
    for (int c = 0; c < channels_; ++c)
        for (int i = 0; i < lead; ++i)
            buffer_[c][i] = buffer_[c][lead];
    return true;
}

// Reads (past the input: holds the last frame) until end, and as far as the room allows.
bool InputWindow::Append(std::int64_t end) {
    while (base_ + filled_ < end) {
        int const room = capacity_ - filled_;
        double *at[kMaxChannels];
        for (int c = 0; c < channels_; ++c)
            at[c] = buffer_[c] + filled_;
        if (read_ >= frames_) {
            int const hold = int(end - (base_ + filled_));
            for (int c = 0; c < channels_; ++c)
                for (int i = 0; i < hold; ++i)
                    at[c][i] = last_[c];
            filled_ += hold;
            break;
        }
        std::int64_t const left = frames_ - read_;
        int want = room < kChunk ? room : kChunk;
        want = left < want ? int(left) : want;
        int const got = source_->Pull(at, want);
        if (got < want || got == 0) {
            stopped_ = true;
            return false;
        }
        if (watcher_)
            watcher_->Feed(at, read_, got);
        read_ += got;
        filled_ += got;
        for (int c = 0; c < channels_; ++c)
            last_[c] = at[c][got - 1];
    }
    return true;
}

}  // namespace dsp
