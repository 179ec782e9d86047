#include "core/UIParts.h"
#include "core/UISystemDrawing.h"

#include <algorithm>
#include <memory>

namespace {
// Raster operations: the pattern where the mask is white, the destination where it is black.
const unsigned long PatternWhereWhite = 0x00E20746;
// The pattern where the mask is black, the destination where it is white.
const unsigned long PatternWhereBlack = 0x00B8074A;

std::unique_ptr<THatch8x8Brush> ditherBrush;
COLORREF ditherHighlight;
std::unique_ptr<TBitmap> glyphMask;

// Process-wide drawing state goes before the library's own statics do.
struct TFaceCleanup {
    ~TFaceCleanup() {
        ditherBrush.reset();
        glyphMask.reset();
    }
} faceCleanup;
}  // namespace

TUIFace::TUIFace(const TRect &faceRect, const TBitmap &bm, const TColor &maskColor, const TColor &fillColor)
    : Face(faceRect), Text(0), Bm(&bm), Icon(0), MaskColor(maskColor), FillColor(fillColor) {}

TUIFace::TUIFace(const TRect &faceRect, const char *text, const TColor &fillColor)
    : Face(faceRect), Text(text), Bm(0), Icon(0), MaskColor(TColor::None), FillColor(fillColor) {}

TUIFace::TUIFace(const TRect &faceRect, const TIcon &icon, const TColor &, const TColor &fillColor)
    : Face(faceRect), Text(0), Bm(0), Icon(&icon), MaskColor(TColor::None), FillColor(fillColor) {}

void TUIFace::Paint(TDC &dc, const TPoint &offset, TState state, bool pressed, bool fillFace) {
    if (Bm)
        PaintBm(*Bm, TRect(TPoint(0, 0), Bm->Size()), dc, Face, offset, state, pressed, fillFace, MaskColor,
                FillColor);
    else if (Text)
        PaintText(dc, offset, state, pressed, fillFace);
}

void TUIFace::Paint(TDC &dc, const TRect &srcRect, const TPoint &offset, TState state, bool pressed,
                    bool fillFace) {
    if (Bm)
        PaintBm(*Bm, srcRect, dc, Face, offset, state, pressed, fillFace, MaskColor, FillColor);
    else if (Text)
        PaintText(dc, offset, state, pressed, fillFace);
}

// Text faces are drawn by their owners (etched text, for instance).
void TUIFace::PaintText(TDC &, const TPoint &, TState, bool, bool) {}

void TUIFace::PaintMask(TDC &dc, const TPoint &point) {
    if (Bm)
        PaintMaskBm(*Bm, dc, point, MaskColor);
}

TBitmap &TUIFace::GetGlyphMask(const TSize &minSize) {
    if (glyphMask) {
        TSize size = glyphMask->Size();
        if (size.cx >= minSize.cx && size.cy >= minSize.cy)
            return *glyphMask;
        glyphMask.reset(new TBitmap(std::max(size.cx, minSize.cx), std::max(size.cy, minSize.cy), 1, 1));
    } else {
        glyphMask.reset(new TBitmap(std::max(1L, minSize.cx), std::max(1L, minSize.cy), 1, 1));
    }
    return *glyphMask;
}

TBrush &TUIFace::GetDitherBrush() {
    COLORREF highlight = TColor::Sys3dHilight.GetValue();
    if (!ditherBrush)
        ditherBrush.reset(new THatch8x8Brush(THatch8x8Brush::Hatch11F1, TColor::Sys3dFace.Rgb(), TColor(highlight)));
    else if (highlight != ditherHighlight)
        ditherBrush->Reconstruct(THatch8x8Brush::Hatch11F1, TColor::Sys3dFace.Rgb(), TColor(highlight));
    ditherHighlight = highlight;
    return *ditherBrush;
}

void TUIFace::BuildMask(TDC &maskDC, const TPoint &maskDst, const TSize &maskSize, TDC &glyphDC,
                        const TRect &glyphRect, const TColor &maskColor) {
    TBitmap &mask = GetGlyphMask(TSize(maskDst.x + maskSize.cx, maskDst.y + maskSize.cy));
    maskDC.PatBlt(0, 0, mask.Width(), mask.Height(), WHITENESS);
    if (maskColor == TColor::None)
        return;
    // Copying colour to monochrome turns the background colour white and all else black.
    TColor oldBk = glyphDC.SetBkColor(maskColor);
    maskDC.BitBlt(maskDst.x, maskDst.y, maskSize.cx, maskSize.cy, glyphDC, glyphRect.left, glyphRect.top,
                  SRCCOPY);
    glyphDC.SetBkColor(oldBk);
}

void TUIFace::FillBackground(TDC &dc, TDC &maskDC, const TRect &dstRect, const TBrush &brush) {
    dc.SelectObject(brush);
    TColor oldText = dc.SetTextColor(TColor::Black);
    TColor oldBk = dc.SetBkColor(TColor::White);
    dc.BitBlt(dstRect.left, dstRect.top, dstRect.Width(), dstRect.Height(), maskDC, 0, 0, PatternWhereWhite);
    dc.SetTextColor(oldText);
    dc.SetBkColor(oldBk);
    dc.RestoreBrush();
}

void TUIFace::DitherBackground(TDC &dc, TDC &maskDC, const TRect &dstRect) {
    FillBackground(dc, maskDC, dstRect, GetDitherBrush());
}

