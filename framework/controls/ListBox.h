// The system's list box as a window object, and the record through which a
// dialog's list-box values travel to and from the control.
#pragma once

#include "controls/Control.h"

#include "core/TArrays.h"

// The values of one list box: item texts, one datum per item and the selected
// positions (several for a multiple-selection list, in the order selected).
class VELTRANE_API TListBoxData {
public:
    TListBoxData();

    TStringArray &GetStrings() { return Strings; }
    TUint32Array &GetItemDatas() { return ItemDatas; }
    TIntArray &GetSelIndices() { return SelIndices; }
    TStringArray const &GetStrings() const { return Strings; }
    TUint32Array const &GetItemDatas() const { return ItemDatas; }
    TIntArray const &GetSelIndices() const { return SelIndices; }

    void Clear();
    void ResetSelections() { SelIndices.Flush(); }
    int GetSelCount() const { return int(SelIndices.GetItemsInContainer()); }

    void AddString(char const *text, bool select = false);
    void AddStringItem(char const *text, unsigned long itemData, bool select = false);
    // Adds a position to the selection; -1 is ignored.
    void Select(int index);
    // Selects the first text equal to the given one (case-sensitive); none, nothing.
    void SelectString(char const *text);

    // The text of the k-th selected position: its length, -1 for a k out of range.
    int GetSelStringLength(int k = 0) const;
    // Copies at most size-1 characters, always terminated (an empty text for a k
    // out of range); nothing for a size of 0 or less.
    void GetSelString(char *buffer, int size, int k = 0) const;
    void GetSelString(String &text, int k = 0) const;

protected:
    // The text of the k-th selected position, null for a k out of range.
    char const *SelText(int k) const;

    TStringArray Strings;
    TUint32Array ItemDatas;
    TIntArray SelIndices;
};

// "LISTBOX". Nearly every operation is one message to the control; the selection
// helpers tell single- from multiple-selection lists (LBS_MULTIPLESEL, LBS_EXTENDEDSEL).
class VELTRANE_API TListBox : public TControl {
public:
    TListBox(TWindow *parent, int id, int x, int y, int w, int h, TModule *module = 0);
    TListBox(TWindow *parent, int resourceId, TModule *module = 0);

    virtual int GetCount() const;
    // The first item at or after startIndex that begins with the text, any case.
    virtual int FindString(char const *text, int startIndex) const;
    virtual int GetTopIndex() const;
    virtual int SetTopIndex(int index);
    virtual int GetHorizontalExtent() const;
    virtual void SetHorizontalExtent(int extent);
    virtual int GetStringLen(int index) const;
    virtual int GetString(char *buffer, int index) const;
    virtual ULONG_PTR GetItemData(int index) const;
    virtual int SetItemData(int index, ULONG_PTR data);
    virtual int GetItemHeight(int index) const;
    virtual int SetItemHeight(int index, int height);
    virtual void ClearList();
    virtual int DirectoryList(uint attributes, char const *fileSpec);
    virtual int AddString(char const *text);
    virtual int InsertString(char const *text, int index);
    virtual int DeleteString(int index);
    virtual int GetSelIndex() const;
    virtual int SetSelIndex(int index);

    bool SetTabStops(int count, int *stops);
    void SetColumnWidth(int width);
    int GetCaretIndex() const;
    int SetCaretIndex(int index, bool partialOk);
    int GetItemRect(int index, TRect &rect) const;
    int GetSel(int index) const;
    int SetSel(int index, bool select);
    int SetSelItemRange(bool select, int first, int last);
    int ItemFromPoint(TPoint const &point) const;

    bool IsMultipleSel() const { return (GetStyle() & (LBS_MULTIPLESEL | LBS_EXTENDEDSEL)) != 0; }
    int GetSelCount() const;
    int GetSelIndexes(int *indexes, int maxCount) const;
    // A negative count (de)selects every item.
    int SetSelIndexes(int *indexes, int count, bool select);
    // maxChars is the room of each buffer without its terminator.
    int GetSelStrings(char **buffers, int maxCount, int maxChars) const;
    // Each text selects the first item it begins (any case); a negative count (de)selects all.
    int SetSelStrings(char const **texts, int count, bool select);
    // The selected text cut to maxChars (the buffer holds maxChars+1), its length, or -1.
    int GetSelString(char *buffer, int maxChars) const;
    int SetSelString(char const *text, int startIndex);
    // The first item after startIndex whose text equals the text exactly, or -1.
    int FindExactString(char const *text, int startIndex) const;

    uint Transfer(void *buffer, TTransferDirection direction) override;
    char const *GetClassNameA() override;

protected:
    // A heap copy of one item's text, null when it cannot be had.
    char *ItemText(int index) const;
    // Copies text into buffer cut to maxChars, terminated; gives the copied length.
    static int CopyCut(char *buffer, char const *text, int maxChars);
    // Reads every item's text and datum into the arrays with AddStringItem.
    template <class Record>
    void GetItems(Record &data);
};

template <class Record>
void TListBox::GetItems(Record &data) {
    int longest = 0;
    for (int i = 0, n = GetCount(); i < n; i++) {
        int len = GetStringLen(i);
        if (len > longest)
            longest = len;
    }
    TAPointer<char> text(new char[longest + 1]);
    for (int i = 0; i < GetCount(); i++) {
        int len = GetStringLen(i);
        if (len > longest) {  // an item that grew since it was measured
            longest = len;
            text = new char[longest + 1];
        }
        text[0] = 0;
        GetString(text, i);
        data.AddStringItem(text, GetItemData(i), false);
    }
}
