#include "controls/Slider.h"

#include "core/Dc.h"
#include "core/Dib.h"
#include "core/GdiObject.h"
#include "controls/SliderBasics.h"

#include <cmath>

TSize Slider::MouseOffset;

namespace {
void Fill(HDC dc, TRect const &r, int colorIndex) { ::FillRect(dc, &r, ::GetSysColorBrush(colorIndex)); }

void Fill(HDC dc, int x, int y, int w, int h, int colorIndex) { Fill(dc, TRect(x, y, x + w, y + h), colorIndex); }

int Round(double v) { return int(std::floor(v + 0.5)); }
}  // namespace

DEFINE_RESPONSE_TABLE1(Slider, TScrollBar)
    EV_WM_SIZE,
    YRT_ROW(WM_GETDLGCODE, 0, U_U, EvGetDlgCode),
    EV_WM_ERASEBKGND,
    EV_WM_PAINT,
    EV_WM_LBUTTONDOWN,
    EV_WM_MOUSEMOVE,
    EV_WM_LBUTTONUP,
    EV_WM_LBUTTONDBLCLK,
    EV_WM_KEYDOWN,
    EV_WM_SETFOCUS,
    EV_WM_KILLFOCUS,
    EV_WM_TIMER,
    EV_MESSAGE(WM_ENABLE, EvEnable, v_B),
    EV_MESSAGE(WM_CAPTURECHANGED, EvCaptureChanged, v_LPARAM),
END_RESPONSE_TABLE;

Slider::Slider(TWindow *parent, int id, int x, int y, int w, int h, int thumbBitmapId, TModule *module)
    : TScrollBar(parent, id, x, y, w, h, 1, module), BaseOffset(0), MinPos(0), MaxPos(100), Range(100), Pos(0),
      Thumb(0, 0, 9, 20), ThumbRgn(0), ThumbBitmapId(thumbBitmapId), ThumbDib(0), KeyboardOff(0), SlotStyle(0),
      SlotThickness(17), StartMargin(3), EndMargin(3), TickStep(10), Snap(1), TickPercent(50), PlusMinus(0),
      PlusMinusDistance(0), HeldCode(0), HeldTimer(0), Dragging(0), TrackClicked(0), ForceRedraw(0),
      Background(TColor::Sys3dFace) {
    Attr.Style = WS_CHILD | WS_VISIBLE | WS_TABSTOP;
    TModule *source = module ? module : TModule::_commonResourceDLL;
    HINSTANCE instance = source ? source->GetHandle() : 0;
    if (instance && thumbBitmapId &&
        ::FindResourceA(instance, MAKEINTRESOURCEA(thumbBitmapId), MAKEINTRESOURCEA(2) /* RT_BITMAP */)) {
        ThumbDib = new TDib(instance, TResId(thumbBitmapId));
        ThumbDib->MapUIColors(15);
        Thumb = TRect(0, 0, ThumbDib->Width() / 3, ThumbDib->Height());
    }
    SetCaretSize(Thumb.Width() - 4, 1);
    PageMagnitude = 5;
}

Slider::~Slider() {
    delete ThumbRgn;
    delete ThumbDib;
}

char const *Slider::GetClassNameA() { return "SCROLLBAR"; }

void Slider::SetRange(int min, int max) {
    BaseOffset = min;
    MinPos = 0;
    MaxPos = max - min;
    Range = max == min ? 1 : max - min;
    PageMagnitude = Range / 20 > 0 ? Range / 20 : 1;
    if (Pos > MaxPos)
        Pos = MaxPos;
}

void Slider::GetRange(int &low, int &high) const {
    low = MinPos;
    high = MaxPos;
}

int Slider::SnapPosition(int position) const {
    return SliderBasics::SnapToTicks(position, MinPos, MaxPos, TickStep, Snap);
}

void Slider::SetPosition(int position) {
    position = SnapPosition(position);
    if (position == Pos && !ForceRedraw)
        return;
    if (HWindow) {
        TClientDC dc(HWindow);
        SlideThumb(dc, position);
    }
    Pos = position;
    ForceRedraw = 0;
}

void Slider::SetRuler(int tickStep, int snap, int, int tickPercent) {
    TickStep = tickStep;
    Snap = snap;
    TickPercent = tickPercent;
}

void Slider::SetSlotStyle(int style, int thickness, int startMargin, int endMargin) {
    SlotStyle = style;
    SlotThickness = thickness;
    StartMargin = startMargin;
    EndMargin = endMargin;
}

