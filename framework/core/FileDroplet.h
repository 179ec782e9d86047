// A file dropped on a window, and the batch of deferred window moves of layouts.
#pragma once

#include "core/VeltraneDefs.h"

#include "core/EventHandler.h"
#include "core/Geometry.h"

#include <windows.h>
#include <shellapi.h>

// The drop record the system hands with WM_DROPFILES.
class VELTRANE_API TDropInfo {
public:
    TDropInfo(HDROP handle) : Handle(handle) {}
    operator HDROP() const { return Handle; }
    uint DragQueryFileCount() const { return ::DragQueryFileA(Handle, 0xFFFFFFFF, 0, 0); }
    uint DragQueryFileNameLen(uint index) const { return ::DragQueryFileA(Handle, index, 0, 0); }
    uint DragQueryFile(uint index, char *name, uint size) const { return ::DragQueryFileA(Handle, index, name, size); }
    bool DragQueryPoint(TPoint &point) const { return ::DragQueryPoint(Handle, &point) != 0; }
    void DragFinish() { ::DragFinish(Handle); }

private:
    HDROP Handle;
};

class VELTRANE_API TFileDroplet {
public:
    TFileDroplet(char const *fileName, TPoint const &point, bool inClient);
    TFileDroplet(TDropInfo const &drop, int index);
    ~TFileDroplet();
    TFileDroplet(TFileDroplet const &) = delete;
    TFileDroplet &operator=(TFileDroplet const &) = delete;

    // the very same droplet, not equal contents
    bool operator==(TFileDroplet const &other) const { return this == &other; }
    char const *GetName() const { return FileName; }
    TPoint const &GetPoint() const { return Point; }
    bool GetInClientArea() const { return InClientArea; }

private:
    char *FileName;
    TPoint Point;
    bool InClientArea;
};

// One batch of deferred window positions; a batch still open ends with the object.
class VELTRANE_API TDeferredWindowPos {
public:
    TDeferredWindowPos() : Handle(0) {}
    ~TDeferredWindowPos() { End(); }
    TDeferredWindowPos(TDeferredWindowPos const &) = delete;
    TDeferredWindowPos &operator=(TDeferredWindowPos const &) = delete;

    void Begin(int windows) { Handle = windows ? ::BeginDeferWindowPos(windows) : 0; }
    bool Add(HWND wnd, HWND after, int x, int y, int w, int h, uint flags) {
        Handle = ::DeferWindowPos(Handle, wnd, after, x, y, w, h, flags);
        return Handle != 0;
    }
    bool End() {
        if (!Handle)
            return true;
        if (!::EndDeferWindowPos(Handle))
            return false;
        Handle = 0;
        return true;
    }

private:
    HDWP Handle;
};
