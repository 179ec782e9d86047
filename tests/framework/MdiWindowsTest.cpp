// MDI windows, decorations and the layout kept across a restart.
#include "manager/Document.h"
#include "manager/DocumentManager.h"
#include "manager/MainFrame.h"
#include "core/MessageBoxSeam.h"
#include "manager/View.h"
#include "manager/MdiDocumentWindows.h"
#include "core/MdiWindows.h"
#include "bars/StatusBar.h"
#include "bars/TextGadget.h"
#include "bars/ToolbarControlBar.h"
#include "bars/ToolbarList.h"

#include "tests/framework/TestKit.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

namespace {

// Lets the windows finish what their start and changes posted.
void Settle() { PumpRounds(20, 2); }

class Page : public TWindow {
public:
    Page() : TWindow(0, 0, 0) { Attr.Style = WS_CHILD | WS_VISIBLE; }
    int CanClose() override { return refuse ? 0 : 1; }
    int refuse = 0;
};

// A document window that carries a number of its own.
class NumberedWindow : public MDIChild {
public:
    NumberedWindow(int number, MDIChildMemento const *memento = 0)
        : MDIChild(*(page = new Page), memento), number(number) {}
    Page *page;
    int number;
};

class MdiManager : public DocumentManager {
public:
    MdiManager() : DocumentManager("MdiTests", "system\\mditest.set", 0, 0, 0, 0) {}
    void InitMainWindow() override {
        SetMainWindow(new FrameWindow("MDI test", 0, *new MDIClient, 1));
    }
    NumberedWindow *Open(int number, MDIChildMemento const *memento = 0) {
        NumberedWindow *w = new NumberedWindow(number, memento);
        w->Create();
        return w;
    }
};

// Starts the program's manager as the program does and handles what its start posts.
void Start(MdiManager &app) {
    app.InitInstance();
    Settle();
}

// ---- documents whose windows the layout keeps: a file "<n>.num" is document n

class NumberedDoc : public Document {
public:
    NumberedDoc(DocumentModel const &type, FileName const &name) : Document(type, &name) {}
    int Number() const { return GetFileName(0).GetTitle().to_int(); }
    int CanBeMemorizedInLayout() override { return !refuseLayout; }
    void SetDelayedMemento(DocMemento *memento) override { delayedMementos += memento ? 1 : 0; }
    int refuseLayout = 0;
    int delayedMementos = 0;
};

// The view is the page inside the document window; it packs the window's placement.
class NumberedView : public Page, public View {
public:
    explicit NumberedView(Document &doc) : View("Numbered", doc, 0) { SetWindow(this); }
    PackedMemento *CreatePackedMemento() override {
        return static_cast<PackedMemento *>(MDIChildMemento(GetParentH()).CreatePacked());
    }
};

class NumberedType : public DocumentModel {
public:
    NumberedType() {
        name = "Numbered";
        openFilter = "Numbered (*.num)|*.num|";
    }
    Document *OpenDoc(FileName const &file, DocMemento const *memento, int createView, int) override {
        ++opened;
        NumberedDoc *doc = new NumberedDoc(*this, file);
        if (createView)
            CreateView(*doc, memento ? memento->viewMemento : 0);
        return doc;
    }
    View *CreateView(Document &doc, ViewMemento const *memento) override {
        NumberedView *view = new NumberedView(doc);
        MDIChild *window = new MDIChild(*view, dynamic_cast<MDIChildMemento const *>(memento));
        window->Create();
        return view;
    }
    ViewMemento *CreateUnpackedViewMemento(PackedMemento const *packed) override {
        return MDIChildMemento::CreateUnpacked(packed);
    }
    DocMemento *CreateUnpackedDocMemento(PackedMemento const *) override { return new DocMemento; }
    int opened = 0;
};

class MdiTest : public testing::Test {
protected:
    void SetUp() override {
        CreateDirectoryA((TestsFolder() + "\\system").c_str(), 0);
        DeleteFileA((TestsFolder() + "\\system\\layout.dat").c_str());
        TApplication::SetWinMainParams(GetModuleHandleA(0), 0, "", SW_SHOWNORMAL);
    }
    void TearDown() override {
        DeleteFileA((TestsFolder() + "\\system\\mditest.set").c_str());
        DeleteFileA((TestsFolder() + "\\system\\layout.dat").c_str());
    }
};

// The numbers of the document windows from the top of the z-order down.
std::vector<int> ZOrder(MDIClient &client) {
    std::vector<int> order;
    for (HWND h = GetWindow(client.GetHandle(), GW_CHILD); h; h = GetWindow(h, GW_HWNDNEXT)) {
        TWindow *w = client.GetWindowPtr(h);
        if (NumberedWindow *numbered = dynamic_cast<NumberedWindow *>(w))
            order.push_back(numbered->number);
        else if (MDIChild *child = dynamic_cast<MDIChild *>(w))
            if (NumberedDoc *doc = child->GetView() ? dynamic_cast<NumberedDoc *>(&child->GetView()->GetDocument()) : 0)
                order.push_back(doc->Number());
    }
    return order;
}

TEST_F(MdiTest, ANewWindowOpensMaximizedWhenTheActiveOneIs) {
    MdiManager app;
    Start(app);
    NumberedWindow *first = app.Open(1);
    EXPECT_FALSE(first->IsZoomed());
    NumberedWindow *second = app.Open(2);
    EXPECT_FALSE(second->IsZoomed());
    app.GetMDIClient()->SendMessageA(WM_MDIMAXIMIZE, (WPARAM)second->GetHandle());
    EXPECT_TRUE(second->IsZoomed());
    NumberedWindow *third = app.Open(3);
    EXPECT_TRUE(third->IsZoomed());
    EXPECT_EQ(third, app.GetMDIClient()->GetActiveMDIChild());
}

TEST_F(MdiTest, PlacementsAreRestoredAndMaximizedOnesStartHidden) {
    MdiManager app;
    Start(app);
    WINDOWPLACEMENT p = {};
    p.length = sizeof p;
    p.showCmd = SW_SHOWNORMAL;
    p.rcNormalPosition = {30, 40, 330, 240};
    MDIChildMemento memento(p);
    NumberedWindow *w = app.Open(1, &memento);
    WINDOWPLACEMENT got = {};
    got.length = sizeof got;
    ASSERT_TRUE(w->GetWindowPlacement(&got));
    EXPECT_EQ(30, got.rcNormalPosition.left);
    EXPECT_EQ(40, got.rcNormalPosition.top);
    EXPECT_EQ(300, got.rcNormalPosition.right - got.rcNormalPosition.left);
    EXPECT_EQ(200, got.rcNormalPosition.bottom - got.rcNormalPosition.top);
    p.showCmd = SW_SHOWMAXIMIZED;
    MDIChildMemento maximized(p);
    NumberedWindow *m = app.Open(2, &maximized);
    EXPECT_TRUE(m->IsZoomed());
    EXPECT_TRUE(m->IsWindowVisible());
}

TEST_F(MdiTest, CloseChildrenClosesNothingWhenOneRefuses) {
    MdiManager app;
    Start(app);
    app.Open(1);
    NumberedWindow *two = app.Open(2);
    app.Open(3);
    two->page->refuse = 1;
    EXPECT_EQ(0, app.GetMDIClient()->CloseChildren());
    EXPECT_EQ(3u, ZOrder(*app.GetMDIClient()).size());
    two->page->refuse = 0;
    EXPECT_EQ(1, app.GetMDIClient()->CloseChildren());
    EXPECT_EQ(0u, ZOrder(*app.GetMDIClient()).size());
}

TEST_F(MdiTest, ClosingAChildLeavesOthersHiddenOrDisabled) {
    MdiManager app;
    Start(app);
    NumberedWindow *hidden = app.Open(1);
    NumberedWindow *disabled = app.Open(2);
    NumberedWindow *closing = app.Open(3);
    Settle();
    hidden->ShowWindow(SW_HIDE);
    disabled->EnableWindow(FALSE);
    closing->Destroy();
    delete closing;
    Settle();
    EXPECT_FALSE(hidden->IsWindowVisible());
    EXPECT_FALSE(disabled->IsWindowEnabled());
    EXPECT_FALSE(hidden->IsFlagSet(wfUnhidden));
    EXPECT_FALSE(disabled->IsFlagSet(wfReenabled));
}

TEST_F(MdiTest, TheStatusBarIsToggledByItsCommand) {
    MdiManager app;
    Start(app);
    FrameWindow *frame = dynamic_cast<FrameWindow *>(app.GetFrameWindow());
    StatusBar *bar = frame->GetStatusBar();
    ASSERT_TRUE(bar && bar->IsWindowVisible());
    TRect withBar = app.GetMDIClient()->GetWindowRect();
    TRect barRect = bar->GetWindowRect();
    EXPECT_EQ(withBar.bottom, barRect.top);
    frame->SendMessageA(WM_COMMAND, IDW_MESSAGEBAR);
    EXPECT_FALSE(bar->IsWindowVisible());
    EXPECT_EQ(withBar.bottom + barRect.Height(), app.GetMDIClient()->GetWindowRect().bottom);
    frame->SendMessageA(WM_COMMAND, IDW_MESSAGEBAR);
    EXPECT_TRUE(bar->IsWindowVisible());
    EXPECT_EQ(barRect, bar->GetWindowRect());
    EXPECT_EQ(withBar, app.GetMDIClient()->GetWindowRect());
}

TEST_F(MdiTest, TheFramesMessageLineIsTheStatusBarTheManagerDrives) {
    MdiManager app;
    Start(app);
    FrameWindow *frame = dynamic_cast<FrameWindow *>(app.GetFrameWindow());
    ASSERT_TRUE(frame->GetStatusBar());
    EXPECT_EQ(frame->GetStatusBar(), app.GetStatusBar());
}

// ---- the main frame's tip window, floating frames and about box

std::string aboutLine;

BOOL CALLBACK FindAboutBox(HWND h, LPARAM found) {
    if (ClassOf(h) == "#32770" && GetDlgItem(h, 100))
        *reinterpret_cast<HWND *>(found) = h;
    return TRUE;
}

// Reads the about box's product line and closes it, from a timer of the dialog's own
// message loop.
void CALLBACK CloseAboutBox(HWND, UINT, UINT_PTR id, DWORD) {
    HWND box = 0;
    EnumThreadWindows(GetCurrentThreadId(), FindAboutBox, LPARAM(&box));
    if (!box)
        return;
    char text[128] = {};
    GetDlgItemTextA(box, 100, text, sizeof text);
    aboutLine = text;
    KillTimer(0, id);
    PostCommand(box, IDCANCEL);
}

// Ends a box that the test could not close.
void CALLBACK CancelAboutBoxLate(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(0, id);
    HWND box = 0;
    EnumThreadWindows(GetCurrentThreadId(), FindAboutBox, LPARAM(&box));
    if (box)
        PostCommand(box, IDCANCEL);
}

TEST_F(MdiTest, TheAboutCommandShowsTheLanguageModulesAboutBox) {
    TModule language((TestsFolder() + "\\..\\program\\system\\EnglishTs.dll").c_str(), true);
    TModule *previous = TModule::_localizedResourceDLL;
    TModule::_localizedResourceDLL = &language;
    {
        MdiManager app;
        Start(app);
        aboutLine.clear();
        UINT_PTR timer = SetTimer(0, 0, 50, CloseAboutBox);
        UINT_PTR watchdog = SetTimer(0, 0, 10000, CancelAboutBoxLate);
        app.GetFrameWindow()->SendMessageA(WM_COMMAND, 20016);
        KillTimer(0, timer);
        KillTimer(0, watchdog);
        EXPECT_EQ("Tessaro version 1.0", aboutLine);
        // the frame is usable again after the box
        EXPECT_TRUE(app.GetFrameWindow()->IsWindowEnabled());
    }
    TModule::_localizedResourceDLL = previous;
}

TEST_F(MdiTest, TheFrameKeepsTheTipWindowAndTheFloatingFramesState) {
    MdiManager app;
    Start(app);
    FrameWindow *frame = dynamic_cast<FrameWindow *>(app.GetFrameWindow());
    ASSERT_TRUE(frame);
    HWND tip = frame->GetTooltip().GetHandle();
    EXPECT_TRUE(tip && IsWindow(tip));
    EXPECT_EQ(Tip::Plain, frame->GetTooltip().GetTipStyle());

    frame->SendMessageA(WM_ACTIVATEAPP, FALSE, 0);
    EXPECT_EQ(0, GetFloatingToolbarsActive());
    // while a modal run has disabled the top windows, idle time leaves them inactive
    frame->EnableWindow(false);
    frame->SendMessageA(WM_ACTIVATE, WA_INACTIVE, 0);
    EXPECT_EQ(0, GetFloatingToolbarsActive());
    frame->EnableWindow(true);
    SetForegroundWindow(frame->GetHandle());
    frame->IdleAction(0);
    DWORD process = 0;
    GetWindowThreadProcessId(GetForegroundWindow(), &process);
    if (process == GetCurrentProcessId()) {  // another program may hold the foreground
        EXPECT_EQ(1, GetFloatingToolbarsActive());
    }
    delete app.GetFrameWindow();
    EXPECT_FALSE(IsWindow(tip));
}

// A program's frame: its override builds the control bar before the frame's own part.
class BarFrame : public FrameWindow {
public:
    BarFrame() : FrameWindow("Bars", 0, *new MDIClient, 1) {}
    void BuildControlBar() override {
        controlBar_ = new ControlBar(GetTooltip(), this, "Main", TToolbar::DockTop, 1);
        controlBar_->Insert(*new TTextGadget(0, TGadget::Recessed, TTextGadget::Left, 5, "text"));
        controlBar_->EnableAll(0);
        FrameWindow::BuildControlBar();
    }
};

class BarManager : public MdiManager {
public:
    void InitMainWindow() override { SetMainWindow(new BarFrame); }
};

TEST_F(MdiTest, TheControlBarTakesTheFramesHintModeAndTipSettings) {
    BarManager app;
    Start(app);
    FrameWindow *frame = dynamic_cast<FrameWindow *>(app.GetFrameWindow());
    ControlBar *bar = frame->GetControlBar();
    ASSERT_TRUE(bar);
    EXPECT_EQ(TGadgetWindow::EnterHints, bar->GetHintMode());
    EXPECT_EQ(frame->GetShowTips(), frame->GetTooltip().AreTipsEnabled());
    for (TGadget *g = bar->FirstGadget(); g; g = g->NextGadget())
        EXPECT_TRUE(g->GetEnabled());
    // the status bar feeds the frame's tip window
    EXPECT_EQ(&frame->GetTooltip(), frame->GetStatusBar()->GetTip());
    EXPECT_TRUE(frame->GetStatusBar()->GetUseTips());

    frame->CmdToggleHint();
    EXPECT_EQ(1, frame->GetHintMode());
    EXPECT_EQ(TGadgetWindow::PressHints, bar->GetHintMode());
    frame->CmdToggleHint();
    EXPECT_EQ(TGadgetWindow::EnterHints, bar->GetHintMode());
}

// A program's frame as its settings were saved: hint mode and status bar shown or not.
class SavedFrame : public BarFrame {
public:
    SavedFrame(int hintMode, int showStatusBar) : hint(hintMode), show(showStatusBar) {}
    void LoadPref(Config &config) override {
        FrameWindow::LoadPref(config);
        hintMode_ = hint;
        showStatusBar_ = show;
    }
    int hint, show;
};

class SavedManager : public MdiManager {
public:
    SavedManager(int hintMode, int showStatusBar) : hint(hintMode), show(showStatusBar) {}
    void InitMainWindow() override { SetMainWindow(new SavedFrame(hint, show)); }
    int hint, show;
};

TEST_F(MdiTest, TheControlBarTakesTheSavedHintMode) {
    SavedManager app(1, 1);
    Start(app);
    FrameWindow *frame = dynamic_cast<FrameWindow *>(app.GetFrameWindow());
    ASSERT_TRUE(frame && frame->GetControlBar());
    EXPECT_EQ(1, frame->GetHintMode());
    EXPECT_EQ(TGadgetWindow::PressHints, frame->GetControlBar()->GetHintMode());
}

TEST_F(MdiTest, AStatusBarSavedHiddenCanBeShownAgain) {
    SavedManager app(2, 0);
    Start(app);
    FrameWindow *frame = dynamic_cast<FrameWindow *>(app.GetFrameWindow());
    StatusBar *bar = frame->GetStatusBar();
    ASSERT_TRUE(bar && bar->GetHandle());
    EXPECT_FALSE(bar->IsWindowVisible());
    frame->SendMessageA(WM_COMMAND, IDW_MESSAGEBAR);
    EXPECT_TRUE(bar->IsWindowVisible());
    EXPECT_EQ(bar->GetWindowRect().top, app.GetMDIClient()->GetWindowRect().bottom);
}

TEST_F(MdiTest, OpeningTheFileMenuListsTheRecentFiles) {
    MdiManager app;
    Start(app);
    app.GetFileHistory().Add(String("C:\\sounds\\one.wav"), String("Wave"));
    HMENU file = CreatePopupMenu();
    AppendMenuA(file, MF_STRING, 20007, "E&xit");
    app.GetFrameWindow()->SendMessageA(WM_INITMENUPOPUP, (WPARAM)file, 0);
    EXPECT_EQ(3, GetMenuItemCount(file));  // exit, separator, one recent file
    EXPECT_EQ(20030u, GetMenuItemID(file, 2));
    DestroyMenu(file);
}

TEST_F(MdiTest, AMenuOrAClickElsewhereClosesAnOpenDropDownList) {
    MdiManager app;
    Start(app);
    TWindow *frame = app.GetFrameWindow();
    HWND combo = CreateWindowA("COMBOBOX", "", WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST, 0, 0, 120, 200,
                               frame->GetHandle(), (HMENU)4900, GetModuleHandleA(0), 0);
    SendMessageA(combo, CB_ADDSTRING, 0, (LPARAM) "one");
    SetFocus(combo);
    ASSERT_EQ(combo, GetFocus());
    SendMessageA(combo, CB_SHOWDROPDOWN, TRUE, 0);
    ASSERT_EQ(1, (int)SendMessageA(combo, CB_GETDROPPEDSTATE, 0, 0));
    HMENU popup = CreatePopupMenu();
    frame->SendMessageA(WM_INITMENUPOPUP, (WPARAM)popup, 0);
    EXPECT_EQ(0, (int)SendMessageA(combo, CB_GETDROPPEDSTATE, 0, 0));
    DestroyMenu(popup);
    // a click on another window closes it too, a click on the box itself does not
    SendMessageA(combo, CB_SHOWDROPDOWN, TRUE, 0);
    MSG click = {combo, WM_LBUTTONDOWN, MK_LBUTTON, 0};
    app.ProcessAppMsg(click);
    EXPECT_EQ(1, (int)SendMessageA(combo, CB_GETDROPPEDSTATE, 0, 0));
    click.hwnd = app.GetMDIClient()->GetHandle();
    app.ProcessAppMsg(click);
    EXPECT_EQ(0, (int)SendMessageA(combo, CB_GETDROPPEDSTATE, 0, 0));
    DestroyWindow(combo);
}

// An application that answers the double click on the empty client area.
class DoubleClickManager : public MdiManager {
public:
    void CmDoubleClick() { ++doubleClicks; }
    int doubleClicks = 0;
    DECLARE_RESPONSE_TABLE(DoubleClickManager);
};

DEFINE_RESPONSE_TABLE1(DoubleClickManager, MdiManager)
    EV_COMMAND(32010, CmDoubleClick),
END_RESPONSE_TABLE;

TEST_F(MdiTest, ADoubleClickOnTheEmptyClientReachesTheApplication) {
    DoubleClickManager app;
    Start(app);
    app.Open(1)->MoveWindow(0, 0, 60, 60, true);
    TWindow &client = *app.GetMDIClient();
    client.SendMessageA(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(150, 150));
    client.SendMessageA(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(150, 150));
    Settle();
    EXPECT_EQ(1, app.doubleClicks);
    // the same number from the window menu is the system's item, not the double click
    app.GetFrameWindow()->SendMessageA(WM_COMMAND, 32010, 0);
    EXPECT_EQ(1, app.doubleClicks);
}

class LayoutTest : public MdiTest {
protected:
    void SetUp() override {
        MdiTest::SetUp();
        CreateDirectoryA(folder.c_str(), 0);
    }
    void TearDown() override {
        for (int n = 1; n <= 9; ++n)
            DeleteFileA(File(n).c_str());
        RemoveDirectoryA(folder.c_str());
        MdiTest::TearDown();
    }
    // Creates the file of document n.
    std::string File(int n) {
        std::string name = folder + "\\" + std::to_string(n) + ".num";
        if (GetFileAttributesA(name.c_str()) == INVALID_FILE_ATTRIBUTES)
            CloseHandle(CreateFileA(name.c_str(), GENERIC_WRITE, 0, 0, CREATE_NEW, 0, 0));
        return name;
    }
    NumberedDoc *OpenDoc(MdiManager &app, int n, MDIChildMemento const *placement = 0) {
        DocMemento memento;
        memento.viewMemento = placement ? new MDIChildMemento(*placement) : 0;
        return static_cast<NumberedDoc *>(app.OpenDocument(type, FileName(File(n).c_str()), &memento, 0, 1, 0, 0, 1));
    }
    int DocumentCount(MdiManager &app) {
        int n = 0;
        for (Document *d = app.FindFirstDoc(); d; d = app.FindNextDoc(d))
            ++n;
        return n;
    }

