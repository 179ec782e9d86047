#include "core/ControlEnabler.h"

void TControlEnabler::Enable(int enable) {
    ::EnableWindow(GetReceiver(), enable != 0);
    TCommandEnabler::Enable(enable);
}

void TControlEnabler::SetText(char const *text) { ::SetWindowTextA(GetReceiver(), text); }

void TControlEnabler::SetCheck(int state) { ::SendMessageA(GetReceiver(), BM_SETCHECK, state, 0); }
