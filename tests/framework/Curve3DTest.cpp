// The 3-D waterfall plot: perspective, colour scale, legend and painting order.
#include "core/Curve3D.h"
#include "core/Dib.h"
#include "tests/framework/GdiCanvas.h"
#include "core/Module.h"
#include "core/Window.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {
class Curve3DTest : public ::testing::Test {
protected:
    void SetUp() override {
        Common = ::LoadLibraryA((ProgramFolder() + "..\\program\\system\\CommonRscTs.dll").c_str());
        ASSERT_TRUE(Common);
        TDib palette(Common, IDB_CURVE3D_PALETTE);
        for (int i = 0; i < 256; ++i)
            Palette[i] = palette.GetColor(i).GetRaw();
    }
    void TearDown() override { ::FreeLibrary(Common); }

    // A plot of nx curves of ny points, values from the function.
    template <class F>
    Curve3D Plot(int nx, int ny, F value) {
        Values.assign(nx * ny, 0);
        for (int x = 0; x < nx; ++x)
            for (int y = 0; y < ny; ++y)
                Values[x * ny + y] = value(x, y);
        Curve3D c;
        c.Values = Values.data();
        c.ValueMax = 1000;
        c.ValueDiv = 10;
        c.NumCurves = nx;
        c.NumPoints = ny;
        c.BkColor = TColor(0, 0, 64);
        c.TextColor = TColor(255, 255, 0);
        c.AxisColor = TColor(0, 200, 200);
        c.ArrowColor = TColor(255, 0, 128);
        c.ColorMode = Curve3D::Spectral;
        c.Cx = 60, c.Cy = 100, c.Cz = 200;
        return c;
    }

    void Draw(Curve3D &c, Canvas &canvas) { c.Draw(canvas.dc(), TRect(0, 0, canvas.Width, canvas.Height), Common); }

    HMODULE Common = 0;
    COLORREF Palette[256];
    std::vector<int> Values;
};

int Ridges(int x, int y) {
    double peak = 1000 * std::exp(-((y - 20.0) * (y - 20.0)) / 30.0) * (1.0 - x / 40.0);
    return int(peak + 50 + 40 * std::sin(x * 0.7 + y * 0.3));
}
}  // namespace

TEST_F(Curve3DTest, ReferencePictureWithLegendAndSpectralScale) {
    Curve3D c = Plot(24, 48, Ridges);
    Legend xLegend[4] = {{0, "0 s"}, {10, "1 s"}, {20, "2 s"}, {}};
    Legend yLegend[4] = {{0, "0 Hz"}, {20, "10 kHz"}, {40, "20 kHz"}, {}};
    c.XLegend = xLegend;
    c.YLegend = yLegend;
    c.Gamma = 30;
    Canvas canvas(400, 300);
    Draw(c, canvas);
    EXPECT_TRUE(canvas.Save(ProgramFolder() + "Curve3DReference.bmp"));

    EXPECT_EQ(RGB(0, 0, 64), canvas.At(0, 0));
    EXPECT_GT(canvas.Count(Palette[81]), 0);  // the peak at the top of the scale
    EXPECT_GT(canvas.Count(RGB(255, 0, 128)), 0);  // arrowheads
    EXPECT_GT(canvas.Count(RGB(255, 255, 0)), 0);  // labels
    EXPECT_GT(canvas.Count(RGB(0, 200, 200)), 0);  // axes and ticks
    EXPECT_EQ(0, canvas.Count(RGB(255, 255, 255)));  // every cell coloured
}

TEST_F(Curve3DTest, ColourScaleEnds) {
    EXPECT_EQ(0x0100000Au, GetSpectralColor(0).GetRaw());
    EXPECT_EQ(0x01000051u, GetSpectralColor(1000).GetRaw());

    const struct {
        int mode, value;
        int index;
    } cases[] = {{Curve3D::Spectral, 0, 10}, {Curve3D::Spectral, 1000, 81}, {Curve3D::GreyRamp, 0, 109},
                 {Curve3D::GreyRamp, 1000, 82}, {Curve3D::Spectral, 5000, 81}, {Curve3D::GreyRamp, -40, 109}};
    for (auto t : cases) {
        Curve3D c = Plot(6, 6, [&](int, int) { return t.value; });
        c.ColorMode = t.mode;
        c.ValueDiv = 100000;  // a flat field: only the colours tell the values
        c.Alpha = 40;
        c.Cx = 3, c.Cy = 3, c.Cz = 20;
        Canvas canvas(120, 100);
        Draw(c, canvas);
        EXPECT_GT(canvas.Count(Palette[t.index]), 50) << "mode " << t.mode << " value " << t.value;
        int other = t.index == 10 ? 81 : t.index == 81 ? 10 : t.index == 82 ? 109 : 82;
        EXPECT_EQ(0, canvas.Count(Palette[other])) << "mode " << t.mode << " value " << t.value;
    }
}

TEST_F(Curve3DTest, HiddenLineModeDrawsWhiteCellsWithBlackEdges) {
    Curve3D c = Plot(8, 8, [](int x, int y) { return (x + y) * 50; });
    c.ColorMode = Curve3D::NoColors;
    c.ValueDiv = 100;
    c.Alpha = 30;
    c.Cx = 4, c.Cy = 4, c.Cz = 30;
    Canvas canvas(160, 120);
    Draw(c, canvas);
    EXPECT_GT(canvas.Count(RGB(255, 255, 255)), 500);
    EXPECT_GT(canvas.Count(RGB(0, 0, 0)), 100);
    for (int i = 10; i <= 109; ++i) {
        if (Palette[i] != RGB(255, 255, 255) && Palette[i] != 0) {
            EXPECT_EQ(0, canvas.Count(Palette[i])) << i;
        }
    }
}

