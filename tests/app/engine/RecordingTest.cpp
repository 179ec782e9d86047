// Recording from the wave-in device, which the test machine reads from a file: the capture
// becomes a new wave with its peak file and the markers dropped on the way, a start while
// a run goes on, a stop with blocks still in the device, and a disk that fills up.
#include "engine/WaveRecorder.h"

#include "audio/AudioFile.h"
#include "audio/FileSegment.h"
#include "audio/Wave.h"
#include "engine/AudioState.h"
#include "engine/DiskSpace.h"
#include "engine/PlayerSettings.h"
#include "engine/RecordingFile.h"
#include "tests/app/AppTestSupport.h"
#include "tests/app/audio/AudioFileTestKit.h"
#include "tests/app/audio/WaveTestKit.h"
#include "tests/app/engine/EngineTestKit.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <memory>
#include <thread>
#include <vector>

using namespace enginetest;

namespace {

SamplePattern Stereo16() { return SamplePattern(kPcm16, 2, 1, 44100); }

class Recording : public ::testing::Test {
protected:
    Recording() : settings_(dir_.Path()) { apptest::UseEnglishTexts(); }
    ~Recording() override {
        delete recorder.Stop();
        SetFreeDiskProbe(nullptr);
    }

    // Records until at least frames frames came; false when they did not within 20 s.
    bool RecordUntil(uint32_t frames) {
        return main.PumpUntil([&] { return recorder.GetRecordedFrames() >= frames; }, 20000);
    }

    // The recorded file behind a wave's first segment.
    static AudioFile &RecordedFile(Wave &wave) {
        return *static_cast<AudioFileSegment *>(wave.GetChannel(0).GetFirst())->GetAudioFile();
    }

    // The wave's frames as interleaved 16-bit samples.
    static std::vector<int16_t> Interleaved(Wave &wave) {
        wavetest::Samples left = wavetest::ReadChannel(wave, 0), right = wavetest::ReadChannel(wave, 1);
        std::vector<int16_t> samples;
        for (size_t i = 0; i < left.size(); ++i) {
            samples.push_back(int16_t(left[i] >> 8));
            samples.push_back(int16_t(right[i] >> 8));
        }
        return samples;
    }

    testsupport::TempDir dir_;
    audiotest::SettingsScope settings_;
    MainWindowStandIn main;
    WaveRecorder &recorder = TheWaveRecorder();
};

// The peak byte of each channel of every 128 frames: every fourth frame's sample, the
// larger of the highest and the depth of the lowest, over 128.
std::vector<uint8_t> PeaksOf(std::vector<int16_t> const &samples) {
    std::vector<uint8_t> peaks;
    for (size_t block = 0; (block + 1) * 256 <= samples.size(); ++block)
        for (int c = 0; c < 2; ++c) {
            int high = 0, low = 0;
            for (size_t frame = 0; frame < 128; frame += 4) {
                int value = samples[block * 256 + frame * 2 + size_t(c)];
                high = std::max(high, value);
                low = std::min(low, value);
            }
            peaks.push_back(uint8_t(std::max(high, std::min(-low, 32767)) >> 7));
        }
    return peaks;
}

std::atomic<int> freeProbes{0};
std::atomic<int> probesWithRoom{0};

// Room for the reserve and a few blocks while probes remain, then a disk with less
// than the reserve.
int64_t FillingDisk(FileName const &) {
    int64_t room = RecordingFile::kDiskReserve + 200000;
    return freeProbes++ < probesWithRoom ? room : RecordingFile::kDiskReserve - 1;
}

}  // namespace

