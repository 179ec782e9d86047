// Frame windows: the overlapped top-level window with a menu bar, an icon and one
// client window that fills its client area. Menu commands enter the window tree
// here: they start at the command target and climb towards the frame.
#pragma once

#include "core/Window.h"

class TMenuDescr;

class VELTRANE_API TFrameWindow : virtual public TWindow {
public:
    TFrameWindow(TWindow *parent, char const *title = 0, TWindow *clientWnd = 0, bool shrinkToClient = false,
                 TModule *module = 0);
    TFrameWindow(HWND hwnd, TModule *module = 0);
    ~TFrameWindow() override;

    virtual int AssignMenu(TResId id);
    virtual int SetMenu(HMENU menu);
    virtual TWindow *GetClientWindow();
    virtual TWindow *SetClientWindow(TWindow *client);
    virtual HWND GetCommandTarget();
    // The gadget border width the frame's tool bars take; -1 where the frame sets none.
    virtual int GetButtonSize() const { return -1; }

    void SetMenuDescr(TMenuDescr const &descr);
    TMenuDescr const *GetMenuDescr() const { return MenuDescr; }
    int MergeMenu(TMenuDescr const &other);
    int RestoreMenu();
    TModule *GetMergeModule() const { return MergeModule; }
    void SetMergeModule(TModule *module) { MergeModule = module; }

    int SetIcon(TModule *module, TResId resId);
    int SetIconSm(TModule *module, TResId resId);
    HICON GetIcon() const { return HIcon; }
    HICON GetIconSm() const { return HIconSm; }

    int GetKeyboardHandling() const { return KeyboardHandling; }
    void SetKeyboardHandling(int on) { KeyboardHandling = on; }
    void EnableKBHandler() { KeyboardHandling = 1; }
    HWND GetHWndRestoreFocus() const { return HWndRestoreFocus; }
    void SetHWndRestoreFocus(HWND hwnd) { HWndRestoreFocus = hwnd; }
    int GetDocTitleIndex() const { return DocTitleIndex; }
    void SetDocTitleIndex(int index) { DocTitleIndex = index; }
    void SetMinimizedPos(int x, int y) { MinimizedPos = TPoint(x, y); }

    int PreProcessMsg(MSG &msg) override;
    int IdleAction(long idleCount) override;
    int HoldFocusHWnd(HWND lose, HWND gain) override;
    int SetDocTitle(char const *docName, int index) override;
    LRESULT EvCommand(uint id, HWND hWndCtl, uint notifyCode) override;
    void EvCommandEnable(TCommandEnabler &ce) override;
    void SetupWindow() override;
    void CleanupWindow() override;

    // The first visible, enabled tab stop among the children, depth first.
    TWindow *FirstChildWithTab();
    // The icon the system uses for applications (kept once found).
    static HICON GetDefaultIcon();

    void EvPaint();
    int EvEraseBkgnd(WPARAM hDC);
    LRESULT EvQueryDragIcon();
    void EvInitMenuPopup(HMENU hPopupMenu, uint index, int sysMenu);
    void EvSetFocus(WPARAM hWndLostFocus);
    void EvSize(uint sizeType, TSize &size);
    void EvParentNotify(uint event, LPARAM childHandle, uint childId);
    int EvQueryNewPalette();
    void EvPaletteChanged(WPARAM hWndPalChg);

protected:
    TFrameWindow();
    void Init(TWindow *clientWnd, bool shrinkToClient);
    void RemoveChild(TWindow *child) override;
    // Fits the client to the frame's client area (or the frame to the client).
    int ResizeClientWindow(int repaint);
    void BroadcastResizeToChildren(uint sizeType, TSize &size);

    int KeyboardHandling;
    HWND HWndRestoreFocus;
    TWindow *ClientWnd;
    int DocTitleIndex;
    TModule *MergeModule;
    TMenuDescr *MenuDescr;
    TModule *IconModule;
    TResId IconResId;
    TModule *IconSmModule;
    TResId IconSmResId;
    TPoint MinimizedPos;
    HICON HIcon;
    HICON HIconSm;

private:
    String MenuResName;
    void Init(TWindow *clientWnd);
    bool InstallMenu(HMENU menu);  // installs, destroys the old bar; the new one on failure
    HMENU BuildMenu() const;
    bool IsInside(HWND hwnd) const { return hwnd && HWindow && ::IsChild(HWindow, hwnd); }
    TModule *ResourceModule() const;

    DECLARE_RESPONSE_TABLE(TFrameWindow);
};
