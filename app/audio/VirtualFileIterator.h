// The iterator that walks one channel's edit list (a VirtualFile) segment by segment and
// reaches each sample through a pointer into a MultiFileBuffer window that the segment's
// audio file prepares. The sample converters read and write through its fields; silent
// segments have no data pointer.
#pragma once

#include <cstdint>

class AFileSegment;
class MultiFileBuffer;
class VirtualFile;

class VirtualFileIterator {
public:
    virtual ~VirtualFileIterator() {}

    // The virtual position of the current frame, whose sample lies stride x offset_ samples
    // past channelData_.
    int GetPosition() const { return clipStart_ + offset_; }

    AFileSegment *segment_ = nullptr;  // the current segment
    char *clipData_ = nullptr;         // the buffer at the clip's first frame; null on silence
    char *channelData_ = nullptr;      // the segment's channel at the clip start; null on silence
    int32_t sampleFormat_ = -1;        // the file's format flags word; -1 on silence
    int32_t fileChannels_ = 0;         // samples per frame in the file: the stride
    int32_t clipStart_ = 0;            // virtual positions of the part of the segment in range
    int32_t clipEnd_ = -1;
    int32_t clipLastOffset_ = -1;      // clip end - clip start
    int32_t offset_ = 0;               // of the current frame from the clip start
    MultiFileBuffer *buffer_ = nullptr;
    int32_t sampleWidth_ = 0;          // bytes per sample to register; 0: the file's own
    uint32_t registrationFlag_ = 0;    // handed to the buffer registration unchanged
    int32_t fileFrameOffset_ = 0;      // frames left out at the file's start
    int32_t bufferChannel_ = 0;        // the buffer's part used by this iterator
    int32_t rangeStart_ = 0;           // the frames the iterator may visit
    int32_t rangeEnd_ = -1;
    int32_t valid_ = 0;                // 1 while standing on a frame of the range
    VirtualFile *virtualFile_ = nullptr;  // walked, not owned
};
