// Response tables: a static table per class, searched own rows first, then the bases'.
// A row names a dispatcher (how the two message parameters are unpacked) and a handler
// trampoline made per row, which casts the object to the row's own class and calls the
// member on it, so a handler always runs on the object of the class that declared it.
#pragma once

#include "core/VeltraneDefs.h"

#include "core/Geometry.h"

#include <windows.h>

typedef unsigned int uint;

class GENERIC {};
class TCommandEnabler;
class TEventHandler;

typedef void (*TAnyHandler)();
typedef LRESULT (*TAnyDispatcher)(GENERIC &, TAnyHandler, WPARAM, LPARAM);

// One row; the end row has a null dispatcher.
struct TGenericTableEntry {
    unsigned long Msg;  // message, 0 for commands, or notification code (0xFFFFFFFF: any code)
    unsigned long Id;   // command or control identifier, 0 for plain messages
    TAnyDispatcher Dispatcher;
    TAnyHandler Handler;
};

// The rows of class T's table (T names whose members the handlers are).
template <class T>
using TResponseTableEntry = TGenericTableEntry;

class VELTRANE_API TEventHandler {
public:
    class TEventInfo {
    public:
        TEventInfo(uint msg, uint id = 0) : Msg(msg), Id(id), Object(0), Entry(0) {}
        uint const Msg;
        uint const Id;
        GENERIC *Object;
        TGenericTableEntry const *Entry;
    };
    typedef int (*TEqualOperator)(TGenericTableEntry const &, TEventInfo const &);

    virtual int Find(TEventInfo &info, TEqualOperator equal = 0);
    virtual ~TEventHandler() {}

    LRESULT Dispatch(TEventInfo &info, WPARAM wp, LPARAM lp);
    LRESULT DispatchMsg(uint msg, uint id, WPARAM wp, LPARAM lp);

    // Notification rows: same identifier, and the code given or the any-code row.
    static int EqualNotify(TGenericTableEntry const &row, TEventInfo const &info);

protected:
    int SearchEntries(TGenericTableEntry const *entries, TEventInfo &info, TEqualOperator equal);
};

// Calls a member of B on an object whose complete class is T.
template <class T, class M>
struct TTrampoline;
template <class T, class R, class B, class... A>
struct TTrampoline<T, R (B::*)(A...)> {
    template <R (B::*Member)(A...)>
    static R Call(GENERIC &object, A... args) {
        return (reinterpret_cast<T &>(object).*Member)(args...);
    }
};

// ---- dispatchers: the name tells the handler's result, then its arguments; WPARAM and
// LPARAM arguments arrive whole (they may carry pointers and handles), I32 results are
// the message's whole result

