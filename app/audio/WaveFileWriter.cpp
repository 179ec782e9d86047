#include "audio/WaveFileWriter.h"

#include "audio/AudioFile.h"
#include "audio/FileRegionReader.h"
#include "audio/FileSegment.h"
#include "audio/PeakBlocks.h"
#include "audio/SampleConversion.h"
#include "audio/VirtualFile.h"
#include "audio/VirtualFileIterator.h"
#include "bars/Progress.h"
#include "foundation/File.h"
#include "foundation/Thread.h"
#include "foundation/ThreadEvent.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <exception>
#include <vector>

namespace {

enum : int {
    kTextSaving = 11066,
    kBlockFrames = 1 << 16,  // of the block filled stretch by stretch; a whole number of peak blocks
};

// The converters write into an interleaved block through an iterator that stands on it.
VirtualFileIterator OutputAt(char *channelData, int channels, uint32_t flags) {
    VirtualFileIterator it;
    it.channelData_ = channelData;
    it.fileChannels_ = channels;
    it.sampleFormat_ = int32_t(flags);
    return it;
}

// The same integer samples in the other byte order.
bool IsByteSwapped(uint32_t a, uint32_t b) {
    return (a ^ b) == (kLittleEndian | kBigEndian) && !IsFloatFormat(a) && !(a & (kBits8 | kMuLaw));
}

// The common widths in loops of their own, which the compiler makes quick.
void SwapBytes(char *data, size_t count, int sampleBytes) {
    if (sampleBytes == 2) {
        for (size_t i = 0; i + 1 < count; i += 2)
            std::swap(data[i], data[i + 1]);
    } else if (sampleBytes == 3) {
        for (size_t i = 0; i + 2 < count; i += 3)
            std::swap(data[i], data[i + 2]);
    } else {
        for (char *sample = data; sample < data + count; sample += sampleBytes)
            std::reverse(sample, sample + sampleBytes);
    }
}

// Writes the pieces of a file on a thread of its own, so that the next piece is read and
// put together while one is written. A piece handed over stays the writer's until the next
// one is handed over; a failure comes back with the next hand-over, or with Finish.
class PieceWriter : public Thread {
public:
    explicit PieceWriter(File &file) : Thread("PieceWriter"), file_(file), handed_(0, 1), written_(1, 0) {
        Run(this);
    }
    ~PieceWriter() override {
        written_.WaitForIt((unsigned long)-1);
        SetStopFlag();
        handed_.SetTrue();
        WaitForEnd();
    }
    PieceWriter(PieceWriter const &) = delete;
    PieceWriter &operator=(PieceWriter const &) = delete;

    void Write(char const *data, unsigned long bytes) {
        Finish();
        data_ = data;
        bytes_ = bytes;
        written_.SetFalse();
        handed_.SetTrue();
    }

    void Finish() {
        written_.WaitForIt((unsigned long)-1);
        if (std::exception_ptr failure = failure_) {
            failure_ = nullptr;
            std::rethrow_exception(failure);
        }
    }

protected:
    // No exception leaves the thread: it waits for the caller.
    unsigned long MainLoop() override {
        for (;;) {
            handed_.WaitForIt((unsigned long)-1);
            if (GetStopFlag())
                return 0;
            try {
                file_.Write(data_, bytes_);
            } catch (...) {
                failure_ = std::current_exception();
            }
            written_.SetTrue();
        }
    }

private:
    File &file_;
    ThreadEvent handed_;   // a piece to write (or the end)
    ThreadEvent written_;  // no piece in hand
    char const *data_ = nullptr;
    unsigned long bytes_ = 0;
    std::exception_ptr failure_;
};

// The frame of the file the iterator reads now.
int FileFrameOf(VirtualFileIterator const &it) {
    return it.segment_->offset_ + (it.GetPosition() - it.segment_->start_);
}

// Walks the lists: where one file holds the next frames as the output stores them (or in
// the other byte order), whole frames of it are read straight from the file; everything
// else is put together in a block of memory, stretch by stretch.
class ChannelWalker {
public:
    ChannelWalker(VirtualFile *const *lists, int channels, int frames, uint32_t flags, int sampleBytes)
        : channels_(channels), flags_(flags), sampleBytes_(sampleBytes), frameBytes_(sampleBytes * channels),
          buffer_(channels) {
        for (int c = 0; c < channels_; ++c)
            it_[c].Init(buffer_, c, *lists[c], 0, frames - 1);
        WriteSample24(OutputAt(silence_, 1, flags_), 0);
    }

    // Frames from here that one file stores as whole frames of the output (0 where it does
    // not), the file, the byte position of the first, and whether its bytes are swapped.
    int StoredRun(AudioFile *&file, int64_t &position, bool &swapped) const {
        WaveInIterator const &first = it_[0];
        if (!Readable(first) || (channels_ == 2 && !SameFrames()) || (channels_ == 1 && first.fileChannels_ != 1))
            return 0;
        file = static_cast<AudioFileSegment const *>(first.segment_)->GetAudioFile();
        position = file->GetDataOffset() + int64_t(FileFrameOf(first)) * frameBytes_;
        swapped = uint32_t(first.sampleFormat_) != flags_;
        int run = INT_MAX;
        for (int c = 0; c < channels_; ++c)
            run = std::min(run, std::min(it_[c].segment_->end_, it_[c].rangeEnd_) - it_[c].GetPosition() + 1);
        return run;
    }

