// The list of check boxes: its drawing read back from a bitmap, and clicks in the box
// column reaching its owner's response table as commands.
#include "controls/CheckList.h"
#include "core/DialogWindow.h"
#include "tests/framework/GdiCanvas.h"
#include "tests/framework/TestApp.h"

#include <gtest/gtest.h>

#include <climits>
#include <set>
#include <string>

namespace {
// The owner keeps the states and flips one on each command of the list.
class Owner : public TDialog {
public:
    Owner(TModule *module) : TWindow((TWindow *)0, 0, module), TDialog(0, 52001, module) {}
    std::set<unsigned> Checked;
    std::string Trace;
    CheckBoxList *List = 0;
    void Toggle() {
        int i = List->GetSelIndex();
        Trace += "toggle " + std::to_string(i) + " ";
        if (!Checked.erase(unsigned(i)))
            Checked.insert(unsigned(i));
    }
    DECLARE_RESPONSE_TABLE(Owner);
};
DEFINE_RESPONSE_TABLE1(Owner, TDialog)
    EV_COMMAND(52010, Toggle),
END_RESPONSE_TABLE;

int IsChecked(CheckBoxList *list, unsigned index) {
    Owner *owner = dynamic_cast<Owner *>(list->GetParentO());
    return owner && owner->Checked.count(index);
}

class CheckListTest : public ::testing::Test {
protected:
    void SetUp() override {
        owner = new Owner(&module);
        owner->List = new CheckBoxList(owner, 52010, &IsChecked);
        ASSERT_TRUE(owner->Create());
        list = owner->List;
        for (char const *t : {"first", "second", "third"})
            list->AddString(t);
    }
    void TearDown() override { delete owner; }
    void Show() {
        owner->ShowWindow(SW_SHOWNA);
        owner->UpdateWindow();
        list->UpdateWindow();
    }
    TRect Item(int i) {
        TRect r;
        list->SendMessageA(LB_GETITEMRECT, i, LPARAM(&r));
        return r;
    }
    void Click(int x, int y) {
        list->SendMessageA(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
        list->SendMessageA(WM_LBUTTONUP, 0, MAKELPARAM(x, y));
    }
    // One item drawn into a canvas of the given fill, through the list's own window.
    void Draw(Canvas &canvas, unsigned action, unsigned state, int index = 0) {
        DRAWITEMSTRUCT draw = {};
        draw.CtlType = ODT_LISTBOX;
        draw.CtlID = 52010;
        draw.itemID = index;
        draw.itemAction = action;
        draw.itemState = state;
        draw.hwndItem = list->GetHandle();
        draw.hDC = canvas.dc().GetHDC();
        draw.rcItem = TRect(0, 0, 100, 16);
        list->SendMessageA(WM_DRAWITEM, 52010, LPARAM(&draw));
        lastRect = draw.rcItem;
    }
    TestApp app;
    TModule &module = Exe();
    Owner *owner = 0;
    CheckBoxList *list = 0;
    TRect lastRect;
};

COLORREF const Fill = RGB(1, 2, 3);
COLORREF const Black = RGB(0, 0, 0);
}  // namespace

TEST_F(CheckListTest, MeasuresTheFontAndDrawsTheSquare) {
    EXPECT_EQ(0, list->GetBoxWidth());
    EXPECT_STREQ("LISTBOX", list->GetClassNameA());
    TEXTMETRICA tm;
    {
        // the dialog measures its list before it gives the list its font
        TIC ic("DISPLAY", 0, 0);
        ic.GetTextMetricsA(tm);
    }
    EXPECT_EQ(tm.tmHeight, list->GetItemHeightField());
    EXPECT_EQ(tm.tmHeight, list->GetItemHeight(0));

    Canvas plain(100, 16, Fill);
    Draw(plain, ODA_DRAWENTIRE, 0);
    EXPECT_EQ(17, list->GetBoxWidth());
    // the square: left 1, top 1, right 15, bottom 15, outlined only
    EXPECT_EQ(".##############..", plain.Row(1, Fill).substr(0, 17));
    EXPECT_EQ(".##############..", plain.Row(14, Fill).substr(0, 17));
    EXPECT_EQ(".#............#..", plain.Row(7, Fill).substr(0, 17));
    EXPECT_EQ(Black, plain.At(1, 7));
    EXPECT_EQ(Black, plain.At(14, 7));
    EXPECT_EQ(Fill, plain.At(15, 7));
    EXPECT_EQ(Fill, plain.At(7, 7));  // unchecked: the inside is not filled
    EXPECT_EQ(Fill, plain.At(16, 7));  // between the square and the text area
    EXPECT_EQ(::GetSysColor(COLOR_WINDOW), plain.At(17, 0));
    EXPECT_EQ(::GetSysColor(COLOR_WINDOW), plain.At(99, 15));

    owner->Checked.insert(0);
    Canvas checked(100, 16, Fill);
    Draw(checked, ODA_SELECT, ODS_SELECTED);
    EXPECT_EQ(Black, checked.At(7, 7));    // the falling stroke
    EXPECT_EQ(Black, checked.At(13, 13));
    EXPECT_EQ(Black, checked.At(13, 2));   // the rising stroke
    EXPECT_EQ(::GetSysColor(COLOR_HIGHLIGHT), checked.At(17, 0));
    int text = checked.Count(::GetSysColor(COLOR_HIGHLIGHTTEXT));
    EXPECT_GT(text, 0);  // the selected text in its own colour

    // a focus change leaves the square alone and narrows the record to the text
    Canvas focus(100, 16, Fill);
    Draw(focus, ODA_FOCUS, ODS_FOCUS);
    EXPECT_EQ(17, lastRect.left);
    for (int x = 0; x < 17; x++)
        for (int y = 0; y < 16; y++)
            ASSERT_EQ(Fill, focus.At(x, y)) << x << "," << y;
    Canvas none(100, 16, Fill);
    Draw(none, 0, 0);
    EXPECT_EQ(100 * 16, none.Count(Fill));
}

TEST_F(CheckListTest, ClicksInTheBoxColumnAreCommands) {
    TRect second = Item(1);
    Click(2, (second.top + second.bottom) / 2);  // nothing drawn yet: no box column
    EXPECT_EQ("", owner->Trace);
    EXPECT_EQ(1, list->GetSelIndex());

    Show();
    int box = list->GetBoxWidth();
    ASSERT_EQ(second.Height() + 1, box);
    TRect third = Item(2);
    Click(box + 5, (third.top + third.bottom) / 2);  // on the text: selects only
    EXPECT_EQ(2, list->GetSelIndex());
    EXPECT_EQ("", owner->Trace);

    TRect first = Item(0);
    Click(box - 3, (first.top + first.bottom) / 2);  // selects first, then the command
    EXPECT_EQ(0, list->GetSelIndex());
    EXPECT_EQ("toggle 0 ", owner->Trace);
    EXPECT_EQ(1u, owner->Checked.count(0));
    // only the square is invalid, and it is redrawn with the new state
    RECT update;
    ASSERT_TRUE(::GetUpdateRect(list->GetHandle(), &update, FALSE));
    EXPECT_LE(update.right, box);
    list->UpdateWindow();
    TRect firstNow = Item(0);
    HDC screen = ::GetDC(list->GetHandle());
    int mid = (firstNow.top + firstNow.bottom) / 2;
    COLORREF centre = ::GetPixel(screen, firstNow.left + 1 + (firstNow.Height() - 2) / 2, mid);
    ::ReleaseDC(list->GetHandle(), screen);
    EXPECT_EQ(Black, centre);
}

// With no line selected (an emptied list) a click in the box column is no command, and
// an empty list drawing itself asks its owner about no line.
TEST_F(CheckListTest, AnEmptyListSendsNoCommandAndAsksNothing) {
    Show();
    int box = list->GetBoxWidth();
    ASSERT_GT(box, 0);
    list->ClearList();
    Click(2, 5);
    EXPECT_EQ(-1, list->GetSelIndex());
    EXPECT_EQ("", owner->Trace);

    owner->Checked.insert(UINT_MAX);  // an owner asked about line -1 would cross it
    Canvas empty(100, 16, Fill);
    Draw(empty, ODA_DRAWENTIRE, 0, -1);
    EXPECT_EQ(100 * 16, empty.Count(Fill));
}
