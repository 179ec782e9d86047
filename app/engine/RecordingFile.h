// Where recorded or streamed audio goes: a temporary data file with an 8-bit peak file
// beside it, which the finishing step turns into a raw PCM AudioFile and hands to the GUI
// thread (MessTerminateWaveProcess): into a new wave, or over a range of the object being
// processed. The wave-in recorder writes the device's blocks; the audio engine's file
// writer writes float frames.
//
// The object's busy word: the caller holds it while the object is written; the file gives
// that hold back exactly once, when it is finished or deleted.
#pragma once

#include "audio/SamplePattern.h"
#include "foundation/MultiFileBuffer.h"
#include "foundation/Strings.h"

#include <cstdint>
#include <memory>

class AudioObject;
class File;
class MappedFile;
class MarkerSet;

class RecordingFile {
public:
    // Access kind of a file written through its buffers whose length was not known: the
    // finished file chooses its own kind.
    enum { kWrittenBuffered = 103 };
    // Held free on the disk beyond what the next block needs.
    enum : int64_t { kDiskReserve = 0xA0000 };
    // A file of fewer frames gets no peak file.
    enum { kPeakFileFrames = 64000 };

    // The recorder's: blocks of the input format into a file of the file format. Negative
    // expected frames: the length is not known, and accessKind is the kind taken then.
    RecordingFile(SamplePattern const &input, SamplePattern const &file, int expectedFrames, int accessKind);
    // The engine's: float frames of channels channels at rate (0: the object's) that
    // become start..end of the object (channelMask). Negative expected frames: -1 about
    // the range's length, another its magnitude, the length not known.
    RecordingFile(AudioObject *object, int start, int end, unsigned channelMask, int expectedFrames, int channels,
                  uint32_t rate, String const &name);
    ~RecordingFile();
    RecordingFile(RecordingFile const &) = delete;
    RecordingFile &operator=(RecordingFile const &) = delete;

    // Appends frames: one float array per channel, or the device's interleaved bytes. 1;
    // 0 after a failed write (reported, the file is lost) or when the disk or the size
    // limit leaves no room for them (reported, what was written stays good).
    int WriteFloatBlock(float const *const *channels, unsigned frames);
    int WriteDeviceBlock(void const *data, unsigned frames);
    // ok 0 discards the audio. Otherwise it goes to the GUI thread with the markers (owned,
    // may be null): convert puts it into a new wave, replace makes an undoable insertion.
    // 1 when the handler took it, and for a recording that caught nothing (no wave then).
    int Finish(int ok, int replace, int convert, MarkerSet *markers);

    int HasError() const { return error_; }
    int GetAccessKind() const { return accessKind_; }
    int64_t GetBytesWritten() const { return bytesWritten_; }

private:
    // Both constructors end here: counters, the disk check, the kind, the files.
    void SetUp();
    int64_t EstimatedFrames() const;
    void OpenFiles(int64_t need);
    // Whether n more frames fit the disk and the size limit; tells the user when not.
    bool HasRoomFor(unsigned frames);
    // Puts frames frames of the input, from frame done on, into the file's bytes at to.
    typedef void (*Copier)(void const *input, unsigned done, unsigned frames, char *to, SamplePattern const &file);
    int Write(void const *input, unsigned frames, Copier copy);
    void BuildPeaks(char const *frames, unsigned count);
    void ReleaseObject();

    AudioObject *object_ = nullptr;
    int32_t holdsObject_ = 0;
    int32_t start_ = 0;
    int32_t end_ = 0;
    int32_t expected_ = 0;
    uint32_t channelMask_ = 0;
    int32_t formatChanged_ = 0;
    SamplePattern input_;
    SamplePattern filePattern_;
    String name_;
    int32_t error_ = 0;
    int32_t full_ = 0;
    int32_t fallbackKind_ = 0;
    std::unique_ptr<File> dataFile_;
    std::unique_ptr<File> peakFile_;
    std::unique_ptr<MappedFile> mapping_;
    int64_t bytesWritten_ = 0;
    int64_t peakBytes_ = 0;
    uint32_t peakStep_ = 0;
    int16_t peakHigh_[2] = {};
    int16_t peakLow_[2] = {};
    MultiFileBuffer dataBuffer_{1, 1, MultiFileBuffer::kWriting};
    MultiFileBuffer peakBuffer_{1, 1, MultiFileBuffer::kWriting};
    int32_t accessKind_ = 0;
};
