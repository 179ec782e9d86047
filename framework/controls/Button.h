// The controls of the system's button class: push buttons, check boxes with their radio
// and passive variants, group boxes that hear their boxes' changes, and a button that
// fires on the press.
#pragma once

#include "controls/Control.h"

class TGroupBox;

class VELTRANE_API TButton : public TControl {
public:
    TButton(TWindow *parent, int id, char const *text, int x, int y, int w, int h, int isDefault = 0,
            TModule *module = 0);
    // Resource form: takes no part in transfer.
    TButton(TWindow *parent, int resourceId, TModule *module = 0);
    TButton(HWND hwnd, TModule *module = 0);

    void Click() { SendMessageA(BM_CLICK); }
    uint GetState() const { return (uint)SendMessageA(BM_GETSTATE); }
    void SetState(uint state) { SendMessageA(BM_SETSTATE, state); }
    using TWindow::SetStyle;
    void SetStyle(uint style, int redraw) { SendMessageA(BM_SETSTYLE, style, MAKELPARAM(redraw, 0)); }
    HANDLE GetImage() const { return (HANDLE)SendMessageA(BM_GETIMAGE, 0); }
    HANDLE SetImage(HANDLE image) { return (HANDLE)SendMessageA(BM_SETIMAGE, 0, (LPARAM)image); }

    int GetIsDefPB() const { return IsDefPB; }
    void SetIsDefPB(int isDefault) { IsDefPB = isDefault; }
    int GetIsCurrentDefPB() const { return IsCurrentDefPB; }
    void SetIsCurrentDefPB(int isCurrent) { IsCurrentDefPB = isCurrent; }

    char const *GetClassNameA() override;
    void SetupWindow() override;

protected:
    bool IsOwnerDrawn() const { return (GetStyle() & BS_OWNERDRAW) == BS_OWNERDRAW; }
    uint EvGetDlgCode(WPARAM key, LPARAM msg);
    LRESULT BMSetStyle(WPARAM style, LPARAM redraw);

    int IsDefPB;         // the dialog's default push button
    int IsCurrentDefPB;  // shows as the default now

    DECLARE_RESPONSE_TABLE(TButton);
};

// A button whose command goes to the parent when it is pressed, not when released.
class VELTRANE_API InstantButton : public TButton {
public:
    InstantButton(TWindow *parent, int resourceId, TModule *module = 0);

protected:
    void EvLButtonDown(uint modKeys, TPoint &point);

    DECLARE_RESPONSE_TABLE(InstantButton);
};

class VELTRANE_API TCheckBox : public TButton {
public:
    TCheckBox(TWindow *parent, int id, char const *text, int x, int y, int w, int h, TGroupBox *group = 0,
              TModule *module = 0);
    // Resource form: takes part in transfer.
    TCheckBox(TWindow *parent, int resourceId, TGroupBox *group = 0, TModule *module = 0);
    TCheckBox(HWND hwnd, TModule *module = 0);

    uint GetCheck() const { return (uint)SendMessageA(BM_GETCHECK); }
    void SetCheck(uint state);
    void Check() { SetCheck(BST_CHECKED); }
    void Uncheck() { SetCheck(BST_UNCHECKED); }
    void Toggle();
    TGroupBox *GetGroup() const { return Group; }
    void SetGroup(TGroupBox *group) { Group = group; }

    // A 32-bit check state.
    uint Transfer(void *buffer, TTransferDirection direction) override;

protected:
    void BNClicked();
    uint EvGetDlgCode(WPARAM key, LPARAM msg);

    TGroupBox *Group;

    DECLARE_RESPONSE_TABLE(TCheckBox);
};

class VELTRANE_API TRadioButton : public TCheckBox {
public:
    TRadioButton(TWindow *parent, int id, char const *text, int x, int y, int w, int h, TGroupBox *group = 0,
                 TModule *module = 0);
    TRadioButton(TWindow *parent, int resourceId, TGroupBox *group = 0, TModule *module = 0);
    TRadioButton(HWND hwnd, TModule *module = 0);

protected:
    // Only a button that becomes checked tells its group.
    void BNClicked();

    DECLARE_RESPONSE_TABLE(TRadioButton);
};

// A check box that shows a state the program sets: the user can neither change nor focus it.
class VELTRANE_API PassiveCheckBox : public TCheckBox {
public:
    PassiveCheckBox(TWindow *parent, int resourceId, TModule *module = 0);

protected:
    void EvSetFocus(WPARAM hWndLostFocus);
    void EvLButtonDown(uint modKeys, TPoint &point);
    void EvLButtonUp(uint modKeys, TPoint &point);
    void EvLButtonDblClk(uint modKeys, TPoint &point);

    DECLARE_RESPONSE_TABLE(PassiveCheckBox);
};

class VELTRANE_API TGroupBox : public TControl {
public:
    TGroupBox(TWindow *parent, int id, char const *text, int x, int y, int w, int h, TModule *module = 0);
    // Resource form: takes no part in transfer.
    TGroupBox(TWindow *parent, int resourceId, TModule *module = 0);
    TGroupBox(HWND hwnd, TModule *module = 0);

    int GetTextLen() const { return GetWindowTextLengthA(); }
    int GetText(char *buffer, int size) const { return GetWindowTextA(buffer, size); }
    void SetText(char const *text) { SetWindowTextA(text); }
    int GetNotifyParent() const { return NotifyParent; }
    void SetNotifyParent(int notify) { NotifyParent = notify; }

    // Posts WM_COMMAND (own id, changed control's id as the code) to the parent.
    virtual void SelectionChanged(int controlId);

    char const *GetClassNameA() override;

protected:
    int NotifyParent;
};
