// Borders, faces, grab handles and metrics of the 3-D user interface.
#include "tests/framework/GdiCanvas.h"
#include "core/UIParts.h"

#include <gtest/gtest.h>

namespace {
// Restores the system drawing services when a test ends.
struct OwnDrawing {
    OwnDrawing() { SetUISystemDrawing(false); }
    ~OwnDrawing() { SetUISystemDrawing(true); }
};
}  // namespace

TEST(UIBorder, StylesFlagsAndRectangles) {
    TUIBorder plain(TRect(0, 0, 10, 10), TUIBorder::Raised);
    EXPECT_EQ(unsigned(TUIBorder::Rect), plain.GetFlags());
    EXPECT_EQ(1u, plain.GetEdge());
    TUIBorder embossed(TRect(0, 0, 10, 10), TUIBorder::Embossed, 0);
    EXPECT_EQ(9u, embossed.GetEdge());
    TUIBorder soft(TRect(0, 0, 10, 10), TUIBorder::ButtonUp, TUIBorder::Left);
    EXPECT_EQ(unsigned(TUIBorder::Left | TUIBorder::Soft), soft.GetFlags());
    EXPECT_EQ(5u, soft.GetEdge());

    EXPECT_EQ(TRect(2, 2, 8, 8), TUIBorder(TRect(0, 0, 10, 10), TUIBorder::EdgeRaised).GetClientRect());
    EXPECT_EQ(TRect(1, 1, 9, 9), TUIBorder(TRect(0, 0, 10, 10), TUIBorder::RaisedOuter).GetClientRect());
    TUIBorder sized(TRect(5, 5, 6, 6), TUIBorder::Plain);
    sized.Size(10, 20);
    EXPECT_EQ(TRect(5, 5, 15, 25), sized.GetBoundingRect());
    sized.MoveTo(0, 0);
    sized.Move(1, 2);
    EXPECT_EQ(TRect(1, 2, 11, 22), sized.GetBoundingRect());
}

// The framework's own edges of whole rectangles match the system's pixel for pixel.
TEST(UIBorder, OwnDrawingMatchesTheSystem) {
    const unsigned edges[] = {1, 2, 4, 8, 5, 10, 6, 9};
    const unsigned flagSets[] = {TUIBorder::Rect, TUIBorder::Rect | TUIBorder::Soft,
                                 TUIBorder::Rect | TUIBorder::Middle,
                                 TUIBorder::Rect | TUIBorder::Soft | TUIBorder::Middle};
    for (unsigned edge : edges) {
        for (unsigned flags : flagSets) {
            Canvas system(12, 9, RGB(1, 2, 3)), own(12, 9, RGB(1, 2, 3));
            EXPECT_TRUE(TUIBorder::DrawEdge(system.dc(), TRect(1, 1, 11, 8), edge, flags));
            {
                OwnDrawing off;
                EXPECT_TRUE(TUIBorder::DrawEdge(own.dc(), TRect(1, 1, 11, 8), edge, flags));
            }
            std::string diff;
            for (int y = 0; y < 9; ++y)
                for (int x = 0; x < 12; ++x)
                    if (own.At(x, y) != system.At(x, y) && diff.size() < 200)
                        diff += " (" + std::to_string(x) + "," + std::to_string(y) + ") own " +
                                std::to_string(own.At(x, y)) + " system " + std::to_string(system.At(x, y));
            EXPECT_EQ("", diff) << "edge " << edge << " flags 0x" << std::hex << flags;
        }
    }
}

TEST(UIBorder, OwnRaisedEdgeColours) {
    OwnDrawing off;
    Canvas canvas(6, 6, 0);
    TUIBorder(TRect(0, 0, 6, 6), TUIBorder::WndRaised).Paint(canvas.dc());
    EXPECT_EQ(TColor::Sys3dLight.GetValue(), canvas.At(0, 0));
    EXPECT_EQ(TColor::Sys3dDkShadow.GetValue(), canvas.At(5, 0));  // corner goes to the bottom-right colour
    EXPECT_EQ(TColor::Sys3dDkShadow.GetValue(), canvas.At(0, 5));
    EXPECT_EQ(TColor::Sys3dHilight.GetValue(), canvas.At(1, 1));
    EXPECT_EQ(TColor::Sys3dShadow.GetValue(), canvas.At(4, 4));
    EXPECT_EQ(0u, canvas.At(2, 2));

    Canvas mono(6, 6, 0);
    TUIBorder::DrawEdge(mono.dc(), TRect(0, 0, 6, 6), TUIBorder::EdgeSunken, TUIBorder::Rect | TUIBorder::Mono |
                                                                                   TUIBorder::Middle);
    EXPECT_EQ(TColor::SysWindowFrame.GetValue(), mono.At(0, 0));
    EXPECT_EQ(TColor::SysWindow.GetValue(), mono.At(1, 1));
}

