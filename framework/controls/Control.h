// The base of the window objects that stand for controls: owner-drawn items are handed
// to overridable members, and every wrapper is built as a new window, as a control of a
// dialog resource (by id) or as an alias of a window that exists.
#pragma once

#include "core/Window.h"

// How far a control prefers the system's own implementation to a drawn one.
enum TNativeUse { nuNever = 0, nuAvoid = 1, nuAttempt = 2, nuUsing = 4 };

class VELTRANE_API TControl : virtual public TWindow {
public:
    // A new child window: id, position and size; style WS_CHILD|WS_VISIBLE|WS_GROUP|WS_TABSTOP.
    TControl(TWindow *parent, int id, char const *title, int x, int y, int w, int h, TModule *module = 0);
    // The control with this id of the parent's dialog resource; takes part in transfer.
    TControl(TWindow *parent, int resourceId, TModule *module = 0);
    // An alias of a window that exists.
    TControl(HWND hwnd, TModule *module = 0);
    ~TControl() override;

    TNativeUse GetNativeUse() const { return NativeUse; }

    // Owner-drawn items, as the parent forwards them.
    virtual long CompareItem(COMPAREITEMSTRUCT &compareInfo);
    virtual void DeleteItem(DELETEITEMSTRUCT &deleteInfo);
    virtual void MeasureItem(MEASUREITEMSTRUCT &measureInfo);
    virtual void DrawItem(DRAWITEMSTRUCT &drawInfo);
    virtual void ODADrawEntire(DRAWITEMSTRUCT &drawInfo);
    virtual void ODAFocus(DRAWITEMSTRUCT &drawInfo);
    virtual void ODASelect(DRAWITEMSTRUCT &drawInfo);

protected:
    void EvPaint();
    LRESULT EvCompareItem(WPARAM ctrlId, LPARAM compareInfo);
    void EvDeleteItem(WPARAM ctrlId, LPARAM deleteInfo);
    void EvDrawItem(WPARAM ctrlId, LPARAM drawInfo);
    void EvMeasureItem(WPARAM ctrlId, LPARAM measureInfo);

    TNativeUse NativeUse;

    DECLARE_RESPONSE_TABLE(TControl);
};

// Mix-in of controls that answer the library's extra questions. A control that handles
// the right mouse button itself says so, and dialogs then show no context help for it.
class VELTRANE_API ControlExtra {
public:
    virtual ~ControlExtra();
    virtual int UseRightMouseButton();
};
