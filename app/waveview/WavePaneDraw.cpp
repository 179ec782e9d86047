// What a pane draws, in order: background with the selection and its level band, the
// zero and 50 % lines, the waveform (one vertical line per column beyond 8 frames a
// column, else a line through the samples, as steps from 4 pixels a frame), the markers,
// the caret and the play cursor, the fade preview.
#include "waveview/WavePane.h"

#include "audio/MarkerSet.h"
#include "audio/Wave.h"
#include "core/Dc.h"
#include "core/GdiObject.h"
#include "foundation/Exception.h"
#include "waveview/FadeCurveLink.h"
#include "waveview/PeakCache.h"
#include "waveview/WaveView.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

struct WavePane::Columns {
    TRect rect;    // painted, in client coordinates
    TRect client;
    int p;         // the scroll position
    int z;
    int startX;    // the first and last column drawn, from the wave's start
    int endX;
    bool envelope;
    PaneGeometry g;
    bool selected;
    int x1, x2;    // the selection's columns
    int level;
};

namespace {

int const kXLimit = 16000;
int const kFullLevel = 32767;
// Hundredths of a decibel of the fade handles' heights.
int const kFadeGains[] = {50, 100, 200, 300, 400, 500, 600, 700, 800, 900, 1000, 1100, 1200, 1500, 1800};
int const kFadeGainCount = int(sizeof kFadeGains / sizeof kFadeGains[0]);

int ClampX(int x) { return std::min(std::max(x, -kXLimit), kXLimit); }

// One pixel on, one off: a period that divides 8, so that dots drawn from -(p mod 8) stay
// in step while the view scrolls.
HPEN DottedPen(COLORREF color) {
    LOGBRUSH brush = {BS_SOLID, color, 0};
    return ::ExtCreatePen(PS_COSMETIC | PS_ALTERNATE, 1, &brush, 0, nullptr);
}

HPEN LinePen(COLORREF color, bool solid) { return solid ? ::CreatePen(PS_SOLID, 1, color) : DottedPen(color); }

void HorizontalLine(HDC dc, int from, int to, int y) {
    ::MoveToEx(dc, from, y, nullptr);
    ::LineTo(dc, to, y);
}

void Fill(HDC dc, TRect r, TRect const &bounds, COLORREF color) {
    r.left = std::max(r.left, bounds.left);
    r.right = std::min(r.right, bounds.right);
    r.top = std::max(r.top, bounds.top);
    r.bottom = std::min(r.bottom, bounds.bottom);
    if (r.left >= r.right || r.top >= r.bottom)
        return;
    ::SetBkColor(dc, color);
    ::ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &r, nullptr, 0, nullptr);
}

// A pen selected for a scope.
class PenScope {
public:
    PenScope(HDC dc, HPEN pen) : dc_(dc), pen_(pen), old_(::SelectObject(dc, pen)) {}
    ~PenScope() {
        ::SelectObject(dc_, old_);
        ::DeleteObject(pen_);
    }
    PenScope(PenScope const &) = delete;
    PenScope &operator=(PenScope const &) = delete;

private:
    HDC dc_;
    HPEN pen_;
    HGDIOBJ old_;
};

}  // namespace

bool WavePane::SelectionColumns(int &x1, int &x2) const {
    if (!wave_->HasSelectionIn(channelBit_))
        return false;
    int z = view_->GetZoom();
    x1 = ClampX(FrameX(wave_->GetSelectionStart()));
    int end = wave_->GetSelectionEnd();
    x2 = ClampX(z >= 2 ? FrameX(end + 1) - 1 : FrameX(end));
    return true;
}

void WavePane::Draw(TRect const &rect, int offscreen) {
    Columns c;
    c.rect = rect;
    c.client = GetClientRect();
    c.p = view_->GetScrollPosition();
    c.z = view_->GetZoom();
    c.envelope = c.z < -8;
    if (c.envelope) {
        c.startX = rect.left + c.p;
        c.endX = rect.right + c.p - 1;
    } else {
        c.startX = rect.left + c.p - (c.p || rect.left ? 1 : 0);
        c.endX = rect.right + c.p;
    }
    c.g = Geometry();
    c.selected = SelectionColumns(c.x1, c.x2);
    c.level = wave_->GetLevel();
    TDC &dc = *drawDC_;
    if (offscreen)
        static_cast<TMemoryDC &>(dc).SelectObject(*bitmap_);
    DrawBackground(dc, c);
    if (c.g.Drawable() >= 1) {
        DrawAxes(dc, c);
        try {
            DrawWaveform(dc, c);
        } catch (AException const &e) {
            ReportOnce(e);
        }
        DrawMarkers(dc, c);
        DrawCursors(dc, c);
        DrawFadePreview(dc, c);
    }
    if (offscreen)
        paintDC_->BitBlt(rect.left, rect.top, rect.Width(), rect.Height(), dc, rect.left, rect.top, SRCCOPY);
}

