// The peak file of an audio file: for every block of 128 frames one byte per channel,
// channel after channel, the block's peak magnitude on the 16-bit scale over 128. It lies
// beside the audio file with the extension "gpk" (in the temporary folder for temporary
// files and for folders that cannot take it), is used while it is as new as the audio file
// and of the right size, and is otherwise built again: under a temporary name that becomes
// the peak file only when it is complete.
#include "audio/AudioFile.h"

#include "audio/AudioFileIo.h"
#include "audio/AudioFileSettings.h"
#include "audio/FileRegionReader.h"
#include "audio/PeakBlocks.h"
#include "bars/Progress.h"
#include "foundation/CriticalSection.h"
#include "foundation/Exception.h"
#include "foundation/File.h"
#include "foundation/MappedFile.h"
#include "foundation/MessageCatalogue.h"

#include <algorithm>
#include <memory>
#include <vector>

namespace {

enum { kBlockFrames = kPeakBlockFrames, kTextBuildingPeaks = 11041 };

bool IsOlder(File const &file, File const &than) {
    FILETIME fileTime, thanTime;
    file.GetDateTime(nullptr, nullptr, &fileTime);
    than.GetDateTime(nullptr, nullptr, &thanTime);
    return CompareFileTime(&fileTime, &thanTime) < 0;
}

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
        FileName peakName = file_->ShouldBeDeletedOnClose() ? FileName() : PeakFileName(name_);
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
    FileRegionReader reader;
    int64_t position = dataOffset_, end = dataOffset_ + int64_t(blocks) * blockBytes;
    AutoProgressBar progress(blocks * kBlockFrames, kTextBuildingPeaks, 1);
    std::vector<uint8_t> peaks;
    for (long block = 0; block < blocks;) {
        char *data;
        long count = reader.Read(*file_, position, end, data, blockBytes) / blockBytes;
        position += int64_t(count) * blockBytes;
        peaks.resize(size_t(count) * channels);
        for (long i = 0; i < count; ++i, data += blockBytes)
            for (int c = 0; c < channels; ++c)
                peaks[size_t(i) * channels + c] = BlockPeakByte(data + c * sampleBytes, channels, GetFlags());
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
