// Dialogs: values kept per control across openings, enabling rules by control id,
// nested modal runs, placement. Modal runs are driven from the application's idle calls
// under a watchdog.
#include "tests/framework/TestKit.h"
#include "tests/framework/TestApp.h"

#include "controls/Button.h"
#include "controls/ComboBox.h"
#include "controls/Dialog.h"
#include "controls/DialogItem.h"
#include "core/FrameWindow.h"
#include "manager/MainFrame.h"

#include "malvane/Malvane.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>

namespace {

enum { ValuesTemplate = 44000, InnerTemplate = 44001 };
enum { Name = 44010, Loud = 44011, Label = 44012, Low = 44013, Mid = 44014, High = 44015, Choice = 44016,
       Apply = 44017, Never = 950, NeverBox = 951, InnerEdit = 44020 };

// The application's main window, open: what modal runs disable.
TFrameWindow *OpenMainWindow(TestApp &app) {
    TFrameWindow *main = new TFrameWindow(0, "main");
    app.SetMainWindow(main);
    main->Create();
    return main;
}

// Every kind of value, seeded in the constructor as a program's dialog does.
class ValuesDialog : public Dialog {
public:
    explicit ValuesDialog(TWindow *parent = 0) : TWindow(parent, 0, &Exe()), Dialog(parent, ValuesTemplate, &Exe()) {
        CreateEditControl(Name, "preset", 40);
        CreateCheckBox(Loud, 1);
        CreateStaticControl(Label, "shown");
        SetRadioGroup(this, Low, 3, 20, 10, 20, 30);
        CreateCombo(this, Choice, 3, 200L, "a", 100L, "b", 200L, "c", 300L);
        CreateEditControl(Never, "kept", 40);
        CreateCheckBox(NeverBox, 1);
    }
    HWND Item(int id) const { return ::GetDlgItem(GetHandle(), id); }
};

TEST(Dialog, ValuesShowWhenItOpensAndComeBackOnlyOnOk) {
    TestApp app;
    for (int answer : {IDOK, IDCANCEL}) {
        ValuesDialog d;
        std::string seen;
        app.Idle = [&](long) {
            if (!d.GetHandle() || !seen.empty())
                return 0;
            seen = TextOf(d.Item(Name)) + "|" + std::to_string(::IsDlgButtonChecked(d, Loud)) + "|" +
                   TextOf(d.Item(Label)) + "|" + std::to_string(::IsDlgButtonChecked(d, Mid)) + "|" +
                   std::to_string(::SendMessageA(d.Item(Choice), CB_GETCURSEL, 0, 0)) + "|" +
                   TextOf(d.Item(Never)) + "|" + std::to_string(::IsDlgButtonChecked(d, NeverBox));
            // the user's input
            ::SetWindowTextA(d.Item(Name), "typed");
            ::CheckDlgButton(d, Loud, 0);
            ::SetWindowTextA(d.Item(Label), "relabelled");
            ::CheckRadioButton(d, Low, High, High);
            ::SendMessageA(d.Item(Choice), CB_SETCURSEL, 2, 0);
            ::SetWindowTextA(d.Item(Never), "typed too");
            PostCommand(d, answer);
            return 0;
        };
        Watchdog watchdog;
        EXPECT_EQ(answer, d.Execute());
        EXPECT_EQ("preset|1|shown|1|1||0", seen);  // 950 and 951 keep the template's state
        bool ok = answer == IDOK;
        EXPECT_EQ(ok ? "typed" : "preset", std::string(d.GetText(Name).c_str()));
        EXPECT_EQ(ok ? 0 : 1, d.IsChecked(Loud));
        EXPECT_EQ("shown", std::string(d.GetText(Label).c_str()));  // a static is never read back
        EXPECT_EQ(ok ? 30 : 20, d.QueryRadioGroup(Low));
        EXPECT_EQ(ok ? 300 : 200, d.GetComboValue(Choice));
        EXPECT_EQ("kept", std::string(d.GetText(Never).c_str()));
        EXPECT_EQ(1, d.IsChecked(NeverBox));
        EXPECT_FALSE(d.GetHandle());
    }
}

TEST(Dialog, RadioGroupsAndCombosWithoutAMatch) {
    TestApp app;
    ValuesDialog d;
    Dialog::SetRadioGroup(&d, Low, 3, 99, 10, 20, 30);  // no value is the key
    EXPECT_EQ(10, d.QueryRadioGroup(Low));               // the first button's value
    EXPECT_EQ(77, d.QueryRadioGroup(Low, 1, 77));        // or the default asked for
    EXPECT_EQ(0u, d.GetRadioChecked(Low, High));
    d.ResetRadioGroup(Low, 30);
    EXPECT_EQ(unsigned(High), d.GetRadioChecked(Low, High));
    EXPECT_EQ(30, d.QueryRadioGroup(Low, 1, 77));
    // a group set up shorter and then longer again ends at its new last button
    Dialog::SetRadioGroup(&d, Low, 2, 20, 10, 20);
    Dialog::SetRadioGroup(&d, Low, 3, 30, 10, 20, 30);
    EXPECT_EQ(30, d.QueryRadioGroup(Low));

    Dialog::CreateCombo(&d, Choice, 2, 5L, "x", 1L, "y", 2L);
    EXPECT_EQ(-1, d.GetComboValue(Choice));
    ASSERT_TRUE(d.Create());
    EXPECT_EQ(-1, (int)::SendMessageA(d.Item(Choice), CB_GETCURSEL, 0, 0));
    EXPECT_EQ(-1, d.GetComboValue(Choice, 1));
    ::SendMessageA(d.Item(Choice), CB_SETCURSEL, 1, 0);
    EXPECT_EQ(2, d.GetComboValue(Choice, 1));
    // values set with now reach the open controls at once, getters with now read them
    d.SetText(Name, "at once", 1);
    EXPECT_EQ("at once", TextOf(d.Item(Name)));
    ::SetWindowTextA(d.Item(Name), "from the user");
    EXPECT_EQ("at once", std::string(d.GetText(Name).c_str()));
    EXPECT_EQ("from the user", std::string(d.GetText(Name, 1).c_str()));
    EXPECT_EQ(13, d.GetTextLength(Name));
    EXPECT_EQ(0, d.GetTextLength(Apply));  // not wrapped
    d.Destroy();
}

// Setting a combo up again refills its one wrapper, which still shows the new values.
TEST(Dialog, AComboSetUpTwiceKeepsOneWrapper) {
    TestApp app;
    ValuesDialog d;
    Dialog::CreateCombo(&d, Choice, 2, 7L, "x", 6L, "y", 7L);
    int wrappers = 0;
    for (TWindow *child = d.GetFirstChild(); child; child = child == d.GetLastChild() ? 0 : child->Next())
        wrappers += child->GetId() == Choice;
    EXPECT_EQ(1, wrappers);
    ASSERT_TRUE(d.Create());
    EXPECT_EQ(2, (int)::SendMessageA(d.Item(Choice), CB_GETCOUNT, 0, 0));
    EXPECT_EQ(7, d.GetComboValue(Choice, 1));
    d.Destroy();
}

TEST(Dialog, ReopenedObjectOpensWhereItWasLeftANewOneByItsCentreMode) {
    TestApp app;
    ValuesDialog d;
    TPoint corner(100, 120);
    d.SetPosition(kTopLeftAtPoint, &corner);
    ASSERT_TRUE(d.Create());
    EXPECT_EQ(1, d.WasCenteredAtOpen());
    EXPECT_EQ(TPoint(100, 120), d.GetWindowRect().TopLeft());
    d.SetWindowPos(0, 37, 41, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    d.Destroy();
    ASSERT_TRUE(d.Create());
    EXPECT_EQ(0, d.WasCenteredAtOpen());
    EXPECT_EQ(TPoint(37, 41), d.GetWindowRect().TopLeft());
    EXPECT_EQ(ValuesTemplate, d.GetId());  // its window id stays its template id
    d.Destroy();

    ValuesDialog fresh;
    fresh.SetPosition(kTopLeftAtPoint, &corner);
    ASSERT_TRUE(fresh.Create());
    EXPECT_EQ(1, fresh.WasCenteredAtOpen());
    EXPECT_EQ(TPoint(100, 120), fresh.GetWindowRect().TopLeft());
    fresh.Destroy();
}

TEST(Dialog, RollUpBoldControlsHelpButtonAndIdleCalls) {
    TestApp app;
    ValuesDialog d;
    int enablers = FrameWindow::_idleEnablers.GetCount();
    ASSERT_TRUE(d.Create());
    EXPECT_EQ(enablers + 1, FrameWindow::_idleEnablers.GetCount());  // no frame parent: idle calls asked
    EXPECT_TRUE(d.GetExStyle() & WS_EX_CONTEXTHELP);
    EXPECT_EQ(ValuesTemplate, d.GetId());
    EXPECT_FALSE(::GetMenu(d.GetHandle()));  // a pop-up keeps its id off the window: there it would be a menu

    TRect open = d.GetWindowRect();
    d.SendMessageA(WM_NCLBUTTONDBLCLK, HTCLIENT, 0);
    EXPECT_EQ(open, d.GetWindowRect());
    d.SendMessageA(WM_NCLBUTTONDBLCLK, HTCAPTION, 0);
    TRect rolled = d.GetWindowRect();
    EXPECT_EQ(open.TopLeft(), rolled.TopLeft());
    EXPECT_EQ(open.Width(), rolled.Width());
    EXPECT_GE(rolled.Height(), ::GetSystemMetrics(SM_CYCAPTION));
    EXPECT_LT(rolled.Height(), open.Height() / 2);
    d.SendMessageA(WM_NCLBUTTONDBLCLK, HTCAPTION, 0);
    EXPECT_EQ(open, d.GetWindowRect());

    d.SetBoldFontForControl(Label);
    HFONT bold = (HFONT)::SendMessageA(d.Item(Label), WM_GETFONT, 0, 0);
    LOGFONTA look;
    ASSERT_TRUE(::GetObjectA(bold, sizeof look, &look));
    EXPECT_EQ(FW_BOLD, look.lfWeight);
    d.SetBoldFontForControl(Name);  // one font for all
    EXPECT_EQ(bold, (HFONT)::SendMessageA(d.Item(Name), WM_GETFONT, 0, 0));
    d.Destroy();
    EXPECT_EQ(enablers, FrameWindow::_idleEnablers.GetCount());
}

// Rules by control id: the name is enabled on demand, the loud box checked, the button
// relabelled, and a label offered a check keeps what it shows.
class RulesDialog : public ValuesDialog {
public:
    void CeName(TCommandEnabler &ce) {
        ++asked;
        ce.Enable(nameEnabled);
    }
    void CeLoud(TCommandEnabler &ce) { ce.SetCheck(BST_CHECKED); }
    void CeApply(TCommandEnabler &ce) {
        ce.SetText("Run");
        ce.SetCheck(BST_CHECKED);  // a push button has no check
    }
    void CeLabel(TCommandEnabler &ce) {
        ce.SetCheck(BST_CHECKED);
        ce.SetText("rule text");
    }
    int nameEnabled = 1;
    int asked = 0;
    DECLARE_RESPONSE_TABLE(RulesDialog);
};

DEFINE_RESPONSE_TABLE1(RulesDialog, Dialog)
    EV_CONTROL_ENABLE(Name, CeName),
    EV_CONTROL_ENABLE(Loud, CeLoud),
    EV_CONTROL_ENABLE(Apply, CeApply),
    EV_CONTROL_ENABLE(Label, CeLabel),
END_RESPONSE_TABLE;

TEST(Dialog, RulesRunPerControlIdAndDisablingTheFocusKeepsItInTheDialog) {
    TestApp app;
    RulesDialog d;
    d.CreateButton(Apply);
    d.SetCheck(Loud, 0);
    ASSERT_TRUE(d.Create());
    d.Show(SW_SHOW);  // activation runs the rules
    EXPECT_GE(d.asked, 1);
    EXPECT_EQ(BST_CHECKED, (int)::IsDlgButtonChecked(d, Loud));
    EXPECT_EQ("Run", TextOf(d.Item(Apply)));
    EXPECT_EQ(0, (int)::SendMessageA(d.Item(Apply), BM_GETSTATE, 0, 0) & BST_CHECKED);
    EXPECT_EQ("rule text", TextOf(d.Item(Label)));
    EXPECT_TRUE(::IsWindowEnabled(d.Item(Name)));

    ::SetFocus(d.Item(Name));
    ASSERT_EQ(d.Item(Name), ::GetFocus());
    d.nameEnabled = 0;
    int before = d.asked;
    EXPECT_EQ(0, d.IdleAction(1));  // only the first idle call after messages runs them
    EXPECT_EQ(before, d.asked);
    EXPECT_EQ(0, d.IdleAction(0));
    EXPECT_EQ(before + 1, d.asked);
    EXPECT_FALSE(::IsWindowEnabled(d.Item(Name)));
    // the dialog took it back (and the dialog manager handed it on to its next control)
    HWND focus = ::GetFocus();
    EXPECT_TRUE(focus == d.GetHandle() || ::IsChild(d.GetHandle(), focus));
    EXPECT_NE(d.Item(Name), focus);

    // a frame's size broadcast under the same number is no enabling query
    TSize size(10, Name);
    d.SendMessageA(WM_CONTROLENABLE, 0, (LPARAM)&size);
    EXPECT_EQ(before + 1, d.asked);
    d.Destroy();
}

// The outer dialog opens the inner one from its Apply button.
class OuterDialog : public ValuesDialog {
public:
    explicit OuterDialog(TWindow *parent) : TWindow(parent, 0, &Exe()), ValuesDialog(parent) {}
    void CmApply() {
        inner = new Dialog(Parent, InnerTemplate, &Exe());
        innerResult = inner->Execute();
        afterInner = std::to_string(IsWindowEnabled()) + std::to_string(Parent->IsWindowEnabled()) +
                     std::to_string(Dialog::HasDisabledTopWindows());
        PostCommand(*this, IDOK);
    }
    Dialog *inner = 0;
    int innerResult = 0;
    std::string afterInner;
    DECLARE_RESPONSE_TABLE(OuterDialog);
};

DEFINE_RESPONSE_TABLE1(OuterDialog, ValuesDialog)
    EV_COMMAND(Apply, CmApply),
END_RESPONSE_TABLE;

TEST(Dialog, NestedModalRunsReenableOnlyTheWindowsTheyDisabled) {
    TestApp app;
    TFrameWindow *main = OpenMainWindow(app);
    ASSERT_TRUE(main->GetHandle());
    HWND edit = ::CreateWindowA("EDIT", "", WS_CHILD | WS_VISIBLE, 0, 0, 80, 20, main->GetHandle(), 0, 0, 0);
    TWindow *palette = new TWindow(main, "palette");
    palette->Attr.Style = WS_POPUP | WS_VISIBLE;
    ASSERT_TRUE(palette->Create());
    ::SetFocus(edit);
    ASSERT_EQ(edit, ::GetFocus());

    OuterDialog *outer = new OuterDialog(main);
    std::string inOuter, inInner;
    app.Idle = [&](long n) {
        if (n)
            return 0;
        if (outer->inner && outer->inner->GetHandle() && inInner.empty()) {
            inInner = std::to_string(outer->IsWindowEnabled()) + std::to_string(main->IsWindowEnabled()) +
                      std::to_string(palette->IsWindowEnabled());
            PostCommand(*outer->inner, IDOK);
        } else if (!outer->inner && outer->GetHandle() && inOuter.empty()) {
            inOuter = std::to_string(main->IsWindowEnabled()) + std::to_string(palette->IsWindowEnabled()) +
                      std::to_string(Dialog::HasDisabledTopWindows()) + std::to_string(outer->IsModalDialog());
            PostCommand(*outer, Apply);
        }
        return 0;
    };
    Watchdog watchdog;
    EXPECT_EQ(IDOK, outer->Execute());
    EXPECT_EQ("0011", inOuter);  // the frame and its pop-up are off
    EXPECT_EQ("000", inInner);   // the outer dialog too
    EXPECT_EQ(IDOK, outer->innerResult);
    EXPECT_EQ("101", outer->afterInner);  // the outer dialog back, the frame still off
    EXPECT_TRUE(main->IsWindowEnabled());
    EXPECT_TRUE(palette->IsWindowEnabled());
    EXPECT_FALSE(Dialog::HasDisabledTopWindows());
    EXPECT_EQ(edit, ::GetFocus());  // the focus is back where it was before the run
    EXPECT_EQ(outer, Dialog::FindWithId(main, ValuesTemplate));
    EXPECT_EQ(0, outer->IsModalDialog());
}

TEST(Dialog, ARunThatCannotOpenEndsWithMinusOneAndLeavesNothingDisabled) {
    TestApp app;
    TFrameWindow *main = OpenMainWindow(app);
    ASSERT_TRUE(main->GetHandle());
    Dialog *missing = new Dialog(main, 44999, &Exe());
    EXPECT_EQ(-1, missing->Execute());
    EXPECT_TRUE(main->IsWindowEnabled());
    EXPECT_FALSE(Dialog::HasDisabledTopWindows());
    EXPECT_EQ(0, missing->IsModalDialog());
}

// A quit during a run ends it with the quit's code; the outer loop still gets the quit
// and is not ended a second time by the run.
TEST(Dialog, AQuitEndsTheRunAndStillReachesTheOuterLoop) {
    TestApp app;
    TFrameWindow *main = OpenMainWindow(app);
    ASSERT_TRUE(main->GetHandle());
    ValuesDialog *d = new ValuesDialog(main);
    bool posted = false;
    app.Idle = [&](long n) {
        if (!n && d->GetHandle() && !posted) {
            posted = true;
            ::PostQuitMessage(7);
        }
        return 0;
    };
    Watchdog watchdog;
    EXPECT_EQ(7, d->Execute());
    EXPECT_FALSE(d->GetHandle());
    EXPECT_TRUE(main->IsWindowEnabled());
    EXPECT_FALSE(Dialog::HasDisabledTopWindows());
    app.Idle = nullptr;
    EXPECT_EQ(7, app.RunLoop());
}

// A dialog deleted with its window open leaves no idle registration behind.
TEST(Dialog, DeletedWhileOpenLeavesNoIdleCallsBehind) {
    TestApp app;
    int enablers = FrameWindow::_idleEnablers.GetCount();
    ValuesDialog *d = new ValuesDialog;
    ASSERT_TRUE(d->Create());
    d->SetBoldFontForControl(Label);
    EXPECT_EQ(enablers + 1, FrameWindow::_idleEnablers.GetCount());
    delete d;
    EXPECT_EQ(enablers, FrameWindow::_idleEnablers.GetCount());
}

TEST(DialogItem, ValuesCopiesAndTheirHeap) {
    long blocks = DialogItem::GetHeap().BlockCount();
    {
        TestApp app;
        ValuesDialog d;
        EXPECT_GT(DialogItem::GetHeap().BlockCount(), blocks);
        DialogItem &item = d.FindItem(44100);
        EXPECT_TRUE(d.ExistItem(44100));
        EXPECT_FALSE(d.ExistItem(44101));
        EXPECT_EQ(44100, item.GetId());
        item.SetLong(-42);
        EXPECT_STREQ("-42", item.GetTextPtr());
        item.SetText("17 dB");
        EXPECT_EQ(17, item.GetLong());

        DialogItem &combo = d.FindItem(Choice);
        DialogItem *copy = new DialogItem(combo);
        copy->AttachValue(0, 999);
        EXPECT_EQ(100, combo.GetAttachedValue(0));  // the copy has values of its own
        EXPECT_NE(combo.GetTransferBuffer(), copy->GetTransferBuffer());
        EXPECT_EQ(-1, copy->GetAttachedValue(3));   // past the values
        delete copy;
    }
    EXPECT_EQ(blocks, DialogItem::GetHeap().BlockCount());
    EXPECT_STREQ("DialogItemHeap", DialogItem::GetHeap().Name());
}

TEST(DialogItem, ControlTypeFromTheClassName) {
    struct Case {
        char const *className;
        DialogItem::ControlType type;
    } const cases[] = {
        {"button", DialogItem::Button},   {"Edit", DialogItem::Edit},       {"COMBOBOX", DialogItem::ComboBox},
        {"ListBox", DialogItem::ListBox}, {"static", DialogItem::Static},   {"ScrollBar", DialogItem::ScrollBar},
        {"msctls_progress32", DialogItem::Other},
    };
    ::InitCommonControls();
    for (Case const &c : cases) {
        HWND w = ::CreateWindowA(c.className, "", WS_POPUP, 0, 0, 10, 10, 0, 0, 0, 0);
        ASSERT_TRUE(w) << c.className;
        EXPECT_EQ(c.type, DialogItem::GetControlType(w)) << c.className;
        ::DestroyWindow(w);
    }
}

}  // namespace
