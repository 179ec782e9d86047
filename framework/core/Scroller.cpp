#include "core/Scroller.h"

#include "core/Dc.h"
#include "core/Window.h"

#include <algorithm>
#include <cstdlib>

TScroller::TScroller(TWindow *window, int xUnit, int yUnit, long xRange, long yRange)
    : Window(window), XPos(0), YPos(0), XRange(xRange), YRange(yRange), XTotalUnits(0), YTotalUnits(0),
      XUnit(xUnit), YUnit(yUnit), XLine(1), YLine(1), XPage(1), YPage(1), AutoMode(1), TrackMode(1), AutoOrg(1),
      HasHScrollBar(window && (window->GetStyle() & WS_HSCROLL)),
      HasVScrollBar(window && (window->GetStyle() & WS_VSCROLL)) {}

TScroller::~TScroller() {
    if (Window && Window->Scroller == this)
        Window->Scroller = 0;
}

bool TScroller::HasWindow() const { return Window && Window->GetHandle(); }

void TScroller::SetUnits(int xUnit, int yUnit) {
    XUnit = xUnit;
    YUnit = yUnit;
    SetPageSize();
}

void TScroller::SetPageSize() {
    if (!HasWindow())
        return;
    TRect client = Window->GetClientRect();
    int w = client.Width(), h = client.Height();
    if (w && XUnit > 0) {
        XPage = std::max(1, (w + 1) / XUnit - 1);
        if (XTotalUnits && w < XTotalUnits)
            Window->SetScrollPage(SB_HORZ, uint(Scale(w, XRange, XTotalUnits)), true);
        else
            Window->SetScrollPage(SB_HORZ, XUnit, false);
    }
    if (h && YUnit > 0) {
        YPage = std::max(1, (h + 1) / YUnit - 1);
        if (YTotalUnits && h < YTotalUnits)
            Window->SetScrollPage(SB_VERT, uint(Scale(h, YRange, YTotalUnits)), true);
        else
            Window->SetScrollPage(SB_VERT, YUnit, false);
    }
}

void TScroller::SetSBarRange() {
    if (!HasWindow())
        return;
    struct { int has, bar; long range; } bars[] = {{HasHScrollBar, SB_HORZ, XRange}, {HasVScrollBar, SB_VERT, YRange}};
    for (auto &b : bars) {
        if (!b.has)
            continue;
        int top = int(std::max(0L, std::min(b.range, 32767L)));
        int lo, hi;
        Window->GetScrollRange(b.bar, lo, hi);
        if (lo != 0 || hi != top)
            Window->SetScrollRange(b.bar, 0, top, true);
    }
}

void TScroller::SetRange(long xRange, long yRange) {
    XRange = xRange;
    YRange = yRange;
    SetSBarRange();
    ScrollTo(XPos, YPos);
}

void TScroller::SetTotalRangeOfUnits(long xTotal, long yTotal) {
    XTotalUnits = xTotal;
    YTotalUnits = yTotal;
    SetSBarRange();
    ScrollTo(XPos, YPos);
}

void TScroller::ScrollTo(long x, long y) {
    if (HasWindow())
        MoveWithin(x, y, XRange, YRange);
}

// Moves to (x, y) limited to 0..limit on each axis, scrolling the window's
// pixels when the step is less than a page and repainting it otherwise.
void TScroller::MoveWithin(long x, long y, long xLimit, long yLimit) {
    x = std::max(0L, std::min(x, xLimit));
    y = std::max(0L, std::min(y, yLimit));
    if (x == XPos && y == YPos)
        return;
    long dx = XPos - x, dy = YPos - y;
    if (AutoOrg || (std::labs(dy) < YPage && std::labs(dx) < XPage))
        Window->ScrollWindow(int(dx * XUnit), int(dy * YUnit));
    else
        Window->Invalidate(true);
    XPos = x;
    YPos = y;
    Window->UpdateWindow();
}

void TScroller::Request(bool horizontal, unsigned code, int thumb) {
    long pos = horizontal ? XPos : YPos, range = horizontal ? XRange : YRange;
    int line = horizontal ? XLine : YLine, page = horizontal ? XPage : YPage;
    long scaled = range > 32767 ? Scale(thumb, range, 32767) : thumb;
    long target;
    switch (code) {
    case SB_LINEUP: target = pos - line; break;
    case SB_LINEDOWN: target = pos + line; break;
    case SB_PAGEUP: target = pos - page; break;
    case SB_PAGEDOWN: target = pos + page; break;
    case SB_THUMBPOSITION: target = scaled; break;
    case SB_THUMBTRACK:
        if (TrackMode)
            horizontal ? ScrollTo(scaled, YPos) : ScrollTo(XPos, scaled);
        if (HasWindow() && (horizontal ? HasHScrollBar : HasVScrollBar))
            Window->SetScrollPos(horizontal ? SB_HORZ : SB_VERT, thumb, true);
        return;
    case SB_TOP: target = 0; break;
    case SB_BOTTOM: target = range; break;
    default: return;
    }
    horizontal ? ScrollTo(target, YPos) : ScrollTo(XPos, target);
}

