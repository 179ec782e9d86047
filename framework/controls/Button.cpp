#include "controls/Button.h"

// ---- TButton

DEFINE_RESPONSE_TABLE1(TButton, TControl)
    EV_MESSAGE(WM_GETDLGCODE, EvGetDlgCode, U_WPARAM_LPARAM),
    EV_MESSAGE(BM_SETSTYLE, BMSetStyle, I32_WPARAM_LPARAM),
END_RESPONSE_TABLE;

TButton::TButton(TWindow *parent, int id, char const *text, int x, int y, int w, int h, int isDefault,
                 TModule *module)
    : TControl(parent, id, text, x, y, w, h, module), IsDefPB(0), IsCurrentDefPB(0) {
    if (isDefault)
        Attr.Style |= BS_DEFPUSHBUTTON;
}

TButton::TButton(TWindow *parent, int resourceId, TModule *module)
    : TControl(parent, resourceId, module), IsDefPB(0), IsCurrentDefPB(0) {
    DisableTransfer();
}

TButton::TButton(HWND hwnd, TModule *module) : TControl(hwnd, module), IsDefPB(0), IsCurrentDefPB(0) {}

char const *TButton::GetClassNameA() { return "BUTTON"; }

void TButton::SetupWindow() {
    // an owner-drawn default button tells the dialog itself: the system only knows push buttons
    if (IsDefPB && IsOwnerDrawn() && Parent)
        Parent->HandleMessage(DM_SETDEFID, GetId());
}

uint TButton::EvGetDlgCode(WPARAM, LPARAM) {
    if (!IsOwnerDrawn())
        return (uint)DefaultProcessing();
    return DLGC_BUTTON | (IsCurrentDefPB ? DLGC_DEFPUSHBUTTON : DLGC_UNDEFPUSHBUTTON);
}

LRESULT TButton::BMSetStyle(WPARAM style, LPARAM) {
    if (IsOwnerDrawn() && (style == BS_PUSHBUTTON || style == BS_DEFPUSHBUTTON)) {
        IsCurrentDefPB = style == BS_DEFPUSHBUTTON;
        Invalidate();
        return 0;
    }
    return DefaultProcessing();
}

// ---- InstantButton

DEFINE_RESPONSE_TABLE1(InstantButton, TButton)
    EV_WM_LBUTTONDOWN,
END_RESPONSE_TABLE;

InstantButton::InstantButton(TWindow *parent, int resourceId, TModule *module)
    : TButton(parent, resourceId, module) {}

void InstantButton::EvLButtonDown(uint modKeys, TPoint &point) {
    TButton::EvLButtonDown(modKeys, point);
    if (HWND parent = GetParentH())
        ::PostMessageA(parent, WM_COMMAND, MAKEWPARAM(GetId(), 0), 0);
}

// ---- TCheckBox

DEFINE_RESPONSE_TABLE1(TCheckBox, TButton)
    EV_MESSAGE(WM_GETDLGCODE, EvGetDlgCode, U_WPARAM_LPARAM),
    EV_NOTIFY_AT_CHILD(BN_CLICKED, BNClicked),
END_RESPONSE_TABLE;

TCheckBox::TCheckBox(TWindow *parent, int id, char const *text, int x, int y, int w, int h, TGroupBox *group,
                     TModule *module)
    : TButton(parent, id, text, x, y, w, h, 0, module), Group(group) {
    Attr.Style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX;
}

TCheckBox::TCheckBox(TWindow *parent, int resourceId, TGroupBox *group, TModule *module)
    : TButton(parent, resourceId, module), Group(group) {
    EnableTransfer();
}

TCheckBox::TCheckBox(HWND hwnd, TModule *module) : TButton(hwnd, module), Group(0) {}

void TCheckBox::SetCheck(uint state) {
    SendMessageA(BM_SETCHECK, state);
    if (Group)
        Group->SelectionChanged(GetId());
}

