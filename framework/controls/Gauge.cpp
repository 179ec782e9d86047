#include "controls/Gauge.h"

#include "core/Application.h"
#include "core/CommonControls.h"
#include "core/Dc.h"
#include "core/SysInfo.h"
#include "core/UIParts.h"

#include <algorithm>
#include <cstring>
#include <string>

namespace {
int Clamp(long long v, int lo, int hi) { return int(v < lo ? lo : v > hi ? hi : v); }

// The part of a length that a value covers, in pixels.
int Covered(int value, int minValue, int range, int length) {
    return int((long long)(value - minValue) * length / range);
}

// A frame of the given thickness inside r, in one colour; r shrinks by it.
void FrameInside(TDC &dc, TRect &r, int thickness, TColor const &color) {
    if (thickness <= 0)
        return;
    dc.TextRect(r.left, r.top, r.right, r.top + thickness, color);
    dc.TextRect(r.left, r.bottom - thickness, r.right, r.bottom, color);
    dc.TextRect(r.left, r.top, r.left + thickness, r.bottom, color);
    dc.TextRect(r.right - thickness, r.top, r.right, r.bottom, color);
    r.Inflate(-thickness, -thickness);
}

// The title as a format of the one int it is given: a first integer conversion stays,
// any other '%' shows as itself (a title may hold a file name such as "50%s.wav").
std::string OneIntFormat(char const *title) {
    std::string format;
    bool used = false;
    for (char const *p = title; *p;) {
        if (*p != '%') {
            format += *p++;
            continue;
        }
        if (p[1] == '%') {
            format += "%%";
            p += 2;
            continue;
        }
        char const *q = p + 1;
        while (*q && std::strchr("-+ #0", *q))
            q++;
        while (*q >= '0' && *q <= '9')
            q++;
        if (*q == '.')
            for (q++; *q >= '0' && *q <= '9'; q++) {
            }
        if (*q == 'l' || *q == 'h')
            q++;
        if (!used && *q && std::strchr("diuxXc", *q)) {
            used = true;
            format.append(p, q + 1);
            p = q + 1;
        } else {
            format += "%%";
            p++;
        }
    }
    return format;
}

// Text centred in a rectangle, drawn only inside clip.
void CentredText(TDC &dc, String const &text, TRect const &inner, TRect const &clip, TColor const &color) {
    TSize size = dc.GetTextExtent(text.c_str(), int(text.GetLength()));
    dc.SetTextColor(color);
    dc.ExtTextOutA(inner.left + (inner.Width() - size.cx) / 2, inner.top + (inner.Height() - size.cy) / 2,
                   ETO_CLIPPED, &clip, text.c_str(), int(text.GetLength()));
}
}  // namespace

// ---- TGauge

TNativeUse TGauge::ClassNativeUse = TNativeUse(3);

DEFINE_RESPONSE_TABLE1(TGauge, TControl)
    EV_WM_ERASEBKGND,
END_RESPONSE_TABLE;

TGauge::TGauge(TWindow *parent, char const *title, int id, int x, int y, int w, int h, int horizontal, int margin,
               TModule *module)
    : TControl(parent, id, title, x, y, w, h ? h : TUIMetric::CyVScroll.Get(), module) {
    Init(horizontal, margin);
    Attr.Style &= ~WS_TABSTOP;
}

TGauge::TGauge(TWindow *parent, int id, int x, int y, int w, int h, TModule *module)
    : TControl(parent, id, 0, x, y, w, h, module) {
    Init(1, 1);
    int blocks = (h - 2 * Margin) * 2 / 3;
    LedSpacing = 2 * Margin + blocks;
    LedThick = blocks > 0 ? LedSpacing * 100 / blocks : 100;  // a gauge too low for blocks
}

TGauge::TGauge(TWindow *parent, int resourceId, TModule *module) : TControl(parent, resourceId, module) {
    Init(1, 1);
    LedSpacing = 10;
    LedThick = 90;
}

