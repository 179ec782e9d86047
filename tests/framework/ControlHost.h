// A shown pop-up window on which control tests create the controls they try, and the
// fixture that opens one (after its application) for each test.
#pragma once

#include "tests/framework/TestApp.h"

#include <gtest/gtest.h>

#include <string>

class ControlHost : public TWindow {
public:
    ControlHost() : TWindow((TWindow *)0, "controls") {
        Attr.Style = WS_POPUP | WS_VISIBLE;
        Attr.W = 400, Attr.H = 300;
    }
    // A host with its own title and place on the screen.
    ControlHost(char const *title, int x, int y, int w, int h) : TWindow((TWindow *)0, title) {
        Attr.Style = WS_POPUP | WS_VISIBLE;
        Attr.X = x, Attr.Y = y, Attr.W = w, Attr.H = h;
    }
};

// Records the scroll notifications its children send, as "code:position " each.
class ScrollLogHost : public ControlHost {
public:
    ScrollLogHost(char const *title, int x, int y, int w, int h) : ControlHost(title, x, y, w, h) {}
    LRESULT WindowProc(uint msg, WPARAM wp, LPARAM lp) override {
        if (msg == WM_HSCROLL || msg == WM_VSCROLL)
            Log += std::to_string(LOWORD(wp)) + ":" + std::to_string(HIWORD(wp)) + " ";
        return TWindow::WindowProc(msg, wp, lp);
    }
    // The log so far, emptied.
    std::string Take() {
        std::string log = Log;
        Log.clear();
        return log;
    }
    std::string Log;
};

// The fixture: an application and a created host of the given kind.
template <class Host>
class HostedTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(host.Create()); }
    TestApp app;
    Host host;
};

using ControlHostTest = HostedTest<ControlHost>;