    std::string folder = TestsFolder() + "\\layoutdocs";
    NumberedType type;
};

TEST_F(LayoutTest, WindowsComeBackWithTheirDocumentsInTheSameZOrder) {
    std::vector<int> saved;
    {
        MdiManager app;
        Start(app);
        WINDOWPLACEMENT p = {};
        p.length = sizeof p;
        p.showCmd = SW_SHOWNORMAL;
        p.rcNormalPosition = {10, 10, 210, 110};
        MDIChildMemento placement(p);
        ASSERT_TRUE(OpenDoc(app, 4, &placement));
        ASSERT_TRUE(OpenDoc(app, 5));
        ASSERT_TRUE(OpenDoc(app, 6));
        // a window that is not on top any more
        app.GetMDIClient()->SendMessageA(WM_MDINEXT, 0, 0);
        saved = ZOrder(*app.GetMDIClient());
        ASSERT_EQ(3u, saved.size());
        EXPECT_EQ(1, app.CanClose());
    }
    type.opened = 0;
    MdiManager again;
    Start(again);
    EXPECT_EQ(3, type.opened);
    EXPECT_EQ(saved, ZOrder(*again.GetMDIClient()));
    // the placement came back with the window of document 4
    for (HWND h = GetWindow(again.GetMDIClient()->GetHandle(), GW_CHILD); h; h = GetWindow(h, GW_HWNDNEXT)) {
        MDIChild *child = dynamic_cast<MDIChild *>(again.GetMDIClient()->GetWindowPtr(h));
        if (!child || static_cast<NumberedDoc &>(child->GetView()->GetDocument()).Number() != 4)
            continue;
        WINDOWPLACEMENT got = {};
        got.length = sizeof got;
        child->GetWindowPlacement(&got);
        EXPECT_EQ(200, got.rcNormalPosition.right - got.rcNormalPosition.left);
        EXPECT_EQ(100, got.rcNormalPosition.bottom - got.rcNormalPosition.top);
    }
}

TEST_F(LayoutTest, TwoWindowsOfOneDocumentReopenItOnceWithASecondView) {
    {
        MdiManager app;
        Start(app);
        NumberedDoc *doc = OpenDoc(app, 7);
        ASSERT_TRUE(doc);
        type.CreateView(*doc, 0);
        Settle();
        EXPECT_EQ(1, app.CanClose());
    }
    type.opened = 0;
    MdiManager again;
    Start(again);
    EXPECT_EQ(1, type.opened);
    ASSERT_EQ(1, DocumentCount(again));
    NumberedDoc *doc = static_cast<NumberedDoc *>(again.FindFirstDoc());
    EXPECT_EQ(2, doc->GetNumViews());
    EXPECT_EQ(0, doc->delayedMementos);  // the memento went with the opening
    EXPECT_EQ((std::vector<int>{7, 7}), ZOrder(*again.GetMDIClient()));
}

TEST_F(LayoutTest, UntitledNoFileAndRefusingDocumentsAreNotKept) {
    {
        MdiManager app;
        Start(app);
        ASSERT_TRUE(OpenDoc(app, 1));
        OpenDoc(app, 2)->refuseLayout = 1;
        Document *untitled = new Document(type);
        type.CreateView(*untitled, 0);
        DocumentModel noFileType(type);
        noFileType.noFile = 1;
        FileName noFileName(File(8).c_str());
        Document *noFile = new Document(noFileType, &noFileName);
        type.CreateView(*noFile, 0);
        Settle();
        EXPECT_EQ(1, app.CanClose());
    }
    type.opened = 0;
    MdiManager again;
    Start(again);
    EXPECT_EQ(1, type.opened);
    EXPECT_EQ((std::vector<int>{1}), ZOrder(*again.GetMDIClient()));
}

TEST_F(LayoutTest, AMissingFileOrTypeCostsOnlyItsWindow) {
    {
        MdiManager app;
        Start(app);
        ASSERT_TRUE(OpenDoc(app, 1));
        ASSERT_TRUE(OpenDoc(app, 2));
        EXPECT_EQ(1, app.CanClose());
    }
    DeleteFileA(File(1).c_str());
    type.opened = 0;
    MdiManager again;
    Start(again);
    EXPECT_EQ((std::vector<int>{2}), ZOrder(*again.GetMDIClient()));
}

}  // namespace

