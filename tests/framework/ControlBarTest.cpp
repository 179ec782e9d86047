// Control bars (margins, tool tips) and control gadgets (sizing, creation, ownership).
#include "bars/ControlBar.h"
#include "bars/ControlGadget.h"

#include "bars/Tooltip.h"
#include "core/UIParts.h"

#include <gtest/gtest.h>

#include "tests/framework/TestApp.h"

namespace {

// A control that tells when its object goes.
class Probe : public TWindow {
public:
    Probe(TWindow *parent, int id, int *gone) : TWindow(parent, "probe"), Gone(gone) {
        Attr.Style = WS_CHILD;
        Attr.W = 50;
        Attr.H = 20;
        Attr.Id = id;
    }
    ~Probe() override {
        if (Gone)
            *Gone = 1;
    }
    int *Gone;
};

class Top : public TWindow {
public:
    Top() : TWindow(0, "Bars") {
        Attr.Style = WS_OVERLAPPEDWINDOW;
        Attr.W = 400;
        Attr.H = 200;
    }
};

bool Shown(HWND hwnd) { return (::GetWindowLongA(hwnd, GWL_STYLE) & WS_VISIBLE) != 0; }

class Bar : public TControlBar {
public:
    explicit Bar(TWindow *parent) : TWindow(parent), TControlBar(parent) {}
    using TControlBar::WantTooltip;
};

class ControlBarTest : public ::testing::Test {
protected:
    TestApp app;
};

}  // namespace

TEST_F(ControlBarTest, ABarOfTheFrameHasSizeFrameMarginsAndTips) {
    Top top;
    Bar *bar = new Bar(&top);
    TMargins const &m = bar->GetMargins();
    EXPECT_EQ(TMargins::BorderUnits, m.Units);
    EXPECT_EQ(TUIMetric::CxSizeFrame + 2, m.Left);
    EXPECT_EQ(TUIMetric::CxSizeFrame + 2, m.Right);
    EXPECT_EQ(int(TUIMetric::CyFixedFrame), m.Top);
    EXPECT_EQ(int(TUIMetric::CyFixedFrame), m.Bottom);
    EXPECT_EQ(TGadgetWindow::Horizontal, bar->GetDirection());
    EXPECT_EQ(1, bar->WantTooltip);
    ASSERT_TRUE(top.Create());
    EXPECT_TRUE(bar->GetTooltip() != 0);
}

TEST_F(ControlBarTest, AControlGadgetSizesItsControlInsideBordersAndMargins) {
    Top top;
    TControlBar *bar = new TControlBar(&top);
    Probe *control = new Probe(0, 47001, 0);
    TControlGadget *gadget = new TControlGadget(*control, TGadget::Recessed);
    EXPECT_EQ(47001, gadget->GetId());
    EXPECT_EQ(control, gadget->GetControl());
    EXPECT_TRUE(control->GetStyle() & WS_CLIPSIBLINGS);
    bar->Insert(*gadget);

    int left, right, top_, bottom;
    gadget->GetOuterSizes(left, right, top_, bottom);
    TSize size(0, 0);
    gadget->GetDesiredSize(size);
    EXPECT_EQ(left + right + 50, size.cx);
    EXPECT_EQ(top_ + bottom + 20, size.cy);

    // overrides win whatever the borders, margins and control
    gadget->SetWidthOverride(40);
    gadget->GetDesiredSize(size);
    EXPECT_EQ(40, size.cx);
    EXPECT_EQ(top_ + bottom + 20, size.cy);
    gadget->SetHeightOverride(12);
    gadget->GetDesiredSize(size);
    EXPECT_EQ(TSize(40, 12), size);

    // no window yet: the control waits for the bar
    EXPECT_TRUE(control->GetHandle() == 0);
    ASSERT_TRUE(top.Create());
    ASSERT_TRUE(control->GetHandle() != 0);
    EXPECT_EQ(bar->GetHandle(), ::GetParent(control->GetHandle()));
    EXPECT_TRUE(Shown(control->GetHandle()));

    // the control sits in the gadget's bounds narrowed by half the outer sizes on each side
    TRect bounds(10, 3, 110, 33);
    gadget->SetBounds(bounds);
    TRect placed;
    ::GetWindowRect(control->GetHandle(), &placed);
    ::MapWindowPoints(0, bar->GetHandle(), reinterpret_cast<POINT *>(&placed), 2);
    EXPECT_EQ(TRect(10 + (left + right) / 2, 3 + (top_ + bottom) / 2, 110 - (left + right) / 2,
                    33 - (top_ + bottom) / 2),
              placed);
}

TEST_F(ControlBarTest, AControlGadgetOwnsItsControl) {
    Top top;
    TControlBar *bar = new TControlBar(&top);
    ASSERT_TRUE(top.Create());
    int gone = 0;
    Probe *control = new Probe(0, 47002, &gone);
    TControlGadget *gadget = new TControlGadget(*control);
    // inserted into a bar that exists: created at once
    bar->Insert(*gadget);
    HWND hwnd = control->GetHandle();
    ASSERT_TRUE(hwnd != 0);
    EXPECT_EQ(bar, control->GetParentO());
    // the control is a tool of the bar's tooltip while it is in the bar
    TTooltip *tip = bar->GetTooltip();
    ASSERT_TRUE(tip != 0);
    auto IsTool = [&] {
        TToolInfo info(bar->GetHandle(), hwnd);
        return tip->GetToolInfo(info);
    };
    EXPECT_TRUE(IsTool());

    // taken out: parentless and hidden, but alive
    bar->Remove(*gadget);
    EXPECT_TRUE(control->GetParentO() == 0);
    EXPECT_FALSE(Shown(hwnd));
    EXPECT_FALSE(IsTool());
    EXPECT_EQ(0, gone);
    bar->Insert(*gadget);
    EXPECT_EQ(bar->GetHandle(), ::GetParent(hwnd));
    EXPECT_TRUE(Shown(hwnd));
    EXPECT_TRUE(IsTool());

    delete gadget;
    EXPECT_EQ(1, gone);
    EXPECT_FALSE(::IsWindow(hwnd));
    EXPECT_EQ(0u, bar->GadgetCount());
}
