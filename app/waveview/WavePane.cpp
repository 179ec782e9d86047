// The pane's window: its class, the paint with its guard against paints inside paints,
// off-screen drawing, sizing and the commands of its context menu. Drawing itself is in
// WavePaneDraw.cpp, the cursors in WavePaneCursor.cpp.
#include "waveview/WavePane.h"

#include "audio/Wave.h"
#include "controls/ColorDialog.h"
#include "core/Dc.h"
#include "core/DrawHelpers.h"
#include "core/GdiObject.h"
#include "foundation/Exception.h"
#include "manager/DocumentManager.h"
#include "waveview/DoubleView.h"
#include "waveview/PaneRedraw.h"
#include "waveview/WaveFrame.h"
#include "waveview/WaveView.h"

#include <algorithm>
#include <memory>

namespace {

int const kMainMargin = 7;
int const kOverviewMargin = 1;

}  // namespace

unsigned long WavePane::_outerGeneration = 0;
int WavePane::_failFits = 0;

DEFINE_RESPONSE_TABLE1(WavePane, TWindow)
    EV_WM_PAINT,
    EV_WM_SIZE,
    EV_WM_ERASEBKGND,
    EV_WM_LBUTTONDOWN,
    EV_WM_MOUSEMOVE,
    EV_WM_LBUTTONUP,
    EV_WM_LBUTTONDBLCLK,
    EV_WM_RBUTTONDOWN,
    EV_WM_SETCURSOR,
    EV_WM_DESTROY,
    YRT_ROW(WM_CAPTURECHANGED, 0, v_LPARAM, EvCaptureChanged),
    YRT_ROW(WM_CANCELMODE, 0, v, EvCancelMode),
END_RESPONSE_TABLE;

WavePane::WavePane(WaveView *view, Wave *wave, int channel, WavePaneColors *colors)
    : TWindow(view, 0), colors_(colors), cache_(view->GetViewPeakCache()), view_(view), wave_(wave),
      margin_(view->IsOverview() ? kOverviewMargin : kMainMargin), channel_(channel), channelBit_(1 << channel) {
    Attr.Style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;
}

WavePane::~WavePane() {
    WavePaneToRedraw::Forget(this);
    delete bitmap_;
    view_->ReleaseViewPeakCache();
}

void WavePane::GetWindowClass(WNDCLASSA &wc) {
    TWindow::GetWindowClass(wc);
    wc.style = CS_VREDRAW | CS_DBLCLKS;
    wc.hbrBackground = 0;
    wc.hCursor = 0;
}

void WavePane::FailNextFits(int count) { _failFits = count; }

PaneGeometry WavePane::Geometry() const {
    TRect r = GetClientRect();
    return PaneGeometry{r.Height(), margin_, view_->GetVerticalZoom(), view_->GetVerticalOffset(), r.top};
}

int WavePane::FrameX(int frame) const { return FramesToPixels(frame, view_->GetZoom()) - view_->GetScrollPosition(); }

int WavePane::FrameAt(int x) const {
    return PixelsToFrames(int64_t(x) + view_->GetScrollPosition(), view_->GetZoom());
}

int WavePane::CaretWidth() const { return std::min<int>(std::max<int>(view_->GetStyle().caretWidth, 1), 3); }

// The pane paints nothing behind the waveform: Draw fills every pixel.
int WavePane::EvEraseBkgnd(WPARAM) { return 1; }

void WavePane::ReportOnce(AException const &e) {
    if (reported_)
        return;
    reported_ = 1;
    if (_docManager)
        _docManager->WarnUser(e, 1);
}

// ---- painting

void WavePane::EvPaint() {
    if (PanePainting::IsActive()) {
        PaintNested();
        return;
    }
    {
        PanePainting painting;
        _outerGeneration = TheWaveFrame().GetPaintGeneration();
        if (!view_->IsFirstPaintDone())
            FitOnFirstPaint();
        TPaintDC dc(GetHandle());
        paintDC_ = &dc;
        TRect rect(dc.Ps.rcPaint);
        int offscreen = TheWaveFrame().IsFlickerFree();
        std::unique_ptr<TMemoryDC> memory;
        if (offscreen) {
            memory.reset(new TMemoryDC(dc));
            if (!bitmap_) {
                TRect client = GetClientRect();
                bitmap_ = new TBitmap(dc, std::max<int>(client.Width(), 1), std::max<int>(client.Height(), 1));
            }
        }
        drawDC_ = memory ? static_cast<TDC *>(memory.get()) : &dc;
        Draw(rect, offscreen);
        paintedOnce_ = 1;
        if (memory) {
            memory->RestoreBitmap();
            memory.reset();
            if (!keepBitmap_) {
                delete bitmap_;
                bitmap_ = nullptr;
            }
        }
        paintDC_ = drawDC_ = nullptr;
    }
    if (!WavePaneToRedraw::IsEmpty())
        WavePaneToRedraw::FlushAll();
}

// Painted over with the background unless this burst of painting drew the pane already;
// drawn properly once the outer paint ends.
void WavePane::PaintNested() {
    TPaintDC dc(GetHandle());
    TRect rect(dc.Ps.rcPaint);
    if (!paintedOnce_ || TheWaveFrame().GetPaintGeneration() != _outerGeneration) {
        TBrush back(TColor(COLORREF(colors_->colors[WavePaneColors::kBack])));
        ::FillRect(dc, &rect, back);
    }
    WavePaneToRedraw::Queue(this, rect);
}

// The whole wave across the width, and the vertical zoom that its loudest column fills.
void WavePane::FitOnFirstPaint() {
    view_->SetFirstPaintDone();
    try {
        if (_failFits > 0) {
            --_failFits;
            throw Exception("the first fit failed");
        }
        view_->FitWholeWave(GetClientRect().Width());
    } catch (AException const &e) {
        ReportOnce(e);
    }
}

