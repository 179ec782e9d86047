#include "controls/TreeWindow.h"

#include "controls/SortBridge.h"
#include "core/System.h"

#include <cstring>

namespace {
char *Duplicate(char const *text, int room) {
    char *copy = new char[room];
    std::memcpy(copy, text, room);
    return copy;
}
}  // namespace

// ---- the item record

TTreeItem::TTreeItem(char const *text, int image, int selectedImage) : TVITEMA() {
    SetText(text, -1);
    SetImageIndex(image);
    SetSelectedImageIndex(selectedImage);
}

void TTreeItem::SetText(char const *text, int capacity) {
    mask |= TVIF_TEXT;
    pszText = const_cast<char *>(text);
    cchTextMax = capacity < 0 ? (text && text != LPSTR_TEXTCALLBACKA ? lstrlenA(text) : 0) : capacity;
}

void TTreeItem::GetText(char *buffer, int size) const {
    if ((mask & TVIF_TEXT) && buffer && size > 0)
        lstrcpynA(buffer, pszText && pszText != LPSTR_TEXTCALLBACKA ? pszText : "", size);
}

void TTreeItem::SetHTreeItem(HTREEITEM handle) {
    mask |= TVIF_HANDLE;
    hItem = handle;
}

void TTreeItem::SetItemData(LPARAM data) {
    mask |= TVIF_PARAM;
    lParam = LPARAM(data);
}

void TTreeItem::SetImageIndex(int image) {
    mask |= TVIF_IMAGE;
    iImage = image;
}

void TTreeItem::SetSelectedImageIndex(int image) {
    mask |= TVIF_SELECTEDIMAGE;
    iSelectedImage = image;
}

int TTwComparator::Compare(LPARAM, LPARAM, LPARAM) const { return 0; }

// ---- the node

TTreeNode::TTreeNode(TTreeWindow &window, char const *text) : Window(&window), Cache(0) { SetText(text, false); }

TTreeNode::TTreeNode(TTreeWindow &window, char const *text, int image, int selectedImage)
    : Window(&window), Cache(0) {
    SetText(text, false);
    SetImageIndex(image, false);
    SetSelectedImageIndex(selectedImage, false);
}

TTreeNode::TTreeNode(TTreeWindow &window, TVITEMA const &item) : Item(item), Window(&window), Cache(0) {
    if (item.mask & TVIF_TEXT)
        SetText(item.pszText && item.pszText != LPSTR_TEXTCALLBACKA ? item.pszText : "", true);
}

TTreeNode::TTreeNode(TTreeWindow &window, HTREEITEM handle) : Window(&window), Cache(0) { Item.SetHTreeItem(handle); }

TTreeNode::TTreeNode(TTreeNode const &node, uint code) : Window(node.Window), Cache(0) {
    Item.SetHTreeItem(Window->GetNextItem(code, node.Item.hItem));
}

TTreeNode::TTreeNode(TTreeNode const &node) : Item(node.Item), Window(node.Window), Cache(0) { CopyText(node); }

TTreeNode &TTreeNode::operator=(TTreeNode const &node) {
    if (this != &node) {
        FlushCache();
        Item = node.Item;
        Window = node.Window;
        CopyText(node);
    }
    return *this;
}

TTreeNode::~TTreeNode() { FlushCache(); }

void TTreeNode::CopyText(TTreeNode const &node) {
    if (!node.Cache)
        return;
    // the cache holds at least the text's terminator; copy the whole room
    int room = node.Item.pszText == node.Cache ? node.Item.cchTextMax : lstrlenA(node.Cache) + 1;
    if (room < lstrlenA(node.Cache) + 1)
        room = lstrlenA(node.Cache) + 1;
    Cache = Duplicate(node.Cache, room);
    if (node.Item.pszText == node.Cache)
        Item.pszText = Cache;
}

void TTreeNode::FlushCache() {
    if (Cache && Item.pszText == Cache) {
        Item.pszText = 0;
        Item.mask &= ~TVIF_TEXT;
    }
    delete[] Cache;
    Cache = 0;
}

TTreeNode TTreeNode::InsertChild(TTreeItem const &item, THowToInsert how) const {
    TVINSERTSTRUCTA insert = {};
    insert.hParent = Item.hItem;
    insert.hInsertAfter = HTREEITEM(INT_PTR(how));
    insert.item = item;
    return TTreeNode(*Window, Window->InsertItem(&insert));
}

TTreeNode TTreeNode::InsertItem(TTreeItem const &item) const {
    TVINSERTSTRUCTA insert = {};
    insert.hParent = GetParent().Item.hItem;
    insert.hInsertAfter = Item.hItem;
    insert.item = item;
    return TTreeNode(*Window, Window->InsertItem(&insert));
}

HWND TTreeNode::EditLabel() { return Window->EditLabel(Item.hItem); }
HIMAGELIST TTreeNode::CreateDragImage() { return Window->CreateDragImage(Item.hItem); }
bool TTreeNode::EnsureVisible() { return Window->EnsureVisible(Item.hItem); }
bool TTreeNode::ExpandItem(uint code) { return Window->ExpandItem(code, Item.hItem); }
bool TTreeNode::SelectItem(uint code) { return Window->SelectItem(code, Item.hItem); }
bool TTreeNode::SortChildren(bool recurse) { return Window->SortChildren(Item.hItem, recurse); }

bool TTreeNode::SortChildren(TTwComparator const &comparator, bool recurse, LPARAM value) {
    TSortBridge<TTwComparator> bridge(comparator, value);
    bool sorted = Window->SortChildren(&TSortBridge<TTwComparator>::Compare, Item.hItem, recurse, bridge.Param());
    bridge.ThrowFailure();
    return sorted;
}

