// Gain, normalize, fade and crossfade on small fixtures: exact samples, the channel left
// out untouched, one undo step that gives the original back bit-exact and a redo that gives
// the result, a cancel that leaves nothing behind, and the cases that change nothing.
#include "audio/Wave.h"
#include "bars/Progress.h"
#include "effects/Fade.h"
#include "effects/Gain.h"
#include "effects/Normalize.h"

#include "tests/app/AppTestSupport.h"
#include "tests/app/audio/AudioFileTestKit.h"
#include "tests/app/audio/WaveTestKit.h"
#include "tests/app/effects/EffectTestKit.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {

using namespace effecttest;
using Routine = std::function<void(Wave &, int recordUndo)>;

Routine Gain(int decibels, int channels) {
    return [=](Wave &wave, int undo) {
        GainOpcodes record;
        record.factor = GainFactorOf(decibels);
        ApplyGain(wave, channels, 0, wave.GetLength() - 1, record, undo);
    };
}

Routine Normalize(int level) {
    return [=](Wave &wave, int undo) {
        NormalizerOpcodes record;
        record.level = level;
        NormalizeRange(wave, 3, 0, wave.GetLength() - 1, record, undo);
    };
}

Routine Fade(FadeOpcodes record, int channels, int first, int last) {
    return [=](Wave &wave, int undo) { ApplyFade(wave, channels, first, last, record, 1, undo); };
}

XFadeOpcodes NoFades() {
    XFadeOpcodes record;
    record.noFade[0] = record.noFade[1] = 1;
    return record;
}

Routine Crossfade(XFadeOpcodes record, Samples clip, int first, int last) {
    return [=](Wave &wave, int undo) {
        std::unique_ptr<Wave> second(WaveOf({clip}));
        ApplyCrossfade(wave, 3, first, last, record, *second, 0, second->GetLength() - 1, undo);
    };
}

struct Case {
    char const *name;
    std::vector<Samples> input;
    int bits;
    Routine routine;
    std::vector<Samples> expected;
};

std::vector<Samples> AllOf(Wave &wave) {
    std::vector<Samples> channels;
    for (int c = 0; c < wave.GetNumChannels(); ++c)
        channels.push_back(SamplesOf(wave, c));
    return channels;
}

Samples Constant(int count, int32_t value) { return Samples(size_t(count), value); }

class EffectRoutinesTest : public ::testing::Test {
protected:
    EffectRoutinesTest() { apptest::UseEnglishTexts(); }
    ~EffectRoutinesTest() override { SetProgressCancelAtCheck(0); }

    testsupport::TempDir dir;
    audiotest::SettingsScope settings{dir.Path()};
    wavetest::RecordingPoster poster;
};

}  // namespace

TEST_F(EffectRoutinesTest, ExactSamplesOneStepUndoneAndRedone) {
    Case const cases[] = {
        {"+12 dB clips", {{10000, -10000, 3}, {10000, 5, 6}}, 16, Gain(12, 1), {{32767, -32768, 11}, {10000, 5, 6}}},
        {"-12 dB truncates", {{-1, 1, -32768}}, 16, Gain(-12, 1), {{0, 0, -8230}}},
        {"+6 dB", {{1000, -1000}, {1000, 7}}, 16, Gain(6, 3), {{1995, -1995}, {1995, 13}}},
        {"-6 dB", {{5, 6}, {-32768, 32767}}, 16, Gain(-6, 2), {{5, 6}, {-16422, 16422}}},
        {"normalize, negative peak", {{-20000, 4000}, {3, 0}}, 16, Normalize(32767), {{-32767, 6553}, {5, 0}}},
        {"normalize 24-bit", {{4000000, -1000000}}, 24, Normalize(32767), {{8388607, -2097152}}},
        {"fade in", {Constant(3, 32767), Constant(3, -32768)}, 16, Fade(FadeOpcodes(), 1, 0, 2),
         {{0, 16383, 32767}, Constant(3, -32768)}},
        {"fade out", {{1, 32767, -32768, 32767, 1}}, 16, Fade(FadeOpcodes(6, 4, 0, 0), 1, 1, 3),
         {{1, 32767, -16384, 0, 1}}},
        {"crossfade, no fades", {{100, 200, 3000, -3000, 500, 600}}, 16,
         Crossfade(NoFades(), {30000, -30000, 7, 8}, 2, 3), {{100, 200, 32767, -32768, 7, 8, 500, 600}}},
        {"crossfade, straight fades", {{1, 32767, 32767, 32767, 2}}, 16,
         Crossfade(XFadeOpcodes(), {32767, 32767, 32767, 9}, 1, 3), {{1, 32767, 32766, 32767, 9, 2}}},
        {"crossfade, clip of exactly n", {{10, 20, 30}}, 16, Crossfade(NoFades(), {1, 2}, 1, 2), {{10, 21, 32}}},
    };
    for (Case const &c : cases) {
        SCOPED_TRACE(c.name);
        std::unique_ptr<Wave> wave(WaveOf(c.input, c.bits));
        c.routine(*wave, 1);
        EXPECT_EQ(c.expected, AllOf(*wave));
        EXPECT_EQ(1, wave->GetNumUndoMementos());
        EXPECT_FALSE(wave->IsBusy());
        wave->UndoCurrentState();
        EXPECT_EQ(c.input, AllOf(*wave));
        wave->RedoLastUndoneState();
        EXPECT_EQ(c.expected, AllOf(*wave));
    }
}

