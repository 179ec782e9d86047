// The program layer's drawing vocabulary. Coordinates are inclusive: the
// right and bottom edges belong to the shape (a frame from 0 to 9 is 10
// pixels wide).
#pragma once

#include "core/Dc.h"

class VELTRANE_API DC {
public:
    explicit DC(TDC &dc) : Dc(dc) {}

    void DrawRect(const TRect &rect, const TBrush &brush) {
        DrawRect(rect.left, rect.top, rect.right, rect.bottom, brush);
    }
    void DrawRect(int left, int top, int right, int bottom, const TBrush &brush);
    void DrawWRect(int x, int y, int width, int height, const TBrush &brush);
    static void JqToWindows(TRect &rect) { ++rect.right, ++rect.bottom; }
    static void WindowsToJq(TRect &rect) { --rect.right, --rect.bottom; }

    void DrawLine(int x1, int y1, int x2, int y2);
    void DrawHLine(int x1, int y, int x2);
    void DrawVLine(int x, int y1, int y2);
    void DrawFrame(const TRect &rect) { DrawFrame(rect.left, rect.top, rect.right, rect.bottom); }
    void DrawFrame(int left, int top, int right, int bottom);
    void DrawWFrame(int x, int y, int width, int height) { DrawFrame(x, y, x + width - 1, y + height - 1); }
    enum { Outline = 1, Sunken = 2, Raised = 4 };
    void DrawFrame(const TRect &rect, unsigned flags);
    void DrawRectHole(const TRect &outer, const TRect &hole, const TBrush &brush);
    void DrawBitmap(const TBitmap &bitmap, int x, int y, int celCount = 1, int celIndex = 0,
                    unsigned long rop = SRCCOPY);
    void DrawBitmap(HINSTANCE instance, int resId, int x, int y, int celCount = 1, int celIndex = 0,
                    unsigned long rop = SRCCOPY);

private:
    TDC &Dc;
};

// The text's extent in the font: on the context when given, else on the display.
VELTRANE_API TSize GetTextExtent(const char *text, TFont *font, TDC *dc = 0);
VELTRANE_API int GetDialogUnitsX(int x);
VELTRANE_API int GetDialogUnitsY(int y);
VELTRANE_API TColor InvertColor(const TColor &color);
// Cursor resources come in pairs: monochrome at an odd id below 32000, its
// colour version at the next id.
VELTRANE_API int GetCursorId(int id, bool colorCursors);
// The cursor id under the application's colour-cursor setting.
VELTRANE_API int GetCursorId(int id);
// The application's colour-cursor setting (off until it says otherwise).
VELTRANE_API int UseColorCursors();
VELTRANE_API void UseColorCursors(int on);