void TGauge::Init(int horizontal, int margin) {
    GaugeNativeUse = TCommCtrl::IsAvailable() ? ClassNativeUse : TNativeUse(0);
    NativeInUse = false;
    Min = 0;
    Max = 100;
    Value = 0;
    Step = 10;
    Margin = margin * TUIMetric::CxBorder.Get();
    IsHorizontal = horizontal;
    LedSpacing = 0;
    LedThick = 0;
    BarColor = TColor::SysHighlight;
}

// The system's bar takes a range of 16-bit halves in one message; a wider or negative
// one needs the 32-bit form, else it would show a wrapped range.
int TGauge::SendRange(int minValue, int maxValue) {
    if (minValue >= 0 && maxValue <= 0xFFFF)
        return SendMessageA(PBM_SETRANGE, 0, MAKELPARAM(minValue, maxValue));
    return SendMessageA(PBM_SETRANGE32, minValue, maxValue);
}

char const *TGauge::GetClassNameA() {
    NativeInUse = GaugeNativeUse >= 2 && IsHorizontal && LedSpacing > 0 && LedThick >= 0 && TCommCtrl::IsAvailable();
    return NativeInUse ? PROGRESS_CLASSA : "Yrt_Gauge";
}

void TGauge::SetupWindow() {
    TControl::SetupWindow();
    // a dialog's control is of the class its template names
    char name[32] = "";
    ::GetClassNameA(HWindow, name, sizeof name);
    NativeInUse = lstrcmpiA(name, PROGRESS_CLASSA) == 0;
    if (NativeInUse) {
        SendRange(Min, Max);
        SendMessageA(PBM_SETSTEP, Step);
        SendMessageA(PBM_SETPOS, Value);
    }
}

int TGauge::EvEraseBkgnd(WPARAM) {
    if (NativeInUse)
        return (int)DefaultProcessing();
    return 1;  // every pixel is painted
}

void TGauge::SetRange(int minValue, int maxValue) {
    if (maxValue <= minValue)
        maxValue = minValue + 1;
    if (NativeInUse && HWindow && !SendRange(minValue, maxValue))
        return;
    Min = minValue;
    Max = maxValue;
    Value = Clamp(Value, Min, Max);
    if (HWindow && !NativeInUse)
        Invalidate(false);
}

void TGauge::SetStep(int step) {
    Step = step;
    if (NativeInUse && HWindow)
        SendMessageA(PBM_SETSTEP, step);
}

void TGauge::SetValue(int value) {
    value = Clamp(value, Min, Max);
    if (value == Value)
        return;
    if (HWindow) {
        if (NativeInUse)
            SendMessageA(PBM_SETPOS, value);
        else
            Invalidate(false);
    }
    Value = value;
}

void TGauge::DeltaValue(int delta) {
    if (!delta)
        return;
    int value = Clamp((long long)Value + delta, Min, Max);
    if (HWindow) {
        if (NativeInUse)
            SendMessageA(PBM_DELTAPOS, value - Value);
        else
            Invalidate(false);
    }
    Value = value;
}

void TGauge::StepIt() {
    if (!HWindow)
        return;
    if (NativeInUse) {
        SendMessageA(PBM_STEPIT);
        Value = SendMessageA(PBM_GETPOS);
        return;
    }
    long long next = (long long)Value + Step;
    Value = next < Max ? Clamp(next, Min, Max) : Min;
    Invalidate(false);
}

void TGauge::SetLed(int spacing, int thickPercent) {
    LedSpacing = spacing;
    LedThick = thickPercent;
}

void TGauge::SetColor(TColor const &color) {
    BarColor = color;
    if (HWindow && NativeInUse)
        SendMessageA(PBM_SETBARCOLOR, 0, color.GetValue());
    else if (HWindow)
        Invalidate(false);
}

void TGauge::SetNativeUse(TNativeUse use) { GaugeNativeUse = use; }

