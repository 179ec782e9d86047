// The object that stands for one window: creation attributes, creation, binding through
// a per-window thunk, the window procedure and command routing. Services that do not
// touch the message path are in WindowServices.cpp.
#pragma once

#include "core/VeltraneDefs.h"

#include "core/Color.h"
#include "core/EventHandler.h"
#include "core/Geometry.h"
#include "core/MessageBoxSeam.h"
#include "core/Module.h"
#include "core/Notify.h"
#include "core/System.h"
#include "core/TArrays.h"
#include "core/WindowFlags.h"

#include <windows.h>
#include <shellapi.h>

#include <cstdint>

class TApplication;
class TDC;
class TRegion;
class TScroller;
class TPopupMenu;

// The registered message every framework window answers with its object.
extern VELTRANE_API uint GetWindowPtrMsgId;
VELTRANE_API uint RegisterWindowPtrMsg();

enum TTransferDirection { tdGetData, tdSetData, tdSizeData };

#undef GetWindowTask  // the system headers' macro of the same name

#ifndef WM_CTLCOLOR
#define WM_CTLCOLOR 0x0019  // the old single control-colour message, still routed to its rows
#endif

// Asks a command's handlers whether it is enabled (private message 0x7FFF).
class VELTRANE_API TCommandEnabler {
public:
    TCommandEnabler(uint id, HWND receiver = 0) : Id(id), HWndReceiver(receiver), Flags(0) {}
    virtual ~TCommandEnabler() {}
    virtual void Enable(int enable = 1) { (void)enable; Flags |= Handled; }
    virtual void SetText(char const *text) = 0;
    virtual void SetCheck(int state) = 0;
    enum { Unchecked, Checked, Indeterminate };

    uint GetId() const { return Id; }
    bool SendsCommand() const { return !(Flags & NonSender); }
    bool GetHandled() const { return Flags & Handled; }
    bool IsReceiver(HWND hwnd) const { return hwnd == HWndReceiver; }
    HWND GetReceiver() const { return HWndReceiver; }
    void SetReceiver(HWND hwnd) { HWndReceiver = hwnd; }

protected:
    void SetHandled() { Flags |= Handled; }
    enum { Handled = 1, NonSender = 2 };
    uint Id;
    HWND HWndReceiver;
    uint Flags;
};

// Enabling of one item of a menu.
class VELTRANE_API TMenuItemEnabler : public TCommandEnabler {
public:
    TMenuItemEnabler(HMENU menu, uint id, HWND receiver, int position);
    void Enable(int enable = 1) override;
    void SetText(char const *text) override;
    void SetCheck(int state) override;
    HMENU GetMenu() const { return HMenu; }
    int GetPosition() const { return Position; }

protected:
    HMENU HMenu;
    int Position;
};

struct TWindowAttr {
    DWORD Style = 0;
    DWORD ExStyle = 0;
    int X = 0, Y = 0, W = 0, H = 0;
    TResId Menu;
    int Id = 0;
    void *Param = 0;
    TResId AccelTable;
};

class VELTRANE_API TWindow : virtual public TEventHandler {
public:
    TWindow(TWindow *parent, char const *title = 0, TModule *module = 0);
    TWindow(HWND hwnd, TModule *module = 0);
    virtual ~TWindow();

    // ---- creation
    virtual int Register();
    virtual int Create();
    virtual HWND PerformCreate(HMENU menuOrId);
    virtual int Destroy(int retVal = 0);
    virtual int Execute();
    virtual int DoExecute();
    virtual void CloseWindow(int retVal = 0);
    static void ShutDownWindow(TWindow *win, int retVal = 0);
    void ShutDownWindow(int retVal = 0) { ShutDownWindow(this, retVal); }
    void DetachHandle();
    void SubclassWindowFunction();

