// Device contexts: obtained and released the way their kind requires; the
// objects a context held before the framework selected its own are put back
// when the context is restored or destroyed.
#pragma once

#include "core/GdiObject.h"

class VELTRANE_API TDC : public TGdiBase {
public:
    explicit TDC(HDC handle);
    virtual ~TDC();
    TDC(const TDC &) = delete;
    TDC &operator=(const TDC &) = delete;

    // Virtual operations, in their slot order.
    virtual int SaveDC() const { return ::SaveDC(GetHDC()); }
    virtual bool RestoreDC(int savedDC = -1) { return ::RestoreDC(GetHDC(), savedDC) != 0; }
    virtual int GetDeviceCaps(int index) const { return ::GetDeviceCaps(GetAttributeHDC(), index); }
    virtual bool ResetDCA(DEVMODEA &devMode) { return ::ResetDCA(GetHDC(), &devMode) != 0; }
    virtual void SelectObject(const TFont &font);
    virtual void SelectStockObject(int index);
    virtual void RestoreFont();
    virtual TColor SetBkColor(const TColor &color);
    virtual TColor SetTextColor(const TColor &color);
    virtual int SetMapMode(int mode);
    virtual bool SetViewportOrg(const TPoint &origin, TPoint *oldOrg = 0);
    virtual bool OffsetViewportOrg(const TPoint &delta, TPoint *oldOrg = 0);
    virtual bool SetViewportExt(const TSize &extent, TSize *oldExtent = 0);
    virtual bool ScaleViewportExt(int xNum, int xDenom, int yNum, int yDenom, TSize *oldExtent = 0);
    virtual bool SetWindowExt(const TSize &extent, TSize *oldExtent = 0);
    virtual bool ScaleWindowExt(int xNum, int xDenom, int yNum, int yDenom, TSize *oldExtent = 0);
    virtual bool TextOutA(int x, int y, const char *text, int length = -1);
    virtual bool ExtTextOutA(int x, int y, unsigned options, const TRect *clip, const char *text, int length = -1,
                             const int *dx = 0);
    virtual bool TabbedTextOutA(const TPoint &point, const char *text, int length, int numPositions,
                                const int *positions, int tabOrigin, TSize &extent);
    virtual int DrawTextA(const char *text, int length, const TRect &rect, unsigned short format = 0);
    virtual bool GrayStringA(const TBrush &brush, GRAYSTRINGPROC outputFunc, const char *text, int length,
                             const TRect &rect);
    virtual HDC GetAttributeHDC() const { return GetHDC(); }

    HDC GetHDC() const { return HDC(Handle); }
    operator HDC() const { return GetHDC(); }
    bool IsDC() const { return Handle != 0; }

    // Selecting and restoring.
    void SelectObject(const TPen &pen);
    void SelectObject(const TBrush &brush);
    void SelectObject(const TPalette &palette, bool forceBackground = false);
    void RestorePen();
    void RestoreBrush();
    void RestorePalette();
    void RestoreTextBrush();
    void RestoreObjects();
    HGDIOBJ GetCurrentObject(unsigned type) const { return ::GetCurrentObject(GetHDC(), type); }

    // Attributes set on both contexts.
    bool SetWindowOrg(const TPoint &origin, TPoint *oldOrg = 0);
    bool OffsetWindowOrg(const TPoint &delta, TPoint *oldOrg = 0);
    int SetBkMode(int mode);
    int SetPolyFillMode(int mode);
    int SetROP2(int mode);
    int SetStretchBltMode(int mode);
    unsigned SetTextAlign(unsigned flags);
    int SetTextCharacterExtra(int extra);
    unsigned long SetMapperFlags(unsigned long flags);
    bool SetMiterLimit(float newLimit, float *oldLimit = 0);
    bool SetWorldTransform(const XFORM &xform);
    bool ModifyWorldTransform(const XFORM &xform, unsigned long mode);

