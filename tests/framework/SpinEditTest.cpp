// Spin edits: formats and steps, reading typed values, the arrow control's clicks,
// repeat and painting, value menus, list entries, and the context help of the arrows.
#include "tests/framework/ControlHost.h"

#include "tests/framework/SpinEditMaker.h"
#include "tests/framework/SteadyCursor.h"

#include "controls/Dialog.h"
#include "manager/DocumentManager.h"
#include "tests/framework/GdiCanvas.h"
#include "controls/SpinEdit.h"
#include "controls/Spinner.h"

#include <gtest/gtest.h>

#include <string>

namespace {
class Host : public ControlHost {
public:
    Host() : ControlHost("spins", 50, 50, 300, 200) {}
};

class OpenSpinner : public TSpinner {
public:
    using TSpinner::ButtonRect;
};

class SpinEditTest : public HostedTest<Host> {
protected:
    // A 0..100 edit (or the given range) created in the host.
    TRangeSpinEdit *Range(double low = 0, double high = 100, char const *format = 0) {
        return MakeRangeSpinEdit(host, 50100, 10, 10, low, high, format);
    }
    TPoint Centre(TSpinner &s, int button) {
        TRect r;
        static_cast<OpenSpinner &>(s).ButtonRect(button, r);
        return TPoint((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    }
    void Click(TSpinner &s, TPoint down, TPoint up) {
        s.SendMessageA(WM_LBUTTONDOWN, 0, MAKELPARAM(down.x, down.y));
        s.SendMessageA(WM_LBUTTONUP, 0, MAKELPARAM(up.x, up.y));
    }
};
}  // namespace

TEST(SpinAttrTest, FormatSetsIncrementsAndRangeSetsInitial) {
    TSpinAttr a;
    EXPECT_EQ(1.0, a.GetIncrement());
    EXPECT_EQ(5.0, a.GetLargeIncrement());
    EXPECT_EQ(100.0, a.GetHigh());
    EXPECT_EQ(1, a.GetMatchOnLeaving());
    a.SetFormat(".1");
    EXPECT_EQ(1, a.GetDecimals());
    EXPECT_DOUBLE_EQ(0.1, a.GetIncrement());
    EXPECT_DOUBLE_EQ(0.5, a.GetLargeIncrement());
    a.SetIncrement(3);
    a.SetFormat(".2 dB");  // the format throws the increment away
    EXPECT_DOUBLE_EQ(0.01, a.GetIncrement());
    EXPECT_DOUBLE_EQ(0.05, a.GetLargeIncrement());
    a.SetFormat(0);
    EXPECT_STREQ("", a.GetFormat());
    EXPECT_EQ(0, a.GetDecimals());
    EXPECT_EQ(1.0, a.GetIncrement());
    a.SetInitial(42);
    a.SetRange(-5, 7);
    EXPECT_EQ(-5.0, a.GetInitial());
    EXPECT_EQ(7.0, a.GetHigh());
}

TEST(SpinAttrTest, SliderDescriptionsStandNewestFirstAndCopyDeeply) {
    TSpinAttr a;
    EXPECT_EQ(nullptr, a.GetSliders());
    a.SetRange(0.0, 100000.0);
    a.AddSlider(0, 9, 0.1, Slider::Color2);
    a.AddMasterSlider(Slider::Default);
    SpinSliderFactory *master = a.GetSliders()->GetFirst();
    ASSERT_TRUE(master);
    EXPECT_EQ(1, master->master);
    EXPECT_EQ(4.0, master->scale);  // floor(100000 / 32767 + 1)
    EXPECT_EQ(-1, master->low);
    EXPECT_EQ(25001, master->high);
    EXPECT_EQ(0.1, a.GetSliders()->GetNext(master)->scale);
    TSpinAttr copy(a);
    a.AddSlider(1, 2, 3, Slider::Color1);
    EXPECT_EQ(2, copy.GetSliders()->GetCount());
    EXPECT_NE(copy.GetSliders()->GetFirst(), master);
    TSpinAttr small;
    small.SetRange(-10, 50);
    small.AddMasterSlider(Slider::Color3);
    EXPECT_EQ(1.0, small.GetSliders()->GetFirst()->scale);
    EXPECT_EQ(-10, small.GetSliders()->GetFirst()->low);
    EXPECT_EQ(50, small.GetSliders()->GetFirst()->high);
}

TEST_F(SpinEditTest, FormatsAndValueTexts) {
    TRangeSpinEdit *e = new TRangeSpinEdit(&host, 50100, "", 10, 10, 100, 22);
    struct { char const *attr, *printf; } const formats[] = {{".2 dB", "%.2f dB"}, {" ms", "%ld ms"}, {"", "%ld"},
                                                             {".12x", "%.12fx"}};
    for (auto const &f : formats) {
        e->GetAttr().SetFormat(f.attr);
        EXPECT_STREQ(f.printf, e->GetFormat().c_str()) << f.attr;
    }
    e->GetAttr().SetFormat(".1 %s");  // a unit with a per cent sign prints as it stands
    EXPECT_STREQ("%.1f %%s", e->GetFormat().c_str());
    EXPECT_STREQ("2.5 %s", e->GetValueText(2.5).c_str());
    e->GetAttr().SetFormat(".1");
    EXPECT_STREQ("3.1", e->GetValueText(3.14159).c_str());
    e->GetAttr().SetFormat("");
    EXPECT_STREQ("2", e->GetValueText(2.9).c_str());
    EXPECT_STREQ("-2", e->GetValueText(-2.9).c_str());
    e->GetAttr().SetFormat(" ms");
    EXPECT_STREQ("12 ms", e->GetValueText(12.7).c_str());
    EXPECT_EQ(12.5, e->Parse("12.5 ms"));
    EXPECT_EQ(0.0, e->Parse("loud"));
}

TEST_F(SpinEditTest, SetUpShowsTheInitialValueAndPlacesTheArrows) {
    TRangeSpinEdit *e = new TRangeSpinEdit(&host, 50100, "", 10, 10, 100, 22);
    e->GetAttr().SetFormat(".1");
    e->GetAttr().SetRange(0.0, 10.0);
    e->GetAttr().SetInitial(2.5);
    EXPECT_FALSE(e->GetAttr().IsInitialized());
    ASSERT_TRUE(e->Create());
    TSpinner *s = e->GetSpinner();
    ASSERT_TRUE(s && s->GetHandle());
    EXPECT_EQ(999, ::GetDlgCtrlID(s->GetHandle()));
    EXPECT_EQ(e, s->GetSpinEdit());
    EXPECT_EQ("2.5", TextOf(*e));
    EXPECT_TRUE(e->GetAttr().IsInitialized());
    TRect edit = e->GetWindowRect(), spin = s->GetWindowRect();
    EXPECT_EQ(85, edit.Width());
    int shift = _win95 ? 0 : 1;
    EXPECT_EQ(edit.right + shift, spin.left);
    EXPECT_EQ(15, spin.Width());
    EXPECT_EQ(edit.top - shift, spin.top);
    EXPECT_EQ(edit.bottom + shift, spin.bottom);
    EXPECT_EQ("SpinEditControl", ClassOf(*s));
    EXPECT_FALSE(::GetClassLongA(s->GetHandle(), GCL_STYLE) & CS_DBLCLKS);
    // the arrows follow the edit
    e->MoveWindow(30, 40, 85, 22, true);
    TRect moved = s->GetWindowRect();
    EXPECT_EQ(spin.left + 20, moved.left);
    EXPECT_EQ(spin.top + 30, moved.top);
    Dialog::_preventAutoLinkMove = 1;
    e->MoveWindow(10, 10, 85, 22, true);
    Dialog::_preventAutoLinkMove = 0;
    EXPECT_EQ(moved.left, s->GetWindowRect().left);
}

TEST_F(SpinEditTest, TypedValuesClampAndLeavingRewritesThem) {
    TRangeSpinEdit *e = Range();
    TEdit other(&host, 50101, "", 10, 50, 100, 22);
    other.Create();
    e->SetFocus();
    e->SetWindowTextA("250");
    double v;
    e->GetValue(&v);
    EXPECT_EQ(100.0, v);
    int inRange = -1;
    EXPECT_EQ(250.0, e->GetCurrentValue(&inRange));
    EXPECT_EQ(0, inRange);
    e->SetWindowTextA("-2.9 dB");
    int i;
    e->GetValue(&i);
    EXPECT_EQ(0, i);
    e->GetAttr().SetRange(-100, 100);
    e->GetValue(&i);
    EXPECT_EQ(-2, i);  // toward zero
    e->SetWindowTextA("250");
    other.SetFocus();  // leaving rewrites the text
    EXPECT_EQ("100", TextOf(*e));
    e->GetAttr().SetMatchOnLeaving(0);
    e->SetFocus();
    e->SetWindowTextA("abc");
    other.SetFocus();
    EXPECT_EQ("abc", TextOf(*e));
    EXPECT_EQ(0.0, e->GetCurrentValue());  // not a number reads as 0
}

TEST_F(SpinEditTest, StepsStopAtTheEndsAndArrowsFollow) {
    TRangeSpinEdit *e = Range();
    TSpinner *s = e->GetSpinner();
    e->SetValue(99.5);
    e->SpinUp(1);
    EXPECT_EQ("100", TextOf(*e));
    EXPECT_FALSE(s->IsButtonEnabled(1));
    EXPECT_TRUE(s->IsButtonEnabled(0));
    EXPECT_EQ(100.0, e->GetAttr().GetInitial());  // the last valid value is kept
    e->SendMessageA(WM_KEYDOWN, VK_UP, 1);
    EXPECT_EQ("100", TextOf(*e));
    e->SendMessageA(WM_KEYDOWN, VK_DOWN, 1);
    EXPECT_EQ("99", TextOf(*e));
    e->SetValue(3);
    e->SpinDown(5);
    EXPECT_EQ("0", TextOf(*e));
    EXPECT_FALSE(s->IsButtonEnabled(0));
    e->SetWindowTextA("250");
    e->SpinDown(1);  // from beyond the range back to its end
    EXPECT_EQ("100", TextOf(*e));
    // Ctrl+Shift steps by the range's high value
    EXPECT_EQ(100.0, e->StepFor(1, 1));
    EXPECT_EQ(5.0, e->StepFor(1, 0));
    EXPECT_EQ(1.0, e->StepFor(0, 1));
    e->SetValue(37);
    e->SpinUp(e->StepFor(1, 1));
    EXPECT_EQ("100", TextOf(*e));
    e->GetAttr().SetRange(-100, 100);
    e->SetValue(-50);
    e->SpinUp(e->StepFor(1, 1));
    EXPECT_EQ("50", TextOf(*e));
    // a disabled edit disables both arrows and the arrow window
    e->SetValue(0);
    e->EnableWindow(false);
    EXPECT_FALSE(s->IsButtonEnabled(0));
    EXPECT_FALSE(s->IsButtonEnabled(1));
    EXPECT_FALSE(s->IsWindowEnabled());
    e->EnableWindow(true);
    EXPECT_TRUE(s->IsButtonEnabled(0) && s->IsButtonEnabled(1));
}

TEST_F(SpinEditTest, ArrowClicksStepOnReleaseOverTheArrow) {
    TRangeSpinEdit *e = Range();
    TSpinner *s = e->GetSpinner();
    e->SetValue(10);
    TPoint up = Centre(*s, 1), down = Centre(*s, 0);
    Click(*s, up, up);
    EXPECT_EQ("11", TextOf(*e));
    Click(*s, down, down);
    Click(*s, down, down);
    EXPECT_EQ("9", TextOf(*e));
    Click(*s, up, TPoint(-20, -20));  // released away: no step
    EXPECT_EQ("9", TextOf(*e));
    EXPECT_EQ(-1, s->GetPressedButton());
    EXPECT_NE(s->GetHandle(), ::GetCapture());
    e->SetValue(0);
    Click(*s, down, down);  // disabled arrow
    EXPECT_EQ("0", TextOf(*e));
    EXPECT_EQ(-1, s->ButtonAt(down));
    EXPECT_EQ(1, s->ButtonAt(up));
    EXPECT_EQ(-1, s->ButtonAt(TPoint(1, 1)));  // the frame
}

TEST_F(SpinEditTest, HeldArrowRepeatsAfterTheDelay) {
    EXPECT_EQ(::GetProfileIntA("Windows", "KeyboardDelay", 2) * 3 + 250u, TSpinner::RepeatDelay());
    if (int(::GetProfileIntA("Windows", "KeyboardDelay", -1)) == -1 && int(::GetProfileIntA("Windows", "KeyboardSpeed", -1)) == -1) {
        EXPECT_EQ(256u, TSpinner::RepeatDelay());
        EXPECT_EQ(35u, TSpinner::RepeatPeriod());
    }
    TRangeSpinEdit *e = Range();
    TSpinner *s = e->GetSpinner();
    e->SetValue(10);
    TPoint up = Centre(*s, 1);
    s->SendMessageA(WM_LBUTTONDOWN, 0, MAKELPARAM(up.x, up.y));
    EXPECT_EQ(1, s->GetPressedButton());
    EXPECT_EQ("10", TextOf(*e));
    TPoint screen = up;
    ::ClientToScreen(s->GetHandle(), &screen);
    MoveCursorQuietly(screen.x, screen.y);
    s->SendMessageA(WM_TIMER, TSpinner::DelayTimer);  // the delay ends: repeating starts, no step yet
    EXPECT_EQ("10", TextOf(*e));
    s->SendMessageA(WM_TIMER, TSpinner::RepeatTimer);
    s->SendMessageA(WM_TIMER, TSpinner::RepeatTimer);
    EXPECT_EQ("12", TextOf(*e));
    MoveCursorQuietly(0, 0);  // away from the arrow: the repeat pauses
    s->SendMessageA(WM_TIMER, TSpinner::RepeatTimer);
    EXPECT_EQ("12", TextOf(*e));
    s->SendMessageA(WM_LBUTTONUP, 0, MAKELPARAM(up.x, up.y));
    EXPECT_EQ("13", TextOf(*e));
}

TEST_F(SpinEditTest, ArrowsPaintFramesAndTriangles) {
    TRangeSpinEdit *e = Range();
    TSpinner *s = e->GetSpinner();
    e->SetValue(100);  // up disabled, down enabled
    TRect r = s->GetClientRect();
    Canvas c(r.Width(), r.Height());
    s->Paint(c.dc(), 1, r);
    EXPECT_EQ(::GetSysColor(COLOR_BTNSHADOW), c.At(5, 0));
    EXPECT_EQ(::GetSysColor(COLOR_BTNHIGHLIGHT), c.At(5, r.Height() - 1));
    EXPECT_EQ(::GetSysColor(COLOR_WINDOWFRAME), c.At(5, 1));
    TPoint down = Centre(*s, 0), up = Centre(*s, 1);
    COLORREF text = ::GetSysColor(COLOR_BTNTEXT);
    int shift = _win95 ? 0 : 1;
    // the enabled down arrow is filled: its centre column from base to apex
    EXPECT_EQ(text, c.At(down.x + shift, down.y));
    EXPECT_EQ(text, c.At(down.x + shift, down.y - 1));
    // the disabled up arrow is only outlined: its inside keeps the face colour
    EXPECT_NE(text, c.At(up.x + shift, up.y));
    int etched = 0;
    for (int x = 0; x < r.Width(); x++)
        for (int y = r.top + 2; y < up.y + 3; y++)
            etched += c.At(x, y) == text;
    EXPECT_GT(etched, 2);
    // pressed: the arrow moves one pixel right and down
    e->SetValue(50);
    s->SendMessageA(WM_LBUTTONDOWN, 0, MAKELPARAM(up.x, up.y));
    Canvas pressed(r.Width(), r.Height());
    s->Paint(pressed.dc(), 1, r);
    EXPECT_EQ(text, pressed.At(up.x + shift + 1, up.y));
    EXPECT_EQ(::GetSysColor(COLOR_BTNSHADOW), pressed.At(up.x, 2));
    s->SendMessageA(WM_LBUTTONUP, 0, MAKELPARAM(-5, -5));
}

TEST_F(SpinEditTest, RangeMenuListsStepsAndSetsTheChoice) {
    TRangeSpinEdit *e = Range(0, 1, ".2");
    e->GetAttr().SetIncrement(0.25);
    e->SetValue(0.5);
    HMENU menu = e->BuildPopupMenu();
    ASSERT_EQ(5, ::GetMenuItemCount(menu));
    char const *texts[] = {"0.00", "0.25", "0.50", "0.75", "1.00"};
    for (int i = 0; i < 5; i++) {
        char text[32] = "";
        ::GetMenuStringA(menu, 10000 + i, text, sizeof text, MF_BYCOMMAND);
        EXPECT_STREQ(texts[i], text);
        EXPECT_EQ(i == 2, (::GetMenuState(menu, 10000 + i, MF_BYCOMMAND) & MF_CHECKED) != 0);
    }
    ::DestroyMenu(menu);
    e->SendMessageA(WM_COMMAND, 10003);
    EXPECT_EQ("0.75", TextOf(*e));
    e->SendMessageA(WM_COMMAND, 10007);  // beyond the range: ignored
    EXPECT_EQ("0.75", TextOf(*e));
    // tenths end at the range's end, and a range not made of whole steps ends below it;
    // no item past the end, where choosing would do nothing; no more than a thousand choices
    struct {
        double increment;
        int items;
    } const cases[] = {{0.1, 11}, {0.3, 4}, {0.6, 2}, {0.0001, 1000}};
    for (auto const &c : cases) {
        e->GetAttr().SetIncrement(c.increment);
        menu = e->BuildPopupMenu();
        EXPECT_EQ(c.items, ::GetMenuItemCount(menu)) << c.increment;
        ::DestroyMenu(menu);
    }
}

TEST_F(SpinEditTest, ValuesOutliveTheWindow) {
    TRangeSpinEdit *e = Range();
    e->SetValue(42);
    e->Destroy();
    EXPECT_FALSE(e->GetHandle());
    double v;
    e->GetValue(&v);
    EXPECT_EQ(42.0, v);
    e->SetValue(7);  // kept, then shown by the next window
    e->Create();
    EXPECT_EQ("7", TextOf(*e));
}

TEST_F(SpinEditTest, ListEntriesMatchExactlyOrByContents) {
    static SpinListData const rows[] = {{"4/4", 44}, {"3/4", 34}, {"6/8", 68}, {0, 0}};
    TListSpinEdit *e = new TListSpinEdit(&host, 50100, "", 10, 10, 100, 22);
    EXPECT_EQ(1, e->GetAttr().GetShowMenu());
    e->RegisterEntries(rows);
    EXPECT_EQ(3, e->GetNumItems());
    e->GetAttr().SetInitial(2);
    ASSERT_TRUE(e->Create());
    EXPECT_EQ("6/8", TextOf(*e));
    TSpinner *s = e->GetSpinner();
    int exact = -1;
    e->SetWindowTextA("3/4");
    EXPECT_EQ(1, e->GetCurrentValue(&exact));
    EXPECT_EQ(1, exact);
    EXPECT_EQ(34, e->GetIndexedValue());
    e->SetWindowTextA("/");
    e->SendMessageA(WM_CHAR, '4', 1);  // typing ends in the arrows' check
    EXPECT_EQ(0, e->GetCurrentValue(&exact));
    EXPECT_EQ(0, exact);
    EXPECT_FALSE(s->IsButtonEnabled(0));
    EXPECT_FALSE(s->IsButtonEnabled(1));
    EXPECT_EQ(-1.0, e->GetAttr().GetInitial());
    e->SetWindowTextA("x");
    EXPECT_EQ(44, e->GetIndexedValue(&exact));  // no match: row 0
    e->SetWindowTextA("6/8");
    EXPECT_EQ(2, e->GetCurrentValue(&exact));
    e->SetValue(0, 1);
    e->SpinUp(5);
    EXPECT_EQ("6/8", TextOf(*e));
    EXPECT_FALSE(s->IsButtonEnabled(1));
    e->SpinDown(1);
    EXPECT_EQ("3/4", TextOf(*e));
    e->SetValue(7);  // outside: nothing shown
    EXPECT_EQ("3/4", TextOf(*e));
    HMENU menu = e->BuildPopupMenu();
    EXPECT_EQ(3, ::GetMenuItemCount(menu));
    EXPECT_TRUE(::GetMenuState(menu, 10001, MF_BYCOMMAND) & MF_CHECKED);
    ::DestroyMenu(menu);
    e->SendMessageA(WM_COMMAND, 10002);
    EXPECT_EQ("6/8", TextOf(*e));
    e->SendMessageA(WM_COMMAND, 10003);
    EXPECT_EQ("6/8", TextOf(*e));
    e->SetWindowTextA("4/");
    e->SendMessageA(WM_KILLFOCUS);
    EXPECT_EQ("4/", TextOf(*e));  // leaving keeps the text
}

TEST_F(SpinEditTest, ListWithoutTableAnswersZero) {
    TListSpinEdit *e = new TListSpinEdit(&host, 50100, "", 10, 10, 100, 22);
    e->AddString("Low");
    e->AddString("High");
    e->Create();
    e->SetWindowTextA("high");
    int exact;
    EXPECT_EQ(1, e->GetCurrentValue(&exact));
    EXPECT_EQ(1, exact);
    EXPECT_EQ(0, e->GetIndexedValue());
}

TEST_F(SpinEditTest, HelpOnTheArrowsNamesTheirEdit) {
    Dialog d(&host, 50000, &Exe());
    TRangeSpinEdit *e = new TRangeSpinEdit(&d, 50010, 0, &Exe());
    ASSERT_TRUE(d.Create());
    TSpinner *s = e->GetSpinner();
    ASSERT_TRUE(s->GetHandle());
    HELPINFO info = {sizeof info, HELPINFO_WINDOW, 999, s->GetHandle(), 0, {0, 0}};
    d.SendMessageA(WM_HELP, 0, (LPARAM)&info);
    EXPECT_EQ(50010, info.iCtrlId);
    HELPINFO plain = {sizeof plain, HELPINFO_WINDOW, IDOK, ::GetDlgItem(d.GetHandle(), IDOK), 0, {0, 0}};
    d.SendMessageA(WM_HELP, 0, (LPARAM)&plain);
    EXPECT_EQ(IDOK, plain.iCtrlId);
    d.Destroy();
}

namespace {
int menuSeen;
void CALLBACK CloseMenu(HWND, UINT, UINT_PTR id, DWORD) {
    ::KillTimer(0, id);
    HWND menu = ::FindWindowA("#32768", 0);
    menuSeen = menu && ::IsWindowVisible(menu);
    ::EndMenu();
}
}  // namespace

TEST_F(SpinEditTest, RightButtonOpensTheValueMenu) {
    TListSpinEdit *e = new TListSpinEdit(&host, 50100, "", 10, 10, 100, 22);
    e->AddString("one");
    e->AddString("two");
    e->Create();
    menuSeen = 0;
    UINT_PTR closer = ::SetTimer(0, 0, 100, &CloseMenu);
    UINT_PTR watchdog = ::SetTimer(0, 0, 5000, &CloseMenu);
    e->GetSpinner()->SendMessageA(WM_RBUTTONDOWN, 0, MAKELPARAM(3, 3));  // the arrows pass it on
    ::KillTimer(0, closer);
    ::KillTimer(0, watchdog);
    EXPECT_EQ(1, menuSeen);
}

TEST_F(SpinEditTest, HeldArrowStopsWhenItLosesTheMouse) {
    TRangeSpinEdit *e = Range();
    TSpinner *s = e->GetSpinner();
    e->SetValue(10);
    TPoint up = Centre(*s, 1);
    s->SendMessageA(WM_LBUTTONDOWN, 0, MAKELPARAM(up.x, up.y));
    ASSERT_EQ(1, s->GetPressedButton());
    ::SetCapture(host.GetHandle());  // a box or another window takes the mouse
    EXPECT_EQ(-1, s->GetPressedButton());
    EXPECT_FALSE(::KillTimer(s->GetHandle(), TSpinner::DelayTimer));  // no repeat left running
    EXPECT_EQ("10", TextOf(*e));
    ::ReleaseCapture();
    // disabling the edit mid-press stops it too
    s->SendMessageA(WM_LBUTTONDOWN, 0, MAKELPARAM(up.x, up.y));
    s->SendMessageA(WM_TIMER, TSpinner::DelayTimer);
    ASSERT_EQ(1, s->GetPressedButton());
    e->EnableWindow(false);
    EXPECT_EQ(-1, s->GetPressedButton());
    EXPECT_FALSE(::KillTimer(s->GetHandle(), TSpinner::RepeatTimer));
}
