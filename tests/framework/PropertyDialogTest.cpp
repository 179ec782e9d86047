// Property dialogs: pages created at once or on demand, values kept per page, OK and
// Cancel with the pages' consent, the dialog fitted around its pages, keyboard
// navigation through the thread hook, the strip's drawing, and context help on the strip.
#include "tests/framework/TestKit.h"
#include "tests/framework/TestApp.h"

#include "tests/framework/GdiCanvas.h"
#include "controls/PropertyDialog.h"
#include "controls/PropertyTab.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <iterator>
#include <stdexcept>
#include <string>

namespace {

enum { Sheet = 51000, PageA = 51001, PageB = 51002, PageC = 51003, Apply = 51009, NameEdit = 51010,
       Loud = 51011, BEdit = 51020, BList = 51021, BCombo = 51022, CEdit = 51030, TabPictures = 51510 };

// A page that records what the dialog asks of it.
class Page : public PropertyPage {
public:
    Page(PropertyDialog *d, int resId, std::string *log, std::string name)
        : TWindow(d, 0, &Exe()), PropertyPage(d, resId, &Exe()), Log(log), Name(name) {
        if (resId == PageA) {
            CreateEditControl(NameEdit, "first", 40);
            CreateCheckBox(Loud, 1);
        } else if (resId == PageB) {
            CreateEditControl(BEdit, "second", 40);
        } else {
            CreateEditControl(CEdit, "third", 40);
        }
    }
    int SaveData() override {
        *Log += "save" + Name + " ";
        PropertyPage::SaveData();
        return Saves;
    }
    int CanPageClose() override {
        *Log += "can" + Name + " ";
        return Closes;
    }
    int BeforeLeaving() override { return Leaves; }
    HWND Item(int id) const { return ::GetDlgItem(GetHandle(), id); }
    using PropertyPage::CheckHotKey;
    void AfterSelected() override { *Log += "shown" + Name + " "; }
    void OnRightClick(unsigned, TPoint &) override { *Log += "right" + Name + " "; }
    void CmMenu() { *Log += "menu" + Name + " "; }
    std::string *Log;
    std::string Name;
    int Saves = 1, Closes = 1, Leaves = 1;
    DECLARE_RESPONSE_TABLE(Page);
};
DEFINE_RESPONSE_TABLE1(Page, PropertyPage)
    EV_COMMAND(51500, CmMenu),
END_RESPONSE_TABLE;

class Sheet3 : public PropertyDialog {
public:
    explicit Sheet3(unsigned long style = 0, bool pages = true)
        : TWindow(0, 0, &Exe()), PropertyDialog(0, Sheet, Tab::Style(style), &Exe()) {
        if (pages)
            AddPages();
    }
    // The form the program uses: tabs with pictures.
    Sheet3(unsigned long style, int bitmapId, int showImages)
        : TWindow(0, 0, &Exe()), PropertyDialog(0, Sheet, Tab::Style(style), bitmapId, showImages, &Exe()) {
        AddPages();
    }
    void AddPages() {
        A = new Page(this, PageA, &Log, "A");
        B = new Page(this, PageB, &Log, "B");
        C = new Page(this, PageC, &Log, "C");
        Add("&Alpha", A);
        Add("&Beta", B);
        Add("&Gamma", C);
    }
    void AfterSelected(int index) override { Log += "sel" + std::to_string(index) + " "; }
    HWND Item(int id) const { return ::GetDlgItem(GetHandle(), id); }
    Page *A = 0, *B = 0, *C = 0;
    std::string Log;
};

// Holds a key down in the thread's keyboard state for as long as it lives.
struct Keys {
    explicit Keys(std::initializer_list<int> down) {
        ::GetKeyboardState(saved);
        BYTE state[256] = {};
        for (int key : down)
            state[key] = 0x80;
        ::SetKeyboardState(state);
    }
    ~Keys() { ::SetKeyboardState(saved); }
    BYTE saved[256];
};

TEST(PropertyDialog, ModalRunKeepsEachPagesValuesOnlyOnOk) {
    TestApp app;
    for (int answer : {IDOK, IDCANCEL}) {
        Sheet3 d;
        std::string seen;
        app.Idle = [&](long) {
            if (!d.GetHandle() || !seen.empty())
                return 0;
            seen = TextOf(d.A->Item(NameEdit)) + "|" + TextOf(d.B->Item(BEdit));
            ::SetWindowTextA(d.A->Item(NameEdit), "typed A");
            d.SelectTab(1);
            ::SetWindowTextA(d.B->Item(BEdit), "typed B");
            PostCommand(d, answer);
            return 0;
        };
        Watchdog watchdog;
        EXPECT_EQ(answer, d.Execute());
        app.Idle = nullptr;
        EXPECT_EQ("first|second", seen);
        bool ok = answer == IDOK;
        EXPECT_EQ(ok ? "typed A" : "first", std::string(d.A->GetText(NameEdit).c_str()));
        EXPECT_EQ(ok ? "typed B" : "second", std::string(d.B->GetText(BEdit).c_str()));
        EXPECT_FALSE(d.GetHandle());
        EXPECT_FALSE(d.A->GetHandle());
        EXPECT_TRUE(PropertyDialog::OpenPropertyTabs().empty());
        EXPECT_FALSE(PropertyDialog::keyHook);
        EXPECT_FALSE(PropertyDialog::brushGray);
        // executed again it reopens on the page it was closed on
        EXPECT_EQ(1, d.GetCurrPage());
    }
}

TEST(PropertyDialog, PagesMadeOnDemandSaveWhenLeftAndComeBackWithTheirValues) {
    TestApp app;
    Sheet3 d(Tab::CreateOnDemand);
    ASSERT_TRUE(d.Create());
    EXPECT_TRUE(d.A->GetHandle());
    EXPECT_FALSE(d.B->GetHandle());
    EXPECT_FALSE(d.C->GetHandle());
    ASSERT_TRUE(d.SelectTab(1));
    EXPECT_FALSE(d.A->GetHandle());  // left: saved and destroyed
    ASSERT_TRUE(d.B->GetHandle());
    EXPECT_TRUE(d.B->GetStyle() & WS_VISIBLE);
    ::SetWindowTextA(d.B->Item(BEdit), "kept");
    d.Log.clear();
    ASSERT_TRUE(d.SelectTab(0));
    EXPECT_EQ("saveB sel0 shownA ", d.Log);
    ASSERT_TRUE(d.SelectTab(1));
    EXPECT_EQ("kept", TextOf(d.B->Item(BEdit)));
    // OK asks every page, but only pages with a window save (C was never shown)
    d.Log.clear();
    d.SendMessageA(WM_COMMAND, IDOK);
    EXPECT_EQ("canA canB canC saveB ", d.Log);
    EXPECT_FALSE(d.GetHandle());
}

TEST(PropertyDialog, OkStopsAtThePageThatRefuses) {
    TestApp app;
    {
        Sheet3 d;
        ASSERT_TRUE(d.Create());
        d.C->Closes = 0;
        d.Log.clear();
        d.SendMessageA(WM_COMMAND, IDOK);
        // the refusing page is brought to the front; nothing is saved
        EXPECT_EQ(std::string::npos, d.Log.find("save"));
        EXPECT_EQ(2, d.GetCurrPage());
        EXPECT_TRUE(d.GetHandle());
        d.Destroy(IDCANCEL);
    }
    {
        Sheet3 d;
        ASSERT_TRUE(d.Create());
        d.B->Saves = 0;
        d.Log.clear();
        d.SendMessageA(WM_COMMAND, IDOK);
        EXPECT_EQ("canA canB canC saveA saveB ", d.Log);
        EXPECT_TRUE(d.GetHandle());
        d.Destroy(IDCANCEL);
    }
    {
        Sheet3 d(Tab::NoMDIClose);
        ASSERT_TRUE(d.Create());
        d.SendMessageA(WM_COMMAND, IDOK);
        d.SendMessageA(WM_COMMAND, IDCANCEL);
        EXPECT_TRUE(d.GetHandle());
        d.Destroy(IDCANCEL);
    }
}

TEST(PropertyDialog, PagesAreFoundByTheirResourceBeforeAndWhileOpen) {
    TestApp app;
    Sheet3 d(Tab::CreateOnDemand);
    int index = 7;
    // the program picks the page to open on before the dialog exists
    EXPECT_EQ(d.B, d.FindPage(PageB, &index));
    EXPECT_EQ(1, index);
    d.SetOpenPage(index);
    ASSERT_TRUE(d.Create());
    EXPECT_EQ(1, d.GetCurrPage());
    EXPECT_EQ(d.C, d.FindPage(PageC, &index));  // not made yet
    EXPECT_EQ(2, index);
    EXPECT_EQ(nullptr, d.FindPage(Sheet, &index));
    EXPECT_EQ(-1, index);
    std::string names;
    d.ForEachPage([](PropertyPage *page, void *arg) { *(std::string *)arg += ((Page *)page)->Name; }, &names);
    EXPECT_EQ("ABC", names);
    EXPECT_EQ(d.C, d.FirstPageThat([](PropertyPage *page, void *) { return (int)(page->GetId() == PageC); }, 0));
    d.Destroy(IDCANCEL);
}

TEST(PropertyDialog, WithoutPagesItIsAPlainDialog) {
    TestApp app;
    Sheet3 d(0, false);
    ASSERT_TRUE(d.Create());
    EXPECT_FALSE(d.GetTabControl());
    EXPECT_FALSE(::GetDlgItem(d.GetHandle(), 29000));
    EXPECT_FALSE(PropertyDialog::keyHook);
    EXPECT_EQ(0, d.GetEntryCount());
    EXPECT_EQ(0, d.SelectTab(0));
    d.SendMessageA(WM_COMMAND, IDOK);
    EXPECT_FALSE(d.GetHandle());
}

TEST(PropertyDialog, TwoOpenDialogsShareOneHookAndBrush) {
    TestApp app;
    Sheet3 outer, inner;
    ASSERT_TRUE(outer.Create());
    HHOOK hook = PropertyDialog::keyHook;
    HBRUSH brush = PropertyDialog::brushGray;
    ASSERT_TRUE(hook);
    ASSERT_TRUE(brush);
    ASSERT_TRUE(inner.Create());
    EXPECT_EQ(hook, PropertyDialog::keyHook);
    EXPECT_EQ(brush, PropertyDialog::brushGray);
    EXPECT_EQ(2u, PropertyDialog::OpenPropertyTabs().size());
    inner.Destroy(IDCANCEL);
    EXPECT_EQ(hook, PropertyDialog::keyHook);
    EXPECT_EQ(brush, PropertyDialog::brushGray);
    EXPECT_TRUE(outer.SelectNext());
    outer.Destroy(IDCANCEL);
    EXPECT_FALSE(PropertyDialog::keyHook);
    EXPECT_FALSE(PropertyDialog::brushGray);
}

TEST(PropertyDialog, DeletingAnOpenDialogReleasesTheHookAndBrush) {
    TestApp app;
    Sheet3 *d = new Sheet3;
    ASSERT_TRUE(d->Create());
    ASSERT_TRUE(PropertyDialog::keyHook);
    ASSERT_TRUE(PropertyDialog::brushGray);
    delete d;
    EXPECT_TRUE(PropertyDialog::OpenPropertyTabs().empty());
    EXPECT_FALSE(PropertyDialog::keyHook);
    EXPECT_FALSE(PropertyDialog::brushGray);
}

TEST(PropertyDialog, AColourChangeRenewsTheSharedBrush) {
    TestApp app;
    Sheet3 d;
    ASSERT_TRUE(d.Create());
    INT element = COLOR_BTNFACE;
    COLORREF saved = ::GetSysColor(element), changed = RGB(200, 10, 30);
    ASSERT_TRUE(::SetSysColors(1, &element, &changed));
    PropertyDialog::TabColorChange(&app);
    LOGBRUSH brush = {};
    ::GetObjectA(PropertyDialog::brushGray, sizeof brush, &brush);
    ::SetSysColors(1, &element, &saved);
    EXPECT_EQ(changed, brush.lbColor);
    PropertyDialog::TabColorChange(&app);
    d.Destroy(IDCANCEL);
    EXPECT_FALSE(PropertyDialog::brushGray);
}

// Records whether linked controls were told to stay while a page's controls move.
class MoveWatcher : public TControl {
public:
    MoveWatcher(TWindow *parent, int id) : TWindow(parent, 0, &Exe()), TControl(parent, id, &Exe()) {}
    void EvMove(TPoint &) {
        Moves += 1;
        PreventedAll = PreventedAll && Dialog::_preventAutoLinkMove;
        DefaultProcessing();
    }
    int Moves = 0;
    bool PreventedAll = true;
    DECLARE_RESPONSE_TABLE(MoveWatcher);
};
DEFINE_RESPONSE_TABLE1(MoveWatcher, TControl)
    EV_WM_MOVE,
END_RESPONSE_TABLE;

TEST(PropertyDialog, FitsAroundTheLargestPageAndCentresSmallPages) {
    TestApp app;
    Sheet3 d;
    d.B->CenterInPropertyPage(0, 0);
    MoveWatcher *watcher = new MoveWatcher(d.C, CEdit);
    ASSERT_TRUE(d.Create());
    EXPECT_EQ(0, Dialog::_preventAutoLinkMove);
    EXPECT_GT(watcher->Moves, 0);
    EXPECT_TRUE(watcher->PreventedAll);

    TRect area = d.A->GetClientRect();  // the largest page sets the page area
    RECT edit;
    ::GetWindowRect(d.C->Item(CEdit), &edit);
    ::MapWindowPoints(0, d.C->GetHandle(), (POINT *)&edit, 2);
    EXPECT_NEAR((area.Width() - (edit.right - edit.left)) / 2, edit.left, 1);
    EXPECT_NEAR((area.Height() - (edit.bottom - edit.top)) / 2, edit.top, 1);
    // a page that asked for no centring keeps its template's places
    RECT b;
    ::GetWindowRect(d.B->Item(BEdit), &b);
    ::MapWindowPoints(0, d.B->GetHandle(), (POINT *)&b, 2);
    TRect unit(4, 4, 0, 0);
    d.B->MapDialogRect(unit);
    EXPECT_EQ(unit.left, b.left);
    EXPECT_EQ(unit.top, b.top);

    // the strip holds the page area under its tab row; the buttons sit below it
    PropertyTab *tab = d.GetTabControl();
    TRect strip;
    ::GetWindowRect(tab->GetHandle(), &strip);
    ::MapWindowPoints(0, d.GetHandle(), (POINT *)&strip, 2);
    RECT ok;
    ::GetWindowRect(d.Item(IDOK), &ok);
    ::MapWindowPoints(0, d.GetHandle(), (POINT *)&ok, 2);
    EXPECT_GE(strip.Height(), area.Height() + tab->GetTabHeight());
    EXPECT_GE(strip.Width(), area.Width());
    EXPECT_EQ(ok.top - PropertyDialog::ButtonGapY(), strip.bottom);
    // and the button row is centred
    RECT apply;
    ::GetWindowRect(d.Item(Apply), &apply);
    ::MapWindowPoints(0, d.GetHandle(), (POINT *)&apply, 2);
    TRect client = d.GetClientRect();
    EXPECT_NEAR(ok.left, client.right - apply.right, 2);
    d.Destroy(IDCANCEL);
}

TEST(PropertyDialog, NoAutoResizeKeepsTheResourceSize) {
    TestApp app;
    Sheet3 plain(Tab::PGO_NoAutoResize);
    ASSERT_TRUE(plain.Create());
    TRect unit(0, 0, 200, 60);
    plain.MapDialogRect(unit);
    EXPECT_EQ(unit.Width(), plain.GetClientRect().Width());
    EXPECT_EQ(unit.Height(), plain.GetClientRect().Height());
    plain.Destroy(IDCANCEL);
}

TEST(PropertyDialog, CtrlPageKeysWrapAndSkipDisabledTabs) {
    TestApp app;
    Sheet3 d;
    ASSERT_TRUE(d.Create());
    d.GetTabControl()->EnableTab(1, 0);
    ::SetFocus(d.A->Item(NameEdit));
    {
        Keys keys{VK_CONTROL, VK_NEXT};
        EXPECT_EQ(0, PropertyDialogKeyHook(HC_ACTION, VK_NEXT, 0));
    }
    EXPECT_EQ(2, d.GetCurrPage());  // Beta is disabled
    ::SetFocus(d.C->Item(CEdit));
    {
        Keys keys{VK_CONTROL, VK_NEXT};
        PropertyDialogKeyHook(HC_ACTION, VK_NEXT, 0);
    }
    EXPECT_EQ(0, d.GetCurrPage());  // wrapped
    {
        Keys keys{VK_CONTROL, VK_PRIOR};
        ::SetFocus(d.A->Item(NameEdit));
        PropertyDialogKeyHook(HC_ACTION, VK_PRIOR, 0);
    }
    EXPECT_EQ(2, d.GetCurrPage());
    {
        Keys keys{VK_CONTROL, VK_NEXT};
        PropertyDialogKeyHook(HC_NOREMOVE, VK_NEXT, 0);  // only peeked at
        PropertyDialogKeyHook(HC_ACTION, VK_NEXT, (LPARAM)0xC0000001);  // the release
    }
    EXPECT_EQ(2, d.GetCurrPage());
    // the strip's own keys, without Ctrl
    d.GetTabControl()->SendMessageA(WM_KEYDOWN, VK_RIGHT, 0);
    EXPECT_EQ(0, d.GetCurrPage());
    d.GetTabControl()->SendMessageA(WM_KEYDOWN, VK_LEFT, 0);
    EXPECT_EQ(2, d.GetCurrPage());
    {
        Keys keys{VK_CONTROL};
        d.GetTabControl()->SendMessageA(WM_KEYDOWN, VK_RIGHT, 0);
    }
    EXPECT_EQ(2, d.GetCurrPage());
    d.Destroy(IDCANCEL);
}

TEST(PropertyDialog, AFailureInAPageSwitchStopsAtTheHook) {
    struct Failing : Sheet3 {
        void AfterSelected(int index) override {
            if (Fail)
                throw std::runtime_error("page switch");
            Sheet3::AfterSelected(index);
        }
        bool Fail = false;
    };
    TestApp app;
    Failing d;
    ASSERT_TRUE(d.Create());
    d.Fail = true;
    ::SetFocus(d.A->Item(NameEdit));
    {
        Keys keys{VK_CONTROL, VK_NEXT};
        EXPECT_NO_THROW(EXPECT_EQ(0, PropertyDialogKeyHook(HC_ACTION, VK_NEXT, 0)));
    }
    // kept for the message loop to hand on
    EXPECT_TRUE(TWindow::HasPendingException());
    TWindow::ClearPendingException();
    d.Fail = false;
    d.Destroy(IDCANCEL);
}

TEST(PropertyDialog, RealKeysReachTheHook) {
    TestApp app;
    Sheet3 d;
    ASSERT_TRUE(d.Create());
    d.ShowWindow(SW_SHOW);
    ::SetForegroundWindow(d.GetHandle());
    ::SetFocus(d.A->Item(NameEdit));
    TestApp::Drain();
    auto press = [](std::initializer_list<BYTE> keys) {
        for (BYTE key : keys)
            ::keybd_event(key, 0, 0, 0);
        for (auto key = std::rbegin(keys); key != std::rend(keys); ++key)
            ::keybd_event(*key, 0, KEYEVENTF_KEYUP, 0);
        for (int i = 0; i < 20; ++i) {
            TestApp::Drain();
            ::Sleep(10);
        }
    };
    press({VK_CONTROL, VK_NEXT});  // one switch per press, none at the release
    EXPECT_EQ(1, d.GetCurrPage());
    ::SetFocus(d.GetTabControl()->GetHandle());
    press({VK_TAB});
    EXPECT_EQ(d.B->Item(BEdit), ::GetFocus());
    d.Destroy(IDCANCEL);
}

TEST(PropertyDialog, TabCrossesBetweenDialogStripAndPage) {
    TestApp app;
    Sheet3 d;
    ASSERT_TRUE(d.Create());
    d.ShowWindow(SW_SHOW);
    HWND strip = d.GetTabControl()->GetHandle();
    HWND name = d.A->Item(NameEdit), loud = d.A->Item(Loud);
    auto tab = [](bool shift, bool alt = false) {
        Keys keys = shift ? Keys{VK_TAB, VK_SHIFT} : alt ? Keys{VK_TAB, VK_MENU} : Keys{VK_TAB};
        LRESULT r = PropertyDialogKeyHook(HC_ACTION, VK_TAB, 0);
        TestApp::Drain();
        return r;
    };
    ::SetFocus(strip);
    EXPECT_EQ(1, tab(false));  // the strip enters the page at its first stop
    EXPECT_EQ(name, ::GetFocus());
    EXPECT_EQ(0, tab(false));  // inside the page the system moves on
    {
        Keys keys{VK_TAB};
        ::SetFocus(strip);
        EXPECT_EQ(0, PropertyDialogKeyHook(HC_ACTION, VK_TAB, (LPARAM)0xC0000001));  // a release
    }
    ::SetFocus(loud);
    EXPECT_EQ(1, tab(false));  // the page's last stop leaves for the control after the strip
    EXPECT_EQ(::GetNextDlgTabItem(d.GetHandle(), strip, FALSE), ::GetFocus());
    ::SetFocus(name);
    EXPECT_EQ(1, tab(true));  // Shift+Tab on the first stop goes to the strip
    EXPECT_EQ(strip, ::GetFocus());
    ::SetFocus(loud);
    EXPECT_EQ(0, tab(false, true));  // with Alt the system decides
    EXPECT_EQ(loud, ::GetFocus());
    // the edit field of a combo box counts as the combo box
    d.SelectTab(1);
    TestApp::Drain();
    ::SetFocus(::GetWindow(d.B->Item(BCombo), GW_CHILD));
    EXPECT_EQ(1, tab(false));
    EXPECT_EQ(::GetNextDlgTabItem(d.GetHandle(), strip, FALSE), ::GetFocus());
    d.Destroy(IDCANCEL);
}

TEST(PropertyDialog, AltLetterSelectsATabBeforeAControl) {
    TestApp app;
    Sheet3 d;
    ASSERT_TRUE(d.Create());
    d.SelectTab(2);
    {
        Keys keys{VK_MENU, 'B'};
        EXPECT_EQ(1, d.C->CheckHotKey(0));  // "&Beta"
    }
    EXPECT_EQ(1, d.GetCurrPage());
    d.SelectTab(0);
    {
        Keys keys{VK_MENU, 'N'};  // the label "&Name:" names the edit field after it
        ::SetWindowTextA(d.A->Item(NameEdit), "abc");
        EXPECT_EQ(1, d.A->CheckHotKey(0));
        TestApp::Drain();
    }
    EXPECT_EQ(d.A->Item(NameEdit), ::GetFocus());
    DWORD start = 1, end = 0;
    ::SendMessageA(d.A->Item(NameEdit), EM_GETSEL, (WPARAM)&start, (LPARAM)&end);
    EXPECT_EQ(0u, start);
    EXPECT_EQ(3u, end);
    {
        Keys keys{VK_MENU, 'Q'};
        EXPECT_EQ(0, d.A->CheckHotKey(0));
    }
    d.Destroy(IDCANCEL);
}

TEST(PropertyDialog, MnemonicsSkipDoubledAmpersands) {
    struct Case {
        char const *text;
        char c;
        int match;
    } cases[] = {{"&Alpha", 'A', 1}, {"&alpha", 'A', 1}, {"Al&pha", 'P', 1}, {"A&&B &Cut", 'C', 1},
                 {"A&&B &Cut", 'B', 0}, {"Only && doubled", 'D', 0}, {"none", 'N', 0}, {"end&", 0, 0}};
    for (Case const &c : cases)
        EXPECT_EQ(c.match, HasMnemonic(c.text, c.c)) << c.text;
}

TEST(PropertyDialog, EscInAPageEditCancelsTheDialog) {
    TestApp app;
    Sheet3 d;
    ASSERT_TRUE(d.Create());
    d.SelectTab(1);
    MSG msg = {d.B->Item(BList), WM_CHAR, 27, 0};
    EXPECT_EQ(1, d.B->PreProcessMsg(msg));
    MSG posted;
    EXPECT_FALSE(::PeekMessageA(&posted, d.GetHandle(), WM_COMMAND, WM_COMMAND, PM_NOREMOVE));
    msg.hwnd = d.B->Item(BEdit);
    EXPECT_EQ(1, d.B->PreProcessMsg(msg));
    TestApp::Drain();
    EXPECT_FALSE(d.GetHandle());
}

TEST(PropertyDialog, HelpOnTheStripGoesToTheShownPage) {
    TestApp app;
    Sheet3 d;
    ASSERT_TRUE(d.Create());
    d.SelectTab(1);
    TestApp::Drain();
    HWND strip = d.GetTabControl()->GetHandle();
    HELPINFO info = {sizeof info, HELPINFO_WINDOW, 29000, strip, 0, {0, 0}};
    d.SendMessageA(WM_HELP, 0, (LPARAM)&info);
    MSG posted;
    ASSERT_TRUE(::PeekMessageA(&posted, d.B->GetHandle(), WM_COMMAND, WM_COMMAND, PM_REMOVE));
    EXPECT_EQ(20014u, LOWORD(posted.wParam));
    d.Destroy(IDCANCEL);
}

TEST(PropertyDialog, SmallFontCentringAndRightClicks) {
    TestApp app;
    Sheet3 d(Tab::UseSmallFont | Tab::CenterDialog);
    ASSERT_TRUE(d.Create());
    HFONT small = (HFONT)::GetStockObject(ANSI_VAR_FONT);
    EXPECT_EQ(small, (HFONT)::SendMessageA(d.A->Item(NameEdit), WM_GETFONT, 0, 0));
    EXPECT_EQ(small, (HFONT)::SendMessageA(d.Item(IDOK), WM_GETFONT, 0, 0));
    TRect r = d.GetWindowRect();
    EXPECT_EQ((::GetSystemMetrics(SM_CXSCREEN) - r.Width()) / 2, r.left);
    EXPECT_EQ((::GetSystemMetrics(SM_CYSCREEN) - r.Height()) / 2, r.top);
    // a right click reaches the page of the tab under it and selects nothing
    PropertyTab *tab = d.GetTabControl();
    TRect b = tab->GetTabRect(1);
    d.Log.clear();
    tab->HandleMessage(WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(b.left + 5, b.bottom - 3));
    EXPECT_EQ("rightB ", d.Log);
    EXPECT_EQ(0, d.GetCurrPage());
    // menu commands go to the page shown
    d.SelectTab(1);
    d.Log.clear();
    d.SendMessageA(WM_COMMAND, 51500, 0);
    EXPECT_EQ("menuB ", d.Log);
    d.Destroy(IDCANCEL);
}

// ---- the strip

TEST(PropertyTab, DrawsTheSelectedTabTallerOverAClosedPageFrame) {
    TestApp app;
    Sheet3 d;
    ASSERT_TRUE(d.Create());
    d.SelectTab(1);
    PropertyTab *tab = d.GetTabControl();
    TRect client = tab->GetClientRect();
    Canvas canvas(client.Width(), client.Height(), RGB(1, 2, 3));
    TRect all = client;
    tab->Paint(canvas.dc(), 1, all);
    COLORREF face = ::GetSysColor(COLOR_BTNFACE), hi = ::GetSysColor(COLOR_BTNHIGHLIGHT);
    TRect a = tab->GetTabRect(0), b = tab->GetTabRect(1);
    ASSERT_FALSE(b.IsEmpty());
    int h = tab->GetTabHeight();
    // the selected tab's top edge runs two pixels above the others'
    EXPECT_EQ(hi, canvas.At((b.left + b.right) / 2, b.top));
    EXPECT_NE(hi, canvas.At((a.left + a.right) / 2, a.top));
    EXPECT_EQ(hi, canvas.At((a.left + a.right) / 2, a.top + 2));
    // under an unselected tab the page frame is closed, under the selected one it is open
    EXPECT_EQ(hi, canvas.At((a.left + a.right) / 2, h));
    EXPECT_EQ(face, canvas.At((b.left + b.right) / 2, h));
    // the page area is filled and framed
    EXPECT_EQ(hi, canvas.At(0, h + 10));
    EXPECT_EQ(face, canvas.At(client.Width() / 2, client.Height() - 10));
    EXPECT_EQ(0, canvas.Count(RGB(1, 2, 3)));  // every pixel is the strip's own
    d.Destroy(IDCANCEL);
}

TEST(PropertyTab, TabsMakeRoomForTheirPicturesAndDrawThemWhenAsked) {
    TestApp app;
    Sheet3 plain(Tab::FixedWidth), hidden(Tab::FixedWidth, TabPictures, 0), shown(Tab::FixedWidth, TabPictures, 1);
    ASSERT_TRUE(plain.Create());
    ASSERT_TRUE(hidden.Create());
    ASSERT_TRUE(shown.Create());
    EXPECT_TRUE(shown.GetStyle() & Tab::UseTabBitmaps);
    EXPECT_TRUE(shown.GetTabControl()->GetTabStyle() & Tab::UseTabBitmaps);
    TRect a = plain.GetTabControl()->GetTabRect(1), b = shown.GetTabControl()->GetTabRect(1);
    EXPECT_EQ(a.Width() + 28, b.Width());
    EXPECT_EQ(b, hidden.GetTabControl()->GetTabRect(1));
    // the picture stands 6 pixels in from the tab's left edge, only with show-images set
    auto picture = [&](PropertyDialog &d) {
        PropertyTab *tab = d.GetTabControl();
        TRect client = tab->GetClientRect(), all = client;
        Canvas canvas(client.Width(), client.Height());
        tab->Paint(canvas.dc(), 1, all);
        TRect r = tab->GetTabRect(0);  // the bitmap holds one picture
        std::string pixels;
        for (int y = r.top + 2; y < r.bottom - 2; ++y)
            for (int x = r.left + 6; x < r.left + 22; ++x)
                pixels += std::to_string(canvas.At(x, y)) + " ";
        return pixels;
    };
    EXPECT_NE(picture(hidden), picture(shown));
    shown.Destroy(IDCANCEL);
    hidden.Destroy(IDCANCEL);
    plain.Destroy(IDCANCEL);
}

TEST(PropertyTab, AWizardFrameHidesTheTabsAndDrawsOnlyAnEtchedLine) {
    TestApp app;
    Sheet3 d(Tab::WizardFrame | Tab::Stacked | Tab::DoubleHeight);
    ASSERT_TRUE(d.Create());
    PropertyTab *tab = d.GetTabControl();
    EXPECT_FALSE(tab->GetTabStyle() & (Tab::Stacked | Tab::DoubleHeight | Tab::Justified));
    EXPECT_FALSE(tab->GetStyle() & WS_TABSTOP);
    // the tab row lies above the dialog's client area; the pages start at its top
    TRect strip = tab->GetWindowRect();
    POINT origin = {strip.left, strip.top};
    ::ScreenToClient(d.GetHandle(), &origin);
    EXPECT_EQ(-2, origin.x);
    EXPECT_EQ(-tab->GetTabHeight(), origin.y);
    TRect client = tab->GetClientRect(), all = client;
    Canvas canvas(client.Width(), client.Height(), RGB(1, 2, 3));
    tab->Paint(canvas.dc(), 1, all);
    COLORREF face = ::GetSysColor(COLOR_BTNFACE), hi = ::GetSysColor(COLOR_BTNHIGHLIGHT),
             shadow = ::GetSysColor(COLOR_BTNSHADOW);
    int mid = client.Width() / 2;
    EXPECT_EQ(shadow, canvas.At(mid, client.bottom - 2));
    EXPECT_EQ(hi, canvas.At(mid, client.bottom - 1));
    EXPECT_EQ(face, canvas.At(5, client.bottom - 1));
    // what no page covers is not left unpainted
    EXPECT_EQ(face, canvas.At(mid, client.bottom - 5));
    EXPECT_EQ(0, canvas.Count(RGB(1, 2, 3)));
    d.Destroy(IDCANCEL);
}

TEST(PropertyTab, DoubleHeightLabelsWrapAndButtonsOnTheRightBoundTheStrip) {
    TestApp app;
    Sheet3 single, twice(Tab::DoubleHeight | Tab::ButtonsOnRight | Tab::PGO_NoAutoResize);
    char const *label = "Sample rate and channels";
    single.Add(label, new Page(&single, PageC, &single.Log, "D"));
    twice.Add(label, new Page(&twice, PageC, &twice.Log, "D"));
    ASSERT_TRUE(single.Create());
    ASSERT_TRUE(twice.Create());
    PropertyTab *one = single.GetTabControl(), *two = twice.GetTabControl();
    int text = one->GetTabHeight() - 11;
    EXPECT_EQ(2 * text + 9, two->GetTabHeight());
    // the long label takes two lines and so a narrower tab
    EXPECT_LT(two->GetTabRect(3).Width(), one->GetTabRect(3).Width());
    EXPECT_GE(two->GetTabRect(3).Width(), 64);
    // the strip ends left of the OK button instead of above it
    RECT button;
    ::GetWindowRect(twice.Item(IDOK), &button);
    ::MapWindowPoints(0, twice.GetHandle(), (POINT *)&button, 2);
    TRect strip = two->GetWindowRect();
    ::MapWindowPoints(0, twice.GetHandle(), (POINT *)&strip, 2);
    EXPECT_EQ(button.left - PropertyDialog::ButtonGapX(), strip.right);
    EXPECT_EQ(twice.GetClientRect().bottom - PropertyDialog::Margin(), strip.bottom);
    twice.Destroy(IDCANCEL);
    single.Destroy(IDCANCEL);
}

TEST(PropertyTab, TooManyTabsScrollWithArrowsThatSkipDisabledTabs) {
    TestApp app;
    Sheet3 d(0, false);
    std::string log;
    Page *pages[8];
    for (int i = 0; i < 8; ++i) {
        pages[i] = new Page(&d, PageC, &log, std::to_string(i));
        d.Add(("A rather long label " + std::to_string(i)).c_str(), pages[i], i != 1);
    }
    ASSERT_TRUE(d.Create());
    PropertyTab *tab = d.GetTabControl();
    EXPECT_EQ(0, tab->HasLeftScroll());
    EXPECT_EQ(1, tab->HasRightScroll());
    EXPECT_EQ(0, tab->GetScrollOrigin());
    TRect client = tab->GetClientRect();
    int cx = ::GetSystemMetrics(SM_CXHSCROLL);
    TPoint right(client.right - cx / 2, tab->GetTabHeight() - 3), left(client.right - cx - cx / 2, right.y);
    tab->HandleMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(right.x, right.y));
    EXPECT_EQ(2, tab->GetScrollOrigin());  // 1 is disabled
    EXPECT_EQ(1, tab->HasLeftScroll());
    EXPECT_TRUE(tab->GetTabRect(0).IsEmpty());
    tab->HandleMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(left.x, left.y));
    EXPECT_EQ(0, tab->GetScrollOrigin());
    // selecting a tab past the arrows brings it into view
    EXPECT_TRUE(d.SelectTab(7));
    EXPECT_GT(tab->GetScrollOrigin(), 0);
    EXPECT_LT(tab->GetTabRect(7).right, client.right - 2 * cx);
    d.Destroy(IDCANCEL);
}

