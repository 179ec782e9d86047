#include "audio/AudioFile.h"

#include "audio/AudioFileIo.h"
#include "audio/AudioFileSettings.h"
#include "audio/FileSegment.h"
#include "audio/PlaybackLink.h"
#include "audio/VirtualFileIterator.h"
#include "foundation/Exception.h"
#include "foundation/File.h"
#include "foundation/MappedFile.h"
#include "foundation/MultiFileBuffer.h"

#include <algorithm>

namespace {

// The buffer windows of each kind: the whole region, 64 KB mapped, 32 KB classic.
long WindowOfKind(int kind) { return kind == kAccessMappedWindows ? 0x10000 : kind == kAccessCached ? 0x8000 : 0; }

// Temporary files in the cache's unit, so that its unbuffered writes fit.
int64_t RoundUpToPage(int64_t size) { return (size + 4095) / 4096 * 4096; }

}  // namespace

AudioFile::AudioFile() {}

AudioFile::AudioFile(FileName const &name, int interactive, int report) { OpenByType(name, interactive, report); }

AudioFile::AudioFile(int kind, Wave *wave, int fileType, SamplePattern const &pattern)
    : ASampleProvider(pattern), ownerWave_(wave), accessKind_(kind), fileType_(fileType) {}

AudioFile::AudioFile(int kind, Wave *wave, int fileType, SamplePattern const &pattern, File *file, int64_t size)
    : ASampleProvider(pattern), ownerWave_(wave), fileType_(fileType) {
    SetInterleaved(1);
    if (size == 0 && file)
        size = GetFileSize64(*file);
    CheckAudioFileSize(size, file ? file->GetName() : TemporaryFolder());
    accessKind_ = kind == kAccessUnchosen ? ChooseFileAccessKind(size) : kind;
    int frameBytes = GetBytesPerFrame();
    length_ = frameBytes ? int32_t(size / frameBytes) : 0;
    try {
        if (file)
            file_ = file;
        else
            CreateTemporaryStorage(size);
        if (accessKind_ != kAccessCached)
            MapStorage(size);
    } catch (...) {
        if (file)
            file_ = nullptr;  // stays the caller's
        DeleteStorage();
        throw;
    }
}

AudioFile::~AudioFile() {
    UnregisterOpen();
    if (file_ || mapping_)
        CloseStorage(0);
    ClosePeakFile();
}

void AudioFile::CreateTemporaryStorage(int64_t size) {
    int flags = File::kTempInDirectory | File::kDeleteAtClose | File::kShareNone;
    if (accessKind_ == kAccessCached) {
        size = RoundUpToPage(size);
        file_ = new File(TemporaryFolder(), flags, TheFileCacheManager());
    } else {
        file_ = new File(TemporaryFolder(), flags);
    }
    name_ = file_->GetName();
    file_->SetSize(long(size));
}

// Size 0 maps the whole file; an empty file has nothing to map.
void AudioFile::MapStorage(int64_t size) {
    if ((size ? size : GetFileSize64(*file_)) > 0)
        mapping_ = new MappedFile(*file_, 0, static_cast<unsigned long>(size));
}

void AudioFile::DeleteStorage() {
    delete mapping_;
    mapping_ = nullptr;
    delete file_;
    file_ = nullptr;
}

void AudioFile::OpenStorage(int kind, FileName const &name, int openFlags, int64_t size) {
    accessKind_ = kind == kAccessUnchosen ? ChooseFileAccessKind(size ? size : GetFileSize64(name)) : kind;
    name_ = GetFullName(name);
    try {
        if (accessKind_ == kAccessCached) {
            file_ = new File(name, openFlags, TheFileCacheManager());
        } else {
            file_ = new File(name, openFlags);
            MapStorage(size);
        }
    } catch (...) {
        DeleteStorage();
        throw;
    }
}

void AudioFile::CloseStorage(int deleteFiles) {
    if (mapping_)
        ThePlayback().SignalCollector(*mapping_);
    if (file_)
        ThePlayback().SignalCollector(*file_);
    if (deleteFiles)
        SetDeleteOnClose();
    DeleteStorage();
    ClosePeakFile();
}

void AudioFile::SetDeleteOnClose() {
    for (File *f : {file_, peakFile_})
        if (f && !f->ShouldBeDeletedOnClose())
            f->SetDeleteOnClose();
}

void AudioFile::ReopenStorage(FileName const &name) {
    int flags = kOpenForReading | File::kShareDelete;
    try {
        OpenStorage(accessKind_, name, flags, 0);
    } catch (AException const &) {
        if (accessKind_ == kAccessCached)
            throw;
        OpenStorage(kAccessCached, name, flags, 0);
    }
}

// ---- samples for iterators

void AudioFile::RegisterSampleRegion(MultiFileBuffer &buffer, int channel, int first, int sampleBytes,
                                     long window) const {
    long channels = GetNumChannels();
    int64_t frameBytes = int64_t(sampleBytes) * channels;
    long start = long(dataOffset_ + first * frameBytes);
    long length = long((length_ - first) * frameBytes);
    int writing = buffer.IsWriting();
    if (accessKind_ == kAccessCached)
        ClassicBufferedFile::Register(buffer, channel, *file_, start, length, channels, sampleBytes, window, writing);
    else
        MappedBufferedFile::Register(buffer, channel, *mapping_, start, length, channels, sampleBytes, window, writing);
}

void AudioFile::PrepareBuffer(VirtualFileIterator &it, int bytesPerSample, int backward) {
    if (!file_) {
        it.clipData_ = it.channelData_ = nullptr;
        it.sampleFormat_ = -1;
        return;
    }
    AudioFileSegment const &segment = static_cast<AudioFileSegment const &>(*it.segment_);
    int sampleBytes = bytesPerSample ? bytesPerSample : GetBytesPerSample();
    long frameBytes = long(sampleBytes) * GetNumChannels();
    MultiFileBuffer &buffer = *it.buffer_;
    int channel = it.bufferChannel_;
    RegisterSampleRegion(buffer, channel, it.fileFrameOffset_, sampleBytes, WindowOfKind(accessKind_));

    int position = it.clipStart_ + it.offset_;
    long offset = long(dataOffset_ + int64_t(segment.offset_ + position - segment.start_) * frameBytes);
    // Backwards the window ends with the frame: ask for the end of the frame.
    char *frame = backward
                      ? static_cast<char *>(buffer.GetVirtualPointerBackward(offset + frameBytes, channel)) - frameBytes
                      : static_cast<char *>(buffer.GetVirtualPointer(offset, channel));
    int before = int(buffer.GetAvailableBytesBeforeVirtualPointer(frame, channel) / frameBytes);
    int from = int(buffer.GetAvailableBytesFromVirtualPointer(frame, channel) / frameBytes);
    it.clipStart_ = std::max(it.clipStart_, position - before);
    it.clipEnd_ = std::min(it.clipEnd_, position + from - 1);
    it.clipLastOffset_ = it.clipEnd_ - it.clipStart_;
    it.offset_ = position - it.clipStart_;
    it.clipData_ = frame - ptrdiff_t(it.offset_) * frameBytes;
    it.channelData_ = it.clipData_ + ptrdiff_t(segment.channel_) * sampleBytes;
    it.sampleFormat_ = int32_t(GetFlags());
    it.fileChannels_ = GetNumChannels();
}
