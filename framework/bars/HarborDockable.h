// The stock dockables of the harbor: a gadget window that lays itself out in a row,
// a column or a rectangle as its place asks, and the control bar made of it.
#pragma once

#include "bars/GadgetWindow.h"
#include "bars/Harbor.h"

class VELTRANE_API TDockableGadgetWindow : public TGadgetWindow, public TDockable {
public:
    TDockableGadgetWindow(TWindow *parent = 0, TTileDirection direction = Horizontal, TFont *font = new TGadgetWindowFont,
                          TModule *module = 0);

    virtual TTileDirection GetDirectionForLocation(TAbsLocation location);

    TSize ComputeSize(TAbsLocation location, TSize *constraint) override;
    void GetRect(TRect &rect) override;
    void Layout(TAbsLocation location, TSize *size = 0) override;
    int ShouldBeginDrag(TPoint &point) override;
    TWindow *GetWindow() override { return this; }
    using TWindow::GetWindow;
    THarbor *GetHarbor() override;

    void LayoutSession() override;

    void EvLButtonDown(uint modKeys, TPoint &point);

protected:
    // What a floating frame adds round the window for a rectangular shape.
    TSize FloatingBorders();

private:
    DECLARE_RESPONSE_TABLE(TDockableGadgetWindow);
};

class VELTRANE_API TDockableControlBar : public TDockableGadgetWindow {
public:
    TDockableControlBar(TWindow *parent = 0, TTileDirection direction = Horizontal,
                        TFont *font = new TGadgetWindowFont, TModule *module = 0);
};
