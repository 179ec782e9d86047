// What the panes of a wave window put on the screen, read back pixel by pixel and held
// against a model of the samples through the panes' geometry: envelopes, lines and steps,
// the selection and its level band, markers, the dotted zero line while scrolling, the
// caret drawn by inverting, paints inside paints, and a first fit that fails.
#include "tests/app/waveview/WaveWindowTestKit.h"

#include "audio/Marker.h"
#include "audio/MarkerSet.h"
#include "waveview/PaneRedraw.h"
#include "waveview/WavePane.h"
#include "waveview/WaveScrollBar.h"
#include "waveview/WaveWindowSettings.h"
#include "waveview/ZoomState.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace {

using wavewindowtest::Pixels;
using wavewindowtest::Settle;
using wavewindowtest::WindowsScope;

int const kFrames = 30000;

int Sample(int channel, int frame) {
    if (channel == 0)
        return int(12000 * std::sin(frame * 2 * 3.14159265358979 / 700));
    return int(8000 * std::sin(frame * 2 * 3.14159265358979 / 300)) + frame % 97 * 20;
}

// A window whose main view shows the wave at zoom z from frame 0, without an overview,
// axes or 50 % lines, and with a selection colour of its own.
WaveViewGlobalMemento Memento(int z) {
    WaveViewGlobalMemento m;
    m.defaultFlag = 0;
    m.words.zoom[0] = m.words.zoom[1] = z;
    m.views.overviewOpen = 0;
    for (WaveViewStyleBlock &b : m.views.views) {
        b.view.axis = b.view.axis50 = 0;
        b.view.markers = kMarkerLinesSolid | kMarkerNames;
        b.panes[0][WavePaneColors::kSelWave] = 0x0000FF00;
        b.panes[1][WavePaneColors::kSelWave] = 0x00008080;
    }
    return m;
}

class PanePixels : public testing::Test {
protected:
    void SetUp() override {
        TheWaveWindowSettings().openOverView = 0;
        TheWaveWindowSettings().autoZoom = 0;
        wave = app.OpenWave("stereo.wav", 2, kFrames, Sample);
        ASSERT_TRUE(wave);
    }
    void TearDown() override { TheWaveWindowSettings() = WaveWindowSettings(); }

    DoubleView *Open(int z) {
        WaveViewGlobalMemento m = Memento(z);
        DoubleView *view = app.OpenWindow(wave, &m);
        EXPECT_EQ(z, view->GetMainView()->GetZoom());
        return view;
    }

    WindowsScope app;
    Wave *wave = nullptr;
};

COLORREF NotXor(COLORREF pen, COLORREF under) { return ~(pen ^ under) & 0xFFFFFF; }

