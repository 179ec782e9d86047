// Dialog windows from templates under Xvfb: modal runs driven from inside the dialog
// with a watchdog, modeless dialogs, values through a transfer buffer, failures and
// the enabling of controls while idle.
#include "tests/framework/TestKit.h"
#include "core/ControlEnabler.h"
#include "core/DialogWindow.h"
#include "core/Module.h"
#include "tests/framework/TestApp.h"
#include "core/XBase.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>

namespace {

enum { DlgMain = 41000, DlgNoFont = 41001, EdText = 41010, CbOption = 41011, BtApply = 41012, StLabel = 41013 };

// The text field's value in a transfer buffer: 32 characters.
class TextItem : public TWindow {
public:
    TextItem(TWindow *parent, int id) : TWindow(parent) {
        Attr.Id = id;
        SetFlag(wfFromResource);
        EnableTransfer();
    }
    uint Transfer(void *buffer, TTransferDirection direction) override {
        if (direction == tdGetData)
            GetWindowTextA((char *)buffer, 32);
        else if (direction == tdSetData)
            SetWindowTextA((char *)buffer);
        return 32;
    }
};

// Runs `OnInit` once the dialog is set up; a watchdog ends a modal run that nothing
// ended after five seconds with the result 99.
class DrivenDialog : public TDialog {
public:
    DrivenDialog(TWindow *parent, TResId id) : TDialog(parent, id, &Exe()) {}
    ~DrivenDialog() override { *deleted = true; }

    std::function<void(DrivenDialog &)> OnInit;
    int refuseClose = 0;
    bool deletedFlag = false;
    bool *deleted = &deletedFlag;
    std::string captionAtInit;
    int fontSeen = 0;

    int EvInitDialog(HWND focus) override {
        int result = TDialog::EvInitDialog(focus);
        captionAtInit = TextOf(HWindow);
        if (IsModal)
            watchdog = WatchDialog(HWindow);
        if (OnInit)
            OnInit(*this);
        return result;
    }
    int CanClose() override { return refuseClose ? 0 : TDialog::CanClose(); }
    int Destroy(int retVal) override {
        ++destroyCalls;
        return TDialog::Destroy(retVal);
    }
    int destroyCalls = 0;
    void CeApply(TCommandEnabler &ce) {
        ce.Enable(0);
        ce.SetText("Applied");
    }
    void CeOption(TCommandEnabler &ce) { ce.SetCheck(TCommandEnabler::Checked); }
    void EvSetFontSeen(WPARAM font, LPARAM redraw) {
        ++fontSeen;
        TDialog::EvSetFont(font, redraw);
    }
    using TDialog::RegisterChildObjects;

private:
    UINT_PTR watchdog = 0;

    DECLARE_RESPONSE_TABLE(DrivenDialog);
};
DEFINE_RESPONSE_TABLE1(DrivenDialog, TDialog)
    EV_COMMAND_ENABLE(BtApply, CeApply),
    EV_COMMAND_ENABLE(CbOption, CeOption),
    EV_MESSAGE(WM_SETFONT, EvSetFontSeen, v_WPARAM_LPARAM),
END_RESPONSE_TABLE;

// Gives the dialog a text field that transfers `buffer`; at set-up the dialog records
// what the field shows, types `typed` into it and presses `button`.
void TypeThenPress(DrivenDialog &dialog, char *buffer, std::string &shown, char const *typed, uint button) {
    new TextItem(&dialog, EdText);
    dialog.SetTransferBuffer(buffer);
    dialog.OnInit = [&shown, typed, button](DrivenDialog &d) {
        shown = TextOf(d.GetItemHandle(EdText));
        ::SetWindowTextA(d.GetItemHandle(EdText), typed);
        PostCommand(d, button);
    };
}

}  // namespace

TEST(TDialog, ModalRunReturnsTheButtonsResultAndKeepsTheTemplateCaption) {
    struct Case {
        uint button;
        int result;
    } cases[] = {{IDOK, IDOK}, {IDCANCEL, IDCANCEL}};
    for (Case const &c : cases) {
        DrivenDialog dialog(0, DlgMain);
        dialog.OnInit = [&](DrivenDialog &d) { PostCommand(d, c.button); };
        EXPECT_EQ(c.result, dialog.Execute());
        EXPECT_TRUE(dialog.GetIsModal());
        EXPECT_EQ("Template caption", dialog.captionAtInit);
        EXPECT_EQ(0, (int)(ULONG_PTR)dialog.GetHandle());
        EXPECT_FALSE(dialog.IsFlagSet(wfFullyCreated));
        EXPECT_EQ(1, dialog.fontSeen) << "the template's font reaches the table before set-up";
    }
}

