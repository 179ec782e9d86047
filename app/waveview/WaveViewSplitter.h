// The strip at the top of the main view: dragged down it opens the overview at the height
// it is dropped at, dragged up to the top it closes it.
#pragma once

#include "controls/Splitter.h"

class DoubleView;
class WaveView;

class WaveViewSplitter : public Splitter {
public:
    WaveViewSplitter(WaveView &view, DoubleView &doubleView);

    void GetWindowClass(WNDCLASSA &wc) override;
    void SetSplitPosition(int position) override;
    // Beside the views while there is no overview.
    int IsAside() override;
    void RememberPosition(int position) { RememberedPosition = position; }

private:
    WaveView &view_;
    DoubleView &doubleView_;
};
