#include "core/MenuDescr.h"

#include "core/Module.h"

#include <vector>

namespace {
TModule *OrLibrary(TModule *module) { return module ? module : &VeltraneLibraryModule(); }
HMENU LoadFrom(TModule *module, TResId id) { return ::LoadMenuA(OrLibrary(module)->GetHandle(), id); }
}  // namespace

TMenuDescr::TMenuDescr() : TMenu(AutoDelete), Module(&VeltraneLibraryModule()) { SetCounts(0, 0, 0, 0, 0, 0); }

TMenuDescr::TMenuDescr(TMenuDescr const &other)
    : TMenu(other, AutoDelete), Module(other.Module), Id(other.Id) {
    for (int i = 0; i < NumGroups; ++i)
        GroupCount[i] = other.GroupCount[i];
}

TMenuDescr::TMenuDescr(TResId id, int fg, int eg, int cg, int og, int wg, int hg, long removeMask, TModule *module)
    : TMenu(LoadFrom(module, id), AutoDelete), Module(OrLibrary(module)), Id(id) {
    CheckValid();
    SetCounts(fg, eg, cg, og, wg, hg);
    ExtractGroups(removeMask);
}

TMenuDescr::TMenuDescr(TResId id, TModule *module)
    : TMenu(LoadFrom(module, id), AutoDelete), Module(OrLibrary(module)), Id(id) {
    CheckValid();
    SetCounts(0, 0, 0, 0, 0, 0);
    ExtractGroups(0);
}

TMenuDescr::TMenuDescr(HMENU handle, int fg, int eg, int cg, int og, int wg, int hg, long removeMask,
                       TModule *module)
    : TMenu(handle, NoAutoDelete), Module(OrLibrary(module)) {
    SetCounts(fg, eg, cg, og, wg, hg);
    ExtractGroups(removeMask);
}

TMenuDescr::~TMenuDescr() {}

TMenuDescr &TMenuDescr::operator=(TMenuDescr const &other) {
    TMenu::operator=(other);
    Module = other.Module;
    Id = other.Id;
    for (int i = 0; i < NumGroups; ++i)
        GroupCount[i] = other.GroupCount[i];
    return *this;
}

void TMenuDescr::SetCounts(int fg, int eg, int cg, int og, int wg, int hg) {
    int const counts[NumGroups] = {fg, eg, cg, og, wg, hg};
    for (int i = 0; i < NumGroups; ++i)
        GroupCount[i] = counts[i];
}

bool TMenuDescr::ExtractGroups(long removeMask) {
    if (!Handle)
        return false;
    if (removeMask) {
        // Visit the items once in their first order: remember the handles' places.
        int count = GetMenuItemCount();
        std::vector<bool> remove(count);
        for (int n = 0; n < count; ++n)
            remove[n] = (removeMask >> (n % 32)) & 1;
        for (int n = count - 1; n >= 0; --n)
            if (remove[n])
                DeleteMenu(n, MF_BYPOSITION);
    }
    int groups[NumGroups], recorded = 0, running = 0;
    bool found = false;
    for (int pos = 0; pos < GetMenuItemCount();) {
        uint state = GetMenuState(pos, MF_BYPOSITION);
        if ((state & MF_SEPARATOR) && !(state & MF_POPUP)) {
            found = true;
            if (recorded < NumGroups)
                groups[recorded++] = running;
            DeleteMenu(pos, MF_BYPOSITION);
            running = 0;
        } else {
            ++running;
            ++pos;
        }
    }
    if (!found)
        return false;
    if (recorded < NumGroups)
        groups[recorded++] = running;
    while (recorded < NumGroups)
        groups[recorded++] = 0;
    for (int i = 0; i < NumGroups; ++i)
        GroupCount[i] = groups[i];
    return true;
}

bool TMenuDescr::Merge(TMenuDescr const &other) {
    int dstOffset = 0, srcOffset = 0;
    for (int i = 0; i < NumGroups; ++i) {
        int childCount = other.GroupCount[i];
        if (childCount != 0) {
            for (int pos = dstOffset + GroupCount[i] - 1; pos >= dstOffset; --pos)
                DeleteMenu(pos, MF_BYPOSITION);
            GroupCount[i] = 0;
            if (childCount > 0) {
                DeepCopy(*this, dstOffset, other, srcOffset, childCount);
                srcOffset += childCount;
            }
            GroupCount[i] = childCount;
        }
        if (GroupCount[i] > 0)
            dstOffset += GroupCount[i];
    }
    return true;
}

bool TMenuDescr::Merge(TMenuDescr const &other, TMenu &result) const {
    int childOffset = 0, ownOffset = 0;
    for (int i = 0; i < NumGroups; ++i) {
        int childCount = other.GroupCount[i], ownCount = GroupCount[i];
        if (childCount > 0) {
            DeepCopy(result, -1, other, childOffset, childCount);
            childOffset += childCount;
        } else if (childCount == 0 && ownCount > 0) {
            DeepCopy(result, -1, *this, ownOffset, ownCount);
        }
        if (ownCount > 0)
            ownOffset += ownCount;
    }
    return true;
}
