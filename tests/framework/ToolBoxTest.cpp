// The tool box grid: rows or columns from the gadget count, the fill order of each
// direction, the size it takes and the buttons it un-notches.
#include "tests/framework/ControlHost.h"
#include "bars/ButtonGadget.h"
#include "tests/framework/TestApp.h"
#include "core/System.h"
#include "bars/ToolBox.h"

#include <gtest/gtest.h>

namespace {
class Cell : public TGadget {
public:
    Cell(int id, int w, int h) : TGadget(id, None) {
        ShrinkWrapWidth = ShrinkWrapHeight = 0;
        Bounds = TRect(0, 0, w, h);
    }
};

void Fill(TToolBox &box, int count) {
    for (int i = 0; i < count; ++i)
        box.Insert(*new Cell(i + 1, i == 2 ? 24 : 20, i == 4 ? 18 : 16));
}

class Host : public ControlHost {
public:
    Host() : ControlHost("palette", 10, 10, 200, 200) {}
};

TPoint Corner(TToolBox &box, unsigned index) { return box[index]->GetBounds().TopLeft(); }
}  // namespace

TEST(ToolBox, SevenGadgetsInThreeColumnsFillThreeRowsByRows) {
    TestApp app;
    Host host;
    ASSERT_TRUE(host.Create());
    TToolBox box(&host, 3, -1, TGadgetWindow::Horizontal);
    Fill(box, 7);
    EXPECT_EQ(3, box.GetNumRows());
    EXPECT_EQ(3, box.GetNumColumns());
    ASSERT_TRUE(box.Create());
    // cells of the largest width and height: 24 x 18, no margins with the 3-D look
    ASSERT_TRUE(TSystem::Has3dUI());
    EXPECT_EQ(TRect(0, 0, 72, 54), box.GetClientRect());
    EXPECT_EQ(TPoint(0, 0), Corner(box, 0));
    EXPECT_EQ(TPoint(48, 0), Corner(box, 2));
    EXPECT_EQ(TPoint(0, 18), Corner(box, 3));
    EXPECT_EQ(TPoint(0, 36), Corner(box, 6));  // the last row holds one gadget
    EXPECT_EQ(TSize(24, 18), box[6u]->GetBounds().Size());
}

TEST(ToolBox, VerticalBoxesFillByColumnsAndSwapTheGridOnTurning) {
    TestApp app;
    Host host;
    ASSERT_TRUE(host.Create());
    TToolBox box(&host, 2, 4, TGadgetWindow::Horizontal);
    Fill(box, 6);
    ASSERT_TRUE(box.Create());
    EXPECT_EQ(TRect(0, 0, 48, 72), box.GetClientRect());
    EXPECT_EQ(TPoint(24, 0), Corner(box, 1));

    box.SetDirection(TGadgetWindow::Vertical);
    EXPECT_EQ(4, box.GetNumColumns());
    EXPECT_EQ(2, box.GetNumRows());
    EXPECT_EQ(TRect(0, 0, 96, 36), box.GetClientRect());
    EXPECT_EQ(TPoint(0, 18), Corner(box, 1));  // down the first column
    EXPECT_EQ(TPoint(24, 0), Corner(box, 2));
    EXPECT_EQ(TPoint(48, 18), Corner(box, 5));

    box.SetDirection(TGadgetWindow::Vertical);  // the same direction swaps nothing
    EXPECT_EQ(4, box.GetNumColumns());

    // rows given, columns from the count
    TToolBox tall(0, -1, 2, TGadgetWindow::Rectangular);
    Fill(tall, 5);
    EXPECT_EQ(3, tall.GetNumColumns());
}

TEST(ToolBox, ButtonsLoseTheirNotchedCorners) {
    TestApp app;
    TToolBox box(0, 2, -1);
    TButtonGadget *button = new TButtonGadget(0, 100, TButtonGadget::Command, 1, TButtonGadget::Up, 1);
    EXPECT_TRUE(button->GetNotchCorners());
    box.Insert(*button);
    EXPECT_FALSE(button->GetNotchCorners());
    EXPECT_EQ(1, box.GetNumRows());
}
