// Docking of windows along the edges of a decorated frame or in small floating
// frames. The harbor runs the drag of a dockable window: it holds the mouse, shows
// in XOR where the window would land and moves it there on release.
#pragma once

#include "core/VeltraneDefs.h"

#include "bars/DecoratedFrame.h"
#include "core/Geometry.h"
#include "core/Window.h"

class THarbor;
class TEdgeSlip;
class TFloatingSlip;
class TScreenDC;

enum TAbsLocation { alNone, alTop, alBottom, alLeft, alRight };
enum TRelPosition { rpNone, rpAbove, rpBelow, rpRightOf, rpLeftOf };

// Sent by a slip to a window it has just taken in: wParam the relative position,
// lParam the slip (TDockingSlip *).
enum { WM_DOCKABLEDOCKED = 32499, WM_EDGESLIPDBLCLK = 32500 };

// A window that can dock.
class VELTRANE_API TDockable {
public:
    // The size at that location; a size with one dimension 0 constrains the other.
    virtual TSize ComputeSize(TAbsLocation location, TSize *constraint) = 0;
    // The window rectangle on the screen.
    virtual void GetRect(TRect &rect) = 0;
    virtual void Layout(TAbsLocation location, TSize *size = 0) = 0;
    // Whether a press at this client point starts a drag.
    virtual int ShouldBeginDrag(TPoint &point) = 0;
    virtual TWindow *GetWindow() = 0;
    virtual THarbor *GetHarbor() = 0;

protected:
    ~TDockable() {}
};

// A place where dockables sit.
class VELTRANE_API TDockingSlip {
public:
    virtual void DockableInsert(TDockable &dockable, TPoint const *point = 0, TRelPosition position = rpNone,
                                TDockable *reference = 0) = 0;
    virtual void DockableMove(TDockable &dockable, TPoint const *point = 0, TRelPosition position = rpNone,
                              TDockable *reference = 0) = 0;
    virtual void DockableRemoved(TRect const &rect) = 0;
    virtual TAbsLocation GetLocation() const = 0;

    void SetHarbor(THarbor *harbor) { Harbor = harbor; }
    THarbor *GetHarbor() const { return Harbor; }

protected:
    TDockingSlip() : Harbor(0) {}
    ~TDockingSlip() {}
    // A press at point (client coordinates of slip) on the window child starts the
    // harbor dragging `dragged` from here when `asked`, the dockable shown by child,
    // wants a drag at that place. Non-zero when the drag began.
    int BeginDragAt(HWND slip, HWND child, TDockable &asked, TDockable &dragged, TPoint const &point);

    THarbor *Harbor;
};

class VELTRANE_API THarbor : public TWindow {
public:
    explicit THarbor(TDecoratedFrame &frame);
    ~THarbor() override;

    // point on the screen; always 1.
    int DockDraggingBegin(TDockable &dockable, TPoint &point, TAbsLocation location, TDockingSlip *origin);
    // Docks or floats a dockable that is not docked; the slip that took it.
    TDockingSlip *Insert(TDockable &dockable, TAbsLocation location, TPoint const *point = 0,
                         TRelPosition position = rpNone, TDockable *reference = 0);
    void Move(TDockable &dockable, TAbsLocation location, TPoint const *point = 0, TRelPosition position = rpNone,
              TDockable *reference = 0);
    // Undocks: the window is hidden and parented to the harbor.
    void Remove(TDockable &dockable);

    virtual TEdgeSlip *ConstructEdgeSlip(TDecoratedFrame &frame, TAbsLocation location);
    virtual TFloatingSlip *ConstructFloatingSlip(TDecoratedFrame &frame, int x, int y, TWindow *dockableWindow);

    TDockable *GetDragDockable() const { return DragDockable; }
    TAbsLocation GetDragLocation() const { return DragLocation; }
    TRect const &GetDragRect() const { return DragRect; }

protected:
    TEdgeSlip *GetEdgeSlip(TAbsLocation location);
    void SetEdgeSlip(TAbsLocation location, TEdgeSlip *slip);
    TRelPosition GetSlipPosition(TAbsLocation location);

    void EvMouseMove(uint modKeys, TPoint &point);
    void EvLButtonUp(uint modKeys, TPoint &point);
    void EvLButtonDblClk(uint modKeys, TPoint &point);

    void EvCaptureChanged(LPARAM);

    // Ends the drag and puts the dockable where the outline is.
    void DockDraggingEnd();
    // Erases the outline and gives up the mouse; the dockable that was dragged.
    TDockable *StopDrag();
    void DrawOutline();

    TDecoratedFrame *DecFrame;
    TEdgeSlip *SlipTop;
    TEdgeSlip *SlipLeft;
    TEdgeSlip *SlipBottom;
    TEdgeSlip *SlipRight;

    TDockable *DragDockable;
    TScreenDC *DragDC;
    TAbsLocation DragOrgLocation;
    TAbsLocation DragLocation;
    TDockingSlip *DragOrgSlip;
    TRect DragRect;
    TPoint DragHotSpot;
    TSize DragHSize;
    TSize DragVSize;
    TSize DragNSize;
    TRect DragTopArea;
    TRect DragBottomArea;
    TRect DragLeftArea;
    TRect DragRightArea;

private:
    DECLARE_RESPONSE_TABLE(THarbor);
};
