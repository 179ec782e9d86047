// The scroll bars of a wave view: the horizontal one scrolls time in pixels, with line and
// page steps that follow the zoom; the vertical one scrolls the amplitude in percent of the
// pane height. And the size box in the corner between them.
#pragma once

#include "controls/ScrollBar.h"

#include <cstdint>

class WaveView;
class WavePane;

class WaveScrollBar : public ScrollBar {
public:
    WaveScrollBar(WaveView &view, int id, int horizontal);

    // The line and page steps from the zoom and the panes' width.
    void ComputeSteps();

    void NotifyScrolling(int scrolling) override;
    void NotifyNewPos() override;
    int ScrollWindow(TWindow *window, long from, long to) override;
    void OnAutoScroll() override;

    void EvRButtonDown(uint, TPoint &) {}

private:
    WaveView &view_;

    DECLARE_RESPONSE_TABLE(WaveScrollBar);
};

// Scrolls the vertical bar so that a level (16-bit) shows at the pane's vertical middle at
// the view's vertical zoom.
void SetVerticalPositionFromLevel(WaveScrollBar &bar, WavePane &pane, int16_t level);

// The main view's corner: a size grip that does nothing itself.
class SizeBox : public TScrollBar {
public:
    explicit SizeBox(TWindow *parent);
    int EvEraseBkgnd(WPARAM dc);

private:
    DECLARE_RESPONSE_TABLE(SizeBox);
};