    // Queries on the attribute context.
    TColor GetBkColor() const { return TColor(::GetBkColor(GetAttributeHDC())); }
    TColor GetTextColor() const { return TColor(::GetTextColor(GetAttributeHDC())); }
    int GetBkMode() const { return ::GetBkMode(GetAttributeHDC()); }
    int GetPolyFillMode() const { return ::GetPolyFillMode(GetAttributeHDC()); }
    int GetROP2() const { return ::GetROP2(GetAttributeHDC()); }
    int GetStretchBltMode() const { return ::GetStretchBltMode(GetAttributeHDC()); }
    int GetMapMode() const { return ::GetMapMode(GetAttributeHDC()); }
    unsigned GetTextAlign() const { return ::GetTextAlign(GetAttributeHDC()); }
    int GetTextCharacterExtra() const { return ::GetTextCharacterExtra(GetAttributeHDC()); }
    bool GetViewportOrg(TPoint &point) const { return ::GetViewportOrgEx(GetAttributeHDC(), &point) != 0; }
    TPoint GetViewportOrg() const;
    bool GetViewportExt(TSize &extent) const { return ::GetViewportExtEx(GetAttributeHDC(), &extent) != 0; }
    TSize GetViewportExt() const;
    bool GetWindowOrg(TPoint &point) const { return ::GetWindowOrgEx(GetAttributeHDC(), &point) != 0; }
    TPoint GetWindowOrg() const;
    bool GetWindowExt(TSize &extent) const { return ::GetWindowExtEx(GetAttributeHDC(), &extent) != 0; }
    TSize GetWindowExt() const;
    bool DPtoLP(TPoint *points, int count = 1) const { return ::DPtoLP(GetAttributeHDC(), points, count) != 0; }
    bool DPtoLP(TRect &rect) const { return DPtoLP(reinterpret_cast<TPoint *>(&rect), 2); }
    bool LPtoDP(TPoint *points, int count = 1) const { return ::LPtoDP(GetAttributeHDC(), points, count) != 0; }
    bool LPtoDP(TRect &rect) const { return LPtoDP(reinterpret_cast<TPoint *>(&rect), 2); }
    bool GetDCOrg(TPoint &point) const { return ::GetDCOrgEx(GetAttributeHDC(), &point) != 0; }
    TColor GetNearestColor(const TColor &color) const {
        return TColor(::GetNearestColor(GetAttributeHDC(), color.GetValue()));
    }
    bool GetTextExtent(const char *text, int length, TSize &size) const;
    TSize GetTextExtent(const char *text, int length) const;
    TSize GetTabbedTextExtentA(const char *text, int length, int numPositions, const int *positions) const;
    int GetTextFaceA(int count, char *facename) const { return ::GetTextFaceA(GetAttributeHDC(), count, facename); }
    bool GetTextMetricsA(TEXTMETRICA &metrics) const { return ::GetTextMetricsA(GetAttributeHDC(), &metrics) != 0; }
    unsigned long GetGlyphOutlineA(unsigned chr, unsigned format, GLYPHMETRICS &gm, unsigned long bufferSize,
                                   void *buffer, const MAT2 *mat2) const {
        return ::GetGlyphOutlineA(GetAttributeHDC(), chr, format, &gm, bufferSize, buffer, mat2);
    }
    int GetKerningPairsA(int pairs, KERNINGPAIR *kerningPairs) const {
        return ::GetKerningPairsA(GetAttributeHDC(), pairs, kerningPairs);
    }
    unsigned GetOutlineTextMetricsA(unsigned data, OUTLINETEXTMETRICA &otm) const {
        return ::GetOutlineTextMetricsA(GetAttributeHDC(), data, &otm);
    }
    bool GetCharWidthA(unsigned firstChar, unsigned lastChar, int *buffer) const {
        return ::GetCharWidthA(GetAttributeHDC(), firstChar, lastChar, buffer) != 0;
    }
    bool GetCharABCWidthsA(unsigned firstChar, unsigned lastChar, ABC *abc) const {
        return ::GetCharABCWidthsA(GetAttributeHDC(), firstChar, lastChar, abc) != 0;
    }
    bool GetAspectRatioFilter(TSize &size) const {
        return ::GetAspectRatioFilterEx(GetAttributeHDC(), &size) != 0;
    }
    unsigned long GetFontData(unsigned long table, unsigned long offset, void *buffer, long data) const {
        return ::GetFontData(GetAttributeHDC(), table, offset, buffer, data);
    }
    int EnumFontsA(const char *faceName, FONTENUMPROCA callback, void *data) const {
        return ::EnumFontsA(GetAttributeHDC(), faceName, callback, LPARAM(data));
    }
    int EnumFontFamiliesA(const char *family, FONTENUMPROCA callback, void *data) const {
        return ::EnumFontFamiliesA(GetAttributeHDC(), family, callback, LPARAM(data));
    }
    bool SetTextJustification(int breakExtra, int breakCount) {
        return ::SetTextJustification(GetAttributeHDC(), breakExtra, breakCount) != 0;
    }

