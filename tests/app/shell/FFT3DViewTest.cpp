// The analysis view on the display: where its peaks are drawn, silence, every style on
// both backgrounds, a further view by command 196 and the settings asked by the mouse.
#include "shell/FFT3DDoc.h"
#include "shell/FFT3DView.h"

#include "core/Curve3D.h"
#include "core/Dib.h"
#include "manager/MdiDocumentWindows.h"
#include "tests/app/shell/AnalysisTestKit.h"
#include "tests/framework/GdiCanvas.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <vector>

using namespace analysistest;

namespace {

class AnalysisView : public ::testing::Test {
protected:
    void SetUp() override {
        frame.reset(new FrameScope);
        ASSERT_TRUE(frame->Common());
        TDib palette(frame->Common(), IDB_CURVE3D_PALETTE);
        top = palette.GetColor(81).GetRaw() & 0xFFFFFF;
    }
    void TearDown() override {
        wave.reset();
        frame.reset();
    }

    // The view of a new analysis of the whole wave on its first channel.
    FFT3DView &Open(Wave *made) {
        wave.reset(made);
        Select(*made, 0, made->GetLength() - 1, 1);
        FFT3DDoc *doc = OpenFrequencyAnalysis(*made);
        Pump();
        FFT3DView &view = static_cast<FFT3DView &>(*doc->GetViews().GetFirst());
        view.Parent->MoveWindow(0, 0, 420, 320, true);  // small pictures count quickly
        Pump();
        return view;
    }

    // The view painted into a picture of its size.
    static std::unique_ptr<Canvas> Painted(FFT3DView &view) {
        TRect r = view.GetClientRect();
        std::unique_ptr<Canvas> canvas(new Canvas(r.Width(), r.Height(), RGB(1, 2, 3)));
        view.Paint(canvas->dc(), 0, r);
        return canvas;
    }
    // What the plotter draws with the view's parameters over other levels and colour values.
    static std::unique_ptr<Canvas> Plotted(FFT3DView &view, std::vector<int> const &levels,
                                           std::vector<int> const &colours) {
        TRect r = view.GetClientRect();
        std::unique_ptr<Canvas> canvas(new Canvas(r.Width(), r.Height(), RGB(1, 2, 3)));
        TFont font("Small Fonts", -9, 0, 0, 0, FW_NORMAL, 0, 0, 0, 0, 1);
        Curve3D plot;
        view.FillPlot(plot, &font);
        plot.Values = levels.data();
        plot.ColorValues = colours.data();
        plot.Draw(&view, canvas->dc());
        return canvas;
    }
    // The share of the pixels of a colour in one picture that have it in the other too.
    static double Shared(Canvas const &one, Canvas const &other, COLORREF colour) {
        int n = 0, both = 0;
        for (int y = 0; y < one.Height; ++y)
            for (int x = 0; x < one.Width; ++x)
                if (one.At(x, y) == colour)
                    ++n, both += other.At(x, y) == colour;
        return n ? double(both) / n : 0;
    }

    std::unique_ptr<FrameScope> frame;
    COLORREF top = 0;  // the colour of level 1000
    std::unique_ptr<Wave> wave;
};

}  // namespace

TEST_F(AnalysisView, PeakColouredPixelsLieWhereThePlotterDrawsThatBand) {
    FFT3DView &view = Open(SineWave(1, 44100, 44100, 1000, 20000));
    FFT3DStyle byLevel;
    byLevel.colorMode = 0;  // spectral colours of the levels
    view.SetStyle(byLevel);
    FFT3DDoc &doc = view.GetAnalysis();
    int n = doc.GetNumBands(), band = BandHolding(doc.GetBands(), 1000);
    std::unique_ptr<Canvas> painted = Painted(view);
    ASSERT_GT(painted->Count(top), 0) << "no peak drawn";
    // the same surface coloured by peaks moved to band b
    std::vector<int> const &levels = doc.GetLinearLevels();
    auto peakedAt = [&](int b) {
        std::vector<int> moved(levels.size(), 0);
        for (size_t i = 0; i < levels.size(); ++i)
            if (levels[i] == 1000)
                moved[i - i % n + b] = 1000;
        return Shared(*painted, *Plotted(view, levels, moved), top);
    };
    EXPECT_GT(peakedAt(band), 0.9);
    EXPECT_LT(peakedAt(band - 2), 0.3);
    EXPECT_LT(peakedAt(band + 2), 0.3);
}

