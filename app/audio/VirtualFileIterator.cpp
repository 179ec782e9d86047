#include "audio/VirtualFileIterator.h"

#include "audio/AudioFile.h"
#include "audio/SampleConversion.h"
#include "audio/VirtualFile.h"
#include "foundation/Exception.h"
#include "foundation/MessageCatalogue.h"

#include <algorithm>

namespace {

enum { kTextWritingIntoSilence = 10061 };

}  // namespace

VirtualFileIterator::VirtualFileIterator(MultiFileBuffer &buffer, int bufferChannel, VirtualFile &file, int first,
                                         int last, int sampleWidth, int fileFrameOffset, uint32_t registrationFlag)
    : registrationFlag_(registrationFlag) {
    Init(buffer, bufferChannel, file, first, last, sampleWidth, fileFrameOffset);
}

void VirtualFileIterator::Init(MultiFileBuffer &buffer, int bufferChannel, VirtualFile &file, int first, int last,
                               int sampleWidth, int fileFrameOffset) {
    buffer_ = &buffer;
    bufferChannel_ = bufferChannel;
    virtualFile_ = &file;
    sampleWidth_ = sampleWidth;
    fileFrameOffset_ = fileFrameOffset;
    segment_ = nullptr;
    offset_ = 0;
    Invalidate();
    SetRange(first, last);
}

void VirtualFileIterator::ClearClip() {
    clipData_ = channelData_ = nullptr;
    sampleFormat_ = -1;
}

int VirtualFileIterator::Invalidate() {
    valid_ = 0;
    ClearClip();
    return 0;
}

int VirtualFileIterator::SetRange(int first, int last) {
    Invalidate();
    if (!virtualFile_ || !virtualFile_->GetFirst()) {
        rangeStart_ = rangeEnd_ = -1;
        return 0;
    }
    rangeStart_ = std::max(first, 0);
    rangeEnd_ = last < 0 ? virtualFile_->GetLength() - 1 : last;
    return SeekForward(rangeStart_, virtualFile_->GetFirst());
}

int VirtualFileIterator::Seek(int position) {
    if (!valid_)
        return SeekForward(position, virtualFile_ ? virtualFile_->GetFirst() : nullptr);
    if (position < clipStart_)
        return SeekBackward(position, segment_, 0);
    if (position <= clipEnd_) {
        offset_ = position - clipStart_;
        return 1;
    }
    return SeekForward(position, segment_);
}

int VirtualFileIterator::SeekForward(int position, AFileSegment *from) {
    if (position < rangeStart_ || position > rangeEnd_)
        return Invalidate();
    AFileSegment *s = from;
    while (s && s->end_ < position)
        s = s->next_;
    if (!s)
        return Invalidate();
    AttachSegment(s, position, 0);
    valid_ = 1;
    return 1;
}

int VirtualFileIterator::SeekBackward(int position, AFileSegment *from, int backward) {
    if (position < rangeStart_ || position > rangeEnd_)
        return Invalidate();
    AFileSegment *s = from;
    while (s && s->start_ > position)
        s = s->previous_;
    if (!s)
        return Invalidate();
    AttachSegment(s, position, backward);
    valid_ = 1;
    return 1;
}

void VirtualFileIterator::AttachSegment(AFileSegment *segment, int position, int backward) {
    segment_ = segment;
    clipStart_ = std::max(rangeStart_, segment->start_);
    clipEnd_ = std::min(segment->end_, rangeEnd_);
    clipLastOffset_ = clipEnd_ - clipStart_;
    offset_ = position - clipStart_;
    if (segment->fileElement_) {
        segment->fileElement_->PrepareBuffer(*this, sampleWidth_, backward);
        return;
    }
    ClearClip();
    if (buffer_ && buffer_->IsWriting()) {
        Invalidate();
        throw Exception(String(FindString(kTextWritingIntoSilence)));
    }
}

int VirtualFileIterator::Advance(int n) {
    if (!segment_)
        return Invalidate();
    offset_ += n;
    if (offset_ >= 0 && offset_ <= clipLastOffset_)
        return valid_;
    int position = clipStart_ + offset_;
    return offset_ < 0 ? SeekBackward(position, segment_, 1) : SeekForward(position, segment_);
}

int ExWaveInIterator::ReadFloats(float *const *columns, int column, int n) {
    int total = 0;
    while (n > 0 && valid_) {
        int count = std::min(n, clipLastOffset_ - offset_ + 1);
        DeinterleaveToFloat(channelData_, offset_, fileChannels_, 0, count, columns, column, outputIndex_,
                            uint32_t(sampleFormat_));
        offset_ += count;
        total += count;
        column += count;
        n -= count;
        if (n > 0 && !SeekForward(clipStart_ + offset_, segment_))
            break;
    }
    return total;
}
