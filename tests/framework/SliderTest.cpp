// The library's sliders: snapping, the value's base offset, geometry of both
// orientations, what mouse and keys report to the parent, and the painted thumb.
#include "tests/framework/ControlHost.h"

#include "tests/framework/GdiCanvas.h"
#include "controls/Slider.h"

#include "core/Module.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {
class Host : public ScrollLogHost {
public:
    Host() : ScrollLogHost("sliders", 60, 60, 300, 300) {}
};

class OpenSlider : public HorizontalSlider {
public:
    OpenSlider(TWindow *parent) : HorizontalSlider(parent, 50400, 10, 10, 200, 30, 0) {}
    using Slider::Span;
};

LPARAM At(int x, int y) { return MAKELPARAM(x, y); }

class SliderTest : public HostedTest<Host> {
protected:
    // A created 0..100 slider with a tick every position, its thumb in the middle, the log empty.
    HorizontalSlider *MidSlider() {
        HorizontalSlider *h = new HorizontalSlider(&host, 50400, 10, 10, 200, 30, 0);
        host.CreateChildren();
        h->SetRuler(1, 1, 0, 50);
        h->SetPosition(50);
        host.Take();
        return h;
    }
};
}  // namespace

TEST_F(SliderTest, PositionsSnapToTicksAndValuesAddTheBase) {
    HorizontalSlider s(&host, 50400, 10, 10, 200, 30, 0);
    s.SetRange(10, 10);
    EXPECT_EQ(1, s.GetRangeLength());
    s.SetRange(10, 20);
    s.SetValue(15);
    EXPECT_EQ(10, s.GetPosition());
    EXPECT_EQ(20, s.GetValue());
    EXPECT_EQ(10, s.GetBaseOffset());
    s.SetRuler(1, 1, 0, 50);
    s.SetValue(15);
    EXPECT_EQ(5, s.GetPosition());
    EXPECT_EQ(15, s.GetValue());
    s.SetValue(-4);
    EXPECT_EQ(10, s.GetValue());
    s.SetRange(0, 100);
    s.SetRuler(10, 1, 0, 50);
    s.SetPosition(14);
    EXPECT_EQ(10, s.GetPosition());
    s.SetPosition(15);
    EXPECT_EQ(20, s.GetPosition());
    s.SetRuler(10, 0, 0, 50);
    s.SetPosition(14);
    EXPECT_EQ(14, s.GetPosition());
    int low, high;
    s.SetRange(-50, 50);
    s.GetRange(low, high);
    EXPECT_EQ(0, low);
    EXPECT_EQ(100, high);
    EXPECT_EQ(5, s.GetPageMagnitude());
}

TEST_F(SliderTest, GeometryOfBothOrientations) {
    OpenSlider *h = new OpenSlider(&host);
    VerticalSlider *v = new VerticalSlider(&host, 50401, 220, 10, 30, 200, 0);
    host.CreateChildren();
    // no picture: a 9 x 20 thumb, centred across
    EXPECT_EQ(9, h->GetThumbRect().Width());
    EXPECT_EQ(5, h->GetThumbRect().top);  // (30 - 20 + 1) / 2
    int span = h->Span();
    EXPECT_EQ(200 - 9 - 6, span);
    TPoint p(3 + span / 2, 0);
    EXPECT_EQ(50, h->PointToPos(p));
    TPoint beyond(500, 0);
    EXPECT_EQ(100, h->PointToPos(beyond));
    EXPECT_EQ(3, h->PosToPoint(0).x);
    EXPECT_EQ(3 + span, h->PosToPoint(100).x);
    // a vertical slider has its maximum at the top
    v->SetPosition(100);
    EXPECT_EQ(3, v->GetThumbRect().top);
    v->SetPosition(0);
    EXPECT_EQ(200 - 3 - v->GetThumbRect().Height(), v->GetThumbRect().top);
    TPoint top(5, 0);
    EXPECT_EQ(100, v->PointToPos(top));
    // hit tests: thumb, ends, track (moved back by half a thumb)
    h->SetPosition(50);
    TPoint thumb(h->GetThumbRect().left + 2, 15), left(4, 15), right(195, 15), track(40, 15);
    EXPECT_EQ(5, h->HitTest(thumb));
    EXPECT_EQ(0, h->HitTest(left));
    EXPECT_EQ(1, h->HitTest(right));
    EXPECT_EQ(4, h->HitTest(track));
    EXPECT_EQ(36, track.x);
    TPoint vtop(15, 2), vbottom(15, 198);
    EXPECT_EQ(1, v->HitTest(vtop));
    EXPECT_EQ(0, v->HitTest(vbottom));
}

