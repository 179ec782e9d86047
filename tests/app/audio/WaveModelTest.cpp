// A stereo wave edited at random in transactions (ReplaceFrom, InsertFrom, removes) with
// undo and redo in between, against a model that keeps every frame as the file, channel
// and frame it shows. Some edits throw on the way, with undo on, off or excluded for their
// action, and must leave the wave exactly as it was. Every sample read through the
// iterators is checked after each step, and when the wave, its history and the sources go,
// no temporary file is left. TESSARO_MODEL_STEPS sets the steps (2000 by default); the long
// run is
//   TESSARO_MODEL_STEPS=100000 tools/wine-run tests/TessaroTests.exe --gtest_filter='WaveModel*'
#include "audio/AudioFile.h"
#include "audio/AudioFileSettings.h"
#include "audio/Wave.h"
#include "audio/WaveUndo.h"
#include "foundation/Exception.h"
#include "foundation/MessageCatalogue.h"

#include "tests/app/AppTestSupport.h"
#include "tests/app/audio/AudioFileTestKit.h"
#include "tests/app/audio/FrameModel.h"
#include "tests/app/audio/WaveTestKit.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace {

using namespace audiotest;
using namespace wavetest;

// A frame: frame of channel of the file of number id, or silence (id 0), padding or not.
struct Frame {
    int id = 0;
    int channel = 0;
    int frame = 0;
    bool padding = false;
    bool operator==(Frame const &o) const {
        return id == o.id && channel == o.channel && frame == o.frame && padding == o.padding;
    }
};
using Frames = std::vector<Frame>;

struct State {
    Frames channels[2];
    bool operator==(State const &o) const { return channels[0] == o.channels[0] && channels[1] == o.channels[1]; }
};

struct Step {
    State state;
    int action;
};

using framemodel::Insert;
using framemodel::Overwrite;
using framemodel::Remove;

void EvenLengths(State &s) {
    for (Frames &m : s.channels)
        while (!m.empty() && m.back().padding)
            m.pop_back();
    size_t longest = std::max(s.channels[0].size(), s.channels[1].size());
    for (Frames &m : s.channels)
        m.resize(longest, Frame{0, 0, 0, true});
}

// Two actions of different names.
enum { kActionA = 11042, kActionB = 11043 };
enum Failure { kNone, kThrowAfterEdit, kTooLong };
enum UndoMode { kOn, kOff, kExcluded };

class WaveModel : public ::testing::Test {
protected:
    WaveModel() {
        apptest::UseEnglishTexts();
        // Through the file cache (the iterator tests walk the mapped kinds).
        TheFileCacheSettings().mode = 2;
        for (int k = 0; k < 3; ++k)
            pool.emplace_back(DistinctWave(10 + k, k == 0 ? 1 : 2, 3000));
        target.reset(DistinctWave(1, 2, 1000));
        for (int c = 0; c < 2; ++c)
            for (int f = 0; f < 1000; ++f)
                model.channels[c].push_back(Frame{1, c, f, false});
    }

    int Random(int n) { return int(random() % unsigned(n)); }

    // A source wave of count frames from frame first of a file, and its frames.
    Wave *Source(Frames (&frames)[2], bool &stereo) {
        std::unique_ptr<Wave> source;
        int id, first = 0, count;
        if (Random(8) == 0) {
            id = nextFresh++;
            stereo = Random(2) == 1;
            count = 1 + Random(400);
            source.reset(DistinctWave(id, stereo ? 2 : 1, count));
        } else {
            int k = Random(3);
            id = 10 + k;
            stereo = k != 0;
            first = Random(2900);
            count = 1 + Random(std::min(1000, 3000 - first));
            source.reset(Wave::CreateWaveFromFile(pool[size_t(k)]->GetFirstFile(), nullptr, 0, nullptr, 0));
            source->ForgetSavedState();
            for (int c = 0; c < 2; ++c) {
                source->GetChannel(c).Remove(first + count, 3000);
                source->GetChannel(c).Remove(0, first - 1);
            }
        }
        for (int c = 0; c < 2; ++c) {
            frames[c].clear();
            if (c == 0 || stereo)
                for (int f = first; f < first + count; ++f)
                    frames[c].push_back(Frame{id, c, f, false});
        }
        return source.release();
    }