// ---- document windows: their document's commands, the current document and the status bar

namespace {

std::vector<std::string> statusCalls;

class TrackedDoc : public Document {
public:
    explicit TrackedDoc(DocumentModel const &type) : Document(type) {}
    void NotifyIsCurrentDoc(int state) override {
        states.push_back(state);
        Document::NotifyIsCurrentDoc(state);
    }
    int IsChanged() override { return changed; }
    int CanClose() override { return refuse ? 0 : Document::CanClose(); }
    int changed = 0;
    int refuse = 0;
    std::vector<int> states;
};

// A document that counts how often its own deletion runs.
class CountedDoc : public TrackedDoc {
public:
    CountedDoc(DocumentModel const &type, int &deletes) : TrackedDoc(type), deletes(deletes) {}
    void Delete() override {
        ++deletes;
        TrackedDoc::Delete();
    }
    int &deletes;
};

TEST_F(MdiTest, DocumentsLeftAtTheEndGoThroughTheirOwnDeletion) {
    DocumentModel type;
    type.name = "Tracked";
    int deletes = 0;
    {
        MdiManager app;
        Start(app);
        new CountedDoc(type, deletes);
        new CountedDoc(type, deletes);
    }
    EXPECT_EQ(2, deletes);
}

// A view that is its own window, as a program's views are.
class PageView : public Page, public View {
public:
    PageView(Document &doc, char const *name) : View(name, doc, 0) { SetWindow(this); }
    void SetStatusBar(int on) override { statusCalls.push_back(std::string(on ? "on " : "off ") + GetViewName()); }
    void UpdateStatusBar() override { statusCalls.push_back(std::string("update ") + GetViewName()); }
    int OnStartRubber() override { return ++rubberStarts, 1; }
    void OnEndRubber(TRect const &rect) override { rubbers.push_back(rect); }
    int rubberStarts = 0;
    std::vector<TRect> rubbers;
};
class OtherView : public PageView {
public:
    using PageView::PageView;
};

class EnableProbe : public TCommandEnabler {
public:
    explicit EnableProbe(uint id) : TCommandEnabler(id) {}
    void Enable(int on) override {
        TCommandEnabler::Enable(on);
        enabled = on;
    }
    void SetText(char const *) override {}
    void SetCheck(int) override {}
    int enabled = -1;
};

int Enabled(TWindow &window, uint id) {
    EnableProbe probe(id);
    window.SendMessageA(0x7FFF, 0, (LPARAM)&probe);
    return probe.enabled;
}

template <class V>
MDIChild *OpenWindow(TrackedDoc *doc, char const *name) {
    MDIChild *w = new MDIChild(*new V(*doc, name));
    w->Create();
    Settle();
    return w;
}

}  // namespace

