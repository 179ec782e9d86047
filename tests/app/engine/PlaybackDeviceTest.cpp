// Playback through the wave-out device, which the test machine writes into a file: the
// device bytes of each output width with the last buffer's padding, the played position,
// the stop messages, input monitoring, and play requests the audio engine takes.
#include "engine/AudioState.h"

#include "engine/AudioEngineEntries.h"
#include "engine/PlaybackControl.h"
#include "engine/PlayerSettings.h"
#include "tests/app/engine/EngineTestKit.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

using namespace enginetest;

namespace {

class PlaybackDevice : public ::testing::Test {
protected:
    void SetUp() override { saved_ = ThePlayerSettings(); }
    void TearDown() override {
        playback.StopAndWait();
        ThePlayerSettings() = saved_;
    }

    // Plays frames from first to the object's end and waits for the end.
    void PlayToTheEnd(FrameObject &object, int first) {
        size_t before = posted.Stops().size();
        object.Play(0, kPlayFromFrame, first, 0, nullptr);
        ASSERT_TRUE(posted.WaitForStops(before + 1, 20000)) << "the playback did not end";
    }

    PlaybackScope scope;
    Playback &playback = ThePlaybackEngine();
    PostedMessages posted;

private:
    PlayerSettings saved_;
};

SamplePattern DevicePattern(int bits, int channels) {
    return SamplePattern(SampleFormatFlagsFromBits(bits, 1), channels, 1, 44100);
}

}  // namespace

TEST_F(PlaybackDevice, EachWidthPlaysTheConversionsBytesAndPadsWithItsSilence) {
    for (int bits : {8, 16, 24}) {
        SCOPED_TRACE(bits);
        ThePlayerSettings().playbackBits = bits;
        FrameObject object(6000, 2, 44100, Ramp);
        ClearPlayed();
        PlayToTheEnd(object, 1000);
        EXPECT_EQ(1000, posted.Stops().back().position) << "a playback that ran out reports its start";
        EXPECT_EQ(0, posted.Stops().back().restarted);

        SamplePattern device = DevicePattern(bits, 2);
        std::string expected = DeviceBytes(object, device, 1000, 5000);
        std::string played = PlayedBytes();
        size_t at = played.find(expected);
        ASSERT_NE(std::string::npos, at) << "the ramp is not in the " << played.size() << " bytes played";
        // The last buffer was partly filled: the rest of it is the format's silence.
        int frameBytes = device.GetBytesPerFrame();
        int perBuffer = ThePlayerSettings().outBufferSize / frameBytes;
        size_t pad = size_t(perBuffer - 5000 % perBuffer) * size_t(frameBytes);
        ASSERT_LE(at + expected.size() + pad, played.size());
        std::string silence(pad, bits == 8 ? '\x80' : '\0');
        EXPECT_EQ(silence, played.substr(at + expected.size(), pad));
    }
}

TEST_F(PlaybackDevice, PositionNeverRunsBackNorPastTheFramesWritten) {
    for (int timed : {1, 0}) {
        SCOPED_TRACE(timed ? "timed" : "device");
        ThePlayerSettings().timedPosition = timed;
        FrameObject object(3 * 44100);
        size_t before = posted.Stops().size();
        object.Play(0, kPlayFromFrame, 500, 0, nullptr);
        SamplePlayer &player = playback.GetPlayer();
        int last = 0;
        int seen = 0;
        while (posted.Stops().size() == before) {
            int position = player.GetPosition();
            int written = player.GetFramesWritten();
            if (position >= 0) {
                ASSERT_GE(position, last);
                ASSERT_LE(position, written);
                last = position;
                ++seen;
            }
            int source = playback.GetPosition();
            ASSERT_TRUE(source >= 500 && source <= object.GetLength()) << source;
            Sleep(1);
        }
        EXPECT_GT(last, 0);
        EXPECT_GT(seen, 10);
    }
}

TEST_F(PlaybackDevice, StopMessagesTellRestartsAndTheStopPoint) {
    FrameObject first(10 * 44100);
    FrameObject second(10 * 44100);
    int owner = 0;
    first.Play(0, kPlayFromFrame, 0, 0, &owner);
    ASSERT_TRUE(WaitUntil([&] { return playback.GetPosition() > 2048; }, 5000));
    EXPECT_TRUE(playback.IsPlayingOwner(&owner));
    EXPECT_FALSE(playback.IsPlayingOwner(nullptr));

    second.Play(0, kPlayFromFrame, 0, 0, nullptr);
    ASSERT_TRUE(posted.WaitForStops(1, 5000));
    EXPECT_EQ(&first, posted.Stops()[0].object);
    EXPECT_EQ(1, posted.Stops()[0].restarted) << "another playback replaced it";
    EXPECT_FALSE(first.IsPlaying());
    EXPECT_TRUE(WaitUntil([&] { return second.IsPlaying(); }, 5000));

    ASSERT_TRUE(WaitUntil([&] { return playback.GetPosition() > 2048; }, 5000));
    EXPECT_EQ(1, playback.Stop());
    int stopPoint = playback.GetPosition();
    ASSERT_TRUE(posted.WaitForStops(2, 5000));
    EXPECT_EQ(&second, posted.Stops()[1].object);
    EXPECT_EQ(0, posted.Stops()[1].restarted);
    EXPECT_EQ(stopPoint, posted.Stops()[1].position) << "the position stays where the stop found it";
    EXPECT_EQ(stopPoint, playback.GetPosition());
    EXPECT_EQ(0, playback.StopAndWait());
    EXPECT_FALSE(IsWaveOutOpen());
}

