#include "core/Curve3D.h"
#include "core/Dib.h"

#include <cstdint>  // before Module.h, which needs it

#include "core/Module.h"
#include "core/Window.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

// --- Legend ---

Legend::Legend(const Legend &other) : Pos(other.Pos), Text(other.Text ? new String(*other.Text) : 0) {}

Legend &Legend::operator=(const Legend &other) {
    if (this != &other) {
        // Each legend owns its own text.
        String *text = other.Text ? new String(*other.Text) : 0;
        delete Text;
        Text = text;
        Pos = other.Pos;
    }
    return *this;
}

Legend::~Legend() { delete Text; }

TColor GetSpectralColor(int value) { return TColor(10 + value * 71 / 1000); }

// --- Curve3D ---

Curve3D::Curve3D()
    : Values(0), ValueMax(0), ValueDiv(0), ColorValues(0), ColorMax(0), NumCurves(0), NumPoints(0), XLegend(0),
      YLegend(0), BkColor(0ul), TextColor(0ul), AxisColor(0ul), ArrowColor(0ul), ColorMode(0), Font(0), Alpha(0),
      Beta(0), Gamma(0), Cx(0), Cy(0), Cz(0) {}

namespace {
const double DegToRad = 0.017453292519943295;

// The rotation and perspective that take a grid point to the screen.
class TProjection {
public:
    TProjection(const Curve3D &c) : Cx(c.Cx), Cy(c.Cy), Cz(c.Cz), Div(c.ValueDiv ? c.ValueDiv : 1) {
        double sa = std::sin(c.Alpha * DegToRad), ca = std::cos(c.Alpha * DegToRad);
        double sb = std::sin(c.Beta * DegToRad), cb = std::cos(c.Beta * DegToRad);
        double sg = std::sin(c.Gamma * DegToRad), cg = std::cos(c.Gamma * DegToRad);
        M[0][0] = cg * cb, M[0][1] = sb * sa + cb * sg * ca, M[0][2] = sa * cb * sg - sb * ca;
        M[1][0] = cg * sb, M[1][1] = sb * sg * ca - cb * sa, M[1][2] = sa * sb * sg + cb * ca;
        M[2][0] = -sg, M[2][1] = cg * ca, M[2][2] = cg * sa;
        D = std::sqrt(double(Cx) * Cx + double(Cy) * Cy + double(Cz) * Cz);
    }

    // The unscaled screen offsets (across, up) of a grid point.
    void Unscaled(int x, int y, int value, double &across, double &up) const {
        int dx = x - Cx, dy = y - Cy, dz = value / Div - Cz;
        double a = M[0][0] * dx + M[0][1] * dy + M[0][2] * dz;
        double u = M[1][0] * dx + M[1][1] * dy + M[1][2] * dz;
        double depth = M[2][0] * dx + M[2][1] * dy + M[2][2] * dz;
        // A centre at the origin gives no perspective; a point at or behind the eye is held just before it.
        double q = D > 0 ? depth / D + 1 : 1;
        if (q < 1e-3)
            q = 1e-3;
        across = a / q;
        up = u / q;
    }

    TPoint operator()(int x, int y, int value) const {
        double across, up;
        Unscaled(x, y, value, across, up);
        return TPoint(MarginX + OffsetX + int(std::trunc(ScaleX * across)),
                      OffsetY + DrawHeight + MarginY - int(std::trunc(ScaleY * up)));
    }

