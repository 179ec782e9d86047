// The complete tree-view wrapper: nodes navigate, insert, cache their texts and sort
// their children through comparators on the real control.
#include "controls/TreeWindow.h"
#include "tests/framework/ControlHost.h"
#include "core/System.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace {
class TreeWindowTest : public ControlHostTest {
protected:
    void SetUp() override {
        ControlHostTest::SetUp();
        tree = new TTreeWindow(&host, 52301, 0, 0, 300, 250, TVS_HASLINES | TVS_HASBUTTONS);
        ASSERT_TRUE(tree->Create());
    }
    std::string Children(TTreeNode const &parent) {
        std::string s;
        for (TTreeNode n = parent.GetChild(); HTREEITEM(n); n = n.GetNextSibling())
            s += std::string(n.GetText()) + " ";
        return s;
    }
    TTreeWindow *tree = 0;
};

class Descending : public TTwComparator {
public:
    mutable unsigned long Value = 0;
    int Compare(LPARAM a, LPARAM b, LPARAM value) const override {
        Value = value;
        return int(b) - int(a);
    }
};
}  // namespace

TEST(TreeItem, MaskFollowsSetters) {
    TTreeItem empty;
    EXPECT_EQ(0u, empty.mask);
    EXPECT_EQ(nullptr, empty.GetHTreeitem());
    EXPECT_EQ(0u, empty.GetItemData());
    TTreeItem item("leaf", 2, 3);
    EXPECT_EQ(uint(TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE), item.mask);
    EXPECT_EQ(4, item.cchTextMax);
    char cut[3];
    item.GetText(cut, sizeof cut);
    EXPECT_STREQ("le", cut);
    item.SetItemData(9);
    item.SetHTreeItem((HTREEITEM)0x50);
    EXPECT_EQ(9u, item.GetItemData());
    EXPECT_EQ((HTREEITEM)0x50, item.GetHTreeitem());
    TTreeItem room("x", 30);
    EXPECT_EQ(30, room.cchTextMax);
}

TEST_F(TreeWindowTest, StyleAndClass) {
    EXPECT_STREQ("SysTreeView32", tree->GetClassNameA());
    EXPECT_TRUE(tree->HasStyle(TVS_HASLINES));
    EXPECT_FALSE(tree->HasStyle(TVS_LINESATROOT));
    tree->SetStyle(TVS_LINESATROOT);
    EXPECT_TRUE(tree->HasStyle(TVS_LINESATROOT));
    EXPECT_FALSE(tree->HasStyle(TVS_HASLINES));
    EXPECT_EQ(uint32_t(WS_CHILD | WS_VISIBLE), tree->GetStyle() & (WS_CHILD | WS_VISIBLE));
    EXPECT_EQ(TSystem::Has3dUI(), (tree->Attr.ExStyle & WS_EX_CLIENTEDGE) != 0);
}

TEST_F(TreeWindowTest, NavigationAndInsertion) {
    TTreeNode root = tree->GetRoot();
    EXPECT_EQ(TVI_ROOT, HTREEITEM(root));
    TTreeNode a = root.AddChild(TTreeItem("a"));
    TTreeNode c = root.AddChild(TTreeItem("c"));  // top level, at the end
    EXPECT_EQ(HTREEITEM(a), HTREEITEM(tree->GetRoot().GetChild()));
    EXPECT_EQ(HTREEITEM(c), HTREEITEM(a.GetNextSibling()));
    TTreeNode b = a.InsertItem(TTreeItem("b"));  // directly after a
    EXPECT_EQ("a b c ", Children(root));
    TTreeNode first = root.InsertChild(TTreeItem("0"), TTreeNode::First);
    EXPECT_EQ("0 a b c ", Children(root));
    TTreeNode bb = b.AddChild(TTreeItem("bb"));
    TTreeNode ba = b.InsertChild(TTreeItem("ba"), TTreeNode::Sort);
    EXPECT_EQ("ba bb ", Children(b));
    EXPECT_EQ(HTREEITEM(b), HTREEITEM(bb.GetParent()));
    EXPECT_EQ(HTREEITEM(ba), HTREEITEM(bb.GetPrevSibling()));
    TTreeNode after = ba.AddSibling(TTreeItem("b-mid"));
    EXPECT_EQ("ba b-mid bb ", Children(b));
    EXPECT_EQ(7u, tree->GetItemCount());

    EXPECT_TRUE(b.ExpandItem(TVE_EXPAND));
    EXPECT_TRUE(ba.SelectItem(TVGN_CARET));
    EXPECT_EQ(HTREEITEM(ba), HTREEITEM(tree->GetSelection()));
    EXPECT_EQ(HTREEITEM(first), HTREEITEM(tree->GetFirstVisible()));
    EXPECT_EQ(HTREEITEM(ba), HTREEITEM(b.GetNextVisible()));
    EXPECT_EQ(nullptr, HTREEITEM(tree->GetDropHilite()));
    TRect text;
    ASSERT_TRUE(ba.GetItemRect(text));
    TTwHitTestInfo hit;
    hit.pt = TPoint(text.left + 2, (text.top + text.bottom) / 2);
    EXPECT_EQ(HTREEITEM(ba), tree->HitTest(&hit));

    EXPECT_TRUE(after.Delete());
    EXPECT_EQ(nullptr, HTREEITEM(after));
    EXPECT_EQ(0u, after.GetMask() & TVIF_HANDLE);
    EXPECT_TRUE(tree->DeleteAllItems());
    EXPECT_EQ(0u, tree->GetItemCount());
}

