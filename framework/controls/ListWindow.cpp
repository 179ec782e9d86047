#include "controls/ListWindow.h"

#include "core/Dc.h"
#include "core/GdiObject.h"
#include "controls/SortBridge.h"
#include "core/System.h"

namespace {
char *NewCache(int size) {
    char *cache = new char[size];
    cache[0] = 0;
    return cache;
}

// An item's or column's own text buffer; a text that pointed into it goes with it.
template <class Record>
void FreeCache(Record &record, char *&cache, uint textBit) {
    if (cache && record.pszText == cache) {
        record.pszText = 0;
        record.mask &= ~textBit;
    }
    delete[] cache;
    cache = 0;
}

// A fresh buffer; the text follows it when asked to or when it was in the old one,
// never left pointing at freed memory.
template <class Record>
void ReplaceCache(Record &record, char *&cache, uint textBit, bool setText) {
    bool textInCache = cache && record.pszText == cache;
    delete[] cache;
    cache = NewCache(Record::TextCacheSize);
    if (setText || textInCache) {
        record.mask |= textBit;
        record.pszText = cache;
        record.cchTextMax = Record::TextCacheSize;
    }
}

void CopyCut(char *buffer, int size, char const *text) {
    if (buffer && size > 0)
        lstrcpynA(buffer, text ? text : "", size);
}

// The control may answer a read by pointing the record at its own text instead of
// filling the given buffer; the text is copied into that buffer, which the record keeps.
void KeepText(LVITEMA &item, char *given, int room) {
    if (!(item.mask & LVIF_TEXT) || item.pszText == given || !given || room <= 0)
        return;
    CopyCut(given, room, item.pszText == LPSTR_TEXTCALLBACKA ? 0 : item.pszText);
    item.pszText = given;
}

}  // namespace

// ---- the item record

TListWindItem::TListWindItem(uint mask_, bool allocCache) : Cache(0) {
    Clear();
    mask = mask_;
    if (allocCache)
        AllocCache(true);
}

TListWindItem::TListWindItem(LVITEMA const &item) : LVITEMA(item), Cache(0) {
    if ((mask & LVIF_TEXT) && pszText && pszText != LPSTR_TEXTCALLBACKA) {
        char const *text = pszText;
        Cache = NewCache(TextCacheSize);
        lstrcpynA(Cache, text, TextCacheSize);
        pszText = Cache;
        cchTextMax = TextCacheSize;
    }
}

TListWindItem::TListWindItem(char const *text, int subItem, int capacity) : Cache(0) {
    Clear();
    SetText(text, capacity);
    SetSubItem(subItem);
}

TListWindItem::TListWindItem(TListWindow &list, int index, int subItem, uint mask_) : Cache(0) {
    Clear();
    mask = mask_;
    if (mask & LVIF_TEXT)
        AllocCache(true);
    if (index != -1)
        iItem = index;
    if (subItem != -1)
        iSubItem = subItem;
    list.GetItem(*this);
}

TListWindItem::~TListWindItem() { delete[] Cache; }

void TListWindItem::Clear() { *static_cast<LVITEMA *>(this) = LVITEMA(); }

void TListWindItem::SetText(char const *text, int capacity) {
    mask |= LVIF_TEXT;
    pszText = const_cast<char *>(text);
    cchTextMax = capacity == 0 && text && text != LPSTR_TEXTCALLBACKA ? lstrlenA(text) : capacity;
}

void TListWindItem::GetText(char *buffer, int size) const {
    if (mask & LVIF_TEXT)
        CopyCut(buffer, size, pszText == LPSTR_TEXTCALLBACKA ? 0 : pszText);
}

void TListWindItem::SetItemData(LPARAM data) {
    mask |= LVIF_PARAM;
    lParam = LPARAM(data);
}

void TListWindItem::SetImageIndex(int image) {
    mask |= LVIF_IMAGE;
    iImage = image;
}

void TListWindItem::SetState(uint state_) {
    mask |= LVIF_STATE;
    stateMask |= state_;
    state = state_;
}

void TListWindItem::SetStateImage(int image) {
    mask |= LVIF_STATE;
    stateMask |= LVIS_STATEIMAGEMASK;
    state = INDEXTOSTATEIMAGEMASK(image + 1);
}

