#include "quorrel/HDataBase.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "quorrel/Core.h"
#include "quorrel/Failure.h"

using quorrel::Core;
using quorrel::Fail;

namespace {

// The items (folders false) or sub-folders (folders true) below a folder;
// sub-folders come after everything below them.
void Collect(Core const &core, unsigned long folder, bool folders, bool recursive,
             std::vector<unsigned long> &out) {
    for (unsigned long child : core.ChildrenOf(folder)) {
        bool isFolder = core.IsFolder(child);
        if (isFolder && recursive)
            Collect(core, child, folders, true, out);
        if (isFolder == folders)
            out.push_back(child);
    }
}

}  // namespace

HDataBase::HDataBase(FileName const &fileName, char const *identifier, long mode, unsigned long growBy)
    : DataBase(fileName, identifier, mode, growBy) {}

HDataBase::~HDataBase() {}

short HDataBase::RegisterHierarchy(char const *name) {
    if (short known = FindType(name)) {
        if (core_->types[known - 1].slot < 0)
            Fail(std::string("\"") + name + "\" is registered as an item type, not as a hierarchy.");
        return known;
    }
    core_->CheckWritable();
    int slots = 0;
    for (quorrel::TypeEntry const &t : core_->types)
        slots += t.slot >= 0;
    if (!name || !*name || slots >= maxHierarchies || core_->types.size() >= 32767)
        Fail("A database holds at most " + std::to_string(int(maxHierarchies)) + " named hierarchies.");
    Batch batch(*this);
    core_->types.push_back(quorrel::TypeEntry{name, 0, slots, 0});
    core_->tablesDirty = true;
    batch.End();
    return static_cast<short>(core_->types.size());
}

unsigned long HDataBase::GetFirstItemInHierarchy(short hierarchy) const {
    int slot = core_->Type(hierarchy).slot;
    if (slot < 0)
        Fail("The type " + std::to_string(hierarchy) + " is not a hierarchy.");
    std::vector<unsigned long> const &roots = core_->roots[slot];
    return roots.empty() ? 0 : *std::min_element(roots.begin(), roots.end());
}

int HDataBase::FolderSlot(unsigned long folder) const {
    core_->CheckItem(folder);
    if (!core_->IsFolder(folder))
        Fail("The item " + std::to_string(folder) + " is not a folder.");
    return core_->SlotOfType(core_->Header(folder).type);
}

int HDataBase::SlotFor(unsigned long id, int which) const {
    core_->CheckItem(id);
    short type = core_->Header(id).type;
    int slot = core_->IsFolder(id) ? core_->SlotOfType(type) : core_->SlotOfType(HierarchyFor(type, which));
    if (slot < 0)
        Fail("No hierarchy answers to the selector " + std::to_string(which) + ".");
    return slot;
}

unsigned long HDataBase::CreateFolder(short hierarchy, unsigned long parent, String const &name) {
    core_->CheckWritable();
    int slot = core_->Type(hierarchy).slot;
    if (slot < 0)
        Fail("The type " + std::to_string(hierarchy) + " is not a hierarchy.");
    if (parent != 0 && FolderSlot(parent) != slot)
        Fail("A folder can only be made below a folder of its own hierarchy.");
    unsigned long length = name.GetLength();
    std::vector<char> item(folderSize + 6 + length, 0);
    quorrel::ItemHeader &h = *reinterpret_cast<quorrel::ItemHeader *>(item.data());
    h.type = hierarchy;
    h.fixedSize = folderSize;
    h.varLength = 6 + length;
    short field = nameField;
    std::memcpy(&item[folderSize], &field, 2);
    std::memcpy(&item[folderSize + 2], &length, 4);
    if (length)
        std::memcpy(&item[folderSize + 6], name.c_str(), length);
    Batch batch(*this);
    unsigned long id = core_->AddItem(reinterpret_cast<BaseItem const *>(item.data()));
    core_->Link(id, slot, parent);
    SetChecksum(id);
    batch.End();
    return id;
}

unsigned long HDataBase::FindFolder(unsigned long parent, String const &name) const {
    FolderSlot(parent);
    return core_->FindChild(parent, name.c_str(), 1);
}

unsigned long HDataBase::CreatePath(unsigned long folder, String const &path) {
    FolderSlot(folder);
    short hierarchy = core_->Header(folder).type;
    Batch batch(*this);
    std::string rest = path.c_str();
    size_t start = 0;
    while (start <= rest.size()) {
        size_t end = rest.find('\\', start);
        if (end == std::string::npos)
            end = rest.size();
        std::string part = rest.substr(start, end - start);
        if (!part.empty()) {
            unsigned long next = core_->FindChild(folder, part.c_str(), 1);
            folder = next ? next : CreateFolder(hierarchy, folder, part.c_str());
        }
        start = end + 1;
    }
    batch.End();
    return folder;
}

unsigned long HDataBase::FindItem(unsigned long folder, String const &name) const {
    FolderSlot(folder);
    return core_->FindChild(folder, name.c_str(), 2);
}

int HDataBase::RenameFolder(unsigned long folder, String const &name) {
    int slot = FolderSlot(folder);
    core_->CheckWritable();
    unsigned long parent = core_->Links(folder)[slot];
    unsigned long other = parent ? core_->FindChild(parent, name.c_str(), 1) : 0;
    if (other != 0 && other != folder)
        return 0;
    UpdateVarString(folder, nameField, name);
    return 1;
}

void HDataBase::RenameItem(unsigned long id, String const &name) { UpdateVarString(id, nameField, name); }

String HDataBase::GetFolderName(unsigned long folder) const {
    FolderSlot(folder);
    return GetVarString(folder, nameField);
}

