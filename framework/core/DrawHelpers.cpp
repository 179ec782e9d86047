#include "core/DrawHelpers.h"

#include <cstring>

void DC::DrawRect(int left, int top, int right, int bottom, const TBrush &brush) {
    Dc.FillRect(TRect(left, top, right + 1, bottom + 1), brush);
}

void DC::DrawWRect(int x, int y, int width, int height, const TBrush &brush) {
    Dc.FillRect(TRect(x, y, x + width, y + height), brush);
}

namespace {
// One step from a toward b on one axis; none when they are equal.
int StepToward(int a, int b) { return b < a ? -1 : b > a ? 1 : 0; }
}  // namespace

void DC::DrawLine(int x1, int y1, int x2, int y2) {
    Dc.MoveTo(x1, y1);
    if (x1 == x2 && y1 == y2) {
        Dc.LineTo(x2 + 1, y2);
        return;
    }
    // The line to the end point, then its last pixel: the system leaves it out.
    Dc.LineTo(x2, y2);
    Dc.LineTo(x2 + StepToward(x1, x2), y2 + StepToward(y1, y2));
}

void DC::DrawHLine(int x1, int y, int x2) {
    Dc.MoveTo(x1, y);
    Dc.LineTo(x2 < x1 ? x2 - 1 : x2 + 1, y);
}

void DC::DrawVLine(int x, int y1, int y2) {
    Dc.MoveTo(x, y1);
    Dc.LineTo(x, y2 < y1 ? y2 - 1 : y2 + 1);
}

void DC::DrawFrame(int left, int top, int right, int bottom) {
    DrawHLine(left + 1, top, right - 1);
    DrawVLine(right, top, bottom);
    DrawHLine(right - 1, bottom, left + 1);
    DrawVLine(left, bottom, top);
}

void DC::DrawFrame(const TRect &rect, unsigned flags) {
    TRect r = rect;
    if (flags & Outline) {
        Dc.SelectStockObject(BLACK_PEN);
        DrawFrame(r);
        r.Inflate(-1, -1);
    }
    if (!(flags & (Sunken | Raised)))
        return;
    bool sunken = (flags & Sunken) != 0;
    {
        TPen topLeft(TColor(::GetSysColor(sunken ? COLOR_BTNSHADOW : COLOR_BTNHIGHLIGHT)));
        Dc.SelectObject(topLeft);
        DrawHLine(r.left, r.top, r.right - 1);
        DrawVLine(r.left, r.top + 1, r.bottom - 1);
    }
    {
        TPen bottomRight(TColor(::GetSysColor(sunken ? COLOR_BTNHIGHLIGHT : COLOR_BTNSHADOW)));
        Dc.SelectObject(bottomRight);
        DrawVLine(r.right, r.top, r.bottom);
        DrawHLine(r.left, r.bottom, r.right);
    }
}

void DC::DrawRectHole(const TRect &outer, const TRect &hole, const TBrush &brush) {
    DrawRect(outer.left, outer.top, outer.right, hole.top - 1, brush);
    DrawRect(outer.left, hole.top, hole.left - 1, hole.bottom, brush);
    DrawRect(hole.right + 1, hole.top, outer.right, hole.bottom, brush);
    DrawRect(outer.left, hole.bottom + 1, outer.right, outer.bottom, brush);
}

void DC::DrawBitmap(const TBitmap &bitmap, int x, int y, int celCount, int celIndex, unsigned long rop) {
    int celWidth = bitmap.Width() / (celCount > 0 ? celCount : 1);
    TMemoryDC memory(Dc);
    memory.SelectObject(bitmap);
    Dc.BitBlt(x, y, celWidth, bitmap.Height(), memory, celIndex * celWidth, 0, rop);
}

void DC::DrawBitmap(HINSTANCE instance, int resId, int x, int y, int celCount, int celIndex, unsigned long rop) {
    TBitmap bitmap(instance, resId);
    DrawBitmap(bitmap, x, y, celCount, celIndex, rop);
}

TSize GetTextExtent(const char *text, TFont *font, TDC *dc) {
    SIZE size = {0, 0};
    BOOL measured;
    int length = int(std::strlen(text));
    if (dc) {
        if (font)
            dc->SelectObject(*font);
        measured = ::GetTextExtentPoint32A(dc->GetAttributeHDC(), text, length, &size);
        if (font)
            dc->RestoreFont();
    } else {
        TIC display("DISPLAY", 0, 0);
        if (font)
            display.SelectObject(*font);
        measured = ::GetTextExtentPoint32A(display.GetAttributeHDC(), text, length, &size);
    }
    return measured ? TSize(size.cx, size.cy) : TSize(40, 10);
}

namespace {
long DialogBaseUnits() {
    static long units = ::GetDialogBaseUnits();
    return units;
}
}  // namespace

int GetDialogUnitsX(int x) { return x * LOWORD(DialogBaseUnits()) / 4; }

int GetDialogUnitsY(int y) { return y * HIWORD(DialogBaseUnits()) / 8; }

TColor InvertColor(const TColor &color) {
    // A system colour has no RGB bits of its own: invert what it stands for.
    COLORREF value = color.IsSysColor() ? color.GetValue() : color.GetRaw();
    return TColor(COLORREF(value ^ 0xFFFFFF));
}

int GetCursorId(int id, bool colorCursors) {
    return colorCursors && id < 32000 && (id & 1) ? id + 1 : id;
}

namespace {
int colorCursors = 0;
}  // namespace

int UseColorCursors() { return colorCursors; }
void UseColorCursors(int on) { colorCursors = on; }

int GetCursorId(int id) { return GetCursorId(id, colorCursors != 0); }
