// Text, coloured text, menu, mode and bitmap gadgets: painting read back pixel by
// pixel, sizes, repaint and relayout on text changes, clicks and key states.
#include "bars/BitmapGadget.h"
#include "core/Dib.h"
#include "bars/GadgetWindow.h"
#include "tests/framework/GdiCanvas.h"
#include "core/Menu.h"
#include "tests/framework/TestApp.h"
#include "bars/TextGadget.h"

#include <gtest/gtest.h>

namespace {
// A gadget window that counts its layout sessions.
class Counting : public TGadgetWindow {
public:
    explicit Counting(TWindow *parent = 0) : TWindow(parent), TGadgetWindow(parent) {}
    int Sessions = 0;
    void LayoutSession() override { ++Sessions, TGadgetWindow::LayoutSession(); }
};

// Paints the window's gadgets into a canvas of the window's size.
void PaintInto(TGadgetWindow &w, Canvas &canvas) {
    TRect all(0, 0, canvas.Width, canvas.Height);
    w.Paint(canvas.dc(), 1, all);
}

// The first column in the rectangle holding a pixel that is neither colour, or -1.
int FirstInk(Canvas const &c, TRect const &r, COLORREF face) {
    for (int x = r.left; x < r.right; ++x)
        for (int y = r.top; y < r.bottom; ++y)
            if (c.At(x, y) != face)
                return x;
    return -1;
}

}  // namespace

TEST(TTextGadget, PaintsItsTextAlignedOnTheFaceAndGreyedWhenDisabled) {
    TestApp app;
    COLORREF face = ::GetSysColor(COLOR_BTNFACE), text = ::GetSysColor(COLOR_BTNTEXT),
             grey = ::GetSysColor(COLOR_GRAYTEXT);
    int firstInk[3] = {};
    TRect inner;
    int extent = 0;
    for (int align = TTextGadget::Left; align <= TTextGadget::Right; ++align) {
        TGadgetWindow w(0, TGadgetWindow::Horizontal, new TGadgetWindowFont);
        w.Attr.W = 400;
        TTextGadget *g = new TTextGadget(1, TGadget::Recessed, TTextGadget::TAlign(align), 2, "Wave");
        g->WideAsPossible = 1;
        w.Insert(*g);
        w.TileGadgets();
        Canvas canvas(w.Attr.W, w.Attr.H);
        PaintInto(w, canvas);
        g->GetInnerRect(inner);
        inner.Offset(g->GetBounds().left, g->GetBounds().top);
        ASSERT_TRUE(TRect(0, 0, canvas.Width, canvas.Height).Contains(inner));
        extent = w.GetFont().GetTextExtent("Wave").cx;
        firstInk[align] = FirstInk(canvas, inner, face);
        ASSERT_GE(firstInk[align], inner.left);
        EXPECT_GT(CountIn(canvas, inner, text), 0);
        // the border lies outside the inner area and is not the face
        EXPECT_NE(face, canvas.At(g->GetBounds().left, g->GetBounds().top));
        if (align == TTextGadget::Left) {
            g->SetEnabled(0);
            PaintInto(w, canvas);
            EXPECT_EQ(0, CountIn(canvas, inner, text));
            EXPECT_GT(CountIn(canvas, inner, grey), 0);
        }
    }
    int free = inner.Width() - extent;
    EXPECT_EQ(firstInk[TTextGadget::Left] + free / 2, firstInk[TTextGadget::Center]);
    EXPECT_EQ(firstInk[TTextGadget::Left] + free, firstInk[TTextGadget::Right]);
}