    // One edit on the wave and the model; throws as asked.
    void Edit(State &after, Failure failure) {
        int length = target->GetLength();
        int kind = length > 3000 ? 2 : Random(3);
        int position = Random(length + 50), channels = 1 + Random(3);
        if (kind == 2) {
            int last = position + Random(400);
            for (int c = 0; c < 2; ++c)
                if (channels & (1 << c)) {
                    target->GetChannel(c).Remove(position, last);
                    Remove(after.channels[c], position, last);
                }
        } else {
            Frames source[2];
            bool stereo;
            std::unique_ptr<Wave> wave(Source(source, stereo));
            int count = Random(3) == 0 ? 1 + Random(int(source[0].size())) : 0;
            if (count > 0 && count < int(source[0].size()))
                for (Frames &s : source)
                    if (!s.empty())
                        s.resize(size_t(count));
            Frames const &right = (channels & 1) && stereo ? source[1] : source[0];
            if (kind == 0) {
                target->ReplaceFrom(position, channels, *wave, count);
                if (channels & 1)
                    Overwrite(after.channels[0], source[0], position);
                if (channels & 2)
                    Overwrite(after.channels[1], right, position);
            } else {
                int last = position - 1 + Random(200);
                target->InsertFrom(position, last, channels, *wave, count);
                for (int c = 0; c < 2; ++c)
                    if (channels & (1 << c)) {
                        Remove(after.channels[c], position, last);
                        Insert(after.channels[c], c == 0 ? source[0] : right, position);
                    }
            }
        }
        if (failure == kThrowAfterEdit)
            throw Exception("the edit fails on its way");
        if (failure == kTooLong)
            target->GetChannel(1).InsertSilence(1, 0x7FFFFFFF);
        target->UpdateLength(1);
        EvenLengths(after);
    }

    // The undo core's rule for a step of the state before an edit or a redo.
    void Record(State const &before, int action, bool keepRedo) {
        if (!keepRedo)
            redo.clear();
        if (!undo.empty() && undo.back().state == before)
            return;
        undo.push_back(Step{before, action});
    }

    void Transaction() {
        UndoMode mode = UndoMode(Random(3));
        Failure failure = Random(5) == 0 ? Failure(1 + Random(2)) : kNone;
        int action = Random(2) ? kActionA : kActionB;
        target->EnableUndo(mode != kOff);
        if (mode == kExcluded)
            target->DoNotSaveUndoMementosWithName(action);
        State after = model;
        try {
            WaveUndoTransaction transaction(*target, WaveUndoMemento::kSamples, action);
            Edit(after, failure);
            transaction.Commit();
        } catch (AException const &) {
            ASSERT_NE(kNone, failure);
            after = model;
        }
        bool excluded = mode == kExcluded && !undo.empty() && undo.back().action == action;
        if (failure == kNone && mode != kOff && !excluded && !(after == model))
            Record(model, action, false);
        model = after;
        target->EnableUndo(1);
        target->SaveUndoMementosWithAnyName();
    }

    void Undo() {
        target->UndoCurrentState();
        if (undo.empty())
            return;
        redo.push_back(Step{model, undo.back().action});
        model = undo.back().state;
        undo.pop_back();
    }

    void Redo() {
        target->RedoLastUndoneState();
        if (redo.empty())
            return;
        Step step = redo.back();
        redo.pop_back();
        Record(model, step.action, true);
        model = step.state;
    }

    void Check(int step) {
        for (int c = 0; c < 2; ++c) {
            Samples expected;
            for (Frame const &f : model.channels[c])
                expected.push_back(f.id ? Distinct(f.id, f.channel, f.frame) : 0);
            ASSERT_TRUE(expected == ReadChannel(*target, c)) << "channel " << c << " step " << step;
            for (AFileSegment *s = target->GetChannel(c).GetFirst(); s; s = s->next_) {
                Frame const &f = model.channels[c][size_t(s->start_)];
                ASSERT_EQ(f.padding, s->padding_) << "channel " << c << " step " << step;
            }
        }
        ASSERT_EQ(int(undo.size()), target->GetNumUndoMementos()) << "step " << step;
        ASSERT_EQ(int(redo.size()), target->GetNumRedoMementos()) << "step " << step;
    }

    ~WaveModel() override { TheFileCacheSettings() = cacheSettings; }

    FileCacheSettings cacheSettings = TheFileCacheSettings();
    testsupport::TempDir dir;
    SettingsScope settings{dir.Path()};
    RecordingPoster poster;
    std::mt19937 random{31337};
    std::vector<std::unique_ptr<Wave>> pool;
    std::unique_ptr<Wave> target;
    State model;
    std::vector<Step> undo, redo;
    int nextFresh = 100;
};

int Steps() {
    std::string steps = testsupport::Env("TESSARO_MODEL_STEPS");
    return steps.empty() ? 2000 : std::stoi(steps);
}

TEST_F(WaveModel, EditsUndoAndRedoMatchThePerFrameModelAndLeaveNoFileBehind) {
    int steps = Steps();
    for (int step = 0; step < steps; ++step) {
        int what = Random(10);
        if (what < 6)
            ASSERT_NO_FATAL_FAILURE(Transaction()) << "step " << step;
        else if (what < 8)
            Undo();
        else
            Redo();
        ASSERT_NO_FATAL_FAILURE(Check(step));
    }
    target.reset();
    pool.clear();
    EXPECT_TRUE(FilesIn(dir.Path()).empty()) << FilesIn(dir.Path()).size() << " files left";
}

}  // namespace