// A side drawn alone keeps off the corners that belong to the sides not drawn.
TEST(UIBorder, OwnPartialSidesLeaveTheOtherCorners) {
    OwnDrawing off;
    Canvas canvas(6, 5, 0);
    TUIBorder::DrawEdge(canvas.dc(), TRect(0, 0, 6, 5), TUIBorder::RaisedOuter, TUIBorder::TopLeft);
    COLORREF light = TColor::Sys3dLight.GetValue();
    EXPECT_EQ(light, canvas.At(4, 0));
    EXPECT_EQ(0u, canvas.At(5, 0));
    EXPECT_EQ(light, canvas.At(0, 3));
    EXPECT_EQ(0u, canvas.At(0, 4));
    EXPECT_EQ(0u, canvas.At(5, 4));
}

TEST(UIBorder, FrameWithCornerColour) {
    Canvas canvas(5, 4, 0);
    TUIBorder::PaintFrameC(canvas.dc(), TRect(0, 0, 5, 4), TUIBorder::Rect, TColor(255, 0, 0), TColor(0, 0, 255),
                           TColor(0, 255, 0));
    EXPECT_EQ(RGB(255, 0, 0), canvas.At(0, 0));
    EXPECT_EQ(RGB(255, 0, 0), canvas.At(2, 0));
    EXPECT_EQ(0u, canvas.At(3, 0));  // the top row stops two short of the right edge
    EXPECT_EQ(RGB(0, 255, 0), canvas.At(0, 3));
    EXPECT_EQ(RGB(0, 0, 255), canvas.At(1, 3));
    EXPECT_EQ(RGB(0, 0, 255), canvas.At(4, 3));
    EXPECT_EQ(RGB(0, 0, 255), canvas.At(4, 0));
    EXPECT_EQ(RGB(255, 0, 0), canvas.At(0, 2));

    // Nothing lands outside the rectangle.
    Canvas wide(7, 4, 0);
    TUIBorder::PaintFrameC(wide.dc(), TRect(0, 0, 5, 4), TUIBorder::Bottom, TColor(255, 0, 0), TColor(0, 0, 255),
                           TColor(0, 255, 0));
    EXPECT_EQ(0u, wide.At(5, 3));
}

TEST(UIBorder, EdgeStripsAndButtonEdges) {
    Canvas canvas(6, 5, 0);
    TRect rect(0, 0, 6, 5);
    DrawEdgeStrips(canvas.dc(), rect, TUIBorder::Left | TUIBorder::Top, TColor(255, 0, 0), TColor(0, 0, 255));
    EXPECT_EQ(TRect(1, 1, 6, 5), rect);
    EXPECT_EQ(RGB(255, 0, 0), canvas.At(0, 4));
    EXPECT_EQ(RGB(255, 0, 0), canvas.At(5, 0));
    DrawEdgeStrips(canvas.dc(), rect, TUIBorder::Right | TUIBorder::Bottom, TColor(255, 0, 0), TColor(0, 0, 255));
    EXPECT_EQ(TRect(1, 1, 5, 4), rect);
    EXPECT_EQ(RGB(0, 0, 255), canvas.At(5, 1));
    EXPECT_EQ(RGB(0, 0, 255), canvas.At(1, 4));
    EXPECT_EQ(0u, canvas.At(2, 2));

    Canvas button(6, 6, 0);
    TRect inner(0, 0, 6, 6);
    DrawButtonEdge(button.dc(), inner, TUIBorder::EdgeRaised, TUIBorder::Rect | 0x10 | 0x20);
    EXPECT_EQ(TRect(2, 2, 4, 4), inner);
    EXPECT_EQ(TColor::Sys3dFace.GetValue(), button.At(0, 0));
    EXPECT_EQ(TColor::SysWindowFrame.GetValue(), button.At(5, 5));
    EXPECT_EQ(TColor::Sys3dHilight.GetValue(), button.At(1, 1));
    EXPECT_EQ(TColor::Sys3dShadow.GetValue(), button.At(4, 4));
    EXPECT_EQ(TColor::SysWindow.GetValue(), button.At(2, 2));
    TRect unchanged(0, 0, 6, 6);
    DrawButtonEdge(button.dc(), unchanged, TUIBorder::EdgeSunken, TUIBorder::Rect | 0x80);
    EXPECT_EQ(TRect(0, 0, 6, 6), unchanged);
    EXPECT_EQ(TColor::SysWindowFrame.GetValue(), button.At(0, 0));  // the top-left colours swapped
    EXPECT_EQ(TColor::Sys3dShadow.GetValue(), button.At(1, 1));
}