TEST_F(Recording, TheCaptureBecomesANewWaveWithItsPeaksAndTheDroppedMarkers) {
    std::vector<int16_t> signal = CaptureSignal(10);
    int callbacks = 0;
    recorder.SetCallback([&] { ++callbacks; });
    ASSERT_EQ(1, recorder.Start(Stereo16(), 0));
    EXPECT_TRUE(recorder.IsRecording());
    EXPECT_EQ(2 * ThePlayerSettings().inBufferCount, recorder.GetBlockCount()) << "a recording doubles its blocks";
    std::vector<int32_t> markers;
    for (uint32_t at : {20000u, 45000u, 70000u}) {
        ASSERT_TRUE(RecordUntil(at));
        markers.push_back(int32_t(recorder.GetRecordedFrames()));
    }
    ASSERT_TRUE(RecordUntil(90000));
    recorder.SetCallback(nullptr);
    EXPECT_GT(callbacks, 0);

    EXPECT_EQ(1, FinishRecording(recorder, markers));
    EXPECT_FALSE(recorder.IsOpen());
    EXPECT_EQ(0, TheAudioState().audioHeap.BlockCount()) << "every block freed";
    ASSERT_EQ(1u, main.opened.size()) << "the recording opened in a window of its own";
    Wave &wave = *main.opened[0];
    EXPECT_GE(wave.GetLength(), 90000);
    EXPECT_EQ(44100u, wave.GetRate());
    std::vector<int16_t> recorded = Interleaved(wave);
    EXPECT_TRUE(IsRunsOfCapture(recorded, signal));

    AudioFile &file = RecordedFile(wave);
    ASSERT_TRUE(file.GetPeakData()) << "a recording of 64000 frames or more keeps its peak file";
    std::vector<uint8_t> peaks = PeaksOf(recorded);
    ASSERT_LE(peaks.size() / 2, size_t(file.GetPeakEntries()));
    EXPECT_TRUE(std::equal(peaks.begin(), peaks.end(), file.GetPeakData()));

    MarkerSet &set = wave.GetMarkers();
    ASSERT_EQ(3, set.GetCount());
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(markers[size_t(i)], set.GetMarker(i)->position_);
        EXPECT_EQ(std::to_string(i + 1), set.GetMarker(i)->name_.c_str());
    }
}

TEST_F(Recording, AStartStopsMeteringButNeverCutsARecordingShort) {
    CaptureSignal(3);
    ASSERT_EQ(1, recorder.Start(Stereo16(), 1));
    EXPECT_TRUE(recorder.IsMonitoring());
    EXPECT_FALSE(recorder.IsRecording()) << "metering writes nothing";
    EXPECT_EQ(ThePlayerSettings().inBufferCount, recorder.GetBlockCount());
    ASSERT_TRUE(main.PumpUntil([&] { return recorder.GetLevel(0) > 0; }, 10000)) << "the meter moves";

    ASSERT_EQ(1, recorder.Start(Stereo16(), 0)) << "metering gives way to a recording";
    EXPECT_FALSE(recorder.IsMonitoring());
    EXPECT_EQ(2 * ThePlayerSettings().inBufferCount, recorder.GetBlockCount());
    RecordingFile const *file = recorder.GetFile();
    ASSERT_TRUE(file);
    ASSERT_TRUE(RecordUntil(8192));

    EXPECT_EQ(0, recorder.Start(Stereo16(), 1));
    EXPECT_EQ(0, recorder.Start(Stereo16(), 0));
    EXPECT_EQ(file, recorder.GetFile()) << "the recording runs on";
    uint32_t before = recorder.GetRecordedFrames();
    ASSERT_TRUE(RecordUntil(before + 8192));
    EXPECT_EQ(1, FinishRecording(recorder, {}));
    ASSERT_EQ(1u, main.opened.size());
    EXPECT_EQ(0, main.opened[0]->GetMarkers().GetCount());
}

TEST_F(Recording, StopTakesBackEveryBlockTheDeviceHolds) {
    CaptureSignal(3);
    for (int monitor : {0, 1}) {
        ASSERT_EQ(1, recorder.Start(Stereo16(), monitor));
        ASSERT_GT(recorder.GetQueued(), 0);
        std::unique_ptr<RecordingFile> file(recorder.Stop());
        EXPECT_EQ(monitor == 0, bool(file));
        EXPECT_EQ(0, recorder.GetQueued());
        EXPECT_FALSE(recorder.IsOpen());
        MSG notice;
        EXPECT_FALSE(PeekMessageA(&notice, main.window, MM_WIM_DATA, MM_WIM_DATA, PM_NOREMOVE))
            << "every block came back before the device closed";
        EXPECT_EQ(0, TheAudioState().audioHeap.BlockCount()) << "no block outlives the device";
        // Notices still on their way find nothing to touch.
        main.PumpUntil([] { return false; }, 100);
        EXPECT_EQ(nullptr, recorder.Stop());
    }
}

