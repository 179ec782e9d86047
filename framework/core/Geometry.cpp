#include "core/Geometry.h"

#include <algorithm>

int Sqrt_(long n) {
    if (n < 1)
        return 0;
    unsigned result = 0;
    for (unsigned bit = 0x4000; bit; bit >>= 1) {
        unsigned trial = result | bit;
        if ((unsigned long long)trial * trial <= (unsigned long long)n)
            result = trial;
    }
    return (int)result;
}

TRect TRect::operator&(TRect const &o) const {
    if (!Touches(o))
        return TRect(0, 0, 0, 0);
    return TRect(std::max(left, o.left), std::max(top, o.top), std::min(right, o.right),
                 std::min(bottom, o.bottom));
}

TRect TRect::operator|(TRect const &o) const {
    return TRect(std::min(left, o.left), std::min(top, o.top), std::max(right, o.right),
                 std::max(bottom, o.bottom));
}

TRect &TRect::Normalize() {
    if (right < left)
        std::swap(left, right);
    if (bottom < top)
        std::swap(top, bottom);
    return *this;
}

TRect &TRect::operator&=(TRect const &o) {
    if (IsNull())
        return *this;
    if (o.IsNull()) {
        SetNull();
        return *this;
    }
    // no touch test: disjoint rectangles leave an inverted, empty result
    Set(std::max(left, o.left), std::max(top, o.top), std::min(right, o.right), std::min(bottom, o.bottom));
    return *this;
}

TRect &TRect::operator|=(TRect const &o) {
    if (o.IsNull())
        return *this;
    if (IsNull())
        return *this = o;
    return *this = *this | o;
}

int TRect::Subtract(TRect const &other, TRect result[4]) const {
    if (!Touches(other)) {
        result[0] = *this;
        return 1;
    }
    int n = 0;
    int midTop = std::max(top, other.top), midBottom = std::min(bottom, other.bottom);
    TRect pieces[4] = {TRect(left, top, right, other.top), TRect(left, other.bottom, right, bottom),
                       TRect(left, midTop, other.left, midBottom), TRect(other.right, midTop, right, midBottom)};
    bool wanted[4] = {top < other.top, other.bottom < bottom, left < other.left, other.right < right};
    for (int i = 0; i < 4; i++)
        if (wanted[i] && !pieces[i].IsEmpty())
            result[n++] = pieces[i];
    return n;
}

void Rect::LimitInside(TRect const &bounds) {
    int w = Width(), h = Height();
    left = std::max(left, bounds.left);
    top = std::max(top, bounds.top);
    right = left + w;
    bottom = top + h;
    right = std::min(right, bounds.right);
    bottom = std::min(bottom, bounds.bottom);
    left = right - w;
    top = bottom - h;
}
