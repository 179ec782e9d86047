// The processing frame through a test effect that negates samples, and through test
// modules: which channels and frames change, the work wave of a channel processed alone,
// sources of every kind, a busy wave, modules that misbehave, a cancel, and a module that
// changes the length.
#include "audio/AudioFile.h"
#include "audio/AudioFileSettings.h"
#include "audio/FileSegment.h"
#include "audio/Wave.h"
#include "bars/Progress.h"
#include "effects/EffectSamples.h"
#include "effects/ModuleEffect.h"
#include "foundation/FileFaults.h"

#include "tests/app/AppTestSupport.h"
#include "tests/app/audio/AudioFileTestKit.h"
#include "tests/app/audio/WaveTestKit.h"
#include "tests/app/effects/EffectTestKit.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

using namespace effecttest;

enum : int { kAction = 11054, kFrames = 10000 };

void Negate(Wave &wave, int channels, int first, int last, int undo) {
    EffectFrame frame(wave, channels, first, last, undo, EffectAction{kAction});
    ApplySampleEffect(frame, [](int, int, int32_t sample) { return -double(sample); });
}

Samples Negated(Samples samples, int first, int last) {
    for (int i = first; i <= last; ++i)
        samples[size_t(i)] = std::min(-samples[size_t(i)], 32767);
    return samples;
}

// A module run over the range with a work wave of capacity frames, spliced in at the
// length the module wrote.
void RunModule(Wave &wave, int channels, int first, int last, ModuleProcessEntry entry, int capacity) {
    EffectFrame frame(wave, channels, first, last, 1,
                      EffectAction{kAction, WaveUndoMemento::kSamplesAndMarkers});
    ModuleEffect effect(frame, capacity);
    int written = effect.Run(entry);
    frame.ReplaceRangeResized(effect.Complete(), written, 1);
    frame.Finish(1);
}

// Modules that misbehave: more frames than asked for, nothing at all.
int32_t __cdecl Overrun(ModuleBlock *block) {
    int16_t buffer[2 * 64] = {};
    int32_t written = 0;
    while (block->read(block->readIo, buffer, 64) > 0)
        written += block->write(block->writeIo, buffer, 64);
    written += block->write(block->writeIo, buffer, 64);
    block->framesOut = written;
    return written;
}

int32_t __cdecl NothingOut(ModuleBlock *block) {
    int16_t buffer[2 * 64];
    while (block->read(block->readIo, buffer, 64) > 0) {
    }
    block->framesOut = 0;
    return 0;
}

// Every frame twice: the range twice as long.
int32_t __cdecl Doubling(ModuleBlock *block) {
    int16_t frame[2], twice[4];
    int32_t written = 0;
    while (block->read(block->readIo, frame, 1) == 1) {
        for (int k = 0; k < block->channels; ++k)
            twice[k] = twice[block->channels + k] = frame[k];
        written += block->write(block->writeIo, twice, 2);
    }
    block->framesOut = written;
    return written;
}

class EffectFrameTest : public ::testing::Test {
protected:
    EffectFrameTest() { apptest::UseEnglishTexts(); }
    ~EffectFrameTest() override { SetProgressCancelAtCheck(0); }

    testsupport::TempDir dir;
    audiotest::SettingsScope settings{dir.Path()};
    wavetest::RecordingPoster poster;
    Samples left = Noise(kFrames, 32768, 1), right = Noise(kFrames, 32768, 2);
};

}  // namespace

TEST_F(EffectFrameTest, OnlyTheMaskedChannelsOfTheRangeChange) {
    left[0] = -32768;
    for (int channels = 0; channels < 4; ++channels)
        for (auto range : {std::pair<int, int>(4321, 4321), std::pair<int, int>(0, kFrames - 1)}) {
            std::unique_ptr<Wave> wave(WaveOf({left, right}));
            Negate(*wave, channels, range.first, range.second, 1);
            SCOPED_TRACE(std::to_string(channels) + " " + std::to_string(range.first));
            EXPECT_EQ(channels & 1 ? Negated(left, range.first, range.second) : left, SamplesOf(*wave, 0));
            EXPECT_EQ(channels & 2 ? Negated(right, range.first, range.second) : right, SamplesOf(*wave, 1));
            EXPECT_EQ(channels ? 1 : 0, wave->GetNumUndoMementos()) << "no channel, no change, no step";
        }
}

