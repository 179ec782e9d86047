#include "controls/ScrollBar.h"

#include <cstdlib>

// ---- TScrollBar

DEFINE_RESPONSE_TABLE1(TScrollBar, TControl)
    EV_WM_VSCROLL,
    EV_WM_HSCROLL,
END_RESPONSE_TABLE;

TScrollBar::TScrollBar(TWindow *parent, int id, int x, int y, int w, int h, int horizontal, TModule *module)
    : TControl(parent, id, 0, x, y, w, h, module), LineMagnitude(1), PageMagnitude(10) {
    if (horizontal) {
        if (!Attr.H)
            Attr.H = ::GetSystemMetrics(SM_CYHSCROLL);
    } else {
        Attr.Style |= SBS_VERT;
        if (!Attr.W)
            Attr.W = ::GetSystemMetrics(SM_CXVSCROLL);
    }
}

TScrollBar::TScrollBar(TWindow *parent, int resourceId, TModule *module)
    : TControl(parent, resourceId, module), LineMagnitude(1), PageMagnitude(10) {}

char const *TScrollBar::GetClassNameA() { return "SCROLLBAR"; }

void TScrollBar::SetupWindow() {
    SetRange(0, 100);
    TWindow::SetupWindow();
}

void TScrollBar::GetScrollInfo(SCROLLINFO *info) const { ::GetScrollInfo(HWindow, SB_CTL, info); }

void TScrollBar::SetScrollInfo(SCROLLINFO *info, int redraw) { ::SetScrollInfo(HWindow, SB_CTL, info, redraw); }

void TScrollBar::GetRange(int &low, int &high) const {
    SCROLLINFO info = {sizeof info, SIF_RANGE};
    GetScrollInfo(&info);
    low = info.nMin;
    high = info.nMax;
}

int TScrollBar::GetPosition() const {
    SCROLLINFO info = {sizeof info, SIF_POS};
    GetScrollInfo(&info);
    return info.nPos;
}

void TScrollBar::SetRange(int low, int high) {
    SCROLLINFO info = {sizeof info, SIF_RANGE};
    info.nMin = low;
    info.nMax = high;
    SetScrollInfo(&info, 1);
}

void TScrollBar::SetPageMagnitude(int magnitude) {
    PageMagnitude = magnitude;
    SCROLLINFO info = {sizeof info, SIF_PAGE};
    info.nPage = magnitude;
    SetScrollInfo(&info, 1);
}

void TScrollBar::SetPosition(int position) {
    int low, high;
    GetRange(low, high);
    position = position < low ? low : position > high ? high : position;
    if (position == GetPosition())
        return;
    SCROLLINFO info = {sizeof info, SIF_POS};
    info.nPos = position;
    SetScrollInfo(&info, 1);
}

int TScrollBar::DeltaPos(int delta) {
    if (delta)
        SetPosition(GetPosition() + delta);
    return GetPosition();
}

void TScrollBar::SBLineUp() { DeltaPos(-LineMagnitude); }
void TScrollBar::SBLineDown() { DeltaPos(LineMagnitude); }
void TScrollBar::SBPageUp() { DeltaPos(-PageMagnitude); }
void TScrollBar::SBPageDown() { DeltaPos(PageMagnitude); }
void TScrollBar::SBThumbPosition(int thumbPos) { SetPosition(thumbPos); }
void TScrollBar::SBThumbTrack(int thumbPos) { SetPosition(thumbPos); }
void TScrollBar::SBEndScroll() {}

void TScrollBar::SBTop() {
    int low, high;
    GetRange(low, high);
    SetPosition(low);
}

void TScrollBar::SBBottom() {
    int low, high;
    GetRange(low, high);
    SetPosition(high);
}

void TScrollBar::Request(uint scrollCode, uint thumbPos) {
    switch (scrollCode) {
    case SB_LINEUP: SBLineUp(); break;
    case SB_LINEDOWN: SBLineDown(); break;
    case SB_PAGEUP: SBPageUp(); break;
    case SB_PAGEDOWN: SBPageDown(); break;
    case SB_THUMBPOSITION: SBThumbPosition(int(thumbPos)); break;
    case SB_THUMBTRACK: SBThumbTrack(int(thumbPos)); break;
    case SB_TOP: SBTop(); break;
    case SB_BOTTOM: SBBottom(); break;
    case SB_ENDSCROLL: SBEndScroll(); break;
    }
}

void TScrollBar::EvHScroll(uint scrollCode, uint thumbPos, HWND) { Request(scrollCode, thumbPos); }
void TScrollBar::EvVScroll(uint scrollCode, uint thumbPos, HWND) { Request(scrollCode, thumbPos); }

