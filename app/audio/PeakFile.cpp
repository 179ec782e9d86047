// The peak file of an audio file: for every block of 128 frames one byte per channel,
// channel after channel, the block's peak magnitude on the 16-bit scale over 128. It lies
// beside the audio file with the extension "gpk" (in the temporary folder for temporary
// files and for folders that cannot take it), is used while it is as new as the audio file
// and of the right size, and is otherwise built again: under a temporary name that becomes
// the peak file only when it is complete.
#include "audio/AudioFile.h"

#include "audio/AudioFileIo.h"
#include "audio/AudioFileSettings.h"
#include "audio/SampleConversion.h"
#include "bars/Progress.h"
#include "foundation/CriticalSection.h"
#include "foundation/Exception.h"
#include "foundation/File.h"
#include "foundation/MappedFile.h"
#include "foundation/MessageCatalogue.h"

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <memory>
#include <vector>

namespace {

enum { kBlockFrames = 128, kStep = 4, kTextBuildingPeaks = 11041 };

FileName PeakNameOf(FileName const &name) {
    FileName peak(name);
    peak.SetExtension("gpk");
    return peak;
}

bool IsOlder(File const &file, File const &than) {
    FILETIME fileTime, thanTime;
    file.GetDateTime(nullptr, nullptr, &fileTime);
    than.GetDateTime(nullptr, nullptr, &thanTime);
    return CompareFileTime(&fileTime, &thanTime) < 0;
}

// The stored byte of a block from its examined samples (every fourth frame; sample(k) is the
// k-th on the 16-bit scale): the larger of the largest value and the magnitude of the most
// negative one (-32768 counting as 32767), over 128.
template <class Sample>
uint8_t BlockPeak(Sample &&sample) {
    int high = 0, low = 0;
    for (int k = 0; k < kBlockFrames / kStep; ++k) {
        int value = sample(k);
        high = std::max(high, value);
        low = std::min(low, value);
    }
    return uint8_t(std::max(high, std::min(-low, 32767)) >> 7);
}

// The peak of the block at the iterator's channel data; the common 16-bit little-endian word
// is read in place, without the iterator's checks per sample.
uint8_t BlockPeak(VirtualFileIterator &it) {
    if (uint32_t(it.sampleFormat_) != kPcm16)
        return BlockPeak([&](int k) {
            it.offset_ = k * kStep;
            return ReadSampleValue(it);
        });
    ptrdiff_t step = ptrdiff_t(2) * kStep * it.fileChannels_;
    char const *first = it.channelData_;
    return BlockPeak([&](int k) {
        int16_t value;
        std::memcpy(&value, first + k * step, sizeof value);
        return int(value);
    });
}

// The sample region read in large pieces straight from the file's handle, whatever its
// access kind: one sequential read, which unbuffered (cached) files take in whole pages.
class RegionReader {
public:
    RegionReader(File &file, int64_t start, int64_t length)
        : file_(file), position_(start), end_(start + length), memory_(kPiece + 2 * kPage) {
        uintptr_t at = reinterpret_cast<uintptr_t>(memory_.data());
        buffer_ = memory_.data() + (kPage - at % kPage) % kPage;
    }

    // The next whole units of the region (at least one) at data; their bytes.
    long Next(char *&data, long unit) {
        int64_t first = position_ / kPage * kPage;
        OVERLAPPED at = {};
        at.Offset = DWORD(first);
        at.OffsetHigh = DWORD(first >> 32);
        DWORD got = 0;
        {
            AutoCriticalSection lock(file_.GetLock());
            if (!ReadFile(file_.GetHandle(), buffer_, kPiece + kPage, &got, &at) && GetLastError() != ERROR_HANDLE_EOF)
                ExceptionThrower(0).SetAndThrow(String(BuildString(kReadError, file_.GetName().c_str())),
                                                GetLastError());
        }
        long skip = long(position_ - first);
        long bytes = long(std::min<int64_t>(int64_t(got) - skip, end_ - position_)) / unit * unit;
        if (bytes < unit)
            ThrowAudioFileError(kMsgDamaged);
        data = buffer_ + skip;
        position_ += bytes;
        return bytes;
    }

private:
    enum : long { kPage = 4096, kPiece = 1 << 22, kReadError = 18002 };
    File &file_;
    int64_t position_, end_;
    std::vector<char> memory_;
    char *buffer_;  // page-aligned in memory_, as unbuffered reads want
};

File *CreateFileIn(FileName const &folder, int flags) {
    return new File(folder, File::kTempInDirectory | File::kShareNone | File::kSequentialScan | flags);
}

}  // namespace

