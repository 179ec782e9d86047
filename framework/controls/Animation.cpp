#include "controls/Animation.h"

#include "core/CommonControls.h"

#include <commctrl.h>

namespace {
void RequireCommonControls() {
    if (!TCommCtrl::IsAvailable())
        TXCommCtrl::Raise();
}
}  // namespace

TAnimateCtrl::TAnimateCtrl(TWindow *parent, int id, int x, int y, int w, int h, TModule *module)
    : TWindow(parent, "", module), TControl(parent, id, "", x, y, w, h, module) {
    RequireCommonControls();
    Attr.Style = WS_CHILD | WS_VISIBLE | ACS_CENTER | ACS_TRANSPARENT;
}

TAnimateCtrl::TAnimateCtrl(TWindow *parent, int resourceId, TModule *module)
    : TWindow(parent, 0, module), TControl(parent, resourceId, module) {
    RequireCommonControls();
}

char const *TAnimateCtrl::GetClassNameA() { return ANIMATE_CLASSA; }

int TAnimateCtrl::Open(char *clip) { return SendMessageA(ACM_OPENA, 0, (LPARAM)clip) != 0; }

int TAnimateCtrl::Play(unsigned short first, unsigned short last, unsigned repeat) {
    return SendMessageA(ACM_PLAY, repeat, MAKELPARAM(first, last)) != 0;
}

void TAnimateCtrl::Stop() { SendMessageA(ACM_STOP); }
