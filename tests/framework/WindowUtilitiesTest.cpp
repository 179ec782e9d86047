#include "controls/Edit.h"
#include "tests/framework/TestApp.h"
#include "controls/WindowUtilities.h"

#include <gtest/gtest.h>

#include <string>

namespace {
// A border-less pop-up: its client area is its window.
class Box : public TWindow {
public:
    Box(int w, int h, TWindow *owner = 0) : TWindow(owner, "box") {
        Attr.Style = WS_POPUP | WS_VISIBLE;
        Attr.X = 5, Attr.Y = 5, Attr.W = w, Attr.H = h;
    }
    int SetTexts = 0;
    LRESULT EvSetText(WPARAM, LPARAM) {
        SetTexts++;
        return DefaultProcessing();
    }
    TPoint Where() const { return GetWindowRect().TopLeft(); }
    DECLARE_RESPONSE_TABLE(Box);
};
DEFINE_RESPONSE_TABLE1(Box, TWindow)
    EV_MESSAGE(WM_SETTEXT, EvSetText, I32_WPARAM_LPARAM),
END_RESPONSE_TABLE;

class WindowUtilities : public ::testing::Test {
protected:
    TestApp App;
    TRect Screen = GetScreenRect();
};
}  // namespace

TEST_F(WindowUtilities, ScreenRectIsTheScreensSize) {
    EXPECT_EQ(TRect(0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)), Screen);
    EXPECT_GT(Screen.Width(), 400);
}

namespace {
// The cursor reaches its new place through the X server, in its own time on a loaded machine:
// wait until the system reports it there.
bool MoveCursorTo(int x, int y) {
    if (!::SetCursorPos(x, y))
        return false;
    for (DWORD end = ::GetTickCount() + 5000; ::GetTickCount() < end; ::Sleep(10)) {
        POINT at;
        if (::GetCursorPos(&at) && at.x == x && at.y == y)
            return true;
    }
    return false;
}
}  // namespace

TEST_F(WindowUtilities, CenterWindowPlacesByModeAndKeepsTwentyPixelsInside) {
    Box box(300, 200);
    ASSERT_TRUE(box.Create());
    int sw = Screen.Width(), sh = Screen.Height();
    TPoint mid(500, 400), corner(10, 10), beyond(sw, sh), topLeft(100, 120);
    struct {
        int mode;
        TPoint const *point;
        TPoint expected;
    } cases[] = {
        {0, 0, TPoint((sw - 300) / 2, (sh - 200) / 2)},
        {1, 0, TPoint((sw - 300) / 2, (sh - 200) / 2)},  // no parent: the screen
        {2, &mid, TPoint(350, 300)},
        {2, &corner, TPoint(20, 20)},  // cut at 0, then the margin
        {4, &topLeft, TPoint(100, 120)},
        {4, 0, TPoint(20, 20)},
        {4, &beyond, TPoint(sw - 20 - 300, sh - 20 - 200)},
        {9, &mid, TPoint(20, 20)},  // an unknown mode goes to the corner
    };
    for (auto const &c : cases) {
        SCOPED_TRACE(c.mode);
        CenterWindow(box, CenterMode(c.mode), c.point);
        EXPECT_EQ(c.expected, box.Where());
        EXPECT_EQ(TSize(300, 200), box.GetWindowRect().Size());
    }

    ASSERT_TRUE(MoveCursorTo(10, 10));
    CenterWindow(box, kCenterOnMouse);
    EXPECT_EQ(TPoint(20, 20), box.Where());
    ASSERT_TRUE(MoveCursorTo(sw / 2, sh / 2));
    CenterWindow(box, kCenterOnMouse);
    EXPECT_EQ(TPoint(sw / 2 - 150, sh / 2 - 100), box.Where());
}

TEST_F(WindowUtilities, CenterWindowOnTheParentAndForAWindowWiderThanTheScreen) {
    Box owner(400, 300);
    ASSERT_TRUE(owner.Create());
    owner.MoveWindow(100, 100, 400, 300);
    Box *owned = new Box(300, 200, &owner);
    owned->Create();
    CenterWindow(*owned, kCenterOnParent);
    EXPECT_EQ(TPoint(150, 150), owned->Where());

    Box wide(Screen.Width() + 100, Screen.Height() + 50);
    ASSERT_TRUE(wide.Create());
    CenterWindow(wide, kCenterOnScreen);
    EXPECT_EQ(TPoint(20, 20), wide.Where());  // the left and top margins win
}

