// The sample side of the effect frame: the range of the wave read through one iterator a
// channel, the work wave written through one iterator a processed channel, and the loop
// that runs a per-sample function over the range in runs of frames that lie in one piece
// of every file, so that the common 16-bit samples are reached through plain pointers.
#pragma once

#include "audio/VirtualFileIterator.h"
#include "audio/WaveSampleWork.h"
#include "bars/Progress.h"
#include "effects/EffectFrame.h"

#include <cstdint>
#include <cstring>
#include <memory>

class Wave;

// A value on the 16-bit scale, kept inside it, stored at the iterator in its file's format.
void WriteSample16(VirtualFileIterator const &it, int32_t value);

// The frames from the iterator's current one on that lie in one piece of its file (at
// least 1).
int FramesInPiece(VirtualFileIterator const &it);
// The largest magnitude of the iterator's next count frames (at most FramesInPiece), on the
// 16-bit scale or (wide) the 24-bit scale; the iterator stays where it is.
int32_t PeakOfPiece(WaveInIterator &it, int count, bool wide);

// A work wave of the processed channels: work channel k takes the k-th processed channel
// (a right channel processed alone takes channel 0), at the frame's resolution.
class WorkOutput {
public:
    WorkOutput(EffectFrame const &frame, int frames);
    WorkOutput(WorkOutput const &) = delete;
    WorkOutput &operator=(WorkOutput const &) = delete;

    int Count() const { return count_; }
    int ChannelOf(int k) const { return channel_[k]; }
    WaveOutIterator &operator[](int k) { return it_[k]; }
    void Advance(int frames);
    // The first frames written out, the writing completed: the wave to splice.
    Wave &Complete(int frames);

private:
    int count_ = 0;
    int channel_[2] = {0, 0};
    std::unique_ptr<Wave> work_;
    FileWriteBuffer buffer_;  // after the work wave: it lets go of the work file first
    WaveOutIterator it_[2];
};

// One processed channel's part of a run: count frames that lie in one piece of the input
// and of the work file.
class ChannelRun {
public:
    ChannelRun(WaveInIterator &in, WaveOutIterator &out, bool wide);

    // Both sides plain 16-bit little-endian words.
    bool IsPlain16() const { return plain16_; }
    int16_t Load16(int j) const {
        int16_t v;
        std::memcpy(&v, in_ + ptrdiff_t(j) * inStride_, sizeof v);
        return v;
    }
    void Store16(int j, int16_t v) const { std::memcpy(out_ + ptrdiff_t(j) * outStride_, &v, sizeof v); }
    // Any format, on the frame's scale.
    int32_t Load(int j);
    void Store(int j, int32_t value);

private:
    WaveInIterator &inIt_;
    WaveOutIterator &outIt_;
    bool wide_;
    bool plain16_;
    char const *in_ = nullptr;
    char *out_ = nullptr;
    int inStride_ = 0;
    int outStride_ = 0;
    int inBase_;
    int outBase_;
};

// The runs of the range, in order; the progress is reported once a run.
class SampleRuns {
public:
    explicit SampleRuns(EffectFrame &frame);

    // The next run's frame count (at most a few thousand), 0 after the last.
    int Next();
    // The run's first frame, counted from the range's first.
    int Position() const { return position_; }
    int Count() const { return out_.Count(); }
    int ChannelOf(int k) const { return out_.ChannelOf(k); }
    ChannelRun Channel(int k) { return ChannelRun(in_[out_.ChannelOf(k)], out_[k], frame_.IsWide()); }
    // Moves past the run.
    void Done();
    // The whole range written: the work wave to splice.
    Wave &Complete();

private:
    EffectFrame &frame_;
    RangeReader in_;
    WorkOutput out_;
    AutoProgressBar progress_;
    int position_ = 0;
    int run_ = 0;
};

// A value kept inside the scale, truncated toward zero; NaN is 0.
inline int32_t ClipSample(double value, int32_t low, int32_t high) {
    if (value >= high)
        return high;
    if (value <= low)
        return low;
    return value == value ? int32_t(value) : 0;
}

// Every sample s at frame i (from the range's first) of processed channel c becomes
// value(c, i, s) kept inside the scale; the result replaces the range and the frame is
// finished.
template <class Value>
void ApplySampleEffect(EffectFrame &frame, Value value, int redraw = 1) {
    if (frame.GetFrames() > 0 && frame.GetChannels()) {
        int32_t low = frame.MinSample(), high = frame.MaxSample();
        SampleRuns runs(frame);
        for (int count; (count = runs.Next()) > 0; runs.Done()) {
            int i = runs.Position();
            for (int k = 0; k < runs.Count(); ++k) {
                int c = runs.ChannelOf(k);
                ChannelRun run = runs.Channel(k);
                if (run.IsPlain16())
                    for (int j = 0; j < count; ++j)
                        run.Store16(j, int16_t(ClipSample(value(c, i + j, run.Load16(j)), low, high)));
                else
                    for (int j = 0; j < count; ++j)
                        run.Store(j, ClipSample(value(c, i + j, run.Load(j)), low, high));
            }
        }
        frame.ReplaceRange(runs.Complete());
    }
    frame.Finish(redraw);
}
