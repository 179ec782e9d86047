#include "engine/RecordingFile.h"

#include "audio/AudioFile.h"
#include "audio/AudioFileIo.h"
#include "audio/AudioFileSettings.h"
#include "audio/AudioObject.h"
#include "audio/MarkerSet.h"
#include "audio/SampleConversion.h"
#include "engine/AudioMessages.h"
#include "engine/DiskSpace.h"
#include "foundation/Exception.h"
#include "foundation/File.h"
#include "foundation/MappedFile.h"
#include "foundation/MessageCatalogue.h"

#include <algorithm>
#include <cstring>

namespace {

enum {
    kDataFileFlags = File::kTempInDirectory | File::kDeleteAtClose | File::kShareNone,
    kPeakFileFlags = File::kTempInDirectory | File::kDeleteOnClose,
    // Closing the written range: reopened to be deleted when closed, by nobody else.
    kFinishedFlags = File::kDeleteOnClose | File::kShareNone,
    kBufferBytes = 32768,
    kPeakBlock = 128,
    kPeakStep = 4,
    kLastExamined = kPeakBlock - kPeakStep,
    kMaxPeakChannels = 2,
};

void CopyDeviceBytes(void const *input, unsigned done, unsigned frames, char *to, SamplePattern const &file) {
    size_t frameBytes = size_t(file.GetBytesPerFrame());
    std::memcpy(to, static_cast<char const *>(input) + done * frameBytes, frames * frameBytes);
}

void ConvertFloatFrames(void const *input, unsigned done, unsigned frames, char *to, SamplePattern const &file) {
    InterleaveFromFloat(static_cast<float const *const *>(input), int(done), file.GetNumChannels(), int(frames), to, 0,
                        file.GetFlags());
}

// A channel's sample of an interleaved frame on the 16-bit scale.
int Sample16(char const *frame, int channel, SamplePattern const &pattern) {
    if (pattern.GetFlags() == kPcm16) {
        int16_t value;
        std::memcpy(&value, frame + 2 * channel, sizeof value);
        return value;
    }
    VirtualFileIterator it;
    it.channelData_ = const_cast<char *>(frame) + channel * pattern.GetBytesPerSample();
    it.offset_ = 0;
    it.fileChannels_ = pattern.GetNumChannels();
    it.sampleFormat_ = int32_t(pattern.GetFlags());
    return ReadSampleValue(it);
}

}  // namespace

RecordingFile::RecordingFile(SamplePattern const &input, SamplePattern const &file, int expectedFrames, int accessKind)
    : expected_(expectedFrames), input_(input), filePattern_(file), fallbackKind_(accessKind) {
    input_.SetInterleaved(1);
    filePattern_.SetInterleaved(1);
    channelMask_ = AllChannelsMask(filePattern_.GetNumChannels());
    SetUp();
}

RecordingFile::RecordingFile(AudioObject *object, int start, int end, unsigned channelMask, int expectedFrames,
                             int channels, uint32_t rate, String const &name)
    : object_(object), holdsObject_(1), start_(start), end_(end), expected_(expectedFrames), channelMask_(channelMask),
      name_(name), fallbackKind_(kAccessCached) {
    try {
        input_ = SamplePattern(kFloat32, channels, 0, rate ? rate : object->GetRate());
        filePattern_ = *object;
        int tempBits = TheAudioFileSettings().tempFileRes;
        if (filePattern_.GetBits() < tempBits)
            filePattern_.GetFormat().SetBits(tempBits, 0);
        filePattern_.SetNumChannels(channels);
        filePattern_.SetInterleaved(1);
        filePattern_.SetRate(input_.GetRate());
        // Written to fewer or more channels than the object has, it becomes a wave of its own.
        formatChanged_ = CountChannelBits(channelMask) != channels;
        SetUp();
    } catch (...) {
        ReleaseObject();
        throw;
    }
}

RecordingFile::~RecordingFile() {
    ReleaseObject();
    // The buffers let go of the files before the files go.
    dataBuffer_.Reset();
    peakBuffer_.Reset();
}

void RecordingFile::ReleaseObject() {
    if (holdsObject_) {
        holdsObject_ = 0;
        object_->Unlock();
    }
}

