#include "tests/framework/TestKit.h"
#include "controls/Button.h"
#include "core/DialogWindow.h"
#include "controls/Edit.h"
#include "controls/Static.h"
#include "tests/framework/TestApp.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <memory>
#include <string>

namespace {
// A parent that records the commands and filter questions its controls send it.
class Host : public TWindow {
public:
    explicit Host(HWND dialog) : TWindow(dialog) {}
    Host() : TWindow((TWindow *)0, "host") {
        Attr.Style = WS_POPUP | WS_VISIBLE;
        Attr.X = 50, Attr.Y = 50, Attr.W = 400, Attr.H = 300;
    }
    std::string Trace;
    char Refused = 0;
    LRESULT EvCommand(uint id, HWND ctl, uint code) override {
        Trace += "cmd " + std::to_string(id) + "/" + std::to_string(code) + (ctl ? "+ctl " : " ");
        return TWindow::EvCommand(id, ctl, code);
    }
    LRESULT EvFilterChar(WPARAM ch, LPARAM) { return ch == (uint)(unsigned char)Refused; }
    LRESULT EvSetDefId(WPARAM id, LPARAM) {
        Trace += "defid " + std::to_string(id) + " ";
        return 0;
    }
    DECLARE_RESPONSE_TABLE(Host);
};
DEFINE_RESPONSE_TABLE1(Host, TWindow)
    EV_MESSAGE(WM_EDITFILTERCHAR, EvFilterChar, I32_WPARAM_LPARAM),
    EV_MESSAGE(DM_SETDEFID, EvSetDefId, I32_WPARAM_LPARAM),
END_RESPONSE_TABLE;

INT_PTR CALLBACK PlainDialogProc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

// The test dialog 42000 made by the system, with a window object standing for it.
class ResourceDialog {
public:
    ResourceDialog()
        : Handle(::CreateDialogParamA(::GetModuleHandleA(0), MAKEINTRESOURCEA(42000), 0, PlainDialogProc, 0)) {}
    ~ResourceDialog() {
        Object.reset();
        ::DestroyWindow(Handle);
    }
    Host &Make() {
        Object.reset(new Host(Handle));
        return *Object;
    }
    HWND Handle;
    std::unique_ptr<Host> Object;
};

class Controls : public ::testing::Test {
protected:
    TestApp App;
};
}  // namespace

TEST_F(Controls, WindowFormCreatesEachClassWithItsStyle) {
    Host host;
    auto *button = new TButton(&host, 42101, "Go", 5, 6, 70, 20, 1);
    auto *group = new TGroupBox(&host, 42102, "Mode", 5, 30, 150, 60);
    auto *check = new TCheckBox(&host, 42103, "Loud", 10, 45, 80, 16, group);
    auto *radio = new TRadioButton(&host, 42104, "Mono", 10, 65, 80, 16, group);
    auto *label = new TStatic(&host, 42105, "Label", 5, 100, 80, 16, 20);
    auto *edit = new TEdit(&host, 42106, "abc", 5, 120, 100, 20, 10);
    auto *memo = new TEdit(&host, 42107, "", 5, 150, 100, 60, 0, 1);
    ASSERT_TRUE(host.Create());

    struct Row {
        TWindow *w;
        char const *cls;
        DWORD style;  // as recorded by the constructor
        char const *text;
    } rows[] = {
        {button, "Button", 0x50030000 | BS_DEFPUSHBUTTON, "Go"},
        {group, "Button", WS_CHILD | WS_VISIBLE | WS_GROUP | BS_GROUPBOX, "Mode"},
        {check, "Button", 0x50010003, "Loud"},
        {radio, "Button", 0x50000009, "Mono"},
        {label, "Static", WS_CHILD | WS_VISIBLE | WS_GROUP, "Label"},
        {edit, "Edit", 0x50030000 | 0x810280, "abc"},
        {memo, "Edit", 0x50030000 | 0x810280 | 0x300044, ""},
    };
    for (Row const &r : rows) {
        SCOPED_TRACE(r.text);
        ASSERT_TRUE(r.w->GetHandle());
        EXPECT_EQ(r.w, host.GetWindowPtr(r.w->GetHandle()));  // bound to its object
        EXPECT_TRUE(r.w->IsFlagSet(wfPredefinedClass));
        EXPECT_EQ(0, _stricmp(r.cls, ClassOf(r.w->GetHandle()).c_str()));
        EXPECT_EQ(r.style, r.w->Attr.Style);
        EXPECT_EQ(r.text, TextOf(r.w->GetHandle()));
        EXPECT_EQ(host.GetHandle(), ::GetParent(r.w->GetHandle()));
    }
    EXPECT_EQ(42101, ::GetDlgCtrlID(button->GetHandle()));
    TRect r = button->GetWindowRect();
    TPoint origin(0, 0);
    ::ClientToScreen(host.GetHandle(), &origin);
    EXPECT_EQ(TRect(origin.x + 5, origin.y + 6, origin.x + 75, origin.y + 26), r);
    EXPECT_EQ(nuAttempt, button->GetNativeUse());
    EXPECT_EQ(0, button->GetIsDefPB());  // the style says default; the field waits for the dialog
    EXPECT_EQ(9u, edit->GetLimitText());  // text limit less the terminator
    EXPECT_EQ(group, check->GetGroup());
}

