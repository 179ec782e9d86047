// Small frames that float over the main window: tool palettes and pop-up holders of
// one control. They never take activation from the main window, route their commands
// to their parent and, as pop-up palettes, can be dragged by the margin round their
// client.
#pragma once

#include "core/VeltraneDefs.h"

#include "core/FrameWindow.h"
#include "core/TinyCaption.h"

class VELTRANE_API TFloatingFrame : public TFrameWindow, public TTinyCaption {
public:
    TFloatingFrame(TWindow *parent, char const *title = 0, TWindow *client = 0, int shrinkToClient = 0,
                   int captionHeight = 58, int popupPalette = 0, TModule *module = 0);

    HWND GetCommandTarget() override;
    LRESULT EvCommand(uint id, HWND hWndCtl, uint notifyCode) override;
    void EvCommandEnable(TCommandEnabler &ce) override;

    int IsPopupPalette() const { return popupPalette_; }
    int IsAppActive() const { return appActive_; }
    void SetMargins(int x, int y) { marginX_ = x, marginY_ = y; }
    int GetMarginX() const { return marginX_; }
    int GetMarginY() const { return marginY_; }

    void EvSysCommand(uint cmd, TPoint &point);
    uint EvNCCalcSize(int calcValidRects, LPARAM params);
    void EvNCPaint(WPARAM region);
    uint EvNCHitTest(TPoint &screenPt);
    uint EvMouseActivate(uint topWindow, uint hitTest, uint msg);
    uint EvMouseActivateRaw(WPARAM wp, LPARAM lp) { return EvMouseActivate(wp, LOWORD(lp), HIWORD(lp)); }
    int EvNCActivate(int active);
    void EvActivateApp(int active, uint threadId);

protected:
    // The rectangle inside the frame and below the caption, in window coordinates.
    TRect GetInnerRect() const;

    int marginX_;
    int marginY_;
    int popupPalette_;
    int appActive_;

private:
    DECLARE_RESPONSE_TABLE(TFloatingFrame);
};

// A palette that remembers its place on the screen.
class VELTRANE_API FloatingWindow : public TFloatingFrame {
public:
    FloatingWindow(TWindow *parent, char *title, TWindow *client, TPoint const &position, int shrinkToClient = 1,
                   int popupPalette = 0, TModule *module = 0);

    virtual void SetupWindow() override;
    void GetPosition(TPoint &position) const;
    // Where a palette wanted at `wanted` goes under a parent with window rectangle `parent`:
    // off the parent's reach it comes back 50 pixels inside its top-left corner.
    static TPoint PlaceOnParent(TPoint const &wanted, TRect const &parent);

    int EvNCActivate(int active);

private:
    TPoint position_;

    DECLARE_RESPONSE_TABLE(FloatingWindow);
};

// A top-most borderless pop-up with a thin 3-D rim (pop-up sliders).
class VELTRANE_API PopupFrame : public TFloatingFrame {
public:
    typedef int Style;
    PopupFrame(TWindow *client, char const *title, Style style);

    Style GetPopupStyle() const { return style_; }
    void EvNCPaint(WPARAM region);

private:
    Style style_;

    DECLARE_RESPONSE_TABLE(PopupFrame);
};

// Floating frames of the higher layers (the tool bars') follow the main window's
// activity: their layer registers how they are told, and a modal run or the main frame
// tells them through SetFloatingFramesActive (-1: active exactly when the main window
// is in front). Nothing happens while none is registered.
typedef void (*TFloatingFramesActivator)(int active);
VELTRANE_API void SetFloatingFramesActivator(TFloatingFramesActivator activator);
VELTRANE_API void SetFloatingFramesActive(int active);
