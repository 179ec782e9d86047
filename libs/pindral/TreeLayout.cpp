#include "pindral/TreeLayout.h"

#include <algorithm>

namespace pindral {

namespace {

int const kDefaultColumnWidth = 200;
int const kMinRowHeight = 16;

bool Inside(RECT const &r, POINT p) { return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom; }

}  // namespace

TreeLayout::TreeLayout() {
    look_.options = PINDRAL_SHOW_LINES | PINDRAL_SHOW_BUTTONS | PINDRAL_SHOW_HEADER;
    look_.labelWidth = 0;
    look_.indent = 16;
    look_.background = GetSysColor(COLOR_WINDOW);
    look_.text = GetSysColor(COLOR_WINDOWTEXT);
    look_.lines = RGB(128, 128, 128);
    look_.caretBack = GetSysColor(COLOR_HIGHLIGHT);
    look_.caretText = GetSysColor(COLOR_HIGHLIGHTTEXT);
    look_.dropBack = RGB(255, 224, 160);
    look_.headerBack = GetSysColor(COLOR_BTNFACE);
    look_.headerText = GetSysColor(COLOR_BTNTEXT);
    look_.labelBack = GetSysColor(COLOR_BTNFACE);
    PindralColumn tree = {"", kDefaultColumnWidth, 1};
    SetColumns(&tree, 1);
}

void TreeLayout::SetLook(PindralLook const &look) {
    look_ = look;
    look_.labelWidth = std::max(0, look_.labelWidth);
    look_.indent = std::max(4, look_.indent);
    SetMetrics(textHeight_, imageSize_);
}

void TreeLayout::SetColumns(PindralColumn const *columns, int count) {
    columns_.assign(std::max(1, count), Column());
    shown_.clear();
    for (int i = 0; i < count; ++i) {
        columns_[i].caption = columns[i].caption ? columns[i].caption : "";
        columns_[i].width = std::max(0, columns[i].width);
        columns_[i].shown = columns[i].shown != 0;
    }
    columns_[0].shown = true;
    for (int i = 0; i < ColumnCount(); ++i)
        if (columns_[i].shown)
            shown_.push_back(i);
}

int TreeLayout::TreeColumnOf(int logical) const {
    auto at = std::find(shown_.begin(), shown_.end(), logical);
    return at == shown_.end() ? int(PINDRAL_NONE) : int(at - shown_.begin());
}

int TreeLayout::LogicalOf(int treeColumn) const {
    return treeColumn >= 0 && treeColumn < TreeColumnCount() ? shown_[treeColumn] : int(PINDRAL_NONE);
}

void TreeLayout::SetMetrics(int textHeight, SIZE imageSize) {
    textHeight_ = textHeight;
    imageSize_ = imageSize;
    rowHeight_ = std::max({kMinRowHeight, textHeight + 2, int(imageSize.cy) + 2});
}

int TreeLayout::HeaderHeight() const { return look_.options & PINDRAL_SHOW_HEADER ? textHeight_ + 6 : 0; }

int TreeLayout::TotalWidth() const {
    int width = look_.labelWidth;
    for (int logical : shown_)
        width += columns_[logical].width;
    return width;
}

void TreeLayout::ScrollTo(int topRow, int xOffset, int shownRows, SIZE client) {
    topRow_ = std::max(0, std::min(topRow, shownRows - PageRows(client)));
    xOffset_ = std::max(0, std::min(xOffset, TotalWidth() - int(client.cx)));
}

int TreeLayout::PageRows(SIZE client) const { return std::max(1, (int(client.cy) - HeaderHeight()) / rowHeight_); }

RECT TreeLayout::RowRect(int row, SIZE client) const {
    int top = HeaderHeight() + (row - topRow_) * rowHeight_;
    return RECT{-xOffset_, top, std::max(TotalWidth() - xOffset_, int(client.cx)), top + rowHeight_};
}

RECT TreeLayout::ColumnSpan(int treeColumn) const {
    int left = -xOffset_;
    if (treeColumn == PINDRAL_LABEL_COLUMN)
        return RECT{left, 0, left + look_.labelWidth, 0};
    left += look_.labelWidth;
    for (int i = 0; i < treeColumn; ++i)
        left += columns_[shown_[i]].width;
    return RECT{left, 0, left + columns_[shown_[treeColumn]].width, 0};
}

RECT TreeLayout::CellRect(int row, int treeColumn, SIZE client) const {
    RECT cell = ColumnSpan(treeColumn);
    RECT line = RowRect(row, client);
    cell.top = line.top;
    cell.bottom = line.bottom;
    return cell;
}

TreeParts TreeLayout::PartsOf(RECT cell, int level) const {
    TreeParts parts;
    int left = cell.left + level * look_.indent;
    parts.button = RECT{left, cell.top, left + look_.indent, cell.bottom};
    left += look_.indent;
    parts.image = RECT{left, cell.top, left + imageSize_.cx, cell.bottom};
    if (imageSize_.cx > 0)
        left += imageSize_.cx + 2;
    parts.text = RECT{left, cell.top, std::max(left, int(cell.right)), cell.bottom};
    return parts;
}

PindralHit TreeLayout::HitTest(POINT p, TreeItems const &items, SIZE client) const {
    PindralHit hit = {p.x, p.y, PINDRAL_NONE, PINDRAL_NONE, PINDRAL_HIT_NOWHERE};
    RECT label = ColumnSpan(PINDRAL_LABEL_COLUMN);
    if (p.x >= label.left && p.x < label.right)
        hit.column = PINDRAL_LABEL_COLUMN;
    for (int c = 0; c < TreeColumnCount(); ++c) {
        RECT span = ColumnSpan(c);
        if (p.x >= span.left && p.x < span.right)
            hit.column = c;
    }
    if (hit.column == PINDRAL_NONE || p.x < 0 || p.x >= client.cx || p.y < 0 || p.y >= client.cy)
        return hit;
    if (p.y < HeaderHeight()) {
        hit.area = PINDRAL_HIT_HEADER;
        return hit;
    }
    int row = topRow_ + (p.y - HeaderHeight()) / rowHeight_;
    std::vector<int> const &shown = items.Shown();
    if (row >= int(shown.size())) {
        hit.area = PINDRAL_HIT_BELOW;
        return hit;
    }
    hit.item = shown[row];
    if (hit.column == PINDRAL_LABEL_COLUMN)
        hit.area = PINDRAL_HIT_LABEL;
    else if (hit.column > 0)
        hit.area = PINDRAL_HIT_CELL;
    else {
        TreeParts parts = PartsOf(CellRect(row, 0, client), items[hit.item].level);
        hit.area = p.x < parts.button.left   ? PINDRAL_HIT_INDENT
                   : Inside(parts.button, p) ? PINDRAL_HIT_BUTTON
                   : Inside(parts.image, p)  ? PINDRAL_HIT_IMAGE
                                             : PINDRAL_HIT_TEXT;
    }
    return hit;
}

}  // namespace pindral