TEST_F(Curve3DTest, PerspectiveNarrowsTheFarRows) {
    // Looking down at a flat field: rows far from the eye come out narrower.
    auto rowWidths = [&](int cz, int &first, int &last) {
        Curve3D c = Plot(20, 20, [](int, int) { return 0; });
        c.ValueMax = 0;
        c.Alpha = 30;
        c.Cx = 10, c.Cy = 10, c.Cz = cz;
        Canvas canvas(200, 200);
        Draw(c, canvas);
        std::vector<int> widths;
        for (int y = 0; y < canvas.Height; ++y) {
            int n = 0;
            for (int x = 0; x < canvas.Width; ++x)
                n += canvas.At(x, y) == Palette[10];
            if (n)
                widths.push_back(n);
        }
        ASSERT_GT(widths.size(), 20u);
        first = widths[widths.size() / 10], last = widths[widths.size() * 9 / 10];
    };
    int strongFirst, strongLast, flatFirst, flatLast;
    rowWidths(5, strongFirst, strongLast);
    rowWidths(100000, flatFirst, flatLast);
    EXPECT_GT(std::abs(strongFirst - strongLast), 30);
    EXPECT_LT(std::abs(flatFirst - flatLast), 6);
}

TEST_F(Curve3DTest, FitFillsTheWidthWithoutLegends) {
    Curve3D c = Plot(10, 10, [](int, int) { return 500; });
    c.Gamma = 20;
    Canvas canvas(200, 150);
    Draw(c, canvas);
    int left = canvas.Width, right = -1;
    for (int y = 0; y < canvas.Height; ++y)
        for (int x = 0; x < canvas.Width; ++x)
            if (canvas.At(x, y) != RGB(0, 0, 64))
                left = std::min(left, x), right = std::max(right, x);
    EXPECT_LE(left, 1);
    EXPECT_GE(right, canvas.Width - 2);
    EXPECT_EQ(0, canvas.Count(RGB(255, 0, 128)));  // no arrows without legends
}

TEST_F(Curve3DTest, FullTurnsDrawTheSame) {
    Canvas turned0(150, 120), turned360(150, 120), turnedBack(150, 120);
    for (auto [gamma, canvas] : {std::pair<int, Canvas *>{0, &turned0}, {360, &turned360}, {-720, &turnedBack}}) {
        Curve3D c = Plot(12, 12, Ridges);
        Legend legend[2] = {{5, "5"}, {}};
        c.XLegend = legend;
        c.Gamma = gamma;
        Draw(c, *canvas);
    }
    EXPECT_TRUE(turned0.SameAs(turned360));
    EXPECT_TRUE(turned0.SameAs(turnedBack));
}

TEST_F(Curve3DTest, DegenerateInputDrawsWithoutDividingByZero) {
    for (int nx : {0, 1, 2}) {
        Curve3D c = Plot(nx, nx ? 3 : 0, [](int, int) { return 0; });
        c.ValueMax = 0;
        c.ValueDiv = 0;
        c.ColorMax = 0;
        c.Cx = c.Cy = c.Cz = 0;
        Canvas canvas(50, 40);
        Draw(c, canvas);
        EXPECT_GT(canvas.Count(RGB(0, 0, 64)), 0) << nx;
    }
}

TEST_F(Curve3DTest, DrawsOverAWindowWithTheCommonResourceModule) {
    HWND hwnd = ::CreateWindowA("STATIC", "", WS_POPUP, 0, 0, 120, 90, 0, 0, ::GetModuleHandleA(0), 0);
    ASSERT_TRUE(hwnd);
    {
        TWindow window(hwnd);
        TModule common("CommonRscTs", Common);
        TModule::_commonResourceDLL = &common;
        Curve3D c = Plot(8, 8, Ridges);
        c.Gamma = 50;
        Canvas throughWindow(120, 90), direct(120, 90);
        c.Draw(&window, throughWindow.dc());
        TModule::_commonResourceDLL = 0;
        Draw(c, direct);
        EXPECT_TRUE(throughWindow.SameAs(direct));
        EXPECT_THROW(c.Draw(&window, throughWindow.dc()), TXGdi);  // no common module
    }
    ::DestroyWindow(hwnd);
}

TEST_F(Curve3DTest, MissingPaletteRaisesBeforeDrawing) {
    Curve3D c = Plot(3, 3, Ridges);
    Canvas canvas(20, 20);
    try {
        c.Draw(canvas.dc(), TRect(0, 0, 20, 20), ::GetModuleHandleA(0));
        FAIL() << "drew without the palette";
    } catch (const TXGdi &failure) {
        EXPECT_EQ(32736u, failure.GetErrorCode());
    }
    EXPECT_EQ(400, canvas.Count(RGB(255, 255, 255)));
}

TEST(Legend, EachLegendOwnsItsText) {
    Legend a(3, "three");
    Legend b;
    b = a;
    Legend c(b);
    EXPECT_NE(a.Text, b.Text);
    EXPECT_NE(b.Text, c.Text);
    EXPECT_STREQ("three", c.Text->c_str());
    EXPECT_EQ(3, c.Pos);
    b = Legend();
    EXPECT_EQ(nullptr, b.Text);
}
