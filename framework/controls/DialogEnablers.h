// The enabling queries a dialog's rule handlers receive, one per wrapped control: they
// enable, re-label or check the control itself.
#pragma once

#include "core/VeltraneDefs.h"

#include "core/Window.h"

class TButton;
class TControl;

class VELTRANE_API ControlEnabler : public TCommandEnabler {
public:
    ControlEnabler(TControl *control, HWND receiver);

    // Disabling the control that had the focus gives the focus to its parent.
    void Enable(int enable = 1) override;
    // Sets the text only when it differs, so repeated rules do not flicker.
    void SetText(char const *text) override;
    // A control that is not a button has no check.
    void SetCheck(int state) override;

    TControl *GetControl() const { return Control; }

protected:
    TControl *Control;
};

class VELTRANE_API ButtonEnabler : public ControlEnabler {
public:
    ButtonEnabler(TButton *button, HWND receiver);
    // Check boxes and radio buttons take the state (their group box hears of it); push
    // buttons have none.
    void SetCheck(int state) override;

protected:
    TButton *Button;
};