void TCheckBox::Toggle() {
    uint state = GetCheck();
    uint type = GetStyle() & BS_TYPEMASK;
    if (type == BS_3STATE || type == BS_AUTO3STATE)
        SetCheck((state + 1) % 3);
    else
        SetCheck(!(state & 1));
}

uint TCheckBox::Transfer(void *buffer, TTransferDirection direction) {
    if (buffer && direction == tdGetData)
        *(uint *)buffer = GetCheck();
    else if (buffer && direction == tdSetData)
        SetCheck(*(uint *)buffer);
    return sizeof(uint);
}

void TCheckBox::BNClicked() {
    if (Group)
        Group->SelectionChanged(GetId());
    DefaultProcessing();
}

// The button rule for owner-drawn buttons does not apply to boxes.
uint TCheckBox::EvGetDlgCode(WPARAM, LPARAM) { return (uint)DefaultProcessing(); }

// ---- TRadioButton

DEFINE_RESPONSE_TABLE1(TRadioButton, TCheckBox)
    EV_NOTIFY_AT_CHILD(BN_CLICKED, BNClicked),
END_RESPONSE_TABLE;

TRadioButton::TRadioButton(TWindow *parent, int id, char const *text, int x, int y, int w, int h,
                           TGroupBox *group, TModule *module)
    : TCheckBox(parent, id, text, x, y, w, h, group, module) {
    Attr.Style = WS_CHILD | WS_VISIBLE | BS_AUTORADIOBUTTON;
}

TRadioButton::TRadioButton(TWindow *parent, int resourceId, TGroupBox *group, TModule *module)
    : TCheckBox(parent, resourceId, group, module) {}

TRadioButton::TRadioButton(HWND hwnd, TModule *module) : TCheckBox(hwnd, module) {}

void TRadioButton::BNClicked() {
    if (GetCheck() == BST_CHECKED)
        TCheckBox::BNClicked();
    else
        DefaultProcessing();
}

// ---- PassiveCheckBox

DEFINE_RESPONSE_TABLE1(PassiveCheckBox, TCheckBox)
    EV_WM_SETFOCUS,
    EV_WM_LBUTTONDOWN,
    EV_WM_LBUTTONUP,
    EV_WM_LBUTTONDBLCLK,
END_RESPONSE_TABLE;

PassiveCheckBox::PassiveCheckBox(TWindow *parent, int resourceId, TModule *module)
    : TCheckBox(parent, resourceId, 0, module) {}

void PassiveCheckBox::EvSetFocus(WPARAM hWndLostFocus) {
    HWND lost = (HWND)hWndLostFocus;
    if (lost && ::IsWindow(lost))
        ::SetFocus(lost);
}

void PassiveCheckBox::EvLButtonDown(uint, TPoint &) {}
void PassiveCheckBox::EvLButtonUp(uint, TPoint &) {}
void PassiveCheckBox::EvLButtonDblClk(uint, TPoint &) {}

// ---- TGroupBox

TGroupBox::TGroupBox(TWindow *parent, int id, char const *text, int x, int y, int w, int h, TModule *module)
    : TControl(parent, id, text, x, y, w, h, module), NotifyParent(1) {
    Attr.Style = (Attr.Style | BS_GROUPBOX) & ~WS_TABSTOP;
}

TGroupBox::TGroupBox(TWindow *parent, int resourceId, TModule *module)
    : TControl(parent, resourceId, module), NotifyParent(1) {
    DisableTransfer();
}

TGroupBox::TGroupBox(HWND hwnd, TModule *module) : TControl(hwnd, module), NotifyParent(1) {}

char const *TGroupBox::GetClassNameA() { return "BUTTON"; }

void TGroupBox::SelectionChanged(int controlId) {
    if (NotifyParent)
        if (HWND parent = GetParentH())
            ::PostMessageA(parent, WM_COMMAND, MAKEWPARAM(GetId(), controlId), (LPARAM)HWindow);
}