    // ---- message path
    virtual LRESULT Dispatch(TEventInfo &info, WPARAM wp, LPARAM lp);
    virtual int PreProcessMsg(MSG &msg);
    virtual int IdleAction(long idleCount);
    virtual int HoldFocusHWnd(HWND lose, HWND get);
    virtual void SetParent(TWindow *parent);
    virtual int SetDocTitle(char const *title, int index);
    virtual int CanClose();
    virtual LRESULT WindowProc(uint msg, WPARAM wp, LPARAM lp);
    virtual LRESULT DefWindowProcA(uint msg, WPARAM wp, LPARAM lp);
    virtual LRESULT EvCommand(uint id, HWND hWndCtl, uint notifyCode);
    virtual LRESULT EvNotify(uint id, TNotify &info);
    virtual void EvCommandEnable(TCommandEnabler &ce);
    virtual void Paint(TDC &dc, int erase, TRect &rect);
    virtual uint Transfer(void *buffer, TTransferDirection direction);
    virtual uint TransferData(TTransferDirection direction);
    virtual int EnableWindow(int enable) { return ::EnableWindow(HWindow, enable); }
    virtual char const *GetClassNameA();
    virtual int ShowWindow(int cmdShow);
    virtual void GetWindowClass(WNDCLASSA &wc);
    virtual void SetupWindow();
    virtual void CleanupWindow();

    LRESULT ReceiveMessage(uint msg, WPARAM wp = 0, LPARAM lp = 0);
    LRESULT HandleMessage(uint msg, WPARAM wp = 0, LPARAM lp = 0);
    LRESULT DefaultProcessing();
    void RouteCommandEnable(HWND hWnd, TCommandEnabler &ce);
    LRESULT ForwardMessage(int send = 1);
    LRESULT ForwardMessage(HWND hwnd, int send = 1);
    LRESULT SendMessageA(uint msg, WPARAM wp = 0, LPARAM lp = 0) const { return ::SendMessageA(HWindow, msg, wp, lp); }
    BOOL PostMessageA(uint msg, WPARAM wp = 0, LPARAM lp = 0) const { return ::PostMessageA(HWindow, msg, wp, lp); }

    // The window object of a window (null for foreign and non-framework windows).
    TWindow *GetWindowPtr(HWND hwnd) const;
    static LRESULT CALLBACK InitWndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    static LRESULT CALLBACK StdWndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    static void SetCreationWindow(TWindow *w);
    static TWindow *GetCreationWindow();
    // A failure that a handler threw while the system called the window procedure is
    // kept here (it must not cross into the system) and thrown again by the message loop.
    static bool HasPendingException();
    static void RethrowPendingException();
    static void ClearPendingException();
    // For other callbacks of the system: keeps the exception being handled (the first wins).
    static void KeepPendingException();
    // The look-up cache is on until identifiers wrap.
    static void EnableCache(bool on);
    static unsigned long LastUniqueId;

    // ---- flags and attributes
    void SetFlag(uint mask) { Flags |= mask; }
    void ClearFlag(uint mask) { Flags &= ~mask; }
    bool IsFlagSet(uint mask) const { return (Flags & mask) != 0; }
    void EnableAutoCreate() { SetFlag(wfAutoCreate); }
    void DisableAutoCreate() { ClearFlag(wfAutoCreate); }
    void EnableTransfer() { SetFlag(wfTransfer); }
    void DisableTransfer() { ClearFlag(wfTransfer); }
    HWND GetHandle() const { return HWindow; }
    operator HWND() const { return HWindow; }
    char const *GetTitle() const { return Title; }
    int GetId() const { return Attr.Id; }
    unsigned long GetUniqueId() const { return UniqueId; }
    TApplication *GetApplication() const { return Application; }
    TModule *GetModule() const { return LocalizedModule; }
    TModule *GetCommonModule() const { return CommonModule; }
    TWindow *GetParentO() const { return Parent; }
    HWND GetParentH() const { return HWindow ? ::GetParent(HWindow) : 0; }
    TScroller *GetScroller() const { return Scroller; }
    TColor const &GetBkgndColor() const { return BkgndColor; }
    void *GetThunk() const { return Thunk; }
    WNDPROC GetDefaultProc() const { return DefaultProc; }
    short GetZOrder() const { return ZOrder; }

