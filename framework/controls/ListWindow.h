// The whole list-view control as a window object, with its records made convenient:
// setters keep the masks, items and columns may own a text buffer, and sorting runs
// through a comparator object.
#pragma once

#include "core/CommonControls.h"
#include "controls/Control.h"

class TListWindow;

// LVITEM, then a 260-character text buffer the item owns (or null).
class VELTRANE_API TListWindItem : public LVITEMA {
public:
    enum { TextCacheSize = 260 };

    TListWindItem(uint mask = 0, bool allocCache = false);
    TListWindItem(LVITEMA const &item);
    TListWindItem(char const *text, int subItem = 0, int capacity = 0);
    // Filled from the control; index and subItem are left alone when -1.
    TListWindItem(TListWindow &list, int index, int subItem, uint mask = LVIF_TEXT);
    TListWindItem(TListWindItem const &) = delete;
    TListWindItem &operator=(TListWindItem const &) = delete;
    ~TListWindItem();

    void SetText(char const *text, int capacity = 0);
    char const *GetText() const { return pszText; }
    void GetText(char *buffer, int size) const;
    int GetIndex() const { return iItem; }
    void SetIndex(int index) { iItem = index; }
    int GetSubItem() const { return iSubItem; }
    void SetSubItem(int subItem) { iSubItem = subItem; }
    void SetItemData(LPARAM data);
    LPARAM GetItemData() const { return (mask & LVIF_PARAM) ? lParam : 0; }
    void SetImageIndex(int image);
    int GetImageIndex() const { return (mask & LVIF_IMAGE) ? iImage : 0; }
    void SetState(uint state);
    uint GetState() const { return (mask & LVIF_STATE) ? state : 0; }
    void SetStateImage(int image);
    // -1 unless the state mask names state-image bits.
    int GetStateImage() const;
    void AllocCache(bool setText = true);
    void FlushCache();

protected:
    void Clear();
    char *Cache;
};

// LVCOLUMN, then an owned text buffer of 260 characters (or null).
class VELTRANE_API TListWindColumn : public LVCOLUMNA {
public:
    enum TFormat { Left = LVCFMT_LEFT, Right = LVCFMT_RIGHT, Center = LVCFMT_CENTER, JustifyMask = LVCFMT_JUSTIFYMASK };
    enum { TextCacheSize = 260 };

    TListWindColumn(uint mask = LVCF_TEXT, int subItem = 0);
    TListWindColumn(TListWindow &list, int index, uint mask = LVCF_TEXT, int subItem = 0);
    TListWindColumn(char const *text, int width = 0, TFormat format = Left, int subItem = 0);
    TListWindColumn(LVCOLUMNA const &column);
    TListWindColumn(TListWindColumn const &) = delete;
    TListWindColumn &operator=(TListWindColumn const &) = delete;
    ~TListWindColumn();

    void SetText(char const *text, int capacity = 0);
    void SetFormat(TFormat format);
    void SetSubItem(int subItem);
    // A width of 0 with a text: the text's width in the default GUI font.
    void SetWidth(int width, char const *text = 0);
    char const *GetText() const { return pszText; }
    TFormat GetFormat() const { return TFormat(fmt); }
    int GetWidth() const { return cx; }
    int GetSubItem() const { return iSubItem; }
    void AllocCache(bool setText = true);
    void FlushCache();

protected:
    void Init(uint mask, int subItem);
    char *Cache;
};

class VELTRANE_API TLwFindInfo : public LVFINDINFOA {
public:
    TLwFindInfo();
    TLwFindInfo(LVFINDINFOA const &info) : LVFINDINFOA(info) {}
    void SetData(LPARAM value);
    void SetString(char const *text);
    void SetPartial(char const *text);
    void SetSubstring(char const *text);
    void SetWrap(bool on = true);
};

// LVHITTESTINFO; its sub-item index is filled only by the copy from a system record.
class VELTRANE_API TLwHitTestInfo : public LVHITTESTINFO {
public:
    TLwHitTestInfo();
    TLwHitTestInfo(TPoint const &point);
    TLwHitTestInfo(LVHITTESTINFO const &info);
    void SetPoint(TPoint const &point) { pt = point; }
    int GetIndex() const { return iItem; }
    uint GetFlags() const { return flags; }
    int GetSubItem() const { return iSubItem; }
};

// A sort order; the base finds every pair equal.
class VELTRANE_API TLwComparator {
public:
    virtual ~TLwComparator() {}
    virtual int Compare(LPARAM itemData1, LPARAM itemData2, LPARAM value) const;
};

class VELTRANE_API TListWindow : public TControl {
public:
    // Both raise TXCommCtrl without the common-controls library.
    TListWindow(TWindow *parent, int id, int x, int y, int w, int h, TModule *module = 0);
    TListWindow(TWindow *parent, int resourceId, TModule *module = 0);

    COLORREF GetBkColor() const { return COLORREF(Send(LVM_GETBKCOLOR)); }
    bool SetBkColor(COLORREF c) { return Send(LVM_SETBKCOLOR, 0, c) != 0; }
    COLORREF GetTextColor() const { return COLORREF(Send(LVM_GETTEXTCOLOR)); }
    bool SetTextColor(COLORREF c) { return Send(LVM_SETTEXTCOLOR, 0, c) != 0; }
    COLORREF GetTextBkColor() const { return COLORREF(Send(LVM_GETTEXTBKCOLOR)); }
    bool SetTextBkColor(COLORREF c) { return Send(LVM_SETTEXTBKCOLOR, 0, c) != 0; }
    HIMAGELIST GetImageList(int type) const { return HIMAGELIST(Send(LVM_GETIMAGELIST, type)); }
    bool SetImageList(HIMAGELIST list, int type) { return Send(LVM_SETIMAGELIST, type, LPARAM(list)) != 0; }
    uint GetCallBackMask() const { return uint(Send(LVM_GETCALLBACKMASK)); }
    bool SetCallBackMask(uint mask) { return Send(LVM_SETCALLBACKMASK, mask) != 0; }
    int GetItemCount() const { return int(Send(LVM_GETITEMCOUNT)); }
    void SetItemCount(int n) { Send(LVM_SETITEMCOUNT, n); }

