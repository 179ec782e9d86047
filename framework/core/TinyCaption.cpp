#include "core/TinyCaption.h"

#include "core/Dc.h"
#include "core/GdiObject.h"

namespace {
bool forceOwnCaption;

void Line(HDC dc, int x1, int y1, int x2, int y2) {
    ::MoveToEx(dc, x1, y1, 0);
    ::LineTo(dc, x2, y2);
}

// Pen of a system colour for the length of one drawing step.
class TSysPen {
public:
    TSysPen(HDC dc, int colour) : Dc(dc), Pen(::CreatePen(PS_SOLID, 1, ::GetSysColor(colour))) {
        Old = ::SelectObject(dc, Pen);
    }
    ~TSysPen() {
        ::SelectObject(Dc, Old);
        ::DeleteObject(Pen);
    }

private:
    HDC Dc;
    HPEN Pen;
    HGDIOBJ Old;
};

void Fill(HDC dc, TRect const &r, int colour) {
    HBRUSH brush = ::CreateSolidBrush(::GetSysColor(colour));
    ::FillRect(dc, &r, brush);
    ::DeleteObject(brush);
}
}  // namespace

void TTinyCaption::ForceOwnCaption(bool on) { forceOwnCaption = on; }

TTinyCaption::TTinyCaption()
    : Border(0, 0), Frame(0, 0), CloseBox(0), TCEnabled(0), CaptionHeight(0), CaptionFont(0), DownHit(0),
      IsPressed(0), WaitingForSysCmd(0) {}

TTinyCaption::~TTinyCaption() { delete CaptionFont; }

void TTinyCaption::EnableTinyCaption(int percent, int closeBox) {
    Border = TSize(::GetSystemMetrics(SM_CXBORDER), ::GetSystemMetrics(SM_CYBORDER));
    uint32_t style = GetStyle();
    if ((style & WS_DLGFRAME) && !(style & WS_BORDER)) {
        Frame = TSize(::GetSystemMetrics(SM_CXFIXEDFRAME), ::GetSystemMetrics(SM_CYFIXEDFRAME));
    } else {
        ModifyStyle(WS_DLGFRAME, WS_BORDER);
        Frame = GetStyle() & WS_THICKFRAME
                    ? TSize(::GetSystemMetrics(SM_CXSIZEFRAME), ::GetSystemMetrics(SM_CYSIZEFRAME))
                    : Border;
    }
    CloseBox = closeBox;
    if (TSystem::Has3dUI() && !forceOwnCaption) {
        ModifyStyle(0, WS_CAPTION | (closeBox ? WS_SYSMENU : 0));
        ModifyExStyle(0, WS_EX_TOOLWINDOW);
        CaptionHeight = ::GetSystemMetrics(SM_CYSMCAPTION);
        TCEnabled = 0;
        return;
    }
    CaptionHeight = percent * ::GetSystemMetrics(SM_CYCAPTION) / 100 - Border.cy;
    delete CaptionFont;
    CaptionFont = new TFont("Small Fonts", 2 * Border.cy - CaptionHeight, 0, 0, 0, 400, 0x22, 0, 0, 0, 0, 2, 0, 2);
    TCEnabled = 1;
}

// ---- geometry

TRect TTinyCaption::GetCaptionRect() const {
    TRect w = const_cast<TTinyCaption *>(this)->GetWindowRect();
    return TRect(Frame.cx, Frame.cy, w.Width() - Frame.cx, Frame.cy + CaptionHeight);
}

TRect TTinyCaption::GetSysBoxRect() const {
    TRect c = GetCaptionRect();
    return TRect(c.left - 1, c.top - 1, c.left + CaptionHeight, c.bottom);
}

TRect TTinyCaption::GetMaxBoxRect() const {
    TRect c = GetCaptionRect();
    return TRect(c.right - CaptionHeight, c.top - 1, c.right + 1, c.bottom);
}

TRect TTinyCaption::GetMinBoxRect() const {
    TRect r = GetMaxBoxRect();
    if (const_cast<TTinyCaption *>(this)->GetStyle() & WS_MAXIMIZEBOX)
        r.Offset(-CaptionHeight, 0);
    return r;
}

// ---- Do routines

