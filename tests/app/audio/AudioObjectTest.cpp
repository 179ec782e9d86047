// Audio objects: selection and its redraw pieces, level, channels, play start, play
// requests by mode, following a playback, and the busy word.
#include "audio/AudioObject.h"

#include "foundation/MessageCatalogue.h"
#include "tests/app/AppTestSupport.h"
#include "tests/app/audio/RecordingPlayback.h"
#include "tests/framework/BoxRecorder.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace {

// An object of a given length that records what it is asked to redraw.
class TestObject : public AudioObject {
public:
    explicit TestObject(int length, int channels = 2, uint32_t rate = 44100)
        : AudioObject(SamplePattern(kPcm16, channels, 1, rate)), length(length) {}

    int GetLength() const override { return length; }
    int GetChannelWithData(int channel) const override { return ChannelBitOfIndex(channel); }
    int IsReleasePending() const override { return releasePending; }
    void SelectRegionAt(int, int, int) override {}
    void SetActiveChannels(int channels, int) override { activeChannels_ = channels; }
    void RedrawRange(int first, int last) override {
        redrawn += (redrawn.empty() ? "" : " ") + std::to_string(first) + ".." + std::to_string(last);
    }
    void NotifyViews(int, long, long) override {}
    int InsertAudioFile(int, int, int, AudioFile *, MarkerSet *, int, int, String const &) override { return 0; }

    void SetCaret(int caret) { caret_ = caret; }
    std::string Selection() const {
        return std::to_string(GetSelectionStart()) + ".." + std::to_string(GetSelectionEnd());
    }
    // Only what a step redraws.
    std::string TakeRedrawn() { return std::exchange(redrawn, ""); }

    int length;
    int releasePending = 0;
    std::string redrawn;
};

}  // namespace

TEST(AudioObject, SelectionStaysInsideTheObject) {
    struct Case {
        int first, last;
        char const *selection;
    } const cases[] = {
        {500, 100, "100..299"},
        {10, -5, "0..10"},
        {-5, 10, "0..10"},
        {0, 299, "0..299"},
        // both ends past one edge: one frame at that edge, never a backward range
        {500, 600, "299..299"},
        {-5, -1, "0..0"},
    };
    for (auto const &c : cases) {
        TestObject object(300);
        object.SetSelection(c.first, c.last, 3, 0);
        EXPECT_EQ(c.selection, object.Selection()) << c.first << " " << c.last;
        EXPECT_EQ(object.GetSelectionEnd() - object.GetSelectionStart() + 1, object.GetSelectionLength());
    }
    TestObject empty(0);
    empty.SetSelection(0, 10, 3, 1);
    EXPECT_EQ("-1..-1", empty.Selection());
    EXPECT_EQ(0, empty.GetSelectionLength());
}

TEST(AudioObject, SelectionChangeRedrawsOnlyThePiecesThatChanged) {
    struct Case {
        char const *what;
        int oldFirst, oldLast, oldChannels;  // oldFirst -1: no selection before
        int first, last, channels;
        char const *redrawn;  // each piece widened by a frame, inside 0..999
    } const cases[] = {
        {"first selection", -1, -1, 3, 100, 200, 3, "99..201"},
        {"moved right", 100, 200, 3, 150, 300, 3, "99..150 200..301"},
        {"shrunk inside", 100, 300, 3, 150, 200, 3, "99..150 200..301"},
        {"grown around", 150, 200, 3, 100, 300, 3, "99..150 200..301"},
        {"end moved only", 100, 200, 3, 100, 250, 3, "200..251"},
        {"apart", 100, 200, 3, 400, 500, 3, "99..201 399..501"},
        {"same range, other channels", 100, 200, 3, 100, 200, 1, "99..201"},
        {"overlap, other channels", 100, 200, 3, 150, 300, 2, "99..301"},
        {"clipped at the edges", 0, 10, 3, 0, 999, 3, "10..999"},
        {"unchanged", 100, 200, 3, 200, 100, 3, ""},
    };
    for (auto const &c : cases) {
        TestObject object(1000);
        if (c.oldFirst >= 0)
            object.SetSelection(c.oldFirst, c.oldLast, c.oldChannels, 0);
        object.SetSelection(c.first, c.last, c.channels, 1);
        EXPECT_EQ(c.redrawn, object.TakeRedrawn()) << c.what;
        object.SetSelection(c.oldFirst, c.oldLast, c.oldChannels, 0);
        EXPECT_EQ("", object.TakeRedrawn()) << c.what << ": redraw off";
    }
}

