#include "controls/Control.h"

DEFINE_RESPONSE_TABLE1(TControl, TWindow)
    EV_WM_PAINT,
    EV_WM_COMPAREITEM,
    EV_WM_DELETEITEM,
    EV_WM_DRAWITEM,
    EV_WM_MEASUREITEM,
END_RESPONSE_TABLE;

TControl::TControl(TWindow *parent, int id, char const *title, int x, int y, int w, int h, TModule *module)
    : TWindow(parent, title, module), NativeUse(nuAttempt) {
    TWindow::Init(parent, title, module);  // when a further class does not name the virtual base
    Attr.Id = id;
    Attr.X = x, Attr.Y = y, Attr.W = w, Attr.H = h;
    Attr.Style = WS_CHILD | WS_VISIBLE | WS_GROUP | WS_TABSTOP;
}

TControl::TControl(TWindow *parent, int resourceId, TModule *module)
    : TWindow(parent, 0, module), NativeUse(nuAttempt) {
    TWindow::Init(parent, 0, module);
    // the dialog resource says how the control looks: nothing is recorded but its id
    Attr = TWindowAttr();
    Attr.Id = resourceId;
    SetFlag(wfFromResource);
    EnableTransfer();
}

TControl::TControl(HWND hwnd, TModule *module) : TWindow(hwnd, module), NativeUse(nuAttempt) {
    TWindow::Init(hwnd, module);
}

TControl::~TControl() {}

void TControl::EvPaint() {
    if (IsFlagSet(wfPredefinedClass))
        DefaultProcessing();  // the system class paints itself
    else
        TWindow::EvPaint();
}

long TControl::CompareItem(COMPAREITEMSTRUCT &) { return 0; }
void TControl::DeleteItem(DELETEITEMSTRUCT &) {}
void TControl::MeasureItem(MEASUREITEMSTRUCT &) {}
void TControl::ODADrawEntire(DRAWITEMSTRUCT &) {}
void TControl::ODAFocus(DRAWITEMSTRUCT &) {}
void TControl::ODASelect(DRAWITEMSTRUCT &) {}

void TControl::DrawItem(DRAWITEMSTRUCT &drawInfo) {
    switch (drawInfo.itemAction) {
    case ODA_DRAWENTIRE:
        ODADrawEntire(drawInfo);
        break;
    case ODA_SELECT:
        ODASelect(drawInfo);
        break;
    case ODA_FOCUS:
        ODAFocus(drawInfo);
        break;
    }
}

LRESULT TControl::EvCompareItem(WPARAM, LPARAM compareInfo) { return CompareItem(*(COMPAREITEMSTRUCT *)compareInfo); }
void TControl::EvDeleteItem(WPARAM, LPARAM deleteInfo) { DeleteItem(*(DELETEITEMSTRUCT *)deleteInfo); }
void TControl::EvDrawItem(WPARAM, LPARAM drawInfo) { DrawItem(*(DRAWITEMSTRUCT *)drawInfo); }
void TControl::EvMeasureItem(WPARAM, LPARAM measureInfo) { MeasureItem(*(MEASUREITEMSTRUCT *)measureInfo); }

ControlExtra::~ControlExtra() {}

int ControlExtra::UseRightMouseButton() { return 0; }
