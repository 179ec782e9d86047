// The caret of a wave and what moves it (key moves in a view, the active channels), zero
// crossings for each slope, and the texts of levels.
#include "audio/LevelText.h"
#include "audio/SampleConversion.h"
#include "audio/VirtualFileIterator.h"
#include "audio/Wave.h"
#include "audio/WaveLinks.h"
#include "audio/WaveSettings.h"
#include "foundation/File.h"

#include "tests/app/AppTestSupport.h"
#include "tests/app/audio/AudioFileTestKit.h"
#include "tests/app/audio/WaveFixture.h"
#include "tests/app/audio/WaveTestKit.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

using namespace audiotest;
using namespace wavetest;

// A work wave whose channels hold the given 16-bit values.
Wave *ValuesWave(std::vector<std::vector<int>> const &channels, uint32_t rate = 44100) {
    int frames = int(channels[0].size());
    int count = int(channels.size());
    std::unique_ptr<Wave> wave(Wave::CreateTempWave(frames, count, rate, 16));
    FileWriteBuffer buffer(count);
    for (int c = 0; c < count; ++c)
        for (WaveOutIterator it(buffer, c, wave->GetChannel(c), 0, -1); it.IsValid(); it.Advance(1))
            WriteSample24(it, channels[size_t(c)][size_t(it.GetPosition())] * 256);
    long bytes = long(Wave::FramesToBytes(frames, *wave, count));
    for (int c = 0; c < count; ++c)
        buffer.ValidateWriting(bytes, bytes, 0, c);
    return wave.release();
}

// A view whose steps are ten frames and whose width is a hundred.
struct TenFrameView : CaretView {
    int FramesForSteps(int steps) override { return steps * 10; }
    int GetVisibleLength() override { return 100; }
    void ShowCaret() override { ++shown; }
    int shown = 0;
};

class Caret : public WaveFixture {
protected:
    ~Caret() override { TheWaveSettings() = WaveSettings(); }
};

TEST_F(Caret, KeyMovesStayInsideAndExtendFromTheFarEdge) {
    std::unique_ptr<Wave> wave(DistinctWave(1, 2, 1000));
    TenFrameView view;
    struct Step {
        char const *what;
        void (*move)(Wave &, CaretView &);
        int caret, start, end;
    } const steps[] = {
        {"left at the start", [](Wave &w, CaretView &v) { w.MoveCaretLeft(v, 1); }, 0, -1, -1},
        {"20 steps right", [](Wave &w, CaretView &v) { w.MoveCaretRight(v, 20); }, 200, -1, -1},
        {"a page right", [](Wave &w, CaretView &v) { w.MoveCaretPageRight(v); }, 300, -1, -1},
        {"extend right", [](Wave &w, CaretView &v) { w.ExtendSelectionRight(v, 5); }, 350, 300, 349},
        {"extend left, still right", [](Wave &w, CaretView &v) { w.ExtendSelectionLeft(v, 2); }, 330, 300, 329},
        {"extend left across", [](Wave &w, CaretView &v) { w.ExtendSelectionLeft(v, 8); }, 250, 250, 299},
        {"extend right back to the edge", [](Wave &w, CaretView &v) { w.ExtendSelectionRight(v, 5); }, 300, -1,
         -1},
        {"select to the end", [](Wave &w, CaretView &v) { w.SelectToEnd(v); }, 1000, 300, 999},
        {"right past the end", [](Wave &w, CaretView &v) { w.MoveCaretRight(v, 1); }, 1000, 300, 999},
        {"select to the start", [](Wave &w, CaretView &v) { w.SelectToStart(v); }, 0, 0, 299},
        {"to the end", [](Wave &w, CaretView &v) { w.MoveCaretToEnd(v); }, 1000, 0, 299},
        {"a page left", [](Wave &w, CaretView &v) { w.MoveCaretPageLeft(v); }, 900, 0, 299},
        {"to the start", [](Wave &w, CaretView &v) { w.MoveCaretToStart(v); }, 0, 0, 299},
    };
    for (Step const &s : steps) {
        s.move(*wave, view);
        EXPECT_EQ(s.caret, wave->GetCaret()) << s.what;
        EXPECT_EQ(s.start, wave->GetSelectionStart()) << s.what;
        EXPECT_EQ(s.end, wave->GetSelectionEnd()) << s.what;
    }
    EXPECT_EQ(int(sizeof steps / sizeof steps[0]), view.shown);
    EXPECT_EQ(0, wave->GetCurrentPosition());
    Wave::SetPositionOverride(77);
    EXPECT_EQ(77, wave->GetCurrentPosition());
    Wave::SetPositionOverride(-1);
}

