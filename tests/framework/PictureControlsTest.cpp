// The picture window, the bitmap control and the animation control: sizes, painting
// read back from a canvas, and the messages handed to the system's animation control.
#include "tests/framework/TestKit.h"
#include "tests/framework/ControlHost.h"
#include "tests/framework/GdiCanvas.h"

#include "controls/Animation.h"
#include "controls/BitmapControl.h"
#include "core/Dib.h"
#include "controls/PictureWindow.h"

#include <commctrl.h>

#include <vector>

namespace {

enum { PictureId = 53001, BitmapControlId = 53100, AnimationId = 53101 };
COLORREF const Red = RGB(255, 0, 0), Green = RGB(0, 255, 0), Blue = RGB(0, 0, 255), White = RGB(255, 255, 255);

TDib *Picture() { return new TDib(::GetModuleHandleA(0), PictureId); }

using PictureWindowTest = ControlHostTest;

TPictureWindow *OpenPicture(TWindow &host, TDib *dib, TPictureWindow::TDisplayHow how, int w, int h) {
    TPictureWindow *window = new TPictureWindow(&host, dib, how);
    window->SetStyle(WS_CHILD | WS_VISIBLE);
    window->SetWindowPos(0, 0, 0, w, h, SWP_NOZORDER);
    window->Create();
    return window;
}

COLORREF PaintedAt(TWindow &window, int x, int y) {
    TRect client = window.GetClientRect();
    Canvas canvas(client.Width(), client.Height());
    window.Paint(canvas.dc(), true, client);
    return canvas.At(x, y);
}

TEST_F(PictureWindowTest, PaintsAtTheCornerCentredOrStretched) {
    struct Case {
        TPictureWindow::TDisplayHow how;
        int w, h;
        std::vector<std::pair<TPoint, COLORREF>> pixels;
    };
    Case const cases[] = {
        {TPictureWindow::UpperLeft, 150, 80, {{{0, 0}, Green}, {{10, 10}, Red}, {{60, 10}, Blue}, {{120, 10}, White},
                                             {{10, 60}, White}}},
        // a small picture sits in the middle
        {TPictureWindow::Center, 150, 80, {{{25, 15}, Green}, {{24, 15}, White}, {{26, 16}, Red}, {{124, 64}, Blue},
                                          {{125, 64}, White}}},
        // of a large one the middle is shown
        {TPictureWindow::Center, 60, 30, {{{0, 0}, Red}, {{29, 5}, Red}, {{30, 5}, Blue}, {{59, 29}, Blue}}},
        {TPictureWindow::Stretch, 200, 100, {{{1, 1}, Green}, {{99, 50}, Red}, {{100, 50}, Blue}, {{199, 99}, Blue}}},
    };
    for (Case const &c : cases) {
        TPictureWindow *window = OpenPicture(host, Picture(), c.how, c.w, c.h);
        for (auto const &pixel : c.pixels)
            EXPECT_EQ(pixel.second, PaintedAt(*window, pixel.first.x, pixel.first.y))
                << c.how << " " << c.w << " at " << pixel.first.x << "," << pixel.first.y;
        window->Destroy();
        delete window;
    }
}

TEST_F(PictureWindowTest, StretchedStartsAtThePictureSizeAndWithoutAPicturePaintsNothing) {
    TPictureWindow *stretched = new TPictureWindow(&host, Picture(), TPictureWindow::Stretch);
    stretched->SetStyle(WS_CHILD | WS_VISIBLE);
    ASSERT_TRUE(stretched->Create());
    EXPECT_EQ(100, stretched->GetClientRect().Width());
    EXPECT_EQ(50, stretched->GetClientRect().Height());
    EXPECT_EQ("Yrt_PictureWindow", ClassOf(*stretched));
    EXPECT_TRUE(::GetClassLongA(stretched->GetHandle(), GCL_STYLE) & (CS_HREDRAW | CS_VREDRAW));

    TPictureWindow *empty = OpenPicture(host, 0, TPictureWindow::Center, 50, 50);
    Canvas canvas(50, 50);
    TRect client = empty->GetClientRect();
    empty->Paint(canvas.dc(), true, client);
    EXPECT_EQ(2500, canvas.Count(White));
}

TEST_F(PictureWindowTest, ChangingTheModeRepaintsReplacingThePictureDoesNot) {
    TPictureWindow *window = OpenPicture(host, Picture(), TPictureWindow::UpperLeft, 120, 60);
    RECT update;
    window->Validate();
    TDib *previous = window->SetDib(Picture());
    EXPECT_NE(nullptr, previous);
    EXPECT_NE(previous, window->GetDib());
    delete previous;
    EXPECT_FALSE(::GetUpdateRect(window->GetHandle(), &update, FALSE));
    window->SetHowToDisplay(TPictureWindow::Center);
    EXPECT_EQ(TPictureWindow::Center, window->GetHowToDisplay());
    EXPECT_TRUE(::GetUpdateRect(window->GetHandle(), &update, FALSE));
}

// ---- bitmap control

using BitmapControlTest = ControlHostTest;

TEST_F(BitmapControlTest, SizesItselfToThePictureAndItsFrameAndPaintsInside) {
    struct Case {
        TBitmapControl::Style style;
        int frame;
        COLORREF corner;  // the outermost pixel
    };
    Case const cases[] = {
        {TBitmapControl::None, 0, Green},
        {TBitmapControl::Framed, 1, ::GetSysColor(COLOR_WINDOWFRAME)},
        {TBitmapControl::Sunken, 2, ::GetSysColor(COLOR_3DSHADOW)},
        {TBitmapControl::Raised3D, 2, ::GetSysColor(COLOR_3DHILIGHT)},
    };
    for (Case const &c : cases) {
        ::CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE, 10, 20, 5, 5, host.GetHandle(),
                          (HMENU)BitmapControlId, 0, 0);
        TBitmapControl *control = new TBitmapControl(&host, BitmapControlId, PictureId, c.style, &Exe());
        control->UpdatePalette();  // no window yet: nothing
        ASSERT_TRUE(control->Create());
        EXPECT_FALSE(control->IsFlagSet(wfPredefinedClass));
        TRect r = control->GetWindowRect();
        ::MapWindowPoints(0, host.GetHandle(), reinterpret_cast<POINT *>(&r), 2);
        EXPECT_EQ(TRect(10, 20, 10 + 100 + 2 * c.frame, 20 + 50 + 2 * c.frame), r) << c.style;

        int w = 100 + 2 * c.frame, h = 50 + 2 * c.frame;
        Canvas canvas(w, h);
        TRect client = control->GetClientRect();
        control->Paint(canvas.dc(), true, client);
        EXPECT_EQ(c.corner, canvas.At(0, 0)) << c.style;
        EXPECT_EQ(Green, canvas.At(c.frame, c.frame)) << c.style;
        EXPECT_EQ(Red, canvas.At(c.frame + 49, c.frame + 49)) << c.style;
        EXPECT_EQ(Blue, canvas.At(c.frame + 50, c.frame + 49)) << c.style;
        if (c.style == TBitmapControl::Raised3D) {
            EXPECT_EQ(::GetSysColor(COLOR_WINDOWFRAME), canvas.At(w - 1, h - 1));
            EXPECT_EQ(::GetSysColor(COLOR_3DFACE), canvas.At(1, 1));
            EXPECT_EQ(::GetSysColor(COLOR_3DSHADOW), canvas.At(w - 2, h - 2));
        }
        control->UpdatePalette();
        control->Destroy();
        delete control;
    }
}

