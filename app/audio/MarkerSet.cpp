#include "audio/MarkerSet.h"

#include "audio/MarkerHost.h"
#include "core/MessageBoxSeam.h"
#include "foundation/Exception.h"
#include "foundation/MessageCatalogue.h"
#include "manager/DocumentManager.h"

#include <algorithm>

namespace {

enum { kTextMarkerLocked = 11239, kTextMoveTrackWithIndexes = 11240 };

// 1 for the CD types, 2 for the range types, 0 for plain and drop markers.
int Family(int type) {
    return type >= Marker::kTrackStart && type <= Marker::kIndex         ? 1
           : type >= Marker::kRangeStart && type <= Marker::kRangeSplice ? 2
                                                                         : 0;
}

// A new marker of type added meets one of the same family at its position: the type that
// one takes in its place, or -1 when it stays as it is. Either way the new one goes.
int MergedType(int existing, int added) {
    if ((existing == Marker::kTrackStart && (added == Marker::kTrackEnd || added == Marker::kTrackSplice)) ||
        (existing == Marker::kTrackEnd && (added == Marker::kTrackStart || added == Marker::kTrackSplice)))
        return Marker::kTrackSplice;
    if ((existing == Marker::kRangeStart || existing == Marker::kRangeEnd) && added >= Marker::kRangeStart)
        return Marker::kRangeSplice;
    return -1;
}

}  // namespace

MarkerSet::MarkerSet(MarkerHost *wave) : wave_(wave) {}

MarkerSet::MarkerSet(MarkerSet const &other) : wave_(other.wave_), visibleTypes_(other.visibleTypes_) {
    markers_.reserve(other.markers_.size());
    for (Owned const &m : other.markers_)
        markers_.push_back(std::make_unique<Marker>(*m));
}

MarkerSet &MarkerSet::operator=(MarkerSet const &other) {
    if (this == &other)
        return *this;
    MarkerSet copy(other);
    markers_.swap(copy.markers_);
    if (other.wave_)
        wave_ = other.wave_;
    visibleTypes_ = other.visibleTypes_;
    flags_ = 0;
    // A restored undo step may differ from the saved markers as much as what it replaced.
    if (wave_)
        NoteChange();
    return *this;
}

MarkerSet::~MarkerSet() = default;

Marker *MarkerSet::GetMarker(int index) const {
    return index >= 0 && index < GetCount() ? markers_[index].get() : nullptr;
}

int32_t MarkerSet::GetWaveLength() const {
    if (wave_)
        return std::max(0, wave_->GetLength());
    return markers_.empty() ? 0 : std::max(0, markers_.back()->position_);
}

void MarkerSet::NoteChange() {
    flags_ |= kChanged;
    UpdateModified();
}

void MarkerSet::UpdateModified() {
    MarkerSet const *saved = wave_ ? wave_->GetSavedMarkers() : nullptr;
    if (saved && saved != this && !IsEqual(*saved, 0))
        flags_ |= kDiffers;
    else
        flags_ &= ~kDiffers;
}

void MarkerSet::CopyToSaved(MarkerSet &saved) {
    saved = *this;
    flags_ &= ~kDiffers;
}

bool MarkerSet::IsVisible(Marker const &marker) const {
    return marker.type_ >= 0 && marker.type_ < 32 && (visibleTypes_ >> marker.type_ & 1) != 0;
}

int MarkerSet::ShowType(int type, int force) {
    int32_t mask = visibleTypes_ | Marker::VisibilityGroup(type);
    if (mask == visibleTypes_ && !force)
        return 0;
    visibleTypes_ = mask;
    flags_ |= kChanged;
    return 1;
}

// ---- searching

int MarkerSet::LowerBound(int32_t position) const {
    auto it = std::lower_bound(markers_.begin(), markers_.end(), position,
                               [](Owned const &m, int32_t p) { return m->position_ < p; });
    return int(it - markers_.begin());
}

int MarkerSet::UpperBound(int32_t position) const {
    auto it = std::upper_bound(markers_.begin(), markers_.end(), position,
                               [](int32_t p, Owned const &m) { return p < m->position_; });
    return int(it - markers_.begin());
}

Marker *MarkerSet::Found(int i, int *index) const {
    Marker *m = GetMarker(i);
    if (index)
        *index = m ? i : -1;
    return m;
}

Marker *MarkerSet::WalkVisible(int i, int step, int *index) const {
    while (i >= 0 && i < GetCount() && !IsVisible(*markers_[i]))
        i += step;
    return Found(i, index);
}

Marker *MarkerSet::FindAtOrAfter(int32_t position, int *index, int visibleOnly) const {
    int i = LowerBound(position);
    return visibleOnly ? WalkVisible(i, 1, index) : Found(i, index);
}

Marker *MarkerSet::FindAfter(int32_t position, int *index, int visibleOnly) const {
    int i = UpperBound(position);
    return visibleOnly ? WalkVisible(i, 1, index) : Found(i, index);
}

Marker *MarkerSet::FindBefore(int32_t position, int *index, int visibleOnly) const {
    int i = LowerBound(position) - 1;
    return visibleOnly ? WalkVisible(i, -1, index) : Found(i, index);
}

Marker *MarkerSet::FindAtOrBefore(int32_t position, int *index, int visibleOnly) const {
    int i = UpperBound(position) - 1;
    return visibleOnly ? WalkVisible(i, -1, index) : Found(i, index);
}

int MarkerSet::FindMarker(int32_t position, int type) const {
    for (int i = LowerBound(position); i < GetCount() && markers_[i]->position_ == position; ++i)
        if (markers_[i]->type_ == type)
            return i;
    return -1;
}