int AudioFile::OpenPeakFile() {
    if (!file_)
        return 0;
    if (peakFile_)
        return 1;
    try {
        int64_t expected = int64_t(length_ / kBlockFrames) * GetNumChannels();
        FileName peakName = file_->ShouldBeDeletedOnClose() ? FileName() : PeakNameOf(name_);
        if (peakName.IsEmpty() || !OpenValidPeakFile(peakName, expected))
            BuildPeakFile(peakName, expected);
        return 1;
    } catch (AException const &e) {
        ClosePeakFile();
        WarnAudioFileUser(e);
        return 0;
    }
}

// A stale peak file is removed, so that no build that fails leaves it behind.
int AudioFile::OpenValidPeakFile(FileName const &peakName, int64_t expected) {
    if (!File::Exist(peakName))
        return 0;
    std::unique_ptr<File> peak(new File(peakName, File::kRead | File::kShareRead | File::kNoThrow));
    if (peak->IsOpen() && GetFileSize64(*peak) == expected && !IsOlder(*peak, *file_)) {
        MapPeakFile(peak.release(), expected);
        return 1;
    }
    peak.reset();
    File::Delete(peakName, 0, 1);
    return 0;
}

void AudioFile::BuildPeakFile(FileName const &peakName, int64_t expected) {
    std::unique_ptr<File> temp;
    if (!peakName.IsEmpty())
        temp.reset(CreateFileIn(FileName(peakName.GetPath()), File::kNoThrow));
    if (!temp || !temp->IsOpen()) {
        // Where the peak file cannot be: a temporary one, gone when it is closed.
        temp.reset(CreateFileIn(TemporaryFolder(), File::kDeleteOnClose));
        WritePeaks(*temp);
        MapPeakFile(temp.release(), expected);
        return;
    }
    FileName tempName = temp->GetName();
    try {
        WritePeaks(*temp);
        temp.reset();
        File::Rename(tempName, peakName);
    } catch (...) {
        temp.reset();
        File::Delete(tempName, 0);
        throw;
    }
    MapPeakFile(new File(peakName, File::kRead | File::kShareRead), expected);
}

// Every fourth frame of each block, piece by piece of the sample region (whole blocks).
void AudioFile::WritePeaks(File &peakFile) {
    long blocks = length_ / kBlockFrames;
    if (blocks == 0)
        return;
    int channels = GetNumChannels();
    int sampleBytes = GetBytesPerSample();
    long blockBytes = long(kBlockFrames) * sampleBytes * channels;
    RegionReader reader(*file_, dataOffset_, int64_t(blocks) * blockBytes);
    AutoProgressBar progress(blocks * kBlockFrames, kTextBuildingPeaks, 1);
    VirtualFileIterator it;
    it.sampleFormat_ = int32_t(GetFlags());
    it.fileChannels_ = channels;
    std::vector<uint8_t> peaks;
    for (long block = 0; block < blocks;) {
        char *data;
        long count = reader.Next(data, blockBytes) / blockBytes;
        peaks.resize(size_t(count) * channels);
        for (long i = 0; i < count; ++i, data += blockBytes)
            for (int c = 0; c < channels; ++c) {
                it.channelData_ = data + c * sampleBytes;
                peaks[size_t(i) * channels + c] = BlockPeak(it);
            }
        peakFile.Write(peaks.data(), static_cast<unsigned long>(peaks.size()));
        block += count;
        progress.NotifyProgress(block * kBlockFrames, StatusBar::ThrowOnCancel);
    }
}

void AudioFile::MapPeakFile(File *peakFile, int64_t size) {
    peakFile_ = peakFile;
    if (size > 0) {
        peakMapping_ = new MappedFile(*peakFile, 1, static_cast<unsigned long>(size));
        peakData_ = reinterpret_cast<uint8_t const *>(peakMapping_->GetStart());
    }
    peakEntries_ = GetNumChannels() ? int32_t(size / GetNumChannels()) : 0;
}

void AudioFile::ClosePeakFile() {
    delete peakMapping_;
    peakMapping_ = nullptr;
    delete peakFile_;
    peakFile_ = nullptr;
    peakData_ = nullptr;
    peakEntries_ = 0;
}