String HDataBase::GetPath(unsigned long id, int which) const {
    int slot = SlotFor(id, which);
    std::vector<unsigned long> chain;
    if (core_->Header(id).flags & quorrel::kLinked)
        for (unsigned long at = core_->Links(id)[slot]; at != 0 && core_->Links(at)[slot] != 0;
             at = core_->Links(at)[slot])
            chain.push_back(at);
    std::string path;
    for (auto at = chain.rbegin(); at != chain.rend(); ++at) {
        if (!path.empty())
            path += '\\';
        path += core_->Name(*at);
    }
    return String(path.c_str());
}

int HDataBase::IsFolder(unsigned long id) const { return core_->IsLive(id) && core_->IsFolder(id); }

void HDataBase::SetParent(unsigned long id, unsigned long folder) {
    core_->CheckWritable();
    int slot = FolderSlot(folder);
    core_->CheckItem(id);
    if (!(core_->Header(id).flags & quorrel::kLinked))
        Fail("Items of this type cannot be filed in a hierarchy.");
    if (core_->IsFolder(id)) {
        if (core_->SlotOfType(core_->Header(id).type) != slot)
            Fail("A folder cannot move to another hierarchy.");
        for (unsigned long up = folder; up; up = core_->Links(up)[slot])
            if (up == id)
                Fail("A folder cannot move below itself.");
    }
    Batch batch(*this);
    core_->Link(id, slot, folder);
    batch.End();
}

void HDataBase::ChangeParent(unsigned long id, unsigned long folder) { SetParent(id, folder); }

void HDataBase::DetachFromParent(unsigned long id, int which) {
    core_->CheckWritable();
    int slot = SlotFor(id, which);
    if (!(core_->Header(id).flags & quorrel::kLinked))
        return;
    Batch batch(*this);
    if (core_->IsFolder(id))
        core_->Link(id, slot, 0);   // a detached folder becomes a root
    else
        core_->Unlink(id, slot);
    batch.End();
}

unsigned long HDataBase::GetItemParent(unsigned long id, int which) const {
    int slot = SlotFor(id, which);
    return (core_->Header(id).flags & quorrel::kLinked) ? core_->Links(id)[slot] : 0;
}

int HDataBase::GetNumParent(unsigned long id, int which) const {
    int slot = SlotFor(id, which);
    if (!(core_->Header(id).flags & quorrel::kLinked))
        return 0;
    int count = 0;
    for (unsigned long up = core_->Links(id)[slot]; up; up = core_->Links(up)[slot])
        ++count;
    return count;
}

unsigned long HDataBase::GetNumChildren(unsigned long folder) const {
    FolderSlot(folder);
    return core_->ChildCount(folder);
}

int HDataBase::HasChildren(unsigned long folder) const {
    FolderSlot(folder);
    short hierarchy = core_->Header(folder).type;
    for (unsigned long child = GetFirstChild(folder); child; child = core_->NextChild(folder, child))
        if (core_->IsFolder(child) || IsLeafAllowed(core_->Header(child).type, hierarchy))
            return 1;
    return 0;
}

int HDataBase::HasFolderChildren(unsigned long folder) const {
    FolderSlot(folder);
    for (unsigned long child = GetFirstChild(folder); child; child = core_->NextChild(folder, child))
        if (core_->IsFolder(child))
            return 1;
    return 0;
}

unsigned long HDataBase::GetFirstChild(unsigned long folder) const {
    FolderSlot(folder);
    auto list = core_->children.find(folder);
    return list == core_->children.end() ? 0 : list->second.first;
}

unsigned long HDataBase::GetNextChild(unsigned long folder, unsigned long child) const {
    FolderSlot(folder);
    core_->CheckItem(child);
    return core_->NextChild(folder, child);
}

unsigned long HDataBase::ForEachItem(unsigned long folder, ItemVisitor visit, void *context, int recursive) {
    return VisitBelow(folder, false, visit, context, recursive);
}

unsigned long HDataBase::ForEachFolder(unsigned long folder, ItemVisitor visit, void *context, int recursive) {
    return VisitBelow(folder, true, visit, context, recursive);
}

unsigned long HDataBase::VisitBelow(unsigned long folder, bool folders, ItemVisitor visit, void *context,
                                    int recursive) {
    FolderSlot(folder);
    std::vector<unsigned long> ids;
    Collect(*core_, folder, folders, recursive != 0, ids);
    return core_->Visit(ids, visit, context, [&](unsigned long id) { return core_->IsFolder(id) == folders; });
}

void HDataBase::DeleteTree(unsigned long folder) {
    core_->CheckWritable();
    FolderSlot(folder);
    std::vector<unsigned long> items, folders;
    Collect(*core_, folder, false, true, items);
    Collect(*core_, folder, true, true, folders);
    folders.push_back(folder);
    Batch batch(*this);
    for (unsigned long id : items)
        if (core_->IsLive(id))
            Erase(id);
    for (unsigned long id : folders)
        Erase(id);
    batch.End();
}

unsigned short HDataBase::GetClientDataOffset(short type) const {
    return ClassifyType(type) != 0 ? static_cast<unsigned short>(linkedHeaderSize)
                                   : static_cast<unsigned short>(headerSize);
}

int HDataBase::IsHierarchyNumber(short number) const { return core_->SlotOfType(number) >= 0; }

int HDataBase::IsLeafAllowed(short type, short) const { return !IsHierarchyNumber(type); }

short HDataBase::HierarchyFor(short type, int which) const {
    if (IsHierarchyNumber(type))
        return type;
    for (size_t i = 0; i < core_->types.size(); ++i)
        if (core_->types[i].slot == which)
            return static_cast<short>(i + 1);
    return 0;
}

int HDataBase::ClassifyType(short type) const { return IsHierarchyNumber(type) ? 1 : 2; }