TEST_F(Recording, AFullDiskEndsTheRecordingAndKeepsWhatFit) {
    std::vector<int16_t> signal = CaptureSignal(3);
    SetFreeDiskProbe(&FillingDisk);
    freeProbes = 0;
    probesWithRoom = 0;
    {
        audiotest::WarningRecorder warnings;
        EXPECT_EQ(0, recorder.Start(Stereo16(), 0)) << "no room for the reserve";
        EXPECT_FALSE(recorder.IsOpen());
        ASSERT_EQ(1u, warnings.texts.size());
        EXPECT_NE(std::string::npos, warnings.texts[0].find("not enough disk space"));
    }

    freeProbes = 0;
    probesWithRoom = 6;  // the start and five blocks
    int told = 0;
    recorder.SetCallback([&] { told += recorder.IsHalted(); });
    ASSERT_EQ(1, recorder.Start(Stereo16(), 0));
    ASSERT_TRUE(main.PumpUntil([&] { return recorder.IsHalted(); }, 20000));
    recorder.SetCallback(nullptr);
    EXPECT_EQ(1, told) << "the dialog hears that the recording ended";
    EXPECT_EQ(0, TheAudioState().audioHeap.BlockCount());
    ASSERT_EQ(1u, main.failures.size());
    EXPECT_NE(std::string::npos, main.failures[0].find("not enough disk space"));
    EXPECT_EQ(uint32_t(5 * ThePlayerSettings().inBufferSize / 4), recorder.GetRecordedFrames());

    EXPECT_EQ(1, FinishRecording(recorder, {}));
    ASSERT_EQ(1u, main.opened.size());
    EXPECT_EQ(int(recorder.GetRecordedFrames()), main.opened[0]->GetLength());
    EXPECT_TRUE(IsRunsOfCapture(Interleaved(*main.opened[0]), signal));
    EXPECT_FALSE(RecordedFile(*main.opened[0]).GetPeakData()) << "fewer than 64000 frames keep no peak file";
}

// The audio engine's file writer writes on a thread of its own, its length known (written
// mapped) or not (written through buffers); the finished file goes to the GUI thread and
// back.
TEST_F(Recording, AWriteFromAnotherThreadReplacesARangeOfTheObject) {
    for (int expected : {100, -1}) {
        SCOPED_TRACE(expected);
        std::unique_ptr<Wave> wave(wavetest::DistinctWave(1, 2, 1000));
        ASSERT_EQ(1, wave->TryLock());
        std::atomic<int> written{-1}, finished{-1}, kind{0};
        std::thread writer([&] {
            RecordingFile file(wave.get(), 100, 199, 3, expected, 2, 0, String("Record"));
            kind = file.GetAccessKind();
            std::vector<float> left(100, 0.25f), right(100, -0.5f);
            float const *channels[] = {left.data(), right.data()};
            written = file.WriteFloatBlock(channels, 100);
            finished = file.Finish(1, 1, 0, nullptr);
        });
        EXPECT_TRUE(main.PumpUntil([&] { return finished >= 0; }, 10000));
        writer.join();
        EXPECT_EQ(expected < 0, kind == RecordingFile::kWrittenBuffered) << kind;
        EXPECT_EQ(1, written);
        EXPECT_EQ(1, finished);
        EXPECT_FALSE(wave->IsBusy());
        ASSERT_EQ(1000, wave->GetLength());
        wavetest::Samples left = wavetest::ReadChannel(*wave, 0), right = wavetest::ReadChannel(*wave, 1);
        EXPECT_EQ(wavetest::Distinct(1, 0, 99), left[99]);
        EXPECT_EQ(8192 << 8, left[100]);
        EXPECT_EQ(-16384 << 8, right[199]);
        EXPECT_EQ(wavetest::Distinct(1, 1, 200), right[200]);
    }
}

TEST_F(Recording, TheObjectsBusyWordIsGivenBackOnce) {
    std::unique_ptr<Wave> wave(wavetest::DistinctWave(1, 2, 1000));
    ASSERT_EQ(1, wave->TryLock());
    {
        AudioObject::BusyHold nested(*wave, AudioObject::BusyHold::kJoin);
        {
            RecordingFile file(wave.get(), 0, 99, 3, 100, 2, 0, String("Record"));
            EXPECT_EQ(0, file.Finish(0, 0, 0, nullptr)) << "discarded";
        }
        EXPECT_TRUE(wave->IsBusy()) << "finishing and deleting gave back one hold, not two";
    }
    EXPECT_FALSE(wave->IsBusy());
}
