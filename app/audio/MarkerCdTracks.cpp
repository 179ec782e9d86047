// The CD layout of a marker set: its tracks as the CD program reads them, and tracks made
// from a selection or over the whole wave.
#include "audio/MarkerSet.h"

#include "audio/MarkerDialogLink.h"
#include "audio/MarkerHost.h"
#include "audio/WaveCdTrack.h"
#include "foundation/MessageCatalogue.h"

#include <algorithm>
#include <climits>

namespace {

enum { kTextWholeWaveTrack = 11316 };

}  // namespace

bool MarkerSet::NextTrack(int &opener, int &closer) const {
    for (int i = std::max(opener, 0); i < GetCount(); ++i) {
        if (!markers_[i]->OpensTrack())
            continue;
        int j = i + 1;
        while (j < GetCount() && !markers_[j]->IsTrackMarker())
            ++j;
        if (j < GetCount() && markers_[j]->ClosesTrack()) {
            opener = i;
            closer = j;
            return true;
        }
    }
    return false;
}

void MarkerSet::CopyIndexMarkers(int opener, int closer, int32_t offset, MarkerSet &target) const {
    for (int i = opener + 1; i < closer; ++i) {
        if (markers_[i]->type_ != Marker::kIndex)
            continue;
        auto copy = std::make_unique<Marker>(*markers_[i]);
        copy->position_ -= offset;
        target.InsertSorted(copy.release());
    }
}

int MarkerSet::FindCdTrackAt(int32_t position, int32_t *start, int32_t *end) const {
    int number = 0;
    for (int s = 0, e; NextTrack(s, e); s = e, ++number) {
        if (markers_[s]->position_ <= position && position < markers_[e]->position_) {
            if (start)
                *start = markers_[s]->position_;
            if (end)
                *end = markers_[e]->position_;
            return number;
        }
    }
    if (start)
        *start = -1;
    if (end)
        *end = -1;
    return -1;
}

int MarkerSet::FindCdTrackEnd(int32_t start, int32_t length) const {
    for (int s = 0, e; NextTrack(s, e); s = e)
        if (markers_[s]->position_ == start && int64_t(markers_[e]->position_) == int64_t(start) + length)
            return e;
    return -1;
}

void MarkerSet::GetCdTracks(List<WaveCdTrack> &tracks, int withIndexes) const {
    tracks.Clear();
    try {
        int number = 0;
        for (int s = 0, e; NextTrack(s, e); s = e) {
            Marker const &start = *markers_[s];
            auto track = std::make_unique<WaveCdTrack>(wave_, number++, start.position_,
                                                       markers_[e]->position_ - start.position_, start.name_);
            if (withIndexes) {
                track->indexes_ = std::make_unique<MarkerSet>();
                CopyIndexMarkers(s, e, start.position_, *track->indexes_);
            }
            tracks.Append(track.release());
        }
    } catch (...) {
        tracks.Clear();
        throw;
    }
}

void MarkerSet::CopyIndexMarkersOfTrack(int32_t start, MarkerSet &target) const {
    for (int s = 0, e; NextTrack(s, e); s = e) {
        if (markers_[s]->position_ == start) {
            CopyIndexMarkers(s, e, 0, target);
            return;
        }
    }
}

// ---- making tracks

int MarkerSet::OpenTrackAt(int32_t first, int noDialog, bool &changed) {
    for (int type : {Marker::kTrackStart, Marker::kTrackSplice}) {
        int i = FindMarker(first, type);
        if (i >= 0)
            return i;
    }
    int end = FindMarker(first, Marker::kTrackEnd);
    if (end >= 0) {
        markers_[end]->type_ = Marker::kTrackSplice;
        changed = true;
        return end;
    }
    MarkerChoice choice;
    choice.type = Marker::kTrackStart;
    choice.autoName = 1;
    if (!noDialog && !TheMarkerDialog().RunMarkerDialog(*this, -1, first, choice, 1 << Marker::kTrackStart))
        return -1;
    int32_t flags = (choice.autoName ? Marker::kAutoName : 0) | (choice.locked ? Marker::kLocked : 0);
    changed = true;
    return InsertSorted(new Marker(choice.name, first, Marker::kTrackStart, flags));
}

bool MarkerSet::CloseTrackAt(int32_t position, Marker const &start, int endOnCdFrame) {
    if (FindMarker(position, Marker::kTrackEnd) >= 0 || FindMarker(position, Marker::kTrackSplice) >= 0)
        return false;
    int next = FindMarker(position, Marker::kTrackStart);
    if (next >= 0) {
        markers_[next]->type_ = Marker::kTrackSplice;
        return true;
    }
    int32_t flags =
        (start.flags_ & Marker::kStoredFlags & ~Marker::kEndOnCdFrame) | (endOnCdFrame ? Marker::kEndOnCdFrame : 0);
    InsertSorted(new Marker(start.name_, position, Marker::kTrackEnd, flags));
    return true;
}

int MarkerSet::AddCdTrackFromRange(int32_t first, int32_t last, int noDialog, int endOnCdFrame) {
    if (!IsRangeFreeOfTracks(first, last))
        return -1;
    bool changed = false;
    int opener = OpenTrackAt(first, noDialog, changed);
    if (opener < 0)
        return -1;
    Marker const start = *markers_[opener];
    changed |= CloseTrackAt(last < INT32_MAX ? last + 1 : last, start, endOnCdFrame);
    if (changed) {
        Validate(1, 1);
        NoteChange();
        ShowType(Marker::kTrackStart, 0);
        if (wave_)
            wave_->NotifyViews(0, 0, 0);
    }
    int index = FindMarker(first, Marker::kTrackStart);
    return index >= 0 ? index : FindMarker(first, Marker::kTrackSplice);
}

int MarkerSet::EnsureWholeWaveTrack(String const &fileName, String const &trackName) {
    int32_t length = GetWaveLength();
    if (length == 0)
        return 0;
    if (Validate(1, 0))
        NoteChange();
    if (CountOfTypes(1 << Marker::kTrackStart))
        return 1;
    if (!AskUser(String(BuildString(kTextWholeWaveTrack, fileName.c_str()))))
        return 0;
    InsertSorted(new Marker(trackName, 0, Marker::kTrackStart, 0));
    InsertSorted(new Marker(trackName, length, Marker::kTrackEnd, 0));
    Validate(1, 1);
    NoteChange();
    // A wave shorter than a CD frame holds no track.
    if (!CountOfTypes(1 << Marker::kTrackStart))
        return 0;
    if (!wave_)
        return 1;
    if (wave_->HasViews()) {
        wave_->NotifyViews(0, 0, 0);
        return 1;
    }
    return wave_->WriteMarkerFileNow();
}
