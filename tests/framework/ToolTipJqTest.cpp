// The application's tip window: its delays, place and size, what hides it, what keeps
// it from showing, and how its styles look.
#include "manager/DocumentManager.h"
#include "tests/framework/GdiCanvas.h"
#include "tests/framework/Pump.h"
#include "tests/framework/TestApp.h"
#include "bars/ToolTipJq.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <string>

namespace {

class Probe : public TToolTipJq {
public:
    using TToolTipJq::TToolTipJq;
    using TToolTipJq::PlaceAt;
    using TToolTipJq::ShowNow;
};

TSize Measured(char const *text) {
    TToolTipFont font;
    TScreenDC dc;
    dc.SelectObject(font);
    TSize extent = dc.GetTextExtent(text, int(std::strlen(text)));
    dc.RestoreFont();
    return TSize(extent.cx + 5, extent.cy + 2);
}

TEST(ToolTipJq, ShowsAfterItsDelayBesideTheCursorWithTheMeasuredSize) {
    TestApp app;
    Probe tip;
    EXPECT_STREQ("JqTooltip", tip.GetClassNameA());
    EXPECT_EQ(DWORD(WS_EX_TOPMOST | WS_EX_TOOLWINDOW), tip.GetExStyle() & 0xFF);

    DWORD start = ::GetTickCount();
    tip.SetCaption("Open a file");
    EXPECT_TRUE(tip.IsTimerActive());
    EXPECT_FALSE(tip.IsWindowVisible());
    PumpFor(400);
    EXPECT_FALSE(tip.IsWindowVisible()) << "shown before its delay";
    ASSERT_TRUE(PumpUntil([&] { return tip.IsWindowVisible(); }, 3000));
    EXPECT_GE(::GetTickCount() - start, 550u);
    EXPECT_FALSE(tip.IsTimerActive());

    // where the placement puts it for the cursor (the rules: PlacementKeepsTheTipOnTheScreen)
    TSize size = Measured("Open a file");
    EXPECT_EQ(size, tip.GetTipSize());
    // The pointer may move meanwhile (another program may hold it): the tip is placed
    // again until the pointer stayed put while it was.
    TSize screen(::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN));
    TRect place;
    for (int attempt = 0; attempt < 10; ++attempt) {
        POINT before, after;
        ::GetCursorPos(&before);
        tip.ShowNow();
        ::GetCursorPos(&after);
        place = tip.PlaceAt(TPoint(after.x, after.y), screen);
        if (before.x == after.x && before.y == after.y)
            break;
    }
    EXPECT_EQ(size, place.Size());
    EXPECT_EQ(place, tip.GetWindowRect());

    // on demand
    tip.HideTip();
    EXPECT_FALSE(tip.IsWindowVisible());
    EXPECT_FALSE(tip.IsTimerActive());

    // a text that follows a hide at once comes quicker
    start = ::GetTickCount();
    tip.SetCaption("Save");
    ASSERT_TRUE(PumpUntil([&] { return tip.IsWindowVisible(); }, 3000));
    EXPECT_LT(::GetTickCount() - start, 550u);
    EXPECT_EQ(Measured("Save"), tip.GetTipSize());

    // a new text while shown hides the tip and waits again; after a pause the full delay
    tip.SetCaption("Close");
    EXPECT_FALSE(tip.IsWindowVisible());
    tip.HideTip();
    ::Sleep(120);
    tip.SetCaption("Close");
    PumpFor(400);
    EXPECT_FALSE(tip.IsWindowVisible());
    EXPECT_TRUE(PumpUntil([&] { return tip.IsWindowVisible(); }, 3000));
    tip.HideTip();
}