TEST_F(MdiTest, ActivationTellsTheDocumentAndTheStatusBar) {
    DocumentModel type;
    type.name = "Tracked";
    MdiManager app;
    Start(app);
    statusCalls.clear();
    TrackedDoc *a = new TrackedDoc(type);
    OpenWindow<PageView>(a, "A");
    ASSERT_FALSE(a->states.empty());
    EXPECT_EQ(1, a->states.back());
    EXPECT_EQ(a, app.GetCurrentDoc());
    EXPECT_EQ(std::vector<std::string>{"on A"}, statusCalls);

    // a view of the same class only refreshes the bar
    statusCalls.clear();
    TrackedDoc *b = new TrackedDoc(type);
    OpenWindow<PageView>(b, "B");
    EXPECT_EQ(0, a->states.back());
    EXPECT_EQ(1, b->states.back());
    EXPECT_EQ(b, app.GetCurrentDoc());
    EXPECT_EQ(std::vector<std::string>{"update B"}, statusCalls);

    // another class: the old view gives the bar up, the new one takes it
    statusCalls.clear();
    TrackedDoc *c = new TrackedDoc(type);
    MDIChild *wc = OpenWindow<OtherView>(c, "C");
    EXPECT_EQ((std::vector<std::string>{"off B", "on C"}), statusCalls);
    EXPECT_EQ(0u, TextOf(*app.GetFrameWindow()).find(c->GetTitle().c_str()));

    // the last window closed: no current document
    wc->SendMessageA(WM_COMMAND, 20027);
    Settle();
    EXPECT_EQ(2, app.GetDocList().GetCount());
    app.GetMDIClient()->CloseChildren();
    Settle();
    EXPECT_EQ(-1, b->states.back());
    EXPECT_TRUE(app.GetCurrentDoc() == 0);
}

