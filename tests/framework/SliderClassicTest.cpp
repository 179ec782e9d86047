// The classic slider: the native choice, snapping, the drawn slider's geometry and
// what its mouse and keys report.
#include "tests/framework/ControlHost.h"

#include "core/CommonControls.h"
#include "tests/framework/GdiCanvas.h"
#include "controls/SliderClassic.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <string>

namespace {
class Host : public ScrollLogHost {
public:
    Host() : ScrollLogHost("classic", 60, 60, 300, 300) {}
};

class SliderClassicTest : public HostedTest<Host> {
protected:
    void TearDown() override { TSlider::SetNativeUse(nuUsing); }
};
}  // namespace

TEST_F(SliderClassicTest, NativeChoiceIsTakenAtConstruction) {
    if (!TCommCtrl::IsAvailable())
        GTEST_SKIP() << "no common controls";
    THSlider *native = new THSlider(&host, 50600, 10, 10, 200, 0);
    EXPECT_EQ(32, native->Attr.H);
    TSlider::SetNativeUse(nuAvoid);
    THSlider *drawn = new THSlider(&host, 50601, 10, 50, 200, 0);
    TSlider::SetNativeUse(nuUsing);
    TVSlider *upright = new TVSlider(&host, 50602, 220, 10, 0, 200);
    EXPECT_EQ(32, upright->Attr.W);
    native->SetRange(0, 50);
    native->SetRuler(5, 1);
    native->SetSel(10, 20, 0);
    native->SetPosition(23);
    host.CreateChildren();
    EXPECT_EQ(TRACKBAR_CLASSA, ClassOf(native->GetHandle()));
    EXPECT_EQ("Yrt_Slider", ClassOf(drawn->GetHandle()));
    EXPECT_EQ(TRACKBAR_CLASSA, ClassOf(upright->GetHandle()));
    // the values set before the window reach the trackbar
    EXPECT_EQ(25, native->GetPosition());
    EXPECT_EQ(50, native->SendMessageA(TBM_GETRANGEMAX));
    int start, end;
    native->GetSel(start, end);
    EXPECT_EQ(10, start);
    EXPECT_EQ(20, end);
    native->SetPosition(41);
    EXPECT_EQ(40, native->SendMessageA(TBM_GETPOS));
}

