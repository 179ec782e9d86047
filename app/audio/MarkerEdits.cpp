// Markers following the wave's edits. None of these validates: the edit does once it has
// put its samples in place. Positions saturate at the ends of 32 bits, so an edit near
// the limit cannot turn the order of the markers around.
#include "audio/MarkerSet.h"

#include <algorithm>
#include <climits>

namespace {

int32_t Moved(int32_t position, int64_t by) {
    return int32_t(std::min<int64_t>(std::max<int64_t>(position + by, INT32_MIN), INT32_MAX));
}

}  // namespace

void MarkerSet::ShiftAfter(int32_t position, int32_t count) {
    for (int i = UpperBound(position); i < GetCount(); ++i)
        markers_[i]->position_ = Moved(markers_[i]->position_, count);
}

void MarkerSet::DeleteRange(int32_t start, int32_t end) {
    if (end <= start)
        return;
    int first = UpperBound(start);
    markers_.erase(markers_.begin() + first, markers_.begin() + std::max(first, LowerBound(end)));
    for (int i = first; i < GetCount(); ++i)
        markers_[i]->position_ = Moved(markers_[i]->position_, -int64_t(end - start));
}

void MarkerSet::MoveRange(int32_t start, int32_t end, int32_t destination) {
    MarkerSet moved;
    int first = LowerBound(start), last = UpperBound(end);
    for (int i = first; i < last; ++i) {
        markers_[i]->position_ = Moved(markers_[i]->position_, int64_t(destination) - start);
        moved.markers_.push_back(std::move(markers_[i]));
    }
    markers_.erase(markers_.begin() + first, markers_.begin() + last);
    int64_t width = int64_t(end) - start;
    for (int i = first; i < GetCount(); ++i)
        markers_[i]->position_ = Moved(markers_[i]->position_, -width);
    for (int i = LowerBound(destination); i < GetCount(); ++i)
        markers_[i]->position_ = Moved(markers_[i]->position_, width);
    MergeFrom(moved);
}

void MarkerSet::StretchRange(int32_t start, int32_t end, int32_t newLength) {
    if (newLength == 0) {
        DeleteRange(start, end);
        return;
    }
    if (end < start)
        return;
    // A marker at start stays, even where the range was empty.
    int tail = std::max(LowerBound(end), UpperBound(start));
    if (end > start) {
        double factor = double(newLength) / (int64_t(end) - start);
        for (int i = UpperBound(start); i < tail; ++i)
            markers_[i]->position_ = Moved(start, int64_t((markers_[i]->position_ - int64_t(start)) * factor));
    }
    for (int i = tail; i < GetCount(); ++i)
        markers_[i]->position_ = Moved(markers_[i]->position_, int64_t(newLength) - (int64_t(end) - start));
}

void MarkerSet::MergeFrom(MarkerSet &other) {
    for (Owned &m : other.markers_)
        InsertSorted(m.release());
    other.markers_.clear();
}