    // ---- children (WindowServices.cpp)
    TWindow *GetFirstChild() const { return ChildList ? ChildList->SiblingList : 0; }
    TWindow *GetLastChild() const { return ChildList; }
    TWindow *Next() const { return SiblingList; }
    void SetNext(TWindow *next) { SiblingList = next; }
    TWindow *Previous() const;
    typedef int (*TCondFunc)(TWindow *, void *);
    typedef void (*TActionFunc)(TWindow *, void *);
    TWindow *FirstThat(TCondFunc test, void *arg = 0) const;
    void ForEach(TActionFunc action, void *arg = 0);
    template <class C>
    TWindow *FirstThat(int (C::*test)(TWindow *, void *), void *arg = 0) {
        for (TWindow *child = GetFirstChild(), *next; child; child = next) {
            next = child == ChildList ? 0 : child->SiblingList;
            if ((static_cast<C *>(this)->*test)(child, arg))
                return child;
        }
        return 0;
    }
    template <class C>
    void ForEach(void (C::*action)(TWindow *, void *), void *arg = 0) {
        for (TWindow *child = GetFirstChild(), *next; child; child = next) {
            next = child == ChildList ? 0 : child->SiblingList;
            (static_cast<C *>(this)->*action)(child, arg);
        }
    }
    int IndexOf(TWindow *child) const;
    TWindow *At(int index) const;
    int NumChildren() const;
    TWindow *ChildWithId(int id) const;
    int CreateChildren();
    void ChildBroadcastMessage(uint msg, WPARAM wp = 0, LPARAM lp = 0);

    // ---- text, state, geometry
    void SetCaption(char const *title);
    void SetAcceleratorTable(TResId id);
    void SetMenuName(TResId menu);
    uint32_t GetStyle() const;
    uint32_t SetStyle(uint32_t style);
    uint32_t GetExStyle() const;
    uint32_t SetExStyle(uint32_t style);
    int ModifyStyle(uint32_t remove, uint32_t add, uint swpFlags = 0);
    int ModifyExStyle(uint32_t remove, uint32_t add, uint swpFlags = 0);
    void GetWindowRect(TRect &rect) const;
    TRect GetWindowRect() const { TRect r; GetWindowRect(r); return r; }
    void GetClientRect(TRect &rect) const;
    TRect GetClientRect() const { TRect r; GetClientRect(r); return r; }
    int SetWindowPos(HWND after, int x, int y, int w, int h, uint flags);
    int SetWindowPos(HWND after, TRect const &r, uint flags) {
        return SetWindowPos(after, r.left, r.top, r.Width(), r.Height(), flags);
    }
    int Show(int cmdShow) { return ShowWindow(cmdShow); }
    int SetCursor(TModule *module, TResId resId);
    void SetBkgndColor(TColor const &color) { BkgndColor = color; }
    void SetTransferBuffer(void *buffer) { TransferBuffer = buffer; }
    void SetScroller(TScroller *scroller);
    void AssignContextMenu(TPopupMenu *menu);
    TPopupMenu *GetContextMenu() const { return ContextPopupMenu; }

    int GetScrollPos(int bar) const;
    int SetScrollPos(int bar, int pos, bool redraw = true);
    void GetScrollRange(int bar, int &minPos, int &maxPos) const;
    void SetScrollRange(int bar, int minPos, int maxPos, bool redraw = true);
    uint GetScrollPage(int bar) const;
    void SetScrollPage(int bar, uint page, bool redraw = true);
    bool GetScrollInfo(int bar, SCROLLINFO *info) const { return ::GetScrollInfo(HWindow, bar, info); }
    int SetScrollInfo(int bar, SCROLLINFO *info, bool redraw = true) {
        return ::SetScrollInfo(HWindow, bar, info, redraw);
    }
    int GetUpdateRgn(TRegion &region, int erase = 1) const;

