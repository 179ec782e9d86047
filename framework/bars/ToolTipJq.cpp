#include "bars/ToolTipJq.h"

#include "core/Application.h"
#include "core/Dc.h"

#include <mmsystem.h>

#include <cstring>
#include <memory>

namespace {
// Sent by the keyboard hook so that the hide runs inside the window procedure, where a
// failure is kept for the message loop instead of unwinding into the system.
const uint WM_HIDETIP = WM_USER + 1;

// A hide this recent counts as the same moment as the new text: the pointer went
// from one tool to the next through a gap.
const DWORD SameMomentMs = 50;

std::unique_ptr<THatch8x8Brush> shadowBrush;

struct TShadowCleanup {
    ~TShadowCleanup() { shadowBrush.reset(); }
} shadowCleanup;

// Half-tone black on white: the shadow lets every other pixel of the desktop through.
TBrush &ShadowBrush() {
    if (!shadowBrush)
        shadowBrush.reset(new THatch8x8Brush(THatch8x8Brush::Hatch11F1, TColor::Black, TColor::White));
    return *shadowBrush;
}
}  // namespace

HHOOK TToolTipJq::HookHandle = 0;
TToolTipJq *TToolTipJq::HookedTip = 0;
DWORD TToolTipJq::LastHideTime = 0;

TToolTipFont::TToolTipFont() : TFont("MS Sans Serif", -9, 0, 0, 0, 400, 0, 0, 0, 0, 1, 0, 0, 0) {}

TToolTipJq::TToolTipJq(Tip::Style style, TFont *font)
    : TWindow((TWindow *)0, ""), TimerActive(0), TipsEnabled(1), TipWidth(0), TipHeight(0), Style(style),
      Font(font ? font : new TToolTipFont) {
    Attr.Style = WS_POPUP;
    Attr.ExStyle = WS_EX_TOPMOST | WS_EX_TOOLWINDOW;
    TToolTipJq *previous = HookedTip;
    bool installed = !HookHandle;
    if (installed)
        HookHandle = ::SetWindowsHookExA(WH_KEYBOARD, &KeyboardHook, 0, ::GetCurrentThreadId());
    HookedTip = this;
    try {
        Create();
    } catch (...) {
        HookedTip = previous;
        if (installed && HookHandle)
            ::UnhookWindowsHookEx(HookHandle);
        if (installed)
            HookHandle = 0;
        delete Font;
        throw;
    }
}

TToolTipJq::~TToolTipJq() {
    if (HWindow && TimerActive)
        KillTimer(TimerId);
    TimerActive = 0;
    if (HookedTip == this) {
        if (HookHandle)
            ::UnhookWindowsHookEx(HookHandle);
        HookHandle = 0;
        HookedTip = 0;
    }
    delete Font;
}

char const *TToolTipJq::GetClassNameA() { return "JqTooltip"; }

void TToolTipJq::GetWindowClass(WNDCLASSA &wc) {
    TWindow::GetWindowClass(wc);
    wc.hbrBackground = 0;
    wc.style |= CS_SAVEBITS;
}

void TToolTipJq::SetCaption(char const *text) {
    TWindow::SetCaption(text ? text : "");
    if (!text || !*text || !TipsEnabled) {
        if (HWindow)
            KillTimer(TimerId);
        TimerActive = 0;
        ShowWindow(SW_HIDE);
        LastHideTime = ::timeGetTime();
        return;
    }
    if (!HWindow)  // the frame destroyed the window before the object
        return;
    DWORD now = ::timeGetTime();
    {
        TClientDC dc(HWindow);
        dc.SelectObject(*Font);
        int length = int(std::strlen(text));
        TSize extent = dc.GetTextExtent(text, length < MaxChars ? length : MaxChars);
        TipWidth = extent.cx + 5;
        TipHeight = extent.cy + 2;
    }
    ShowWindow(SW_HIDE);
    bool quick = LastHideTime && now - LastHideTime < SameMomentMs;
    SetTimer(TimerId, quick ? QuickShowDelay : ShowDelay);
    TimerActive = 1;
    LastHideTime = 0;
}