int TListWindItem::GetStateImage() const {
    if ((mask & LVIF_STATE) && (stateMask & LVIS_STATEIMAGEMASK))
        return int(state >> 12) - 1;
    return -1;
}

void TListWindItem::AllocCache(bool setText) { ReplaceCache(*this, Cache, LVIF_TEXT, setText); }
void TListWindItem::FlushCache() { FreeCache(*this, Cache, LVIF_TEXT); }

// ---- the column record

void TListWindColumn::Init(uint mask_, int subItem) {
    *static_cast<LVCOLUMNA *>(this) = LVCOLUMNA();
    Cache = 0;
    mask = mask_;
    SetSubItem(subItem);
    if (mask & LVCF_TEXT)
        AllocCache(true);
}

TListWindColumn::TListWindColumn(uint mask_, int subItem) { Init(mask_, subItem); }

TListWindColumn::TListWindColumn(TListWindow &list, int index, uint mask_, int subItem) {
    Init(mask_, subItem);
    list.GetColumn(index, *this);
}

TListWindColumn::TListWindColumn(char const *text, int width, TFormat format, int subItem) {
    *static_cast<LVCOLUMNA *>(this) = LVCOLUMNA();
    Cache = 0;
    SetText(text, 0);
    SetFormat(format);
    SetWidth(width, text);
    SetSubItem(subItem);
}

TListWindColumn::TListWindColumn(LVCOLUMNA const &column) : LVCOLUMNA(column), Cache(0) {}

TListWindColumn::~TListWindColumn() { delete[] Cache; }

void TListWindColumn::SetText(char const *text, int capacity) {
    mask |= LVCF_TEXT;
    pszText = const_cast<char *>(text);
    cchTextMax = capacity == 0 && text ? lstrlenA(text) : capacity;
}

void TListWindColumn::SetFormat(TFormat format) {
    mask |= LVCF_FMT;
    fmt = format;
}

void TListWindColumn::SetSubItem(int subItem) {
    mask |= LVCF_SUBITEM;
    iSubItem = subItem;
}

void TListWindColumn::SetWidth(int width, char const *text) {
    mask |= LVCF_WIDTH;
    cx = width;
    if (width == 0 && text) {
        TDefaultGUIFont font;
        TScreenDC dc;
        dc.SelectObject(font);
        cx = dc.GetTextExtent(text, lstrlenA(text)).cx;
        dc.RestoreFont();
    }
}

void TListWindColumn::AllocCache(bool setText) { ReplaceCache(*this, Cache, LVCF_TEXT, setText); }
void TListWindColumn::FlushCache() { FreeCache(*this, Cache, LVCF_TEXT); }

// ---- search, hit test, order

TLwFindInfo::TLwFindInfo() {
    *static_cast<LVFINDINFOA *>(this) = LVFINDINFOA();
}

void TLwFindInfo::SetData(LPARAM value) {
    flags |= LVFI_PARAM;
    lParam = value;
}

void TLwFindInfo::SetString(char const *text) {
    flags |= LVFI_STRING;
    psz = text;
}

void TLwFindInfo::SetPartial(char const *text) {
    flags |= LVFI_PARTIAL;
    SetString(text);
}

void TLwFindInfo::SetSubstring(char const *text) {
    flags &= ~LVFI_PARTIAL;
    SetString(text);
}

void TLwFindInfo::SetWrap(bool on) {
    if (on)
        flags |= LVFI_WRAP;
    else
        flags &= ~LVFI_WRAP;
}

TLwHitTestInfo::TLwHitTestInfo() { *static_cast<LVHITTESTINFO *>(this) = LVHITTESTINFO(); }

TLwHitTestInfo::TLwHitTestInfo(TPoint const &point) : TLwHitTestInfo() { SetPoint(point); }

TLwHitTestInfo::TLwHitTestInfo(LVHITTESTINFO const &info) : LVHITTESTINFO(info) {}

int TLwComparator::Compare(LPARAM, LPARAM, LPARAM) const { return 0; }

// ---- the control

TListWindow::TListWindow(TWindow *parent, int id, int x, int y, int w, int h, TModule *module)
    : TControl(parent, id, 0, x, y, w, h, module) {
    TCommCtrl::Required();
    if (TSystem::Has3dUI())
        Attr.ExStyle |= WS_EX_CLIENTEDGE;
}

