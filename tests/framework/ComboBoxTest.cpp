#include "controls/ComboBox.h"
#include "tests/framework/ControlHost.h"

#include <gtest/gtest.h>

#include <string>

namespace {
class ComboBoxTest : public ControlHostTest {
protected:
    TComboBox *Make(int id, unsigned long style, uint limit = 0) {
        TComboBox *box = new TComboBox(&host, id, 0, 0, 150, 120, style, limit);
        box->Create();
        return box;
    }
};

TComboBoxData Fruit() {
    TComboBoxData data;
    data.AddStringItem("pear", 1);
    data.AddStringItem("apple", 2);
    data.AddStringItem("fig", 3);
    return data;
}
}  // namespace

TEST(ComboBoxData, SelectionRules) {
    TComboBoxData data;
    EXPECT_EQ(0, data.GetSelIndex());  // a new record shows item 0
    EXPECT_EQ(1, data.GetSelCount());
    EXPECT_STREQ("", data.GetSelection().c_str());
    data.AddString("one");
    data.AddStringItem("Two", 5, true);
    EXPECT_EQ(1, data.GetSelIndex());
    EXPECT_STREQ("Two", data.GetSelection().c_str());
    data.Select(-1);  // changes nothing
    EXPECT_EQ(1, data.GetSelIndex());
    data.Select(7);  // past the strings: only the index
    EXPECT_EQ(7, data.GetSelIndex());
    EXPECT_STREQ("Two", data.GetSelection().c_str());
    data.SelectString("two");  // exact case: no match, the text stays
    EXPECT_EQ(-1, data.GetSelIndex());
    EXPECT_EQ(0, data.GetSelCount());
    EXPECT_STREQ("two", data.GetSelection().c_str());
    data.SelectString("one");
    EXPECT_EQ(0, data.GetSelIndex());
    EXPECT_EQ(3, data.GetSelStringLength());
    char buffer[3] = "xx";
    data.GetSelString(buffer, 3);
    EXPECT_STREQ("on", buffer);
    buffer[0] = 'x';
    data.GetSelString(buffer, 0);
    EXPECT_EQ('x', buffer[0]);

    TComboBoxData copy = data;
    data.ResetSelections();
    EXPECT_EQ(-1, data.GetSelIndex());
    EXPECT_STREQ("", data.GetSelection().c_str());
    EXPECT_EQ(2u, data.GetStrings().GetItemsInContainer());
    data.Clear();
    EXPECT_EQ(0u, data.GetStrings().GetItemsInContainer());
    EXPECT_EQ(0u, data.GetItemDatas().GetItemsInContainer());
    EXPECT_EQ(-1, data.GetSelIndex());
    EXPECT_EQ(0, copy.GetSelIndex());
    EXPECT_STREQ("one", copy.GetSelection().c_str());
    EXPECT_EQ(1u, copy.GetItemDatas().GetItemsInContainer());
}

TEST_F(ComboBoxTest, CreatedWithItsStyle) {
    TComboBox *box = Make(43200, CBS_DROPDOWNLIST);
    EXPECT_STRCASEEQ("COMBOBOX", ClassOf(*box).c_str());
    EXPECT_EQ(uint32_t(0x50230140 | CBS_DROPDOWNLIST), box->Attr.Style);
    EXPECT_EQ(uint32_t(WS_EX_CLIENTEDGE), box->Attr.ExStyle);
}

