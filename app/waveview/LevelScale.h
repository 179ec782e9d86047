// The amplitude ruler beside a pane: ticks and labels in the scale's level unit (percent,
// raw value or decibels) at steps chosen from the pane's height, and a popup menu for its
// unit and look. A double click fits the level to the peaks (with Ctrl it scrolls back to
// the top). It scrolls with the pane's vertical position.
#pragma once

#include "core/Window.h"
#include "waveview/ViewStyle.h"

#include <vector>

class WavePane;
class WaveView;
struct PaneGeometry;

// A labelled tick of a level scale.
struct LevelTick {
    int level;      // in the unit's scale (hundredths of a percent for percent)
    int y;          // in the pane's client area
    int precision;  // what FormatLevel takes
};

// The ticks of a unit down a pane with that geometry, labels labelHeight high kept inside;
// none when the pane is too small for any span.
std::vector<LevelTick> LevelTicks(PaneGeometry const &geometry, int unit, int labelHeight);

class LevelScale : public TWindow {
public:
    enum {
        kCmPercent = 390,
        kCmDecibels = 391,
        kCmRaw = 392,
        kCmHide = 393,
        kCmThreeD = 394,
        kCmFlat = 395,
        kCmFont = 396,
        kCmTickColor = 397,
    };

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

    void EvLButtonDblClk(uint keys, TPoint &point);
    void EvRButtonDown(uint keys, TPoint &point);
    void EvLButtonDown(uint keys, TPoint &point);
    void CmUnit(uint id);
    void CmStyle(uint id);
    void CmHide();
    void CmFont();
    void CmTickColor();

private:
    void DrawBackground(HDC dc, TRect const &r);
    void DrawTick(HDC dc, LevelTick const &tick, int width);

    LevelScaleStyle *style_;
    TSize labelCell_;
    int preferredWidth_;
    WaveView *view_;
    WavePane *pane_;

    DECLARE_RESPONSE_TABLE(LevelScale);
};

// The extent of a text in a font on the display; fallback when it cannot be measured.
TSize MeasureText(LOGFONTA const &font, char const *text, TSize fallback);

// Passes what just changed on view's level scales on to the views of the scope of the keys
// held (see ScaleScope.h); what: ScaleChange bits.
void ApplyLevelScaleChange(WaveView *view, int what);
void ApplyLevelScaleChange(WaveView *view, int what, int scope);
