// The markers of a wave, kept sorted by position: plain and drop markers, the CD layout
// (track starts, ends, splices and index points) and range marks. The set enforces the
// pairing rules of CD tracks, names automatically named markers, follows the wave's edits
// and answers the CD program's questions about the wave's tracks.
//
// A set is not locked by itself: the wave's lock guards its current and saved sets.
#pragma once

#include "audio/Marker.h"
#include "foundation/Lists.h"

#include <cstdint>
#include <memory>
#include <vector>

class MarkerHost;
class WaveCdTrack;

class MarkerSet {
public:
    enum Flags {
        kChanged = 1,  // changed since the marker window last filled its list
        kDiffers = 2   // differs from the saved set
    };
    // Result bits of Add.
    enum { kOthersChanged = 1, kKept = 2 };

    explicit MarkerSet(MarkerHost *wave = nullptr);
    // Deep copies with the wave and the visible types; a copy starts with no flags.
    MarkerSet(MarkerSet const &other);
    // Keeps its own wave when other has none. The flags are cleared; with a wave the set
    // then counts as changed and its differs flag is worked out again.
    MarkerSet &operator=(MarkerSet const &other);
    ~MarkerSet();

    int GetCount() const { return int(markers_.size()); }
    bool IsEmpty() const { return markers_.empty(); }
    // Null outside 0 .. count - 1.
    Marker *GetMarker(int index) const;
    MarkerHost *GetWave() const { return wave_; }
    // 0 .. the wave's length; without a wave the last marker's position.
    int32_t GetWaveLength() const;

    bool IsChanged() const { return (flags_ & kChanged) != 0; }
    void ClearChanged() { flags_ &= ~kChanged; }
    bool DiffersFromSaved() const { return (flags_ & kDiffers) != 0; }
    // Sets the changed flag and works out the differs flag.
    void NoteChange();
    // Sets the differs flag exactly when the set is not equal to the wave's saved set.
    void UpdateModified();
    // The set becomes what saved holds on disk: saved takes a copy, the differs flag goes.
    void CopyToSaved(MarkerSet &saved);

    // Bit t set: markers of type t are shown.
    int32_t GetVisibleTypes() const { return visibleTypes_; }
    void SetVisibleTypes(int32_t mask) { visibleTypes_ = mask; }
    bool IsVisible(Marker const &marker) const;
    // Shows the type's group; 1 and the changed flag when the mask changed or force is set.
    int ShowType(int type, int force);

    // Searches by halving; with visibleOnly, hidden markers are skipped in the search's
    // direction. Each gives the marker and its index, or null and -1.
    Marker *FindAtOrAfter(int32_t position, int *index = nullptr, int visibleOnly = 0) const;
    Marker *FindAfter(int32_t position, int *index = nullptr, int visibleOnly = 0) const;
    Marker *FindBefore(int32_t position, int *index = nullptr, int visibleOnly = 0) const;
    Marker *FindAtOrBefore(int32_t position, int *index = nullptr, int visibleOnly = 0) const;
    // Index of the first marker of that position and type, -1 if none.
    int FindMarker(int32_t position, int type) const;
    Marker *FindExact(int32_t position) const;
    // Markers whose type bit is in mask.
    int CountOfTypes(int32_t mask) const;
    // False when end < start or a track start, end or splice lies strictly inside.
    bool IsRangeFreeOfTracks(int32_t start, int32_t end) const;

    // CD tracks run from a start or splice to the next end or splice. The 0-based number
    // of the track holding position with its bounds, else -1 (bounds -1).
    int FindCdTrackAt(int32_t position, int32_t *start, int32_t *end) const;
    // Index of the end or splice at start + length closing a track that opens at start.
    int FindCdTrackEnd(int32_t start, int32_t length) const;
    // Refills tracks with one record per track; withIndexes gives each its index points,
    // relative to the track start. A failure leaves the list empty and passes on.
    void GetCdTracks(List<WaveCdTrack> &tracks, int withIndexes) const;
    // Appends copies of the index points of the track opening at start.
    void CopyIndexMarkersOfTrack(int32_t start, MarkerSet &target) const;
    // Bit t: a new marker at position (index -1), or marker index, may take type t.
    int32_t AllowedTypes(int index, int32_t position) const;