TEST(AudioObject, SelectionStartAndEndKeepTheOtherEndWhenTheyCan) {
    struct Case {
        char const *what;
        int selFirst, selLast;  // -1: none
        bool start;             // SetSelectionStart, else SetSelectionEnd
        int position;
        char const *selection;
    } const cases[] = {
        {"start before the end", 100, 200, true, 50, "50..200"},
        {"start past the end", 100, 200, true, 250, "250..999"},
        {"start without selection", -1, -1, true, 300, "300..999"},
        {"end after the start", 100, 200, false, 400, "100..400"},
        {"end before the start", 100, 200, false, 50, "0..50"},
        {"end without selection", -1, -1, false, 300, "0..300"},
    };
    for (auto const &c : cases) {
        TestObject object(1000);
        if (c.selFirst >= 0)
            object.SetSelection(c.selFirst, c.selLast, 3, 0);
        if (c.start)
            object.SetSelectionStart(c.position);
        else
            object.SetSelectionEnd(c.position);
        EXPECT_EQ(c.selection, object.Selection()) << c.what;
        EXPECT_NE("", object.TakeRedrawn()) << c.what;
    }
}

TEST(AudioObject, ClearingKeepsThePreviousSelectionAndResetsTheLevel) {
    TestObject object(1000);
    object.ClearSelection(1);
    EXPECT_EQ("", object.TakeRedrawn()) << "nothing to clear";

    object.SetSelection(100, 200, 3, 0);
    object.SetLevel(1000, 0);
    object.ClearSelection(1);
    EXPECT_EQ("99..201", object.TakeRedrawn());
    EXPECT_EQ("-1..-1", object.Selection());
    EXPECT_EQ(100, object.GetPreviousSelectionStart());
    EXPECT_EQ(200, object.GetPreviousSelectionEnd());
    EXPECT_EQ(AudioObject::kFullLevel, object.GetLevel());
    EXPECT_EQ(0, object.GetSelectedChannels());
}

TEST(AudioObject, LevelIsClampedAndRedrawsTheSelection) {
    struct Case {
        int level, stored;
    } const cases[] = {{0, 1}, {-7, 1}, {1, 1}, {40000, 32767}, {500, 500}};
    for (auto const &c : cases) {
        TestObject object(1000);
        object.SetLevel(c.level, 0);
        EXPECT_EQ(c.stored, object.GetLevel()) << c.level;
    }
    TestObject object(1000);
    object.SetLevel(100, 1);
    EXPECT_EQ("", object.TakeRedrawn()) << "no selection";
    object.SetSelection(0, 999, 3, 0);
    object.SetLevel(200, 1);
    EXPECT_EQ("0..999", object.TakeRedrawn());
    object.SetLevel(200, 1);
    EXPECT_EQ("", object.TakeRedrawn()) << "unchanged";
}

TEST(AudioObject, ChannelQueriesKeepToTheObjectsChannels) {
    TestObject mono(100, 1);
    mono.SetActiveChannels(2, 0);
    EXPECT_EQ(0, mono.GetActiveChannels());
    mono.SetSelection(0, 10, 2, 0);
    EXPECT_FALSE(mono.HasSelection()) << "a mono object never has its right channel active";
    mono.SetActiveChannels(3, 0);
    EXPECT_EQ(1, mono.GetActiveChannels());
    EXPECT_TRUE(mono.HasSelection());
    EXPECT_TRUE(mono.IsOneChannelActive());

    TestObject stereo(100);
    stereo.SetSelection(0, 99, 2, 0);
    EXPECT_TRUE(stereo.HasSelectionIn(ChannelSide::Right));
    EXPECT_FALSE(stereo.HasSelectionIn(ChannelSide::Left));
    EXPECT_TRUE(stereo.IsSelectionToEnd(3));
    EXPECT_FALSE(stereo.IsSelectionToEnd(1));
    EXPECT_TRUE(stereo.IsChannelActive(1));
    EXPECT_FALSE(stereo.IsChannelActive(0));
    EXPECT_EQ(2, stereo.GetSelectedChannels());
    EXPECT_FALSE(stereo.AreBothChannelsActive());
}

TEST(AudioObject, PlayStart) {
    struct Case {
        char const *what;
        int selFirst;  // -1: no selection
        int before;    // play start before
        int position, keep;
        int after;
    } const cases[] = {
        {"kept", -1, 40, 7, 1, 40},
        {"stored", -1, 40, 7, 0, 7},
        {"back to the selection", 20, 40, -1, 0, 20},
        {"selection after it", 60, 40, -1, 0, 0},
        {"no selection", -1, 40, -1, 0, 0},
    };
    for (auto const &c : cases) {
        TestObject object(100);
        if (c.selFirst >= 0)
            object.SetSelection(c.selFirst, c.selFirst + 10, 3, 0);
        object.SetPlayStart(c.before, 0);
        object.SetPlayStart(c.position, c.keep);
        EXPECT_EQ(c.after, object.GetPlayStart()) << c.what;
    }
    TestObject object(100);
    object.SetPlayStart(99, 0);
    EXPECT_EQ(0, object.GetPlayStart()) << "the last frame";
}

