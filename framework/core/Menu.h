// Menu objects: the owner of a menu handle with its kinds (system, pop-up, context),
// the extended item record, the menu exception and the deep copy of items.
#pragma once

#include "core/VeltraneDefs.h"

#include "core/GdiObject.h"
#include "core/Geometry.h"
#include "core/TArrays.h"
#include "core/XBase.h"

#include <windows.h>

class TModule;

// The system's extended item record in its first form (44 bytes on 32-bit Windows).
struct VELTRANE_API TMenuItemInfo {
    TMenuItemInfo(uint mask = 0);
    TMenuItemInfo(class TMenu &menu, uint item, bool byPosition, uint mask);
    TMenuItemInfo(class TMenu &menu, uint item, bool byPosition, void *buffer, uint bufferLength, uint mask);
    operator MENUITEMINFOA *() { return reinterpret_cast<MENUITEMINFOA *>(this); }
    operator MENUITEMINFOA const *() const { return reinterpret_cast<MENUITEMINFOA const *>(this); }

    UINT cbSize;
    UINT fMask;
    UINT fType;
    UINT fState;
    UINT wID;
    HMENU hSubMenu;
    HBITMAP hbmpChecked;
    HBITMAP hbmpUnchecked;
    ULONG_PTR dwItemData;
    LPSTR dwTypeData;
    UINT cch;
};

class VELTRANE_API TXMenu : public TXYrt {
public:
    TXMenu(uint resId = IDS_MENUFAILURE);
    TXMenu *Clone() const override;
    [[noreturn]] void Throw() override;
    [[noreturn]] static void Raise(uint resId = IDS_MENUFAILURE);
};

class VELTRANE_API TMenu {
public:
    TMenu(TAutoDelete autoDelete = AutoDelete);
    TMenu(TMenu const &original, TAutoDelete autoDelete = AutoDelete);
    TMenu(HMENU handle, TAutoDelete autoDelete = NoAutoDelete);
    TMenu(HWND window, TAutoDelete autoDelete = NoAutoDelete);
    TMenu(void const *menuTemplate);
    TMenu(HINSTANCE instance, TResId resId);
    virtual ~TMenu();
    // Empties this menu and copies the other's items into it.
    TMenu &operator=(TMenu const &other);

    virtual HMENU GetHandle() const { return Handle; }
    virtual void MeasureItem(MEASUREITEMSTRUCT &) {}
    virtual void DrawItem(DRAWITEMSTRUCT &) {}
    operator HMENU() const { return GetHandle(); }
    operator uint() const { return uint(UINT_PTR(GetHandle())); }
    bool IsOK() const { return GetHandle() != 0; }