TEST_F(MdiTest, DocumentCommandsAreEnabledByTheDocumentsState) {
    DocumentModel type;
    type.name = "Tracked";
    DocumentModel titles;
    titles.name = "Titles";
    titles.noFile = 1;
    MdiManager app;
    Start(app);
    TrackedDoc *untitled = new TrackedDoc(type);
    MDIChild *w = OpenWindow<PageView>(untitled, "U");
    EXPECT_EQ(0, Enabled(*w, 20025));
    EXPECT_EQ(1, Enabled(*w, 20026));
    untitled->changed = 1;
    EXPECT_EQ(1, Enabled(*w, 20025));
    // an untitled document has nothing to reload
    EXPECT_EQ(0, Enabled(*w, 20018));
    untitled->TakeName(FileName("C:\\song.wav"));
    untitled->changed = 1;
    EXPECT_EQ(1, Enabled(*w, 20018));

    // documents that are no files are never saved
    TrackedDoc *plain = new TrackedDoc(titles);
    plain->changed = 1;
    MDIChild *p = OpenWindow<PageView>(plain, "P");
    EXPECT_EQ(0, Enabled(*p, 20025));
    EXPECT_EQ(0, Enabled(*p, 20026));
    EXPECT_EQ(0, Enabled(*p, 20018));

    // a changed document asks before it closes; No keeps it
    TMessageBoxAnswerer previous = SetMessageBoxAnswerer([](HWND, char const *, char const *, unsigned) {
        return IDCANCEL;
    });
    untitled->changed = 1;
    w->SendMessageA(WM_COMMAND, 20027);
    Settle();
    EXPECT_EQ(2, app.GetDocList().GetCount());
    untitled->changed = 0;
    w->SendMessageA(WM_COMMAND, 20027);
    Settle();
    EXPECT_EQ(1, app.GetDocList().GetCount());
    SetMessageBoxAnswerer(previous);
}

