#include "bars/TooltipText.h"

#include <cstring>

TTooltipText::TTooltipText() : hdr(), lpszText(0), szText(), hinst(0), uFlags(0) {}

void TTooltipText::CopyText(char const *text) {
    std::strncpy(szText, text ? text : "", TextSize - 1);
    szText[TextSize - 1] = 0;  // the control reads up to the terminator
    lpszText = szText;
}

TTooltipEnabler::TTooltipEnabler(TTooltipText &text, HWND receiver)
    : TCommandEnabler(uint(text.hdr.idFrom), receiver), Text(text) {}

void TTooltipEnabler::SetText(char const *text) { Text.CopyText(text); }

void TTooltipEnabler::SetCheck(int) {}
