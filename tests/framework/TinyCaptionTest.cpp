#include "tests/framework/GdiCanvas.h"
#include "tests/framework/TestApp.h"
#include "core/TinyCaption.h"

#include <gtest/gtest.h>

namespace {
class Floating : public TTinyCaption {
public:
    Floating(uint32_t style, bool ownCaption) : TWindow((TWindow *)0, "Tools") {
        Attr.Style = WS_POPUP | WS_VISIBLE | style;
        Attr.X = 100, Attr.Y = 100, Attr.W = 200, Attr.H = 120;
        TTinyCaption::ForceOwnCaption(ownCaption);
        EnableTinyCaption(60, 1);
        TTinyCaption::ForceOwnCaption(false);
    }
    using TTinyCaption::GetCaptionRect;
    using TTinyCaption::GetMaxBoxRect;
    using TTinyCaption::GetMinBoxRect;
    using TTinyCaption::GetSysBoxRect;
    using TTinyCaption::IsPressed;
    using TTinyCaption::PaintButton;
    using TTinyCaption::PaintCloseBox;
    int Closes = 0;
    void EvClose() { Closes++; }
    uint HitAt(TRect const &box) {
        TRect w = GetWindowRect();
        return (uint)SendMessageA(WM_NCHITTEST, 0,
                                  MAKELPARAM(w.left + (box.left + box.right) / 2, w.top + (box.top + box.bottom) / 2));
    }
    DECLARE_RESPONSE_TABLE(Floating);
};
DEFINE_RESPONSE_TABLE2(Floating, TTinyCaption, TWindow)
    EV_WM_CLOSE,
END_RESPONSE_TABLE;
}  // namespace

TEST(TinyCaption, OwnCaptionHitTestsAndBoxes) {
    TestApp app;
    Floating f(WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX, true);
    ASSERT_TRUE(f.Create());
    ASSERT_TRUE(f.IsTinyCaptionEnabled());
    int border = ::GetSystemMetrics(SM_CYBORDER);
    EXPECT_EQ(60 * ::GetSystemMetrics(SM_CYCAPTION) / 100 - border, f.GetCaptionHeight());
    EXPECT_TRUE(f.GetStyle() & WS_BORDER);
    // the client starts below the small caption
    EXPECT_EQ(120 - 2 * border - f.GetCaptionHeight(), f.GetClientRect().Height());

    EXPECT_EQ(unsigned(HTSYSMENU), f.HitAt(f.GetSysBoxRect()));
    EXPECT_EQ(unsigned(HTREDUCE), f.HitAt(f.GetMinBoxRect()));
    EXPECT_EQ(unsigned(HTZOOM), f.HitAt(f.GetMaxBoxRect()));
    EXPECT_EQ(unsigned(HTCAPTION), f.HitAt(TRect(90, f.GetCaptionRect().top, 110, f.GetCaptionRect().bottom)));
    EXPECT_EQ(f.GetMaxBoxRect().left - f.GetCaptionHeight(), f.GetMinBoxRect().left);
    f.SendMessageA(WM_NCPAINT, 1);
    f.SendMessageA(WM_NCACTIVATE, 0);

    // pressing the close box and letting go over it closes; elsewhere it does not
    TRect w = f.GetWindowRect(), box = f.GetSysBoxRect();
    TPoint onBox(w.left + box.left + 2, w.top + box.top + 2);
    TPoint client = onBox;
    ::ScreenToClient(f.GetHandle(), &client);
    f.SendMessageA(WM_NCLBUTTONDOWN, HTSYSMENU, MAKELPARAM(onBox.x, onBox.y));
    f.SendMessageA(WM_LBUTTONUP, 0, MAKELPARAM(client.x + 150, client.y + 50));
    TestApp::Drain();
    EXPECT_EQ(0, f.Closes);
    f.SendMessageA(WM_NCLBUTTONDOWN, HTSYSMENU, MAKELPARAM(onBox.x, onBox.y));
    f.SendMessageA(WM_LBUTTONUP, 0, MAKELPARAM((short)client.x, (short)client.y));
    TestApp::Drain();
    EXPECT_EQ(1, f.Closes);
}

TEST(TinyCaption, WithoutMinimiseBoxTheCaptionTakesItsPlace) {
    TestApp app;
    Floating f(WS_SYSMENU | WS_MAXIMIZEBOX, true);
    ASSERT_TRUE(f.Create());
    TRect minPlace = f.GetMaxBoxRect().OffsetBy(-f.GetCaptionHeight(), 0);
    EXPECT_EQ(unsigned(HTCAPTION), f.HitAt(minPlace));
}