    BOOL AppendMenuA(uint flags, UINT_PTR id = 0, char const *text = 0) {
        return ::AppendMenuA(GetHandle(), flags, id, text);
    }
    BOOL AppendMenuA(uint flags, UINT_PTR id, TBitmap const &bitmap) {
        return ::AppendMenuA(GetHandle(), flags | MF_BITMAP, id, (char const *)bitmap.GetHandle());
    }
    BOOL InsertMenuA(uint position, uint flags, UINT_PTR id = 0, char const *text = 0) {
        return ::InsertMenuA(GetHandle(), position, flags, id, text);
    }
    BOOL InsertMenuA(uint position, uint flags, UINT_PTR id, TBitmap const &bitmap) {
        return ::InsertMenuA(GetHandle(), position, flags | MF_BITMAP, id, (char const *)bitmap.GetHandle());
    }
    BOOL ModifyMenuA(uint position, uint flags, UINT_PTR id = 0, char const *text = 0) {
        return ::ModifyMenuA(GetHandle(), position, flags, id, text);
    }
    BOOL ModifyMenuA(uint position, uint flags, UINT_PTR id, TBitmap const &bitmap) {
        return ::ModifyMenuA(GetHandle(), position, flags | MF_BITMAP, id, (char const *)bitmap.GetHandle());
    }
    DWORD CheckMenuItem(uint item, uint check) { return ::CheckMenuItem(GetHandle(), item, check); }
    BOOL EnableMenuItem(uint item, uint enable) { return ::EnableMenuItem(GetHandle(), item, enable); }
    BOOL DeleteMenu(uint item, uint flags) { return ::DeleteMenu(GetHandle(), item, flags); }
    BOOL RemoveMenu(uint item, uint flags) { return ::RemoveMenu(GetHandle(), item, flags); }
    int GetMenuItemCount() const { return ::GetMenuItemCount(GetHandle()); }
    uint GetMenuState(uint item, uint flags) const { return ::GetMenuState(GetHandle(), item, flags); }
    int GetMenuStringA(uint item, char *text, int size, uint flags) const {
        return ::GetMenuStringA(GetHandle(), item, text, size, flags);
    }
    HMENU GetSubMenu(int position) const { return ::GetSubMenu(GetHandle(), position); }
    BOOL SetMenuItemBitmaps(uint item, uint flags, TBitmap const *unchecked = 0, TBitmap const *checked = 0) {
        return ::SetMenuItemBitmaps(GetHandle(), item, flags, unchecked ? unchecked->GetHandle() : 0,
                                    checked ? checked->GetHandle() : 0);
    }
    uint GetDefaultItem(bool byPosition, uint flags) const { return ::GetMenuDefaultItem(GetHandle(), byPosition, flags); }
    BOOL SetDefaultItem(uint item, bool byPosition) { return ::SetMenuDefaultItem(GetHandle(), item, byPosition); }
    bool CheckRadioItem(uint first, uint last, uint check, uint flags) {
        return ::CheckMenuRadioItem(GetHandle(), first, last, check, flags) != 0;
    }
    bool GetMenuItemInfoA(uint item, bool byPosition, TMenuItemInfo &info) const {
        return ::GetMenuItemInfoA(GetHandle(), item, byPosition, info) != 0;
    }
    bool SetMenuItemInfoA(uint item, bool byPosition, TMenuItemInfo &info) {
        return ::SetMenuItemInfoA(GetHandle(), item, byPosition, info) != 0;
    }
    bool InsertMenuItemA(uint item, bool byPosition, TMenuItemInfo const &info) {
        return ::InsertMenuItemA(GetHandle(), item, byPosition, info) != 0;
    }
    static TSize GetMenuCheckMarkDimensions();
    static bool GetMenuCheckMarkDimensions(TSize &size);

    // A separator 0; a sub-menu its first item's identifier minus 1 (recursively).
    uint GetMenuItemID(int position) const;

    // Copies count items (all when negative) of src from srcPos into dst, inserted
    // from dstPos on (appended when negative). Sub-menus are copied deeply.
    static void DeepCopy(TMenu &dst, int dstPos, TMenu const &src, int srcPos = 0, int count = -1);

protected:
    void CheckValid(uint resId = IDS_MENUFAILURE);
    HMENU Handle;
    TAutoDelete ShouldDelete;
};

class VELTRANE_API TSystemMenu : public TMenu {
public:
    TSystemMenu(HWND window, int revert = 0);
};

class VELTRANE_API TPopupMenu : public TMenu {
public:
    TPopupMenu(TAutoDelete autoDelete = AutoDelete);
    TPopupMenu(HMENU handle, TAutoDelete autoDelete = NoAutoDelete);
    TPopupMenu(TMenu &menu, TAutoDelete autoDelete = AutoDelete);
    int TrackPopupMenu(uint flags, int x, int y, int reserved, HWND window, TRect const *rect = 0);
    int TrackPopupMenu(uint flags, TPoint const &point, int reserved, HWND window, TRect const *rect = 0);
};

class VELTRANE_API TContextMenu : public TPopupMenu {
public:
    TContextMenu();
    void AppendMenuCopy(TMenu &menu);
    void InsertMenuCopy(int position, TMenu &menu);
};
