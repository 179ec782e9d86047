#include "controls/ListView.h"

#include "core/ImageList.h"

ListView::ListView(TWindow *parent, int id, int x, int y, int w, int h, TModule *module)
    : TControl(parent, id, 0, x, y, w, h, module) {
    Attr.Style |= LVS_AUTOARRANGE | LVS_SHAREIMAGELISTS | LVS_SORTASCENDING;
}

ListView::ListView(TWindow *parent, int resourceId, TModule *module) : TControl(parent, resourceId, module) {
    Attr.Style |= LVS_SHAREIMAGELISTS | LVS_SORTASCENDING;
}

char const *ListView::GetClassNameA() { return WC_LISTVIEWA; }

int ListView::Insert(LVITEMA &item) { return int(Send(LVM_INSERTITEMA, 0, LPARAM(&item))); }
bool ListView::Delete(int item) { return Send(LVM_DELETEITEM, item) != 0; }
bool ListView::DeleteAll() { return Send(LVM_DELETEALLITEMS) != 0; }

void ListView::SetImageList(ImageList *list, int which) {
    Send(LVM_SETIMAGELIST, which, LPARAM(list ? HIMAGELIST(*list) : 0));
}

int ListView::InsertColumn(int i, LVCOLUMNA &column) { return int(Send(LVM_INSERTCOLUMNA, i, LPARAM(&column))); }
bool ListView::GetColumnInfo(int i, LVCOLUMNA &column) { return Send(LVM_GETCOLUMNA, i, LPARAM(&column)) != 0; }
int ListView::GetColumnWidth(int i) { return int(Send(LVM_GETCOLUMNWIDTH, i)); }

bool ListView::SortItems(PFNLVCOMPARE compare, LPARAM value) {
    return Send(LVM_SORTITEMS, WPARAM(value), LPARAM(compare)) != 0;
}

int ListView::GetNumItem() { return int(Send(LVM_GETITEMCOUNT)); }
int ListView::GetNumSelectedItem() { return int(Send(LVM_GETSELECTEDCOUNT)); }
int ListView::GetNextItem(int i) { return int(Send(LVM_GETNEXTITEM, i, MAKELPARAM(LVNI_ALL, 0))); }
int ListView::GetNextSelectedItem(int i) { return int(Send(LVM_GETNEXTITEM, i, MAKELPARAM(LVNI_SELECTED, 0))); }
int ListView::GetFocusedItem() { return int(Send(LVM_GETNEXTITEM, WPARAM(-1), MAKELPARAM(LVNI_FOCUSED, 0))); }
HWND ListView::EditItemName(int i) { return HWND(Send(LVM_EDITLABELA, i)); }
HWND ListView::GetEditControl() { return HWND(Send(LVM_GETEDITCONTROL)); }
bool ListView::EnsureVisible(int i) { return Send(LVM_ENSUREVISIBLE, i, FALSE) != 0; }
bool ListView::InvalidateItem(int i) { return Send(LVM_REDRAWITEMS, i, i) != 0; }

bool ListView::SetItemText(LVITEMA &item, int subItem, char const *text) {
    item.iSubItem = subItem;
    item.pszText = const_cast<char *>(text);
    item.cchTextMax = text == LPSTR_TEXTCALLBACKA || !text ? 0 : lstrlenA(text);
    return Send(LVM_SETITEMTEXTA, item.iItem, LPARAM(&item)) != 0;
}

bool ListView::SetImageIndex(int i, int image) {
    LVITEMA item = {};
    item.mask = LVIF_IMAGE;
    item.iItem = i;
    item.iImage = image;
    return Send(LVM_SETITEMA, 0, LPARAM(&item)) != 0;
}

bool ListView::SetItemData(int i, LPARAM data) {
    LVITEMA item = {};
    item.mask = LVIF_PARAM;
    item.iItem = i;
    item.lParam = data;
    return Send(LVM_SETITEMA, 0, LPARAM(&item)) != 0;
}

bool ListView::RenameItem(int i, char const *text) {
    LVITEMA item = {};
    item.mask = LVIF_TEXT;
    item.iItem = i;
    item.pszText = const_cast<char *>(text);
    item.cchTextMax = text ? lstrlenA(text) : 0;
    return Send(LVM_SETITEMA, 0, LPARAM(&item)) != 0;
}

LPARAM ListView::GetItemData(int i) {
    LVITEMA item = {};
    item.mask = LVIF_PARAM;
    item.iItem = i;
    return Send(LVM_GETITEMA, 0, LPARAM(&item)) ? (unsigned long)item.lParam : 0;
}

int ListView::GetItemAtPoint(TPoint const &point, unsigned *flags) {
    LVHITTESTINFO info = {};
    info.pt = point;
    int item = int(Send(LVM_HITTEST, 0, LPARAM(&info)));
    if (flags)
        *flags = info.flags;
    return item;
}

bool ListView::SetItemState(int i, uint state, uint mask) {
    LVITEMA item = {};
    item.state = state;
    item.stateMask = mask;
    return Send(LVM_SETITEMSTATE, i, LPARAM(&item)) != 0;
}

bool ListView::SelectItem(int i, int deselectOthers, int focus) {
    if (deselectOthers)
        for (int sel = GetNextSelectedItem(-1); sel != -1; sel = GetNextSelectedItem(sel))
            DeselectItem(sel);
    uint bits = focus ? LVIS_SELECTED | LVIS_FOCUSED : LVIS_SELECTED;
    return SetItemState(i, bits, bits);
}

bool ListView::DeselectItem(int i) { return SetItemState(i, 0, LVIS_SELECTED); }

int ListView::FindItem(LPARAM data) {
    for (int i = GetNextItem(-1); i != -1; i = GetNextItem(i))
        if (GetItemData(i) == data)
            return i;
    return -1;
}

bool ListView::FindAndDelete(LPARAM data) {
    int i = FindItem(data);
    if (i == -1)
        return false;
    Send(LVM_DELETEITEM, i);
    return true;
}