String TGauge::FormattedText() const {
    if (!Title || IS_INTRESOURCE(Title) || !*Title)
        return String();
    char text[1100];  // wsprintf writes at most 1024 characters
    wsprintfA(text, OneIntFormat(Title).c_str(), Value);
    return String(text);
}

int TGauge::ValuePosition(TRect const &inner) const {
    if (IsHorizontal)
        return inner.left + Covered(Value, Min, Range(), inner.Width());
    return inner.bottom - Covered(Value, Min, Range(), inner.Height());
}

TRect TGauge::PaintBorder(TDC &dc) {
    TRect r = GetClientRect();
    TColor shadow = TColor::Sys3dShadow, light = TColor::Sys3dHilight;
    dc.TextRect(r.left, r.top, r.right - 1, r.top + 1, shadow);
    dc.TextRect(r.left, r.top, r.left + 1, r.bottom - 1, shadow);
    dc.TextRect(r.left, r.bottom - 1, r.right, r.bottom, light);
    dc.TextRect(r.right - 1, r.top, r.right, r.bottom, light);
    r.Inflate(-1, -1);
    FrameInside(dc, r, Margin, TColor::Sys3dFace);
    return r;
}

void TGauge::Paint(TDC &dc, int, TRect &) {
    TRect inner = PaintBorder(dc);
    if (inner.IsEmpty())
        return;
    if (LedSpacing > 0)
        PaintLed(dc, inner);
    else
        PaintSolid(dc, inner);
}

void TGauge::PaintLed(TDC &dc, TRect const &inner) {
    TColor face = TColor::Sys3dFace;
    int length = IsHorizontal ? inner.Width() : inner.Height();
    // a period below one pixel would never advance
    int period = std::max(1, int((long long)LedSpacing * length / Range()));
    int led = LedThick * period / 100;
    int reached = Covered(Value, Min, Range(), length);
    int x = 0;
    for (; x < reached && x < length; x += period) {
        // a block thicker than its period fills it
        int gapEnd = std::min(x + period, length), ledEnd = std::min(x + led, gapEnd);
        if (IsHorizontal) {
            dc.TextRect(inner.left + x, inner.top, inner.left + ledEnd, inner.bottom, BarColor);
            dc.TextRect(inner.left + ledEnd, inner.top, inner.left + gapEnd, inner.bottom, face);
        } else {
            dc.TextRect(inner.left, inner.bottom - ledEnd, inner.right, inner.bottom - x, BarColor);
            dc.TextRect(inner.left, inner.bottom - gapEnd, inner.right, inner.bottom - ledEnd, face);
        }
    }
    if (x < length) {
        if (IsHorizontal)
            dc.TextRect(inner.left + x, inner.top, inner.right, inner.bottom, face);
        else
            dc.TextRect(inner.left, inner.top, inner.right, inner.bottom - x, face);
    }
}

void TGauge::PaintSolid(TDC &dc, TRect const &inner) {
    int pos = ValuePosition(inner);
    TRect done = inner, rest = inner;
    if (IsHorizontal)
        done.right = rest.left = pos;
    else
        done.top = rest.bottom = pos;
    dc.TextRect(done, BarColor);
    dc.TextRect(rest, TColor::Sys3dFace);
    String text = FormattedText();
    if (text.IsEmpty())
        return;
    HFONT font = GetWindowFont();
    HGDIOBJ old = ::SelectObject(dc, font ? (HGDIOBJ)font : ::GetStockObject(DEFAULT_GUI_FONT));
    int mode = dc.SetBkMode(TRANSPARENT);
    CentredText(dc, text, inner, done, TColor::Sys3dFace);
    CentredText(dc, text, inner, rest, BarColor);
    dc.SetBkMode(mode);
    ::SelectObject(dc, old);
}

// ---- Gauge

DEFINE_RESPONSE_TABLE1(Gauge, TGauge)
    EV_WM_TIMER,