TEST_F(SliderClassicTest, DrawnSliderGeometryAndReports) {
    TSlider::SetNativeUse(nuNever);
    THSlider *h = new THSlider(&host, 50600, 10, 10, 213, 40);
    TVSlider *v = new TVSlider(&host, 50601, 230, 10, 40, 213);
    host.CreateChildren();
    EXPECT_EQ("Yrt_Slider", ClassOf(h->GetHandle()));
    // no picture: an 11 x 20 thumb; the room is 213 - 11 - 2 = 200
    EXPECT_EQ(TPoint(1, 1), h->PosToPoint(0));
    EXPECT_EQ(TPoint(101, 1), h->PosToPoint(50));
    EXPECT_EQ(50, h->PointToPos(TPoint(101, 5)));
    h->SetPosition(14);
    EXPECT_EQ(10, h->GetPosition());
    h->SetPosition(15);
    EXPECT_EQ(20, h->GetPosition());
    EXPECT_EQ(41, h->GetThumbRect().left);
    int custom[] = {-5, 30, 70, 120};
    h->SetRuler(custom, 4, 0);
    h->SetPosition(33);
    EXPECT_EQ(33, h->GetPosition());
    // the vertical one has its minimum at the top
    v->SetPosition(0);
    EXPECT_EQ(1, v->GetThumbRect().top);
    EXPECT_EQ((40 - 20 - 2) / 2 + 1, v->GetThumbRect().left);
    host.Take();
    v->SendMessageA(WM_KEYDOWN, VK_UP, 1);
    EXPECT_EQ("0:0 8:0 ", host.Take());
    h->SendMessageA(WM_KEYDOWN, VK_NEXT, 1);
    h->SendMessageA(WM_KEYDOWN, VK_HOME, 1);
    EXPECT_EQ("3:33 8:43 6:43 8:0 ", host.Take());
    // hit tests: thumb, below it the track, beside it the pages
    TRect t = h->GetThumbRect();
    TPoint thumb(t.left + 2, t.top + 2), below(150, t.bottom + 3), left(t.left - 5, t.top + 2),
        right(t.right + 5, t.top + 2), above(50, 0);
    EXPECT_EQ(5, h->HitTest(thumb));
    EXPECT_EQ(4, h->HitTest(below));
    EXPECT_EQ(2, h->HitTest(left));
    EXPECT_EQ(3, h->HitTest(right));
    EXPECT_EQ(-1, h->HitTest(above));
    // a drag: begin, track on every move, position and end on release
    h->SetRuler(1, 1);
    h->SendMessageA(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(t.left + 2, t.top + 2));
    EXPECT_EQ("9:0 5:0 ", host.Take());
    h->SendMessageA(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(t.left + 2 + 100, t.top + 2));
    h->SendMessageA(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(t.left + 2 + 100, t.top + 2));
    EXPECT_EQ("5:50 5:50 ", host.Take());
    EXPECT_EQ(101, h->GetThumbRect().left);
    h->SendMessageA(WM_LBUTTONUP, 0, MAKELPARAM(t.left + 2 + 100, t.top + 2));
    EXPECT_EQ("4:50 8:50 ", host.Take());
    EXPECT_EQ(nullptr, TSlider::SlideDC);
    h->SendMessageA(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, t.top + 2));
    EXPECT_EQ("2:0 ", host.Take());
}

TEST_F(SliderClassicTest, DrawnSliderPaintsSlotTicksAndThumb) {
    TSlider::SetNativeUse(nuNever);
    THSlider *h = new THSlider(&host, 50600, 10, 10, 213, 40);
    host.CreateChildren();
    h->SetPosition(50);
    TRect r = h->GetClientRect();
    Canvas c(r.Width(), r.Height());
    h->Paint(c.dc(), 1, r);
    COLORREF text = ::GetSysColor(COLOR_BTNTEXT);
    // ticks every 10 below the thumb's height: at 0 the tick stands at 1 + 5
    EXPECT_EQ(text, c.At(6, 20 + 4));
    EXPECT_EQ(text, c.At(6 + 20, 20 + 4));
    EXPECT_NE(text, c.At(6 + 10, 20 + 4));
    // the thumb at 50, raised
    EXPECT_EQ(::GetSysColor(COLOR_BTNFACE), c.At(101 + 5, 10));
    EXPECT_NE(::GetSysColor(COLOR_BTNFACE), c.At(101 + 10, 10));
}

TEST_F(SliderClassicTest, DrawnSliderEndsADragThatLosesTheMouse) {
    TSlider::SetNativeUse(nuNever);
    THSlider *h = new THSlider(&host, 50600, 10, 10, 213, 40);
    host.CreateChildren();
    h->SetRuler(1, 1);
    h->SetPosition(50);
    TRect t = h->GetThumbRect();
    h->SendMessageA(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(t.left + 2, t.top + 2));
    host.Take();
    ASSERT_NE(nullptr, TSlider::SlideDC);
    ::SetCapture(host.GetHandle());  // a box or another window takes the mouse
    EXPECT_EQ("4:50 8:50 ", host.Take());
    EXPECT_EQ(nullptr, TSlider::SlideDC);
    ::ReleaseCapture();
    // a window destroyed mid-drag gives the drawing context back
    h->SendMessageA(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(t.left + 2, t.top + 2));
    ASSERT_NE(nullptr, TSlider::SlideDC);
    h->Destroy();
    EXPECT_EQ(nullptr, TSlider::SlideDC);
}
