// Menus: deep copies, item identifiers, group extraction and merging (menus from the
// test executable's resources), and multi-level pop-ups.
#include "tests/framework/TestKit.h"
#include "core/Menu.h"
#include "core/MenuDescr.h"
#include "core/Module.h"
#include "core/MultiPopup.h"

#include <gtest/gtest.h>

#include <string>

namespace {

void ExpectCounts(TMenuDescr const &d, std::initializer_list<int> counts) {
    int i = 0;
    for (int c : counts)
        EXPECT_EQ(c, d.GetGroupCount(i++)) << "group " << i - 1;
}

}  // namespace

TEST(TMenu, DeepCopyKeepsItemsAndSubMenus) {
    TMenu source;
    HMENU sub = ::CreatePopupMenu();
    ::AppendMenuA(sub, MF_STRING, 500, "Inner");
    ::AppendMenuA(sub, MF_STRING | MF_GRAYED, 501, "Inner grey");
    source.AppendMenuA(MF_STRING | MF_GRAYED, 10, "Plain grey");
    source.AppendMenuA(MF_POPUP | MF_GRAYED, (UINT_PTR)sub, "Sub");
    std::string longText(300, 'x');
    source.AppendMenuA(MF_STRING, 11, longText.c_str());
    source.AppendMenuA(MF_SEPARATOR);
    HBITMAP bitmap = ::CreateBitmap(8, 8, 1, 1, 0);
    source.AppendMenuA(MF_BITMAP, 12, (char const *)bitmap);

    TMenu copy(source);
    ASSERT_EQ(5, copy.GetMenuItemCount());
    EXPECT_TRUE(copy.GetMenuState(0, MF_BYPOSITION) & MF_GRAYED);  // a grey item stays grey
    EXPECT_EQ(10u, copy.GetMenuItemID(0));
    uint subState = copy.GetMenuState(1, MF_BYPOSITION);
    EXPECT_TRUE(subState & MF_POPUP);
    EXPECT_FALSE(subState & MF_GRAYED);  // a sub-menu item comes out enabled
    HMENU copiedSub = copy.GetSubMenu(1);
    ASSERT_TRUE(copiedSub);
    EXPECT_NE(sub, copiedSub);
    EXPECT_EQ("Inner,Inner grey", MenuItemTexts(copiedSub));
    EXPECT_TRUE(::GetMenuState(copiedSub, 1, MF_BYPOSITION) & MF_GRAYED);
    EXPECT_EQ(std::string(255, 'x'), MenuItemText(copy, 2));  // cut to 255 characters
    EXPECT_TRUE(copy.GetMenuState(3, MF_BYPOSITION) & MF_SEPARATOR);

    MENUITEMINFOA info = {};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_BITMAP;
    ASSERT_TRUE(::GetMenuItemInfoA(copy, 4, TRUE, &info));
    EXPECT_EQ(12u, info.wID);
    EXPECT_TRUE((info.fType & MFT_BITMAP) || info.hbmpItem == bitmap);  // the handle, not a text

    // Assignment empties the target first; assigning a menu to itself keeps it.
    TMenu target;
    target.AppendMenuA(MF_STRING, 1, "Old");
    target = source;
    EXPECT_EQ(5, target.GetMenuItemCount());
    target = target;
    EXPECT_EQ(5, target.GetMenuItemCount());
    ::DeleteObject(bitmap);
}

TEST(TMenu, MenuItemIdentifiers) {
    TMenu bar;
    HMENU sub = ::CreatePopupMenu(), nested = ::CreatePopupMenu(), inner = ::CreatePopupMenu(),
          empty = ::CreatePopupMenu();
    ::AppendMenuA(sub, MF_STRING, 500, "Five hundred");
    ::AppendMenuA(inner, MF_STRING, 700, "Seven hundred");
    ::AppendMenuA(nested, MF_POPUP, (UINT_PTR)inner, "Inner");
    bar.AppendMenuA(MF_POPUP, (UINT_PTR)sub, "Sub");
    bar.AppendMenuA(MF_SEPARATOR);
    bar.AppendMenuA(MF_POPUP, (UINT_PTR)nested, "Nested");
    bar.AppendMenuA(MF_POPUP, (UINT_PTR)empty, "Empty");
    bar.AppendMenuA(MF_STRING, 42, "Plain");
    EXPECT_EQ(499u, bar.GetMenuItemID(0));
    EXPECT_EQ(0u, bar.GetMenuItemID(1));
    EXPECT_EQ(698u, bar.GetMenuItemID(2));
    EXPECT_EQ(0xFFFFFFFFu, bar.GetMenuItemID(3));
    EXPECT_EQ(42u, bar.GetMenuItemID(4));
}

