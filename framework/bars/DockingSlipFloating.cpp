#include "bars/DockingSlip.h"

#include "core/Application.h"
#include "core/WindowFlags.h"

DEFINE_RESPONSE_TABLE1(TFloatingSlip, TFloatingFrame)
    EV_MESSAGE(WM_NCLBUTTONDOWN, EvNCLButtonDown, v_U_POINT),
    EV_WM_LBUTTONDOWN,
    EV_WM_CLOSE,
    EV_MESSAGE(WM_SIZING, EvSizing, v_WPARAM_LPARAM),
    EV_MESSAGE(WM_WINDOWPOSCHANGING, EvWindowPosChanging, v_POINTER),
    EV_MESSAGE(WM_WINDOWPOSCHANGED, EvWindowPosChanged, v_POINTER),
    EV_MESSAGE(WM_WININICHANGE, EvWinIniChange, v_WPARAM_LPARAM),
END_RESPONSE_TABLE;

TFloatingSlip::TFloatingSlip(TWindow *parent, int x, int y, TWindow *dockableWindow, int shrinkToClient,
                             int captionHeight, int popupPalette, TModule *module)
    : TWindow(parent, dockableWindow ? dockableWindow->GetTitle() : 0, module),
      TFloatingFrame(parent, dockableWindow ? dockableWindow->GetTitle() : 0, 0, shrinkToClient, captionHeight,
                     popupPalette, module),
      Fitting(0) {
    Attr.Style &= ~(WS_MAXIMIZEBOX | WS_MINIMIZEBOX | WS_SYSMENU | WS_CLIPSIBLINGS | WS_VISIBLE);
    Attr.Style |= WS_CLIPCHILDREN | WS_BORDER | WS_THICKFRAME;
    EnableTinyCaption(captionHeight, 1);
    // closed slips are deleted by the application
    SetFlag(wfDeleteOnClose);
    TRect r(0, 0, 0, 0);
    if (dockableWindow)
        r = dockableWindow->GetHandle() ? TRect(TPoint(0, 0), dockableWindow->GetWindowRect().Size())
                                        : TRect(0, 0, dockableWindow->Attr.W, dockableWindow->Attr.H);
    ::AdjustWindowRectEx(&r, Attr.Style, FALSE, Attr.ExStyle);
    Attr.X = x, Attr.Y = y;
    Attr.W = r.Width(), Attr.H = r.Height();
}

TDockable *TFloatingSlip::ClientDockable() { return dynamic_cast<TDockable *>(GetClientWindow()); }

TSize TFloatingSlip::GetBorders() const {
    if (!GetHandle())
        return TSize(0, 0);
    return GetWindowRect().Size() - GetClientRect().Size();
}

TSize TFloatingSlip::ComputeSize(TAbsLocation location, TSize *constraint) {
    TDockable *d = ClientDockable();
    return d ? d->ComputeSize(location, constraint) : TSize(0, 0);
}

void TFloatingSlip::GetRect(TRect &rect) { rect = GetWindowRect(); }

void TFloatingSlip::Layout(TAbsLocation location, TSize *size) {
    if (TDockable *d = ClientDockable())
        d->Layout(location, size);
}

