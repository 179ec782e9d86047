// Play, stop and seek from two threads at once: no deadlock, no stop lost while a playback
// starts, nothing written to the device after a stop, and no device header left behind.
#include "engine/AudioState.h"

#include "tests/app/engine/EngineTestKit.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <thread>

using namespace enginetest;

namespace {

// Ends the program when the scope outlives its time: a deadlock must not hang the run.
class Watchdog {
public:
    Watchdog(char const *what, unsigned milliseconds) : thread_([this, what, milliseconds] {
        if (!done_.WaitForIt(milliseconds)) {
            std::fprintf(stderr, "deadlock: %s did not end within %u ms\n", what, milliseconds);
            std::fflush(stderr);
            TerminateProcess(GetCurrentProcess(), 3);
        }
    }) {}
    ~Watchdog() {
        done_.SetTrue();
        thread_.join();
    }

private:
    ThreadEvent done_{/*initialState=*/0, /*autoReset=*/0};
    std::thread thread_;
};

// Storm rounds: TESSARO_STRESS rounds when set, else 1000.
int Rounds() {
    int rounds = std::atoi(testsupport::Env("TESSARO_STRESS").c_str());
    return rounds > 0 ? rounds : 1000;
}

// One random step: mostly plays and stops, with seeks and position reads between.
void Step(Playback &playback, FrameObject &object, std::mt19937 &random) {
    switch (random() % 6) {
    case 0: {
        PlayRequest request;
        request.source = &object;
        request.channelMask = 3;
        request.mode = int(random() % 4);
        request.start = int(random() % 40000);
        request.end = request.start + 20000;
        playback.Play(request);
        break;
    }
    case 1: playback.Stop(); break;
    case 2: playback.Relocate(int(random() % 40000)); break;
    case 3: playback.RequeueFrom(-1, 0); break;
    case 4: playback.GetPosition(); break;
    default: playback.StopAndWait(); break;
    }
}

}  // namespace

TEST(PlaybackStress, AStopRightAfterPlayIsNeverLost) {
    Watchdog watchdog("play and stop", 60000);
    PlaybackScope scope;
    PostedMessages posted;
    Playback &playback = ThePlaybackEngine();
    FrameObject object(20 * 44100);
    for (int round = 0; round < 100; ++round) {
        object.Play(0, kPlayFromFrame, 0, 0, nullptr);
        if (round % 2)
            Sleep(round % 7);
        playback.Stop();
        ASSERT_EQ(0, playback.StopAndWait()) << round;
        int64_t read = object.framesRead;
        Sleep(5);
        ASSERT_FALSE(object.IsPlaying()) << "round " << round;
        ASSERT_FALSE(IsWaveOutOpen()) << "round " << round;
        ASSERT_EQ(read, object.framesRead) << "read after the stop, round " << round;
    }
}

TEST(PlaybackStress, StormsFromTheGuiThreadAndAWorker) {
    Watchdog watchdog("the storms", 120000);
    PlaybackScope scope;
    PostedMessages posted;
    Playback &playback = ThePlaybackEngine();
    FrameObject object(60000);
    std::atomic<bool> done{false};
    std::thread worker([&] {
        std::mt19937 random(2);
        while (!done)
            Step(playback, object, random);
    });
    std::mt19937 random(1);
    // On a loaded machine few rounds let a playback start: go on (up to twenty times as
    // long) until enough did to tell anything.
    auto enough = [&](int round) { return round >= Rounds() && (posted.Stops().size() > 20 || round >= 20 * Rounds()); };
    for (int round = 0; !enough(round); ++round) {
        Step(playback, object, random);
        // The GUI thread also moves the selection and the loop under a running playback.
        if (round % 5 == 0)
            object.SetSelection(int(random() % 60000), int(random() % 60000), 3, 0);
        if (round % 11 == 0)
            object.SetLoop(!object.GetLoop());
    }
    done = true;
    worker.join();

    ASSERT_EQ(0, playback.StopAndWait());
    int64_t read = object.framesRead;
    int written = playback.GetPlayer().GetFramesWritten();
    Sleep(100);
    EXPECT_FALSE(IsWaveOutOpen());
    EXPECT_FALSE(object.IsPlaying());
    EXPECT_EQ(read, object.framesRead) << "the source was read after the stop";
    EXPECT_EQ(written, playback.GetPlayer().GetFramesWritten()) << "a buffer was written after the stop";
    EXPECT_EQ(0, TheAudioState().audioHeap.BlockCount()) << "device headers left behind";
    EXPECT_GT(posted.Stops().size(), 20u) << "too few playbacks started to tell anything";
    for (StopReport const &stop : posted.Stops())
        EXPECT_EQ(&object, stop.object);
}
