// The peak of a range and the scaled writer through which effects store their results.
#include "audio/Wave.h"

#include "audio/WaveSampleWork.h"
#include "bars/Progress.h"
#include "bars/StatusBar.h"
#include "manager/DocumentManager.h"

#include <cstdlib>

namespace {

enum : int {
    kTextFindPeak = 11057,
    kProgressStep = 4096,
    kScaledProgressStep = 2048,
};

int32_t const kFullScale24 = 8388608;

// The enclosing operation's gauge moves on (throttled by time); a cancel throws.
void ReportScaledProgress(long value) {
    if (StatusBar *bar = _docManager ? _docManager->GetStatusBar() : nullptr)
        bar->NotifyProgress(value, StatusBar::ThrowOnCancel);
    else
        DetectUserCancel(StatusBar::ThrowOnCancel);
}

}  // namespace

// A later sample wins only when strictly larger, the left channel before the right at a
// frame; full scale (-8388608) cannot be passed and ends the search.
int Wave::FindPeak(int &channels, int start, int end, int &peak16, int32_t &peak24) {
    BusyHold busy(*this, BusyHold::kJoin);
    RangeReader reader(*this, start, end);
    AutoProgressBar progress(end - start, kTextFindPeak, 1);
    int32_t best = 0;
    int position = 0, where = channels;
    for (int frame = start; frame <= end && best < kFullScale24; ++frame, reader.Advance(1)) {
        if ((frame - start) % kProgressStep == 0)
            progress.NotifyProgress(frame - start, StatusBar::ThrowOnCancel);
        for (int c = 0; c < GetNumChannels() && c < 2; ++c) {
            int32_t magnitude = std::abs(ConvertSampleTo24(reader[c]));
            if ((channels & ChannelBitOfIndex(c)) && magnitude > best) {
                best = magnitude;
                position = frame;
                where = ChannelBitOfIndex(c);
            }
        }
    }
    channels = where;
    peak24 = std::min(best, kFullScale24 - 1);
    peak16 = std::min(peak24 / 256, 32767);
    return position;
}

void Wave::WriteScaled(Wave &target, int count, int channelFlags, int targetLevel, int32_t peak, int normalize,
                       WaveInIterator &first, WaveInIterator &second, long progressBase) {
    SampleScale scale(*this);
    target.GetFormat().SetBits(scale.Unit() > 1 ? 24 : 16, kLittleEndian);
    double factor;
    if (normalize)
        factor = peak ? double(std::min(std::min(targetLevel, 32767) * scale.Unit(), scale.Max())) / peak : 0.0;
    else
        factor = peak < -int64_t(scale.Min()) ? 1.0 : double(scale.Max()) / peak;
    WaveInIterator *sources[2];
    int slots = 0;
    if (channelFlags & 1)
        sources[slots++] = &first;
    if (channelFlags & 2)
        sources[slots++] = &second;
    for (int k = 0; k < slots; ++k)
        if (sources[k]->IsValid())
            sources[k]->Seek(sources[k]->GetPosition());
    FileWriteBuffer buffer(target.GetNumChannels());
    WaveOutIterator out[2];
    for (int k = 0; k < slots; ++k)
        out[k].Init(buffer, k, target.GetChannel(k), 0, -1);
    for (int i = 0; i < count; ++i) {
        if (i % kScaledProgressStep == kScaledProgressStep - 1)
            ReportScaledProgress(progressBase + long(int64_t(i) * 1000 / count));
        for (int k = 0; k < slots; ++k) {
            int32_t value = scale.Read(*sources[k]);
            scale.Write(out[k], factor == 1.0 ? value : int32_t(value * factor));
            sources[k]->Advance(1);
            out[k].Advance(1);
        }
    }
    long bytes = long(FramesToBytes(count, target, target.GetNumChannels()));
    for (int k = 0; k < slots; ++k)
        buffer.ValidateWriting(bytes, bytes, kWorkFileFlags, k);
    for (int c = 0; c < 2; ++c)
        target.GetChannel(c).Remove(count, target.GetChannel(c).GetLength() - 1);
}
