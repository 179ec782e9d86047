// List, combo and gauge wrappers bound to the controls of a dialog template, with
// the values of all four list controls travelling through one transfer buffer.
#include "controls/ComboBox.h"
#include "core/DialogWindow.h"
#include "controls/Gauge.h"
#include "controls/ListBox.h"
#include "tests/framework/TestApp.h"

#include <gtest/gtest.h>

namespace {
struct TBuffer {
    TListBoxData sorted;
    TListBoxData multiple;
    TComboBoxData dropDown;
    TComboBoxData dropList;
};

size_t const BufferSize = 2 * sizeof(TListBoxData) + 2 * sizeof(TComboBoxData);

class ListDialogTest : public ::testing::Test {
protected:
    // The dialog opens with the values of the buffer in its controls.
    void Open(TBuffer *values) {
        host = new TDialog(0, 43001, &module);
        sorted = new TListBox(host, 43010);
        multiple = new TListBox(host, 43011);
        dropDown = new TComboBox(host, 43012, 6);
        dropList = new TComboBox(host, 43013);
        gauge = new TGauge(host, 43014);
        host->SetTransferBuffer(values);
        ASSERT_TRUE(host->Create());
        dialog = host->GetHandle();
    }
    void TearDown() override { delete host; }
    TestApp app;
    TModule &module = Exe();
    HWND dialog = 0;
    TDialog *host = 0;
    TListBox *sorted, *multiple;
    TComboBox *dropDown, *dropList;
    TGauge *gauge;
};
}  // namespace

TEST_F(ListDialogTest, WrappersBindTheTemplatesControls) {
    Open(0);
    EXPECT_EQ(::GetDlgItem(dialog, 43010), sorted->GetHandle());
    EXPECT_EQ(::GetDlgItem(dialog, 43013), dropList->GetHandle());
    EXPECT_TRUE(sorted->IsFlagSet(wfTransfer));
    EXPECT_TRUE(dropDown->IsFlagSet(wfTransfer));
    EXPECT_FALSE(sorted->IsMultipleSel());
    EXPECT_TRUE(multiple->IsMultipleSel());
    // the text limit reaches the combo of the template when it is set up
    HWND edit = ::GetWindow(dropDown->GetHandle(), GW_CHILD);
    EXPECT_EQ(5, ::SendMessageA(edit, EM_GETLIMITTEXT, 0, 0));
    // the template's progress bar is driven through its messages
    EXPECT_TRUE(gauge->IsNativeInUse());
    gauge->SetValue(35);
    EXPECT_EQ(35, ::SendMessageA(gauge->GetHandle(), PBM_GETPOS, 0, 0));
}

TEST_F(ListDialogTest, OneBufferCarriesEveryListBothWays) {
    TBuffer out;
    for (char const *s : {"delta", "alpha", "charlie", "bravo"}) {
        out.sorted.AddStringItem(s, s[0]);
        out.multiple.AddStringItem(s, s[1]);
        out.dropDown.AddString(s);
        out.dropList.AddString(s);
    }
    out.sorted.Select(2);  // "charlie"
    out.multiple.Select(0);
    out.multiple.Select(3);
    out.dropDown.SelectString("echo");  // a text that is no item
    out.dropList.Select(0);             // "delta"
    Open(&out);

    char text[16];
    EXPECT_EQ(7, sorted->GetSelString(text, 15));
    EXPECT_STREQ("charlie", text);
    EXPECT_EQ('c', int(sorted->GetItemData(sorted->GetSelIndex())));
    EXPECT_EQ(2, multiple->GetSelCount());
    EXPECT_TRUE(multiple->GetSel(0));
    EXPECT_TRUE(multiple->GetSel(3));
    // a combo of a template shows the record's text even when it is no item
    EXPECT_EQ("echo", TextOf(*dropDown));
    EXPECT_EQ(-1, dropDown->GetSelIndex());
    EXPECT_EQ(0, dropList->GetSelIndex());
    EXPECT_EQ("delta", TextOf(*dropList));

    // the user changes every control, then the values come back
    sorted->SetSelIndex(0);
    multiple->SetSel(0, false);
    multiple->SetSel(1, true);
    ::SetWindowTextA(dropDown->GetHandle(), "bravo");
    dropList->SetSelIndex(2);

    TBuffer in;
    host->SetTransferBuffer(&in);
    EXPECT_EQ(BufferSize, host->TransferData(tdGetData));
    String s;
    in.sorted.GetSelString(s);
    EXPECT_STREQ("alpha", s.c_str());
    EXPECT_EQ(long('a'), long(in.sorted.GetItemDatas()[0]));
    EXPECT_EQ(2, in.multiple.GetSelCount());
    EXPECT_EQ(1, int(in.multiple.GetSelIndices()[0]));
    EXPECT_EQ(3, int(in.multiple.GetSelIndices()[1]));
    EXPECT_EQ(3, in.dropDown.GetSelIndex());  // the typed text is an item
    EXPECT_STREQ("bravo", in.dropDown.GetSelection().c_str());
    EXPECT_EQ(2, in.dropList.GetSelIndex());
    EXPECT_STREQ(in.dropList.GetStrings()[2].c_str(), in.dropList.GetSelection().c_str());

    // asking the size only moves nothing
    TBuffer untouched;
    host->SetTransferBuffer(&untouched);
    EXPECT_EQ(BufferSize, host->TransferData(tdSizeData));
    EXPECT_EQ(0u, untouched.sorted.GetStrings().GetItemsInContainer());
    EXPECT_EQ(0, sorted->GetSelIndex());
    host->SetTransferBuffer(0);
}
