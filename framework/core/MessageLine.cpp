#include "MessageLine.h"

#include "DecoratedFrame.h"

#include <commctrl.h>

TMessageLine::TMessageLine(TWindow *parent, TModule *module) : TWindow(parent, 0, module), hintShown_(false) {
    Attr.Id = IDW_MESSAGEBAR;
    Attr.Style = WS_CHILD | WS_VISIBLE | CCS_NOPARENTALIGN | CCS_NORESIZE | CCS_NODIVIDER;
    Attr.X = Attr.Y = 0;
    Attr.W = 100;
    Attr.H = ::GetSystemMetrics(SM_CYMENU) + 4;
}

void TMessageLine::SetupWindow() {
    TWindow::SetupWindow();
    Show();
}

void TMessageLine::SetHintText(char const *text) {
    hintShown_ = text != 0;
    hint_ = text ? text : "";
    Show();
}

void TMessageLine::SetText(char const *text) {
    text_ = text ? text : "";
    Show();
}

void TMessageLine::Show() {
    if (GetHandle())
        SendMessageA(SB_SETTEXTA, 0, (LPARAM)(hintShown_ ? hint_.c_str() : text_.c_str()));
}
