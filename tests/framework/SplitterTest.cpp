#include "tests/framework/ControlHost.h"
#include "tests/framework/GdiCanvas.h"
#include "controls/Splitter.h"
#include "tests/framework/ControlHost.h"

#include <gtest/gtest.h>

#include <vector>

namespace {
class Host : public ControlHost {
public:
    Host() : ControlHost("panes", 100, 50, 300, 200) {}
};

// Records the positions it is given and keeps the collapsed state as a real
// splitter does: 0 collapses, anything else is remembered.
class PaneSplitter : public Splitter {
public:
    PaneSplitter(TWindow *pane, int horizontal, int fixed = 0) : Splitter(pane, horizontal, pane, fixed) {
        Attr.Style = WS_CHILD | WS_VISIBLE;
        if (horizontal)
            Attr.X = 0, Attr.Y = 100, Attr.W = 300, Attr.H = 8;
        else
            Attr.X = 150, Attr.Y = 0, Attr.W = 8, Attr.H = 200;
    }
    std::vector<int> Positions;
    void SetSplitPosition(int position) override {
        Positions.push_back(position);
        Aside = position == 0;
        if (position)
            RememberedPosition = position;
    }
    int IsAside() override { return Aside; }
    void Remember(int position) { RememberedPosition = position; }
    int Aside = 0;
};

// A shown pane window with one splitter in it.
struct Panes {
    TestApp app;
    Host host;
    PaneSplitter split;
    explicit Panes(int horizontal) : split(&host, horizontal) {
        EXPECT_TRUE(host.Create());
        EXPECT_TRUE(split.Create());
    }
};

LPARAM At(int x, int y) { return MAKELPARAM(x, y); }
}  // namespace

TEST(Splitter, DragsAGhostInsideThePaneAndReportsTheNewPosition) {
    Panes panes(1);
    PaneSplitter &split = panes.split;
    HWND h = split.GetHandle();

    // a click without movement changes nothing
    ::SendMessageA(h, WM_LBUTTONDOWN, MK_LBUTTON, At(10, 4));
    EXPECT_TRUE(split.IsDragging());
    EXPECT_EQ(h, ::GetCapture());
    EXPECT_EQ(TRect(1, 101, 299, 107), split.GetGhost());
    ::SendMessageA(h, WM_LBUTTONUP, 0, At(10, 4));
    EXPECT_FALSE(split.IsDragging());
    EXPECT_NE(h, ::GetCapture());
    EXPECT_TRUE(split.Positions.empty());

    // moving 30 pixels up follows along the axis only
    ::SendMessageA(h, WM_LBUTTONDOWN, MK_LBUTTON, At(10, 4));
    ::SendMessageA(h, WM_MOUSEMOVE, MK_LBUTTON, At(60, -26));
    EXPECT_EQ(TRect(1, 71, 299, 77), split.GetGhost());
    // however far the mouse goes, the ghost stays in the pane
    ::SendMessageA(h, WM_MOUSEMOVE, MK_LBUTTON, At(10, 2000));
    EXPECT_EQ(TRect(1, 193, 299, 199), split.GetGhost());
    ::SendMessageA(h, WM_MOUSEMOVE, MK_LBUTTON, At(10, -2000));
    EXPECT_EQ(TRect(1, 1, 299, 7), split.GetGhost());
    ::SendMessageA(h, WM_MOUSEMOVE, MK_LBUTTON, At(10, -26));
    ::SendMessageA(h, WM_LBUTTONUP, 0, At(10, -26));
    EXPECT_EQ(std::vector<int>{71}, split.Positions);

    // moves without a drag do nothing
    ::SendMessageA(h, WM_MOUSEMOVE, 0, At(10, 50));
    ::SendMessageA(h, WM_LBUTTONUP, 0, At(10, 50));
    EXPECT_EQ(1u, split.Positions.size());
}

TEST(Splitter, VerticalSplittersMoveAlongX) {
    Panes panes(0);
    PaneSplitter &split = panes.split;
    ::SendMessageA(split.GetHandle(), WM_LBUTTONDOWN, MK_LBUTTON, At(3, 50));
    ::SendMessageA(split.GetHandle(), WM_MOUSEMOVE, MK_LBUTTON, At(43, 90));
    EXPECT_EQ(TRect(191, 1, 197, 199), split.GetGhost());
    ::SendMessageA(split.GetHandle(), WM_LBUTTONUP, 0, At(43, 90));
    EXPECT_EQ(std::vector<int>{191}, split.Positions);
}

TEST(Splitter, ADragEndsWithoutAMoveWhenAnotherWindowTakesTheMouse) {
    Panes panes(1);
    PaneSplitter &split = panes.split;
    HWND h = split.GetHandle();
    ::SendMessageA(h, WM_LBUTTONDOWN, MK_LBUTTON, At(10, 4));
    ::SendMessageA(h, WM_MOUSEMOVE, MK_LBUTTON, At(10, -26));
    ::SetCapture(panes.host.GetHandle());
    EXPECT_FALSE(split.IsDragging());
    ::ReleaseCapture();
    ::SendMessageA(h, WM_LBUTTONUP, 0, At(10, -26));
    EXPECT_TRUE(split.Positions.empty());
}

TEST(Splitter, DoubleClickTogglesBetweenSplitAndOnePane) {
    Panes panes(1);
    PaneSplitter &split = panes.split;
    split.Remember(120);
    ::SendMessageA(split.GetHandle(), WM_LBUTTONDBLCLK, 0, At(5, 4));
    ::SendMessageA(split.GetHandle(), WM_LBUTTONDBLCLK, 0, At(5, 4));
    EXPECT_EQ((std::vector<int>{0, 120}), split.Positions);

    PaneSplitter fixed(&panes.host, 1, 1);
    ASSERT_TRUE(fixed.Create());
    ::SendMessageA(fixed.GetHandle(), WM_LBUTTONDBLCLK, 0, At(5, 4));
    EXPECT_TRUE(fixed.Positions.empty());
}

TEST(Splitter, PaintsAThreeDBarBetweenItsFrameLines) {
    Panes panes(1);
    PaneSplitter &split = panes.split;
    Canvas canvas(300, 8, RGB(1, 2, 3));
    TRect all(0, 0, 300, 8);
    split.Paint(canvas.dc(), 0, all);
    COLORREF hi = ::GetSysColor(COLOR_BTNHIGHLIGHT), face = ::GetSysColor(COLOR_BTNFACE),
             shadow = ::GetSysColor(COLOR_BTNSHADOW);
    std::vector<COLORREF> expected{0, hi, hi, face, face, shadow, shadow, 0};
    for (int y = 0; y < 8; ++y) {
        EXPECT_EQ(expected[y], canvas.At(0, y)) << y;
        EXPECT_EQ(expected[y], canvas.At(299, y)) << y;
    }

    // a vertical one of 10 pixels gets its lines left and right, 1-pixel bands and
    // an unpainted middle
    PaneSplitter vertical(&panes.host, 0);
    ASSERT_TRUE(vertical.Create());
    ::MoveWindow(vertical.GetHandle(), 150, 0, 10, 200, FALSE);
    COLORREF none = RGB(1, 2, 3);
    Canvas column(10, 200, none);
    vertical.Paint(column.dc(), 0, all);
    std::vector<COLORREF> across{0, hi, face, face, none, none, none, none, shadow, 0};
    for (int x = 0; x < 10; ++x)
        EXPECT_EQ(across[x], column.At(x, 10)) << x;
}
