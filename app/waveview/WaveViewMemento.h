// The state of one wave window in the window layout: the child frame's placement, each
// view's ruler origin, first visible frame and zooms, the main view's vertical position,
// the overview's height and the looks of both views; and its packed form of 580 bytes.
#pragma once

#include "manager/LayoutStore.h"
#include "waveview/ViewStyle.h"

#include <cstddef>
#include <cstdint>

// Words 13 to 23 of the memento; index 0 the main view, 1 the overview.
struct WindowViewWords {
    int32_t origin[2];          // the ruler's zero (0: none)
    int32_t firstFrame[2];      // the first visible frame
    int32_t verticalPosition;   // the main view's, percent of the pane height
    int32_t fromWindow;         // 1 when taken from a window
    int32_t zoom[2];            // horizontal zoom values
    int32_t verticalZoom[2];    // 1 .. 256
    int32_t overviewHeight;     // the main view's top in the double view
};

class WaveViewGlobalMemento : public MDIChildMemento {
public:
    enum { kDefaultOverviewHeight = 80, kVersion = 1 };

    // The defaults: no placement, the style set 0 look, the overview as the settings say.
    WaveViewGlobalMemento();
    // Only the rectangle of the child frame (word 1, the placement's length, stays 0).
    explicit WaveViewGlobalMemento(RECT const &rect);

    // The frame's rectangle when the memento gives only that: word 1 is 0 and it is not
    // empty.
    bool HasRectangleOnly() const;
    // Values a stored block may hold clamped to what a window can show.
    void Clamp();

    int32_t defaultFlag;  // 1: defaults, or read from a block of another version
    WindowViewWords words;
    ViewStateBlock views;
};

// The packed form in the layout store: little-endian, one layout in both builds.
struct PackedViewMemento {
    uint32_t length;
    uint32_t version;
    WINDOWPLACEMENT placement;
    WindowViewWords words;
    ViewStateBlock views;
};

static_assert(sizeof(WINDOWPLACEMENT) == 44 && sizeof(WindowViewWords) == 44 && sizeof(PackedViewMemento) == 580 &&
                  offsetof(PackedViewMemento, placement) == 8 && offsetof(PackedViewMemento, words) == 52 &&
                  offsetof(PackedViewMemento, views) == 96,
              "the packed view memento is stored: 580 bytes, its fields where they are");

// The packed block (freed with PackedMemento::Free).
PackedMemento *PackViewMemento(WaveViewGlobalMemento const &memento);
// The memento of a block of sizeRead bytes: the defaults (default flag set) for a block
// under 580 bytes, one whose length word exceeds what was read, or one of another version;
// else its values, clamped.
WaveViewGlobalMemento *UnpackViewMemento(void const *block, size_t sizeRead);
