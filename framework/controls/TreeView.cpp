#include "controls/TreeView.h"

#include "core/ImageList.h"

#include <cstring>

TreeView::TreeView(TWindow *parent, int id, int x, int y, int w, int h, TModule *module)
    : TControl(parent, id, 0, x, y, w, h, module) {
    Attr.Style |= TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT;
}

TreeView::TreeView(TWindow *parent, int resourceId, TModule *module) : TControl(parent, resourceId, module) {}

char const *TreeView::GetClassNameA() { return WC_TREEVIEWA; }

HTREEITEM TreeView::Insert(TVINSERTSTRUCTA &insert) { return HTREEITEM(Send(TVM_INSERTITEMA, 0, LPARAM(&insert))); }
bool TreeView::Delete(HTREEITEM item) { return Send(TVM_DELETEITEM, 0, LPARAM(item)) != 0; }
bool TreeView::DeleteAll() { return Send(TVM_DELETEITEM, 0, LPARAM(TVI_ROOT)) != 0; }

void TreeView::SetImageList(ImageList *list, int which) {
    Send(TVM_SETIMAGELIST, which, LPARAM(list ? HIMAGELIST(*list) : 0));
}

bool TreeView::Expand(HTREEITEM item, uint code) { return Send(TVM_EXPAND, code, LPARAM(item)) != 0; }
HTREEITEM TreeView::GetSelectedItem() { return Next(0, TVGN_CARET); }
HTREEITEM TreeView::GetFirstRoot() { return Next(0, TVGN_ROOT); }
HTREEITEM TreeView::GetParentItem(HTREEITEM item) { return Next(item, TVGN_PARENT); }
HTREEITEM TreeView::GetNextBrother(HTREEITEM item) { return Next(item, TVGN_NEXT); }
HTREEITEM TreeView::GetFirstChild(HTREEITEM item) { return item ? Next(item, TVGN_CHILD) : GetFirstRoot(); }
bool TreeView::GetItem(TVITEMA &item) { return Send(TVM_GETITEMA, 0, LPARAM(&item)) != 0; }
bool TreeView::EnsureVisible(HTREEITEM item) { return Send(TVM_ENSUREVISIBLE, 0, LPARAM(item)) != 0; }
HWND TreeView::EditItemName(HTREEITEM item) { return HWND(Send(TVM_EDITLABELA, 0, LPARAM(item))); }
HWND TreeView::GetEditControl() { return HWND(Send(TVM_GETEDITCONTROL)); }
bool TreeView::SelectItem(HTREEITEM item, uint code) { return Send(TVM_SELECTITEM, code, LPARAM(item)) != 0; }
bool TreeView::SetSortCallback(TVSORTCB &sort) { return Send(TVM_SORTCHILDRENCB, 0, LPARAM(&sort)) != 0; }

LPARAM TreeView::GetItemData(HTREEITEM item) {
    TVITEMA tv = {};
    tv.mask = TVIF_HANDLE | TVIF_PARAM;
    tv.hItem = item;
    return GetItem(tv) ? (unsigned long)tv.lParam : 0;
}

String TreeView::GetItemName(HTREEITEM item) {
    char buffer[1000];
    buffer[0] = 0;
    TVITEMA tv = {};
    tv.mask = TVIF_HANDLE | TVIF_TEXT;
    tv.hItem = item;
    tv.pszText = buffer;
    tv.cchTextMax = 999;
    if (!GetItem(tv))
        return String("");
    buffer[999] = 0;
    return String(tv.pszText ? tv.pszText : "");
}

uint TreeView::GetItemState(HTREEITEM item) {
    TVITEMA tv = {};
    tv.mask = TVIF_HANDLE | TVIF_STATE;
    tv.hItem = item;
    tv.stateMask = 0xFFFFFFFF;
    return GetItem(tv) ? tv.state : 0;
}

bool TreeView::SetState(HTREEITEM item, uint bits, int on) {
    uint current = GetItemState(item);
    TVITEMA tv = {};
    tv.mask = TVIF_HANDLE | TVIF_STATE;
    tv.hItem = item;
    tv.stateMask = bits;
    tv.state = on ? current | bits : current & ~bits;
    return SetItem(tv);
}

bool TreeView::SetImageIndexes(HTREEITEM item, int image, int selectedImage) {
    TVITEMA tv = {};
    tv.mask = TVIF_HANDLE | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    tv.hItem = item;
    tv.iImage = image;
    tv.iSelectedImage = selectedImage;
    return SetItem(tv);
}

bool TreeView::SetItemData(HTREEITEM item, LPARAM data) {
    TVITEMA tv = {};
    tv.mask = TVIF_HANDLE | TVIF_PARAM;
    tv.hItem = item;
    tv.lParam = data;
    return SetItem(tv);
}

bool TreeView::RenameItem(HTREEITEM item, char const *text) {
    TVITEMA tv = {};
    tv.mask = TVIF_HANDLE | TVIF_TEXT;
    tv.hItem = item;
    tv.pszText = const_cast<char *>(text);
    tv.cchTextMax = text ? lstrlenA(text) : 0;
    return SetItem(tv);
}

HTREEITEM TreeView::GetItemAtPoint(TPoint const &point, unsigned *flags) {
    TVHITTESTINFO info = {};
    info.pt = point;
    HTREEITEM item = HTREEITEM(Send(TVM_HITTEST, 0, LPARAM(&info)));
    if (flags)
        *flags = info.flags;
    return item;
}

bool TreeView::GetItemRect(HTREEITEM item, TRect &rect, int wholeLine) {
    std::memcpy(static_cast<RECT *>(&rect), &item, sizeof item);  // the control reads the item from the rectangle
    return Send(TVM_GETITEMRECT, !wholeLine, LPARAM(&rect)) != 0;
}

bool TreeView::HasChildren(HTREEITEM item) {
    TVITEMA tv = {};
    tv.mask = TVIF_HANDLE | TVIF_CHILDREN;
    tv.hItem = item;
    return GetItem(tv) && tv.cChildren != 0;
}

HTREEITEM TreeView::FindItem(LPARAM data, HTREEITEM parent, int recursive) {
    for (HTREEITEM child = GetFirstChild(parent); child; child = GetNextBrother(child)) {
        if (GetItemData(child) == data)
            return child;
        if (recursive && HasChildren(child))
            if (HTREEITEM hit = FindItem(data, child, recursive))
                return hit;
    }
    return 0;
}

void TreeView::DeleteAllChildren(HTREEITEM item) {
    if (!item) {
        DeleteAll();
        return;
    }
    for (HTREEITEM child = GetFirstChild(item); child; child = GetFirstChild(item))
        if (!Delete(child))
            break;  // a child that will not go would loop forever
}

bool TreeView::FindAndDelete(LPARAM data) {
    HTREEITEM item = FindItem(data, GetFirstRoot(), 1);
    if (!item)
        return false;
    Delete(item);
    return true;
}