TEST_F(Controls, ResourceFormBindsTheDialogsControlsAndSwitchesTransferByKind) {
    ResourceDialog dialog;
    ASSERT_TRUE(dialog.Handle);
    Host &host = dialog.Make();
    auto *button = new TButton(&host, 42001);
    auto *group = new TGroupBox(&host, 42005);
    auto *check = new TCheckBox(&host, 42002, group);
    auto *mono = new TRadioButton(&host, 42003, group);
    auto *label = new TStatic(&host, 42006, 20);
    auto *edit = new TEdit(&host, 42007, 8);
    auto *passive = new PassiveCheckBox(&host, 42009);
    auto *instant = new InstantButton(&host, 42010);
    EXPECT_EQ(0u, button->Attr.Style);  // nothing recorded before the window is bound
    EXPECT_EQ(0, button->GetTitle());
    EXPECT_TRUE(button->IsFlagSet(wfFromResource));
    ASSERT_TRUE(host.CreateChildren());

    struct Row {
        TWindow *w;
        int id;
        bool transfer;
        char const *title;
    } rows[] = {
        {button, 42001, false, "Go"},   {group, 42005, false, "Mode"},      {check, 42002, true, "Loud"},
        {mono, 42003, true, "Mono"},    {label, 42006, false, "Label text"}, {edit, 42007, true, ""},
        {passive, 42009, true, "Locked"}, {instant, 42010, false, "Now"},
    };
    for (Row const &r : rows) {
        SCOPED_TRACE(r.id);
        EXPECT_EQ(::GetDlgItem(dialog.Handle, r.id), r.w->GetHandle());
        EXPECT_EQ(r.w, host.GetWindowPtr(r.w->GetHandle()));
        EXPECT_EQ(r.transfer, r.w->IsFlagSet(wfTransfer));
        EXPECT_STREQ(r.title, r.w->GetTitle());
        EXPECT_EQ((DWORD)::GetWindowLongA(r.w->GetHandle(), GWL_STYLE), r.w->Attr.Style);
    }
    EXPECT_EQ(7u, edit->GetLimitText());  // the resource form limits too
    EXPECT_EQ(nullptr, passive->GetGroup());
}

TEST_F(Controls, AliasFormStandsForAWindowThatExistsAndLetsItGo) {
    ResourceDialog dialog;
    ASSERT_TRUE(dialog.Handle);
    struct Row {
        int id;
        std::function<TControl *(HWND)> make;
        char const *title;
    } rows[] = {
        {42001, [](HWND h) { return new TButton(h); }, "Go"},
        {42005, [](HWND h) { return new TGroupBox(h); }, "Mode"},
        {42002, [](HWND h) { return new TCheckBox(h); }, "Loud"},
        {42003, [](HWND h) { return new TRadioButton(h); }, "Mono"},
        {42006, [](HWND h) { return new TStatic(h); }, "Label text"},
        {42007, [](HWND h) { return new TEdit(h); }, ""},
    };
    for (Row const &r : rows) {
        SCOPED_TRACE(r.id);
        HWND h = ::GetDlgItem(dialog.Handle, r.id);
        WNDPROC own = (WNDPROC)::GetWindowLongPtrA(h, GWLP_WNDPROC);
        std::unique_ptr<TControl> control(r.make(h));
        EXPECT_EQ(h, control->GetHandle());
        EXPECT_TRUE(control->IsFlagSet(wfAlias));
        EXPECT_EQ(control.get(), GetWindowPtr(h));
        EXPECT_STREQ(r.title, control->GetTitle());
        control.reset();
        EXPECT_TRUE(::IsWindow(h)) << "the window outlives its alias";
        EXPECT_EQ(own, (WNDPROC)::GetWindowLongPtrA(h, GWLP_WNDPROC));
    }
    TRadioButton mono(::GetDlgItem(dialog.Handle, 42003));
    mono.Check();
    EXPECT_EQ(uint(BST_CHECKED), mono.GetCheck());
}