TEST(ToolTipJq, KeyStrokeHidesTheTipThroughTheHook) {
    TestApp app;
    TWindow owner((TWindow *)0, "keys");
    owner.Attr.Style = WS_OVERLAPPEDWINDOW | WS_VISIBLE;
    owner.Attr.X = 50, owner.Attr.Y = 50, owner.Attr.W = 200, owner.Attr.H = 100;
    ASSERT_TRUE(owner.Create());

    Probe tip;
    tip.SetCaption("Cut");
    tip.ShowNow();
    ASSERT_TRUE(tip.IsWindowVisible());
    // Other programs on the display may take the keyboard for a moment: the stroke is
    // sent again until one reaches this thread.
    bool hidden = false;
    for (int attempt = 0; attempt < 10 && !hidden; ++attempt) {
        PumpUntil([&] {
            ::SetForegroundWindow(owner);
            ::SetFocus(owner);
            return ::GetForegroundWindow() == owner.GetHandle();
        }, 1000);
        INPUT keys[2] = {};
        keys[0].type = keys[1].type = INPUT_KEYBOARD;
        keys[0].ki.wVk = keys[1].ki.wVk = VK_SHIFT;
        keys[1].ki.dwFlags = KEYEVENTF_KEYUP;
        ::SendInput(2, keys, sizeof keys[0]);
        hidden = PumpUntil([&] { return !tip.IsWindowVisible(); }, 500);
    }
    EXPECT_TRUE(hidden);
    EXPECT_FALSE(tip.IsTimerActive());
    EXPECT_STREQ("", tip.GetTitle());
}

TEST(ToolTipJq, NoTipWhileTipsAreOffOrAButtonIsHeld) {
    TestApp app;
    Probe tip;
    tip.EnableTips(0);
    tip.SetCaption("Paste");
    EXPECT_FALSE(tip.IsTimerActive());
    EXPECT_FALSE(tip.IsWindowVisible());

    // switching tips off leaves a shown tip up until the next text
    tip.EnableTips(1);
    tip.SetCaption("Paste");
    tip.ShowNow();
    ASSERT_TRUE(tip.IsWindowVisible());
    tip.EnableTips(0);
    EXPECT_TRUE(tip.IsWindowVisible());
    tip.SetCaption("Copy");
    EXPECT_FALSE(tip.IsWindowVisible());
    tip.EnableTips(1);

    // the timer fires while the left button is down: nothing shows and no new wait starts
    BYTE keys[256], held[256];
    ASSERT_TRUE(::GetKeyboardState(keys));
    std::memcpy(held, keys, sizeof keys);
    held[VK_LBUTTON] = 0x80;
    ASSERT_TRUE(::SetKeyboardState(held));
    tip.SetCaption("Copy");
    EXPECT_TRUE(PumpUntil([&] { return !tip.IsTimerActive(); }, 3000));
    PumpFor(50);
    EXPECT_FALSE(tip.IsWindowVisible());
    EXPECT_FALSE(tip.IsTimerActive());
    ::SetKeyboardState(keys);
}

TEST(ToolTipJq, NoTipInAMenuLoopOrWhileALongOperationHoldsTheMouse) {
    TApplication::SetWinMainParams(::GetModuleHandleA(0), 0, "", SW_SHOWNORMAL);
    DocumentManager manager("VeltraneTests", "", 0, 0, 0, 0);
    Probe tip;
    ASSERT_EQ(&manager, dynamic_cast<DocumentManager *>(tip.GetApplication()));
    tip.SetCaption("Undo");

    manager.EvEnterMenuLoop(0, 0);
    tip.ShowNow();
    EXPECT_FALSE(tip.IsWindowVisible());
    manager.EvExitMenuLoop(0, 0);
    tip.ShowNow();
    EXPECT_TRUE(tip.IsWindowVisible());
    tip.HideTip();

    TWindow gauge((TWindow *)0, "gauge");
    manager.SetProgressWindow(&gauge);
    tip.SetCaption("Undo");
    tip.ShowNow();
    EXPECT_FALSE(tip.IsWindowVisible());
    manager.SetProgressWindow(0);
    tip.ShowNow();
    EXPECT_TRUE(tip.IsWindowVisible());
    tip.HideTip();
}

