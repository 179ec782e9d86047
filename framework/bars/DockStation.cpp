#include "bars/DockStation.h"

#include "core/Dc.h"
#include "bars/DecoratedFrame.h"
#include "core/SysInfo.h"
#include "bars/Toolbar.h"

#include <algorithm>

namespace {

int Overlap() { return _win95 ? 2 : 1; }

// The Windows 95 look: the top and bottom stations get an etched line on their outer
// edge instead of the line towards the client; the side stations none.
unsigned short LookStyle(unsigned short style) {
    if (!_win95)
        return style;
    switch (style >> 8) {
    case 0x14:
    case 0x41: return (style & ~TToolbar::Lines) | TToolbar::Look3D;
    case 0x28: return (style & ~TToolbar::LineBottom) | TToolbar::LineTop | TToolbar::Look3D;
    case 0x82: return (style & ~TToolbar::LineTop) | TToolbar::LineBottom | TToolbar::Look3D;
    default: return style;
    }
}

}  // namespace

TDockStation::TDockStation(TWindow *parent, unsigned short style, TModule *module)
    : TWindow(parent, "", module),
      Style(LookStyle(style)),
      AutoTightFit(1),
      Horizontal((style & (TToolbar::DockTop | TToolbar::DockBottom)) != 0),
      FirstToolbar(0) {
    Attr.Style = (Attr.Style | WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN) & ~WS_BORDER;
    SetBkgndColor(TColor::Sys3dFace);
}

TDockStation::~TDockStation() {
    for (TDockStation **station : {&TToolbar::LeftDock, &TToolbar::TopDock, &TToolbar::RightDock,
                                   &TToolbar::BottomDock})
        if (*station == this)
            *station = 0;
    // the next tool bar builds the stations of its frame again
    if (!TToolbar::LeftDock && !TToolbar::TopDock && !TToolbar::RightDock && !TToolbar::BottomDock)
        TToolbar::MainWindow = 0;
}

TToolbar *TDockStation::LastToolbar() const {
    TToolbar *last = FirstToolbar;
    while (last && last->GetNextToolbar())
        last = last->GetNextToolbar();
    return last;
}

void TDockStation::Append(TToolbar *bar, int newRow) {
    bar->SetNewRow(newRow);
    bar->SetDockPosition(newRow ? 0 : -1);
    Link(bar, LastToolbar());
    if (GetHandle())
        LayoutSession();
}

void TDockStation::Link(TToolbar *bar, TToolbar *prev) {
    bar->SetPrevToolbar(prev);
    bar->SetNextToolbar(prev ? prev->GetNextToolbar() : FirstToolbar);
    if (bar->GetNextToolbar())
        bar->GetNextToolbar()->SetPrevToolbar(bar);
    if (prev)
        prev->SetNextToolbar(bar);
    else
        FirstToolbar = bar;
}

void TDockStation::Forget(TToolbar *bar) {
    bool listed = false;
    for (TToolbar *b = FirstToolbar; b && !listed; b = b->GetNextToolbar())
        listed = b == bar;
    if (!listed)
        return;
    TToolbar *prev = bar->GetPrevToolbar(), *next = bar->GetNextToolbar();
    if (prev)
        prev->SetNextToolbar(next);
    else
        FirstToolbar = next;
    if (next)
        next->SetPrevToolbar(prev);
    bar->SetNextToolbar(0);
    bar->SetPrevToolbar(0);
}

void TDockStation::Remove(TToolbar *bar, int relayout) {
    if (TToolbar *next = bar->GetNextToolbar()) {
        bar->SetFollowerRow(next->GetNewRow());
        if (bar->GetNewRow())
            next->SetNewRow(1);
    }
    Forget(bar);
    if (relayout && GetHandle())
        LayoutSession();
    if (GetHandle() && bar->GetHandle())
        bar->ShowWindow(SW_HIDE);
}

