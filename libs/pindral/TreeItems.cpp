#include "pindral/TreeItems.h"

#include <algorithm>

namespace pindral {

void TreeItems::Clear() {
    items_.clear();
    joined_ = false;
}

int TreeItems::Add(char const *text) {
    items_.emplace_back();
    items_.back().cells.assign(1, text ? text : "");
    joined_ = false;
    return Count() - 1;
}

void TreeItems::SetLevel(int item, int level) {
    items_[item].level = std::max(0, std::min(level, int(PINDRAL_MAX_LEVEL)));
    joined_ = false;
}

void TreeItems::SetExpanded(int item, bool expanded) {
    items_[item].expanded = expanded;
    joined_ = false;
}

std::string const &TreeItems::Cell(int item, int logical) const {
    static std::string const empty;
    std::vector<std::string> const &cells = items_[item].cells;
    return logical >= 0 && logical < int(cells.size()) ? cells[logical] : empty;
}

void TreeItems::SetCell(int item, int logical, char const *text) {
    std::vector<std::string> &cells = items_[item].cells;
    if (logical >= int(cells.size()))
        cells.resize(logical + 1);
    cells[logical] = text ? text : "";
}

int TreeItems::Parent(int item) const {
    Join();
    return parent_[item];
}

bool TreeItems::HasChildren(int item) const {
    return item + 1 < Count() && items_[item + 1].level > items_[item].level;
}

bool TreeItems::HasNextSibling(int item) const {
    Join();
    return nextSibling_[item] != 0;
}

int TreeItems::AncestorAt(int item, int level) const {
    Join();
    int a = parent_[item];
    while (a != PINDRAL_NONE && items_[a].level > level)
        a = parent_[a];
    return a != PINDRAL_NONE && items_[a].level == level ? a : PINDRAL_NONE;
}

std::vector<int> const &TreeItems::Shown() const {
    Join();
    return shown_;
}

int TreeItems::RowOf(int item) const {
    Join();
    return rowOf_[item];
}

int TreeItems::ShownSelfOrAncestor(int item) const {
    Join();
    while (item != PINDRAL_NONE && rowOf_[item] == PINDRAL_NONE)
        item = parent_[item];
    return item;
}

void TreeItems::Join() const {
    if (joined_)
        return;
    int n = Count();
    parent_.assign(n, PINDRAL_NONE);
    rowOf_.assign(n, PINDRAL_NONE);
    nextSibling_.assign(n, 0);
    shown_.clear();
    // Forward: the open ancestors of each item lie on a stack of rising levels.
    std::vector<int> open;
    for (int i = 0; i < n; ++i) {
        while (!open.empty() && items_[open.back()].level >= items_[i].level)
            open.pop_back();
        int p = open.empty() ? PINDRAL_NONE : open.back();
        parent_[i] = p;
        if (p == PINDRAL_NONE || (rowOf_[p] != PINDRAL_NONE && items_[p].expanded)) {
            rowOf_[i] = int(shown_.size());
            shown_.push_back(i);
        }
        open.push_back(i);
    }
    // Backward: whether an item of a level was met since the last item of a lower one.
    std::vector<char> seen(PINDRAL_MAX_LEVEL + 1, 0);
    for (int i = n - 1; i >= 0; --i) {
        int level = items_[i].level;
        nextSibling_[i] = seen[level];
        seen[level] = 1;
        std::fill(seen.begin() + level + 1, seen.end(), 0);
    }
    joined_ = true;
}

}  // namespace pindral
