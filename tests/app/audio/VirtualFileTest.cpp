// Virtual files: every list operation against a model that keeps one entry per frame (file,
// channel and frame in the file, or silence), with the list's invariants and the files' use
// counts checked after each step. TESSARO_MODEL_STEPS sets the steps (3000 by default); the
// long run is
//   TESSARO_MODEL_STEPS=100000 tools/wine-run tests/TessaroTests.exe --gtest_filter='VirtualFileModel*'
#include "audio/AudioFile.h"
#include "audio/FileSegment.h"
#include "audio/VirtualFile.h"

#include "tests/app/AppTestSupport.h"
#include "tests/app/audio/AudioFileTestKit.h"
#include "tests/app/audio/FrameModel.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <memory>
#include <random>
#include <sstream>
#include <vector>

namespace {

using namespace audiotest;

// One frame: a frame of a file's channel, or silence (padding or an edit's).
struct Frame {
    AudioFile const *file = nullptr;
    int channel = 0;
    int frame = 0;
    bool padding = false;

    bool operator==(Frame const &o) const {
        return file == o.file && (file ? channel == o.channel && frame == o.frame : padding == o.padding);
    }
};

using Frames = std::vector<Frame>;

Frames Silence(int n, bool padding = false) {
    Frame f;
    f.padding = padding;
    return Frames(size_t(std::max(n, 0)), f);
}

Frames FramesOf(VirtualFile const &file) {
    Frames frames;
    for (AFileSegment *s = file.GetFirst(); s; s = s->next_)
        for (int i = 0; i < s->length_; ++i) {
            Frame f;
            if (auto *audio = static_cast<AudioFileSegment *>(s)->GetAudioFile()) {
                f.file = audio;
                f.channel = static_cast<AudioFileSegment *>(s)->channel_;
                f.frame = s->offset_ + i;
            }
            f.padding = s->padding_;
            frames.push_back(f);
        }
    return frames;
}

// The list's own promises: placed end to end from 0, linked both ways, merged.
std::string BrokenInvariant(VirtualFile const &file) {
    int position = 0, count = 0;
    AFileSegment *previous = nullptr;
    for (AFileSegment *s = file.GetFirst(); s; previous = s, s = s->next_, ++count) {
        if (s->previous_ != previous)
            return "back link";
        if (s->length_ < 1 || s->start_ != position || s->end_ != position + s->length_ - 1)
            return "placement at " + std::to_string(position);
        if (s->IsSilent() && s->offset_ != 0)
            return "silence with an offset";
        if (previous && previous->IsContinuation(*s))
            return "neighbours not merged at " + std::to_string(position);
        position += s->length_;
    }
    if (previous != file.GetLast() || count != file.GetSegmentCount() || position != file.GetLength())
        return "count, last or length";
    return "";
}

using framemodel::Insert;
using framemodel::Overwrite;
using framemodel::PadTo;
using framemodel::Remove;

Frames ModelCopy(Frames const &m, int first, int last) {
    Frames copy;
    first = std::max(first, 0);
    for (int i = first; i <= last && i < int(m.size()); ++i) {
        copy.push_back(m[size_t(i)]);
        copy.back().padding = false;
    }
    return copy;
}

void ModelSilence(Frames &m, int first, int last) {
    first = std::max(first, 0);
    if (last < first)
        return;
    Remove(m, first, last);
    if (!m.empty())
        Insert(m, Silence(last - first + 1), first);
}

void ModelDropPadding(Frames &m) {
    while (!m.empty() && !m.back().file && m.back().padding)
        m.pop_back();
}

class VirtualFileModel : public ::testing::Test {
protected:
    VirtualFileModel() : files{OwnedFile(new AudioFile), OwnedFile(new AudioFile), OwnedFile(new AudioFile)} {}

    // What a step may hand a list: a stretch of one channel of one of the files.
    AFileSegment *RandomSegment(Frames &frames) {
        AudioFile *file = files[random() % 3].get();
        int channel = int(random() % 2), offset = int(random() % 900), length = 1 + int(random() % 60);
        frames.clear();
        for (int i = 0; i < length; ++i)
            frames.push_back(Frame{file, channel, offset + i, false});
        return new AudioFileSegment(file, offset, length, channel);
    }

    // A list of a few stretches, some of them silence.
    VirtualFile *RandomList(Frames &frames) {
        auto *list = new VirtualFile(TheSegmentFactory());
        frames.clear();
        for (int n = int(random() % 4); n > 0; --n) {
            Frames piece;
            int position = int(frames.size());
            if (random() % 4 == 0) {
                int length = 1 + int(random() % 20);
                list->InsertSilence(position, length);
                piece = Silence(length);
            } else {
                list->InsertSegment(RandomSegment(piece), position);
            }
            Insert(frames, piece, position);
        }
        return list;
    }

    int Position(Frames const &m) { return int(random() % (m.size() + 20)) - 5; }

    void Check(int step) {
        std::map<AudioFile const *, int> uses;
        long segments = 0;
        for (int i = 0; i < 3; ++i) {
            ASSERT_EQ("", BrokenInvariant(*lists[i])) << "list " << i << " step " << step << " " << lastOp;
            ASSERT_TRUE(models[i] == FramesOf(*lists[i]))
                << "list " << i << " step " << step << " " << lastOp << " model " << models[i].size() << " list "
                << lists[i]->GetLength();
            for (AFileSegment *s = lists[i]->GetFirst(); s; s = s->next_, ++segments)
                ++uses[static_cast<AudioFileSegment *>(s)->GetAudioFile()];
        }
        for (auto &file : files)
            ASSERT_EQ(uses[file.get()], file->GetUseCount()) << "step " << step;
        ASSERT_EQ(segments + liveAtStart, AudioFileSegment::CountLive()) << "step " << step;
    }