TListWindow::TListWindow(TWindow *parent, int resourceId, TModule *module) : TControl(parent, resourceId, module) {
    TCommCtrl::Required();
}

char const *TListWindow::GetClassNameA() { return WC_LISTVIEWA; }

bool TListWindow::GetItem(TListWindItem &item, int index, int subItem) const {
    if (index != -1)
        item.iItem = index;
    if (subItem != -1)
        item.iSubItem = subItem;
    char *given = item.pszText;
    int room = item.cchTextMax;
    if (!Send(LVM_GETITEMA, 0, LPARAM(static_cast<LVITEMA *>(&item))))
        return false;
    KeepText(item, given, room);
    return true;
}

bool TListWindow::SetItem(TListWindItem &item, int index, int subItem) {
    if (index != -1)
        item.iItem = index;
    if (subItem != -1)
        item.iSubItem = subItem;
    return Send(LVM_SETITEMA, 0, LPARAM(static_cast<LVITEMA *>(&item))) != 0;
}

int TListWindow::InsertItem(TListWindItem &item, int index) {
    if (index != -1)
        item.iItem = index;
    return int(Send(LVM_INSERTITEMA, 0, LPARAM(static_cast<LVITEMA *>(&item))));
}

int TListWindow::AddItem(TListWindItem &item) {
    int count = GetItemCount();
    if (count != -1)
        item.iItem = count;
    return int(Send(LVM_INSERTITEMA, 0, LPARAM(static_cast<LVITEMA *>(&item))));
}

bool TListWindow::GetItemRect(int i, TRect &rect, int type) const {
    rect.left = type;
    return Send(LVM_GETITEMRECT, i, LPARAM(&rect)) != 0;
}

bool TListWindow::SetItemState(int i, uint state, uint mask) {
    LVITEMA item = {};
    item.state = state;
    item.stateMask = mask;
    return Send(LVM_SETITEMSTATE, i, LPARAM(&item)) != 0;
}

int TListWindow::GetItemText(int i, int subItem, char *buffer, int size) const {
    if (!buffer || size <= 0)
        return 0;  // no room: the control would be told the length of whatever the buffer holds
    TListWindItem item(buffer, subItem, size);
    int length = int(Send(LVM_GETITEMTEXTA, i, LPARAM(static_cast<LVITEMA *>(&item))));
    if (item.pszText == buffer)
        return length;
    KeepText(item, buffer, size);
    return lstrlenA(buffer);
}

bool TListWindow::SetItemText(int i, int subItem, char const *text) {
    TListWindItem item(text, subItem);
    return SetItemText(i, item);
}

bool TListWindow::SortItems(TLwComparator const &comparator, LPARAM value) {
    TSortBridge<TLwComparator> bridge(comparator, value);
    bool sorted = Send(LVM_SORTITEMS, WPARAM(bridge.Param()), LPARAM(&TSortBridge<TLwComparator>::Compare)) != 0;
    bridge.ThrowFailure();
    return sorted;
}

int TListWindow::GetSelIndexes(int *indices, int maxCount) const {
    if (IsSingleSel())
        return -1;
    int n = 0;
    for (int i = GetNextItem(-1, LVNI_SELECTED); i != -1 && n < maxCount; i = GetNextItem(i, LVNI_SELECTED))
        indices[n++] = i;
    return n;
}

int TListWindow::GetSelStrings(char **buffers, int maxCount, int maxChars, int subItem) const {
    if (IsSingleSel())
        return -1;
    int n = 0;
    for (int i = GetNextItem(-1, LVNI_SELECTED); i != -1 && n < maxCount; i = GetNextItem(i, LVNI_SELECTED))
        GetItemText(i, subItem, buffers[n++], maxChars);
    return n;
}

int TListWindow::SetSelIndexes(int const *indices, int count, bool select) {
    if (IsSingleSel())
        return 0;
    for (int k = 0; k < count; k++)
        if (!SetSel(indices[k], select))
            return 0;
    return 1;
}

int TListWindow::SetSelItemRange(bool select, int first, int last) {
    if (IsSingleSel())
        return 0;
    for (int i = first; i <= last; i++)
        if (!SetSel(i, select))
            return 0;
    return 1;
}
