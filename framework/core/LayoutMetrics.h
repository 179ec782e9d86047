// Constraints that place a child window relative to a sibling or to its layout window.
#pragma once

#include "core/VeltraneDefs.h"

class TWindow;

enum TEdge { lmLeft, lmTop, lmRight, lmBottom, lmCenter, lmWidth, lmHeight };

enum TRelationship {
    lmAsIs = 0,       // the window's own creation position or size
    lmPercentOf = 1,  // value percent of the other edge
    lmAbove = 2,      // other edge - value - 1
    lmLeftOf = 2,
    lmBelow = 3,      // other edge + value + 1
    lmRightOf = 3,
    lmSameAs = 4,     // other edge + value
    lmAbsolute = 5    // value
};

// Layout units are an eighth of the layout window's font height.
enum TMeasurementUnits { lmPixels = 0, lmLayoutUnits = 1 };

struct VELTRANE_API TLayoutConstraint {
    TWindow *RelWin;  // null: the layout window itself
    unsigned MyEdge : 4;
    unsigned Relationship : 4;
    unsigned Units : 4;
    unsigned OtherEdge : 4;
    int Value;
};

// In pixels: my edge related to the other window's edge (no window: the layout window).
inline TLayoutConstraint PixelConstraint(TWindow *relWin, TEdge myEdge, TRelationship rel, TEdge otherEdge,
                                         int value = 0) {
    TLayoutConstraint c;
    c.RelWin = relWin;
    c.MyEdge = myEdge;
    c.Relationship = rel;
    c.Units = lmPixels;
    c.OtherEdge = otherEdge;
    c.Value = value;
    return c;
}

// X, Y, Width and Height, in this order.
class VELTRANE_API TLayoutMetrics {
public:
    TLayoutMetrics();
    void SetMeasurementUnits(TMeasurementUnits units);

    TLayoutConstraint X;
    TLayoutConstraint Y;
    TLayoutConstraint Width;
    TLayoutConstraint Height;

    TLayoutConstraint &operator[](int i) { return (&X)[i]; }
    TLayoutConstraint const &operator[](int i) const { return (&X)[i]; }
};