    // Brush origin, objects, palettes.
    bool GetBrushOrg(TPoint &point) const { return ::GetBrushOrgEx(GetHDC(), &point) != 0; }
    bool SetBrushOrg(const TPoint &origin, TPoint *oldOrg = 0) {
        return ::SetBrushOrgEx(GetHDC(), origin.x, origin.y, oldOrg) != 0;
    }
    int EnumObjects(unsigned objectType, GOBJENUMPROC proc, void *data) const {
        return ::EnumObjects(GetHDC(), objectType, proc, LPARAM(data));
    }
    int RealizePalette() { return ::RealizePalette(GetHDC()); }
    void UpdateColors() { ::UpdateColors(GetHDC()); }
    unsigned GetSystemPaletteEntries(int start, int count, PALETTEENTRY *entries) const {
        return ::GetSystemPaletteEntries(GetHDC(), start, count, entries);
    }
    unsigned GetSystemPaletteUse() const { return ::GetSystemPaletteUse(GetHDC()); }
    int SetSystemPaletteUse(int usage) { return ::SetSystemPaletteUse(GetHDC(), usage); }

    // Clipping.
    int GetClipBox(TRect &rect) const { return ::GetClipBox(GetHDC(), &rect); }
    TRect GetClipBox() const;
    int ExcludeClipRect(const TRect &rect) {
        return ::ExcludeClipRect(GetHDC(), rect.left, rect.top, rect.right, rect.bottom);
    }
    int ExcludeUpdateRgn(HWND wnd) { return ::ExcludeUpdateRgn(GetHDC(), wnd); }
    int IntersectClipRect(const TRect &rect) {
        return ::IntersectClipRect(GetHDC(), rect.left, rect.top, rect.right, rect.bottom);
    }
    int OffsetClipRgn(const TPoint &delta) { return ::OffsetClipRgn(GetHDC(), delta.x, delta.y); }
    int SelectClipRgn(const TRegion &region) { return ::SelectClipRgn(GetHDC(), region); }
    int GetClipRgn(TRegion &region) const { return ::GetClipRgn(GetHDC(), region); }
    bool PtVisible(const TPoint &point) const { return ::PtVisible(GetHDC(), point.x, point.y) != 0; }
    bool RectVisible(const TRect &rect) const { return ::RectVisible(GetHDC(), &rect) != 0; }
    unsigned GetBoundsRect(TRect &bounds, unsigned flags) const { return ::GetBoundsRect(GetHDC(), &bounds, flags); }
    unsigned SetBoundsRect(const TRect &bounds, unsigned flags) { return ::SetBoundsRect(GetHDC(), &bounds, flags); }

    // Current position and lines.
    bool GetCurrentPosition(TPoint &point) const { return ::GetCurrentPositionEx(GetHDC(), &point) != 0; }
    bool MoveTo(int x, int y) { return ::MoveToEx(GetHDC(), x, y, 0) != 0; }
    bool MoveTo(const TPoint &point) { return MoveTo(point.x, point.y); }
    bool MoveTo(const TPoint &point, TPoint &oldPoint) {
        return ::MoveToEx(GetHDC(), point.x, point.y, &oldPoint) != 0;
    }
    bool LineTo(int x, int y) { return ::LineTo(GetHDC(), x, y) != 0; }
    bool LineTo(const TPoint &point) { return LineTo(point.x, point.y); }
    bool Polyline(const TPoint *points, int count) { return ::Polyline(GetHDC(), points, count) != 0; }
    bool PolylineTo(const TPoint *points, int count) { return ::PolylineTo(GetHDC(), points, count) != 0; }
    bool PolyPolyline(const TPoint *points, const DWORD *counts, int polyCount) {
        return ::PolyPolyline(GetHDC(), points, counts, polyCount) != 0;
    }
    bool PolyBezier(const TPoint *points, int count) { return ::PolyBezier(GetHDC(), points, count) != 0; }
    bool PolyBezierTo(const TPoint *points, int count) { return ::PolyBezierTo(GetHDC(), points, count) != 0; }
    bool PolyDraw(const TPoint *points, const BYTE *types, int count) {
        return ::PolyDraw(GetHDC(), points, types, count) != 0;
    }
    bool AngleArc(const TPoint &center, unsigned radius, float startAngle, float sweepAngle) {
        return ::AngleArc(GetHDC(), center.x, center.y, radius, startAngle, sweepAngle) != 0;
    }
    bool Arc(const TRect &rect, const TPoint &start, const TPoint &end) {
        return ::Arc(GetHDC(), rect.left, rect.top, rect.right, rect.bottom, start.x, start.y, end.x, end.y) != 0;
    }

