// The note tab control: insertion selects quietly, the parent may veto a change, tabs
// that do not fit are neither drawn nor clickable, deleting keeps the selection valid.
#include "tests/framework/TestApp.h"

#include "tests/framework/GdiCanvas.h"
#include "controls/NoteTab.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <string>

namespace {

// A parent that logs the control's notifications and may refuse a change.
class Host : public TWindow {
public:
    Host() : TWindow(0, "host") {
        Attr.Style = WS_POPUP;
        Attr.W = 300, Attr.H = 100;
    }
    LRESULT EvNotify(uint, TNotify &info) override {
        Log += info.code == (UINT)TCN_SELCHANGING ? "changing " : info.code == (UINT)TCN_SELCHANGE ? "change " : "? ";
        return info.code == (UINT)TCN_SELCHANGING ? Refuse : 0;
    }
    std::string Log;
    int Refuse = 0;
};

struct Fixture {
    TestApp app;
    Host host;
    TNoteTab *tabs;
    Fixture(int width = 200) {
        tabs = new TNoteTab(&host, 51100, 0, 0, width, 20);
        host.Create();
    }
    ~Fixture() { host.Destroy(); }
    void Click(int index) {
        TNoteTabItem item;
        tabs->GetItem(index, item);
        tabs->HandleMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(item.Rect.left + 3, item.Rect.top + 2));
    }
};

TEST(NoteTab, InsertSelectsQuietlyAndTheParentMayVetoAChange) {
    Fixture f;
    EXPECT_EQ(-1, f.tabs->GetSel());
    EXPECT_EQ(0, f.tabs->Add("one", 11));
    EXPECT_EQ(0, f.tabs->GetSel());
    EXPECT_EQ(1, f.tabs->Add("two", 22));
    EXPECT_EQ(1, f.tabs->GetSel());
    EXPECT_EQ(0, f.tabs->Insert("zero", 0, 7));
    EXPECT_EQ(0, f.tabs->GetSel());
    EXPECT_EQ(3, f.tabs->Insert("end", 99));  // beyond the count: at the end
    EXPECT_EQ("", f.host.Log);
    TNoteTabItem item;
    ASSERT_TRUE(f.tabs->GetItem(2, item));
    EXPECT_EQ("two", std::string(item.Label.c_str()));
    EXPECT_EQ(22u, item.ClientData);
    EXPECT_FALSE(f.tabs->GetItem(4, item));

    f.Click(1);
    EXPECT_EQ("changing change ", f.host.Log);
    EXPECT_EQ(1, f.tabs->GetSel());
    f.host.Refuse = 1;
    f.host.Log.clear();
    f.Click(2);
    EXPECT_EQ("changing ", f.host.Log);
    EXPECT_EQ(1, f.tabs->GetSel());
    f.host.Refuse = 0;
    f.tabs->HandleMessage(WM_KEYDOWN, VK_RIGHT);
    EXPECT_EQ(2, f.tabs->GetSel());
    f.tabs->HandleMessage(WM_KEYDOWN, VK_LEFT);
    f.tabs->HandleMessage(WM_KEYDOWN, VK_LEFT);
    f.tabs->HandleMessage(WM_KEYDOWN, VK_LEFT);  // the first stays
    EXPECT_EQ(0, f.tabs->GetSel());
    EXPECT_EQ(-1, f.tabs->SetSel(9));
    EXPECT_EQ(0, f.tabs->Transfer(0, tdGetData));
}

TEST(NoteTab, TabsThatDoNotFitHaveNoPlace) {
    Fixture f(120);
    for (int i = 0; i < 8; ++i)
        f.tabs->Add(("sheet " + std::to_string(i)).c_str());
    EXPECT_TRUE(f.tabs->IsVisible(0));
    EXPECT_FALSE(f.tabs->IsVisible(7));
    TNoteTabItem last;
    f.tabs->GetItem(7, last);
    EXPECT_EQ(0, last.Rect.left | last.Rect.top | last.Rect.right | last.Rect.bottom);
    // drawn: the shown tabs and the line they hang from, nothing past the last shown one
    TRect client = f.tabs->GetClientRect();
    Canvas canvas(client.Width(), client.Height(), RGB(1, 2, 3));
    TRect all = client;
    f.tabs->Paint(canvas.dc(), 1, all);
    TNoteTabItem first;
    f.tabs->GetItem(0, first);
    EXPECT_NE(RGB(1, 2, 3), canvas.At(first.Rect.left - 4, first.Rect.top - 1));
    EXPECT_GT(client.Width() * client.Height() - canvas.Count(RGB(1, 2, 3)), 0);
}

TEST(NoteTab, DeletingKeepsTheSelectionInRange) {
    Fixture f;
    f.tabs->Add("a");
    f.tabs->Add("b");
    f.tabs->Add("c");
    EXPECT_EQ(2, f.tabs->GetSel());
    EXPECT_FALSE(f.tabs->Delete(3));
    EXPECT_TRUE(f.tabs->Delete(2));
    EXPECT_EQ(1, f.tabs->GetSel());
    EXPECT_EQ(2, f.tabs->GetCount());
    EXPECT_TRUE(f.tabs->DeleteAll());
    EXPECT_EQ(-1, f.tabs->GetSel());
    EXPECT_EQ(0, f.tabs->GetCount());
}


TEST(NoteTab, InsertingRepaintsTheTabThatLosesTheSelection) {
    Fixture f;
    f.tabs->Add("one");
    f.tabs->Add("two");
    f.tabs->SetSel(0);
    f.host.ShowWindow(SW_SHOWNA);
    f.tabs->UpdateWindow();
    f.tabs->Add("three");  // at the end: the first tab keeps its place
    TNoteTabItem one;
    f.tabs->GetItem(0, one);
    HRGN update = ::CreateRectRgn(0, 0, 0, 0);
    ::GetUpdateRgn(f.tabs->GetHandle(), update, FALSE);
    EXPECT_TRUE(::PtInRegion(update, (one.Rect.left + one.Rect.right) / 2, (one.Rect.top + one.Rect.bottom) / 2));
    ::DeleteObject(update);
}

}  // namespace
