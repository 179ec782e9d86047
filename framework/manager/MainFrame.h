// The application's main frame: a decorated MDI frame registered with the document
// manager that builds its bars, shows command hints, keeps its placement and bar
// settings in "Frame Window", receives posted exceptions and drives idle processing of
// registered windows.
#pragma once

#include "core/VeltraneDefs.h"

#include "bars/DecoratedFrame.h"
#include "bars/ToolTipJq.h"
#include "core/IdleEnabler.h"

#include "foundation/Config.h"
#include "foundation/Lists.h"

class DocumentManager;
class ControlBar;
class StatusBar;

class VELTRANE_API FrameWindow : public TDecoratedMDIFrame {
public:
    FrameWindow(char const *title, TResId menu, TMDIClient &client, int trackMenuSelection = 1,
                TModule *module = 0);
    ~FrameWindow() override;

    virtual void BuildControlBar();
    virtual void BuildStatusBar();
    virtual void LoadPref(Config &config);
    virtual void SavePref(Config &config);

    void SetupWindow() override;
    void CleanupWindow() override;
    int IdleAction(long count) override;
    char const *GetClassNameA() override;

    void InsertStatusBar();
    // Shuts the status bar window down and builds a new one in its place (a new font).
    void RenewStatusBar();
    TToolTipJq &GetTooltip() { return Tooltip; }
    StatusBar *GetStatusBar() const { return statusBar_; }
    ControlBar *GetControlBar() const { return controlBar_; }
    int GetHintMode() const { return hintMode_; }
    int GetShowStatusBar() const { return showStatusBar_; }
    int GetShowTips() const { return showTips_; }
    int GetButtonSize() const override { return buttonSize_; }
    int GetLargeStatusFont() const { return largeStatusFont_; }
    HACCEL GetHAccel() const { return HAccel; }
    void SetShowTips(int on) { showTips_ = on; }
    void SetButtonSize(int size) { buttonSize_ = size; }
    void SetLargeStatusFont(int on) { largeStatusFont_ = on; }
    void SetShowStatusBar(int on) { showStatusBar_ = on; }
    void SetHintAnchor(int x, int y) { anchorX_ = x, anchorY_ = y, anchorShown_ = 1; }

    void CmQuit() { PostMessageA(WM_COMMAND, 24310); }
    void CmdToggleHint();
    void CeToggleHint(TCommandEnabler &ce) { ce.SetCheck(hintMode_ == 2); }
    void CenterWindow(TRect &r);

    int EvCreate(LPARAM createStruct);
    void EvActivate(uint state, int minimized, HWND other);
    void EvActivateApp(int active, uint threadId);
    void EvInitMenuPopup(HMENU popup, uint index, int sysMenu);
    void EvEnterIdle(uint source, HWND window);
    void EvMenuSelect(uint item, uint flags, HMENU menu);
    void EvMenuSelectRaw(WPARAM wp, LPARAM lp) { EvMenuSelect(LOWORD(wp), HIWORD(wp), (HMENU)lp); }
    LRESULT OnHelp(LPARAM helpInfo);
    int EvQueryEndSession();
    void EvEndSession(int ending, int logOff);

    static List<IdleEnabler> &_idleEnablers;  // the idle enablers' own list
    // The window class of the main frame (the one a second start looks for).
    static String _className;

protected:
    TToolTipJq Tooltip;
    StatusBar *statusBar_;
    ControlBar *controlBar_;
    int statusBarInserted_;
    int buttonSize_;
    int largeStatusFont_;
    int hintMode_;
    int showTips_;
    int showStatusBar_;
    DocumentManager *app_;
    int activationCount_;
    int anchorX_, anchorY_, anchorShown_;
    int inIdle_;

private:
    static bool ForegroundIsOurs();

    DECLARE_RESPONSE_TABLE(FrameWindow);
};
