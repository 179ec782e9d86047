#include "foundation/RangeInt32.h"

RangeInt32 GetIntersection(RangeInt32 const &a, RangeInt32 const &b) { return a & b; }

void ExcludeIntersection(RangeInt32 &a, RangeInt32 &b) {
    if (!a.OverlapsWith(b))
        return;
    long minLeft = a.left < b.left ? a.left : b.left, maxLeft = a.left > b.left ? a.left : b.left;
    long minRight = a.right < b.right ? a.right : b.right, maxRight = a.right > b.right ? a.right : b.right;
    a.Set(minLeft, maxLeft - 1);
    b.Set(minRight + 1, maxRight);
}
