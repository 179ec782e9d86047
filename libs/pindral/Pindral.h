// Pindral: a tree control with columns, window class "JqFlexTree".
//
// A row of the tree shows, from the left: a label (a short text such as a number, in the
// label column), the tree column (lines, the expand button, an image and the item's text,
// indented by the item's level), then one cell per further shown column. Items are
// numbered from 0 in the order they were added, and item n is always row n, whether
// shown or inside a collapsed item. An item's parent is the nearest item before it with a
// lower level.
//
// The tree paints itself and talks through the messages and records below; records of
// numbers have one layout on 32-bit and 64-bit Windows. It never expands, collapses or
// edits an item by itself: it tells its parent, which decides.
//
// SftTree_RegisterApp2 and SftTree_UnregisterApp2 are traced with OutputDebugString
// ("Pindral: ..."); under Wine the lines show with WINEDEBUG=+debugstr.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>

#ifdef PINDRAL_BUILD
#define PINDRAL_API extern "C" __declspec(dllexport)
#else
#define PINDRAL_API extern "C" __declspec(dllimport)
#endif

#define PINDRAL_CLASS "JqFlexTree"

// Registers the window class (CS_GLOBALCLASS) for an application; the class stays until
// the last application that registered it unregisters. Registering twice is one
// registration. FALSE when the class cannot be registered.
PINDRAL_API BOOL WINAPI SftTree_RegisterApp2(HINSTANCE application);
// FALSE when the application had not registered.
PINDRAL_API BOOL WINAPI SftTree_UnregisterApp2(HINSTANCE application);
// The window procedure of the class; a window that subclasses a tree hands it the
// messages it does not handle.
PINDRAL_API LRESULT CALLBACK SftTree_WndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Values that stand for none, and the label column.
enum : std::int32_t {
    PINDRAL_NONE = -1,          // no item, no column, no image
    PINDRAL_LABEL_COLUMN = -2,  // the label at the left of a row, as a column
    PINDRAL_MAX_LEVEL = 63,
};
// An item colour that follows the tree's look.
#define PINDRAL_DEFAULT_COLOR 0xFFFFFFFFu

// The messages of the tree (wParam, lParam -> result). An item number outside the items
// answers 0 (or PINDRAL_NONE where the answer is an item).
enum : UINT {
    PTM_FIRST = WM_USER + 1000,
    PTM_DELETEALL = PTM_FIRST,  // (0, 0) -> 1; the caret and the drop highlight go too
    PTM_ADDITEM,                // (0, char const *text) -> the new item's number, level 0, no image
    PTM_GETCOUNT,               // (0, 0) -> the number of items
    PTM_SETLEVEL,               // (item, level 0..PINDRAL_MAX_LEVEL) -> 1
    PTM_SETIMAGE,               // (item, image number or PINDRAL_NONE) -> 1
    PTM_SETLABEL,               // (item, char const *text) -> 1
    PTM_SETITEMCOLORS,          // (item, PindralItemColors const *) -> 1
    PTM_SETCELLTEXT,            // (0, PindralCellText const *) -> 1
    PTM_GETCELLTEXT,            // (0, PindralCellBuffer *) -> the text's whole length, or -1
    PTM_GETTREECOLUMN,          // (logical column, 0) -> its tree column, or PINDRAL_NONE when hidden
    PTM_SETCARET,               // (item or PINDRAL_NONE, 0) -> 1
    PTM_GETCARET,               // (0, 0) -> the caret item or PINDRAL_NONE
    PTM_ENSUREVISIBLE,          // (item, 0) -> 1; scrolls to the item, or to its shown ancestor
    PTM_SETEXPANDED,            // (item, 0 or 1) -> 1; items are expanded when added
    PTM_GETEXPANDED,            // (item, 0) -> 1 when expanded
    PTM_GETPARENT,              // (item, 0) -> its parent or PINDRAL_NONE
    PTM_HITTEST,                // (0, PindralHit *) -> the item under the point or PINDRAL_NONE
    PTM_GETCELLRECT,            // (0, PindralCellRect *) -> 1 when the item's row is shown
    PTM_SETDROPHIGHLIGHT,       // (item or PINDRAL_NONE, 0) -> the item highlighted before
    PTM_SETREDRAW,              // (0 or 1, 0) -> the state before; on again repaints
    PTM_SETCOLUMNS,             // (count, PindralColumn const *) -> 1
    PTM_SETIMAGES,              // (0, PindralImages const *) -> 1
    PTM_SETLOOK,                // (0, PindralLook const *) -> 1
    PTM_GETLOOK,                // (0, PindralLook *) -> 1
    PTM_LAST = PTM_GETLOOK,
};

// The columns, by logical number: logical column 0 is the tree column and is always
// shown; the shown ones become tree columns 0, 1, ... in logical order. Cell texts stay
// with their logical column when columns are hidden and shown again.
struct PindralColumn {
    char const *caption;
    std::int32_t width;  // pixels
    std::int32_t shown;  // 0: hidden
};

