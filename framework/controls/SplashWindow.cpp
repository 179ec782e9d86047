#include "SplashWindow.h"

#include "Application.h"
#include "Dc.h"
#include "Dib.h"
#include "GdiObject.h"

SplashWindow *SplashWindow::CurrentSplash = 0;
int SplashWindow::Waiting = 0;

SplashWindow::SplashWindow(int bitmapId, int capture)
    : TWindow((TWindow *)0, ""), Bitmap(0), Palette(0), StartTime(::GetTickCount()), TimerId(0), Capture(capture) {
    TModule *resources = TModule::_commonResourceDLL ? TModule::_commonResourceDLL : GetApplication();
    TDib dib(resources->GetHandle(), TResId(bitmapId));
    Palette = dib.NumColors() > 0 ? new TPalette(dib) : 0;  // a true-colour image has no table
    Bitmap = new TBitmap(dib, Palette);
    Attr.Style = WS_POPUP;
    Attr.ExStyle = WS_EX_TOPMOST;
    Attr.W = dib.Width();
    Attr.H = dib.Height();
    SetBkgndColor(TColor::Transparent);
    CurrentSplash = this;
    Create();
}

SplashWindow::~SplashWindow() {
    delete Palette;
    delete Bitmap;
    if (CurrentSplash == this)
        CurrentSplash = 0;
    Waiting = 0;  // a later splash waits afresh
}

void SplashWindow::SetupWindow() {
    TWindow::SetupWindow();
    TRect r = GetWindowRect();
    int x = (::GetSystemMetrics(SM_CXSCREEN) - r.Width()) / 2, y = (::GetSystemMetrics(SM_CYSCREEN) - r.Height()) / 2;
    SetWindowPos(0, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    if (Capture)
        SetCapture();
}

void SplashWindow::CleanupWindow() {
    if (TimerId)
        KillTimer(TimerId);
    TimerId = 0;
    if (Capture && ::GetCapture() == HWindow)
        ::ReleaseCapture();
    TWindow::CleanupWindow();
}

void SplashWindow::Paint(TDC &dc, int, TRect &) {
    if (Palette) {
        dc.SelectObject(*Palette);
        dc.RealizePalette();
    }
    TMemoryDC memory(dc);
    memory.SelectObject(*Bitmap);
    dc.BitBlt(0, 0, Attr.W, Attr.H, memory, 0, 0, SRCCOPY);
}

void SplashWindow::EvTimer(uint) {
    if (Waiting && GetApplication())
        GetApplication()->EndModal(0);
    if (TimerId)
        KillTimer(TimerId);
    TimerId = 0;
}

void SplashWindow::End(unsigned long minimum) {
    if (Waiting) {
        GetApplication()->EndModal(0);
        return;
    }
    unsigned long shown = ::GetTickCount() - StartTime;
    if (shown < minimum && GetApplication()) {
        if (!TimerId)
            TimerId = SetTimer(1, minimum - shown);
        Waiting = 1;
        GetApplication()->BeginModal(0, 0);
    }
    if (CurrentSplash == this)
        CurrentSplash = 0;
    ShutDownWindow();
}

DEFINE_RESPONSE_TABLE1(SplashWindow, TWindow)
    EV_WM_TIMER,
    EV_WM_LBUTTONDOWN,
    EV_WM_RBUTTONDOWN,
    EV_WM_KEYDOWN,
    EV_MESSAGE(WM_SYSKEYDOWN, EvSysKeyDown, v_U_U_U),
END_RESPONSE_TABLE;