TEST(AudioObject, PlayBuildsTheRequestOfEachMode) {
    struct Case {
        char const *what;
        int length;
        int caret, selFirst, selLast;  // selFirst -1: no selection
        int mode, first, count;
        int start, end, playStart;  // playStart before the call is 5
    } const cases[] = {
        {"caret", 100000, 1000, -1, -1, kPlayFromCaret, 0, 0, 1000, -1, 5},
        {"caret in the last quarter second", 44100, 44000, -1, -1, kPlayFromCaret, 0, 0, 0, -1, 5},
        {"caret, wave shorter than that", 1000, 10, -1, -1, kPlayFromCaret, 0, 0, 0, -1, 5},
        {"selection", 1000, 0, 500, 600, kPlaySelection, 0, 0, 500, -1, 500},
        {"selection mode without one", 1000, 300, -1, -1, kPlaySelection, 0, 0, 0, -1, 5},
        {"range", 1000, 0, -1, -1, kPlayRange, 10, 20, 10, 30, 10},
        {"from a frame", 1000, 0, -1, -1, kPlayFromFrame, 50, 0, 50, -1, 50},
        {"from past the end", 1000, 0, -1, -1, kPlayFromFrame, 1000, 0, 0, -1, 5},
    };
    for (auto const &c : cases) {
        RecordingPlayback playback;
        TestObject object(c.length);
        object.SetCaret(c.caret);
        object.SetPlayStart(5, 0);
        if (c.selFirst >= 0)
            object.SetSelection(c.selFirst, c.selLast, 3, 0);
        object.Play(0, c.mode, c.first, c.count, 0);
        ASSERT_EQ(1u, playback.requests.size()) << c.what;
        PlayRequest const &r = playback.requests[0];
        EXPECT_EQ(&object, r.source) << c.what;
        EXPECT_EQ(c.mode, r.mode) << c.what;
        EXPECT_EQ(c.start, r.start) << c.what;
        EXPECT_EQ(c.end, r.end) << c.what;
        EXPECT_EQ(uint32_t(kFloat32), r.sampleFormat) << c.what;
        EXPECT_EQ(c.playStart, object.GetPlayStart()) << c.what;
    }
}

TEST(AudioObject, PlayTakesChannelsEngineAndLoopFromTheSettings) {
    struct Case {
        int channels, playChannels, linkEngine, useEngine;
        uint32_t mask;
        int engine;
    } const cases[] = {
        {2, 3, 0, 1, 3, 0},
        {2, 2, 1, 1, 2, 1},
        {2, 1, 1, 0, 1, 0},
        {1, 2, 1, 1, 1, 1},
    };
    for (auto const &c : cases) {
        RecordingPlayback playback;
        playback.playChannels = c.playChannels;
        playback.useEngine = c.linkEngine;
        playback.outputBits = 24;
        TestObject object(1000, c.channels);
        object.SetLoop(1);
        int tag;
        object.Play(c.useEngine, kPlayFromCaret, 0, 0, &tag);
        ASSERT_EQ(1u, playback.requests.size());
        PlayRequest const &r = playback.requests[0];
        EXPECT_EQ(c.mask, r.channelMask) << c.channels << " " << c.playChannels;
        EXPECT_EQ(c.engine, r.useEngine) << c.linkEngine << " " << c.useEngine;
        EXPECT_EQ(24, r.outputBits);
        EXPECT_EQ(1, r.loop);
        EXPECT_EQ(&tag, r.ownerTag);
        EXPECT_EQ(0, r.pattern.GetNumChannels()) << "the playback fills in the source's pattern";
    }
}

TEST(AudioObject, NothingPlaysWhileReleasePendingOrEmpty) {
    RecordingPlayback playback;
    TestObject pending(1000);
    pending.releasePending = 1;
    pending.Play(0, kPlayFromCaret, 0, 0, 0);
    TestObject empty(0);
    empty.Play(0, kPlayFromCaret, 0, 0, 0);
    EXPECT_TRUE(playback.requests.empty());
}

TEST(AudioObject, WithoutAPlaybackNothingPlays) {
    TestObject object(1000);
    object.Play(1, kPlayFromCaret, 0, 0, 0);
    object.SetCaret(17);
    EXPECT_FALSE(object.IsPlaying());
    EXPECT_EQ(17, object.GetPlayOrCaretPosition());
}