    // ---- one-line wrappers of the system's calls on the own handle
    bool IsWindow() const { return ::IsWindow(HWindow); }
    bool IsWindowEnabled() const { return ::IsWindowEnabled(HWindow); }
    bool IsWindowVisible() const { return ::IsWindowVisible(HWindow); }
    bool IsIconic() const { return ::IsIconic(HWindow); }
    bool IsZoomed() const { return ::IsZoomed(HWindow); }
    HWND GetParent() const { return GetParentH(); }
    HWND SetFocus() { return ::SetFocus(HWindow); }
    HWND SetCapture() { return ::SetCapture(HWindow); }
    void ReleaseCapture() { ::ReleaseCapture(); }
    void Invalidate(bool erase = true) { ::InvalidateRect(HWindow, 0, erase); }
    void InvalidateRect(TRect const &r, bool erase = true) { ::InvalidateRect(HWindow, &r, erase); }
    void Validate() { ::ValidateRect(HWindow, 0); }
    void UpdateWindow() { ::UpdateWindow(HWindow); }
    UINT_PTR SetTimer(UINT_PTR id, uint timeout, TIMERPROC proc = 0) { return ::SetTimer(HWindow, id, timeout, proc); }
    bool KillTimer(UINT_PTR id) { return ::KillTimer(HWindow, id); }
    bool SetProp(char const *name, HANDLE data) { return ::SetPropA(HWindow, name, data); }
    HANDLE GetProp(char const *name) const { return ::GetPropA(HWindow, name); }
    HANDLE RemoveProp(char const *name) { return ::RemovePropA(HWindow, name); }
    HMENU GetMenu() const { return ::GetMenu(HWindow); }
    bool SetMenu(HMENU menu) { return ::SetMenu(HWindow, menu); }
    bool DrawMenuBar() { return ::DrawMenuBar(HWindow); }
    HMENU GetSystemMenu(bool revert = false) const { return ::GetSystemMenu(HWindow, revert); }
    HWND GetDlgItem(int id) const { return ::GetDlgItem(HWindow, id); }
    LRESULT SendDlgItemMessageA(int id, uint msg, WPARAM wp = 0, LPARAM lp = 0) {
        return ::SendDlgItemMessageA(HWindow, id, msg, wp, lp);
    }
    uint GetDlgItemInt(int id, BOOL *ok = 0, bool isSigned = true) const {
        return ::GetDlgItemInt(HWindow, id, ok, isSigned);
    }
    void SetDlgItemInt(int id, uint value, bool isSigned = true) { ::SetDlgItemInt(HWindow, id, value, isSigned); }
    int GetDlgItemTextA(int id, char *buf, int size) const { return ::GetDlgItemTextA(HWindow, id, buf, size); }
    void SetDlgItemTextA(int id, char const *text) { ::SetDlgItemTextA(HWindow, id, text); }
    int GetWindowTextA(char *buf, int size) const { return ::GetWindowTextA(HWindow, buf, size); }
    int GetWindowTextLengthA() const { return ::GetWindowTextLengthA(HWindow); }
    void SetWindowTextA(char const *text) { ::SetWindowTextA(HWindow, text); }
    LONG GetWindowLongA(int index) const { return ::GetWindowLongA(HWindow, index); }
    LONG SetWindowLongA(int index, LONG value) { return ::SetWindowLongA(HWindow, index, value); }
    WORD GetWindowWord(int index) const { return ::GetWindowWord(HWindow, index); }
    WORD SetWindowWord(int index, WORD value) { return ::SetWindowWord(HWindow, index, value); }
    HWND GetWindow(uint cmd) const { return ::GetWindow(HWindow, cmd); }
    HWND GetTopWindow() const { return ::GetTopWindow(HWindow); }
    HWND GetLastActivePopup() const { return ::GetLastActivePopup(HWindow); }
    bool GetWindowPlacement(WINDOWPLACEMENT *p) const { return ::GetWindowPlacement(HWindow, p); }
    bool SetWindowPlacement(WINDOWPLACEMENT const *p) { return ::SetWindowPlacement(HWindow, p); }
    bool RedrawWindow(RECT const *r, HRGN rgn, uint flags) { return ::RedrawWindow(HWindow, r, rgn, flags); }
    bool MoveWindow(int x, int y, int w, int h, bool repaint = false) {
        return ::MoveWindow(HWindow, x, y, w, h, repaint);
    }
    bool MoveWindow(TRect const &r, bool repaint = false) {
        return MoveWindow(r.left, r.top, r.Width(), r.Height(), repaint);
    }
    void SetWindowFont(HFONT font, bool redraw) { SendMessageA(WM_SETFONT, (WPARAM)font, redraw); }
    HFONT GetWindowFont() { return (HFONT)SendMessageA(WM_GETFONT); }
    void DragAcceptFiles(bool accept) { ::DragAcceptFiles(HWindow, accept); }
    DWORD GetWindowTask() const { return ::GetWindowThreadProcessId(HWindow, (DWORD *)0); }
    bool CreateCaret(HBITMAP bitmap, int w = 0, int h = 0) { return ::CreateCaret(HWindow, bitmap, w, h); }
    bool ShowCaret() { return ::ShowCaret(HWindow); }
    bool HideCaret() { return ::HideCaret(HWindow); }
    bool ScrollWindow(int dx, int dy, RECT const *scroll = 0, RECT const *clip = 0) {
        return ::ScrollWindow(HWindow, dx, dy, scroll, clip);
    }
    bool WinHelpA(char const *file, uint cmd, ULONG_PTR data) { return ::WinHelpA(HWindow, file, cmd, data); }
    int MessageBoxA(char const *text, char const *caption = 0, uint type = MB_OK);
    LRESULT SendNotification(int id, int code, HWND ctl, uint msg = WM_COMMAND) {
        return SendMessageA(msg, MAKEWPARAM(id, code), (LPARAM)ctl);
    }
    LRESULT SendNotification(int id, NMHDR &header, uint msg = WM_NOTIFY) { return SendMessageA(msg, id, (LPARAM)&header); }

