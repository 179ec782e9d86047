// The small list and tree views on the real common controls: items found, changed and
// deleted by their values, selection, sorting and notifications reaching the parent.
#include "controls/ListView.h"
#include "controls/TreeView.h"
#include "tests/framework/ControlHost.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {
class NotifyHost : public ControlHost {
public:
    std::string Trace;
    void ListChanged(uint code) { Trace += "list "; }
    void TreeChanged(uint code) { Trace += "tree "; }
    DECLARE_RESPONSE_TABLE(NotifyHost);
};
DEFINE_RESPONSE_TABLE1(NotifyHost, ControlHost)
    EV_CHILD_NOTIFY_CODE(52101, LVN_ITEMCHANGED, ListChanged),
    EV_CHILD_NOTIFY_CODE(52102, TVN_SELCHANGEDA, TreeChanged),
END_RESPONSE_TABLE;

class ListViewTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(host.Create());
        list = new ListView(&host, 52101, 0, 0, 300, 200);
        list->Attr.Style |= LVS_REPORT;
        ASSERT_TRUE(list->Create());
        LVCOLUMNA column = {};
        column.mask = LVCF_TEXT | LVCF_WIDTH;
        column.pszText = (char *)"Name";
        column.cx = 120;
        EXPECT_EQ(0, list->InsertColumn(0, column));
        column.pszText = (char *)"Size";
        column.cx = 60;
        EXPECT_EQ(1, list->InsertColumn(1, column));
    }
    int Add(char const *text, long data) {
        LVITEMA item = {};
        item.mask = LVIF_TEXT | LVIF_PARAM;
        item.iItem = list->GetNumItem();
        item.pszText = (char *)text;
        item.lParam = data;
        return list->Insert(item);
    }
    std::string Text(int i, int sub = 0) {
        char buffer[64] = "";
        LVITEMA item = {};
        item.iSubItem = sub;
        item.pszText = buffer;
        item.cchTextMax = sizeof buffer;
        list->SendMessageA(LVM_GETITEMTEXTA, i, LPARAM(&item));
        return buffer;
    }
    std::string Order() {
        std::string order;
        for (int i = list->GetNextItem(-1); i != -1; i = list->GetNextItem(i))
            order += Text(i) + " ";
        return order;
    }
    TestApp app;
    NotifyHost host;
    ListView *list = 0;
};

int CALLBACK ByValueDescending(LPARAM a, LPARAM b, LPARAM sign) { return int(sign) * int(b - a); }
}  // namespace

TEST_F(ListViewTest, StylesOfBothForms) {
    EXPECT_EQ(0x150u, list->Attr.Style & 0x150);
    ListView wrapped(&host, 52199);
    EXPECT_EQ(0x50u, wrapped.Attr.Style & 0x1F0);
    EXPECT_STREQ("SysListView32", list->GetClassNameA());
    TreeView tree(&host, 52198, 0, 0, 10, 10);
    EXPECT_EQ(7u, tree.Attr.Style & 7);
    EXPECT_STREQ("SysTreeView32", tree.GetClassNameA());
}

TEST_F(ListViewTest, ItemsByValueSortedAndFound) {
    Add("cherry", 3);
    Add("apple", 1);
    Add("banana", 2);
    Add("date", 1);
    // the control keeps its items in ascending order of their texts
    EXPECT_EQ("apple banana cherry date ", Order());
    EXPECT_EQ(4, list->GetNumItem());
    EXPECT_EQ(1u, list->GetItemData(0));
    EXPECT_EQ(0u, list->GetItemData(9));
    EXPECT_EQ(0, list->FindItem(1));  // the earlier of two
    EXPECT_EQ(2, list->FindItem(3));
    EXPECT_EQ(-1, list->FindItem(77));

    EXPECT_TRUE(list->SetItemData(3, -5));
    EXPECT_EQ(0xFFFFFFFBu, list->GetItemData(3));
    EXPECT_EQ(3, list->FindItem(0xFFFFFFFBu));
    EXPECT_TRUE(list->RenameItem(1, "blueberry"));
    EXPECT_EQ("blueberry", Text(1));
    LVITEMA item = {};
    item.iItem = 2;
    EXPECT_TRUE(list->SetItemText(item, 1, "12 KB"));
    EXPECT_EQ("12 KB", Text(2, 1));
    EXPECT_EQ(1, item.iSubItem);
    EXPECT_EQ(5, item.cchTextMax);
    list->SetItemText(item, 1, LPSTR_TEXTCALLBACKA);
    EXPECT_EQ(0, item.cchTextMax);
    EXPECT_TRUE(list->SetImageIndex(0, 4));
    LVITEMA image = {};
    image.mask = LVIF_IMAGE;
    image.iItem = 0;
    list->SendMessageA(LVM_GETITEMA, 0, LPARAM(&image));
    EXPECT_EQ(4, image.iImage);
    EXPECT_EQ(120, list->GetColumnWidth(0));
    LVCOLUMNA column = {};
    column.mask = LVCF_WIDTH;
    EXPECT_TRUE(list->GetColumnInfo(1, column));
    EXPECT_EQ(60, column.cx);

    EXPECT_TRUE(list->SortItems(&ByValueDescending, 1));
    EXPECT_EQ(3u, list->GetItemData(0));
    EXPECT_EQ(0xFFFFFFFBu, list->GetItemData(3));

    EXPECT_TRUE(list->FindAndDelete(2));
    EXPECT_FALSE(list->FindAndDelete(2));
    EXPECT_EQ(3, list->GetNumItem());
    EXPECT_TRUE(list->Delete(0));
    EXPECT_TRUE(list->DeleteAll());
    EXPECT_EQ(0, list->GetNumItem());
}

