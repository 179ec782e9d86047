#include "controls/ComboBox.h"
#include "controls/ListBox.h"
#include "tests/framework/ControlHost.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {
std::vector<std::string> Items(TListBox &box) {
    std::vector<std::string> items;
    char text[256];
    for (int i = 0; i < box.GetCount(); i++) {
        box.GetString(text, i);
        items.push_back(text);
    }
    return items;
}

std::vector<std::string> Strings(TStringArray const &a) {
    std::vector<std::string> v;
    for (unsigned i = 0; i < a.GetItemsInContainer(); i++)
        v.push_back(a[i].c_str());
    return v;
}

template <class A>
std::vector<long> Values(A const &a) {
    std::vector<long> v;
    for (unsigned i = 0; i < a.GetItemsInContainer(); i++)
        v.push_back(long(a[i]));
    return v;
}

typedef std::vector<std::string> Texts;
typedef std::vector<long> Longs;

class ListBoxTest : public ControlHostTest {
protected:
    // A list box of the host, with style bits added to and removed from the standard ones.
    TListBox *Make(int id, unsigned long add = 0, unsigned long remove = 0) {
        TListBox *box = new TListBox(&host, id, 0, 0, 150, 120);
        box->Attr.Style = (box->Attr.Style | add) & ~remove;
        box->Create();
        return box;
    }
};
}  // namespace

TEST(ListBoxData, SelectionsAndTexts) {
    TListBoxData data;
    EXPECT_EQ(0, data.GetSelCount());
    data.AddString("alpha");
    data.AddStringItem("Beta", 7, true);
    data.AddStringItem("beta", 8);
    data.SelectString("beta");  // exact case: the third
    data.SelectString("gamma");  // no match: nothing
    data.Select(-1);
    EXPECT_EQ(Texts({"alpha", "Beta", "beta"}), Strings(data.GetStrings()));
    EXPECT_EQ(Longs({7, 8}), Values(data.GetItemDatas()));
    EXPECT_EQ(Longs({1, 2}), Values(data.GetSelIndices()));

    EXPECT_EQ(4, data.GetSelStringLength(1));
    EXPECT_EQ(-1, data.GetSelStringLength(2));
    EXPECT_EQ(-1, data.GetSelStringLength(-1));
    char buffer[8] = "xxxxxxx";
    data.GetSelString(buffer, 3, 0);
    EXPECT_STREQ("Be", buffer);
    data.GetSelString(buffer, 8, 5);
    EXPECT_STREQ("", buffer);
    buffer[0] = 'x';
    data.GetSelString(buffer, 0, 0);  // no room: untouched
    EXPECT_EQ('x', buffer[0]);
    String s("old");
    data.GetSelString(s, 1);
    EXPECT_STREQ("beta", s.c_str());
    data.GetSelString(s, 9);
    EXPECT_STREQ("", s.c_str());

    TListBoxData copy(data);
    data.ResetSelections();
    EXPECT_EQ(0, data.GetSelCount());
    EXPECT_EQ(2, copy.GetSelCount());
    data = copy;
    EXPECT_EQ(Longs({1, 2}), Values(data.GetSelIndices()));
    data.Clear();
    EXPECT_EQ(0u, data.GetStrings().GetItemsInContainer());
    EXPECT_EQ(0u, data.GetItemDatas().GetItemsInContainer());
    EXPECT_EQ(0, data.GetSelCount());
}

TEST_F(ListBoxTest, CreatedWithItsStyles) {
    TListBox *box = Make(43100);
    EXPECT_STRCASEEQ("LISTBOX", ClassOf(*box).c_str());
    EXPECT_EQ(uint32_t(WS_CHILD | WS_VISIBLE | WS_GROUP | WS_TABSTOP | WS_VSCROLL | WS_BORDER | LBS_NOTIFY | LBS_SORT),
              box->Attr.Style);
    EXPECT_EQ(uint32_t(WS_EX_CLIENTEDGE), box->Attr.ExStyle);
    EXPECT_TRUE(box->GetStyle() & LBS_SORT);
    EXPECT_FALSE(box->IsMultipleSel());
}

TEST_F(ListBoxTest, EmptyListReadsEmpty) {
    TListBox *box = Make(43101);
    TListBoxData data;
    data.AddStringItem("stale", 1, true);
    EXPECT_EQ(sizeof(TListBoxData), box->Transfer(&data, tdGetData));
    EXPECT_EQ(0u, data.GetStrings().GetItemsInContainer());
    EXPECT_EQ(0u, data.GetItemDatas().GetItemsInContainer());
    EXPECT_EQ(0, data.GetSelCount());
}

