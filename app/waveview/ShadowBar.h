// The strip in the overview that marks the part of the wave the main view shows.
#pragma once

#include "core/Window.h"

class WaveView;

class ShadowBar : public TWindow {
public:
    explicit ShadowBar(WaveView &view);
    void Paint(TDC &dc, int erase, TRect &area) override;

    // The columns of the overview's panes that the main view shows, from..to (exclusive);
    // false without a main view.
    bool GetBand(int &from, int &to) const;

private:
    WaveView &view_;
};
