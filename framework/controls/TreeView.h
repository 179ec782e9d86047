// The program's small tree view: items are found, changed and deleted by the 32-bit
// value each one carries.
#pragma once

#include "core/CommonControls.h"
#include "controls/Control.h"

#include "foundation/Strings.h"

class ImageList;

class VELTRANE_API TreeView : public TControl {
public:
    TreeView(TWindow *parent, int id, int x, int y, int w, int h, TModule *module = 0);
    TreeView(TWindow *parent, int resourceId, TModule *module = 0);

    HTREEITEM Insert(TVINSERTSTRUCTA &insert);
    bool Delete(HTREEITEM item);
    bool DeleteAll();
    void SetImageList(ImageList *list, int which);
    bool Expand(HTREEITEM item, uint code);
    HTREEITEM GetSelectedItem();
    HTREEITEM GetFirstRoot();
    HTREEITEM GetParentItem(HTREEITEM item);
    HTREEITEM GetNextBrother(HTREEITEM item);
    // The first root for a null item.
    HTREEITEM GetFirstChild(HTREEITEM item);
    bool GetItem(TVITEMA &item);
    bool EnsureVisible(HTREEITEM item);
    HWND EditItemName(HTREEITEM item);
    HWND GetEditControl();
    bool SelectItem(HTREEITEM item, uint code);
    bool SetSortCallback(TVSORTCB &sort);
    LPARAM GetItemData(HTREEITEM item);
    String GetItemName(HTREEITEM item);
    uint GetItemState(HTREEITEM item);
    bool SetState(HTREEITEM item, uint bits, int on);
    bool SetImageIndexes(HTREEITEM item, int image, int selectedImage);
    bool SetItemData(HTREEITEM item, LPARAM data);
    bool RenameItem(HTREEITEM item, char const *text);
    HTREEITEM GetItemAtPoint(TPoint const &point, unsigned *flags = 0);
    bool GetItemRect(HTREEITEM item, TRect &rect, int wholeLine);
    bool HasChildren(HTREEITEM item);
    // Depth first, pre-order, below parent (the roots for a null parent).
    HTREEITEM FindItem(LPARAM data, HTREEITEM parent, int recursive);
    // A null item empties the control; otherwise the item stays.
    void DeleteAllChildren(HTREEITEM item);
    // Searches below the first root only.
    bool FindAndDelete(LPARAM data);

    char const *GetClassNameA() override;

private:
    LRESULT Send(uint msg, WPARAM wp = 0, LPARAM lp = 0) { return HandleMessage(msg, wp, lp); }
    HTREEITEM Next(HTREEITEM item, uint code) { return HTREEITEM(Send(TVM_GETNEXTITEM, code, LPARAM(item))); }
    bool SetItem(TVITEMA &item) { return Send(TVM_SETITEMA, 0, LPARAM(&item)) != 0; }
};