END_RESPONSE_TABLE;

Gauge::Gauge(TWindow *parent, char const *title, int id, int border, int width, int height)
    : TGauge(parent, title, id, 0, 0, width, height, 1, 0), Border(border), Mode(Solid), TimerId(0), Phase(0),
      Stripes{0, 0}, Pattern(0), ShineBitmap(0), ShineOffset(-4), LastPaint(0, 0, 0, 0),
      SecondColor(TColor(0, 0, 128)) {
    BarColor = TColor(0, 0, 255);
    if (!width || !height) {
        TScreenDC dc;
        HGDIOBJ old = ::SelectObject(dc, TextFont());
        char const *sample = title && *title ? title : "X";
        TSize size = dc.GetTextExtent(sample, lstrlenA(sample));
        ::SelectObject(dc, old);
        if (!width)
            Attr.W = size.cx + 20;
        if (!height)
            Attr.H = size.cy;
    }
}

Gauge::~Gauge() {
    StopTimer();
    DeleteBitmaps();
}

HFONT Gauge::TextFont() {
    if (TStatusTextDisplay *status = TStatusTextDisplay::OfMainWindow())
        return status->GetStatusFont();
    return (HFONT)::GetStockObject(DEFAULT_GUI_FONT);
}

void Gauge::SetupWindow() {
    TGauge::SetupWindow();
    if (Mode >= StripesLeft && Mode <= Shine)
        StartTimer();
}

void Gauge::CleanupWindow() {
    StopTimer();
    DeleteBitmaps();
    TGauge::CleanupWindow();
}

void Gauge::DeleteBitmaps() {
    delete Stripes[0];
    delete Stripes[1];
    delete Pattern;
    delete ShineBitmap;
    Stripes[0] = Stripes[1] = Pattern = ShineBitmap = 0;
}

void Gauge::StartTimer() {
    if (HWindow)
        TimerId = SetTimer(1, 100);
}

void Gauge::StopTimer() {
    if (TimerId && HWindow)
        KillTimer(TimerId);
    TimerId = 0;
}

void Gauge::SetMode(EMode mode) {
    if (mode == Mode)
        return;
    Mode = mode;
    if (mode == StripesLeft || mode == StripesRight) {
        StartTimer();
    } else if (mode == Shine) {
        ShineOffset = -4;
        StartTimer();
    } else {
        StopTimer();
    }
    LastPaint = TRect(0, 0, 0, 0);
    if (HWindow)
        Invalidate(true);
}

int Gauge::SetValue(int value) {
    value = Clamp(value, Min, Max);
    if (value == Value)
        return 0;
    if (HWindow)
        Invalidate(false);
    Value = value;
    return 1;
}

TRect Gauge::DonePart(TRect const &inner) const {
    TRect done = inner;
    done.right = inner.left + Covered(Value, Min, Range(), inner.Width());
    return done;
}

void Gauge::EvTimer(WPARAM id) {
    if (id != 1 || !TimerId) {
        DefaultProcessing();
        return;
    }
    if (LastPaint.IsEmpty())
        Invalidate(false);
    else
        InvalidateRect(LastPaint, false);
    UpdateWindow();
    if (Mode == StripesLeft) {
        Phase = Phase <= 0 ? 6 : Phase - 2;
    } else if (Mode == StripesRight) {
        Phase = Phase >= 6 ? 0 : Phase + 2;
    } else if (Mode == Shine) {
        TRect inner = GetClientRect();
        if (Border)
            inner.Inflate(-1, -1);
        ShineOffset += 4;
        if (ShineOffset > DonePart(inner).Width())
            ShineOffset = -4;
    }
}

TBitmap *Gauge::Picture(TBitmap *&cache, int resId) {
    if (!cache && GetCommonModule())
        try {
            cache = new TBitmap(GetCommonModule()->GetHandle(), resId);
        } catch (TXGdi const &) {
            cache = 0;  // a missing picture leaves its part unpainted
        }
    return cache;
}

