// Reverse, phase inversion, DC offset removal and mix-paste: each computes the new samples
// of a range into a work wave while the wave stays as it is, then splices the work wave in
// as one undoable step. A cancel or a failure before the splice leaves the wave untouched.
#include "audio/Wave.h"

#include "audio/WaveSampleWork.h"
#include "bars/Progress.h"

#include <cstdlib>

namespace {

enum : int {
    kTextReverse = 11058,
    kTextInvert = 11059,
    kTextDcOffset = 11060,
    kTextMixPaste = 11061,
};

enum : int {
    kMeasuredFrames = 48000,
    kProgressStep = 4096,  // frames between progress reports; the bar throttles the display
    kUnity = 16384,        // the mix divisor that keeps a side as it is
};

// Frames 0..frames - 1 of the work wave: put(k) is written for each work channel k, then
// step() moves the readers on.
template <class Put, class Step>
void ComputeFrames(WorkWaveWriter &out, int frames, int actionMessage, Put put, Step step) {
    AutoProgressBar progress(frames - 1, actionMessage, 1);
    for (int i = 0; i < frames; ++i) {
        if (i % kProgressStep == 0)
            progress.NotifyProgress(i, StatusBar::ThrowOnCancel);
        for (int k = 0; k < out.Count(); ++k)
            out.Put(k, put(k));
        out.Advance();
        step();
    }
}

// The range rewritten sample by sample and spliced in as one step: value(c, v) is the new
// value of a sample v of wave channel c; backward reads the range from its end.
template <class Value>
void RewriteRange(Wave &wave, int channels, int start, int end, int undo, int actionMessage, bool backward,
                  SampleScale const &scale, Value value) {
    int frames = end - start + 1;
    WorkWaveWriter out(wave, channels, frames, scale);
    RangeReader reader(wave, start, end);
    if (backward)
        reader.Seek(end);
    ComputeFrames(
        out, frames, actionMessage,
        [&](int k) {
            int c = out.ChannelOf(k);
            return value(c, scale.Read(reader[c]));
        },
        [&] { reader.Advance(backward ? -1 : 1); });
    SpliceWorkWave(wave, out.Complete(), start, channels, actionMessage, undo, 0);
}

// The sum of n frames from start of each masked channel, divided by n (toward zero).
void MeanOf(Wave &wave, int channels, int start, int n, int32_t (&mean)[2]) {
    SampleScale scale(wave);
    RangeReader reader(wave, start, start + n - 1);
    int64_t sum[2] = {0, 0};
    for (int i = 0; i < n; ++i, reader.Advance(1))
        for (int c = 0; c < wave.GetNumChannels() && c < 2; ++c)
            if (channels & ChannelBitOfIndex(c))
                sum[c] += scale.Read(reader[c]);
    for (int c = 0; c < 2; ++c)
        mean[c] = int32_t(sum[c] / n);
}

void MeasureMeans(Wave &wave, int channels, int start, int end, int32_t (&mean)[2]) {
    AudioObject::BusyHold busy(wave, AudioObject::BusyHold::kJoin);
    MeanOf(wave, channels, start, std::min(end - start + 1, int(kMeasuredFrames)), mean);
}

// A mix side: 16384 as it is, 0 silent, below 0 unscaled.
int64_t Scaled(int32_t value, int divisor) {
    if (divisor == 0)
        return 0;
    return divisor < 0 ? value : int64_t(value) * kUnity / divisor;
}

}  // namespace

void Wave::Reverse(int channels, int start, int end, int undo) {
    if (start == end || !CheckNotBusy(1))
        return;
    BusyHold busy(*this, BusyHold::kJoin);
    RewriteRange(*this, channels, start, end, undo, kTextReverse, true, SampleScale(*this),
                 [](int, int32_t value) { return value; });
}

void Wave::InvertPhase(int channels, int start, int end, int undo) {
    if (!CheckNotBusy(1))
        return;
    BusyHold busy(*this, BusyHold::kJoin);
    SampleScale scale(*this);
    RewriteRange(*this, channels, start, end, undo, kTextInvert, false, scale,
                 [&](int, int32_t value) { return -std::max(value, scale.Min() + 1); });
}

void Wave::MeasureDcOffset(int channels, int start, int end, int &left, int &right) {
    int32_t mean[2];
    MeasureMeans(*this, channels, start, end, mean);
    int unit = SampleScale(*this).Unit();
    left = mean[0] / unit;
    right = mean[1] / unit;
}

// Means within one step of the 16-bit scale are no offset: nothing changes, no step.
void Wave::RemoveDcOffset(int channels, int start, int end, int undo) {
    if (!CheckNotBusy(1))
        return;
    BusyHold busy(*this, BusyHold::kJoin);
    SampleScale scale(*this);
    int32_t mean[2];
    MeasureMeans(*this, channels, start, end, mean);
    if (std::abs(mean[0]) <= scale.Unit() && std::abs(mean[1]) <= scale.Unit())
        return;
    RewriteRange(*this, channels, start, end, undo, kTextDcOffset, false, scale,
                 [&](int c, int32_t value) { return scale.Clip(int64_t(value) - mean[c]); });
}

// The wave's own samples from position on (0 past its end) and the source's, each side
// scaled by its divisor, added and kept inside full scale.
void Wave::MixPaste(int channels, int position, int ownDivisor, Wave &source, int sourceChannels, int sourceStart,
                    int sourceEnd, int sourceDivisor, int select, int undo) {
    BusyHold busy(*this, BusyHold::kJoin);
    SampleScale scale(*this);
    int frames = sourceEnd - sourceStart + 1;
    sourceChannels &= AllChannelsMask(source.GetNumChannels());
    // Work channel 0 reads source channel 0 unless only channel 1 is given; channel 1 the reverse.
    int const sourceOf[2] = {sourceChannels & 1 ? 0 : 1, sourceChannels & 2 ? 1 : 0};
    WorkWaveWriter out(*this, channels, frames, scale);
    RangeReader own(*this, position, position + frames - 1);
    RangeReader from(source, sourceStart, sourceEnd);
    ComputeFrames(
        out, frames, kTextMixPaste,
        [&](int k) {
            int64_t mine = Scaled(scale.Read(own[out.ChannelOf(k)]), ownDivisor);
            int64_t theirs = Scaled(scale.Read(from[std::min(sourceOf[k], source.GetNumChannels() - 1)]), sourceDivisor);
            return scale.Clip(mine + theirs);
        },
        [&] {
            own.Advance(1);
            from.Advance(1);
        });
    SpliceWorkWave(*this, out.Complete(), position, channels, kTextMixPaste, undo, select);
}
