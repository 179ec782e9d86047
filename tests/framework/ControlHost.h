// A shown pop-up window on which control tests create the controls they try, and the
// fixture that opens one (after its application) for each test.
#pragma once

#include "TestApp.h"

#include <gtest/gtest.h>

class ControlHost : public TWindow {
public:
    ControlHost() : TWindow((TWindow *)0, "controls") {
        Attr.Style = WS_POPUP | WS_VISIBLE;
        Attr.W = 400, Attr.H = 300;
    }
};

class ControlHostTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(host.Create()); }
    TestApp app;
    ControlHost host;
};