void TToolTipJq::EvTimer(WPARAM) {
    if (!TimerActive)
        return;
    KillTimer(TimerId);
    TimerActive = 0;
    ShowNow();
}

LRESULT TToolTipJq::EvHideTip(WPARAM, LPARAM) {
    SetCaption(0);
    return 0;
}

void TToolTipJq::ShowNow() {
    if (::GetKeyState(VK_LBUTTON) < 0 || ::GetKeyState(VK_RBUTTON) < 0)
        return;
    if (TApplication *app = GetApplication())
        if (app->IsInMenuLoop() || app->GetProgressWindow())
            return;
    if (!GetWindowTextLengthA())
        return;
    POINT cursor;
    ::GetCursorPos(&cursor);
    TRect r = PlaceAt(TPoint(cursor.x, cursor.y),
                      TSize(::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)));
    SetWindowPos(0, r, SWP_NOZORDER | SWP_NOACTIVATE);
    ShowWindow(SW_SHOWNA);
    UpdateWindow();
}

TRect TToolTipJq::PlaceAt(TPoint const &cursor, TSize const &screen) const {
    TRect r(cursor.x - 2, cursor.y + 25, cursor.x - 2 + TipWidth, cursor.y + 25 + TipHeight);
    if (Style & Tip::Rounded)
        r.Inflate(1, 1);
    if (r.left < 0)
        r.Offset(2 - r.left, 0);
    else if (r.right > screen.cx)
        r.Offset(screen.cx - 2 - r.right, 0);
    if (r.bottom > screen.cy)
        r.Offset(0, -42);
    if (Style & Tip::Shadow) {
        r.right += 4;
        r.bottom += 4;
    }
    return r;
}

void TToolTipJq::Paint(TDC &dc, int, TRect &) {
    TRect body = GetClientRect();
    if (Style & Tip::Shadow) {
        TRect shadow(body.left + 5, body.top + 5, body.right, body.bottom);
        dc.SelectStockObject(NULL_PEN);
        dc.SelectObject(ShadowBrush());
        if (Style & Tip::Rounded)
            dc.RoundRect(shadow, TSize(5, 5));
        else
            dc.Rectangle(shadow);
        body.right -= 5;
        body.bottom -= 5;
    }
    TPen frame(TColor::SysWindowFrame);
    TBrush face(TColor(255, 255, 128));
    dc.SelectObject(frame);
    dc.SelectObject(face);
    if (Style & Tip::Rounded)
        dc.RoundRect(body, TSize(5, 5));
    else
        dc.Rectangle(body);
    char text[MaxChars + 1];
    int length = GetWindowTextA(text, sizeof text);
    dc.SelectObject(*Font);
    dc.SetTextColor(TColor::Black);
    dc.SetBkMode(TRANSPARENT);
    dc.DrawTextA(text, length, body, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    dc.RestoreFont();
    dc.RestoreBrush();
    dc.RestorePen();
}

// Any key stroke hides the tip. Nothing may unwind into the system from here: the hide
// runs in the tip's window procedure, which keeps a failure for the message loop.
LRESULT CALLBACK TToolTipJq::KeyboardHook(int code, WPARAM wp, LPARAM lp) {
    if (code >= 0 && HookedTip && HookedTip->HWindow)
        ::SendMessageA(HookedTip->HWindow, WM_HIDETIP, 0, 0);
    return ::CallNextHookEx(HookHandle, code, wp, lp);
}

DEFINE_RESPONSE_TABLE1(TToolTipJq, TWindow)
    EV_WM_TIMER,
    EV_MESSAGE(WM_HIDETIP, EvHideTip, I32_WPARAM_LPARAM),
END_RESPONSE_TABLE;