TEST_F(MdiTest, TheActiveViewDrawsTheRubberBand) {
    DocumentModel type;
    type.name = "Tracked";
    MdiManager app;
    Start(app);
    EXPECT_TRUE(app.FindActiveView() == 0);
    TrackedDoc *doc = new TrackedDoc(type);
    MDIChild *w = OpenWindow<PageView>(doc, "R");
    PageView *view = static_cast<PageView *>(w->GetClientWindow());
    EXPECT_EQ(static_cast<View *>(view), app.FindActiveView());
    EXPECT_EQ(doc, app.FindActiveDocument());
    // a small child leaves the empty client area free for the band
    w->MoveWindow(0, 0, 60, 60, true);
    TWindow &client = *app.GetMDIClient();
    client.SendMessageA(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(100, 100));
    EXPECT_EQ(1, view->rubberStarts);
    client.SendMessageA(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(250, 200));
    client.SendMessageA(WM_LBUTTONUP, 0, MAKELPARAM(250, 200));
    ASSERT_EQ(1u, view->rubbers.size());
    EXPECT_EQ(150, view->rubbers[0].Width());
    EXPECT_EQ(100, view->rubbers[0].Height());
    // too small a band is dropped
    Sleep(350);
    client.SendMessageA(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(100, 100));
    client.SendMessageA(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(200, 170));
    client.SendMessageA(WM_LBUTTONUP, 0, MAKELPARAM(200, 170));
    EXPECT_EQ(2, view->rubberStarts);
    EXPECT_EQ(1u, view->rubbers.size());
}