// Every pixel of a pane at an envelope zoom: the background, the selection's band, one
// vertical line a column from its smallest to its largest sample (both taken towards 0),
// the visible marker's line; the marker's name only in channel 0.
TEST_F(PanePixels, EnvelopesSelectionLevelBandAndMarkers) {
    int const z = -64;
    wave->GetMarkers().Add(new Marker(String("Alpha"), 3008, Marker::kPlain, 0), 0);
    wave->GetMarkers().Add(new Marker(String("Hidden"), 4032, Marker::kRangeStart, 0), 0);
    wave->GetMarkers().SetVisibleTypes(Marker::VisibilityGroup(Marker::kPlain));
    wave->SetSelection(5000, 9000, 3, 0);
    wave->SetLevel(20000, 0);
    DoubleView *view = Open(z);
    Settle();
    for (int channel = 0; channel < 2; ++channel) {
        SCOPED_TRACE(channel);
        WavePane *pane = view->GetMainView()->GetPane(channel);
        Pixels shown(pane->GetHandle());
        PaneGeometry g = pane->Geometry();
        WavePaneColors const &colors = pane->GetColors();
        int x1 = pane->FrameX(5000), x2 = pane->FrameX(9000), marker = pane->FrameX(3008);
        int names = 0, wrong = 0;
        for (int x = 0; x < shown.Width(); ++x) {
            int first = (x + view->GetMainView()->GetScrollPosition()) * -z;
            int high = 0, low = 0;
            for (int f = first; f < first - z && f < kFrames; ++f) {
                high = std::max(high, Sample(channel, f));
                low = std::min(low, Sample(channel, f));
            }
            bool selected = x >= x1 && x <= x2;
            for (int y = 0; y < shown.Height(); ++y) {
                bool band = selected && y >= g.BandTop(20000) && y < g.BandBottom(20000);
                COLORREF expected = colors[band ? WavePaneColors::kSelBack : WavePaneColors::kBack];
                if (y > g.Y(high) && y <= g.Y(low))
                    expected = colors[selected ? WavePaneColors::kSelWave : WavePaneColors::kWave];
                if (x == marker)
                    expected = NotXor(colors[WavePaneColors::kMarker], expected);
                bool nameArea = x > marker + 1 && x < marker + 40 && y < 14;
                if (shown.At(x, y) == expected)
                    continue;
                if (nameArea)
                    ++names;
                else if (++wrong <= 3)
                    ADD_FAILURE() << "(" << x << ", " << y << "): " << std::hex << shown.At(x, y) << " not "
                                  << expected;
            }
        }
        EXPECT_EQ(0, wrong);
        // the name is written in channel 0's pane alone
        EXPECT_EQ(channel == 0, names > 0) << names;
    }
}

// At 2 pixels a frame each frame's sample is on the line at its column; from 4 on the
// line steps: the frame's columns at its height, a vertical line down the last of them.
TEST_F(PanePixels, LinesAndSteps) {
    for (int z : {2, 8}) {
        SCOPED_TRACE(z);
        DoubleView *view = Open(z);
        for (int channel = 0; channel < 2; ++channel) {
            WavePane *pane = view->GetMainView()->GetPane(channel);
            Pixels shown(pane->GetHandle());
            PaneGeometry g = pane->Geometry();
            COLORREF pen = pane->GetColors()[WavePaneColors::kWave];
            int wrong = 0;
            for (int frame = 1; FramesToPixels(frame + 1, z) < shown.Width(); ++frame) {
                int x = pane->FrameX(frame), y = g.Y(Sample(channel, frame)), next = g.Y(Sample(channel, frame + 1));
                int steps = z >= 4 ? z - 1 : 1;
                for (int column = x; column < x + steps; ++column)
                    wrong += shown.At(column, y) != pen;
                if (z >= 4)
                    for (int row = std::min(y, next) + 1; row < std::max(y, next); ++row)
                        wrong += shown.At(x + z - 1, row) != pen;
            }
            EXPECT_EQ(0, wrong) << "channel " << channel;
        }
        view->GetParentO()->SendMessageA(WM_CLOSE);
        Settle();
    }
}

// The dots of the zero line are where they were after the view scrolls by 5 pixels, in the
// part moved as in the part painted afresh.
TEST_F(PanePixels, TheDottedZeroLineKeepsItsPhaseWhileScrolling) {
    Wave *silence = app.OpenWave("silence.wav", 1, kFrames, [](int, int) { return 0; });
    WaveViewGlobalMemento m = Memento(-64);
    m.views.views[0].view.axis = 2;
    DoubleView *view = app.OpenWindow(silence, &m);
    WavePane *pane = view->GetMainView()->GetPane(0);
    int y = pane->Geometry().ZeroY();
    Pixels before(pane->GetHandle());
    WaveScrollBar *bar = view->GetMainView()->GetHorizontalScrollBar();
    bar->ScrollTo(bar->GetPosition32() + 5, 1);
    Settle();
    Pixels after(pane->GetHandle());
    int dots = 0;
    for (int x = 0; x + 5 < before.Width(); ++x) {
        dots += before.At(x + 5, y) == pane->GetColors()[WavePaneColors::kAxis];
        ASSERT_EQ(before.At(x + 5, y), after.At(x, y)) << x;
    }
    EXPECT_GT(dots, before.Width() / 3);
    EXPECT_LT(dots, before.Width() * 2 / 3);
}