    // Shapes.
    bool Chord(const TRect &rect, const TPoint &start, const TPoint &end) {
        return ::Chord(GetHDC(), rect.left, rect.top, rect.right, rect.bottom, start.x, start.y, end.x, end.y) != 0;
    }
    bool Pie(const TRect &rect, const TPoint &start, const TPoint &end) {
        return ::Pie(GetHDC(), rect.left, rect.top, rect.right, rect.bottom, start.x, start.y, end.x, end.y) != 0;
    }
    bool Ellipse(int x1, int y1, int x2, int y2) { return ::Ellipse(GetHDC(), x1, y1, x2, y2) != 0; }
    bool Ellipse(const TRect &rect) { return Ellipse(rect.left, rect.top, rect.right, rect.bottom); }
    bool Rectangle(int x1, int y1, int x2, int y2) { return ::Rectangle(GetHDC(), x1, y1, x2, y2) != 0; }
    bool Rectangle(const TRect &rect) { return Rectangle(rect.left, rect.top, rect.right, rect.bottom); }
    bool Rectangle(const TPoint &point, const TSize &size) {
        return Rectangle(point.x, point.y, point.x + size.cx, point.y + size.cy);
    }
    bool RoundRect(const TRect &rect, const TSize &corner) {
        return ::RoundRect(GetHDC(), rect.left, rect.top, rect.right, rect.bottom, corner.cx, corner.cy) != 0;
    }
    bool Polygon(const TPoint *points, int count) { return ::Polygon(GetHDC(), points, count) != 0; }
    bool PolyPolygon(const TPoint *points, const int *counts, int polyCount) {
        return ::PolyPolygon(GetHDC(), points, counts, polyCount) != 0;
    }

    // Icons and cursors.
    bool DrawIcon(int x, int y, const TIcon &icon) { return ::DrawIcon(GetHDC(), x, y, icon) != 0; }
    bool DrawIcon(const TPoint &point, const TIcon &icon) { return DrawIcon(point.x, point.y, icon); }
    bool DrawCursor(int x, int y, const TCursor &cursor) {
        return ::DrawIcon(GetHDC(), x, y, HICON(cursor.GetHandle())) != 0;
    }
    bool DrawCursor(const TPoint &point, const TCursor &cursor) { return DrawCursor(point.x, point.y, cursor); }
    bool DrawIcon(int x, int y, const TIcon &icon, int w, int h, int step = 0, HBRUSH flickerFree = 0,
                  unsigned flags = DI_NORMAL) {
        return ::DrawIconEx(GetHDC(), x, y, icon, w, h, step, flickerFree, flags) != 0;
    }
    bool DrawCursor(int x, int y, const TCursor &cursor, int w, int h, int step = 0, HBRUSH flickerFree = 0,
                    unsigned flags = DI_NORMAL) {
        return ::DrawIconEx(GetHDC(), x, y, HICON(cursor.GetHandle()), w, h, step, flickerFree, flags) != 0;
    }

    // Rectangles and regions.
    bool FrameRect(const TRect &rect, const TBrush &brush) { return ::FrameRect(GetHDC(), &rect, brush) != 0; }
    bool FillRect(const TRect &rect, const TBrush &brush) { return ::FillRect(GetHDC(), &rect, brush) != 0; }
    bool InvertRect(const TRect &rect) { return ::InvertRect(GetHDC(), &rect) != 0; }
    bool DrawFocusRect(const TRect &rect) { return ::DrawFocusRect(GetHDC(), &rect) != 0; }
    bool FrameRgn(const TRegion &region, const TBrush &brush, const TSize &size) {
        return ::FrameRgn(GetHDC(), region, brush, size.cx, size.cy) != 0;
    }
    bool FillRgn(const TRegion &region, const TBrush &brush) { return ::FillRgn(GetHDC(), region, brush) != 0; }
    bool InvertRgn(const TRegion &region) { return ::InvertRgn(GetHDC(), region) != 0; }
    bool PaintRgn(const TRegion &region) { return ::PaintRgn(GetHDC(), region) != 0; }

