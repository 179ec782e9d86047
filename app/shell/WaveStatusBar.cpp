#include "shell/WaveStatusBar.h"

namespace {
WaveStatusBar *statusBar = nullptr;
}  // namespace

WaveStatusBar::WaveStatusBar(TToolTipJq *tip, TWindow *parent, TGadget::TBorderStyle style, TFont *font,
                             TModule *module)
    : StatusBar(tip, parent, style, 0, font, module) {
    statusBar = this;
}

WaveStatusBar::~WaveStatusBar() {
    if (statusBar == this)
        statusBar = nullptr;
}

WaveStatusBar *TheStatusBar() { return statusBar; }
