// A stretch of a channel's edit list: frames of one audio file, or silence that no file
// backs. An AudioFileSegment counts a use of its file, so the file lives as long as any
// edit list, undo step or clipboard refers to it.
#pragma once

#include <cstdint>

class AudioFile;
class MPhysicalFileElement;

class AFileSegment {
public:
    // offset and length within the file; the stretch stands at 0 until placed.
    AFileSegment(MPhysicalFileElement *element, int32_t offset, int32_t length)
        : fileElement_(element), offset_(offset), length_(length), start_(0), end_(length - 1) {}
    AFileSegment(AFileSegment const &other)
        : fileElement_(other.fileElement_), offset_(other.offset_), length_(other.length_), start_(other.start_),
          end_(other.end_) {}
    AFileSegment &operator=(AFileSegment const &) = delete;
    virtual ~AFileSegment() {}

    // Same length, file and offset (positions not compared).
    virtual bool IsEqual(AFileSegment const &other) const;
    // other continues this stretch in the same file (or both are silent).
    virtual bool IsContinuation(AFileSegment const &other) const;

    MPhysicalFileElement *fileElement_;  // null: silence
    int32_t offset_;                     // first frame in the file's samples
    int32_t length_;
    int32_t start_;  // first and last frame in the virtual file
    int32_t end_;
    AFileSegment *next_ = nullptr;
    AFileSegment *previous_ = nullptr;
};

class AudioFileSegment : public AFileSegment {
public:
    AudioFileSegment(AudioFile *file, int32_t offset, int32_t length, int32_t channel);
    AudioFileSegment(AudioFileSegment const &other);
    ~AudioFileSegment() override;

    bool IsEqual(AFileSegment const &other) const override;
    bool IsContinuation(AFileSegment const &other) const override;

    AudioFile *GetAudioFile() const;

    int32_t channel_;  // within the file: 0 first, 1 second
};
