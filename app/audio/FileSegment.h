// A stretch of a channel's edit list: frames of one audio file, or silence that no file
// backs. An AudioFileSegment counts a use of its file, so the file lives as long as any
// edit list, undo step or clipboard refers to it. A segment factory makes the segments and
// the virtual files of one kind.
#pragma once

#include <cstddef>
#include <cstdint>

class AudioFile;
class MPhysicalFileElement;
class NH_Heap;
class VirtualFile;

class AFileSegment {
public:
    // offset and length within the file; the stretch stands at 0 until placed.
    AFileSegment(MPhysicalFileElement *element, int32_t offset, int32_t length)
        : fileElement_(element), offset_(offset), length_(length), start_(0), end_(length - 1) {}
    // Fields copied, links cleared.
    AFileSegment(AFileSegment const &other)
        : fileElement_(other.fileElement_), offset_(other.offset_), length_(other.length_), start_(other.start_),
          end_(other.end_), padding_(other.padding_) {}
    AFileSegment &operator=(AFileSegment const &) = delete;

    // Same length, file and offset (positions not compared); silence is padding or not on both.
    virtual bool IsEqual(AFileSegment const &other) const;
    // other continues this stretch in the same file, or both are silence of one kind
    // (padding and an edit's silence stay apart, so that the padding alone can go again).
    virtual bool IsContinuation(AFileSegment const &other) const;
    virtual ~AFileSegment() {}
    // The channel of the file that the stretch reads.
    virtual int32_t GetFileChannel() const { return 0; }

    bool IsSilent() const { return !fileElement_; }
    // Keeps the last n frames (the end stays) or the first n (the start stays). Silence keeps
    // offset 0, so that equal silences compare equal.
    void KeepLast(int32_t n);
    void KeepFirst(int32_t n);

    MPhysicalFileElement *fileElement_;  // null: silence
    int32_t offset_;                     // first frame in the file's samples
    int32_t length_;
    int32_t start_;  // first and last frame in the virtual file
    int32_t end_;
    // Silence that only evens the lengths of a wave's two channels; it goes again when the
    // lengths change (EqualizeLengths).
    bool padding_ = false;
    AFileSegment *next_ = nullptr;
    AFileSegment *previous_ = nullptr;
};

class AudioFileSegment : public AFileSegment {
public:
    AudioFileSegment(AudioFile *file, int32_t offset, int32_t length, int32_t channel);
    AudioFileSegment(AudioFileSegment const &other);
    ~AudioFileSegment() override;

    // Segments live in their own heap, in blocks of this class's size.
    static void *operator new(std::size_t size);
    static void operator delete(void *block);
    static NH_Heap &GetHeap();
    // Segments that exist now, in every list.
    static long CountLive();

    bool IsEqual(AFileSegment const &other) const override;
    bool IsContinuation(AFileSegment const &other) const override;
    int32_t GetFileChannel() const override { return channel_; }

    AudioFile *GetAudioFile() const;

    int32_t channel_;  // within the file: 0 first, 1 second
};

class AFileSegmentFactory {
public:
    virtual ~AFileSegmentFactory() {}

    // A new virtual file of this factory holding clones of the argument's segments.
    virtual VirtualFile *CopyFile(VirtualFile const &file) const = 0;
    // A silent segment of frames frames standing at 0.
    virtual AFileSegment *NewSilence(int32_t frames) const = 0;
    // A segment equal to the argument, unlinked.
    virtual AFileSegment *Clone(AFileSegment const &segment) const = 0;
};

class AudioFileSegmentFactory : public AFileSegmentFactory {
public:
    VirtualFile *CopyFile(VirtualFile const &file) const override;
    AFileSegment *NewSilence(int32_t frames) const override;
    AFileSegment *Clone(AFileSegment const &segment) const override;
};

// The one factory of the program's audio file segments.
AudioFileSegmentFactory const &TheSegmentFactory();
