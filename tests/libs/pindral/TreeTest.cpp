// The tree control's messages and notifications.
#include "tests/libs/pindral/TreeFixture.h"

#include <cstring>
#include <iterator>

namespace pindraltest {

namespace {

using Notes = std::vector<int>;

bool ClassRegistered(WNDCLASSEXA &info) {
    info = {};
    info.cbSize = sizeof info;
    return GetClassInfoExA(GetModuleHandleA(nullptr), PINDRAL_CLASS, &info) != 0;
}

LPARAM At(POINT p) { return MAKELPARAM(p.x, p.y); }

}  // namespace

TEST(PindralClass, StaysWhileAnApplicationHasItRegistered) {
    HINSTANCE a = GetModuleHandleA(nullptr), b = reinterpret_cast<HINSTANCE>(0x10000);
    struct Step {
        bool registering;
        HINSTANCE application;
        BOOL result;
        bool registered;
    } const steps[] = {
        {false, a, FALSE, false}, {true, a, TRUE, true},  {true, a, TRUE, true},
        {true, b, TRUE, true},    {false, a, TRUE, true}, {false, a, FALSE, true},
        {false, b, TRUE, false},  {true, b, TRUE, true},  {false, b, TRUE, false},
    };
    for (Step const &s : steps) {
        BOOL result = s.registering ? SftTree_RegisterApp2(s.application) : SftTree_UnregisterApp2(s.application);
        EXPECT_EQ(s.result, result);
        WNDCLASSEXA info;
        ASSERT_EQ(s.registered, ClassRegistered(info)) << &s - steps;
        if (s.registered) {
            EXPECT_TRUE(info.style & CS_GLOBALCLASS);
            EXPECT_EQ(reinterpret_cast<WNDPROC>(SftTree_WndProc), info.lpfnWndProc);
        }
    }
}

TEST_F(TreeFixture, ItemsJoinByLevelAndHideInsideCollapsedOnes) {
    AddFamily();
    EXPECT_EQ(7, Send(PTM_GETCOUNT));
    int const parents[] = {-1, 0, 1, 0, -1, 4, -1};
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(parents[i], Send(PTM_GETPARENT, i)) << i;
    EXPECT_EQ(PINDRAL_NONE, Send(PTM_GETPARENT, 7));
    struct Case {
        int collapse;  // item collapsed on top of the case before, -1 none
        int expand;
        char const *shown;  // items with a shown row
    } const cases[] = {
        {-1, -1, "1111111"}, {1, -1, "1101111"}, {0, -1, "1000111"}, {-1, 0, "1101111"}, {4, 1, "1111101"},
    };
    for (Case const &c : cases) {
        if (c.collapse >= 0) {
            EXPECT_EQ(1, Send(PTM_SETEXPANDED, c.collapse, 0));
        }
        if (c.expand >= 0)
            Send(PTM_SETEXPANDED, c.expand, 1);
        std::string shown;
        int rowBottom = 0;
        for (int i = 0; i < 7; ++i) {
            PindralCellRect cell = {i, 0, {}};
            bool isShown = Send(PTM_GETCELLRECT, 0, reinterpret_cast<LPARAM>(&cell)) == 1;
            shown += isShown ? '1' : '0';
            if (isShown) {
                if (rowBottom) {
                    EXPECT_EQ(rowBottom, cell.rect.top) << "rows follow each other";
                }
                rowBottom = cell.rect.bottom;
            }
        }
        EXPECT_EQ(c.shown, shown);
    }
    EXPECT_EQ(0, Send(PTM_GETEXPANDED, 4));
    EXPECT_EQ(1, Send(PTM_GETEXPANDED, 2));
    EXPECT_EQ(1, Send(PTM_SETLEVEL, 6, 99));  // clamped to the deepest level: a child of B1
    EXPECT_EQ(5, Send(PTM_GETPARENT, 6));
}

TEST_F(TreeFixture, CellsFollowTheirLogicalColumns) {
    PindralColumn columns[] = {{"Name", 120, 0}, {"Start", 60, 1}, {"Length", 60, 0}, {"ISRC", 80, 1}};
    ASSERT_EQ(1, Send(PTM_SETCOLUMNS, 4, reinterpret_cast<LPARAM>(columns)));
    int const treeColumns[] = {0, 1, PINDRAL_NONE, 2, PINDRAL_NONE};  // the name column is never hidden
    for (int logical = 0; logical < 5; ++logical)
        EXPECT_EQ(treeColumns[logical], Send(PTM_GETTREECOLUMN, logical)) << logical;
    Add("track one");
    PindralCellText isrc = {0, 2, "DEA123456789"};
    EXPECT_EQ(1, Send(PTM_SETCELLTEXT, 0, reinterpret_cast<LPARAM>(&isrc)));
    EXPECT_EQ(1, Send(PTM_SETLABEL, 0, reinterpret_cast<LPARAM>("1")));
    PindralCellText hidden = {0, 3, "x"};
    EXPECT_EQ(0, Send(PTM_SETCELLTEXT, 0, reinterpret_cast<LPARAM>(&hidden)));
    EXPECT_EQ("DEA123456789", Text(0, 2));
    columns[2].shown = 1;
    Send(PTM_SETCOLUMNS, 4, reinterpret_cast<LPARAM>(columns));
    EXPECT_EQ("DEA123456789", Text(0, 3));
    EXPECT_EQ("", Text(0, 2));
    struct Case {
        int item, column, capacity;
        char const *text;
        LRESULT length;
    } const cases[] = {
        {0, 0, 64, "track one", 9}, {0, 0, 6, "track", 9},    {0, 0, 1, "", 9},         {0, 0, 0, "#", 9},
        {0, -2, 64, "1", 1},        {0, 4, 64, "(none)", -1}, {1, 0, 64, "(none)", -1}, {-1, 0, 64, "(none)", -1},
    };
    for (Case const &c : cases) {
        std::vector<char> buffer(65, '#');
        buffer[64] = 0;
        PindralCellBuffer cell = {c.item, c.column, buffer.data(), c.capacity};
        LRESULT length = Send(PTM_GETCELLTEXT, 0, reinterpret_cast<LPARAM>(&cell));
        EXPECT_EQ(c.length, length) << c.item << "," << c.column;
        std::string text =
            length < 0 ? "(none)" : std::string(buffer.data()).substr(0, c.capacity ? std::string::npos : 1);
        EXPECT_EQ(c.text, text) << c.item << "," << c.column;
    }
}

TEST_F(TreeFixture, HitTestNamesItemColumnAndPart) {
    PindralColumn columns[] = {{"Name", 150, 1}, {"Start", 60, 1}};
    Send(PTM_SETCOLUMNS, 2, reinterpret_cast<LPARAM>(columns));
    PindralLook look;
    Send(PTM_GETLOOK, 0, reinterpret_cast<LPARAM>(&look));
    look.labelWidth = 30;
    look.indent = 16;
    Send(PTM_SETLOOK, 0, reinterpret_cast<LPARAM>(&look));
    HBITMAP image = CreateBitmap(12, 12, 1, 32, nullptr);
    PindralImages images = {1, PINDRAL_DEFAULT_COLOR, &image};
    ASSERT_EQ(1, Send(PTM_SETIMAGES, 0, reinterpret_cast<LPARAM>(&images)));
    DeleteObject(image);
    AddFamily();
    RECT a = Cell(0, 0), a1a = Cell(2, 0), label = Cell(3, PINDRAL_LABEL_COLUMN), start = Cell(4, 1);
    int y = Middle(a).y;
    struct Case {
        POINT at;
        int item, column, area;
    } const cases[] = {
        {{start.left + 2, 2}, PINDRAL_NONE, 1, PINDRAL_HIT_HEADER},
        {Middle(label), 3, PINDRAL_LABEL_COLUMN, PINDRAL_HIT_LABEL},
        {{a.left + 8, y}, 0, 0, PINDRAL_HIT_BUTTON},
        {{a.left + 16 + 6, y}, 0, 0, PINDRAL_HIT_IMAGE},
        {{a.left + 16 + 12 + 10, y}, 0, 0, PINDRAL_HIT_TEXT},
        {{a1a.left + 20, Middle(a1a).y}, 2, 0, PINDRAL_HIT_INDENT},
        {{a1a.left + 40, Middle(a1a).y}, 2, 0, PINDRAL_HIT_BUTTON},
        {Middle(start), 4, 1, PINDRAL_HIT_CELL},
        {{start.left, Cell(6, 0).bottom + 1}, PINDRAL_NONE, 1, PINDRAL_HIT_BELOW},
        {{start.right + 5, y}, PINDRAL_NONE, PINDRAL_NONE, PINDRAL_HIT_NOWHERE},
        {{-5, y}, PINDRAL_NONE, PINDRAL_NONE, PINDRAL_HIT_NOWHERE},
    };
    for (Case const &c : cases) {
        PindralHit hit = Hit(c.at);
        EXPECT_EQ(c.item, hit.item) << &c - cases;
        EXPECT_EQ(c.column, hit.column) << &c - cases;
        EXPECT_EQ(c.area, hit.area) << &c - cases;
    }
}

TEST_F(TreeFixture, KeysMoveTheCaretAndAskTheParent) {
    AddFamily();
    Send(PTM_SETEXPANDED, 4, 0);
    struct Step {
        UINT key;
        LRESULT parentAnswer;
        int caret;
        Notes notes;
    } const steps[] = {
        {VK_DOWN, -1, 0, {}},                         // from no caret to the first row
        {VK_END, 0, 6, {}},      {VK_UP, -1, 4, {}},  // B1 is inside the collapsed B
        {VK_RIGHT, -1, 4, {43}},                      // opening is the parent's to do
        {VK_HOME, -1, 0, {}},    {VK_RIGHT, -1, 1, {}},  {VK_RIGHT, -1, 2, {}},    {VK_RIGHT, -1, 2, {}},
        {VK_LEFT, -1, 1, {}},    {VK_LEFT, -1, 1, {43}}, {VK_RETURN, -1, 1, {44}}, {VK_SPACE, -1, 1, {85}},
        {VK_F2, -1, 1, {72}},    {VK_DOWN, -2, 1, {}},  // the parent handled it
        {VK_NEXT, -1, 6, {}},
    };
    for (Step const &s : steps) {
        Log().keyAnswer = s.parentAnswer;
        Send(WM_KEYDOWN, s.key);
        EXPECT_EQ(s.caret, Send(PTM_GETCARET)) << &s - steps;
        EXPECT_EQ(s.notes, Heard()) << &s - steps;
    }
    EXPECT_EQ(std::size(steps), Log().keys.size());
    Send(PTM_SETCARET, 0);
    Send(WM_CHAR, '+');
    Send(WM_CHAR, '-');
    EXPECT_EQ(Notes{43}, Heard());  // A is open: only '-' asks
    EXPECT_EQ(1, Send(PTM_GETEXPANDED, 0));
}

TEST_F(TreeFixture, MouseClicksDoubleClicksAndDrags) {
    AddFamily();
    POINT a = {Cell(0, 0).left + 8, Middle(Cell(0, 0)).y}, a2 = Middle(Cell(3, 0)), c = Middle(Cell(6, 0));
    POINT away = {a2.x + 30, a2.y + 30};
    POINT screen = a2;
    ClientToScreen(tree_, &screen);
    struct Step {
        UINT message;
        POINT at;
        int caret;
        Notes notes;
    } const steps[] = {
        {WM_LBUTTONDOWN, a2, 3, {35}},         {WM_LBUTTONUP, a2, 3, {}},
        {WM_LBUTTONDOWN, a2, 3, {73}},         {WM_LBUTTONUP, a2, 3, {}},
        {WM_LBUTTONDOWN, a, 0, {33}},          {WM_LBUTTONUP, a, 0, {}},  // the button of A
        {WM_LBUTTONDBLCLK, c, 6, {45}},        {WM_LBUTTONDOWN, {a.x, 2}, 6, {36}},
        {WM_RBUTTONDOWN, a2, 3, {}},           {WM_CONTEXTMENU, screen, 3, {37}},
        {WM_LBUTTONDOWN, c, 6, {35}},          {WM_MOUSEMOVE, {c.x + 1, c.y}, 6, {}},
        {WM_MOUSEMOVE, away, 6, {8, 9}},       {WM_MOUSEMOVE, a2, 6, {9}},
        {WM_LBUTTONUP, a2, 6, {10, 11}},       {WM_MOUSEMOVE, away, 6, {}},
        {WM_LBUTTONDOWN, a2, 3, {35}},         {WM_MOUSEMOVE, away, 3, {8, 9}},
        {WM_KEYDOWN, {VK_ESCAPE, 0}, 3, {11}}, {WM_LBUTTONUP, a2, 3, {}},
    };
    for (Step const &s : steps) {
        if (s.message == WM_KEYDOWN)
            Send(s.message, s.at.x);
        else
            Send(s.message, 0, At(s.at));
        EXPECT_EQ(s.caret, Send(PTM_GETCARET)) << &s - steps;
        EXPECT_EQ(s.notes, Heard()) << &s - steps;
    }
    EXPECT_EQ(1, Send(PTM_GETEXPANDED, 0));
    EXPECT_EQ(nullptr, GetCapture());
    Send(WM_CONTEXTMENU, 0, -1);
    EXPECT_EQ(Notes{76}, Heard());
}

TEST_F(TreeFixture, ParentMayDestroyTheTreeWhileItNotifies) {
    AddFamily();
    Log().destroyOn = PTN_CLICK;
    Send(WM_LBUTTONDOWN, 0, At(Middle(Cell(3, 0))));
    EXPECT_FALSE(IsWindow(tree_));
    EXPECT_EQ(Notes{PTN_CLICK}, Heard());
    EXPECT_EQ(nullptr, GetCapture());
}

TEST_F(TreeFixture, ScrollsToItemsAndRedrawsWhenAskedTo) {
    ValidateRect(tree_, nullptr);
    EXPECT_EQ(1, Send(PTM_SETREDRAW, 0));
    for (int i = 0; i < 40; ++i)
        Add(("item " + std::to_string(i)).c_str(), i % 2);
    EXPECT_FALSE(GetUpdateRect(tree_, nullptr, FALSE));
    SCROLLINFO info = {sizeof info, SIF_RANGE, 0, 0, 0, 0, 0};
    EXPECT_FALSE(GetScrollInfo(tree_, SB_VERT, &info) && info.nMax > 0);
    EXPECT_EQ(0, Send(PTM_SETREDRAW, 1));
    EXPECT_TRUE(GetUpdateRect(tree_, nullptr, FALSE));
    ASSERT_TRUE(GetScrollInfo(tree_, SB_VERT, &info));
    EXPECT_EQ(39, info.nMax);

    RECT client;
    GetClientRect(tree_, &client);
    EXPECT_EQ(1, Send(PTM_ENSUREVISIBLE, 39));
    EXPECT_LE(Cell(39, 0).bottom, client.bottom);
    EXPECT_LT(Cell(0, 0).top, 0);  // scrolled away, still a shown row
    EXPECT_EQ(38, Hit(POINT{20, Cell(39, 0).top - 1}).item);
    Send(WM_VSCROLL, SB_TOP);
    POINT firstRow = Middle(Cell(0, 0));
    struct Scroll {
        int code, top;
    } const scrolls[] = {{SB_LINEDOWN, 1}, {SB_LINEDOWN, 2}, {SB_LINEUP, 1}, {SB_LINEUP, 0}, {SB_LINEUP, 0}};
    for (Scroll const &s : scrolls) {
        Send(WM_VSCROLL, s.code);
        EXPECT_EQ(s.top, Hit(firstRow).item) << s.code;
    }
    Send(WM_VSCROLL, SB_BOTTOM);
    EXPECT_LE(Cell(39, 0).bottom, client.bottom);
    EXPECT_GE(Cell(39, 0).top, Cell(39, 0).bottom - Cell(39, 0).top);
    Send(PTM_SETEXPANDED, 38, 0);  // hides 39: its parent shows instead
    Send(PTM_ENSUREVISIBLE, 0);
    Send(PTM_ENSUREVISIBLE, 39);
    EXPECT_GE(Cell(38, 0).top, 0);
    EXPECT_EQ(0, Cell(39, 0).bottom);

    Send(PTM_SETCARET, 5);
    Send(PTM_SETDROPHIGHLIGHT, 6);
    EXPECT_EQ(1, Send(PTM_DELETEALL));
    EXPECT_EQ(0, Send(PTM_GETCOUNT));
    EXPECT_EQ(PINDRAL_NONE, Send(PTM_GETCARET));
    EXPECT_EQ(PINDRAL_NONE, Send(PTM_SETDROPHIGHLIGHT, PINDRAL_NONE));
    EXPECT_EQ(0, Send(PTM_SETCARET, 0));
}

}  // namespace pindraltest