uint TScrollBar::Transfer(void *buffer, TTransferDirection direction) {
    int32_t *record = static_cast<int32_t *>(buffer);
    if (direction == tdGetData) {
        int low, high;
        GetRange(low, high);
        record[0] = low;
        record[1] = high;
        record[2] = GetPosition();
    } else if (direction == tdSetData) {
        SetRange(record[0], record[1]);
        SetPosition(record[2]);
    }
    return 3 * sizeof(int32_t);
}

// ---- ScrollBar

namespace {
int const ControlMax = 32767;
float const ThumbScale = 3.0518509e-05f;  // just below 1 / 32767
}  // namespace

int ScrollBar::ToControl(long value, long range) {
    return range > ControlMax ? int(double(value) * ControlMax / range) : int(value);
}

long ScrollBar::FromControl(int thumb, long range) {
    return range > ControlMax ? long(double(thumb) * range * ThumbScale) : long(thumb);
}

int ScrollBar::PageToControl(long page, long range) {
    return range > ControlMax ? int(double(page) * ControlMax / range + 1) : int(page + 1);
}

ScrollBar::ScrollBar(TWindow *parent, TWindow *scrolled, int horizontal, BottomMode bottomMode)
    : TScrollBar(parent, 0, 0, 0, 0, 0, horizontal, 0), Position(0), Range(100), LineSize(1), PageSize(1),
      BarPageSize(0), TimerId(0), AutoScrollWindow(0), LinkedCount(scrolled ? 1 : 0), Units(1),
      Horizontal(horizontal), Bottom(bottomMode), ScrollMode(1), LastThumb(-1) {
    for (TWindow *&w : Linked)
        w = 0;
    Linked[0] = scrolled;
    CursorPoint.x = CursorPoint.y = 0;
}

ScrollBar::~ScrollBar() { StopAutoScrollTimer(); }

// The timer dies with the window; forget it so that a new window can start one.
void ScrollBar::CleanupWindow() {
    StopAutoScrollTimer();
    TScrollBar::CleanupWindow();
}

void ScrollBar::StopAutoScrollTimer() {
    if (TimerId && HWindow)
        ::KillTimer(HWindow, TimerId);
    TimerId = 0;
}

void ScrollBar::SetBarRange(long range, long page, int redraw) {
    Range = range;
    int max = range < 0 ? 0 : range > ControlMax ? ControlMax : int(range);
    int low, high;
    GetRange(low, high);
    if (max != high) {
        SCROLLINFO info = {sizeof info, SIF_RANGE | SIF_DISABLENOSCROLL};
        info.nMin = 0;
        info.nMax = max;
        info.nPos = 0;
        if (page) {
            info.fMask |= SIF_PAGE;
            info.nPage = PageToControl(page, range);
        }
        SetScrollInfo(&info, 0);
        int converted = page ? PageToControl(page, range) : 1;
        ::EnableWindow(HWindow, converted < max);
    } else if (page) {
        SetBarPageSize(page, redraw);
    }
    if (page)
        BarPageSize = page;
    Invalidate();
    if (redraw) {
        for (int i = 0; i < LinkedCount; i++)
            if (Linked[i]->GetHandle())
                Linked[i]->Invalidate();
        ScrollTo(Position, 1);
        UpdatePosition();  // the range write put the thumb at 0
    }
}

void ScrollBar::SetBarPageSize(long page, int redraw) {
    SCROLLINFO info = {sizeof info, SIF_PAGE | SIF_DISABLENOSCROLL};
    int converted = PageToControl(page, Range);
    info.nPage = converted;
    SetScrollInfo(&info, redraw);
    BarPageSize = page;
    int low, high;
    GetRange(low, high);
    ::EnableWindow(HWindow, converted < high - low);
}

void ScrollBar::SetPageSize() {
    if (!Linked[0] || !Linked[0]->GetHandle())
        return;
    TRect r = Linked[0]->GetClientRect();
    int w = Horizontal ? r.Width() : r.Height();
    if (!w || Units <= 0)
        return;
    PageSize = (w + 1) / Units - 1;
    if (PageSize < 1)
        PageSize = 1;
}

void ScrollBar::SetUnits(int units) {
    Units = units;
    SetPageSize();
}

void ScrollBar::UpdatePosition() {
    TScrollBar::SetPosition(ToControl(Position, Range));
    LastThumb = GetPosition();
}

void ScrollBar::SetPosition32(long position) {
    Position = position;
    UpdatePosition();
}

