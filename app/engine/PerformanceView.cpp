#include "engine/PerformanceView.h"

#include "core/Dc.h"
#include "engine/BackgroundTaskWindow.h"
#include "engine/StatusWindowSettings.h"

#include <algorithm>

namespace {

enum {
    kScaleInset = 12,   // along the top: the labels' inset and
    kScaleDepth = 16,   // the height of their band
    kSideLabels = 28,   // along the right: the width of the labels
    kSampleStep = 2,    // pixels per sample
    kSmoothing = 7,
    kGraphMenu = 110,
};

COLORREF const kSeriesColours[3] = {RGB(128, 128, 0), RGB(128, 0, 128), RGB(0, 128, 128)};
COLORREF const kGridColour = RGB(128, 128, 128);
COLORREF const kLabelColour = RGB(192, 192, 192);

char const *const *LabelsOf(int zoom) {
    static char const *const k50[] = {"0%", "50%", "100%", "150%", "200%"};
    static char const *const k100[] = {"0%", "25%", "50%", "75%", "100%"};
    static char const *const k200[] = {"0%", "12.5%", "25%", "37.5%", "50%"};
    static char const *const k400[] = {"0%", "6.25%", "12.5%", "18.75%", "25%"};
    switch (zoom) {
    case 50: return k50;
    case 200: return k200;
    case 400: return k400;
    default: return k100;
    }
}

void Fill(HDC dc, RECT const &r, COLORREF colour) {
    HBRUSH brush = CreateSolidBrush(colour);
    FillRect(dc, &r, brush);
    DeleteObject(brush);
}

}  // namespace

DEFINE_RESPONSE_TABLE1(PerformanceView, TWindow)
    EV_WM_RBUTTONDOWN,
END_RESPONSE_TABLE;

PerformanceView::PerformanceView(TWindow *parent) : TWindow(parent) {
    Attr.Style = WS_CHILD | WS_VISIBLE;
}

PerformanceView::~PerformanceView() { ResetPerformanceHistory(); }

// No background brush: the paint fills everything; redrawn whole on any resizing.
void PerformanceView::GetWindowClass(WNDCLASSA &wc) {
    TWindow::GetWindowClass(wc);
    wc.hbrBackground = nullptr;
    wc.style |= CS_HREDRAW | CS_VREDRAW;
}

void PerformanceView::SetupWindow() {
    TWindow::SetupWindow();
    font_ = CreateFontA(-9, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "Small Fonts");
}

void PerformanceView::CleanupWindow() {
    if (font_)
        DeleteObject(font_);
    font_ = nullptr;
    TWindow::CleanupWindow();
}

std::vector<PerformanceSample> PerformanceView::Series(std::vector<PerformanceSample> const &samples, bool smooth) {
    if (!smooth)
        return samples;
    std::vector<PerformanceSample> means(samples.size());
    for (size_t i = 0; i < samples.size(); ++i) {
        size_t first = i + 1 >= kSmoothing ? i + 1 - kSmoothing : 0;
        for (int s = 0; s < 3; ++s) {
            float sum = 0;
            for (size_t j = first; j <= i; ++j)
                sum += samples[j].share[s];
            means[i].share[s] = sum / float(i - first + 1);
        }
    }
    return means;
}

void PerformanceView::Paint(TDC &dc, int, TRect &) {
    StatusWindowSettings const &settings = TheStatusWindowSettings();
    std::vector<PerformanceSample> samples =
        Series(TakePerformanceHistory(), (settings.options & StatusWindowSettings::kSmooth) != 0);
    TRect client = GetClientRect();
    Fill(dc, client, RGB(0, 0, 0));
    HGDIOBJ oldFont = font_ ? SelectObject(dc, font_) : nullptr;
    bool alongTop = settings.dir != 0;
    TRect area = alongTop ? TRect(kScaleInset, kScaleDepth, client.right - kScaleInset, client.bottom)
                          : TRect(0, 0, client.right - kSideLabels, client.bottom);
    DrawScale(dc, area, settings.zoom, alongTop);
    DrawBars(dc, area, samples, alongTop);
    if (oldFont)
        SelectObject(dc, oldFont);
}

// The grid of quarters and their labels.
void PerformanceView::DrawScale(HDC dc, TRect const &area, int zoom, bool alongTop) {
    HPEN pen = CreatePen(PS_SOLID, 1, kGridColour);
    HGDIOBJ oldPen = SelectObject(dc, pen);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, kLabelColour);
    char const *const *labels = LabelsOf(zoom);
    for (int q = 0; q <= 4; ++q) {
        if (alongTop) {
            int x = area.left + area.Width() * q / 4;
            MoveToEx(dc, x, area.top, nullptr);
            LineTo(dc, x, area.bottom);
            SetTextAlign(dc, q == 0 ? TA_LEFT : q == 4 ? TA_RIGHT : TA_CENTER);
            TextOutA(dc, x, 2, labels[q], lstrlenA(labels[q]));
        } else {
            int y = area.bottom - 1 - (area.Height() - 1) * q / 4;
            MoveToEx(dc, area.left, y, nullptr);
            LineTo(dc, area.right, y);
            SetTextAlign(dc, TA_LEFT);
            TextOutA(dc, area.right + 2, std::max(0, std::min(y - 5, int(area.bottom) - 11)), labels[q],
                     lstrlenA(labels[q]));
        }
    }
    SelectObject(dc, oldPen);
    DeleteObject(pen);
}

// Newest first, one sample every two pixels away from the scale side, each shown series
// adding its segment to the bar.
void PerformanceView::DrawBars(HDC dc, TRect const &area, std::vector<PerformanceSample> const &samples,
                               bool alongTop) {
    StatusWindowSettings const &settings = TheStatusWindowSettings();
    int extent = alongTop ? area.Width() : area.Height();
    int step = 0;
    for (auto sample = samples.rbegin(); sample != samples.rend(); ++sample, step += kSampleStep) {
        int reached = 0;
        for (int s = 0; s < 3; ++s) {
            if (!(settings.options & (1 << s)))
                continue;
            int length = SegmentLength(sample->share[s], extent, settings.zoom);
            RECT bar;
            if (alongTop)
                bar = RECT{area.left + reached, area.top + step, area.left + reached + length, area.top + step + 1};
            else
                bar = RECT{area.right - 1 - step, area.bottom - reached - length, area.right - step,
                           area.bottom - reached};
            Fill(dc, bar, kSeriesColours[s]);
            reached += length;
        }
    }
}

// The frame above the client takes the menu's commands.
void PerformanceView::EvRButtonDown(uint, TPoint &point) {
    TrackTaskWindowMenu(kGraphMenu, GetHandle(), point, ::GetParent(GetParentH()));
}
