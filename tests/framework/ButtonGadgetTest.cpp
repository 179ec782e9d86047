// Button gadgets: the looks of the up, down, disabled and indeterminate states read back
// from the painted pixels, and commands sent only when the button is released on it.
#include "tests/framework/BarTestSupport.h"
#include "bars/ButtonGadget.h"
#include "core/Dib.h"
#include "manager/DocumentManager.h"
#include "tests/framework/GdiCanvas.h"
#include "core/Module.h"
#include "tests/framework/TestApp.h"
#include "bars/ToolbarButtonGadget.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <vector>

namespace {

using namespace bartest;

enum { CmButton = 48100 };

COLORREF Sys(int index) { return ::GetSysColor(index); }

// The button in the window, and the size it asks for.
TSize InsertSized(TGadgetWindow &window, TGadget *button) {
    window.Insert(*button);
    TSize size(0, 0);
    button->GetDesiredSize(size);
    return size;
}

template <class B>
void PaintButton(B &button, Canvas &canvas, TSize const &size) {
    button.SetBounds(TRect(0, 0, size.cx, size.cy));
    button.Paint(canvas.dc());
}

TEST(ToolbarButtonGadget, EachStatePaintsItsOwnCel) {
    TestApp app;
    TGadgetWindow window(0, TGadgetWindow::Horizontal, new TGadgetWindowFont, &Exe());
    TToolbarButtonGadget *button = new TToolbarButtonGadget(Glyph, CmButton, TToolbarButtonGadget::NonExclusive, 1);
    TSize size = InsertSized(window, button);
    ASSERT_EQ(16 + 4, size.cx);  // glyph plus the 3-D edge
    ASSERT_EQ(16 + 4, size.cy);
    int const g = (size.cx - 16) / 2;  // the glyph's place when up

    Canvas up(size.cx, size.cy);
    PaintButton(*button, up, size);
    EXPECT_EQ(Sys(COLOR_BTNTEXT), up.At(g + 6, g + 6));
    EXPECT_EQ(Sys(COLOR_BTNFACE), up.At(g + 1, g + 1));
    EXPECT_EQ(Sys(COLOR_3DLIGHT), up.At(0, 0));  // raised edge

    button->SetButtonState(TToolbarButtonGadget::Down);
    Canvas down(size.cx, size.cy);
    PaintButton(*button, down, size);
    int const d = g + 1;  // sunken: one pixel right and down
    EXPECT_EQ(Sys(COLOR_BTNTEXT), down.At(d + 6, d + 6));
    EXPECT_EQ(Sys(COLOR_BTNTEXT), down.At(d + 4, d + 4));
    COLORREF a = down.At(d + 1, d + 1), b = down.At(d + 2, d + 1);
    EXPECT_NE(a, b) << "checkered background";
    EXPECT_TRUE(a == Sys(COLOR_BTNHIGHLIGHT) || b == Sys(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(Sys(COLOR_BTNSHADOW), down.At(0, 0));  // sunken edge

    button->SetButtonState(TToolbarButtonGadget::Indeterminate);
    Canvas mixed(size.cx, size.cy);
    PaintButton(*button, mixed, size);
    EXPECT_EQ(Sys(COLOR_BTNSHADOW), mixed.At(g + 6, g + 6));
    EXPECT_NE(mixed.At(g + 1, g + 1), mixed.At(g + 2, g + 1));

    button->SetButtonState(TToolbarButtonGadget::Up);
    button->SetEnabled(0);
    Canvas disabled(size.cx, size.cy);
    PaintButton(*button, disabled, size);
    EXPECT_EQ(Sys(COLOR_BTNSHADOW), disabled.At(g + 4, g + 4));
    EXPECT_EQ(Sys(COLOR_BTNSHADOW), disabled.At(g + 11, g + 11));
    EXPECT_EQ(Sys(COLOR_BTNHIGHLIGHT), disabled.At(g + 12, g + 12));  // embossed one pixel down-right
    EXPECT_EQ(Sys(COLOR_BTNFACE), disabled.At(g + 1, g + 1));
    int ink = 0;
    for (int y = g; y < g + 16; ++y)
        for (int x = g; x < g + 16; ++x)
            ink += disabled.At(x, y) == Sys(COLOR_BTNTEXT);
    EXPECT_EQ(0, ink) << "no glyph pixel keeps the text colour";
}

TEST(ToolbarButtonGadget, WithoutThe3DLookItDrawsItsOwnBorder) {
    TestApp app;
    Look look(0);
    TGadgetWindow window(0, TGadgetWindow::Horizontal, new TGadgetWindowFont, &Exe());
    TToolbarButtonGadget *button = new TToolbarButtonGadget(Glyph, CmButton, TToolbarButtonGadget::NonExclusive, 1);
    TSize size = InsertSized(window, button);
    EXPECT_EQ(16 + 5, size.cx);
    Canvas up(size.cx, size.cy);
    PaintButton(*button, up, size);
    EXPECT_EQ(Sys(COLOR_BTNFACE), up.At(0, 0)) << "notched corner";
    EXPECT_EQ(Sys(COLOR_WINDOWFRAME), up.At(1, 0));
    EXPECT_EQ(Sys(COLOR_BTNHIGHLIGHT), up.At(1, 2));
    EXPECT_EQ(Sys(COLOR_BTNSHADOW), up.At(size.cx - 2, size.cy / 2));
    EXPECT_EQ(Sys(COLOR_BTNFACE), up.At(size.cx - 2, 1)) << "antialiased edge";
    button->SetButtonState(TToolbarButtonGadget::Down);
    Canvas down(size.cx, size.cy);
    PaintButton(*button, down, size);
    EXPECT_EQ(Sys(COLOR_BTNSHADOW), down.At(1, 2));
    EXPECT_EQ(Sys(COLOR_WINDOWFRAME), down.At(1, 0));
}

TEST(ButtonGadget, FaceStatesDifferAndTheDisabledGlyphLosesItsInk) {
    TestApp app;
    TGadgetWindow window(0, TGadgetWindow::Horizontal, new TGadgetWindowFont, &Exe());
    TButtonGadget *button = new TButtonGadget(Glyph, CmButton, TButtonGadget::NonExclusive, 1);
    TSize size = InsertSized(window, button);
    ASSERT_GE(size.cx, 16);
    ASSERT_GE(size.cy, 16);
    TRect inner;
    button->SetBounds(TRect(0, 0, size.cx, size.cy));
    button->GetInnerRect(inner);
    TPoint ink(inner.left + (inner.Width() - 16) / 2 + 7, inner.top + (inner.Height() - 16) / 2 + 7);

    std::vector<Canvas *> looks;
    auto paint = [&]() {
        Canvas *c = new Canvas(size.cx, size.cy);
        PaintButton(*button, *c, size);
        looks.push_back(c);
        return c;
    };
    Canvas *up = paint();
    EXPECT_EQ(Sys(COLOR_BTNTEXT), up->At(ink.x, ink.y));
    button->SetButtonState(TButtonGadget::Down);
    Canvas *down = paint();
    button->SetButtonState(TButtonGadget::Indeterminate);
    Canvas *mixed = paint();
    button->SetButtonState(TButtonGadget::Up);
    button->SetEnabled(0);
    Canvas *disabled = paint();
    EXPECT_NE(Sys(COLOR_BTNTEXT), disabled->At(ink.x, ink.y));
    EXPECT_FALSE(up->SameAs(*down));
    EXPECT_FALSE(up->SameAs(*mixed));
    EXPECT_FALSE(down->SameAs(*mixed));
    EXPECT_FALSE(up->SameAs(*disabled));
    for (Canvas *c : looks)
        delete c;
}

// Counts the commands it receives.
class Owner : public TWindow {
public:
    Owner() : TWindow(0, "owner", 0) { Attr.Style = WS_POPUP | WS_VISIBLE; Attr.W = 300, Attr.H = 100; }
    LRESULT EvCommand(uint id, HWND, uint) override {
        commands.push_back(int(id));
        return 0;
    }
    std::vector<int> commands;
};

// A gadget window in an owner that records the commands; Show() makes the windows.
struct OwnedBar {
    OwnedBar()
        : owner(new Owner), bar(new TGadgetWindow(owner, TGadgetWindow::Horizontal, new TGadgetWindowFont, &Exe())) {}
    ~OwnedBar() {
        owner->Destroy();
        delete owner;
    }
    // Inserts the gadgets and makes the windows.
    void Show(std::initializer_list<TGadget *> gadgets) {
        for (TGadget *g : gadgets)
            bar->Insert(*g);
        owner->Create();
        bar->LayoutSession();
    }
    TestApp app;
    Owner *owner;
    TGadgetWindow *bar;
};

template <class B>
void ClickTest(B *button, Owner *owner, TGadgetWindow *bar) {
    TRect r = button->GetBounds();
    LPARAM inside = MAKELPARAM(r.left + r.Width() / 2, r.top + r.Height() / 2);
    LPARAM outside = MAKELPARAM(r.right + 40, r.top + r.Height() / 2);

    bar->SendMessageA(WM_LBUTTONDOWN, MK_LBUTTON, inside);
    EXPECT_TRUE(button->IsPressed());
    bar->SendMessageA(WM_LBUTTONUP, 0, inside);
    Pump();
    ASSERT_EQ(1u, owner->commands.size());
    EXPECT_EQ(CmButton, owner->commands[0]);
    EXPECT_EQ(B::Down, button->GetButtonState());

    // pressed, moved off and released outside: no command, no change
    bar->SendMessageA(WM_LBUTTONDOWN, MK_LBUTTON, inside);
    bar->SendMessageA(WM_MOUSEMOVE, MK_LBUTTON, outside);
    EXPECT_FALSE(button->IsPressed());
    bar->SendMessageA(WM_LBUTTONUP, 0, outside);
    Pump();
    EXPECT_EQ(1u, owner->commands.size());
    EXPECT_EQ(B::Down, button->GetButtonState());

    // back over it before the release: the press counts again
    bar->SendMessageA(WM_LBUTTONDOWN, MK_LBUTTON, inside);
    bar->SendMessageA(WM_MOUSEMOVE, MK_LBUTTON, outside);
    bar->SendMessageA(WM_MOUSEMOVE, MK_LBUTTON, inside);
    EXPECT_TRUE(button->IsPressed());
    bar->SendMessageA(WM_LBUTTONUP, 0, inside);
    Pump();
    EXPECT_EQ(2u, owner->commands.size());
    EXPECT_EQ(B::Up, button->GetButtonState());
}

TEST(ToolbarButtonGadget, CommandGoesToItsTargetOnlyWhenReleasedOnTheButton) {
    OwnedBar ob;
    TToolbarButtonGadget *button = new TToolbarButtonGadget(Glyph, CmButton, TToolbarButtonGadget::NonExclusive, 1);
    button->SetCommandTarget(ob.owner);
    ob.Show({button});
    ClickTest(button, ob.owner, ob.bar);
}

TEST(ButtonGadget, CommandGoesThroughItsWindowOnlyWhenReleasedOnTheButton) {
    OwnedBar ob;
    TButtonGadget *button = new TButtonGadget(Glyph, CmButton, TButtonGadget::NonExclusive, 1);
    ob.Show({button});
    ClickTest(button, ob.owner, ob.bar);
}

// Disabled while held: the general button posts nothing, the tool bar button still posts.
template <class B>
size_t CommandsAfterDisabledRelease() {
    OwnedBar ob;
    TGadgetWindow *bar = ob.bar;
    B *button = new B(Glyph, CmButton, B::Command, 1);
    if (TToolbarButtonGadget *tool = dynamic_cast<TToolbarButtonGadget *>(button))
        tool->SetCommandTarget(ob.owner);
    ob.Show({button});
    TRect r = button->GetBounds();
    LPARAM inside = MAKELPARAM(r.left + r.Width() / 2, r.top + r.Height() / 2);
    bar->SendMessageA(WM_LBUTTONDOWN, MK_LBUTTON, inside);
    button->SetEnabled(0);
    bar->SendMessageA(WM_LBUTTONUP, 0, inside);
    Pump();
    return ob.owner->commands.size();
}

TEST(ButtonGadget, DisabledWhileHeldPostsNothingUnlikeTheToolbarButton) {
    EXPECT_EQ(0u, CommandsAfterDisabledRelease<TButtonGadget>());
    EXPECT_EQ(1u, CommandsAfterDisabledRelease<TToolbarButtonGadget>());
}

// Another window taking the mouse mid-press (a box, a task switch) ends the press: the
// gadget holds the mouse no longer and a later release acts on nothing.
TEST(ToolbarButtonGadget, APressThatLosesTheMouseEndsWithoutActing) {
    OwnedBar ob;
    TToolbarButtonGadget *button = new TToolbarButtonGadget(Glyph, CmButton, TToolbarButtonGadget::Command, 1);
    button->SetCommandTarget(ob.owner);
    ob.Show({button});
    TRect r = button->GetBounds();
    LPARAM inside = MAKELPARAM(r.left + 2, r.top + 2);
    ob.bar->SendMessageA(WM_LBUTTONDOWN, MK_LBUTTON, inside);
    ASSERT_TRUE(button->IsPressed());
    ::SetCapture(ob.owner->GetHandle());
    EXPECT_FALSE(button->IsPressed());
    EXPECT_EQ(nullptr, ob.bar->GetCapture());
    ::ReleaseCapture();
    ob.bar->SendMessageA(WM_LBUTTONUP, 0, inside);
    Pump();
    EXPECT_TRUE(ob.owner->commands.empty());
}

TEST(ButtonGadget, ActivationByType) {
    OwnedBar ob;
    typedef TButtonGadget B;
    B *exclusive = new B(Glyph, 1, B::Exclusive, 1, B::Down), *semi = new B(Glyph, 2, B::SemiExclusive, 1, B::Down),
      *mixed = new B(Glyph, 3, B::NonExclusive, 1, B::Indeterminate);
    ob.Show({exclusive, new B(Glyph, 9, B::Command, 1), semi, mixed});
    TPoint at(1, 1);
    exclusive->Activate(at);  // already down: posts again
    semi->Activate(at);       // down: goes up and posts nothing
    mixed->Activate(at);      // indeterminate: up
    Pump();
    EXPECT_EQ(std::vector<int>({1, 3}), ob.owner->commands);
    EXPECT_EQ(B::Down, exclusive->GetButtonState());
    EXPECT_EQ(B::Up, semi->GetButtonState());
    EXPECT_EQ(B::Up, mixed->GetButtonState());
}

TEST(ToolbarButtonGadget, WithoutTargetAndMainWindowItPostsAndAsksNothing) {
    OwnedBar ob;
    TGadgetWindow *bar = ob.bar;
    TToolbarButtonGadget *button = new TToolbarButtonGadget(Glyph, CmButton, TToolbarButtonGadget::Command, 1);
    ob.Show({button});
    ASSERT_EQ(0, ob.app.GetMainWindow());
    button->CommandEnable();
    EXPECT_TRUE(button->GetEnabled());
    TRect r = button->GetBounds();
    LPARAM inside = MAKELPARAM(r.left + 2, r.top + 2);
    bar->SendMessageA(WM_LBUTTONDOWN, MK_LBUTTON, inside);
    bar->SendMessageA(WM_LBUTTONUP, 0, inside);
    Pump();
    EXPECT_TRUE(ob.owner->commands.empty());
}

// A shared glyph whose picture comes from elsewhere.
class SharedButton : public TButtonGadget {
public:
    SharedButton() : TButtonGadget(0, CmButton, Command, 1, Up, 1) {}
    TDib *GetGlyphDib() override { return LoadGlyphDib(Window, Glyph); }
    int IsShared() const { return SharedGlyph; }
    TCelArray *OwnCels() const { return CelArray; }
};

TEST(ButtonGadget, ASharedGlyphOfAnotherSizeGetsItsOwnCel) {
    TestApp app;
    TGadgetWindow window(0, TGadgetWindow::Horizontal, new TGadgetWindowFont, &Exe());
    window.GetCelArray(10, 10);
    SharedButton *button = new SharedButton;
    window.Insert(*button);
    button->BuildCelArray();
    EXPECT_FALSE(button->IsShared());
    ASSERT_TRUE(button->OwnCels());
    EXPECT_EQ(TSize(16, 16), button->OwnCels()->CelSize());
}

TEST(ToolbarButtonGadget, ExclusiveGroupsEndAtOtherTypes) {
    TestApp app;
    TGadgetWindow window(0, TGadgetWindow::Horizontal, new TGadgetWindowFont, &Exe());
    typedef TToolbarButtonGadget B;
    B *a = new B(Glyph, 1, B::Exclusive, 1, B::Down), *b = new B(Glyph, 2, B::Exclusive, 1),
      *command = new B(Glyph, 3, B::Command, 1), *c = new B(Glyph, 4, B::Exclusive, 1, B::Down),
      *d = new B(Glyph, 5, B::Exclusive, 1);
    for (B *g : {a, b, command, c, d})
        window.Insert(*g);
    b->SetButtonState(B::Down);
    EXPECT_EQ(B::Up, a->GetButtonState());
    EXPECT_EQ(B::Down, b->GetButtonState());
    EXPECT_EQ(B::Down, c->GetButtonState()) << "the command button splits the groups";
    d->SetButtonState(B::Down);
    EXPECT_EQ(B::Up, c->GetButtonState());
    EXPECT_EQ(B::Down, b->GetButtonState());
}

}  // namespace
