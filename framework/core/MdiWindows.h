// The multiple-document interface: the system's MDI client, document windows and the
// frame that hosts them, and on top of them the document layer's client (rubber band,
// window commands, close-all) and child (saved placement, size limits, help).
#pragma once

#include "VeltraneDefs.h"

#include "FrameWindow.h"
#include "LayoutStore.h"
#include "Window.h"

#include <windows.h>

class TMDIChild;
class TMDIFrame;
class DocumentManager;
class View;

// Command identifiers of the MDI layer.
enum {
    CM_CASCADECHILDREN = 24361,
    CM_TILECHILDREN = 24362,
    CM_TILECHILDRENHORIZ = 24363,
    CM_ARRANGEICONS = 24364,
    CM_CLOSECHILDREN = 24365,
    CM_CREATECHILD = 24366,
    CM_MDICLIENTDOUBLECLICK = 32010,
    IDW_MDICLIENT = 32000,
    IDW_FIRSTMDICHILD = 32001
};

class VELTRANE_API TMDIClient : public TWindow {
public:
    explicit TMDIClient(TModule *module = 0);
    ~TMDIClient() override;

    virtual int CloseChildren();
    virtual void ArrangeIcons() { SendMessageA(WM_MDIICONARRANGE); }
    virtual void CascadeChildren() { SendMessageA(WM_MDICASCADE); }
    virtual void TileChildren(int how = MDITILE_VERTICAL) { SendMessageA(WM_MDITILE, how); }
    virtual TMDIChild *CreateChild();
    virtual TMDIChild *InitChild();

    int Create() override;
    int PreProcessMsg(MSG &msg) override;
    char const *GetClassNameA() override { return "MDICLIENT"; }

    TMDIChild *GetActiveMDIChild();
    CLIENTCREATESTRUCT *GetClientAttr() { return clientAttr_; }
    void SetClientAttr(CLIENTCREATESTRUCT *attr);

    void CmCreateChild() { CreateChild(); }
    void CmTileChildren() { TileChildren(MDITILE_VERTICAL); }
    void CmTileChildrenHoriz() { TileChildren(MDITILE_HORIZONTAL); }
    void CmCascadeChildren() { CascadeChildren(); }
    void CmArrangeIcons() { ArrangeIcons(); }
    void CmCloseChildren() { CloseChildren(); }
    void CmChildActionEnable(TCommandEnabler &ce);
    LRESULT EvMDICreate(WPARAM, LPARAM lParam);
    LRESULT EvMDIDestroy(WPARAM child, LPARAM);
    void EvDropFiles(WPARAM drop, LPARAM);

protected:
    friend class TMDIFrame;
    TMDIClient(HWND hwnd, TModule *module);

private:
    CLIENTCREATESTRUCT *clientAttr_;

    DECLARE_RESPONSE_TABLE(TMDIClient);
};

class VELTRANE_API TMDIChild : public TFrameWindow {
public:
    TMDIChild(TMDIClient &parent, char const *title = 0, TWindow *clientWnd = 0, bool shrinkToClient = false,
              TModule *module = 0);
    TMDIChild(HWND hwnd, TModule *module = 0);
    ~TMDIChild() override;

    HWND PerformCreate(HMENU menuOrId) override;
    int Destroy(int retVal = 0) override;
    int PreProcessMsg(MSG &msg) override;
    LRESULT DefWindowProcA(uint msg, WPARAM wp, LPARAM lp) override;
    int EnableWindow(int enable) override;
    int ShowWindow(int cmdShow) override;

    // The window a menu command starts at inside this child.
    HWND GetCommandTarget();

    void EvMDIActivate(HWND activated, HWND deactivated);
    int EvNCActivate(int active);

private:
    DECLARE_RESPONSE_TABLE(TMDIChild);
};

class VELTRANE_API TMDIFrame : virtual public TFrameWindow {
public:
    TMDIFrame(char const *title, TResId menu, TMDIClient &client, TModule *module = 0);
    TMDIFrame(HWND frame, HWND client, TModule *module = 0);

