// The self-drawn glyph button: presses by mouse and space bar with the command sent once,
// the button-state and button-style messages, the layout of text and glyph, and its
// looks (pressed, down glyph, disabled, default) painted and read back.
#include "tests/framework/ControlHost.h"
#include "tests/framework/GdiCanvas.h"

#include "controls/BtnBitmap.h"
#include "controls/GlyphButton.h"
#include "core/UIParts.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

namespace {

enum { ButtonId = 53200, GlyphUp = 53002, GlyphDown = 53003 };
COLORREF const Red = RGB(255, 0, 0), Green = RGB(0, 255, 0);

// A host that counts the commands its buttons send.
class ButtonHost : public ControlHost {
public:
    ButtonHost() : ControlHost("buttons", 0, 0, 300, 200) {}
    LRESULT EvCommand(uint id, HWND control, uint code) override {
        Commands += std::to_string(id) + ":" + std::to_string(code) + (control ? "" : "(no window)") + " ";
        return 0;
    }
    std::string Commands;
};

// Exposes the layout.
class Button : public TGlyphButton {
public:
    Button(TWindow *parent, char const *text, int w = 100, int h = 40, int isDefault = 0)
        : TWindow(parent, text, &Exe()), TGlyphButton(parent, ButtonId, text, 10, 10, w, h, isDefault, &Exe()) {}
    using TGlyphButton::LayoutTextGlyph;
};

class GlyphButtonTest : public HostedTest<ButtonHost> {
protected:
    Button *Open(char const *text, int w = 100, int h = 40, int isDefault = 0) {
        Button *button = new Button(&host, text, w, h, isDefault);
        button->Create();
        return button;
    }
};

// The box around the pixels of one colour (empty when there are none).
TRect Box(Canvas const &canvas, COLORREF color) {
    TRect box(INT_MAX, INT_MAX, INT_MIN, INT_MIN);
    for (int y = 0; y < canvas.Height; ++y)
        for (int x = 0; x < canvas.Width; ++x)
            if (canvas.At(x, y) == color) {
                box.left = std::min<int>(box.left, x), box.top = std::min<int>(box.top, y);
                box.right = std::max<int>(box.right, x + 1), box.bottom = std::max<int>(box.bottom, y + 1);
            }
    return box.left == INT_MAX ? TRect(0, 0, 0, 0) : box;
}

Canvas *Painted(TGlyphButton &button) {
    TRect client = button.GetClientRect();
    Canvas *canvas = new Canvas(client.Width(), client.Height());
    button.Paint(canvas->dc(), true, client);
    return canvas;
}

TRect FaceOf(TGlyphButton &button, bool pressed = false) {
    TRect client = button.GetClientRect();
    return TUIBorder(client, pressed ? TUIBorder::ButtonDn : TUIBorder::ButtonUp).GetClientRect();
}

TEST_F(GlyphButtonTest, MousePressDragOutAndBackSendsTheCommandOnlyInside) {
    Button *button = Open("Go");
    HWND hwnd = button->GetHandle();
    ::SendMessageA(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    EXPECT_EQ(hwnd, ::GetCapture());
    EXPECT_EQ(hwnd, ::GetFocus());
    EXPECT_TRUE(button->IsSet(TGlyphButton::biPushed));
    ::SendMessageA(hwnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(150, 5));
    EXPECT_FALSE(button->IsSet(TGlyphButton::biPushed));
    ::SendMessageA(hwnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(6, 6));
    EXPECT_TRUE(button->IsSet(TGlyphButton::biPushed));
    ::SendMessageA(hwnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(150, 5));
    ::SendMessageA(hwnd, WM_LBUTTONUP, 0, MAKELPARAM(150, 5));
    EXPECT_EQ(nullptr, ::GetCapture());
    EXPECT_EQ("", host.Commands);

    ::SendMessageA(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    ::SendMessageA(hwnd, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_EQ("53200:0 ", host.Commands);
    EXPECT_FALSE(button->IsSet(TGlyphButton::biPushed));
    ::SendMessageA(hwnd, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));  // not captured: nothing
    EXPECT_EQ("53200:0 ", host.Commands);
}

TEST_F(GlyphButtonTest, SpaceBarDownThenUpSendsOneCommand) {
    Button *button = Open("Go");
    HWND hwnd = button->GetHandle();
    ::SendMessageA(hwnd, WM_KEYUP, VK_SPACE, 0);
    EXPECT_EQ("", host.Commands);
    ::SendMessageA(hwnd, WM_KEYDOWN, VK_SPACE, 0);
    EXPECT_TRUE(button->IsSet(TGlyphButton::biPushed));
    ::SendMessageA(hwnd, WM_KEYUP, VK_SPACE, 0);
    ::SendMessageA(hwnd, WM_KEYUP, VK_SPACE, 0);
    EXPECT_EQ("53200:0 ", host.Commands);
}

TEST_F(GlyphButtonTest, StateStyleAndDialogCodes) {
    Button *button = Open("Go");
    HWND hwnd = button->GetHandle();
    button->SetFocus();
    ::SendMessageA(hwnd, BM_SETSTATE, 1, 0);
    EXPECT_EQ(12, ::SendMessageA(hwnd, BM_GETSTATE, 0, 0));
    ::SendMessageA(hwnd, WM_CANCELMODE, 0, 0);
    EXPECT_EQ(8, ::SendMessageA(hwnd, BM_GETSTATE, 0, 0));
    EXPECT_EQ(0x2020, ::SendMessageA(hwnd, WM_GETDLGCODE, 0, 0));

    Button *byDefault = Open("Ok", 100, 40, 1);
    HWND def = byDefault->GetHandle();
    EXPECT_TRUE(byDefault->IsSet(TGlyphButton::biDefault));
    EXPECT_EQ(0x2010, ::SendMessageA(def, WM_GETDLGCODE, 0, 0));
    LONG before = ::GetWindowLongA(def, GWL_STYLE);
    ::SendMessageA(def, BM_SETSTYLE, BS_DEFPUSHBUTTON, 1);
    EXPECT_EQ(before, ::GetWindowLongA(def, GWL_STYLE));
    ::SendMessageA(def, BM_SETSTYLE, BS_PUSHBUTTON, 1);
    EXPECT_FALSE(byDefault->IsSet(TGlyphButton::biDefault));
    EXPECT_EQ(before & ~0xFFFF, ::GetWindowLongA(def, GWL_STYLE));
    EXPECT_EQ(0x2020, ::SendMessageA(def, WM_GETDLGCODE, 0, 0));
    EXPECT_EQ("Yrt_GlyphBtn", ClassOf(def));
    // the class's own procedure answers from the style alone
    WNDPROC classProc = (WNDPROC)::GetClassLongPtrA(def, GCLP_WNDPROC);
    EXPECT_EQ(0x2020, ::CallWindowProcA(classProc, def, WM_GETDLGCODE, 0, 0));
    ::SetWindowLongA(def, GWL_STYLE, before);
    EXPECT_EQ(0x2010, ::CallWindowProcA(classProc, def, WM_GETDLGCODE, 0, 0));

    byDefault->EnableWindow(false);
    EXPECT_TRUE(byDefault->IsSet(TGlyphButton::biDisabled));
    byDefault->EnableWindow(true);
    EXPECT_FALSE(byDefault->IsSet(TGlyphButton::biDisabled));
}

TEST_F(GlyphButtonTest, GlyphsFontAndStateBits) {
    Button *button = Open("Go");
    EXPECT_FALSE(button->IsSet(TGlyphButton::biShowGlyph));
    button->SetGlyph(TResId(GlyphUp), 0, TGlyphButton::gtUp);
    EXPECT_TRUE(button->IsSet(TGlyphButton::biShowGlyph));
    button->SetGlyph(HBITMAP(0), TGlyphButton::gtUp);
    EXPECT_FALSE(button->IsSet(TGlyphButton::biShowGlyph));
    EXPECT_EQ(TGlyphButton::biShowText | 0x40, button->Set(0x40));
    EXPECT_EQ(TGlyphButton::biShowText, button->Clear(0x40));

    HFONT font = (HFONT)::GetStockObject(ANSI_FIXED_FONT);
    EXPECT_NE(0, ::SendMessageA(button->GetHandle(), WM_GETFONT, 0, 0));
    ::SendMessageA(button->GetHandle(), WM_SETFONT, (WPARAM)font, 0);
    EXPECT_EQ((LRESULT)font, ::SendMessageA(button->GetHandle(), WM_GETFONT, 0, 0));
    EXPECT_EQ(1, ::SendMessageA(button->GetHandle(), WM_ERASEBKGND, 0, 0));
}

TEST(GlyphButtonLayout, PlacesTextAndGlyphByStyle) {
    TestApp app;
    struct Case {
        int style;
        int textWidth, glyphWidth;
        bool text, glyph;
        int glyphLeft, textLeft;  // relative to the face
    };
    // face 100 x 30: free width s = 100 - text - glyph - 8
    Case const cases[] = {
        {2, 30, 12, true, false, 0, 35},   // text alone: centred
        {2, 30, 12, false, true, 44, 0},   // glyph alone: centred
        {1, 30, 12, true, true, 50 / 3 + 4, 50 / 3 + 4 + 12 + 50 / 3},
        {2, 30, 12, true, true, 4, 25 + 12 + 4},
        {1, 90, 12, true, true, -10 / 2 + 4, -10 / 2 + 4 + 12},
        {2, 91, 12, true, true, -11 / 2 + 4, -11 / 2 + 4 + 12},
        {0, 30, 12, true, true, 0, 0},
    };
    Button button(0, "x");
    TRect face(5, 3, 105, 33);
    for (Case const &c : cases) {
        button.SetLayoutStyle(TGlyphButton::TLayoutStyle(c.style));
        TRect text = c.text ? TRect(0, 0, c.textWidth, 10) : TRect(0, 0, 0, 0);
        TRect glyph = c.glyph ? TRect(0, 0, c.glyphWidth, 40) : TRect(0, 0, 0, 0);
        button.LayoutTextGlyph(face, text, glyph);
        if (c.glyph) {
            EXPECT_EQ(face.left + c.glyphLeft, glyph.left) << c.style << " " << c.textWidth;
            EXPECT_EQ(face.top, glyph.top);  // higher than the face: alone it is cut
            EXPECT_EQ(c.text ? face.top + 40 : face.bottom, glyph.bottom);
        }
        if (c.text) {
            EXPECT_EQ(face.left + c.textLeft, text.left) << c.style << " " << c.textWidth;
            EXPECT_EQ(c.style ? face.top + 10 : face.top, text.top);
        }
    }
}

TEST_F(GlyphButtonTest, TextAloneAndGlyphAloneAreCentred) {
    Button *text = Open("Go");
    std::unique_ptr<Canvas> canvas(Painted(*text));
    TRect face = FaceOf(*text);
    TRect ink = Box(*canvas, ::GetSysColor(COLOR_BTNTEXT));
    ASSERT_FALSE(ink.IsEmpty());
    EXPECT_NEAR(ink.left - face.left, face.right - ink.right, 3);
    EXPECT_NEAR(ink.top - face.top, face.bottom - ink.bottom, 4);

    Button *glyph = Open("");
    glyph->SetGlyph(TResId(GlyphUp));
    canvas.reset(Painted(*glyph));
    face = FaceOf(*glyph);
    TRect red = Box(*canvas, Red);
    EXPECT_EQ(12, red.Width());
    EXPECT_EQ(10, red.Height());
    EXPECT_EQ(face.left + (face.Width() - 12) / 2, red.left);
    EXPECT_EQ(face.top + (face.Height() - 10) / 2, red.top);
}

TEST_F(GlyphButtonTest, PressedMovesTheUpGlyphAndTextButNotADownGlyph) {
    Button *button = Open("Go", 120, 40);
    button->SetGlyph(TResId(GlyphUp));
    COLORREF ink = ::GetSysColor(COLOR_BTNTEXT);
    std::unique_ptr<Canvas> up(Painted(*button));
    TRect glyphUp = Box(*up, Red), textUp = Box(*up, ink);
    ::SendMessageA(button->GetHandle(), BM_SETSTATE, 1, 0);
    std::unique_ptr<Canvas> pressed(Painted(*button));
    // compared within the face, should the sunken border differ from the raised one
    TRect faceUp = FaceOf(*button), facePressed = FaceOf(*button, true);
    TPoint shift(facePressed.left - faceUp.left, facePressed.top - faceUp.top);
    TRect glyphPressed = Box(*pressed, Red), textPressed = Box(*pressed, ink);
    EXPECT_EQ(glyphUp.left + 1, glyphPressed.left - shift.x);
    EXPECT_EQ(glyphUp.top + 1, glyphPressed.top - shift.y);
    EXPECT_EQ(textUp.left + 1, textPressed.left - shift.x);

    button->SetGlyph(TResId(GlyphDown), 0, TGlyphButton::gtDown);
    std::unique_ptr<Canvas> down(Painted(*button));
    TRect green = Box(*down, Green);
    EXPECT_TRUE(Box(*down, Red).IsEmpty());
    EXPECT_EQ(glyphUp.left, green.left - shift.x);
    EXPECT_EQ(glyphUp.top, green.top - shift.y);
    EXPECT_EQ(textUp.left + 1, Box(*down, ink).left - shift.x);
}

TEST_F(GlyphButtonTest, DisabledTextTurnsShadowWhenGrayTextWouldVanish) {
    Button *button = Open("Go");
    button->EnableWindow(false);
    int index = COLOR_GRAYTEXT;
    COLORREF const gray = ::GetSysColor(COLOR_GRAYTEXT), face = ::GetSysColor(COLOR_3DFACE);
    COLORREF const distinct = RGB(10, 20, 30), shadow = ::GetSysColor(COLOR_3DSHADOW);
    TRect inside = FaceOf(*button).InflatedBy(-2, -2);

    ::SetSysColors(1, &index, &distinct);
    std::unique_ptr<Canvas> grayText(Painted(*button));
    ::SetSysColors(1, &index, &face);
    std::unique_ptr<Canvas> shadowText(Painted(*button));
    ::SetSysColors(1, &index, &gray);

    EXPECT_LT(0, CountIn(*grayText, inside, distinct));
    EXPECT_EQ(0, CountIn(*grayText, inside, shadow));
    EXPECT_EQ(0, CountIn(*shadowText, inside, distinct));
    EXPECT_LT(0, CountIn(*shadowText, inside, shadow));
}

TEST_F(GlyphButtonTest, FocusDrawsTheFocusRectangleOnePixelInsideTheFace) {
    Button *button = Open("");
    std::unique_ptr<Canvas> plain(Painted(*button));
    button->SetFocus();
    std::unique_ptr<Canvas> focused(Painted(*button));
    COLORREF faceColor = ::GetSysColor(COLOR_3DFACE);
    TRect face = FaceOf(*button), within = face.InflatedBy(-2, -2);
    auto offFace = [faceColor](Canvas const &c, TRect const &r) {
        return r.Width() * r.Height() - CountIn(c, r, faceColor);
    };
    EXPECT_EQ(0, offFace(*plain, face));
    EXPECT_LT(0, offFace(*focused, face));
    EXPECT_EQ(0, offFace(*focused, within));
    EXPECT_EQ(faceColor, focused->At(face.left, face.top));
}

TEST_F(GlyphButtonTest, DefaultButtonHasAFrameUntilItsStyleDropsIt) {
    Button *button = Open("Ok", 100, 40, 1);
    COLORREF frame = ::GetSysColor(COLOR_WINDOWFRAME);
    std::unique_ptr<Canvas> canvas(Painted(*button));
    EXPECT_EQ(frame, canvas->At(0, 0));
    EXPECT_EQ(frame, canvas->At(99, 39));
    ::SendMessageA(button->GetHandle(), BM_SETSTYLE, BS_PUSHBUTTON, 1);
    canvas.reset(Painted(*button));
    TRect client = button->GetClientRect();
    Canvas plain(client.Width(), client.Height());
    TUIBorder(client, TUIBorder::ButtonUp).Paint(plain.dc());
    EXPECT_EQ(plain.At(0, 0), canvas->At(0, 0));
}

// ---- bitmaps that follow the face colour

TEST(BtnBitmap, RepaintsTheOldFaceColourInTheSystemsOne) {
    COLORREF const old = RGB(1, 2, 3), face = ::GetSysColor(COLOR_3DFACE);
    HDC screen = ::GetDC(0);
    HBITMAP handle = ::CreateCompatibleBitmap(screen, 4, 2);
    HDC dc = ::CreateCompatibleDC(screen);
    HGDIOBJ was = ::SelectObject(dc, handle);
    for (int x = 0; x < 4; ++x)
        for (int y = 0; y < 2; ++y)
            ::SetPixel(dc, x, y, (x + y) % 2 ? Red : old);
    ::SelectObject(dc, was);

    TBtnBitmap bitmap(handle, TColor(old), AutoDelete);
    EXPECT_EQ(face, bitmap.GetFaceColor().GetValue());
    was = ::SelectObject(dc, bitmap.GetHandle());
    for (int x = 0; x < 4; ++x)
        for (int y = 0; y < 2; ++y)
            EXPECT_EQ((x + y) % 2 ? Red : face, ::GetPixel(dc, x, y)) << x << "," << y;
    ::SelectObject(dc, was);
    ::DeleteDC(dc);
    ::ReleaseDC(0, screen);
    EXPECT_EQ(0xC0C0C0UL, TBtnBitmap::DefaultFaceColor.GetValue());
}

}  // namespace