TEST_F(ListBoxTest, SortedSingleSelectionFollowsItsString) {
    TListBox *box = Make(43102);
    // the wanted string goes in first and is pushed down by later ones, or comes in last
    for (int wanted : {0, 1, 3}) {
        TListBoxData data;
        data.AddStringItem("pear", 10);
        data.AddStringItem("apple", 11);
        data.AddStringItem("fig", 12);
        data.AddStringItem("banana", 13);
        data.Select(wanted);
        EXPECT_EQ(sizeof(TListBoxData), box->Transfer(&data, tdSetData));
        EXPECT_EQ(Texts({"apple", "banana", "fig", "pear"}), Items(*box));
        char text[32];
        ASSERT_EQ(int(data.GetStrings()[wanted].GetLength()), box->GetSelString(text, 31)) << wanted;
        EXPECT_STREQ(data.GetStrings()[wanted].c_str(), text);
        for (int i = 0; i < 4; i++) {
            box->GetString(text, i);
            for (int j = 0; j < 4; j++) {
                if (data.GetStrings()[j] == text) {
                    EXPECT_EQ(data.GetItemDatas()[j], box->GetItemData(i));
                }
            }
        }
    }

    TListBoxData back;
    box->Transfer(&back, tdGetData);
    EXPECT_EQ(Texts({"apple", "banana", "fig", "pear"}), Strings(back.GetStrings()));
    EXPECT_EQ(Longs({11, 13, 12, 10}), Values(back.GetItemDatas()));
    EXPECT_EQ(Longs({1}), Values(back.GetSelIndices()));

    // the size-only direction touches neither the record nor the control
    EXPECT_EQ(sizeof(TListBoxData), box->Transfer(&back, tdSizeData));
    EXPECT_EQ(1, box->GetSelIndex());
    EXPECT_EQ(4u, back.GetStrings().GetItemsInContainer());

    // a record without selection leaves the list unselected
    TListBoxData none;
    none.AddString("one");
    box->Transfer(&none, tdSetData);
    EXPECT_EQ(-1, box->GetSelIndex());
    EXPECT_EQ(0, box->GetSelCount());
    EXPECT_EQ(-1, box->GetSelString(0, 5));
}

TEST_F(ListBoxTest, MultipleSelectionTransfersExactlyTheSelectedPositions) {
    TListBox *box = Make(43103, LBS_MULTIPLESEL, LBS_SORT);
    EXPECT_TRUE(box->IsMultipleSel());
    TListBoxData data;
    for (char const *s : {"one", "two", "three", "four"})
        data.AddString(s);
    data.Select(3);
    data.Select(1);
    box->Transfer(&data, tdSetData);
    EXPECT_EQ(Texts({"one", "two", "three", "four"}), Items(*box));
    EXPECT_EQ(-1, box->GetSelIndex());  // never for a multiple-selection list
    EXPECT_EQ(-1, box->SetSelIndex(0));
    EXPECT_EQ(-1, box->SetSelString("one", -1));
    EXPECT_EQ(2, box->GetSelCount());
    int sel[4] = {};
    EXPECT_EQ(2, box->GetSelIndexes(sel, 4));
    EXPECT_EQ(1, sel[0]);
    EXPECT_EQ(3, sel[1]);

    char a[8], b[8];
    char *buffers[2] = {a, b};
    EXPECT_EQ(2, box->GetSelStrings(buffers, 2, 3));
    EXPECT_STREQ("two", a);
    EXPECT_STREQ("fou", b);  // cut to maxChars
    EXPECT_EQ(1, box->GetSelStrings(buffers, 1, 7));
    EXPECT_EQ(-1, box->GetSelString(a, 7));

    TListBoxData back;
    box->Transfer(&back, tdGetData);
    EXPECT_EQ(Longs({1, 3}), Values(back.GetSelIndices()));

    char const *texts[] = {"TH", "nothing", "o"};
    EXPECT_EQ(2, box->SetSelStrings(texts, 3, true));  // prefixes, any case
    EXPECT_TRUE(box->GetSel(2));
    EXPECT_TRUE(box->GetSel(0));
    int some[] = {0, 9};
    EXPECT_EQ(1, box->SetSelIndexes(some, 2, false));  // the second fails
    EXPECT_FALSE(box->GetSel(0));
    EXPECT_NE(LB_ERR, box->SetSelIndexes(0, -1, false));
    EXPECT_EQ(0, box->GetSelCount());
    EXPECT_NE(LB_ERR, box->SetSelItemRange(true, 1, 2));
    EXPECT_EQ(2, box->GetSelCount());
}

TEST_F(ListBoxTest, SingleSelectionHelpersAndSearch) {
    TListBox *box = Make(43104, 0, LBS_SORT);
    for (char const *s : {"abcd", "Abc", "xyz", "abc", "Hello"})
        box->AddString(s);
    EXPECT_EQ(3, box->FindExactString("abc", -1));
    EXPECT_EQ(1, box->FindExactString("Abc", 2));  // wraps past the end
    EXPECT_EQ(-1, box->FindExactString("ab", -1));  // prefixes only: the search comes round and stops
    EXPECT_EQ(-1, box->FindExactString("q", -1));
    EXPECT_EQ(0, box->FindString("ABC", -1));

    char none[4];
    char *buffers[1] = {none};
    EXPECT_EQ(-1, box->GetSelStrings(buffers, 1, 3));
    EXPECT_EQ(-1, box->GetSelIndexes(0, 1));
    EXPECT_EQ(-1, box->SetSelIndexes(0, -1, true));
    EXPECT_EQ(0, box->GetSelCount());
    EXPECT_EQ(4, box->SetSelString("hel", -1));
    EXPECT_EQ(1, box->GetSelCount());
    char text[8] = "";
    EXPECT_EQ(3, box->GetSelString(text, 3));
    EXPECT_STREQ("Hel", text);
    EXPECT_EQ(5, box->GetSelString(text, 7));
    EXPECT_STREQ("Hello", text);

    EXPECT_EQ(0, box->InsertString("first", 0));
    EXPECT_EQ(6, box->GetCount());
    EXPECT_EQ(5, box->DeleteString(0));
    EXPECT_NE(LB_ERR, box->SetItemData(2, 0xCAFEF00D));
    EXPECT_EQ(0xCAFEF00Dul, box->GetItemData(2));
    EXPECT_EQ(4, box->GetStringLen(0));
    box->ClearList();
    EXPECT_EQ(0, box->GetCount());
}