    double ScaleX = 1, ScaleY = 1;
    int OffsetX = 0, OffsetY = 0;
    int MarginX = 0, MarginY = 0, DrawHeight = 0;

private:
    int Cx, Cy, Cz, Div;
    double M[3][3];
    double D;
};

// Painting order and axis placement for one sector of the view angle.
struct TSector {
    bool OuterIsY;
    bool XForward, YForward;  // whether x and y run upward from 0
    bool XLegendFar, YLegendFar;  // legend row at ny + 4 / column at nx + 4 (else -5)
};

TSector SectorOf(int g) {
    static const TSector sectors[8] = {
        {true, true, false, false, true},   {false, true, false, false, true},
        {false, true, true, true, true},    {true, true, true, true, true},
        {true, false, true, true, false},   {false, false, true, true, false},
        {false, false, false, false, false}, {true, false, false, false, false},
    };
    return sectors[g < 0 ? 0 : g / 45];
}

int LegendCount(const Legend *legend) {
    int n = 0;
    while (legend && legend[n].Text)
        ++n;
    return n;
}

struct TCell {
    TPoint P;
    int Value;
    int Color;
};

// Index i of a run of n, counted from 0 forward or from n - 1 backward.
int Run(bool forward, int i, int n) { return forward ? i : n - 1 - i; }

// The top of the colour scale, never below 1.
int ColorScaleTop(const Curve3D &c) {
    int top = c.ColorValues ? c.ColorMax : c.ValueMax;
    return top > 0 ? top : 1;
}

// The room of the widest and the highest label.
TSize LabelRoom(TDC &dc, const Legend *xLegend, const Legend *yLegend) {
    TSize room(0, 0);
    for (const Legend *legend : {xLegend, yLegend}) {
        for (int i = 0, n = LegendCount(legend); i < n; ++i) {
            TSize extent = dc.GetTextExtent(*legend[i].Text, int(legend[i].Text->length()));
            room.cx = std::max<int>(room.cx, extent.cx);
            room.cy = std::max<int>(room.cy, extent.cy);
        }
    }
    return room;
}

// Scales the projection so that the box and the floor, legend rows included, fill the drawing area.
void FitProjection(TProjection &project, const Curve3D &c, TSize label, TSize draw) {
    int nx = c.NumCurves, ny = c.NumPoints, top = c.ValueMax;
    int xLo = c.YLegend ? -5 : 0, xHi = c.YLegend ? nx + 4 : nx - 1;
    int yLo = c.XLegend ? -5 : 0, yHi = c.XLegend ? ny + 4 : ny - 1;
    const int fit[12][3] = {
        {0, 0, 0},          {nx - 1, 0, 0},          {0, ny - 1, 0},          {nx - 1, ny - 1, 0},
        {0, 0, top},        {nx - 1, 0, top},        {0, ny - 1, top},        {nx - 1, ny - 1, top},
        {xLo, yLo, 0},      {xHi, yLo, 0},           {xLo, yHi, 0},           {xHi, yHi, 0},
    };
    double minA = 0, maxA = 0, minU = 0, maxU = 0;
    for (int i = 0; i < 12; ++i) {
        double a, u;
        project.Unscaled(fit[i][0], fit[i][1], fit[i][2], a, u);
        minA = i ? std::min(minA, a) : a, maxA = i ? std::max(maxA, a) : a;
        minU = i ? std::min(minU, u) : u, maxU = i ? std::max(maxU, u) : u;
    }
    double spanX = std::max(1.0, maxA - minA), spanY = std::max(1.0, maxU - minU);
    project.ScaleX = draw.cx / spanX;
    project.ScaleY = draw.cy / spanY;
    project.OffsetX = -int(std::trunc(project.ScaleX * minA));
    project.OffsetY = -int(std::trunc(draw.cy + label.cy - project.ScaleY * maxU));
    project.MarginX = label.cx;
    project.MarginY = label.cy;
    project.DrawHeight = draw.cy;
}

// One axis on the floor. Its points are given along it and across it, in grid units.
struct TFloorAxis {
    bool IsX;
    const Legend *Labels;
    int Length;     // grid points along it
    int LegendRow;  // where its labels stand across it
    int ArrowRow;   // where its arrow and ticks run, two units inside the labels
    int Outward;    // the direction across it away from the grid
};

// The layers of one drawing, from the back: background, axis arrows, ticks and labels, surface.
class TPlotPainter {
public:
    TPlotPainter(const Curve3D &plot, TDC &dc, const TRect &client);
    void Paint();

private:
    TFloorAxis Axis(bool isX) const;
    TPoint OnFloor(const TFloorAxis &axis, int along, int across) const;
    void PaintArrow(TPoint from, TPoint tip, TPoint base1, TPoint base2);
    void PaintArrow(const TFloorAxis &axis);
    void PaintLabels(const TFloorAxis &axis);
    void PaintSurface();
    TCell CellAt(int row, int step) const;
    TColor CellColor(int value) const;
    void PaintCell(const TCell &before, const TCell &here, const TCell *behindBefore, const TCell *behind);

