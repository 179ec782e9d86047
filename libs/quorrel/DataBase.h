// Quorrel: an embedded database of typed items kept in one file.
//
// An item has a fixed part and numbered variable fields. The fixed parts of
// all items live in one memory block, the item base; an item's id is the
// byte offset of its fixed part in that block, and the caller may read and
// write the fixed fields in place (GetItemBase() + id). A fixed part never
// moves, so an id stays valid until the item is erased. Variable fields live
// apart and may grow freely.
//
// Every change reaches the file at once, atomically: a crash leaves the
// state before or after the change. Changes made inside a Batch reach the
// file together when the outermost batch ends; fixed fields written in place
// reach it with the next change, Commit() or the close.
#pragma once

#include "foundation/FileName.h"
#include "quorrel/QuorrelDefs.h"
#include "foundation/Strings.h"

namespace quorrel {
class Core;
}

// An item as one flat block: the fixed part (whose first 28 bytes are the
// item header, starting with the 16-bit type number) followed by its variable
// fields. Made by ItemMaker, returned by DataBase::GetCopy; a copy is freed
// with NH_Heap::FreeMem.
struct BaseItem;

// What the database knows about an item type.
struct ItemTypeInfo {
    char const *name;       // valid until the next registration
    unsigned short flags;   // as given to RegisterType
    unsigned long count;    // items of the type
};

class QUORREL_API DataBase {
public:
    class Finder;
    class Batch;

    enum {
        headerSize = 28,         // item header of every item
        linkedHeaderSize = 52,   // header with the hierarchy links after it
        maxHierarchies = 6,
        nameField = 1,           // the variable field that names items and folders
    };
    // Bits of the open mode (other bits are accepted and ignored).
    enum { createIfMissing = 1 };
    // Bits of the state word; 0 when the database can be changed.
    enum { stateReadOnly = 1, stateFailed = 2 };

    // Returns non-zero to go on visiting, 0 to stop.
    typedef int (*ItemVisitor)(DataBase &db, unsigned long id, void *context);

    // Opens the file (creating it when the mode asks for it and it is
    // missing). identifier names the kind of database: a file made with
    // another identifier is refused. growBy is the step in bytes in which the
    // item block grows.
    DataBase(FileName const &fileName, char const *identifier, long mode, unsigned long growBy);
    virtual ~DataBase();
    DataBase(DataBase const &) = delete;
    DataBase &operator=(DataBase const &) = delete;

    int WasCreated() const;
    long GetState() const;
    char const *GetFileName() const;

    // Types: numbered from 1 in registration order, the numbers kept in the file.
    short RegisterType(char const *name, unsigned short flags);
    short FindType(char const *name) const;   // 0 when not registered
    ItemTypeInfo GetItemInfo(short type) const;

    // The start of the block holding every fixed part; it may move when
    // items are added (OnMove tells), ids do not.
    char *GetItemBase() const;
    int IsItem(unsigned long id) const;
    short GetType(unsigned long id) const;
    unsigned short GetFixedSize(unsigned long id) const;

    // Stores a new item; returns its id. Link bytes of the item are ignored:
    // a new item is in no hierarchy.
    unsigned long Add(BaseItem const *item);
    // Replaces the fixed part after the header and the variable fields of an
    // item, keeping its id and its hierarchy links; returns the id.
    unsigned long Update(unsigned long id, BaseItem const *item);
    // A heap copy of an item, freed with NH_Heap::FreeMem.
    BaseItem *GetCopy(unsigned long id) const;
    // The type of a made or copied item, to store a copy as another type.
    static short GetItemType(BaseItem const *item);
    static void SetItemType(BaseItem *item, short type);
    void DeleteAll(short type);

    // Variable fields. GetVarData copies at most *size bytes into buffer and
    // sets *size to the field's length; returns 0 when the field is absent.
    int GetVarData(unsigned long id, short field, void *buffer, unsigned long *size) const;
    // A heap copy of the field (freed with NH_Heap::FreeMem), null when absent.
    void *LoadVarData(unsigned long id, short field, unsigned long *size) const;
    void UpdateVarData(unsigned long id, short field, void const *data, unsigned long size);
    // A text field ("" when absent).
    String GetVarString(unsigned long id, short field) const;
    void UpdateVarString(unsigned long id, short field, String const &text);
    void RemoveVarField(unsigned long id, short field);

    // Items of a type (0: every item) in id order.
    unsigned long GetFirst(short type) const;
    unsigned long GetNext(unsigned long id, short type) const;
    // Visits the items of a type there are when it starts; the visitor may
    // erase items and add new ones (which it is not given).
    // Returns the id at which the visitor stopped, 0 when all were visited.
    unsigned long ForEach(short type, ItemVisitor visit, void *context);

    // Writes pending changes (fixed fields written in place) now.
    void Commit();
    void BeginBatch();
    void EndBatch();

    // Removes an item: unlinks it from every hierarchy and frees its space.
    virtual void Erase(unsigned long id);
    // Called when the item block moved in memory.
    virtual void OnMove(char const *oldBase, char *newBase);
    // Where the caller's data start in an item of the type.
    virtual unsigned short GetClientDataOffset(short type) const;
    // Item checksums over the caller's part of the fixed part; the library
    // sets them when it stores an item, a caller that writes in place may.
    virtual int IsChecksumOk(unsigned long id) const;
    virtual void SetChecksum(unsigned long id);

protected:
    quorrel::Core *core_;
};

// Walks the items of one type (0: every item) in id order.
class QUORREL_API DataBase::Finder {
public:
    Finder(DataBase const &db, short type);
    unsigned long GetFirst();
    unsigned long GetNext();   // 0 after the last

private:
    DataBase const &db_;
    short type_;
    unsigned long current_;
};

// Groups changes into one commit; the outermost batch commits when it ends
// (End() reports a failure, the destructor cannot and leaves it in the state word).
class QUORREL_API DataBase::Batch {
public:
    explicit Batch(DataBase &db);
    ~Batch();
    Batch(Batch const &) = delete;
    Batch &operator=(Batch const &) = delete;
    void End();

private:
    DataBase *db_;
};
