// The rules of a marker set, enforced in order: markers inside the wave, one marker of a
// kind at a position, CD tracks paired and at least a CD frame long, track ends and index
// points on CD frames, then the automatic names.
#include "audio/MarkerSet.h"

#include "foundation/MessageCatalogue.h"

#include <algorithm>
#include <cstdio>

namespace {

enum { kTextMarker = 11027, kTextTrack = 11324 };

enum { kCdFrame = Marker::kCdFrame };

// Two markers at one position: whether the later one goes (the earlier may take its part).
bool LaterGoes(Marker &earlier, Marker const &later) {
    int a = earlier.type_, b = later.type_;
    if (a == b)
        return true;
    if ((a == Marker::kTrackStart && b == Marker::kTrackEnd) || (a == Marker::kTrackEnd && b == Marker::kTrackStart)) {
        earlier.type_ = Marker::kTrackSplice;
        return true;
    }
    if ((a == Marker::kRangeStart && b == Marker::kRangeEnd) || (a == Marker::kRangeEnd && b == Marker::kRangeStart)) {
        earlier.type_ = Marker::kRangeSplice;
        return true;
    }
    if ((a == Marker::kTrackSplice || a == Marker::kIndex) && later.IsCdMarker())
        return true;
    return a == Marker::kRangeSplice && later.IsRangeMarker();
}

String TrackName(String const &track, int number) {
    char buffer[300];
    std::snprintf(buffer, sizeof buffer, "%s %d", track.c_str(), number);
    return String(buffer);
}

String IndexName(int track, int index) {
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "i %d.%d", track, index);
    return String(buffer);
}

}  // namespace

int MarkerSet::Validate(int repair, int rename) {
    int32_t length = GetWaveLength();
    if (length == 0) {
        bool any = !markers_.empty();
        markers_.clear();
        return any;
    }
    int changed = KeepInsideWave(length);
    changed |= MergeSamePositions();
    changed |= PairTracks(repair);
    changed |= CloseLastTrack(repair, length);
    changed |= AlignTrackEnds(length);
    changed |= AlignIndexMarkers();
    if (rename)
        changed |= NameMarkers();
    return changed;
}

int MarkerSet::KeepInsideWave(int32_t length) {
    int changed = 0;
    for (Owned &m : markers_) {
        int32_t inside = std::min(std::max(m->position_, 0), length);
        changed |= inside != m->position_;
        m->position_ = inside;
    }
    // Nothing can start at the end; what would start and end there only ends.
    for (int i = LowerBound(length); i < GetCount();) {
        Marker &m = *markers_[i];
        if (m.type_ == Marker::kTrackStart || m.type_ == Marker::kRangeStart) {
            Erase(i);
            changed = 1;
            continue;
        }
        if (m.type_ == Marker::kTrackSplice || m.type_ == Marker::kRangeSplice) {
            m.type_ = m.type_ == Marker::kTrackSplice ? Marker::kTrackEnd : Marker::kRangeEnd;
            changed = 1;
        }
        ++i;
    }
    return changed;
}

// Every marker is held against each earlier one at its position, not only its neighbour,
// so that a plain marker between two others cannot keep them apart.
int MarkerSet::MergeSamePositions() {
    int changed = 0;
    for (int j = 1; j < GetCount();) {
        bool goes = false;
        for (int i = LowerBound(markers_[j]->position_); i < j && !goes; ++i)
            goes = LaterGoes(*markers_[i], *markers_[j]);
        if (goes) {
            Erase(j);
            changed = 1;
        } else {
            ++j;
        }
    }
    return changed;
}

int MarkerSet::PreviousTrackMarker(int index) const {
    for (int i = std::min(index, GetCount()) - 1; i >= 0; --i)
        if (markers_[i]->IsTrackMarker())
            return i;
    return -1;
}

// After a change the scan goes back only to the track marker before the one it changed:
// everything before that stands as it did.
int MarkerSet::PairTracks(int repair) {
    int changed = 0;
    for (int k = 0; k < GetCount();) {
        if (!markers_[k]->IsTrackMarker()) {
            ++k;
            continue;
        }
        int last = PreviousTrackMarker(k);
        if (!PairOne(k, last, repair)) {
            ++k;
            continue;
        }
        changed = 1;
        k = last >= 0 ? std::max(0, PreviousTrackMarker(last)) : 0;
    }
    return changed;
}

// Marker k against the track marker before it (last, -1 for none): 0 when it stands,
// 1 when something changed.
int MarkerSet::PairOne(int k, int last, int repair) {
    Marker &m = *markers_[k];
    Marker *l = last >= 0 ? markers_[last].get() : nullptr;
    if (m.type_ == Marker::kTrackStart) {
        if (!l || !l->OpensTrack())
            return 0;
        if (repair)
            m.type_ = Marker::kTrackSplice;
        else if (l->type_ == Marker::kTrackSplice)
            m.type_ = Marker::kTrackEnd;
        else
            Erase(last);
        return 1;
    }
    if (!l) {
        if (repair && m.position_ >= 1)
            InsertSorted(new Marker(String(), 0, Marker::kTrackStart, Marker::kAutoName));
        else if (m.type_ == Marker::kTrackEnd)
            Erase(k);
        else
            m.type_ = Marker::kTrackStart;
        return 1;
    }
    if (l->type_ == Marker::kTrackEnd) {
        if (repair)
            l->type_ = Marker::kTrackSplice;
        else if (m.type_ == Marker::kTrackEnd)
            Erase(k);
        else
            m.type_ = Marker::kTrackStart;
        return 1;
    }
    if (int64_t(m.position_) - l->position_ >= kCdFrame)
        return 0;
    Erase(k);
    return 1;
}