TEST_F(MdiTest, CloseAllStopsWhenTheMasterDocumentStays) {
    DocumentModel masterType;
    masterType.name = "Master";
    masterType.master = 1;
    MdiManager app;
    Start(app);
    TrackedDoc *master = new TrackedDoc(masterType);
    app.Open(1);
    app.Open(2);
    master->refuse = 1;
    app.GetMDIClient()->SendMessageA(WM_COMMAND, 24365);
    Settle();
    EXPECT_EQ(2u, ZOrder(*app.GetMDIClient()).size());
    EXPECT_EQ(1, app.GetDocList().GetCount());
    EXPECT_EQ(0, app.IsClosingAll());
    master->refuse = 0;
    app.GetMDIClient()->SendMessageA(WM_COMMAND, 24365);
    Settle();
    EXPECT_EQ(0u, ZOrder(*app.GetMDIClient()).size());
    EXPECT_EQ(0, app.GetDocList().GetCount());
}

TEST_F(MdiTest, WindowsOfOneDocumentAreTitledAndNumbered) {
    DocumentModel type;
    type.name = "Tracked";
    MdiManager app;
    Start(app);
    TrackedDoc *doc = new TrackedDoc(type);
    std::string title = doc->GetTitle().c_str();
    MDIChild *first = OpenWindow<PageView>(doc, "1");
    EXPECT_EQ(title, TextOf(*first));
    MDIChild *second = OpenWindow<PageView>(doc, "2");
    EXPECT_EQ(title + " : 1", TextOf(*first));
    EXPECT_EQ(title + " : 2", TextOf(*second));
}