    // Pixels.
    TColor GetPixel(int x, int y) const { return TColor(::GetPixel(GetHDC(), x, y)); }
    TColor GetPixel(const TPoint &point) const { return GetPixel(point.x, point.y); }
    TColor SetPixel(int x, int y, const TColor &color) {
        return TColor(::SetPixel(GetHDC(), x, y, color.GetValue()));
    }
    TColor SetPixel(const TPoint &point, const TColor &color) { return SetPixel(point.x, point.y, color); }
    bool FloodFill(const TPoint &point, const TColor &color) {
        return ::FloodFill(GetHDC(), point.x, point.y, color.GetValue()) != 0;
    }
    bool ExtFloodFill(const TPoint &point, const TColor &color, unsigned fillType) {
        return ::ExtFloodFill(GetHDC(), point.x, point.y, color.GetValue(), fillType) != 0;
    }

    // Blocks.
    bool BitBlt(int dstX, int dstY, int w, int h, const TDC &src, int srcX, int srcY, unsigned long rop = SRCCOPY) {
        return ::BitBlt(GetHDC(), dstX, dstY, w, h, src, srcX, srcY, rop) != 0;
    }
    bool BitBlt(const TRect &dst, const TDC &src, const TPoint &srcPos, unsigned long rop = SRCCOPY) {
        return BitBlt(dst.left, dst.top, dst.Width(), dst.Height(), src, srcPos.x, srcPos.y, rop);
    }
    bool PatBlt(int x, int y, int w, int h, unsigned long rop = PATCOPY) {
        return ::PatBlt(GetHDC(), x, y, w, h, rop) != 0;
    }
    bool PatBlt(const TRect &dst, unsigned long rop = PATCOPY) {
        return PatBlt(dst.left, dst.top, dst.Width(), dst.Height(), rop);
    }
    bool StretchBlt(int dstX, int dstY, int dstW, int dstH, const TDC &src, int srcX, int srcY, int srcW, int srcH,
                    unsigned long rop = SRCCOPY) {
        return ::StretchBlt(GetHDC(), dstX, dstY, dstW, dstH, src, srcX, srcY, srcW, srcH, rop) != 0;
    }
    bool StretchBlt(const TRect &dst, const TDC &src, const TRect &srcRect, unsigned long rop = SRCCOPY) {
        return StretchBlt(dst.left, dst.top, dst.Width(), dst.Height(), src, srcRect.left, srcRect.top,
                          srcRect.Width(), srcRect.Height(), rop);
    }
    bool MaskBlt(const TRect &dst, const TDC &src, const TPoint &srcPos, const TBitmap &mask, const TPoint &maskPos,
                 unsigned long rop) {
        return ::MaskBlt(GetHDC(), dst.left, dst.top, dst.Width(), dst.Height(), src, srcPos.x, srcPos.y, mask,
                         maskPos.x, maskPos.y, rop) != 0;
    }
    bool PlgBlt(const TPoint *dst, const TDC &src, const TRect &srcRect, const TBitmap &mask, const TPoint &maskPos) {
        return ::PlgBlt(GetHDC(), dst, src, srcRect.left, srcRect.top, srcRect.Width(), srcRect.Height(), mask,
                        maskPos.x, maskPos.y) != 0;
    }
    bool ScrollDC(int dx, int dy, const TRect &scroll, const TRect &clip, TRegion &updateRgn, TRect &updateRect) {
        return ::ScrollDC(GetHDC(), dx, dy, &scroll, &clip, updateRgn, &updateRect) != 0;
    }

