// A shown pop-up window on which control tests create the controls they try, one that
// records scroll notifications, and the fixture that opens a host (after its application)
// for each test.
#pragma once

#include "TestApp.h"

#include <gtest/gtest.h>

#include <string>

class ControlHost : public TWindow {
public:
    explicit ControlHost(char const *title = "controls", int x = 0, int y = 0, int w = 400, int h = 300)
        : TWindow((TWindow *)0, title) {
        Attr.Style = WS_POPUP | WS_VISIBLE;
        Attr.X = x, Attr.Y = y, Attr.W = w, Attr.H = h;
    }
};

// A host that records the scroll notifications its controls send, as "<code>:<position> ".
class ScrollLogHost : public ControlHost {
public:
    explicit ScrollLogHost(char const *title) : ControlHost(title, 60, 60, 300, 300) {}
    long WindowProc(uint msg, WPARAM wp, LPARAM lp) override {
        if (msg == WM_HSCROLL || msg == WM_VSCROLL)
            Log += std::to_string(LOWORD(wp)) + ":" + std::to_string(HIWORD(wp)) + " ";
        return TWindow::WindowProc(msg, wp, lp);
    }
    // What was recorded since the last call.
    std::string Take() {
        std::string log = Log;
        Log.clear();
        return log;
    }
    std::string Log;
};

class ControlHostTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(host.Create()); }
    TestApp app;
    ControlHost host;
};
