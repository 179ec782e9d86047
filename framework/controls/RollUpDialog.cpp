#include "controls/RollUpDialog.h"

DEFINE_RESPONSE_TABLE1(TRollDialog, TDialog)
    YRT_ROW(WM_SYSCOMMAND, 0, v_U_POINT, EvSysCommand),
END_RESPONSE_TABLE;

TRollDialog::TRollDialog(TWindow *parent, TResId resId, int animate, int startExpanded, TModule *module)
    : TWindow(parent, 0, module), TDialog(parent, resId, module), expanded_(1), startExpanded_(startExpanded),
      rolledHeight_(0), menuEntry_(0), animate_(animate) {}

void TRollDialog::SetupWindow() {
    TDialog::SetupWindow();
    if (GetStyle() & WS_SYSMENU) {
        if (HMENU menu = GetSystemMenu(false)) {
            ::AppendMenuA(menu, MF_STRING, CmRollToggle, "&Shrink");
            menuEntry_ = 1;
        }
    }
    if (!startExpanded_)
        Shrink();
}

void TRollDialog::SetMenuText(char const *text) {
    if (menuEntry_)
        if (HMENU menu = GetSystemMenu(false))
            ::ModifyMenuA(menu, CmRollToggle, MF_BYCOMMAND | MF_STRING, CmRollToggle, text);
}

void TRollDialog::Shrink() {
    if (!expanded_)
        return;
    rolledHeight_ = GetClientRect().Height() + 1;
    Resize(true);
    expanded_ = 0;
    SetMenuText("&Expand");
}

void TRollDialog::Expand() {
    if (expanded_)
        return;
    Resize(false);
    expanded_ = 1;
    SetMenuText("&Shrink");
}

// Steps along the Fibonacci numbers so that the roll starts slowly and speeds up.
void TRollDialog::Resize(bool up) {
    TRect r = GetWindowRect();
    int sign = up ? -1 : 1;
    const uint flags = SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER;  // 532
    if (animate_ && rolledHeight_ > 0) {
        for (int a = 0, b = 1; a < rolledHeight_; b = a + b, a = b - a)
            SetWindowPos(0, r.left, r.top, r.Width(), r.Height() + sign * a, flags);
    }
    SetWindowPos(0, r.left, r.top, r.Width(), r.Height() + sign * rolledHeight_, flags);
}

void TRollDialog::EvSysCommand(uint cmd, TPoint &) {
    switch (cmd & 0xFFF0) {
    case SC_MINIMIZE:
        Shrink();
        return;
    case SC_MAXIMIZE:
        Expand();
        return;
    case SC_RESTORE:
    case CmRollToggle:
        if (expanded_)
            Shrink();
        else
            Expand();
        return;
    }
    DefaultProcessing();
}