TEST(TDialog, ConstructionMarksTheDialogAsMadeFromItsTemplate) {
    char name[] = "NAMED";
    DrivenDialog dialog(0, name);
    name[0] = 'X';  // the name is the dialog's own copy
    EXPECT_STREQ("NAMED", (char const *)dialog.GetDialogAttr().Name);
    EXPECT_EQ(TDialog::CaptionFromTemplate, dialog.GetTitle());
    EXPECT_TRUE(dialog.IsFlagSet(wfFromResource));
    EXPECT_FALSE(dialog.IsFlagSet(wfAutoCreate));
    EXPECT_FALSE(dialog.IsFlagSet(wfDeleteOnClose));
    EXPECT_EQ(0, dialog.GetDialogAttr().Param);
    EXPECT_FALSE(dialog.GetIsModal());
}

TEST(TDialog, ATemplateWithoutFontBindsOnItsFirstMessage) {
    DrivenDialog dialog(0, DlgNoFont);
    dialog.OnInit = [](DrivenDialog &d) {
        EXPECT_EQ(&d, GetWindowPtr(d.GetHandle()));
        PostCommand(d, IDOK);
    };
    EXPECT_EQ(IDOK, dialog.Execute());
    EXPECT_EQ("No font", dialog.captionAtInit);
    EXPECT_EQ(0, dialog.fontSeen);
}

TEST(TDialog, ValuesGoInAtSetUpAndComeBackOnlyOnOk) {
    for (uint button : {IDOK, IDCANCEL}) {
        char buffer[32] = "hello";
        DrivenDialog dialog(0, DlgMain);
        std::string shown;
        TypeThenPress(dialog, buffer, shown, "world", button);
        EXPECT_EQ(int(button), dialog.Execute());
        EXPECT_EQ("hello", shown);
        EXPECT_STREQ(button == IDOK ? "world" : "hello", buffer);
    }
}

TEST(TDialog, OkIsRefusedWhileTheDialogCannotClose) {
    DrivenDialog dialog(0, DlgMain);
    dialog.refuseClose = 1;
    bool stillOpen = false;
    dialog.OnInit = [&](DrivenDialog &d) {
        d.SendMessageA(WM_COMMAND, IDOK);
        stillOpen = d.destroyCalls == 0;
        PostCommand(d, IDCANCEL);  // cancelling does not ask
    };
    EXPECT_EQ(IDCANCEL, dialog.Execute());
    EXPECT_TRUE(stillOpen);
}

TEST(TDialog, AFailureDuringSetUpEndsTheRunAndComesBack) {
    for (bool modal : {true, false}) {
        DrivenDialog dialog(0, DlgMain);
        dialog.OnInit = [](DrivenDialog &) { throw TXWindow(0, IDS_CHILDCREATEFAIL); };
        try {
            modal ? dialog.Execute() : dialog.Create();
            ADD_FAILURE() << "no failure";
        } catch (TXWindow const &x) {
            EXPECT_EQ(uint(IDS_CHILDCREATEFAIL), x.GetErrorCode());
        }
        EXPECT_FALSE(TWindow::HasPendingException());
        EXPECT_EQ(0, (int)(ULONG_PTR)dialog.GetHandle()) << "no half-made dialog stays";
    }
}

TEST(TDialog, AModalDialogRunsAgainWithItsChildren) {
    char buffer[32] = "one";
    DrivenDialog dialog(0, DlgMain);
    std::string shown;
    TypeThenPress(dialog, buffer, shown, "two", IDOK);
    for (char const *expected : {"one", "two"}) {
        EXPECT_EQ(IDOK, dialog.Execute());
        EXPECT_EQ(expected, shown);
        EXPECT_STREQ("two", buffer);
    }
}

TEST(TDialog, AMissingTemplateRaisesTheWindowFailure) {
    struct Case {
        bool modal;
        uint code;
    } cases[] = {{true, IDS_WINDOWEXECUTEFAIL}, {false, IDS_WINDOWCREATEFAIL}};
    for (Case const &c : cases) {
        DrivenDialog dialog(0, 41999);
        try {
            c.modal ? dialog.Execute() : dialog.Create();
            ADD_FAILURE() << "no failure";
        } catch (TXWindow const &x) {
            EXPECT_EQ(c.code, x.GetErrorCode());
            EXPECT_EQ(&dialog, x.GetWindow());
        }
        EXPECT_EQ(0, (int)(ULONG_PTR)dialog.GetHandle());
    }
}

