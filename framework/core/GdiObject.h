// Owning wrappers of the system's graphics objects, with the process-wide
// reference counts that keep a handle alive while a device context holds it.
#pragma once

#include "core/VeltraneDefs.h"
#include "core/Color.h"
#include "core/Geometry.h"
#include "core/TArrays.h"
#include "core/XBase.h"

#include <windows.h>

class TDC;
class TDib;

// 1: the wrapper releases the handle; 0: it never does.
enum TAutoDelete { NoAutoDelete = 0, AutoDelete = 1 };

class VELTRANE_API TXGdi : public TXYrt {
public:
    TXGdi(unsigned resId = 32739, HANDLE handle = 0);
    TXGdi *Clone() const override;
    [[noreturn]] void Throw() override;
    static String Msg(unsigned resId, HANDLE handle);
    [[noreturn]] static void Raise(unsigned resId = 32739, HANDLE handle = 0);
};

class VELTRANE_API TGdiBase {
public:
    static void CheckValid(HANDLE handle, unsigned resId = 32739);
    // Logs a failure met while releasing a handle: a destructor must not throw.
    static void ReportFailure(const TXGdi &failure) noexcept;

protected:
    TGdiBase();

    TGdiBase(HANDLE handle, TAutoDelete autoDelete);
    void CheckValid(unsigned resId = 32739);

    HANDLE Handle;
    bool ShouldDelete;
};

// One entry of the reference-count table. The count is a full int: a handle
// with many holders must never wrap round to zero and be deleted while in use.
struct TObjInfo {
    enum TType { None = 0, Pen = 1, Brush = 2, Font = 3, Palette = 4, Bitmap = 5 };
    HANDLE Handle;
    unsigned char Type;
    int RefCount;
};

// The table of registered handles, in insertion order.
class VELTRANE_API TObjInfoBag {
public:
    TObjInfoBag();
    ~TObjInfoBag();
    TObjInfoBag(const TObjInfoBag &) = delete;
    TObjInfoBag &operator=(const TObjInfoBag &) = delete;

    int Count() const { return count; }
    int Capacity() const { return capacity; }
    const TObjInfo &operator[](int i) const { return items[i]; }
    TObjInfo *Find(HANDLE handle);
    void Add(const TObjInfo &info);
    void Remove(TObjInfo *info);

private:
    TObjInfo *items;
    int count;
    int capacity;
};

class VELTRANE_API TGdiObject : public TGdiBase {
public:
    HGDIOBJ GetGdiHandle() const { return HGDIOBJ(Handle); }
    operator HGDIOBJ() const { return GetGdiHandle(); }
    bool operator==(const TGdiObject &other) const { return Handle == other.Handle; }
    bool operator!=(const TGdiObject &other) const { return Handle != other.Handle; }
    int GetObject(int size, void *buffer) const { return ::GetObjectA(HGDIOBJ(Handle), size, buffer); }
    unsigned GetObjectType() const { return ::GetObjectType(HGDIOBJ(Handle)); }
    bool IsGDIObject() const { return GetObjectType() != 0; }

    static TObjInfo *RefFind(HANDLE handle);
    static void RefAdd(HANDLE handle, TObjInfo::TType type);
    static void RefInc(HANDLE handle);
    static void RefDec(HANDLE handle, bool wantDelete = true);
    static void RefRemove(HANDLE handle);
    static int RefCount(HANDLE handle);
    static TObjInfoBag *GetObjInfoBag();

protected:
    TGdiObject() = default;
    TGdiObject(HANDLE handle, TAutoDelete autoDelete) : TGdiBase(handle, autoDelete) {}
    // Releases this wrapper's reference; a failure is reported, never thrown.
    void Release() noexcept;
};

class VELTRANE_API TPen : public TGdiObject {
public:
    TPen(HPEN handle, TAutoDelete autoDelete = NoAutoDelete);
    TPen(const TColor &color, int width = 1, int style = PS_SOLID);
    explicit TPen(const LOGPEN *logPen);
    TPen(const TPen &src);
    TPen(unsigned penStyle, unsigned width, const class TBrush &brush, unsigned styleCount = 0,
         const DWORD *styles = 0);
    TPen(unsigned penStyle, unsigned width, const LOGBRUSH &logBrush, unsigned styleCount = 0,
         const DWORD *styles = 0);
    ~TPen();
    TPen &operator=(const TPen &) = delete;

