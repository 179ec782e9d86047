#include "bars/ControlBar.h"

#include "core/UIParts.h"

TControlBar::TControlBar(TWindow *parent, TTileDirection direction, TFont *font, TModule *module)
    : TWindow(parent, 0, module), TGadgetWindow(parent, direction, font, module) {
    // Border units; a byte each, like the packed margins record.
    Margins.Units = TMargins::BorderUnits;
    Margins.Left = Margins.Right = int8_t(TUIMetric::CxSizeFrame + 2);
    Margins.Top = Margins.Bottom = int8_t(int(TUIMetric::CyFixedFrame));
    WantTooltip = 1;
}

TControlBar::~TControlBar() {}
