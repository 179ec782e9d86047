// What the library's sliders and the classic sliders do alike: snapping to ticks, testing
// a point against the thumb, a thumb without a picture, and telling the parent like a
// scroll bar.
#pragma once

#include "core/GdiObject.h"
#include "core/Window.h"

namespace SliderBasics {

// Clamped to [min, max], then to the nearest tick from min when snapping.
inline int SnapToTicks(int position, int min, int max, int step, int snap) {
    if (position < min)
        position = min;
    if (position > max)
        position = max;
    if (snap && step > 0)
        position = min + step * ((step / 2 + position - min) / step);
    return position;
}

// The thumb's region when it has one, else its rectangle.
inline bool InThumb(TRegion const *thumbRgn, TRect const &thumb, TPoint const &p) {
    return thumbRgn ? ::PtInRegion(*thumbRgn, p.x, p.y) : ::PtInRect(&thumb, p);
}

// WM_HSCROLL or WM_VSCROLL with the code and position, from the slider.
inline void NotifyScroll(TWindow const &slider, uint msg, int code, int position) {
    if (HWND parent = slider.GetParentH())
        ::SendMessageA(parent, msg, MAKEWPARAM(code, position), (LPARAM)slider.GetHandle());
}

// A thumb without a picture: a raised face, sunk while pressed.
inline void PaintPlainThumb(HDC dc, TRect const &thumb, bool pressed) {
    TRect r = thumb;
    ::FillRect(dc, &r, ::GetSysColorBrush(COLOR_BTNFACE));
    ::DrawEdge(dc, &r, pressed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
}

}  // namespace SliderBasics
