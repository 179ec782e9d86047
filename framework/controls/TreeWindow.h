// The whole tree-view control as a window object; a node is a handle-like object for
// one item that carries the item record and a cached copy of its text.
#pragma once

#include "core/CommonControls.h"
#include "controls/ListBox.h"

class TTreeWindow;


// TVITEM with setters that keep the mask; owns nothing.
class VELTRANE_API TTreeItem : public TVITEMA {
public:
    TTreeItem() : TVITEMA() {}
    TTreeItem(TVITEMA const &item) : TVITEMA(item) {}
    TTreeItem(char const *text, int capacity = -1) : TVITEMA() { SetText(text, capacity); }
    TTreeItem(char const *text, int image, int selectedImage);

    // A negative capacity stands for the text's length.
    void SetText(char const *text, int capacity = -1);
    void GetText(char *buffer, int size) const;
    void SetHTreeItem(HTREEITEM handle);
    HTREEITEM GetHTreeitem() const { return (mask & TVIF_HANDLE) ? hItem : 0; }
    void SetItemData(LPARAM data);
    LPARAM GetItemData() const { return (mask & TVIF_PARAM) ? lParam : 0; }
    void SetImageIndex(int image);
    void SetSelectedImageIndex(int image);
};

// A sort order of a node's children; the base finds every pair equal.
class VELTRANE_API TTwComparator {
public:
    virtual ~TTwComparator() {}
    virtual int Compare(LPARAM itemData1, LPARAM itemData2, LPARAM value) const;
};

class VELTRANE_API TTreeNode {
public:
    // The values of TVI_FIRST, TVI_LAST and TVI_SORT.
    enum THowToInsert { First = -0xFFFF, Last = -0xFFFE, Sort = -0xFFFD };
    static int const NodeTextCacheSize = 260;

    TTreeNode(TTreeWindow &window, char const *text);
    TTreeNode(TTreeWindow &window, char const *text, int image, int selectedImage);
    // Sends the record's text to the control at once.
    TTreeNode(TTreeWindow &window, TVITEMA const &item);
    TTreeNode(TTreeWindow &window, HTREEITEM handle);
    // The item related to node's item by the code, without cached text.
    TTreeNode(TTreeNode const &node, uint code);
    TTreeNode(TTreeNode const &node);
    TTreeNode &operator=(TTreeNode const &node);
    ~TTreeNode();

    operator HTREEITEM() const { return Item.hItem; }

    TTreeNode GetNextItem(uint code) const { return TTreeNode(*this, code); }
    TTreeNode GetParent() const { return GetNextItem(TVGN_PARENT); }
    TTreeNode GetChild() const { return GetNextItem(TVGN_CHILD); }
    TTreeNode GetNextSibling() const { return GetNextItem(TVGN_NEXT); }
    TTreeNode GetPrevSibling() const { return GetNextItem(TVGN_PREVIOUS); }
    TTreeNode GetNextVisible() const { return GetNextItem(TVGN_NEXTVISIBLE); }
    TTreeNode GetPrevVisible() const { return GetNextItem(TVGN_PREVIOUSVISIBLE); }

    TTreeNode InsertChild(TTreeItem const &item, THowToInsert how) const;
    TTreeNode InsertChild(TTreeNode const &node, THowToInsert how) const { return InsertChild(node.Item, how); }
    TTreeNode AddChild(TTreeItem const &item) const { return InsertChild(item, Last); }
    TTreeNode AddChild(TTreeNode const &node) const { return InsertChild(node.Item, Last); }
    // The new item becomes this node's next sibling.
    TTreeNode InsertItem(TTreeItem const &item) const;
    TTreeNode InsertItem(TTreeNode const &node) const { return InsertItem(node.Item); }
    TTreeNode AddSibling(TTreeItem const &item) const { return InsertItem(item); }

    HWND EditLabel();
    HIMAGELIST CreateDragImage();
    bool EnsureVisible();
    bool ExpandItem(uint code);
    bool SelectItem(uint code);
    bool SortChildren(bool recurse = false);
    bool SortChildren(TTwComparator const &comparator, bool recurse = false, LPARAM value = 0);

    bool SetText(char const *text, bool send = true);
    bool SetImageIndex(int image, bool send = true);
    bool SetSelectedImageIndex(int image, bool send = true);
    bool SetItemData(LPARAM data, bool send = true);
    bool SetHasChildren(int count, bool send = true);
    bool GetState(uint &state, bool fromControl = true);
    bool GetItemData(LPARAM &data, bool fromControl = true);
    bool GetHasChildren(int &count, bool fromControl = true);
    // The cached text unless fromControl, or none was read; null when the control fails.
    char const *GetText(bool fromControl = true);
    bool GetText(char *buffer, int size, bool fromControl = true);

