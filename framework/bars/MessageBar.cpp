#include "MessageBar.h"

#include "Dc.h"
#include "DecoratedFrame.h"

TMessageBar::TMessageBar(TWindow *parent, TModule *module) : TWindow(parent, 0, module), HintShown(false) {
    Attr.Id = IDW_MESSAGEBAR;
    Attr.Style = WS_CHILD | WS_VISIBLE;
    Attr.H = ::GetSystemMetrics(SM_CYMENU) + 4;
}

void TMessageBar::SetText(char const *text) {
    Text = text ? text : "";
    if (HWindow)
        Invalidate();
}

void TMessageBar::SetHintText(char const *text) {
    HintShown = text != 0;
    HintText = text ? text : "";
    if (HWindow)
        Invalidate();
}

void TMessageBar::Paint(TDC &dc, int, TRect &) {
    String const &shown = HintShown ? HintText : Text;
    TRect r = GetClientRect();
    ::SetBkMode(dc, TRANSPARENT);
    ::DrawTextA(dc, shown.c_str(), -1, &r, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}
