#include "controls/SliderClassic.h"

#include "core/CommonControls.h"
#include "core/Dc.h"
#include "core/GdiObject.h"
#include "controls/SliderBasics.h"
#include "core/UIParts.h"

#include <commctrl.h>

#include <vector>

TNativeUse TSlider::ClassNativeUse = nuUsing;
TSize TSlider::MouseOffset;
TDC *TSlider::SlideDC = 0;

namespace {
void Fill(HDC dc, TRect const &r, COLORREF color) {
    HBRUSH brush = ::CreateSolidBrush(color);
    ::FillRect(dc, &r, brush);
    ::DeleteObject(brush);
}
}  // namespace

DEFINE_RESPONSE_TABLE1(TSlider, TScrollBar)
    YRT_ROW(WM_GETDLGCODE, 0, U_U, EvGetDlgCode),
    EV_WM_PAINT,
    EV_WM_LBUTTONDOWN,
    EV_WM_MOUSEMOVE,
    EV_WM_LBUTTONUP,
    EV_WM_LBUTTONDBLCLK,
    EV_WM_KEYDOWN,
    EV_WM_SETFOCUS,
    EV_WM_KILLFOCUS,
    EV_MESSAGE(WM_CAPTURECHANGED, EvCaptureChanged, v_LPARAM),
END_RESPONSE_TABLE;

TSlider::TSlider(TWindow *parent, int id, int x, int y, int w, int h, TResId thumbResId, TModule *module)
    : TScrollBar(parent, id, x, y, w, h, 1, module) {
    Init(thumbResId);
}

TSlider::TSlider(TWindow *parent, int resourceId, TResId thumbResId, TModule *module)
    : TScrollBar(parent, resourceId, module) {
    Init(thumbResId);
}

void TSlider::Init(TResId thumbResId) {
    Attr.Style |= WS_TABSTOP | TBS_ENABLESELRANGE;  // a trackbar keeps no selection without it
    Min = 0, Max = 100, Range = 100, Pos = 0;
    ThumbRgn = 0;
    ThumbResId = thumbResId;
    TicStep = 10, Snap = 1, Tics = 0, TicCount = 0;
    SelStart = SelEnd = 0;
    SlotThick = 4;
    Sliding = 0;
    SliderNativeUse = TCommCtrl::IsAvailable() ? ClassNativeUse : nuNever;
    ThumbBitmap = 0;
    HINSTANCE instance = GetModule() ? GetModule()->GetHandle() : 0;
    if (thumbResId != TResId() && instance && ::FindResourceA(instance, thumbResId, MAKEINTRESOURCEA(2)))
        ThumbBitmap = (HBITMAP)::LoadImageA(instance, thumbResId, IMAGE_BITMAP, 0, 0, LR_LOADMAP3DCOLORS);
    if (ThumbBitmap) {
        BITMAP info;
        ::GetObjectA(ThumbBitmap, sizeof info, &info);
        Thumb = TRect(0, 0, info.bmWidth / 2, info.bmHeight);
    } else {
        Thumb = TRect(0, 0, 11, 20);  // vertical sliders turn it
    }
}

TSlider::~TSlider() {
    delete ThumbRgn;
    delete[] Tics;
    if (ThumbBitmap)
        ::DeleteObject(ThumbBitmap);
    if (Sliding) {
        delete SlideDC;
        SlideDC = 0;
    }
}

int TSlider::IsNative() const { return SliderNativeUse > nuAvoid && TCommCtrl::IsAvailable(); }

char const *TSlider::GetClassNameA() { return IsNative() ? TRACKBAR_CLASSA : "Yrt_Slider"; }

void TSlider::GetWindowClass(WNDCLASSA &wc) {
    TScrollBar::GetWindowClass(wc);
    wc.hbrBackground = 0;  // transparent: the parent's colour is asked for when painting
    wc.style |= CS_DBLCLKS;
}

int TSlider::SnapPosition(int position) const {
    return SliderBasics::SnapToTicks(position, Min, Max, TicStep, Snap);
}

void TSlider::SetRange(int min, int max) {
    Min = min;
    Max = max;
    Range = max > min ? max - min : min - max;
    if (!Range)
        Range = 1;
    if (HWindow && IsNative())
        SendMessageA(TBM_SETRANGE, 1, MAKELONG(min, max));
}

void TSlider::GetRange(int &min, int &max) const {
    min = Min;
    max = Max;
}

int TSlider::GetPosition() const { return HWindow && IsNative() ? (int)SendMessageA(TBM_GETPOS) : Pos; }

void TSlider::SetPosition(int position, int redraw) {
    position = SnapPosition(position);
    if (HWindow && IsNative()) {
        SendMessageA(TBM_SETPOS, redraw, position);
    } else if (HWindow && position != Pos) {
        Pos = position;
        TClientDC dc(HWindow);
        SlideThumb(dc, position);
    }
    Pos = position;
}