void Slider::SetPlusMinus(int show, int distance) {
    PlusMinus = show;
    PlusMinusDistance = distance;
}

void Slider::SetCaretSize(int w, int h) {
    int left = (Thumb.Width() - w) / 2, top = (Thumb.Height() - h) / 2;
    Caret = TRect(left, top, left + w, top + h);
}

void Slider::SendCommand(uint code) {
    if (code <= SB_PAGEDOWN || code == SB_TOP || code == SB_BOTTOM)
        NotifyParent(int(code), 0);
}

int Slider::Length() const {
    TRect r = GetClientRect();
    return dynamic_cast<VerticalSlider const *>(this) ? r.Height() : r.Width();
}

int Slider::ThumbLength() const {
    return dynamic_cast<VerticalSlider const *>(this) ? Thumb.Height() : Thumb.Width();
}

int Slider::Span() const { return Length() - ThumbLength() - StartMargin - EndMargin; }

// Centres the thumb across the slider and puts it at the position.
void Slider::PlaceThumb() {
    TRect r = GetClientRect();
    int w = Thumb.Width(), h = Thumb.Height();
    if (dynamic_cast<VerticalSlider *>(this))
        Thumb = TRect(TPoint((r.Width() - w + 1) / 2, 0), TSize(w, h));
    else
        Thumb = TRect(TPoint(0, (r.Height() - h + 1) / 2), TSize(w, h));
    TPoint corner = PosToPoint(Pos);
    Thumb = TRect(corner, TSize(w, h));
    delete ThumbRgn;
    ThumbRgn = 0;
    SetupThumbRgn();
}

void Slider::SetupThumbRgn() {
    if (!ThumbRgn)
        ThumbRgn = new TRegion(Thumb);
}

void Slider::SetupWindow() {
    TControl::SetupWindow();  // not TScrollBar's: its range belongs to the control
    PlaceThumb();
    ForceRedraw = 1;
    SetPosition(Pos);
}

void Slider::EvSize(uint, TSize &) {
    PlaceThumb();
    Invalidate(false);
}

uint Slider::EvGetDlgCode(uint) { return DLGC_WANTARROWS; }

// The system's scroll bar would draw its own look here: the disabled thumb is ours.
void Slider::EvEnable(int) { Invalidate(false); }

int Slider::EvEraseBkgnd(WPARAM) { return 1; }

void Slider::EvPaint() {
    TPaintDC dc(HWindow);
    TRect r(dc.Ps.rcPaint);
    Paint(dc, 0, r);
}

void Slider::Paint(TDC &dc, int, TRect &) {
    bool caret = HWindow && ::GetFocus() == HWindow && !KeyboardOff;
    if (caret)
        HideCaret();
    PaintSlot(dc);
    PaintThumb(dc);
    if (caret)
        ShowCaret();
}

void Slider::PaintThumb(TDC &dc) {
    if (!ThumbDib) {
        SliderBasics::PaintPlainThumb(dc, Thumb, Dragging);
        return;
    }
    int image = HWindow && !IsWindowEnabled() ? 2 : Dragging ? 1 : 0;
    int w = Thumb.Width(), h = Thumb.Height();
    HDC mem = ::CreateCompatibleDC(dc);
    HBITMAP bitmap = ::CreateCompatibleBitmap(dc, ThumbDib->Width(), h);
    HGDIOBJ old = ::SelectObject(mem, bitmap);
    ::SetDIBitsToDevice(mem, 0, 0, ThumbDib->Width(), h, 0, 0, 0, h, ThumbDib->GetBits(), ThumbDib->GetInfo(),
                        DIB_RGB_COLORS);
    ::BitBlt(dc, Thumb.left, Thumb.top, w, h, mem, image * w, 0, SRCCOPY);
    ::SelectObject(mem, old);
    ::DeleteObject(bitmap);
    ::DeleteDC(mem);
}