TEST(PropertyTab, StackedRowsBringTheSelectedRowNextToThePage) {
    TestApp app;
    Sheet3 d(Tab::Stacked, false);
    std::string log;
    for (int i = 0; i < 9; ++i)
        d.Add(("Label number " + std::to_string(i)).c_str(), new Page(&d, PageC, &log, std::to_string(i)));
    ASSERT_TRUE(d.Create());
    PropertyTab *tab = d.GetTabControl();
    ASSERT_GE(tab->GetRows(), 3);
    EXPECT_EQ(0, tab->RowAt(0));
    int top = tab->GetRows() - 1;
    int last = tab->GetEntryCount() - 1;
    EXPECT_EQ(top, tab->RowOf(last));
    EXPECT_EQ(0, tab->GetTabRect(last).top);  // the last row is drawn at the top
    EXPECT_TRUE(d.SelectTab(last));
    EXPECT_EQ(top, tab->RowAt(0));
    EXPECT_EQ(0, tab->RowAt(top));  // the former front row went to the top
    EXPECT_EQ((tab->GetRows() - 1) * tab->GetTabHeight(), tab->GetTabRect(last).top);
    // stacked strips are justified: every row fills the strip
    int width = tab->GetClientRect().Width();
    for (int i = 0; i < tab->GetEntryCount(); ++i)
        if (i == tab->GetEntryCount() - 1 || tab->RowOf(i + 1) != tab->RowOf(i)) {
            EXPECT_EQ(width - 1, tab->GetTabRect(i).right) << i;
        }
    d.Destroy(IDCANCEL);
}

