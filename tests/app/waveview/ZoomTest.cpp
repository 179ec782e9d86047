// The arithmetic of the wave view without windows: pixels and frames at every kind of zoom,
// the zoom a view opens with and how far it may zoom in, zooming to a range, keeping a
// frame in sight, the scroll bar's numbers and the vertical position of a level.
#include "waveview/PaneGeometry.h"
#include "waveview/ZoomState.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <vector>

namespace {

int64_t Saturate(int64_t v) { return v > INT32_MAX ? INT32_MAX : v < INT32_MIN ? INT32_MIN : v; }

// The column a frame is drawn in holds the frame (and, at pixels per frame, starts with it).
void ExpectInItsColumn(int64_t frame, int z) {
    int64_t x = FramesToPixels(frame, z);
    if (z > 1) {
        EXPECT_EQ(frame, PixelsToFrames(x, z)) << "frame " << frame << " z " << z;
        return;
    }
    EXPECT_LE(PixelsToFrames(x, z), frame) << "frame " << frame << " z " << z;
    EXPECT_GT(int64_t(PixelsToFrames(x + 1, z)), frame) << "frame " << frame << " z " << z;
}

TEST(WaveZoom, PixelsAndFramesAtEveryKindOfZoom) {
    for (int z : {-4194304, -37, -2, 1, 2, 3, 32}) {
        int64_t magnitude = std::llabs(z);
        int64_t near = (int64_t(1) << 31) / magnitude;
        for (int64_t n : {int64_t(0), int64_t(1), near - 1, near, near + 1}) {
            SCOPED_TRACE(testing::Message() << "z " << z << " n " << n);
            int64_t frames = z > 1 ? n / z : n * magnitude;
            int64_t pixels = z > 1 ? n * z : n / magnitude;
            EXPECT_EQ(Saturate(frames), PixelsToFrames(n, z));
            EXPECT_EQ(Saturate(pixels), FramesToPixels(n, z));
            if (n * (z > 1 ? z : magnitude) < INT32_MAX)
                ExpectInItsColumn(n, z);
        }
    }
}

TEST(WaveZoom, ANewViewShowsItsFirstSecondsAndTheSliderTheEntryAtOrAbove) {
    // a wave shorter than the view opens at a frame a pixel, never at -1
    EXPECT_EQ(1, InitialZoom(300, 44100, 10, 1000));
    EXPECT_EQ(-2, InitialZoom(1100, 44100, 10, 1000));
    // ten seconds across 4/5 of the client less 40 pixels
    EXPECT_EQ(-(441000 / 760), InitialZoom(44100 * 60, 44100, 10, 1000));
    ZoomState zoom = ZoomState::Horizontal();
    zoom.StartUsableAt(UsableZoomStart(44100 * 60, 1280));
    zoom.SetValue(-37);
    EXPECT_EQ(-37, zoom.Value());
    EXPECT_EQ(-32, zoom.Entry(zoom.Index()));
    zoom.SetValue(-1);
    EXPECT_EQ(-2, zoom.Value());
    // a long wave cannot be shown smaller than in half the screen
    ZoomState longWave = ZoomState::Horizontal();
    longWave.StartUsableAt(UsableZoomStart(1000000, 1280));
    EXPECT_EQ(-2048, longWave.Entry(0));
    EXPECT_EQ(32, longWave.LastEntry());
}

TEST(WaveZoom, ZoomingInStaysBelowTwoBillionPixelsBeforeAndAfterTheWaveGrows) {
    std::vector<int> lengths = {1, 2, 3, 1000, 62499999, 62500000, 62500001, 1000000000, 1000000001, 2000000000,
                                2000000001, INT32_MAX};
    for (int64_t n = 1; n < INT32_MAX; n = n * 7 + 3)
        lengths.push_back(int(n));
    ZoomState grown = ZoomState::Horizontal();
    grown.StartUsableAt(UsableZoomStart(1, 1280));
    grown.SetValue(32);
    for (int length : lengths) {
        SCOPED_TRACE(length);
        ZoomState fresh = ZoomState::Horizontal();
        fresh.StartUsableAt(UsableZoomStart(length, 1280));
        fresh.LimitZoomIn(length);
        grown.LimitZoomIn(length);
        for (ZoomState const *zoom : {&fresh, &grown}) {
            int deepest = zoom->LastEntry();
            EXPECT_LT(int64_t(FramesToPixels(length, deepest)), 2000000000);
            EXPECT_LE(zoom->Value(), deepest);
            ExpectInItsColumn(length - 1, deepest);
        }
        EXPECT_EQ(fresh.LastEntry(), grown.LastEntry());
    }
    // a wave that shrinks again may be zoomed in as far as a new one
    grown.LimitZoomIn(1000);
    EXPECT_EQ(32, grown.LastEntry());
}

TEST(WaveZoom, ZoomToARangeFillsTheWidthOrSeventyPercentOfIt) {
    struct Case {
        int64_t frames;
        int width, percent, z;
    } const cases[] = {
        {100, 1000, 100, 9}, {1000, 1000, 100, -2},  {600, 1000, 100, 1},  {10, 1000, 100, 32},
        {5000, 1000, 100, -6}, {5000, 1000, 70, -8}, {int64_t(1) << 31, 1000, 100, -2147484},
    };
    for (Case const &c : cases)
        EXPECT_EQ(c.z, ZoomForRange(c.frames, c.width, c.percent)) << c.frames << " " << c.percent;
    EXPECT_EQ(-2, ZoomToFitWidth(50, 1000));
    EXPECT_EQ(-11, ZoomToFitWidth(10000, 1000));
}

TEST(WaveZoom, AFrameFifteenPixelsInsideEitherEdgeNeedsNoScroll) {
    int const width = 500, position = 1000;
    for (int z : {-4, 1, 2}) {
        SCOPED_TRACE(z);
        int left = PixelsToFrames(position + 15, z), right = PixelsToFrames(position + width - 15, z);
        EXPECT_EQ(0, ScrollToShow(left, 0, z, position, width).scroll);
        EXPECT_EQ(0, ScrollToShow(right, 0, z, position, width).scroll);
        Visibility before = ScrollToShow(left - 1 - (z < 0 ? -z : 0), 0, z, position, width);
        EXPECT_EQ(1, before.scroll);
        EXPECT_EQ(FramesToPixels(left - 1 - (z < 0 ? -z : 0), z) - 15, before.position);
        Visibility after = ScrollToShow(right + 2, 1, z, position, width);
        EXPECT_EQ(1, after.scroll);
        EXPECT_EQ(FramesToPixels(right + 2 - PixelsToFrames(width, z), z) + 15, after.position);
    }
    // at the wave's start anything from the left edge is in sight
    EXPECT_EQ(0, ScrollToShow(0, 0, 1, 0, 500).scroll);
    // other modes centre it
    EXPECT_EQ(ScrollPositionOf(50000 - 1000, -4), ScrollToShow(50000, 2, -4, 0, 500).position);
}

TEST(WaveZoom, TheScrollBarsRangePageAndSteps) {
    struct Case {
        int length, z, width, range, page, line, pageStep;
    } const cases[] = {
        {1000, 8, 1000, 8000 + 990, 1000, 8, 1000},   // eight pixels a frame
        {1000, 8, 1003, 8000 + 993, 1003, 8, 1000},   // the page in whole frames
        {1000, 8, 5, 8000, 5, 8, 8},                  // narrower than a frame: one frame
        {100000, -100, 1, 1000, 1, 32, 1},            // one pixel wide
        {100000, -100, 500, 1000 + 490, 500, 32, 499},
        {0, -2, 500, 50 + 490, 500, 32, 499},         // an empty wave
    };
    for (Case const &c : cases) {
        SCOPED_TRACE(testing::Message() << c.length << " " << c.z << " " << c.width);
        ScrollNumbers n = HorizontalScrollNumbers(c.length, c.z, c.width);
        EXPECT_EQ(c.range, n.range);
        EXPECT_EQ(c.page, n.page);
        EXPECT_EQ(c.line, n.line);
        EXPECT_EQ(c.pageStep, n.pageStep);
    }
}

// The scroll position that shows a level at the middle brings it back there, to within
// what one percent of the height can tell.
TEST(WaveZoom, ALevelAtTheMiddleAndBackAtEveryVerticalZoom) {
    int const height = 200, margin = 7;
    for (int v = 1; v <= 256; ++v) {
        for (int level : {-32768, -20000, -1, 0, 1, 16384, 32767}) {
            int position = VerticalPositionFromLevel(height, margin, v, level);
            if (position < 0 || position > v * 100 - 100)
                continue;  // beyond what the bar scrolls to
            PaneGeometry g{height, margin, v, position};
            int back = g.LevelAt(height / 2, false);
            double step = 65536.0 * height / 100 / g.Drawable();
            EXPECT_LE(std::abs(back - level), step + 2) << v << " " << level;
        }
    }
}

}  // namespace
