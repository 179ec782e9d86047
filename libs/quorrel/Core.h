// The state of an open database: the item block, the variable-field arena,
// the type table and the in-memory indexes of the hierarchies; and how that
// state is written to and read from the StoreFile.
//
// A snapshot payload is the block size, arena size and table size followed
// by the three. A delta payload is the new block size, the arena size before
// it, the bytes appended to the arena, the table size (all ones: unchanged)
// and a count of block patches (offset, length, bytes), then the patches, the
// arena bytes and the table. The arena only grows between snapshots; a
// snapshot drops its garbage and the free slots at the end of the block.
// The hierarchy indexes are not stored: they are rebuilt from the links in
// the item headers when the file is opened.
#pragma once

#include <map>
#include <memory>
#include <set>
#include <string>
#include <unordered_map>
#include <vector>

#include "quorrel/DataBase.h"
#include "quorrel/StoreFile.h"

namespace quorrel {

// The first 28 bytes of every fixed part.
struct ItemHeader {
    unsigned short type;
    unsigned short flags;        // kLive, kLinked
    unsigned long slotSize;      // bytes the fixed part occupies in the block
    unsigned long varOffset;     // in the arena (unused in a copy)
    unsigned long varLength;
    unsigned long checksum;
    unsigned short fixedSize;
    unsigned short reserved;
    unsigned long client;
};
static_assert(sizeof(ItemHeader) == DataBase::headerSize, "item header");

enum { kLive = 1, kLinked = 2 };

struct TypeEntry {
    std::string name;
    unsigned short flags;
    int slot;                    // link slot of a hierarchy, -1 for a plain type
    unsigned long count;
};

// The children of one folder, chained through Sibling entries so that any
// child leaves in constant time; hashed by folded name once the folder is large.
struct ChildList {
    unsigned long first = 0, last = 0, count = 0;
    std::unordered_multimap<std::string, unsigned long> byName;
    bool hashed = false;
};

struct Sibling {
    unsigned long previous = 0, next = 0;
};

// Name comparison ignores case.
std::string FoldName(char const *text, unsigned long size);

class Core {
public:
    Core(DataBase &owner, char const *path, char const *identifier, long mode, unsigned long growBy);
    ~Core();

    DataBase &owner;
    std::unique_ptr<StoreFile> file;
    long state = 0;
    int batchDepth = 0;
    bool opened = false;

    // item block
    char *base = nullptr;
    unsigned long used = 0, reserved = 0, committed = 0, growBy = 4096;
    std::vector<bool> starts;                    // slot starts, one bit per 4 bytes
    std::map<unsigned long, std::set<unsigned long>> freeSlots;   // by slot size, lowest id used first
    std::string shadow;                          // the block as last committed

    // variable fields: each item's fields as one blob appended here
    std::string arena;
    unsigned long arenaCommitted = 0, arenaGarbage = 0;

    std::vector<TypeEntry> types;                // type n is types[n - 1]
    bool tablesDirty = false;

    std::unordered_map<unsigned long, ChildList> children;
    std::unordered_map<unsigned long, Sibling> siblings[DataBase::maxHierarchies];
    std::vector<unsigned long> roots[DataBase::maxHierarchies];

    // access
    ItemHeader &Header(unsigned long id) const { return *reinterpret_cast<ItemHeader *>(base + id); }
    unsigned long *Links(unsigned long id) const {
        return reinterpret_cast<unsigned long *>(base + id + DataBase::headerSize);
    }
    bool IsLive(unsigned long id) const;
    unsigned long HeaderSizeOf(unsigned long id) const {
        return (Header(id).flags & kLinked) ? DataBase::linkedHeaderSize : DataBase::headerSize;
    }
    void CheckItem(unsigned long id) const;      // raises unless a live item
    TypeEntry &Type(short type);
    TypeEntry const &Type(short type) const;
    int SlotOfType(short type) const;            // hierarchy slot or -1
    bool IsFolder(unsigned long id) const { return SlotOfType(Header(id).type) >= 0; }
    void CheckWritable() const;

    // items
    unsigned long AddItem(BaseItem const *item);
    void UpdateItem(unsigned long id, BaseItem const *item);
    void EraseItem(unsigned long id);
    unsigned long NextItem(unsigned long after, short type) const;

    // variable fields
    template <class Fn>
    void EachField(unsigned long id, Fn visit) const;
    bool FindField(unsigned long id, short field, unsigned long &offset, unsigned long &size) const;
    void SetField(unsigned long id, short field, void const *data, unsigned long size, bool remove);
    std::string Name(unsigned long id) const;
    std::string NameKey(unsigned long id) const;   // the name folded for comparison

    // hierarchies
    void Link(unsigned long id, int slot, unsigned long parent);
    // The children of a folder, first to last; the next child after one.
    std::vector<unsigned long> ChildrenOf(unsigned long folder) const;
    unsigned long NextChild(unsigned long folder, unsigned long child) const;
    unsigned long ChildCount(unsigned long folder) const;
    void Unlink(unsigned long id, int slot);
    unsigned long FindChild(unsigned long folder, char const *name, int kind) const;   // kind: 1 folder, 2 item
    void ForgetName(unsigned long id);
    void LearnName(unsigned long id);
    static void DropName(ChildList &list, std::string const &key, unsigned long id);
    template <class Fn>
    void EachHashedParent(unsigned long id, Fn fn);

    // Visits the ids in one batch, each that is still a live item the caller
    // wants (an earlier visit may have erased it or put another in its place).
    // Returns the id at which the visitor stopped, 0 when all were visited.
    template <class Wanted>
    unsigned long Visit(std::vector<unsigned long> const &ids, DataBase::ItemVisitor visit, void *context,
                        Wanted wanted) {
        DataBase::Batch batch(owner);
        for (unsigned long id : ids)
            if (IsLive(id) && wanted(id) && !visit(owner, id, context)) {
                batch.End();
                return id;
            }
        batch.End();
        return 0;
    }

    // persistence
    void Commit();
    void Snapshot();

private:
    void EnsureBlock(unsigned long need);
    void TrimBlock();
    unsigned long Allocate(unsigned long slotSize);
    void SetVarBlob(unsigned long id, char const *data, unsigned long size);
    std::string Tables() const;
    void LoadTables(char const *data, unsigned long size);
    std::string SnapshotPayload();
    void LoadSnapshot(std::string const &payload);
    void ApplyDelta(std::string const &payload);
    void BuildIndexes();
    void CheckFolderChains(std::vector<unsigned long> const &linked) const;
    ChildList &HashedChildren(unsigned long folder) const;
    template <class Write>
    void Persist(Write write);
    [[noreturn]] void Damaged(char const *why) const;
};

}  // namespace quorrel
