#include "core/EventHandler.h"

int TEventHandler::Find(TEventInfo &, TEqualOperator) { return 0; }

int TEventHandler::SearchEntries(TGenericTableEntry const *row, TEventInfo &info, TEqualOperator equal) {
    for (; row->Dispatcher; row++) {
        bool match = equal ? equal(*row, info) != 0 : row->Msg == info.Msg && row->Id == info.Id;
        if (match) {
            info.Entry = row;
            return 1;
        }
    }
    return 0;
}

LRESULT TEventHandler::Dispatch(TEventInfo &info, WPARAM wp, LPARAM lp) {
    return info.Entry->Dispatcher(*info.Object, info.Entry->Handler, wp, lp);
}

LRESULT TEventHandler::DispatchMsg(uint msg, uint id, WPARAM wp, LPARAM lp) {
    TEventInfo info(msg, id);
    return Find(info) ? Dispatch(info, wp, lp) : 0;
}

int TEventHandler::EqualNotify(TGenericTableEntry const &row, TEventInfo const &info) {
    return row.Id == info.Id && (row.Msg == 0xFFFFFFFF || row.Msg == info.Msg);
}

namespace {
// Mouse positions: both halves sign-extended.
TPoint PointOf(LPARAM lp) { return TPoint((short)LOWORD(lp), (short)HIWORD(lp)); }
}  // namespace

#define H(kind) reinterpret_cast<kind##_Handler>(h)
#define D(kind) LRESULT kind##_Dispatch(GENERIC &o, TAnyHandler h, WPARAM w, LPARAM l)
#define LO(x) uint(LOWORD(x))
#define HI(x) uint(HIWORD(x))

