// Menus: a wrapper of a menu handle and the pop-up form that can be tracked.
#pragma once

#include "VeltraneDefs.h"

#include <windows.h>

class VELTRANE_API TMenu {
public:
    TMenu(HMENU handle = 0, bool autoDelete = false) : Handle(handle), ShouldDelete(autoDelete) {}
    virtual ~TMenu() {
        if (ShouldDelete && Handle)
            ::DestroyMenu(Handle);
    }
    TMenu(TMenu const &) = delete;
    TMenu &operator=(TMenu const &) = delete;

    operator HMENU() const { return Handle; }
    HMENU GetHandle() const { return Handle; }
    int GetMenuItemCount() const { return ::GetMenuItemCount(Handle); }
    unsigned GetMenuItemID(int pos) const { return ::GetMenuItemID(Handle, pos); }
    unsigned GetMenuState(unsigned item, unsigned flags) const { return ::GetMenuState(Handle, item, flags); }

protected:
    HMENU Handle;
    bool ShouldDelete;
};

class VELTRANE_API TPopupMenu : public TMenu {
public:
    TPopupMenu() : TMenu(::CreatePopupMenu(), true) {}
    TPopupMenu(HMENU handle, bool autoDelete = false) : TMenu(handle, autoDelete) {}
    int TrackPopupMenu(unsigned flags, int x, int y, int reserved, HWND wnd, RECT const *rect = 0) {
        return ::TrackPopupMenu(Handle, flags, x, y, reserved, wnd, rect);
    }
};
