// The zoom of a wave view and the arithmetic every pane, ruler and scroll bar shares.
// A horizontal zoom z of -2 or less shows |z| frames per pixel, 1 one frame per pixel,
// 2 or more z pixels per frame (-1 is never kept). The vertical zoom magnifies the
// amplitude 1 to 256 times. Each keeps its table of allowed values and the part of it
// that is usable for the wave shown.
#pragma once

#include <cstdint>

// Pixels to frames and back at zoom z (truncating towards zero; saturating at the 32-bit
// limits so that no product overflows).
int PixelsToFrames(int64_t pixels, int z);
int FramesToPixels(int64_t frames, int z);

class ZoomState {
public:
    // The table runs upwards and ends with 0.
    explicit ZoomState(int32_t const *table);

    static ZoomState Horizontal();
    static ZoomState Vertical();

    int Value() const { return value_; }
    int Magnitude() const { return magnitude_; }
    // Of the usable entry the value lies at or below.
    int Index() const { return index_; }
    int LastIndex() const { return lastIndex_; }
    int Entry(int index) const { return first_[index]; }
    int LastEntry() const { return first_[lastIndex_]; }
    int TableSize() const { return tableSize_; }

    // The usable entries start at the first entry at or above t when that is t or the
    // table's first, else one entry lower.
    void StartUsableAt(int t);
    // The first usable entry at or above z, else the last.
    int IndexFor(int z) const;
    // Any value (-1 becomes -2, beyond the last usable entry the last entry).
    void SetValue(int z);
    void SetIndex(int index);
    // Zooming in stays below 2000000000 pixels across the wave and at most the table's
    // top: the last usable entry becomes the largest e with e x length < 2000000000.
    // 1 when the last usable entry changed.
    int LimitZoomIn(int length);

private:
    int32_t const *table_;
    int32_t const *first_;
    int32_t value_;
    int32_t magnitude_;
    int32_t index_;
    int32_t lastIndex_;
    int32_t tableSize_;
};

// The zoom a new main view opens with: span frames (the wave, at most openSeconds of it)
// across visible pixels (four fifths of the client less 40).
int InitialZoom(int length, uint32_t rate, int openSeconds, int clientWidth);
// The start t of the usable zoom entries of a wave shown on a screen of that width.
int UsableZoomStart(int length, int screenWidth);
// The zoom that shows n frames in width pixels so that they fill percent of it.
int ZoomForRange(int64_t frames, int width, int percent);
// The zoom that fits a wave of length frames into width pixels (the overview's first
// paint).
int ZoomToFitWidth(int length, int width);

// The horizontal scroll bar's numbers for a pane width in pixels.
struct ScrollNumbers {
    int range;
    int page;
    int line;
    int pageStep;
};
ScrollNumbers HorizontalScrollNumbers(int length, int z, int width);

// Whether frame lies well inside a view (15 pixels from either edge; near the wave's start
// anywhere from the left edge) and, when not, the scroll position that brings it in: mode 0
// 15 pixels from the left, 1 near the right edge, other modes centred.
struct Visibility {
    int scroll;    // 0: no scroll needed
    int position;  // the new scroll position in pixels
};
Visibility ScrollToShow(int frame, int mode, int z, int position, int width);
// The scroll position that puts frame first, and that of a frame centred.
int ScrollPositionOf(int frame, int z);
int CenteredFirstFrame(int frame, int visibleLength);