#define YRT_DISPATCHER(name, R, ...)                                                  \
    typedef R (*name##_Handler)(GENERIC &, ##__VA_ARGS__);                           \
    VELTRANE_API LRESULT name##_Dispatch(GENERIC &, TAnyHandler, WPARAM, LPARAM);

YRT_DISPATCHER(i_LPARAM, int, LPARAM)
YRT_DISPATCHER(i_WPARAM, int, WPARAM)
YRT_DISPATCHER(B_WPARAM, int, WPARAM)
YRT_DISPATCHER(B_B, int, int)
YRT_DISPATCHER(I32, LRESULT)
YRT_DISPATCHER(I32_LPARAM, LRESULT, LPARAM)
YRT_DISPATCHER(I32_U, LRESULT, uint)
YRT_DISPATCHER(B_I2, int, int)
YRT_DISPATCHER(I32_WPARAM_LPARAM, LRESULT, WPARAM, LPARAM)
YRT_DISPATCHER(U, uint)
YRT_DISPATCHER(U32, unsigned long)
YRT_DISPATCHER(B, int)
YRT_DISPATCHER(B_LPARAM, int, LPARAM)
YRT_DISPATCHER(U_LPARAM, uint, LPARAM)
YRT_DISPATCHER(U_POINT, uint, TPoint &)
YRT_DISPATCHER(U_POINTER, uint, void *)
YRT_DISPATCHER(B_POINTER, int, void *)
YRT_DISPATCHER(U_U, uint, uint)
YRT_DISPATCHER(U_B, uint, int)
YRT_DISPATCHER(B_B_U, int, int, uint)
YRT_DISPATCHER(U_U_RECT, uint, uint, TRect &)
YRT_DISPATCHER(B_U_RECT, int, uint, TRect &)
YRT_DISPATCHER(U_U_U_U, uint, uint, uint, uint)
YRT_DISPATCHER(U_U_U, uint, uint, uint)
YRT_DISPATCHER(U_B_U, uint, int, uint)
YRT_DISPATCHER(B_U_U, int, uint, uint)
YRT_DISPATCHER(B_U_U_U, int, uint, uint, uint)
YRT_DISPATCHER(U_WPARAM_LPARAM, uint, WPARAM, LPARAM)
YRT_DISPATCHER(B_WPARAM_LPARAM, int, WPARAM, LPARAM)
YRT_DISPATCHER(U_B_LPARAM, uint, int, LPARAM)
YRT_DISPATCHER(i_U_W_U, int, uint, uint, uint)
YRT_DISPATCHER(I32_MenuChar, LRESULT, uint, uint, uint)
YRT_DISPATCHER(v, void)
YRT_DISPATCHER(v_LPARAM, void, LPARAM)
YRT_DISPATCHER(v_POINT, void, TPoint &)
YRT_DISPATCHER(v_POINTER, void, void *)
YRT_DISPATCHER(v_U, void, uint)
YRT_DISPATCHER(v_U_POINT, void, uint, TPoint &)
YRT_DISPATCHER(v_U_SIZE, void, uint, TSize &)
YRT_DISPATCHER(v_U_U, void, uint, uint)
YRT_DISPATCHER(v_U_B, void, uint, int)
YRT_DISPATCHER(v_B_U, void, int, uint)
YRT_DISPATCHER(v_U_U_U, void, uint, uint, uint)
YRT_DISPATCHER(v_B_U_U, void, int, uint, uint)
YRT_DISPATCHER(v_U_U_B, void, uint, uint, int)
YRT_DISPATCHER(v_WPARAM, void, WPARAM)
YRT_DISPATCHER(v_ID, void, uint)
YRT_DISPATCHER(v_B, void, int)
YRT_DISPATCHER(v_B_B, void, int, int)
YRT_DISPATCHER(v_HWND_PCOPYDATASTRUCT, void, HWND, COPYDATASTRUCT *)
YRT_DISPATCHER(v_WPARAM_LPARAM, void, WPARAM, LPARAM)
YRT_DISPATCHER(v_U_U_W, void, uint, uint, HWND)
YRT_DISPATCHER(v_Activate, void, uint, int, HWND)
YRT_DISPATCHER(v_MdiActivate, void, HWND, HWND)
YRT_DISPATCHER(v_ParentNotify, void, uint, LPARAM, uint)
YRT_DISPATCHER(v_CommandEnable, void, TCommandEnabler &)
YRT_DISPATCHER(CtlColor, HBRUSH, HDC, HWND, uint)
YRT_DISPATCHER(B_SetCursor, int, HWND, uint, uint)
YRT_DISPATCHER(v_InitMenuPopup, void, HMENU, uint, int)
YRT_DISPATCHER(v_EnterIdle, void, uint, HWND)
YRT_DISPATCHER(v_ContextMenu, void, HWND, uint, uint)
#undef YRT_DISPATCHER

// ---- declaring tables

// A row for a member of the table's class; the handler's shape must be the dispatcher's.
#define YRT_ROW(msg, id, kind, method)                                                          \
    {(unsigned long)(msg), (unsigned long)(id), &kind##_Dispatch,                               \
     (TAnyHandler) static_cast<kind##_Handler>(                                                 \
         &TTrampoline<TMyClass, decltype(&TMyClass::method)>::template Call<&TMyClass::method>)}

#define DECLARE_RESPONSE_TABLE(cls)                                            \
private:                                                                       \
    typedef cls TMyClass;                                                      \
    static TResponseTableEntry<cls> const __entries[];                        \
                                                                               \
public:                                                                        \
    int Find(TEventInfo &info, TEqualOperator equal = 0) override

