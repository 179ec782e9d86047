// The drag list driven with the library's registered message: the parent passes each
// report back to its list, which answers through its four overridable operations.
#include "controls/DragList.h"
#include "tests/framework/ControlHost.h"

#include <gtest/gtest.h>

#include <string>

namespace {
class DragHost : public ControlHost, public TDragListEventHandler {
public:
    DECLARE_RESPONSE_TABLE(DragHost);
};
DEFINE_RESPONSE_TABLE2(DragHost, ControlHost, TDragListEventHandler)
END_RESPONSE_TABLE;

class RecordingList : public TDragList {
public:
    RecordingList(TWindow *parent) : TDragList(parent, 52401, 10, 10, 150, 100) {}
    std::string Trace;
    int Allow = 1;
    int BeginDrag(int item, TPoint const &) override {
        Trace += "begin " + std::to_string(item) + " ";
        return Allow;
    }
    TCursorType Dragging(int item, TPoint const &) override {
        Trace += "drag " + std::to_string(item) + " ";
        return dlMoveCursor;
    }
    void Dropped(int item, TPoint const &) override { Trace += "drop " + std::to_string(item) + " "; }
    void CancelDrag(int item, TPoint const &) override { Trace += "cancel " + std::to_string(item) + " "; }
};

class DragListTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(host.Create()); }
    void Fill(TListBox &list, int n) {
        for (int i = 0; i < n; i++)
            list.AddString(("item " + std::to_string(100 + i)).c_str());
    }
    // A report of the library about the list at a point of its client area.
    long Report(TListBox &list, uint code, TPoint client) {
        DRAGLISTINFO info = {code, list.GetHandle(), client};
        ::ClientToScreen(list.GetHandle(), &info.ptCursor);
        return host.SendMessageA(TDragList::DragListMessage(), list.GetId(), LPARAM(&info));
    }
    TPoint Centre(TListBox &list, int i) {
        TRect r;
        list.GetItemRect(i, r);
        return TPoint(r.left + 5, (r.top + r.bottom) / 2);
    }
    TestApp app;
    DragHost host;
};
}  // namespace

TEST_F(DragListTest, DefaultsStartNoDragAndShowTheStopCursor) {
    TDragList *list = new TDragList(&host, 52402, 10, 10, 150, 100);
    ASSERT_TRUE(list->Create());
    Fill(*list, 3);
    EXPECT_STREQ("LISTBOX", list->GetClassNameA());
    EXPECT_EQ(::RegisterWindowMessageA("commctrl_DragListMsg"), TDragList::DragListMessage());
    EXPECT_EQ(0, Report(*list, DL_BEGINDRAG, Centre(*list, 1)));
    EXPECT_EQ(DL_STOPCURSOR, Report(*list, DL_DRAGGING, Centre(*list, 1)));
    EXPECT_EQ(0, Report(*list, DL_DROPPED, Centre(*list, 1)));
    EXPECT_EQ(0, host.SendMessageA(TDragList::DragListMessage(), 52402, 0));  // no record
    EXPECT_EQ(0, list->SendMessageA(TDragList::DragListMessage(), 52402, 0));
}

TEST_F(DragListTest, ReportsReachTheOverrides) {
    RecordingList *list = new RecordingList(&host);
    ASSERT_TRUE(list->Create());
    Fill(*list, 3);
    EXPECT_EQ(1, Report(*list, DL_BEGINDRAG, Centre(*list, 1)));
    EXPECT_EQ(DL_MOVECURSOR, Report(*list, DL_DRAGGING, Centre(*list, 2)));
    EXPECT_EQ(0, Report(*list, DL_DROPPED, Centre(*list, 0)));
    EXPECT_EQ(0, Report(*list, DL_CANCELDRAG, Centre(*list, 2)));
    EXPECT_EQ(0, Report(*list, 99, Centre(*list, 2)));  // an unknown code reaches nothing
    EXPECT_EQ("begin 1 drag 2 drop 0 cancel 2 ", list->Trace);
    list->Trace.clear();
    list->Allow = 0;
    EXPECT_EQ(0, Report(*list, DL_BEGINDRAG, Centre(*list, 0)));
    // below the last item but inside the list: no item
    TRect client;
    ::GetClientRect(list->GetHandle(), &client);
    EXPECT_EQ(DL_MOVECURSOR, Report(*list, DL_DRAGGING, TPoint(5, client.bottom - 3)));
    EXPECT_EQ("begin 0 drag -1 ", list->Trace);
    EXPECT_EQ(-1, list->ItemFromPoint(TPoint(0, 0), false));  // screen point far away
}

TEST_F(DragListTest, ACursorBelowTheListScrollsIt) {
    RecordingList *list = new RecordingList(&host);
    ASSERT_TRUE(list->Create());
    Fill(*list, 40);
    EXPECT_EQ(0, list->GetTopIndex());
    TRect client;
    ::GetClientRect(list->GetHandle(), &client);
    Report(*list, DL_DRAGGING, TPoint(5, client.bottom + 10));
    EXPECT_EQ("drag -1 ", list->Trace);
    EXPECT_GT(list->GetTopIndex(), 0);
}