TEST(UIHandle, HitTestsAndCursors) {
    TUIHandle handle(TRect(100, 100, 200, 160), TUIHandle::Grapples, 6);
    EXPECT_EQ(TUIHandle::TopLeft, handle.HitTest(TPoint(103, 103)));
    EXPECT_EQ(TUIHandle::TopCenter, handle.HitTest(TPoint(150, 103)));
    EXPECT_EQ(TUIHandle::MidCenter, handle.HitTest(TPoint(130, 103)));
    EXPECT_EQ(TUIHandle::MidCenter, handle.HitTest(TPoint(150, 130)));
    EXPECT_EQ(TUIHandle::BottomRight, handle.HitTest(TPoint(198, 158)));
    EXPECT_EQ(TUIHandle::MidRight, handle.HitTest(TPoint(197, 130)));
    EXPECT_EQ(TUIHandle::Nowhere, handle.HitTest(TPoint(99, 130)));
    EXPECT_EQ(TUIHandle::Inside, TUIHandle(TRect(100, 100, 200, 160), 0x48, 6).HitTest(TPoint(150, 130)));
    TUIHandle outside(TRect(100, 100, 200, 160), 0x09, 6);
    EXPECT_EQ(TRect(94, 94, 206, 166), outside.GetBoundingRect());
    EXPECT_EQ(TUIHandle::TopLeft, outside.HitTest(TPoint(97, 97)));
    EXPECT_EQ(TUIHandle::MidCenter, TUIHandle(TRect(0, 0, 50, 50), 0, 6).HitTest(TPoint(1, 1)));

    const struct {
        TUIHandle::TWhere where;
        unsigned cursor;
    } cursors[] = {{TUIHandle::Nowhere, 0}, {TUIHandle::Inside, 32513}, {TUIHandle::TopLeft, 32642},
                   {TUIHandle::BottomRight, 32642}, {TUIHandle::TopRight, 32643}, {TUIHandle::BottomLeft, 32643},
                   {TUIHandle::MidLeft, 32644}, {TUIHandle::MidRight, 32644}, {TUIHandle::TopCenter, 32645},
                   {TUIHandle::BottomCenter, 32645}, {TUIHandle::MidCenter, 32512}};
    for (auto c : cursors)
        EXPECT_EQ(c.cursor, TUIHandle::GetCursorId(c.where)) << c.where;
}

TEST(UIHandle, PaintsGrapplesAndFrame) {
    Canvas canvas(20, 14);
    TUIHandle(TRect(0, 0, 20, 14), TUIHandle::Grapples | TUIHandle::Framed, 3).Paint(canvas.dc());
    // The frame is drawn with a black brush; the grapples sit one pixel inside it.
    EXPECT_EQ(RGB(0, 0, 0), canvas.At(1, 1));
    EXPECT_EQ(RGB(0, 0, 0), canvas.At(3, 3));
    EXPECT_EQ(RGB(255, 255, 255), canvas.At(4, 4));
    EXPECT_EQ(RGB(0, 0, 0), canvas.At(1 + 18 / 2 - 1, 1));  // top middle
    EXPECT_EQ(RGB(255, 255, 255), canvas.At(10, 7));
    EXPECT_EQ(RGB(0, 0, 0), canvas.At(18, 12));

    Canvas hatched(16, 16);
    TUIHandle(TRect(0, 0, 16, 16), TUIHandle::HatchRect | TUIHandle::HandlesOut, 2).Paint(hatched.dc());
    EXPECT_GT(hatched.Count(RGB(0, 0, 0)), 0);
    EXPECT_GT(hatched.Count(RGB(255, 255, 255)), 0);
}

