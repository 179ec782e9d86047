#include "core/GdiObject.h"
#include "core/Dc.h"
#include "core/Dib.h"

#include <memory>

TBitmap::TBitmap(HBITMAP handle, TAutoDelete autoDelete) : TGdiObject(handle, autoDelete) {
    if (ShouldDelete)
        RefAdd(Handle, TObjInfo::Bitmap);
}

TBitmap::TBitmap(int width, int height, unsigned char planes, unsigned char bitCount, const void *bits) {
    Handle = ::CreateBitmap(width, height, planes, bitCount, bits);
    CheckValid();
    RefAdd(Handle, TObjInfo::Bitmap);
}

TBitmap::TBitmap(const BITMAP *bitmap) {
    Handle = ::CreateBitmapIndirect(bitmap);
    CheckValid();
    RefAdd(Handle, TObjInfo::Bitmap);
}

TBitmap::TBitmap(const TDC &dc, int width, int height, bool discardable) {
    Handle = discardable ? ::CreateDiscardableBitmap(dc, width, height) : ::CreateCompatibleBitmap(dc, width, height);
    CheckValid();
    RefAdd(Handle, TObjInfo::Bitmap);
}

TBitmap::TBitmap(const TDC &dc, const TDib &dib, unsigned long usage) {
    Handle = ::CreateDIBitmap(dc, dib.GetInfoHeader(), usage, dib.GetBits(), dib.GetInfo(), dib.Usage());
    CheckValid();
    RefAdd(Handle, TObjInfo::Bitmap);
}

TBitmap::TBitmap(HINSTANCE instance, TResId resId) {
    Handle = ::LoadBitmapA(instance, resId);
    CheckValid();
    RefAdd(Handle, TObjInfo::Bitmap);
}

TBitmap::TBitmap(const TBitmap &src) {
    BITMAP info = src.Info();
    if (info.bmPlanes == 1 && info.bmBitsPixel == 1) {
        Handle = ::CreateBitmap(info.bmWidth, info.bmHeight, 1, 1, 0);
    } else {
        TScreenDC screen;
        Handle = ::CreateCompatibleBitmap(screen, info.bmWidth, info.bmHeight);
    }
    CheckValid();
    RefAdd(Handle, TObjInfo::Bitmap);
    TMemoryDC source(const_cast<TBitmap &>(src));
    TMemoryDC copy(*this);
    copy.BitBlt(0, 0, info.bmWidth, info.bmHeight, source, 0, 0, SRCCOPY);
}

TBitmap::TBitmap(const TDib &dib, const TPalette *palette) {
    TScreenDC screen;
    // A true-colour image has no table to build a palette from: it needs none.
    std::unique_ptr<TPalette> own;
    if (!palette && dib.NumColors() > 0 && dib.Usage() == DIB_RGB_COLORS) {
        own.reset(new TPalette(dib, 0));
        palette = own.get();
    }
    if (palette) {
        screen.SelectObject(*palette, false);
        screen.RealizePalette();
    }
    Handle = ::CreateDIBitmap(screen, dib.GetInfoHeader(), CBM_INIT, dib.GetBits(), dib.GetInfo(), dib.Usage());
    CheckValid();
    RefAdd(Handle, TObjInfo::Bitmap);
}

TBitmap::~TBitmap() { Release(); }

BITMAP TBitmap::Info() const {
    BITMAP info = {};
    GetObject(info);
    return info;
}

int TBitmap::Width() const { return Info().bmWidth; }
int TBitmap::Height() const { return Info().bmHeight; }
int TBitmap::Planes() const { return Info().bmPlanes; }
int TBitmap::BitsPixel() const { return Info().bmBitsPixel; }

bool TBitmap::GetBitmapDimension(TSize &size) const {
    SIZE s;
    bool ok = ::GetBitmapDimensionEx(GetHandle(), &s) != 0;
    size = TSize(s.cx, s.cy);
    return ok;
}

bool TBitmap::SetBitmapDimension(const TSize &size, TSize *oldSize) {
    SIZE old;
    bool ok = ::SetBitmapDimensionEx(GetHandle(), size.cx, size.cy, &old) != 0;
    if (oldSize)
        *oldSize = TSize(old.cx, old.cy);
    return ok;
}
