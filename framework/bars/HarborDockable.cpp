#include "bars/HarborDockable.h"

#include "bars/DockingSlip.h"
#include "core/System.h"
#include "bars/Tooltip.h"
#include "core/WindowFlags.h"

#include <algorithm>

DEFINE_RESPONSE_TABLE1(TDockableGadgetWindow, TGadgetWindow)
    EV_WM_LBUTTONDOWN,
END_RESPONSE_TABLE;

namespace {
// A floating frame's style, for the borders of a shape not yet floating.
uint32_t const FloatingStyle = 0x90CC0000;
uint32_t const FloatingExStyle = 0x180;
int const SearchStep = 5;
int const SearchLimit = 1000;
}  // namespace

TDockableGadgetWindow::TDockableGadgetWindow(TWindow *parent, TTileDirection direction, TFont *font,
                                             TModule *module)
    : TWindow(parent, 0, module), TGadgetWindow(parent, direction, font, module) {
    Attr.Style = (Attr.Style & ~WS_BORDER) | WS_CLIPSIBLINGS;
    SetShrinkWrap(1, 1);
}

TGadgetWindow::TTileDirection TDockableGadgetWindow::GetDirectionForLocation(TAbsLocation location) {
    switch (location) {
    case alTop:
    case alBottom: return Horizontal;
    case alLeft:
    case alRight: return Vertical;
    default: return Rectangular;
    }
}

TSize TDockableGadgetWindow::FloatingBorders() {
    TFloatingSlip *slip = dynamic_cast<TFloatingSlip *>(GetParentO());
    if (Direction == Rectangular && slip && slip->GetHandle()) {
        TSize borders = slip->GetBorders();
        if (TSystem::Has3dUI()) {
            int left, right, top, bottom;
            Margins.GetPixels(left, right, top, bottom, FontHeight);
            borders.cy -= std::min(::GetSystemMetrics(SM_CYSIZEFRAME) - ::GetSystemMetrics(SM_CYFIXEDFRAME), bottom);
        }
        return borders;
    }
    TRect r(0, 0, 0, 0);
    ::AdjustWindowRectEx(&r, FloatingStyle, FALSE, FloatingExStyle);
    return r.Size();
}

TSize TDockableGadgetWindow::ComputeSize(TAbsLocation location, TSize *constraint) {
    TTileDirection direction = GetDirectionForLocation(location);
    TSize borders = direction == Rectangular ? FloatingBorders() : TSize(0, 0);
    uint8_t oldDirection = Direction;
    int oldRowWidth = RowWidth;
    Direction = uint8_t(direction);
    auto desiredAt = [&](int rowWidth) {
        RowWidth = rowWidth;
        TSize s;
        GetDesiredSize(s);
        return s;
    };
    TSize size;
    if (constraint && constraint->cx == 0 && constraint->cy) {
        // the width whose height fits the wanted one best
        int wanted = constraint->cy - borders.cy, width = RowWidth;
        int best = width;
        if (desiredAt(width).cy <= wanted) {
            while (width - SearchStep >= 1 && desiredAt(width - SearchStep).cy <= wanted)
                best = width -= SearchStep;
        } else {
            while (width + SearchStep <= SearchLimit) {
                best = width += SearchStep;
                if (desiredAt(width).cy <= wanted)
                    break;
            }
        }
        size = desiredAt(best);
    } else if (constraint && constraint->cx) {
        size = desiredAt(constraint->cx - borders.cx);
    } else {
        size = desiredAt(RowWidth);
    }
    Direction = oldDirection;
    RowWidth = oldRowWidth;
    return size + borders;
}

void TDockableGadgetWindow::GetRect(TRect &rect) { rect = GetWindowRect(); }

void TDockableGadgetWindow::Layout(TAbsLocation location, TSize *size) {
    TTileDirection direction = GetDirectionForLocation(location);
    if (direction == GetDirection() && !size)
        return;
    if (size)
        SetRectangularDimensions(size->cx, size->cy, -1);
    SetDirection(direction);
}

int TDockableGadgetWindow::ShouldBeginDrag(TPoint &point) {
    TGadget *gadget = GadgetFromPoint(point);
    return !gadget || !gadget->IsVisible();
}

THarbor *TDockableGadgetWindow::GetHarbor() {
    if (TDockingSlip *slip = dynamic_cast<TDockingSlip *>(GetParentO()))
        return slip->GetHarbor();
    return dynamic_cast<THarbor *>(GetParentO());
}

void TDockableGadgetWindow::LayoutSession() {
    TSize desired;
    GetDesiredSize(desired);
    Attr.W = desired.cx, Attr.H = desired.cy;
    TGadgetWindow::LayoutSession();
    if (!GetHandle())
        return;
    TFloatingSlip *slip = dynamic_cast<TFloatingSlip *>(GetParentO());
    if (!slip) {
        SetWindowPos(0, 0, 0, desired.cx, desired.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        return;
    }
    if (slip->GetHandle())
        slip->ShowWindow(desired.cx && desired.cy ? SW_SHOWNA : SW_HIDE);
    // the frame follows below, not through its own reaction to the client's size
    SetFlag(wfShrinkToClient);
    SetWindowPos(0, 0, 0, desired.cx, desired.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    ClearFlag(wfShrinkToClient);
    slip->FitToClient(desired);
}

void TDockableGadgetWindow::EvLButtonDown(uint modKeys, TPoint &point) {
    TGadgetWindow::EvLButtonDown(modKeys, point);
    TWindow *parent = GetParentO();
    if (!parent || !parent->GetHandle() || ::GetParent(GetHandle()) != parent->GetHandle())
        return;
    TPoint inParent = point;
    ::MapWindowPoints(GetHandle(), parent->GetHandle(), &inParent, 1);
    parent->SendMessageA(WM_LBUTTONDOWN, modKeys, MAKELPARAM(inParent.x, inParent.y));
    THarbor *harbor = GetHarbor();
    if (harbor && harbor->GetHandle() && ::GetCapture() == harbor->GetHandle() && GetTooltip() &&
        GetTooltip()->GetHandle()) {
        // the tip saw the press; it must not stay pressed
        MSG up = {GetHandle(), WM_LBUTTONUP, modKeys, MAKELPARAM(point.x, point.y), 0, {point.x, point.y}};
        GetTooltip()->RelayEvent(up);
    }
}

TDockableControlBar::TDockableControlBar(TWindow *parent, TTileDirection direction, TFont *font, TModule *module)
    : TWindow(parent, 0, module), TDockableGadgetWindow(parent, direction, font, module) {
    int cxSize = ::GetSystemMetrics(SM_CXSIZEFRAME), cySize = ::GetSystemMetrics(SM_CYSIZEFRAME);
    if (direction == Vertical)
        Margins = TMargins(TMargins::BorderUnits, cxSize, cxSize, cySize + ::GetSystemMetrics(SM_CYFIXEDFRAME),
                           cySize + ::GetSystemMetrics(SM_CYFIXEDFRAME));
    else
        Margins = TMargins(TMargins::BorderUnits, cxSize + ::GetSystemMetrics(SM_CXFIXEDFRAME),
                           cxSize + ::GetSystemMetrics(SM_CXFIXEDFRAME), cySize, cySize);
}
