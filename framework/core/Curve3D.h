// A grid of values drawn as a 3-D surface in perspective: curves laid one
// behind the other, cells coloured from a value scale, painted from the far
// side to the near one, with labelled axis arrows on the floor.
#pragma once

#include "core/Dc.h"
#include "foundation/Strings.h"

class TWindow;

// The palette bitmap of the common resource module: the spectral scale at
// indices 10 to 81, the grey ramp at 82 to 109.
enum { IDB_CURVE3D_PALETTE = 23011 };

// One label on an axis; an array of them ends at the first without a text.
class VELTRANE_API Legend {
public:
    Legend() : Pos(0), Text(0) {}
    Legend(int pos, const char *text) : Pos(pos), Text(new String(text)) {}
    Legend(const Legend &other);
    Legend &operator=(const Legend &other);
    ~Legend();

    int Pos;
    String *Text;  // owned
};

// The palette-index colour of a value from 0 to 1000 on the spectral scale.
VELTRANE_API TColor GetSpectralColor(int value);

class VELTRANE_API Curve3D {
public:
    enum { NoColors = 0, GreyRamp = 1, Spectral = 2 };

    Curve3D();

    // Draws the plot over the window's client area, with the palette of the
    // common resource module.
    void Draw(TWindow *window, TDC &dc);
    // The same over a client area of that size, with the palette from the given module.
    void Draw(TDC &dc, const TRect &client, HINSTANCE resources);

    const int *Values;       // NumCurves x NumPoints, curve by curve
    int ValueMax;            // height of the box; top of the colour scale without a colour grid
    int ValueDiv;            // heights are value / ValueDiv
    const int *ColorValues;  // optional grid of the same shape that chooses the colours
    int ColorMax;            // top of the colour scale with a colour grid
    int NumCurves;
    int NumPoints;
    const Legend *XLegend;   // labels along the curve axis
    const Legend *YLegend;   // labels along the point axis
    TColor BkColor;
    TColor TextColor;
    TColor AxisColor;
    TColor ArrowColor;
    int ColorMode;
    TFont *Font;  // not owned
    int Alpha, Beta, Gamma;  // rotation angles in degrees
    int Cx, Cy, Cz;          // centre in grid units; its distance sets the perspective
};
