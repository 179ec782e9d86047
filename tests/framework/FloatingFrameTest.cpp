// Floating frames: placement on the parent, commands and enablers going to the parent,
// pop-up margins.
#include "tests/framework/TestKit.h"
#include "manager/DocumentManager.h"
#include "core/FloatingFrame.h"

#include <gtest/gtest.h>

#include <windows.h>

namespace {

TEST(FloatingWindow, AWindowOffItsParentComesBackInside) {
    TRect parent(100, 100, 800, 600);
    struct Case {
        TPoint wanted, placed;
    } const cases[] = {
        {TPoint(-10, 30), TPoint(150, 150)},
        {TPoint(700, 590), TPoint(150, 150)},  // 590 > 600 - 20
        {TPoint(700, 500), TPoint(700, 500)},
        {TPoint(781, 500), TPoint(150, 150)},
        {TPoint(780, 580), TPoint(780, 580)},
        {TPoint(300, -10), TPoint(150, 150)},  // its caption above the screen
    };
    for (Case const &c : cases) {
        TPoint got = FloatingWindow::PlaceOnParent(c.wanted, parent);
        EXPECT_EQ(c.placed.x, got.x) << c.wanted.x << "," << c.wanted.y;
        EXPECT_EQ(c.placed.y, got.y) << c.wanted.x << "," << c.wanted.y;
    }
}

class Owner : public TWindow {
public:
    Owner() : TWindow(0, "owner", 0) { Attr.Style = WS_OVERLAPPEDWINDOW; }
    void CmPing() { ++pings; }
    void CePing(TCommandEnabler &ce) {
        ++asked;
        ce.Enable(1);
    }
    int pings = 0;
    int asked = 0;
    DECLARE_RESPONSE_TABLE(Owner);
};

DEFINE_RESPONSE_TABLE1(Owner, TWindow)
    EV_COMMAND(4711, CmPing),
    EV_COMMAND_ENABLE(4711, CePing),
END_RESPONSE_TABLE;

class Probe : public EnablerProbe {
public:
    explicit Probe(HWND receiver) : EnablerProbe(4711, receiver) {}
};

TEST(FloatingFrame, CommandsAndEnablersGoToTheParentOnce) {
    TApplication::SetWinMainParams(GetModuleHandleA(0), 0, "", SW_SHOWNORMAL);
    DocumentManager app("FloatingTests", "");
    Owner *owner = new Owner;
    owner->Create();
    TFloatingFrame *palette = new TFloatingFrame(owner, "palette", 0, 0, 58, 1);
    palette->Create();
    EXPECT_EQ(owner->GetHandle(), palette->GetCommandTarget());
    palette->SendMessageA(WM_COMMAND, 4711, 0);
    EXPECT_EQ(1, owner->pings);
    Probe fresh(palette->GetHandle());
    palette->EvCommandEnable(fresh);
    EXPECT_EQ(1, owner->asked);
    EXPECT_TRUE(fresh.IsReceiver(owner->GetHandle()));
    Probe routed(owner->GetHandle());  // already went to the parent
    palette->EvCommandEnable(routed);
    EXPECT_EQ(1, owner->asked);
    // the palette never takes activation
    EXPECT_EQ(MA_NOACTIVATE, (int)palette->SendMessageA(WM_MOUSEACTIVATE, (WPARAM)owner->GetHandle(),
                                                         MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN)));
    palette->Destroy();
    delete palette;
    owner->Destroy();
    delete owner;
}

TEST(FloatingFrame, PopupMarginsFollowTheSystemGeneration) {
    TApplication::SetWinMainParams(GetModuleHandleA(0), 0, "", SW_SHOWNORMAL);
    DocumentManager app("FloatingTests", "");
    int saved = _win95;
    _win95 = 1;
    PopupFrame modern(0, "", 0);
    EXPECT_EQ(0, modern.GetMarginX());
    _win95 = 0;
    PopupFrame old(0, "", 7);
    EXPECT_EQ(1, old.GetMarginX());
    EXPECT_EQ(1, old.GetMarginY());
    EXPECT_EQ(7, old.GetPopupStyle());
    EXPECT_TRUE(old.IsPopupPalette());
    _win95 = saved;
}

}  // namespace
