#include "bars/DockingSlip.h"

#include "core/Color.h"
#include "core/Dc.h"
#include "core/UIParts.h"

#include <algorithm>

DEFINE_RESPONSE_TABLE1(TEdgeSlip, TWindow)
    EV_WM_LBUTTONDOWN,
    EV_WM_LBUTTONDBLCLK,
    EV_MESSAGE(WM_NCCALCSIZE, EvNCCalcSize, U_B_LPARAM),
    EV_MESSAGE(WM_NCPAINT, EvNCPaint, v_WPARAM),
    EV_MESSAGE(WM_ERASEBKGND, EvEraseBkgnd, B_WPARAM),
    EV_WM_PARENTNOTIFY,
    EV_MESSAGE(WM_WINDOWPOSCHANGING, EvWindowPosChanging, v_POINTER),
END_RESPONSE_TABLE;

namespace {
int const SeparatorLine = 2;  // the etched line towards the frame's inside
}

TEdgeSlip::TEdgeSlip(TDecoratedFrame &frame, TAbsLocation location, TModule *module)
    : TWindow(&frame, "EdgeSlip", module), DecFrame(&frame), Location(location),
      GridType(location == alLeft || location == alRight) {
    Attr.Style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
    Attr.W = Attr.H = 0;
    SetBkgndColor(TColor::Sys3dFace);
}

std::vector<TEdgeSlip::TDocked> TEdgeSlip::Docked(bool visibleOnly) const {
    std::vector<TDocked> docked;
    if (!GetHandle())
        return docked;
    for (HWND w = ::GetWindow(GetHandle(), GW_CHILD); w; w = ::GetWindow(w, GW_HWNDNEXT)) {
        if (visibleOnly && !(::GetWindowLongA(w, GWL_STYLE) & WS_VISIBLE))
            continue;
        TRect r;
        ::GetWindowRect(w, &r);
        ::MapWindowPoints(0, GetHandle(), (POINT *)&r, 2);
        docked.push_back({w, r});
    }
    return docked;
}

