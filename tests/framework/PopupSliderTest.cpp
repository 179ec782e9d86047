// The pop-up slider of spin edits, driven with the messages its sliders send: which
// sliders it builds, what they show, how moving them sets the edit, where it opens and
// how it closes.
#include "tests/framework/ControlHost.h"
#include "tests/framework/SpinEditMaker.h"

#include "controls/PopupSlider.h"
#include "controls/SpinEdit.h"

#include "foundation/Config.h"
#include "core/DrawHelpers.h"

#include <gtest/gtest.h>

#include <string>

namespace {
class App : public TestApp {
public:
    using TApplication::DeleteCondemned;
};

class Host : public ControlHost {
public:
    Host() : ControlHost("popups", 400, 300, 300, 200) {}
};

// A slider's notification, as the slider itself sends it to the pop-up.
void Send(PopupSlider &p, Slider &s, int code, int pos) {
    p.SendMessageA(p.IsVertical() ? WM_VSCROLL : WM_HSCROLL, MAKEWPARAM(code, pos), (LPARAM)s.GetHandle());
}

BOOL CALLBACK FindPopup(HWND top, LPARAM found) {
    if (HWND child = ::FindWindowExA(top, 0, "PopupSlider", 0))
        *(PopupSlider **)found = dynamic_cast<PopupSlider *>(::GetWindowPtr(child));
    return *(PopupSlider **)found == 0;
}

// The pop-up this thread has open, if any.
PopupSlider *OpenPopup() {
    PopupSlider *found = 0;
    ::EnumThreadWindows(::GetCurrentThreadId(), &FindPopup, (LPARAM)&found);
    return found;
}

int changed;
int ended;
void OnChange(int v) { changed = v; }
void OnEnd() { ended++; }

class PopupSliderTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(host.Create());
        PopupSlider::_horizontal = 0;
    }
    void TearDown() override { Settle(); }
    TRangeSpinEdit *Range(double low, double high, char const *format = 0) {
        return MakeRangeSpinEdit(host, 50500, 150, 80, low, high, format);
    }
    // Lets posted closes run and the closed frames go.
    void Settle() {
        App::Drain();
        app.DeleteCondemned();
    }
    App app;
    Host host;
};
}  // namespace

TEST_F(PopupSliderTest, OneSliderOverTheRangeOrTheEntries) {
    TRangeSpinEdit *e = Range(-20, 80);
    e->SetValue(30);
    PopupSlider range(e, 0, 1);
    ASSERT_EQ(1, range.GetSliderCount());
    Slider *s = range.GetSlider(0);
    EXPECT_EQ(-20, s->GetBaseOffset());
    EXPECT_EQ(100, s->GetRangeLength());
    EXPECT_EQ(30, s->GetValue());
    EXPECT_EQ(PopupSlider::MasterId, s->GetId());
    EXPECT_EQ(1, range.IsVertical());
    EXPECT_NE(nullptr, dynamic_cast<VerticalSlider *>(s));
    PopupSlider flat(e, 1, 1);
    EXPECT_NE(nullptr, dynamic_cast<HorizontalSlider *>(flat.GetSlider(0)));
    e->GetAttr().SetRange(5, 5);  // an empty range still gets a step
    PopupSlider empty(e, 0, 1);
    EXPECT_EQ(1, empty.GetSlider(0)->GetRangeLength());

    TListSpinEdit *list = new TListSpinEdit(&host, 50501, "", 10, 10, 80, 22);
    list->AddString("a");
    list->AddString("b");
    list->AddString("c");
    list->Create();
    list->SetValue(1);
    PopupSlider entries(list, 0, 1);
    EXPECT_EQ(0, entries.GetSlider(0)->GetBaseOffset());
    EXPECT_EQ(2, entries.GetSlider(0)->GetRangeLength());
    EXPECT_EQ(1, entries.GetSlider(0)->GetValue());
    TListSpinEdit *none = new TListSpinEdit(&host, 50502, "", 10, 40, 80, 22);
    none->Create();
    PopupSlider nothing(none, 0, 1);  // no entries: still a slider of one step
    EXPECT_EQ(1, nothing.GetSlider(0)->GetRangeLength());
}

