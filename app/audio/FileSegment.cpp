#include "audio/FileSegment.h"

#include "audio/AudioFile.h"
#include "audio/VirtualFile.h"
#include "malvane/Malvane.h"

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

int32_t ChannelOf(AFileSegment const &segment) {
    AudioFileSegment const *audio = dynamic_cast<AudioFileSegment const *>(&segment);
    return audio ? audio->channel_ : 0;
}

}  // namespace

AudioFileSegment::AudioFileSegment(AudioFile *file, int32_t offset, int32_t length, int32_t channel)
    : AFileSegment(file, offset, length), channel_(channel) {
    if (file)
        file->AddUse();
}

AudioFileSegment::AudioFileSegment(AudioFileSegment const &other) : AFileSegment(other), channel_(other.channel_) {
    if (AudioFile *file = GetAudioFile())
        file->AddUse();
}

AudioFileSegment::~AudioFileSegment() {
    if (AudioFile *file = GetAudioFile())
        file->ReleaseUse();
}

// Made on first use. Segments that statics still hold when it is destroyed stay valid: a
// heap with blocks left goes only when its last block is freed.
NH_Heap &AudioFileSegment::GetHeap() {
    static NH_Heap heap(1, "VirtualFileHeap");
    return heap;
}

void *AudioFileSegment::operator new(std::size_t size) { return GetHeap().Alloc(static_cast<unsigned long>(size)); }

void AudioFileSegment::operator delete(void *block) { NH_Heap::FreeMem(block); }

AudioFile *AudioFileSegment::GetAudioFile() const { return static_cast<AudioFile *>(fileElement_); }

bool AudioFileSegment::IsEqual(AFileSegment const &other) const {
    return AFileSegment::IsEqual(other) && channel_ == ChannelOf(other);
}

bool AudioFileSegment::IsContinuation(AFileSegment const &other) const {
    return AFileSegment::IsContinuation(other) && channel_ == ChannelOf(other);
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
