#include "bars/ToolbarFrame.h"

#include "core/Application.h"
#include "core/Dc.h"
#include "bars/DecoratedFrame.h"
#include "core/SysInfo.h"
#include "core/GdiObject.h"
#include "bars/Toolbar.h"

#include <vector>

TToolbarFrame::TToolbarFrame(TWindow *parent, char const *title, TToolbar *bar, TPoint const &position,
                             TModule *module)
    : TWindow(parent, title, module),
      TFloatingFrame(parent, title, 0, 0, 10, 0, module),
      Toolbar(bar),
      FormerParent(0),
      Frame3D(0),
      Active(1),
      SizingRect(0, 0, 0, 0),
      ShownSizingRect(0, 0, 0, 0),
      SizingShown(0),
      CaseBeforeSizing(0) {
    if (!_win95 && GetApplication())
        Frame3D = GetApplication()->Ctl3dEnabled();
    Attr.Style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME;
    Attr.ExStyle = WS_EX_TOOLWINDOW;
    if (bar && bar->GetHandle() && (bar->GetExStyle() & WS_EX_TOPMOST))
        Attr.ExStyle |= WS_EX_TOPMOST;
    Attr.X = position.x;
    Attr.Y = position.y;
    Attr.W = Attr.H = 100;
    SetBkgndColor(TColor::Transparent);
    SetFlag(wfDeleteOnClose);

    TCEnabled = !_win95;
    Border = _win95 ? TSize(2, 2) : TSize(1, 1);
    Frame = bar ? TSize(bar->GetFrameWidth(), bar->GetFrameHeight()) : TSize(0, 0);
    CloseBox = 1;
    CaptionHeight = bar ? bar->GetCaptionHeight() : 0;
    delete CaptionFont;
    CaptionFont = _win95 ? 0 : new TFont("Small Fonts", CaptionHeight, 0, 0, 0, 300, 34, 0, 0, 0, 0, 2, 0, 2);
}

TToolbarFrame::~TToolbarFrame() {
    if (Toolbar && Toolbar->GetFloatingFrame() == this)
        Toolbar->SetFloatingFrame(0);
}

char const *TToolbarFrame::GetClassNameA() { return "TToolbarFrame"; }

void TToolbarFrame::SetupWindow() {
    TFloatingFrame::SetupWindow();
    if (Toolbar) {
        FormerParent = Toolbar->GetParentO();
        SetClientWindow(Toolbar);
    }
    ResizeWindow();
    ShowWindow(SW_SHOWNA);
}