TEST(PropertyTab, CollapsingHidesDisabledTabsAndJustifiedFillsTheRow) {
    TestApp app;
    Sheet3 d(Tab::Collapsing | Tab::Justified);
    ASSERT_TRUE(d.Create());
    PropertyTab *tab = d.GetTabControl();
    int width = tab->GetClientRect().Width();
    EXPECT_EQ(width - 1, tab->GetTabRect(2).right);
    int before = tab->GetTabRect(2).Width();
    tab->EnableTab(1, 0);
    EXPECT_TRUE(tab->GetTabRect(1).IsEmpty());
    EXPECT_EQ(tab->GetTabRect(0).right + 1, tab->GetTabRect(2).left);
    EXPECT_EQ(width - 1, tab->GetTabRect(2).right);
    EXPECT_GT(tab->GetTabRect(2).Width(), before);
    // a click on a disabled tab's old place selects what is there now
    EXPECT_EQ(2, tab->GetMouseTab(TPoint(tab->GetTabRect(2).left + 2, 5)));
    d.Destroy(IDCANCEL);
}

TEST(PropertyTab, DuplicatePagesAndRefusedLeaving) {
    TestApp app;
    Sheet3 d(Tab::AllowDupPages, false);
    std::string log;
    Page *shared = new Page(&d, PageA, &log, "S");
    Page *other = new Page(&d, PageB, &log, "O");
    d.Add("One", shared);
    d.Add("Two", shared);
    d.Add("Three", other);
    ASSERT_TRUE(d.Create());
    d.SelectTab(1);
    d.SelectTab(0);  // the questions run from the second change of the process on
    ::SetWindowTextA(shared->Item(NameEdit), "same page");
    EXPECT_TRUE(d.SelectTab(1));
    EXPECT_TRUE(shared->GetStyle() & WS_VISIBLE);
    EXPECT_EQ("same page", TextOf(shared->Item(NameEdit)));
    shared->Leaves = 0;
    EXPECT_FALSE(d.SelectTab(2));
    EXPECT_EQ(1, d.GetCurrPage());
    EXPECT_TRUE(d.SelectTab(1));  // the current tab only moves the focus
    d.Destroy(IDCANCEL);
}

}  // namespace