    bool GetItem(TListWindItem &item, int index = -1, int subItem = -1) const;
    bool SetItem(TListWindItem &item, int index = -1, int subItem = -1);
    int InsertItem(TListWindItem &item, int index = -1);
    int AddItem(TListWindItem &item);
    bool DeleteAnItem(int i) { return Send(LVM_DELETEITEM, i) != 0; }
    bool DeleteAllItems() { return Send(LVM_DELETEALLITEMS) != 0; }
    int FindItem(int start, TLwFindInfo const *info) const { return int(Send(LVM_FINDITEMA, start, LPARAM(info))); }
    int GetNextItem(int i, uint code) const { return int(Send(LVM_GETNEXTITEM, i, LOWORD(code))); }
    bool GetItemRect(int i, TRect &rect, int type) const;
    bool GetItemPosition(int i, TPoint &point) const { return Send(LVM_GETITEMPOSITION, i, LPARAM(&point)) != 0; }
    bool SetItemPosition(int i, TPoint const &point) {
        return Send(LVM_SETITEMPOSITION, i, MAKELPARAM(point.x, point.y)) != 0;
    }
    int GetStringWidth(char const *text) const { return int(Send(LVM_GETSTRINGWIDTHA, 0, LPARAM(text))); }
    int HitTest(TLwHitTestInfo &info) const { return int(Send(LVM_HITTEST, 0, LPARAM(&info))); }
    bool EnsureVisible(int i, bool partialOk) { return Send(LVM_ENSUREVISIBLE, i, partialOk) != 0; }
    bool Scroll(int dx, int dy) { return Send(LVM_SCROLL, dx, dy) != 0; }
    bool RedrawItems(int first, int last) { return Send(LVM_REDRAWITEMS, first, last) != 0; }
    bool Update(int i) { return Send(LVM_UPDATE, i) != 0; }
    bool Arrange(uint code) { return Send(LVM_ARRANGE, code) != 0; }
    HWND EditLabel(int i) { return HWND(Send(LVM_EDITLABELA, i)); }
    HWND GetEditControl() const { return HWND(Send(LVM_GETEDITCONTROL)); }
    HIMAGELIST CreateDragImage(int i, TPoint *point) { return HIMAGELIST(Send(LVM_CREATEDRAGIMAGE, i, LPARAM(point))); }
    bool GetColumn(int i, LVCOLUMNA *column) const { return Send(LVM_GETCOLUMNA, i, LPARAM(column)) != 0; }
    bool GetColumn(int i, TListWindColumn &column) const { return GetColumn(i, static_cast<LVCOLUMNA *>(&column)); }
    bool SetColumn(int i, LVCOLUMNA const &column) { return Send(LVM_SETCOLUMNA, i, LPARAM(&column)) != 0; }
    int InsertColumn(int i, LVCOLUMNA const &column) { return int(Send(LVM_INSERTCOLUMNA, i, LPARAM(&column))); }
    bool DeleteColumn(int i) { return Send(LVM_DELETECOLUMN, i) != 0; }
    int GetColumnWidth(int i) const { return int(Send(LVM_GETCOLUMNWIDTH, i)); }
    bool SetColumnWidth(int i, int w) { return Send(LVM_SETCOLUMNWIDTH, i, MAKELPARAM(w, 0)) != 0; }
    bool GetViewRect(TRect &rect) const { return Send(LVM_GETVIEWRECT, 0, LPARAM(&rect)) != 0; }
    bool GetOrigin(TPoint &point) const { return Send(LVM_GETORIGIN, 0, LPARAM(&point)) != 0; }
    int GetTopIndex() const { return int(Send(LVM_GETTOPINDEX)); }
    int GetCountPerPage() const { return int(Send(LVM_GETCOUNTPERPAGE)); }
    uint GetItemState(int i, uint mask) const { return uint(Send(LVM_GETITEMSTATE, i, mask)); }
    bool SetItemState(int i, uint state, uint mask);
    int GetItemText(int i, int subItem, char *buffer, int size) const;
    bool SetItemText(int i, int subItem, char const *text);
    bool SetItemText(int i, TListWindItem &item) { return Send(LVM_SETITEMTEXTA, i, LPARAM(&item)) != 0; }
    int GetSelCount() const { return int(Send(LVM_GETSELECTEDCOUNT)); }
    bool IsSelected(int i) const { return GetItemState(i, LVIS_SELECTED) != 0; }
    bool SetSel(int i, bool select) { return SetItemState(i, select ? LVIS_SELECTED : 0, LVIS_SELECTED); }

    bool SortItems(TLwComparator const &comparator, LPARAM value = 0);

    bool IsSingleSel() const { return (GetStyle() & LVS_SINGLESEL) != 0; }
    // -1 for a single-selection list; else the number stored.
    int GetSelIndexes(int *indices, int maxCount) const;
    int GetSelStrings(char **buffers, int maxCount, int maxChars, int subItem) const;
    // 0 for a single-selection list or at the first failure.
    int SetSelIndexes(int const *indices, int count, bool select);
    int SetSelItemRange(bool select, int first, int last);

    char const *GetClassNameA() override;

private:
    LRESULT Send(uint msg, WPARAM wp = 0, LPARAM lp = 0) const { return ::SendMessageA(GetHandle(), msg, wp, lp); }
};