    // Same wave and same markers. The loose form ignores drop markers.
    bool IsEqual(MarkerSet const &other, int strict) const;

    // Takes the marker in, merging it with one at its position where the rules say so,
    // and validates: kOthersChanged when a standing marker took its part or validation
    // changed the set, kKept when the new marker is still in it.
    int Add(Marker *marker, int rename);
    // Takes the marker in after every marker at or before its position, unchecked;
    // returns its index.
    int InsertSorted(Marker *marker);
    // Deletes the marker and validates without repair.
    void Remove(int index);
    // A locked marker throws (message 11239). Moving a track start with index points asks
    // first: 0 when the user says no, else 1.
    int MoveMarkerTo(int index, int32_t position);
    // Adds a copy at position; 0 when that failed.
    int CopyMarkerTo(int index, int32_t position);
    void DeleteAll();

    // A CD track over the frames first..last (end marker at last + 1), asking the marker
    // dialog for a new start unless noDialog; the index of the start, or -1.
    int AddCdTrackFromRange(int32_t first, int32_t last, int noDialog, int endOnCdFrame);
    // Makes sure the wave has a track (asking the user before making one over the whole
    // wave); 0 when it has none.
    int EnsureWholeWaveTrack(String const &fileName, String const &trackName);

    // Following the wave's edits; none validates, the edit does afterwards.
    // Markers after position move by count (one at an insertion point stays in front).
    void ShiftAfter(int32_t position, int32_t count);
    // [start, end) went: markers inside go, later ones move back (one at end lands on start).
    void DeleteRange(int32_t start, int32_t end);
    // [start, end) moved to destination, counted after it was taken out.
    void MoveRange(int32_t start, int32_t end, int32_t destination);
    // [start, end) became newLength frames long.
    void StretchRange(int32_t start, int32_t end, int32_t newLength);
    // Takes every marker of other in, sorted.
    void MergeFrom(MarkerSet &other);

    // Enforces the rules of the set (positions inside the wave, merging at one position,
    // track pairing, CD frames) and with rename names the automatic markers; 1 when it
    // changed anything.
    int Validate(int repair, int rename);

private:
    using Owned = std::unique_ptr<Marker>;

    int LowerBound(int32_t position) const;
    int UpperBound(int32_t position) const;
    Marker *Found(int i, int *index) const;
    Marker *WalkVisible(int i, int step, int *index) const;
    void Erase(int index);
    // The marker at position that a new one of type meets: one of the same type, else one
    // of the same family (CD or range types).
    Marker *FindPartner(int32_t position, int type) const;
    // The markers' addresses in address order: which of them a step kept.
    std::vector<Marker const *> Addresses() const;
    // OK/Cancel with the application's name as caption: true for OK.
    static bool AskUser(String const &question);

    // Validation steps.
    int KeepInsideWave(int32_t length);
    int MergeSamePositions();
    int PairTracks(int repair);
    int PairOne(int k, int last, int repair);
    int CloseLastTrack(int repair, int32_t length);
    int AlignTrackEnds(int32_t length);
    int AlignIndexMarkers();
    int NameMarkers();
    int PreviousTrackMarker(int index) const;
    // The first track at or after marker index opener (a start or splice followed by an
    // end or splice): true with the two indexes.
    bool NextTrack(int &opener, int &closer) const;
    void CopyIndexMarkers(int opener, int closer, int32_t offset, MarkerSet &target) const;

    // Track start at first, for AddCdTrackFromRange: its index, or -1 when refused.
    int OpenTrackAt(int32_t first, int noDialog, bool &changed);
    // End of that track at position; true when the set changed.
    bool CloseTrackAt(int32_t position, Marker const &start, int endOnCdFrame);

    int32_t flags_ = 0;
    std::vector<Owned> markers_;
    MarkerHost *wave_;
    int32_t visibleTypes_ = -1;
};
