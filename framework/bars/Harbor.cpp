#include "bars/Harbor.h"

#include "core/Dc.h"
#include "bars/DockingSlip.h"
#include "core/GdiObject.h"

DEFINE_RESPONSE_TABLE1(THarbor, TWindow)
    EV_WM_MOUSEMOVE,
    EV_WM_LBUTTONUP,
    EV_WM_LBUTTONDBLCLK,
    EV_MESSAGE(WM_CAPTURECHANGED, EvCaptureChanged, v_LPARAM),
END_RESPONSE_TABLE;

namespace {
// Strict overlap; a target of no height or width counts when the candidate straddles it.
bool Overlaps(TRect const &a, TRect const &t) {
    bool x = t.left == t.right ? a.left < t.left && t.left < a.right : a.left < t.right && t.left < a.right;
    bool y = t.top == t.bottom ? a.top < t.top && t.top < a.bottom : a.top < t.bottom && t.top < a.bottom;
    return x && y;
}

HBRUSH DragBrush() {
    static THatch8x8Brush brush(THatch8x8Brush::Hatch11F1);
    return HBRUSH(brush.GetHandle());
}
}  // namespace

int TDockingSlip::BeginDragAt(HWND slip, HWND child, TDockable &asked, TDockable &dragged, TPoint const &point) {
    if (!Harbor)
        return 0;
    TPoint inChild = point;
    ::MapWindowPoints(slip, child, &inChild, 1);
    if (!asked.ShouldBeginDrag(inChild))
        return 0;
    TPoint screen = point;
    ::ClientToScreen(slip, &screen);
    Harbor->DockDraggingBegin(dragged, screen, GetLocation(), this);
    return 1;
}

THarbor::THarbor(TDecoratedFrame &frame)
    : TWindow(&frame, "Harbor"), DecFrame(&frame), SlipTop(0), SlipLeft(0), SlipBottom(0), SlipRight(0),
      DragDockable(0), DragDC(0), DragOrgLocation(alNone), DragLocation(alNone), DragOrgSlip(0),
      DragRect(0, 0, 0, 0), DragHotSpot(0, 0), DragHSize(0, 0), DragVSize(0, 0), DragNSize(0, 0),
      DragTopArea(0, 0, 0, 0), DragBottomArea(0, 0, 0, 0), DragLeftArea(0, 0, 0, 0), DragRightArea(0, 0, 0, 0) {
    Attr.Style = WS_CHILD;
}

THarbor::~THarbor() {
    if (::GetCapture() == GetHandle() && GetHandle())
        ::ReleaseCapture();
    delete DragDC;
}

TEdgeSlip *THarbor::GetEdgeSlip(TAbsLocation location) {
    switch (location) {
    case alTop: return SlipTop;
    case alBottom: return SlipBottom;
    case alLeft: return SlipLeft;
    case alRight: return SlipRight;
    default: return 0;
    }
}

void THarbor::SetEdgeSlip(TAbsLocation location, TEdgeSlip *slip) {
    switch (location) {
    case alTop: SlipTop = slip; break;
    case alBottom: SlipBottom = slip; break;
    case alLeft: SlipLeft = slip; break;
    case alRight: SlipRight = slip; break;
    default: return;
    }
    if (slip)
        slip->SetHarbor(this);
}

// New rows and columns grow towards the client area.
TRelPosition THarbor::GetSlipPosition(TAbsLocation location) {
    switch (location) {
    case alTop: return rpBelow;
    case alBottom: return rpAbove;
    case alLeft: return rpRightOf;
    case alRight: return rpLeftOf;
    default: return rpNone;
    }
}

TEdgeSlip *THarbor::ConstructEdgeSlip(TDecoratedFrame &frame, TAbsLocation location) {
    return new TEdgeSlip(frame, location);
}

TFloatingSlip *THarbor::ConstructFloatingSlip(TDecoratedFrame &frame, int x, int y, TWindow *dockableWindow) {
    return new TFloatingSlip(&frame, x, y, dockableWindow, 1, 58, 1);
}