#define YRT_FIND_BEGIN(cls)                                                                   \
    int cls::Find(TEventInfo &info, TEqualOperator equal) {                                   \
        info.Object = reinterpret_cast<GENERIC *>(this);                                      \
        if (SearchEntries(__entries, info, equal))                                            \
            return 1;

#define DEFINE_RESPONSE_TABLE(cls)                                                            \
    YRT_FIND_BEGIN(cls) return TEventHandler::Find(info, equal); }                            \
    TResponseTableEntry<cls> const cls::__entries[] = {
#define DEFINE_RESPONSE_TABLE1(cls, b1)                                                       \
    YRT_FIND_BEGIN(cls) return b1::Find(info, equal); }                                       \
    TResponseTableEntry<cls> const cls::__entries[] = {
#define DEFINE_RESPONSE_TABLE2(cls, b1, b2)                                                   \
    YRT_FIND_BEGIN(cls) return b1::Find(info, equal) || b2::Find(info, equal); }              \
    TResponseTableEntry<cls> const cls::__entries[] = {
#define DEFINE_RESPONSE_TABLE3(cls, b1, b2, b3)                                               \
    YRT_FIND_BEGIN(cls) return b1::Find(info, equal) || b2::Find(info, equal) ||              \
                               b3::Find(info, equal); }                                       \
    TResponseTableEntry<cls> const cls::__entries[] = {
#define END_RESPONSE_TABLE {0, 0, 0, 0} }

// ---- rows

#define EV_MESSAGE(msg, method, kind) YRT_ROW(msg, 0, kind, method)
#define EV_COMMAND(id, method) YRT_ROW(0, id, v, method)
#define EV_COMMAND_AND_ID(id, method) YRT_ROW(0, id, v_ID, method)
#define EV_COMMAND_ENABLE(id, method) YRT_ROW(0x7FFF, id, v_CommandEnable, method)
#define EV_CHILD_NOTIFY(id, code, method) YRT_ROW(code, id, v, method)
#define EV_CHILD_NOTIFY_AND_CODE(id, code, method) YRT_ROW(code, id, v_ID, method)
#define EV_CHILD_NOTIFY_ALL_CODES(id, method) YRT_ROW(0xFFFFFFFF, id, v_ID, method)
#define EV_NOTIFY_AT_CHILD(code, method) YRT_ROW(code, 0xFFFFFFFF, v, method)

#define EV_WM_SETCURSOR YRT_ROW(WM_SETCURSOR, 0, B_SetCursor, EvSetCursor)
#define EV_WM_SIZE YRT_ROW(WM_SIZE, 0, v_U_SIZE, EvSize)
#define EV_WM_MOVE YRT_ROW(WM_MOVE, 0, v_POINT, EvMove)
#define EV_WM_COMPAREITEM YRT_ROW(WM_COMPAREITEM, 0, I32_WPARAM_LPARAM, EvCompareItem)
#define EV_WM_DELETEITEM YRT_ROW(WM_DELETEITEM, 0, v_WPARAM_LPARAM, EvDeleteItem)
#define EV_WM_DRAWITEM YRT_ROW(WM_DRAWITEM, 0, v_WPARAM_LPARAM, EvDrawItem)
#define EV_WM_MEASUREITEM YRT_ROW(WM_MEASUREITEM, 0, v_WPARAM_LPARAM, EvMeasureItem)
#define EV_WM_VSCROLL YRT_ROW(WM_VSCROLL, 0, v_U_U_W, EvVScroll)
#define EV_WM_HSCROLL YRT_ROW(WM_HSCROLL, 0, v_U_U_W, EvHScroll)
#define EV_WM_ERASEBKGND YRT_ROW(WM_ERASEBKGND, 0, B_WPARAM, EvEraseBkgnd)
#define EV_WM_PAINT YRT_ROW(WM_PAINT, 0, v, EvPaint)
#define EV_WM_LBUTTONDOWN YRT_ROW(WM_LBUTTONDOWN, 0, v_U_POINT, EvLButtonDown)
#define EV_WM_LBUTTONUP YRT_ROW(WM_LBUTTONUP, 0, v_U_POINT, EvLButtonUp)
#define EV_WM_LBUTTONDBLCLK YRT_ROW(WM_LBUTTONDBLCLK, 0, v_U_POINT, EvLButtonDblClk)
#define EV_WM_RBUTTONDOWN YRT_ROW(WM_RBUTTONDOWN, 0, v_U_POINT, EvRButtonDown)
#define EV_WM_RBUTTONUP YRT_ROW(WM_RBUTTONUP, 0, v_U_POINT, EvRButtonUp)
#define EV_WM_MOUSEMOVE YRT_ROW(WM_MOUSEMOVE, 0, v_U_POINT, EvMouseMove)
#define EV_WM_KILLFOCUS YRT_ROW(WM_KILLFOCUS, 0, v_WPARAM, EvKillFocus)
#define EV_WM_SETFOCUS YRT_ROW(WM_SETFOCUS, 0, v_WPARAM, EvSetFocus)
#define EV_WM_CREATE YRT_ROW(WM_CREATE, 0, i_LPARAM, EvCreate)
#define EV_WM_CLOSE YRT_ROW(WM_CLOSE, 0, v, EvClose)
#define EV_WM_DESTROY YRT_ROW(WM_DESTROY, 0, v, EvDestroy)
#define EV_WM_NCDESTROY YRT_ROW(WM_NCDESTROY, 0, v, EvNCDestroy)
#define EV_WM_TIMER YRT_ROW(WM_TIMER, 0, v_WPARAM, EvTimer)
#define EV_WM_KEYDOWN YRT_ROW(WM_KEYDOWN, 0, v_U_U_U, EvKeyDown)
#define EV_WM_CHAR YRT_ROW(WM_CHAR, 0, v_U_U_U, EvChar)
#define EV_WM_COPYDATA YRT_ROW(WM_COPYDATA, 0, v_HWND_PCOPYDATASTRUCT, EvCopyData)
#define EV_WM_ACTIVATE YRT_ROW(WM_ACTIVATE, 0, v_Activate, EvActivate)
#define EV_WM_MDIACTIVATE YRT_ROW(WM_MDIACTIVATE, 0, v_MdiActivate, EvMDIActivate)
#define EV_WM_PARENTNOTIFY YRT_ROW(WM_PARENTNOTIFY, 0, v_ParentNotify, EvParentNotify)
