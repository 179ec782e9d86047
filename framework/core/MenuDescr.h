// A menu bar read as six groups of top-level items, merged group by group into a
// frame's menu: the child's group where it has one, the frame's own where the
// child's count is 0, nothing where it is negative.
#pragma once

#include "core/Menu.h"

class TModule;

class VELTRANE_API TMenuDescr : public TMenu {
public:
    enum TGroup { FileGroup, EditGroup, ContainerGroup, ObjectGroup, WindowGroup, HelpGroup, NumGroups };

    TMenuDescr();
    TMenuDescr(TMenuDescr const &other);
    TMenuDescr(TResId id, int fg, int eg, int cg, int og, int wg, int hg, long removeMask = 0, TModule *module = 0);
    TMenuDescr(TResId id, TModule *module = 0);
    TMenuDescr(HMENU handle, int fg, int eg, int cg, int og, int wg, int hg, long removeMask = 0,
               TModule *module = 0);
    ~TMenuDescr() override;
    TMenuDescr &operator=(TMenuDescr const &other);

    HMENU GetHandle() const override { return Handle; }
    TModule *GetModule() const { return Module; }
    void SetModule(TModule *module) { Module = module; }
    TResId GetId() const { return Id; }
    int GetGroupCount(int index) const { return GroupCount[index]; }

    // Merges a child's description into this menu in place.
    bool Merge(TMenuDescr const &other);
    // Builds the merged menu by appending to another (empty) menu; this one is unchanged.
    bool Merge(TMenuDescr const &other, TMenu &result) const;

protected:
    // Reads the groups from the separators; false when the menu has none.
    bool ExtractGroups(long removeMask);
    void SetCounts(int fg, int eg, int cg, int og, int wg, int hg);

    TModule *Module;
    TResId Id;
    int GroupCount[NumGroups];
};