TEST_F(ListViewTest, SelectionAndHitTest) {
    for (char const *t : {"a", "b", "c", "d"})
        Add(t, t[0]);
    EXPECT_EQ(-1, list->GetFirstSelectedItem());
    list->SelectItem(0, 0, 0);
    list->SelectItem(2, 0, 1);
    EXPECT_EQ(2, list->GetNumSelectedItem());
    EXPECT_EQ(0, list->GetFirstSelectedItem());
    EXPECT_EQ(2, list->GetNextSelectedItem(0));
    EXPECT_EQ(2, list->GetFocusedItem());
    host.Trace.clear();
    list->SelectItem(3, 1, 1);
    EXPECT_EQ(1, list->GetNumSelectedItem());
    EXPECT_EQ(3, list->GetFirstSelectedItem());
    EXPECT_EQ(3, list->GetFocusedItem());
    EXPECT_NE(std::string::npos, host.Trace.find("list "));  // reached the parent's table
    EXPECT_TRUE(list->DeselectItem(3));
    EXPECT_EQ(0, list->GetNumSelectedItem());

    RECT r = {LVIR_LABEL};
    list->SendMessageA(LVM_GETITEMRECT, 1, LPARAM(&r));
    unsigned flags = 0;
    EXPECT_EQ(1, list->GetItemAtPoint(TPoint((r.left + r.right) / 2, (r.top + r.bottom) / 2), &flags));
    EXPECT_TRUE(flags & LVHT_ONITEM);
    EXPECT_EQ(-1, list->GetItemAtPoint(TPoint(5, 190), &flags));
    EXPECT_EQ(-1, list->GetItemAtPoint(TPoint(5, 190)));
    EXPECT_TRUE(list->EnsureVisible(3));
    EXPECT_TRUE(list->InvalidateItem(2));
    EXPECT_EQ(0, list->GetEditControl());
}

namespace {
class TreeViewTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(host.Create());
        tree = new TreeView(&host, 52102, 0, 0, 300, 250);
        ASSERT_TRUE(tree->Create());
    }
    HTREEITEM Add(HTREEITEM parent, char const *text, long data) {
        TVINSERTSTRUCTA insert = {};
        insert.hParent = parent;
        insert.hInsertAfter = TVI_LAST;
        insert.item.mask = TVIF_TEXT | TVIF_PARAM;
        insert.item.pszText = (char *)text;
        insert.item.lParam = data;
        return tree->Insert(insert);
    }
    TestApp app;
    NotifyHost host;
    TreeView *tree = 0;
};
}  // namespace