TEST_F(TreeWindowTest, TextCacheAndFields) {
    TTreeNode root = tree->GetRoot();
    TTreeNode node = root.AddChild(TTreeItem("first"));
    EXPECT_STREQ("first", node.GetText(true));
    char const *cached = node.GetText(true);
    TVITEMA change = {};
    change.mask = TVIF_HANDLE | TVIF_TEXT;
    change.hItem = node;
    change.pszText = (char *)"second";
    tree->Send(TVM_SETITEMA, 0, LPARAM(&change));
    EXPECT_STREQ("first", node.GetText(false));  // the cache, not the control
    EXPECT_EQ(cached, node.GetText(false));
    EXPECT_STREQ("second", node.GetText(true));
    char buffer[4];
    EXPECT_TRUE(node.GetText(buffer, sizeof buffer, false));
    EXPECT_STREQ("sec", buffer);

    TTreeNode *original = new TTreeNode(*tree, "kept text");
    TTreeNode copy(*original);
    delete original;
    EXPECT_STREQ("kept text", copy.GetText(false));
    TTreeNode assigned(*tree, "x");
    assigned = copy;
    EXPECT_STREQ("kept text", assigned.GetText(false));

    EXPECT_TRUE(node.SetText("a much longer text than before", true));
    EXPECT_STREQ("a much longer text than before", TTreeNode(*tree, HTREEITEM(node)).GetText(true));
    EXPECT_TRUE(node.SetItemData(0xABCD, true));
    EXPECT_TRUE(node.SetImageIndex(2, false));  // recorded only
    LPARAM data = 0;
    EXPECT_TRUE(node.GetItemData(data, true));
    EXPECT_EQ(0xABCD, data);
    EXPECT_TRUE(node.SetHasChildren(1, true));
    int children = 0;
    EXPECT_TRUE(node.GetHasChildren(children, true));
    EXPECT_EQ(1, children);
    node.SetStateMask(TVIS_BOLD);
    node.SetMask(TVIF_HANDLE | TVIF_STATE);
    node.GetItem();
    uint state = 0;
    TTreeItem bold;
    bold.mask = TVIF_STATE;
    bold.state = bold.stateMask = TVIS_BOLD;
    EXPECT_TRUE(node.SetItem(&bold));
    EXPECT_TRUE(node.GetState(state, true));
    EXPECT_TRUE(state & TVIS_BOLD);

    TTreeNode gone = root.AddChild(TTreeItem("gone"));
    TTreeNode stale(*tree, HTREEITEM(gone));
    EXPECT_TRUE(gone.Delete());
    uint ignored = 0;
    stale.SetMask(TVIF_HANDLE);
    EXPECT_FALSE(stale.GetState(ignored, true));
    EXPECT_EQ(0u, stale.GetMask() & TVIF_STATE);
    EXPECT_FALSE(stale.Delete());  // a failed delete keeps the handle
    EXPECT_EQ(nullptr, gone.GetHTreeItem());
    EXPECT_NE(nullptr, HTREEITEM(stale));
    EXPECT_EQ(nullptr, stale.GetText(true));
    EXPECT_EQ(0u, stale.GetMask() & TVIF_TEXT);
    char none[8] = "x";
    EXPECT_FALSE(stale.GetText(none, sizeof none, true));  // no text is no success
    EXPECT_STREQ("x", none);

    TVITEMA raw = {};
    raw.mask = TVIF_HANDLE | TVIF_TEXT;
    raw.hItem = node;
    raw.pszText = (char *)"sent at once";
    TTreeNode sent(*tree, raw);
    EXPECT_STREQ("sent at once", tree->GetRoot().GetChild().GetText(true));
}

TEST_F(TreeWindowTest, SortingChildren) {
    TTreeNode root = tree->GetRoot();
    TTreeNode parent = root.AddChild(TTreeItem("p"));
    for (int v : {2, 3, 1}) {
        TTreeItem item(v == 1 ? "one" : v == 2 ? "two" : "three");
        item.SetItemData(v);
        parent.AddChild(item);
    }
    EXPECT_EQ("two three one ", Children(parent));
    EXPECT_TRUE(parent.SortChildren());
    EXPECT_EQ("one three two ", Children(parent));
    Descending order;
    EXPECT_TRUE(parent.SortChildren(order, false, 17));
    EXPECT_EQ("three two one ", Children(parent));
    EXPECT_EQ(17u, order.Value);
    TTwComparator equal;
    EXPECT_TRUE(parent.SortChildren(equal));
    EXPECT_EQ(0, equal.Compare(1, 2, 3));
}

// A comparator that fails must not unwind through the control's sort.
TEST_F(TreeWindowTest, AComparatorsFailureReachesTheCaller) {
    struct Failing : TTwComparator {
        int Compare(LPARAM, LPARAM, LPARAM) const override { throw std::runtime_error("no order"); }
    } failing;
    TTreeNode parent = tree->GetRoot().AddChild(TTreeItem("p"));
    for (int v : {2, 3, 1}) {
        TTreeItem item(v == 1 ? "one" : v == 2 ? "two" : "three");
        item.SetItemData(v);
        parent.AddChild(item);
    }
    EXPECT_THROW(parent.SortChildren(failing), std::runtime_error);
    Descending order;
    EXPECT_TRUE(parent.SortChildren(order));
    EXPECT_EQ("three two one ", Children(parent));
}
