// Applies an enabling answer to a control of a dialog: the control is the receiver, so
// only handlers that answer for its identifier change it.
#pragma once

#include "core/VeltraneDefs.h"

#include "core/Window.h"

class VELTRANE_API TControlEnabler : public TCommandEnabler {
public:
    TControlEnabler(uint id, HWND control = 0) : TCommandEnabler(id, control) {}

    void Enable(int enable = 1) override;
    void SetText(char const *text) override;
    void SetCheck(int state) override;
};
