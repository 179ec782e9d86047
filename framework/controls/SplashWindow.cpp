#include "controls/SplashWindow.h"

#include "core/Application.h"
#include "core/Dc.h"
#include "core/Dib.h"
#include "controls/Gauge.h"
#include "core/GdiObject.h"
#include "controls/PictureWindow.h"
#include "controls/Static.h"
#include "controls/WindowUtilities.h"

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
    CenterWindow(*this, kCenterOnScreen);
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

void SplashWindow::EvTimer(WPARAM) {
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

// ---- TSplashWindow

namespace {
// Spans the parent's width, below the given sibling (or at the top), percent of its height tall.
void Place(TLayoutWindow &parent, TWindow &child, TWindow *above, int heightPercent) {
    TLayoutMetrics m;
    m.X = PixelConstraint(0, lmLeft, lmSameAs, lmLeft);
    m.Y = above ? PixelConstraint(above, lmTop, lmBelow, lmBottom) : PixelConstraint(0, lmTop, lmSameAs, lmTop);
    m.Width = PixelConstraint(0, lmWidth, lmSameAs, lmWidth);
    m.Height = PixelConstraint(0, lmHeight, lmPercentOf, lmHeight, heightPercent);
    parent.SetChildLayoutMetrics(child, m);
}
}  // namespace

TSplashWindow::TSplashWindow(TDib &dib, int width, int height, int style, unsigned timeOut, char const *title,
                             TModule *module)
    : TWindow((TWindow *)0, title, module), TLayoutWindow(0, title, module), Style(uint(style)), Static(0),
      Gauge(0), PictWindow(0), TimeOut(timeOut), Capturing(0) {
    Attr.Style = WS_POPUP | WS_VISIBLE | WS_BORDER;
    Attr.W = HasStyle(ShrinkToFit) ? dib.Width() : width;
    Attr.H = HasStyle(ShrinkToFit) ? dib.Height() : height;
    PictWindow = new TPictureWindow(this, new TDib(dib), TPictureWindow::UpperLeft, 0, module);
    PictWindow->Attr.Style |= WS_VISIBLE;
    int lines = HasStyle(MakeStatic) + HasStyle(MakeGauge);
    Place(*this, *PictWindow, 0, 100 - 10 * lines);
    TWindow *above = PictWindow;
    if (HasStyle(MakeStatic)) {
        Static = new TStatic(this, 1, "", 0, 0, 0, 0, 0, module);
        Static->Attr.Style |= SS_CENTER;
        Place(*this, *Static, above, 10);
        above = Static;
    }
    if (HasStyle(MakeGauge)) {
        Gauge = new TGauge(this, "%d%%", 2, 0, 0, 0, 0, 1, 1, module);
        Place(*this, *Gauge, above, 10);
    }
}

// The children are this window's and go with it.
TSplashWindow::~TSplashWindow() {}

void TSplashWindow::SetText(char const *text) {
    if (!HasStyle(MakeStatic))
        return;
    Static->SetText(text);
    if (GetApplication())
        GetApplication()->PumpWaitingMessages();
}

void TSplashWindow::SetPercentDone(int percent) {
    if (!HasStyle(MakeGauge))
        return;
    Gauge->SetValue(percent);
    if (GetApplication())
        GetApplication()->PumpWaitingMessages();
    if (percent >= 96 && TimeOut && GetHandle())
        SetTimer(1, TimeOut);
}

void TSplashWindow::SetupWindow() {
    // the children are made at the places their constraints give
    ClientSize = GetClientRect().Size();
    Layout();
    TLayoutWindow::SetupWindow();
    CenterWindow(*this, kCenterOnScreen);
    SetWindowPos(HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
    if (Gauge)
        Gauge->SetRange(0, 100);
    if (TimeOut)
        SetTimer(1, TimeOut);
    if (HasStyle(CaptureMouse)) {
        SetCapture();
        Capturing = 1;
        ::SetCursor(::LoadCursorA(0, IDC_ARROW));
    }
}

void TSplashWindow::CleanupWindow() {
    if (Capturing && ::GetCapture() == GetHandle())
        ::ReleaseCapture();
    Capturing = 0;
    if (TimeOut)
        KillTimer(1);
    TLayoutWindow::CleanupWindow();
}

// Work still under way keeps the splash up.
bool TSplashWindow::GaugeHolds() const { return Gauge && Gauge->GetValue() <= 94; }

void TSplashWindow::EvTimer(WPARAM) {
    if (!GaugeHolds())
        PostMessageA(WM_CLOSE);
}

void TSplashWindow::EvLButtonDown(uint, TPoint &) {
    if (HasStyle(CaptureMouse) && !GaugeHolds())
        PostMessageA(WM_CLOSE);
}

DEFINE_RESPONSE_TABLE1(TSplashWindow, TLayoutWindow)
    EV_WM_LBUTTONDOWN,
    EV_WM_TIMER,
END_RESPONSE_TABLE;