TEventStatus TTinyCaption::DoNCHitTest(TPoint &screenPt, unsigned &evRes) {
    if (!TCEnabled)
        return esPartial;
    TRect w = GetWindowRect();
    TPoint p(screenPt.x - w.left, screenPt.y - w.top);
    uint32_t style = GetStyle();
    if (((style & WS_SYSMENU) || CloseBox) && GetSysBoxRect().Contains(p))
        evRes = HTSYSMENU;
    else if ((style & WS_MINIMIZEBOX) && GetMinBoxRect().Contains(p))
        evRes = HTREDUCE;
    else if ((style & WS_MAXIMIZEBOX) && GetMaxBoxRect().Contains(p))
        evRes = HTZOOM;
    else if (GetCaptionRect().Contains(p))
        evRes = HTCAPTION;
    else
        return esPartial;
    return esComplete;
}

TEventStatus TTinyCaption::DoNCPaint() {
    if (!TCEnabled || IsIconic())
        return esPartial;
    HWND focus = ::GetFocus();
    PaintCaption(::GetActiveWindow() == HWindow || focus == HWindow || ::IsChild(HWindow, focus));
    return esComplete;
}

TEventStatus TTinyCaption::DoNCCalcSize(int, NCCALCSIZE_PARAMS &params, unsigned &) {
    if (!TCEnabled || IsIconic())
        return esPartial;
    params.rgrc[0].top += CaptionHeight;
    return esComplete;
}

TEventStatus TTinyCaption::DoNCActivate(int active, int &evRes) {
    if (!TCEnabled || IsIconic())
        return esPartial;
    PaintCaption(active);
    evRes = TRUE;
    return esComplete;
}

TEventStatus TTinyCaption::DoNCLButtonDown(unsigned hitTest, TPoint &screenPt) {
    if (!TCEnabled)
        return esPartial;
    if (hitTest == HTREDUCE || hitTest == HTZOOM || (hitTest == HTSYSMENU && CloseBox)) {
        DownHit = hitTest;
        IsPressed = 1;
        SetCapture();
        PaintBox(DownHit, 1);
        return esComplete;
    }
    if (hitTest == HTSYSMENU) {
        TRect box = GetSysBoxRect();
        HWND self = HWindow;
        {
            TWindowDC dc(self);
            ::PatBlt(dc, box.left + 1, box.top + 1, box.Width() - 2, box.Height() - 2, PATINVERT);
        }
        WaitingForSysCmd = 1;
        SendMessageA(WM_SYSCOMMAND, SC_MOUSEMENU | HTSYSMENU, MAKELPARAM(screenPt.x, screenPt.y));
        if (::IsWindow(self)) {
            if (WaitingForSysCmd) {
                POINT cursor;
                ::GetCursorPos(&cursor);
                TPoint c(cursor);
                unsigned hit = 0;
                if (DoNCHitTest(c, hit) == esComplete && hit == HTSYSMENU)
                    SendMessageA(WM_SYSCOMMAND, SC_KEYMENU | 3, 0);
            }
            TWindowDC dc(self);
            ::PatBlt(dc, box.left + 1, box.top + 1, box.Width() - 2, box.Height() - 2, PATINVERT);
        }
        return esComplete;
    }
    DownHit = 0;
    return esPartial;
}

TEventStatus TTinyCaption::DoMouseMove(unsigned, TPoint &point) {
    if (!TCEnabled || !DownHit)
        return esPartial;
    TPoint screen = point;
    ::ClientToScreen(HWindow, &screen);
    unsigned hit = 0;
    DoNCHitTest(screen, hit);
    int over = hit == unsigned(DownHit);
    if (over != IsPressed) {
        IsPressed = over;
        PaintBox(DownHit, IsPressed);
    }
    return esComplete;
}

TEventStatus TTinyCaption::DoLButtonUp(unsigned modKeys, TPoint &point) {
    if (!TCEnabled || !DownHit)
        return esPartial;
    ::ReleaseCapture();
    DoMouseMove(modKeys, point);
    TPoint screen = point;
    ::ClientToScreen(HWindow, &screen);
    unsigned hit = 0;
    DoNCHitTest(screen, hit);
    int pressed = DownHit;
    DownHit = 0;
    if (hit != unsigned(pressed)) {
        PaintBox(pressed, 0);
        return esPartial;
    }
    switch (pressed) {
    case HTSYSMENU: PostMessageA(WM_CLOSE); break;
    case HTREDUCE: SendMessageA(WM_SYSCOMMAND, SC_MINIMIZE); break;
    case HTZOOM: SendMessageA(WM_SYSCOMMAND, IsZoomed() ? SC_RESTORE : SC_MAXIMIZE); break;
    }
    return esComplete;
}

