#include "core/FloatingFrame.h"

#include "core/Application.h"
#include "core/SysInfo.h"
#include "core/GdiObject.h"

namespace {

// A floating frame never keeps the activation: it hands it to the main window.
void ActivateMainWindow(TApplication *app) {
    if (app && app->GetMainWindow() && app->GetMainWindow()->GetHandle())
        ::SetActiveWindow(app->GetMainWindow()->GetHandle());
}

}  // namespace

TFloatingFrame::TFloatingFrame(TWindow *parent, char const *title, TWindow *client, int shrinkToClient,
                               int captionHeight, int popupPalette, TModule *module)
    : TWindow(parent, title, module),
      TFrameWindow(parent, title, client, shrinkToClient != 0, module),
      marginX_(2),
      marginY_(2),
      popupPalette_(popupPalette),
      appActive_(1) {
    if (popupPalette_) {
        Attr.Style = WS_POPUP | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_BORDER;
        Attr.X = Attr.Y = 0;
        Attr.W = 100;
        Attr.H = 50;
        EnableTinyCaption(captionHeight, 1);
    } else {
        EnableTinyCaption(captionHeight, 0);
    }
    SetBkgndColor(TColor::SysInactiveCaption);
}

HWND TFloatingFrame::GetCommandTarget() { return GetParentO() ? GetParentO()->GetHandle() : 0; }

LRESULT TFloatingFrame::EvCommand(uint id, HWND hWndCtl, uint notifyCode) {
    LRESULT result = 0;
    if (DoCommand(id, hWndCtl, notifyCode, result) == esComplete)
        return result;
    if (TWindow *parent = GetParentO())
        return parent->EvCommand(id, hWndCtl, notifyCode);
    return TFrameWindow::EvCommand(id, hWndCtl, notifyCode);
}

void TFloatingFrame::EvCommandEnable(TCommandEnabler &ce) {
    // An enabler that already went to the parent does not come back to it.
    TWindow *parent = GetParentO();
    if (parent && parent->GetHandle() && !ce.IsReceiver(parent->GetHandle())) {
        ce.SetReceiver(parent->GetHandle());
        parent->EvCommandEnable(ce);
    }
}

TRect TFloatingFrame::GetInnerRect() const {
    TRect window = GetWindowRect();
    TRect inner(0, 0, window.Width(), window.Height());
    inner.left += Frame.cx;
    inner.right -= Frame.cx;
    inner.top = GetCaptionRect().bottom;
    inner.bottom -= Frame.cy;
    return inner;
}

uint TFloatingFrame::EvNCCalcSize(int calcValidRects, LPARAM params) {
    uint result = uint(DefaultProcessing());
    NCCALCSIZE_PARAMS &p = *reinterpret_cast<NCCALCSIZE_PARAMS *>(params);
    if (popupPalette_ && !IsIconic()) {
        int mx = marginX_ * ::GetSystemMetrics(SM_CXBORDER), my = marginY_ * ::GetSystemMetrics(SM_CYBORDER);
        p.rgrc[0].left += mx;
        p.rgrc[0].right -= mx;
        p.rgrc[0].top += my;
        p.rgrc[0].bottom -= my;
    }
    unsigned ignored = 0;
    DoNCCalcSize(calcValidRects, p, ignored);
    return result;
}

uint TFloatingFrame::EvNCHitTest(TPoint &screenPt) {
    unsigned result = 0;
    if (DoNCHitTest(screenPt, result) == esComplete)
        return result;
    if (popupPalette_) {
        TRect client = GetClientRect();
        POINT p = {screenPt.x, screenPt.y};
        ::ScreenToClient(GetHandle(), &p);
        if (!client.Contains(TPoint(p.x, p.y)))
            return HTCAPTION;
    }
    return uint(DefaultProcessing());
}

void TFloatingFrame::EvNCPaint(WPARAM) {
    DefaultProcessing();
    EvNCActivate(1);
    if (!popupPalette_)
        return;
    TRect inner = GetInnerRect();
    int mx = marginX_ * ::GetSystemMetrics(SM_CXBORDER), my = marginY_ * ::GetSystemMetrics(SM_CYBORDER);
    HDC dc = ::GetWindowDC(GetHandle());
    HBRUSH face = ::GetSysColorBrush(COLOR_3DFACE);
    RECT strips[4] = {{inner.left, inner.top, inner.left + mx, inner.bottom},
                      {inner.left + mx, inner.top, inner.right - mx, inner.top + my},
                      {inner.right - mx, inner.top, inner.right, inner.bottom},
                      {inner.left + mx, inner.bottom - my, inner.right - mx, inner.bottom}};
    for (RECT const &r : strips)
        ::FillRect(dc, &r, face);
    ::ReleaseDC(GetHandle(), dc);
}

int TFloatingFrame::EvNCActivate(int) {
    if (IsIconic())
        return 1;
    // The caption follows the application, not the frame's own activation.
    if (IsTinyCaptionEnabled())
        PaintCaption(appActive_);
    else
        DefWindowProcA(WM_NCACTIVATE, appActive_, 0);
    return 1;
}

void TFloatingFrame::EvActivateApp(int active, uint) {
    appActive_ = active;
    EvNCActivate(active);
    DefaultProcessing();
}