    void Step() {
        int i = int(random() % 3), j = int(random() % 3);
        VirtualFile &list = *lists[i];
        Frames &m = models[i];
        Frames piece;
        int a = Position(m), b = a - 1 + int(random() % 80);
        unsigned op = random() % 13;
        lastOp = "op " + std::to_string(op) + " on " + std::to_string(i) + "/" + std::to_string(j) + " a " +
                 std::to_string(a) + " b " + std::to_string(b);
        switch (op) {
        case 0: list.InsertSegment(RandomSegment(piece), std::max(a, 0)), Insert(m, piece, std::max(a, 0)); break;
        case 1: list.InsertSilence(std::max(a, 0), b - a + 2), Insert(m, Silence(b - a + 2), std::max(a, 0)); break;
        case 2: list.Remove(a, b), Remove(m, a, b); break;
        case 3: list.Silence(a, b), ModelSilence(m, a, b); break;
        case 4: {
            std::unique_ptr<VirtualFile> cut(list.Cut(a, b));
            piece = ModelCopy(m, a, b);
            Remove(m, a, b);
            int at = std::max(Position(models[j]), 0);
            lists[j]->Insert(*cut, at);
            Insert(models[j], piece, at);
            break;
        }
        case 5: {
            int at = std::max(Position(models[j]), 0);
            std::unique_ptr<VirtualFile> copy(list.Copy(a, b));
            piece = ModelCopy(m, a, b);
            lists[j]->Overwrite(*copy, at);
            Overwrite(models[j], piece, at);
            break;
        }
        case 6: {
            int at = std::max(a, 0);
            list.InsertWith(RandomList(piece), at);
            Insert(m, piece, at);
            break;
        }
        case 7: {
            int at = std::max(a, 0);
            list.OverwriteWith(RandomList(piece), at);
            Overwrite(m, piece, at);
            break;
        }
        case 8: {
            int destination = std::max(Position(m), 0);
            list.MoveOverwrite(std::max(a, 0), b, destination);
            piece = ModelCopy(m, std::max(a, 0), b);
            ModelSilence(m, std::max(a, 0), b);
            Overwrite(m, piece, destination);
            break;
        }
        case 9: {
            if (i == j)
                break;
            int changed = EqualizeLengths(list, *lists[j]);
            size_t before[2] = {m.size(), models[j].size()};
            ModelDropPadding(m);
            ModelDropPadding(models[j]);
            size_t longest = std::max(m.size(), models[j].size());
            for (Frames *model : {&m, &models[j]})
                model->resize(longest, Frame{nullptr, 0, 0, true});
            ASSERT_EQ(changed, int(m.size() != before[0] || models[j].size() != before[1]));
            break;
        }
        case 10: *lists[j] = list, models[j] = m; break;
        case 11:
            lists[j]->TakeFrom(list.Copy(0, -1 + list.GetLength())), models[j] = ModelCopy(m, 0, int(m.size()) - 1);
            break;
        case 12: list.Clear(), m.clear(); break;
        }
    }

    std::string lastOp;
    std::mt19937 random{20240518};
    OwnedFile files[3];
    long liveAtStart = AudioFileSegment::CountLive();
    std::unique_ptr<VirtualFile> lists[3] = {std::make_unique<VirtualFile>(TheSegmentFactory()),
                                             std::make_unique<VirtualFile>(TheSegmentFactory()),
                                             std::make_unique<VirtualFile>(TheSegmentFactory())};
    Frames models[3];
};

int ModelSteps() {
    std::string steps = testsupport::Env("TESSARO_MODEL_STEPS");
    return steps.empty() ? 3000 : std::stoi(steps);
}

TEST_F(VirtualFileModel, EveryOperationMatchesThePerFrameModel) {
    int steps = ModelSteps();
    for (int step = 0; step < steps; ++step) {
        ASSERT_NO_FATAL_FAILURE(Step()) << "step " << step;
        ASSERT_NO_FATAL_FAILURE(Check(step));
    }
    for (auto &list : lists)
        list.reset();
    for (auto &file : files)
        EXPECT_EQ(0, file->GetUseCount());
    EXPECT_EQ(liveAtStart, AudioFileSegment::CountLive());
}

TEST(VirtualFiles, EqualityAndTheLongestFile) {
    apptest::UseEnglishTexts();
    OwnedFile a(new AudioFile), b(new AudioFile);
    VirtualFile one(TheSegmentFactory()), other(TheSegmentFactory());
    one.InsertSegment(new AudioFileSegment(a.get(), 0, 50, 0), 100);
    other.InsertSegment(new AudioFileSegment(b.get(), 0, 50, 0), 100);
    EXPECT_EQ(2, one.GetSegmentCount()) << "silence up to the position, then the segment";
    EXPECT_FALSE(one.IsEqual(other)) << "same lengths, other files";
    EXPECT_TRUE(one.IsEqual(VirtualFile(one)));

    one.InsertSilence(0, 0x7FFFFFFF - 150);
    EXPECT_EQ(0x7FFFFFFF, one.GetLength());
    VirtualFile before(one);
    EXPECT_EQ(Text(10060), ErrorOf([&] { one.InsertSilence(5, 1); }));
    EXPECT_EQ(Text(10060), ErrorOf([&] { one.Insert(other, 0); }));
    EXPECT_TRUE(one.IsEqual(before)) << "a refused edit changes nothing";
}

}  // namespace