void TFloatingSlip::FitToClient(TSize const &clientSize) {
    if (!GetHandle() || Fitting)
        return;
    Fitting = 1;
    TSize size = clientSize + GetBorders();
    SetWindowPos(0, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    Fitting = 0;
}

void TFloatingSlip::DockableInsert(TDockable &dockable, TPoint const *, TRelPosition, TDockable *) {
    dockable.Layout(alNone);
    TWindow *w = dockable.GetWindow();
    SetClientWindow(w);
    if (w->GetHandle())
        w->SendMessageA(WM_DOCKABLEDOCKED, 0, LPARAM(static_cast<TDockingSlip *>(this)));
}

void TFloatingSlip::DockableMove(TDockable &, TPoint const *point, TRelPosition, TDockable *) {
    if (point)
        SetWindowPos(0, point->x, point->y, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE);
}

void TFloatingSlip::DockableRemoved(TRect const &) {
    if (GetClientWindow())
        SetClientWindow(0);
    SendMessageA(WM_CLOSE);
}

void TFloatingSlip::EvNCLButtonDown(uint hitTest, TPoint &point) {
    if (hitTest == HTCAPTION && Harbor) {
        Harbor->DockDraggingBegin(*this, point, alNone, this);
        return;
    }
    TTinyCaption::EvNCLButtonDown(hitTest, point);
}

void TFloatingSlip::EvLButtonDown(uint, TPoint &point) {
    TDockable *d = ClientDockable();
    if (d && BeginDragAt(GetHandle(), GetClientWindow()->GetHandle(), *d, *this, point))
        return;
    DefaultProcessing();
}

void TFloatingSlip::EvClose() {
    TDockable *d = ClientDockable();
    if (d && Harbor) {
        Harbor->Remove(*d);  // closes this slip through DockableRemoved
        return;
    }
    TFloatingFrame::EvClose();
}

void TFloatingSlip::EvSizing(WPARAM side, LPARAM rectParam) {
    TDockable *d = ClientDockable();
    if (!d) {
        DefaultProcessing();
        return;
    }
    TRect &r = *reinterpret_cast<TRect *>(rectParam);
    bool horizontalSide = side == WMSZ_LEFT || side == WMSZ_RIGHT;
    bool verticalSide = side == WMSZ_TOP || side == WMSZ_BOTTOM;
    TSize constraint(verticalSide ? 0 : r.Width(), horizontalSide ? 0 : r.Height());
    TSize size = d->ComputeSize(alNone, &constraint);
    if (horizontalSide) {
        int centre = (r.top + r.bottom) / 2;
        r.top = centre - size.cy / 2;
        r.bottom = r.top + size.cy;
    }
    if (verticalSide) {
        int centre = (r.left + r.right) / 2;
        r.left = centre - size.cx / 2;
        r.right = r.left + size.cx;
    }
    if (side == WMSZ_LEFT || side == WMSZ_TOPLEFT || side == WMSZ_BOTTOMLEFT)
        r.left = r.right - size.cx;
    else if (!verticalSide)
        r.right = r.left + size.cx;
    if (side == WMSZ_TOP || side == WMSZ_TOPLEFT || side == WMSZ_TOPRIGHT)
        r.top = r.bottom - size.cy;
    else if (!horizontalSide)
        r.bottom = r.top + size.cy;
}

void TFloatingSlip::EvWindowPosChanging(void *windowPos) {
    WINDOWPOS &wp = *static_cast<WINDOWPOS *>(windowPos);
    TDockable *d = ClientDockable();
    if (d && !(wp.flags & SWP_NOSIZE) && !Fitting) {
        TSize constraint(wp.cx, 0);
        TSize size = d->ComputeSize(alNone, &constraint);
        if (!(wp.flags & SWP_NOMOVE))
            wp.y += (wp.cy - size.cy) / 2;
        wp.cx = size.cx;
        wp.cy = size.cy;
    }
    wp.flags |= SWP_NOACTIVATE;
    DefaultProcessing();
}

void TFloatingSlip::EvWindowPosChanged(void *windowPos) {
    WINDOWPOS &wp = *static_cast<WINDOWPOS *>(windowPos);
    DefaultProcessing();
    TDockable *d = ClientDockable();
    if (d && !(wp.flags & SWP_NOSIZE) && !Fitting) {
        TSize size = GetClientRect().Size();
        Fitting = 1;
        d->Layout(alNone, &size);
        Fitting = 0;
    }
}

void TFloatingSlip::EvWinIniChange(WPARAM, LPARAM) {
    DefaultProcessing();
    if (TWindow *client = GetClientWindow())
        if (client->GetHandle() && GetWindowRect().Size() != client->GetWindowRect().Size() + GetBorders())
            FitToClient(client->GetWindowRect().Size());
}