// ---- animation control

struct Sent {
    UINT msg;
    WPARAM wp;
    LPARAM lp;
};
std::vector<Sent> sentToAnimation;
WNDPROC animationProc;

LRESULT CALLBACK RecordAnimation(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg >= WM_USER + 100 && msg <= WM_USER + 102) {
        sentToAnimation.push_back({msg, wp, lp});
        return msg == ACM_OPENA ? 0 : 1;
    }
    return ::CallWindowProcA(animationProc, hwnd, msg, wp, lp);
}

using AnimationTest = ControlHostTest;

TEST_F(AnimationTest, IsTheSystemControlAndSendsItsMessages) {
    TAnimateCtrl *animation = new TAnimateCtrl(&host, AnimationId, 0, 0, 60, 40);
    ASSERT_TRUE(animation->Create());
    EXPECT_EQ("SysAnimate32", ClassOf(*animation));
    EXPECT_EQ(0x50000003UL, (unsigned long)(::GetWindowLongA(animation->GetHandle(), GWL_STYLE)));

    sentToAnimation.clear();
    animationProc = (WNDPROC)::SetWindowLongPtrA(animation->GetHandle(), GWLP_WNDPROC, (LONG_PTR)&RecordAnimation);
    char clip[] = "clip.avi";
    EXPECT_EQ(0, animation->Open(clip));
    EXPECT_NE(0, animation->Seek(7));
    EXPECT_NE(0, animation->Play(2, 9, 3));
    animation->Stop();
    ::SetWindowLongPtrA(animation->GetHandle(), GWLP_WNDPROC, (LONG_PTR)animationProc);

    ASSERT_EQ(4U, sentToAnimation.size());
    EXPECT_EQ(unsigned(ACM_OPENA), sentToAnimation[0].msg);
    EXPECT_EQ((LPARAM)clip, sentToAnimation[0].lp);
    EXPECT_EQ(unsigned(ACM_PLAY), sentToAnimation[1].msg);
    EXPECT_EQ(0U, sentToAnimation[1].wp);
    EXPECT_EQ(MAKELPARAM(7, 7), sentToAnimation[1].lp);
    EXPECT_EQ(3U, sentToAnimation[2].wp);
    EXPECT_EQ(MAKELPARAM(2, 9), sentToAnimation[2].lp);
    EXPECT_EQ(unsigned(ACM_STOP), sentToAnimation[3].msg);
}

}  // namespace