TEST(TTextGadget, AnEqualTextNeitherRelayoutsNorRepaints) {
    TestApp app;
    TFrameWindow frame(0, "Texts");
    Counting *w = new Counting(&frame);
    w->Attr.W = 200;
    TTextGadget *g = new TTextGadget(1, TGadget::Recessed, TTextGadget::Left, 10, "one");
    w->Insert(*g);
    ASSERT_TRUE(frame.Create());
    frame.ShowWindow(SW_SHOWNA);
    TestApp::Drain();
    ASSERT_TRUE(w->IsWindowVisible());
    ::ValidateRect(w->GetHandle(), 0);
    w->Sessions = 0;
    std::string same = "one";
    g->SetText(same.c_str());
    EXPECT_EQ(0, w->Sessions);
    EXPECT_FALSE(::GetUpdateRect(w->GetHandle(), 0, FALSE));
    g->SetText("two");
    EXPECT_EQ(1, w->Sessions);
    EXPECT_TRUE(::GetUpdateRect(w->GetHandle(), 0, FALSE));
    EXPECT_STREQ("two", g->GetText());
    g->SetText(0);
    EXPECT_EQ(nullptr, g->GetText());

    // the framework's text gadget only repaints
    TextGadget *plain = new TextGadget(2);
    w->Insert(*plain);
    w->Sessions = 0;
    ::ValidateRect(w->GetHandle(), 0);
    plain->SetText(String("status"));
    EXPECT_EQ(0, w->Sessions);
    EXPECT_TRUE(::GetUpdateRect(w->GetHandle(), 0, FALSE));
    EXPECT_STREQ("status", plain->GetText());
    frame.Destroy(0);
}

TEST(TextGadget, OwnColoursOverTheWidenedAreaAndWidthByTheAverageCharacter) {
    TestApp app;
    TGadgetWindow w(0, TGadgetWindow::Horizontal, new TGadgetWindowFont);
    TextGadget *g = new TextGadget(1, TGadget::None, TTextGadget::Left, 8, "Hi");
    w.Insert(*g);
    TEXTMETRICA tm = w.GetFont().GetTextMetrics();
    int margin = w.LayoutUnitsToPixels(::GetSystemMetrics(SM_CXFIXEDFRAME));
    TSize desired;
    g->GetDesiredSize(desired);
    EXPECT_EQ(2 * margin + 8 * tm.tmAveCharWidth, desired.cx);

    g->SetTextColor(RGB(255, 0, 0));
    g->SetBkColor(RGB(0, 0, 255));
    w.TileGadgets();
    Canvas canvas(desired.cx + 10, w.Attr.H);
    PaintInto(w, canvas);
    TRect bounds = g->GetBounds();
    int row = bounds.top + bounds.Height() / 2;
    // the background covers the margins too, from the gadget's left edge to its right
    EXPECT_EQ(RGB(0, 0, 255), canvas.At(bounds.left, row));
    EXPECT_EQ(RGB(0, 0, 255), canvas.At(bounds.right - 1, row));
    EXPECT_EQ(RGB(255, 255, 255), canvas.At(bounds.right, row));
    EXPECT_GT(canvas.Count(RGB(255, 0, 0)), 0);
    g->SetEnabled(0);  // its own colours whatever the state
    PaintInto(w, canvas);
    EXPECT_GT(canvas.Count(RGB(255, 0, 0)), 0);
}

TEST(TextGadget, AClickPostsItsCommandToTheMainWindowOnlyWhenItHasOne) {
    TestApp app;
    TFrameWindow *main = new TFrameWindow(0, "Main");
    ASSERT_TRUE(main->Create());
    app.SetMainWindow(main);
    TestApp::Drain();
    TextGadget plain(1), commanding(2);
    commanding.SetCommand(46030);
    MSG msg;
    plain.LButtonDown(0, TPoint(1, 1));
    EXPECT_FALSE(::PeekMessageA(&msg, main->GetHandle(), WM_COMMAND, WM_COMMAND, PM_REMOVE));
    commanding.LButtonDown(0, TPoint(1, 1));
    ASSERT_TRUE(::PeekMessageA(&msg, main->GetHandle(), WM_COMMAND, WM_COMMAND, PM_REMOVE));
    EXPECT_EQ(WPARAM(46030), msg.wParam);
    EXPECT_EQ(LPARAM(0), msg.lParam);
}