// The last track marker may leave a track open: it is closed at the wave's end when that
// is far enough away, else given up. A splice there always keeps the track before it.
int MarkerSet::CloseLastTrack(int repair, int32_t length) {
    int last = PreviousTrackMarker(GetCount());
    if (last < 0 || markers_[last]->type_ == Marker::kTrackEnd)
        return 0;
    Marker &l = *markers_[last];
    if (repair && int64_t(length) - l.position_ >= kCdFrame)
        InsertSorted(new Marker(l.name_, length, Marker::kTrackEnd, l.flags_ & Marker::kStoredFlags));
    else if (l.type_ == Marker::kTrackSplice)
        l.type_ = Marker::kTrackEnd;
    else
        Erase(last);
    return 1;
}

// An end that asks for it is moved to make its track whole CD frames long: up, or down
// where up would pass the wave's end or the next marker; never past the marker before it.
int MarkerSet::AlignTrackEnds(int32_t length) {
    int changed = 0;
    for (int s = 0, e; NextTrack(s, e); s = e) {
        Marker &end = *markers_[e];
        if (!(end.flags_ & Marker::kEndOnCdFrame))
            continue;
        int64_t start = markers_[s]->position_;
        int64_t span = end.position_ - start;
        int64_t up = start + (span + kCdFrame - 1) / kCdFrame * kCdFrame;
        int64_t down = start + span / kCdFrame * kCdFrame;
        Marker const *next = GetMarker(e + 1);
        int64_t to = end.position_;
        if (up <= length && (!next || up <= next->position_))
            to = up;
        else if (down > start && down >= markers_[e - 1]->position_)
            to = down;
        changed |= to != end.position_;
        end.position_ = int32_t(to);
    }
    return changed;
}

// Index points move down onto the CD frames of their track. One that lands on the track's
// start or on the index before it goes, as does the last one when it lies within a CD
// frame of the track's end, and every index outside a track. A moved index is put back in
// order among the markers it passed.
int MarkerSet::AlignIndexMarkers() {
    std::vector<Owned> kept;
    kept.reserve(markers_.size());
    int changed = 0;
    Marker const *open = nullptr;
    Marker const *lastIndex = nullptr;
    for (Owned &owned : markers_) {
        Marker &m = *owned;
        if (m.type_ == Marker::kIndex) {
            int32_t snapped = open ? open->position_ + (m.position_ - open->position_) / kCdFrame * kCdFrame : 0;
            if (!open || snapped == open->position_ || (lastIndex && snapped == lastIndex->position_)) {
                changed = 1;
                continue;
            }
            changed |= snapped != m.position_;
            m.position_ = snapped;
            lastIndex = &m;
            auto at = std::upper_bound(kept.begin(), kept.end(), snapped,
                                       [](int32_t p, Owned const &k) { return p < k->position_; });
            kept.insert(at, std::move(owned));
            continue;
        }
        if (m.ClosesTrack() && lastIndex && int64_t(m.position_) - lastIndex->position_ < kCdFrame) {
            kept.erase(
                std::find_if(kept.begin(), kept.end(), [lastIndex](Owned const &k) { return k.get() == lastIndex; }));
            changed = 1;
        }
        if (m.IsTrackMarker()) {
            open = m.OpensTrack() ? &m : nullptr;
            lastIndex = nullptr;
        }
        kept.push_back(std::move(owned));
    }
    markers_.swap(kept);
    return changed;
}

int MarkerSet::NameMarkers() {
    String const marker(FindString(kTextMarker));
    String const track(FindString(kTextTrack));
    int changed = 0;
    int number = 0, index = 0;
    Marker const *start = nullptr;
    for (Owned &owned : markers_) {
        Marker &m = *owned;
        if (m.OpensTrack()) {
            ++number;
            index = 0;
        }
        if (m.IsAutoNamed()) {
            String name = m.name_;
            if (m.type_ == Marker::kPlain || m.type_ == Marker::kDrop)
                name = marker;
            else if (m.OpensTrack())
                name = TrackName(track, number);
            else if (m.type_ == Marker::kTrackEnd && start)
                name = start->name_;
            else if (m.type_ == Marker::kIndex)
                name = IndexName(number, ++index);
            changed |= name != m.name_;
            m.name_ = name;
        }
        if (m.IsTrackMarker())
            start = m.OpensTrack() ? &m : nullptr;
    }
    return changed;
}
