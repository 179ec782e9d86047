#include "controls/Static.h"

#include <cstring>

DEFINE_RESPONSE_TABLE1(TStatic, TControl)
    EV_WM_SIZE,
END_RESPONSE_TABLE;

TStatic::TStatic(TWindow *parent, int id, char const *title, int x, int y, int w, int h, uint textLimit,
                 TModule *module)
    : TControl(parent, id, title, x, y, w, h, module), TextLimit(textLimit) {
    Attr.Style &= ~WS_TABSTOP;
}

TStatic::TStatic(TWindow *parent, int resourceId, uint textLimit, TModule *module)
    : TControl(parent, resourceId, module), TextLimit(textLimit) {
    DisableTransfer();
}

TStatic::TStatic(HWND hwnd, TModule *module) : TControl(hwnd, module), TextLimit(0) {}

char const *TStatic::GetClassNameA() { return "STATIC"; }

void TStatic::Clear() { SetText(""); }

uint TStatic::Transfer(void *buffer, TTransferDirection direction) {
    if (!buffer)
        return TextLimit;
    if (direction == tdGetData) {
        if (TextLimit)
            GetText((char *)buffer, TextLimit);
    } else if (direction == tdSetData) {
        SetText((char const *)buffer);
    }
    return TextLimit;
}

// A static text is laid out over its whole width: a new size repaints all of it.
void TStatic::EvSize(uint sizeType, TSize &size) {
    Invalidate(true);
    TControl::EvSize(sizeType, size);
}