    // ---- default handlers bound by the table (WindowServices.cpp)
    int EvSetCursor(HWND hWndCursor, uint hitTest, uint mouseMsg);
    void EvSize(uint sizeType, TSize &size);
    void EvMove(TPoint &clientOrigin);
    LRESULT EvCompareItem(WPARAM ctrlId, LPARAM compareInfo);
    void EvDeleteItem(WPARAM ctrlId, LPARAM deleteInfo);
    void EvDrawItem(WPARAM ctrlId, LPARAM drawInfo);
    void EvMeasureItem(WPARAM ctrlId, LPARAM measureInfo);
    void EvVScroll(uint scrollCode, uint thumbPos, HWND hWndCtl);
    void EvHScroll(uint scrollCode, uint thumbPos, HWND hWndCtl);
    void EvChildInvalid(WPARAM hWnd);
    int EvEraseBkgnd(WPARAM hDC);
    HBRUSH EvCtlColor(HDC hDC, HWND hWndChild, uint ctlType);
    void EvPaint();
    void EvLButtonDown(uint modKeys, TPoint &point);
    void EvKillFocus(WPARAM hWndGetFocus);
    LRESULT EvWin32CtlColor(WPARAM wp, LPARAM lp);
    int EvCreate(LPARAM createStruct);
    void EvClose();
    void EvDestroy();
    void EvNCDestroy();
    int EvQueryEndSession();
    void EvEndSession(int endSession, int logOff);
    void EvSysColorChange();
    void EvInitMenuPopup(HMENU hPopupMenu, uint index, int sysMenu);
    void EvContextMenu(HWND hWnd, uint x, uint y);
    void EvEnterIdle(uint source, HWND hWndDlg);

    HWND HWindow;
    char *Title;
    TWindow *Parent;
    TWindowAttr Attr;
    WNDPROC DefaultProc;
    TScroller *Scroller;

protected:
    TWindow();
    void Init(TWindow *parent, char const *title, TModule *module);
    void Init(HWND hwnd, TModule *module);
    void GetWindowTextTitle();
    void GetHWndState(int forceStyles = 0);
    virtual void RemoveChild(TWindow *child);
    void DispatchScroll(uint scrollCode, uint thumbPos, HWND hWndCtl);
    void SetUniqueId();

    void *TransferBuffer;
    HACCEL HAccel;
    TModule *CursorModule;
    TResId CursorResId;
    HCURSOR HCursor;
    TColor BkgndColor;
    TPopupMenu *ContextPopupMenu;
    void *Thunk;
    TApplication *Application;
    TModule *LocalizedModule;
    TModule *CommonModule;

private:
    friend class TApplication;
    void InitCommon(TWindow *parent, TModule *module);
    void AddChild(TWindow *child);
    void AssignZOrder();

    uint32_t Flags;
    short ZOrder;
    TWindow *ChildList;
    TWindow *SiblingList;
    unsigned long UniqueId;
    char *MenuName;  // owned copy of a menu given by name

    DECLARE_RESPONSE_TABLE(TWindow);
};

// The window object of a window of this process, asked through its window procedure.
VELTRANE_API TWindow *GetWindowPtr(HWND hwnd, TApplication const *app = 0);
