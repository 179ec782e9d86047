// The places of the harbor's dockables: a strip along one edge of the frame whose
// windows sit on packed rows or columns, and a small floating frame holding one.
#pragma once

#include "bars/Harbor.h"

#include "core/FloatingFrame.h"

class VELTRANE_API TEdgeSlip : public TWindow, public TDockingSlip {
public:
    TEdgeSlip(TDecoratedFrame &frame, TAbsLocation location, TModule *module = 0);

    void DockableInsert(TDockable &dockable, TPoint const *point = 0, TRelPosition position = rpNone,
                        TDockable *reference = 0) override;
    void DockableMove(TDockable &dockable, TPoint const *point = 0, TRelPosition position = rpNone,
                      TDockable *reference = 0) override;
    void DockableRemoved(TRect const &rect) override;
    TAbsLocation GetLocation() const override { return Location; }

    void SetupWindow() override;
    LRESULT EvCommand(uint id, HWND hWndCtl, uint notifyCode) override;
    void EvCommandEnable(TCommandEnabler &ce) override;

    // Sizes the slip to its windows; the frame lays out again on a change or when forced.
    void ReLayout(int force);

protected:
    // A docked window with its rectangle in client coordinates.
    struct TDocked {
        HWND Wnd;
        TRect Rect;
    };
    std::vector<TDocked> Docked(bool visibleOnly = false) const;
    int CrossStart(TRect const &r) const { return GridType ? r.left : r.top; }
    int CrossEnd(TRect const &r) const { return GridType ? r.right : r.bottom; }
    int AlongStart(TRect const &r) const { return GridType ? r.top : r.left; }
    int AlongEnd(TRect const &r) const { return GridType ? r.bottom : r.right; }
    // Moves a window to an along and a cross position.
    void Place(HWND wnd, int along, int cross);
    // Places a window on a new line while the slip has no window yet.
    void QueueLine(TDockable &dockable, TRelPosition position);

    void CompressGridLines();
    void CompressParallel(int length);
    // Makes room for the dragged window next to a window on its grid line; the window
    // that now ends the pair.
    TWindow *MoveDraggedWindow(TWindow *dragged);
    // Pushes the windows after the pair along the grid line.
    void MoveAllOthers(TWindow *dragged, TWindow *neighbour);
    TSize ComputeDockingArea();
    int GridSize(int line);

    void EvLButtonDown(uint modKeys, TPoint &point);
    void EvLButtonDblClk(uint modKeys, TPoint &point);
    uint EvNCCalcSize(int calcValidRects, LPARAM params);
    void EvNCPaint(WPARAM region);
    int EvEraseBkgnd(WPARAM hdc);
    void EvParentNotify(uint event, LPARAM childHandle, uint childId);
    void EvWindowPosChanging(void *windowPos);

    TDecoratedFrame *DecFrame;
    TAbsLocation Location;
    int GridType;  // 0 rows (top and bottom), 1 columns (left and right)

private:
    DECLARE_RESPONSE_TABLE(TEdgeSlip);
};

class VELTRANE_API TFloatingSlip : public TFloatingFrame, public TDockable, public TDockingSlip {
public:
    TFloatingSlip(TWindow *parent, int x, int y, TWindow *dockableWindow, int shrinkToClient = 1,
                  int captionHeight = 58, int popupPalette = 1, TModule *module = 0);

    // TDockable
    TSize ComputeSize(TAbsLocation location, TSize *constraint) override;
    void GetRect(TRect &rect) override;
    void Layout(TAbsLocation location, TSize *size = 0) override;
    int ShouldBeginDrag(TPoint &) override { return 0; }
    TWindow *GetWindow() override { return GetClientWindow(); }
    using TWindow::GetWindow;
    THarbor *GetHarbor() override { return Harbor; }

    // TDockingSlip
    void DockableInsert(TDockable &dockable, TPoint const *point = 0, TRelPosition position = rpNone,
                        TDockable *reference = 0) override;
    void DockableMove(TDockable &dockable, TPoint const *point = 0, TRelPosition position = rpNone,
                      TDockable *reference = 0) override;
    void DockableRemoved(TRect const &rect) override;
    TAbsLocation GetLocation() const override { return alNone; }

    // The size of the frame round the client.
    TSize GetBorders() const;
    // Non-zero while the client resizes the frame round itself.
    int IsFitting() const { return Fitting; }
    void FitToClient(TSize const &clientSize);

    void EvNCLButtonDown(uint hitTest, TPoint &point);
    void EvLButtonDown(uint modKeys, TPoint &point);
    void EvClose();
    void EvSizing(WPARAM side, LPARAM rect);
    void EvWindowPosChanging(void *windowPos);
    void EvWindowPosChanged(void *windowPos);
    void EvWinIniChange(WPARAM, LPARAM);

protected:
    TDockable *ClientDockable();

    int Fitting;

private:
    DECLARE_RESPONSE_TABLE(TFloatingSlip);
};
