// Where a pane puts a sample value: the drawable height is the client height times the
// vertical zoom less a margin above and below, the zero line lies in its middle shifted by
// the vertical offset (percent of the client height), and full scale (32767) reaches half
// the drawable height.
#pragma once

struct PaneGeometry {
    int height;         // of the client area
    int margin;         // 7 in the main view, 1 in the overview
    int verticalZoom;   // 1 .. 256
    int offset;         // percent of the height
    int top = 0;        // of the client area

    int Drawable() const { return height * verticalZoom - 2 * margin; }
    int Half() const { return Drawable() / 2; }
    int ZeroY() const { return margin + top + Half() - offset * height / 100; }
    // The y of a 16-bit value (kept within -16000 .. 16000 when the product is large).
    int Y(int value) const;
    // The level band of a level 1 .. 32767: its top and its bottom (exclusive).
    int BandTop(int level) const { return Y(level); }
    int BandBottom(int level) const { return 2 * ZeroY() - Y(level) + 1; }
    // The value at y, -32768 .. 32767; with snap the rows next to the zero line are 0.
    int LevelAt(int y, bool snap) const;
};

// The vertical scroll position (percent) that shows level at the pane's middle.
int VerticalPositionFromLevel(int height, int margin, int verticalZoom, int level);
// The offset that centres the zero line (a view without a vertical scroll bar).
inline int CentredVerticalOffset(int verticalZoom) { return (verticalZoom * 100 - 100) / 2; }