    HPEN GetHandle() const { return HPEN(Handle); }
    operator HPEN() const { return GetHandle(); }
    bool GetObject(LOGPEN &logPen) const { return TGdiObject::GetObject(sizeof logPen, &logPen) != 0; }
};

class VELTRANE_API TBrush : public TGdiObject {
public:
    TBrush(HBRUSH handle, TAutoDelete autoDelete = NoAutoDelete);
    explicit TBrush(const TColor &color);
    TBrush(const TColor &color, int hatchStyle);
    explicit TBrush(const class TBitmap &pattern);
    explicit TBrush(const LOGBRUSH *logBrush);
    TBrush(const TBrush &src);
    explicit TBrush(const TDib &pattern);
    ~TBrush();
    TBrush &operator=(const TBrush &) = delete;

    HBRUSH GetHandle() const { return HBRUSH(Handle); }
    operator HBRUSH() const { return GetHandle(); }
    bool GetObject(LOGBRUSH &logBrush) const {
        return TGdiObject::GetObject(sizeof logBrush, &logBrush) != 0;
    }

    // The cached solid brushes, newest first (for inspection).
    static HBRUSH CachedSolidBrush(int slot);
    static void ReleaseSolidBrushCache();

protected:
    TBrush() = default;
};

// A brush of an 8 x 8 one-bit pattern; byte 0 is the top row.
class VELTRANE_API THatch8x8Brush : public TBrush {
public:
    static const unsigned char Hatch13F1[8];  // 88 11 22 44 ...: diagonal lines
    static const unsigned char Hatch11F1[8];  // AA 55 ...: alternate pixels

    THatch8x8Brush(const unsigned char pattern[8], const TColor &foreground = TColor::White,
                   const TColor &background = TColor::Black);
    void Reconstruct(const unsigned char pattern[8], const TColor &foreground, const TColor &background);

private:
    static HBRUSH Create(const unsigned char pattern[8], const TColor &foreground, const TColor &background);
};

class VELTRANE_API TFont : public TGdiObject {
public:
    TFont(HFONT handle, TAutoDelete autoDelete = NoAutoDelete);
    TFont(const char *facename = 0, int height = 0, int width = 0, int escapement = 0, int orientation = 0,
          int weight = FW_NORMAL, unsigned char pitchAndFamily = 0, unsigned char italic = 0,
          unsigned char underline = 0, unsigned char strikeout = 0, unsigned char charSet = 1,
          unsigned char outputPrecision = 0, unsigned char clipPrecision = 0, unsigned char quality = 0);
    TFont(int height, int width, int escapement, int orientation, int weight, unsigned char italic,
          unsigned char underline, unsigned char strikeout, unsigned char charSet,
          unsigned char outputPrecision, unsigned char clipPrecision, unsigned char quality,
          unsigned char pitchAndFamily, const char *facename);
    explicit TFont(const LOGFONTA *logFont);
    TFont(const TFont &src);
    ~TFont();
    TFont &operator=(const TFont &) = delete;

    HFONT GetHandle() const { return HFONT(Handle); }
    operator HFONT() const { return GetHandle(); }
    bool GetObject(LOGFONTA &logFont) const { return TGdiObject::GetObject(sizeof logFont, &logFont) != 0; }

    void GetTextMetrics(TEXTMETRICA &tm, TDC &dc) const;
    void GetTextMetrics(TEXTMETRICA &tm) const;
    TEXTMETRICA GetTextMetrics(TDC &dc) const;
    TEXTMETRICA GetTextMetrics() const;
    int GetHeight() const;
    int GetHeight(TDC &dc) const;
    int GetAveWidth() const;
    int GetAveWidth(TDC &dc) const;
    int GetMaxWidth() const;
    int GetMaxWidth(TDC &dc) const;
    TSize GetTextExtent(const char *text) const;
    TSize GetTextExtent(TDC &dc, const char *text) const;
};