D(i_LPARAM) { return H(i_LPARAM)(o, l); }
D(i_WPARAM) { return H(i_WPARAM)(o, w); }
D(B_WPARAM) { return H(B_WPARAM)(o, w); }
D(B_B) { return H(B_B)(o, int(w)); }
D(I32) { return LRESULT(H(I32)(o)); }
D(I32_LPARAM) { return H(I32_LPARAM)(o, l); }
D(I32_U) { return H(I32_U)(o, uint(l)); }
D(B_I2) { return H(B_I2)(o, int(l)); }
D(I32_WPARAM_LPARAM) { return H(I32_WPARAM_LPARAM)(o, w, l); }
D(U) { return LRESULT(H(U)(o)); }
D(U32) { return LRESULT(H(U32)(o)); }
D(B) { return H(B)(o); }
D(B_LPARAM) { return H(B_LPARAM)(o, l) ? 1 : 0; }
D(U_LPARAM) { return LRESULT(H(U_LPARAM)(o, l)); }
D(U_POINT) {
    TPoint p = PointOf(l);
    return LRESULT(H(U_POINT)(o, p));
}
D(U_POINTER) { return LRESULT(H(U_POINTER)(o, (void *)l)); }
D(B_POINTER) { return H(B_POINTER)(o, (void *)l); }
D(U_U) { return LRESULT(H(U_U)(o, w)); }
D(U_B) { return LRESULT(H(U_B)(o, int(w))); }
D(B_B_U) { return H(B_B_U)(o, int(w), uint(l)); }
D(U_U_RECT) { return LRESULT(H(U_U_RECT)(o, w, *(TRect *)l)); }
D(B_U_RECT) { return H(B_U_RECT)(o, w, *(TRect *)l); }
D(U_U_U_U) { return LRESULT(H(U_U_U_U)(o, w, LO(l), HI(l))); }
D(U_U_U) { return LRESULT(H(U_U_U)(o, w, uint(l))); }
D(U_B_U) { return LRESULT(H(U_B_U)(o, int(w), uint(l))); }
D(B_U_U) { return H(B_U_U)(o, w, uint(l)); }
D(B_U_U_U) { return H(B_U_U_U)(o, w, LO(l), HI(l)); }
D(U_WPARAM_LPARAM) { return LRESULT(H(U_WPARAM_LPARAM)(o, w, l)); }
D(B_WPARAM_LPARAM) { return H(B_WPARAM_LPARAM)(o, w, l); }
D(U_B_LPARAM) { return LRESULT(H(U_B_LPARAM)(o, int(w), l)); }
D(i_U_W_U) { return H(i_U_W_U)(o, LO(w), uint(l), HI(w)); }
D(I32_MenuChar) { return H(I32_MenuChar)(o, LO(w), HI(w), uint(l)); }
D(v) { H(v)(o); return 0; }
D(v_LPARAM) { H(v_LPARAM)(o, l); return 0; }
D(v_POINT) {
    TPoint p = PointOf(l);
    H(v_POINT)(o, p);
    return 0;
}
D(v_POINTER) { H(v_POINTER)(o, (void *)l); return 0; }
D(v_U) { H(v_U)(o, uint(l)); return 0; }
D(v_U_POINT) {
    TPoint p = PointOf(l);
    H(v_U_POINT)(o, w, p);
    return 0;
}
D(v_U_SIZE) {
    TSize s((short)LOWORD(l), (short)HIWORD(l));
    H(v_U_SIZE)(o, w, s);
    return 0;
}
D(v_U_U) { H(v_U_U)(o, w, uint(l)); return 0; }
D(v_U_B) { H(v_U_B)(o, w, int(l)); return 0; }
D(v_B_U) { H(v_B_U)(o, int(w), uint(l)); return 0; }
D(v_U_U_U) { H(v_U_U_U)(o, w, LO(l), HI(l)); return 0; }
D(v_B_U_U) { H(v_B_U_U)(o, int(w), LO(l), HI(l)); return 0; }
D(v_U_U_B) { H(v_U_U_B)(o, w, LO(l), int(HIWORD(l))); return 0; }
D(v_WPARAM) { H(v_WPARAM)(o, w); return 0; }
D(v_ID) { H(v_ID)(o, uint(w)); return 0; }
D(v_B) { H(v_B)(o, int(w)); return 0; }
D(v_B_B) { H(v_B_B)(o, int(w), int(l)); return 0; }
D(v_HWND_PCOPYDATASTRUCT) { H(v_HWND_PCOPYDATASTRUCT)(o, (HWND)w, (COPYDATASTRUCT *)l); return 1; }
D(v_WPARAM_LPARAM) { H(v_WPARAM_LPARAM)(o, w, l); return 0; }
D(v_U_U_W) { H(v_U_U_W)(o, LO(w), HI(w), (HWND)l); return 0; }
D(v_Activate) { H(v_Activate)(o, LO(w), int(HIWORD(w)), (HWND)l); return 0; }
D(v_MdiActivate) { H(v_MdiActivate)(o, (HWND)l, (HWND)w); return 0; }
// A child's creation or end comes with the child's handle and identifier, a mouse event
// reported by a child with the point.
D(v_ParentNotify) {
    if (LOWORD(w) >= 0x200 && LOWORD(w) <= 0x209)
        H(v_ParentNotify)(o, uint(w), l, 0);
    else
        H(v_ParentNotify)(o, LO(w), l, HI(w));
    return 0;
}
D(v_CommandEnable) { H(v_CommandEnable)(o, *(TCommandEnabler *)l); return 0; }
// The system sends the typed WM_CTLCOLOR... messages, which TWindow::EvWin32CtlColor routes
// to these rows with their control type; a bare WM_CTLCOLOR counts as a message box's.
D(B_SetCursor) { return H(B_SetCursor)(o, (HWND)w, LO(l), HI(l)); }
D(v_InitMenuPopup) { H(v_InitMenuPopup)(o, (HMENU)w, LO(l), int(HIWORD(l))); return 0; }
D(v_EnterIdle) { H(v_EnterIdle)(o, uint(w), (HWND)l); return 0; }
D(v_ContextMenu) { H(v_ContextMenu)(o, (HWND)w, LO(l), HI(l)); return 0; }
D(CtlColor) { return LRESULT(H(CtlColor)(o, (HDC)w, (HWND)l, CTLCOLOR_MSGBOX)); }
