// A channel of a wave is a VirtualFile: an ordered list of segments, each a stretch of
// frames of one audio file or of silence. Edits splice segments in and out and never touch
// samples, so they cost time by the number of segments, never by the number of frames.
//
// After every operation the first segment starts at 0, each one starts after the end of
// the one before, and no two neighbours continue each other (they are merged). Positions
// below 0 count as 0.
#pragma once

#include "audio/FileSegment.h"
#include "foundation/Lists.h"

#include <cstdint>

class VirtualFile {
public:
    explicit VirtualFile(AFileSegmentFactory const &factory);
    // Same factory, cloned segments.
    VirtualFile(VirtualFile const &other);
    // Clones of the other's segments replace this file's.
    VirtualFile &operator=(VirtualFile const &other);
    virtual ~VirtualFile();

    AFileSegmentFactory const &GetFactory() const { return *factory_; }
    AFileSegment *GetFirst() const { return first_; }
    AFileSegment *GetLast() const { return last_; }
    int32_t GetSegmentCount() const { return count_; }
    int32_t GetLength() const { return last_ ? last_->end_ + 1 : 0; }

    // Exchanges the segments of the two files (of one factory); never fails.
    void SwapSegments(VirtualFile &other);
    // Takes the other's segments (operator=) and deletes it.
    void TakeFrom(VirtualFile *other);
    void Clear();
    // Same length and segments.
    bool IsEqual(VirtualFile const &other) const;
    // The first segment ending at or after position; null past the end.
    AFileSegment *FindSegment(int32_t position) const;
    // Calls f with each segment from the first and arg until it answers nonzero; that answer.
    int ForEachSegment(int (*f)(AFileSegment &, int), int arg) const;
    // A clone of model over other frames of its file, standing at 0. Copies of silence
    // used as padding are plain silence.
    AFileSegment *NewSegmentLike(AFileSegment const &model, int32_t offset, int32_t length) const;

    // Takes the segment over and puts it at position (silence fills up to a position past
    // the end). An empty segment is dropped.
    void InsertSegment(AFileSegment *segment, int32_t position);
    void InsertSilence(int32_t position, int32_t frames);
    void AppendSilence(int32_t frames);
    // Removes frames first..last (last past the end: to the end).
    void Remove(int32_t first, int32_t last);
    // A new file of frames first..last (up to the end at most); the segments share the files.
    VirtualFile *Copy(int32_t first, int32_t last) const;
    VirtualFile *Cut(int32_t first, int32_t last);
    // Frames first..last become silence (nothing is added to a file left empty).
    void Silence(int32_t first, int32_t last);
    // Takes the list's segments to position and deletes the list.
    void InsertWith(VirtualFile *list, int32_t position);
    void Insert(VirtualFile const &file, int32_t position);
    // The list's frames replace as many from position (takes and deletes the list).
    void OverwriteWith(VirtualFile *list, int32_t position);
    void Overwrite(VirtualFile const &file, int32_t position);
    // Frames first..last go over destination; silence is left where they were.
    void MoveOverwrite(int32_t first, int32_t last, int32_t destination);
    // Drops a last segment of padding silence (AppendPadding); 1 when one went.
    int DropTrailingSilence();
    // Silence that only evens the lengths of two channels (see EqualizeLengths).
    void AppendPadding(int32_t frames);
    // Places the segments one after the other from first.
    void Renumber(int32_t first);
    void MergeContinuations();

    // Appends clones of the other's segments where they stand (for a file still empty).
    void AppendClonesOf(VirtualFile const &other);

private:
    void Link(AFileSegment *segment, AFileSegment *before);
    void LinkAfter(AFileSegment *segment, AFileSegment *after);
    void Unlink(AFileSegment *segment);
    // Deletes the segments from first to last (inclusive, in order; none when first
    // follows last).
    void DeleteRun(AFileSegment *first, AFileSegment *last);
    // Silence up to position; the segment that then starts at position (null at the end),
    // splitting the one that holds it.
    AFileSegment *SplitAt(int32_t position);
    // Merges segment with its previous neighbour when that one continues into it.
    void MergeWithPrevious(AFileSegment *segment);
    // Refuses an edit that makes the file longer than a signed 32-bit frame count.
    void CheckRoom(int64_t newLength) const;

    AFileSegmentFactory const *factory_;
    AFileSegment *first_ = nullptr;
    AFileSegment *last_ = nullptr;
    int32_t count_ = 0;
};

// Evens the lengths of two channels: drops the padding each one ends with, then pads the
// shorter one. 1 when a length changed.
int EqualizeLengths(VirtualFile &a, VirtualFile &b);

// One channel of a wave, kept in an ElementList.
class VirtualWave : public VirtualFile, public ListElement {
public:
    explicit VirtualWave(AFileSegmentFactory const &factory) : VirtualFile(factory) {}
    VirtualWave(VirtualWave const &other) = default;
    VirtualWave &operator=(VirtualWave const &other) = default;

    // 0 when the two files are equal, else 1.
    int Compare(CollectionElement const &other, int mode) const override;
    CollectionElement *CreateClone(void const *arg) const override;

    // Kept and copied for the wave's users; the wave itself never reads them.
    int32_t tag_ = 0;
    float scale_ = 1.0f;
};

// The channel lists of a wave: channel 0 first.
class ElementList : public List<VirtualWave> {
public:
    ElementList() : List<VirtualWave>(1) {}
    ElementList(ElementList const &other) = default;
    ElementList &operator=(ElementList const &other) = default;

    int SumOfSegmentCounts() const;
    static bool AreEqual(ElementList const &a, ElementList const &b);
};