// Inverting the old and the new columns leaves nothing behind.
TEST_F(PanePixels, TheCaretMovedAndHiddenLeavesAFreshPaint) {
    DoubleView *view = Open(1);
    WavePane *pane = view->GetMainView()->GetPane(1);
    Pixels fresh(pane->GetHandle());
    pane->DrawCursor(WavePane::kCaret, 100);
    Pixels drawn(pane->GetHandle());
    EXPECT_NE(fresh.At(100, 20), drawn.At(100, 20));
    pane->DrawCursor(WavePane::kCaret, 101);  // overlapping the first
    EXPECT_EQ(fresh.At(100, 20), Pixels(pane->GetHandle()).At(100, 20));
    pane->DrawCursor(WavePane::kCaret, -1);
    Pixels after(pane->GetHandle());
    EXPECT_TRUE(fresh == after) << fresh.FirstDifference(after);
    // a paint while the caret shows draws it again
    pane->DrawCursor(WavePane::kCaret, 300);
    Pixels shown(pane->GetHandle());
    pane->Invalidate(false);
    pane->UpdateWindow();
    EXPECT_TRUE(shown == Pixels(pane->GetHandle()));
    // after a zoom the caret is at its frame's new columns, and goes from there
    view->GetMainView()->SetZoom(2, 0, 1, 0);
    Settle();
    Pixels zoomed(pane->GetHandle());
    pane->DrawCursor(WavePane::kCaret, -1);
    Pixels hidden(pane->GetHandle());
    EXPECT_NE(hidden.At(600, 20), zoomed.At(600, 20));
    EXPECT_EQ(hidden.At(300, 20), zoomed.At(300, 20));
    pane->Invalidate(false);
    pane->UpdateWindow();
    EXPECT_TRUE(hidden == Pixels(pane->GetHandle())) << hidden.FirstDifference(Pixels(pane->GetHandle()));
}

// A pane asked to paint while another paints is drawn once the queue is flushed.
TEST_F(PanePixels, APaintInsideAPaintIsDrawnAfterwards) {
    DoubleView *view = Open(-16);
    WavePane *pane = view->GetMainView()->GetPane(0);
    Pixels fresh(pane->GetHandle());
    {
        PanePainting outer;
        pane->Invalidate(false);
        pane->UpdateWindow();
        EXPECT_FALSE(WavePaneToRedraw::IsEmpty());
    }
    WavePaneToRedraw::FlushAll();
    pane->UpdateWindow();
    EXPECT_TRUE(WavePaneToRedraw::IsEmpty());
    Pixels after(pane->GetHandle());
    EXPECT_TRUE(fresh == after) << fresh.FirstDifference(after);
}

// The overview's first fit fails: it is told once, and every pane paints.
TEST_F(PanePixels, AFailedFirstFitIsReportedOnceAndThePanesStillPaint) {
    TheWaveWindowSettings().openOverView = 1;
    WindowsScope::boxes = 0;
    WavePane::FailNextFits(1);
    DoubleView *view = app.OpenWindow(wave);
    Settle();
    WavePane::FailNextFits(0);
    EXPECT_EQ(1, WindowsScope::boxes);
    ASSERT_TRUE(view->GetOverview());
    for (WaveView *v : {view->GetMainView(), view->GetOverview()})
        for (int channel = 0; channel < 2; ++channel) {
            WavePane *pane = v->GetPane(channel);
            Pixels shown(pane->GetHandle());
            int wave = 0;
            for (int x = 0; x < shown.Width(); ++x)
                for (int y = 0; y < shown.Height(); ++y)
                    wave += shown.At(x, y) == pane->GetColors()[WavePaneColors::kWave];
            EXPECT_GT(wave, shown.Width()) << (v->IsOverview() ? "overview " : "main ") << channel;
        }
}

}  // namespace
