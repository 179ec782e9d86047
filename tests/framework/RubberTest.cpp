#include "core/Rubber.h"
#include "tests/framework/TestApp.h"
#include "core/Window.h"

#include <gtest/gtest.h>

namespace {
class CountingRubber : public Rubber {
public:
    using Rubber::Rubber;
    int Draws = 0;
    void Draw() override {
        Draws++;
        Rubber::Draw();
    }
};

class Pane : public TWindow {
public:
    Pane() : TWindow((TWindow *)0, "pane") {
        Attr.Style = WS_POPUP | WS_VISIBLE;
        Attr.X = 100, Attr.Y = 50, Attr.W = 200, Attr.H = 100;
    }
    TPoint Up{-1, -1};
    void EvLButtonUp(uint, TPoint &p) { Up = p; }
    DECLARE_RESPONSE_TABLE(Pane);
};
DEFINE_RESPONSE_TABLE1(Pane, TWindow)
    EV_WM_LBUTTONUP,
END_RESPONSE_TABLE;
}  // namespace

TEST(Rubber, TracksANormalisedBandInsideItsLimits) {
    TestApp app;
    Pane pane;
    ASSERT_TRUE(pane.Create());
    TPoint origin(0, 0);
    ::ClientToScreen(pane.GetHandle(), &origin);
    CountingRubber band(pane, 0);
    TPoint start(50, 40);
    band.Start(start);
    EXPECT_EQ(TRect(origin.x + 50, origin.y + 40, origin.x + 51, origin.y + 41), band.GetRect());
    TPoint upLeft(10, 5);
    band.Track(MK_LBUTTON, upLeft);
    EXPECT_EQ(TRect(origin.x + 10, origin.y + 5, origin.x + 50, origin.y + 40), band.GetRect());
    TPoint outside(-500, -500);
    band.Track(MK_LBUTTON, outside);
    EXPECT_EQ(pane.GetWindowRect().TopLeft(), band.GetRect().TopLeft());  // held by the limits
    int draws = band.Draws;
    band.Stop();
    band.Stop();
    EXPECT_EQ(draws + 1, band.Draws);  // stopping twice draws once

    // a move after the button went up ends the band through a button-up
    CountingRubber late(pane, Rubber::FullWidth);
    late.Start(start);
    EXPECT_EQ(pane.GetWindowRect().left, late.GetRect().left);
    EXPECT_EQ(pane.GetWindowRect().right, late.GetRect().right);
    TPoint moved(60, 60);
    int before = late.Draws;
    late.Track(0, moved);
    EXPECT_EQ(before, late.Draws);
    EXPECT_EQ(TPoint((short)(origin.x + 60), (short)(origin.y + 60)), pane.Up);
}

namespace {
class CountingHandle : public RubberHandle {
public:
    CountingHandle(TWindow &w) : RubberHandle(w, 0, TUIHandle::DashFramed | TUIHandle::Grapples, 4) {}
    ~CountingHandle() override { Stop(); }
    int Draws = 0;
    void Draw() override {
        Draws++;
        RubberHandle::Draw();
    }
};

}  // namespace

TEST(Rubber, RestartingErasesTheOldBandAndHandleBandsDrawInPairs) {
    TestApp app;
    Pane pane;
    ASSERT_TRUE(pane.Create());
    CountingRubber band(pane, 0);
    TPoint start(20, 20), corner(120, 80);
    band.Start(start);
    band.Track(MK_LBUTTON, corner);
    int draws = band.Draws;
    band.Start(start);
    EXPECT_EQ(draws + 2, band.Draws);  // the old band erased, the new one drawn
    band.Stop();

    CountingHandle handle(pane);
    handle.Start(start);
    handle.Track(MK_LBUTTON, corner);
    EXPECT_EQ(3, handle.Draws);  // drawn, erased, drawn at the new size
    handle.Track(MK_LBUTTON, corner);
    EXPECT_EQ(3, handle.Draws);  // an unchanged band is not redrawn
    handle.Stop();
    handle.Stop();
    EXPECT_EQ(4, handle.Draws);
}