TEST_F(AnalysisView, ASilentSelectionDrawsTheAllZeroImage) {
    FFT3DView &view = Open(MakeWave(1, 10000, 44100, [](int, int) { return 0; }));
    std::vector<int> zeros(size_t(60) * view.GetAnalysis().GetNumBands(), 0);
    FFT3DStyle byLevel;
    byLevel.colorMode = 0;
    view.SetStyle(byLevel);
    EXPECT_TRUE(Painted(view)->SameAs(*Plotted(view, zeros, zeros)));
}

TEST_F(AnalysisView, EveryStyleOnEitherBackgroundPaints) {
    FFT3DView &view = Open(SineWave(1, 20000, 44100, 440, 12000));
    for (int style = 0; style <= 2; ++style)
        for (int back = 0; back <= 1; ++back) {
            FFT3DStyle s;
            s.style = style, s.back = back;
            view.SetStyle(s);
            std::unique_ptr<Canvas> canvas = Painted(view);
            COLORREF background = back ? RGB(255, 255, 255) : RGB(0, 0, 0);
            EXPECT_EQ(background, canvas->At(0, 0)) << style << " " << back;
            EXPECT_EQ(0, canvas->Count(RGB(1, 2, 3))) << "every pixel painted";
            int drawn = canvas->Width * canvas->Height - canvas->Count(background);
            EXPECT_GT(drawn, canvas->Width * canvas->Height / 50) << style << " " << back;
            if (style == 2)
                EXPECT_GT(canvas->Count(top), 0) << back;
            else
                EXPECT_EQ(0, canvas->Count(top)) << "no spectral colours in style " << style;
        }
}

TEST_F(AnalysisView, CommandAndRubberBandOpenFurtherViewsAndTheLastCloseEndsTheDocument) {
    int before = FFT3DDoc::GetLiveCount();
    FFT3DView &view = Open(SineWave(1, 20000, 44100, 440, 12000));
    FFT3DStyle style;
    style.angle = 120, style.back = 1;
    view.SetStyle(style);
    FFT3DDoc &doc = view.GetAnalysis();
    TRect first = view.Parent->GetWindowRect();
    view.SendMessageA(WM_COMMAND, FFT3DView::kCmOpenAnotherView, 0);
    Pump();
    ASSERT_EQ(2, doc.GetNumViews());
    FFT3DView *second = static_cast<FFT3DView *>(doc.GetViews().GetLast());
    EXPECT_EQ(120, second->GetStyle().angle);
    EXPECT_EQ(1, second->GetStyle().back);
    EXPECT_EQ(first, second->Parent->GetWindowRect());
    EXPECT_EQ(std::string("FFT3D"), testsupport::ClassOf(second->GetHandle()));

    // a rubber band drawn over the client while the view is active: a third at its rectangle
    EXPECT_EQ(0, view.OnStartRubber()) << "as the program's frame setting says";
    TRect band(20, 30, 260, 210);
    second->OnEndRubber(band);
    Pump();
    ASSERT_EQ(3, doc.GetNumViews());
    FFT3DView *third = static_cast<FFT3DView *>(doc.GetViews().GetLast());
    TRect placed = third->Parent->GetWindowRect();
    ::MapWindowPoints(0, frame->App().GetMDIClient()->GetHandle(), reinterpret_cast<POINT *>(&placed), 2);
    EXPECT_EQ(band, placed);
    EXPECT_EQ(120, third->GetStyle().angle);

    frame->App().GetMDIClient()->CmCloseAll();
    Pump();
    EXPECT_EQ(before, FFT3DDoc::GetLiveCount());
}

TEST_F(AnalysisView, RightClickAndDoubleClickAskTheFrameForTheSettings) {
    FFT3DView &view = Open(SineWave(1, 20000, 44100, 440, 12000));
    HWND main = frame->App().GetMainWindow()->GetHandle();
    for (UINT click : {UINT(WM_RBUTTONDOWN), UINT(WM_LBUTTONDBLCLK)}) {
        view.SendMessageA(click, 0, MAKELPARAM(20, 20));
        MSG msg;
        bool asked = false;
        while (::PeekMessageA(&msg, main, WM_COMMAND, WM_COMMAND, PM_REMOVE))
            asked |= LOWORD(msg.wParam) == FFT3DView::kCmSettings;
        EXPECT_TRUE(asked) << click;
    }
}