// ---- set-up

int64_t RecordingFile::EstimatedFrames() const {
    if (expected_ >= 0)
        return expected_;
    if (expected_ != -1)
        return -int64_t(expected_);
    int64_t range = int64_t(end_) - start_ + 1;
    return range + range / 10;
}

void RecordingFile::SetUp() {
    if (filePattern_.GetNumChannels() < 1 || filePattern_.GetNumChannels() > kMaxPeakChannels ||
        filePattern_.GetBytesPerFrame() <= 0)
        throw Exception(String(FindString(kMsgNotPcm)));
    int64_t bytes = filePattern_.FramesToBytes(EstimatedFrames());
    int64_t need = bytes + bytes / 100 + kDiskReserve;
    FileName folder = TemporaryFolder();
    if (need >= FreeDiskBytes(folder))
        File::CheckDiskFull(folder, ERROR_DISK_FULL);
    // The recorder cannot tell how long it will run: it takes the kind it was given.
    bool lengthKnown = expected_ >= 0;
    accessKind_ = lengthKnown || object_ ? ChooseFileAccessKind(need) : fallbackKind_;
    if (!lengthKnown && accessKind_ != kAccessCached)
        accessKind_ = kWrittenBuffered;
    OpenFiles(need);
}

void RecordingFile::OpenFiles(int64_t need) {
    FileName folder = TemporaryFolder();
    if (accessKind_ == kAccessCached)
        dataFile_.reset(new File(folder, kDataFileFlags, TheFileCacheManager()));
    else
        dataFile_.reset(new File(folder, kDataFileFlags));
    peakFile_.reset(new File(folder, kPeakFileFlags));
    int channels = filePattern_.GetNumChannels();
    ClassicBufferedFile::Register(peakBuffer_, 0, *peakFile_, 0, 0, channels, 1, kBufferBytes, 1);
    int sampleBytes = filePattern_.GetBytesPerSample();
    if (accessKind_ == kAccessMapped || accessKind_ == kAccessMappedWindows) {
        mapping_.reset(new MappedFile(*dataFile_, 0, static_cast<unsigned long>(need)));
        long window = accessKind_ == kAccessMappedWindows ? 0x10000 : 0;
        MappedBufferedFile::Register(dataBuffer_, 0, *mapping_, 0, 0, channels, sampleBytes, window, 1);
    } else {
        ClassicBufferedFile::Register(dataBuffer_, 0, *dataFile_, 0, 0, channels, sampleBytes, kBufferBytes, 1);
    }
}

// ---- writing

int RecordingFile::WriteFloatBlock(float const *const *channels, unsigned frames) {
    return Write(channels, frames, &ConvertFloatFrames);
}

int RecordingFile::WriteDeviceBlock(void const *data, unsigned frames) { return Write(data, frames, &CopyDeviceBytes); }

bool RecordingFile::HasRoomFor(unsigned frames) {
    int64_t bytes = filePattern_.FramesToBytes(frames);
    int64_t after = bytesWritten_ + bytes;
    unsigned message = 0;
    if (after > kLargestAudioFileSize)
        message = kMsgTooLarge;
    else if (mapping_ && after > int64_t(mapping_->GetFileSize()))
        message = 18019;
    else if (bytes + bytes / 100 + kDiskReserve >= FreeDiskBytes(TemporaryFolder()))
        message = 18019;
    if (!message)
        return true;
    full_ = 1;
    try {
        if (message == kMsgTooLarge)
            throw Exception(String(FindString(kMsgTooLarge)));
        File::CheckDiskFull(TemporaryFolder(), ERROR_DISK_FULL);
    } catch (Exception const &e) {
        ExceptionThrower(1).SetAndThrow(e);
    }
    return false;
}