void TScroller::HScroll(unsigned scrollCode, int thumbPos) { Request(true, scrollCode, thumbPos); }
void TScroller::VScroll(unsigned scrollCode, int thumbPos) { Request(false, scrollCode, thumbPos); }

void TScroller::EndView() {
    if (!HasWindow())
        return;
    struct { int has, bar; long pos, range; } bars[] = {{HasHScrollBar, SB_HORZ, XPos, XRange},
                                                        {HasVScrollBar, SB_VERT, YPos, YRange}};
    for (auto &b : bars) {
        if (!b.has)
            continue;
        int value = int(b.range > 32767 ? Scale(b.pos, 32767, b.range) : b.pos);
        if (value != Window->GetScrollPos(b.bar))
            Window->SetScrollPos(b.bar, value, true);
    }
}

// Paints in scrolled coordinates while the offset fits the device's 16-bit range.
void TScroller::BeginView(TDC &dc, TRect &rect) {
    long long px = (long long)XPos * XUnit, py = (long long)YPos * YUnit;
    if (!AutoOrg || px > 32767 || py > 32767)
        return;
    dc.SetViewportOrg(TPoint(int(-px), int(-py)));
    rect.Offset(int(px), int(py));
}

bool TScroller::IsVisibleRect(long x, long y, int w, int h) const {
    return XPos < x + w && YPos < y + h && x <= XPos + XPage + 1 && y <= YPos + YPage + 1;
}

void TScroller::AutoScroll() {
    if (!AutoMode || !HasWindow())
        return;
    POINT p;
    ::GetCursorPos(&p);
    ::ScreenToClient(Window->GetHandle(), &p);
    TRect client = Window->GetClientRect();
    auto step = [](long v, long edge, int line, int page) -> long {
        if (v < 0)
            return std::min(std::max(long(line) * (v / 10), -long(page)), -long(line));
        if (v > edge)
            return std::max(std::min(long(line) * ((v - edge) / 10), long(page)), long(line));
        return 0;
    };
    long dy = step(p.y, client.bottom, YLine, YPage);
    long dx = step(p.x, client.right, XLine, XPage);
    ScrollTo(XPos + dx, YPos + dy);
}

// ---- WindowScroller

WindowScroller::WindowScroller(TWindow *window, long xRange, long yRange)
    : TScroller(window, 1, 1, xRange, yRange), InGesture(0), StartProc(0), EndProc(0), User(0) {}

void WindowScroller::SetScrollPos(int bar, int pos, bool redraw) {
    if (HasWindow() && Window->GetScrollPos(bar) != pos)
        Window->SetScrollPos(bar, pos, redraw);
}

void WindowScroller::ScrollTo(long x, long y) {
    if (!HasWindow())
        return;
    TRect client = Window->GetClientRect();
    MoveWithin(x, y, XRange - client.Width() / 2, YRange - client.Height() / 2);
}

void WindowScroller::Gesture(unsigned code, bool horizontal, int thumb) {
    if (code <= SB_PAGEDOWN || code == SB_THUMBTRACK) {
        if (!InGesture && StartProc)
            StartProc(User);
        InGesture = 1;
    }
    long range = horizontal ? XRange : YRange;
    // thumb values convert in single precision, as the bar reports them
    long units = range > 32767 ? long(double(thumb) * range * 3.0518509e-05f) : thumb;
    switch (code) {
    case SB_THUMBPOSITION:
        horizontal ? ScrollTo(units, YPos) : ScrollTo(XPos, units);
        break;
    case SB_THUMBTRACK:
        if (TrackMode)
            horizontal ? ScrollTo(units, YPos) : ScrollTo(XPos, units);
        if (HasWindow() && (horizontal ? HasHScrollBar : HasVScrollBar))
            Window->SetScrollPos(horizontal ? SB_HORZ : SB_VERT, thumb, true);
        break;
    case SB_ENDSCROLL:
        if (EndProc)
            EndProc(User);
        InGesture = 0;
        break;
    default:
        horizontal ? TScroller::HScroll(code, thumb) : TScroller::VScroll(code, thumb);
    }
}

void WindowScroller::HScroll(unsigned scrollCode, int thumbPos) { Gesture(scrollCode, true, thumbPos); }
void WindowScroller::VScroll(unsigned scrollCode, int thumbPos) { Gesture(scrollCode, false, thumbPos); }

void WindowScroller::EndView() {
    if (!HasWindow())
        return;
    if (HasHScrollBar)
        SetScrollPos(SB_HORZ, XRange > 32767 ? int(double(XPos) * 32767 / XRange) : int(XPos), true);
    if (HasVScrollBar)
        SetScrollPos(SB_VERT, YRange > 32767 ? int(double(YPos) * 32767 / YRange) : int(YPos), true);
}
