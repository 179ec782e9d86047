// The simple tip window over one tool: delays, placement beside the tool, the poll that
// hides it when the cursor leaves, and its look.
#include "tests/framework/GdiCanvas.h"
#include "tests/framework/Pump.h"
#include "tests/framework/TestApp.h"
#include "bars/ToolTipSimple.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>

namespace {

TSize Measured(char const *text) {
    TScreenDC dc;
    dc.SelectStockObject(ANSI_VAR_FONT);
    TSize extent = dc.GetTextExtent(text, int(std::strlen(text)));
    return TSize(extent.cx + 7, extent.cy + 4);
}

class Probe : public TTToolTip {
public:
    using TTToolTip::ShowNow;
};

// The pointer may be anywhere and may move (another program on the display can hold
// it): a tool that spans the whole desktop always holds it, one beside it never does.
TRect Everywhere() {
    int x = ::GetSystemMetrics(SM_XVIRTUALSCREEN), y = ::GetSystemMetrics(SM_YVIRTUALSCREEN);
    return TRect(x, y, x + ::GetSystemMetrics(SM_CXVIRTUALSCREEN), y + ::GetSystemMetrics(SM_CYVIRTUALSCREEN));
}

TRect Nowhere() {
    TRect all = Everywhere();
    return TRect(all.left - 100, all.top, all.left - 20, all.top + 20);
}

// Shows the tip for a tool and waits for it.
bool ShowFor(TTToolTip &tip, TRect tool, char const *text) {
    tip.SetPosition(tool, 0, 0);
    tip.SetTip(text);
    return PumpUntil([&] { return tip.IsWindowVisible(); }, 3000);
}

TEST(TTToolTip, DelaysAndTheSameTextAgain) {
    TestApp app;
    TTToolTip tip;
    EXPECT_STREQ("TTToolTip", tip.GetClassNameA());
    EXPECT_EQ(unsigned(CS_VREDRAW | CS_HREDRAW | CS_SAVEBITS), ::GetClassLongA(tip, GCL_STYLE));
    EXPECT_EQ(unsigned(HTTRANSPARENT), unsigned(tip.SendMessageA(WM_NCHITTEST, 0, MAKELPARAM(1, 1))));

    TRect tool = Everywhere();
    tip.SetPosition(tool, 0, 0);
    DWORD start = ::GetTickCount();
    tip.SetTip("Record");
    EXPECT_TRUE(tip.IsTimerRunning());
    PumpFor(400);
    EXPECT_FALSE(tip.IsWindowVisible()) << "a first tip waits 600 ms";
    ASSERT_TRUE(PumpUntil([&] { return tip.IsWindowVisible(); }, 3000));
    EXPECT_GE(::GetTickCount() - start, 550u);

    // the same text leaves the shown tip alone; another one hides it
    tip.SetTip("Record");
    EXPECT_TRUE(tip.IsWindowVisible());
    tip.SetTip("Play");
    EXPECT_FALSE(tip.IsWindowVisible());

    // within 600 ms of that hide the next tip comes after 50 ms
    start = ::GetTickCount();
    ASSERT_TRUE(PumpUntil([&] { return tip.IsWindowVisible(); }, 3000));
    EXPECT_LT(::GetTickCount() - start, 450u);

    // tips off: a text starts nothing
    tip.HideTip();
    tip.EnableTips(0);
    tip.SetTip("Stop");
    EXPECT_FALSE(tip.IsTimerRunning());
    EXPECT_FALSE(tip.IsWindowVisible());
}

TEST(TTToolTip, PlacedBelowOrAboveTheToolOrAtTheGivenPlace) {
    TestApp app;
    Probe tip;
    int cx = ::GetSystemMetrics(SM_CXSCREEN), cy = ::GetSystemMetrics(SM_CYSCREEN);
    TSize s = Measured("Loop");
    TRect given(400, 300, 500, 320);
    struct Case {
        TRect tool;
        TRect *place;
        TPoint expected;
    } const cases[] = {
        {TRect(100, 100, 200, 120), 0, TPoint(100, 122)},
        // no room below: above the tool
        {TRect(100, cy - 20, 200, cy - 2), 0, TPoint(100, cy - 20 - s.cy - 2)},
        // no room on the right: the tip ends at the tool's right edge
        {TRect(cx - 10, 100, cx - 2, 120), 0, TPoint(cx - 2 - s.cx, 122)},
        {TRect(100, 100, 200, 120), &given, TPoint(399, 300)},
    };
    for (Case const &c : cases) {
        TRect tool = c.tool;
        tip.SetPosition(tool, c.place, 0);
        tip.TWindow::SetCaption("Loop");
        tip.ShowNow();
        EXPECT_TRUE(tip.IsWindowVisible());
        EXPECT_EQ(TRect(c.expected, s), tip.GetWindowRect()) << c.tool.left << "," << c.tool.top;
        tip.HideTip();
        EXPECT_FALSE(tip.IsWindowVisible());
    }
}

TEST(TTToolTip, HidesWhenTheCursorLeavesOrAWindowTakesTheMouse) {
    TestApp app;
    TTToolTip tip;
    ASSERT_TRUE(ShowFor(tip, Everywhere(), "Zoom"));
    // the poll keeps it up while the cursor stays
    PumpFor(450);
    EXPECT_TRUE(tip.IsWindowVisible());
    // as if the cursor had left the tool
    TRect elsewhere = Nowhere();
    tip.SetPosition(elsewhere, 0, 0);
    EXPECT_TRUE(PumpUntil([&] { return !tip.IsWindowVisible(); }, 3000));
    EXPECT_FALSE(tip.IsTimerRunning());

    ASSERT_TRUE(ShowFor(tip, Everywhere(), "Pan"));
    TWindow owner((TWindow *)0, "capture");
    owner.Attr.Style = WS_POPUP | WS_VISIBLE;
    owner.Attr.X = 600, owner.Attr.Y = 600, owner.Attr.W = 20, owner.Attr.H = 20;
    ASSERT_TRUE(owner.Create());
    owner.SetCapture();
    EXPECT_TRUE(PumpUntil([&] { return !tip.IsWindowVisible(); }, 3000));
    ::ReleaseCapture();
}

TEST(TTToolTip, PaintsAFramedInfoBox) {
    TestApp app;
    TTToolTip tip;
    tip.TWindow::SetCaption("Mix");
    tip.SetWindowPos(0, 10, 10, 60, 20, SWP_NOZORDER | SWP_NOACTIVATE);
    TRect client = tip.GetClientRect();
    Canvas canvas(client.Width(), client.Height(), RGB(0, 0, 255));
    tip.Paint(canvas.dc(), 1, client);
    COLORREF light = ::GetSysColor(COLOR_BTNHIGHLIGHT), dark = ::GetSysColor(COLOR_WINDOWFRAME);
    COLORREF back = TSystem::Has3dUI() ? ::GetSysColor(COLOR_INFOBK) : RGB(255, 255, 128);
    COLORREF text = TSystem::Has3dUI() ? ::GetSysColor(COLOR_INFOTEXT) : RGB(0, 0, 0);
    EXPECT_EQ(light, canvas.At(0, 10));
    EXPECT_EQ(light, canvas.At(30, 0));
    EXPECT_EQ(dark, canvas.At(59, 10));
    EXPECT_EQ(dark, canvas.At(30, 19));
    EXPECT_EQ(back, canvas.At(2, 2));
    EXPECT_EQ(0, canvas.Count(RGB(0, 0, 255)));
    int inked = 0;
    for (int y = 1; y < 19; ++y)
        for (int x = 15; x < 45; ++x)
            inked += canvas.At(x, y) == text;
    EXPECT_GT(inked, 0);
}

}  // namespace
