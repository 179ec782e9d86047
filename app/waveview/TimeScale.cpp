// The time ruler: its window, its painting (ticks, labels, marker glyphs) and where its
// points lie in the wave. The mouse is in TimeScaleMouse.cpp, the popup menu and its
// commands in TimeScaleMenu.cpp.
#include "waveview/TimeScale.h"

#include "audio/TimeSettings.h"
#include "audio/Wave.h"
#include "core/Dc.h"
#include "core/Module.h"
#include "waveview/DoubleView.h"
#include "waveview/LevelScale.h"
#include "waveview/PositionText.h"
#include "waveview/RulerSteps.h"
#include "waveview/ScaleScope.h"
#include "waveview/WavePane.h"
#include "waveview/WaveView.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

char const kWidestLabel[] = "0000.000000 MB";
int const kGlyphStrip = 212;
int const kMaskRow = 39;

// The marker glyphs, one column per type: shared by every ruler.
HBITMAP glyphs = nullptr;
int glyphUsers = 0;

// Tried again by the next ruler while the strip could not be loaded.
void TakeGlyphs() {
    ++glyphUsers;
    if (!glyphs && TModule::_commonResourceDLL)
        glyphs = ::LoadBitmapA(TModule::_commonResourceDLL->GetHandle(), MAKEINTRESOURCEA(kGlyphStrip));
}

void DropGlyphs() {
    if (--glyphUsers || !glyphs)
        return;
    ::DeleteObject(glyphs);
    glyphs = nullptr;
}

// The row of a marker's glyph: locked, being dragged, else plain.
int GlyphRow(Marker const &marker) {
    if (marker.flags_ & Marker::kLocked)
        return TimeScale::kGlyph;
    return marker.flags_ & Marker::kHighlighted ? 2 * TimeScale::kGlyph : 0;
}

void Line(HDC dc, int x, int top, int bottom) {
    ::MoveToEx(dc, x, top, nullptr);
    ::LineTo(dc, x, bottom);
}

}  // namespace

DEFINE_RESPONSE_TABLE1(TimeScale, TWindow)
    EV_WM_RBUTTONDOWN,
    EV_WM_SETCURSOR,
    EV_WM_LBUTTONDOWN,
    EV_WM_MOUSEMOVE,
    EV_WM_LBUTTONUP,
    EV_WM_LBUTTONDBLCLK,
    EV_COMMAND_AND_ID(TimeScale::kCmNewMarker, CmForward),
    EV_COMMAND_AND_ID(TimeScale::kCmEditMarker, CmForward),
    EV_COMMAND_AND_ID(TimeScale::kCmMarkerCdTrack, CmForward),
    EV_COMMAND_ENABLE(TimeScale::kCmEditMarker, CeMarkerUnderClick),
    EV_COMMAND(TimeScale::kCmDeleteMarker, CmDeleteMarker),
    EV_COMMAND_ENABLE(TimeScale::kCmDeleteMarker, CeMarkerUnderClick),
    EV_COMMAND_AND_ID(TimeScale::kCmAddMarkerAtOnce, CmForward),
    EV_COMMAND_AND_ID(TimeScale::kCmUnitSeconds, CmUnit),
    EV_COMMAND_AND_ID(TimeScale::kCmUnitSmpte, CmUnit),
    EV_COMMAND_AND_ID(TimeScale::kCmUnitBars, CmUnit),
    EV_COMMAND_AND_ID(TimeScale::kCmUnitSamples, CmUnit),
    EV_COMMAND_AND_ID(TimeScale::kCmUnitBytes, CmUnit),
    EV_COMMAND(TimeScale::kCmOriginAtCaret, CmOriginAtCaret),
    EV_COMMAND_ENABLE(TimeScale::kCmOriginAtCaret, CeOriginAtCaret),
    EV_COMMAND(TimeScale::kCmClearOrigin, CmClearOrigin),
    EV_COMMAND_ENABLE(TimeScale::kCmClearOrigin, CeClearOrigin),
    EV_COMMAND_AND_ID(TimeScale::kCmThreeD, CmStyle),
    EV_COMMAND_AND_ID(TimeScale::kCmFlat, CmStyle),
    EV_COMMAND(TimeScale::kCmFont, CmFont),
    EV_COMMAND(TimeScale::kCmTickColor, CmTickColor),
    EV_COMMAND(TimeScale::kCmHide, CmHide),
    EV_COMMAND(TimeScale::kCmShowMarkers, CmShowMarkers),
    EV_COMMAND_ENABLE(TimeScale::kCmShowMarkers, CeShowMarkers),
END_RESPONSE_TABLE;

