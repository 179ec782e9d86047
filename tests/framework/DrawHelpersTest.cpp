// The inclusive-coordinate drawing helpers.
#include "core/DrawHelpers.h"
#include "manager/DocumentManager.h"
#include "tests/framework/GdiCanvas.h"

#include <gtest/gtest.h>

TEST(DrawHelpers, RectanglesIncludeTheirRightAndBottomEdges) {
    Canvas canvas(12, 12);
    TBrush black(TColor::Black);
    DC(canvas.dc()).DrawRect(0, 0, 9, 9, black);
    EXPECT_EQ(100, canvas.Count(0));
    canvas.Fill(RGB(255, 255, 255));
    DC(canvas.dc()).DrawWRect(0, 0, 9, 9, black);
    EXPECT_EQ(81, canvas.Count(0));

    TRect rect(1, 2, 3, 4);
    DC::JqToWindows(rect);
    EXPECT_EQ(TRect(1, 2, 4, 5), rect);
    DC::WindowsToJq(rect);
    EXPECT_EQ(TRect(1, 2, 3, 4), rect);
}

TEST(DrawHelpers, LinesEndOnTheirLastPixel) {
    struct Case {
        int x1, y1, x2, y2;
        const char *row0;
    } cases[] = {
        {5, 0, 5, 0, ".....#...."},
        {5, 0, 2, 0, "..####...."},
        {1, 0, 8, 0, ".########."},
    };
    for (const Case &c : cases) {
        Canvas canvas(10, 3);
        DC(canvas.dc()).DrawLine(c.x1, c.y1, c.x2, c.y2);
        EXPECT_EQ(c.row0, canvas.Row(0)) << c.x1 << "," << c.x2;
        EXPECT_EQ("..........", canvas.Row(1));  // a horizontal line stays horizontal
    }
    Canvas h(10, 1);
    DC(h.dc()).DrawHLine(5, 0, 5);
    EXPECT_EQ(".....#....", h.Row(0));
    h.Fill(RGB(255, 255, 255));
    DC(h.dc()).DrawHLine(5, 0, 2);
    EXPECT_EQ("..####....", h.Row(0));

    Canvas v(1, 6);
    DC(v.dc()).DrawVLine(0, 4, 1);
    EXPECT_EQ(4, v.Count(0));
    EXPECT_EQ(RGB(255, 255, 255), v.At(0, 0));

    Canvas diagonal(6, 6);
    DC(diagonal.dc()).DrawLine(0, 0, 4, 4);
    EXPECT_EQ(5, diagonal.Count(0));
    EXPECT_EQ(0u, diagonal.At(4, 4));
}

TEST(DrawHelpers, FramesAndHoles) {
    Canvas canvas(10, 10);
    DC(canvas.dc()).DrawFrame(0, 0, 9, 9);
    EXPECT_EQ(36, canvas.Count(0));
    EXPECT_EQ("##########", canvas.Row(0));
    EXPECT_EQ("#........#", canvas.Row(5));
    EXPECT_EQ("##########", canvas.Row(9));

    canvas.Fill(RGB(255, 255, 255));
    DC(canvas.dc()).DrawWFrame(1, 1, 3, 3);
    EXPECT_EQ(8, canvas.Count(0));

    canvas.Fill(RGB(255, 255, 255));
    DC(canvas.dc()).DrawRectHole(TRect(0, 0, 9, 9), TRect(3, 3, 5, 5), TBrush(TColor::Black));
    EXPECT_EQ(100 - 9, canvas.Count(0));
    EXPECT_EQ(RGB(255, 255, 255), canvas.At(4, 4));
    EXPECT_EQ(0u, canvas.At(2, 4));
    EXPECT_EQ(0u, canvas.At(6, 4));
}

TEST(DrawHelpers, OutlinedSunkenFrame) {
    Canvas canvas(8, 8, RGB(1, 2, 3));
    DC(canvas.dc()).DrawFrame(TRect(0, 0, 7, 7), DC::Outline | DC::Sunken);
    COLORREF shadow = ::GetSysColor(COLOR_BTNSHADOW), light = ::GetSysColor(COLOR_BTNHIGHLIGHT);
    EXPECT_EQ(0u, canvas.At(0, 0));
    EXPECT_EQ(0u, canvas.At(7, 7));
    EXPECT_EQ(shadow, canvas.At(1, 1));
    EXPECT_EQ(shadow, canvas.At(5, 1));
    EXPECT_EQ(shadow, canvas.At(1, 5));
    EXPECT_EQ(light, canvas.At(6, 1));
    EXPECT_EQ(light, canvas.At(1, 6));
    EXPECT_EQ(light, canvas.At(6, 6));
    EXPECT_EQ(RGB(1, 2, 3), canvas.At(3, 3));
}

TEST(DrawHelpers, CelsOfABitmap) {
    TScreenDC screen;
    TBitmap strip(screen, 6, 2);
    Canvas source(6, 2);
    for (int x = 0; x < 6; ++x)
        ::SetPixel(source.dc(), x, 0, RGB(0, x * 40, 0));
    {
        TMemoryDC dc(strip);
        dc.BitBlt(0, 0, 6, 2, source.dc(), 0, 0);
    }
    Canvas canvas(4, 4);
    DC(canvas.dc()).DrawBitmap(strip, 1, 1, 3, 2);
    EXPECT_EQ(RGB(0, 160, 0), canvas.At(1, 1));
    EXPECT_EQ(RGB(0, 200, 0), canvas.At(2, 1));
    EXPECT_EQ(RGB(255, 255, 255), canvas.At(3, 1));
}

TEST(DrawHelpers, FreeHelpers) {
    EXPECT_EQ(102, GetCursorId(101, true));
    EXPECT_EQ(101, GetCursorId(101, false));
    EXPECT_EQ(102, GetCursorId(102, true));
    EXPECT_EQ(32001, GetCursorId(32001, true));
    // the one-argument form follows the application's setting
    int was = DocumentManager::UseColorCursors();
    DocumentManager::UseColorCursors(1);
    EXPECT_EQ(102, GetCursorId(101));
    DocumentManager::UseColorCursors(0);
    EXPECT_EQ(101, GetCursorId(101));
    DocumentManager::UseColorCursors(was);
    EXPECT_EQ(LOWORD(::GetDialogBaseUnits()), GetDialogUnitsX(4));
    EXPECT_EQ(HIWORD(::GetDialogBaseUnits()), GetDialogUnitsY(8));
    EXPECT_EQ(0x01F0E0D0u, InvertColor(TColor(COLORREF(0x010F1F2F))).GetRaw());
    EXPECT_EQ(::GetSysColor(COLOR_WINDOW) ^ 0xFFFFFFu, InvertColor(TColor::SysWindow).GetRaw());

    TFont font("Arial", 16);
    TSize onDisplay = GetTextExtent("Hello", &font);
    Canvas canvas(4, 4);
    TSize onContext = GetTextExtent("Hello", &font, &canvas.dc());
    EXPECT_GT(onDisplay.cx, 10);
    EXPECT_EQ(onDisplay.cy, onContext.cy);
}