void Gauge::Paint(TDC &dc, int, TRect &) {
    TRect inner = GetClientRect();
    if (Border)
        inner = PaintBorder(dc);
    if (inner.IsEmpty())
        return;
    TRect done = DonePart(inner), rest = inner;
    rest.left = done.right;
    switch (Mode) {
    case Solid:
    case Shine:
        dc.TextRect(done, BarColor);
        dc.TextRect(rest, TColor::Sys3dFace);
        if (Mode == Shine) {
            PaintShine(dc, done);
            LastPaint = done;
        }
        break;
    case Inverted:
        dc.TextRect(done, TColor::Sys3dFace);
        dc.TextRect(rest, SecondColor);
        break;
    case StripesLeft:
    case StripesRight:
        PaintStripes(dc, inner);
        return;
    default:
        PaintGradient(dc, inner);
        break;
    }
    if (Mode != GradientPlain)
        PaintText(dc, inner, done);
}

void Gauge::PaintStripes(TDC &dc, TRect const &inner) {
    TBitmap *strip = Picture(Stripes[Mode == StripesRight], Mode == StripesRight ? 22028 : 22027);
    if (!strip) {
        dc.TextRect(inner, TColor::Sys3dFace);
        return;
    }
    if (!Pattern)
        Pattern = new TBitmap(dc, 8, 8);
    {
        TMemoryDC source(dc), target(dc);
        source.SelectObject(*strip);
        target.SelectObject(*Pattern);
        target.BitBlt(0, 0, 8, 8, source, Phase * 8, 0);
    }
    TBrush brush(*Pattern);
    dc.SetBrushOrg(TPoint(inner.left, inner.top));
    dc.FillRect(inner, brush);
}

void Gauge::PaintShine(TDC &dc, TRect const &done) {
    TBitmap *shine = Picture(ShineBitmap, 22029);
    if (!shine || done.IsEmpty())
        return;
    int saved = dc.SaveDC();
    dc.IntersectClipRect(done);
    TMemoryDC source(dc);
    source.SelectObject(*shine);
    dc.StretchBlt(done.left + ShineOffset, done.top, 8, done.Height(), source, 0, 0, std::min(8, shine->Width()),
                  shine->Height());
    source.RestoreBitmap();
    dc.RestoreDC(saved);
}

void Gauge::PaintGradient(TDC &dc, TRect const &inner) {
    int boundary = inner.Width() * 5 / 6;  // W: where the solid blue begins
    dc.TextRect(inner.left + boundary, inner.top, inner.right, inner.bottom, TColor(0, 0, 255));
    int strip = std::max(1, boundary / 64);
    int x = boundary;
    for (int d = 0; x - strip >= 0; d += strip, x -= strip) {
        int blue = 255 - int(255LL * d * d / ((long long)boundary * boundary));
        dc.TextRect(inner.left + x - strip, inner.top, inner.left + x, inner.bottom, TColor(0, 0, blue));
    }
    dc.TextRect(inner.left, inner.top, inner.left + x, inner.bottom, TColor::Black);
}

void Gauge::PaintText(TDC &dc, TRect const &inner, TRect const &done) {
    String text = FormattedText();
    if (text.IsEmpty())
        return;
    HGDIOBJ old = ::SelectObject(dc, TextFont());
    int mode = dc.SetBkMode(TRANSPARENT);
    TColor light = TColor::Sys3dHilight;
    if (Mode == Gradient) {
        CentredText(dc, text, inner, inner, light);
    } else if (Mode == Inverted) {
        CentredText(dc, text, inner, inner, light);
        CentredText(dc, text, inner, done, SecondColor);
    } else {
        CentredText(dc, text, inner, inner, BarColor);
        CentredText(dc, text, inner, done, light);
    }
    dc.SetBkMode(mode);
    ::SelectObject(dc, old);
}
