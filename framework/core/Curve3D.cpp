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
}  // namespace

void Curve3D::Draw(TWindow *window, TDC &dc) {
    TModule *common = TModule::_commonResourceDLL;
    Draw(dc, window->GetClientRect(), common ? common->GetHandle() : 0);
}

void Curve3D::Draw(TDC &dc, const TRect &client, HINSTANCE resources) {
    if (!resources)
        TXGdi::Raise(32736);
    // 1. The palette whose indices the cells use.
    TDib paletteDib(resources, IDB_CURVE3D_PALETTE);
    TPalette palette(paletteDib, 0);
    dc.SelectObject(palette, false);
    dc.RealizePalette();

    // 2. The label font.
    std::unique_ptr<TFont> ownFont;
    if (!Font)
        ownFont.reset(new TFont("Small Fonts", -9, 0, 0, 0, FW_NORMAL, 0, 0, 0, 0, 1));
    dc.SelectObject(Font ? *Font : *ownFont);

    // 3. Margins for the widest and highest label.
    int nx = NumCurves, ny = NumPoints;
    int labelW = 0, labelH = 0;
    for (const Legend *legend : {XLegend, YLegend}) {
        for (int i = 0, n = LegendCount(legend); i < n; ++i) {
            TSize extent = dc.GetTextExtent(*legend[i].Text, int(legend[i].Text->length()));
            labelW = std::max<int>(labelW, extent.cx);
            labelH = std::max<int>(labelH, extent.cy);
        }
    }
    int drawW = client.Width() - 2 * labelW;
    int drawH = client.Height() - 2 * labelH;

    // 6. The view sector (needed by the fit for the legend rows).
    int g = Gamma % 360;
    TSector sector = SectorOf(g);
    int ly = sector.XLegendFar ? ny + 4 : -5;
    int lx = sector.YLegendFar ? nx + 4 : -5;

    // 5. Fit the box and the floor to the drawing area.
    TProjection project(*this);
    int xLo = YLegend ? -5 : 0, xHi = YLegend ? nx + 4 : nx - 1;
    int yLo = XLegend ? -5 : 0, yHi = XLegend ? ny + 4 : ny - 1;
    const int fit[12][3] = {
        {0, 0, 0},          {nx - 1, 0, 0},          {0, ny - 1, 0},          {nx - 1, ny - 1, 0},
        {0, 0, ValueMax},   {nx - 1, 0, ValueMax},   {0, ny - 1, ValueMax},   {nx - 1, ny - 1, ValueMax},
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
    project.ScaleX = drawW / spanX;
    project.ScaleY = drawH / spanY;
    project.OffsetX = -int(std::trunc(project.ScaleX * minA));
    project.OffsetY = -int(std::trunc(drawH + labelH - project.ScaleY * maxU));
    project.MarginX = labelW;
    project.MarginY = labelH;
    project.DrawHeight = drawH;

    int xStart = sector.XForward ? 0 : nx - 1;
    int yStart = sector.YForward ? 0 : ny - 1;
    int sy = ly > yStart ? 1 : -1;
    int sx = lx > xStart ? 1 : -1;

    // 7. Background.
    dc.FillRect(client, TBrush(BkColor));

    // 8. Axis arrows on the floor.
    auto arrow = [&](TPoint from, TPoint tip, TPoint base1, TPoint base2) {
        {
            TPen axis(AxisColor);
            dc.SelectObject(axis);
            dc.MoveTo(from);
            dc.LineTo(tip);
        }
        dc.SelectStockObject(NULL_PEN);
        LOGBRUSH solid = {BS_SOLID, ArrowColor.GetValue(), 0};
        TBrush head(&solid);
        dc.SelectObject(head);
        TPoint triangle[3] = {tip, base1, base2};
        dc.Polygon(triangle, 3);
        dc.RestoreBrush();
    };
    int axisY = ly - 2 * sy, axisX = lx - 2 * sx;
    if (XLegend)
        arrow(project(0, axisY, 0), project(nx + 2, axisY, 0), project(nx, axisY - 1, 0), project(nx, axisY + 1, 0));
    if (YLegend)
        arrow(project(axisX, 0, 0), project(axisX, ny + 2, 0), project(axisX - 1, ny, 0), project(axisX + 1, ny, 0));

    // 9. Ticks and labels, transparent over the background.
    {
        TPen axis(AxisColor);
        dc.SelectObject(axis);
    }
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(TextColor);
    dc.SetBkColor(BkColor);
    for (int which = 0; which < 2; ++which) {
        const Legend *legend = which == 0 ? XLegend : YLegend;
        int n = LegendCount(legend);
        if (!n)
            continue;
        TPoint axisNear = which == 0 ? project(0, ly, 0) : project(lx, 0, 0);
        TPoint axisFar = which == 0 ? project(0, ly + 100 * sy, 0) : project(lx + 100 * sx, 0, 0);
        bool toLeft = axisFar.x < axisNear.x && g % 180 != 0;
        for (int i = 0; i < n; ++i) {
            int p = legend[i].Pos;
            if (which == 0) {
                dc.MoveTo(project(p, axisY - 1, 0));
                dc.LineTo(project(p, axisY + 1, 0));
            } else {
                dc.MoveTo(project(axisX - 1, p, 0));
                dc.LineTo(project(axisX + 1, p, 0));
            }
            TPoint anchor = which == 0 ? project(p, ly, 0) : project(lx, p, 0);
            const String &text = *legend[i].Text;
            TSize extent = dc.GetTextExtent(text, int(text.length()));
            TRect rect(anchor.x, anchor.y, anchor.x + extent.cx, anchor.y + extent.cy);
            if (toLeft)
                rect.Offset(-extent.cx, 0);
            dc.DrawTextA(text, -1, rect, DT_CENTER | DT_NOCLIP);
        }
    }
    dc.SetBkMode(OPAQUE);

    // 10. The surface, from the far side to the near side.
    TBrush white(TColor::White);
    dc.SelectObject(white);
    if (ColorMode == NoColors) {
        dc.SelectStockObject(BLACK_PEN);
    } else {
        TPen gray(TColor::Gray);
        dc.SelectObject(gray);
    }
    if (nx > 0 && ny > 0 && Values) {
        int outerCount = sector.OuterIsY ? ny : nx;
        int innerCount = sector.OuterIsY ? nx : ny;
        int colorMax = ColorValues ? ColorMax : ValueMax;
        if (colorMax <= 0)
            colorMax = 1;
        std::vector<TCell> previous(innerCount), current(innerCount);
        for (int r = 0; r < outerCount; ++r) {
            for (int j = 0; j < innerCount; ++j) {
                int outer = sector.OuterIsY ? (sector.YForward ? r : ny - 1 - r) : (sector.XForward ? r : nx - 1 - r);
                int inner = sector.OuterIsY ? (sector.XForward ? j : nx - 1 - j) : (sector.YForward ? j : ny - 1 - j);
                int x = sector.OuterIsY ? inner : outer;
                int y = sector.OuterIsY ? outer : inner;
                int v = Values[x * ny + y];
                int k = ColorValues ? ColorValues[x * ny + y] : v;
                TPoint p = project(x, y, v);
                if (j > 0) {
                    std::unique_ptr<TBrush> cellBrush;
                    if (ColorMode != NoColors) {
                        int c = k;
                        if (r > 0)
                            c = std::max(c, std::max(previous[j - 1].Color, previous[j].Color));
                        // Values beyond the scale take its ends.
                        c = std::min(std::max(c, 0), colorMax);
                        TColor color = ColorMode == GreyRamp
                                           ? TColor(109 - int(static_cast<long long>(c) * 255 / colorMax) * 27 / 255)
                                           : GetSpectralColor(int(static_cast<long long>(c) * 1000 / colorMax));
                        LOGBRUSH solid = {BS_SOLID, color.GetValue(), 0};
                        cellBrush.reset(new TBrush(&solid));
                        dc.SelectObject(*cellBrush);
                    }
                    TPoint cell[5] = {current[j - 1].P, p, r ? previous[j].P : p, r ? previous[j - 1].P : p,
                                      current[j - 1].P};
                    dc.Polygon(cell, 5);
                }
                current[j] = TCell{p, v, k};
            }
            std::swap(previous, current);
        }
    }

    // 11. Put back the context's brush; pen, font and palette go when it is restored.
    dc.RestoreBrush();
}