void WavePane::EvSize(uint sizeType, TSize &size) {
    TWindow::EvSize(sizeType, size);
    if (sizeType == SIZE_MINIMIZED)
        return;
    // the kept bitmap has the old size
    delete bitmap_;
    bitmap_ = nullptr;
    view_->ResetScrollRange();
    if (DoubleView *doubleView = view_->GetDoubleView())
        doubleView->Invalidate(false);
    view_->ResetVerticalRange(-1);
}

void WavePane::SetScrolling(int scrolling) {
    keepBitmap_ = scrolling;
    if (!scrolling) {
        delete bitmap_;
        bitmap_ = nullptr;
    }
}

// ---- the context menu's commands

void WavePane::PickColor(WavePaneColors::Index index, bool inverted) {
    unsigned long color = colors_->colors[index];
    if (inverted)
        color = InvertColor(TColor(color)).GetValue();
    if (!AskColor(this, color))
        return;
    colors_->colors[index] = inverted ? InvertColor(TColor(color)).GetValue() : color;
}

LRESULT WavePane::EvCommand(uint id, HWND hWndCtl, uint notifyCode) {
    WaveViewStyle &style = view_->GetStyle();
    if (id >= kCmColorWave && id <= kCmColorAxis50) {
        PickColor(WavePaneColors::Index(id - kCmColorWave), false);
        Invalidate(false);
        if (id == kCmColorBack)
            view_->InvalidateScales(channel_);
    } else if (id == kCmColorMarker) {
        PickColor(WavePaneColors::kMarker, false);
        Invalidate(false);
    } else if (id == kCmColorCaret) {
        PickColor(WavePaneColors::kCaret, true);
        view_->Invalidate(false);
    } else if (id >= kCmCaretWidth1 && id <= kCmCaretWidth3) {
        style.caretWidth = int16_t(id - kCmCaretWidth1 + 1);
        view_->Invalidate(false);
    } else if (id == kCmMarkersSolid || id == kCmMarkersDotted) {
        int16_t mine = id == kCmMarkersSolid ? kMarkerLinesSolid : kMarkerLinesDotted;
        int16_t other = mine == kMarkerLinesSolid ? kMarkerLinesDotted : kMarkerLinesSolid;
        style.markers = style.markers & mine ? style.markers & ~mine : (style.markers & ~other) | mine;
        view_->Invalidate(false);
    } else if (id == kCmMarkerNames) {
        style.markers ^= kMarkerNames;
        view_->Invalidate(false);
    } else {
        DoubleView::TargetScope target(view_);
        return TWindow::EvCommand(id, hWndCtl, notifyCode);
    }
    return 0;
}

void WavePane::EvCommandEnable(TCommandEnabler &ce) {
    WaveViewStyle const &style = view_->GetStyle();
    uint id = ce.GetId();
    if ((id >= 449 && id <= kCmColorSelBack) || id == kCmColorCaret || id == 465 || id == kCmColorMarker) {
        ce.Enable(1);
    } else if (id == kCmColorAxis || id == kCmColorAxis50) {
        ce.Enable((id == kCmColorAxis ? style.axis : style.axis50) != 0);
    } else if (id >= kCmCaretWidth1 && id <= kCmCaretWidth3) {
        ce.Enable(1);
        ce.SetCheck(int(id) == style.caretWidth + kCmCaretWidth1 - 1 ? TCommandEnabler::Checked
                                                                      : TCommandEnabler::Unchecked);
    } else if (id == kCmMarkersSolid) {
        ce.Enable(1);
        ce.SetCheck(style.markers & kMarkerLinesSolid ? TCommandEnabler::Checked : TCommandEnabler::Unchecked);
    } else if (id == kCmMarkersDotted) {
        ce.Enable(1);
        ce.SetCheck(style.markers & kMarkerLinesDotted ? TCommandEnabler::Checked : TCommandEnabler::Unchecked);
    } else if (id == kCmMarkerNames) {
        ce.Enable(1);
        ce.SetCheck(style.markers & kMarkerNames ? TCommandEnabler::Checked : TCommandEnabler::Unchecked);
    } else {
        TWindow::EvCommandEnable(ce);
    }
}

// ---- the separator

DEFINE_RESPONSE_TABLE1(WavePaneSeparator, TWindow)
    EV_WM_LBUTTONDOWN,
    EV_WM_SETCURSOR,
END_RESPONSE_TABLE;

WavePaneSeparator::WavePaneSeparator(WaveView *view) : TWindow(view, 0), view_(*view) {
    Attr.Style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;
    SetBkgndColor(TColor::Gray);
}

void WavePaneSeparator::GetWindowClass(WNDCLASSA &wc) {
    TWindow::GetWindowClass(wc);
    wc.hCursor = 0;
}

// A press on the line is a press in the first pane.
void WavePaneSeparator::EvLButtonDown(uint modKeys, TPoint &point) {
    WavePane *pane = view_.GetFirstPane();
    if (!pane || !pane->GetHandle())
        return;
    POINT at = point;
    ::MapWindowPoints(GetHandle(), pane->GetHandle(), &at, 1);
    if (at.x >= 0)
        pane->PostMessageA(WM_LBUTTONDOWN, modKeys, MAKELPARAM(at.x, at.y));
}

int WavePaneSeparator::EvSetCursor(HWND window, uint hitTest, uint mouseMsg) {
    WavePane *pane = view_.GetFirstPane();
    return pane && pane->GetHandle() ? pane->EvSetCursor(window, hitTest, mouseMsg) : 0;
}