void TSlider::SetRuler(int tickStep, int snap) {
    TicStep = tickStep;
    Snap = snap;
    delete[] Tics;
    Tics = 0;
    TicCount = 0;
    if (HWindow && IsNative())
        SendMessageA(TBM_SETTICFREQ, tickStep);
}

void TSlider::SetRuler(int const *ticks, int count, int snap) {
    Snap = snap;
    delete[] Tics;
    Tics = count > 0 ? new int[count] : 0;
    TicCount = 0;
    for (int i = 0; i < count; i++)
        if (ticks[i] >= Min && ticks[i] <= Max)
            Tics[TicCount++] = ticks[i];
    if (HWindow && IsNative()) {
        SendMessageA(TBM_CLEARTICS, 1);
        for (int i = 0; i < TicCount; i++)
            SendMessageA(TBM_SETTIC, 0, Tics[i]);
    }
}

void TSlider::SetSel(int start, int end, int redraw) {
    SelStart = start;
    SelEnd = end;
    if (HWindow && IsNative())
        SendMessageA(TBM_SETSEL, redraw, MAKELONG(start, end));
}

void TSlider::GetSel(int &start, int &end) {
    if (HWindow && IsNative()) {
        SelStart = (int)SendMessageA(TBM_GETSELSTART);
        SelEnd = (int)SendMessageA(TBM_GETSELEND);
    }
    start = SelStart;
    end = SelEnd;
}

void TSlider::SetupWindow() {
    TControl::SetupWindow();  // not TScrollBar's range of 0..100
    if (IsNative()) {
        SendMessageA(TBM_SETRANGE, 0, MAKELONG(Min, Max));
        if (Tics) {
            SendMessageA(TBM_CLEARTICS, 0);
            for (int i = 0; i < TicCount; i++)
                SendMessageA(TBM_SETTIC, 0, Tics[i]);
        } else {
            SendMessageA(TBM_SETTICFREQ, TicStep);
        }
        SendMessageA(TBM_SETSEL, 0, MAKELONG(SelStart, SelEnd));
        SendMessageA(TBM_SETPOS, 1, Pos);
        return;
    }
    Thumb = TRect(PosToPoint(Pos), Thumb.Size());
    SetupThumbRgn();
}

void TSlider::SetupThumbRgn() {
    if (!ThumbRgn)
        ThumbRgn = new TRegion(Thumb);
}

TColor TSlider::ParentBackground(TDC &dc) {
    HBRUSH brush = 0;
    if (HWND parent = GetParentH())
        brush = (HBRUSH)::SendMessageA(parent, WM_CTLCOLORSCROLLBAR, (WPARAM)(HDC)dc, (LPARAM)HWindow);
    LOGBRUSH info;
    if (brush && ::GetObjectA(brush, sizeof info, &info) && info.lbStyle == BS_SOLID)
        return TColor(info.lbColor);
    return TColor(::GetSysColor(COLOR_BTNFACE));
}

// The positions that get a tick: the custom ones, else every step from the minimum.
std::vector<int> TSlider::TicPositions() const {
    std::vector<int> positions;
    if (Tics)
        positions.assign(Tics, Tics + TicCount);
    else if (TicStep > 0)
        for (int pos = Min; pos <= Max; pos += TicStep)
            positions.push_back(pos);
    return positions;
}

// The parent's background over the client area, then the sunken slot.
void TSlider::PaintSlotRect(TDC &dc, TRect const &slot) {
    Fill(dc, GetClientRect(), ParentBackground(dc).GetValue());
    TUIBorder(slot, TUIBorder::TStyle(9), TUIBorder::Rect).Paint(dc);
}

void TSlider::DrawThumbImage(TDC &dc, int half) {
    if (!ThumbBitmap) {
        SliderBasics::PaintPlainThumb(dc, Thumb, half);
        return;
    }
    HDC mem = ::CreateCompatibleDC(dc);
    HGDIOBJ old = ::SelectObject(mem, ThumbBitmap);
    ::BitBlt(dc, Thumb.left, Thumb.top, Thumb.Width(), Thumb.Height(), mem, half * Thumb.Width(), 0, SRCCOPY);
    ::SelectObject(mem, old);
    ::DeleteDC(mem);
}

void TSlider::PaintThumb(TDC &dc) { DrawThumbImage(dc, Sliding || (HWindow && !IsWindowEnabled()) ? 1 : 0); }

void TSlider::SlideThumb(TDC &dc, int position) {
    TPoint corner = PosToPoint(position);
    if (corner == Thumb.TopLeft())
        return;
    Thumb = TRect(corner, Thumb.Size());
    delete ThumbRgn;
    ThumbRgn = 0;
    SetupThumbRgn();
    PaintSlot(dc);
    PaintRuler(dc);
    PaintThumb(dc);
}

