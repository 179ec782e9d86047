// Points, sizes and rectangles with the layouts of the system's own records.
// Rectangles exclude their right and bottom edges.
#pragma once

#include "core/VeltraneDefs.h"

#include <windows.h>

VELTRANE_API int Sqrt_(long n);

class TSize;

class VELTRANE_API TPoint : public tagPOINT {
public:
    TPoint() { x = y = 0; }
    TPoint(int _x, int _y) { x = _x; y = _y; }
    TPoint(POINT const &p) { x = p.x; y = p.y; }
    TPoint(SIZE const &s) { x = s.cx; y = s.cy; }
    TPoint(unsigned long packed) { x = (short)LOWORD(packed); y = (short)HIWORD(packed); }

    int X() const { return x; }
    int Y() const { return y; }
    TPoint OffsetBy(int dx, int dy) const { return TPoint(x + dx, y + dy); }
    TPoint operator-() const { return TPoint(-x, -y); }
    bool operator==(TPoint const &o) const { return x == o.x && y == o.y; }
    bool operator!=(TPoint const &o) const { return !(*this == o); }
    TPoint operator+(TSize const &s) const;
    TPoint operator-(TSize const &s) const;
    TSize operator-(TPoint const &p) const;
    TPoint &Offset(int dx, int dy) { x += dx; y += dy; return *this; }
    TPoint &operator+=(TSize const &s);
    TPoint &operator-=(TSize const &s);
    int Magnitude() const { return Sqrt_(long(x) * x + long(y) * y); }
};

class VELTRANE_API TPointL : public tagPOINT {
public:
    TPointL() { x = y = 0; }
    TPointL(long _x, long _y) { x = _x; y = _y; }
    TPointL(POINT const &p) { x = p.x; y = p.y; }

    TPointL operator+(TSize const &s) const;
    TSize operator-(TPointL const &p) const;
    TPointL operator-(TSize const &s) const;
    TPointL &Offset(long dx, long dy) { x += dx; y += dy; return *this; }
    TPointL &operator+=(TSize const &s);
    TPointL &operator-=(TSize const &s);
};

class VELTRANE_API TPointF {
public:
    float x, y;
    TPointF() : x(0), y(0) {}
    TPointF(float _x, float _y) : x(_x), y(_y) {}

    float X() const { return x; }
    float Y() const { return y; }
    TPointF OffsetBy(float dx, float dy) const { return TPointF(x + dx, y + dy); }
    TPointF operator-() const { return TPointF(-x, -y); }
    bool operator==(TPointF const &o) const { return x == o.x && y == o.y; }
    bool operator!=(TPointF const &o) const { return !(*this == o); }
    TPointF operator+(TPointF const &o) const { return TPointF(x + o.x, y + o.y); }
    TPointF operator-(TPointF const &o) const { return TPointF(x - o.x, y - o.y); }
    TPointF &Offset(float dx, float dy) { x += dx; y += dy; return *this; }
    TPointF &operator+=(TPointF const &o) { x += o.x; y += o.y; return *this; }
    TPointF &operator-=(TPointF const &o) { x -= o.x; y -= o.y; return *this; }
};

class VELTRANE_API TSize : public tagSIZE {
public:
    TSize() {}  // unset, like the system's record
    TSize(int dx, int dy) { cx = dx; cy = dy; }
    TSize(POINT const &p) { cx = p.x; cy = p.y; }
    TSize(SIZE const &s) { cx = s.cx; cy = s.cy; }
    // both halves unsigned: 0xFFFF0001 is (1, 65535)
    TSize(unsigned long packed) { cx = LOWORD(packed); cy = HIWORD(packed); }

    int X() const { return cx; }
    int Y() const { return cy; }
    TSize operator-() const { return TSize(-cx, -cy); }
    bool operator==(TSize const &o) const { return cx == o.cx && cy == o.cy; }
    bool operator!=(TSize const &o) const { return !(*this == o); }
    TSize operator+(TSize const &o) const { return TSize(cx + o.cx, cy + o.cy); }
    TSize operator-(TSize const &o) const { return TSize(cx - o.cx, cy - o.cy); }
    TSize &operator+=(TSize const &o) { cx += o.cx; cy += o.cy; return *this; }
    TSize &operator-=(TSize const &o) { cx -= o.cx; cy -= o.cy; return *this; }
    int Magnitude() const { return Sqrt_(long(cx) * cx + long(cy) * cy); }
};

inline TPoint TPoint::operator+(TSize const &s) const { return TPoint(x + s.cx, y + s.cy); }
inline TPoint TPoint::operator-(TSize const &s) const { return TPoint(x - s.cx, y - s.cy); }
inline TSize TPoint::operator-(TPoint const &p) const { return TSize(x - p.x, y - p.y); }
inline TPoint &TPoint::operator+=(TSize const &s) { x += s.cx; y += s.cy; return *this; }
inline TPoint &TPoint::operator-=(TSize const &s) { x -= s.cx; y -= s.cy; return *this; }
inline TPointL TPointL::operator+(TSize const &s) const { return TPointL(x + s.cx, y + s.cy); }
inline TSize TPointL::operator-(TPointL const &p) const { return TSize(x - p.x, y - p.y); }
inline TPointL TPointL::operator-(TSize const &s) const { return TPointL(x - s.cx, y - s.cy); }
inline TPointL &TPointL::operator+=(TSize const &s) { x += s.cx; y += s.cy; return *this; }
inline TPointL &TPointL::operator-=(TSize const &s) { x -= s.cx; y -= s.cy; return *this; }