TEventStatus TTinyCaption::DoCommand(unsigned id, HWND, unsigned notifyCode, LRESULT &evRes) {
    if (!TCEnabled || id < 0xF000)
        return esPartial;
    // the system menu's items, tracked by the mix-in, arrive as commands
    WaitingForSysCmd = 0;
    evRes = SendMessageA(WM_SYSCOMMAND, id, notifyCode);
    return esComplete;
}

TEventStatus TTinyCaption::DoSysCommand(unsigned cmdType, TPoint &) {
    if (!TCEnabled)
        return esPartial;
    unsigned kind = cmdType & 0xFFF0;
    if ((kind == SC_KEYMENU || kind == SC_MOUSEMENU) && !IsIconic()) {
        DoSysMenu();
        return esComplete;
    }
    return esPartial;
}

void TTinyCaption::DoSysMenu() {
    HMENU menu = ::GetSystemMenu(HWindow, FALSE);
    if (!menu)
        return;
    uint32_t style = GetStyle();
    bool iconic = IsIconic(), zoomed = IsZoomed();
    auto set = [menu](uint item, bool on) { ::EnableMenuItem(menu, item, MF_BYCOMMAND | (on ? MF_ENABLED : MF_GRAYED)); };
    set(SC_RESTORE, iconic || zoomed);
    set(SC_MOVE, true);
    set(SC_SIZE, style & WS_THICKFRAME);
    set(SC_MINIMIZE, (style & WS_MINIMIZEBOX) && !iconic);
    set(SC_MAXIMIZE, (style & WS_MAXIMIZEBOX) && !zoomed);
    // opens at the box's lower left: its window-relative corner read as a client point lies a caption lower
    TRect box = GetSysBoxRect();
    TPoint at = box.TopLeft();
    ::ClientToScreen(HWindow, &at);
    at.Offset(-Frame.cx, -Frame.cy);
    TRect w = GetWindowRect();
    TPMPARAMS exclude = {sizeof exclude, box.OffsetBy(w.left, w.top)};  // screen coordinates
    ::TrackPopupMenuEx(menu, TPM_LEFTBUTTON, at.x, at.y, HWindow, &exclude);
}

// ---- painting

void TTinyCaption::PaintBox(int hit, int pressed) {
    TWindowDC dc(HWindow);
    switch (hit) {
    case HTSYSMENU:
        if (CloseBox)
            PaintCloseBox(dc, GetSysBoxRect(), pressed);
        break;
    case HTREDUCE: PaintMinBox(dc, GetMinBoxRect(), pressed); break;
    case HTZOOM: PaintMaxBox(dc, GetMaxBoxRect(), pressed); break;
    }
}

void TTinyCaption::PaintCaption(int active) {
    TWindowDC dc(HWindow);
    HDC h = dc;
    TRect caption = GetCaptionRect();
    ::SetBkColor(h, ::GetSysColor(active ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION));
    ::SetTextColor(h, ::GetSysColor(active ? COLOR_CAPTIONTEXT : COLOR_INACTIVECAPTIONTEXT));
    ::ExtTextOutA(h, 0, 0, ETO_OPAQUE, &caption, 0, 0, 0);

    HGDIOBJ oldFont = CaptionFont ? ::SelectObject(h, *CaptionFont) : 0;
    ::SetBkMode(h, TRANSPARENT);
    char const *title = Title && !IS_INTRESOURCE(Title) ? Title : "";
    SIZE text = {0, 0};
    ::GetTextExtentPoint32A(h, title, lstrlenA(title), &text);
    uint32_t style = GetStyle();
    bool sysBox = (style & WS_SYSMENU) || CloseBox;
    int free = caption.Width();
    if (style & WS_MINIMIZEBOX)
        free -= GetMinBoxRect().Width();
    if (style & WS_MAXIMIZEBOX)
        free -= GetMaxBoxRect().Width();
    if (sysBox)
        free -= GetSysBoxRect().Width();
    int x = caption.left + (free - text.cx > 0 ? (free - text.cx) / 2 : 0) + (sysBox ? GetSysBoxRect().Width() : 0);
    ::ExtTextOutA(h, x, caption.top - Border.cy, ETO_CLIPPED, &caption, title, lstrlenA(title), 0);
    if (oldFont)
        ::SelectObject(h, oldFont);

    ::SelectObject(h, ::GetStockObject(BLACK_PEN));
    if (CloseBox)
        PaintCloseBox(dc, GetSysBoxRect(), 0);
    else if (style & WS_SYSMENU)
        PaintSysBox(dc, GetSysBoxRect(), 0);
    if (style & WS_MINIMIZEBOX)
        PaintMinBox(dc, GetMinBoxRect(), 0);
    if (style & WS_MAXIMIZEBOX)
        PaintMaxBox(dc, GetMaxBoxRect(), 0);
    TSysPen frame(h, COLOR_WINDOWFRAME);
    Line(h, caption.left, caption.bottom - 1, caption.right, caption.bottom - 1);
}

