#include "shell/FFT3DView.h"

#include "shell/AnalysisWindows.h"
#include "shell/FFT3DDoc.h"

#include "core/Curve3D.h"
#include "core/Dc.h"
#include "manager/DocumentManager.h"
#include "manager/MdiDocumentWindows.h"

#include <windows.h>

namespace {

// The plotter's centre: how far the eye stands from the grid of 60 slices.
int const kCentre[3] = {60, 100, 200};

TColor const kGrid(128, 128, 128), kLightGrid(192, 192, 192);

}  // namespace

DEFINE_RESPONSE_TABLE1(FFT3DView, TWindow)
    EV_COMMAND(FFT3DView::kCmOpenAnotherView, CmOpenAnotherView), EV_WM_RBUTTONDOWN, EV_WM_LBUTTONDBLCLK,
END_RESPONSE_TABLE;

FFT3DView::FFT3DView(FFT3DDoc &doc, FFT3DStyle const &style)
    : TWindow(0, 0, 0), View("FFT3DView", doc, 0), style_(style) {
    Attr.Style = WS_CHILD | WS_VISIBLE;
    SetWindow(this);
}

FFT3DDoc &FFT3DView::GetAnalysis() const { return static_cast<FFT3DDoc &>(GetDocument()); }

void FFT3DView::SetStyle(FFT3DStyle const &style) {
    style_ = style;
    if (GetHandle())
        Invalidate(false);
}

void FFT3DView::OpenChildWindow(TRect const *rect) { OpenDocumentWindow(*this, rect); }

void FFT3DView::FillPlot(Curve3D &plot, TFont *font) const {
    FFT3DDoc const &doc = GetAnalysis();
    bool logarithmic = style_.ampScale == 1;
    plot.Values = (logarithmic ? doc.GetLogarithmicLevels() : doc.GetLinearLevels()).data();
    plot.ValueMax = bands::kLevelTop;
    plot.ValueDiv = 10;
    bool byFrequency = style_.colorMode == 1 && style_.style == FFT3DStyle::kSpectral;
    plot.ColorValues = byFrequency ? doc.GetBandPositions().data() : plot.Values;
    plot.ColorMax = bands::kLevelTop;
    plot.NumCurves = doc.GetNumSlices();
    plot.NumPoints = doc.GetNumBands();
    plot.XLegend = doc.GetTimeLabels();
    plot.YLegend = doc.GetFrequencyLabels();
    bool white = style_.back == 1;
    plot.BkColor = white ? TColor::White : TColor::Black;
    plot.TextColor = white ? TColor::Black : TColor::White;
    plot.AxisColor = kGrid;
    plot.ArrowColor = kLightGrid;
    plot.ColorMode = style_.style;
    plot.Font = font;
    plot.Alpha = plot.Beta = 0;
    plot.Gamma = style_.angle;
    plot.Cx = kCentre[0], plot.Cy = kCentre[1], plot.Cz = kCentre[2];
}

int FFT3DView::OnStartRubber() { return Manager ? Manager->OnStartRubber() : 0; }

void FFT3DView::OnEndRubber(TRect const &rect) { GetAnalysis().OpenAnotherView(*this, rect); }

void FFT3DView::GetWindowClass(WNDCLASSA &wc) {
    TWindow::GetWindowClass(wc);
    wc.hbrBackground = 0;  // the plot paints every pixel
    wc.style = CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS;
}

void FFT3DView::Paint(TDC &dc, int, TRect &) {
    TFont font("Small Fonts", -9, 0, 0, 0, FW_NORMAL, 0, 0, 0, 0, 1);
    Curve3D plot;
    FillPlot(plot, &font);
    plot.Draw(this, dc);
}

void FFT3DView::CmOpenAnotherView() {
    FFT3DView *active = Manager ? dynamic_cast<FFT3DView *>(Manager->FindActiveView()) : 0;
    TWindow *frame = active ? active->Parent : 0;
    MDIClient *client = Manager ? Manager->GetMDIClient() : 0;
    if (!frame || !client || !frame->GetHandle())
        return;
    TRect rect = frame->GetWindowRect();
    ::MapWindowPoints(0, client->GetHandle(), reinterpret_cast<POINT *>(&rect), 2);
    active->GetAnalysis().OpenAnotherView(*active, rect);
}

void FFT3DView::EvRButtonDown(uint, TPoint &) { AskForSettings(); }

void FFT3DView::EvLButtonDblClk(uint, TPoint &) { AskForSettings(); }

void FFT3DView::AskForSettings() {
    TWindow *frame = Manager ? Manager->GetMainWindow() : 0;
    if (frame && frame->GetHandle())
        frame->PostMessageA(WM_COMMAND, kCmSettings, 0);
}