TEST_F(PlaybackDevice, MonitoringPlaysTheCapturedInput) {
    std::vector<int16_t> signal = CaptureSignal(3);
    ClearPlayed();
    PlayRequest request;
    request.mode = kPlayMonitor;
    request.pattern = DevicePattern(16, 2);
    request.outputBits = 16;
    playback.Play(request);
    // The device plays runs of the captured file; a whole buffer of it comes back in order.
    size_t runBytes = 4096 * 4;
    ASSERT_TRUE(WaitUntil([&] { return PlayedBytes().size() > 4 * runBytes; }, 10000));
    EXPECT_EQ(0, playback.GetPosition()) << "monitoring has no position";
    EXPECT_EQ(0, playback.StopAndWait());
    std::string played = PlayedBytes();
    std::string captured(reinterpret_cast<char const *>(signal.data()), signal.size() * 2);
    bool found = false;
    for (size_t at = 0; !found && at + runBytes <= played.size(); at += runBytes) {
        size_t in = captured.find(played.substr(at, runBytes));
        found = in != std::string::npos && in % 4 == 0;
    }
    EXPECT_TRUE(found) << played.size() << " bytes played";
}

namespace {

int32_t engineQueue = 0;
int32_t engineCommand = 0;

}  // namespace

// What an engine module exports with a leading "_": the program binds that form.
extern "C" __declspec(dllexport) int32_t WQ_CALL _WqInitializeAudioEngine(void const *, int32_t) { return 1; }
extern "C" __declspec(dllexport) int32_t WQ_CALL _WqCommandToAudioQueue(int32_t queue, int32_t command, int32_t,
                                                                        int32_t) {
    engineQueue = queue;
    engineCommand = command;
    return 1;
}

TEST_F(PlaybackDevice, TheEngineDrivesAPlaybackOnlyWithItsMasterQueue) {
    AudioEngineLink &engine = TheAudioEngine();
    ASSERT_EQ(1, engine.entries.Bind(GetModuleHandleA(nullptr))) << "bound in the underscore form";
    ASSERT_TRUE(engine.entries.commandToAudioQueue);
    EXPECT_FALSE(engine.entries.createMasterSection);
    FrameObject object(44100);

    engine.masterQueue = 7;
    object.Play(1, kPlayFromFrame, 0, 0, nullptr);
    EXPECT_EQ(7, engineQueue);
    EXPECT_EQ(kQueueStart, engineCommand);
    Sleep(200);
    EXPECT_FALSE(IsWaveOutOpen()) << "the engine plays it, not the playback thread";

    engine.masterQueue = 0;
    engineQueue = 0;
    size_t before = posted.Stops().size();
    object.Play(1, kPlayFromFrame, 0, 0, nullptr);
    EXPECT_TRUE(posted.WaitForStops(before + 1, 10000)) << "without a master section it plays directly";
    EXPECT_EQ(0, engineQueue);
    engine.entries.Clear();
}

TEST(SampleRecorder, ReadsTheInputInOrderAfterItsPreFill) {
    std::vector<int16_t> signal = CaptureSignal(3);
    PlaybackControl control;
    control.stopEvent.SetFalse();
    SampleRecorder recorder(control, TheAudioState().audioHeap);
    ASSERT_EQ(1, recorder.Open(DevicePattern(16, 2), 6, 16384, 65536));
    EXPECT_EQ(10, recorder.GetHeaderCount()) << "6 kept queued and 4 for what the output holds";
    std::vector<float> left(44100), right(44100);
    for (int done = 0; done < 44100;) {
        float *channels[] = {left.data() + done, right.data() + done};
        int n = recorder.Read(channels, std::min(2048, 44100 - done), nullptr);
        ASSERT_GT(n, 0) << "after " << done << " frames";
        done += n;
    }
    recorder.Close(0);
    EXPECT_EQ(0, TheAudioState().audioHeap.BlockCount());

    std::vector<int16_t> recorded;
    for (size_t i = 0; i < left.size(); ++i) {
        recorded.push_back(int16_t(left[i] * 32768.0f));
        recorded.push_back(int16_t(right[i] * 32768.0f));
    }
    int runs = 0;
    ASSERT_TRUE(IsRunsOfCapture(recorded, signal, &runs));
    EXPECT_LT(runs, 64);
}
