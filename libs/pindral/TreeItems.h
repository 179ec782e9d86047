// The items of a tree: their texts, levels, images and colours, which of them are shown
// (every ancestor expanded), and how they join (parents, children, siblings).
#pragma once

#include "pindral/Pindral.h"

#include <string>
#include <vector>

namespace pindral {

struct Item {
    std::string label;
    std::vector<std::string> cells;  // by logical column; cell 0 is the item's text
    int level = 0;
    int image = PINDRAL_NONE;
    COLORREF back = PINDRAL_DEFAULT_COLOR;
    COLORREF labelBack = PINDRAL_DEFAULT_COLOR;
    bool expanded = true;
};

class TreeItems {
public:
    int Count() const { return int(items_.size()); }
    bool Has(int item) const { return item >= 0 && item < Count(); }
    Item const &operator[](int item) const { return items_[item]; }

    void Clear();
    int Add(char const *text);
    void SetLevel(int item, int level);
    void SetExpanded(int item, bool expanded);
    // The mutable parts that do not change which items are shown.
    Item &Edit(int item) { return items_[item]; }

    // The cell of a logical column ("" when never set).
    std::string const &Cell(int item, int logical) const;
    void SetCell(int item, int logical, char const *text);

    int Parent(int item) const;
    bool HasChildren(int item) const;
    bool HasNextSibling(int item) const;
    // The nearest ancestor at a level, PINDRAL_NONE when a level is skipped.
    int AncestorAt(int item, int level) const;

    // Shown items in order; the row of an item among them, PINDRAL_NONE when hidden.
    std::vector<int> const &Shown() const;
    int RowOf(int item) const;
    // The item itself when shown, else its nearest shown ancestor.
    int ShownSelfOrAncestor(int item) const;

private:
    // Who joins whom and what is shown, worked out again after a change.
    void Join() const;

    std::vector<Item> items_;
    mutable bool joined_ = true;
    mutable std::vector<int> parent_;
    mutable std::vector<char> nextSibling_;
    mutable std::vector<int> shown_;
    mutable std::vector<int> rowOf_;
};

}  // namespace pindral