void TEdgeSlip::Place(HWND wnd, int along, int cross) {
    int x = GridType ? cross : along, y = GridType ? along : cross;
    ::SetWindowPos(wnd, 0, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TEdgeSlip::DockableInsert(TDockable &dockable, TPoint const *point, TRelPosition position,
                               TDockable *reference) {
    TWindow *w = dockable.GetWindow();
    w->ShowWindow(SW_HIDE);
    w->SetParent(this);
    if (GetHandle() && !w->GetHandle())
        w->Create();
    if (w->GetHandle())
        w->SendMessageA(WM_DOCKABLEDOCKED, position, LPARAM(static_cast<TDockingSlip *>(this)));
    w->SetWindowPos(0, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    dockable.Layout(GridType ? alLeft : alTop);
    DockableMove(dockable, point, position, reference);
    w->ShowWindow(SW_SHOWNA);
}

// Before the slip has a window nothing can be measured on the screen: each window
// opens a line of its own before or after the others, and SetupWindow packs them.
void TEdgeSlip::QueueLine(TDockable &dockable, TRelPosition position) {
    TWindow *w = dockable.GetWindow();
    TSize size = dockable.ComputeSize(Location, 0);
    w->Attr.W = size.cx, w->Attr.H = size.cy;
    bool before = position == rpAbove || position == rpLeftOf ||
                  (position == rpNone && (Location == alBottom || Location == alRight));
    int thickness = GridType ? size.cx : size.cy, end = 0;
    for (TWindow *c = GetFirstChild(), *next; c; c = next) {
        next = c == GetLastChild() ? 0 : c->Next();
        if (c == w)
            continue;
        int &start = GridType ? c->Attr.X : c->Attr.Y;
        if (before)
            start += thickness;
        else
            end = std::max(end, start + (GridType ? c->Attr.W : c->Attr.H));
    }
    w->Attr.X = GridType ? end : 0;
    w->Attr.Y = GridType ? 0 : end;
}

void TEdgeSlip::DockableMove(TDockable &dockable, TPoint const *point, TRelPosition position,
                             TDockable *reference) {
    TWindow *w = dockable.GetWindow();
    if (!GetHandle()) {
        QueueLine(dockable, position);
        return;
    }
    TRect own;
    dockable.GetRect(own);
    TPoint target;
    if (point) {
        target = *point;
    } else {
        if (position == rpNone)
            position = Location == alTop      ? rpBelow
                       : Location == alBottom ? rpAbove
                       : Location == alLeft   ? rpRightOf
                                              : rpLeftOf;
        TRect ref(0, 0, 0, 0);
        if (reference && reference->GetWindow() && reference->GetWindow()->GetHandle()) {
            reference->GetRect(ref);
        } else {
            // the outermost window in the direction asked, so that a new line opens
            std::vector<TDocked> all = Docked();
            bool after = position == rpBelow || position == rpRightOf;
            TDocked const *outer = 0;
            for (TDocked const &d : all) {
                if (d.Wnd == w->GetHandle())
                    continue;
                if (!outer || (after ? CrossEnd(d.Rect) > CrossEnd(outer->Rect)
                                     : CrossStart(d.Rect) < CrossStart(outer->Rect)))
                    outer = &d;
            }
            if (outer)
                ::GetWindowRect(outer->Wnd, &ref);
            else {
                TPoint origin(0, 0);
                ::ClientToScreen(GetHandle(), &origin);
                ref = TRect(origin, origin);
            }
        }
        switch (position) {
        case rpAbove: target = TPoint(ref.left, ref.top - own.Height()); break;
        case rpBelow: target = TPoint(ref.left, ref.bottom); break;
        case rpRightOf: target = TPoint(ref.right, ref.top); break;
        default: target = TPoint(ref.left - own.Width(), ref.top); break;
        }
    }

    // Snap across the slip to the boundary after the last grid line whose middle the
    // target passed, or to the slip's start.
    ::ScreenToClient(GetHandle(), &target);
    std::vector<TDocked> all = Docked();
    std::stable_sort(all.begin(), all.end(),
                     [&](TDocked const &a, TDocked const &b) { return CrossStart(a.Rect) < CrossStart(b.Rect); });
    int targetCross = GridType ? target.x : target.y;
    int cross = 0;
    for (TDocked const &d : all) {
        if (d.Wnd == w->GetHandle())
            continue;
        if ((CrossStart(d.Rect) + CrossEnd(d.Rect)) / 2 >= targetCross)
            break;
        cross = std::max(cross, CrossEnd(d.Rect));
    }
    if (!point && targetCross < 0) {
        // asked for a place before the first line: a new line opens there
        for (TDocked const &d : all)
            if (d.Wnd != w->GetHandle())
                Place(d.Wnd, AlongStart(d.Rect), CrossStart(d.Rect) + CrossEnd(own) - CrossStart(own));
    }
    int along = std::max(GridType ? int(target.y) : int(target.x), 0);
    Place(w->GetHandle(), along, std::max(cross, 0));
    w->ShowWindow(SW_SHOWNA);

    TWindow *neighbour = MoveDraggedWindow(w);
    MoveAllOthers(w, neighbour);
    CompressGridLines();
}

void TEdgeSlip::DockableRemoved(TRect const &) { CompressGridLines(); }

TWindow *TEdgeSlip::MoveDraggedWindow(TWindow *dragged) {
    TRect d;
    dragged->GetWindowRect(d);
    ::MapWindowPoints(0, GetHandle(), (POINT *)&d, 2);
    for (TDocked const &n : Docked()) {
        if (n.Wnd == dragged->GetHandle() || CrossStart(n.Rect) != CrossStart(d))
            continue;
        if (AlongStart(n.Rect) > AlongStart(d) || AlongStart(d) >= AlongEnd(n.Rect))
            continue;
        int length = AlongEnd(d) - AlongStart(d);
        if (AlongStart(d) < (AlongStart(n.Rect) + AlongEnd(n.Rect)) / 2) {
            // before the neighbour, which steps aside
            Place(dragged->GetHandle(), AlongStart(n.Rect), CrossStart(d));
            Place(n.Wnd, AlongStart(n.Rect) + length, CrossStart(n.Rect));
            return GetWindowPtr(n.Wnd);
        }
        Place(dragged->GetHandle(), AlongEnd(n.Rect), CrossStart(d));
        return dragged;
    }
    return dragged;
}

void TEdgeSlip::MoveAllOthers(TWindow *dragged, TWindow *neighbour) {
    TRect d = dragged->GetWindowRect(), n = neighbour ? neighbour->GetWindowRect() : d;
    TRect both = d | n;
    ::MapWindowPoints(0, GetHandle(), (POINT *)&both, 2);
    HWND pair[2] = {dragged->GetHandle(), neighbour ? neighbour->GetHandle() : 0};
    std::vector<TDocked> others;
    for (TDocked const &o : Docked())
        if (o.Wnd != pair[0] && o.Wnd != pair[1] && CrossStart(o.Rect) == CrossStart(both) &&
            AlongStart(o.Rect) >= AlongStart(both))
            others.push_back(o);
    std::stable_sort(others.begin(), others.end(),
                     [&](TDocked const &a, TDocked const &b) { return AlongStart(a.Rect) < AlongStart(b.Rect); });
    int previousEnd = AlongEnd(both);
    bool pushing = false;
    for (TDocked const &o : others) {
        pushing = pushing || AlongStart(o.Rect) < AlongEnd(both);
        if (!pushing)
            continue;
        Place(o.Wnd, previousEnd, CrossStart(o.Rect));
        previousEnd += AlongEnd(o.Rect) - AlongStart(o.Rect);
    }
}

void TEdgeSlip::CompressGridLines() {
    std::vector<TDocked> all = Docked();
    std::stable_sort(all.begin(), all.end(), [&](TDocked const &a, TDocked const &b) {
        return CrossStart(a.Rect) != CrossStart(b.Rect) ? CrossStart(a.Rect) < CrossStart(b.Rect)
                                                        : AlongStart(a.Rect) < AlongStart(b.Rect);
    });
    int nextStart = 0, lineEnd = 0;
    for (size_t i = 0; i < all.size();) {
        int line = CrossStart(all[i].Rect), shift = nextStart - line;
        size_t j = i;
        for (; j < all.size() && CrossStart(all[j].Rect) == line; ++j) {
            lineEnd = std::max(lineEnd, CrossEnd(all[j].Rect) + shift);
            if (shift)
                Place(all[j].Wnd, AlongStart(all[j].Rect), line + shift);
        }
        nextStart = lineEnd;
        i = j;
    }
    ReLayout(0);
}

void TEdgeSlip::CompressParallel(int length) {
    std::vector<TDocked> all = Docked();
    std::stable_sort(all.begin(), all.end(), [&](TDocked const &a, TDocked const &b) {
        return CrossStart(a.Rect) != CrossStart(b.Rect) ? CrossStart(a.Rect) < CrossStart(b.Rect)
                                                        : AlongStart(a.Rect) < AlongStart(b.Rect);
    });
    for (size_t i = 0; i < all.size();) {
        size_t j = i;
        while (j < all.size() && CrossStart(all[j].Rect) == CrossStart(all[i].Rect))
            ++j;
        int free = AlongStart(all[i].Rect);
        for (size_t k = i + 1; k < j; ++k)
            free += AlongStart(all[k].Rect) - AlongEnd(all[k - 1].Rect) - 1;
        int overflow = AlongEnd(all[j - 1].Rect) - length;
        if (overflow > 0 && free > 0) {
            if (overflow < free) {
                // push back from the end until the line fits
                int limit = length;
                for (size_t k = j; k-- > i;) {
                    TRect &r = all[k].Rect;
                    if (AlongEnd(r) <= limit)
                        break;
                    int start = limit - (AlongEnd(r) - AlongStart(r));
                    Place(all[k].Wnd, start, CrossStart(r));
                    limit = start - 1;
                }
            } else {
                int start = 0;
                for (size_t k = i; k < j; ++k) {
                    TRect &r = all[k].Rect;
                    if (AlongStart(r) != start)
                        Place(all[k].Wnd, start, CrossStart(r));
                    start += AlongEnd(r) - AlongStart(r) + 1;
                }
            }
        }
        i = j;
    }
}

TSize TEdgeSlip::ComputeDockingArea() {
    TRect area(0, 0, 0, 0);
    for (TDocked const &d : Docked(true))
        area |= d.Rect;
    if (area.IsEmpty())
        return TSize(0, 0);
    if (GetStyle() & WS_BORDER) {
        ::AdjustWindowRectEx(&area, GetStyle(), FALSE, GetExStyle());
    } else {
        if (Location != alBottom)
            area.bottom += SeparatorLine;
        if (Location != alTop)
            area.bottom += SeparatorLine;
    }
    return area.Size();
}

void TEdgeSlip::ReLayout(int force) {
    TSize area = ComputeDockingArea();
    int &size = GridType ? Attr.W : Attr.H;
    int wanted = GridType ? area.cx : area.cy;
    if (size == wanted && !force)
        return;
    size = wanted;
    TLayoutMetrics metrics;
    if (DecFrame->GetChildLayoutMetrics(*this, metrics))
        DecFrame->SetChildLayoutMetrics(*this, metrics);
    if (DecFrame->GetHandle())
        DecFrame->Layout();
}

int TEdgeSlip::GridSize(int line) {
    int size = 0;
    for (TDocked const &d : Docked(true))
        if (CrossStart(d.Rect) == line)
            size = std::max(size, CrossEnd(d.Rect) - CrossStart(d.Rect));
    return size;
}

void TEdgeSlip::SetupWindow() {
    TWindow::SetupWindow();
    // Windows placed before the slip existed may overlap across it: move each grid
    // line to start where the previous one ends.
    std::vector<TDocked> all = Docked();
    std::stable_sort(all.begin(), all.end(),
                     [&](TDocked const &a, TDocked const &b) { return CrossStart(a.Rect) < CrossStart(b.Rect); });
    std::vector<TDocked> lines;
    for (TDocked const &d : all)
        if (lines.empty() || CrossStart(lines.back().Rect) != CrossStart(d.Rect))
            lines.push_back(d);
    int shift = 0;
    for (size_t i = 1; i < lines.size(); ++i) {
        TRect const &previous = lines[i - 1].Rect, &r = lines[i].Rect;
        if (CrossStart(r) != CrossEnd(previous))
            shift += CrossEnd(previous) - CrossStart(r);
        if (shift)
            for (TDocked const &d : all)
                if (CrossStart(d.Rect) == CrossStart(r))
                    Place(d.Wnd, AlongStart(d.Rect), CrossStart(d.Rect) + shift);
    }
    ReLayout(1);
}

void TEdgeSlip::EvLButtonDown(uint, TPoint &point) {
    HWND child = ::ChildWindowFromPoint(GetHandle(), point);
    TWindow *w = child && child != GetHandle() ? GetWindowPtr(child) : 0;
    TDockable *dockable = w && w->GetParentO() == this ? dynamic_cast<TDockable *>(w) : 0;
    if (dockable && BeginDragAt(GetHandle(), child, *dockable, *dockable, point))
        return;
    DefaultProcessing();
}

void TEdgeSlip::EvLButtonDblClk(uint, TPoint &) {
    if (Parent && Parent->GetHandle())
        Parent->SendMessageA(WM_EDGESLIPDBLCLK, 0, 0);
}

uint TEdgeSlip::EvNCCalcSize(int calcValidRects, LPARAM params) {
    uint result = uint(DefaultProcessing());
    (void)calcValidRects;
    if (GetStyle() & WS_BORDER || IsIconic())
        return result;
    RECT &r = reinterpret_cast<NCCALCSIZE_PARAMS *>(params)->rgrc[0];
    if (r.bottom - r.top <= 0)
        return result;
    if (Location != alBottom)
        r.top += SeparatorLine;
    if (Location != alTop)
        r.bottom -= SeparatorLine;
    return result;
}

void TEdgeSlip::EvNCPaint(WPARAM) {
    DefaultProcessing();
    if (GetStyle() & WS_BORDER)
        return;
    TWindowDC dc(GetHandle());
    TRect window = GetWindowRect();
    TRect all(0, 0, window.Width(), window.Height());
    if (Location != alBottom)
        TUIBorder(TRect(0, 0, all.right, SeparatorLine), TUIBorder::TStyle(6), TUIBorder::Top).Paint(dc);
    if (Location != alTop)
        TUIBorder(TRect(0, all.bottom - SeparatorLine, all.right, all.bottom), TUIBorder::TStyle(6),
                  TUIBorder::Bottom)
            .Paint(dc);
}

int TEdgeSlip::EvEraseBkgnd(WPARAM hdc) {
    TRect r = GetClientRect();
    HBRUSH brush = ::CreateSolidBrush(GetBkgndColor().GetValue());
    ::FillRect(HDC(ULONG_PTR(hdc)), &r, brush);
    ::DeleteObject(brush);
    return 1;
}

void TEdgeSlip::EvParentNotify(uint event, LPARAM, uint) {
    if (LOWORD(event) == WM_SIZE)
        ReLayout(0);
    DefaultProcessing();
}

void TEdgeSlip::EvWindowPosChanging(void *windowPos) {
    WINDOWPOS &wp = *static_cast<WINDOWPOS *>(windowPos);
    if (!(wp.flags & SWP_NOSIZE)) {
        TRect r = GetWindowRect();
        if (wp.cx != r.Width() || wp.cy != r.Height())
            CompressParallel(GridType ? wp.cy : wp.cx);
    }
    DefaultProcessing();
}

LRESULT TEdgeSlip::EvCommand(uint id, HWND hWndCtl, uint notifyCode) {
    if (notifyCode == 0 && Parent)
        return Parent->EvCommand(id, hWndCtl, notifyCode);
    return TWindow::EvCommand(id, hWndCtl, notifyCode);
}

void TEdgeSlip::EvCommandEnable(TCommandEnabler &ce) {
    if (Parent && Parent->GetHandle() && !ce.IsReceiver(Parent->GetHandle())) {
        ce.SetReceiver(Parent->GetHandle());
        Parent->EvCommandEnable(ce);
    }
}
