// A thin bar between two panes, dragged with the left mouse button. While it is
// dragged an inverted ghost follows the mouse along one axis inside the pane
// window; the derived class moves the panes when the button is released.
#pragma once

#include "core/VeltraneDefs.h"

#include "core/Geometry.h"
#include "core/Window.h"

class TWindowDC;

class VELTRANE_API Splitter : public TWindow {
public:
    Splitter(TWindow *parent, int horizontal, TWindow *paneWindow, int fixed);
    ~Splitter() override;

    // Applies a new position (left or top edge in pane window coordinates; 0 collapses).
    virtual void SetSplitPosition(int position) = 0;
    virtual int IsAside() { return 0; }
    // Sides that get a black frame line, as flags in left, top, right, bottom.
    virtual void GetFrameFlags(TRect &flags);
    // The splitter moved by offset along its axis, kept inside the pane window, in
    // pane window coordinates, shrunk by one on every side.
    virtual void GetCurrentRect(Rect &r, int offset);

    void ToggleSplit();
    void Paint(TDC &dc, int erase, TRect &rect) override;

    int IsHorizontal() const { return Horizontal; }
    int IsDragging() const { return Dragging; }
    TRect const &GetGhost() const { return Ghost; }

protected:
    void EvLButtonDown(uint modKeys, TPoint &point);
    void EvMouseMove(uint modKeys, TPoint &point);
    void EvLButtonUp(uint modKeys, TPoint &point);
    void EvLButtonDblClk(uint modKeys, TPoint &point);
    void EvCaptureChanged(LPARAM);

    int RememberedPosition;
    TWindow *PaneWindow;
    int Horizontal;
    int Fixed;
    int Dragging;
    int DragStart;
    TRect Ghost;
    TWindowDC *DragDC;

private:
    int AxisOf(TPoint const &p) const { return Horizontal ? p.y : p.x; }
    void DrawGhost();
    void EndDrag();

    DECLARE_RESPONSE_TABLE(Splitter);
};