// The system's font for dialogs and controls; never deleted.
class VELTRANE_API TDefaultGUIFont : public TFont {
public:
    TDefaultGUIFont();
};

class VELTRANE_API TPalette : public TGdiObject {
public:
    TPalette(HPALETTE handle, TAutoDelete autoDelete = NoAutoDelete);
    TPalette(const TPalette &src);
    explicit TPalette(const LOGPALETTE *logPalette);
    TPalette(const PALETTEENTRY *entries, int count);
    TPalette(const BITMAPINFO *info, unsigned flags = 0);
    TPalette(const BITMAPCOREINFO *info, unsigned flags = 0);
    TPalette(const TDib &dib, unsigned flags = 0);
    ~TPalette();
    TPalette &operator=(const TPalette &) = delete;

    HPALETTE GetHandle() const { return HPALETTE(Handle); }
    operator HPALETTE() const { return GetHandle(); }
    bool GetObject(unsigned short &numEntries) const {
        return TGdiObject::GetObject(sizeof numEntries, &numEntries) != 0;
    }

    bool UnrealizeObject() { return ::UnrealizeObject(HGDIOBJ(Handle)) != 0; }
    bool ResizePalette(unsigned numEntries) { return ::ResizePalette(GetHandle(), numEntries) != 0; }
    void AnimatePalette(unsigned start, unsigned count, const PALETTEENTRY *entries) {
        ::AnimatePalette(GetHandle(), start, count, entries);
    }
    unsigned SetPaletteEntries(unsigned start, unsigned count, const PALETTEENTRY *entries) {
        return ::SetPaletteEntries(GetHandle(), start, count, entries);
    }
    unsigned SetPaletteEntry(unsigned index, const PALETTEENTRY &entry) {
        return ::SetPaletteEntries(GetHandle(), index, 1, &entry);
    }
    unsigned GetPaletteEntries(unsigned start, unsigned count, PALETTEENTRY *entries) const {
        return ::GetPaletteEntries(GetHandle(), start, count, entries);
    }
    unsigned GetPaletteEntry(unsigned index, PALETTEENTRY &entry) const {
        return ::GetPaletteEntries(GetHandle(), index, 1, &entry);
    }
    unsigned GetNearestPaletteIndex(const TColor &color) const {
        return ::GetNearestPaletteIndex(GetHandle(), color.GetValue());
    }
    int GetNumEntries() const;

private:
    static HPALETTE FromEntries(const PALETTEENTRY *entries, int count);
    static HPALETTE FromTable(const RGBQUAD *quads, const RGBTRIPLE *triples, int count, unsigned flags);
};

class VELTRANE_API TBitmap : public TGdiObject {
public:
    TBitmap(HBITMAP handle, TAutoDelete autoDelete = NoAutoDelete);
    TBitmap(int width, int height, unsigned char planes = 1, unsigned char bitCount = 1,
            const void *bits = 0);
    explicit TBitmap(const BITMAP *bitmap);
    TBitmap(const TDC &dc, int width, int height, bool discardable = false);
    TBitmap(const TDC &dc, const TDib &dib, unsigned long usage = CBM_INIT);
    TBitmap(HINSTANCE instance, TResId resId);
    TBitmap(const TBitmap &src);
    explicit TBitmap(const TDib &dib, const TPalette *palette = 0);
    ~TBitmap();
    TBitmap &operator=(const TBitmap &) = delete;

    HBITMAP GetHandle() const { return HBITMAP(Handle); }
    operator HBITMAP() const { return GetHandle(); }
    bool GetObject(BITMAP &bitmap) const { return TGdiObject::GetObject(sizeof bitmap, &bitmap) != 0; }

    int Width() const;
    int Height() const;
    TSize Size() const { return TSize(Width(), Height()); }
    int Planes() const;
    int BitsPixel() const;
    long GetBitmapBits(long count, void *bits) const { return ::GetBitmapBits(GetHandle(), count, bits); }
    long SetBitmapBits(long count, const void *bits) { return ::SetBitmapBits(GetHandle(), count, bits); }
    bool GetBitmapDimension(TSize &size) const;
    bool SetBitmapDimension(const TSize &size, TSize *oldSize = 0);

private:
    BITMAP Info() const;
};

