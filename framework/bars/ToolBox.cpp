#include "bars/ToolBox.h"

#include "bars/ButtonGadget.h"
#include "core/System.h"

#include <algorithm>

TToolBox::TToolBox(TWindow *parent, int numColumns, int numRows, TTileDirection direction, TModule *module)
    : TWindow(parent, 0, module), TGadgetWindow(parent, direction, new TGadgetWindowFont(10), module),
      NumRows(numRows), NumColumns(numColumns) {
    if (TSystem::Has3dUI())
        Margins = TMargins(TMargins::BorderUnits, 0, 0, 0, 0);
    else {
        int cx = ::GetSystemMetrics(SM_CXBORDER), cy = ::GetSystemMetrics(SM_CYBORDER);
        Margins = TMargins(TMargins::BorderUnits, -cx, -cx, -cy, -cy);
    }
    ShrinkWrapWidth = 1;
}

void TToolBox::Insert(TGadget &gadget, TPlacement placement, TGadget *sibling) {
    TGadgetWindow::Insert(gadget, placement, sibling);
    if (TButtonGadget *button = dynamic_cast<TButtonGadget *>(&gadget))
        button->SetNotchCorners(0);
}

void TToolBox::SetDirection(TTileDirection direction) {
    if (direction != GetDirection())
        std::swap(NumRows, NumColumns);
    TGadgetWindow::SetDirection(direction);
}

int TToolBox::GetNumRows() const {
    if (NumRows != -1)
        return NumRows;
    int columns = std::max(NumColumns, 1);
    return (int(NumGadgets) + columns - 1) / columns;
}

int TToolBox::GetNumColumns() const {
    if (NumColumns != -1)
        return NumColumns;
    int rows = std::max(NumRows, 1);
    return (int(NumGadgets) + rows - 1) / rows;
}

void TToolBox::ComputeCellSize(TSize &cell) {
    cell = TSize(0, 0);
    for (TGadget *g = Gadgets; g; g = g->NextGadget()) {
        TSize size;
        g->GetDesiredSize(size);
        cell.cx = std::max(cell.cx, size.cx);
        cell.cy = std::max(cell.cy, size.cy);
    }
}

void TToolBox::GetOverlap(int &x, int &y) const {
    bool flat = !TSystem::Has3dUI();
    x = flat ? ::GetSystemMetrics(SM_CXBORDER) : 0;
    y = flat ? ::GetSystemMetrics(SM_CYBORDER) : 0;
}

void TToolBox::GetDesiredSize(TSize &size) {
    int left = 0, right = 0, top = 0, bottom = 0;
    Margins.GetPixels(left, right, top, bottom, FontHeight);
    TSize cell;
    ComputeCellSize(cell);
    int overlapX, overlapY;
    GetOverlap(overlapX, overlapY);
    int columns = GetNumColumns(), rows = GetNumRows();
    size.cx = left + right + columns * cell.cx - std::max(columns - 1, 0) * overlapX;
    size.cy = top + bottom + rows * cell.cy - std::max(rows - 1, 0) * overlapY;
    if (Attr.Style & WS_BORDER) {
        size.cx += 2 * ::GetSystemMetrics(SM_CXBORDER);
        size.cy += 2 * ::GetSystemMetrics(SM_CYBORDER);
    }
}

TRect TToolBox::TileGadgets() {
    TSize cell;
    ComputeCellSize(cell);
    int overlapX, overlapY;
    GetOverlap(overlapX, overlapY);
    TRect inner;
    GetInnerRect(inner);
    int columns = GetNumColumns(), rows = GetNumRows();
    bool byRows = Direction == Horizontal;
    TRect area(0, 0, 0, 0);
    TGadget *g = Gadgets;
    int outer = byRows ? rows : columns, innerCount = byRows ? columns : rows;
    for (int i = 0; i < outer && g; ++i)
        for (int j = 0; j < innerCount && g; ++j, g = g->NextGadget()) {
            int row = byRows ? i : j, column = byRows ? j : i;
            TPoint at(inner.left + column * (cell.cx - overlapX), inner.top + row * (cell.cy - overlapY));
            TileGadget(*g, TRect(at, cell), area);
        }
    DirtyLayout = 0;
    return area;
}

void TToolBox::LayoutSession() {
    TGadgetWindow::LayoutSession();
    if (!HWindow)
        return;
    TSize size;
    GetDesiredSize(size);
    Attr.W = size.cx, Attr.H = size.cy;
    SetWindowPos(0, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}