int THarbor::DockDraggingBegin(TDockable &dockable, TPoint &point, TAbsLocation location, TDockingSlip *origin) {
    DragDockable = &dockable;
    dockable.GetRect(DragRect);
    DragHotSpot = TPoint(point.x - DragRect.left, point.y - DragRect.top);
    DragOrgLocation = DragLocation = location;
    DragOrgSlip = origin;

    DragHSize = dockable.ComputeSize(alTop, 0);
    DragVSize = dockable.ComputeSize(alLeft, 0);
    DragNSize = dockable.ComputeSize(alNone, 0);

    TRect c(0, 0, 0, 0);
    if (TWindow *client = DecFrame->GetClientWindow())
        c = client->GetWindowRect();
    DragTopArea = SlipTop ? SlipTop->GetWindowRect() : TRect(c.left, c.top, c.right, c.top);
    DragBottomArea = SlipBottom ? SlipBottom->GetWindowRect() : TRect(c.left, c.bottom, c.right, c.bottom);
    DragLeftArea = SlipLeft ? SlipLeft->GetWindowRect() : TRect(c.left, c.top, c.left, c.bottom);
    DragRightArea = SlipRight ? SlipRight->GetWindowRect() : TRect(c.right, c.top, c.right, c.bottom);

    ::SetCapture(GetHandle());
    DragDC = new TScreenDC;
    if (TWindow *w = dockable.GetWindow())
        if (w->GetHandle())
            ::UpdateWindow(w->GetHandle());
    DrawOutline();
    return 1;
}

void THarbor::DrawOutline() {
    if (!DragDC)
        return;
    bool floating = DragLocation == alNone;
    int cx = ::GetSystemMetrics(floating ? SM_CXSIZEFRAME : SM_CXBORDER);
    int cy = ::GetSystemMetrics(floating ? SM_CYSIZEFRAME : SM_CYBORDER);
    HDC dc = *DragDC;
    HGDIOBJ old = ::SelectObject(dc, floating ? DragBrush() : HBRUSH(::GetStockObject(WHITE_BRUSH)));
    TRect const &r = DragRect;
    ::PatBlt(dc, r.left, r.top, r.Width() - cx, cy, PATINVERT);
    ::PatBlt(dc, r.right - cx, r.top, cx, r.Height() - cy, PATINVERT);
    ::PatBlt(dc, r.left + cx, r.bottom - cy, r.Width() - cx, cy, PATINVERT);
    ::PatBlt(dc, r.left, r.top + cy, cx, r.Height() - cy, PATINVERT);
    ::SelectObject(dc, old);
}

void THarbor::EvMouseMove(uint modKeys, TPoint &point) {
    if (!DragDockable) {
        DefaultProcessing();
        return;
    }
    (void)modKeys;
    TPoint cursor = point;
    ::ClientToScreen(GetHandle(), &cursor);
    TPoint origin(cursor.x - DragHotSpot.x, cursor.y - DragHotSpot.y);

    TRect h(origin, DragHSize), v(origin, DragVSize), n(origin, DragNSize);
    if (!h.Contains(cursor))
        h.MoveTo(h.left, cursor.y - h.Height() / 2);
    if (!v.Contains(cursor))
        v.MoveTo(cursor.x - v.Width() / 2, v.top);
    if (!n.Contains(cursor))
        n.MoveTo(cursor.x - n.Width() / 2, cursor.y - n.Height() / 2);

    TAbsLocation location = alNone;
    if (Overlaps(h, DragTopArea))
        location = alTop;
    else if (Overlaps(h, DragBottomArea))
        location = alBottom;
    else if (Overlaps(v, DragLeftArea))
        location = alLeft;
    else if (Overlaps(v, DragRightArea))
        location = alRight;

    TRect outline = location == alNone ? n : location <= alBottom ? h : v;
    if (outline == DragRect && location == DragLocation)
        return;
    DrawOutline();
    DragLocation = location;
    DragRect = outline;
    DrawOutline();
}

