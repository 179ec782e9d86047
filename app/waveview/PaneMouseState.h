// What a mouse gesture in a wave pane keeps between its press and its release. One set for
// every pane: only one pane holds the mouse at a time. GUI thread only.
#pragma once

#include <cstdint>

class Rubber;
class WavePane;

struct PaneMouseState {
    Rubber *rubber = nullptr;  // the zoom band
    int32_t playFromClick = 0;
    int32_t dragMode = 0;  // 0 none, 1 selection, 2 level
    // Pressed inside the selection and moved more than 2 pixels since: a drag and drop.
    int32_t moved = 0;
    int32_t newSelection = 0;  // both edges snap at the end
    WavePane *capturing = nullptr;
    int32_t pressedInside = 0;
    int32_t pressedOutside = 0;  // and the selection was cleared
    // The drop lines drawn last: pane, x, lines (1, or 2 over both panes of the view).
    WavePane *dropPane = nullptr;
    int32_t dropX = 0;
    int32_t dropLines = 0;
    // Play from the click.
    int32_t wasPlaying = 0;
    int32_t clickedFrame = 0;
    int32_t savedScrollOnPlay = 0;
    int32_t mouseFrame = -1;
};

PaneMouseState &ThePaneMouse();
