// The load graph above the background task list: the audio engine's last 200 cycles as
// stacked bars, one series per time of a cycle (reading, processing, writing), against a
// scale of the block's duration. Option bits, zoom and direction come from the
// "StatusWindow" settings.
#pragma once

#include "core/Window.h"
#include "engine/PerformanceHistory.h"

#include <vector>

class PerformanceView : public TWindow {
public:
    explicit PerformanceView(TWindow *parent);
    // Empties the history.
    ~PerformanceView() override;

    char const *GetClassNameA() override { return "TsPerfView"; }
    void GetWindowClass(WNDCLASSA &wc) override;
    void SetupWindow() override;
    void CleanupWindow() override;
    void Paint(TDC &dc, int erase, TRect &rect) override;

    // The series as drawn, oldest first: raw, or each a running mean over 7 samples.
    static std::vector<PerformanceSample> Series(std::vector<PerformanceSample> const &samples, bool smooth);
    // The length of a bar segment of value over extent pixels at a zoom.
    static int SegmentLength(float value, int extent, int zoom) { return int(value * extent * zoom / 100); }

protected:
    void EvRButtonDown(uint modKeys, TPoint &point);

private:
    void DrawScale(HDC dc, TRect const &area, int zoom, bool alongTop);
    void DrawBars(HDC dc, TRect const &area, std::vector<PerformanceSample> const &samples, bool alongTop);

    HFONT font_ = nullptr;

    DECLARE_RESPONSE_TABLE(PerformanceView);
};