TEST_F(ComboBoxTest, TransferBothWays) {
    TComboBox *box = Make(43201, CBS_DROPDOWN);
    TComboBoxData empty;
    EXPECT_EQ(sizeof(TComboBoxData), box->Transfer(&empty, tdGetData));
    EXPECT_EQ(0u, empty.GetStrings().GetItemsInContainer());
    EXPECT_EQ(-1, empty.GetSelIndex());
    EXPECT_STREQ("", empty.GetSelection().c_str());

    TComboBoxData data = Fruit();
    data.Select(0);
    EXPECT_EQ(sizeof(TComboBoxData), box->Transfer(&data, tdSetData));
    EXPECT_EQ(3, box->GetCount());
    EXPECT_EQ(2, box->GetSelIndex());  // sorted: apple fig pear
    EXPECT_EQ("pear", TextOf(*box));
    // item data go by position, without following the sorting
    EXPECT_EQ(1ul, box->GetItemData(0));
    EXPECT_EQ(3ul, box->GetItemData(2));

    TComboBoxData back;
    box->Transfer(&back, tdGetData);
    EXPECT_EQ(3u, back.GetStrings().GetItemsInContainer());
    EXPECT_STREQ("apple", back.GetStrings()[0].c_str());
    EXPECT_EQ(2, back.GetSelIndex());
    EXPECT_STREQ("pear", back.GetSelection().c_str());
    EXPECT_EQ(3ul, back.GetItemDatas()[2]);

    // the size-only direction keeps record and control
    EXPECT_EQ(sizeof(TComboBoxData), box->Transfer(&back, tdSizeData));
    EXPECT_EQ(2, box->GetSelIndex());
    EXPECT_EQ(2, back.GetSelIndex());

    // typed text: no item gives -1 and the text, an item's text gives its index
    box->SetSelIndex(-1);
    box->SetWindowTextA("kiwi");
    box->Transfer(&back, tdGetData);
    EXPECT_EQ(-1, back.GetSelIndex());
    EXPECT_STREQ("kiwi", back.GetSelection().c_str());
    box->SetWindowTextA("fig");
    box->Transfer(&back, tdGetData);
    EXPECT_EQ(1, back.GetSelIndex());
    EXPECT_STREQ("fig", back.GetSelection().c_str());

    // the selected text picks its own item, not a longer one it begins; a text that is
    // no item picks the first it begins
    TComboBoxData prefixed;
    prefixed.AddString("Mono");
    prefixed.AddString("Mono (left)");
    prefixed.AddString("Stereo");
    prefixed.Select(0);
    box->Transfer(&prefixed, tdSetData);
    EXPECT_EQ(0, box->GetSelIndex());
    prefixed.GetStrings()[0] = "Mon";  // the text "Mono" is now no item
    box->Transfer(&prefixed, tdSetData);
    EXPECT_EQ(1, box->GetSelIndex());
    prefixed.SelectString("St");
    prefixed.Select(5);
    box->Transfer(&prefixed, tdSetData);
    EXPECT_EQ(2, box->GetSelIndex());

    // a combo made with its own type does not take a text that is no item
    TComboBoxData typed = Fruit();
    typed.SelectString("kiwi");
    box->Transfer(&typed, tdSetData);
    EXPECT_EQ(-1, box->GetSelIndex());
    EXPECT_EQ("", TextOf(*box));
}

TEST_F(ComboBoxTest, SetTextPrefersAnItem) {
    TComboBox *box = Make(43202, CBS_DROPDOWN);
    TComboBoxData data = Fruit();
    box->Transfer(&data, tdSetData);
    box->SetText("ap");  // begins "apple": selects it
    EXPECT_EQ(0, box->GetSelIndex());
    EXPECT_EQ("apple", TextOf(*box));
    box->SetText("zz");
    EXPECT_EQ(-1, box->GetSelIndex());
    EXPECT_EQ("zz", TextOf(*box));
    int start = -1, end = -1;
    box->GetEditSel(start, end);
    EXPECT_EQ(0, start);
    EXPECT_EQ(2, end);
    box->SetText("fig");
    box->Clear();  // an empty text selects no item: the field is emptied
    EXPECT_EQ(-1, box->GetSelIndex());
    EXPECT_EQ("", TextOf(*box));
    EXPECT_EQ(-1, box->FindString("q", -1));
    EXPECT_EQ(1, box->FindString("FI", -1));
    EXPECT_EQ(2, box->SetSelString("p", 0));
    EXPECT_EQ(4, box->GetStringLen(2));
    EXPECT_EQ(0, box->InsertString("zero", 0));
    EXPECT_EQ(3, box->DeleteString(0));
}

TEST_F(ComboBoxTest, TextLimitAndEditField) {
    TComboBox *box = Make(43203, CBS_DROPDOWN, 5);
    HWND edit = ::GetWindow(box->GetHandle(), GW_CHILD);
    ASSERT_TRUE(edit);
    // the edit field has an object whose parent is the combo
    TWindow *field = box->GetWindowPtr(edit);
    ASSERT_NE(nullptr, field);
    EXPECT_EQ(box, field->GetParentO());
    EXPECT_EQ(4, ::SendMessageA(edit, EM_GETLIMITTEXT, 0, 0));
    for (int i = 0; i < 6; i++)
        ::SendMessageA(edit, WM_CHAR, 'a', 1);
    EXPECT_EQ("aaaa", TextOf(*box));
    box->SetTextLimit(0);  // nothing sent: the field keeps its limit
    EXPECT_EQ(0u, box->GetTextLimit());
    EXPECT_EQ(4, ::SendMessageA(edit, EM_GETLIMITTEXT, 0, 0));
    box->SetTextLimit(9);
    EXPECT_EQ(8, ::SendMessageA(edit, EM_GETLIMITTEXT, 0, 0));

    box->Destroy(0);  // the clean-up deletes the edit field's object
    EXPECT_EQ(0, box->NumChildren());
}

TEST_F(ComboBoxTest, ShowListOnlyWithADropDown) {
    TComboBox *simple = Make(43204, CBS_SIMPLE);
    simple->ShowList();
    EXPECT_FALSE(simple->GetDroppedState());
    TComboBox *drop = Make(43205, CBS_DROPDOWNLIST);
    TComboBoxData data = Fruit();
    drop->Transfer(&data, tdSetData);
    drop->ShowList();
    EXPECT_TRUE(drop->GetDroppedState());
    drop->HideList();
    EXPECT_FALSE(drop->GetDroppedState());
    EXPECT_NE(CB_ERR, drop->SetExtendedUI(true));
    EXPECT_TRUE(drop->GetExtendedUI());
}