void TDockStation::Insert(TToolbar *bar, TPoint point) {
    int g = Overlap();
    bar->SetNewRow(1);
    TDropPlace place = RowAt(point);
    if (place.RowStart)
        PlaceInRow(bar, point, place);
    PassRowStart(bar, place);

    // the drop point clamped so that the bar lies inside the station
    int farEdge = FarEdge(), length = LengthOf(bar);
    int at = std::max(0, std::min(Along(ToClient(point)), farEdge - length));
    bar->SetDockPosition(at + g);
    Link(bar, place.Prev);
    WrapFollowers(bar, at + length - g, farEdge);
    LayoutSession();
}

int TDockStation::Along(TPoint const &p) const { return Horizontal ? p.x : p.y; }

int TDockStation::LengthOf(TToolbar *bar) const {
    TSize size;
    bar->GetDesiredSize(size);
    return Horizontal ? size.cx : size.cy;
}

int TDockStation::FarEdge() const {
    TRect client = GetHandle() ? GetClientRect() : TRect(0, 0, Attr.W, Attr.H);
    return Horizontal ? client.right : client.bottom;
}

TPoint TDockStation::ToClient(TPoint p) const {
    if (GetHandle())
        ::ScreenToClient(GetHandle(), &p);
    return p;
}

TDockStation::TDropPlace TDockStation::RowAt(TPoint const &point) const {
    TDropPlace place;
    for (TToolbar *b = FirstToolbar; b; b = b->GetNextToolbar()) {
        TRect w = b->GetWindowRect();
        int l, r, t, bo;
        b->GetMargins().GetPixels(l, r, t, bo, b->GetFontHeight());
        int pos = Horizontal ? point.y : point.x;
        int start = Horizontal ? w.top : w.left;
        int inside = Horizontal ? t : l, outside = Horizontal ? bo : r;
        if (pos <= start + inside) {
            if (pos >= start - outside)
                place.RowStart = b;
            else
                place.Follower = b, place.Prev = b->GetPrevToolbar();
            return place;
        }
    }
    place.Prev = LastToolbar();
    return place;
}

void TDockStation::PlaceInRow(TToolbar *bar, TPoint const &point, TDropPlace &place) const {
    place.Prev = place.RowStart->GetPrevToolbar();
    for (TToolbar *b = place.RowStart; b && (b == place.RowStart || !b->GetNewRow()); b = b->GetNextToolbar()) {
        if (Along(b->GetWindowRect().TopLeft()) >= Along(point)) {
            place.Follower = b;
            return;
        }
        place.Prev = b;
        bar->SetNewRow(0);
    }
}

void TDockStation::PassRowStart(TToolbar *bar, TDropPlace const &place) {
    if (bar->GetFollowerRow()) {
        if (place.Follower)
            place.Follower->SetNewRow(1);
        bar->SetFollowerRow(0);
    } else if (place.RowStart && bar->GetNewRow() && place.Follower) {
        place.Follower->SetNewRow(0);  // the dropped bar starts the row instead
    }
}

void TDockStation::WrapFollowers(TToolbar *bar, int running, int farEdge) {
    int g = Overlap();
    for (TToolbar *f = bar->GetNextToolbar(); f && !f->GetNewRow(); f = f->GetNextToolbar()) {
        if (Along(ToClient(f->GetWindowRect().TopLeft())) >= farEdge) {
            f->SetNewRow(1);
            f->SetDockPosition(0);
            return;
        }
        int length = LengthOf(f);
        f->SetDockPosition(std::max(f->GetDockPosition(), running + g));
        running = f->GetDockPosition() + length - 2 * g;
    }
}

