// The tool bars on top of TToolbar: TTipControlBar, whose command hints also feed the
// application's tip window, and ControlBar, the main control bar of a decorated frame.
#pragma once

#include "core/VeltraneDefs.h"

#include "bars/Toolbar.h"

class TToolTipJq;

class VELTRANE_API TTipControlBar : public TToolbar {
public:
    TTipControlBar(TToolTipJq &tip, TDecoratedFrame *frame, char const *name, unsigned short style, int newRow,
                   TFont *font = new TGadgetWindowFont, TModule *module = 0);

    TToolTipJq *GetTip() const { return Tip; }

    void EvMouseMove(uint modKeys, TPoint &point);
    void EvLButtonDown(uint modKeys, TPoint &point);

protected:
    TToolTipJq *Tip;

private:
    DECLARE_RESPONSE_TABLE(TTipControlBar);
};

class VELTRANE_API ControlBar : public TTipControlBar {
public:
    ControlBar(TToolTipJq &tip, TDecoratedFrame *frame, char const *name, unsigned short style, int newRow,
               TFont *font = new TGadgetWindowFont, TModule *module = 0);

    // Every gadget of the bar, first to last.
    void EnableAll(int enable);
    // A background painter for derived bars: a dithered face between a highlight line
    // at the top and a shadow line at the bottom while docked.
    int EvEraseBkgnd(WPARAM hDC);

private:
    DECLARE_RESPONSE_TABLE(ControlBar);
};