class VELTRANE_API TRect : public tagRECT {
public:
    TRect() {}  // unset, like the system's record
    TRect(RECT const &r) { *(RECT *)this = r; }
    TRect(int l, int t, int r, int b) { Set(l, t, r, b); }
    TRect(TPoint const &tl, TPoint const &br) { Set(tl.x, tl.y, br.x, br.y); }
    TRect(TPoint const &tl, TSize const &s) { Set(tl.x, tl.y, tl.x + s.cx, tl.y + s.cy); }

    LONG &Left() { return left; }
    LONG &Top() { return top; }
    LONG &Right() { return right; }
    LONG &Bottom() { return bottom; }
    int Left() const { return left; }
    int Top() const { return top; }
    int Right() const { return right; }
    int Bottom() const { return bottom; }
    int X() const { return left; }
    int Y() const { return top; }
    TPoint &TopLeft() { return *(TPoint *)&left; }
    TPoint &BottomRight() { return *(TPoint *)&right; }
    TPoint const &TopLeft() const { return *(TPoint const *)&left; }
    TPoint const &BottomRight() const { return *(TPoint const *)&right; }
    TPoint TopRight() const { return TPoint(right, top); }
    TPoint BottomLeft() const { return TPoint(left, bottom); }
    operator TPoint *() { return (TPoint *)&left; }
    operator TPoint const *() const { return (TPoint const *)&left; }
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    TSize Size() const { return TSize(Width(), Height()); }
    long Area() const { return long(Width()) * Height(); }

    void SetNull() { left = top = right = bottom = 0; }
    void SetEmpty() { SetNull(); }
    void Set(int l, int t, int r, int b) { left = l; top = t; right = r; bottom = b; }
    void SetWH(int l, int t, int w, int h) { Set(l, t, l + w, t + h); }

    bool IsEmpty() const { return !(left < right && top < bottom); }
    bool IsNull() const { return !left && !top && !right && !bottom; }
    bool operator==(TRect const &o) const {
        return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
    }
    bool operator!=(TRect const &o) const { return !(*this == o); }
    bool Contains(TPoint const &p) const { return left <= p.x && p.x < right && top <= p.y && p.y < bottom; }
    bool Contains(TRect const &o) const {
        return left <= o.left && o.right <= right && top <= o.top && o.bottom <= bottom;
    }
    bool Touches(TRect const &o) const {
        return left < o.right && o.left < right && top < o.bottom && o.top < bottom;
    }

    TRect OffsetBy(int dx, int dy) const { return TRect(left + dx, top + dy, right + dx, bottom + dy); }
    TRect operator+(TSize const &s) const { return OffsetBy(s.cx, s.cy); }
    TRect operator-(TSize const &s) const { return OffsetBy(-s.cx, -s.cy); }
    TRect MovedTo(int x, int y) const { return TRect(x, y, x + Width(), y + Height()); }
    TRect InflatedBy(int dx, int dy) const { return TRect(left - dx, top - dy, right + dx, bottom + dy); }
    TRect InflatedBy(TSize const &s) const { return InflatedBy(s.cx, s.cy); }
    TRect Normalized() const { TRect r(*this); return r.Normalize(); }
    TRect operator&(TRect const &o) const;
    TRect operator|(TRect const &o) const;

    TRect &Offset(int dx, int dy) { left += dx; top += dy; right += dx; bottom += dy; return *this; }
    TRect &operator+=(TSize const &s) { return Offset(s.cx, s.cy); }
    TRect &operator-=(TSize const &s) { return Offset(-s.cx, -s.cy); }
    TRect &MoveTo(int x, int y) { return *this = MovedTo(x, y); }
    TRect &Inflate(int dx, int dy) { return *this = InflatedBy(dx, dy); }
    TRect &Inflate(TSize const &s) { return Inflate(s.cx, s.cy); }
    TRect &Normalize();
    TRect &operator&=(TRect const &o);
    TRect &operator|=(TRect const &o);

    // Pieces of this outside the other (top, bottom, left, right bands); returns how many.
    int Subtract(TRect const &other, TRect result[4]) const;
};

// The program layer's rectangle.
class VELTRANE_API Rect : public TRect {
public:
    Rect() {}
    Rect(RECT const &r) : TRect(r) {}
    Rect(int l, int t, int r, int b) : TRect(l, t, r, b) {}
    Rect(TPoint const &tl, TPoint const &br) : TRect(tl, br) {}
    Rect(TPoint const &tl, TSize const &s) : TRect(tl, s) {}
    Rect &operator=(RECT const &r) { TRect::operator=(TRect(r)); return *this; }

    // Moves the rectangle into the bounds keeping its size; one larger than the bounds
    // ends on their right and bottom edges.
    void LimitInside(TRect const &bounds);
};