TEST(AudioObject, APlayingObjectFollowsItsSelection) {
    struct Case {
        char const *what;
        int playMode;
        int first, last, channels;
        char const *calls;
    } const cases[] = {
        {"re-queued with the new range", 0, 300, 400, 3, "requeue -1 0 sel 300..400"},
        {"stopped", 2, 300, 400, 3, "stop"},
        {"channels only: the range stays", 0, 100, 200, 1, ""},
    };
    for (auto const &c : cases) {
        RecordingPlayback playback;
        playback.playMode = c.playMode;
        TestObject object(1000);
        object.SetSelection(100, 200, 3, 0);
        playback.playing = &object;
        object.SetSelection(c.first, c.last, c.channels, 0);
        std::string calls;
        for (auto const &call : playback.calls)
            calls += call;
        EXPECT_EQ(c.calls, calls) << c.what;
    }
    RecordingPlayback playback;
    TestObject object(1000);
    object.SetSelection(100, 200, 3, 0);
    playback.playing = &object;
    playback.position = 321;
    object.ClearSelection(0);
    ASSERT_EQ(1u, playback.calls.size());
    EXPECT_EQ("requeue -1 0 sel -1..-1", playback.calls[0]);
    EXPECT_EQ(321, object.GetPlayOrCaretPosition());
}

TEST(AudioObject, BusyObjectTellsTheUserOnlyWhenAsked) {
    apptest::UseEnglishTexts();
    BoxRecorder boxes;
    TestObject object(100);
    EXPECT_EQ(1, object.CheckNotBusy(1));
    ASSERT_EQ(1, object.TryLock());
    EXPECT_EQ(0, object.CheckNotBusy(0));
    EXPECT_TRUE(boxes.Boxes.empty());
    EXPECT_EQ(0, object.CheckNotBusy(1));
    ASSERT_EQ(1u, boxes.Boxes.size());
    EXPECT_EQ(String(FindString(11196)).c_str(), boxes.Boxes[0].text);
    EXPECT_FALSE(boxes.Boxes[0].text.empty());
    EXPECT_EQ(unsigned(MB_ICONHAND), boxes.Boxes[0].style & MB_ICONMASK);
    object.Unlock();
    EXPECT_EQ(1, object.CheckNotBusy(1));
}

TEST(AudioObject, NestedHoldsGiveBackOnlyWhatTheyTook) {
    TestObject object(100);
    {
        AudioObject::BusyHold outer(object, AudioObject::BusyHold::kTakeWhenFree);
        ASSERT_TRUE(outer.Held());
        {
            AudioObject::BusyHold refused(object, AudioObject::BusyHold::kTakeWhenFree);
            EXPECT_FALSE(refused.Held());
        }
        EXPECT_TRUE(object.IsBusy()) << "a refused hold gives back nothing";
        {
            AudioObject::BusyHold nested(object, AudioObject::BusyHold::kJoin);
            EXPECT_TRUE(nested.Held());
        }
        EXPECT_TRUE(object.IsBusy()) << "the nested operation's end leaves the outer one's hold";
        EXPECT_EQ(0, object.TryLock());
    }
    EXPECT_FALSE(object.IsBusy());
    object.Unlock();
    EXPECT_FALSE(object.IsBusy()) << "an extra release stays at free";
    EXPECT_EQ(1, object.TryLock());
}

TEST(AudioObject, OneOfManyRacingThreadsTakesTheObject) {
    int const threads = 8;
    for (int round = 0; round < 20; ++round) {
        TestObject object(100);
        std::atomic<int> ready{0}, taken{0};
        std::vector<std::thread> racers;
        for (int i = 0; i < threads; ++i)
            racers.emplace_back([&] {
                ++ready;
                while (ready < threads)
                    std::this_thread::yield();
                taken += object.TryLock();
            });
        for (auto &racer : racers)
            racer.join();
        ASSERT_EQ(1, taken.load()) << "round " << round;
        object.Unlock();
        EXPECT_FALSE(object.IsBusy());
    }
}

TEST(AudioObject, RacingHoldsAllGiveBack) {
    TestObject object(100);
    std::vector<std::thread> workers;
    for (int i = 0; i < 4; ++i)
        workers.emplace_back([&, i] {
            for (int n = 0; n < 2000; ++n) {
                AudioObject::BusyHold hold(object,
                                           i % 2 ? AudioObject::BusyHold::kJoin : AudioObject::BusyHold::kTakeWhenFree);
            }
        });
    for (auto &worker : workers)
        worker.join();
    EXPECT_FALSE(object.IsBusy());
}
