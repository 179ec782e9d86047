// Roll-up dialogs: minimise and maximise roll, the system-menu entry toggles and follows
// the state, a dialog without a system menu still rolls.
#include "tests/framework/TestKit.h"
#include "tests/framework/TestApp.h"

#include "controls/RollUpDialog.h"

#include <gtest/gtest.h>

namespace {

enum { WithMenu = 51004, WithoutMenu = 51005 };

class Roll : public TRollDialog {
public:
    Roll(int resId, int animate, int expanded = 1)
        : TWindow(0, 0, &Exe()), TRollDialog(0, resId, animate, expanded, &Exe()) {}
    int Height() const { return GetWindowRect().Height(); }
    std::string MenuText() const {
        char text[32] = "";
        ::GetMenuStringA(GetSystemMenu(false), CmRollToggle, text, sizeof text, MF_BYCOMMAND);
        return text;
    }
    void Command(uint cmd) { HandleMessage(WM_SYSCOMMAND, cmd, 0); }
};

TEST(RollDialog, MinimiseAndMaximiseRollAndTheMenuFollows) {
    for (int animate : {0, 1}) {
        TestApp app;
        Roll d(WithMenu, animate);
        ASSERT_TRUE(d.Create());
        int full = d.Height();
        int client = d.GetClientRect().Height();
        EXPECT_EQ(1, d.HasMenuEntry());
        EXPECT_EQ("&Shrink", d.MenuText());
        d.Command(SC_MAXIMIZE);  // already expanded
        EXPECT_EQ(full, d.Height());
        d.Command(SC_MINIMIZE);
        EXPECT_EQ(0, d.IsExpanded());
        EXPECT_EQ(client + 1, d.GetRolledHeight());
        EXPECT_EQ(full - client - 1, d.Height());
        EXPECT_EQ("&Expand", d.MenuText());
        d.Command(SC_MINIMIZE);  // already rolled up
        EXPECT_EQ(full - client - 1, d.Height());
        d.Command(TRollDialog::CmRollToggle);
        EXPECT_EQ(full, d.Height());
        EXPECT_EQ("&Shrink", d.MenuText());
        d.Command(SC_RESTORE);
        EXPECT_EQ(0, d.IsExpanded());
        // a size change while rolled up: unrolling adds the remembered height to it
        TRect r = d.GetWindowRect();
        d.SetWindowPos(0, r.left, r.top, r.Width(), r.Height() + 5, SWP_NOZORDER | SWP_NOACTIVATE);
        d.Command(SC_MAXIMIZE);
        EXPECT_EQ(full + 5, d.Height());
        d.Destroy();
    }
}

TEST(RollDialog, WithoutASystemMenuItStillRolls) {
    TestApp app;
    Roll d(WithoutMenu, 0, 0);  // starts rolled up
    ASSERT_TRUE(d.Create());
    EXPECT_EQ(0, d.HasMenuEntry());
    EXPECT_EQ(0, d.IsExpanded());
    int rolled = d.Height();
    d.Command(SC_MAXIMIZE);
    EXPECT_EQ(rolled + d.GetRolledHeight(), d.Height());
    d.Destroy();
}

}  // namespace
