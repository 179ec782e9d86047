// An inclusive range of 32-bit integers (sample ranges, selections). Valid
// when right >= left.
#pragma once

#include "foundation/OsmeraDefs.h"

class OSMERA_API RangeInt32 {
public:
    long left;
    long right;

    // Leaves both ends unset.
    RangeInt32() {}
    RangeInt32(RangeInt32 const &other) = default;
    RangeInt32(long l, long r) : left(l), right(r) {}
    RangeInt32 &operator=(RangeInt32 const &other) = default;

    void Set(long l, long r) { left = l, right = r; }
    void SetLeft(long l) { left = l; }
    void SetRight(long r) { right = r; }
    void Invalidate() { left = 1, right = 0; }

    long GetSize() const { return right - left + 1; }
    int IsValid() const { return right >= left; }

    int operator==(RangeInt32 const &r) const { return left == r.left && right == r.right; }
    int operator!=(RangeInt32 const &r) const { return !(*this == r); }

    // Intersection (invalid when the two do not overlap) and hull.
    RangeInt32 operator&(RangeInt32 const &r) const {
        return RangeInt32(left > r.left ? left : r.left, right < r.right ? right : r.right);
    }
    RangeInt32 &operator&=(RangeInt32 const &r) { return *this = *this & r; }
    RangeInt32 operator|(RangeInt32 const &r) const {
        return RangeInt32(left < r.left ? left : r.left, right > r.right ? right : r.right);
    }
    RangeInt32 &operator|=(RangeInt32 const &r) { return *this = *this | r; }

    RangeInt32 &operator+=(long d) {
        left += d, right += d;
        return *this;
    }
    RangeInt32 &operator-=(long d) {
        left -= d, right -= d;
        return *this;
    }

    int ContainsPoint(long x) const { return left <= x && x <= right; }
    int ContainsEntirely(RangeInt32 const &r) const { return left <= r.left && r.right <= right; }
    int OverlapsWith(RangeInt32 const &r) const { return right >= r.left && r.right >= left; }

    // Clamps x into the range; the left end wins for an invalid range.
    void Validate(long &x) const {
        if (x < left)
            x = left;
        else if (x > right)
            x = right;
    }
    void Normalize() {
        if (right < left) {
            long t = left;
            left = right, right = t;
        }
    }
};

OSMERA_API RangeInt32 GetIntersection(RangeInt32 const &a, RangeInt32 const &b);
// Overlapping ranges become the part before the common part (a) and the part
// after it (b); either may come out empty. Others stay as they are.
OSMERA_API void ExcludeIntersection(RangeInt32 &a, RangeInt32 &b);
