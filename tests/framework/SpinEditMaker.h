// Range spin edits as the spin-edit and pop-up slider tests make them.
#pragma once

#include "controls/SpinEdit.h"

// A created 100 x 22 edit at (x, y) in the parent, with the range and the format.
inline TRangeSpinEdit *MakeRangeSpinEdit(TWindow &parent, int id, int x, int y, double low, double high,
                                         char const *format) {
    TRangeSpinEdit *e = new TRangeSpinEdit(&parent, id, "", x, y, 100, 22);
    e->GetAttr().SetFormat(format);
    e->GetAttr().SetRange(low, high);
    e->Create();
    return e;
}