TEST(TMenu, ContextMenuInsertsCopiesInOrder) {
    TContextMenu context;
    context.AppendMenuA(MF_STRING, 1, "a");
    context.AppendMenuA(MF_STRING, 2, "b");
    context.AppendMenuA(MF_STRING, 3, "c");
    TMenu m;
    m.AppendMenuA(MF_STRING, 11, "x");
    m.AppendMenuA(MF_STRING, 12, "y");
    m.AppendMenuA(MF_STRING, 13, "z");
    context.InsertMenuCopy(2, m);
    EXPECT_EQ("a,b,x,y,z,c", MenuItemTexts(context));
    context.AppendMenuCopy(m);
    EXPECT_EQ("a,b,x,y,z,c,x,y,z", MenuItemTexts(context));
    TPopupMenu popup(m);
    EXPECT_EQ("x,y,z", MenuItemTexts(popup));
}

TEST(TMenu, NullHandlesRaiseTheMenuError) {
    try {
        TMenu none(::GetDesktopWindow());  // a window without a menu
        FAIL() << "no exception";
    } catch (TXMenu &x) {
        EXPECT_EQ(uint(IDS_MENUFAILURE), x.GetErrorCode());
    }
    EXPECT_THROW(TMenuDescr(999, &Exe()), TXMenu);
    TMenu wrapped((HMENU)0, NoAutoDelete);  // the handle form does not check
    EXPECT_FALSE(wrapped.IsOK());
}

TEST(TMenuDescr, GroupsFromSeparators) {
    TMenuDescr frame(700, &Exe());
    ExpectCounts(frame, {1, 1, 0, 1, 1, 0});
    EXPECT_EQ("File,Edit,Window,Help", MenuItemTexts(frame));  // all separators removed

    TMenuDescr plain(701, 2, 0, 0, 0, 0, 0, 0, &Exe());
    ExpectCounts(plain, {2, 0, 0, 0, 0, 0});

    // A remove mask drops items by their first positions before the groups are read.
    TMenuDescr masked(700, 0, 0, 0, 0, 0, 0, 1 << 2, &Exe());
    EXPECT_EQ("File,Window,Help", MenuItemTexts(masked));
    ExpectCounts(masked, {1, 0, 0, 1, 1, 0});

    TMenuDescr copy(frame);
    ExpectCounts(copy, {1, 1, 0, 1, 1, 0});
    EXPECT_EQ("File,Edit,Window,Help", MenuItemTexts(copy));
    EXPECT_NE(frame.GetHandle(), copy.GetHandle());
}

TEST(TMenuDescr, MergeTakesTheChildsGroupsWhereItHasThem) {
    TMenuDescr frame(700, &Exe());
    TMenuDescr child(702, 0, 1, 0, -1, 0, 0, 0, &Exe());

    TMenu merged;
    EXPECT_TRUE(frame.Merge(child, merged));
    EXPECT_EQ("File,Child,Help", MenuItemTexts(merged));
    EXPECT_EQ("File,Edit,Window,Help", MenuItemTexts(frame));  // the two-argument form changes nothing
    ASSERT_TRUE(merged.GetSubMenu(1));
    EXPECT_EQ(601u, ::GetMenuItemID(merged.GetSubMenu(1), 0));

    EXPECT_TRUE(frame.Merge(child));
    EXPECT_EQ("File,Child,Help", MenuItemTexts(frame));
    ExpectCounts(frame, {1, 1, 0, -1, 1, 0});
}

TEST(MultiPopup, BuildsSortedFoldersAndChecksOneEntry) {
    List<StringItem<ListElement>> strings;
    for (char const *s : {"B", "a\\x", "a\\y", "A", "a\\x", "\\\\c\\\\d\\", "e\\"})
        strings.Append(new StringItem<ListElement>(s));
    MultiPopup popup(strings, 10000, 10003);
    HMENU menu = popup.GetMenu()->GetHandle();
    // "a" (folder) before "A" (entry) before "B" before "c"; "e\" makes no item, and
    // "c\d\" is a folder holding only an empty folder.
    EXPECT_EQ("a,A,B,c", MenuItemTexts(menu));
    HMENU a = ::GetSubMenu(menu, 0);
    ASSERT_TRUE(a);
    EXPECT_EQ("x,y", MenuItemTexts(a));
    EXPECT_EQ(10001u, ::GetMenuItemID(a, 0));  // the second "a\x" adds nothing
    EXPECT_EQ(10002u, ::GetMenuItemID(a, 1));
    EXPECT_EQ(10003u, ::GetMenuItemID(menu, 1));
    EXPECT_EQ(10000u, ::GetMenuItemID(menu, 2));
    EXPECT_TRUE(::GetMenuState(menu, 1, MF_BYPOSITION) & MF_CHECKED);
    EXPECT_FALSE(::GetMenuState(menu, 2, MF_BYPOSITION) & MF_CHECKED);

    EXPECT_STREQ("x", MultiPopup::GetToken(strings, 1).c_str());
    EXPECT_STREQ("B", MultiPopup::GetToken(strings, 0).c_str());
    EXPECT_STREQ("", MultiPopup::GetToken(strings, 99).c_str());
    EXPECT_STREQ("", MultiPopup::GetToken(strings, -1).c_str());
}
