// The main frame's play clock against the real playback on the test sound device: the
// views of the played wave hear 1003 when it starts being the played one, rising 1005
// while it plays and one 1006 when it stops being it.
#include <gtest/gtest.h>

#include <windows.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "audio/Wave.h"
#include "engine/AudioState.h"
#include "engine/Playback.h"
#include "shell/PlayClock.h"
#include "shell/WaveMDIClient.h"
#include "tests/app/audio/WaveTestKit.h"
#include "tests/app/engine/EngineTestKit.h"
#include "tests/framework/TestKit.h"

namespace {

using wavetest::DistinctWave;
using wavetest::DocumentsScope;

struct Told {
    std::string wave;
    int code;
    long position;
};

// What the views of every wave heard, in one order.
class SharedLogView : public View {
public:
    SharedLogView(Document &doc, char const *name, std::vector<Told> &log)
        : View("SharedLogView", doc, nullptr), name_(name), log_(log) {}
    int Handler(int code, long a, long) override {
        if (code >= kNotifyHideCaret && code <= kNotifyPlayCursorOff)
            log_.push_back({name_, code, a});
        return 1;
    }

private:
    std::string name_;
    std::vector<Told> &log_;
};

// Runs the GUI thread's part (messages, the timer, the frame's first idle pass) until the
// condition holds or the time went by.
template <class Condition>
bool RunClockUntil(Condition condition, DWORD ms = 20000) {
    for (DWORD end = GetTickCount() + ms; GetTickCount() < end;) {
        MSG msg;
        while (PeekMessageA(&msg, 0, 0, 0, PM_REMOVE))
            DispatchMessageA(&msg);
        IdlePlayClock();
        if (condition())
            return true;
        Sleep(5);
    }
    return false;
}

std::vector<Told> Of(std::vector<Told> const &log, std::string const &wave) {
    std::vector<Told> kept;
    for (Told const &t : log)
        if (t.wave == wave)
            kept.push_back(t);
    return kept;
}

int Count(std::vector<Told> const &log, std::string const &wave, int code) {
    int n = 0;
    for (Told const &t : log)
        n += t.wave == wave && t.code == code;
    return n;
}

class PlayClockTest : public testing::Test {
protected:
    void TearDown() override {
        ThePlaybackEngine().StopAndWait();
        RunClockUntil([] { return !IsWaveOutOpen() && !IsPlayClockRunning(); });
        StopPlayClock();
    }