TEST_F(EffectFrameTest, TheRightChannelAloneTakesAMonoWorkWave) {
    std::unique_ptr<Wave> wave(WaveOf({left, right}));
    long segments = AudioFileSegment::CountLive();
    Negate(*wave, 2, 100, 199, 0);
    EXPECT_EQ(Negated(right, 100, 199), SamplesOf(*wave, 1));
    EXPECT_EQ(left, SamplesOf(*wave, 0));
    AFileSegment *middle = wave->GetChannel(1).GetFirst()->next_;
    auto *work = dynamic_cast<AudioFileSegment *>(middle);
    ASSERT_TRUE(work);
    EXPECT_EQ(1, work->GetAudioFile()->GetNumChannels());
    EXPECT_EQ(segments + 2, AudioFileSegment::CountLive()) << "the right channel now in three pieces";
}

TEST_F(EffectFrameTest, SourcesOfEveryKindKeepTheirResolution) {
    Samples wide = Noise(3000, 8388607, 3);
    std::unique_ptr<Wave> deep(WaveOf({wide}, 24));
    Negate(*deep, 1, 0, 2999, 1);
    Samples expected = wide;
    for (int32_t &v : expected)
        v = std::min(-v, 8388607);
    EXPECT_EQ(expected, SamplesOf(*deep, 0)) << "every bit of a 24-bit source";

    std::unique_ptr<Wave> big(BigEndianWaveOf(dir.Path(), {left, right}));
    Negate(*big, 3, 10, 8999, 1);
    EXPECT_EQ(Negated(left, 10, 8999), SamplesOf(*big, 0));
    EXPECT_EQ(Negated(right, 10, 8999), SamplesOf(*big, 1));

    // A work wave read and written through the file cache's blocks instead of a mapping.
    int const frames = 300000;
    Samples longLeft = Noise(frames, 32767, 7), longRight = Noise(frames, 32767, 8);
    std::unique_ptr<Wave> cached(WaveOf({longLeft, longRight}));
    FileCacheSettings kept = TheFileCacheSettings();
    TheFileCacheSettings().mode = 2;
    Negate(*cached, 3, 0, frames - 1, 1);
    TheFileCacheSettings() = kept;
    EXPECT_TRUE(Negated(longLeft, 0, frames - 1) == SamplesOf(*cached, 0));
    EXPECT_TRUE(Negated(longRight, 0, frames - 1) == SamplesOf(*cached, 1));
}

TEST_F(EffectFrameTest, ABusyWaveIsRefusedBeforeAnythingHappens) {
    audiotest::WarningRecorder warnings;
    std::unique_ptr<Wave> wave(WaveOf({left}));
    std::string before = Fingerprint(*wave);
    ASSERT_EQ(1, wave->TryLock());
    EXPECT_EQ(audiotest::Text(11196), audiotest::ErrorOf([&] { Negate(*wave, 1, 0, 99, 1); }));
    wave->Unlock();
    EXPECT_EQ(before, Fingerprint(*wave));
    EXPECT_FALSE(wave->IsBusy());
}

