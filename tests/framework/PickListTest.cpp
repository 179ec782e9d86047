// Picking one string: the pop-up menu driven with keys from a timer while it tracks,
// and the modal dialog driven from its set-up, each with a watchdog.
#include "controls/PickList.h"
#include "tests/framework/ControlHost.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {
// Keys for the menu while it tracks, one per tick; when they run out the menu is ended.
struct MenuScript {
    static std::vector<UINT> Keys;
    static HWND Target;
    static int Ticks;
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
        if (++Ticks > 40 || Keys.empty()) {
            ::EndMenu();
            return;
        }
        UINT key = Keys.front();
        Keys.erase(Keys.begin());
        ::PostMessageA(Target, WM_KEYDOWN, key, 1);
    }
};
std::vector<UINT> MenuScript::Keys;
HWND MenuScript::Target;
int MenuScript::Ticks;

class PickListPopupTest : public ControlHostTest {
protected:
    int Run(TPickListPopup &popup, std::vector<UINT> keys) {
        MenuScript::Keys = keys;
        MenuScript::Ticks = 0;
        MenuScript::Target = host.GetHandle();
        UINT_PTR timer = ::SetTimer(0, 0, 60, &MenuScript::Tick);
        int result = popup.Execute();
        ::KillTimer(0, timer);
        return result;
    }
    std::string ItemText(TPickListPopup &popup, HMENU menu, int pos) {
        return MenuItemText(menu, pos);
    }
};

}  // namespace

// The menu is protected; a derived class shows it to the tests.
namespace {
class OpenPopup : public TPickListPopup {
public:
    using TPickListPopup::TPickListPopup;
    HMENU Menu() { return Popup.GetHandle(); }
};
}  // namespace

TEST_F(PickListPopupTest, ChoosingAndDismissing) {
    OpenPopup popup(&host, (char const *)0);
    EXPECT_EQ(1, popup.AddString("alpha"));
    EXPECT_EQ(2, popup.AddString("beta"));
    EXPECT_EQ(2, ::GetMenuItemCount(popup.Menu()));
    EXPECT_EQ(-2, Run(popup, {VK_ESCAPE}));
    EXPECT_EQ(-2, popup.GetResult());
    EXPECT_EQ(0, Run(popup, {VK_DOWN, VK_RETURN}));
    EXPECT_EQ(1, Run(popup, {VK_DOWN, VK_DOWN, VK_RETURN}));
    EXPECT_EQ(1, popup.GetResult());
}

TEST_F(PickListPopupTest, TitleStaysAndCannotBeChosen) {
    OpenPopup popup(&host, "Pick a colour");
    popup.AddString("red");
    popup.AddString("green");
    HMENU menu = popup.Menu();
    ASSERT_EQ(4, ::GetMenuItemCount(menu));
    EXPECT_EQ("Pick a colour", ItemText(popup, menu, 0));
    EXPECT_TRUE(::GetMenuState(menu, 0, MF_BYPOSITION) & MF_GRAYED);
    EXPECT_TRUE(::GetMenuState(menu, 1, MF_BYPOSITION) & MF_SEPARATOR);
    EXPECT_EQ(-2, Run(popup, {VK_DOWN, VK_RETURN}));  // the title: nothing chosen
    EXPECT_EQ(0, Run(popup, {VK_DOWN, VK_DOWN, VK_RETURN}));

    popup.ClearStrings();
    ASSERT_EQ(2, ::GetMenuItemCount(menu));
    EXPECT_EQ("Pick a colour", ItemText(popup, menu, 0));
    EXPECT_TRUE(::GetMenuState(menu, 1, MF_BYPOSITION) & MF_SEPARATOR);
    EXPECT_EQ(1, popup.AddString("blue"));
    EXPECT_EQ("blue", ItemText(popup, menu, 2));

    // the title is loaded by the module the popup takes from its parent
    TModule &module = Exe();
    TWindow parent((TWindow *)0, "owner", &module);
    OpenPopup byId(&parent, 52050u);
    EXPECT_EQ("Choose one", ItemText(byId, byId.Menu(), 0));
    OpenPopup missing(&parent, 52051u);
    EXPECT_EQ(0, ::GetMenuItemCount(missing.Menu()));
    OpenPopup zero(&host, 0u);
    EXPECT_EQ(0, ::GetMenuItemCount(zero.Menu()));
}

