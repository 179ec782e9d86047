// The document layer's MDI windows: the client (rubber band, window commands, close-all)
// and the child (saved placement, size limits, help) of the document manager.
#pragma once

#include "core/VeltraneDefs.h"

#include "manager/LayoutStore.h"
#include "core/MdiWindows.h"

#include <windows.h>

class DocumentManager;
class View;

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
