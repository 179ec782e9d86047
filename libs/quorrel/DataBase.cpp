#include "quorrel/DataBase.h"

#include <algorithm>
#include <cstring>

#include "quorrel/Core.h"
#include "quorrel/Failure.h"
#include "malvane/Malvane.h"

using quorrel::Core;
using quorrel::ItemHeader;

DataBase::DataBase(FileName const &fileName, char const *identifier, long mode, unsigned long growBy)
    : core_(new Core(*this, fileName, identifier, mode, growBy)) {}

DataBase::~DataBase() {
    try {
        core_->Commit();
    } catch (...) {
        // the state word already tells; a destructor cannot report more
    }
    delete core_;
}

int DataBase::WasCreated() const { return core_->file->Created(); }
long DataBase::GetState() const { return core_->state; }
char const *DataBase::GetFileName() const { return core_->file->Path().c_str(); }

short DataBase::RegisterType(char const *name, unsigned short flags) {
    if (short known = FindType(name)) {
        if (core_->types[known - 1].slot >= 0)
            quorrel::Fail(std::string("\"") + name + "\" is registered as a hierarchy, not as an item type.");
        return known;
    }
    core_->CheckWritable();
    if (!name || !*name || core_->types.size() >= 32767)
        quorrel::Fail("An item type needs a name.");
    Batch batch(*this);
    core_->types.push_back(quorrel::TypeEntry{name, flags, -1, 0});
    core_->tablesDirty = true;
    batch.End();
    return static_cast<short>(core_->types.size());
}

short DataBase::FindType(char const *name) const {
    if (!name)
        return 0;
    for (size_t i = 0; i < core_->types.size(); ++i)
        if (core_->types[i].name == name)
            return static_cast<short>(i + 1);
    return 0;
}

ItemTypeInfo DataBase::GetItemInfo(short type) const {
    quorrel::TypeEntry const &t = core_->Type(type);
    return ItemTypeInfo{t.name.c_str(), t.flags, t.count};
}

char *DataBase::GetItemBase() const { return core_->base; }
int DataBase::IsItem(unsigned long id) const { return core_->IsLive(id); }

short DataBase::GetType(unsigned long id) const {
    core_->CheckItem(id);
    return core_->Header(id).type;
}

unsigned short DataBase::GetFixedSize(unsigned long id) const {
    core_->CheckItem(id);
    return core_->Header(id).fixedSize;
}

unsigned long DataBase::Add(BaseItem const *item) {
    core_->CheckWritable();
    if (!item)
        quorrel::Fail("No item to add.");
    if (core_->SlotOfType(reinterpret_cast<ItemHeader const *>(item)->type) >= 0)
        quorrel::Fail("Folders are made with CreateFolder, not added as items.");
    Batch batch(*this);
    unsigned long id = core_->AddItem(item);
    SetChecksum(id);
    batch.End();
    return id;
}

unsigned long DataBase::Update(unsigned long id, BaseItem const *item) {
    core_->CheckWritable();
    if (!item)
        quorrel::Fail("No item to store.");
    Batch batch(*this);
    core_->UpdateItem(id, item);
    SetChecksum(id);
    batch.End();
    return id;
}

BaseItem *DataBase::GetCopy(unsigned long id) const {
    core_->CheckItem(id);
    ItemHeader const &h = core_->Header(id);
    char *copy = static_cast<char *>(NH_Heap::GetDefault().Alloc(h.fixedSize + h.varLength, 0));
    std::memcpy(copy, core_->base + id, h.fixedSize);
    std::memcpy(copy + h.fixedSize, core_->arena.data() + h.varOffset, h.varLength);
    ItemHeader *copied = reinterpret_cast<ItemHeader *>(copy);
    copied->varOffset = 0;
    copied->slotSize = h.fixedSize;
    return reinterpret_cast<BaseItem *>(copy);
}

short DataBase::GetItemType(BaseItem const *item) { return reinterpret_cast<ItemHeader const *>(item)->type; }

void DataBase::SetItemType(BaseItem *item, short type) { reinterpret_cast<ItemHeader *>(item)->type = type; }

void DataBase::DeleteAll(short type) {
    core_->CheckWritable();
    core_->Type(type);
    Batch batch(*this);
    std::vector<unsigned long> ids;
    for (unsigned long id = core_->NextItem(0, type); id; id = core_->NextItem(id, type))
        ids.push_back(id);
    // folders of a hierarchy: their items stay, unlinked from it
    int slot = core_->SlotOfType(type);
    if (slot >= 0)
        for (unsigned long id : ids) {
            for (unsigned long child : core_->ChildrenOf(id))
                core_->Unlink(child, slot);
        }
    for (unsigned long id : ids)
        if (core_->IsLive(id))
            Erase(id);
    batch.End();
}