void TUIFace::PaintBm(const TBitmap &glyph, const TRect &srcRect, TDC &dc, const TRect &faceRect,
                      const TPoint &offset, TState state, bool pressed, bool fillFace, const TColor &maskColor,
                      const TColor &fillColor) {
    if (unsigned(state) > Default)
        return;
    TMemoryDC glyphDC(const_cast<TBitmap &>(glyph));
    glyphDC.SetTextColor(TColor::Black);
    glyphDC.SetBkColor(TColor::White);

    TRect placed(TPoint(faceRect.left + offset.x, faceRect.top + offset.y), srcRect.Size());
    if (pressed || state == Down)
        placed.Offset(1, 1);
    TRect dst = placed;
    dst &= faceRect;
    if (dst.IsEmpty())
        dst = TRect(placed.TopLeft(), TSize(0, 0));
    // Clipping at the left or top moves the source corner with it.
    TPoint src(srcRect.left + dst.left - placed.left, srcRect.top + dst.top - placed.top);
    TRect glyphRect(src, dst.Size());
    TRect bkgnd = fillFace ? faceRect : dst;

    // The mask covers an area with the glyph at its place inside it.
    TMemoryDC maskDC;
    auto buildMask = [&](const TRect &area) {
        maskDC.SelectObject(GetGlyphMask(area.Size()));
        BuildMask(maskDC, TPoint(dst.left - area.left, dst.top - area.top), dst.Size(), glyphDC, glyphRect,
                  maskColor);
    };
    auto orHighlight = [&](const TRect &area) {
        TColor oldBk = glyphDC.SetBkColor(TColor::Sys3dHilight);
        maskDC.BitBlt(dst.left - area.left, dst.top - area.top, dst.Width(), dst.Height(), glyphDC, src.x, src.y,
                      SRCPAINT);
        glyphDC.SetBkColor(oldBk);
    };
    auto copyGlyph = [&] { dc.BitBlt(dst, glyphDC, src, SRCCOPY); };

    switch (state) {
    case Normal:
        if (fillFace) {
            buildMask(bkgnd);
            FillBackground(dc, maskDC, bkgnd, TBrush(TColor::Sys3dFace));
        }
        copyGlyph();
        break;
    case Down:
        copyGlyph();
        buildMask(bkgnd);
        DitherBackground(dc, maskDC, bkgnd);
        break;
    case Indeterm: {
        buildMask(faceRect);
        orHighlight(faceRect);
        TBrush shadow(TColor::Sys3dShadow);
        dc.SelectObject(shadow);
        TColor oldText = dc.SetTextColor(TColor::Black);
        TColor oldBk = dc.SetBkColor(TColor::White);
        dc.BitBlt(faceRect.left, faceRect.top, faceRect.Width(), faceRect.Height(), maskDC, 0, 0,
                  PatternWhereBlack);
        dc.SetTextColor(oldText);
        dc.SetBkColor(oldBk);
        dc.RestoreBrush();
        DitherBackground(dc, maskDC, faceRect);
        break;
    }
    case Disabled: {
        dc.TextRect(bkgnd, fillColor);
        buildMask(dst);
        orHighlight(dst);
        TColor oldText = dc.SetTextColor(TColor::Black);
        TColor oldBk = dc.SetBkColor(TColor::White);
        TBrush highlight(TColor::Sys3dHilight);
        dc.SelectObject(highlight);
        dc.BitBlt(dst.left + 1, dst.top + 1, dst.Width(), dst.Height(), maskDC, 0, 0, PatternWhereBlack);
        TBrush shadow(TColor::Sys3dShadow);
        dc.SelectObject(shadow);
        dc.BitBlt(dst.left, dst.top, dst.Width(), dst.Height(), maskDC, 0, 0, PatternWhereBlack);
        dc.RestoreBrush();
        dc.SetTextColor(oldText);
        dc.SetBkColor(oldBk);
        break;
    }
    case Default:
        copyGlyph();
        break;
    }
}

void TUIFace::PaintMaskBm(const TBitmap &glyph, TDC &dc, const TPoint &point, const TColor &maskColor) {
    TMemoryDC glyphDC(const_cast<TBitmap &>(glyph));
    TSize size = glyph.Size();
    TMemoryDC maskDC(GetGlyphMask(size));
    BuildMask(maskDC, TPoint(0, 0), size, glyphDC, TRect(TPoint(0, 0), size), maskColor);
    TColor oldBk = glyphDC.SetBkColor(TColor::Sys3dHilight);
    maskDC.BitBlt(0, 0, size.cx, size.cy, glyphDC, 0, 0, SRCPAINT);
    glyphDC.SetBkColor(oldBk);
    dc.BitBlt(point.x, point.y, size.cx, size.cy, maskDC, 0, 0, SRCCOPY);
}

int TUIFace::DrawTextEtched(TDC &dc, const char *text, int count, const TRect &rect, unsigned short format) {
    // Transparent, or the second pass would blank out the first.
    int oldMode = dc.SetBkMode(TRANSPARENT);
    TColor oldText = dc.SetTextColor(TColor::Sys3dHilight);
    TRect moved = rect.OffsetBy(1, 1);
    int result = dc.DrawTextA(text, count, moved, format);
    if (!(format & DT_CALCRECT)) {
        dc.SetTextColor(TColor::Sys3dShadow);
        TRect at = rect;
        result = dc.DrawTextA(text, count, at, format);
    }
    dc.SetTextColor(oldText);
    dc.SetBkMode(oldMode);
    return result;
}

bool TUIFace::Draw(TDC &dc, HBRUSH brush, LPARAM data, WPARAM data2, int x, int y, int cx, int cy,
                   unsigned flags) {
    return UISystemDrawing::Call(UISystemDrawing::StateAvailable, [&] {
               return ::DrawStateA(dc, brush, 0, data, data2, x, y, cx, cy, flags) != 0;
           }) == UISystemDrawing::Done;
}