    bool SetItem(TTreeItem *item);
    bool GetItem(TTreeItem *item);
    bool SetItem();
    bool GetItem();

    void SetMask(uint mask) { Item.mask = mask; }
    uint GetMask() const { return Item.mask; }
    void SetStateMask(uint mask) { Item.stateMask = mask; }
    uint GetStateMask() const { return Item.stateMask; }
    void SetHTreeItem(HTREEITEM handle) { Item.hItem = handle; }
    HTREEITEM GetHTreeItem() const { return Item.hItem; }
    TTreeWindow &GetTreeWindow() const { return *Window; }

    bool GetItemRect(TRect &rect, bool textOnly = true) const;
    // On success the handle is cleared.
    bool Delete();
    void FlushCache();

protected:
    // Reads the record with the given mask bit added; the bit goes again on failure.
    bool Fetch(uint bit);
    bool Put(bool send);
    void CopyText(TTreeNode const &node);

    TTreeItem Item;
    TTreeWindow *Window;
    char *Cache;
};

class VELTRANE_API TTreeWindow : public TListBox {
public:
    // Both raise TXCommCtrl without the common-controls library.
    TTreeWindow(TWindow *parent, int id, int x, int y, int w, int h, uint32_t style = 0, TModule *module = 0);
    TTreeWindow(TWindow *parent, int resourceId, TModule *module = 0);

    // The style with WS_CHILD and WS_VISIBLE.
    void SetStyle(uint32_t style);
    bool HasStyle(uint32_t bits) const { return (GetStyle() & bits) != 0; }

    TTreeNode GetRoot() { return TTreeNode(*this, TVI_ROOT); }
    TTreeNode GetSelection() { return GetRoot().GetNextItem(TVGN_CARET); }
    TTreeNode GetDropHilite() { return GetRoot().GetNextItem(TVGN_DROPHILITE); }
    TTreeNode GetFirstVisible() { return GetRoot().GetNextItem(TVGN_FIRSTVISIBLE); }

    // TVI_ROOT is asked as 0.
    HTREEITEM GetNextItem(uint code, HTREEITEM item) const;
    HTREEITEM InsertItem(TVINSERTSTRUCTA *insert) { return HTREEITEM(Send(TVM_INSERTITEMA, 0, LPARAM(insert))); }
    bool Delete(HTREEITEM item) { return Send(TVM_DELETEITEM, 0, LPARAM(item)) != 0; }
    bool DeleteAllItems() { return Send(TVM_DELETEITEM, 0, LPARAM(TVI_ROOT)) != 0; }
    bool EnsureVisible(HTREEITEM item) { return Send(TVM_ENSUREVISIBLE, 0, LPARAM(item)) != 0; }
    bool ExpandItem(uint code, HTREEITEM item) { return Send(TVM_EXPAND, code, LPARAM(item)) != 0; }
    bool SelectItem(uint code, HTREEITEM item) { return Send(TVM_SELECTITEM, code, LPARAM(item)) != 0; }
    HWND EditLabel(HTREEITEM item) { return HWND(Send(TVM_EDITLABELA, 0, LPARAM(item))); }
    HWND GetEditControl() const { return HWND(Send(TVM_GETEDITCONTROL)); }
    HIMAGELIST CreateDragImage(HTREEITEM item) { return HIMAGELIST(Send(TVM_CREATEDRAGIMAGE, 0, LPARAM(item))); }
    HTREEITEM HitTest(TTwHitTestInfo *info) const { return HTREEITEM(Send(TVM_HITTEST, 0, LPARAM(info))); }
    // The previous list.
    HIMAGELIST SetImageList(int type, HIMAGELIST list) {
        return HIMAGELIST(Send(TVM_SETIMAGELIST, type, LPARAM(list)));
    }
    HIMAGELIST GetImageList(int type) const { return HIMAGELIST(Send(TVM_GETIMAGELIST, type)); }
    uint GetItemCount() const { return uint(Send(TVM_GETCOUNT)); }
    uint GetVisibleCount() const { return uint(Send(TVM_GETVISIBLECOUNT)); }
    uint GetIndent() const { return uint(Send(TVM_GETINDENT)); }
    void SetIndent(uint indent) { Send(TVM_SETINDENT, indent); }
    bool SortChildren(HTREEITEM item, bool recurse = false) {
        return Send(TVM_SORTCHILDREN, recurse, LPARAM(item)) != 0;
    }
    bool SortChildren(PFNTVCOMPARE compare, HTREEITEM item, bool recurse, LPARAM value);
    void Update() {}

    LRESULT Send(uint msg, WPARAM wp = 0, LPARAM lp = 0) const { return ::SendMessageA(GetHandle(), msg, wp, lp); }

    char const *GetClassNameA() override;
};
