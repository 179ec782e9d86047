// The small pop-up frame of a floating tool bar. Its borders snap to the bar's
// precomputed shapes, its caption drags the bar (so that it can dock) and docks it on a
// double click, and closing it hides the bar. It never takes the activation from the
// main window. Its bar is its client window: TWindow::IdleAction gives the bar its idle
// call once a round.
#pragma once

#include "core/VeltraneDefs.h"

#include "core/FloatingFrame.h"

class TToolbar;

class VELTRANE_API TToolbarFrame : public TFloatingFrame {
public:
    TToolbarFrame(TWindow *parent, char const *title, TToolbar *bar, TPoint const &position, TModule *module = 0);
    ~TToolbarFrame() override;

    void ResizeWindow();
    TSize GetCaseSize(int i) const;
    TToolbar *GetToolbar() const { return Toolbar; }
    TWindow *GetFormerParent() const { return FormerParent; }
    int GetActiveFlag() const { return Active; }
    // Sizing mode: 0, 3 (close box held) or the hit code of the border being dragged.
    int GetSizingMode() const { return DownHit; }
    TRect GetSizingRect() const { return SizingRect; }
    // The bar goes away or leaves the frame: the frame forgets it.
    void ToolbarGone() { Toolbar = 0; }

    char const *GetClassNameA() override;
    void SetupWindow() override;
    int PreProcessMsg(MSG &msg) override;

    uint EvMouseActivateRaw(WPARAM wp, LPARAM lp);
    void EvClose();
    void EvEnterIdle(uint source, HWND window);
    void EvMenuSelectRaw(WPARAM wp, LPARAM lp);
    void EvGetMinMaxInfo(void *info);
    void EvLButtonUp(uint modKeys, TPoint &point);
    void EvCaptureChanged(LPARAM newCapture);
    void EvMouseMove(uint modKeys, TPoint &point);
    int EvNCCreate(LPARAM createStruct);
    uint EvNCHitTest(TPoint &screenPt);
    int EvNCActivate(int active);
    void EvNCLButtonDown(uint hitTest, TPoint &screenPt);
    void EvNCLButtonDblClk(uint hitTest, TPoint &screenPt);
    void EvNCPaint(WPARAM region);
    void EvSize(uint sizeType, TSize &size) { TWindow::EvSize(sizeType, size); }
    uint EvNCCalcSize(int calcValidRects, LPARAM params);

    // The case a border drag selects: c is the current case of n, W the frame's window
    // rectangle, R the sizing rectangle, m the mouse (screen), band the border width.
    // cases[0..n-1] are the case sizes.
    static int NextCase(int border, TPoint m, TRect const &W, TRect const &R, int c, TSize const *cases, int n,
                        int band);

protected:
    void DrawSizeRect(int erase);
    // Takes the sizing frame off the screen.
    void EraseSizeRect();
    int IsBorderSizing() const;
    void PaintFrame();

    TToolbar *Toolbar;
    TWindow *FormerParent;
    int Frame3D;
    int Active;
    TRect SizingRect;

private:
    TRect ShownSizingRect;
    int SizingShown;
    int CaseBeforeSizing;

    DECLARE_RESPONSE_TABLE(TToolbarFrame);
};
