#include "core/UIParts.h"

#include <cstdlib>
#include <memory>

namespace {
std::unique_ptr<THatch8x8Brush> hatchBrush;

struct THandleCleanup {
    ~THandleCleanup() { hatchBrush.reset(); }
} handleCleanup;

TBrush &HatchBrush() {
    if (!hatchBrush)
        hatchBrush.reset(new THatch8x8Brush(THatch8x8Brush::Hatch13F1, TColor::White, TColor::Black));
    return *hatchBrush;
}

// Where a coordinate lies along one axis of the handles: 0 before the inner
// range, 2 after it, 1 on the middle grapple, -1 between grapples.
int Band(int p, int lo, int hi, int thickness) {
    if (p < lo)
        return 0;
    if (p >= hi)
        return 2;
    return std::abs(p - (lo + (hi - lo) / 2)) <= thickness / 2 ? 1 : -1;
}
}  // namespace

TUIHandle::TUIHandle(const TRect &frame, unsigned style, int thickness)
    : Frame(frame), Style(style), HandleBox(thickness, thickness) {}

TRect TUIHandle::GetBoundingRect() const {
    return Style & HandlesOut ? Frame.InflatedBy(HandleBox) : Frame;
}

TUIHandle::TWhere TUIHandle::HitTest(const TPoint &point) const {
    TRect outer = GetBoundingRect();
    if (!outer.Contains(point))
        return Nowhere;
    TRect inner = outer.InflatedBy(-HandleBox.cx, -HandleBox.cy);
    if (inner.Contains(point))
        return Style & InsideSpecial ? Inside : MidCenter;
    if (!(Style & Grapples))
        return MidCenter;

    int column = Band(point.x, inner.left, inner.right, HandleBox.cx);
    int row = Band(point.y, inner.top, inner.bottom, HandleBox.cy);
    if (column < 0 || row < 0)
        return MidCenter;
    return TWhere(3 * row + column);
}

unsigned TUIHandle::GetCursorId(TWhere where) {
    switch (where) {
    case Nowhere: return 0;
    case Inside: return 32513;  // text beam
    case TopLeft:
    case BottomRight: return 32642;
    case TopRight:
    case BottomLeft: return 32643;
    case MidLeft:
    case MidRight: return 32644;
    case TopCenter:
    case BottomCenter: return 32645;
    default: return 32512;  // arrow
    }
}

void TUIHandle::Paint(TDC &dc) const {
    TRect r = GetBoundingRect();
    if (Style & (Framed | DashFramed)) {
        int oldRop = dc.SetROP2(R2_XORPEN);
        if (Style & Framed) {
            dc.FrameRect(Frame, TBrush(TColor::Black));
        } else {
            TPen dashed(TColor::White, 1, PS_DASH);
            dc.SelectObject(dashed);
            dc.SelectStockObject(HOLLOW_BRUSH);
            TColor oldBk = dc.SetBkColor(TColor::Black);
            dc.Rectangle(Frame);
            dc.SetBkColor(oldBk);
            dc.RestorePen();
            dc.RestoreBrush();
        }
        dc.SetROP2(oldRop);
        if (!(Style & HandlesOut))
            r.Inflate(-1, -1);
    }

    int w = HandleBox.cx, h = HandleBox.cy;
    int cx = r.Width() / 2 - w / 2;
    int cy = r.Height() / 2 - h / 2;
    if (Style & Grapples) {
        dc.PatBlt(r.left, r.top, w, h, DSTINVERT);
        dc.PatBlt(r.left + cx, r.top, w, h, DSTINVERT);
        dc.PatBlt(r.right - w, r.top, w, h, DSTINVERT);
        dc.PatBlt(r.left, r.top + cy, w, h, DSTINVERT);
        dc.PatBlt(r.right - w, r.top + cy, w, h, DSTINVERT);
        dc.PatBlt(r.left, r.bottom - h, w, h, DSTINVERT);
        dc.PatBlt(r.left + cx, r.bottom - h, w, h, DSTINVERT);
        dc.PatBlt(r.right - w, r.bottom - h, w, h, DSTINVERT);
    }
    if (Style & (HatchBorder | HatchRect)) {
        dc.SelectObject(HatchBrush());
        if (Style & HatchRect) {
            dc.PatBlt(r, PATINVERT);
        } else {
            // The border band between the grapples, split at the middle ones;
            // a rectangle too small for a strip has none.
            auto strip = [&](int x, int y, int sw, int sh) {
                if (sw > 0 && sh > 0)
                    dc.PatBlt(x, y, sw, sh, PATINVERT);
            };
            strip(r.left + w, r.top, cx - w, h);
            strip(r.left + cx + w, r.top, r.right - w - (r.left + cx + w), h);
            strip(r.left + w, r.bottom - h, cx - w, h);
            strip(r.left + cx + w, r.bottom - h, r.right - w - (r.left + cx + w), h);
            strip(r.left, r.top + h, w, cy - h);
            strip(r.left, r.top + cy + h, w, r.bottom - h - (r.top + cy + h));
            strip(r.right - w, r.top + h, w, cy - h);
            strip(r.right - w, r.top + cy + h, w, r.bottom - h - (r.top + cy + h));
        }
        dc.RestoreBrush();
    }
}