TEST_F(PopupSliderTest, FineSlidersShowTheirDigits) {
    TRangeSpinEdit *e = Range(0, 10, ".3");
    e->GetAttr().AddSlider(0, 9, 0.001, Slider::Default);
    e->GetAttr().AddSlider(0, 9, 0.01, Slider::Default);
    e->SetValue(1.234);
    PopupSlider p(e, 0, 0);
    ASSERT_EQ(2, p.GetSliderCount());
    EXPECT_EQ(0.01, p.GetDescription(0)->scale);
    EXPECT_EQ(3, p.GetPositionFromValue(0));
    EXPECT_EQ(4, p.GetPositionFromValue(1));
    EXPECT_EQ(3, p.GetSlider(0)->GetValue());
    EXPECT_EQ(PopupSlider::FirstFineId, p.GetSlider(0)->GetId());
    EXPECT_EQ(PopupSlider::FirstFineId + 1, p.GetSlider(1)->GetId());
    // whole steps: the value's multiple of the scale, wrapped by the slider's range
    TRangeSpinEdit *whole = Range(-50, 50);
    whole->GetAttr().AddSlider(-5, 5, 10, Slider::Default);
    whole->GetAttr().AddSlider(0, 9, 1, Slider::Default);
    whole->SetValue(-37);
    PopupSlider q(whole, 0, 0);
    EXPECT_EQ(7, q.GetPositionFromValue(0));  // |-37| mod 10
    EXPECT_EQ(-3, q.GetPositionFromValue(1));  // a negative low keeps the sign
}

TEST_F(PopupSliderTest, AutoCustomSkipsSlidersTooCoarseForTheRange) {
    TRangeSpinEdit *e = Range(0, 10, ".3");
    e->GetAttr().AddSlider(0, 9, 0.001, Slider::Default);
    e->GetAttr().AddSlider(0, 9, 2.0, Slider::Default);
    PopupSlider strict(e, 0, 1);
    ASSERT_EQ(1, strict.GetSliderCount());
    EXPECT_EQ(0.001, strict.GetDescription(0)->scale);
    PopupSlider all(e, 0, 0);  // without autoCustom every description makes a slider
    EXPECT_EQ(2, all.GetSliderCount());
    e->GetAttr().SetFittingRule(1);
    PopupSlider loose(e, 0, 1);
    ASSERT_EQ(2, loose.GetSliderCount());
    EXPECT_EQ(5, loose.GetDescription(0)->high);  // fitted: 10 / 2
    EXPECT_EQ(0, loose.GetDescription(0)->low);
}

TEST_F(PopupSliderTest, MasterAndFineSlidersSetTheEdit) {
    TRangeSpinEdit *e = Range(0, 10, ".3");
    e->GetAttr().AddSlider(0, 9, 0.001, Slider::Default);
    e->GetAttr().AddSlider(0, 9, 0.01, Slider::Default);
    e->GetAttr().AddSlider(0, 9, 0.1, Slider::Default);
    e->GetAttr().AddMasterSlider(Slider::Default);
    e->SetValue(2.5);
    PopupSlider *p = PopupSlider::CreateInstance(e, 0, 1);
    ASSERT_TRUE(p && p->GetHandle());
    ASSERT_EQ(4, p->GetSliderCount());
    // opened left of the edit: the master stands last, next to it
    EXPECT_EQ(3, p->GetMasterIndex());
    Slider *master = p->GetSlider(3);
    EXPECT_EQ(PopupSlider::MasterId, master->GetId());
    EXPECT_EQ(100, p->GetDescription(0)->high);  // the first fine slider fitted to tenths
    EXPECT_EQ(p->GetSlider(3)->GetHandle(), ::GetFocus());
    TRect edit = e->GetWindowRect(), popup = p->GetWindowRect();
    EXPECT_LT(popup.right, edit.left);
    EXPECT_EQ(popup.right, edit.left - GetDialogUnitsX(6));
    EXPECT_LT(popup.top, edit.top);
    EXPECT_GT(popup.bottom, edit.bottom);
    int gap = GetDialogUnitsX(2);
    EXPECT_EQ(gap + 1, p->GetSlider(0)->GetWindowRect().left - popup.left);
    EXPECT_EQ(popup.Width(), (gap + 30) * 4 + gap + 4);

    Send(*p, *master, SB_THUMBTRACK, 10);
    EXPECT_EQ("10.000", TextOf(*e));
    EXPECT_EQ(5, p->GetSlider(0)->GetValue());  // the fine sliders wait for the end
    Send(*p, *master, SB_ENDSCROLL, 10);
    for (int i = 0; i < 3; i++)
        EXPECT_EQ(0, p->GetSlider(i)->GetValue()) << i;
    Send(*p, *p->GetSlider(1), SB_THUMBTRACK, 5);
    EXPECT_EQ("0.050", TextOf(*e));
    Send(*p, *p->GetSlider(0), SB_THUMBTRACK, 12);
    Send(*p, *p->GetSlider(2), SB_THUMBTRACK, 7);
    EXPECT_EQ("1.257", TextOf(*e));
    Send(*p, *p->GetSlider(2), SB_ENDSCROLL, 7);
    EXPECT_EQ(1, master->GetValue());
    Send(*p, *master, SB_THUMBTRACK, 0);
    EXPECT_EQ("0.000", TextOf(*e));
    // a key that reaches the pop-up closes it, frame and all
    HWND window = p->GetHandle(), frame = p->GetParentH();
    master->SendMessageA(WM_KEYDOWN, VK_ESCAPE, 1);
    Settle();
    EXPECT_FALSE(::IsWindow(window));
    EXPECT_FALSE(::IsWindow(frame));
}