TEST_F(Controls, TransferReadsWritesAndSizesEachKind) {
    ResourceDialog dialog;
    Host &host = dialog.Make();
    auto *check = new TCheckBox(&host, 42002);
    auto *mono = new TRadioButton(&host, 42003);
    auto *stereo = new TRadioButton(&host, 42004);
    auto *label = new TStatic(&host, 42006, 6);
    label->EnableTransfer();  // statics take part only when asked
    auto *edit = new TEdit(&host, 42007, 12);
    new TButton(&host, 42001);  // no record
    ASSERT_TRUE(host.CreateChildren());

#pragma pack(push, 1)
    struct Record {
        uint Check, Mono, Stereo;
        char Label[6];
        char Edit[12];
    };
#pragma pack(pop)
    static_assert(sizeof(Record) == 30, "records follow each other without gaps");

    // only the size: nothing is read or written
    char untouched[64];
    std::memset(untouched, 0x55, sizeof untouched);
    EXPECT_EQ(30u, host.Transfer(untouched, tdSizeData));
    EXPECT_EQ(4u, check->Transfer(0, tdSizeData));
    EXPECT_EQ(12u, edit->Transfer(0, tdSizeData));
    for (unsigned char c : untouched)
        ASSERT_EQ(0x55, c);

    Record in = {BST_CHECKED, BST_UNCHECKED, BST_CHECKED, "Shown", "Typed text"};
    host.SetTransferBuffer(&in);
    EXPECT_EQ(30u, host.TransferData(tdSetData));
    EXPECT_EQ((uint)BST_CHECKED, check->GetCheck());
    EXPECT_EQ((uint)BST_UNCHECKED, mono->GetCheck());
    EXPECT_EQ((uint)BST_CHECKED, stereo->GetCheck());
    EXPECT_EQ("Shown", TextOf(label->GetHandle()));
    EXPECT_EQ("Typed text", TextOf(edit->GetHandle()));

    check->Uncheck();
    mono->Check();
    stereo->Uncheck();
    label->SetText("Longer than six");
    edit->SetText("Other");
    Record out;
    std::memset(&out, 'x', sizeof out);
    host.SetTransferBuffer(&out);
    EXPECT_EQ(30u, host.TransferData(tdGetData));
    EXPECT_EQ((uint)BST_UNCHECKED, out.Check);
    EXPECT_EQ((uint)BST_CHECKED, out.Mono);
    EXPECT_EQ((uint)BST_UNCHECKED, out.Stereo);
    EXPECT_STREQ("Longe", out.Label);  // cut to the limit, terminator included
    EXPECT_STREQ("Other", out.Edit);
}

TEST_F(Controls, CheckBoxesTellTheirGroupBox) {
    ResourceDialog dialog;
    Host &host = dialog.Make();
    auto *group = new TGroupBox(&host, 42005);
    auto *check = new TCheckBox(&host, 42002, group);
    auto *mono = new TRadioButton(&host, 42003, group);
    ASSERT_TRUE(host.CreateChildren());
    ::ShowWindow(dialog.Handle, SW_SHOW);
    Pump();
    std::string const note = "cmd 42005/";

    host.Trace.clear();
    check->Check();  // set by the program
    Pump();
    EXPECT_EQ(note + "42002+ctl ", host.Trace);

    host.Trace.clear();
    check->Click();  // the user's click: the box's own notice, then the group's
    Pump();
    EXPECT_EQ((uint)BST_UNCHECKED, check->GetCheck());
    EXPECT_EQ("cmd 42002/0+ctl " + note + "42002+ctl ", host.Trace);

    host.Trace.clear();
    mono->Click();
    Pump();
    EXPECT_NE(std::string::npos, host.Trace.find(note + "42003+ctl"));

    // a radio button that stays unchecked when clicked says nothing to the group
    mono->Uncheck();
    mono->SetStyle(BS_RADIOBUTTON, 0);  // no longer checks itself
    Pump();
    host.Trace.clear();
    mono->Click();
    Pump();
    EXPECT_EQ((uint)BST_UNCHECKED, mono->GetCheck());
    EXPECT_EQ(std::string::npos, host.Trace.find(note));

    // a group box that does not notify
    group->SetNotifyParent(0);
    host.Trace.clear();
    check->Check();
    Pump();
    EXPECT_EQ("", host.Trace);
    EXPECT_EQ(4, group->GetTextLen());
}

