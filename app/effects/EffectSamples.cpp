#include "effects/EffectSamples.h"

#include "audio/SampleConversion.h"
#include "audio/Wave.h"

#include <algorithm>

namespace {

enum : int { kRunFrames = 4096 };

}  // namespace

void WriteSample16(VirtualFileIterator const &it, int32_t value) {
    value = std::min(std::max(value, int32_t(-32768)), int32_t(32767));
    if (uint32_t(it.sampleFormat_) == kPcm16 && it.channelData_) {
        int16_t sample = int16_t(value);
        std::memcpy(it.channelData_ + 2 * (ptrdiff_t(it.fileChannels_) * it.offset_), &sample, sizeof sample);
    } else
        WriteSample24(it, value * 256);
}

int FramesInPiece(VirtualFileIterator const &it) { return std::max(it.clipLastOffset_ - it.offset_ + 1, 1); }

int32_t PeakOfPiece(WaveInIterator &it, int count, bool wide) {
    int32_t peak = 0;
    if (!wide && it.channelData_ && uint32_t(it.sampleFormat_) == kPcm16) {
        int stride = 2 * it.fileChannels_;
        char const *p = it.channelData_ + ptrdiff_t(stride) * it.offset_;
        for (int j = 0; j < count; ++j, p += stride) {
            int16_t v;
            std::memcpy(&v, p, sizeof v);
            peak = std::max(peak, std::abs(int32_t(v)));
        }
        return peak;
    }
    int kept = it.offset_;
    for (int j = 0; j < count; ++j, ++it.offset_)
        peak = std::max(peak, std::abs(wide ? ConvertSampleTo24(it) : ReadSampleValue(it)));
    it.offset_ = kept;
    return peak;
}

// ---- WorkOutput

WorkOutput::WorkOutput(EffectFrame const &frame, int frames)
    : count_(CountSelectedChannels(frame.GetChannels())),
      work_(Wave::CreateTempWave(frames, count_, frame.GetWave().GetRate(), frame.IsWide() ? 24 : 16)),
      buffer_(count_) {
    int k = 0;
    for (int c = 0; c < 2; ++c)
        if (frame.GetChannels() & ChannelBitOfIndex(c))
            channel_[k++] = c;
    for (k = 0; k < count_; ++k)
        it_[k].Init(buffer_, k, work_->GetChannel(k), 0, -1);
}

void WorkOutput::Advance(int frames) {
    for (int k = 0; k < count_; ++k)
        it_[k].Advance(frames);
}

Wave &WorkOutput::Complete(int frames) {
    long bytes = long(Wave::FramesToBytes(frames, *work_, count_));
    for (int k = 0; k < count_; ++k)
        buffer_.ValidateWriting(bytes, bytes, kWorkFileFlags, k);
    buffer_.Reset();
    return *work_;
}

// ---- ChannelRun

ChannelRun::ChannelRun(WaveInIterator &in, WaveOutIterator &out, bool wide)
    : inIt_(in), outIt_(out), wide_(wide), inBase_(in.offset_), outBase_(out.offset_) {
    plain16_ = !wide && in.channelData_ && out.channelData_ && uint32_t(in.sampleFormat_) == kPcm16 &&
               uint32_t(out.sampleFormat_) == kPcm16;
    if (plain16_) {
        inStride_ = 2 * in.fileChannels_;
        outStride_ = 2 * out.fileChannels_;
        in_ = in.channelData_ + ptrdiff_t(inStride_) * in.offset_;
        out_ = out.channelData_ + ptrdiff_t(outStride_) * out.offset_;
    }
}

int32_t ChannelRun::Load(int j) {
    int kept = inIt_.offset_;
    inIt_.offset_ = inBase_ + j;
    int32_t value = wide_ ? ConvertSampleTo24(inIt_) : ReadSampleValue(inIt_);
    inIt_.offset_ = kept;
    return value;
}

void ChannelRun::Store(int j, int32_t value) {
    int kept = outIt_.offset_;
    outIt_.offset_ = outBase_ + j;
    WriteSample24(outIt_, wide_ ? value : value * 256);
    outIt_.offset_ = kept;
}

// ---- SampleRuns

SampleRuns::SampleRuns(EffectFrame &frame)
    : frame_(frame), in_(frame.GetWave(), frame.GetFirst(), frame.GetLast()), out_(frame, frame.GetFrames()),
      progress_(frame.GetFrames() - 1, frame.GetAction().message, 1) {}

int SampleRuns::Next() {
    int run = std::min(frame_.GetFrames() - position_, int(kRunFrames));
    if (run <= 0)
        return run_ = 0;
    progress_.NotifyProgress(position_, StatusBar::ThrowOnCancel);
    for (int k = 0; k < out_.Count(); ++k)
        run = std::min({run, FramesInPiece(in_[out_.ChannelOf(k)]), FramesInPiece(out_[k])});
    return run_ = run;
}

void SampleRuns::Done() {
    in_.Advance(run_);
    out_.Advance(run_);
    position_ += run_;
}

Wave &SampleRuns::Complete() {
    in_.Release();
    return out_.Complete(frame_.GetFrames());
}
