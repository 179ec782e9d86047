// The multiple-document interface: the system's MDI client, document windows and the
// frame that hosts them.
#pragma once

#include "core/VeltraneDefs.h"

#include "core/FrameWindow.h"
#include "core/Window.h"

#include <windows.h>

class TMDIChild;
class TMDIFrame;

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