void TSlider::EvPaint() {
    if (IsNative()) {
        DefaultProcessing();
        return;
    }
    TPaintDC dc(HWindow);
    TRect r(dc.Ps.rcPaint);
    Paint(dc, 0, r);
}

void TSlider::Paint(TDC &dc, int, TRect &) {
    PaintSlot(dc);
    PaintRuler(dc);
    PaintThumb(dc);
}

uint TSlider::EvGetDlgCode(uint) { return IsNative() ? (uint)DefaultProcessing() : DLGC_WANTARROWS; }

void TSlider::EvLButtonDown(uint, TPoint &point) {
    if (IsNative()) {
        DefaultProcessing();
        return;
    }
    SetFocus();
    TPoint p = point;
    int code = HitTest(p);
    if (code >= 0 && code <= 3) {
        NotifyParent(code, 0);
    } else if (code == 4) {
        NotifyParent(SB_THUMBPOSITION, SnapPosition(PointToPos(p)));
    } else if (code == 5) {
        SetCapture();
        Sliding = 1;
        delete SlideDC;
        SlideDC = new TClientDC(HWindow);
        PaintThumb(*SlideDC);
        MouseOffset = TSize(point.x - Thumb.left, point.y - Thumb.top);
        int pos = SnapPosition(PointToPos(TPoint(point.x - MouseOffset.cx, point.y - MouseOffset.cy)));
        NotifyParent(9, pos);
        NotifyParent(SB_THUMBTRACK, pos);
    }
}

void TSlider::EvMouseMove(uint modKeys, TPoint &point) {
    if (IsNative()) {
        DefaultProcessing();
        return;
    }
    if (!Sliding)
        return;
    if (!(modKeys & MK_LBUTTON)) {
        EndDrag(point);
        return;
    }
    NotifyParent(SB_THUMBTRACK, SnapPosition(PointToPos(TPoint(point.x - MouseOffset.cx, point.y - MouseOffset.cy))));
}

void TSlider::EvLButtonUp(uint, TPoint &point) {
    if (IsNative()) {
        DefaultProcessing();
        return;
    }
    if (Sliding)
        EndDrag(point);
}

void TSlider::EndDrag(TPoint const &point) {
    int pos = SnapPosition(PointToPos(TPoint(point.x - MouseOffset.cx, point.y - MouseOffset.cy)));
    Sliding = 0;
    if (SlideDC) {
        PaintThumb(*SlideDC);
        delete SlideDC;
        SlideDC = 0;
    }
    if (::GetCapture() == HWindow)
        ReleaseCapture();
    NotifyParent(SB_THUMBPOSITION, pos);
    NotifyParent(SB_ENDSCROLL, pos);
}

// A drag that loses the mouse ends where the thumb stands and gives its drawing context back.
void TSlider::EvCaptureChanged(LPARAM newCapture) {
    if (IsNative())
        DefaultProcessing();
    else if (Sliding && HWND(newCapture) != HWindow)
        EndDrag(TPoint(Thumb.left + MouseOffset.cx, Thumb.top + MouseOffset.cy));
}

void TSlider::CleanupWindow() {
    if (Sliding) {
        Sliding = 0;
        delete SlideDC;
        SlideDC = 0;
    }
    TScrollBar::CleanupWindow();
}

void TSlider::EvLButtonDblClk(uint modKeys, TPoint &point) {
    if (IsNative())
        DefaultProcessing();
    else
        EvLButtonDown(modKeys, point);
}

void TSlider::EvKeyDown(uint key, uint repeatCount, uint) {
    if (IsNative()) {
        DefaultProcessing();
        return;
    }
    int code;
    switch (key) {
    case VK_PRIOR: code = SB_PAGEUP; break;
    case VK_NEXT: code = SB_PAGEDOWN; break;
    case VK_END: code = SB_BOTTOM; break;
    case VK_HOME: code = SB_TOP; break;
    case VK_LEFT:
    case VK_UP: code = SB_LINEUP; break;
    case VK_RIGHT:
    case VK_DOWN: code = SB_LINEDOWN; break;
    default: return;
    }
    for (uint i = 0; i < (repeatCount ? repeatCount : 1); i++)
        NotifyParent(code, Pos);
    NotifyParent(SB_ENDSCROLL, Pos);
}

void TSlider::EvSetFocus(WPARAM) {
    if (IsNative()) {
        DefaultProcessing();
        return;
    }
    TClientDC dc(HWindow);
    THatch8x8Brush dots(THatch8x8Brush::Hatch11F1, TColor::Black, TColor::White);
    TRect r = GetClientRect();
    ::FrameRect(dc, &r, (HBRUSH)dots.GetHandle());
}