void Slider::SlideThumb(TDC &dc, int position) {
    TPoint corner = PosToPoint(position);
    if (corner == Thumb.TopLeft() && !ForceRedraw)
        return;
    bool caret = ::GetFocus() == HWindow && !KeyboardOff;
    if (caret)
        HideCaret();
    if (HWND parent = GetParentH()) {
        ::SendMessageA(parent, WM_CTLCOLORSCROLLBAR, (WPARAM)(HDC)dc, (LPARAM)HWindow);
        Background = TColor(::GetBkColor(dc));
    }
    Thumb = TRect(corner, Thumb.Size());
    delete ThumbRgn;
    ThumbRgn = 0;
    SetupThumbRgn();
    PaintSlot(dc);
    PaintThumb(dc);
    if (caret) {
        ::SetCaretPos(Thumb.left + Caret.left, Thumb.top + Caret.top);
        ShowCaret();
    }
}

// The slot centred across the client area between the thumb's end positions, then its marks.
void Slider::PaintSlotAcross(TDC &dc, int horizontal) {
    TRect client = GetClientRect();
    Fill(dc, client, COLOR_BTNFACE);
    int half = ThumbLength() / 2;
    int across = ((horizontal ? client.Height() : client.Width()) - SlotThickness) / 2;
    TRect slot = horizontal
                     ? TRect(StartMargin + half, across, client.Width() - EndMargin - half, across + SlotThickness)
                     : TRect(across, StartMargin + half, across + SlotThickness, client.Height() - EndMargin - half);
    if (SlotStyle & 3) {
        if (SlotStyle & 2)
            ::FrameRect(dc, &slot, ::GetSysColorBrush(COLOR_WINDOWFRAME));
        Fill(dc, slot.left, slot.top, slot.Width(), 1, COLOR_BTNSHADOW);
        Fill(dc, slot.left, slot.top, 1, slot.Height(), COLOR_BTNSHADOW);
        Fill(dc, slot.left, slot.bottom, slot.Width() + 1, 1, COLOR_BTNHIGHLIGHT);
        Fill(dc, slot.right, slot.top, 1, slot.Height() + 1, COLOR_BTNHIGHLIGHT);
    }
    if (SlotStyle & 4)
        ::FrameRect(dc, &client, ::GetSysColorBrush(COLOR_WINDOWFRAME));
    PaintMarksAndRuler(dc, slot, horizontal);
}

// Ticks and plus/minus marks beside a horizontal slot (the vertical one swaps axes).
void Slider::PaintMarksAndRuler(TDC &dc, TRect const &slot, int horizontal) {
    TRect client = GetClientRect();
    int across = horizontal ? client.Height() : client.Width();
    int free = (across - SlotThickness) / 2;
    int t = TickPercent * free / 100;
    if (TickStep > 0 && t > 0) {
        int ticks[2] = {0, 0};
        for (int p = MinPos;; p += TickStep) {
            if (p > MaxPos)
                p = MaxPos;
            TPoint at = PosToPoint(p);
            int along = (horizontal ? at.x : at.y) + ThumbLength() / 2;
            ticks[0] = horizontal ? slot.top - t / 2 - t : slot.left - t / 2 - t;
            ticks[1] = horizontal ? slot.bottom + t / 2 : slot.right + t / 2;
            for (int side = 0; side < 2; side++) {
                if (horizontal) {
                    Fill(dc, along, ticks[side], 1, t, COLOR_BTNTEXT);
                    Fill(dc, along + 1, ticks[side], 1, t, COLOR_BTNHIGHLIGHT);
                } else {
                    Fill(dc, ticks[side], along, t, 1, COLOR_BTNTEXT);
                    Fill(dc, ticks[side], along + 1, t, 1, COLOR_BTNHIGHLIGHT);
                }
            }
            if (p >= MaxPos)
                break;
        }
    }
    if (PlusMinus) {
        int d = PlusMinusDistance, mid = horizontal ? (slot.top + slot.bottom) / 2 : (slot.left + slot.right) / 2;
        for (int end = 0; end < 2; end++) {
            // 3 wide, 6 high, apex outward
            for (int i = 0; i < 3; i++) {
                int reach = 3 - i;
                if (horizontal) {
                    int x = end ? slot.right + d + i : slot.left - d - i - 1;
                    Fill(dc, x, mid - reach, 1, 2 * reach, COLOR_BTNTEXT);
                } else {
                    int y = end ? slot.bottom + d + i : slot.top - d - i - 1;
                    Fill(dc, mid - reach, y, 2 * reach, 1, COLOR_BTNTEXT);
                }
            }
        }
    }
}

void Slider::EndHeld() {
    if (HeldTimer) {
        KillTimer(1);
        KillTimer(2);
        HeldTimer = 0;
    }
    HeldCode = 0;
    if (::GetCapture() == HWindow)
        ReleaseCapture();
}

