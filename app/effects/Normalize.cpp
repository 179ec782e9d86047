#include "effects/Normalize.h"

#include "audio/SampleConversion.h"
#include "audio/Wave.h"
#include "effects/EffectSamples.h"
#include "effects/NormalizeDialog.h"
#include "foundation/Config.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

enum : int {
    kTextNormalize = 11063,
    kProgressFrames = 4096,
};

// The target on the frame's scale: full scale stays full scale on the 24-bit scale.
int32_t ScaledTarget(EffectFrame const &frame, int target) {
    target = std::min(target, 32767);
    if (!frame.IsWide())
        return target;
    return target == 32767 ? frame.MaxSample() : target * 256;
}

// The source channel that feeds destination channel c.
int SourceOf(NormalizeRequest const &request, int c) {
    int own = request.sourceChannels & ChannelBitOfIndex(c) ? c : 1 - c;
    return std::min(own, request.source->GetNumChannels() - 1);
}

}  // namespace

void NormalizeRange(Wave &wave, int channels, int first, int last, NormalizerOpcodes const &record, int recordUndo) {
    int target = record.asSelection && wave.HasSelection() ? wave.GetLevel() : record.level;
    if (target <= 0)
        return;
    EffectFrame frame(wave, channels, first, last, recordUndo, EffectAction{kTextNormalize});
    int32_t peak = 0;
    if (frame.GetFrames() > 0)
        peak = MeasurePeak(wave, frame.GetChannels(), frame.GetFirst(), frame.GetLast(), frame.IsWide());
    int32_t scaled = ScaledTarget(frame, target);
    if (peak == 0 || peak == scaled) {
        frame.Finish(0);
        return;
    }
    double factor = double(scaled) / peak;
    // Half away from zero, so that a negative peak reaches -target as a positive one +target.
    ApplySampleEffect(frame, [factor](int, int, int32_t sample) {
        double value = sample * factor;
        return double(int64_t(value + (value < 0 ? -0.5 : 0.5)));
    });
}

void NormalizeInto(NormalizeRequest const &request) {
    if (request.target == 0)
        return;
    Wave &source = *request.source, &destination = *request.destination;
    EffectBusyHold busy(source);
    int first = request.first, last = request.last;
    int peak = request.peak >= 0 ? request.peak : MeasurePeak(source, request.sourceChannels, first, last, false);
    if (peak == 0)
        return;
    RangeReader in(source, first, last);
    FileWriteBuffer buffer(destination.GetNumChannels());
    WaveOutIterator out[2];
    int targets = request.destinationChannels & AllChannelsMask(destination.GetNumChannels());
    for (int c = 0; c < 2; ++c)
        if (targets & ChannelBitOfIndex(c))
            out[c].Init(buffer, c, destination.GetChannel(c), 0, -1);
    AutoProgressBar progress(last - first, kTextNormalize, 1);
    for (int i = 0; i <= last - first; ++i, in.Advance(1)) {
        if (i % kProgressFrames == 0)
            progress.NotifyProgress(i, StatusBar::ThrowOnCancel);
        for (int c = 0; c < 2; ++c)
            if (targets & ChannelBitOfIndex(c)) {
                WriteSample16(out[c], int32_t(int64_t(ReadSampleValue(in[SourceOf(request, c)])) * request.target / peak));
                out[c].Advance(1);
            }
    }
    long bytes = long(Wave::FramesToBytes(last - first + 1, destination, destination.GetNumChannels()));
    for (int c = 0; c < 2; ++c)
        if (targets & ChannelBitOfIndex(c))
            buffer.ValidateWriting(bytes, bytes, kWorkFileFlags, c);
}

int32_t MeasurePeak(Wave &wave, int channels, int first, int last, bool wide) {
    channels &= AllChannelsMask(wave.GetNumChannels());
    RangeReader in(wave, first, last);
    AutoProgressBar progress(last - first, kTextNormalize, 1);
    int32_t peak = 0;
    for (int i = 0, count; i <= last - first; i += count, in.Advance(count)) {
        progress.NotifyProgress(i, StatusBar::ThrowOnCancel);
        count = std::min(last - first + 1 - i, int(kProgressFrames));
        for (int c = 0; c < 2; ++c)
            if (channels & ChannelBitOfIndex(c))
                count = std::min(count, FramesInPiece(in[c]));
        for (int c = 0; c < 2; ++c)
            if (channels & ChannelBitOfIndex(c))
                peak = std::max(peak, PeakOfPiece(in[c], count, wide));
    }
    return peak;
}

void NormalizeProcessor::Read(Config &config, NormalizerOpcodes &record) const {
    record.level = config.GetValue(32767, "Level");
    record.asSelection = config.GetValue(0, "AsSel");
}

void NormalizeProcessor::Write(NormalizerOpcodes const &record, Config &config) const {
    config.SetValue(record.level, "Level");
    config.SetValue(record.asSelection, "AsSel");
}

int NormalizeProcessor::Open(NormalizerOpcodes &record, int givenRecord) {
    return OpenNormalizeDialog(record, givenRecord);
}