TEST_F(PopupSliderTest, HorizontalSlidersOpenBelowWithTheMasterFirst) {
    TRangeSpinEdit *e = Range(0, 100);
    e->GetAttr().AddSlider(0, 9, 1, Slider::Color2);
    e->GetAttr().AddMasterSlider(Slider::Color4);
    e->GetAttr().UseHorizontalFaders(1);
    e->GetAttr().SetShowMenu(0);
    e->SendMessageA(WM_RBUTTONDOWN, 0, MAKELPARAM(5, 5));
    PopupSlider *p = OpenPopup();
    ASSERT_TRUE(p);
    EXPECT_FALSE(p->IsVertical());
    EXPECT_EQ(0, p->GetMasterIndex());
    TRect edit = e->GetWindowRect(), popup = p->GetWindowRect();
    EXPECT_EQ(edit.bottom + GetDialogUnitsX(6), popup.top);
    EXPECT_NEAR((edit.left + edit.right) / 2, (popup.left + popup.right) / 2, 1);
    // the focus going elsewhere closes it
    HWND window = p->GetHandle();
    e->SetFocus();
    Settle();
    EXPECT_FALSE(::IsWindow(window));
}

TEST_F(PopupSliderTest, CallBackModeReportsValuesAndTheEnd) {
    changed = -1;
    ended = 0;
    PopupSlider *p = PopupSlider::CreateInstance(7, 0, 20, &OnChange, &OnEnd, 1);
    ASSERT_TRUE(p && p->GetHandle());
    ASSERT_EQ(1, p->GetSliderCount());
    EXPECT_EQ(7, p->GetSlider(0)->GetValue());
    TRect popup = p->GetWindowRect();
    EXPECT_NEAR(::GetSystemMetrics(SM_CXSCREEN) / 2, (popup.left + popup.right) / 2, 1);
    Send(*p, *p->GetSlider(0), SB_THUMBTRACK, 12);
    EXPECT_EQ(12, changed);
    p->SendMessageA(WM_SYSKEYDOWN, VK_MENU, 1);
    EXPECT_EQ(1, ended);
    Settle();
    EXPECT_EQ(1, ended);
}

TEST(PopupSliderPrefTest, HorizontalPreferenceIsStored) {
    Config config;
    PopupSlider::_horizontal = 0;
    PopupSlider::LoadPref(config);
    EXPECT_EQ(0, PopupSlider::_horizontal);
    PopupSlider::_horizontal = 1;
    PopupSlider::SavePref(config);
    PopupSlider::_horizontal = 0;
    PopupSlider::LoadPref(config);
    EXPECT_EQ(1, PopupSlider::_horizontal);
    PopupSlider::_horizontal = 0;
}