TDockable *THarbor::StopDrag() {
    TDockable *dockable = DragDockable;
    DragDockable = 0;  // before the release, which reports the capture's change
    DrawOutline();
    delete DragDC;
    DragDC = 0;
    if (::GetCapture() == GetHandle())
        ::ReleaseCapture();
    return dockable;
}

void THarbor::DockDraggingEnd() {
    TDockable *dockable = StopDrag();
    TPoint where = DragRect.TopLeft();
    if (DragLocation == DragOrgLocation) {
        if (DragOrgSlip)
            DragOrgSlip->DockableMove(*dockable, &where);
    } else if (TDockable *moved = dynamic_cast<TDockable *>(dockable->GetWindow())) {
        Move(*moved, DragLocation, &where);
    }
}

// Another window took the mouse (a message box, a task switch): the drag ends and
// the dockable stays where it was.
void THarbor::EvCaptureChanged(LPARAM) {
    if (DragDockable)
        StopDrag();
    DefaultProcessing();
}

void THarbor::EvLButtonUp(uint, TPoint &) {
    if (!DragDockable) {
        DefaultProcessing();
        return;
    }
    DockDraggingEnd();
}

void THarbor::EvLButtonDblClk(uint modKeys, TPoint &point) {
    if (!DragDockable) {
        DefaultProcessing();
        return;
    }
    TWindow *w = DragDockable->GetWindow();
    DockDraggingEnd();
    if (w && w->GetHandle()) {
        TPoint at = point;  // in the window's own client area, where it may have landed
        ::MapWindowPoints(GetHandle(), w->GetHandle(), &at, 1);
        w->SendMessageA(WM_LBUTTONDBLCLK, modKeys, MAKELPARAM(at.x, at.y));
    }
}

TDockingSlip *THarbor::Insert(TDockable &dockable, TAbsLocation location, TPoint const *point,
                              TRelPosition position, TDockable *reference) {
    if (location != alNone) {
        TEdgeSlip *slip = GetEdgeSlip(location);
        if (!slip) {
            slip = ConstructEdgeSlip(*DecFrame, location);
            SetEdgeSlip(location, slip);
            DecFrame->Insert(*slip, TDecoratedFrame::TLocation(location));
            if (DecFrame->GetHandle() && !slip->GetHandle())
                slip->Create();
        }
        slip->DockableInsert(dockable, point, position, reference);
        return slip;
    }
    int x = point ? point->x : CW_USEDEFAULT, y = point ? point->y : CW_USEDEFAULT;
    TFloatingSlip *slip = ConstructFloatingSlip(*DecFrame, x, y, dockable.GetWindow());
    slip->SetHarbor(this);
    if (DecFrame->GetHandle()) {
        slip->Create();
        slip->DockableInsert(dockable, point);
        slip->ShowWindow(SW_SHOWNA);
    } else {
        slip->Attr.Style |= WS_VISIBLE;
        slip->DockableInsert(dockable, point);
    }
    return slip;
}

void THarbor::Move(TDockable &dockable, TAbsLocation location, TPoint const *point, TRelPosition position,
                   TDockable *reference) {
    TWindow *w = dockable.GetWindow();
    TDockingSlip *slip = w ? dynamic_cast<TDockingSlip *>(w->GetParentO()) : 0;
    if (!slip || slip->GetLocation() != location) {
        Remove(dockable);
        Insert(dockable, location, point, position, reference);
    } else if (point) {
        slip->DockableMove(dockable, point);
    }
}

void THarbor::Remove(TDockable &dockable) {
    TWindow *w = dockable.GetWindow();
    if (!w)
        return;
    TRect rect;
    dockable.GetRect(rect);
    TDockingSlip *slip = dynamic_cast<TDockingSlip *>(w->GetParentO());
    w->ShowWindow(SW_HIDE);
    w->SetParent(this);
    if (slip)
        slip->DockableRemoved(rect);
}
