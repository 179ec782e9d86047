#include "controls/DragList.h"

namespace {
uint const DragListMsg = ::RegisterWindowMessageA(DRAGLISTMSGSTRING);
}

uint TDragList::DragListMessage() { return ::RegisterWindowMessageA(DRAGLISTMSGSTRING); }

DEFINE_RESPONSE_TABLE1(TDragList, TListBox)
    EV_MESSAGE(DragListMsg, DragNotify, I32_WPARAM_LPARAM),
END_RESPONSE_TABLE;

DEFINE_RESPONSE_TABLE(TDragListEventHandler)
    EV_MESSAGE(DragListMsg, DragNotify, I32_WPARAM_LPARAM),
END_RESPONSE_TABLE;

TDragList::TDragList(TWindow *parent, int id, int x, int y, int w, int h, TModule *module)
    : TListBox(parent, id, x, y, w, h, module) {}

TDragList::TDragList(TWindow *parent, int resourceId, TModule *module) : TListBox(parent, resourceId, module) {}

int TDragList::BeginDrag(int, TPoint const &) { return 0; }
TDragList::TCursorType TDragList::Dragging(int, TPoint const &) { return dlStopCursor; }
void TDragList::Dropped(int, TPoint const &) {}
void TDragList::CancelDrag(int, TPoint const &) {}

void TDragList::SetupWindow() {
    TListBox::SetupWindow();
    if (TCommCtrlDll *dll = TCommCtrl::Dll())
        dll->MakeDragList(GetHandle());
}

void TDragList::DrawInsert(int item) {
    if (TCommCtrlDll *dll = TCommCtrl::Dll())
        dll->DrawInsert(GetParentH(), GetHandle(), item);
}

int TDragList::ItemFromPoint(TPoint const &point, bool autoScroll) {
    TCommCtrlDll *dll = TCommCtrl::Dll();
    return dll ? dll->LBItemFromPt(GetHandle(), point, autoScroll) : -1;
}

LRESULT TDragList::DragNotify(WPARAM, LPARAM info) {
    DRAGLISTINFO *drag = (DRAGLISTINFO *)info;
    if (!drag)
        return 0;
    TPoint point(drag->ptCursor);
    int item = ItemFromPoint(point, true);
    switch (drag->uNotification) {
    case DL_BEGINDRAG:
        return BeginDrag(item, point);
    case DL_DRAGGING:
        return Dragging(item, point);
    case DL_DROPPED:
        Dropped(item, point);
        return 0;
    case DL_CANCELDRAG:
        CancelDrag(item, point);
        return 0;
    }
    return 0;
}

LRESULT TDragListEventHandler::DragNotify(WPARAM wParam, LPARAM info) {
    DRAGLISTINFO *drag = (DRAGLISTINFO *)info;
    if (!drag)
        return 0;
    return ::SendMessageA(drag->hWnd, TDragList::DragListMessage(), wParam, info);
}
