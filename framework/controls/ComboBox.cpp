#include "controls/ComboBox.h"

#include <cstring>

// ---- the record

TComboBoxData::TComboBoxData() : Strings(9, 0, 10), ItemDatas(9, 0, 10), SelIndex(0) {}

void TComboBoxData::Clear() {
    Strings.Flush();
    ItemDatas.Flush();
    ResetSelections();
}

void TComboBoxData::ResetSelections() {
    SelIndex = -1;
    Selection = "";
}

void TComboBoxData::AddString(char const *text, bool select) {
    Strings.Add(String(text));
    if (select)
        Select(int(Strings.GetItemsInContainer()) - 1);
}

void TComboBoxData::AddStringItem(char const *text, unsigned long itemData, bool select) {
    ItemDatas.Add(itemData);
    AddString(text, select);
}

void TComboBoxData::Select(int index) {
    if (index == -1)
        return;
    SelIndex = index;
    if (index >= 0 && index < int(Strings.GetItemsInContainer()))
        Selection = Strings[index];
}

void TComboBoxData::SelectString(char const *text) {
    if (!text)
        text = "";
    SelIndex = -1;
    for (int i = 0, n = int(Strings.GetItemsInContainer()); i < n; i++)
        if (std::strcmp(Strings[i].c_str(), text) == 0) {
            SelIndex = i;
            break;
        }
    Selection = text;
}

void TComboBoxData::GetSelString(char *buffer, int size) const {
    if (buffer && size > 0)
        lstrcpynA(buffer, Selection.c_str(), size);
}

// ---- the control

TComboBox::TComboBox(TWindow *parent, int id, int x, int y, int w, int h, unsigned long style, uint textLimit,
                     TModule *module)
    : TListBox(parent, id, x, y, w, h, module), TextLimit(textLimit) {
    Attr.Style = style | WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_GROUP | WS_TABSTOP | CBS_SORT | CBS_AUTOHSCROLL;
}

TComboBox::TComboBox(TWindow *parent, int resourceId, uint textLimit, TModule *module)
    : TListBox(parent, resourceId, module), TextLimit(textLimit) {}

char const *TComboBox::GetClassNameA() { return "COMBOBOX"; }

int TComboBox::GetCount() const { return SendMessageA(CB_GETCOUNT); }

int TComboBox::FindString(char const *text, int startIndex) const {
    return SendMessageA(CB_FINDSTRING, startIndex, (LPARAM)text);
}

int TComboBox::GetTopIndex() const { return SendMessageA(CB_GETTOPINDEX); }
int TComboBox::SetTopIndex(int index) { return SendMessageA(CB_SETTOPINDEX, index); }
int TComboBox::GetHorizontalExtent() const { return SendMessageA(CB_GETHORIZONTALEXTENT); }
void TComboBox::SetHorizontalExtent(int extent) { SendMessageA(CB_SETHORIZONTALEXTENT, extent); }
int TComboBox::GetStringLen(int index) const { return SendMessageA(CB_GETLBTEXTLEN, index); }
int TComboBox::GetString(char *buffer, int index) const { return SendMessageA(CB_GETLBTEXT, index, (LPARAM)buffer); }
ULONG_PTR TComboBox::GetItemData(int index) const { return SendMessageA(CB_GETITEMDATA, index); }
int TComboBox::SetItemData(int index, ULONG_PTR data) { return SendMessageA(CB_SETITEMDATA, index, data); }
int TComboBox::GetItemHeight(int index) const { return SendMessageA(CB_GETITEMHEIGHT, index); }

int TComboBox::SetItemHeight(int index, int height) {
    return SendMessageA(CB_SETITEMHEIGHT, index, MAKELPARAM(height, 0));
}

void TComboBox::ClearList() { SendMessageA(CB_RESETCONTENT); }

int TComboBox::DirectoryList(uint attributes, char const *fileSpec) {
    return SendMessageA(CB_DIR, attributes, (LPARAM)fileSpec);
}

int TComboBox::AddString(char const *text) { return SendMessageA(CB_ADDSTRING, 0, (LPARAM)text); }

int TComboBox::InsertString(char const *text, int index) {
    return SendMessageA(CB_INSERTSTRING, index, (LPARAM)text);
}