void Slider::EvLButtonDown(uint, TPoint &point) {
    if (::GetFocus() != HWindow)
        SetFocus();
    TPoint p = point;
    int code = HitTest(p);
    switch (code) {
    case 0:
    case 1:
        SetCapture();
        HeldTimer = SetTimer(1, ::GetProfileIntA("Windows", "KeyboardDelay", 2) * 3 + 250);
        HeldCode = 100 + code;
        NotifyParent(code, 0);
        break;
    case 2:
    case 3:
        NotifyParent(code, 0);
        break;
    case 4:
        TrackClicked = 1;
        NotifyParent(SB_THUMBPOSITION, SnapPosition(PointToPos(p)));
        break;
    case 5: {
        TrackClicked = 0;
        SetCapture();
        if (::GetFocus() == HWindow && !KeyboardOff)
            HideCaret();
        Dragging = 1;
        {
            TClientDC dc(HWindow);
            PaintThumb(dc);
        }
        MouseOffset = TSize(point.x - Thumb.left, point.y - Thumb.top);
        TPoint corner(point.x - MouseOffset.cx, point.y - MouseOffset.cy);
        int pos = SnapPosition(PointToPos(corner));
        NotifyParent(SB_BEGINDRAG, pos);
        NotifyParent(SB_THUMBTRACK, pos);
        break;
    }
    }
}

void Slider::EvMouseMove(uint modKeys, TPoint &point) {
    if (HeldCode) {
        if (!(modKeys & MK_LBUTTON))
            EvLButtonUp(modKeys, point);
        return;
    }
    if (Dragging) {
        if (!(modKeys & MK_LBUTTON))
            return;
        TPoint corner(point.x - MouseOffset.cx, point.y - MouseOffset.cy);
        int pos = SnapPosition(PointToPos(corner));
        if (pos != Pos)
            NotifyParent(SB_THUMBTRACK, pos);  // the parent moves the thumb
    } else if (TrackClicked && (modKeys & MK_LBUTTON)) {
        EvLButtonDown(modKeys, point);
    }
}

void Slider::EvLButtonUp(uint, TPoint &point) {
    int pos = Pos;
    TrackClicked = 0;
    if (HeldCode) {
        EndHeld();
    } else if (Dragging) {
        TPoint corner(point.x - MouseOffset.cx, point.y - MouseOffset.cy);
        pos = SnapPosition(PointToPos(corner));
        NotifyParent(SB_THUMBPOSITION, pos);
        Dragging = 0;
        if (HWindow) {
            TClientDC dc(HWindow);
            if (ThumbRgn)
                ::SelectClipRgn(dc, *ThumbRgn);
            PaintThumb(dc);
        }
        if (::GetCapture() == HWindow)
            ReleaseCapture();
        if (::GetFocus() == HWindow && !KeyboardOff)
            ShowCaret();
    }
    NotifyParent(SB_ENDSCROLL, pos);
}

// Losing the mouse (a box opened, the control was disabled) ends a held end zone or a drag
// as a release where the thumb stands, so the repeat timer stops and the parent hears the end.
void Slider::EvCaptureChanged(LPARAM newCapture) {
    if ((!HeldCode && !Dragging) || HWND(newCapture) == HWindow)
        return;
    TPoint at(Thumb.left + MouseOffset.cx, Thumb.top + MouseOffset.cy);
    EvLButtonUp(0, at);
}

void Slider::CleanupWindow() {
    EndHeld();
    Dragging = TrackClicked = 0;
    TScrollBar::CleanupWindow();
}

void Slider::EvLButtonDblClk(uint modKeys, TPoint &point) {
    TPoint p = point;
    int code = HitTest(p);
    if (code == 0 || code == 1)
        EvLButtonDown(modKeys, point);
}

void Slider::EvTimer(WPARAM id) {
    if (!HeldCode)
        return;
    if (id == 1) {
        KillTimer(1);
        HeldTimer = SetTimer(2, 500 - ::GetProfileIntA("Windows", "KeyboardSpeed", 31) * 15);
        return;
    }
    NotifyParent(HeldCode - 100, 0);
}

