// The level scale: its ticks and labels down the pane, its double click and its popup
// menu; and passing a change on to the other views' scales.
#include "waveview/LevelScale.h"

#include "core/Dc.h"
#include "waveview/LevelFormat.h"
#include "waveview/PaneGeometry.h"
#include "waveview/RulerSteps.h"
#include "waveview/ScaleLookDialogs.h"
#include "waveview/ScaleScope.h"
#include "waveview/WavePane.h"
#include "waveview/WaveView.h"

#include <algorithm>
#include <cstring>
#include <iterator>

namespace {

enum { kPopupMenu = 101, kTickLength = 6 };

int const kPercentSteps[] = {10000, 5000, 2500, 2000, 1250, 1000, 625, 500, 400, 250, 200, 125, 100,
                             80,    50,   40,   25,   20,   16,   10,   8,   5,   4,   2,   1};
int const kValueSteps[] = {32767, 16384, 8192, 4096, 2048, 1024, 512, 256, 128, 64, 32, 16, 8, 4, 2, 1};

int FullScale(int unit) { return unit == kLevelPercent ? 10000 : 32767; }

// A 16-bit level in the unit's scale and back.
int ToUnit(int level, int unit) {
    if (unit == kLevelPercent)
        return int(int64_t(level) * 10000 / 32767);
    return level == 32767 ? 32768 : level;
}

int FromUnit(int level, int unit) { return unit == kLevelPercent ? int(int64_t(level) * 32767 / 10000) : level; }

// Rounded up to a multiple of step.
int CeilToStep(int value, int step) {
    int q = value / step;
    if (q * step < value)
        ++q;
    return q * step;
}

}  // namespace

std::vector<LevelTick> LevelTicks(PaneGeometry const &g, int unit, int labelHeight) {
    std::vector<LevelTick> ticks;
    int b = g.height, z = std::max(g.verticalZoom, 1);
    if (b * z - 2 * g.margin < 1)
        return ticks;
    int n = (b / 30) / 2, k = n ? 2 * n : 2;
    int minimum = std::max(FullScale(unit) / ((k / 2) * z), 1);
    int step = unit == kLevelPercent ? SmallestAtLeast(kPercentSteps, minimum) : SmallestAtLeast(kValueSteps, minimum);
    int precision = unit == kLevelPercent ? 0 : step < 2048 ? 2 : 1;
    int level = CeilToStep(ToUnit(g.LevelAt(0, false), unit), step);
    int bottom = unit == kLevelPercent ? -10000 : -32768;
    if (unit == kLevelRaw)
        level = std::min(std::max(level, -32768), 32768);
    for (; level >= bottom; level -= step) {
        int y = g.Y(FromUnit(level, unit));
        if (y + labelHeight / 2 > b)
            break;
        ticks.push_back(LevelTick{level, y, precision});
    }
    return ticks;
}

DEFINE_RESPONSE_TABLE1(LevelScale, TWindow)
    EV_WM_LBUTTONDBLCLK,
    EV_WM_RBUTTONDOWN,
    EV_WM_LBUTTONDOWN,
    EV_COMMAND_AND_ID(LevelScale::kCmPercent, CmUnit),
    EV_COMMAND_AND_ID(LevelScale::kCmDecibels, CmUnit),
    EV_COMMAND_AND_ID(LevelScale::kCmRaw, CmUnit),
    EV_COMMAND_AND_ID(LevelScale::kCmThreeD, CmStyle),
    EV_COMMAND_AND_ID(LevelScale::kCmFlat, CmStyle),
    EV_COMMAND(LevelScale::kCmHide, CmHide),
    EV_COMMAND(LevelScale::kCmFont, CmFont),
    EV_COMMAND(LevelScale::kCmTickColor, CmTickColor),
END_RESPONSE_TABLE;

LevelScale::LevelScale(WavePane *pane, LevelScaleStyle *style)
    : TWindow(pane->GetView(), "level scale"), style_(style), labelCell_(50, 20), view_(pane->GetView()),
      pane_(pane) {
    Attr.Style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;
    MeasureLabelCell();
}