    // n frames into the block.
    void Fill(char *block, int n) {
        for (int filled = 0; filled < n;) {
            int run = Run(n - filled);
            for (int c = 0; c < channels_; ++c)
                CopyRun(c, block + ptrdiff_t(filled) * frameBytes_ + c * sampleBytes_, run);
            Advance(run);
            filled += run;
        }
    }

    void Advance(int n) {
        for (int c = 0; c < channels_; ++c)
            it_[c].Advance(n);
    }

private:
    // Frames up to limit that every channel reads from its current stretch.
    int Run(int limit) const {
        for (int c = 0; c < channels_; ++c)
            if (it_[c].IsValid())
                limit = std::min(limit, it_[c].clipLastOffset_ - it_[c].offset_ + 1);
        return limit;
    }

    bool Readable(WaveInIterator const &it) const {
        uint32_t format = uint32_t(it.sampleFormat_);
        return it.channelData_ && (format == flags_ || IsByteSwapped(format, flags_));
    }

    // Both channels read the two channels of the same frames of one file.
    bool SameFrames() const {
        WaveInIterator const &a = it_[0], &b = it_[1];
        return Readable(b) && a.sampleFormat_ == b.sampleFormat_ && a.fileChannels_ == 2 &&
               a.segment_->fileElement_ == b.segment_->fileElement_ && a.segment_->GetFileChannel() == 0 &&
               b.segment_->GetFileChannel() == 1 && FileFrameOf(a) == FileFrameOf(b);
    }

    // run samples of channel c at the output's frame stride from to: stored bytes as they
    // are (or swapped), silence, or converted on the 24-bit scale.
    void CopyRun(int c, char *to, int run) {
        WaveInIterator &it = it_[c];
        uint32_t format = uint32_t(it.sampleFormat_);
        if (!it.channelData_) {
            for (int f = 0; f < run; ++f)
                std::memcpy(to + ptrdiff_t(f) * frameBytes_, silence_, size_t(sampleBytes_));
        } else if (Readable(it)) {
            ptrdiff_t stride = ptrdiff_t(it.fileChannels_) * sampleBytes_;
            char const *from = it.channelData_ + it.offset_ * stride;
            for (int f = 0; f < run; ++f) {
                char *sample = to + ptrdiff_t(f) * frameBytes_;
                std::memcpy(sample, from + f * stride, size_t(sampleBytes_));
                if (format != flags_)
                    std::reverse(sample, sample + sampleBytes_);
            }
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

    int channels_;
    uint32_t flags_;
    int sampleBytes_;
    int frameBytes_;
    FileReadBuffer buffer_;
    WaveInIterator it_[2];
    char silence_[4] = {};
};

}  // namespace

WaveFileWriter::WaveFileWriter(VirtualFile *const *lists, int channels, int frames, SamplePattern const &format)
    : lists_(lists), channels_(channels), frames_(frames), flags_(format.GetFlags()),
      sampleBytes_(format.GetBytesPerSample()), frameBytes_(format.GetBytesPerSample() * channels) {}

// Pieces start on peak blocks: a stretch read from its file is cut to whole blocks unless
// it ends the wave, a block put together holds whole blocks. Two sets of memory take turns:
// one is written while the other is filled.
void WaveFileWriter::Write(File &file, File *peaks) {
    if (frames_ == 0)
        return;
    ChannelWalker walker(lists_, channels_, frames_, flags_, sampleBytes_);
    FileRegionReader readers[2];
    std::vector<char> blocks[2];
    std::vector<uint8_t> peakBytes;
    AutoProgressBar progress(frames_, kTextSaving, 1);
    PieceWriter writer(file);
    for (int done = 0, turn = 0; done < frames_; turn = 1 - turn) {
        AudioFile *source = nullptr;
        int64_t position = 0;
        bool swapped = false;
        int n = std::min(walker.StoredRun(source, position, swapped), int(FileRegionReader::kPiece / frameBytes_));
        if (done + n < frames_)
            n = n / kPeakBlockFrames * kPeakBlockFrames;
        char *data;
        if (n > 0) {
            n = int(readers[turn].Read(*source->GetFile(), position, position + int64_t(n) * frameBytes_, data,
                                       frameBytes_) /
                    frameBytes_);
            if (swapped)
                SwapBytes(data, size_t(n) * frameBytes_, sampleBytes_);
            walker.Advance(n);
        } else {
            n = std::min(int(kBlockFrames), frames_ - done);
            blocks[turn].resize(size_t(kBlockFrames) * frameBytes_);
            data = blocks[turn].data();
            walker.Fill(data, n);
        }
        writer.Write(data, static_cast<unsigned long>(n) * frameBytes_);
        if (peaks) {
            peakBytes.resize(size_t(n / kPeakBlockFrames) * channels_);
            for (int b = 0; b < n / kPeakBlockFrames; ++b)
                for (int c = 0; c < channels_; ++c)
                    peakBytes[size_t(b) * channels_ + c] = BlockPeakByte(
                        data + ptrdiff_t(b) * kPeakBlockFrames * frameBytes_ + c * sampleBytes_, channels_, flags_);
            peaks->Write(peakBytes.data(), static_cast<unsigned long>(peakBytes.size()));
        }
        done += n;
        progress.NotifyProgress(done, StatusBar::ThrowOnCancel);
    }
    writer.Finish();
}