TEST(ToolTipJq, PlacementKeepsTheTipOnTheScreen) {
    TestApp app;
    Probe plain, rounded(Tip::Rounded), shadow(Tip::Shadow), both(Tip::Rounded | Tip::Shadow);
    TSize screen(1000, 800);
    for (Probe *tip : {&plain, &rounded, &shadow, &both})
        tip->SetCaption("Normalize");
    TSize s = plain.GetTipSize();
    struct Case {
        Probe *tip;
        TPoint cursor;
        TRect expected;
    } const cases[] = {
        {&plain, TPoint(300, 200), TRect(298, 225, 298 + s.cx, 225 + s.cy)},
        {&rounded, TPoint(300, 200), TRect(297, 224, 299 + s.cx, 226 + s.cy)},
        {&shadow, TPoint(300, 200), TRect(298, 225, 302 + s.cx, 229 + s.cy)},
        {&both, TPoint(300, 200), TRect(297, 224, 303 + s.cx, 230 + s.cy)},
        // off the left edge: 2 pixels inside
        {&plain, TPoint(0, 200), TRect(2, 225, 2 + s.cx, 225 + s.cy)},
        // past the right edge: ends 2 pixels inside
        {&plain, TPoint(995, 200), TRect(998 - s.cx, 225, 998, 225 + s.cy)},
        // past the bottom: 42 pixels up
        {&plain, TPoint(300, 790), TRect(298, 773, 298 + s.cx, 773 + s.cy)},
        {&shadow, TPoint(995, 790), TRect(998 - s.cx, 773, 1002, 777 + s.cy)},
    };
    for (Case const &c : cases)
        EXPECT_EQ(c.expected, c.tip->PlaceAt(c.cursor, screen)) << c.cursor.x << "," << c.cursor.y << " style "
                                                                << c.tip->GetTipStyle();
    for (Probe *tip : {&plain, &rounded, &shadow, &both})
        tip->HideTip();
}

TEST(ToolTipJq, StylesPaintCornersAndShadow) {
    TestApp app;
    COLORREF const blue = RGB(0, 0, 255), face = RGB(255, 255, 128);
    COLORREF const frame = ::GetSysColor(COLOR_WINDOWFRAME);
    for (Tip::Style style : {Tip::Plain, Tip::Rounded, Tip::Shadow, Tip::Rounded | Tip::Shadow}) {
        SCOPED_TRACE(int(style));
        Probe tip(style);
        tip.SetCaption("Wg");
        tip.HideTip();  // keeps the measured size
        tip.TWindow::SetCaption("Wg");
        TRect place = tip.PlaceAt(TPoint(300, 200), TSize(1000, 800));
        tip.SetWindowPos(0, place, SWP_NOZORDER | SWP_NOACTIVATE);
        TRect client = tip.GetClientRect();
        ASSERT_EQ(place.Size(), client.Size());
        Canvas canvas(client.Width(), client.Height(), blue);
        tip.Paint(canvas.dc(), 1, client);

        int w = client.Width(), h = client.Height();
        int bodyW = style & Tip::Shadow ? w - 5 : w, bodyH = style & Tip::Shadow ? h - 5 : h;
        EXPECT_EQ(frame, canvas.At(0, bodyH / 2));
        EXPECT_EQ(frame, canvas.At(bodyW / 2, bodyH - 1));
        EXPECT_EQ(face, canvas.At(1, 1));
        // the rounded body leaves its corners alone
        EXPECT_EQ(style & Tip::Rounded ? blue : frame, canvas.At(0, 0));
        // the text is inked dark inside the body (smoothed edges are gray)
        int ink = 0;
        for (int y = 2; y < bodyH - 2; ++y)
            for (int x = 2; x < bodyW - 2; ++x) {
                COLORREF c = canvas.At(x, y);
                ink += GetRValue(c) + GetGValue(c) + GetBValue(c) < 200;
            }
        EXPECT_GT(ink, 5);

        if (style & Tip::Shadow) {
            // a half-tone strip right of and below the body; above it the desktop stays
            int dark = 0, light = 0;
            for (int y = 7; y < h - 2; ++y)
                for (int x = bodyW + 1; x < w - 2; ++x) {
                    dark += canvas.At(x, y) == RGB(0, 0, 0);
                    light += canvas.At(x, y) == RGB(255, 255, 255);
                }
            EXPECT_GT(dark, 0);
            EXPECT_GT(light, 0);
            EXPECT_EQ(blue, canvas.At(w - 2, 1));
            EXPECT_EQ(blue, canvas.At(1, h - 2));
        } else if (!(style & Tip::Rounded)) {
            EXPECT_EQ(0, canvas.Count(blue));
        }
    }
}

TEST(ToolTipJq, FontIsEightPointSansSerif) {
    TToolTipFont font;
    LOGFONTA lf = {};
    ASSERT_TRUE(font.GetObject(lf));
    EXPECT_STREQ("MS Sans Serif", lf.lfFaceName);
    EXPECT_EQ(-9, lf.lfHeight);
    EXPECT_EQ(400, lf.lfWeight);
    EXPECT_EQ(1, lf.lfCharSet);
    EXPECT_FALSE(lf.lfItalic || lf.lfUnderline || lf.lfStrikeOut);
}

}  // namespace
