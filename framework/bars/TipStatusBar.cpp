#include "bars/StatusBar.h"

#include "bars/TextGadget.h"
#include "bars/ToolTipJq.h"

#include <cstring>

char TTipStatusBar::_hintBuffer[TTipStatusBar::HintBufferSize];
int TTipStatusBar::_enableHints = 0;

// ---- TTipStatusBar

TTipStatusBar::TTipStatusBar(TToolTipJq *tip, TWindow *parent, TGadget::TBorderStyle style, unsigned modeIndicators,
                             TFont *font, TModule *module)
    : TWindow(parent, 0, module), TStatusBar(parent, style, modeIndicators, font, module), Tip(tip), UseTipsFlag(0) {}

void TTipStatusBar::UseTips() {
    UseTipsFlag = 1;
    TMargins margins = Margins;
    margins.Units = TMargins::BorderUnits;
    if (Direction == Horizontal)
        margins.Left = margins.Right = 6, margins.Top = margins.Bottom = 2;
    SetMargins(margins);
}

int TTipStatusBar::IsHintTextEnabled() { return 1; }

void TTipStatusBar::SetTextEx(char const *text) { TMessageBar::SetText(text); }

void TTipStatusBar::SetHintText(char const *text) {
    // Without a tip window the status part still shows: only the tip is lost.
    if (!IsHintTextEnabled() || !dynamic_cast<TTextGadget *>(FirstGadget()))
        return;
    char const *status = 0;
    if (!text) {
        if (Tip)
            Tip->SetCaption(0);
    } else {
        std::strncpy(_hintBuffer, text, HintBufferSize - 1);
        _hintBuffer[HintBufferSize - 1] = 0;
        char *tipText = std::strchr(_hintBuffer, '\n');
        if (tipText)
            *tipText++ = 0;
        if (_enableHints && Tip)
            Tip->SetCaption(tipText ? tipText : "");
        status = _hintBuffer;
    }
    if (UseTipsFlag)
        SetTextEx(status);
    else
        TStatusBar::SetHintText(status);
}

void TTipStatusBar::EvMouseMove(uint modKeys, TPoint &point) {
    if (!Tip || !UseTipsFlag) {
        TGadgetWindow::EvMouseMove(modKeys, point);
        return;
    }
    if (!Capture && !GadgetFromPoint(point))
        Tip->SetCaption(0);
    TEnableHints fromMouse;
    TGadgetWindow::EvMouseMove(modKeys, point);
}

void TTipStatusBar::EvLButtonDown(uint modKeys, TPoint &point) {
    if (Tip && UseTipsFlag)
        Tip->SetCaption(0);
    TGadgetWindow::EvLButtonDown(modKeys, point);
}

DEFINE_RESPONSE_TABLE1(TTipStatusBar, TStatusBar)
    EV_WM_MOUSEMOVE,
    EV_WM_LBUTTONDOWN,
END_RESPONSE_TABLE;

// ---- StatusBar (the gauge part is in StatusBarGauge.cpp)

void StatusBar::SetInstantHintText(char const *text) {
    SetText(text);
    if (HWindow)
        UpdateWindow();
}

int StatusBar::IdleAction(long idleCount) { return TGadgetWindow::IdleAction(idleCount); }