void LevelScale::GetWindowClass(WNDCLASSA &wc) {
    TWindow::GetWindowClass(wc);
    wc.style |= CS_VREDRAW | CS_DBLCLKS;
    wc.hbrBackground = 0;
}

void LevelScale::MeasureLabelCell() {
    labelCell_ = MeasureText(style_->font, "-00000", TSize(50, 20));
    preferredWidth_ = labelCell_.cx + 10;
}

// ---- painting

void LevelScale::Paint(TDC &dc, int, TRect &) {
    TRect r = GetClientRect();
    DrawBackground(dc, r);
    if (!pane_->GetHandle())
        return;
    std::vector<LevelTick> ticks = LevelTicks(pane_->Geometry(), int(style_->unit), labelCell_.cy);
    if (ticks.empty())
        return;
    HFONT font = ::CreateFontIndirectA(&style_->font);
    HGDIOBJ oldFont = ::SelectObject(dc, font);
    for (LevelTick const &tick : ticks)
        DrawTick(dc, tick, r.Width());
    ::SelectObject(dc, oldFont);
    ::DeleteObject(font);
}

// Three-dimensional: the face with a light left and a dark right edge. Flat: the pane's
// background.
void LevelScale::DrawBackground(HDC dc, TRect const &r) {
    if (!style_->style) {
        HBRUSH back = ::CreateSolidBrush(pane_->GetColors().colors[WavePaneColors::kBack]);
        ::FillRect(dc, &r, back);
        ::DeleteObject(back);
        return;
    }
    ::FillRect(dc, &r, ::GetSysColorBrush(COLOR_BTNFACE));
    TRect right(r.right - 1, r.top, r.right, r.bottom), left(r.left, r.top, r.left + 1, r.bottom);
    ::FillRect(dc, &right, ::GetSysColorBrush(COLOR_BTNSHADOW));
    ::FillRect(dc, &left, ::GetSysColorBrush(COLOR_BTNHIGHLIGHT));
}

// The tick along the pane's edge; the label right-aligned in the cell, centred on it.
void LevelScale::DrawTick(HDC dc, LevelTick const &tick, int width) {
    TRect line(width - 1 - kTickLength, tick.y, width - 1, tick.y + 1);
    HBRUSH brush = ::CreateSolidBrush(style_->tickColor);
    ::FillRect(dc, &line, brush);
    ::DeleteObject(brush);
    if (style_->style) {
        TRect light(line.left, tick.y + 1, line.right, tick.y + 2);
        ::FillRect(dc, &light, ::GetSysColorBrush(COLOR_BTNHIGHLIGHT));
    }
    char text[32];
    int length = FormatLevel(text, sizeof text, tick.level, int(style_->unit), tick.precision);
    int h = labelCell_.cy;
    bool decibels = style_->unit == kLevelDecibels;
    TRect cell(0, tick.y - h / 2, labelCell_.cx, tick.y - h / 2 + h);
    TRect unit(cell.left, cell.bottom, cell.right, cell.bottom + h);
    unsigned format = DT_RIGHT | DT_SINGLELINE | DT_NOCLIP;
    if (style_->style) {
        ::SetBkMode(dc, OPAQUE);
        ::SetBkColor(dc, ::GetSysColor(COLOR_BTNFACE));
        ::SetTextColor(dc, ::GetSysColor(COLOR_BTNHIGHLIGHT));
        TRect shifted(cell.left + 1, cell.top + 1, cell.right + 1, cell.bottom + 1);
        ::DrawTextA(dc, text, length, &shifted, format);
        if (decibels) {
            TRect below(unit.left + 1, unit.top + 1, unit.right + 1, unit.bottom + 1);
            ::DrawTextA(dc, "dB", 2, &below, format);
        }
    }
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, style_->fontColor);
    ::DrawTextA(dc, text, length, &cell, format);
    if (decibels)
        ::DrawTextA(dc, "dB", 2, &unit, format);
}

// ---- mouse and menu