TEST(TDialog, ClassesThatCannotBeRegisteredRaiseTheirFailures) {
    // A window class or a child's class the system refuses.
    struct Unregistrable : TWindow {
        Unregistrable(TWindow *parent) : TWindow(parent) {}
        int Register() override { return 0; }
    };
    struct OwnClassDialog : DrivenDialog {
        OwnClassDialog() : DrivenDialog(0, DlgMain) {}
        int Register() override { return 0; }
    };
    for (bool modal : {true, false}) {
        DrivenDialog withChild(0, DlgMain);
        new Unregistrable(&withChild);
        OwnClassDialog ownClass;
        struct Case {
            TDialog *dialog;
            uint code;
        } cases[] = {{&withChild, IDS_CHILDREGISTERFAIL}, {&ownClass, IDS_CLASSREGISTERFAIL}};
        for (Case const &c : cases) {
            try {
                modal ? c.dialog->Execute() : c.dialog->Create();
                ADD_FAILURE() << "no failure";
            } catch (TXWindow const &x) {
                EXPECT_EQ(c.code, x.GetErrorCode());
            }
            EXPECT_EQ(0, (int)(ULONG_PTR)c.dialog->GetHandle());
        }
    }
}

TEST(TDialog, ModelessDialogOpensAndClosesWithItsButtons) {
    char buffer[32] = "start";
    DrivenDialog dialog(0, DlgMain);
    new TextItem(&dialog, EdText);
    dialog.SetTransferBuffer(buffer);
    ASSERT_EQ(1, dialog.Create());
    ASSERT_TRUE(dialog.IsWindow());
    EXPECT_FALSE(dialog.GetIsModal());
    EXPECT_TRUE(dialog.IsFlagSet(wfFullyCreated));
    EXPECT_EQ(&dialog, GetWindowPtr(dialog.GetHandle()));
    EXPECT_EQ("Template caption", TextOf(dialog.GetHandle()));
    EXPECT_EQ("start", TextOf(dialog.GetItemHandle(EdText)));

    ::SetWindowTextA(dialog.GetItemHandle(EdText), "typed");
    dialog.SendMessageA(WM_COMMAND, IDOK);
    EXPECT_EQ(0, (int)(ULONG_PTR)dialog.GetHandle());
    EXPECT_STREQ("typed", buffer) << "a modeless dialog hands its values back on OK too";

    // a second window from the same object; Cancel and the close box end it as well
    for (uint msg : {uint(WM_COMMAND), uint(WM_CLOSE)}) {
        ASSERT_EQ(1, dialog.Create());
        dialog.SendMessageA(msg, msg == WM_COMMAND ? IDCANCEL : 0);
        EXPECT_EQ(0, (int)(ULONG_PTR)dialog.GetHandle());
    }
    EXPECT_FALSE(dialog.deletedFlag);
}

TEST(TDialog, AClosedModelessDialogThatAsksForItIsDeletedByTheApplication) {
    TestApp app;
    bool deleted = false;
    DrivenDialog *dialog = new DrivenDialog(0, DlgMain);
    dialog->deleted = &deleted;
    dialog->SetFlag(wfDeleteOnClose);
    ASSERT_EQ(1, dialog->Create());
    dialog->SendMessageA(WM_COMMAND, IDCANCEL);
    EXPECT_FALSE(deleted);
    app.PostDispatchAction();
    EXPECT_TRUE(deleted);
}

TEST(TDialog, ARealTitleReplacesTheTemplateCaption) {
    DrivenDialog numbered(0, DlgMain);
    numbered.Title = MAKEINTRESOURCEA(5);  // a resource number keeps the template's caption
    ASSERT_EQ(1, numbered.Create());
    EXPECT_EQ("Template caption", TextOf(numbered.GetHandle()));
    numbered.Destroy(IDCANCEL);

    DrivenDialog dialog(0, DlgMain);
    dialog.SetCaption("Own title");
    dialog.SetCaption(MAKEINTRESOURCEA(5));  // numbers do not change it
    ASSERT_EQ(1, dialog.Create());
    EXPECT_EQ("Own title", TextOf(dialog.GetHandle()));
    dialog.SetCaption("Later");
    EXPECT_EQ("Later", TextOf(dialog.GetHandle()));
    dialog.Destroy(IDCANCEL);
}

TEST(TDialog, IdleEnablingReachesOnlyTheControlsThatHaveEnablers) {
    DrivenDialog dialog(0, DlgMain);
    ASSERT_EQ(1, dialog.Create());
    HWND apply = dialog.GetItemHandle(BtApply), option = dialog.GetItemHandle(CbOption);
    EXPECT_EQ(0, dialog.IdleAction(1));
    EXPECT_TRUE(::IsWindowEnabled(apply)) << "only the first idle pass asks";
    EXPECT_EQ(0, dialog.IdleAction(0));
    EXPECT_FALSE(::IsWindowEnabled(apply));
    EXPECT_EQ("Applied", TextOf(apply));
    EXPECT_EQ(BST_CHECKED, ::SendMessageA(option, BM_GETCHECK, 0, 0));
    // controls without an enabler keep their state
    EXPECT_TRUE(::IsWindowEnabled(dialog.GetItemHandle(EdText)));
    EXPECT_TRUE(::IsWindowEnabled(dialog.GetItemHandle(StLabel)));
    EXPECT_TRUE(::IsWindowEnabled(dialog.GetItemHandle(IDOK)));
    dialog.Destroy(IDCANCEL);
}