// Regions, icons and cursors are released by their own destructors; they take
// no part in the reference counts.
class VELTRANE_API TRegion : public TGdiBase {
public:
    enum TEllipse { Ellipse };

    TRegion();
    TRegion(HRGN handle, TAutoDelete autoDelete = NoAutoDelete);
    TRegion(const TRegion &src);
    explicit TRegion(const TRect &rect);
    TRegion(const TRect &rect, TEllipse);
    TRegion(const TRect &rect, const TSize &corner);
    TRegion(const TPoint *points, int count, int fillMode);
    TRegion(const TPoint *points, const int *counts, int polyCount, int fillMode);
    ~TRegion();

    HRGN GetHandle() const { return HRGN(Handle); }
    operator HRGN() const { return GetHandle(); }

    TRegion &operator=(const TRegion &source);
    TRegion &operator+=(const TSize &delta);
    TRegion &operator-=(const TSize &delta);
    TRegion &operator-=(const TRegion &source);
    TRegion &operator&=(const TRegion &source);
    TRegion &operator&=(const TRect &rect);
    TRegion &operator|=(const TRegion &source);
    TRegion &operator|=(const TRect &rect);
    TRegion &operator^=(const TRegion &source);
    TRegion &operator^=(const TRect &rect);
    bool operator==(const TRegion &other) const { return ::EqualRgn(GetHandle(), other.GetHandle()) != 0; }
    bool operator!=(const TRegion &other) const { return !(*this == other); }

    bool Contains(const TPoint &point) const { return ::PtInRegion(GetHandle(), point.x, point.y) != 0; }
    bool Touches(const TRect &rect) const { return ::RectInRegion(GetHandle(), &rect) != 0; }
    int GetRgnBox(TRect &box) const { return ::GetRgnBox(GetHandle(), &box); }
    TRect GetRgnBox() const;
    void SetRectRgn(const TRect &rect) { ::SetRectRgn(GetHandle(), rect.left, rect.top, rect.right, rect.bottom); }

private:
    TRegion &Combine(HRGN other, int mode);
};

class VELTRANE_API TIcon : public TGdiBase {
public:
    TIcon(HICON handle, TAutoDelete autoDelete = NoAutoDelete);
    TIcon(HINSTANCE instance, const TIcon &icon);
    TIcon(HINSTANCE instance, TResId resId);
    TIcon(HINSTANCE instance, const char *fileName, int index);
    TIcon(HINSTANCE instance, const TSize &size, int planes, int bitsPixel, const void *andBits,
          const void *xorBits);
    TIcon(const void *resBits, unsigned long resSize);
    explicit TIcon(const ICONINFO *iconInfo);
    ~TIcon();
    TIcon(const TIcon &) = delete;
    TIcon &operator=(const TIcon &) = delete;

    HICON GetHandle() const { return HICON(Handle); }
    operator HICON() const { return GetHandle(); }
    bool operator==(const TIcon &other) const { return Handle == other.Handle; }
    bool GetIconInfo(ICONINFO *info) const { return ::GetIconInfo(GetHandle(), info) != 0; }
};

class VELTRANE_API TCursor : public TGdiBase {
public:
    TCursor(HCURSOR handle, TAutoDelete autoDelete = NoAutoDelete);
    TCursor(HINSTANCE instance, const TCursor &cursor);
    TCursor(HINSTANCE instance, TResId resId);
    TCursor(HINSTANCE instance, const TPoint &hotSpot, const TSize &size, const void *andBits,
            const void *xorBits);
    TCursor(const void *resBits, unsigned long resSize);
    explicit TCursor(const ICONINFO *iconInfo);
    ~TCursor();
    TCursor(const TCursor &) = delete;
    TCursor &operator=(const TCursor &) = delete;

    HCURSOR GetHandle() const { return HCURSOR(Handle); }
    operator HCURSOR() const { return GetHandle(); }
    bool operator==(const TCursor &other) const { return Handle == other.Handle; }
    bool GetIconInfo(ICONINFO *info) const { return ::GetIconInfo(GetHandle(), info) != 0; }
};