TEST_F(SliderTest, KeysReportScrollCodes) {
    HorizontalSlider *h = new HorizontalSlider(&host, 50400, 10, 10, 200, 30, 0);
    VerticalSlider *v = new VerticalSlider(&host, 50401, 220, 10, 30, 200, 0);
    host.CreateChildren();
    h->SetRuler(1, 1, 0, 50);
    v->SetRuler(1, 1, 0, 50);
    h->SetPosition(50);
    host.Take();
    h->SendMessageA(WM_KEYDOWN, VK_RIGHT, 2);
    EXPECT_EQ("1:50 1:51 8:52 ", host.Take());  // the parent moves it each time, then the end
    h->SendMessageA(WM_KEYDOWN, VK_PRIOR, 1);
    h->SendMessageA(WM_KEYDOWN, VK_HOME, 1);
    EXPECT_EQ("3:52 8:57 7:57 8:100 ", host.Take());
    v->SetPosition(100);
    host.Take();
    v->SendMessageA(WM_KEYDOWN, VK_UP, 1);  // up is toward the maximum
    EXPECT_EQ("1:100 8:100 ", host.Take());
    v->SendMessageA(WM_KEYDOWN, VK_DOWN, 1);
    EXPECT_EQ("0:100 8:99 ", host.Take());
    // with the default ruler a line step snaps back to its tick
    v->SetRuler(10, 1, 0, 50);
    v->SendMessageA(WM_KEYDOWN, VK_DOWN, 1);
    EXPECT_EQ(100, v->GetPosition());
    host.Take();
    EXPECT_EQ(DLGC_WANTARROWS, h->SendMessageA(WM_GETDLGCODE));
    h->SetKeyboardOff(1);
    h->SendMessageA(WM_KEYDOWN, VK_LEFT, 1);
    EXPECT_EQ("", host.Take());
    h->SendCommand(SB_TOP);
    h->SendCommand(SB_THUMBTRACK);  // not a command
    EXPECT_EQ("6:0 ", host.Take());
}

TEST_F(SliderTest, EndZonesRepeatAndTrackClicksMoveTheThumb) {
    HorizontalSlider *h = MidSlider();
    h->SendMessageA(WM_LBUTTONDOWN, MK_LBUTTON, At(197, 15));
    EXPECT_EQ("1:0 ", host.Take());
    EXPECT_EQ(h->GetHandle(), ::GetCapture());
    h->SendMessageA(WM_TIMER, 1);  // the delay ends: no step
    EXPECT_EQ("", host.Take());
    h->SendMessageA(WM_TIMER, 2);
    h->SendMessageA(WM_TIMER, 2);
    EXPECT_EQ("1:0 1:0 ", host.Take());
    EXPECT_EQ(53, h->GetPosition());
    h->SendMessageA(WM_LBUTTONUP, 0, At(197, 15));
    EXPECT_EQ("8:53 ", host.Take());
    EXPECT_NE(h->GetHandle(), ::GetCapture());
    // a click on the track asks for that position; moving on drags from there
    h->SendMessageA(WM_LBUTTONDOWN, MK_LBUTTON, At(54, 15));
    int clicked = h->GetPosition();
    EXPECT_EQ("4:" + std::to_string(clicked) + " ", host.Take());
    EXPECT_NEAR(54, h->GetThumbRect().left + 4, 1);  // centred on the click
    int grip = 55 - h->GetThumbRect().left;
    h->SendMessageA(WM_MOUSEMOVE, MK_LBUTTON, At(55, 15));  // now over the thumb: a drag
    std::string drag = host.Take();
    EXPECT_EQ(0u, drag.find("9:")) << drag;
    EXPECT_NE(std::string::npos, drag.find(" 5:")) << drag;
    h->SendMessageA(WM_MOUSEMOVE, MK_LBUTTON, At(100, 15));
    host.Take();
    EXPECT_NEAR(100 - grip, h->GetThumbRect().left, 1);  // the thumb follows the mouse
    h->SendMessageA(WM_LBUTTONUP, 0, At(100, 15));
    std::string end = host.Take();
    EXPECT_EQ(0u, end.find("4:")) << end;
    EXPECT_NE(std::string::npos, end.find(" 8:")) << end;
    // a click on the track released at once ends with the end code only
    h->SendMessageA(WM_LBUTTONDOWN, MK_LBUTTON, At(150, 15));
    host.Take();
    h->SendMessageA(WM_LBUTTONUP, 0, At(150, 15));
    EXPECT_EQ("8:" + std::to_string(h->GetPosition()) + " ", host.Take());
}