    // Device-independent bitmaps.
    int GetDIBits(const TBitmap &bitmap, unsigned startScan, unsigned numScans, void *bits, BITMAPINFO &info,
                  unsigned usage) {
        return ::GetDIBits(GetHDC(), bitmap, startScan, numScans, bits, &info, usage);
    }
    int GetDIBits(const TBitmap &bitmap, TDib &dib);
    int SetDIBits(TBitmap &bitmap, unsigned startScan, unsigned numScans, const void *bits, const BITMAPINFO &info,
                  unsigned usage) {
        return ::SetDIBits(GetHDC(), bitmap, startScan, numScans, bits, &info, usage);
    }
    int SetDIBits(TBitmap &bitmap, const TDib &dib);
    int SetDIBitsToDevice(const TRect &dst, const TPoint &src, unsigned startScan, unsigned numScans,
                          const void *bits, const BITMAPINFO &info, unsigned usage) {
        return ::SetDIBitsToDevice(GetHDC(), dst.left, dst.top, dst.Width(), dst.Height(), src.x, src.y, startScan,
                                   numScans, bits, &info, usage);
    }
    int SetDIBitsToDevice(const TRect &dst, const TPoint &src, const TDib &dib);
    int StretchDIBits(const TRect &dst, const TRect &src, const void *bits, const BITMAPINFO &info, unsigned usage,
                      unsigned long rop = SRCCOPY) {
        return ::StretchDIBits(GetHDC(), dst.left, dst.top, dst.Width(), dst.Height(), src.left, src.top,
                               src.Width(), src.Height(), bits, &info, usage, rop);
    }
    int StretchDIBits(const TRect &dst, const TRect &src, const TDib &dib, unsigned long rop = SRCCOPY);
    HBITMAP CreateDIBSection(const BITMAPINFO &info, unsigned usage, void **bits, HANDLE section = 0,
                             unsigned long offset = 0) {
        return ::CreateDIBSection(GetHDC(), &info, usage, bits, section, offset);
    }

    // Paths.
    bool BeginPath() { return ::BeginPath(GetHDC()) != 0; }
    bool CloseFigure() { return ::CloseFigure(GetHDC()) != 0; }
    bool EndPath() { return ::EndPath(GetHDC()) != 0; }
    bool FlattenPath() { return ::FlattenPath(GetHDC()) != 0; }
    bool WidenPath() { return ::WidenPath(GetHDC()) != 0; }
    bool FillPath() { return ::FillPath(GetHDC()) != 0; }
    bool StrokePath() { return ::StrokePath(GetHDC()) != 0; }
    bool StrokeAndFillPath() { return ::StrokeAndFillPath(GetHDC()) != 0; }
    bool SelectClipPath(int mode) { return ::SelectClipPath(GetHDC(), mode) != 0; }
    HRGN PathToRegion() { return ::PathToRegion(GetHDC()); }

    // Text output.
    bool TextOutA(const TPoint &point, const char *text, int length = -1) {
        return TextOutA(point.x, point.y, text, length);
    }
    bool ExtTextOutA(const TPoint &point, unsigned options, const TRect *clip, const char *text, int length = -1,
                     const int *dx = 0) {
        return ExtTextOutA(point.x, point.y, options, clip, text, length, dx);
    }
    bool TextRect(int left, int top, int right, int bottom);
    bool TextRect(const TRect &rect) { return TextRect(rect.left, rect.top, rect.right, rect.bottom); }
    bool TextRect(int left, int top, int right, int bottom, const TColor &color);
    bool TextRect(const TRect &rect, const TColor &color) {
        return TextRect(rect.left, rect.top, rect.right, rect.bottom, color);
    }
    void YrtFastWindowFrame(const TBrush &brush, const TRect &rect, int width, int height);

protected:
    TDC();
    TDC(HDC handle, TAutoDelete autoDelete);

    // Selects a handle into the output context and keeps the reference counts
    // and the initial object of its kind.
    void SelectHandle(HGDIOBJ handle, HANDLE &initial);
    void RestoreHandle(HANDLE &initial);

    HANDLE OrgBrush;
    HANDLE OrgPen;
    HANDLE OrgFont;
    HANDLE OrgPalette;
    HANDLE OrgTextBrush;
};

class VELTRANE_API TWindowDC : public TDC {
public:
    explicit TWindowDC(HWND wnd);
    ~TWindowDC();

protected:
    TWindowDC() : Wnd(0) {}
    HWND Wnd;
};

class VELTRANE_API TScreenDC : public TWindowDC {
public:
    TScreenDC();
};

class VELTRANE_API TDesktopDC : public TWindowDC {
public:
    TDesktopDC();
};

class VELTRANE_API TClientDC : public TWindowDC {
public:
    explicit TClientDC(HWND wnd);
};

class VELTRANE_API TPaintDC : public TDC {
public:
    explicit TPaintDC(HWND wnd);
    ~TPaintDC();

    PAINTSTRUCT Ps;

protected:
    HWND Wnd;
};

class VELTRANE_API TCreatedDC : public TDC {
public:
    TCreatedDC(const char *driver, const char *device, const char *output, const DEVMODEA *initData = 0);
    TCreatedDC(HDC handle, TAutoDelete autoDelete);
    ~TCreatedDC();

protected:
    TCreatedDC() = default;
};