TEST_F(Controls, ToggleCyclesThreeStatesOnlyForThreeStateBoxes) {
    Host host;
    auto *two = new TCheckBox(&host, 42111, "Two", 0, 0, 80, 16);
    // a plain three-state box cycles as well as the automatic one
    auto *three = new TCheckBox(&host, 42112, "Three", 0, 20, 80, 16);
    auto *plainThree = new TCheckBox(&host, 42113, "Plain three", 0, 40, 80, 16);
    three->Attr.Style = (three->Attr.Style & ~BS_TYPEMASK) | BS_AUTO3STATE;
    plainThree->Attr.Style = (plainThree->Attr.Style & ~BS_TYPEMASK) | BS_3STATE;
    ASSERT_TRUE(host.Create());
    for (TCheckBox *box : {three, plainThree}) {
        uint seen[4];
        for (uint &s : seen)
            box->Toggle(), s = box->GetCheck();
        EXPECT_EQ(1u, seen[0]);
        EXPECT_EQ(2u, seen[1]);
        EXPECT_EQ(0u, seen[2]);
        EXPECT_EQ(1u, seen[3]);
    }
    two->Toggle();
    EXPECT_EQ(1u, two->GetCheck());
    two->Toggle();
    EXPECT_EQ(0u, two->GetCheck());
}

