#include "bars/ToolTipSimple.h"

#include "core/Dc.h"
#include "core/GdiObject.h"

#include <cstring>
#include <vector>

namespace {
// The window's whole text.
std::vector<char> WindowText(TWindow const &w) {
    std::vector<char> text(w.GetWindowTextLengthA() + 1);
    w.GetWindowTextA(text.data(), int(text.size()));
    return text;
}

void SelectTipFont(TDC &dc, TFont *font) {
    if (font)
        dc.SelectObject(*font);
    else
        dc.SelectStockObject(ANSI_VAR_FONT);
}
}  // namespace

TTToolTip::TTToolTip()
    : TWindow((TWindow *)0, ""), TipsEnabled(1), TimerHandle(0), LastHideTime(0), Font(0), ToolRect(0, 0, 0, 0), TipRect(0, 0, 0, 0), BelowTool(1) {
    Attr.Style = WS_POPUP;
    Attr.ExStyle = WS_EX_TOPMOST;
    Create();
}

TTToolTip::~TTToolTip() { StopTimer(); }

char const *TTToolTip::GetClassNameA() { return "TTToolTip"; }

void TTToolTip::GetWindowClass(WNDCLASSA &wc) {
    TWindow::GetWindowClass(wc);
    wc.style = CS_VREDRAW | CS_HREDRAW | CS_SAVEBITS;
}

void TTToolTip::SetPosition(TRect &tool, TRect *tip, TFont *font) {
    Font = font;
    ToolRect = tool;
    BelowTool = tip == 0;
    if (tip)
        TipRect = *tip;
}

void TTToolTip::StartTimer(uint delay) {
    TimerHandle = SetTimer(TimerId, delay);
}

void TTToolTip::StopTimer() {
    if (TimerHandle && HWindow)
        KillTimer(TimerId);
    TimerHandle = 0;
}

void TTToolTip::SetCaption(char const *text) {
    if (text && HWindow && std::strcmp(text, WindowText(*this).data()) == 0)
        return;
    TWindow::SetCaption(text ? text : "");
    if (IsWindowVisible()) {
        Font = 0;
        LastHideTime = ::GetTickCount();
        ShowWindow(SW_HIDE);
        UpdateWindow();
    }
    StopTimer();
    if (text && *text && TipsEnabled && HWindow)
        StartTimer(LastHideTime + ShowDelay < ::GetTickCount() ? ShowDelay : QuickShowDelay);
}

uint TTToolTip::EvNCHitTest(TPoint &) { return uint(HTTRANSPARENT); }

void TTToolTip::EvTimer(WPARAM) {
    if (!TimerHandle)
        return;
    POINT p;
    ::GetCursorPos(&p);
    if (!ToolRect.Contains(TPoint(p.x, p.y)) || ::GetCapture()) {
        SetCaption(0);
        return;
    }
    if (IsWindowVisible())
        return;
    StopTimer();
    ShowNow();
    StartTimer(PollDelay);
}

void TTToolTip::ShowNow() {
    std::vector<char> text = WindowText(*this);
    int length = int(text.size()) - 1;
    TSize extent;
    {
        TClientDC dc(HWindow);
        SelectTipFont(dc, Font);
        extent = dc.GetTextExtent(text.data(), length < MaxChars ? length : MaxChars);
    }
    int w = extent.cx + 7, h = extent.cy + 4;
    int x, y;
    if (BelowTool) {
        x = ToolRect.left;
        y = ToolRect.bottom + 2;
        if (y + h > ::GetSystemMetrics(SM_CYSCREEN))
            y = ToolRect.top - h - 2;
        if (x + w > ::GetSystemMetrics(SM_CXSCREEN))
            x = ToolRect.right - w;
    } else {
        x = TipRect.left - 1;
        y = TipRect.top;
    }
    SetWindowPos(0, x, y, w, h, SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    UpdateWindow();
}

void TTToolTip::Paint(TDC &dc, int, TRect &) {
    TColor back = TSystem::Has3dUI() ? TColor(::GetSysColor(COLOR_INFOBK)) : TColor(255, 255, 128);
    TColor fore = TSystem::Has3dUI() ? TColor(::GetSysColor(COLOR_INFOTEXT)) : TColor::Black;
    TRect r = GetClientRect();
    TColor light = ::GetSysColor(COLOR_BTNHIGHLIGHT), dark = ::GetSysColor(COLOR_WINDOWFRAME);
    dc.TextRect(r.left, r.top, r.left + 1, r.bottom, light);
    r.left++;
    dc.TextRect(r.left, r.top, r.right, r.top + 1, light);
    r.top++;
    dc.TextRect(r.right - 1, r.top, r.right, r.bottom, dark);
    r.right--;
    dc.TextRect(r.left, r.bottom - 1, r.right, r.bottom, dark);
    r.bottom--;
    dc.TextRect(r, back);
    std::vector<char> text = WindowText(*this);
    int length = int(text.size()) - 1;
    SelectTipFont(dc, Font);
    dc.SetTextColor(fore);
    dc.SetBkMode(TRANSPARENT);
    dc.DrawTextA(text.data(), length < MaxChars ? length : MaxChars, r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    dc.RestoreFont();
}

DEFINE_RESPONSE_TABLE1(TTToolTip, TWindow)
    EV_MESSAGE(WM_NCHITTEST, EvNCHitTest, U_POINT),
    EV_WM_TIMER,
END_RESPONSE_TABLE;