int RecordingFile::Write(void const *input, unsigned frames, Copier copy) {
    if (error_ || full_)
        return 0;
    if (frames == 0)
        return 1;
    if (!HasRoomFor(frames))
        return 0;
    try {
        int frameBytes = filePattern_.GetBytesPerFrame();
        for (unsigned done = 0; done < frames;) {
            char *to = static_cast<char *>(dataBuffer_.GetVirtualPointer(long(bytesWritten_), 0));
            long room = dataBuffer_.GetAvailableBytesFromVirtualPointer(to, 0) / frameBytes;
            if (room <= 0)
                File::CheckDiskFull(dataFile_->GetName(), ERROR_DISK_FULL);
            unsigned n = unsigned(std::min<int64_t>(frames - done, room));
            copy(input, done, n, to, filePattern_);
            BuildPeaks(to, n);
            bytesWritten_ += int64_t(n) * frameBytes;
            done += n;
        }
        return 1;
    } catch (Exception const &e) {
        error_ = 1;
        ExceptionThrower(1).SetAndThrow(e);
    } catch (AException const &e) {
        error_ = 1;
        ExceptionThrower(1).SetAndThrow(e.why());
    }
    return 0;
}

// Every fourth frame counts; after the last of each 128 frames examined, each channel's
// byte: the larger of the highest value and the depth of the lowest (-32768 counting as
// 32767), over 128.
void RecordingFile::BuildPeaks(char const *frames, unsigned count) {
    int channels = filePattern_.GetNumChannels();
    int frameBytes = filePattern_.GetBytesPerFrame();
    for (unsigned i = 0; i < count; ++i, ++peakStep_) {
        if (peakStep_ % kPeakStep)
            continue;
        char const *frame = frames + ptrdiff_t(i) * frameBytes;
        for (int c = 0; c < channels; ++c) {
            int value = Sample16(frame, c, filePattern_);
            peakHigh_[c] = int16_t(std::max<int>(peakHigh_[c], value));
            peakLow_[c] = int16_t(std::min<int>(peakLow_[c], value));
        }
        if (peakStep_ % kPeakBlock != kLastExamined)
            continue;
        uint8_t *to = static_cast<uint8_t *>(peakBuffer_.GetVirtualPointer(long(peakBytes_), 0));
        for (int c = 0; c < channels; ++c) {
            to[c] = uint8_t(std::max<int>(peakHigh_[c], std::min(-int(peakLow_[c]), 32767)) >> 7);
            peakHigh_[c] = peakLow_[c] = 0;
        }
        peakBytes_ += channels;
    }
}

// ---- finishing

int RecordingFile::Finish(int ok, int replace, int convert, MarkerSet *markers) {
    std::unique_ptr<MarkerSet> givenMarkers(markers);
    if (error_ || !ok) {
        ReleaseObject();
        return 0;
    }
    convert |= formatChanged_;
    long bytes = long(bytesWritten_);
    int frames = int(bytesWritten_ / filePattern_.GetBytesPerFrame());
    // A recording that caught nothing makes no empty wave.
    if (frames == 0 && !object_)
        return 1;
    AudioFile *file = nullptr;
    try {
        dataBuffer_.ValidateWriting(bytes, bytes, kFinishedFlags, 0);
        if (frames >= kPeakFileFrames)
            peakBuffer_.ValidateWriting(long(peakBytes_), long(peakBytes_), kFinishedFlags, 0);
        dataBuffer_.Reset();
        peakBuffer_.Reset();
        if (frames < kPeakFileFrames)
            peakFile_.reset();
        // A file written through its buffers is read back in the kind its size asks for.
        int kind = accessKind_ == kWrittenBuffered ? int(kAccessUnchosen) : accessKind_;
        file = CreateAudioFileOnFile(dataFile_.get(), peakFile_.get(), kind, mapping_.get(), filePattern_, frames);
    } catch (AException const &e) {
        WarnAudioFileUser(e);
    }
    if (!file) {
        ReleaseObject();
        return 0;
    }
    // The new file owns them now.
    dataFile_.release();
    peakFile_.release();
    mapping_.release();

    MessTerminateWaveProcess message;
    message.object = object_;
    message.start = start_;
    message.end = end_;
    message.channels = channelMask_;
    message.file = file;
    message.convert = convert;
    message.undo = !convert && replace;
    message.name = name_;
    message.markers = givenMarkers.release();
    long result = SendToMainWindow(message);
    ReleaseObject();
    return result ? 1 : 0;
}
