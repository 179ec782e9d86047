// The amplitude ruler beside a pane: its look (the view's level-scale record) and the
// width its labels need. It scrolls with the pane's vertical position.
#pragma once

#include "core/Window.h"
#include "waveview/ViewStyle.h"

class WavePane;
class WaveView;

class LevelScale : public TWindow {
public:
    LevelScale(WavePane *pane, LevelScaleStyle *style);

    char const *GetClassNameA() override { return "LevelScale"; }
    void GetWindowClass(WNDCLASSA &wc) override;
    void Paint(TDC &dc, int erase, TRect &area) override;

    // The size of "-00000" in the scale's font (50 x 20 when it cannot be taken).
    void MeasureLabelCell();
    int GetPreferredWidth() const { return preferredWidth_; }
    LevelScaleStyle &GetStyle() const { return *style_; }
    void SetStyle(LevelScaleStyle *style) { style_ = style; }
    WavePane *GetPane() const { return pane_; }

private:
    LevelScaleStyle *style_;
    TSize labelCell_;
    int preferredWidth_;
    WaveView *view_;
    WavePane *pane_;
};

// The extent of a text in a font on the display; fallback when it cannot be measured.
TSize MeasureText(LOGFONTA const &font, char const *text, TSize fallback);