// A cancel part of the way through, or a range the effect leaves alone: the wave as it was
// and no step.
TEST_F(EffectRoutinesTest, ACancelOrNothingToDoLeavesTheWaveWithoutAStep) {
    int const n = 30000;
    Samples noise = Noise(n, 20000, 7);
    struct Run {
        char const *name;
        std::vector<Samples> input;
        Routine routine;
        int cancelAt;
        std::string error;
    } const runs[] = {
        {"gain", {noise, noise}, Gain(6, 3), 2, "(no text)"},
        {"normalize", {noise}, Normalize(32767), 3, "(no text)"},
        {"fade", {noise}, Fade(FadeOpcodes(), 1, 0, n - 1), 2, "(no text)"},
        {"crossfade's fade", {noise}, Crossfade(XFadeOpcodes(), noise, 0, n - 1), 3, "(no text)"},
        {"crossfade's mix", {noise}, Crossfade(NoFades(), noise, 0, n - 1), 2, "(no text)"},
        {"normalize at the target", {{-32767, 5}}, Normalize(32767), 0, ""},
        {"normalize of silence", {Constant(10, 0)}, Normalize(32767), 0, ""},
        {"fade of one frame", {{5, 6}}, Fade(FadeOpcodes(), 1, 1, 1), 0, ""},
        {"crossfade, clip too short", {{1, 2, 3}}, Crossfade(NoFades(), {1}, 0, 1), 0, audiotest::Text(10022)},
    };
    for (Run const &r : runs) {
        SCOPED_TRACE(r.name);
        std::unique_ptr<Wave> wave(WaveOf(r.input));
        std::string before = Fingerprint(*wave);
        SetProgressCancelAtCheck(r.cancelAt);
        EXPECT_EQ(r.error, audiotest::ErrorOf([&] { r.routine(*wave, 1); }));
        SetProgressCancelAtCheck(0);
        EXPECT_EQ(before, Fingerprint(*wave));
        EXPECT_FALSE(wave->IsBusy());
    }
}

// Into another wave, without a step: a mono source feeds both channels of a stereo
// destination, scaled in integer steps to the target over the peak.
TEST_F(EffectRoutinesTest, NormalizingIntoAnotherWaveDuplicatesAMonoSource) {
    std::unique_ptr<Wave> source(WaveOf({{1000, -2000, 3, 4000}}));
    std::unique_ptr<Wave> destination(WaveOf({Constant(3, 0), Constant(3, 0)}));
    NormalizeInto(NormalizeRequest{source.get(), 1, destination.get(), 3, 0, 2, 16000, -1});
    Samples scaled{8000, -16000, 24};
    EXPECT_EQ((std::vector<Samples>{scaled, scaled}), AllOf(*destination));
    EXPECT_EQ(0, destination->GetNumUndoMementos());
    EXPECT_FALSE(source->IsBusy());
}