int TComboBox::DeleteString(int index) { return SendMessageA(CB_DELETESTRING, index); }
int TComboBox::GetSelIndex() const { return SendMessageA(CB_GETCURSEL); }
int TComboBox::SetSelIndex(int index) { return SendMessageA(CB_SETCURSEL, index); }

int TComboBox::SetSelString(char const *text, int startIndex) {
    return SendMessageA(CB_SELECTSTRING, startIndex, (LPARAM)text);
}

void TComboBox::SetText(char const *text) {
    if (!text)
        text = "";
    if (SetSelString(text, -1) >= 0)
        return;
    SetSelIndex(-1);  // an item left selected would not be the text shown
    SetWindowTextA(text);
    SetEditSel(0, int(std::strlen(text)));
}

int TComboBox::GetEditSel(int &start, int &end) {
    LRESULT result = SendMessageA(CB_GETEDITSEL);
    start = LOWORD(result);
    end = HIWORD(result);
    return result;
}

int TComboBox::SetEditSel(int start, int end) { return SendMessageA(CB_SETEDITSEL, 0, MAKELPARAM(start, end)); }

void TComboBox::GetDroppedControlRect(TRect &rect) const {
    SendMessageA(CB_GETDROPPEDCONTROLRECT, 0, (LPARAM)(RECT *)&rect);
}

bool TComboBox::GetDroppedState() const { return SendMessageA(CB_GETDROPPEDSTATE) != 0; }
bool TComboBox::GetExtendedUI() const { return SendMessageA(CB_GETEXTENDEDUI) != 0; }
int TComboBox::SetExtendedUI(bool on) { return SendMessageA(CB_SETEXTENDEDUI, on); }
int TComboBox::InitStorage(int count, uint bytes) { return SendMessageA(CB_INITSTORAGE, count, bytes); }

void TComboBox::ShowList(bool show) {
    if (GetWindowLongA(GWL_STYLE) & CBS_DROPDOWN)
        SendMessageA(CB_SHOWDROPDOWN, show);
}

void TComboBox::SetTextLimit(uint limit) {
    TextLimit = limit;
    if (HWindow && TextLimit)
        SendMessageA(CB_LIMITTEXT, TextLimit - 1);
}

void TComboBox::SetupWindow() {
    TListBox::SetupWindow();
    SetTextLimit(TextLimit);
    // the edit field (and the list, where it is a child) get objects of their own
    for (HWND child = ::GetWindow(HWindow, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT))
        if (!GetWindowPtr(child))
            (new TWindow(child, GetModule()))->SetParent(this);
}

void TComboBox::CleanupWindow() {
    while (TWindow *child = GetFirstChild())
        delete child;
    TListBox::CleanupWindow();
}

uint TComboBox::Transfer(void *buffer, TTransferDirection direction) {
    TComboBoxData *data = static_cast<TComboBoxData *>(buffer);
    if (direction == tdGetData && data) {
        data->Clear();
        GetItems(*data);
        int index = GetSelIndex();
        if (index < 0) {
            int len = GetTextLen();
            TAPointer<char> text(new char[len > 0 ? len + 1 : 1]);
            text[0] = 0;
            if (len > 0)
                GetText(text, len + 1);
            data->SelectString(text);
        } else {
            int len = GetStringLen(index);
            TAPointer<char> text(new char[len > 0 ? len + 1 : 1]);
            text[0] = 0;
            if (len > 0)
                GetString(text, index);
            data->SelectString(text);
        }
    } else if (direction == tdSetData && data) {
        ClearList();
        TStringArray const &strings = data->GetStrings();
        TUint32Array const &datas = data->GetItemDatas();
        for (int i = 0, n = int(strings.GetItemsInContainer()); i < n; i++)
            AddString(strings[i].c_str());
        for (int i = 0, n = int(datas.GetItemsInContainer()); i < n; i++)
            SetItemData(i, datas[i]);
        // a combo of a dialog resource (the type bits not recorded) shows the text;
        // one made with its own type does not
        if (IsFlagSet(wfFromResource) || (Attr.Style & 3) == 0)
            SetWindowTextA(data->GetSelection().c_str());
        if (data->GetSelIndex() >= 0) {
            // the item of that very text, not a longer one it begins
            char const *text = data->GetSelection().c_str();
            int exact = FindExactString(text, -1);
            if (exact >= 0)
                SetSelIndex(exact);
            else
                SetSelString(text, 0);
        }
    }
    return sizeof(TComboBoxData);
}
