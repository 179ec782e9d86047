#include "audio/WaveFileWriter.h"

#include "audio/FileSegment.h"
#include "audio/PeakBlocks.h"
#include "audio/SampleConversion.h"
#include "audio/VirtualFile.h"
#include "audio/VirtualFileIterator.h"
#include "bars/Progress.h"
#include "foundation/File.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

enum : int {
    kTextSaving = 11066,
    kBlockFrames = 1 << 18,  // a whole number of peak blocks
};

// The converters write into an interleaved block through an iterator that stands on it.
VirtualFileIterator OutputAt(char *channelData, int channels, uint32_t flags) {
    VirtualFileIterator it;
    it.channelData_ = channelData;
    it.fileChannels_ = channels;
    it.sampleFormat_ = int32_t(flags);
    return it;
}

// The frame of the file the iterator reads now.
int FileFrameOf(VirtualFileIterator const &it) {
    return it.segment_->offset_ + (it.GetPosition() - it.segment_->start_);
}

// Walks the lists block by block; a block is copied into memory of its own, or, where one
// stretch of a file in the output's format covers all of it, read where it is stored.
class BlockFiller {
public:
    BlockFiller(VirtualFile *const *lists, int channels, int frames, uint32_t flags, int sampleBytes)
        : channels_(channels), flags_(flags), sampleBytes_(sampleBytes), frameBytes_(sampleBytes * channels),
          buffer_(channels) {
        for (int c = 0; c < channels_; ++c)
            it_[c].Init(buffer_, c, *lists[c], 0, frames - 1);
        WriteSample24(OutputAt(silence_, 1, flags_), 0);
    }

    // The bytes of the next n frames; valid until Done.
    char const *Fill(char *block, int n) {
        if (Run(n) == n && IsStoredAsWritten()) {
            pending_ = n;
            return FramePointer();
        }
        for (int filled = 0; filled < n;) {
            int run = Run(n - filled);
            char *to = block + ptrdiff_t(filled) * frameBytes_;
            if (channels_ == 2 && SameFrames())
                std::memcpy(to, FramePointer(), size_t(run) * frameBytes_);
            else
                for (int c = 0; c < channels_; ++c)
                    CopyRun(c, to + c * sampleBytes_, run);
            Advance(run);
            filled += run;
        }
        return block;
    }

    void Done() {
        Advance(pending_);
        pending_ = 0;
    }

private:
    // Frames up to limit that every channel reads from its current stretch.
    int Run(int limit) const {
        for (int c = 0; c < channels_; ++c)
            if (it_[c].IsValid())
                limit = std::min(limit, it_[c].clipLastOffset_ - it_[c].offset_ + 1);
        return limit;
    }

    bool InOutputFormat(WaveInIterator const &it) const {
        return it.channelData_ && uint32_t(it.sampleFormat_) == flags_;
    }

    // Both channels read the two channels of the same frames of one file as stored.
    bool SameFrames() const {
        WaveInIterator const &a = it_[0], &b = it_[1];
        return InOutputFormat(a) && InOutputFormat(b) && a.fileChannels_ == 2 && b.fileChannels_ == 2 &&
               a.segment_->fileElement_ == b.segment_->fileElement_ && a.segment_->GetFileChannel() == 0 &&
               b.segment_->GetFileChannel() == 1 && FileFrameOf(a) == FileFrameOf(b);
    }

    bool IsStoredAsWritten() const {
        if (channels_ == 2)
            return SameFrames();
        return InOutputFormat(it_[0]) && it_[0].fileChannels_ == 1;
    }

    // The first channel's frame in the file's bytes.
    char const *FramePointer() const {
        WaveInIterator const &it = it_[0];
        return it.channelData_ + ptrdiff_t(it.offset_) * it.fileChannels_ * sampleBytes_;
    }

    // run samples of channel c at the output's frame stride from to.
    void CopyRun(int c, char *to, int run) {
        WaveInIterator &it = it_[c];
        if (!it.channelData_) {
            for (int f = 0; f < run; ++f)
                std::memcpy(to + ptrdiff_t(f) * frameBytes_, silence_, size_t(sampleBytes_));
        } else if (InOutputFormat(it)) {
            ptrdiff_t stride = ptrdiff_t(it.fileChannels_) * sampleBytes_;
            char const *from = it.channelData_ + it.offset_ * stride;
            for (int f = 0; f < run; ++f)
                std::memcpy(to + ptrdiff_t(f) * frameBytes_, from + f * stride, size_t(sampleBytes_));
        } else {
            VirtualFileIterator out = OutputAt(to, channels_, flags_);
            int offset = it.offset_;
            for (int f = 0; f < run; ++f) {
                it.offset_ = offset + f;
                out.offset_ = f;
                WriteSample24(out, ConvertSampleTo24(it));
            }
            it.offset_ = offset;
        }
    }

    void Advance(int n) {
        for (int c = 0; c < channels_; ++c)
            it_[c].Advance(n);
    }

    int channels_;
    uint32_t flags_;
    int sampleBytes_;
    int frameBytes_;
    FileReadBuffer buffer_;
    WaveInIterator it_[2];
    char silence_[4] = {};
    int pending_ = 0;
};

}  // namespace

WaveFileWriter::WaveFileWriter(VirtualFile *const *lists, int channels, int frames, SamplePattern const &format)
    : lists_(lists), channels_(channels), frames_(frames), flags_(format.GetFlags()),
      sampleBytes_(format.GetBytesPerSample()), frameBytes_(format.GetBytesPerSample() * channels) {}

void WaveFileWriter::Write(File &file, File *peaks) {
    if (frames_ == 0)
        return;
    BlockFiller filler(lists_, channels_, frames_, flags_, sampleBytes_);
    std::vector<char> block(size_t(std::min(frames_, int(kBlockFrames))) * frameBytes_);
    std::vector<uint8_t> peakBytes;
    AutoProgressBar progress(frames_, kTextSaving, 1);
    for (int done = 0; done < frames_;) {
        int n = std::min(int(kBlockFrames), frames_ - done);
        char const *data = filler.Fill(block.data(), n);
        file.Write(data, static_cast<unsigned long>(n) * frameBytes_);
        if (peaks) {
            peakBytes.resize(size_t(n / kPeakBlockFrames) * channels_);
            for (int b = 0; b < n / kPeakBlockFrames; ++b)
                for (int c = 0; c < channels_; ++c)
                    peakBytes[size_t(b) * channels_ + c] = BlockPeakByte(
                        data + ptrdiff_t(b) * kPeakBlockFrames * frameBytes_ + c * sampleBytes_, channels_, flags_);
            peaks->Write(peakBytes.data(), static_cast<unsigned long>(peakBytes.size()));
        }
        filler.Done();
        done += n;
        progress.NotifyProgress(done, StatusBar::ThrowOnCancel);
    }
}