void Slider::EvKeyDown(uint key, uint repeatCount, uint flags) {
    int code = -1;
    if (!KeyboardOff) {
        switch (key) {
        case VK_PRIOR: code = SB_PAGEDOWN; break;
        case VK_NEXT: code = SB_PAGEUP; break;
        case VK_END: code = SB_TOP; break;
        case VK_HOME: code = SB_BOTTOM; break;
        case VK_LEFT: code = SB_LINEUP; break;
        case VK_UP: code = SB_LINEDOWN; break;
        case VK_RIGHT: code = SB_LINEDOWN; break;
        case VK_DOWN: code = SB_LINEUP; break;
        }
    }
    if (code < 0) {
        if (HWND parent = GetParentH())
            ::SendMessageA(parent, WM_KEYDOWN, key, MAKELPARAM(repeatCount, flags));
        return;
    }
    for (uint i = 0; i < (repeatCount ? repeatCount : 1); i++)
        NotifyParent(code, Pos);
    NotifyParent(SB_ENDSCROLL, Pos);
}

void Slider::EvSetFocus(WPARAM) {
    if (KeyboardOff)
        return;
    CreateCaret(0, Caret.Width(), Caret.Height());
    ::SetCaretPos(Thumb.left + Caret.left, Thumb.top + Caret.top);
    ShowCaret();
}

void Slider::EvKillFocus(WPARAM got) {
    if (!KeyboardOff) {
        HideCaret();
        ::DestroyCaret();
    }
    TWindow::EvKillFocus(got);
}

// ---- HorizontalSlider

HorizontalSlider::HorizontalSlider(TWindow *parent, int id, int x, int y, int w, int h, int thumbBitmapId,
                                   TModule *module)
    : Slider(parent, id, x, y, w, h, thumbBitmapId, module) {}

int HorizontalSlider::PointToPos(TPoint &p) {
    int span = Span();
    if (span <= 0)
        return MinPos;
    int x = p.x < StartMargin ? StartMargin : p.x > StartMargin + span ? StartMargin + span : p.x;
    return MinPos + Round(double(x - StartMargin) * Range / span);
}

TPoint HorizontalSlider::PosToPoint(int position) {
    int span = Span();
    return TPoint(StartMargin + (span > 0 ? Round(double(position - MinPos) * span / Range) : 0), Thumb.top);
}

void HorizontalSlider::NotifyParent(int code, int position) {
    SliderBasics::NotifyScroll(*this, WM_HSCROLL, code, position);
}

int HorizontalSlider::HitTest(TPoint &p) {
    if (SliderBasics::InThumb(ThumbRgn, Thumb, p))
        return 5;
    int half = Thumb.Width() / 2, width = GetClientRect().Width();
    if (p.x < StartMargin + half)
        return 0;
    if (p.x >= width - EndMargin - half)
        return 1;
    p.x -= half;
    return 4;
}

void HorizontalSlider::PaintSlot(TDC &dc) { PaintSlotAcross(dc, 1); }

// ---- VerticalSlider

VerticalSlider::VerticalSlider(TWindow *parent, int id, int x, int y, int w, int h, int thumbBitmapId,
                               TModule *module)
    : Slider(parent, id, x, y, w, h, thumbBitmapId, module) {
    Attr.Style |= SBS_VERT;
    // the pictures of vertical sliders lie across the slot
    if (!ThumbDib)
        Thumb = TRect(0, 0, 20, 9);
    SetCaretSize(Thumb.Width() - 4, 1);
}

int VerticalSlider::PointToPos(TPoint &p) {
    int span = Span();
    if (span <= 0)
        return MaxPos;
    int y = p.y < StartMargin ? StartMargin : p.y > StartMargin + span ? StartMargin + span : p.y;
    return MaxPos - Round(double(y - StartMargin) * Range / span);
}

TPoint VerticalSlider::PosToPoint(int position) {
    int span = Span();
    return TPoint(Thumb.left, StartMargin + (span > 0 ? Round(double(MaxPos - position) * span / Range) : 0));
}

void VerticalSlider::NotifyParent(int code, int position) {
    SliderBasics::NotifyScroll(*this, WM_VSCROLL, code, position);
}

int VerticalSlider::HitTest(TPoint &p) {
    if (SliderBasics::InThumb(ThumbRgn, Thumb, p))
        return 5;
    int half = Thumb.Height() / 2, height = GetClientRect().Height();
    if (p.y < StartMargin + half)
        return 1;
    if (p.y >= height - EndMargin - half)
        return 0;
    p.y -= half;
    return 4;
}

void VerticalSlider::PaintSlot(TDC &dc) { PaintSlotAcross(dc, 0); }
