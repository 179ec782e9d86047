#include "core/GdiObject.h"

#include <shellapi.h>

// --- TRegion ---

TRegion::TRegion() {
    Handle = ::CreateRectRgn(0, 0, 0, 0);
    CheckValid();
}

TRegion::TRegion(HRGN handle, TAutoDelete autoDelete) : TGdiBase(handle, autoDelete) {}

TRegion::TRegion(const TRegion &src) {
    Handle = ::CreateRectRgn(0, 0, 0, 0);
    CheckValid();
    ::CombineRgn(GetHandle(), src.GetHandle(), 0, RGN_COPY);
}

TRegion::TRegion(const TRect &rect) {
    Handle = ::CreateRectRgnIndirect(&rect);
    CheckValid();
}

TRegion::TRegion(const TRect &rect, TEllipse) {
    Handle = ::CreateEllipticRgnIndirect(&rect);
    CheckValid();
}

TRegion::TRegion(const TRect &rect, const TSize &corner) {
    Handle = ::CreateRoundRectRgn(rect.left, rect.top, rect.right, rect.bottom, corner.cx, corner.cy);
    CheckValid();
}

TRegion::TRegion(const TPoint *points, int count, int fillMode) {
    Handle = ::CreatePolygonRgn(points, count, fillMode);
    CheckValid();
}

TRegion::TRegion(const TPoint *points, const int *counts, int polyCount, int fillMode) {
    Handle = ::CreatePolyPolygonRgn(points, counts, polyCount, fillMode);
    CheckValid();
}

TRegion::~TRegion() {
    if (ShouldDelete && Handle && !::DeleteObject(HGDIOBJ(Handle)))
        ReportFailure(TXGdi(32734, Handle));
}

TRegion &TRegion::Combine(HRGN other, int mode) {
    ::CombineRgn(GetHandle(), GetHandle(), other, mode);
    return *this;
}

TRegion &TRegion::operator=(const TRegion &source) {
    ::CombineRgn(GetHandle(), source.GetHandle(), 0, RGN_COPY);
    return *this;
}

TRegion &TRegion::operator+=(const TSize &delta) {
    ::OffsetRgn(GetHandle(), delta.cx, delta.cy);
    return *this;
}

TRegion &TRegion::operator-=(const TSize &delta) {
    ::OffsetRgn(GetHandle(), -delta.cx, -delta.cy);
    return *this;
}

TRegion &TRegion::operator-=(const TRegion &source) { return Combine(source, RGN_DIFF); }
TRegion &TRegion::operator&=(const TRegion &source) { return Combine(source, RGN_AND); }
TRegion &TRegion::operator|=(const TRegion &source) { return Combine(source, RGN_OR); }
TRegion &TRegion::operator^=(const TRegion &source) { return Combine(source, RGN_XOR); }
TRegion &TRegion::operator&=(const TRect &rect) { return Combine(TRegion(rect), RGN_AND); }
TRegion &TRegion::operator|=(const TRect &rect) { return Combine(TRegion(rect), RGN_OR); }
TRegion &TRegion::operator^=(const TRect &rect) { return Combine(TRegion(rect), RGN_XOR); }

TRect TRegion::GetRgnBox() const {
    TRect box;
    GetRgnBox(box);
    return box;
}

// --- TIcon ---

TIcon::TIcon(HICON handle, TAutoDelete autoDelete) : TGdiBase(handle, autoDelete) {}

TIcon::TIcon(HINSTANCE, const TIcon &icon) {
    Handle = ::CopyIcon(icon.GetHandle());
    CheckValid();
}

TIcon::TIcon(HINSTANCE instance, TResId resId) {
    Handle = ::LoadIconA(instance, resId);
    ShouldDelete = instance != 0;  // system icons are shared and never destroyed
    CheckValid();
}

TIcon::TIcon(HINSTANCE instance, const char *fileName, int index) {
    Handle = ::ExtractIconA(instance, fileName, index);
    if (Handle == HANDLE(1))  // "not an executable file" is a failure too
        Handle = 0;
    CheckValid();
}

TIcon::TIcon(HINSTANCE instance, const TSize &size, int planes, int bitsPixel, const void *andBits,
             const void *xorBits) {
    Handle = ::CreateIcon(instance, size.cx, size.cy, BYTE(planes), BYTE(bitsPixel),
                          static_cast<const BYTE *>(andBits), static_cast<const BYTE *>(xorBits));
    CheckValid();
}

TIcon::TIcon(const void *resBits, unsigned long resSize) {
    Handle = ::CreateIconFromResource(static_cast<BYTE *>(const_cast<void *>(resBits)), resSize, TRUE, 0x30000);
    CheckValid();
}

TIcon::TIcon(const ICONINFO *iconInfo) {
    Handle = ::CreateIconIndirect(const_cast<ICONINFO *>(iconInfo));
    CheckValid();
}

TIcon::~TIcon() {
    if (ShouldDelete && Handle)
        ::DestroyIcon(GetHandle());
}

// --- TCursor ---

TCursor::TCursor(HCURSOR handle, TAutoDelete autoDelete) : TGdiBase(handle, autoDelete) {}

TCursor::TCursor(HINSTANCE, const TCursor &cursor) {
    Handle = ::CopyIcon(HICON(cursor.GetHandle()));
    CheckValid();
}

TCursor::TCursor(HINSTANCE instance, TResId resId) {
    Handle = ::LoadCursorA(instance, resId);
    ShouldDelete = instance != 0;  // system cursors are shared and never destroyed
    CheckValid();
}

TCursor::TCursor(HINSTANCE instance, const TPoint &hotSpot, const TSize &size, const void *andBits,
                 const void *xorBits) {
    Handle = ::CreateCursor(instance, hotSpot.x, hotSpot.y, size.cx, size.cy, andBits, xorBits);
    CheckValid();
}

TCursor::TCursor(const void *resBits, unsigned long resSize) {
    Handle = ::CreateIconFromResource(static_cast<BYTE *>(const_cast<void *>(resBits)), resSize, FALSE, 0x30000);
    CheckValid();
}

TCursor::TCursor(const ICONINFO *iconInfo) {
    Handle = ::CreateIconIndirect(const_cast<ICONINFO *>(iconInfo));
    CheckValid();
}

TCursor::~TCursor() {
    if (ShouldDelete && Handle)
        ::DestroyCursor(GetHandle());
}