int DataBase::GetVarData(unsigned long id, short field, void *buffer, unsigned long *size) const {
    core_->CheckItem(id);
    unsigned long offset, length;
    if (!core_->FindField(id, field, offset, length)) {
        if (size)
            *size = 0;
        return 0;
    }
    if (buffer && size)
        std::memcpy(buffer, core_->arena.data() + offset, std::min(*size, length));
    if (size)
        *size = length;
    return 1;
}

void *DataBase::LoadVarData(unsigned long id, short field, unsigned long *size) const {
    core_->CheckItem(id);
    unsigned long offset, length;
    if (!core_->FindField(id, field, offset, length)) {
        if (size)
            *size = 0;
        return nullptr;
    }
    // one spare zero byte, so that a text field can be used as a C string
    char *copy = static_cast<char *>(NH_Heap::GetDefault().Alloc(length + 1, 0));
    std::memcpy(copy, core_->arena.data() + offset, length);
    copy[length] = 0;
    if (size)
        *size = length;
    return copy;
}

void DataBase::UpdateVarData(unsigned long id, short field, void const *data, unsigned long size) {
    core_->CheckWritable();
    core_->CheckItem(id);
    if (!data && size)
        quorrel::Fail("No data for the variable field.");
    Batch batch(*this);
    core_->SetField(id, field, data, size, false);
    batch.End();
}

String DataBase::GetVarString(unsigned long id, short field) const {
    core_->CheckItem(id);
    unsigned long offset, length;
    if (!core_->FindField(id, field, offset, length))
        return String();
    return String(core_->arena.data() + offset, 0, length);
}

void DataBase::UpdateVarString(unsigned long id, short field, String const &text) {
    UpdateVarData(id, field, text.c_str(), text.GetLength());
}

void DataBase::RemoveVarField(unsigned long id, short field) {
    core_->CheckWritable();
    core_->CheckItem(id);
    Batch batch(*this);
    core_->SetField(id, field, nullptr, 0, true);
    batch.End();
}

unsigned long DataBase::GetFirst(short type) const { return core_->NextItem(0, type); }

unsigned long DataBase::GetNext(unsigned long id, short type) const {
    // An erased item at the end may have been given back with the free space
    // after it by a commit since: nothing follows it then.
    if (id == 0 || id >= core_->used)
        return 0;
    if (!core_->starts[id / 4])
        quorrel::Fail("The database has no item " + std::to_string(id) + ".");
    return core_->NextItem(id, type);
}

// The items are listed first: items the visitor adds are not visited, so a
// visitor that copies items of the type it walks comes to an end.
unsigned long DataBase::ForEach(short type, ItemVisitor visit, void *context) {
    std::vector<unsigned long> ids;
    for (unsigned long id = core_->NextItem(0, type); id; id = core_->NextItem(id, type))
        ids.push_back(id);
    return core_->Visit(ids, visit, context,
                        [&](unsigned long id) { return type == 0 || core_->Header(id).type == type; });
}

void DataBase::Commit() { core_->Commit(); }

void DataBase::BeginBatch() { ++core_->batchDepth; }

void DataBase::EndBatch() {
    if (core_->batchDepth > 0 && --core_->batchDepth == 0)
        core_->Commit();
}

void DataBase::Erase(unsigned long id) {
    core_->CheckWritable();
    Batch batch(*this);
    core_->EraseItem(id);
    batch.End();
}

void DataBase::OnMove(char const *, char *) {}

unsigned short DataBase::GetClientDataOffset(short) const { return headerSize; }

int DataBase::IsChecksumOk(unsigned long id) const {
    core_->CheckItem(id);
    ItemHeader const &h = core_->Header(id);
    unsigned long offset = core_->HeaderSizeOf(id);
    return h.checksum == quorrel::Crc32(core_->base + id + offset, h.fixedSize - offset);
}

void DataBase::SetChecksum(unsigned long id) {
    core_->CheckItem(id);
    ItemHeader &h = core_->Header(id);
    unsigned long offset = core_->HeaderSizeOf(id);
    h.checksum = quorrel::Crc32(core_->base + id + offset, h.fixedSize - offset);
}

DataBase::Finder::Finder(DataBase const &db, short type) : db_(db), type_(type), current_(0) {}

unsigned long DataBase::Finder::GetFirst() {
    current_ = db_.core_->NextItem(0, type_);
    return current_;
}

unsigned long DataBase::Finder::GetNext() {
    if (current_ != 0)
        current_ = db_.core_->NextItem(current_, type_);
    return current_;
}

DataBase::Batch::Batch(DataBase &db) : db_(&db) { db.BeginBatch(); }

DataBase::Batch::~Batch() {
    if (db_) {
        try {
            db_->EndBatch();
        } catch (...) {
            // the state word tells
        }
    }
}

void DataBase::Batch::End() {
    DataBase *db = db_;
    db_ = nullptr;
    db->EndBatch();
}
