#include "waveview/PeakColumns.h"

#include "audio/AudioFile.h"
#include "audio/FileSegment.h"
#include "audio/SampleConversion.h"
#include "audio/VirtualFile.h"

#include <algorithm>

namespace {

enum { kBlockFrames = 128, kSpreadReads = 64, kReadStep = 4 };

AudioFile &FileOf(AFileSegment const &segment) { return *static_cast<AudioFile *>(segment.fileElement_); }

}  // namespace

PeakColumnReader::PeakColumnReader(MultiFileBuffer &buffer, int channel, VirtualFile &list, int first, int last)
    : it_(buffer, channel, list, first, std::max(first, std::min(last, list.GetLength() - 1))), list_(list),
      length_(list.GetLength()) {}

PeakEntry PeakColumnReader::Sample(int frame) {
    if (frame >= length_ || !it_.Seek(frame))
        return {0, 0};
    return {int16_t(ReadSampleValue(it_)), 0};
}

PeakEntry PeakColumnReader::ReduceColumn(int start, int frames) {
    high_ = low_ = 0;
    int last = int(std::min<int64_t>(int64_t(start) + frames - 1, int64_t(length_) - 1));
    for (int first = start; first <= last;) {
        AFileSegment *segment = SegmentAt(first);
        if (!segment)
            break;
        int end = std::min(last, segment->end_);
        if (!segment->IsSilent())
            ReducePiece(*segment, first, end, start, frames);
        first = end + 1;
    }
    return {int16_t(high_), int16_t(low_)};
}

// Columns come in ascending order: the search goes on from the segment of the last one.
AFileSegment *PeakColumnReader::SegmentAt(int frame) {
    if (!segment_ || segment_->start_ > frame)
        segment_ = list_.FindSegment(frame);
    while (segment_ && segment_->end_ < frame)
        segment_ = segment_->next_;
    return segment_;
}

void PeakColumnReader::ReducePiece(AFileSegment const &segment, int first, int last, int start, int frames) {
    AudioFile const &file = FileOf(segment);
    bool longFile = file.GetLength() >= kPeakFileMinFrames;
    if (frames >= kBlockFrames && longFile && file.GetPeakData()) {
        TakeEvery(TakePeakBytes(segment, file, first, last), last);
    } else if (frames < kBlockFrames || !longFile) {
        TakeEvery(first, last);
    } else {
        TakeSpread(first, last, start, frames);
    }
}

int PeakColumnReader::TakePeakBytes(AFileSegment const &segment, AudioFile const &file, int first, int last) {
    int64_t fileFirst = int64_t(segment.offset_) + (first - segment.start_);
    int64_t fileLast = fileFirst + (last - first);
    int64_t blocks = file.GetPeakEntries();
    int channels = file.GetNumChannels();
    uint8_t const *bytes = file.GetPeakData() + segment.GetFileChannel();
    int peak = -1;
    for (int64_t block = fileFirst / kBlockFrames; block <= std::min(fileLast / kBlockFrames, blocks - 1); ++block)
        peak = std::max(peak, int(bytes[block * channels]));
    if (peak >= 0) {
        Take(peak * kBlockFrames);
        Take(-peak * kBlockFrames);
    }
    int64_t uncovered = std::max(fileFirst, blocks * kBlockFrames);
    return int(std::min<int64_t>(first + (uncovered - fileFirst), int64_t(last) + 1));
}

// Clip by clip: within a clip the samples lie at fixed steps from its data pointer.
void PeakColumnReader::TakeEvery(int first, int last) {
    for (int frame = first; frame <= last;) {
        if (!it_.Seek(frame))
            return;
        int count = std::min(last - frame, it_.clipLastOffset_ - it_.offset_) + 1;
        for (int k = 0; k < count; ++k, ++it_.offset_)
            Take(ReadSampleValue(it_));
        frame += count;
    }
}

// The column's reads fall every frames / reads frames from its start; a piece takes those
// that lie in it.
void PeakColumnReader::TakeSpread(int first, int last, int start, int frames) {
    int reads = std::min(frames / kReadStep, int(kSpreadReads));
    for (int k = 0; k < reads; ++k) {
        int frame = int(start + int64_t(k) * frames / reads);
        if (frame > last)
            return;
        if (frame >= first && it_.Seek(frame))
            Take(ReadSampleValue(it_));
    }
}

void PeakColumnReader::Take(int value) {
    high_ = std::max(high_, value);
    low_ = std::min(low_, value);
}

void CollectFilesWantingPeaks(VirtualFile const &list, int first, int last, std::vector<AudioFile *> &files) {
    for (AFileSegment *s = list.FindSegment(first); s && s->start_ <= last; s = s->next_) {
        if (s->IsSilent())
            continue;
        AudioFile &file = FileOf(*s);
        if (file.GetLength() >= kPeakFileMinFrames && !file.GetPeakData() && file.WantsPeakFile() &&
            std::find(files.begin(), files.end(), &file) == files.end())
            files.push_back(&file);
    }
}
