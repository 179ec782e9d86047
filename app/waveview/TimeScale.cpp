#include "waveview/TimeScale.h"

#include "core/Dc.h"
#include "core/GdiObject.h"
#include "waveview/LevelScale.h"
#include "waveview/WaveView.h"

namespace {

char const kWidestLabel[] = "0000.000000 MB";

}  // namespace

TimeScale::TimeScale(int id, WaveView *view, TimeScaleStyle *style, long origin)
    : TWindow(view, 0), style_(style), origin_(origin), labelCell_(50, 20),
      preferredHeight_(33), view_(view) {
    Attr.Id = id;
    Attr.Style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;
    MeasureLabelCell();
}

void TimeScale::GetWindowClass(WNDCLASSA &wc) {
    TWindow::GetWindowClass(wc);
    wc.hbrBackground = 0;
    wc.hCursor = 0;
}

void TimeScale::MeasureLabelCell() {
    labelCell_ = MeasureText(style_->font, kWidestLabel, TSize(50, 20));
    preferredHeight_ = labelCell_.cy * 5 / 3;
}

// The face of the ruler; its ticks, labels and marker glyphs are drawn on it.
void TimeScale::Paint(TDC &dc, int, TRect &) {
    TRect r = GetClientRect();
    ::FillRect(dc, &r, ::GetSysColorBrush(COLOR_BTNFACE));
    TRect bottom(r.left, r.bottom - 1, r.right, r.bottom);
    ::FillRect(dc, &bottom, ::GetSysColorBrush(COLOR_BTNSHADOW));
}
