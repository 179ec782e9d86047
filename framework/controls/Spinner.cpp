#include "controls/Spinner.h"

#include "core/Dc.h"
#include "controls/SpinEdit.h"

#include "core/SysInfo.h"  // _win95

VELTRANE_API int _smallFontDisplay = LOWORD(::GetDialogBaseUnits()) < 9 ? 1 : 0;

namespace {
void Fill(HDC dc, int x, int y, int w, int h, int colorIndex) {
    RECT r = {x, y, x + w, y + h};
    ::FillRect(dc, &r, ::GetSysColorBrush(colorIndex));
}

// One-pixel frame: top and left in one colour, bottom and right in the other.
void Frame(HDC dc, TRect const &r, int topLeft, int bottomRight) {
    Fill(dc, r.left, r.top, r.Width(), 1, topLeft);
    Fill(dc, r.left, r.top, 1, r.Height(), topLeft);
    Fill(dc, r.left, r.bottom - 1, r.Width(), 1, bottomRight);
    Fill(dc, r.right - 1, r.top, 1, r.Height(), bottomRight);
}

void Polygon(HDC dc, POINT const *points, int count, int colorIndex, bool filled) {
    HPEN pen = ::CreatePen(PS_SOLID, 1, ::GetSysColor(colorIndex));
    HGDIOBJ oldPen = ::SelectObject(dc, pen);
    HGDIOBJ oldBrush = ::SelectObject(dc, filled ? (HGDIOBJ)::GetSysColorBrush(colorIndex) : ::GetStockObject(NULL_BRUSH));
    if (filled)
        ::Polygon(dc, points, count);
    else
        ::Polyline(dc, points, count);
    ::SelectObject(dc, oldBrush);
    ::SelectObject(dc, oldPen);
    ::DeleteObject(pen);
}
}  // namespace

DEFINE_RESPONSE_TABLE1(TSpinner, TControl)
    EV_WM_LBUTTONDOWN,
    EV_WM_LBUTTONUP,
    EV_WM_RBUTTONDOWN,
    EV_WM_MOUSEMOVE,
    EV_WM_TIMER,
    EV_MESSAGE(WM_CAPTURECHANGED, EvCaptureChanged, v_LPARAM),
    EV_WM_ERASEBKGND,
END_RESPONSE_TABLE;

TSpinner::TSpinner(TWindow *parent, TSpinEdit *spinEdit, char const *title, int x, int y, int w, int h,
                   TModule *module)
    : TControl(parent, SpinnerId, title, x, y, w, h, module), SpinEdit(spinEdit), Step(1.0), Pressed(-1),
      Timer(0) {
    Enabled[0] = Enabled[1] = 1;
    DrawnPressed[0] = DrawnPressed[1] = 0;
    Attr.Style = WS_CHILD | WS_VISIBLE;
}

TSpinner::~TSpinner() {
    if (SpinEdit && SpinEdit->Spinner == this)
        SpinEdit->Spinner = 0;
}

char const *TSpinner::GetClassNameA() { return "SpinEditControl"; }

void TSpinner::GetWindowClass(WNDCLASSA &wc) {
    TControl::GetWindowClass(wc);
    wc.style &= ~CS_DBLCLKS;  // fast clicks are separate clicks
    wc.hbrBackground = 0;
}

uint TSpinner::RepeatDelay() { return ::GetProfileIntA("Windows", "KeyboardDelay", 2) * 3 + 250; }

uint TSpinner::RepeatPeriod() {
    int period = 500 - int(::GetProfileIntA("Windows", "KeyboardSpeed", 31)) * 15;
    return period > 0 ? uint(period) : 1u;
}

