// Moving a tool bar with the mouse: an inverted frame on the screen shows where the bar
// would go (docked at an edge in its docked shape, or floating in its current shape;
// Ctrl forces floating) and the drop gives the bar that place.
#include "bars/Toolbar.h"

#include "bars/DecoratedFrame.h"
#include "bars/DockStation.h"
#include "core/SysInfo.h"
#include "bars/ToolbarFrame.h"

#include <algorithm>

TRect TToolbar::GetDockingArea() const {
    TRect area(0, 0, 0, 0);
    if (!LeftDock || !TopDock || !RightDock || !BottomDock)
        return area;
    area.left = LeftDock->GetWindowRect().left;
    area.top = TopDock->GetWindowRect().top;
    area.right = RightDock->GetWindowRect().right;
    area.bottom = BottomDock->GetWindowRect().bottom;
    return area;
}

void TToolbar::EvLButtonDown(uint modKeys, TPoint &point) {
    if (Capture || GadgetFromPoint(point)) {
        TControlBar::EvLButtonDown(modKeys, point);
        return;
    }
    Dragging = 1;
    SetCapture();
    _sysInfo.SetStatus(unsigned(DragTextId));
    HorzSize = Compose(DockTop, 0, 0, 0);
    VertSize = Compose(DockLeft, 0, 0, 0);
    DockingArea = GetDockingArea();
    DragStyle = Style;
    DragRect = IsFloating() && FloatingFrame ? FloatingFrame->GetWindowRect() : GetWindowRect();
    DragShown = 0;
    DrawDragRect(DragRect, DragStyle, 0);
    LastPoint = point;
    ::ClientToScreen(HWindow, &LastPoint);
}

void TToolbar::EvMouseMove(uint modKeys, TPoint &point) {
    if (!Dragging) {
        TControlBar::EvMouseMove(modKeys, point);
        return;
    }
    TPoint screen = point;
    ::ClientToScreen(HWindow, &screen);
    DragTo(screen, modKeys & MK_CONTROL);
}

void TToolbar::DragTo(TPoint const &pt, int control) {
    TRect c(0, 0, 0, 0);
    if (TWindow *client = MainWindow ? MainWindow->GetClientWindow() : 0)
        c = client->GetWindowRect();
    TRect rect = DragRect.OffsetBy(pt.x - LastPoint.x, pt.y - LastPoint.y);
    LastPoint = pt;
    TRect const &a = DockingArea;
    bool inArea = rect.Touches(a);
    TSize const &h = HorzSize, &v = VertSize;
    unsigned short edge = 0;
    if (!control && inArea) {
        if ((ValidAlignment & DockTop) && rect.top <= c.top && a.top <= rect.bottom && a.top <= pt.y + h.cy &&
            pt.y - h.cy < c.top)
            edge = DockTop;
        else if ((ValidAlignment & DockBottom) && rect.top <= a.bottom && c.bottom <= rect.bottom &&
                 pt.y - h.cy <= a.bottom && c.bottom < pt.y + h.cy)
            edge = DockBottom;
        else if ((ValidAlignment & DockLeft) && rect.left <= c.left && a.left <= rect.right &&
                 a.left <= pt.x + v.cx && pt.x - v.cx <= c.left)
            edge = DockLeft;
        else if ((ValidAlignment & DockRight) && rect.left <= a.right && c.right <= rect.right &&
                 pt.x - v.cx <= a.right && c.right <= pt.x + v.cx)
            edge = DockRight;
    }
    if (edge == DockTop || edge == DockBottom) {
        DragStyle = (DragStyle & 0x0FEF) | edge;
        rect = TRect(rect.TopLeft(), h);
        if (pt.x > rect.right)
            rect.Offset(pt.x - rect.right + h.cx / 2, 0);
        int reference = edge == DockTop ? a.top : c.bottom;
        int dy = std::max<int>(reference, pt.y) - rect.bottom;
        if (dy > 0)
            rect.Offset(0, dy);
    } else if (edge) {
        DragStyle = (DragStyle & 0x0FEF) | edge;
        rect = TRect(rect.TopLeft(), v);
        if (pt.y > rect.bottom)
            rect.Offset(0, pt.y - rect.bottom + v.cy / 2);
        int reference = edge == DockLeft ? a.left : c.right;
        int dx = std::max<int>(reference, pt.x) - rect.right;
        if (dx > 0)
            rect.Offset(dx, 0);
    } else if (!(DragStyle & Floating)) {
        TSize size = GetCaseSize(CurrentCase);
        bool bottomAnchor = (DragStyle == DockTop && !inArea) || (DragStyle == DockBottom && inArea);
        bool rightAnchor = (DragStyle == DockLeft && !inArea) || (DragStyle == DockRight && inArea);
        if (bottomAnchor)
            rect.top = rect.bottom - size.cy;
        else
            rect.bottom = rect.top + size.cy;
        if (rightAnchor)
            rect.left = rect.right - size.cx;
        else
            rect.right = rect.left + size.cx;
        if (pt.x < rect.left || pt.x >= rect.right)
            rect.Offset(pt.x - (rect.left + size.cx / 2), 0);
        else if (pt.y < rect.top || pt.y >= rect.bottom)
            rect.Offset(0, pt.y - (rect.top + size.cy / 2));
        DragStyle |= Floating;
    }
    DragRect = rect;
    DrawDragRect(DragRect, DragStyle, 1);
}

