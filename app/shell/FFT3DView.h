// The window of a 3-D frequency analysis: the framework's waterfall plotter over its whole
// client area, with display settings of its own. A right click or a double click asks the
// main frame for the settings dialog; command 196 opens a further view of the document.
#pragma once

#include "shell/FFT3DSettings.h"

#include "core/Window.h"
#include "manager/View.h"

class Curve3D;
class FFT3DDoc;
class TFont;

class FFT3DView : public TWindow, public View {
public:
    enum { kCmOpenAnotherView = 196, kCmSettings = 486 };

    FFT3DView(FFT3DDoc &doc, FFT3DStyle const &style);

    FFT3DDoc &GetAnalysis() const;
    FFT3DStyle const &GetStyle() const { return style_; }
    // The settings dialog gives a view new display settings and has it repaint.
    void SetStyle(FFT3DStyle const &style);

    // Puts the view in a new document window, at rect (MDI client coordinates) when given.
    void OpenChildWindow(TRect const *rect);
    // The plotter's parameters for this view's document and settings, with font.
    void FillPlot(Curve3D &plot, TFont *font) const;

    int OnStartRubber() override;
    void OnEndRubber(TRect const &rect) override;

    char const *GetClassNameA() override { return "FFT3D"; }
    void GetWindowClass(WNDCLASSA &wc) override;
    void Paint(TDC &dc, int erase, TRect &rect) override;

    void CmOpenAnotherView();
    void EvRButtonDown(uint keys, TPoint &point);
    void EvLButtonDblClk(uint keys, TPoint &point);

private:
    void AskForSettings();

    FFT3DStyle style_;

    DECLARE_RESPONSE_TABLE(FFT3DView);
};
