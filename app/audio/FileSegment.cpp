#include "audio/FileSegment.h"

#include "audio/AudioFile.h"
#include "audio/VirtualFile.h"
#include "foundation/CriticalSection.h"
#include "malvane/Malvane.h"

#include <atomic>

bool AFileSegment::IsEqual(AFileSegment const &other) const {
    return length_ == other.length_ && fileElement_ == other.fileElement_ && offset_ == other.offset_ &&
           padding_ == other.padding_;
}

bool AFileSegment::IsContinuation(AFileSegment const &other) const {
    if (fileElement_ != other.fileElement_)
        return false;
    return fileElement_ ? offset_ + length_ == other.offset_ : padding_ == other.padding_;
}

void AFileSegment::KeepLast(int32_t n) {
    int32_t dropped = length_ - n;
    if (fileElement_)
        offset_ += dropped;
    start_ += dropped;
    length_ = n;
}

void AFileSegment::KeepFirst(int32_t n) {
    length_ = n;
    end_ = start_ + n - 1;
}

// ---- AudioFileSegment

namespace {

// The segment blocks: taken from the heap a slab at a time, and kept for the next segments
// when freed. An edit of a long list copies it for its undo step, and a block at hand costs
// far less than one from the heap.
class SegmentBlocks {
public:
    void *Take(std::size_t size) {
        AutoCriticalSection hold(lock_);
        if (!first_)
            AddSlab(size);
        Block *block = first_;
        first_ = block->next;
        return block;
    }

    void Keep(void *memory) {
        AutoCriticalSection hold(lock_);
        Block *block = static_cast<Block *>(memory);
        block->next = first_;
        first_ = block;
    }

private:
    struct Block {
        Block *next;
    };
    enum { kSlab = 512 };

    void AddSlab(std::size_t size) {
        char *slab = static_cast<char *>(AudioFileSegment::GetHeap().Alloc(static_cast<unsigned long>(size * kSlab)));
        for (int i = kSlab - 1; i >= 0; --i) {
            Block *block = reinterpret_cast<Block *>(slab + size_t(i) * size);
            block->next = first_;
            first_ = block;
        }
    }

    CriticalSection lock_;
    Block *first_ = nullptr;
};

SegmentBlocks &TheSegmentBlocks() {
    static SegmentBlocks blocks;
    return blocks;
}

std::atomic<long> liveSegments{0};

}  // namespace

AudioFileSegment::AudioFileSegment(AudioFile *file, int32_t offset, int32_t length, int32_t channel)
    : AFileSegment(file, offset, length), channel_(channel) {
    ++liveSegments;
    if (file)
        file->AddUse();
}

AudioFileSegment::AudioFileSegment(AudioFileSegment const &other) : AFileSegment(other), channel_(other.channel_) {
    ++liveSegments;
    if (AudioFile *file = GetAudioFile())
        file->AddUse();
}

AudioFileSegment::~AudioFileSegment() {
    --liveSegments;
    if (AudioFile *file = GetAudioFile())
        file->ReleaseUse();
}

// Made on first use. Segments that statics still hold when it is destroyed stay valid: a
// heap with blocks left goes only when its last block is freed.
NH_Heap &AudioFileSegment::GetHeap() {
    static NH_Heap heap(1, "VirtualFileHeap");
    return heap;
}

// Every block has the size of this class: derived classes bring their own allocation.
void *AudioFileSegment::operator new(std::size_t size) { return TheSegmentBlocks().Take(size); }

void AudioFileSegment::operator delete(void *block) {
    if (block)
        TheSegmentBlocks().Keep(block);
}

long AudioFileSegment::CountLive() { return liveSegments; }

AudioFile *AudioFileSegment::GetAudioFile() const { return static_cast<AudioFile *>(fileElement_); }

bool AudioFileSegment::IsEqual(AFileSegment const &other) const {
    return AFileSegment::IsEqual(other) && channel_ == other.GetFileChannel();
}

bool AudioFileSegment::IsContinuation(AFileSegment const &other) const {
    return AFileSegment::IsContinuation(other) && channel_ == other.GetFileChannel();
}

// ---- the factory

VirtualFile *AudioFileSegmentFactory::CopyFile(VirtualFile const &file) const {
    VirtualFile *copy = new VirtualFile(*this);
    try {
        copy->AppendClonesOf(file);
    } catch (...) {
        delete copy;
        throw;
    }
    return copy;
}

AFileSegment *AudioFileSegmentFactory::NewSilence(int32_t frames) const {
    return new AudioFileSegment(nullptr, 0, frames, 0);
}

AFileSegment *AudioFileSegmentFactory::Clone(AFileSegment const &segment) const {
    return new AudioFileSegment(static_cast<AudioFileSegment const &>(segment));
}

AudioFileSegmentFactory const &TheSegmentFactory() {
    static AudioFileSegmentFactory factory;
    return factory;
}