TEST_F(Caret, TheViewsHearOfTheCaretAndTheChannels) {
    Wave *wave = DistinctWave(1, 2, 1000);
    std::unique_ptr<Wave> owner(wave);
    RecordingView &view = *new RecordingView(*wave);  // the wave deletes it
    EXPECT_EQ(1, wave->SetCaret(3, 40));
    EXPECT_EQ(0, wave->SetCaret(3, 40));
    EXPECT_EQ(1, wave->SetCaret(3, -5, 1));
    wave->SetSelection(10, 20, 3, 0);
    wave->CycleActiveChannels();
    wave->CycleActiveChannels();
    EXPECT_EQ(2, wave->GetActiveChannels());
    EXPECT_EQ(10, wave->GetSelectionStart());
    wave->CycleActiveChannels();
    EXPECT_EQ(3, wave->GetActiveChannels());
    std::vector<std::string> expected = {"1007 40 0", "1003 0 0", "1003 0 0", "1002 10 20", "1004 0 0",
                                         "1003 0 0", "1002 10 20", "1004 0 0", "1003 0 0", "1002 10 20",
                                         "1004 0 0"};
    EXPECT_EQ(expected, view.told);
    EXPECT_EQ(0, wave->GetCaret());

    // a play start moves the caret, and the active window shows it
    struct Shower : WaveWindowLink {
        Shower() : previous(SetWaveWindowLink(this)) {}
        ~Shower() override { SetWaveWindowLink(previous); }
        void OpenWaveWindow(Wave &, ViewMemento const *) override {}
        void ShowCaretInActiveWindow(Wave &) override { ++shown; }
        WaveWindowLink *previous;
        int shown = 0;
    } shower;
    wave->SetPlayStart(600, 1);
    EXPECT_EQ(0, wave->GetCaret());
    wave->SetPlayStart(600, 0);
    EXPECT_EQ(600, wave->GetCaret());
    EXPECT_EQ(1, shower.shown);

    // the length in seconds, the selection's in brackets
    EXPECT_STREQ("0.023 s", wave->GetLengthText(0).c_str());
    EXPECT_STREQ("[0.000 s]", wave->GetLengthText(1).c_str());
}

TEST_F(Caret, ZeroCrossingsForEachSlope) {
    std::vector<int> signal = {100, 50, -20, -60, 10, 40, 30, -5};
    std::unique_ptr<Wave> wave(ValuesWave({signal, {5, 5, 5, 5, 5, 5, 5, 5}}));
    std::unique_ptr<Wave> silence(ValuesWave({std::vector<int>(8, 0)}));
    enum { kFalling, kRising, kAny };
    struct Case {
        char const *what;
        Wave *wave;
        int slope, channels, from, to, found;
    } const cases[] = {
        {"falling forwards", wave.get(), kFalling, 1, 1, 7, 1},
        {"rising forwards", wave.get(), kRising, 1, 1, 7, 3},
        {"any forwards", wave.get(), kAny, 1, 1, 7, 2},
        {"falling from later", wave.get(), kFalling, 1, 4, 7, 6},
        {"rising backwards", wave.get(), kRising, 1, 5, 0, 4},
        {"falling backwards", wave.get(), kFalling, 1, 5, 0, 2},
        {"any backwards", wave.get(), kAny, 1, 5, 0, 3},
        {"backwards from one past from", wave.get(), kFalling, 1, 6, 0, 7},
        {"the right channel never crosses", wave.get(), kAny, 2, 1, 7, 1},
        {"from = to", wave.get(), kAny, 1, 5, 5, 5},
        {"silence, any: the second frame read", silence.get(), kAny, 1, 3, 7, 3},
        {"silence, rising: the first frame read", silence.get(), kRising, 1, 3, 7, 2},
        {"silence, falling", silence.get(), kFalling, 1, 3, 7, 2},
    };
    for (Case const &c : cases)
        EXPECT_EQ(c.found, c.wave->FindZeroCrossing(c.slope, c.channels, c.from, c.to)) << c.what;

    // the search goes only as far as the scan range: 1 ms of 2000 Hz is two frames
    std::unique_ptr<Wave> slow(ValuesWave({signal}, 2000));
    TheWaveSettings().scanRange = 1;
    EXPECT_EQ(1, slow->FindZeroCrossing(kRising, 1, 1, 7));
    TheWaveSettings().scanRange = 50;

    // snapping moves the edges outwards to the crossings of their slopes
    TheWaveSettings().leftSlope = kRising;
    TheWaveSettings().rightSlope = kFalling;
    wave->SetSelection(5, 5, 1, 0);
    wave->SnapSelectionToZeroCrossings(1, 1);
    EXPECT_EQ(4, wave->GetSelectionStart());
    EXPECT_EQ(6, wave->GetSelectionEnd());
    TheWaveSettings().snapOn = 0;
    wave->SetSelection(5, 5, 1, 0);
    wave->SnapSelectionToZeroCrossings(1, 1);
    EXPECT_EQ(5, wave->GetSelectionStart());
}

TEST(LevelTexts, DecibelsPercentAndValue) {
    EXPECT_NEAR(-96.33, AmplitudeToDecibels(0), 0.01);
    EXPECT_LT(AmplitudeToDecibels(32767), 0);
    EXPECT_GT(AmplitudeToDecibels(32767), -0.001);
    struct Case {
        String text;
        char const *expected;
    } const cases[] = {
        {FormatLevelDb(0x7fff, "%.1f", 1), "0 dB"},
        {FormatLevelDb(40000, nullptr, 0), "0 dB"},
        {FormatLevelDb(16384, "%.1f", 0), "6.0 dB"},
        {FormatLevelDb(16384, "%.1f", 1), "-6.0 dB"},
        {FormatLevelDb(16384, nullptr, 1), "-6 dB"},
        {FormatLevelDb(32000, nullptr, 1), "0 dB"},
        {FormatLevelDb(0, nullptr, 0), "96 dB"},
        {FormatLevelPercent(16384), "50 %"},
        {FormatLevelPercent(0x7fff), "100 %"},
        {FormatLevelPercent(0x8000), "100 %"},
        {FormatLevelPercent(100), "0.30 %"},
        {FormatLevelPercent(3300), "10 %"},
        {FormatLevelPercent(3400), "10.3 %"},
        {FormatLevelPercent(5), "0.01 %"},
        {FormatLevelPercent(0), "0 %"},
        {FormatLevelValue(1234), "1234"},
    };
    for (Case const &c : cases)
        EXPECT_STREQ(c.expected, c.text.c_str());
}

}  // namespace