TEST_F(WindowUtilities, CenteredRectKeepsItsSize) {
    int sw = Screen.Width(), sh = Screen.Height();
    TRect reference(100, 100, 500, 300);
    struct {
        int mode;
        TRect in;
        TPoint expected;
    } cases[] = {
        {0, TRect(0, 0, 100, 50), TPoint((sw - 100) / 2, (sh - 50) / 2)},
        {5, TRect(0, 0, 100, 50), TPoint(250, 175)},
        {2, TRect(400, 300, 500, 350), TPoint(350, 275)},  // on its own top-left point
        {2, TRect(10, 10, 110, 60), TPoint(20, 20)},
        {3, TRect(0, 0, 100, 50), TPoint(sw / 2 - 50, sh / 2 - 25)},
        {4, TRect(60, 70, 160, 120), TPoint(60, 70)},
        {1, TRect(60, 70, 160, 120), TPoint(60, 70)},  // as the top-left mode
        {4, TRect(sw - 10, sh - 10, sw + 90, sh + 40), TPoint(sw - 120, sh - 70)},
    };
    // Wine may still be moving the shared cursor after an earlier test's input: a case
    // counts when the cursor stood at the middle before and after it.
    auto cursorAtMiddle = [&] {
        POINT at;
        return ::GetCursorPos(&at) && at.x == sw / 2 && at.y == sh / 2;
    };
    for (auto const &c : cases) {
        SCOPED_TRACE(c.mode);
        TRect r;
        for (int tries = 0; tries < 20; ++tries) {
            ASSERT_TRUE(MoveCursorTo(sw / 2, sh / 2));
            r = c.in;
            GetCenteredRect(CenterMode(c.mode), r, &reference);
            if (cursorAtMiddle())
                break;
        }
        EXPECT_EQ(TRect(c.expected, c.in.Size()), r);
    }
}

TEST_F(WindowUtilities, FocusSaverGivesTheFocusBack) {
    Box host(300, 200);
    TEdit *first = new TEdit(&host, 42301, "", 5, 5, 100, 20);
    TEdit *second = new TEdit(&host, 42302, "", 5, 30, 100, 20);
    ASSERT_TRUE(host.Create());
    ::SetForegroundWindow(host.GetHandle());
    first->SetFocus();
    ASSERT_EQ(first->GetHandle(), ::GetFocus());
    {
        FocusSaver saver;
        second->SetFocus();
        ASSERT_EQ(second->GetHandle(), ::GetFocus());
    }
    EXPECT_EQ(first->GetHandle(), ::GetFocus());

    {
        second->SetFocus();
        FocusSaver kept;
        FocusSaver other;
        first->SetFocus();
        other = kept;  // both now give the focus to the second edit
        delete second;  // and that window is gone
    }
    EXPECT_EQ(first->GetHandle(), ::GetFocus());
}

TEST_F(WindowUtilities, SetWindowTextIfChangedSkipsTheSameText) {
    Box box(200, 100);
    ASSERT_TRUE(box.Create());
    box.SetCaption("Level");
    box.UpdateWindow();
    int before = box.SetTexts;
    SetWindowTextIfChanged(box.GetHandle(), "Level");
    EXPECT_EQ(before, box.SetTexts);
    RECT dirty;
    EXPECT_FALSE(::GetUpdateRect(box.GetHandle(), &dirty, FALSE));
    SetWindowTextIfChanged(box.GetHandle(), "Meter");
    EXPECT_EQ(before + 1, box.SetTexts);

    std::string fits(499, 'a'), tooLong(600, 'b');
    SetWindowTextIfChanged(box.GetHandle(), fits.c_str());
    SetWindowTextIfChanged(box.GetHandle(), fits.c_str());
    EXPECT_EQ(before + 2, box.SetTexts);  // 499 characters still compare
    SetWindowTextIfChanged(box.GetHandle(), tooLong.c_str());
    SetWindowTextIfChanged(box.GetHandle(), tooLong.c_str());
    EXPECT_EQ(before + 4, box.SetTexts);  // a longer text is always set
    // a window text cut for the comparison never passes for a shorter new text
    SetWindowTextIfChanged(box.GetHandle(), tooLong.substr(0, 499).c_str());
    EXPECT_EQ(before + 5, box.SetTexts);
    EXPECT_EQ(tooLong.substr(0, 499), TextOf(box));
    EXPECT_EQ(499, ::GetWindowTextLengthA(box.GetHandle()));
}

TEST_F(WindowUtilities, WaitCursorCapturesAndShowsTheHourglassWhileItLives) {
    Box box(200, 100);
    ASSERT_TRUE(box.Create());
    HCURSOR arrow = ::LoadCursorA(0, (LPCSTR)IDC_ARROW);
    ::SetCursor(arrow);
    {
        WaitCursor wait(box);
        EXPECT_EQ(box.GetHandle(), ::GetCapture());
        EXPECT_EQ(::LoadCursorA(0, (LPCSTR)IDC_WAIT), ::GetCursor());
    }
    EXPECT_EQ(nullptr, ::GetCapture());
    EXPECT_EQ(arrow, ::GetCursor());
}

TEST(SizeRule, DefaultsAndComparisonByIdentifier) {
    SizeRule none, a(3, 40, 1), b(3, 99, 2), c(5, 0, 0);
    EXPECT_EQ(-1, none.GetId());
    EXPECT_EQ(0, none.GetValue());
    EXPECT_EQ(-1, none.GetMode());
    a.Set(41);
    EXPECT_EQ(41, a.GetValue());
    EXPECT_TRUE(a == b);
    EXPECT_FALSE(a == c);
    EXPECT_TRUE(a < c);
    EXPECT_EQ(0, a.Compare(b, 0));
    EXPECT_LT(a.Compare(c, 0), 0);
    EXPECT_GT(c.Compare(a, 0), 0);
    SizeRule copy(c);
    EXPECT_EQ(5, copy.GetId());
}
