#include "engine/VuMeter.h"

#include "core/Dc.h"
#include "core/Module.h"
#include "engine/AudioState.h"

#include <mmsystem.h>

namespace {

// The rows of the two bars.
int const kRowTop[2] = {7, 36};
enum { kRowHeight = 12 };

COLORREF const kGreen = RGB(0, 255, 0), kYellow = RGB(255, 255, 0), kRed = RGB(255, 0, 0);

void Fill(HDC dc, MeterSpan span, int top, COLORREF colour) {
    if (span.IsEmpty())
        return;
    RECT r = {span.from, top, span.to, top + kRowHeight};
    SetBkColor(dc, colour);
    ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &r, nullptr, 0, nullptr);
}

}  // namespace

DEFINE_RESPONSE_TABLE1(VuMeter, TControl)
    EV_WM_ERASEBKGND,
END_RESPONSE_TABLE;

VuMeter::VuMeter(TWindow *parent, TModule *module) : TWindow(parent, 0, module), TControl(parent, kControlId, module) {}

VuMeter::~VuMeter() {
    if (scale_)
        DeleteObject(scale_);
}

void VuMeter::SetupWindow() {
    TControl::SetupWindow();
    ClearFlag(wfPredefinedClass);  // painted here, not by the system's static class
    HINSTANCE instance = GetModule() ? GetModule()->GetHandle() : nullptr;
    scale_ = LoadBitmapA(instance, MAKEINTRESOURCEA(kScalePicture));
    BITMAP picture = {};
    if (scale_ && GetObjectA(scale_, sizeof picture, &picture))
        SetWindowPos(nullptr, 0, 0, picture.bmWidth, picture.bmHeight, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void VuMeter::CleanupWindow() {
    if (scale_)
        DeleteObject(scale_);
    scale_ = nullptr;
    TControl::CleanupWindow();
}

void VuMeter::Update(bool active) {
    WaveRecorder const &recorder = TheWaveRecorder();
    DWORD now = timeGetTime();
    for (int c = 0; c < 2; ++c) {
        bool shown = active && recorder.IsOpen() && c < recorder.GetInputPattern().GetNumChannels();
        positions_[c] = MeterPosition(shown ? recorder.GetLevel(c) : 0);
        holds_[c].Update(positions_[c] + 2, now);
    }
    InvalidateRows();
    if (GetHandle())
        UpdateWindow();
}

void VuMeter::Clear() {
    for (int c = 0; c < 2; ++c) {
        positions_[c] = -1;
        holds_[c].Clear();
    }
    InvalidateRows();
}

void VuMeter::InvalidateRows() {
    if (!GetHandle())
        return;
    for (int top : kRowTop)
        InvalidateRect(TRect(0, top, GetClientRect().right, top + kRowHeight), false);
}

int VuMeter::EvEraseBkgnd(WPARAM) { return 1; }

// Put together off the screen, so that a bar never shows the bare scale for a moment.
void VuMeter::Paint(TDC &dc, int, TRect &) {
    TRect client = GetClientRect();
    HDC screen = dc.GetHDC();
    HDC scale = CreateCompatibleDC(screen);
    HDC canvas = CreateCompatibleDC(screen);
    HBITMAP picture = CreateCompatibleBitmap(screen, client.Width(), client.Height());
    HGDIOBJ oldScale = SelectObject(scale, scale_);
    HGDIOBJ oldCanvas = SelectObject(canvas, picture);
    BitBlt(canvas, 0, 0, client.Width(), client.Height(), scale, 0, 0, SRCCOPY);
    for (int c = 0; c < 2; ++c)
        DrawRow(canvas, c, scale);
    DrawEdge(canvas, &client, BDR_SUNKENOUTER, BF_RECT);
    BitBlt(screen, 0, 0, client.Width(), client.Height(), canvas, 0, 0, SRCCOPY);
    SelectObject(canvas, oldCanvas);
    SelectObject(scale, oldScale);
    DeleteObject(picture);
    DeleteDC(canvas);
    DeleteDC(scale);
}

void VuMeter::DrawRow(HDC dc, int channel, HDC scale) const {
    int top = kRowTop[channel];
    MeterBar bar = MeterBarOf(positions_[channel]);
    Fill(dc, bar.green, top, kGreen);
    Fill(dc, bar.yellow, top, kYellow);
    Fill(dc, bar.red, top, kRed);
    if (!bar.scale.IsEmpty())
        BitBlt(dc, bar.scale.from, top, bar.scale.to - bar.scale.from, kRowHeight, scale, bar.scale.from, top, SRCCOPY);
    PeakHold const &hold = holds_[channel];
    Fill(dc, hold.Mark(), top, hold.IsRed() ? kRed : kYellow);
}
