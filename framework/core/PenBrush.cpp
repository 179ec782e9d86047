#include "core/GdiObject.h"
#include "core/Dib.h"

#include <cstring>

// --- TPen ---

TPen::TPen(HPEN handle, TAutoDelete autoDelete) : TGdiObject(handle, autoDelete) {
    if (ShouldDelete)
        RefAdd(Handle, TObjInfo::Pen);
}

TPen::TPen(const TColor &color, int width, int style) {
    if (width == 1 && style == PS_SOLID && (color == TColor::Black || color == TColor::White)) {
        Handle = ::GetStockObject(color == TColor::Black ? BLACK_PEN : WHITE_PEN);
        ShouldDelete = false;
        return;
    }
    Handle = ::CreatePen(style, width, color.GetValue());
    CheckValid();
    RefAdd(Handle, TObjInfo::Pen);
}

TPen::TPen(const LOGPEN *logPen) {
    Handle = ::CreatePenIndirect(logPen);
    CheckValid();
    RefAdd(Handle, TObjInfo::Pen);
}

TPen::TPen(const TPen &src) : TGdiObject(src.Handle, src.ShouldDelete ? AutoDelete : NoAutoDelete) {
    // A shared stock or foreign handle stays out of the counts.
    if (ShouldDelete)
        RefAdd(Handle, TObjInfo::Pen);
}

TPen::TPen(unsigned penStyle, unsigned width, const TBrush &brush, unsigned styleCount, const DWORD *styles) {
    LOGBRUSH logBrush;
    brush.GetObject(logBrush);
    Handle = ::ExtCreatePen(penStyle, width, &logBrush, styleCount, styles);
    CheckValid();
    RefAdd(Handle, TObjInfo::Pen);
}

TPen::TPen(unsigned penStyle, unsigned width, const LOGBRUSH &logBrush, unsigned styleCount,
           const DWORD *styles) {
    Handle = ::ExtCreatePen(penStyle, width, &logBrush, styleCount, styles);
    CheckValid();
    RefAdd(Handle, TObjInfo::Pen);
}

TPen::~TPen() { Release(); }

// --- Solid-brush cache ---
//
// Eight most recently used solid brushes, newest first. The cache holds one
// reference of each; every wrapper made from a colour holds one more, so an
// evicted brush lives on while a wrapper or a device context still uses it.

namespace {
struct TSolidBrushSlot {
    HBRUSH Brush;
    COLORREF Color;
};
const int SolidCacheSize = 8;
TSolidBrushSlot solidCache[SolidCacheSize];

struct TSolidCacheCleanup {
    ~TSolidCacheCleanup() { TBrush::ReleaseSolidBrushCache(); }
} solidCacheCleanup;

HBRUSH SolidBrushFor(COLORREF value) {
    for (int i = 0; i < SolidCacheSize && solidCache[i].Brush; ++i) {
        if (solidCache[i].Color != value)
            continue;
        TSolidBrushSlot hit = solidCache[i];
        for (int j = i; j > 0; --j)
            solidCache[j] = solidCache[j - 1];
        solidCache[0] = hit;
        return hit.Brush;
    }
    HBRUSH brush = ::CreateSolidBrush(value);
    TGdiBase::CheckValid(brush);
    if (HBRUSH evicted = solidCache[SolidCacheSize - 1].Brush) {
        solidCache[SolidCacheSize - 1].Brush = 0;
        TGdiObject::RefDec(evicted);
    }
    for (int j = SolidCacheSize - 1; j > 0; --j)
        solidCache[j] = solidCache[j - 1];
    solidCache[0] = TSolidBrushSlot{brush, value};
    TGdiObject::RefAdd(brush, TObjInfo::Brush);
    return brush;
}
}  // namespace

HBRUSH TBrush::CachedSolidBrush(int slot) {
    return slot >= 0 && slot < SolidCacheSize ? solidCache[slot].Brush : 0;
}

void TBrush::ReleaseSolidBrushCache() {
    for (int i = 0; i < SolidCacheSize && solidCache[i].Brush; ++i) {
        HBRUSH brush = solidCache[i].Brush;
        solidCache[i].Brush = 0;
        try {
            RefDec(brush);
        } catch (const TXGdi &failure) {
            ReportFailure(failure);
        }
    }
}

// --- TBrush ---

TBrush::TBrush(HBRUSH handle, TAutoDelete autoDelete) : TGdiObject(handle, autoDelete) {
    if (ShouldDelete)
        RefAdd(Handle, TObjInfo::Brush);
}

TBrush::TBrush(const TColor &color) {
    Handle = SolidBrushFor(color.GetValue());
    RefInc(Handle);
}

TBrush::TBrush(const TColor &color, int hatchStyle) {
    Handle = ::CreateHatchBrush(hatchStyle, color.GetValue());
    CheckValid();
    RefAdd(Handle, TObjInfo::Brush);
}

TBrush::TBrush(const TBitmap &pattern) {
    Handle = ::CreatePatternBrush(pattern.GetHandle());
    CheckValid();
    RefAdd(Handle, TObjInfo::Brush);
}

TBrush::TBrush(const LOGBRUSH *logBrush) {
    Handle = ::CreateBrushIndirect(logBrush);
    CheckValid();
    RefAdd(Handle, TObjInfo::Brush);
}

TBrush::TBrush(const TBrush &src) : TGdiObject(src.Handle, src.ShouldDelete ? AutoDelete : NoAutoDelete) {
    // A shared stock or foreign handle stays out of the counts.
    if (ShouldDelete)
        RefAdd(Handle, TObjInfo::Brush);
}

TBrush::TBrush(const TDib &pattern) {
    Handle = ::CreateDIBPatternBrushPt(pattern.GetInfo(), pattern.Usage());
    CheckValid();
    RefAdd(Handle, TObjInfo::Brush);
}

TBrush::~TBrush() { Release(); }

// --- THatch8x8Brush ---

const unsigned char THatch8x8Brush::Hatch13F1[8] = {0x88, 0x11, 0x22, 0x44, 0x88, 0x11, 0x22, 0x44};
const unsigned char THatch8x8Brush::Hatch11F1[8] = {0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55};

HBRUSH THatch8x8Brush::Create(const unsigned char pattern[8], const TColor &foreground,
                              const TColor &background) {
    TDib dib(8, 8, 2, DIB_RGB_COLORS);
    unsigned char *bits = static_cast<unsigned char *>(dib.GetBits());
    std::memset(bits, 0, 32);
    for (int i = 0; i < 8; ++i)
        bits[(7 - i) * 4] = pattern[i];
    dib.SetColor(0, background);
    dib.SetColor(1, foreground);
    HBRUSH brush = ::CreateDIBPatternBrushPt(dib.GetInfo(), DIB_RGB_COLORS);
    CheckValid(brush);
    return brush;
}

THatch8x8Brush::THatch8x8Brush(const unsigned char pattern[8], const TColor &foreground,
                               const TColor &background) {
    Handle = Create(pattern, foreground, background);
    ShouldDelete = true;
    RefAdd(Handle, TObjInfo::Brush);
}

void THatch8x8Brush::Reconstruct(const unsigned char pattern[8], const TColor &foreground,
                                 const TColor &background) {
    HBRUSH brush = Create(pattern, foreground, background);
    Release();
    Handle = brush;
    ShouldDelete = true;
    RefAdd(Handle, TObjInfo::Brush);
}