void TSlider::EvKillFocus(WPARAM got) {
    if (IsNative()) {
        DefaultProcessing();
        return;
    }
    TClientDC dc(HWindow);
    TRect r = GetClientRect();
    ::FrameRect(dc, &r, ::GetSysColorBrush(COLOR_BTNFACE));
    TWindow::EvKillFocus(got);
}

// ---- THSlider

THSlider::THSlider(TWindow *parent, int id, int x, int y, int w, int h, TResId thumbResId, TModule *module)
    : TSlider(parent, id, x, y, w, h ? h : 32, thumbResId, module) {}

THSlider::THSlider(TWindow *parent, int resourceId, TResId thumbResId, TModule *module)
    : TSlider(parent, resourceId, thumbResId, module) {}

int THSlider::PointToPos(TPoint const &p) {
    int room = GetClientRect().Width() - Thumb.Width() - 2;
    return room > 0 ? Range * (p.x - 1) / room + Min : Min;
}

TPoint THSlider::PosToPoint(int position) {
    int room = GetClientRect().Width() - Thumb.Width() - 2;
    return TPoint((position - Min) * room / Range + 1, 1);
}

void THSlider::NotifyParent(int code, int position) {
    SliderBasics::NotifyScroll(*this, WM_HSCROLL, code, position);
}

int THSlider::HitTest(TPoint &p) {
    if (SliderBasics::InThumb(ThumbRgn, Thumb, p))
        return 5;
    if (p.y >= Thumb.bottom)
        return 4;
    if (p.y < Thumb.top)
        return -1;
    return p.x < Thumb.left ? 2 : 3;
}

void THSlider::PaintSlot(TDC &dc) {
    int half = Thumb.Width() / 2 + 1, middle = Thumb.top + Thumb.Height() / 2;
    PaintSlotRect(dc, TRect(half, middle - SlotThick / 2, GetClientRect().Width() - half,
                            middle - SlotThick / 2 + SlotThick));
}

void THSlider::PaintRuler(TDC &dc) {
    COLORREF text = ::GetSysColor(COLOR_BTNTEXT);
    int top = Thumb.Height() + 2, half = Thumb.Width() / 2;
    for (int pos : TicPositions())
        Fill(dc, TRect(PosToPoint(pos).x + half, top, PosToPoint(pos).x + half + 1, top + 5), text);
}

// ---- TVSlider

TVSlider::TVSlider(TWindow *parent, int id, int x, int y, int w, int h, TResId thumbResId, TModule *module)
    : TSlider(parent, id, x, y, w ? w : 32, h, thumbResId, module) {
    Attr.Style |= TBS_VERT;
    if (!ThumbBitmap)
        Thumb = TRect(0, 0, 20, 11);
}

TVSlider::TVSlider(TWindow *parent, int resourceId, TResId thumbResId, TModule *module)
    : TSlider(parent, resourceId, thumbResId, module) {
    if (!ThumbBitmap)
        Thumb = TRect(0, 0, 20, 11);
}

int TVSlider::PointToPos(TPoint const &p) {
    int room = GetClientRect().Height() - Thumb.Height() - 2;
    return room > 0 ? Range * (p.y - 1) / room + Min : Min;
}

TPoint TVSlider::PosToPoint(int position) {
    TRect client = GetClientRect();
    int room = client.Height() - Thumb.Height() - 2;
    return TPoint((client.Width() - Thumb.Width() - 2) / 2 + 1, (position - Min) * room / Range + 1);
}

void TVSlider::NotifyParent(int code, int position) {
    SliderBasics::NotifyScroll(*this, WM_VSCROLL, code, position);
}

int TVSlider::HitTest(TPoint &p) {
    if (SliderBasics::InThumb(ThumbRgn, Thumb, p))
        return 5;
    if (p.x < Thumb.left || p.x >= Thumb.right)
        return 4;
    if (p.y < Thumb.top)
        return 2;
    if (p.y >= Thumb.bottom)
        return 3;
    return -1;
}

void TVSlider::PaintSlot(TDC &dc) {
    int half = Thumb.Height() / 2 + 1, middle = Thumb.left + Thumb.Width() / 2;
    PaintSlotRect(dc, TRect(middle - SlotThick / 2, half, middle - SlotThick / 2 + SlotThick,
                            GetClientRect().Height() - half));
}

void TVSlider::PaintRuler(TDC &dc) {
    COLORREF text = ::GetSysColor(COLOR_BTNTEXT);
    int left = Thumb.right + 2, half = Thumb.Height() / 2;
    for (int pos : TicPositions())
        Fill(dc, TRect(left, PosToPoint(pos).y + half, left + 5, PosToPoint(pos).y + half + 1), text);
}
