#include "quorrel/Core.h"

#include <windows.h>

#include <algorithm>
#include <cstring>

#include "quorrel/Failure.h"

namespace quorrel {

namespace {

unsigned long const kFirstId = 16;          // id 0 means "none"
unsigned long const kPage = 128;            // granularity of the block's delta
unsigned long const kMinReserve = 16UL << 20;
unsigned long const kLinearLookup = 16;     // larger folders are hashed
unsigned long const kUnchanged = 0xFFFFFFFFUL;

unsigned long Round4(unsigned long n) { return (n + 3) & ~3UL; }

void Put32(std::string &out, unsigned long v) { out.append(reinterpret_cast<char const *>(&v), 4); }

// Reads a payload front to back; running past its end means a damaged file.
struct Reader {
    char const *p;
    unsigned long left;
    bool ok = true;
    unsigned long U32() {
        unsigned long v = 0;
        if (left < 4) {
            ok = false;
            return 0;
        }
        std::memcpy(&v, p, 4);
        p += 4;
        left -= 4;
        return v;
    }
    char const *Bytes(unsigned long n) {
        if (n > left) {
            ok = false;
            return nullptr;
        }
        char const *at = p;
        p += n;
        left -= n;
        return at;
    }
};

unsigned char const *FoldTable() {
    static unsigned char table[256];
    static bool made;
    if (!made) {
        for (int i = 0; i < 256; ++i) {
            char c = static_cast<char>(i), lower = c;
            if (!LCMapStringA(LOCALE_SYSTEM_DEFAULT, LCMAP_LOWERCASE, &c, 1, &lower, 1))
                lower = (i >= 'A' && i <= 'Z') ? static_cast<char>(i + 32) : c;
            table[i] = static_cast<unsigned char>(lower);
        }
        made = true;
    }
    return table;
}

}  // namespace

std::string FoldName(char const *text, unsigned long size) {
    unsigned char const *table = FoldTable();
    std::string folded(text, size);
    for (char &c : folded)
        c = static_cast<char>(table[static_cast<unsigned char>(c)]);
    return folded;
}

Core::Core(DataBase &db, char const *path, char const *identifier, long mode, unsigned long grow)
    : owner(db), growBy(std::max(4096UL, (grow + 4095) & ~4095UL)) {
    if (!path || !*path)
        Fail("A database needs a file name.");
    try {
        used = kFirstId;
        EnsureBlock(used);
        starts.assign(used / 4, false);
        file.reset(new StoreFile(path, identifier ? identifier : "", (mode & DataBase::createIfMissing) != 0,
                                 SnapshotPayload()));
        if (file->ReadOnly())
            state |= DataBase::stateReadOnly;
        std::string snapshot;
        std::vector<std::string> deltas;
        file->ReadCommitted(snapshot, deltas);
        LoadSnapshot(snapshot);
        for (std::string const &delta : deltas)
            ApplyDelta(delta);
        BuildIndexes();
    } catch (...) {
        if (base)
            VirtualFree(base, 0, MEM_RELEASE);
        throw;
    }
    shadow.assign(base, used);
    arenaCommitted = static_cast<unsigned long>(arena.size());
    opened = true;
}

Core::~Core() {
    if (base)
        VirtualFree(base, 0, MEM_RELEASE);
}

// The block is reserved large and committed as it grows, so that it rarely moves.
void Core::EnsureBlock(unsigned long need) {
    if (need <= committed)
        return;
    unsigned long target = (need + growBy - 1) / growBy * growBy;
    if (target > reserved) {
        unsigned long size = std::max({kMinReserve, reserved * 2, target * 2});
        size = (size + 0xFFFF) & ~0xFFFFUL;
        char *fresh = static_cast<char *>(VirtualAlloc(nullptr, size, MEM_RESERVE, PAGE_NOACCESS));
        if (!fresh || !VirtualAlloc(fresh, target, MEM_COMMIT, PAGE_READWRITE)) {
            if (fresh)
                VirtualFree(fresh, 0, MEM_RELEASE);
            Fail("There is not enough memory for the database.");
        }
        char *old = base;
        if (old) {
            std::memcpy(fresh, old, used);
            VirtualFree(old, 0, MEM_RELEASE);
        }
        base = fresh;
        reserved = size;
        committed = target;
        if (opened)
            owner.OnMove(old, fresh);
        return;
    }
    if (!VirtualAlloc(base + committed, target - committed, MEM_COMMIT, PAGE_READWRITE))
        Fail("There is not enough memory for the database.");
    committed = target;
}

bool Core::IsLive(unsigned long id) const {
    return id >= kFirstId && id < used && (id & 3) == 0 && starts[id / 4] && (Header(id).flags & kLive);
}

void Core::CheckItem(unsigned long id) const {
    if (!IsLive(id))
        Fail("The database \"" + file->Path() + "\" has no item " + std::to_string(id) + ".");
}

TypeEntry &Core::Type(short type) {
    return const_cast<TypeEntry &>(static_cast<Core const *>(this)->Type(type));
}

TypeEntry const &Core::Type(short type) const {
    if (type < 1 || static_cast<unsigned long>(type) > types.size())
        Fail("The item type " + std::to_string(type) + " is not registered in the database.");
    return types[type - 1];
}

int Core::SlotOfType(short type) const {
    return type >= 1 && static_cast<unsigned long>(type) <= types.size() ? types[type - 1].slot : -1;
}

void Core::CheckWritable() const {
    if (state & DataBase::stateReadOnly)
        Fail("The database \"" + file->Path() + "\" is read-only.");
    if (state & DataBase::stateFailed)
        Fail("The database \"" + file->Path() + "\" could not be written and accepts no more changes.");
}

unsigned long Core::Allocate(unsigned long slotSize) {
    auto found = freeSlots.find(slotSize);
    if (found != freeSlots.end() && !found->second.empty()) {
        unsigned long id = *found->second.begin();
        found->second.erase(found->second.begin());
        return id;
    }
    unsigned long id = used;
    EnsureBlock(used + slotSize);
    used += slotSize;
    starts.resize(used / 4, false);
    starts[id / 4] = true;
    Header(id).slotSize = slotSize;
    return id;
}

unsigned long Core::AddItem(BaseItem const *item) {
    ItemHeader const &in = *reinterpret_cast<ItemHeader const *>(item);
    TypeEntry &type = Type(in.type);
    unsigned short header = type.slot >= 0 ? DataBase::linkedHeaderSize : owner.GetClientDataOffset(in.type);
    if (in.fixedSize < header)
        Fail("An item of type \"" + type.name + "\" needs a fixed part of at least " + std::to_string(header) +
             " bytes.");
    unsigned long id = Allocate(Round4(in.fixedSize));
    char *fixed = base + id;
    std::memcpy(fixed + header, reinterpret_cast<char const *>(item) + header, in.fixedSize - header);
    ItemHeader &h = Header(id);
    h.type = in.type;
    h.flags = kLive | (header >= DataBase::linkedHeaderSize ? kLinked : 0);
    h.fixedSize = in.fixedSize;
    SetVarBlob(id, reinterpret_cast<char const *>(item) + in.fixedSize, in.varLength);
    ++type.count;
    return id;
}

void Core::UpdateItem(unsigned long id, BaseItem const *item) {
    CheckItem(id);
    ItemHeader const &in = *reinterpret_cast<ItemHeader const *>(item);
    ItemHeader &h = Header(id);
    Type(in.type);
    unsigned short header = (h.flags & kLinked) ? DataBase::linkedHeaderSize : DataBase::headerSize;
    if (owner.GetClientDataOffset(in.type) != header || (in.type != h.type && (IsFolder(id) || SlotOfType(in.type) >= 0)))
        Fail("An item cannot be replaced by one of another kind.");
    if (in.fixedSize > h.slotSize)
        Fail("The fixed part of an item cannot grow.");
    if (in.fixedSize < header)
        Fail("The fixed part of the new item is too short.");
    ForgetName(id);
    char *fixed = base + id;
    std::memset(fixed + header, 0, h.slotSize - header);
    std::memcpy(fixed + header, reinterpret_cast<char const *>(item) + header, in.fixedSize - header);
    if (in.type != h.type) {
        --Type(h.type).count;
        ++Type(in.type).count;
        h.type = in.type;
    }
    h.fixedSize = in.fixedSize;
    SetVarBlob(id, reinterpret_cast<char const *>(item) + in.fixedSize, in.varLength);
    LearnName(id);
}

void Core::EraseItem(unsigned long id) {
    CheckItem(id);
    ItemHeader &h = Header(id);
    if (IsFolder(id)) {
        auto list = children.find(id);
        if (list != children.end() && list->second.count != 0)
            Fail("A folder that is not empty cannot be erased.");
        children.erase(id);
        std::vector<unsigned long> &r = roots[SlotOfType(h.type)];
        r.erase(std::remove(r.begin(), r.end(), id), r.end());
    }
    if (h.flags & kLinked)
        for (int slot = 0; slot < DataBase::maxHierarchies; ++slot)
            Unlink(id, slot);
    --Type(h.type).count;
    arenaGarbage += h.varLength;
    unsigned long slotSize = h.slotSize;
    std::memset(base + id, 0, slotSize);
    Header(id).slotSize = slotSize;
    freeSlots[slotSize].insert(id);
}

unsigned long Core::NextItem(unsigned long after, short type) const {
    unsigned long id = after == 0 ? kFirstId : after + Header(after).slotSize;
    for (; id < used; id += Header(id).slotSize)
        if ((Header(id).flags & kLive) && (type == 0 || Header(id).type == type))
            return id;
    return 0;
}

// A blob of variable fields: per field a 16-bit number, a 32-bit length and
// the bytes. Calls visit(number, offset of the field's entry, length) for each
// until it returns true; a damaged list ends at the damage.
template <class Fn>
void Core::EachField(unsigned long id, Fn visit) const {
    ItemHeader const &h = Header(id);
    unsigned long pos = h.varOffset, end = h.varOffset + h.varLength;
    while (pos + 6 <= end) {
        short number;
        unsigned long length;
        std::memcpy(&number, arena.data() + pos, 2);
        std::memcpy(&length, arena.data() + pos + 2, 4);
        if (length > end - pos - 6 || visit(number, pos, length))
            return;
        pos += 6 + length;
    }
}

bool Core::FindField(unsigned long id, short field, unsigned long &offset, unsigned long &size) const {
    bool found = false;
    EachField(id, [&](short number, unsigned long at, unsigned long length) {
        if (number == field) {
            offset = at + 6;
            size = length;
            found = true;
        }
        return found;
    });
    return found;
}

void Core::SetField(unsigned long id, short field, void const *data, unsigned long size, bool remove) {
    std::string blob;
    blob.reserve(Header(id).varLength + size + 6);
    bool placed = remove;
    auto append = [&]() {
        blob.append(reinterpret_cast<char const *>(&field), 2);
        blob.append(reinterpret_cast<char const *>(&size), 4);
        blob.append(static_cast<char const *>(data), size);
        placed = true;
    };
    EachField(id, [&](short number, unsigned long at, unsigned long length) {
        if (number != field)
            blob.append(arena.data() + at, 6 + length);
        else if (!placed)
            append();
        return false;
    });
    if (!placed)
        append();
    bool renames = field == DataBase::nameField;
    if (renames)
        ForgetName(id);
    SetVarBlob(id, blob.data(), static_cast<unsigned long>(blob.size()));
    if (renames)
        LearnName(id);
}

void Core::SetVarBlob(unsigned long id, char const *data, unsigned long size) {
    ItemHeader &h = Header(id);
    arenaGarbage += h.varLength;
    if (arena.size() + size > 0x7FFFFFFFUL)
        Fail("The database \"" + file->Path() + "\" cannot grow any further.");
    h.varOffset = static_cast<unsigned long>(arena.size());
    h.varLength = size;
    arena.append(data, size);
}

std::string Core::Name(unsigned long id) const {
    unsigned long offset, size;
    if (!FindField(id, DataBase::nameField, offset, size))
        return std::string();
    return std::string(arena.data() + offset, size);
}

void Core::Link(unsigned long id, int slot, unsigned long parent) {
    Unlink(id, slot);
    Links(id)[slot] = parent;
    if (parent == 0) {
        if (SlotOfType(Header(id).type) == slot)
            roots[slot].push_back(id);
        return;
    }
    ChildList &list = children[parent];
    Sibling &me = siblings[slot][id];
    me.previous = list.last;
    me.next = 0;
    if (list.last)
        siblings[slot][list.last].next = id;
    else
        list.first = id;
    list.last = id;
    ++list.count;
    if (list.hashed)
        list.byName.emplace(NameKey(id), id);
}

void Core::Unlink(unsigned long id, int slot) {
    unsigned long parent = Links(id)[slot];
    if (parent == 0) {
        if (IsFolder(id) && SlotOfType(Header(id).type) == slot) {
            std::vector<unsigned long> &r = roots[slot];
            r.erase(std::remove(r.begin(), r.end(), id), r.end());
        }
        return;
    }
    Links(id)[slot] = 0;
    ChildList &list = children[parent];
    auto me = siblings[slot].find(id);
    unsigned long previous = me->second.previous, next = me->second.next;
    siblings[slot].erase(me);
    (previous ? siblings[slot][previous].next : list.first) = next;
    (next ? siblings[slot][next].previous : list.last) = previous;
    --list.count;
    if (list.hashed)
        DropName(list, NameKey(id), id);
}

std::string Core::NameKey(unsigned long id) const {
    std::string name = Name(id);
    return FoldName(name.data(), name.size());
}

void Core::DropName(ChildList &list, std::string const &key, unsigned long id) {
    auto range = list.byName.equal_range(key);
    for (auto it = range.first; it != range.second; ++it)
        if (it->second == id) {
            list.byName.erase(it);
            return;
        }
}

// Calls fn(list) for each hashed folder list the item is filed in.
template <class Fn>
void Core::EachHashedParent(unsigned long id, Fn fn) {
    if (!(Header(id).flags & kLinked))
        return;
    for (int slot = 0; slot < DataBase::maxHierarchies; ++slot) {
        auto list = children.find(Links(id)[slot]);
        if (Links(id)[slot] != 0 && list != children.end() && list->second.hashed)
            fn(list->second);
    }
}

void Core::ForgetName(unsigned long id) {
    std::string key = NameKey(id);
    EachHashedParent(id, [&](ChildList &list) { DropName(list, key, id); });
}

void Core::LearnName(unsigned long id) {
    std::string key = NameKey(id);
    EachHashedParent(id, [&](ChildList &list) { list.byName.emplace(key, id); });
}

std::vector<unsigned long> Core::ChildrenOf(unsigned long folder) const {
    std::vector<unsigned long> out;
    auto list = children.find(folder);
    if (list != children.end()) {
        out.reserve(list->second.count);
        for (unsigned long child = list->second.first; child; child = NextChild(folder, child))
            out.push_back(child);
    }
    return out;
}

unsigned long Core::NextChild(unsigned long folder, unsigned long child) const {
    int slot = SlotOfType(Header(folder).type);
    auto me = siblings[slot].find(child);
    return me == siblings[slot].end() || Links(child)[slot] != folder ? 0 : me->second.next;
}

unsigned long Core::ChildCount(unsigned long folder) const {
    auto list = children.find(folder);
    return list == children.end() ? 0 : list->second.count;
}

ChildList &Core::HashedChildren(unsigned long folder) const {
    ChildList &list = const_cast<Core *>(this)->children[folder];
    if (!list.hashed) {
        list.byName.reserve(list.count * 2);
        for (unsigned long child : ChildrenOf(folder))
            list.byName.emplace(NameKey(child), child);
        list.hashed = true;
    }
    return list;
}

unsigned long Core::FindChild(unsigned long folder, char const *name, int kind) const {
    auto found = children.find(folder);
    if (found == children.end())
        return 0;
    std::string key = FoldName(name, static_cast<unsigned long>(std::strlen(name)));
    auto wanted = [&](unsigned long child) { return kind == 0 || IsFolder(child) == (kind == 1); };
    if (found->second.count <= kLinearLookup && !found->second.hashed) {
        for (unsigned long child = found->second.first; child; child = NextChild(folder, child))
            if (wanted(child) && NameKey(child) == key)
                return child;
        return 0;
    }
    ChildList &list = HashedChildren(folder);
    auto range = list.byName.equal_range(key);
    unsigned long best = 0;
    for (auto it = range.first; it != range.second; ++it)
        if (wanted(it->second) && (best == 0 || it->second < best))
            best = it->second;
    return best;
}

// ---- persistence ----

std::string Core::Tables() const {
    std::string out;
    Put32(out, static_cast<unsigned long>(types.size()));
    for (TypeEntry const &t : types) {
        Put32(out, t.flags);
        Put32(out, static_cast<unsigned long>(t.slot));
        Put32(out, static_cast<unsigned long>(t.name.size()));
        out += t.name;
    }
    return out;
}

void Core::LoadTables(char const *data, unsigned long size) {
    Reader in{data, size};
    unsigned long count = in.U32();
    if (count > 32767)
        Damaged("its type table is damaged");
    types.clear();
    for (unsigned long i = 0; i < count && in.ok; ++i) {
        TypeEntry t;
        t.flags = static_cast<unsigned short>(in.U32());
        t.slot = static_cast<int>(in.U32());
        unsigned long length = in.U32();
        char const *name = in.Bytes(length);
        if (!in.ok || t.slot < -1 || t.slot >= DataBase::maxHierarchies)
            Damaged("its type table is damaged");
        t.name.assign(name, length);
        t.count = 0;
        types.push_back(t);
    }
    if (!in.ok)
        Damaged("its type table is damaged");
}

// Free slots at the end of the block are given back before a snapshot.
void Core::TrimBlock() {
    unsigned long end = used;
    while (end > kFirstId) {
        unsigned long last = end / 4 - 1;
        while (!starts[last])
            --last;
        if (Header(last * 4).flags & kLive)
            break;
        end = last * 4;
    }
    if (end == used)
        return;
    for (auto &sized : freeSlots)
        sized.second.erase(sized.second.lower_bound(end), sized.second.end());
    std::memset(base + end, 0, used - end);
    used = end;
    starts.resize(used / 4);
}

std::string Core::SnapshotPayload() {
    TrimBlock();
    // Rewrite the arena without its garbage when that is worth it.
    if (arenaGarbage > arena.size() / 4) {
        std::string packed;
        packed.reserve(arena.size() - arenaGarbage);
        for (unsigned long id = NextItem(0, 0); id; id = NextItem(id, 0)) {
            ItemHeader &h = Header(id);
            unsigned long offset = static_cast<unsigned long>(packed.size());
            packed.append(arena, h.varOffset, h.varLength);
            h.varOffset = offset;
        }
        arena.swap(packed);
        arenaGarbage = 0;
    }
    std::string tables = Tables();
    std::string out;
    out.reserve(12 + used + arena.size() + tables.size());
    Put32(out, used);
    Put32(out, static_cast<unsigned long>(arena.size()));
    Put32(out, static_cast<unsigned long>(tables.size()));
    out.append(base, used);
    out += arena;
    out += tables;
    return out;
}

void Core::LoadSnapshot(std::string const &payload) {
    Reader in{payload.data(), static_cast<unsigned long>(payload.size())};
    unsigned long blockSize = in.U32(), arenaSize = in.U32(), tablesSize = in.U32();
    char const *block = in.Bytes(blockSize);
    char const *arenaBytes = in.Bytes(arenaSize);
    char const *tables = in.Bytes(tablesSize);
    if (!in.ok || blockSize < kFirstId || (blockSize & 3))
        Damaged("its snapshot is malformed");
    EnsureBlock(blockSize);
    std::memcpy(base, block, blockSize);
    used = blockSize;
    arena.assign(arenaBytes, arenaSize);
    LoadTables(tables, tablesSize);
}

void Core::ApplyDelta(std::string const &payload) {
    Reader in{payload.data(), static_cast<unsigned long>(payload.size())};
    unsigned long blockSize = in.U32(), arenaBase = in.U32(), arenaLength = in.U32();
    unsigned long tablesSize = in.U32(), patches = in.U32();
    if (!in.ok || blockSize < used || (blockSize & 3) || arenaBase != arena.size())
        Damaged("a change record does not fit");
    EnsureBlock(blockSize);
    used = blockSize;
    for (unsigned long i = 0; i < patches && in.ok; ++i) {
        unsigned long offset = in.U32(), length = in.U32();
        char const *bytes = in.Bytes(length);
        if (!in.ok || offset > used || length > used - offset)
            Damaged("a change record does not fit");
        std::memcpy(base + offset, bytes, length);
    }
    char const *arenaBytes = in.Bytes(arenaLength);
    if (!in.ok)
        Damaged("a change record does not fit");
    arena.append(arenaBytes, arenaLength);
    if (tablesSize != kUnchanged) {
        char const *tables = in.Bytes(tablesSize);
        if (!in.ok)
            Damaged("a change record does not fit");
        LoadTables(tables, tablesSize);
    }
}

// Walks the block once: checks every slot, counts the types, collects the
// free slots and the hierarchy links.
void Core::BuildIndexes() {
    starts.assign(used / 4, false);
    freeSlots.clear();
    children.clear();
    for (auto &r : roots)
        r.clear();
    for (auto &s : siblings)
        s.clear();
    arenaGarbage = static_cast<unsigned long>(arena.size());
    std::vector<unsigned long> linked;
    for (unsigned long id = kFirstId; id < used;) {
        ItemHeader const &h = Header(id);
        if (h.slotSize < DataBase::headerSize || (h.slotSize & 3) || h.slotSize > used - id)
            Damaged("an item slot is damaged");
        starts[id / 4] = true;
        if (h.flags & kLive) {
            unsigned long header = (h.flags & kLinked) ? DataBase::linkedHeaderSize : DataBase::headerSize;
            if (h.type < 1 || h.type > types.size() || h.fixedSize < header || h.fixedSize > h.slotSize ||
                h.varOffset > arena.size() || h.varLength > arena.size() - h.varOffset)
                Damaged("an item is damaged");
            ++types[h.type - 1].count;
            arenaGarbage -= h.varLength;
            if (h.flags & kLinked)
                linked.push_back(id);
            else if (types[h.type - 1].slot >= 0)
                Damaged("a folder is damaged");
        } else {
            freeSlots[h.slotSize].insert(id);
        }
        id += h.slotSize;
    }
    for (unsigned long id : linked) {
        int own = SlotOfType(Header(id).type);
        for (int slot = 0; slot < DataBase::maxHierarchies; ++slot) {
            unsigned long parent = Links(id)[slot];
            if (parent != 0 && (!IsLive(parent) || SlotOfType(Header(parent).type) != slot ||
                                (own >= 0 && own != slot)))
                Damaged("a hierarchy link is damaged");
            Links(id)[slot] = 0;
            Link(id, slot, parent);
        }
    }
    CheckFolderChains(linked);
}

// Every walk upwards from a folder must reach a root: a chain that comes back
// to itself would make counting parents or building a path endless.
void Core::CheckFolderChains(std::vector<unsigned long> const &linked) const {
    enum { kWalking = 1, kRooted = 2 };
    std::unordered_map<unsigned long, int> mark;
    std::vector<unsigned long> trail;
    for (unsigned long folder : linked) {
        int slot = SlotOfType(Header(folder).type);
        if (slot < 0)
            continue;
        trail.clear();
        unsigned long at = folder;
        for (; at != 0 && mark[at] == 0; at = Links(at)[slot]) {
            mark[at] = kWalking;
            trail.push_back(at);
        }
        if (at != 0 && mark[at] == kWalking)
            Damaged("its folders form a loop");
        for (unsigned long walked : trail)
            mark[walked] = kRooted;
    }
}

// Runs one write of the file; afterwards the file holds what memory holds. After
// a failed write the file's state is not known here, so no more changes are taken.
template <class Write>
void Core::Persist(Write write) {
    try {
        write();
    } catch (...) {
        state |= DataBase::stateFailed;
        throw;
    }
    shadow.assign(base, used);
    arenaCommitted = static_cast<unsigned long>(arena.size());
    tablesDirty = false;
}

void Core::Commit() {
    if (!file || (state & (DataBase::stateReadOnly | DataBase::stateFailed)))
        return;
    std::string patches;
    unsigned long patchCount = 0;
    unsigned long oldSize = static_cast<unsigned long>(shadow.size());
    auto differs = [&](unsigned long at) {
        return std::memcmp(base + at, shadow.data() + at, std::min(kPage, oldSize - at)) != 0;
    };
    for (unsigned long at = 0; at < oldSize;) {
        if (!differs(at)) {
            at += kPage;
            continue;
        }
        unsigned long start = at;
        while (at < oldSize && differs(at))
            at += kPage;
        unsigned long end = std::min(at, oldSize);
        Put32(patches, start);
        Put32(patches, end - start);
        patches.append(base + start, end - start);
        ++patchCount;
    }
    if (used > oldSize) {
        Put32(patches, oldSize);
        Put32(patches, used - oldSize);
        patches.append(base + oldSize, used - oldSize);
        ++patchCount;
    }
    unsigned long arenaAdded = static_cast<unsigned long>(arena.size()) - arenaCommitted;
    if (patchCount == 0 && arenaAdded == 0 && !tablesDirty)
        return;
    std::string tables = tablesDirty ? Tables() : std::string();
    unsigned long deltaSize = 20 + static_cast<unsigned long>(patches.size()) + arenaAdded +
                              static_cast<unsigned long>(tables.size());
    if (file->DeltaBytes() + deltaSize > std::max(file->SnapshotBytes(), 256UL << 10))
        return Snapshot();
    std::string delta;
    delta.reserve(deltaSize);
    Put32(delta, used);
    Put32(delta, arenaCommitted);
    Put32(delta, arenaAdded);
    Put32(delta, tablesDirty ? static_cast<unsigned long>(tables.size()) : kUnchanged);
    Put32(delta, patchCount);
    delta += patches;
    delta.append(arena, arenaCommitted, arenaAdded);
    delta += tables;
    Persist([&] { file->CommitDelta(delta); });
}

void Core::Snapshot() {
    Persist([&] { file->CommitSnapshot(SnapshotPayload()); });
}

void Core::Damaged(char const *why) const {
    Fail("The database \"" + file->Path() + "\" is damaged (" + why + ") and cannot be opened.");
}

}  // namespace quorrel
