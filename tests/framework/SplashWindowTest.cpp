#include "SplashWindow.h"
#include "TestApp.h"

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