// Whatever went wrong, the wave is as it was, without a step, and nothing is left over.
TEST_F(EffectFrameTest, AFailingModuleOrACancelLeavesTheWaveAsItWas) {
    struct Case {
        char const *name;
        ModuleProcessEntry entry;
        int cancelAt;
        std::string error;
    } const cases[] = {
        {"overrun", &Overrun, 0, audiotest::Text(11070)},
        {"nothing out", &NothingOut, 0, audiotest::Text(11070)},
        {"cancel", &RunCopyPass, 1, "(no text)"},
    };
    for (Case const &c : cases) {
        std::unique_ptr<Wave> wave(WaveOf({left, right}));
        std::string before = Fingerprint(*wave);
        long segments = AudioFileSegment::CountLive();
        SetProgressCancelAtCheck(c.cancelAt);
        EXPECT_EQ(c.error, audiotest::ErrorOf([&] { RunModule(*wave, 3, 1000, 5999, c.entry, 5000); })) << c.name;
        EXPECT_EQ(before, Fingerprint(*wave)) << c.name;
        EXPECT_EQ(segments, AudioFileSegment::CountLive()) << c.name;
        EXPECT_EQ(1u, audiotest::FilesIn(dir.Path()).size()) << c.name << ": only the wave's own file";
    }
}

// The next block of a file fails to load while the module copies: the read call-back meets
// it, the module sees only a short transfer, and the frame raises the failure after the
// module has returned.
int32_t __cdecl CopyOverFailingFile(ModuleBlock *block) {
    FileFaults::FailAt(1, FileFaults::kMap | FileFaults::kSeek);
    return RunCopyPass(block);
}

TEST_F(EffectFrameTest, AFileFailingUnderTheModuleIsRaisedAfterIt) {
    int const frames = 100000;  // blocks of the file cache that reading loads
    std::string path = dir.Path() + "\\windows.wav";
    testsupport::WriteBytes(path, audiotest::SimpleWave(2, 16, 44100, audiotest::Noise(4 * frames, 6)));
    AudioFile *file = OpenAudioFile(kAccessCached, FileName(path.c_str()), 1, 1);
    std::unique_ptr<Wave> wave(Wave::CreateWaveFromFile(file, nullptr, 1, nullptr, 0));
    std::string before = Fingerprint(*wave);
    long segments = AudioFileSegment::CountLive();
    std::string error = audiotest::ErrorOf([&] { RunModule(*wave, 3, 0, frames - 1, &CopyOverFailingFile, frames); });
    EXPECT_TRUE(FileFaults::HasFailed());
    FileFaults::FailAt(0);
    EXPECT_NE("", error);
    EXPECT_TRUE(before == Fingerprint(*wave));
    EXPECT_EQ(segments, AudioFileSegment::CountLive());
}

TEST_F(EffectFrameTest, AModuleThatChangesTheLengthStretchesTheMarkers) {
    std::unique_ptr<Wave> wave(WaveOf({left, right}));
    for (int position : {999, 1000, 1500, 2000, 3000})
        wave->GetMarkers().InsertSorted(new Marker(String("m"), position, Marker::kPlain, 0));
    RunModule(*wave, 3, 1000, 1999, &Doubling, 2000);
    EXPECT_EQ(kFrames + 1000, wave->GetLength());
    Samples doubled(left.begin(), left.begin() + 1000);
    for (int i = 1000; i < 2000; ++i)
        doubled.insert(doubled.end(), 2, left[size_t(i)]);
    doubled.insert(doubled.end(), left.begin() + 2000, left.end());
    EXPECT_EQ(doubled, SamplesOf(*wave, 0));
    std::vector<int> positions;
    for (int i = 0; i < wave->GetMarkers().GetCount(); ++i)
        positions.push_back(wave->GetMarkers().GetMarker(i)->position_);
    EXPECT_EQ((std::vector<int>{999, 1000, 2000, 3000, 4000}), positions) << "the frame after the range moves along";
    EXPECT_EQ(1000, wave->GetSelectionStart());
    EXPECT_EQ(2999, wave->GetSelectionEnd());

    wave->UndoCurrentState();
    EXPECT_EQ(left, SamplesOf(*wave, 0));
    EXPECT_EQ(2000, wave->GetMarkers().GetMarker(3)->position_);
}