void WavePane::DrawBackground(TDC &dc, Columns const &c) {
    COLORREF back = colors_->colors[WavePaneColors::kBack];
    TRect const &r = c.rect;
    if (!c.selected) {
        Fill(dc, c.client, r, back);
        return;
    }
    TRect band(c.x1, c.client.top, c.x2 + 1, c.client.bottom);
    if (c.level != kFullLevel) {
        band.top = std::max(c.g.BandTop(c.level), int(c.client.top));
        band.bottom = std::min(c.g.BandBottom(c.level), int(c.client.bottom));
        Fill(dc, TRect(c.x1, c.client.top, c.x2 + 1, band.top), r, back);
        Fill(dc, TRect(c.x1, band.bottom, c.x2 + 1, c.client.bottom), r, back);
    }
    Fill(dc, TRect(c.client.left, c.client.top, c.x1, c.client.bottom), r, back);
    Fill(dc, band, r, colors_->colors[WavePaneColors::kSelBack]);
    Fill(dc, TRect(c.x2 + 1, c.client.top, c.client.right, c.client.bottom), r, back);
}

// The dots start at -(p mod 8) so that they keep their place while scrolling.
void WavePane::DrawAxes(TDC &dc, Columns const &c) {
    WaveViewStyle const &style = view_->GetStyle();
    int from = -(c.p % 8), to = c.client.right;
    int h = c.client.Height();
    ::SetBkMode(dc, TRANSPARENT);
    if (style.axis) {
        int y = c.g.ZeroY();
        if (y >= 0 && y < h) {
            PenScope pen(dc, LinePen(colors_->colors[WavePaneColors::kAxis], style.axis == 1));
            HorizontalLine(dc, from, to, y);
        }
    }
    if (style.axis50) {
        PenScope pen(dc, LinePen(colors_->colors[WavePaneColors::kAxis50], style.axis50 == 1));
        for (int value : {16384, -16384}) {
            int y = c.g.Y(value);
            if (y >= 0 && y < h)
                HorizontalLine(dc, from, to, y);
        }
    }
    ::SetBkMode(dc, OPAQUE);
}

// The pens of the waveform and where its line stands, carried from piece to piece.
struct WavePane::LineState {
    HPEN pens[2];  // outside and inside the selection
    int current;   // the pen selected, -1 none yet
    int previousY;
};

// In the pieces the cache serves; the columns are used while the fill scope holds them.
void WavePane::DrawWaveform(TDC &dc, Columns const &c) {
    int first = PixelsToFrames(c.startX, c.z), last = PixelsToFrames(c.endX, c.z);
    if (first < 0 || last < 0)
        return;
    TPen wave(TColor(COLORREF(colors_->colors[WavePaneColors::kWave])));
    TPen selected(TColor(COLORREF(colors_->colors[WavePaneColors::kSelWave])));
    LineState line = {{wave, selected}, -1, 0};
    HGDIOBJ old = ::GetCurrentObject(dc, OBJ_PEN);
    WavePeakCache::FillScope filling;
    try {
        for (int from = first;;) {
            PeakEntry *peaks[2] = {nullptr, nullptr};
            int served = cache_->Fill(*wave_, c.z, from, last, &peaks[0], &peaks[1]);
            if (!peaks[channel_])
                throw Exception("the peaks could not be read");
            int x0 = std::max(c.startX, FramesToPixels(from, c.z));
            int x1 = served >= last ? c.endX : std::min(c.endX, FramesToPixels(int64_t(served) + 1, c.z) - 1);
            DrawPeaks(dc, c, peaks[channel_], FramesToPixels(from, c.z), x0, x1, line);
            if (served >= last)
                break;
            from = served + 1;
        }
    } catch (...) {
        ::SelectObject(dc, old);
        throw;
    }
    ::SelectObject(dc, old);
}

// peaks[0] is the column origin (from the wave's start).
void WavePane::DrawPeaks(TDC &dc, Columns const &c, PeakEntry const *peaks, int origin, int firstX, int lastX,
                         LineState &line) {
    for (int X = firstX; X <= lastX; ++X) {
        int x = X - c.p;
        int pen = c.selected && x >= c.x1 && x <= c.x2;
        PeakEntry const &peak = peaks[X - origin];
        int y = c.g.Y(peak.maximum);
        if (c.envelope) {
            if (pen != line.current)
                ::SelectObject(dc, line.pens[line.current = pen]);
            ::MoveToEx(dc, x, c.g.Y(peak.minimum), nullptr);
            ::LineTo(dc, x, y);
            continue;
        }
        if (line.current < 0) {
            ::SelectObject(dc, line.pens[line.current = pen]);
            ::MoveToEx(dc, x, y, nullptr);
        } else {
            // a step: down (or up) the previous column first
            if (c.z >= 4 && y != line.previousY)
                ::LineTo(dc, x - 1, y);
            if (pen != line.current)
                ::SelectObject(dc, line.pens[line.current = pen]);
            ::LineTo(dc, x, y);
        }
        line.previousY = y;
    }
}