Marker *MarkerSet::FindExact(int32_t position) const {
    Marker *m = GetMarker(LowerBound(position));
    return m && m->position_ == position ? m : nullptr;
}

int MarkerSet::CountOfTypes(int32_t mask) const {
    return int(std::count_if(markers_.begin(), markers_.end(), [mask](Owned const &m) {
        return m->type_ >= 0 && m->type_ < 32 && (mask >> m->type_ & 1) != 0;
    }));
}

bool MarkerSet::IsRangeFreeOfTracks(int32_t start, int32_t end) const {
    if (end < start)
        return false;
    for (int i = UpperBound(start); i < GetCount() && markers_[i]->position_ < end; ++i)
        if (markers_[i]->IsTrackMarker())
            return false;
    return true;
}

bool MarkerSet::IsEqual(MarkerSet const &other, int strict) const {
    if (wave_ != other.wave_)
        return false;
    auto next = [strict](std::vector<Owned> const &list, size_t i) {
        while (!strict && i < list.size() && list[i]->type_ == Marker::kDrop)
            ++i;
        return i;
    };
    size_t i = next(markers_, 0), j = next(other.markers_, 0);
    for (; i < markers_.size() && j < other.markers_.size(); i = next(markers_, i + 1), j = next(other.markers_, j + 1))
        if (!markers_[i]->IsEqual(*other.markers_[j]))
            return false;
    return i == markers_.size() && j == other.markers_.size();
}

int32_t MarkerSet::AllowedTypes(int index, int32_t position) const {
    if (index >= GetCount())
        return 0;
    int32_t allowed = 0;
    for (int type = 0; type < Marker::kNumTypes; ++type) {
        MarkerSet trial(*this);
        if (index < 0) {
            if (trial.Add(new Marker(String(), position, type, 0), 0) & kKept)
                allowed |= 1 << type;
            continue;
        }
        Marker &m = *trial.markers_[index];
        int32_t at = m.position_;
        m.type_ = type;
        std::vector<Marker const *> before = trial.Addresses();
        trial.Validate(type != Marker::kTrackEnd && type != Marker::kRangeEnd, 0);
        std::vector<Marker const *> after = trial.Addresses();
        bool removedNone = std::includes(after.begin(), after.end(), before.begin(), before.end());
        if (trial.FindMarker(at, type) >= 0 || (type == Marker::kIndex && removedNone))
            allowed |= 1 << type;
    }
    return allowed;
}

std::vector<Marker const *> MarkerSet::Addresses() const {
    std::vector<Marker const *> addresses;
    for (Owned const &m : markers_)
        addresses.push_back(m.get());
    std::sort(addresses.begin(), addresses.end());
    return addresses;
}

// ---- changes

Marker *MarkerSet::FindPartner(int32_t position, int type) const {
    Marker *family = nullptr;
    for (int i = LowerBound(position); i < GetCount() && markers_[i]->position_ == position; ++i) {
        Marker *m = markers_[i].get();
        if (m->type_ == type)
            return m;
        if (!family && Family(type) && Family(m->type_) == Family(type))
            family = m;
    }
    return family;
}

int MarkerSet::Add(Marker *marker, int rename) {
    Owned added(marker);
    if (Marker *partner = FindPartner(added->position_, added->type_)) {
        int merged = partner->type_ == added->type_ ? -1 : MergedType(partner->type_, added->type_);
        if (merged < 0)
            return 0;
        partner->type_ = merged;
        Validate(1, rename);
        NoteChange();
        return kOthersChanged;
    }
    for (Owned &m : markers_)
        m->flags_ &= ~Marker::kJustAdded;
    added->flags_ |= Marker::kJustAdded;
    InsertSorted(added.release());
    int result = Validate(1, rename) ? kOthersChanged : 0;
    NoteChange();
    for (Owned &m : markers_)
        if (m->flags_ & Marker::kJustAdded)
            result |= kKept;
    return result;
}

int MarkerSet::InsertSorted(Marker *marker) {
    Owned owned(marker);
    int i = UpperBound(owned->position_);
    markers_.insert(markers_.begin() + i, std::move(owned));
    return i;
}

void MarkerSet::Erase(int index) { markers_.erase(markers_.begin() + index); }

void MarkerSet::Remove(int index) {
    if (!GetMarker(index))
        return;
    Erase(index);
    Validate(0, 1);
    NoteChange();
}

int MarkerSet::MoveMarkerTo(int index, int32_t position) {
    Marker *m = GetMarker(index);
    if (!m)
        return 0;
    if (m->IsLocked())
        ExceptionThrower().SetAndThrow(ResMess(kTextMarkerLocked));
    if (m->OpensTrack()) {
        MarkerSet indexes;
        CopyIndexMarkersOfTrack(m->position_, indexes);
        if (!indexes.IsEmpty() && !AskUser(String(FindString(kTextMoveTrackWithIndexes))))
            return 0;
    }
    Owned moved = std::move(markers_[index]);
    Erase(index);
    moved->position_ = position;
    Add(moved.release(), 1);
    NoteChange();
    return 1;
}

int MarkerSet::CopyMarkerTo(int index, int32_t position) {
    Marker *m = GetMarker(index);
    if (!m)
        return 0;
    try {
        Owned copy = std::make_unique<Marker>(*m);
        copy->position_ = position;
        Add(copy.release(), 1);
        return 1;
    } catch (AException const &) {
        return 0;
    }
}

void MarkerSet::DeleteAll() { markers_.clear(); }

bool MarkerSet::AskUser(String const &question) {
    char const *caption = _docManager ? _docManager->GetName() : "";
    return ShowMessageBox(0, question.c_str(), caption, MB_OKCANCEL | MB_ICONQUESTION | MB_TASKMODAL) == IDOK;
}