bool TTreeNode::Put(bool send) { return send ? SetItem() : true; }

bool TTreeNode::SetText(char const *text, bool send) {
    if (!text)
        text = "";
    int room = lstrlenA(text) + 1;
    // the cache is as large as its record says (260 after a read, else its first text)
    int have = Cache ? (Item.pszText == Cache ? Item.cchTextMax : lstrlenA(Cache) + 1) : 0;
    if (!Cache || have < room) {
        char *fresh = new char[room];
        if (Cache && Item.pszText == Cache)
            Item.pszText = 0;
        delete[] Cache;
        Cache = fresh;
    }
    std::memcpy(Cache, text, room);
    Item.SetText(Cache, room);
    return Put(send);
}

bool TTreeNode::SetImageIndex(int image, bool send) {
    Item.SetImageIndex(image);
    return Put(send);
}

bool TTreeNode::SetSelectedImageIndex(int image, bool send) {
    Item.SetSelectedImageIndex(image);
    return Put(send);
}

bool TTreeNode::SetItemData(LPARAM data, bool send) {
    Item.SetItemData(data);
    return Put(send);
}

bool TTreeNode::SetHasChildren(int count, bool send) {
    Item.mask |= TVIF_HANDLE | TVIF_CHILDREN;
    Item.cChildren = count;
    return Put(send);
}

bool TTreeNode::Fetch(uint bit) {
    Item.mask |= bit;
    if (GetItem())
        return true;
    Item.mask &= ~bit;
    return false;
}

bool TTreeNode::GetState(uint &state, bool fromControl) {
    if (fromControl && !Fetch(TVIF_STATE))
        return false;
    state = Item.state;
    return true;
}

bool TTreeNode::GetItemData(LPARAM &data, bool fromControl) {
    if (fromControl && !Fetch(TVIF_PARAM))
        return false;
    data = (unsigned long)Item.lParam;
    return true;
}

bool TTreeNode::GetHasChildren(int &count, bool fromControl) {
    if (fromControl && !Fetch(TVIF_CHILDREN))
        return false;
    count = Item.cChildren;
    return true;
}

char const *TTreeNode::GetText(bool fromControl) {
    if (!fromControl && Cache && (Item.mask & TVIF_TEXT))
        return Cache;
    FlushCache();
    Cache = new char[NodeTextCacheSize];
    Cache[0] = 0;
    Item.SetText(Cache, NodeTextCacheSize);
    if (!GetItem()) {
        Item.mask &= ~TVIF_TEXT;
        return 0;
    }
    return Cache;
}

bool TTreeNode::GetText(char *buffer, int size, bool fromControl) {
    // a failed read leaves an empty cache behind: that is no text
    char const *text = GetText(fromControl);
    if (!text)
        return false;
    if (buffer && size > 0)
        lstrcpynA(buffer, text, size);
    return true;
}

bool TTreeNode::SetItem(TTreeItem *item) {
    item->SetHTreeItem(Item.hItem);
    return Window->Send(TVM_SETITEMA, 0, LPARAM(static_cast<TVITEMA *>(item))) != 0;
}

bool TTreeNode::GetItem(TTreeItem *item) {
    item->SetHTreeItem(Item.hItem);
    return Window->Send(TVM_GETITEMA, 0, LPARAM(static_cast<TVITEMA *>(item))) != 0;
}

bool TTreeNode::SetItem() { return Window->Send(TVM_SETITEMA, 0, LPARAM(static_cast<TVITEMA *>(&Item))) != 0; }
bool TTreeNode::GetItem() { return Window->Send(TVM_GETITEMA, 0, LPARAM(static_cast<TVITEMA *>(&Item))) != 0; }

bool TTreeNode::GetItemRect(TRect &rect, bool textOnly) const {
    std::memcpy(static_cast<RECT *>(&rect), &Item.hItem, sizeof Item.hItem);  // the control reads the item from the rectangle
    return Window->Send(TVM_GETITEMRECT, textOnly, LPARAM(&rect)) != 0;
}

bool TTreeNode::Delete() {
    if (!Window->Delete(Item.hItem))
        return false;
    Item.hItem = 0;
    Item.mask &= ~TVIF_HANDLE;
    return true;
}

// ---- the control

TTreeWindow::TTreeWindow(TWindow *parent, int id, int x, int y, int w, int h, uint32_t style, TModule *module)
    : TListBox(parent, id, x, y, w, h, module) {
    TCommCtrl::Required();
    SetStyle(style);
    Attr.ExStyle &= ~WS_EX_CLIENTEDGE;  // the list box's own border is not the tree's
    if (TSystem::Has3dUI())
        Attr.ExStyle |= WS_EX_CLIENTEDGE;
}

TTreeWindow::TTreeWindow(TWindow *parent, int resourceId, TModule *module) : TListBox(parent, resourceId, module) {
    TCommCtrl::Required();
}

char const *TTreeWindow::GetClassNameA() { return WC_TREEVIEWA; }

void TTreeWindow::SetStyle(uint32_t style) { TWindow::SetStyle(style | WS_CHILD | WS_VISIBLE); }

HTREEITEM TTreeWindow::GetNextItem(uint code, HTREEITEM item) const {
    return HTREEITEM(Send(TVM_GETNEXTITEM, code, LPARAM(item == TVI_ROOT ? 0 : item)));
}

bool TTreeWindow::SortChildren(PFNTVCOMPARE compare, HTREEITEM item, bool recurse, LPARAM value) {
    TVSORTCB sort = {};
    sort.hParent = item;
    sort.lpfnCompare = compare;
    sort.lParam = value;
    return Send(TVM_SORTCHILDRENCB, recurse, LPARAM(&sort)) != 0;
}