void ScrollBar::ScrollTo(long p, int update) {
    if (!Linked[0])
        return;
    if (p > Range - BarPageSize)
        p = Range - BarPageSize;
    if (p < 0)
        p = 0;
    if (p == Position)
        return;
    for (int i = 0; i < LinkedCount; i++)
        if (!ScrollMode || !ScrollWindow(Linked[i], Position * Units, p * Units))
            if (Linked[i]->GetHandle())
                Linked[i]->Invalidate();
    Position = p;
    if (update)
        for (int i = 0; i < LinkedCount; i++)
            if (Linked[i]->GetHandle())
                Linked[i]->UpdateWindow();
    UpdatePosition();
    NotifyNewPos();
}

int ScrollBar::ScrollWindow(TWindow *window, long from, long to) {
    long d = from - to;
    if (std::labs(d) >= PageSize || !window->GetHandle())
        return 0;
    if (Horizontal)
        ::ScrollWindow(window->GetHandle(), int(d), 0, 0, 0);
    else
        ::ScrollWindow(window->GetHandle(), 0, int(d), 0, 0);
    return 1;
}

void ScrollBar::NotifyScrolling(int) {}
void ScrollBar::NotifyNewPos() {}

void ScrollBar::SBLineUp() {
    NotifyScrolling(1);
    ScrollTo(Position - LineSize, 1);
}

void ScrollBar::SBLineDown() {
    NotifyScrolling(1);
    ScrollTo(Position + LineSize, 1);
}

void ScrollBar::SBPageUp() {
    NotifyScrolling(1);
    ScrollTo(Position - PageSize, 1);
}

void ScrollBar::SBPageDown() {
    NotifyScrolling(1);
    ScrollTo(Position + PageSize, 1);
}

void ScrollBar::SBThumbPosition(int thumbPos) {
    if (thumbPos != LastThumb)
        ScrollTo(FromControl(thumbPos, Range), 1);
}

void ScrollBar::SBThumbTrack(int thumbPos) {
    NotifyScrolling(1);
    SBThumbPosition(thumbPos);
}

void ScrollBar::SBTop() { ScrollTo(0, 1); }
void ScrollBar::SBBottom() { ScrollTo(Range, 1); }
void ScrollBar::SBEndScroll() { NotifyScrolling(0); }

void ScrollBar::AddScrollWindow(TWindow *window) {
    if (window && LinkedCount < MaxLinked)
        Linked[LinkedCount++] = window;
}

void ScrollBar::RemoveScrollWindow(TWindow *window) {
    for (int i = 0; i < MaxLinked; i++)
        if (Linked[i] == window && window) {
            for (int j = i; j < MaxLinked - 1; j++)
                Linked[j] = Linked[j + 1];
            Linked[MaxLinked - 1] = 0;
            LinkedCount--;
            return;
        }
}

void ScrollBar::EnableAutoScroll(TWindow *window) {
    AutoScrollWindow = window;
    if (window) {
        if (!TimerId && HWindow) {
            TimerId = ::SetTimer(HWindow, 1, 100, &TimerProc);
            ::GetCursorPos(&CursorPoint);
        }
    } else {
        StopAutoScrollTimer();
        CursorPoint.x = CursorPoint.y = 0;
    }
}

void CALLBACK ScrollBar::TimerProc(HWND hwnd, UINT, UINT_PTR, DWORD) {
    try {
        if (ScrollBar *bar = dynamic_cast<ScrollBar *>(::GetWindowPtr(hwnd)))
            bar->OnAutoScroll();
    } catch (...) {
        TWindow::KeepPendingException();
    }
}

void ScrollBar::OnAutoScroll() { AutoScroll(); }

void ScrollBar::AutoScroll() {
    if (!TimerId || !Linked[0] || !Linked[0]->GetHandle())
        return;
    POINT p;
    ::GetCursorPos(&p);
    ::ScreenToClient(Linked[0]->GetHandle(), &p);
    TRect r = Linked[0]->GetClientRect();
    int c = Horizontal ? p.x : p.y;
    int edge = Horizontal ? r.right : r.bottom;
    long step = 0;
    if (c < 0) {
        step = long(LineSize) * (c / 10);
        if (step < -PageSize)
            step = -PageSize;
        if (step > -LineSize)
            step = -LineSize;
    } else if (c > edge) {
        step = long(LineSize) * ((c - edge) / 10);
        if (step > PageSize)
            step = PageSize;
        if (step < LineSize)
            step = LineSize;
    }
    if (step)
        ScrollTo(Position + step, 0);
}