void TDockStation::LayoutSession() {
    int g = Overlap();
    int along = -g, across = -g, extent = 0;
    for (TToolbar *bar = FirstToolbar; bar; bar = bar->GetNextToolbar()) {
        TSize size;
        bar->GetDesiredSize(size);
        if (bar->GetNewRow() && bar != FirstToolbar) {
            across += extent - g;
            along = -g;
            extent = 0;
        }
        bar->SetDockPosition(along + g);
        extent = std::max<int>(extent, Horizontal ? size.cy : size.cx);
        if (bar->GetParentO() != this)
            bar->SetParent(this);
        if (GetHandle() && bar->GetHandle()) {
            int x = Horizontal ? along : across, y = Horizontal ? across : along;
            bar->SetWindowPos(HWND_BOTTOM, x, y, size.cx, size.cy, SWP_NOACTIVATE | SWP_SHOWWINDOW);
        }
        along += (Horizontal ? size.cx : size.cy) - g;
    }
    TRect nc(0, 0, 0, 0);
    CalcBarNonClient(this, nc, Style, !FirstToolbar);
    int ncx = nc.left - nc.right, ncy = nc.top - nc.bottom;
    if (Horizontal) {
        Attr.H = FirstToolbar ? across + extent + ncy - g : ncy;
        Attr.W = ncx;
    } else {
        Attr.W = FirstToolbar ? across + extent + ncx - g : ncx;
        Attr.H = ncy;
    }
    if (TDecoratedFrame *frame = dynamic_cast<TDecoratedFrame *>(GetParentO()))
        frame->ChildResized(*this);
}

void TDockStation::SetAutoTightFit(int) {
    AutoTightFit = 1;
    LayoutSession();
}

int TDockStation::Create() {
    int created = TWindow::Create();
    LayoutSession();
    return created;
}

char const *TDockStation::GetClassNameA() { return "TDockStation"; }

void TDockStation::GetWindowClass(WNDCLASSA &wc) {
    TWindow::GetWindowClass(wc);
    wc.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
}

void TDockStation::SetupWindow() {
    TWindow::SetupWindow();
    LayoutSession();
}

int TDockStation::PreProcessMsg(MSG &msg) {
    if (TWindow::PreProcessMsg(msg))
        return 1;
    for (TToolbar *bar = FirstToolbar; bar; bar = bar->GetNextToolbar())
        if (bar->PreProcessMsg(msg))
            return 1;
    return 0;
}

void TDockStation::EvMenuSelectRaw(WPARAM, LPARAM) {
    if (HWND parent = GetParentH())
        ForwardMessage(parent);
}

void TDockStation::EvEnterIdle(uint, HWND) {
    if (HWND parent = GetParentH())
        ForwardMessage(parent);
}

int TDockStation::EvEraseBkgnd(WPARAM hDC) {
    TRect client = GetClientRect();
    ::FillRect(HDC(hDC), &client, ::GetSysColorBrush(COLOR_BTNFACE));
    return 1;
}

uint TDockStation::EvNCCalcSize(int, LPARAM params) {
    RECT &proposed = reinterpret_cast<NCCALCSIZE_PARAMS *>(params)->rgrc[0];
    TRect r(proposed);
    CalcBarNonClient(this, r, Style, !FirstToolbar);
    proposed = r;
    return 0;
}

void TDockStation::EvNCPaint(WPARAM) {
    TWindowDC dc(HWindow);
    TRect window = GetWindowRect();
    TRect r(0, 0, window.Width(), window.Height());
    CalcBarNonClient(this, r, 0, !FirstToolbar);
    DrawBarEdges(dc, r, Style);
}

DEFINE_RESPONSE_TABLE1(TDockStation, TWindow)
    EV_WM_ERASEBKGND,
    EV_MESSAGE(WM_MENUSELECT, EvMenuSelectRaw, v_WPARAM_LPARAM),
    EV_MESSAGE(WM_ENTERIDLE, EvEnterIdle, v_EnterIdle),
    EV_MESSAGE(WM_SYSCOLORCHANGE, EvSysColorChange, v),
    EV_MESSAGE(WM_NCCALCSIZE, EvNCCalcSize, U_B_LPARAM),
    EV_MESSAGE(WM_NCPAINT, EvNCPaint, v_WPARAM),
END_RESPONSE_TABLE;
