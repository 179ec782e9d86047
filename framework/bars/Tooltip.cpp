#include "bars/Tooltip.h"

#include "core/CommonControls.h"

TTooltip::TTooltip(TWindow *parent, int alwaysTip, TModule *module)
    : TControl(parent, 0, 0, 0, 0, 0, 0, module) {
    bool look3d = TSystem::Has3dUI();
    Attr.Style = WS_POPUP | WS_DISABLED;
    if (!look3d)
        Attr.Style |= WS_VISIBLE;
    if (alwaysTip)
        Attr.Style |= TTS_ALWAYSTIP;
    if (look3d)
        Attr.ExStyle |= WS_EX_WINDOWEDGE;
    else
        Attr.Style |= WS_BORDER;
    Attr.ExStyle |= WS_EX_TOPMOST;
    // asking also loads the library, which registers the control's class
    NativeUse = TCommCtrl::IsAvailable() ? nuUsing : nuNever;
}

TTooltip::TTooltip(HWND hwnd, TModule *module) : TControl(hwnd, module) {}

char const *TTooltip::GetClassNameA() { return TOOLTIPS_CLASSA; }
