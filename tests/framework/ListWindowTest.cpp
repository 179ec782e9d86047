// The complete list-view wrapper: its records keep their masks and text buffers, items
// and columns reach the real control, selection helpers and the comparator bridge.
#include "controls/ListWindow.h"
#include "tests/framework/ControlHost.h"
#include "core/Dc.h"
#include "core/GdiObject.h"
#include "core/System.h"

#include <gtest/gtest.h>

#include <cstring>
#include <stdexcept>
#include <string>
#include <vector>

namespace {
class ListWindowTest : public ControlHostTest {
protected:
    TListWindow *Make(unsigned long style = LVS_REPORT) {
        TListWindow *list = new TListWindow(&host, 52201, 0, 0, 300, 200);
        list->Attr.Style |= style;
        EXPECT_TRUE(list->Create());
        TListWindColumn column("Name", 100);
        EXPECT_EQ(0, list->InsertColumn(0, column));
        TListWindColumn size("Size", 50, TListWindColumn::Right, 1);
        EXPECT_EQ(1, list->InsertColumn(1, size));
        return list;
    }
    void Fill(TListWindow &list, std::vector<char const *> texts) {
        for (char const *t : texts) {
            TListWindItem item(t);
            item.SetItemData(t[0]);
            list.AddItem(item);
        }
    }
    std::string Texts(TListWindow &list) {
        std::string s;
        char buffer[32];
        for (int i = 0; i < list.GetItemCount(); i++) {
            list.GetItemText(i, 0, buffer, sizeof buffer);
            s += std::string(buffer) + " ";
        }
        return s;
    }
};

// Counts the pairs it is asked about and answers as the base does.
class CountingComparator : public TLwComparator {
public:
    mutable int Calls = 0;
    mutable unsigned long LastValue = 0;
    int Compare(LPARAM a, LPARAM b, LPARAM value) const override {
        Calls++;
        LastValue = value;
        return TLwComparator::Compare(a, b, value);
    }
};

class Descending : public TLwComparator {
public:
    int Compare(LPARAM a, LPARAM b, LPARAM) const override { return int(b) - int(a); }
};
}  // namespace

TEST(ListWindItem, MasksAndStateImages) {
    TListWindItem empty;
    EXPECT_EQ(0u, empty.mask);
    EXPECT_EQ(0u, empty.GetItemData());
    EXPECT_EQ(0, empty.GetImageIndex());
    EXPECT_EQ(-1, empty.GetStateImage());
    empty.SetItemData(77);
    empty.SetImageIndex(3);
    EXPECT_EQ(uint(LVIF_PARAM | LVIF_IMAGE), empty.mask);
    EXPECT_EQ(77u, empty.GetItemData());

    TListWindItem state;
    state.SetState(LVIS_SELECTED);
    state.state |= 0x3000;                 // state bits that look like an image
    EXPECT_EQ(-1, state.GetStateImage());  // but the mask names no image bits
    EXPECT_EQ(uint(LVIS_SELECTED), state.stateMask);
    state.SetStateImage(2);
    EXPECT_EQ(2, state.GetStateImage());
    EXPECT_EQ(0x3000u, state.GetState());
    EXPECT_EQ(uint(LVIS_STATEIMAGEMASK | LVIS_SELECTED), state.stateMask);

    TListWindItem text("label", 2);
    EXPECT_EQ(5, text.cchTextMax);
    EXPECT_EQ(2, text.GetSubItem());
    char cut[4];
    text.GetText(cut, sizeof cut);
    EXPECT_STREQ("lab", cut);
    TListWindItem fixedRoom("label", 0, 40);
    EXPECT_EQ(40, fixedRoom.cchTextMax);

    // a copy of a system record keeps its text in a buffer of its own
    char source[300];
    std::memset(source, 'z', sizeof source - 1);
    source[sizeof source - 1] = 0;
    LVITEMA raw = {};
    raw.mask = LVIF_TEXT;
    raw.pszText = source;
    {
        TListWindItem copy(raw);
        ASSERT_NE(source, copy.GetText());
        EXPECT_EQ(259u, std::strlen(copy.GetText()));
        copy.FlushCache();
        EXPECT_EQ(nullptr, copy.GetText());
        EXPECT_EQ(0u, copy.mask & LVIF_TEXT);
    }
    TListWindItem cached(LVIF_TEXT, true);
    ASSERT_NE(nullptr, cached.GetText());
    EXPECT_EQ(260, cached.cchTextMax);
    cached.AllocCache(false);  // the text follows the new buffer, never the freed one
    EXPECT_STREQ("", cached.GetText());
}