void WavePane::DrawMarkers(TDC &dc, Columns const &c) {
    int16_t shown = view_->GetStyle().markers;
    MarkerSet &markers = wave_->GetMarkers();
    bool lines = shown & (kMarkerLinesSolid | kMarkerLinesDotted), names = (shown & kMarkerNames) && channel_ == 0;
    if (markers.IsEmpty() || (!lines && !names))
        return;
    int startFrame = PixelsToFrames(c.startX, c.z), index = -1;
    if (!markers.FindBefore(startFrame, &index, 1) && !markers.FindAtOrAfter(startFrame, &index, 1))
        return;
    PenScope pen(dc, LinePen(colors_->colors[WavePaneColors::kMarker], shown & kMarkerLinesSolid));
    int oldRop = ::SetROP2(dc, R2_NOTXORPEN);
    HGDIOBJ oldFont = ::SelectObject(dc, ::GetStockObject(DEFAULT_GUI_FONT));
    ::SetBkMode(dc, TRANSPARENT);
    for (int i = index; Marker *m = markers.GetMarker(i); ++i) {
        int x = FrameX(m->position_);
        if (x > c.rect.right || x >= kXLimit + 1)
            break;
        if (!markers.IsVisible(*m))
            continue;
        if (lines) {
            ::MoveToEx(dc, x, c.rect.top, nullptr);
            ::LineTo(dc, x, c.rect.bottom);
        }
        if (names && !m->name_.IsEmpty())
            ::TextOutA(dc, x + 2, 0, m->name_.c_str(), int(m->name_.GetLength()));
    }
    ::SetBkMode(dc, OPAQUE);
    ::SelectObject(dc, oldFont);
    ::SetROP2(dc, oldRop);
}

// Inside the paint's clip box only. A paint of the whole pane puts them at their frames'
// columns at the zoom of today, which may not be the one they were drawn at.
void WavePane::DrawCursors(TDC &dc, Columns const &c) {
    TRect clip;
    paintDC_->GetClipBox(clip);
    bool whole = clip.left <= c.client.left && clip.top <= c.client.top && clip.right >= c.client.right &&
                 clip.bottom >= c.client.bottom;
    TBrush brush(TColor(COLORREF(colors_->colors[WavePaneColors::kCaret])));
    HGDIOBJ old = ::SelectObject(dc, brush);
    for (CursorSlot &slot : cursors_) {
        if (slot.frame < 0)
            continue;
        if (whole)
            slot.x = FramesToPixels(slot.frame, c.z);
        int left = std::max<int>(slot.x - c.p, clip.left);
        int right = std::min<int>(slot.x - c.p + CaretWidth(), clip.right);
        if (left < right)
            ::PatBlt(dc, left, c.rect.top, right - left, c.rect.Height(), PATINVERT);
    }
    ::SelectObject(dc, old);
}

void WavePane::DrawFadePreview(TDC &dc, Columns const &c) {
    FadeCurveLink *link = TheFadeCurveLink();
    FadeOpcodes const *fade = view_->GetFadePreview();
    if (!link || !fade || !c.selected || c.x2 <= c.x1)
        return;
    int h = c.g.Drawable(), m = margin_;
    int full = c.level == kFullLevel ? h : int(int64_t(h) * c.level / kFullLevel);
    int start = wave_->GetSelectionStart(), length = wave_->GetSelectionEnd() - start + 1;
    int oldRop = ::SetROP2(dc, R2_NOTXORPEN);
    HGDIOBJ oldPen = ::SelectObject(dc, ::GetStockObject(BLACK_PEN));
    int curves = std::min(std::max(link->GetCurveCount(*fade), 1), 2);
    for (int k = 0; k < curves; ++k) {
        FadeCurveLink::Handle handle = link->GetHandle(*fade, k);
        if (handle.gainIndex < 0)
            continue;
        int gain = kFadeGains[std::min(handle.gainIndex, kFadeGainCount - 1)];
        int time = std::min(std::max(handle.time, 0), 8);
        int64_t offset = length > 100000 ? int64_t(time + 1) * (length / 10) : int64_t(time + 1) * length / 10;
        int x = FrameX(int(start + offset));
        int y = h + m - int(h / std::pow(10.0, std::abs(gain) / 2000.0));
        TRect square(x - 3, y - 3, x + 4, y + 4);
        ::InvertRect(dc, &square);
        if (curves == 2 && k == 0)
            ::ExcludeClipRect(dc, square.left, square.top, square.right, square.bottom);
        for (int i = std::max<int>(c.x1, c.rect.left); i <= std::min<int>(c.x2, c.rect.right); ++i) {
            int g = link->GetHeight(*fade, k, full, i - c.x1, c.x2 - c.x1);
            if (i == std::max<int>(c.x1, c.rect.left))
                ::MoveToEx(dc, i, h + m - g, nullptr);
            else
                ::LineTo(dc, i, h + m - g);
        }
    }
    ::SelectClipRgn(dc, nullptr);
    ::SelectObject(dc, oldPen);
    ::SetROP2(dc, oldRop);
}
