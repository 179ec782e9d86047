#include "audio/FileSegment.h"

#include "audio/AudioFile.h"

bool AFileSegment::IsEqual(AFileSegment const &other) const {
    return length_ == other.length_ && fileElement_ == other.fileElement_ && offset_ == other.offset_;
}

bool AFileSegment::IsContinuation(AFileSegment const &other) const {
    return fileElement_ == other.fileElement_ && (!fileElement_ || offset_ + length_ == other.offset_);
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

AudioFile *AudioFileSegment::GetAudioFile() const { return static_cast<AudioFile *>(fileElement_); }

bool AudioFileSegment::IsEqual(AFileSegment const &other) const {
    return AFileSegment::IsEqual(other) && channel_ == ChannelOf(other);
}

bool AudioFileSegment::IsContinuation(AFileSegment const &other) const {
    return AFileSegment::IsContinuation(other) && channel_ == ChannelOf(other);
}