void TToolbarFrame::ResizeWindow() {
    if (!Toolbar || !GetHandle())
        return;
    TRect tiled = Toolbar->TileGadgets();
    TSize size = GetCaseSize(Toolbar->GetFloatingSize());
    SetWindowPos(0, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    if (Toolbar->GetHandle())
        Toolbar->SetWindowPos(0, -Border.cx, -Border.cy, tiled.Width(), tiled.Height(),
                              SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

TSize TToolbarFrame::GetCaseSize(int i) const { return Toolbar ? Toolbar->GetCaseSize(i) : TSize(0, 0); }

int TToolbarFrame::PreProcessMsg(MSG &msg) {
    // a message the frame handled is not dispatched again
    if (TFloatingFrame::PreProcessMsg(msg))
        return 1;
    return Toolbar ? Toolbar->PreProcessMsg(msg) : 0;
}

// ---- activation

uint TToolbarFrame::EvMouseActivateRaw(WPARAM, LPARAM) {
    if (!Toolbar || !Toolbar->IsEnabled())
        return MA_NOACTIVATEANDEAT;
    SetWindowPos(HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    if (TToolbar::MainWindow && TToolbar::MainWindow->GetHandle())
        ::SetForegroundWindow(TToolbar::MainWindow->GetHandle());
    ActivateFloatingToolbars(1);
    return MA_NOACTIVATE;
}

int TToolbarFrame::EvNCActivate(int active) {
    Active = active;
    if (TCEnabled && !IsIconic()) {
        PaintCaption(active);
        return !active;
    }
    return TFloatingFrame::EvNCActivate(active);
}

int TToolbarFrame::EvNCCreate(LPARAM) {
    int result = int(DefaultProcessing());
    SendMessageA(WM_NCACTIVATE, Active);
    return result;
}

void TToolbarFrame::EvClose() {
    if (TToolbar *bar = Toolbar) {
        if (bar->GetHandle())
            bar->ShowWindow(SW_HIDE);
        Toolbar = 0;
        bar->SetParent(FormerParent);
        bar->SetFloatingFrame(0);
        bar->SetStyle(bar->GetStyle() | TToolbar::Hidden, 1);
    }
    TWindow::EvClose();
}

void TToolbarFrame::EvEnterIdle(uint, HWND) {
    if (HWND parent = GetParentO() ? GetParentO()->GetHandle() : 0)
        ForwardMessage(parent);
}

void TToolbarFrame::EvMenuSelectRaw(WPARAM, LPARAM) {
    if (HWND parent = GetParentO() ? GetParentO()->GetHandle() : 0)
        ForwardMessage(parent);
}

void TToolbarFrame::EvGetMinMaxInfo(void *info) {
    MINMAXINFO *mm = static_cast<MINMAXINFO *>(info);
    DefaultProcessing();
    mm->ptMinTrackSize.x = 0;
    mm->ptMinTrackSize.y = 0;
}

// ---- non-client area

uint TToolbarFrame::EvNCCalcSize(int calcValidRects, LPARAM params) {
    if (!TCEnabled || IsIconic())
        return TFloatingFrame::EvNCCalcSize(calcValidRects, params);
    RECT &r = reinterpret_cast<NCCALCSIZE_PARAMS *>(params)->rgrc[0];
    r.left += Frame.cx;
    r.right -= Frame.cx;
    r.bottom -= Frame.cy;
    r.top += Frame.cy + CaptionHeight;
    return 0;
}

uint TToolbarFrame::EvNCHitTest(TPoint &screenPt) {
    unsigned result = 0;
    if (DoNCHitTest(screenPt, result) == esComplete)
        return result;
    TRect w = GetWindowRect();
    // corners size like the top or bottom edge: the frame only takes case sizes
    if (screenPt.y < w.top + Frame.cy)
        return HTTOP;
    if (screenPt.y >= w.bottom - Frame.cy)
        return HTBOTTOM;
    if (screenPt.x < w.left + Frame.cx)
        return HTLEFT;
    if (screenPt.x < w.right - Frame.cx)
        return uint(DefaultProcessing());
    return HTRIGHT;
}

void TToolbarFrame::EvNCLButtonDown(uint hitTest, TPoint &screenPt) {
    switch (hitTest) {
    case HTCAPTION:
        if (Toolbar && Toolbar->GetHandle()) {
            TPoint p = screenPt;
            ::ScreenToClient(Toolbar->GetHandle(), &p);
            Toolbar->EvLButtonDown(0, p);
        }
        return;
    case HTLEFT:
    case HTRIGHT:
    case HTTOP:
    case HTBOTTOM:
        DownHit = int(hitTest);
        CaseBeforeSizing = Toolbar ? Toolbar->GetFloatingSize() : 0;
        SetCapture();
        SizingRect = GetWindowRect();
        SizingShown = 0;
        DrawSizeRect(0);
        return;
    default: TFloatingFrame::EvNCLButtonDown(hitTest, screenPt);
    }
}

void TToolbarFrame::EvNCLButtonDblClk(uint hitTest, TPoint &screenPt) {
    if (hitTest == HTCAPTION && Toolbar && Toolbar->GetHandle()) {
        TPoint p = screenPt;
        ::ScreenToClient(Toolbar->GetHandle(), &p);
        Toolbar->EvLButtonDblClk(0, p);
        return;
    }
    DefaultProcessing();
}

// ---- sizing by cases

int TToolbarFrame::NextCase(int border, TPoint m, TRect const &W, TRect const &R, int c, TSize const *cases, int n,
                            int band) {
    int prevOk = c > 0, nextOk = c + 1 < n;
    int wider = prevOk ? c - 1 : c, narrower = nextOk ? c + 1 : c;
    switch (border) {
    case HTRIGHT:
        if (m.x > W.right)
            return m.x > R.right ? wider : (nextOk && R.left + cases[c + 1].cx < m.x ? c : narrower);
        if (m.x >= W.right - band)
            return c;
        if (m.x > R.right)
            return prevOk && R.left + cases[c - 1].cx < m.x ? c - 1 : c;
        return narrower;
    case HTLEFT:
        if (m.x < W.left)
            return m.x < R.left ? wider : (nextOk && m.x < R.right - cases[c + 1].cx ? c : narrower);
        if (m.x <= W.left + band)
            return c;
        if (m.x < R.left)
            return prevOk && m.x < R.right - cases[c - 1].cx ? c - 1 : c;
        return narrower;
    case HTTOP:
        if (m.y < W.top)
            return m.y < R.top ? narrower : (prevOk && m.y >= R.bottom - cases[c - 1].cy ? c - 1 : c);
        if (m.y <= W.top + band)
            return c;
        if (m.y > R.top)
            return wider;
        return nextOk && R.bottom - cases[c + 1].cy >= m.y ? c + 1 : c;
    case HTBOTTOM:
        if (m.y > W.bottom)
            return m.y > R.bottom ? narrower : (prevOk && R.top + cases[c - 1].cy >= m.y ? c - 1 : c);
        if (m.y >= W.bottom - band)
            return c;
        if (m.y <= R.bottom)
            return wider;
        return nextOk && R.top + cases[c + 1].cy < m.y ? c + 1 : c;
    }
    return c;
}

void TToolbarFrame::EvMouseMove(uint modKeys, TPoint &point) {
    int mode = DownHit;
    if (!Toolbar || !IsBorderSizing()) {
        TFloatingFrame::EvMouseMove(modKeys, point);
        return;
    }
    TPoint m = point;
    ::ClientToScreen(HWindow, &m);
    TRect w = GetWindowRect();
    std::vector<TSize> cases;
    for (int i = 0; i < Toolbar->GetCaseCount(); ++i)
        cases.push_back(Toolbar->GetCaseSize(i));
    int band = mode == HTTOP || mode == HTBOTTOM ? Frame.cy : Frame.cx;
    int c = NextCase(mode, m, w, SizingRect, Toolbar->GetFloatingSize(), cases.data(), int(cases.size()), band);
    TSize size = Toolbar->GetCaseSize(c);
    if (mode == HTLEFT || mode == HTTOP)
        SizingRect = TRect(SizingRect.right - size.cx, SizingRect.bottom - size.cy, SizingRect.right,
                           SizingRect.bottom);
    else
        SizingRect = TRect(SizingRect.left, SizingRect.top, SizingRect.left + size.cx, SizingRect.top + size.cy);
    Toolbar->SetCurrentCase(c);
    DrawSizeRect(1);
}

int TToolbarFrame::IsBorderSizing() const {
    return DownHit == HTLEFT || DownHit == HTRIGHT || DownHit == HTTOP || DownHit == HTBOTTOM;
}

void TToolbarFrame::EraseSizeRect() {
    if (SizingShown && Toolbar) {
        HDC dc = ::GetDC(0);
        Toolbar->DrawFocus(dc, ShownSizingRect, Toolbar->GetStyle());
        ::ReleaseDC(0, dc);
    }
    SizingShown = 0;
}

void TToolbarFrame::EvLButtonUp(uint modKeys, TPoint &point) {
    if (!IsBorderSizing()) {
        TFloatingFrame::EvLButtonUp(modKeys, point);
        return;
    }
    DownHit = 0;
    ::ReleaseCapture();
    EraseSizeRect();
    SetWindowPos(0, SizingRect, SWP_NOZORDER | SWP_NOACTIVATE);
    ResizeWindow();
}

// Another window took the mouse during a border drag: the frame keeps its size.
void TToolbarFrame::EvCaptureChanged(LPARAM) {
    if (IsBorderSizing()) {
        DownHit = 0;
        EraseSizeRect();
        if (Toolbar)
            Toolbar->SetCurrentCase(CaseBeforeSizing);
    }
    DefaultProcessing();
}

void TToolbarFrame::DrawSizeRect(int erase) {
    if (!Toolbar)
        return;
    HDC dc = ::GetDC(0);
    if (erase && SizingShown) {
        if (ShownSizingRect == SizingRect) {
            ::ReleaseDC(0, dc);
            return;
        }
        Toolbar->DrawFocus(dc, ShownSizingRect, Toolbar->GetStyle());
    }
    ShownSizingRect = SizingRect;
    SizingShown = 1;
    Toolbar->DrawFocus(dc, SizingRect, Toolbar->GetStyle());
    ::ReleaseDC(0, dc);
}

// ---- painting of the own frame (without the Windows 95 look)

void TToolbarFrame::EvNCPaint(WPARAM) {
    if (!TCEnabled || IsIconic()) {
        DefaultProcessing();
        return;
    }
    PaintFrame();
    PaintCaption(Active);
}

void TToolbarFrame::PaintFrame() {
    TWindowDC dc(HWindow);
    HDC h = dc;
    TRect window = GetWindowRect();
    int W = window.Width(), H = window.Height(), fx = Frame.cx, fy = Frame.cy;
    auto fill = [h](int x, int y, int w, int hh, COLORREF colour) {
        HBRUSH brush = ::CreateSolidBrush(colour);
        RECT r = {x, y, x + w, y + hh};
        ::FillRect(h, &r, brush);
        ::DeleteObject(brush);
    };
    auto outline = [h](int l, int t, int r, int b, COLORREF colour) {
        HPEN pen = ::CreatePen(PS_SOLID, 1, colour);
        HGDIOBJ oldPen = ::SelectObject(h, pen);
        HGDIOBJ oldBrush = ::SelectObject(h, ::GetStockObject(NULL_BRUSH));
        ::Rectangle(h, l, t, r, b);
        ::SelectObject(h, oldBrush);
        ::SelectObject(h, oldPen);
        ::DeleteObject(pen);
    };
    auto polyline = [h](POINT const *points, int count, COLORREF colour) {
        HPEN pen = ::CreatePen(PS_SOLID, 1, colour);
        HGDIOBJ old = ::SelectObject(h, pen);
        ::Polyline(h, points, count);
        ::SelectObject(h, old);
        ::DeleteObject(pen);
    };
    if (Frame3D) {
        POINT dark[3] = {{0, H - 1}, {W - 1, H - 1}, {W - 1, -1}};
        polyline(dark, 3, RGB(0, 0, 0));
        outline(0, 0, W - 1, H - 1, RGB(128, 128, 128));
        POINT light[3] = {{W - 3, 1}, {1, 1}, {1, H - 2}};
        polyline(light, 3, RGB(255, 255, 255));
        COLORREF grey = RGB(192, 192, 192);
        fill(2, 2, W - 4, fy - 2, grey);
        fill(2, H - fy, W - 4, fy - 2, grey);
        fill(2, 2, fx - 2, H - 4, grey);
        fill(W - fx, 2, fx - 2, H - 4, grey);
        return;
    }
    COLORREF frame = ::GetSysColor(COLOR_WINDOWFRAME);
    outline(0, 0, W, H, frame);
    outline(fx - 1, fy - 1, W - fx + 1, H - fy + 1, frame);
    COLORREF band = ::GetSysColor(Active ? COLOR_ACTIVEBORDER : COLOR_INACTIVEBORDER);
    fill(1, 1, W - 2, fy - 2, band);
    fill(1, H - fy + 1, W - 2, fy - 2, band);
    fill(1, 1, fx - 2, H - 2, band);
    fill(W - fx + 1, 1, fx - 2, H - 2, band);
}

DEFINE_RESPONSE_TABLE1(TToolbarFrame, TFloatingFrame)
    EV_MESSAGE(WM_MOUSEACTIVATE, EvMouseActivateRaw, U_WPARAM_LPARAM),
    EV_WM_CLOSE,
    EV_MESSAGE(WM_ENTERIDLE, EvEnterIdle, v_EnterIdle),
    EV_MESSAGE(WM_GETMINMAXINFO, EvGetMinMaxInfo, v_POINTER),
    EV_WM_LBUTTONUP,
    EV_MESSAGE(WM_CAPTURECHANGED, EvCaptureChanged, v_LPARAM),
    EV_MESSAGE(WM_MENUSELECT, EvMenuSelectRaw, v_WPARAM_LPARAM),
    EV_WM_MOUSEMOVE,
    EV_MESSAGE(WM_NCCREATE, EvNCCreate, B_LPARAM),
    EV_MESSAGE(WM_NCHITTEST, EvNCHitTest, U_POINT),
    EV_MESSAGE(WM_NCACTIVATE, EvNCActivate, B_B),
    EV_MESSAGE(WM_NCLBUTTONDOWN, EvNCLButtonDown, v_U_POINT),
    EV_MESSAGE(WM_NCLBUTTONDBLCLK, EvNCLButtonDblClk, v_U_POINT),
    EV_MESSAGE(WM_NCPAINT, EvNCPaint, v_WPARAM),
    EV_WM_SIZE,
    EV_MESSAGE(WM_NCCALCSIZE, EvNCCalcSize, U_B_LPARAM),
END_RESPONSE_TABLE;