TEST(ListWindColumn, WidthsAndCache) {
    TListWindColumn named("Name", 0);
    TDefaultGUIFont font;
    TScreenDC dc;
    dc.SelectObject(font);
    EXPECT_EQ(dc.GetTextExtent("Name", 4).cx, named.GetWidth());
    dc.RestoreFont();
    EXPECT_EQ(uint(LVCF_TEXT | LVCF_FMT | LVCF_WIDTH | LVCF_SUBITEM), named.mask);
    TListWindColumn blank((char const *)0, 0);
    EXPECT_EQ(0, blank.GetWidth());
    TListWindColumn wide("Name", 80, TListWindColumn::Center, 3);
    EXPECT_EQ(80, wide.GetWidth());
    EXPECT_EQ(TListWindColumn::Center, wide.GetFormat());
    EXPECT_EQ(3, wide.GetSubItem());

    TListWindColumn withCache(LVCF_TEXT, 1);
    ASSERT_NE(nullptr, withCache.GetText());
    withCache.FlushCache();
    EXPECT_EQ(nullptr, withCache.GetText());
    EXPECT_EQ(0u, withCache.mask & LVCF_TEXT);
    TListWindColumn widthOnly(LVCF_WIDTH);
    EXPECT_EQ(nullptr, widthOnly.GetText());
}

TEST(LwFindInfo, Flags) {
    TLwFindInfo find;
    EXPECT_EQ(0u, find.flags);
    find.SetPartial("ab");
    EXPECT_EQ(uint(LVFI_PARTIAL | LVFI_STRING), find.flags);
    find.SetSubstring("ab");
    EXPECT_EQ(uint(LVFI_STRING), find.flags);
    find.SetWrap();
    find.SetData(9);
    EXPECT_EQ(uint(LVFI_STRING | LVFI_WRAP | LVFI_PARAM), find.flags);
    find.SetWrap(false);
    EXPECT_EQ(0u, find.flags & LVFI_WRAP);

    LVHITTESTINFO raw = {{4, 5}, LVHT_ONITEM, 2, 1};
    TLwHitTestInfo copy(raw);
    EXPECT_EQ(2, copy.GetIndex());
    EXPECT_EQ(1, copy.GetSubItem());
    TLwHitTestInfo at(TPoint(7, 8));
    EXPECT_EQ(7, at.pt.x);
    EXPECT_EQ(0u, at.GetFlags());
}

TEST_F(ListWindowTest, ItemsColumnsAndSearch) {
    TListWindow *list = Make();
    EXPECT_STREQ("SysListView32", list->GetClassNameA());
    EXPECT_EQ(TSystem::Has3dUI(), (list->Attr.ExStyle & WS_EX_CLIENTEDGE) != 0);
    TListWindItem first("beta");
    EXPECT_EQ(0, list->AddItem(first));  // an empty list: index 0
    Fill(*list, {"alpha", "gamma"});
    TListWindItem last("delta");
    EXPECT_EQ(3, list->AddItem(last));   // n items: index n
    EXPECT_EQ("beta alpha gamma delta ", Texts(*list));
    EXPECT_TRUE(list->SetItemText(1, 1, "12"));
    char buffer[8];
    EXPECT_EQ(2, list->GetItemText(1, 1, buffer, sizeof buffer));
    EXPECT_STREQ("12", buffer);
    EXPECT_EQ(0, list->GetItemText(1, 1, buffer, 0));

    TListWindItem read(*list, 2, 0, LVIF_TEXT | LVIF_PARAM);
    EXPECT_STREQ("gamma", read.GetText());
    EXPECT_EQ(unsigned('g'), read.GetItemData());
    TListWindItem change(LVIF_IMAGE);
    change.SetImageIndex(5);
    EXPECT_TRUE(list->SetItem(change, 2, 0));
    TListWindItem image(LVIF_IMAGE);
    EXPECT_TRUE(list->GetItem(image, 2));
    EXPECT_EQ(5, image.GetImageIndex());

    TListWindColumn column(*list, 1, LVCF_TEXT | LVCF_WIDTH);
    EXPECT_STREQ("Size", column.GetText());
    EXPECT_EQ(50, column.GetWidth());
    EXPECT_TRUE(list->SetColumnWidth(1, 70));
    EXPECT_EQ(70, list->GetColumnWidth(1));
    EXPECT_TRUE(list->DeleteColumn(1));

    TLwFindInfo find;
    find.SetPartial("GA");
    EXPECT_EQ(2, list->FindItem(-1, &find));
    find.SetData('d');
    find.flags = LVFI_PARAM;
    EXPECT_EQ(-1, list->FindItem(-1, &find));  // "delta" was added without a value
    find.SetData('a');
    EXPECT_EQ(1, list->FindItem(-1, &find));

    TRect label;
    ASSERT_TRUE(list->GetItemRect(1, label, LVIR_LABEL));
    TLwHitTestInfo hit(TPoint(label.left + 3, (label.top + label.bottom) / 2));
    EXPECT_EQ(1, list->HitTest(hit));
    EXPECT_EQ(1, hit.GetIndex());
    EXPECT_TRUE(list->SetTextColor(RGB(1, 2, 3)));
    EXPECT_EQ(RGB(1, 2, 3), list->GetTextColor());
    EXPECT_TRUE(list->DeleteAnItem(0));
    EXPECT_EQ(3, list->GetItemCount());
    EXPECT_TRUE(list->DeleteAllItems());
    EXPECT_EQ(0, list->GetItemCount());
}

