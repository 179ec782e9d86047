#include "controls/HotKey.h"

#include "core/CommonControls.h"

namespace {
void RequireCommonControls() {
    if (!TCommCtrl::IsAvailable())
        TXCommCtrl::Raise();
}
}  // namespace

THotKey::THotKey(TWindow *parent, int id, int x, int y, int w, int h, TModule *module)
    : TControl(parent, id, 0, x, y, w, h, module) {
    RequireCommonControls();
    if (TSystem::GetPlatformId() == VER_PLATFORM_WIN32_NT)
        Attr.Style |= WS_BORDER;
}

THotKey::THotKey(TWindow *parent, int resourceId, TModule *module) : TControl(parent, resourceId, module) {
    RequireCommonControls();
}

char const *THotKey::GetClassNameA() { return HOTKEY_CLASSA; }

uint16_t THotKey::GetHotKey() { return uint16_t(SendMessageA(HKM_GETHOTKEY)); }

void THotKey::SetHotKey(uint16_t hotKey) { SendMessageA(HKM_SETHOTKEY, hotKey); }

void THotKey::SetRules(uint16_t invalid, uint16_t defaultModifiers) {
    SendMessageA(HKM_SETRULES, invalid, defaultModifiers);
}

uint THotKey::Transfer(void *buffer, TTransferDirection direction) {
    if (direction == tdGetData)
        *static_cast<uint16_t *>(buffer) = GetHotKey();
    else if (direction == tdSetData)
        SetHotKey(*static_cast<uint16_t *>(buffer));
    return sizeof(uint16_t);
}
