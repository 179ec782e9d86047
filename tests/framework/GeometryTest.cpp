#include "core/Color.h"
#include "core/Geometry.h"

#include <gtest/gtest.h>

TEST(Geometry, RectanglesExcludeRightAndBottom) {
    TRect r(0, 0, 10, 10);
    EXPECT_FALSE(r.Contains(TPoint(10, 5)));
    EXPECT_FALSE(r.Contains(TPoint(5, 10)));
    EXPECT_TRUE(r.Contains(TPoint(0, 0)));
    EXPECT_TRUE(r.Contains(TPoint(9, 9)));
    EXPECT_TRUE(r.Contains(TRect(0, 0, 10, 10)));
    EXPECT_FALSE(r.Touches(TRect(10, 0, 20, 10)));
    EXPECT_TRUE(TRect(0, 0, 0, 5).IsEmpty());
    EXPECT_EQ(100, r.Area());
    EXPECT_EQ(sizeof(RECT), sizeof(TRect));
    EXPECT_EQ(sizeof(POINT), sizeof(TPoint));
}

TEST(Geometry, IntersectionAndUnion) {
    EXPECT_TRUE((TRect(0, 0, 10, 10) & TRect(10, 0, 20, 10)).IsNull());
    TRect r(0, 0, 10, 10);
    r &= TRect(10, 0, 20, 10);
    EXPECT_EQ(TRect(10, 0, 10, 10), r);
    EXPECT_EQ(TRect(2, 3, 5, 8), TRect(0, 3, 5, 10) & TRect(2, 0, 7, 8));
    TRect null(0, 0, 0, 0);
    null &= TRect(1, 1, 5, 5);
    EXPECT_TRUE(null.IsNull());
    TRect u(0, 0, 0, 0);
    u |= TRect(1, 2, 3, 4);
    EXPECT_EQ(TRect(1, 2, 3, 4), u);
    u |= TRect(0, 0, 0, 0);
    EXPECT_EQ(TRect(1, 2, 3, 4), u);
    EXPECT_EQ(TRect(0, 0, 3, 4), TRect(1, 2, 3, 4) | TRect(0, 0, 0, 0));
    EXPECT_EQ(TRect(1, 1, 4, 4), TRect(4, 4, 1, 1).Normalized());
}

TEST(Geometry, SubtractGivesBandsInOrder) {
    TRect out[4];
    ASSERT_EQ(4, TRect(0, 0, 10, 10).Subtract(TRect(2, 2, 5, 5), out));
    EXPECT_EQ(TRect(0, 0, 10, 2), out[0]);
    EXPECT_EQ(TRect(0, 5, 10, 10), out[1]);
    EXPECT_EQ(TRect(0, 2, 2, 5), out[2]);
    EXPECT_EQ(TRect(5, 2, 10, 5), out[3]);
    EXPECT_EQ(0, TRect(2, 2, 5, 5).Subtract(TRect(0, 0, 10, 10), out));
    ASSERT_EQ(1, TRect(0, 0, 5, 5).Subtract(TRect(5, 5, 9, 9), out));
    EXPECT_EQ(TRect(0, 0, 5, 5), out[0]);
}

TEST(Geometry, LimitInsideKeepsSize) {
    Rect r(90, 90, 130, 120);
    r.LimitInside(TRect(0, 0, 100, 100));
    EXPECT_EQ(TRect(60, 70, 100, 100), r);
    Rect big(-5, -5, 200, 50);
    big.LimitInside(TRect(0, 0, 100, 100));
    EXPECT_EQ(TRect(-105, 0, 100, 55), big);
}

TEST(Geometry, SizesPointsAndRoots) {
    TSize s(0xFFFF0001ul);
    EXPECT_EQ(1, s.cx);
    EXPECT_EQ(65535, s.cy);
    EXPECT_EQ(TSize(4, 6), TSize(1, 2) + TSize(3, 4));
    struct { long n; int root; } roots[] = {{-3, 0}, {0, 0}, {1, 1}, {24, 4}, {25, 5}, {1073676289, 32767}};
    for (auto &c : roots)
        EXPECT_EQ(c.root, Sqrt_(c.n)) << c.n;
    EXPECT_EQ(5, TPoint(3, 4).Magnitude());
    EXPECT_EQ(TPointF(1.5f, 2), TPointF(1, 1) + TPointF(0.5f, 1));
    TPointL p(1, 1);
    p += TSize(2, 3);
    EXPECT_EQ(3, p.x);
    EXPECT_EQ(4, p.y);
}

TEST(Color, KindsAndConstants) {
    EXPECT_EQ(0x01000005u, TColor(5).GetRaw());
    EXPECT_EQ(0x00030201u, TColor(1, 2, 3).GetRaw());
    EXPECT_EQ(0x02030201u, TColor(1, 2, 3, 2).GetRaw());
    EXPECT_TRUE(TColor::Black == TColor(0, 0, 0));
    EXPECT_EQ(0xFF000000u, TColor::None.GetRaw());
    EXPECT_TRUE(TColor::None.IsSpecialColor());
    EXPECT_TRUE(TColor::Transparent.IsSpecialColor());
    EXPECT_FALSE(TColor::SysWindow.IsSpecialColor());
    EXPECT_EQ(0x80000005u, TColor::SysWindow.GetRaw());
    EXPECT_EQ(0x80000014u, TColor::Sys3dHilight.GetRaw());
    EXPECT_EQ(0x80000018u, TColor::SysInfoBk.GetRaw());
    EXPECT_EQ(0x02000000u | TColor::LtRed.GetValue(), TColor::LtRed.PalRelative().GetRaw());
}

TEST(Color, SystemColoursResolveWhenUsed) {
    // the raw value is kept; the value follows the user's current setting
    EXPECT_EQ(::GetSysColor(COLOR_WINDOW), TColor::SysWindow.GetValue());
    EXPECT_EQ((COLORREF)::GetSysColor(COLOR_WINDOWTEXT), (COLORREF)TColor::SysWindowText);
    EXPECT_TRUE(TColor::SysWindow.IsSysColor());
    EXPECT_EQ(COLOR_WINDOW, TColor::SysWindow.Index());
    EXPECT_FALSE(TColor::SysWindowText == TColor::Black);
    EXPECT_TRUE(TColor::SysWindowText == (COLORREF)::GetSysColor(COLOR_WINDOWTEXT));
    EXPECT_EQ(int(::GetSysColor(COLOR_WINDOW) & 0xFF), TColor::SysWindow.Red());
    EXPECT_FALSE(TColor::SysWindow.Rgb().IsSysColor());
}

TEST(Color, DepthHelpers) {
    struct { unsigned short bits; long colors; } table[] = {{1, 2}, {4, 16}, {8, 256}, {16, 0}, {24, 0}, {32, 0}, {2, -1}, {0, -1}};
    for (auto &c : table)
        EXPECT_EQ(c.colors, NColors(c.bits)) << c.bits;
    struct { long colors; unsigned short bits; } back[] = {{0, 1}, {2, 1}, {3, 4}, {16, 4}, {17, 8}, {256, 8}, {257, 16}, {65536, 16}, {65537, 24}};
    for (auto &c : back)
        EXPECT_EQ(c.bits, NBits(c.colors)) << c.colors;
}