    DocumentsScope documents;
    enginetest::PlaybackScope playback;
    std::vector<Told> log;
};

TEST_F(PlayClockTest, AShortWaveHearsItsStartRisingPositionsAndOneEnd) {
    std::unique_ptr<Wave> wave(DistinctWave(1, 2, 22050));
    new SharedLogView(*wave, "A", log);  // the wave deletes its views
    wave->Play(0, kPlayFromCaret, 0, 0, nullptr);
    ASSERT_TRUE(RunClockUntil([&] { return Count(log, "A", kNotifyPlayCursorOff) > 0; }));
    // a little longer: no second end comes
    RunClockUntil([] { return false; }, 300);
    std::vector<Told> a = Of(log, "A");
    ASSERT_GE(a.size(), 3u);
    EXPECT_EQ(kNotifyHideCaret, a.front().code);
    EXPECT_EQ(kNotifyPlayCursorOff, a.back().code);
    EXPECT_EQ(1, Count(log, "A", kNotifyPlayCursorOff));
    EXPECT_EQ(1, Count(log, "A", kNotifyHideCaret));
    EXPECT_GE(Count(log, "A", kNotifyPlayCursor), 2);
    // rising; the device's last ticks after the wave's end may show its start again
    long last = -1;
    for (Told const &t : a)
        if (t.code == kNotifyPlayCursor && t.position > 0) {
            EXPECT_GE(t.position, last);
            EXPECT_LE(t.position, 22050);
            last = t.position;
        }
    EXPECT_GT(last, 0);
}

TEST_F(PlayClockTest, SwitchingToAnotherWaveEndsTheFirstBeforeTheSecondStarts) {
    std::unique_ptr<Wave> a(DistinctWave(1, 2, 44100 * 4)), b(DistinctWave(2, 2, 44100 * 4));
    new SharedLogView(*a, "A", log);
    new SharedLogView(*b, "B", log);
    a->Play(0, kPlayFromCaret, 0, 0, nullptr);
    ASSERT_TRUE(RunClockUntil([&] { return Count(log, "A", kNotifyPlayCursor) > 0; }));
    b->Play(0, kPlayFromCaret, 0, 0, nullptr);
    ASSERT_TRUE(RunClockUntil([&] { return Count(log, "B", kNotifyPlayCursor) > 0; }));
    std::vector<std::string> order;
    for (Told const &t : log)
        if (t.code != kNotifyPlayCursor || (t.wave == "B" && order.back() != "B 1005"))
            order.push_back(t.wave + " " + std::to_string(t.code));
    EXPECT_EQ((std::vector<std::string>{"A 1003", "A 1006", "B 1003", "B 1005"}), order);
}

TEST_F(PlayClockTest, AWaveClosedWhilePlayingHearsNothingMore) {
    std::unique_ptr<Wave> a(DistinctWave(1, 2, 44100 * 4));
    new SharedLogView(*a, "A", log);
    a->Play(0, kPlayFromCaret, 0, 0, nullptr);
    ASSERT_TRUE(RunClockUntil([&] { return Count(log, "A", kNotifyPlayCursor) > 0; }));
    a.reset();
    EXPECT_TRUE(RunClockUntil([] { return !IsWaveOutOpen(); }));
    RunClockUntil([] { return !IsPlayClockRunning(); });
    EXPECT_EQ(0, Count(log, "A", kNotifyPlayCursorOff));
}

// The stop command holds a running playback first (the position stands) and ends it the
// second time.
TEST_F(PlayClockTest, StopHoldsThePlaybackThenEndsIt) {
    std::unique_ptr<Wave> a(DistinctWave(1, 2, 44100 * 4));
    new SharedLogView(*a, "A", log);
    a->Play(0, kPlayFromCaret, 0, 0, nullptr);
    ASSERT_TRUE(RunClockUntil([&] { return Count(log, "A", kNotifyPlayCursor) > 2; }));
    WaveMDIClient client;
    client.CmStop();
    Playback &playback = ThePlaybackEngine();
    EXPECT_TRUE(playback.IsPaused());
    EXPECT_TRUE(IsWaveOutOpen());
    // buffers the device had taken before the pause may still finish: the position settles first
    int held = playback.GetPosition();
    EXPECT_TRUE(RunClockUntil([&] {
        Sleep(100);
        int before = std::exchange(held, playback.GetPosition());
        return before == held;
    }));
    RunClockUntil([] { return false; }, 300);
    EXPECT_EQ(held, playback.GetPosition());
    EXPECT_TRUE(a->IsPlaying());
    client.CmStop();
    EXPECT_TRUE(RunClockUntil([] { return !IsWaveOutOpen(); }));
    EXPECT_TRUE(RunClockUntil([&] { return Count(log, "A", kNotifyPlayCursorOff) == 1; }));
    EXPECT_FALSE(playback.IsPaused());
}

// What the transport's enablers say with no wave active, stopped and while a wave plays.
TEST_F(PlayClockTest, TransportEnablersFollowThePlayback) {
    WaveMDIClient client;
    struct Probe {
        char const *command;
        void (WaveMDIClient::*enabler)(TCommandEnabler &);
    };
    Probe const probes[] = {{"play", &WaveMDIClient::CePlay},         {"stop", &WaveMDIClient::CeStop},
                            {"record", &WaveMDIClient::CeRecord},     {"loop", &WaveMDIClient::CeLoop},
                            {"master", &WaveMDIClient::CeMasterSection}, {"back", &WaveMDIClient::CeMoveBackward}};
    auto states = [&] {
        std::string all;
        for (Probe const &p : probes) {
            EnablerProbe probe(1);
            (client.*p.enabler)(probe);
            all += std::string(p.command) + (probe.Enabled ? "+ " : "- ");
        }
        return all;
    };
    EXPECT_EQ("play- stop- record+ loop- master+ back- ", states());
    std::unique_ptr<Wave> a(DistinctWave(1, 2, 44100 * 4));
    a->Play(0, kPlayFromCaret, 0, 0, nullptr);
    ASSERT_TRUE(RunClockUntil([] { return IsWaveOutOpen(); }));
    EXPECT_EQ("play+ stop+ record+ loop- master- back- ", states());
}

}  // namespace
