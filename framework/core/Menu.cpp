#include "core/Menu.h"

#include <cstddef>
#include <cstring>

// ---- TMenuItemInfo

TMenuItemInfo::TMenuItemInfo(uint mask) {
    std::memset(this, 0, sizeof *this);
    cbSize = sizeof *this;
    fMask = mask;
}

TMenuItemInfo::TMenuItemInfo(TMenu &menu, uint item, bool byPosition, uint mask) : TMenuItemInfo(mask) {
    menu.GetMenuItemInfoA(item, byPosition, *this);
}

TMenuItemInfo::TMenuItemInfo(TMenu &menu, uint item, bool byPosition, void *buffer, uint bufferLength, uint mask)
    : TMenuItemInfo(mask) {
    dwTypeData = (LPSTR)buffer;
    cch = bufferLength;
    menu.GetMenuItemInfoA(item, byPosition, *this);
}

static_assert(sizeof(TMenuItemInfo) == offsetof(MENUITEMINFOA, hbmpItem), "the record's first form");

// ---- TXMenu

TXMenu::TXMenu(uint resId) : TXYrt(resId) {}
TXMenu *TXMenu::Clone() const { return new TXMenu(*this); }
void TXMenu::Throw() { throw *this; }
void TXMenu::Raise(uint resId) { TXMenu(resId).Throw(); }

// ---- TMenu

TMenu::TMenu(TAutoDelete autoDelete) : Handle(::CreateMenu()), ShouldDelete(autoDelete) { CheckValid(); }

TMenu::TMenu(TMenu const &original, TAutoDelete autoDelete) : Handle(::CreateMenu()), ShouldDelete(autoDelete) {
    CheckValid();
    DeepCopy(*this, -1, original);
}

TMenu::TMenu(HMENU handle, TAutoDelete autoDelete) : Handle(handle), ShouldDelete(autoDelete) {}

TMenu::TMenu(HWND window, TAutoDelete autoDelete) : Handle(::GetMenu(window)), ShouldDelete(autoDelete) {
    CheckValid();
}

TMenu::TMenu(void const *menuTemplate)
    : Handle(::LoadMenuIndirectA((MENUTEMPLATEA const *)menuTemplate)), ShouldDelete(AutoDelete) {
    CheckValid();
}

TMenu::TMenu(HINSTANCE instance, TResId resId) : Handle(::LoadMenuA(instance, resId)), ShouldDelete(AutoDelete) {
    CheckValid();
}

TMenu::~TMenu() {
    if (ShouldDelete && Handle)
        ::DestroyMenu(Handle);
}

void TMenu::CheckValid(uint resId) {
    if (!Handle)
        TXMenu::Raise(resId);
}

TMenu &TMenu::operator=(TMenu const &other) {
    if (&other == this || other.GetHandle() == GetHandle())
        return *this;  // emptying first would lose the items to copy
    while (GetMenuItemCount() > 0)
        DeleteMenu(0, MF_BYPOSITION);
    DeepCopy(*this, -1, other);
    return *this;
}

TSize TMenu::GetMenuCheckMarkDimensions() {
    LONG v = ::GetMenuCheckMarkDimensions();
    return TSize(LOWORD(v), HIWORD(v));
}

bool TMenu::GetMenuCheckMarkDimensions(TSize &size) {
    size = GetMenuCheckMarkDimensions();
    return true;
}

uint TMenu::GetMenuItemID(int position) const {
    uint state = GetMenuState(position, MF_BYPOSITION);
    if (state != 0xFFFFFFFF && (state & MF_POPUP)) {
        TMenu sub(GetSubMenu(position), NoAutoDelete);
        return sub.GetMenuItemCount() > 0 ? sub.GetMenuItemID(0) - 1 : uint(0) - 1;
    }
    if (state != 0xFFFFFFFF && (state & MF_SEPARATOR))
        return 0;
    return ::GetMenuItemID(GetHandle(), position);
}

void TMenu::DeepCopy(TMenu &dst, int dstPos, TMenu const &src, int srcPos, int count) {
    int end = count < 0 ? src.GetMenuItemCount() : srcPos + count;
    for (int pos = srcPos, k = 0; pos < end; ++pos, ++k) {
        // The item is read and written through the item records, so bitmap and
        // owner-drawn items keep their handles and data instead of passing a
        // handle as text.
        MENUITEMINFOA info = {};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE;
        if (!::GetMenuItemInfoA(src.GetHandle(), pos, TRUE, &info))
            return;
        char text[257] = "";  // a text longer than 255 is cut, however the system terminates it
        bool isText = !(info.fType & (MFT_BITMAP | MFT_OWNERDRAW | MFT_SEPARATOR));
        info.fMask = MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_CHECKMARKS | MIIM_DATA |
                     (isText ? MIIM_FTYPE | MIIM_STRING : MIIM_TYPE);
        info.dwTypeData = isText ? text : 0;
        info.cch = 256;
        if (!::GetMenuItemInfoA(src.GetHandle(), pos, TRUE, &info))
            return;
        if (isText) {
            text[255] = 0;
            info.dwTypeData = text;
        }
        if (info.hSubMenu) {
            HMENU copy = ::CreatePopupMenu();
            TMenu wrapped(copy, NoAutoDelete);
            DeepCopy(wrapped, -1, TMenu(info.hSubMenu, NoAutoDelete));
            info.hSubMenu = copy;  // owned by the destination from now on
            info.fState = 0;       // a sub-menu item's grey or disabled state is not carried over
        }
        uint at = dstPos < 0 ? uint(dst.GetMenuItemCount()) : uint(dstPos + k);
        if (!::InsertMenuItemA(dst.GetHandle(), at, TRUE, &info) && info.hSubMenu)
            ::DestroyMenu(info.hSubMenu);
    }
}

// ---- kinds

TSystemMenu::TSystemMenu(HWND window, int revert) : TMenu(::GetSystemMenu(window, revert), NoAutoDelete) {}

TPopupMenu::TPopupMenu(TAutoDelete autoDelete) : TMenu(::CreatePopupMenu(), autoDelete) { CheckValid(); }

TPopupMenu::TPopupMenu(HMENU handle, TAutoDelete autoDelete) : TMenu(handle, autoDelete) {}

TPopupMenu::TPopupMenu(TMenu &menu, TAutoDelete autoDelete) : TMenu(::CreatePopupMenu(), autoDelete) {
    CheckValid();
    DeepCopy(*this, -1, menu);
}

int TPopupMenu::TrackPopupMenu(uint flags, int x, int y, int reserved, HWND window, TRect const *rect) {
    return ::TrackPopupMenu(GetHandle(), flags, x, y, reserved, window, rect);
}

int TPopupMenu::TrackPopupMenu(uint flags, TPoint const &point, int reserved, HWND window, TRect const *rect) {
    return TrackPopupMenu(flags, point.x, point.y, reserved, window, rect);
}

TContextMenu::TContextMenu() : TPopupMenu(AutoDelete) {}

void TContextMenu::AppendMenuCopy(TMenu &menu) { DeepCopy(*this, -1, menu); }

void TContextMenu::InsertMenuCopy(int position, TMenu &menu) { DeepCopy(*this, position, menu); }