TEST(UIFace, StatesPaintTheGlyph) {
    TScreenDC screen;
    TBitmap glyph(screen, 4, 4);
    Canvas source(4, 4, RGB(192, 192, 192));
    ::SetPixel(source.dc(), 1, 1, RGB(0, 0, 0));
    ::SetPixel(source.dc(), 2, 2, RGB(255, 255, 255));
    {
        TMemoryDC dc(glyph);
        dc.BitBlt(0, 0, 4, 4, source.dc(), 0, 0);
    }
    TUIFace face(TRect(0, 0, 8, 8), glyph, TColor::LtGray, TColor(0, 0, 128));

    Canvas normal(8, 8, RGB(9, 9, 9));
    face.Paint(normal.dc(), TPoint(2, 2), TUIFace::Normal, false, true);
    EXPECT_EQ(RGB(0, 0, 0), normal.At(3, 3));
    EXPECT_EQ(TColor::Sys3dFace.GetValue(), normal.At(0, 0));  // face filled around the glyph

    Canvas pressed(8, 8, RGB(9, 9, 9));
    face.Paint(pressed.dc(), TPoint(2, 2), TUIFace::Normal, true, false);
    EXPECT_EQ(RGB(0, 0, 0), pressed.At(4, 4));
    EXPECT_EQ(RGB(9, 9, 9), pressed.At(0, 0));

    Canvas disabled(8, 8, RGB(9, 9, 9));
    face.Paint(disabled.dc(), TPoint(2, 2), TUIFace::Disabled, false, false);
    EXPECT_EQ(TColor::Sys3dShadow.GetValue(), disabled.At(3, 3));
    EXPECT_EQ(TColor::Sys3dHilight.GetValue(), disabled.At(4, 4));
    EXPECT_EQ(RGB(0, 0, 128), disabled.At(2, 2));

    Canvas none(8, 8, RGB(9, 9, 9));
    face.Paint(none.dc(), TPoint(2, 2), TUIFace::TState(5), false, true);
    EXPECT_EQ(64, none.Count(RGB(9, 9, 9)));

    TUIFace text(TRect(0, 0, 8, 8), "A");
    text.Paint(none.dc(), TPoint(0, 0), TUIFace::Normal, false, true);
    EXPECT_EQ(64, none.Count(RGB(9, 9, 9)));
}

TEST(UIFace, EtchedTextMeasuringDrawsOnlyTheHighlight) {
    Canvas canvas(60, 20, RGB(1, 1, 1));
    TUIFace::DrawTextEtched(canvas.dc(), "WWW", -1, TRect(0, 0, 60, 20), DT_CALCRECT);
    EXPECT_EQ(0, canvas.Count(TColor::Sys3dShadow.GetValue()));
    TUIFace::DrawTextEtched(canvas.dc(), "WWW", -1, TRect(0, 0, 60, 20), 0);
    EXPECT_GT(canvas.Count(TColor::Sys3dShadow.GetValue()), 0);
    EXPECT_GT(canvas.Count(TColor::Sys3dHilight.GetValue()), 0);
}

TEST(UIFace, SharedMaskOnlyGrows) {
    TBitmap &first = TUIFace::GetGlyphMask(TSize(40, 10));
    EXPECT_GE(first.Width(), 40);
    TBitmap &smaller = TUIFace::GetGlyphMask(TSize(8, 8));
    EXPECT_EQ(&first, &smaller);
    TBitmap &taller = TUIFace::GetGlyphMask(TSize(8, 50));
    EXPECT_GE(taller.Width(), 40);
    EXPECT_GE(taller.Height(), 50);
    EXPECT_EQ(1, taller.BitsPixel());
}

TEST(UIServices, UnavailableServicesReportFailure) {
    Canvas canvas(16, 16);
    TRect rect(0, 0, 16, 16);
    EXPECT_TRUE(TUIPart::DrawFrameControl(canvas.dc(), rect, TUIPart::Button, TUIPart::ButtonPush));
    OwnDrawing off;
    EXPECT_FALSE(TUIPart::DrawFrameControl(canvas.dc(), rect, TUIPart::Button, TUIPart::ButtonPush));
    EXPECT_FALSE(TUIFace::Draw(canvas.dc(), 0, LPARAM("x"), 1, 0, 0, 16, 16, DST_TEXT));
}

TEST(UIMetric, ReadsTheSystemsMetrics) {
    EXPECT_EQ(::GetSystemMetrics(SM_CXSCREEN), int(TUIMetric::CxScreen));
    EXPECT_EQ(::GetSystemMetrics(SM_NETWORK), TUIMetric::Network.Get());
    EXPECT_EQ(::GetSystemMetrics(SM_CYSMCAPTION), TUIMetric::CySmCaption.Get());
    EXPECT_EQ(::GetSystemMetrics(SM_CXEDGE), TUIMetric::Get(SM_CXEDGE));
    EXPECT_EQ(::GetSystemMetrics(SM_MIDEASTENABLED), TUIMetric(74).Get());
}