TEST_F(SliderTest, PaintsSlotTicksAndThumb) {
    HorizontalSlider *h = new HorizontalSlider(&host, 50400, 10, 10, 200, 40, 0);
    h->SetSlotStyle(1, 3, 20, 20);
    h->SetPlusMinus(1, 7);
    h->SetRuler(50, 1, 0, 40);
    host.CreateChildren();
    h->SetPosition(100);
    TRect r = h->GetClientRect();
    Canvas c(r.Width(), r.Height());
    h->Paint(c.dc(), 1, r);
    COLORREF face = ::GetSysColor(COLOR_BTNFACE), text = ::GetSysColor(COLOR_BTNTEXT);
    TRect thumb = h->GetThumbRect();
    EXPECT_EQ(200 - 20 - 9, thumb.left);
    // the slot: shadow on its top edge left of the thumb
    int slotTop = (40 - 3) / 2;
    EXPECT_EQ(::GetSysColor(COLOR_BTNSHADOW), c.At(60, slotTop));
    EXPECT_EQ(::GetSysColor(COLOR_BTNHIGHLIGHT), c.At(60, slotTop + 3));
    EXPECT_EQ(face, c.At(60, 2));
    // ticks at the ends and the middle, above and below the slot
    int mid = h->PosToPoint(50).x + 4;
    int tickRows = 0;
    for (int y = 0; y < slotTop; y++)
        tickRows += c.At(mid, y) == text;
    EXPECT_GT(tickRows, 0);
    // the plus/minus marks beyond the slot ends
    int slotLeft = 20 + 4, slotRight = 200 - 20 - 4, middle = slotTop + 1;
    EXPECT_EQ(text, c.At(slotLeft - 7 - 1, middle));
    EXPECT_EQ(text, c.At(slotRight + 7, middle));
    EXPECT_EQ(face, c.At(slotLeft - 7, middle));
    // the thumb is drawn where it stands, raised
    EXPECT_EQ(::GetSysColor(COLOR_BTNHIGHLIGHT), c.At(thumb.left + 1, thumb.top + 5));
    EXPECT_EQ(face, c.At(thumb.left + 4, thumb.top + 10));
    EXPECT_NE(face, c.At(thumb.right - 1, thumb.top + 10));
}

TEST_F(SliderTest, ThumbPicturesComeFromTheCommonModule) {
    TModule common((ProgramFolder() + "..\\program\\system\\CommonRscTs.dll").c_str(), true);
    HorizontalSlider *h = new HorizontalSlider(&host, 50400, 10, 10, 200, 19, 22019, &common);
    VerticalSlider *v = new VerticalSlider(&host, 50401, 220, 10, 30, 200, 22013, &common);
    host.CreateChildren();
    EXPECT_EQ(11, h->GetThumbRect().Width());
    EXPECT_EQ(19, h->GetThumbRect().Height());
    EXPECT_EQ(21, v->GetThumbRect().Width());
    EXPECT_EQ(11, v->GetThumbRect().Height());
    EXPECT_EQ(5, v->GetThumbRect().left);  // (30 - 21 + 1) / 2
    h->SetPosition(50);
    TRect r = h->GetClientRect(), t = h->GetThumbRect();
    COLORREF blue = RGB(0, 0, 192);
    Canvas c(r.Width(), r.Height());
    h->Paint(c.dc(), 1, r);
    EXPECT_EQ(blue, c.At(t.left + 5, t.top + 9));  // the grip line in the thumb's colour
    EXPECT_EQ(::GetSysColor(COLOR_BTNHIGHLIGHT), c.At(t.left, t.top + 9));
    h->EnableWindow(false);  // the third image: no colour
    Canvas off(r.Width(), r.Height());
    h->Paint(off.dc(), 1, r);
    EXPECT_EQ(::GetSysColor(COLOR_BTNSHADOW), off.At(t.left + 5, t.top + 9));
}

TEST_F(SliderTest, LosingTheMouseEndsHeldZonesAndDrags) {
    HorizontalSlider *h = MidSlider();
    h->SendMessageA(WM_LBUTTONDOWN, MK_LBUTTON, At(197, 15));
    h->SendMessageA(WM_TIMER, 1);  // now repeating on timer 2
    EXPECT_EQ("1:0 ", host.Take());
    ::SetCapture(host.GetHandle());  // a box or another window takes the mouse
    EXPECT_EQ("8:51 ", host.Take());
    EXPECT_FALSE(::KillTimer(h->GetHandle(), 2));  // the repeat is over
    h->SendMessageA(WM_TIMER, 2);
    EXPECT_EQ("", host.Take());
    ::ReleaseCapture();
    TRect t = h->GetThumbRect();
    h->SendMessageA(WM_LBUTTONDOWN, MK_LBUTTON, At(t.left + 3, 15));
    EXPECT_EQ("9:51 5:51 ", host.Take());
    ::SetCapture(host.GetHandle());
    EXPECT_EQ("4:51 8:51 ", host.Take());
    h->SendMessageA(WM_MOUSEMOVE, MK_LBUTTON, At(150, 15));  // no longer dragging
    EXPECT_EQ("", host.Take());
    ::ReleaseCapture();
}