TEST(TinyCaption, ThreeDLookLeavesTheCaptionToTheSystem) {
    TestApp app;
    Floating f(0, false);
    if (!TSystem::Has3dUI())
        GTEST_SKIP();
    EXPECT_FALSE(f.IsTinyCaptionEnabled());
    EXPECT_EQ(::GetSystemMetrics(SM_CYSMCAPTION), f.GetCaptionHeight());
    EXPECT_TRUE(f.GetExStyle() & WS_EX_TOOLWINDOW);
    EXPECT_EQ(uint32_t(WS_CAPTION), f.GetStyle() & WS_CAPTION);
    EXPECT_TRUE(f.GetStyle() & WS_SYSMENU);  // a close box
}

TEST(TinyCaption, ButtonsAndCloseGlyphPaint) {
    TestApp app;
    Floating f(WS_SYSMENU, true);
    COLORREF frame = ::GetSysColor(COLOR_WINDOWFRAME), face = ::GetSysColor(COLOR_BTNFACE),
             light = ::GetSysColor(COLOR_BTNHIGHLIGHT), shadow = ::GetSysColor(COLOR_BTNSHADOW),
             text = ::GetSysColor(COLOR_BTNTEXT);
    Canvas small(10, 10, RGB(1, 2, 3));
    f.PaintButton(small.dc(), TRect(0, 0, 6, 8), 0);  // 4 wide inside: outline and face only
    EXPECT_EQ(frame, small.At(0, 0));
    EXPECT_EQ(frame, small.At(5, 7));
    for (int y = 1; y < 7; ++y)
        for (int x = 1; x < 5; ++x)
            EXPECT_EQ(face, small.At(x, y)) << x << "," << y;

    Canvas released(12, 12, RGB(1, 2, 3)), pressed(12, 12, RGB(1, 2, 3));
    f.PaintButton(released.dc(), TRect(0, 0, 12, 12), 0);
    f.PaintButton(pressed.dc(), TRect(0, 0, 12, 12), 1);
    EXPECT_EQ(light, released.At(1, 1));
    EXPECT_EQ(shadow, released.At(10, 10));
    EXPECT_EQ(shadow, pressed.At(1, 1));
    EXPECT_EQ(face, pressed.At(10, 10));

    // 12 wide: a 5 x 5 square at (3, 3), its highlight copy one lower right, the text colour over that
    Canvas glyph(12, 12, RGB(1, 2, 3)), down(12, 12, RGB(1, 2, 3));
    f.PaintCloseBox(glyph.dc(), TRect(0, 0, 12, 12), 0);
    EXPECT_EQ(shadow, glyph.At(3, 3));
    EXPECT_EQ(text, glyph.At(4, 4));
    EXPECT_EQ(text, glyph.At(7, 7));
    EXPECT_EQ(light, glyph.At(8, 8));
    EXPECT_EQ(face, glyph.At(9, 9));
    f.PaintCloseBox(down.dc(), TRect(0, 0, 12, 12), 1);  // pressed: the glyph moves by (1, 1)
    EXPECT_EQ(shadow, down.At(4, 4));
    EXPECT_EQ(light, down.At(9, 9));
}

TEST(TinyCaption, MaximiseBoxFollowsThePressAndTogglesOnlyOverIt) {
    TestApp app;
    Floating f(WS_SYSMENU | WS_MAXIMIZEBOX | WS_THICKFRAME, true);
    ASSERT_TRUE(f.Create());
    TRect w = f.GetWindowRect(), box = f.GetMaxBoxRect();
    TPoint onBox(w.left + box.left + 3, w.top + box.top + 3), client = onBox;
    ::ScreenToClient(f.GetHandle(), &client);
    LPARAM over = MAKELPARAM((short)client.x, (short)client.y), away = MAKELPARAM((short)(client.x - 60), 40);

    f.SendMessageA(WM_NCLBUTTONDOWN, HTZOOM, MAKELPARAM(onBox.x, onBox.y));
    EXPECT_EQ(f.GetHandle(), ::GetCapture());
    EXPECT_EQ(1, f.IsPressed);
    f.SendMessageA(WM_MOUSEMOVE, MK_LBUTTON, away);
    EXPECT_EQ(0, f.IsPressed);
    f.SendMessageA(WM_MOUSEMOVE, MK_LBUTTON, over);
    EXPECT_EQ(1, f.IsPressed);
    f.SendMessageA(WM_LBUTTONUP, 0, away);
    EXPECT_EQ(0, f.IsPressed);
    EXPECT_FALSE(f.IsZoomed());
    EXPECT_NE(f.GetHandle(), ::GetCapture());

    f.SendMessageA(WM_NCLBUTTONDOWN, HTZOOM, MAKELPARAM(onBox.x, onBox.y));
    f.SendMessageA(WM_LBUTTONUP, 0, over);
    EXPECT_TRUE(f.IsZoomed());
    // a system-menu item arrives as a command and goes on as a system command
    f.SendMessageA(WM_COMMAND, SC_RESTORE);
    EXPECT_FALSE(f.IsZoomed());
}
