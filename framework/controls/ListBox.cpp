#include "controls/ListBox.h"

#include <cstring>
#include <new>

// ---- the record

TListBoxData::TListBoxData() : Strings(9, 0, 10), ItemDatas(9, 0, 10), SelIndices(0, 0, 10) {}

void TListBoxData::Clear() {
    Strings.Flush();
    ItemDatas.Flush();
    SelIndices.Flush();
}

void TListBoxData::AddString(char const *text, bool select) {
    Strings.Add(String(text));
    if (select)
        Select(int(Strings.GetItemsInContainer()) - 1);
}

void TListBoxData::AddStringItem(char const *text, unsigned long itemData, bool select) {
    ItemDatas.Add(itemData);
    AddString(text, select);
}

void TListBoxData::Select(int index) {
    if (index != -1)
        SelIndices.Add(index);
}

void TListBoxData::SelectString(char const *text) {
    if (!text)
        text = "";
    for (int i = 0, n = int(Strings.GetItemsInContainer()); i < n; i++)
        if (std::strcmp(Strings[i].c_str(), text) == 0) {
            Select(i);
            return;
        }
}

char const *TListBoxData::SelText(int k) const {
    if (k < 0 || k >= GetSelCount())
        return 0;
    int index = SelIndices[k];
    // a selected position without a text (a record filled by hand) reads as empty
    if (index < 0 || index >= int(Strings.GetItemsInContainer()))
        return "";
    return Strings[index].c_str();
}

int TListBoxData::GetSelStringLength(int k) const {
    char const *text = SelText(k);
    return text ? int(std::strlen(text)) : -1;
}

void TListBoxData::GetSelString(char *buffer, int size, int k) const {
    if (!buffer || size <= 0)
        return;
    char const *text = SelText(k);
    lstrcpynA(buffer, text ? text : "", size);
}

void TListBoxData::GetSelString(String &text, int k) const {
    char const *sel = SelText(k);
    text = sel ? sel : "";
}

// ---- the control

TListBox::TListBox(TWindow *parent, int id, int x, int y, int w, int h, TModule *module)
    : TControl(parent, id, 0, x, y, w, h, module) {
    Attr.Style |= WS_VSCROLL | WS_BORDER | LBS_NOTIFY | LBS_SORT;
    Attr.ExStyle |= WS_EX_CLIENTEDGE;
}

TListBox::TListBox(TWindow *parent, int resourceId, TModule *module) : TControl(parent, resourceId, module) {}

char const *TListBox::GetClassNameA() { return "LISTBOX"; }

int TListBox::GetCount() const { return SendMessageA(LB_GETCOUNT); }

int TListBox::FindString(char const *text, int startIndex) const {
    return SendMessageA(LB_FINDSTRING, startIndex, (LPARAM)text);
}

int TListBox::GetTopIndex() const { return SendMessageA(LB_GETTOPINDEX); }
int TListBox::SetTopIndex(int index) { return SendMessageA(LB_SETTOPINDEX, index); }
int TListBox::GetHorizontalExtent() const { return SendMessageA(LB_GETHORIZONTALEXTENT); }
void TListBox::SetHorizontalExtent(int extent) { SendMessageA(LB_SETHORIZONTALEXTENT, extent); }
int TListBox::GetStringLen(int index) const { return SendMessageA(LB_GETTEXTLEN, index); }
int TListBox::GetString(char *buffer, int index) const { return SendMessageA(LB_GETTEXT, index, (LPARAM)buffer); }
ULONG_PTR TListBox::GetItemData(int index) const { return SendMessageA(LB_GETITEMDATA, index); }
int TListBox::SetItemData(int index, ULONG_PTR data) { return SendMessageA(LB_SETITEMDATA, index, data); }
int TListBox::GetItemHeight(int index) const { return SendMessageA(LB_GETITEMHEIGHT, index); }

int TListBox::SetItemHeight(int index, int height) {
    return SendMessageA(LB_SETITEMHEIGHT, index, MAKELPARAM(height, 0));
}

void TListBox::ClearList() { SendMessageA(LB_RESETCONTENT); }

int TListBox::DirectoryList(uint attributes, char const *fileSpec) {
    return SendMessageA(LB_DIR, attributes, (LPARAM)fileSpec);
}

int TListBox::AddString(char const *text) { return SendMessageA(LB_ADDSTRING, 0, (LPARAM)text); }

int TListBox::InsertString(char const *text, int index) {
    return SendMessageA(LB_INSERTSTRING, index, (LPARAM)text);
}

int TListBox::DeleteString(int index) { return SendMessageA(LB_DELETESTRING, index); }

int TListBox::GetSelIndex() const { return IsMultipleSel() ? -1 : SendMessageA(LB_GETCURSEL); }
int TListBox::SetSelIndex(int index) { return IsMultipleSel() ? -1 : SendMessageA(LB_SETCURSEL, index); }

bool TListBox::SetTabStops(int count, int *stops) {
    return SendMessageA(LB_SETTABSTOPS, count, (LPARAM)stops) != 0;
}

void TListBox::SetColumnWidth(int width) { SendMessageA(LB_SETCOLUMNWIDTH, width); }
int TListBox::GetCaretIndex() const { return SendMessageA(LB_GETCARETINDEX); }

int TListBox::SetCaretIndex(int index, bool partialOk) {
    return SendMessageA(LB_SETCARETINDEX, index, MAKELPARAM(partialOk, 0));
}

int TListBox::GetItemRect(int index, TRect &rect) const {
    return SendMessageA(LB_GETITEMRECT, index, (LPARAM)(RECT *)&rect);
}

