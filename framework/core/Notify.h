// The records that WM_NOTIFY handlers receive: each is the system's structure of the
// same layout (callers hand them to and take them from the system as they are), with a
// view as its header and value copies.
#pragma once

#include "core/EventHandler.h"

#include <windows.h>
#include <commctrl.h>
#include <richedit.h>

// The header itself (a TNotify is an NMHDR reference as it stands).
class TNotify : public NMHDR {
public:
    TNotify() : NMHDR() {}
    TNotify(HWND ctl, UINT id, UINT code) : NMHDR() {
        hwndFrom = ctl;
        idFrom = id;
        this->code = code;
    }
};

// A record's view as its header.
#define NOTIFY_HEADER(member)                                  \
    operator NMHDR &() { return member; }                      \
    operator NMHDR const &() const { return member; }

// A record class over a system structure, nothing added but the header view.
#define NOTIFY_RECORD(cls, base, member) \
    class cls : public base {            \
    public:                              \
        cls() : base() {}                \
        NOTIFY_HEADER(member)            \
    }

class TNmUpDown : public NMUPDOWN {
public:
    TNmUpDown() : NMUPDOWN() {}
    TNmUpDown(HWND ctl, UINT id, UINT code, int position, int delta) : NMUPDOWN() {
        hdr = TNotify(ctl, id, code);
        iPos = position;
        iDelta = delta;
    }
    NOTIFY_HEADER(hdr)
};

class TTabKeyDown : public NMTCKEYDOWN {
public:
    TTabKeyDown() : NMTCKEYDOWN() {}
    TTabKeyDown(HWND ctl, UINT id, UINT code, WORD key, UINT flags) : NMTCKEYDOWN() {
        hdr = TNotify(ctl, id, code);
        wVKey = key;
        this->flags = flags;
    }
    NOTIFY_HEADER(hdr)
};

NOTIFY_RECORD(THdrNotify, NMHEADERA, hdr);
NOTIFY_RECORD(TEnDropFiles, ENDROPFILES, nmhdr);
NOTIFY_RECORD(TMsgFilter, MSGFILTER, nmhdr);
NOTIFY_RECORD(TEnProtected, ENPROTECTED, nmhdr);
NOTIFY_RECORD(TReqResize, REQRESIZE, nmhdr);
NOTIFY_RECORD(TSelChange, SELCHANGE, nmhdr);
NOTIFY_RECORD(TLwNotify, NMLISTVIEW, hdr);
NOTIFY_RECORD(TLwDispInfoNotify, NMLVDISPINFOA, hdr);
NOTIFY_RECORD(TLwKeyDownNotify, NMLVKEYDOWN, hdr);
NOTIFY_RECORD(TTwNotify, NMTREEVIEWA, hdr);
NOTIFY_RECORD(TTwDispInfoNotify, NMTVDISPINFOA, hdr);
NOTIFY_RECORD(TTwKeyDownNotify, NMTVKEYDOWN, hdr);

#undef NOTIFY_RECORD
#undef NOTIFY_HEADER

// The tree view's hit-test record (no header).
class TTwHitTestInfo : public TVHITTESTINFO {
public:
    TTwHitTestInfo() : TVHITTESTINFO() {}
};

// Rows for WM_NOTIFY handlers that take only the notification code (the handler's
// result is not asked: Windows gets 0).
typedef void (*v_NotifyCode_Handler)(GENERIC &, uint);
VELTRANE_API LRESULT v_NotifyCode_Dispatch(GENERIC &, TAnyHandler, WPARAM, LPARAM);
#define EV_CHILD_NOTIFY_CODE(id, code, method) YRT_ROW(code, id, v_NotifyCode, method)
#define EV_NOTIFY_CODE_AT_CHILD(code, method) YRT_ROW(code, 0xFFFFFFFF, v_NotifyCode, method)