TEST(TControlEnabler, AppliesTheAnswerToItsControl) {
    DrivenDialog dialog(0, DlgMain);
    ASSERT_EQ(1, dialog.Create());
    HWND option = dialog.GetItemHandle(CbOption);
    TControlEnabler enabler(CbOption, option);
    EXPECT_EQ(option, enabler.GetReceiver());
    enabler.Enable(0);
    EXPECT_FALSE(::IsWindowEnabled(option));
    EXPECT_TRUE(enabler.GetHandled());
    enabler.Enable(1);
    EXPECT_TRUE(::IsWindowEnabled(option));
    enabler.SetCheck(TCommandEnabler::Checked);
    EXPECT_EQ(BST_CHECKED, ::SendMessageA(option, BM_GETCHECK, 0, 0));
    enabler.SetCheck(TCommandEnabler::Unchecked);
    EXPECT_EQ(BST_UNCHECKED, ::SendMessageA(option, BM_GETCHECK, 0, 0));
    enabler.SetText("Renamed");
    EXPECT_EQ("Renamed", TextOf(option));
    dialog.Destroy(IDCANCEL);
}

TEST(TDialog, HelpersReachTheDialogsWindow) {
    DrivenDialog dialog(0, DlgMain);
    ASSERT_EQ(1, dialog.Create());
    EXPECT_EQ(uint(IDOK), dialog.GetDefaultId());
    dialog.SetDefaultId(BtApply);
    EXPECT_EQ(uint(BtApply), dialog.GetDefaultId());
    dialog.SendDlgItemMsg(EdText, WM_SETTEXT, 0, (LPARAM) "sent");
    EXPECT_EQ("sent", TextOf(dialog.GetItemHandle(EdText)));
    dialog.SetMsgResult(1234);
    EXPECT_EQ(1234, ::GetWindowLongA(dialog.GetHandle(), DWLP_MSGRESULT));
    TRect r(0, 0, 4, 8);
    dialog.MapDialogRect(r);
    RECT expected = {0, 0, 4, 8};
    ::MapDialogRect(dialog.GetHandle(), &expected);
    EXPECT_EQ(TRect(expected), r);
    EXPECT_GT(r.Width(), 0);

    dialog.SetControlFocus(dialog.GetItemHandle(EdText));
    EXPECT_EQ(dialog.GetItemHandle(EdText), ::GetFocus());
    dialog.SetControlFocus(TDialog::Next);
    EXPECT_EQ(dialog.GetItemHandle(CbOption), ::GetFocus());
    dialog.SetControlFocus(TDialog::Previous);
    EXPECT_EQ(dialog.GetItemHandle(EdText), ::GetFocus());
    dialog.Destroy(IDCANCEL);
}

TEST(TDialog, ControlColoursFollowTheDialogsBackground) {
    DrivenDialog dialog(0, DlgMain);
    ASSERT_EQ(1, dialog.Create());
    HDC dc = ::GetDC(dialog.GetHandle());
    HWND label = dialog.GetItemHandle(StLabel);
    LRESULT systemBrush = dialog.SendMessageA(WM_CTLCOLORSTATIC, (WPARAM)dc, (LPARAM)label);
    dialog.SetBkgndColor(TColor::LtRed);
    LRESULT ownBrush = dialog.SendMessageA(WM_CTLCOLORSTATIC, (WPARAM)dc, (LPARAM)label);
    EXPECT_NE(0, ownBrush);
    EXPECT_NE(systemBrush, ownBrush);
    EXPECT_EQ(RGB(255, 0, 0), ::GetBkColor(dc));
    ::ReleaseDC(dialog.GetHandle(), dc);
    dialog.Destroy(IDCANCEL);
}

TEST(TDialog, KeyboardMessagesGoThroughTheDialogManager) {
    DrivenDialog dialog(0, DlgMain);
    ASSERT_EQ(1, dialog.Create());
    Pump();
    dialog.SetControlFocus(dialog.GetItemHandle(EdText));
    MSG tab = {dialog.GetItemHandle(EdText), WM_KEYDOWN, VK_TAB, 0};
    EXPECT_TRUE(dialog.PreProcessMsg(tab));
    EXPECT_EQ(dialog.GetItemHandle(CbOption), ::GetFocus());
    dialog.Destroy(IDCANCEL);
}