namespace {
// Acts once the dialog is set up; a watchdog ends a run that nothing closed.
class DrivenPick : public TPickListDialog {
public:
    using TPickListDialog::TPickListDialog;
    std::function<void(DrivenPick &)> OnSetup;
    int SelectionAtSetup = -5;
    void SetupWindow() override {
        TPickListDialog::SetupWindow();
        SelectionAtSetup = List->GetSelIndex();
        ::SetTimer(GetHandle(), 7, 5000, 0);
        if (OnSetup)
            OnSetup(*this);
    }
    void EvTimer(WPARAM) { CloseWindow(-99); }
    TListBox &Box() { return *List; }
    DECLARE_RESPONSE_TABLE(DrivenPick);
};
DEFINE_RESPONSE_TABLE1(DrivenPick, TPickListDialog)
    EV_WM_TIMER,
END_RESPONSE_TABLE;

class PickListDialogTest : public ::testing::Test {
protected:
    TestApp app;
    TModule &module = Exe();
};
}  // namespace

TEST_F(PickListDialogTest, OkCancelAndDoubleClick) {
    struct Case {
        char const *name;
        int initial;
        std::function<void(DrivenPick &)> act;
        int result;
        int selectionAtSetup;
    } cases[] = {
        {"ok without a selection keeps the initial one", -1, [](DrivenPick &d) { PostCommand(d, IDOK); }, -1, -1},
        {"ok with the initial selection", 1, [](DrivenPick &d) { PostCommand(d, IDOK); }, 1, 1},
        {"ok after choosing", 0,
         [](DrivenPick &d) {
             d.Box().SetSelIndex(2);
             PostCommand(d, IDOK);
         },
         2, 0},
        {"cancel", 1, [](DrivenPick &d) { PostCommand(d, IDCANCEL); }, -2, 1},
        {"double click", 0,
         [](DrivenPick &d) {
             d.Box().SetSelIndex(1);
             d.PostMessageA(WM_COMMAND, MAKEWPARAM(101, LBN_DBLCLK), LPARAM(d.Box().GetHandle()));
         },
         1, 0},
        {"an initial selection past the end", 7, [](DrivenPick &d) { PostCommand(d, IDOK); }, 7, -1},
    };
    for (Case &c : cases) {
        SCOPED_TRACE(c.name);
        DrivenPick dialog(0, 0, c.initial, 0, "Pick a file", 0);
        for (char const *t : {"one", "two", "three"})
            EXPECT_EQ(1, dialog.AddString(t));
        dialog.OnSetup = c.act;
        EXPECT_EQ(c.result, dialog.Execute());
        EXPECT_EQ(c.selectionAtSetup, dialog.SelectionAtSetup);
        if (c.result != -2)
            EXPECT_EQ(c.result, dialog.GetResult());
        else
            EXPECT_EQ(c.initial, dialog.GetResult());  // cancel leaves the result alone
    }
}

TEST_F(PickListDialogTest, CallersStringsTemplateAndCaption) {
    TStringArray strings(4, 1, 4);  // counted from 1
    strings.Add(String("first"));
    strings.Add(String("second"));
    {
        DrivenPick dialog(0, &strings, -1, 52002, 0, &module);
        std::string caption;
        int count = 0;
        dialog.OnSetup = [&](DrivenPick &d) {
            caption = TextOf(d);
            d.AddString("third");  // the window exists: the list gets it too
            count = d.Box().GetCount();
            d.Box().SetSelIndex(1);
            PostCommand(d, IDOK);
        };
        EXPECT_EQ(2, dialog.Execute());  // index 1 counted from the lower bound 1
        EXPECT_EQ("Template caption", caption);
        EXPECT_EQ(3, count);
    }
    EXPECT_EQ(3u, strings.GetItemsInContainer());  // not owned: still here

    DrivenPick cleared(0, 0, 0, 0, "Titled", 0);
    cleared.AddString("gone");
    cleared.ClearStrings();
    int count = -1;
    std::string caption;
    cleared.OnSetup = [&](DrivenPick &d) {
        count = d.Box().GetCount();
        caption = TextOf(d);
        d.AddString("late");
        d.ClearStrings();
        count += 10 * d.Box().GetCount();
        PostCommand(d, IDCANCEL);
    };
    EXPECT_EQ(-2, cleared.Execute());
    EXPECT_EQ(0, count);
    EXPECT_EQ("Titled", caption);
}
