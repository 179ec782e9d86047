#include "core/Dib.h"
#include "controls/Gauge.h"
#include "tests/framework/GdiCanvas.h"
#include "controls/SplashWindow.h"
#include "controls/Static.h"
#include "tests/framework/TestApp.h"

#include <gtest/gtest.h>

namespace {
class SplashTest : public ::testing::Test {
protected:
    void SetUp() override {
        module = new TModule("VeltraneTestModule.dll", true);
        saved = TModule::_commonResourceDLL;
        TModule::_commonResourceDLL = module;
    }
    void TearDown() override {
        TModule::_commonResourceDLL = saved;
        delete module;
    }
    TestApp app;
    TModule *module, *saved;
};
}  // namespace

TEST_F(SplashTest, StaysForTheMinimumTime) {
    SplashWindow *splash = new SplashWindow(23, 0);
    HWND h = splash->GetHandle();
    ASSERT_TRUE(::IsWindow(h));
    EXPECT_EQ(splash, SplashWindow::Current());
    EXPECT_EQ(TRect(0, 0, 8, 8), splash->GetClientRect());
    EXPECT_TRUE(splash->GetExStyle() & WS_EX_TOPMOST);
    DWORD start = ::GetTickCount();
    splash->End(300);  // shuts the splash down and deletes it
    EXPECT_GE(::GetTickCount() - start, 250u);
    EXPECT_FALSE(::IsWindow(h));
    EXPECT_EQ(nullptr, SplashWindow::Current());
}

TEST_F(SplashTest, AClickEndsTheWait) {
    SplashWindow *splash = new SplashWindow(23, 0);
    HWND h = splash->GetHandle();
    ::PostMessageA(h, WM_LBUTTONDOWN, 0, 0);
    DWORD start = ::GetTickCount();
    splash->End(8000);
    EXPECT_LT(::GetTickCount() - start, 4000u);
    EXPECT_FALSE(::IsWindow(h));
}

TEST_F(SplashTest, AClickBeforeEndClosesAtOnce) {
    SplashWindow *splash = new SplashWindow(23, 0);
    HWND h = splash->GetHandle();
    ::SendMessageA(h, WM_KEYDOWN, VK_SPACE, 0);
    EXPECT_FALSE(::IsWindow(h));
    EXPECT_EQ(nullptr, SplashWindow::Current());
}

namespace {
class PaintedSplash : public SplashWindow {
public:
    PaintedSplash() : SplashWindow(23, 0) {}
    using SplashWindow::Paint;
};
}  // namespace

TEST_F(SplashTest, PaintsItsBitmapAtItsOwnSize) {
    PaintedSplash *splash = new PaintedSplash;
    Canvas canvas(10, 10);
    TRect all(0, 0, 10, 10);
    splash->Paint(canvas.dc(), 1, all);
    EXPECT_EQ(64, canvas.Count(RGB(255, 0, 0)));  // the resource is 8 x 8 red
    EXPECT_EQ(RGB(255, 0, 0), canvas.At(7, 7));
    EXPECT_EQ(RGB(255, 255, 255), canvas.At(8, 8));
    splash->End(0);
}

TEST_F(SplashTest, TimedSplashLaysOutPictureTextAndGauge) {
    TDib dib(module->GetHandle(), TResId(23));
    TSplashWindow *both = new TSplashWindow(dib, 200, 100, TSplashWindow::MakeGauge | TSplashWindow::MakeStatic);
    ASSERT_TRUE(both->Create());
    EXPECT_EQ(0x90800000u, DWORD(::GetWindowLongA(both->GetHandle(), GWL_STYLE)) & 0x90C00000u);  // a border, no caption
    EXPECT_TRUE(both->GetExStyle() & WS_EX_TOPMOST);
    EXPECT_EQ(200, both->GetWindowRect().Width());
    HWND text = ::GetDlgItem(both->GetHandle(), 1), gauge = ::GetDlgItem(both->GetHandle(), 2);
    ASSERT_TRUE(text && gauge);
    TRect t, g;
    ::GetWindowRect(text, &t), ::GetWindowRect(gauge, &g);
    int height = both->GetClientRect().Height();
    EXPECT_NEAR(height / 10, t.Height(), 1);
    EXPECT_NEAR(height / 10, g.Height(), 1);
    EXPECT_LE(t.bottom, g.top);  // the gauge sits below the text
    EXPECT_TRUE(::GetWindowLongA(text, GWL_STYLE) & SS_CENTER);
    both->SetText("Loading");
    EXPECT_EQ("Loading", TextOf(text));
    delete both;

    TSplashWindow *fit = new TSplashWindow(dib, 200, 100, TSplashWindow::ShrinkToFit);
    ASSERT_TRUE(fit->Create());
    EXPECT_EQ(TSize(8, 8), fit->GetWindowRect().Size());
    EXPECT_FALSE(::GetDlgItem(fit->GetHandle(), 1) || ::GetDlgItem(fit->GetHandle(), 2));
    fit->SetText("ignored");
    fit->SetPercentDone(50);
    delete fit;
}

TEST_F(SplashTest, TimedSplashWithAGaugeWaitsForItToPass94) {
    TDib dib(module->GetHandle(), TResId(23));
    TSplashWindow *splash =
        new TSplashWindow(dib, 100, 60, TSplashWindow::MakeGauge | TSplashWindow::CaptureMouse, 30);
    ASSERT_TRUE(splash->Create());
    HWND h = splash->GetHandle();
    EXPECT_EQ(h, ::GetCapture());
    splash->SetPercentDone(94);
    ::SendMessageA(h, WM_LBUTTONDOWN, MK_LBUTTON, 0);
    ::Sleep(80);
    TestApp::Drain();  // the time-out and the click came while the gauge held it open
    ASSERT_TRUE(::IsWindow(h));
    splash->SetPercentDone(95);
    ::SendMessageA(h, WM_LBUTTONDOWN, MK_LBUTTON, 0);
    TestApp::Drain();
    EXPECT_FALSE(::IsWindow(h));
    EXPECT_NE(h, ::GetCapture());
    delete splash;

    // without a gauge the time-out closes it
    splash = new TSplashWindow(dib, 100, 60, TSplashWindow::ShrinkToFit, 30);
    ASSERT_TRUE(splash->Create());
    h = splash->GetHandle();
    for (DWORD start = ::GetTickCount(); ::IsWindow(h) && ::GetTickCount() - start < 3000;) {
        ::Sleep(10);
        TestApp::Drain();
    }
    EXPECT_FALSE(::IsWindow(h));
    delete splash;
}