TEST_F(Controls, PassiveCheckBoxKeepsNeitherFocusNorClicks) {
    ResourceDialog dialog;
    Host &host = dialog.Make();
    auto *edit = new TEdit(&host, 42007);
    auto *passive = new PassiveCheckBox(&host, 42009);
    ASSERT_TRUE(host.CreateChildren());
    ::ShowWindow(dialog.Handle, SW_SHOW);
    ::SetForegroundWindow(dialog.Handle);
    Pump();
    edit->SetFocus();
    ASSERT_EQ(edit->GetHandle(), ::GetFocus());
    passive->SetFocus();
    EXPECT_EQ(edit->GetHandle(), ::GetFocus());
    passive->SendMessageA(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
    passive->SendMessageA(WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
    passive->SendMessageA(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(3, 3));
    EXPECT_EQ((uint)BST_UNCHECKED, passive->GetCheck());
    passive->Check();  // the program still sets it
    EXPECT_EQ((uint)BST_CHECKED, passive->GetCheck());
}

TEST_F(Controls, InstantButtonFiresOnThePress) {
    ResourceDialog dialog;
    Host &host = dialog.Make();
    auto *now = new InstantButton(&host, 42010);
    ASSERT_TRUE(host.CreateChildren());
    ::ShowWindow(dialog.Handle, SW_SHOW);
    Pump();
    host.Trace.clear();
    now->SendMessageA(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
    Pump();
    EXPECT_EQ("cmd 42010/0 ", host.Trace);  // posted without a control handle
    EXPECT_EQ(now->GetHandle(), ::GetCapture());  // the button's own press handling ran
    now->SendMessageA(WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
    Pump();
}

TEST_F(Controls, OwnerDrawnButtonAnswersAsDefaultAndDrawsByAction) {
    class Drawn : public TButton {
    public:
        Drawn(TWindow *parent) : TButton(parent, 42121, "D", 0, 0, 60, 20, 1) {
            Attr.Style |= BS_OWNERDRAW;
            SetIsDefPB(1);
        }
        std::string Actions;
        void ODADrawEntire(DRAWITEMSTRUCT &) override { Actions += "entire "; }
        void ODAFocus(DRAWITEMSTRUCT &) override { Actions += "focus "; }
        void ODASelect(DRAWITEMSTRUCT &) override { Actions += "select "; }
    };
    Host host;
    auto *drawn = new Drawn(&host);
    auto *plain = new TButton(&host, 42122, "P", 0, 30, 60, 20);
    ASSERT_TRUE(host.Create());
    EXPECT_NE(std::string::npos, host.Trace.find("defid 42121"));  // told by the button itself

    EXPECT_EQ(DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON, drawn->SendMessageA(WM_GETDLGCODE));
    EXPECT_EQ(0, drawn->SendMessageA(BM_SETSTYLE, BS_DEFPUSHBUTTON, 1));
    EXPECT_EQ(1, drawn->GetIsCurrentDefPB());
    EXPECT_EQ(DLGC_BUTTON | DLGC_DEFPUSHBUTTON, drawn->SendMessageA(WM_GETDLGCODE));
    drawn->SetStyle(BS_PUSHBUTTON, 1);
    EXPECT_EQ(0, drawn->GetIsCurrentDefPB());
    EXPECT_EQ((DWORD)BS_OWNERDRAW, drawn->GetStyle() & BS_TYPEMASK);  // the style stays drawn
    EXPECT_EQ(DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON, plain->SendMessageA(WM_GETDLGCODE));  // the system's answer

    for (UINT action : {0x1u, 0x2u, 0x4u, 0x8u}) {
        DRAWITEMSTRUCT dis = {ODT_BUTTON, 42121, 0, action, 0, drawn->GetHandle(), 0, {0, 0, 60, 20}, 0};
        host.SendMessageA(WM_DRAWITEM, 42121, (LPARAM)&dis);  // the parent forwards it
    }
    EXPECT_EQ("entire select focus ", drawn->Actions);
}

TEST_F(Controls, OwnClassesPaintThemselvesAndStaticsRepaintWhenResized) {
    class Drawn : public TControl {
    public:
        Drawn(TWindow *parent) : TControl(parent, 42131, 0, 0, 0, 40, 40) {}
        int Paints = 0;
        void Paint(TDC &, int, TRect &) override { Paints++; }
    };
    Host host;
    auto *drawn = new Drawn(&host);
    auto *label = new TStatic(&host, 42132, "Peak", 0, 50, 60, 16);
    ASSERT_TRUE(host.Create());
    host.UpdateWindow();
    EXPECT_FALSE(drawn->IsFlagSet(wfPredefinedClass));
    EXPECT_EQ(1, drawn->Paints);
    drawn->Invalidate();
    drawn->UpdateWindow();
    EXPECT_EQ(2, drawn->Paints);

    // without the system's own redraw, the static still repaints all of itself
    label->SetWindowPos(0, 0, 0, 120, 20, SWP_NOMOVE | SWP_NOZORDER | SWP_NOREDRAW);
    RECT dirty = {};
    ASSERT_TRUE(::GetUpdateRect(label->GetHandle(), &dirty, FALSE));
    EXPECT_EQ(TRect(0, 0, 120, 20), TRect(dirty));
    label->Clear();
    EXPECT_EQ("", TextOf(label->GetHandle()));
}

namespace {
// A modal dialog of the test template that runs `OnInit` once set up; a watchdog ends
// a run that nothing ended.
class Driven : public TDialog {
public:
    Driven() : TDialog(0, 42000, &Exe()) {}
    std::function<void()> OnInit;
    int EvInitDialog(HWND focus) override {
        int result = TDialog::EvInitDialog(focus);
        WatchDialog(HWindow);
        OnInit();
        return result;
    }
};
}  // namespace

TEST_F(Controls, DialogSetsUpItsWrappedControlsAndReadsThemBackOnOk) {
    Driven dialog;
    auto *check = new TCheckBox(&dialog, 42002);
    auto *stereo = new TRadioButton(&dialog, 42004);
    auto *edit = new TEdit(&dialog, 42007, 10);
#pragma pack(push, 1)
    struct {
        uint Check, Stereo;
        char Edit[10];
    } data = {BST_CHECKED, BST_UNCHECKED, "gain"};
#pragma pack(pop)
    dialog.SetTransferBuffer(&data);
    std::string seen;
    dialog.OnInit = [&] {
        seen = std::to_string(check->GetCheck()) + std::to_string(stereo->GetCheck()) + TextOf(edit->GetHandle()) +
               std::to_string(edit->GetLimitText());
        check->Uncheck();
        stereo->Check();
        edit->SetText("trim");
        PostCommand(dialog, IDOK);
    };
    EXPECT_EQ(IDOK, dialog.Execute());
    EXPECT_EQ("10gain9", seen);
    EXPECT_EQ((uint)BST_UNCHECKED, data.Check);
    EXPECT_EQ((uint)BST_CHECKED, data.Stereo);
    EXPECT_STREQ("trim", data.Edit);
}