uint TFloatingFrame::EvMouseActivate(uint, uint, uint) {
    if (!::GetActiveWindow())
        ActivateMainWindow(GetApplication());
    EvNCActivate(1);
    return MA_NOACTIVATE;
}

void TFloatingFrame::EvSysCommand(uint cmd, TPoint &point) {
    if (DoSysCommand(cmd, point) == esComplete)
        return;
    DefaultProcessing();
    uint kind = cmd & 0xFFF0;
    if (kind == SC_SIZE || kind == SC_MOVE)
        ActivateMainWindow(GetApplication());
}

DEFINE_RESPONSE_TABLE2(TFloatingFrame, TTinyCaption, TFrameWindow)
    EV_MESSAGE(WM_SYSCOMMAND, EvSysCommand, v_U_POINT),
    EV_MESSAGE(WM_NCCALCSIZE, EvNCCalcSize, U_B_LPARAM),
    EV_MESSAGE(WM_NCPAINT, EvNCPaint, v_WPARAM),
    EV_MESSAGE(WM_NCHITTEST, EvNCHitTest, U_POINT),
    EV_MESSAGE(WM_MOUSEACTIVATE, EvMouseActivateRaw, U_WPARAM_LPARAM),
    EV_MESSAGE(WM_NCACTIVATE, EvNCActivate, B_B),
    EV_MESSAGE(WM_ACTIVATEAPP, EvActivateApp, v_B_U),
END_RESPONSE_TABLE;

// ---- FloatingWindow

FloatingWindow::FloatingWindow(TWindow *parent, char *title, TWindow *client, TPoint const &position,
                               int shrinkToClient, int popupPalette, TModule *module)
    : TWindow(parent, title, module),
      TFloatingFrame(parent, title, client, shrinkToClient, _win95 ? 73 : 58, popupPalette, module),
      position_(position) {
    LOGFONTA font = {};
    font.lfHeight = 2 * ::GetSystemMetrics(SM_CYBORDER) - CaptionHeight;
    font.lfWeight = 400;
    font.lfPitchAndFamily = 34;
    font.lfQuality = 2;
    lstrcpyA(font.lfFaceName, "Small Fonts");
    delete CaptionFont;
    CaptionFont = new TFont(&font);
}

TPoint FloatingWindow::PlaceOnParent(TPoint const &wanted, TRect const &parent) {
    // off the screen's top-left, or past the parent's right or bottom: out of reach
    if (wanted.x < 0 || wanted.y < 0 || wanted.x > parent.right - 20 || wanted.y > parent.bottom - 20)
        return TPoint(parent.left + 50, parent.top + 50);
    return wanted;
}

void FloatingWindow::SetupWindow() {
    TFloatingFrame::SetupWindow();
    if (TWindow *parent = GetParentO()) {
        position_ = PlaceOnParent(position_, parent->GetWindowRect());
    }
    SetWindowPos(0, position_.x, position_.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void FloatingWindow::GetPosition(TPoint &position) const {
    TRect r = GetWindowRect();
    position = TPoint(r.left, r.top);
}

int FloatingWindow::EvNCActivate(int active) { return TFloatingFrame::EvNCActivate(active); }

DEFINE_RESPONSE_TABLE1(FloatingWindow, TFloatingFrame)
    EV_MESSAGE(WM_NCACTIVATE, EvNCActivate, B_B),
END_RESPONSE_TABLE;

// ---- PopupFrame

PopupFrame::PopupFrame(TWindow *client, char const *title, Style style)
    : TWindow(0, title, 0), TFloatingFrame(0, title, client, 1, 58, 1, 0), style_(style) {
    Attr.Style = WS_POPUP | WS_VISIBLE | WS_BORDER;
    Attr.ExStyle |= WS_EX_TOPMOST;
    EnableTinyCaption(58, 0);
    marginX_ = marginY_ = _win95 ? 0 : 1;
}

void PopupFrame::EvNCPaint(WPARAM) {
    DefaultProcessing();
    DoNCPaint();
    TRect inner = GetInnerRect();
    HDC dc = ::GetWindowDC(GetHandle());
    HBRUSH light = ::GetSysColorBrush(COLOR_BTNHIGHLIGHT), dark = ::GetSysColorBrush(COLOR_BTNSHADOW);
    HGDIOBJ old = ::SelectObject(dc, light);
    ::PatBlt(dc, inner.left, inner.top, inner.Width() - 1, 1, PATCOPY);
    ::PatBlt(dc, inner.left, inner.top, 1, inner.Height() - 1, PATCOPY);
    ::SelectObject(dc, dark);
    ::PatBlt(dc, inner.right - 1, inner.top, 1, inner.Height(), PATCOPY);
    ::PatBlt(dc, inner.left, inner.bottom - 1, inner.Width(), 1, PATCOPY);
    ::SelectObject(dc, old);
    ::ReleaseDC(GetHandle(), dc);
}

DEFINE_RESPONSE_TABLE1(PopupFrame, TFloatingFrame)
    EV_MESSAGE(WM_NCPAINT, EvNCPaint, v_WPARAM),
END_RESPONSE_TABLE;

namespace {
TFloatingFramesActivator floatingActivator = 0;
}  // namespace

void SetFloatingFramesActivator(TFloatingFramesActivator activator) { floatingActivator = activator; }

void SetFloatingFramesActive(int active) {
    if (floatingActivator)
        floatingActivator(active);
}
