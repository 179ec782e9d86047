// Paints a whole tree window: header, rows with labels, lines, buttons, images, texts
// and cells, the caret and the drop highlight.
#pragma once

#include "pindral/TreeImages.h"
#include "pindral/TreeItems.h"
#include "pindral/TreeLayout.h"

namespace pindral {

struct PaintState {
    int caret;
    int drop;
    bool focused;
};

class TreePainter {
public:
    TreePainter(TreeItems const &items, TreeLayout const &layout, TreeImages const &images, PaintState state)
        : items_(items), layout_(layout), images_(images), state_(state) {}

    void Paint(HDC dc, SIZE client) const;

private:
    void PaintHeader(HDC dc, SIZE client) const;
    void PaintRow(HDC dc, int row, SIZE client) const;
    void PaintTreeCell(HDC dc, int item, RECT const &cell, COLORREF text) const;
    void PaintLines(HDC dc, int item, RECT const &cell, TreeParts const &parts) const;
    void PaintButton(HDC dc, int item, RECT const &place) const;
    void PaintGrid(HDC dc, RECT const &row) const;
    // The right edge of the label column (when there is one) and of every column.
    void PaintColumnEdges(HDC dc, int top, int bottom) const;

    TreeItems const &items_;
    TreeLayout const &layout_;
    TreeImages const &images_;
    PaintState state_;
};

}  // namespace pindral
