#include "audio/WaveSampleWork.h"

#include "audio/AudioFileSettings.h"
#include "audio/Wave.h"
#include "audio/WaveEdit.h"

namespace {

int CountMasked(Wave const &wave, int channels) {
    return CountChannelBits(uint32_t(channels & AllChannelsMask(wave.GetNumChannels())));
}

}  // namespace

// ---- SampleScale

SampleScale::SampleScale(Wave const &wave) : wide_(wave.GetBits() > 16) {}

int SampleScale::WorkBits() const { return wide_ ? 24 : TheAudioFileSettings().tempFileRes; }

// ---- RangeReader

RangeReader::RangeReader(Wave &wave, int first, int last)
    : channels_(std::min(wave.GetNumChannels(), 2)), buffer_(std::max(channels_, 1)) {
    for (int c = 0; c < channels_; ++c)
        it_[c].Init(buffer_, c, wave.GetChannel(c), first, last);
}

void RangeReader::Advance(int n) {
    for (int c = 0; c < channels_; ++c)
        it_[c].Advance(n);
}

void RangeReader::Seek(int position) {
    for (int c = 0; c < channels_; ++c)
        it_[c].Seek(position);
}

void RangeReader::Release() { buffer_.Reset(); }

// ---- WorkWaveWriter

WorkWaveWriter::WorkWaveWriter(Wave &wave, int channels, int frames, SampleScale const &scale)
    : scale_(scale), count_(CountMasked(wave, channels)), frames_(frames),
      work_(Wave::CreateTempWave(frames, count_, wave.GetRate(), scale.WorkBits())), buffer_(count_) {
    int k = 0;
    for (int c = 0; c < 2; ++c)
        if (channels & AllChannelsMask(wave.GetNumChannels()) & ChannelBitOfIndex(c))
            channel_[k++] = c;
    for (k = 0; k < count_; ++k)
        out_[k].Init(buffer_, k, work_->GetChannel(k), 0, -1);
}

void WorkWaveWriter::Advance() {
    for (int k = 0; k < count_; ++k)
        out_[k].Advance(1);
}

Wave &WorkWaveWriter::Complete() {
    long bytes = long(Wave::FramesToBytes(frames_, *work_, count_));
    for (int k = 0; k < count_; ++k)
        buffer_.ValidateWriting(bytes, bytes, kWorkFileFlags, k);
    buffer_.Reset();
    return *work_;
}

// ---- the splice

void SpliceWorkWave(Wave &wave, Wave &work, int position, int channels, int actionMessage, int undo, int select) {
    int frames = work.GetLength();
    WaveEdit edit(wave, WaveUndoMemento::kSamples, actionMessage, undo);
    wave.ReplaceFrom(position, channels, work, 0);
    if (select)
        wave.SetSelection(position, position + frames - 1, channels, 0);
    edit.Finish();
}
