// The program's small list view: items are found, changed and deleted by the 32-bit
// value each one carries.
#pragma once

#include "core/CommonControls.h"
#include "controls/Control.h"

class ImageList;

class VELTRANE_API ListView : public TControl {
public:
    ListView(TWindow *parent, int id, int x, int y, int w, int h, TModule *module = 0);
    ListView(TWindow *parent, int resourceId, TModule *module = 0);

    int Insert(LVITEMA &item);
    bool Delete(int item);
    bool DeleteAll();
    void SetImageList(ImageList *list, int which);
    int InsertColumn(int i, LVCOLUMNA &column);
    bool GetColumnInfo(int i, LVCOLUMNA &column);
    int GetColumnWidth(int i);
    bool SortItems(PFNLVCOMPARE compare, LPARAM value);
    int GetNumItem();
    int GetNumSelectedItem();
    int GetNextItem(int i);
    int GetNextSelectedItem(int i);
    int GetFirstSelectedItem() { return GetNextSelectedItem(-1); }
    int GetFocusedItem();
    HWND EditItemName(int i);
    HWND GetEditControl();
    bool EnsureVisible(int i);
    bool InvalidateItem(int i);
    bool SetItemText(LVITEMA &item, int subItem, char const *text);
    bool SetImageIndex(int i, int image);
    bool SetItemData(int i, LPARAM data);
    bool RenameItem(int i, char const *text);
    LPARAM GetItemData(int i);
    int GetItemAtPoint(TPoint const &point, unsigned *flags = 0);
    bool SelectItem(int i, int deselectOthers, int focus);
    bool DeselectItem(int i);
    int FindItem(LPARAM data);
    bool FindAndDelete(LPARAM data);

    char const *GetClassNameA() override;

private:
    LRESULT Send(uint msg, WPARAM wp = 0, LPARAM lp = 0) { return HandleMessage(msg, wp, lp); }
    bool SetItemState(int i, uint state, uint mask);
};