void TTinyCaption::PaintButton(TDC &dc, TRect const &box, int pressed) {
    HDC h = dc;
    {
        TSysPen frame(h, COLOR_WINDOWFRAME);
        HGDIOBJ oldBrush = ::SelectObject(h, ::GetStockObject(NULL_BRUSH));
        ::Rectangle(h, box.left, box.top, box.right, box.bottom);
        ::SelectObject(h, oldBrush);
    }
    TRect r = box.InflatedBy(-1, -1);
    Fill(h, r, COLOR_BTNFACE);
    if (r.Width() < 5 || r.Height() <= 4)
        return;
    if (pressed) {
        TSysPen shadow(h, COLOR_BTNSHADOW);
        Line(h, r.left, r.top, r.right, r.top);
        Line(h, r.left, r.top, r.left, r.bottom);
        return;
    }
    {
        TSysPen light(h, COLOR_BTNHIGHLIGHT);
        Line(h, r.left, r.top, r.right - 1, r.top);
        Line(h, r.left, r.top, r.left, r.bottom - 1);
    }
    TSysPen shadow(h, COLOR_BTNSHADOW);
    Line(h, r.right - 1, r.top, r.right - 1, r.bottom);
    Line(h, r.left, r.bottom - 1, r.right, r.bottom - 1);
}

void TTinyCaption::PaintCloseBox(TDC &dc, TRect const &box, int pressed) {
    PaintButton(dc, box, pressed);
    int w = box.Width(), hgt = box.Height();
    int d = w < 8 ? w - 3 : w - w / 2 - 1, g = hgt < 8 ? hgt - 3 : hgt - hgt / 2 - 1;
    if (d < 2 || g < 2)
        return;
    TRect square(TPoint(box.left + (w - d) / 2, box.top + (hgt - g) / 2), TSize(d, g));
    if (pressed)
        square.Offset(1, 1);
    HDC h = dc;
    Fill(h, square, COLOR_BTNSHADOW);
    TRect light = square.OffsetBy(1, 1);
    Fill(h, light, COLOR_BTNHIGHLIGHT);
    Fill(h, TRect(light.left, light.top, light.right - 1, light.bottom - 1), COLOR_BTNTEXT);
}

void TTinyCaption::PaintSysBox(TDC &dc, TRect const &box, int pressed) {
    PaintButton(dc, box, pressed);
    HDC h = dc;
    Fill(h, TRect(box.left + 1, box.top + 1, box.right, box.bottom), COLOR_BTNFACE);
    int top = box.top + (box.Height() - 3) / 2;
    TRect bar(box.left + 2, top, box.right - 3, top + 3);
    if (pressed)
        bar.Offset(1, 1);
    Fill(h, bar.OffsetBy(1, 1), COLOR_BTNSHADOW);
    Fill(h, bar, COLOR_BTNTEXT);
    Fill(h, bar.InflatedBy(-1, -1), COLOR_BTNHIGHLIGHT);
    TSysPen text(h, COLOR_BTNTEXT);
    Line(h, box.right, box.top, box.right, box.bottom);
}