class VELTRANE_API TIC : public TCreatedDC {
public:
    TIC(const char *driver, const char *device, const char *output, const DEVMODEA *initData = 0);
};

class VELTRANE_API TMemoryDC : public TCreatedDC {
public:
    TMemoryDC();
    explicit TMemoryDC(const TDC &dc);
    TMemoryDC(HDC handle, TAutoDelete autoDelete);
    explicit TMemoryDC(TBitmap &bitmap);
    ~TMemoryDC();

    using TDC::SelectObject;
    void SelectObject(const TFont &font) override;
    void SelectObject(const TBitmap &bitmap);
    void RestoreBitmap();
    void RestoreObjects();

    // Cache slots, for inspection: the context of a slot (null when never
    // filled) and whether it is in use.
    static HDC CachedDC(int slot);
    static bool CachedDCInUse(int slot);
    static void ReleaseCache();

protected:
    TMemoryDC(const char *driver, const char *device, const char *output, const DEVMODEA *initData = 0);
    void TakeFromCache();

    HANDLE OrgBitmap;
    // The cache slot this context came from (-1: none) and the state saved
    // when it was taken, so that the next user gets it back as it was.
    int CacheSlot;
    int CacheState;
};

class VELTRANE_API TDibDC : public TMemoryDC {
public:
    TDibDC();
    explicit TDibDC(const TBitmap &bitmap);

    void SelectObject(const TFont &font) override;
    using TMemoryDC::SelectObject;

    unsigned GetDIBColorTable(unsigned start, unsigned count, RGBQUAD *colors) {
        return ::GetDIBColorTable(GetHDC(), start, count, colors);
    }
    unsigned SetDIBColorTable(unsigned start, unsigned count, const RGBQUAD *colors) {
        return ::SetDIBColorTable(GetHDC(), start, count, colors);
    }
    bool BitBltToScreen(TDC &dc, const TRect &dst, const TPoint &src) const {
        return dc.BitBlt(dst, *this, src, SRCCOPY);
    }
    bool BitBltToScreen(TDC &dc, int dstX, int dstY, int dstW, int dstH, int srcX, int srcY) const {
        return dc.BitBlt(dstX, dstY, dstW, dstH, *this, srcX, srcY, SRCCOPY);
    }
    bool StretchBltToScreen(TDC &dc, const TRect &dst, const TRect &src) const {
        return dc.StretchBlt(dst, *this, src, SRCCOPY);
    }
    bool StretchBltToScreen(TDC &dc, int dstX, int dstY, int dstW, int dstH, int srcX, int srcY, int srcW,
                            int srcH) const {
        return dc.StretchBlt(dstX, dstY, dstW, dstH, *this, srcX, srcY, srcW, srcH, SRCCOPY);
    }
};

struct TBandInfo {
    bool HasGraphics;
    bool HasText;
    TRect GraphicsRect;
};

class VELTRANE_API TPrintDC : public TCreatedDC {
public:
    TPrintDC(const char *driver, const char *device, const char *output, const DEVMODEA *initData = 0);

    const DOCINFOA &GetDocInfo() const { return DocInfo; }
    void SetDocInfo(const DOCINFOA &docInfo) { DocInfo = docInfo; }
    int Escape(int escape, int inputSize = 0, const void *input = 0, void *output = 0) {
        return ::Escape(GetHDC(), escape, inputSize, static_cast<const char *>(input), output);
    }
    int SetAbortProc(ABORTPROC proc) { return ::SetAbortProc(GetHDC(), proc); }
    int StartDocA(const char *docName, const char *output);
    int StartPage() { return ::StartPage(GetHDC()); }
    int BandInfo(TBandInfo &bandInfo);
    int NextBand(TRect &rect) { return Escape(NEXTBAND, 0, 0, &rect); }
    int EndPage();
    int AbortDoc() { return ::AbortDoc(GetHDC()); }
    int EndDoc() { return ::EndDoc(GetHDC()); }
    int QueryEscSupport(int escape) { return Escape(QUERYESCSUPPORT, sizeof(int), &escape); }
    int SetCopyCount(int requestCount, int &actualCount) {
        return Escape(SETCOPYCOUNT, sizeof(int), &requestCount, &actualCount);
    }

protected:
    DOCINFOA DocInfo;
};
