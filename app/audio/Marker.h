// One named position in a wave: a plain or drop marker, a CD track start, end, splice or
// index point, or a range mark. A plain record, copied by value into undo steps.
#pragma once

#include "foundation/Strings.h"

#include <cstdint>

class Marker {
public:
    enum Type {
        kPlain = 0,
        kDrop = 1,  // dropped while playing or recording; never stored
        kTrackStart = 2,
        kTrackEnd = 3,
        kTrackSplice = 4,  // the end of one track and the start of the next
        kIndex = 5,        // an index point inside a track
        kRangeStart = 6,
        kRangeEnd = 7,
        kRangeSplice = 8,
        kNumTypes = 9
    };
    enum Flags {
        kAutoName = 1,      // validation gives the name
        kLocked = 2,        // moving is refused
        kEndOnCdFrame = 4,  // a track ending here is a whole number of CD frames long
        kStoredFlags = 7,
        kHighlighted = 8,  // shown as being dragged
        kJustAdded = 0x80  // the marker the last Add inserted
    };
    // Frames in a CD frame (1/75 s at 44100 Hz): the rounding unit and the shortest track.
    enum { kCdFrame = 588 };

    // The automatic-name flag empties the name.
    Marker(String const &name, int32_t position, int32_t type, int32_t flags)
        : name_(flags & kAutoName ? String() : name), position_(position), type_(type), flags_(flags) {}

    bool IsAutoNamed() const { return (flags_ & kAutoName) != 0; }
    bool IsLocked() const { return (flags_ & kLocked) != 0; }
    bool OpensTrack() const { return type_ == kTrackStart || type_ == kTrackSplice; }
    bool ClosesTrack() const { return type_ == kTrackEnd || type_ == kTrackSplice; }
    bool IsTrackMarker() const { return type_ >= kTrackStart && type_ <= kTrackSplice; }
    bool IsCdMarker() const { return type_ >= kTrackStart && type_ <= kIndex; }
    bool IsRangeMarker() const { return type_ >= kRangeStart && type_ <= kRangeSplice; }

    // Same position, type and stored flags, and the same name unless it is automatic.
    bool IsEqual(Marker const &other) const {
        return position_ == other.position_ && type_ == other.type_ &&
               (flags_ & kStoredFlags) == (other.flags_ & kStoredFlags) && (IsAutoNamed() || name_ == other.name_);
    }

    // The bits of the visible-type mask that show markers of a type (0 for no type).
    static int32_t VisibilityGroup(int type) {
        static int32_t const groups[kNumTypes] = {0x001, 0x002, 0x01C, 0x01C, 0x01C, 0x020, 0x1C0, 0x1C0, 0x1C0};
        return type >= 0 && type < kNumTypes ? groups[type] : 0;
    }

    String name_;
    int32_t position_;  // 0 .. wave length (a marker may stand one past the last frame)
    int32_t type_;
    int32_t flags_;
};
