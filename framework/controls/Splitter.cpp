#include "controls/Splitter.h"

#include "core/Color.h"
#include "core/Dc.h"

DEFINE_RESPONSE_TABLE1(Splitter, TWindow)
    EV_WM_LBUTTONDOWN,
    EV_WM_MOUSEMOVE,
    EV_WM_LBUTTONUP,
    EV_WM_LBUTTONDBLCLK,
    EV_MESSAGE(WM_CAPTURECHANGED, EvCaptureChanged, v_LPARAM),
END_RESPONSE_TABLE;

Splitter::Splitter(TWindow *parent, int horizontal, TWindow *paneWindow, int fixed)
    : TWindow(parent, 0), RememberedPosition(-1), PaneWindow(paneWindow), Horizontal(horizontal), Fixed(fixed),
      Dragging(0), DragStart(0), Ghost(0, 0, 0, 0), DragDC(0) {
    SetBkgndColor(TColor::Transparent);
}

Splitter::~Splitter() { EndDrag(); }

void Splitter::GetFrameFlags(TRect &flags) {
    if (Horizontal)
        flags = TRect(0, 1, 0, 1);
    else
        flags = TRect(1, 0, 1, 0);
}

void Splitter::GetCurrentRect(Rect &r, int offset) {
    r = GetWindowRect();
    if (Horizontal)
        r.Offset(0, offset);
    else
        r.Offset(offset, 0);
    TRect pane = PaneWindow->GetWindowRect();
    r.LimitInside(pane);
    r.Offset(-pane.left, -pane.top);
    r.Inflate(-1, -1);
}

void Splitter::ToggleSplit() {
    if (Fixed)
        return;
    SetSplitPosition(IsAside() ? RememberedPosition : 0);
}

void Splitter::DrawGhost() {
    if (DragDC)
        ::InvertRect(*DragDC, &Ghost);
}

void Splitter::EndDrag() {
    if (!Dragging)
        return;
    DrawGhost();
    Dragging = 0;
    if (::GetCapture() == GetHandle())
        ::ReleaseCapture();
    delete DragDC;
    DragDC = 0;
}

void Splitter::EvLButtonDown(uint, TPoint &point) {
    Dragging = 1;
    ::SetCapture(GetHandle());
    DragDC = new TWindowDC(PaneWindow->GetHandle());
    Rect r;
    GetCurrentRect(r, 0);
    Ghost = r;
    DrawGhost();
    DragStart = AxisOf(point);
}

void Splitter::EvMouseMove(uint, TPoint &point) {
    if (!Dragging)
        return;
    Rect r;
    GetCurrentRect(r, AxisOf(point) - DragStart);
    if (r == Ghost)
        return;
    DrawGhost();
    Ghost = r;
    DrawGhost();
}

void Splitter::EvLButtonUp(uint, TPoint &) {
    if (!Dragging)
        return;
    TRect ghost = Ghost;
    EndDrag();
    Rect current;
    GetCurrentRect(current, 0);
    if (ghost != current)
        SetSplitPosition(Horizontal ? ghost.top : ghost.left);
}

void Splitter::EvLButtonDblClk(uint, TPoint &) { ToggleSplit(); }

// Another window took the mouse: the ghost goes and the panes stay as they are.
void Splitter::EvCaptureChanged(LPARAM) {
    EndDrag();
    DefaultProcessing();
}

void Splitter::Paint(TDC &dc, int, TRect &) {
    TRect r = GetClientRect();
    int thickness = Horizontal ? r.Height() : r.Width();
    int band = thickness == 8 ? 2 : 1;

    TRect flags;
    GetFrameFlags(flags);
    HGDIOBJ oldPen = ::SelectObject(dc, ::GetStockObject(BLACK_PEN));
    auto line = [&](int x1, int y1, int x2, int y2) {
        ::MoveToEx(dc, x1, y1, 0);
        ::LineTo(dc, x2, y2);
    };
    if (flags.left)
        line(r.left, r.top, r.left, r.bottom), r.left++;
    if (flags.top)
        line(r.left, r.top, r.right, r.top), r.top++;
    if (flags.right)
        line(r.right - 1, r.top, r.right - 1, r.bottom), r.right--;
    if (flags.bottom)
        line(r.left, r.bottom - 1, r.right, r.bottom - 1), r.bottom--;
    ::SelectObject(dc, oldPen);

    auto fill = [&](TRect const &b, int color) { ::FillRect(dc, &b, ::GetSysColorBrush(color)); };
    if (Horizontal) {
        fill(TRect(r.left, r.top, r.right, r.top + band), COLOR_BTNHIGHLIGHT);
        fill(TRect(r.left, r.top + band, r.right, r.top + band + 2), COLOR_BTNFACE);
        fill(TRect(r.left, r.bottom - band, r.right, r.bottom), COLOR_BTNSHADOW);
    } else {
        fill(TRect(r.left, r.top, r.left + band, r.bottom), COLOR_BTNHIGHLIGHT);
        fill(TRect(r.left + band, r.top, r.left + band + 2, r.bottom), COLOR_BTNFACE);
        fill(TRect(r.right - band, r.top, r.right, r.bottom), COLOR_BTNSHADOW);
    }
}