void TToolbar::EvLButtonUp(uint modKeys, TPoint &point) {
    if (!Dragging) {
        TControlBar::EvLButtonUp(modKeys, point);
        return;
    }
    EndDrag();
    ::ReleaseCapture();
    if (DragStyle & Floating) {
        FloatingPos = DragRect.TopLeft();
    } else if (TDockStation *station = GetDockedStation(DragStyle)) {
        DockedPos = DragRect.TopLeft();
        if (station->GetHandle())
            ::ScreenToClient(station->GetHandle(), &DockedPos);
    }
    SetStyle(DragStyle, 0);
}

void TToolbar::EndDrag() {
    Dragging = 0;
    _sysInfo.RestoreStatus();
    if (DragShown) {
        HDC dc = ::GetDC(0);
        DrawFocus(dc, ShownDragRect, ShownDragStyle);
        ::ReleaseDC(0, dc);
        DragShown = 0;
    }
}

// Another window took the mouse (a message box, a task switch): the drag ends and the
// bar stays where it was.
void TToolbar::EvCaptureChanged(LPARAM newCapture) {
    if (Dragging)
        EndDrag();
    TGadgetWindow::EvCaptureChanged(newCapture);
}

void TToolbar::EvLButtonDblClk(uint modKeys, TPoint &point) {
    if (Capture || GadgetFromPoint(point)) {
        TControlBar::EvLButtonDblClk(modKeys, point);
        return;
    }
    SetStyle(Style ^ Floating, 1);
}

void TToolbar::DrawDragRect(TRect const &rect, unsigned short style, int eraseOld) {
    if (eraseOld && DragShown && rect == ShownDragRect && style == ShownDragStyle)
        return;
    HDC dc = ::GetDC(0);
    if (eraseOld && DragShown)
        DrawFocus(dc, ShownDragRect, ShownDragStyle);
    ShownDragRect = rect;
    ShownDragStyle = style;
    DragShown = 1;
    DrawFocus(dc, rect, style);
    ::ReleaseDC(0, dc);
}

void TToolbar::DrawFocus(HDC dc, TRect const &r, unsigned short style) {
    int tx = 1, ty = 1;
    if (style & Floating) {
        tx = ::GetSystemMetrics(SM_CXFRAME) - 1;
        ty = ::GetSystemMetrics(SM_CYFRAME) - 1;
    }
    ::SetBrushOrgEx(dc, 0, 0, 0);
    COLORREF text = ::SetTextColor(dc, RGB(0, 0, 0));
    COLORREF back = ::SetBkColor(dc, RGB(128, 128, 128));
    HGDIOBJ old = ::SelectObject(dc, DragBrush ? DragBrush : ::GetStockObject(GRAY_BRUSH));
    int width = r.Width(), height = r.Height();
    ::PatBlt(dc, r.left + tx, r.top, width - tx, ty, PATINVERT);
    ::PatBlt(dc, r.right - tx, r.top + ty, tx, height - ty, PATINVERT);
    ::PatBlt(dc, r.left, r.bottom - ty, width - tx, ty, PATINVERT);
    ::PatBlt(dc, r.left, r.top, tx, height - ty, PATINVERT);
    ::SelectObject(dc, old);
    ::SetTextColor(dc, text);
    ::SetBkColor(dc, back);
}