TimeScale::TimeScale(int id, WaveView *view, TimeScaleStyle *style, long origin)
    : TWindow(view, 0), style_(style), origin_(origin), labelCell_(50, 20), preferredHeight_(33), view_(view) {
    Attr.Id = id;
    Attr.Style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;
    TakeGlyphs();
    MeasureLabelCell();
}

TimeScale::~TimeScale() { DropGlyphs(); }

void TimeScale::GetWindowClass(WNDCLASSA &wc) {
    TWindow::GetWindowClass(wc);
    wc.style |= CS_DBLCLKS;
    wc.hbrBackground = 0;
    wc.hCursor = 0;
}

void TimeScale::MeasureLabelCell() {
    labelCell_ = MeasureText(style_->font, kWidestLabel, TSize(50, 20));
    preferredHeight_ = labelCell_.cy * 5 / 3;
}

RulerStep TimeScale::GetStep() const {
    int minSamples = MinimumLabelSamples(labelCell_.cx, view_->GetZoom());
    return ChooseRulerStep(style_->unit, minSamples, *view_->GetWave(), TheTimeSettings());
}

// ---- where points lie

int TimeScale::PaneOffset() const {
    WavePane *pane = view_->GetFirstPane();
    if (!pane || !pane->GetHandle() || !GetHandle())
        return 0;
    return pane->GetWindowRect().left - GetWindowRect().left;
}

int TimeScale::FrameX(long frame) const {
    WavePane *pane = view_->GetFirstPane();
    return pane ? pane->FrameX(int(frame)) + PaneOffset() : 0;
}

long TimeScale::PositionAt(TPoint point, int *paneX) const {
    int x = point.x - PaneOffset();
    if (paneX)
        *paneX = x;
    WavePane *pane = view_->GetFirstPane();
    return pane ? pane->FrameAt(x) : 0;
}

// The pane has no snapping of its own yet: the position as it is.
// The pane's magnet, given the same x; an unsnapped position when nothing is near.
long TimeScale::SnappedPositionAt(TPoint point, int snapFlags) const {
    int x = 0;
    long position = PositionAt(point, &x);
    WavePane *pane = view_->GetFirstPane();
    int snapped = pane ? pane->SnapToMagnet(x, snapFlags) : -1;
    return snapped < 0 ? position : snapped;
}

Marker *TimeScale::MarkerAt(TPoint point, int *index) const {
    *index = -1;
    long left = PositionAt(TPoint(point.x - kGlyph / 2, point.y));
    long right = PositionAt(TPoint(point.x + kGlyph / 2, point.y));
    int found = -1;
    Marker *marker = view_->GetWave()->GetMarkers().FindAtOrAfter(int32_t(left), &found, 1);
    if (!marker || marker->position_ > right)
        return nullptr;
    *index = found;
    return marker;
}

void TimeScale::InvalidateGlyph(long position) {
    if (!GetHandle())
        return;
    TRect r = GetClientRect();
    int x = FrameX(position);
    TRect glyph(x - kGlyph, r.bottom - kGlyph, x + kGlyph, r.bottom);
    InvalidateRect(glyph, false);
}

// ---- painting

// Into a memory bitmap first, copied to the screen at once.
void TimeScale::Paint(TDC &dc, int, TRect &area) {
    TRect r = GetClientRect();
    if (r.Width() <= 0 || r.Height() <= 0)
        return;
    HDC memory = ::CreateCompatibleDC(dc);
    HBITMAP bitmap = ::CreateCompatibleBitmap(dc, r.Width(), r.Height());
    HGDIOBJ oldBitmap = ::SelectObject(memory, bitmap);
    ::FillRect(memory, &r, ::GetSysColorBrush(COLOR_BTNFACE));
    TRect bottom(r.left, r.bottom - 1, r.right, r.bottom), top(r.left, 0, r.right, 1);
    ::FillRect(memory, &bottom, ::GetSysColorBrush(COLOR_BTNSHADOW));
    ::FillRect(memory, &top, ::GetSysColorBrush(COLOR_BTNHIGHLIGHT));
    if (view_->GetFirstPane())
        DrawTicks(memory, r, area);
    if (style_->showMarkers)
        DrawMarkers(memory, r);
    ::BitBlt(dc, 0, 0, r.Width(), r.Height(), memory, 0, 0, SRCCOPY);
    ::SelectObject(memory, oldBitmap);
    ::DeleteObject(bitmap);
    ::DeleteDC(memory);
}