int TListBox::GetSel(int index) const { return SendMessageA(LB_GETSEL, index); }
int TListBox::SetSel(int index, bool select) { return SendMessageA(LB_SETSEL, select, MAKELPARAM(index, 0)); }

int TListBox::SetSelItemRange(bool select, int first, int last) {
    return SendMessageA(LB_SELITEMRANGE, select, MAKELPARAM(first, last));
}

int TListBox::ItemFromPoint(TPoint const &point) const {
    return SendMessageA(LB_ITEMFROMPOINT, 0, MAKELPARAM(point.x, point.y));
}

int TListBox::SetSelString(char const *text, int startIndex) {
    return IsMultipleSel() ? -1 : SendMessageA(LB_SELECTSTRING, startIndex, (LPARAM)text);
}

int TListBox::GetSelCount() const {
    if (!IsMultipleSel())
        return GetSelIndex() < 0 ? 0 : 1;
    return SendMessageA(LB_GETSELCOUNT);
}

int TListBox::GetSelIndexes(int *indexes, int maxCount) const {
    return IsMultipleSel() ? SendMessageA(LB_GETSELITEMS, maxCount, (LPARAM)indexes) : -1;
}

int TListBox::SetSelIndexes(int *indexes, int count, bool select) {
    if (!IsMultipleSel())
        return -1;
    if (count < 0)
        return SendMessageA(LB_SETSEL, select, -1);
    int done = 0;
    for (int i = 0; i < count; i++)
        if (SendMessageA(LB_SETSEL, select, indexes[i]) != LB_ERR)
            done++;
    return done;
}

int TListBox::SetSelStrings(char const **texts, int count, bool select) {
    if (!IsMultipleSel())
        return -1;
    if (count < 0)
        return SetSelIndexes(0, count, select);
    int done = 0;
    for (int i = 0; i < count; i++) {
        int index = FindString(texts[i], -1);
        if (index >= 0 && SendMessageA(LB_SETSEL, select, MAKELPARAM(index, 0)) != LB_ERR)
            done++;
    }
    return done;
}

char *TListBox::ItemText(int index) const {
    int len = GetStringLen(index);
    if (len < 0)
        return 0;
    char *text = new (std::nothrow) char[len + 1];
    if (!text)
        return 0;
    text[0] = 0;
    if (GetString(text, index) < 0)
        text[0] = 0;
    return text;
}

int TListBox::CopyCut(char *buffer, char const *text, int maxChars) {
    int len = int(std::strlen(text));
    if (len > maxChars)
        len = maxChars < 0 ? 0 : maxChars;
    std::memcpy(buffer, text, len);
    buffer[len] = 0;
    return len;
}

int TListBox::GetSelString(char *buffer, int maxChars) const {
    int index = GetSelIndex();
    if (index < 0)
        return -1;
    TAPointer<char> text(ItemText(index));
    if (!text)
        return -1;
    return CopyCut(buffer, text, maxChars);
}

int TListBox::GetSelStrings(char **buffers, int maxCount, int maxChars) const {
    if (!IsMultipleSel())
        return -1;
    int n = GetSelCount();
    if (n > maxCount)
        n = maxCount;
    if (n <= 0)
        return n;
    TAPointer<int> indexes(new int[n]);
    n = GetSelIndexes(indexes, n);  // the control may answer fewer than it counted
    for (int i = 0; i < n; i++) {
        TAPointer<char> text(ItemText(indexes[i]));
        CopyCut(buffers[i], text ? text.Get() : "", maxChars);
    }
    return n;
}

int TListBox::FindExactString(char const *text, int startIndex) const {
    int first = FindString(text, startIndex);
    for (int candidate = first; candidate >= 0;) {
        TAPointer<char> item(ItemText(candidate));
        if (item && std::strcmp(item, text ? text : "") == 0)
            return candidate;
        candidate = FindString(text, candidate);
        if (candidate == first)
            break;
    }
    return -1;
}

uint TListBox::Transfer(void *buffer, TTransferDirection direction) {
    TListBoxData *data = static_cast<TListBoxData *>(buffer);
    if (direction == tdGetData && data) {
        data->Clear();
        GetItems(*data);
        data->ResetSelections();
        if (!IsMultipleSel()) {
            data->Select(GetSelIndex());
        } else if (int count = GetSelCount(); count > 0) {
            TAPointer<int> indexes(new int[count]);
            count = GetSelIndexes(indexes, count);
            for (int i = 0; i < count; i++)
                data->Select(indexes[i]);
        }
    } else if (direction == tdSetData && data) {
        ClearList();
        bool multiple = IsMultipleSel();
        TStringArray const &strings = data->GetStrings();
        TUint32Array const &datas = data->GetItemDatas();
        TIntArray const &selected = data->GetSelIndices();
        int items = int(strings.GetItemsInContainer());
        int wanted = selected.GetItemsInContainer() ? int(selected[0]) : -1;
        int shown = -1;  // where the wanted string is now
        for (int j = 0; j < items; j++) {
            int p = AddString(strings[j].c_str());
            if (p < 0)
                continue;
            if (j < int(datas.GetItemsInContainer()))
                SetItemData(p, datas[j]);
            if (multiple) {
                if (selected.HasMember(j))
                    SendMessageA(LB_SETSEL, TRUE, p);
            } else if (j == wanted) {
                shown = p;
            } else if (shown >= 0 && p <= shown) {
                shown++;  // the new string pushed the wanted one down
            }
        }
        if (!multiple && shown >= 0)
            SetSelIndex(shown);
    }
    return sizeof(TListBoxData);
}
