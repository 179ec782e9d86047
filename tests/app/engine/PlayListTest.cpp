// Play lists over an object whose sample is its frame index: what each play mode, loop and
// selection delivers, seeking outside the list, re-queueing where reading stands, and the
// position history across a loop's wrap.
#include "engine/SampleCollector.h"

#include "tests/app/engine/EngineTestKit.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

using enginetest::FrameObject;

namespace {

// Frames read along the list in odd-sized pieces, until it ends or limit frames came.
std::vector<int> ReadAlong(SampleCollector &collector, size_t limit) {
    std::vector<int> frames;
    float left[7], right[7];
    float *channels[] = {left, right};
    while (frames.size() < limit) {
        int n = collector.Read(channels, int(std::min<size_t>(7, limit - frames.size())));
        if (n <= 0)
            break;
        for (int i = 0; i < n; ++i)
            frames.push_back(int(left[i]));
    }
    return frames;
}

std::vector<int> Frames(int first, int last) {
    std::vector<int> frames;
    for (int f = first; f <= last; ++f)
        frames.push_back(f);
    return frames;
}

std::vector<int> operator+(std::vector<int> a, std::vector<int> const &b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

void Select(FrameObject &object, int first, int last, int loop) {
    if (first >= 0)
        object.SetSelection(first, last, 3, 0);
    object.SetLoop(loop);
}

}  // namespace

TEST(PlayList, DeliversTheFramesOfEachMode) {
    struct Case {
        char const *name;
        int mode, start, end;
        int selectFirst, selectLast, loop;
        size_t limit;
        std::vector<int> expected;
    } const cases[] = {
        {"from the caret to the last frame", kPlayFromCaret, 0, -1, -1, -1, 0, 5000, Frames(0, 999)},
        {"from a frame", kPlayFromFrame, 990, -1, -1, -1, 0, 5000, Frames(990, 999)},
        {"a range, its end excluded", kPlayRange, 100, 200, -1, -1, 0, 5000, Frames(100, 199)},
        {"a range past the end", kPlayRange, 995, 2000, -1, -1, 0, 5000, Frames(995, 999)},
        {"the selection", kPlaySelection, 0, -1, 300, 399, 0, 5000, Frames(300, 399)},
        {"the selection to the last frame", kPlaySelection, 0, -1, 900, 999, 0, 5000, Frames(900, 999)},
        {"no selection: the whole object", kPlaySelection, 0, -1, -1, -1, 0, 5000, Frames(0, 999)},
        {"a loop over the selection", kPlayFromCaret, 0, -1, 100, 199, 1, 400,
         Frames(0, 99) + Frames(100, 199) + Frames(100, 199) + Frames(100, 199)},
        {"a loop entered inside", kPlayFromFrame, 150, -1, 100, 199, 1, 250,
         Frames(150, 199) + Frames(100, 199) + Frames(100, 199)},
        {"a loop over the whole object", kPlayFromCaret, 0, -1, -1, -1, 1, 2000, Frames(0, 999) + Frames(0, 999)},
        {"a range ignores the loop", kPlayRange, 10, 20, 100, 199, 1, 5000, Frames(10, 19)},
    };
    for (Case const &c : cases) {
        FrameObject object(1000);
        Select(object, c.selectFirst, c.selectLast, c.loop);
        SampleCollector collector(&object, 3, 0);
        collector.LoadPlayList(c.mode, c.start, c.end, 1);
        EXPECT_EQ(c.expected, ReadAlong(collector, c.limit)) << c.name;
    }
}

TEST(PlayList, SeekOutsideTheListStartsAtItsFirstFrame) {
    struct Case {
        int mode, start, end, seek, first;
    } const cases[] = {
        {kPlayFromCaret, 0, -1, 1000, 0},  // at the end
        {kPlayFromCaret, 0, -1, 5000, 0},  // past it
        {kPlayRange, 100, 200, 200, 100},  // at the range's end
        {kPlayRange, 100, 200, 50, 100},   // before its first event: not 0
        {kPlayRange, 100, 200, 0, 100},
        {kPlayRange, 100, 200, 150, 150},  // inside: where asked
    };
    for (auto const &c : cases) {
        FrameObject object(1000);
        SampleCollector collector(&object, 3, 0);
        collector.LoadPlayList(c.mode, c.start, c.end, 1);
        collector.GetQueue().Seek(uint32_t(c.seek), 1);
        std::vector<int> frames = ReadAlong(collector, 5000);
        ASSERT_FALSE(frames.empty()) << c.seek;
        EXPECT_EQ(c.first, frames.front()) << "seek " << c.seek;
        EXPECT_EQ(c.end < 0 ? 999 : c.end - 1, frames.back()) << "seek " << c.seek;
    }
}

TEST(PlayList, RequeueKeepsTheReadPosition) {
    FrameObject object(1000);
    SampleCollector collector(&object, 3, 0);
    collector.LoadPlayList(kPlayFromCaret, 0, -1, 1);
    ASSERT_EQ(Frames(0, 149), ReadAlong(collector, 150));
    // Looping the selection while playing: reading goes on where it stood, then loops.
    Select(object, 100, 199, 1);
    collector.LoadPlayList(kPlayFromCaret, 20, -1, 0);
    EXPECT_EQ(Frames(150, 199) + Frames(100, 199), ReadAlong(collector, 150));
    // A restart goes where asked.
    collector.LoadPlayList(kPlayFromCaret, 120, -1, 1);
    EXPECT_EQ(Frames(120, 199) + Frames(100, 119), ReadAlong(collector, 100));
}

TEST(PlayList, HistoryMapsStreamOffsetsAcrossALoopWrap) {
    FrameObject object(1000);
    Select(object, 100, 199, 1);
    SampleCollector collector(&object, 3, 1);
    collector.LoadPlayList(kPlayFromFrame, 150, -1, 1);
    float left[64], right[64];
    float *channels[] = {left, right};
    for (int read = 0; read < 300; read += 64)
        ASSERT_EQ(64, collector.Read(channels, 64));
    struct Case {
        uint32_t stream;
        int32_t source;
    } const cases[] = {{0, 150}, {49, 199}, {50, 100}, {149, 199}, {150, 100}, {250, 100}, {300, 150}};
    for (auto const &c : cases) {
        int32_t source = -1;
        ASSERT_TRUE(collector.GetQueue().FindInHistory(c.stream, source)) << c.stream;
        EXPECT_EQ(c.source, source) << "stream offset " << c.stream;
    }
    collector.GetQueue().ResetHistory();
    int32_t none = -1;
    EXPECT_FALSE(collector.GetQueue().FindInHistory(0, none));
}
