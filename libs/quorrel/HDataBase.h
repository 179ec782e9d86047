// A database whose items are filed in named hierarchies of folders.
//
// A hierarchy is registered by name like a type; its number is also the item
// type of its folders. A folder belongs to its hierarchy only; an item may be
// linked under one folder in each hierarchy (the links follow the item
// header, bytes 28 to 51). Names (variable field 1) are compared ignoring
// case. Operations that take an item and a selector ask HierarchyFor which
// hierarchy is meant.
#pragma once

#include "quorrel/DataBase.h"

class QUORREL_API HDataBase : public DataBase {
public:
    enum { folderSize = 64 };   // fixed part of a folder: header, links, 12 bytes for the caller

    HDataBase(FileName const &fileName, char const *identifier, long mode, unsigned long growBy);
    ~HDataBase() override;

    short RegisterHierarchy(char const *name);
    // The root folder of a hierarchy (its first folder without parent), 0 when none.
    unsigned long GetFirstItemInHierarchy(short hierarchy) const;

    // Folders. parent 0 makes a root.
    unsigned long CreateFolder(short hierarchy, unsigned long parent, String const &name);
    unsigned long FindFolder(unsigned long parent, String const &name) const;
    // Finds or creates each folder of a "\"-separated path below a folder; returns the last.
    unsigned long CreatePath(unsigned long folder, String const &path);
    // An item (not a folder) of that name directly in the folder, 0 when none.
    unsigned long FindItem(unsigned long folder, String const &name) const;
    // Renames a folder; returns 0 and changes nothing when a sibling folder has the name.
    int RenameFolder(unsigned long folder, String const &name);
    void RenameItem(unsigned long id, String const &name);
    String GetFolderName(unsigned long folder) const;
    // Where the item lies, as the folder part of a file name: the names of the
    // folders from below the hierarchy's root down to the item's parent, joined
    // by "\" ("" for a root, a folder or item directly below it, or an item
    // that is not linked there). The item's path and its name make its full name.
    String GetPath(unsigned long id, int which) const;
    int IsFolder(unsigned long id) const;

    // Links. SetParent links an item (or moves a folder) under a folder of
    // the folder's hierarchy, leaving its place there if it had one.
    void SetParent(unsigned long id, unsigned long folder);
    void ChangeParent(unsigned long id, unsigned long folder);
    void DetachFromParent(unsigned long id, int which);
    unsigned long GetItemParent(unsigned long id, int which) const;
    // How many folders lie above the item.
    int GetNumParent(unsigned long id, int which) const;

    // Children in the order they were linked (in id order after a reopen).
    unsigned long GetNumChildren(unsigned long folder) const;
    int HasChildren(unsigned long folder) const;         // sub-folders or items shown as leaves
    int HasFolderChildren(unsigned long folder) const;
    unsigned long GetFirstChild(unsigned long folder) const;
    unsigned long GetNextChild(unsigned long folder, unsigned long child) const;

    // Visit the items (not folders) or the sub-folders of a folder, directly in it
    // or in the whole tree below. Sub-folders are visited before their parent, so
    // a visitor may erase a folder it has emptied. Returns the id at which the
    // visitor stopped, 0 when all were visited.
    unsigned long ForEachItem(unsigned long folder, ItemVisitor visit, void *context, int recursive);
    unsigned long ForEachFolder(unsigned long folder, ItemVisitor visit, void *context, int recursive);

    // Erases a folder with everything below it; the erased items leave every hierarchy.
    void DeleteTree(unsigned long folder);
    unsigned short GetClientDataOffset(short type) const override;

    // Hooks of the client. By default the hierarchies are the registered
    // ones, every other type may be linked and shown as a leaf, and selector
    // n means the n-th registered hierarchy.
    virtual int IsHierarchyNumber(short number) const;
    virtual int IsLeafAllowed(short type, short hierarchy) const;
    virtual short HierarchyFor(short type, int which) const;
    // 1 folder of a hierarchy, 2 item that may be linked, 0 plain item (28-byte header).
    virtual int ClassifyType(short type) const;

protected:
    int SlotFor(unsigned long id, int which) const;
    unsigned long VisitBelow(unsigned long folder, bool folders, ItemVisitor visit, void *context, int recursive);
    int FolderSlot(unsigned long folder) const;
};