void LevelScale::EvLButtonDblClk(uint keys, TPoint &) {
    if (!(keys & MK_CONTROL)) {
        view_->FitLevelToPeaks();
        return;
    }
    if (view_->GetVerticalZoom() == 1)
        return;
    view_->ResetVerticalRange(0);
    ::RedrawWindow(view_->GetHandle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
}

void LevelScale::EvLButtonDown(uint, TPoint &) { DefaultProcessing(); }

void LevelScale::EvRButtonDown(uint, TPoint &point) {
    RunScalePopup(*this, kPopupMenu, point,
                  [](HMENU menu, void *arg) {
                      LevelScaleStyle const &style = *static_cast<LevelScaleStyle *>(arg);
                      uint unit = style.unit == kLevelPercent ? kCmPercent
                                  : style.unit == kLevelRaw   ? kCmRaw
                                                              : kCmDecibels;
                      ::CheckMenuItem(menu, unit, MF_BYCOMMAND | MF_CHECKED);
                      ::CheckMenuItem(menu, style.style ? kCmThreeD : kCmFlat, MF_BYCOMMAND | MF_CHECKED);
                  },
                  style_);
}

void LevelScale::CmUnit(uint id) {
    style_->unit = id == kCmPercent ? kLevelPercent : id == kCmRaw ? kLevelRaw : kLevelDecibels;
    ApplyLevelScaleChange(view_, kApplyUnit);
}

void LevelScale::CmStyle(uint id) {
    style_->style = id == kCmThreeD;
    ApplyLevelScaleChange(view_, kApplyStyle);
}

void LevelScale::CmHide() { ApplyLevelScaleChange(view_, kApplyHide); }

void LevelScale::CmFont() {
    if (AskScaleFont(this, style_->font, style_->fontColor))
        ApplyLevelScaleChange(view_, kApplyFont);
}

void LevelScale::CmTickColor() {
    if (AskScaleColor(this, style_->tickColor))
        ApplyLevelScaleChange(view_, kApplyTickColor);
}

TSize MeasureText(LOGFONTA const &font, char const *text, TSize fallback) {
    TSize result = fallback;
    HDC dc = ::CreateICA("DISPLAY", nullptr, nullptr, nullptr);
    if (!dc)
        return result;
    HFONT handle = ::CreateFontIndirectA(&font);
    HGDIOBJ old = ::SelectObject(dc, handle);
    SIZE size;
    if (::GetTextExtentPoint32A(dc, text, int(std::strlen(text)), &size) && size.cy > 0)
        result = TSize(size.cx, size.cy);
    ::SelectObject(dc, old);
    ::DeleteObject(handle);
    ::DeleteDC(dc);
    return result;
}

void ApplyLevelScaleChange(WaveView *view, int what) { ApplyLevelScaleChange(view, what, ScopeOfKeys()); }

// The scales of the view the change came from go once its handler has returned.
void ApplyLevelScaleChange(WaveView *view, int what, int scope) {
    LevelScale *source = view->GetLevelScale(0) ? view->GetLevelScale(0) : view->GetLevelScale(1);
    for (WaveView *target : ViewsInScope(*view, ScaleScope(scope))) {
        if (what & (kApplyHide | kApplyShow)) {
            bool show = (what & kApplyShow) != 0;
            bool shown = target->GetLevelScale(0) || target->GetLevelScale(1);
            if (!show && target == view && shown && target->GetHandle())
                ::PostMessageA(target->GetHandle(), WM_COMMAND, WaveView::kCmLevelScales, 0);
            else if (show != shown) {
                target->SetLevelScalesShown(show);
                target->Relayout();
            }
            continue;
        }
        for (int channel = 0; channel < 2 && source; ++channel) {
            LevelScale *scale = target->GetLevelScale(channel);
            if (!scale)
                continue;
            if (scale != source)
                CopyScaleLook(scale->GetStyle(), source->GetStyle(), what);
            if (what & kApplyFont)
                scale->MeasureLabelCell();
            if (scale->GetHandle())
                scale->Invalidate(false);
        }
        if (what & kApplyFont)
            target->Relayout();
    }
}
