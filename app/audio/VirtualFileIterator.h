// The iterator that walks one channel's edit list (a VirtualFile) segment by segment and
// reaches each sample through a pointer into a MultiFileBuffer window that the segment's
// audio file prepares. The part of the current segment inside the range and the window is
// the clip. The sample converters read and write through its fields; silent segments have
// no data pointer, and neither has an iterator that left its range, so reading there gives
// silence.
#pragma once

#include "foundation/MultiFileBuffer.h"

#include <cstdint>

class AFileSegment;
class VirtualFile;

class VirtualFileIterator {
public:
    // Fields set by hand (the converters' single-sample paths).
    VirtualFileIterator() = default;
    // Over frames first..last of the file (first below 0: from 0; last below 0: to the end),
    // standing on the first.
    VirtualFileIterator(MultiFileBuffer &buffer, int bufferChannel, VirtualFile &file, int first, int last,
                        int sampleWidth = 0, int fileFrameOffset = 0, uint32_t registrationFlag = 0);
    virtual ~VirtualFileIterator() {}

    virtual void Init(MultiFileBuffer &buffer, int bufferChannel, VirtualFile &file, int first, int last,
                      int sampleWidth = 0, int fileFrameOffset = 0);

    // 1 when the iterator then stands on the first frame.
    int SetRange(int first, int last);
    // Moves to an absolute frame; 0 (not valid) outside the range.
    int Seek(int position);
    int SeekForward(int position, AFileSegment *from);
    // backward: the buffer window ends at the frame, for walking towards the start.
    int SeekBackward(int position, AFileSegment *from, int backward);
    void AttachSegment(AFileSegment *segment, int position, int backward);
    // Moves n frames (backwards when negative); 0 once outside the range.
    int Advance(int n);

    // The virtual position of the current frame, whose sample lies stride x offset_ samples
    // past channelData_.
    int GetPosition() const { return clipStart_ + offset_; }
    bool IsValid() const { return valid_ != 0; }

    AFileSegment *segment_ = nullptr;  // the current segment
    char *clipData_ = nullptr;         // the buffer at the clip's first frame; null on silence
    char *channelData_ = nullptr;      // the segment's channel at the clip start; null on silence
    int32_t sampleFormat_ = -1;        // the file's format flags word; -1 on silence
    int32_t fileChannels_ = 0;         // samples per frame in the file: the stride
    int32_t clipStart_ = 0;            // virtual positions of the part of the segment in range
    int32_t clipEnd_ = -1;
    int32_t clipLastOffset_ = -1;  // clip end - clip start
    int32_t offset_ = 0;           // of the current frame from the clip start
    MultiFileBuffer *buffer_ = nullptr;
    int32_t sampleWidth_ = 0;        // bytes per sample to register; 0: the file's own
    uint32_t registrationFlag_ = 0;  // handed to the buffer registration unchanged
    int32_t fileFrameOffset_ = 0;    // frames left out at the file's start
    int32_t bufferChannel_ = 0;      // the buffer's part used by this iterator
    int32_t rangeStart_ = 0;         // the frames the iterator may visit
    int32_t rangeEnd_ = -1;
    int32_t valid_ = 0;                   // 1 while standing on a frame of the range
    VirtualFile *virtualFile_ = nullptr;  // walked, not owned

private:
    // Off the range: no frame, no data.
    int Invalidate();
    void ClearClip();
};

// Reading routines take this one.
class WaveInIterator : public VirtualFileIterator {
public:
    using VirtualFileIterator::VirtualFileIterator;
};

// Writing routines take this one (over a FileWriteBuffer); meeting silence raises, since
// nothing could hold the samples written there.
class WaveOutIterator : public VirtualFileIterator {
public:
    using VirtualFileIterator::VirtualFileIterator;
};

// A reader of float columns for the playback and the audio engine.
class ExWaveInIterator : public WaveInIterator {
public:
    using WaveInIterator::WaveInIterator;

    // Converts up to n frames from the current one into column outputIndex_ of columns, from
    // index column on; the frames converted (fewer when the range ends).
    int ReadFloats(float *const *columns, int column, int n);

    int32_t outputIndex_ = 0;
};

// Buffers for n channels: three windows a channel for reading, one for writing.
class FileReadBuffer : public MultiFileBuffer {
public:
    explicit FileReadBuffer(int channels) : MultiFileBuffer(channels, 3 * channels, kReading) {}
};

class FileWriteBuffer : public MultiFileBuffer {
public:
    explicit FileWriteBuffer(int channels) : MultiFileBuffer(channels, channels, kWriting) {}
};