// Column: a tree column (0 is the item's text) or PINDRAL_LABEL_COLUMN.
struct PindralCellText {
    std::int32_t item;
    std::int32_t column;
    char const *text;
};

// Fills buffer with at most capacity - 1 characters and a zero.
struct PindralCellBuffer {
    std::int32_t item;
    std::int32_t column;
    char *buffer;
    std::int32_t capacity;
};

struct PindralItemColors {
    std::uint32_t back;       // the row's cells (COLORREF or PINDRAL_DEFAULT_COLOR)
    std::uint32_t labelBack;  // the label
};
static_assert(sizeof(PindralItemColors) == 8, "one layout on both machines");

// Where a point lies.
enum : std::int32_t {
    PINDRAL_HIT_NOWHERE = 0,  // outside the columns
    PINDRAL_HIT_HEADER,       // a column caption
    PINDRAL_HIT_LABEL,
    PINDRAL_HIT_INDENT,  // left of the item's expand button
    PINDRAL_HIT_BUTTON,  // the expand button's place
    PINDRAL_HIT_IMAGE,
    PINDRAL_HIT_TEXT,   // the rest of the tree column
    PINDRAL_HIT_CELL,   // a further column
    PINDRAL_HIT_BELOW,  // inside the columns below the last row
};

struct PindralHit {
    std::int32_t x, y;    // in: client coordinates
    std::int32_t item;    // out: or PINDRAL_NONE
    std::int32_t column;  // out: tree column, PINDRAL_LABEL_COLUMN or PINDRAL_NONE
    std::int32_t area;    // out: PINDRAL_HIT_...
};
static_assert(sizeof(PindralHit) == 20, "one layout on both machines");

// rect: out, client coordinates (may lie outside the client area when scrolled away).
struct PindralCellRect {
    std::int32_t item;
    std::int32_t column;  // a tree column or PINDRAL_LABEL_COLUMN
    RECT rect;
};
static_assert(sizeof(PindralCellRect) == 24, "one layout on both machines");

// The images of the items, copied by the tree. Image n is bitmaps[n]; its pixels of the
// transparent colour (unless PINDRAL_DEFAULT_COLOR) show the row behind.
struct PindralImages {
    std::int32_t count;
    std::uint32_t transparent;
    HBITMAP const *bitmaps;
};

enum : std::uint32_t {
    PINDRAL_SHOW_LINES = 1,    // lines joining parents and children
    PINDRAL_SHOW_BUTTONS = 2,  // expand buttons on items with children
    PINDRAL_SHOW_HEADER = 4,   // column captions
    PINDRAL_SHOW_GRID = 8,     // lines between rows and between columns
};

struct PindralLook {
    std::uint32_t options;     // PINDRAL_SHOW_...
    std::int32_t labelWidth;   // pixels; 0: no label column
    std::int32_t indent;       // pixels per level
    std::uint32_t background;  // colours (COLORREF)
    std::uint32_t text;
    std::uint32_t lines;      // tree lines, buttons and grid
    std::uint32_t caretBack;  // the caret row
    std::uint32_t caretText;
    std::uint32_t dropBack;  // the drop-highlighted row
    std::uint32_t headerBack;
    std::uint32_t headerText;
    std::uint32_t labelBack;  // labels without a colour of their own
};
static_assert(sizeof(PindralLook) == 48, "one layout on both machines");

// Notifications: WM_COMMAND to the parent with (control identifier, code) and the tree
// window. The parent finds the mouse position with GetMessagePos and PTM_HITTEST. Keys
// go first to the parent as WM_VKEYTOITEM (key, caret item); an answer of -2 means the
// parent handled the key.
enum : WORD {
    PTN_DRAGBEGIN = 8,  // the mouse left the pressed item with the button down
    PTN_DRAGMOVE = 9,
    PTN_DROP = 10,        // the button came up while dragging
    PTN_DRAGEND = 11,     // after the drop, or when the drag was cancelled
    PTN_EDITCANCEL = 14,  // for the owner's in-place editor; the tree never sends them
    PTN_EDITCOMMIT = 15,
    PTN_TOGGLECLICK = 33,  // an expand button was clicked; its item is the caret now
    PTN_CLICK = 35,        // an item was clicked and became the caret
    PTN_HEADERCLICK = 36,
    PTN_CONTEXTMENU = 37,  // the right button on an item, now the caret
    PTN_TOGGLEKEY = 43,    // '+', '-', Left on an expanded item or Right on a collapsed one
    PTN_ENTER = 44,        // Enter on the caret
    PTN_DOUBLECLICK = 45,  // double-click on an item
    PTN_EDITKEY = 72,      // F2 on the caret
    PTN_CARETCLICK = 73,   // a click on the item that already was the caret
    PTN_CONTEXTKEY = 76,   // the context-menu key or Shift+F10
    PTN_SPACE = 85,        // Space on the caret
};
