// Where things lie in a tree window: the look, the columns, the row and header heights,
// the scroll position, and from them the rectangles of cells and parts and the hit test.
#pragma once

#include "pindral/Pindral.h"
#include "pindral/TreeItems.h"

#include <string>
#include <vector>

namespace pindral {

struct Column {
    std::string caption;
    int width = 100;
    bool shown = true;
};

// The parts of the tree column in one row.
struct TreeParts {
    RECT button;  // the place of the expand button
    RECT image;   // empty when the tree has no images
    RECT text;
};

class TreeLayout {
public:
    TreeLayout();

    PindralLook const &Look() const { return look_; }
    void SetLook(PindralLook const &look);
    void SetColumns(PindralColumn const *columns, int count);
    int ColumnCount() const { return int(columns_.size()); }
    Column const &LogicalColumn(int logical) const { return columns_[logical]; }
    // Tree columns are the shown logical columns; PINDRAL_NONE for a hidden or unknown one.
    int TreeColumnOf(int logical) const;
    int LogicalOf(int treeColumn) const;
    int TreeColumnCount() const { return int(shown_.size()); }

    // The font's text height and the images' size decide the heights.
    void SetMetrics(int textHeight, SIZE imageSize);
    SIZE ImageSize() const { return imageSize_; }
    int RowHeight() const { return rowHeight_; }
    int HeaderHeight() const;
    // Label column and every shown column.
    int TotalWidth() const;

    // Scrolling: the first shown row at the top, and pixels scrolled to the left.
    int TopRow() const { return topRow_; }
    int XOffset() const { return xOffset_; }
    void ScrollTo(int topRow, int xOffset, int shownRows, SIZE client);
    // Rows that fit wholly below the header (at least 1).
    int PageRows(SIZE client) const;

    // Client rectangles; the row of a shown row number, a column's stretch of it.
    RECT RowRect(int row, SIZE client) const;
    RECT ColumnSpan(int treeColumn) const;  // left and right only
    RECT CellRect(int row, int treeColumn, SIZE client) const;
    TreeParts PartsOf(RECT treeCell, int level) const;

    PindralHit HitTest(POINT point, TreeItems const &items, SIZE client) const;

private:
    PindralLook look_;
    std::vector<Column> columns_;
    std::vector<int> shown_;  // logical numbers of the tree columns
    SIZE imageSize_ = {0, 0};
    int textHeight_ = 13;
    int rowHeight_ = 17;
    int topRow_ = 0;
    int xOffset_ = 0;
};

}  // namespace pindral
