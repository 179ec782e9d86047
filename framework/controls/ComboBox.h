// The system's combo box as a window object, and the record through which a
// dialog's combo-box values travel to and from the control.
#pragma once

#include "controls/ListBox.h"

// The values of one combo box: item texts, one datum per item, the text of the
// edit field and the index of the item it shows (-1 for none).
class VELTRANE_API TComboBoxData {
public:
    // A new record shows item 0 (not -1) with an empty text.
    TComboBoxData();

    TStringArray &GetStrings() { return Strings; }
    TUint32Array &GetItemDatas() { return ItemDatas; }
    TStringArray const &GetStrings() const { return Strings; }
    TUint32Array const &GetItemDatas() const { return ItemDatas; }
    int GetSelIndex() const { return SelIndex; }
    String const &GetSelection() const { return Selection; }

    void Clear();
    void ResetSelections();
    int GetSelCount() const { return SelIndex == -1 ? 0 : 1; }

    void AddString(char const *text, bool select = false);
    void AddStringItem(char const *text, unsigned long itemData, bool select = false);
    // -1 changes nothing; an index past the strings sets only the index.
    void Select(int index);
    // The index becomes the first exact (case-sensitive) match or -1; the text
    // becomes the given one in either case.
    void SelectString(char const *text);

    int GetSelStringLength() const { return int(Selection.GetLength()); }
    // Copies at most size-1 characters, terminated; nothing for a size of 0 or less.
    void GetSelString(char *buffer, int size) const;

protected:
    TStringArray Strings;
    TUint32Array ItemDatas;
    String Selection;
    int SelIndex;
};

// "COMBOBOX". Keeps the limit of its edit field (counted with the terminating
// zero; 0 for none) and applies it when its window is set up.
class VELTRANE_API TComboBox : public TListBox {
public:
    TComboBox(TWindow *parent, int id, int x, int y, int w, int h, unsigned long style, uint textLimit,
              TModule *module = 0);
    TComboBox(TWindow *parent, int resourceId, uint textLimit = 0, TModule *module = 0);

    int GetCount() const override;
    int FindString(char const *text, int startIndex) const override;
    int GetTopIndex() const override;
    int SetTopIndex(int index) override;
    int GetHorizontalExtent() const override;
    void SetHorizontalExtent(int extent) override;
    int GetStringLen(int index) const override;
    int GetString(char *buffer, int index) const override;
    ULONG_PTR GetItemData(int index) const override;
    int SetItemData(int index, ULONG_PTR data) override;
    int GetItemHeight(int index) const override;
    int SetItemHeight(int index, int height) override;
    void ClearList() override;
    int DirectoryList(uint attributes, char const *fileSpec) override;
    int AddString(char const *text) override;
    int InsertString(char const *text, int index) override;
    int DeleteString(int index) override;
    int GetSelIndex() const override;
    int SetSelIndex(int index) override;
    // Selects the first item beginning with the text (any case), searching after startIndex.
    virtual int SetSelString(char const *text, int startIndex);

    int GetTextLen() const { return GetWindowTextLengthA(); }
    int GetText(char *buffer, int maxChars) const { return GetWindowTextA(buffer, maxChars); }
    // Selects the item the text begins, else shows the text itself, selected whole.
    void SetText(char const *text);
    void Clear() { SetText(0); }
    int GetEditSel(int &start, int &end);
    int SetEditSel(int start, int end);
    void GetDroppedControlRect(TRect &rect) const;
    bool GetDroppedState() const;
    bool GetExtendedUI() const;
    int SetExtendedUI(bool on);
    int InitStorage(int count, uint bytes);
    // Drops the list down or up; only for combos that have a drop-down list.
    void ShowList(bool show = true);
    void HideList() { ShowList(false); }
    uint GetTextLimit() const { return TextLimit; }
    void SetTextLimit(uint limit);

    uint Transfer(void *buffer, TTransferDirection direction) override;
    char const *GetClassNameA() override;

protected:
    void SetupWindow() override;
    void CleanupWindow() override;

    uint TextLimit;
};
