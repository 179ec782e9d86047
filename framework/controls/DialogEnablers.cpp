#include "controls/DialogEnablers.h"

#include "controls/Button.h"
#include "controls/Control.h"
#include "controls/WindowUtilities.h"

ControlEnabler::ControlEnabler(TControl *control, HWND receiver)
    : TCommandEnabler(uint(control->GetId()), receiver), Control(control) {}

void ControlEnabler::Enable(int enable) {
    TCommandEnabler::Enable(enable);
    Control->EnableWindow(enable);
    if (!enable && !::GetFocus()) {
        if (HWND parent = Control->GetParentH())
            ::SetFocus(parent);
    }
}

void ControlEnabler::SetText(char const *text) { SetWindowTextIfChanged(Control->GetHandle(), text); }

void ControlEnabler::SetCheck(int) {}

ButtonEnabler::ButtonEnabler(TButton *button, HWND receiver) : ControlEnabler(button, receiver), Button(button) {}

void ButtonEnabler::SetCheck(int state) {
    if (TCheckBox *box = dynamic_cast<TCheckBox *>(Button))
        box->SetCheck(state);
}
