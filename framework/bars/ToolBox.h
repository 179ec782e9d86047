// A gadget window that arranges its gadgets in a grid of equal cells, such as a
// palette of tools in a floating window, and sizes itself to the grid.
#pragma once

#include "bars/GadgetWindow.h"

class VELTRANE_API TToolBox : public TGadgetWindow {
public:
    // -1 for the rows or the columns: as many as the gadget count needs.
    TToolBox(TWindow *parent, int numColumns = 2, int numRows = -1, TTileDirection direction = Vertical,
             TModule *module = 0);

    void Insert(TGadget &gadget, TPlacement placement = After, TGadget *sibling = 0) override;
    // A new direction swaps the numbers of rows and columns.
    void SetDirection(TTileDirection direction) override;
    void GetDesiredSize(TSize &size) override;
    TRect TileGadgets() override;
    void LayoutSession() override;

    // The grid as laid out, with a -1 resolved from the gadget count.
    int GetNumRows() const;
    int GetNumColumns() const;

protected:
    void ComputeCellSize(TSize &cell);
    // The overlap of neighbouring cells: their frames meet without the 3-D look.
    void GetOverlap(int &x, int &y) const;

    int NumRows;
    int NumColumns;
};
