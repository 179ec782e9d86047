// A mix-in that gives a window a small caption bar with its boxes. With the system's
// 3-D look it only makes the window a tool window and leaves the drawing to the system.
#pragma once

#include "core/Window.h"

class TFont;

enum TEventStatus { esPartial = 0, esComplete = 1 };

class VELTRANE_API TTinyCaption : public virtual TWindow {
public:
    ~TTinyCaption() override;

    TEventStatus DoNCHitTest(TPoint &screenPt, unsigned &evRes);
    TEventStatus DoNCPaint();
    TEventStatus DoNCCalcSize(int calcValidRects, NCCALCSIZE_PARAMS &params, unsigned &evRes);
    TEventStatus DoNCLButtonDown(unsigned hitTest, TPoint &screenPt);
    TEventStatus DoMouseMove(unsigned modKeys, TPoint &point);
    TEventStatus DoLButtonUp(unsigned modKeys, TPoint &point);
    TEventStatus DoNCActivate(int active, int &evRes);
    TEventStatus DoCommand(unsigned id, HWND hWndCtl, unsigned notifyCode, LRESULT &evRes);
    TEventStatus DoSysCommand(unsigned cmdType, TPoint &point);

    bool IsTinyCaptionEnabled() const { return TCEnabled != 0; }
    int GetCaptionHeight() const { return CaptionHeight; }
    // Tests draw the caption themselves even under the 3-D look.
    static void ForceOwnCaption(bool on);

protected:
    TTinyCaption();
    void EnableTinyCaption(int captionHeightPercent = 70, int closeBox = 0);

    uint EvNCHitTest(TPoint &screenPt);
    void EvNCPaint(WPARAM region);
    uint EvNCCalcSize(int calcValidRects, LPARAM params);
    void EvNCLButtonDown(uint hitTest, TPoint &screenPt);
    void EvMouseMove(uint modKeys, TPoint &point);
    void EvLButtonUp(uint modKeys, TPoint &point);
    int EvNCActivate(int active);
    LRESULT EvCommand(uint id, HWND hWndCtl, uint notifyCode) override;
    void EvSysCommand(uint cmdType, TPoint &point);

    // window coordinates: origin at the window's top-left corner
    TRect GetCaptionRect() const;
    TRect GetSysBoxRect() const;
    TRect GetMinBoxRect() const;
    TRect GetMaxBoxRect() const;

    void PaintCaption(int active);
    void PaintButton(TDC &dc, TRect const &r, int pressed);
    void PaintCloseBox(TDC &dc, TRect const &r, int pressed);
    void PaintSysBox(TDC &dc, TRect const &r, int pressed);
    void PaintMinBox(TDC &dc, TRect const &r, int pressed);
    void PaintMaxBox(TDC &dc, TRect const &r, int pressed);
    void DoSysMenu();

    TSize Border;
    TSize Frame;
    int CloseBox;
    int TCEnabled;
    int CaptionHeight;
    TFont *CaptionFont;
    int DownHit;
    int IsPressed;
    int WaitingForSysCmd;

private:
    void PaintBox(int hit, int pressed);
    DECLARE_RESPONSE_TABLE(TTinyCaption);
};