// Takes the strip at the edit's right end.
void TSpinner::SetupWindow() {
    TControl::SetupWindow();
    HWND edit = SpinEdit ? SpinEdit->GetHandle() : 0;
    if (!edit)
        return;
    RECT r;
    ::GetWindowRect(edit, &r);
    ::MapWindowPoints(0, ::GetParent(edit), (POINT *)&r, 2);
    int oldRight = r.right;
    r.right -= StripWidth;
    ::SetWindowPos(edit, 0, 0, 0, r.right - r.left, r.bottom - r.top, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    TRect strip(r.right, r.top, oldRight, r.bottom);
    if (!_win95)
        strip = TRect(strip.left + 1, strip.top - 1, strip.right + 1, strip.bottom + 1);
    SetWindowPos(edit, strip, SWP_NOACTIVATE);
}

void TSpinner::MoveSpinner(int dx, int dy) {
    if (!HWindow)
        return;
    RECT r;
    ::GetWindowRect(HWindow, &r);
    ::MapWindowPoints(0, GetParentH(), (POINT *)&r, 2);
    SetWindowPos(0, r.left + dx, r.top + dy, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TSpinner::EnableButton(int button, int enable) {
    button = button != 0;
    enable = enable != 0;
    if (Enabled[button] == enable)
        return;
    Enabled[button] = enable;
    if (HWindow) {
        TRect r;
        ButtonRect(button, r);
        InvalidateRect(r, false);
    }
}

void TSpinner::ButtonRect(int button, TRect &rect) const {
    TRect r = GetClientRect();
    r.Inflate(-2, -2);
    int middle = r.top + r.Height() / 2;
    rect = button ? TRect(r.left, r.top, r.right, middle) : TRect(r.left, middle, r.right, r.bottom);
}

int TSpinner::ButtonAt(TPoint const &point) const {
    for (int button = 0; button < 2; button++) {
        TRect r;
        ButtonRect(button, r);
        if (Enabled[button] && ::PtInRect(&r, point))
            return button;
    }
    return -1;
}

int TSpinner::EvEraseBkgnd(WPARAM) { return 1; }

void TSpinner::Paint(TDC &dc, int, TRect &) {
    TRect r = GetClientRect();
    Frame(dc, r, COLOR_BTNSHADOW, COLOR_BTNHIGHLIGHT);
    r.Inflate(-1, -1);
    Frame(dc, r, COLOR_WINDOWFRAME, COLOR_BTNFACE);
    PaintButton(dc, 1);
    PaintButton(dc, 0);
}

void TSpinner::PaintButton(TDC &dc, int button) {
    TRect r;
    ButtonRect(button, r);
    if (r.IsEmpty())
        return;
    int pressed = DrawnPressed[button];
    Fill(dc, r.left, r.top, r.Width(), r.Height(), COLOR_BTNFACE);
    if (pressed) {
        Frame(dc, r, COLOR_BTNSHADOW, COLOR_BTNFACE);
    } else {
        Frame(dc, r, COLOR_BTNHIGHLIGHT, COLOR_BTNSHADOW);
    }
    int cx = r.left + r.Width() / 2 + pressed, cy = r.top + r.Height() / 2 + pressed;
    int half = _smallFontDisplay ? 2 : 3;
    int shift = _win95 ? 0 : 1;
    cx += shift;
    POINT tri[4];
    if (button) {
        int base = cy + 1 - (_smallFontDisplay ? 1 : 0);
        tri[0] = {cx, cy - 2};
        tri[1] = {cx - half, base};
        tri[2] = {cx + half, base};
    } else {
        int base = cy - 2 + (_smallFontDisplay ? 1 : 0);
        tri[0] = {cx, cy + 1};
        tri[1] = {cx - half, base};
        tri[2] = {cx + half, base};
    }
    tri[3] = tri[0];
    if (Enabled[button]) {
        Polygon(dc, tri, 3, COLOR_BTNTEXT, true);
    } else {
        // etched: one edge dark, its neighbour light
        POINT dark[3] = {tri[1], tri[0], tri[2]};
        POINT light[2] = {{tri[1].x + 1, tri[1].y + 1}, {tri[2].x + 1, tri[2].y + 1}};
        Polygon(dc, dark, 3, COLOR_BTNTEXT, false);
        Polygon(dc, light, 2, COLOR_BTNHIGHLIGHT, false);
    }
}

void TSpinner::EvLButtonDown(uint modKeys, TPoint &point) {
    int button = ButtonAt(point);
    if (button < 0 || !SpinEdit)
        return;
    Step = SpinEdit->StepFor(modKeys & MK_CONTROL, modKeys & MK_SHIFT);
    SetCapture();
    Pressed = button;
    DrawnPressed[button] = 1;
    Invalidate(false);
    if (HWND parent = GetParentH())
        ::SendMessageA(parent, WM_NEXTDLGCTL, (WPARAM)SpinEdit->GetHandle(), 1);
    if (Timer)
        KillTimer(Timer);
    Timer = SetTimer(DelayTimer, RepeatDelay());
}

void TSpinner::EvTimer(WPARAM id) {
    if (id == DelayTimer) {
        KillTimer(DelayTimer);
        Timer = SetTimer(RepeatTimer, RepeatPeriod());
        return;
    }
    if (Pressed < 0 || !SpinEdit)
        return;
    POINT p;
    ::GetCursorPos(&p);
    ::ScreenToClient(HWindow, &p);
    if (ButtonAt(TPoint(p.x, p.y)) != Pressed)
        return;
    if (Pressed)
        SpinEdit->SpinUp(Step);
    else
        SpinEdit->SpinDown(Step);
}

void TSpinner::EvMouseMove(uint, TPoint &point) {
    if (Pressed < 0)
        return;
    int over = ButtonAt(point) == Pressed;
    if (over != DrawnPressed[Pressed]) {
        DrawnPressed[Pressed] = over;
        Invalidate(false);
    }
}

void TSpinner::EvLButtonUp(uint, TPoint &point) {
    if (Pressed < 0)
        return;
    int button = Pressed;
    DrawnPressed[button] = 0;
    Invalidate(false);
    if (ButtonAt(point) == button && SpinEdit) {
        if (button)
            SpinEdit->SpinUp(Step);
        else
            SpinEdit->SpinDown(Step);
    }
    StopPress();
}

void TSpinner::StopPress() {
    Pressed = -1;
    if (Timer) {
        KillTimer(DelayTimer);
        KillTimer(RepeatTimer);
        Timer = 0;
    }
    if (::GetCapture() == HWindow)
        ReleaseCapture();
}

// A press that loses the mouse (another window captured it, a box opened, the control was
// disabled) never sees its button-up: stop repeating without a last step.
void TSpinner::EvCaptureChanged(LPARAM newCapture) {
    if (Pressed < 0 || HWND(newCapture) == HWindow)
        return;
    DrawnPressed[Pressed] = 0;
    Invalidate(false);
    StopPress();
}

void TSpinner::CleanupWindow() {
    StopPress();
    TControl::CleanupWindow();
}

void TSpinner::EvRButtonDown(uint, TPoint &) {
    if (SpinEdit)
        SpinEdit->OpenPopup(::GetKeyState(VK_CONTROL) < 0);
}
