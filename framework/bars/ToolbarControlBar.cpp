#include "bars/ToolbarControlBar.h"

#include "bars/StatusBar.h"
#include "bars/ToolTipJq.h"
#include "bars/ToolbarButtonGadget.h"

TTipControlBar::TTipControlBar(TToolTipJq &tip, TDecoratedFrame *frame, char const *name, unsigned short style,
                               int newRow, TFont *font, TModule *module)
    : TWindow(0, name, module), TToolbar(frame, name, style, newRow, font, module), Tip(&tip) {
    SetHintMode(TGadgetWindow::EnterHints);
}

void TTipControlBar::EvMouseMove(uint modKeys, TPoint &point) {
    if (!Capture && !GadgetFromPoint(point))
        Tip->SetCaption(0);
    TTipStatusBar::TEnableHints fromMouse;
    TToolbar::EvMouseMove(modKeys, point);
}

void TTipControlBar::EvLButtonDown(uint modKeys, TPoint &point) {
    Tip->SetCaption(0);
    TToolbar::EvLButtonDown(modKeys, point);
}

DEFINE_RESPONSE_TABLE1(TTipControlBar, TToolbar)
    EV_WM_MOUSEMOVE,
    EV_WM_LBUTTONDOWN,
END_RESPONSE_TABLE;

ControlBar::ControlBar(TToolTipJq &tip, TDecoratedFrame *frame, char const *name, unsigned short style, int newRow,
                       TFont *font, TModule *module)
    : TWindow(0, name, module), TTipControlBar(tip, frame, name, style, newRow, font, module) {}

void ControlBar::EnableAll(int enable) {
    for (TGadget *g = FirstGadget(); g; g = g->NextGadget())
        g->SetEnabled(enable);
}

int ControlBar::EvEraseBkgnd(WPARAM hDC) {
    if (Style & Floating)
        return TWindow::EvEraseBkgnd(hDC);
    HDC dc = HDC(hDC);
    TRect r = GetClientRect();
    TRect top(r.left, r.top, r.right, r.top + 1), bottom(r.left, r.bottom - 1, r.right, r.bottom);
    ::FillRect(dc, &top, ::GetSysColorBrush(COLOR_BTNHIGHLIGHT));
    ::FillRect(dc, &bottom, ::GetSysColorBrush(COLOR_BTNSHADOW));
    TRect middle(r.left, r.top + 1, r.right, r.bottom - 1);
    ::FillRect(dc, &middle, TButtonBrushes::FaceShadow());
    return 1;
}

DEFINE_RESPONSE_TABLE1(ControlBar, TTipControlBar)
END_RESPONSE_TABLE;