TEST_F(TreeViewTest, FindsByValueDepthFirst) {
    HTREEITEM r1 = Add(0, "R1", 1), r2 = Add(0, "R2", 2);
    HTREEITEM a = Add(r1, "A", 10), b = Add(r1, "B", 11);
    HTREEITEM a1 = Add(a, "A1", 20);
    HTREEITEM c = Add(r2, "C", 30);
    Add(b, "B1", 20);  // a later carrier of the same value
    EXPECT_EQ(r1, tree->GetFirstRoot());
    EXPECT_EQ(r1, tree->GetFirstChild(0));
    EXPECT_EQ(a, tree->GetFirstChild(r1));
    EXPECT_EQ(b, tree->GetNextBrother(a));
    EXPECT_EQ(r1, tree->GetParentItem(a));
    EXPECT_TRUE(tree->HasChildren(a));
    EXPECT_FALSE(tree->HasChildren(a1));

    EXPECT_EQ(a1, tree->FindItem(20, 0, 1));
    EXPECT_EQ(nullptr, tree->FindItem(20, 0, 0));  // direct children only
    EXPECT_EQ(nullptr, tree->FindItem(20, r1, 0));
    EXPECT_EQ(a, tree->FindItem(10, r1, 0));
    EXPECT_EQ(c, tree->FindItem(30, 0, 1));

    EXPECT_FALSE(tree->FindAndDelete(1));   // the first root itself
    EXPECT_FALSE(tree->FindAndDelete(30));  // below the second root
    EXPECT_TRUE(tree->FindAndDelete(20));
    EXPECT_FALSE(tree->HasChildren(a));
    EXPECT_EQ(0u, tree->GetItemData(0));

    tree->DeleteAllChildren(r1);
    EXPECT_EQ(nullptr, tree->GetFirstChild(r1));
    EXPECT_EQ(r1, tree->GetFirstRoot());
    tree->DeleteAllChildren(0);
    EXPECT_EQ(nullptr, tree->GetFirstRoot());
}

TEST_F(TreeViewTest, FieldsStatesAndSelection) {
    HTREEITEM r = Add(0, "root", 5);
    HTREEITEM x = Add(r, "x", 6);
    std::string longText(1200, 'q');
    HTREEITEM y = Add(r, longText.c_str(), 7);
    EXPECT_STREQ("root", tree->GetItemName(r).c_str());
    EXPECT_EQ(999u, std::string(tree->GetItemName(y).c_str()).size());
    EXPECT_STREQ("", tree->GetItemName((HTREEITEM)0x1234).c_str());
    EXPECT_TRUE(tree->RenameItem(x, "ex"));
    EXPECT_STREQ("ex", tree->GetItemName(x).c_str());
    EXPECT_TRUE(tree->SetItemData(x, -2));
    EXPECT_EQ(0xFFFFFFFEu, tree->GetItemData(x));
    EXPECT_TRUE(tree->SetImageIndexes(x, 3, 4));
    TVITEMA item = {};
    item.mask = TVIF_HANDLE | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    item.hItem = x;
    EXPECT_TRUE(tree->GetItem(item));
    EXPECT_EQ(3, item.iImage);
    EXPECT_EQ(4, item.iSelectedImage);

    EXPECT_TRUE(tree->SetState(x, TVIS_BOLD | TVIS_CUT, 1));
    EXPECT_EQ(uint(TVIS_BOLD | TVIS_CUT), tree->GetItemState(x) & (TVIS_BOLD | TVIS_CUT));
    EXPECT_TRUE(tree->SetState(x, TVIS_BOLD, 0));
    EXPECT_EQ(uint(TVIS_CUT), tree->GetItemState(x) & (TVIS_BOLD | TVIS_CUT));

    EXPECT_TRUE(tree->Expand(r, TVE_EXPAND));
    EXPECT_TRUE(tree->GetItemState(r) & TVIS_EXPANDED);
    host.Trace.clear();
    EXPECT_TRUE(tree->SelectItem(x, TVGN_CARET));
    EXPECT_EQ(x, tree->GetSelectedItem());
    EXPECT_EQ("tree ", host.Trace);  // the parent's table heard the change

    TRect rect;
    ASSERT_TRUE(tree->GetItemRect(x, rect, 0));
    unsigned flags = 0;
    EXPECT_EQ(x, tree->GetItemAtPoint(TPoint(rect.left + 2, (rect.top + rect.bottom) / 2), &flags));
    EXPECT_TRUE(flags & TVHT_ONITEMLABEL);
    TRect line;
    ASSERT_TRUE(tree->GetItemRect(x, line, 1));
    EXPECT_LT(line.left, rect.left);  // the whole line starts left of the text
}

namespace {
int CALLBACK ByValueDown(LPARAM a, LPARAM b, LPARAM) { return int(b - a); }
}

TEST_F(TreeViewTest, SortCallbackOrdersTheChildrenAtOnce) {
    HTREEITEM r = Add(0, "r", 0);
    Add(r, "one", 1);
    Add(r, "three", 3);
    Add(r, "two", 2);
    TVSORTCB sort = {};
    sort.hParent = r;
    sort.lpfnCompare = &ByValueDown;
    EXPECT_TRUE(tree->SetSortCallback(sort));
    std::vector<unsigned long> values;
    for (HTREEITEM i = tree->GetFirstChild(r); i; i = tree->GetNextBrother(i))
        values.push_back(tree->GetItemData(i));
    EXPECT_EQ((std::vector<unsigned long>{3, 2, 1}), values);
}
