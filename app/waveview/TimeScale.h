// The time ruler above a view's panes: its look (a style record of the view), the sample
// position it shows as zero (its origin), and the height its labels need. It scrolls with
// the panes.
#pragma once

#include "core/Window.h"
#include "waveview/ViewStyle.h"

#include <cstdint>

class WaveView;

class TimeScale : public TWindow {
public:
    TimeScale(int id, WaveView *view, TimeScaleStyle *style, long origin);

    char const *GetClassNameA() override { return "TimeScale"; }
    void GetWindowClass(WNDCLASSA &wc) override;
    void Paint(TDC &dc, int erase, TRect &area) override;

    // The size of "0000.000000 MB" in the ruler's font (50 x 20 when it cannot be taken).
    void MeasureLabelCell();
    int GetPreferredHeight() const { return preferredHeight_; }
    long GetOrigin() const { return origin_; }
    void SetOrigin(long origin) { origin_ = origin; }
    TimeScaleStyle &GetStyle() const { return *style_; }
    void SetStyle(TimeScaleStyle *style) { style_ = style; }

private:
    TimeScaleStyle *style_;
    int32_t origin_;
    TSize labelCell_;
    int32_t preferredHeight_;
    WaveView *view_;
};