void TimeScale::DrawTicks(HDC dc, TRect const &client, TRect const &area) {
    RulerStep const step = GetStep();
    int const h = client.Height();
    HFONT font = ::CreateFontIndirectA(&style_->font);
    HPEN tickPen = ::CreatePen(PS_SOLID, 1, style_->tickColor);
    HPEN lightPen = ::CreatePen(PS_SOLID, 1, ::GetSysColor(COLOR_BTNHIGHLIGHT));
    HGDIOBJ oldFont = ::SelectObject(dc, font), oldPen = ::SelectObject(dc, tickPen);
    auto tick = [&](int x, int length) {
        ::SelectObject(dc, tickPen);
        Line(dc, x, h - 1 - length, h - 1);
        if (style_->style == 0) {
            ::SelectObject(dc, lightPen);
            Line(dc, x + 1, h - 1 - length, h - 1);
        }
    };
    long origin = origin_;
    int64_t k = FirstTick(step, PositionAt(TPoint(0, 0)), origin);
    int previous = FrameX(long(origin + step.TickSamples(k - 1)));
    for (int guard = 0; guard < 100000; ++guard, ++k) {
        int x = FrameX(long(origin + step.TickSamples(k)));
        int width = x - previous;
        if (x + 1.5 * width >= area.left) {
            for (int i = 1; i < step.divisions; ++i) {
                bool middle = step.divisions >= 4 && step.divisions % 2 == 0 && i == step.divisions / 2;
                tick(previous + int(int64_t(i) * width / step.divisions), middle ? h / 3 : h / 5);
            }
            if (x > client.right)
                break;
            tick(x, h - 1);
            if (x >= 0) {
                char text[80];
                FormatPosition(text, sizeof text, long(step.TickSamples(k)), style_->unit, step.precision,
                               *view_->GetWave());
                DrawLabel(dc, x, text);
            }
        }
        if (x > client.right)
            break;
        previous = x;
    }
    ::SelectObject(dc, oldPen);
    ::SelectObject(dc, oldFont);
    ::DeleteObject(lightPen);
    ::DeleteObject(tickPen);
    ::DeleteObject(font);
}

// Three-dimensional: an embossed copy first, one pixel right and down.
void TimeScale::DrawLabel(HDC dc, int x, char const *text) {
    int length = int(std::strlen(text));
    if (style_->style == 0) {
        ::SetBkMode(dc, OPAQUE);
        ::SetBkColor(dc, ::GetSysColor(COLOR_BTNFACE));
        ::SetTextColor(dc, ::GetSysColor(COLOR_BTNHIGHLIGHT));
        ::TextOutA(dc, x + 4, 2, text, length);
    }
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, style_->fontColor);
    ::TextOutA(dc, x + 3, 1, text, length);
}

void TimeScale::DrawMarkers(HDC dc, TRect const &client) {
    MarkerSet &markers = view_->GetWave()->GetMarkers();
    if (markers.IsEmpty() || !glyphs)
        return;
    HDC strip = ::CreateCompatibleDC(dc);
    HGDIOBJ old = ::SelectObject(strip, glyphs);
    int index = -1;
    markers.FindAtOrAfter(int32_t(PositionAt(TPoint(-kGlyph, 0))), &index, 1);
    for (int i = std::max(index, 0); index >= 0 && i < markers.GetCount(); ++i) {
        Marker const &marker = *markers.GetMarker(i);
        if (!markers.IsVisible(marker))
            continue;
        int x = FrameX(marker.position_) - kGlyph / 2;
        if (x >= client.right)
            break;
        int column = std::min<int>(std::max<int>(marker.type_, 0), Marker::kNumTypes - 1) * kGlyph;
        int y = client.bottom - kGlyph;
        ::BitBlt(dc, x, y, kGlyph, kGlyph, strip, column, kMaskRow, SRCAND);
        ::BitBlt(dc, x, y, kGlyph, kGlyph, strip, column, GlyphRow(marker), SRCPAINT);
    }
    ::SelectObject(strip, old);
    ::DeleteDC(strip);
}

// ---- passing a change on

void ApplyTimeScaleChange(WaveView *view, int what) { ApplyTimeScaleChange(view, what, ScopeOfKeys()); }

void ApplyTimeScaleChange(WaveView *view, int what, int scope) {
    TimeScale *source = view->GetTimeScale();
    for (WaveView *target : ViewsInScope(*view, ScaleScope(scope))) {
        if (what & (kApplyHide | kApplyShow)) {
            target->SetTimeScaleShown((what & kApplyShow) != 0);
            target->Relayout();
            continue;
        }
        TimeScale *ruler = target->GetTimeScale();
        if (!ruler || !source)
            continue;
        if (ruler != source)
            CopyScaleLook(ruler->GetStyle(), source->GetStyle(), what);
        if (what & kApplyFont) {
            ruler->MeasureLabelCell();
            target->Relayout();
        }
        if (ruler->GetHandle())
            ruler->Invalidate(false);
    }
}
