// What the operations that compute samples share: the scale they compute on, a reader of a
// range of a wave, and the work wave their results go to before its segments are spliced
// into the wave (new samples are never written into a wave's own files).
#pragma once

#include "audio/SampleConversion.h"
#include "audio/VirtualFileIterator.h"
#include "foundation/File.h"

#include <algorithm>
#include <cstdint>
#include <memory>

class Wave;

// How a finished work file is reopened when its cached size changes.
unsigned long const kWorkFileFlags = File::kSequentialScan | File::kDeleteOnClose | File::kShareNone | File::kReadWrite;

// Waves of up to 16 bits are computed on the 16-bit scale, wider ones on the 24-bit scale
// (the 16-bit constants times 256), so that no bit of theirs is lost.
class SampleScale {
public:
    explicit SampleScale(Wave const &wave);

    int32_t Read(VirtualFileIterator const &it) const { return wide_ ? ConvertSampleTo24(it) : ReadSampleValue(it); }
    void Write(VirtualFileIterator const &it, int32_t value) const { WriteSample24(it, wide_ ? value : value * 256); }
    int32_t Max() const { return wide_ ? 8388607 : 32767; }
    int32_t Min() const { return -Max() - 1; }
    // What 1 on the 16-bit scale is on this one.
    int32_t Unit() const { return wide_ ? 256 : 1; }
    int32_t Clip(int64_t value) const { return int32_t(std::min<int64_t>(std::max<int64_t>(value, Min()), Max())); }
    // Bits of the work wave: 24 for wide waves, else the temporary files' resolution.
    int WorkBits() const;

private:
    bool wide_;
};

// One iterator a channel of a wave over first..last (past the wave's end it reads 0).
class RangeReader {
public:
    RangeReader(Wave &wave, int first, int last);
    RangeReader(RangeReader const &) = delete;
    RangeReader &operator=(RangeReader const &) = delete;

    WaveInIterator &operator[](int channel) { return it_[channel]; }
    // Every channel moves n frames (backwards when negative).
    void Advance(int n);
    // Every channel stands on frame position.
    void Seek(int position);
    // Lets go of the buffer's windows (before the wave's lists change).
    void Release();

private:
    int channels_;
    FileReadBuffer buffer_;
    WaveInIterator it_[2];
};

// A work wave of frames frames for the channels of a mask of the wave; its channel k takes
// the k-th masked channel.
class WorkWaveWriter {
public:
    WorkWaveWriter(Wave &wave, int channels, int frames, SampleScale const &scale);
    WorkWaveWriter(WorkWaveWriter const &) = delete;
    WorkWaveWriter &operator=(WorkWaveWriter const &) = delete;

    // Masked channels: 1 or 2.
    int Count() const { return count_; }
    // The wave channel of work channel k.
    int ChannelOf(int k) const { return channel_[k]; }
    void Put(int k, int32_t value) const { scale_.Write(out_[k], value); }
    void Advance();
    // The samples written out: the work wave, to be spliced in.
    Wave &Complete();

private:
    SampleScale const &scale_;
    int count_ = 0;
    int channel_[2] = {0, 0};
    int frames_;
    std::unique_ptr<Wave> work_;
    FileWriteBuffer buffer_;  // after the work wave: it lets go of the work file first
    WaveOutIterator out_[2];
};

// The work wave's segments take the place of frames from position in the masked channels,
// as one undoable step; with select they become the selection.
void SpliceWorkWave(Wave &wave, Wave &work, int position, int channels, int actionMessage, int undo, int select);