TEST_F(ListWindowTest, SelectionHelpers) {
    TListWindow *list = Make();
    Fill(*list, {"a", "b", "c", "d", "e"});
    int picks[] = {3, 1, 4};
    EXPECT_EQ(1, list->SetSelIndexes(picks, 3, true));
    EXPECT_EQ(3, list->GetSelCount());
    int found[5] = {};
    EXPECT_EQ(2, list->GetSelIndexes(found, 2));  // the first two in the control's order
    EXPECT_EQ(1, found[0]);
    EXPECT_EQ(3, found[1]);
    char b0[4], b1[4], b2[4], b3[4];
    char *buffers[] = {b0, b1, b2, b3};
    EXPECT_EQ(3, list->GetSelStrings(buffers, 4, sizeof b0, 0));
    EXPECT_STREQ("e", b2);
    EXPECT_TRUE(list->IsSelected(4));
    EXPECT_TRUE(list->SetSel(4, false));
    EXPECT_FALSE(list->IsSelected(4));
    EXPECT_EQ(1, list->SetSelItemRange(false, 0, 4));
    EXPECT_EQ(0, list->GetSelCount());
    EXPECT_EQ(1, list->SetSelItemRange(true, 3, 2));  // an empty range succeeds
    EXPECT_EQ(0, list->GetSelCount());
    int bad[] = {0, 9, 1};
    EXPECT_EQ(0, list->SetSelIndexes(bad, 3, true));  // stops at the missing item
    EXPECT_TRUE(list->IsSelected(0));
    EXPECT_FALSE(list->IsSelected(1));

    TListWindow *single = Make(LVS_REPORT | LVS_SINGLESEL);
    Fill(*single, {"x", "y"});
    single->SetSel(1, true);
    EXPECT_EQ(-1, single->GetSelIndexes(found, 5));
    EXPECT_EQ(-1, single->GetSelStrings(buffers, 4, 3, 0));
    EXPECT_EQ(0, single->SetSelIndexes(picks, 1, true));
    EXPECT_EQ(0, single->SetSelItemRange(true, 0, 1));
}

TEST_F(ListWindowTest, SortingThroughComparators) {
    TListWindow *list = Make();
    Fill(*list, {"b", "d", "a", "c"});
    CountingComparator counting;
    EXPECT_TRUE(list->SortItems(counting, 42));
    EXPECT_GT(counting.Calls, 0);
    EXPECT_EQ(42u, counting.LastValue);
    EXPECT_TRUE(list->SortItems(Descending()));
    EXPECT_EQ("d c b a ", Texts(*list));
}

// A comparator that fails must not unwind through the control's sort: the caller gets
// the failure once the control has returned, and the list is still usable.
TEST_F(ListWindowTest, AComparatorsFailureReachesTheCaller) {
    struct Failing : TLwComparator {
        mutable int Calls = 0;
        int Compare(LPARAM, LPARAM, LPARAM) const override {
            Calls++;
            throw std::runtime_error("no order");
        }
    } failing;
    TListWindow *list = Make();
    Fill(*list, {"b", "d", "a", "c"});
    EXPECT_THROW(list->SortItems(failing), std::runtime_error);
    EXPECT_EQ(1, failing.Calls);  // the remaining pairs are not asked
    EXPECT_EQ(4, list->GetItemCount());
    EXPECT_TRUE(list->SortItems(Descending()));
    EXPECT_EQ("d c b a ", Texts(*list));
}

namespace {
// Answers reads as the control may: by pointing the record at a text of its own.
WNDPROC listProc;
char ownText[] = "the control's own";
LRESULT CALLBACK PointsAtItsOwnText(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    LRESULT result = ::CallWindowProcA(listProc, hwnd, msg, wp, lp);
    if (msg == LVM_GETITEMA || msg == LVM_GETITEMTEXTA) {
        LVITEMA &item = *(LVITEMA *)lp;
        item.pszText = ownText;
        if (msg == LVM_GETITEMTEXTA)
            result = lstrlenA(ownText);
    }
    return result;
}
}  // namespace

// Reads leave the text in the caller's or the item's own buffer, cut to its size, never
// pointing into the control.
TEST_F(ListWindowTest, ReadTextsStayInTheGivenBuffers) {
    TListWindow *list = Make();
    Fill(*list, {"alpha"});
    listProc = (WNDPROC)::SetWindowLongPtrA(list->GetHandle(), GWLP_WNDPROC, (LONG_PTR)&PointsAtItsOwnText);
    TListWindItem read(*list, 0, 0, LVIF_TEXT);
    EXPECT_NE(ownText, read.GetText());
    EXPECT_STREQ("the control's own", read.GetText());
    char buffer[8];
    EXPECT_EQ(7, list->GetItemText(0, 0, buffer, sizeof buffer));
    EXPECT_STREQ("the con", buffer);
    ::SetWindowLongPtrA(list->GetHandle(), GWLP_WNDPROC, (LONG_PTR)listProc);
}