namespace {
// Rows of a triangle: each one lower (or higher) and one shorter at both ends.
void Triangle(HDC h, int x0, int x1, int y, int step, int pressed) {
    if (pressed)
        x0++, x1++, y++;
    for (; x0 < x1; x0++, x1--, y += step)
        Line(h, x0, y, x1, y);
}
}  // namespace

void TTinyCaption::PaintMinBox(TDC &dc, TRect const &box, int pressed) {
    PaintButton(dc, box, pressed);
    int w = box.Width(), hgt = box.Height(), x0 = box.left + (w + 1) / 4;
    TSysPen text(dc, COLOR_BTNTEXT);
    Triangle(dc, x0, x0 + (w + 1) / 2, box.top + (hgt + 2) / 3, 1, pressed);
}

void TTinyCaption::PaintMaxBox(TDC &dc, TRect const &box, int pressed) {
    PaintButton(dc, box, pressed);
    int w = box.Width(), hgt = box.Height(), x0 = box.left + (w + 1) / 4;
    TSysPen text(dc, COLOR_BTNTEXT);
    if (IsZoomed()) {
        Triangle(dc, x0, x0 + (w + 1) / 2, box.bottom - 3 * hgt / 8, 1, pressed);
        Triangle(dc, x0, x0 + (w + 1) / 2, box.top + 3 * hgt / 8, -1, pressed);
    } else {
        Triangle(dc, x0, x0 + (w + 1) / 2, box.top + 2 * hgt / 3, -1, pressed);
    }
}

// ---- handlers

uint TTinyCaption::EvNCHitTest(TPoint &screenPt) {
    unsigned result = 0;
    return DoNCHitTest(screenPt, result) == esComplete ? result : (uint)DefaultProcessing();
}

void TTinyCaption::EvNCPaint(WPARAM) {
    DefaultProcessing();  // the frame first
    DoNCPaint();
}

uint TTinyCaption::EvNCCalcSize(int calcValidRects, LPARAM params) {
    uint result = (uint)DefaultProcessing();
    unsigned res = result;
    if (params)  // the first rectangle is the proposed client in both forms
        DoNCCalcSize(calcValidRects, *(NCCALCSIZE_PARAMS *)params, res);
    return res;
}

void TTinyCaption::EvNCLButtonDown(uint hitTest, TPoint &screenPt) {
    if (DoNCLButtonDown(hitTest, screenPt) != esComplete)
        DefaultProcessing();
}

void TTinyCaption::EvMouseMove(uint modKeys, TPoint &point) {
    if (DoMouseMove(modKeys, point) != esComplete)
        DefaultProcessing();
}

void TTinyCaption::EvLButtonUp(uint modKeys, TPoint &point) {
    if (DoLButtonUp(modKeys, point) != esComplete)
        DefaultProcessing();
}

int TTinyCaption::EvNCActivate(int active) {
    int result = 0;
    return DoNCActivate(active, result) == esComplete ? result : (int)DefaultProcessing();
}

LRESULT TTinyCaption::EvCommand(uint id, HWND hWndCtl, uint notifyCode) {
    LRESULT result = 0;
    if (DoCommand(id, hWndCtl, notifyCode, result) == esComplete)
        return result;
    return TWindow::EvCommand(id, hWndCtl, notifyCode);
}

void TTinyCaption::EvSysCommand(uint cmdType, TPoint &point) {
    if (DoSysCommand(cmdType, point) != esComplete)
        DefaultProcessing();
}

DEFINE_RESPONSE_TABLE(TTinyCaption)
    EV_MESSAGE(WM_NCHITTEST, EvNCHitTest, U_POINT),
    EV_MESSAGE(WM_NCPAINT, EvNCPaint, v_WPARAM),
    EV_MESSAGE(WM_NCCALCSIZE, EvNCCalcSize, U_B_LPARAM),
    EV_MESSAGE(WM_NCLBUTTONDOWN, EvNCLButtonDown, v_U_POINT),
    EV_MESSAGE(WM_MOUSEMOVE, EvMouseMove, v_U_POINT),
    EV_MESSAGE(WM_LBUTTONUP, EvLButtonUp, v_U_POINT),
    EV_MESSAGE(WM_NCACTIVATE, EvNCActivate, B_B),
    EV_MESSAGE(WM_SYSCOMMAND, EvSysCommand, v_U_POINT),
END_RESPONSE_TABLE;
