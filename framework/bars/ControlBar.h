// A gadget window used as a bar of a frame window: tool tips on, and the margins that
// a bar of the frame needs. The base of the tool bars.
#pragma once

#include "bars/GadgetWindow.h"

class VELTRANE_API TControlBar : public TGadgetWindow {
public:
    TControlBar(TWindow *parent = 0, TTileDirection direction = Horizontal, TFont *font = new TGadgetWindowFont,
                TModule *module = 0);
    ~TControlBar() override;

    int PreProcessMsg(MSG &msg) override { return TGadgetWindow::PreProcessMsg(msg); }
};