    const Curve3D &Plot;
    TDC &Dc;
    TRect Client;
    int Gamma;
    TSector Sector;
    TProjection Project;
};

TPlotPainter::TPlotPainter(const Curve3D &plot, TDC &dc, const TRect &client)
    : Plot(plot), Dc(dc), Client(client), Gamma(plot.Gamma % 360), Sector(SectorOf(Gamma)), Project(plot) {
    TSize label = LabelRoom(dc, plot.XLegend, plot.YLegend);
    TSize draw(client.Width() - 2 * label.cx, client.Height() - 2 * label.cy);
    FitProjection(Project, plot, label, draw);
}

void TPlotPainter::Paint() {
    Dc.FillRect(Client, TBrush(Plot.BkColor));
    TFloorAxis x = Axis(true), y = Axis(false);
    if (Plot.XLegend)
        PaintArrow(x);
    if (Plot.YLegend)
        PaintArrow(y);
    {
        TPen axis(Plot.AxisColor);
        Dc.SelectObject(axis);
    }
    // Ticks and labels, transparent over the background.
    Dc.SetBkMode(TRANSPARENT);
    Dc.SetTextColor(Plot.TextColor);
    Dc.SetBkColor(Plot.BkColor);
    PaintLabels(x);
    PaintLabels(y);
    Dc.SetBkMode(OPAQUE);
    PaintSurface();
}

TFloorAxis TPlotPainter::Axis(bool isX) const {
    int length = isX ? Plot.NumCurves : Plot.NumPoints, across = isX ? Plot.NumPoints : Plot.NumCurves;
    int legendRow = (isX ? Sector.XLegendFar : Sector.YLegendFar) ? across + 4 : -5;
    int start = Run(isX ? Sector.YForward : Sector.XForward, 0, across);
    int outward = legendRow > start ? 1 : -1;
    return TFloorAxis{isX, isX ? Plot.XLegend : Plot.YLegend, length, legendRow, legendRow - 2 * outward, outward};
}

TPoint TPlotPainter::OnFloor(const TFloorAxis &axis, int along, int across) const {
    return axis.IsX ? Project(along, across, 0) : Project(across, along, 0);
}

void TPlotPainter::PaintArrow(TPoint from, TPoint tip, TPoint base1, TPoint base2) {
    {
        TPen axis(Plot.AxisColor);
        Dc.SelectObject(axis);
        Dc.MoveTo(from);
        Dc.LineTo(tip);
    }
    Dc.SelectStockObject(NULL_PEN);
    LOGBRUSH solid = {BS_SOLID, Plot.ArrowColor.GetValue(), 0};
    TBrush head(&solid);
    Dc.SelectObject(head);
    TPoint triangle[3] = {tip, base1, base2};
    Dc.Polygon(triangle, 3);
    Dc.RestoreBrush();
}

void TPlotPainter::PaintArrow(const TFloorAxis &axis) {
    int row = axis.ArrowRow, end = axis.Length;
    PaintArrow(OnFloor(axis, 0, row), OnFloor(axis, end + 2, row), OnFloor(axis, end, row - 1),
               OnFloor(axis, end, row + 1));
}

void TPlotPainter::PaintLabels(const TFloorAxis &axis) {
    TPoint axisNear = OnFloor(axis, 0, axis.LegendRow);
    TPoint axisFar = OnFloor(axis, 0, axis.LegendRow + 100 * axis.Outward);
    // Labels of an axis that runs leftward on the screen end at their anchor.
    bool toLeft = axisFar.x < axisNear.x && Gamma % 180 != 0;
    for (int i = 0, n = LegendCount(axis.Labels); i < n; ++i) {
        int p = axis.Labels[i].Pos;
        Dc.MoveTo(OnFloor(axis, p, axis.ArrowRow - 1));
        Dc.LineTo(OnFloor(axis, p, axis.ArrowRow + 1));
        TPoint anchor = OnFloor(axis, p, axis.LegendRow);
        const String &text = *axis.Labels[i].Text;
        TSize extent = Dc.GetTextExtent(text, int(text.length()));
        TRect rect(anchor.x, anchor.y, anchor.x + extent.cx, anchor.y + extent.cy);
        if (toLeft)
            rect.Offset(-extent.cx, 0);
        Dc.DrawTextA(text, -1, rect, DT_CENTER | DT_NOCLIP);
    }
}

// The surface, from the far side to the near side: row by row, each cell between two points of
// its row and the two behind them.
void TPlotPainter::PaintSurface() {
    TBrush white(TColor::White);
    Dc.SelectObject(white);
    if (Plot.ColorMode == Curve3D::NoColors) {
        Dc.SelectStockObject(BLACK_PEN);
    } else {
        TPen gray(TColor::Gray);
        Dc.SelectObject(gray);
    }
    if (Plot.NumCurves <= 0 || Plot.NumPoints <= 0 || !Plot.Values)
        return;
    int rows = Sector.OuterIsY ? Plot.NumPoints : Plot.NumCurves;
    int steps = Sector.OuterIsY ? Plot.NumCurves : Plot.NumPoints;
    std::vector<TCell> previous(steps), current(steps);
    for (int r = 0; r < rows; ++r) {
        for (int j = 0; j < steps; ++j) {
            TCell cell = CellAt(r, j);
            if (j > 0)
                PaintCell(current[j - 1], cell, r ? &previous[j - 1] : 0, r ? &previous[j] : 0);
            current[j] = cell;
        }
        std::swap(previous, current);
    }
}

TCell TPlotPainter::CellAt(int row, int step) const {
    int ny = Plot.NumPoints;
    int x = Run(Sector.XForward, Sector.OuterIsY ? step : row, Plot.NumCurves);
    int y = Run(Sector.YForward, Sector.OuterIsY ? row : step, ny);
    int v = Plot.Values[x * ny + y];
    int k = Plot.ColorValues ? Plot.ColorValues[x * ny + y] : v;
    return TCell{Project(x, y, v), v, k};
}

TColor TPlotPainter::CellColor(int value) const {
    int top = ColorScaleTop(Plot);
    // Values beyond the scale take its ends.
    long long c = std::min(std::max(value, 0), top);
    return Plot.ColorMode == Curve3D::GreyRamp ? TColor(109 - int(c * 255 / top) * 27 / 255)
                                               : GetSpectralColor(int(c * 1000 / top));
}

// A cell of the first row (nothing behind) is the line from the point before to this one.
void TPlotPainter::PaintCell(const TCell &before, const TCell &here, const TCell *behindBefore,
                             const TCell *behind) {
    std::unique_ptr<TBrush> brush;
    if (Plot.ColorMode != Curve3D::NoColors) {
        int c = behind ? std::max(here.Color, std::max(behindBefore->Color, behind->Color)) : here.Color;
        LOGBRUSH solid = {BS_SOLID, CellColor(c).GetValue(), 0};
        brush.reset(new TBrush(&solid));
        Dc.SelectObject(*brush);
    }
    TPoint cell[5] = {before.P, here.P, behind ? behind->P : here.P, behind ? behindBefore->P : here.P, before.P};
    Dc.Polygon(cell, 5);
}
}  // namespace

void Curve3D::Draw(TWindow *window, TDC &dc) {
    TModule *common = TModule::_commonResourceDLL;
    Draw(dc, window->GetClientRect(), common ? common->GetHandle() : 0);
}

void Curve3D::Draw(TDC &dc, const TRect &client, HINSTANCE resources) {
    if (!resources)
        TXGdi::Raise(32736);
    // The palette whose indices the cells use.
    TDib paletteDib(resources, IDB_CURVE3D_PALETTE);
    TPalette palette(paletteDib, 0);
    dc.SelectObject(palette, false);
    dc.RealizePalette();

    std::unique_ptr<TFont> ownFont;
    if (!Font)
        ownFont.reset(new TFont("Small Fonts", -9, 0, 0, 0, FW_NORMAL, 0, 0, 0, 0, 1));
    dc.SelectObject(Font ? *Font : *ownFont);

    TPlotPainter(*this, dc, client).Paint();
    // Put back the context's brush; pen, font and palette go when it is restored.
    dc.RestoreBrush();
}