TEST(TMenuGadget, TakesTheTextOfTheMenusFirstItemWhenItHasOne) {
    TestApp app;
    TMenu named(::CreatePopupMenu(), AutoDelete), unnamed(::CreatePopupMenu(), AutoDelete);
    ::AppendMenuA(named, MF_STRING, 46031, "Zoom in");
    ::AppendMenuA(named, MF_STRING, 46032, "Zoom out");
    ::AppendMenuA(unnamed, MF_SEPARATOR, 0, 0);
    ::AppendMenuA(unnamed, MF_STRING, 46032, "Zoom out");
    char own[] = "Zoom";
    TMenuGadget fromMenu(named, 0, 1, TGadget::ButtonUp, own), keeps(unnamed, 0, 2, TGadget::ButtonUp, own);
    EXPECT_STREQ("Zoom in", fromMenu.GetText());
    EXPECT_STREQ("Zoom", keeps.GetText());
    EXPECT_EQ(15u, keeps.GetNumChars());
    EXPECT_TRUE(keeps.ShrinkWrapWidth && keeps.ShrinkWrapHeight);
    // the gadget keeps its own copy of the menu
    ASSERT_TRUE(fromMenu.GetPopupMenu());
    EXPECT_NE(HMENU(named), HMENU(*fromMenu.GetPopupMenu()));
    EXPECT_EQ(2, ::GetMenuItemCount(*fromMenu.GetPopupMenu()));
}

TEST(TModeGadget, FollowsTheToggleOfLockKeysAndTheDownStateOfOthers) {
    BYTE saved[256], keys[256];
    ASSERT_TRUE(::GetKeyboardState(saved));
    std::copy(saved, saved + 256, keys);
    TModeGadget caps(VK_CAPITAL, "CAPS"), shift(VK_SHIFT, "SHIFT");
    struct Case {
        BYTE capsState, shiftState;
        int capsOn, shiftOn;
    } const cases[] = {
        {0x01, 0x01, 1, 0},  // toggled while up: the lock is on; a toggled shift is not down
        {0x80, 0x80, 0, 1},  // down but not toggled
        {0x00, 0x00, 0, 0},
    };
    for (Case const &c : cases) {
        keys[VK_CAPITAL] = c.capsState;
        keys[VK_SHIFT] = c.shiftState;
        ASSERT_TRUE(::SetKeyboardState(keys));
        EXPECT_EQ(0, caps.IdleAction(0));
        shift.IdleAction(0);
        EXPECT_EQ(c.capsOn, caps.GetEnabled()) << int(c.capsState);
        EXPECT_EQ(c.shiftOn, shift.GetEnabled()) << int(c.shiftState);
    }
    ::SetKeyboardState(saved);
}

TEST(TBitmapGadget, ShowsTheSelectedImageOfTheWindowsSharedCels) {
    TestApp app;
    // two 6 x 5 cels side by side: red, then green
    TScreenDC screen;
    TBitmap *strip = new TBitmap(screen, 12, 5);
    {
        TMemoryDC dc(*strip);
        dc.TextRect(TRect(0, 0, 6, 5), TColor(RGB(255, 0, 0)));
        dc.TextRect(TRect(6, 0, 12, 5), TColor(RGB(0, 255, 0)));
    }
    TGadgetWindow w(0, TGadgetWindow::Horizontal, new TGadgetWindowFont);
    w.SetMargins(TMargins(TMargins::Pixels, 0, 0, 0, 0));
    w.SetCelArray(new TCelArray(strip, 2, TSize(6, 5)));
    TBitmapGadget *g = new TBitmapGadget(TResId(0), 1, TGadget::None, 2, 0, 1);
    w.Insert(*g);
    TSize desired;
    g->GetDesiredSize(desired);
    EXPECT_EQ(TSize(6, 5), desired);
    w.TileGadgets();
    Canvas canvas(20, w.Attr.H);
    PaintInto(w, canvas);
    TPoint at(g->GetBounds().left + 2, g->GetBounds().top + 2);
    EXPECT_EQ(RGB(255, 0, 0), canvas.At(at.x, at.y));
    EXPECT_EQ(0, g->SelectImage(1, 0));
    EXPECT_EQ(1, g->GetImage());
    PaintInto(w, canvas);
    EXPECT_EQ(RGB(0, 255, 0), canvas.At(at.x, at.y));
    EXPECT_EQ(1, g->SelectImage(1, 1));
}
