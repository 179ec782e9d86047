#include "waveview/LevelScale.h"

#include "core/Dc.h"
#include "waveview/WavePane.h"
#include "waveview/WaveView.h"

#include <cstring>

LevelScale::LevelScale(WavePane *pane, LevelScaleStyle *style)
    : TWindow(pane->GetView(), "level scale"), style_(style), labelCell_(50, 20), view_(pane->GetView()),
      pane_(pane) {
    Attr.Style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;
    MeasureLabelCell();
}

void LevelScale::GetWindowClass(WNDCLASSA &wc) {
    TWindow::GetWindowClass(wc);
    wc.style |= CS_VREDRAW;
    wc.hbrBackground = 0;
}

void LevelScale::MeasureLabelCell() {
    labelCell_ = MeasureText(style_->font, "-00000", TSize(50, 20));
    preferredWidth_ = labelCell_.cx + 10;
}

// The face of the scale (flat: the pane's background); its ticks and labels are drawn on it.
void LevelScale::Paint(TDC &dc, int, TRect &) {
    TRect r = GetClientRect();
    if (style_->style) {
        ::FillRect(dc, &r, ::GetSysColorBrush(COLOR_BTNFACE));
        TRect edge(r.right - 1, r.top, r.right, r.bottom);
        ::FillRect(dc, &edge, ::GetSysColorBrush(COLOR_BTNSHADOW));
    } else {
        HBRUSH back = ::CreateSolidBrush(pane_->GetColors().colors[WavePaneColors::kBack]);
        ::FillRect(dc, &r, back);
        ::DeleteObject(back);
    }
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