    HWND PerformCreate(HMENU menuOrId) override;
    LRESULT DefWindowProcA(uint msg, WPARAM wp, LPARAM lp) override;
    LRESULT EvCommand(uint id, HWND hWndCtl, uint notifyCode) override;
    void EvCommandEnable(TCommandEnabler &ce) override;
    void SetupWindow() override;

    virtual int SetMenu(HMENU menu);
    TMDIClient *GetClientWindow() const;
    HWND GetCommandTarget();
    static HMENU FindChildMenu(HMENU bar);

private:
    DECLARE_RESPONSE_TABLE(TMDIFrame);
};

class Rubber;

// The MDI client of the document layer.
class VELTRANE_API MDIClient : public TMDIClient {
public:
    explicit MDIClient(TModule *module = 0);
    ~MDIClient() override;

    void CmTile() { PostMessageA(WM_COMMAND, CM_TILECHILDREN); }
    void CmCascade() { PostMessageA(WM_COMMAND, CM_CASCADECHILDREN); }
    void CeIfOpen(TCommandEnabler &ce);
    void CeIfAnyIcon(TCommandEnabler &ce);
    void CmMinimizeAll();
    void CmCloseAll();

    void EvLButtonDown(uint keys, TPoint &point);
    void EvMouseMove(uint keys, TPoint &point);
    void EvLButtonUp(uint keys, TPoint &point);

private:
    void EndRubber();

    Rubber *rubber_;  // the band while one runs
    DWORD lastPress_;
    POINT lastPoint_;

    DECLARE_RESPONSE_TABLE(MDIClient);
};

// The document window of the document layer.
class VELTRANE_API MDIChild : public TMDIChild {
public:
    MDIChild(TWindow &client, MDIChildMemento const *memento = 0, bool shrinkToClient = false,
             TModule *module = 0);
    ~MDIChild() override;

    int Create() override;
    void SetupWindow() override;
    int CanClose() override;
    void CleanupWindow() override;
    char const *GetClassNameA() override { return "Jq_MdiChild"; }
    virtual int AcceptHotKeyCommand(int) const { return 0; }

    void SetMinSize(int w, int h) { minW_ = w, minH_ = h; }
    void SetMaxSize(int w, int h) { maxW_ = w, maxH_ = h; }
    void SetMaximizedPosition(int x, int y) { maxPosX_ = x, maxPosY_ = y; }
    void SetMaximizedSize(int w, int h) { maxSizeW_ = w, maxSizeH_ = h; }
    void SetPlacement(WINDOWPLACEMENT const &p) { placement_ = p; }
    void GetPlacement(WINDOWPLACEMENT &p) const { p = placement_; }
    TWindow *GetClientWindow() const { return client_; }

    // The view this window shows: the client window seen as a view, else the view that
    // names the client as its window; null when it shows none.
    View *GetView() const;

    void EvGetMinMaxInfo(MINMAXINFO *info);
    void EvMDIActivate(HWND activated, HWND deactivated);
    int OnHelp(HELPINFO *info);
    void CmReload();
    void CeReload(TCommandEnabler &ce);
    void CmClose();
    void CmSave();
    void CmSaveAs();
    void CeSave(TCommandEnabler &ce);
    void CeSaveAs(TCommandEnabler &ce);
    void EvGetMinMaxInfoRaw(void *info) { EvGetMinMaxInfo(static_cast<MINMAXINFO *>(info)); }
    int OnHelpRaw(LPARAM info) { return OnHelp(reinterpret_cast<HELPINFO *>(info)); }

private:
    TWindow *client_;
    DocumentManager *app_;
    WINDOWPLACEMENT placement_;
    int minW_, minH_, maxW_, maxH_, maxPosX_, maxPosY_, maxSizeW_, maxSizeH_;

    DECLARE_RESPONSE_TABLE(MDIChild);
};

// The last MDI child that was deactivated.
extern VELTRANE_API HWND _lastMDIDeactivated;
