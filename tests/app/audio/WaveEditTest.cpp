// The edits of a wave's lists: each operation on each channel mask and range against a
// model of plain sample arrays (samples, markers, selection, caret, undo steps, undo and
// redo); the clipboard's copy, cut and paste.
#include "audio/Marker.h"
#include "audio/Wave.h"
#include "audio/WaveUndo.h"
#include "foundation/Exception.h"

#include "tests/app/AppTestSupport.h"
#include "tests/app/audio/AudioFileTestKit.h"
#include "tests/app/audio/FrameModel.h"
#include "tests/app/audio/WaveFixture.h"
#include "tests/app/audio/WaveTestKit.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

using namespace audiotest;
using namespace wavetest;

// Two sources spliced: frames 400..699 of each channel come from another file.
Wave *TwoSourceWave(int channels) {
    std::unique_ptr<Wave> wave(DistinctWave(1, channels, 1000));
    std::unique_ptr<Wave> middle(DistinctWave(2, channels, 300));
    wave->InsertFrom(400, 399, 3, *middle, 0);
    wave->UpdateLength(1);
    return wave.release();
}

// The wave as plain arrays.
struct Model {
    Samples channel[2];
    std::vector<int> markers;
    int selectionStart = -1, selectionEnd = -1, caret = 0;

    bool operator==(Model const &o) const {
        return channel[0] == o.channel[0] && channel[1] == o.channel[1] && markers == o.markers;
    }
    int Length() const { return int(channel[0].size()); }
    // The shorter channel padded with silence, as the wave evens its channels.
    void Even(int channels) {
        if (channels == 2) {
            size_t n = std::max(channel[0].size(), channel[1].size());
            channel[0].resize(n, 0);
            channel[1].resize(n, 0);
        }
    }
    void DeleteMarkers(int start, int end) {
        std::vector<int> kept;
        for (int p : markers)
            if (p <= start || p >= end)
                kept.push_back(p >= end ? p - (end - start) : p);
        markers = kept;
    }
    void ShiftMarkers(int position, int count) {
        for (int &p : markers)
            if (p > position)
                p += count;
    }
    void MoveMarkers(int start, int end, int destination) {
        std::vector<int> moved, rest;
        for (int p : markers)
            (p >= start && p <= end ? moved : rest).push_back(p >= start && p <= end ? p + destination - start : p);
        for (int &p : rest)
            if (p > end)
                p -= end - start;
        for (int &p : rest)
            if (p >= destination)
                p += end - start;
        rest.insert(rest.end(), moved.begin(), moved.end());
        std::sort(rest.begin(), rest.end());
        markers = rest;
    }
};

Model Observe(Wave &wave) {
    Model m;
    for (int c = 0; c < 2; ++c)
        m.channel[c] = ReadChannel(wave, c);
    for (int i = 0; i < wave.GetMarkers().GetCount(); ++i)
        m.markers.push_back(wave.GetMarkers().GetMarker(i)->position_);
    m.selectionStart = wave.GetSelectionStart();
    m.selectionEnd = wave.GetSelectionEnd();
    m.caret = wave.GetCaret();
    return m;
}

enum Op { kDelete, kSilence, kInsertSilence, kMove, kMoveOverwrite, kSwap, kCut, kPaste };
char const *const kOpNames[] = {"delete", "silence", "insert silence", "move", "move over", "swap", "cut", "paste"};
int const kClipFrames = 50;

// Where a moved range goes, counted after it was taken out.
int DestinationFor(int start, int length) { return start > 0 ? start / 2 : std::min(300, length); }

void Apply(Wave &wave, Op op, int mask, int start, int end) {
    int destination = DestinationFor(start, wave.GetLength() - (end - start + 1));
    switch (op) {
    case kDelete: wave.Delete(mask, start, end, 1); break;
    case kSilence: wave.Silence(mask, start, end, 1); break;
    case kInsertSilence: wave.InsertSilence(mask, start, end, 1); break;
    case kMove: wave.MoveRange(mask, destination, mask, start, end, 1); break;
    case kMoveOverwrite: wave.MoveRangeOverwrite(mask, destination, start, end, 1); break;
    case kSwap: wave.SwapChannels(start, end, 1); break;
    case kCut:
        wave.SetSelection(start, end, mask, 0);
        wave.Cut(1);
        break;
    case kPaste:
        wave.SetSelection(start, end, mask, 0);
        wave.PasteClipboard(0, 1);
        break;
    }
}

// What the edit does to the arrays.
void Expect(Model &m, Op op, int channels, int mask, int start, int end) {
    int n = end - start + 1;
    bool all = mask == (channels == 2 ? 3 : 1);
    int destination = DestinationFor(start, m.Length() - n);
    auto masked = [&](int c) { return c < channels && (mask & (1 << c)); };
    if (op == kSilence && all && end == m.Length() - 1)
        op = kDelete;
    for (int c = 0; c < 2; ++c) {
        if (!masked(c))
            continue;
        Samples &s = m.channel[c];
        Samples range(s.begin() + start, s.begin() + end + 1);
        switch (op) {
        case kDelete:
        case kCut: framemodel::Remove(s, start, end); break;
        case kSilence: std::fill(s.begin() + start, s.begin() + end + 1, 0); break;
        case kInsertSilence: framemodel::Insert(s, Samples(size_t(n), 0), start); break;
        case kMove:
            framemodel::Remove(s, start, end);
            framemodel::Insert(s, range, destination);
            break;
        case kMoveOverwrite:
            std::fill(s.begin() + start, s.begin() + end + 1, 0);
            framemodel::Overwrite(s, range, destination);
            break;
        case kPaste:
            framemodel::Remove(s, start, end);
            framemodel::Insert(s, DistinctSamples(3, c, 0, kClipFrames), start);
            break;
        case kSwap: break;
        }
    }
    if (op == kSwap && channels == 2)
        for (int f = start; f <= end; ++f)
            std::swap(m.channel[0][size_t(f)], m.channel[1][size_t(f)]);
    m.Even(channels);
    if (op == kDelete || op == kCut) {
        if (all)
            m.DeleteMarkers(start, end + 1);
        m.selectionStart = m.selectionEnd = -1;
        m.caret = start;
    } else if (op == kInsertSilence && all) {
        m.ShiftMarkers(start, n);
    } else if (op == kMove || op == kMoveOverwrite) {
        if (op == kMove && all)
            m.MoveMarkers(start, end + 1, destination);
        m.selectionStart = destination;
        m.selectionEnd = destination + n - 1;
    } else if (op == kPaste) {
        if (all)
            m.DeleteMarkers(start, end + 1);
        m.ShiftMarkers(start, kClipFrames);
        m.selectionStart = start;
        m.selectionEnd = start + kClipFrames - 1;
    } else if (op == kSwap && channels == 2) {
        m.selectionStart = start;
        m.selectionEnd = end;
    }
}

class WaveEdits : public WaveFixture {
protected:
    ~WaveEdits() override { Wave::DeleteClipboardWave(); }
};

TEST_F(WaveEdits, EveryEditOnEveryMaskAndRangeFollowsTheModelAndUndoesExactly) {
    struct Range {
        char const *name;
        int start, end;
    } const ranges[] = {{"start", 0, 99}, {"middle", 400, 599}, {"tail", 1200, 1299},
                        {"whole", 0, 1299}, {"one frame", 500, 500}};
    struct Layout {
        int channels, mask;
    } const layouts[] = {{2, 1}, {2, 2}, {2, 3}, {1, 1}};
    for (int op = kDelete; op <= kPaste; ++op) {
        for (Layout const &layout : layouts) {
            std::unique_ptr<Wave> clip(DistinctWave(3, layout.channels, kClipFrames));
            clip->SetSelection(0, kClipFrames - 1, layout.channels == 2 ? 3 : 1, 0);
            clip->Copy();
            for (Range const &range : ranges) {
                std::string what = std::string(kOpNames[op]) + ", " + std::to_string(layout.channels) +
                                   " channels, mask " + std::to_string(layout.mask) + ", " + range.name;
                std::unique_ptr<Wave> wave(TwoSourceWave(layout.channels));
                for (int p : {50, 450, 900})
                    wave->GetMarkers().InsertSorted(new Marker(String("m"), p, Marker::kPlain, 0));
                Model before = Observe(*wave);
                Model expected = before;
                Expect(expected, Op(op), layout.channels, layout.mask, range.start, range.end);
                Apply(*wave, Op(op), layout.mask, range.start, range.end);
                Model after = Observe(*wave);
                EXPECT_TRUE(expected == after) << what;
                EXPECT_EQ(expected.selectionStart, after.selectionStart) << what;
                EXPECT_EQ(expected.selectionEnd, after.selectionEnd) << what;
                EXPECT_EQ(expected.caret, after.caret) << what;
                EXPECT_EQ(before == expected ? 0 : 1, wave->GetNumUndoMementos()) << what;
                if (wave->GetNumUndoMementos() == 0)
                    continue;
                wave->UndoCurrentState();
                EXPECT_TRUE(before == Observe(*wave)) << what << ": undone";
                wave->RedoLastUndoneState();
                EXPECT_TRUE(after == Observe(*wave)) << what << ": redone";
            }
        }
    }
}

TEST_F(WaveEdits, TheClipboardTakesEachCopysChannelsAndPastesInto) {
    std::unique_ptr<Wave> stereo(DistinctWave(1, 2, 400)), mono(DistinctWave(2, 1, 300));
    // A copy of the left channel alone makes a one-channel clipboard; a stereo copy then a
    // stereo one again.
    stereo->SetSelection(0, 99, 1, 0);
    stereo->Copy();
    Wave *clip = Wave::GetClipboardWave();
    ASSERT_TRUE(clip);
    EXPECT_EQ(1, clip->GetNumChannels());
    EXPECT_TRUE(clip->GetModel().noFile) << "no user document";
    EXPECT_FALSE(clip->IsChanged());
    stereo->SetSelection(100, 199, 3, 0);
    stereo->Copy();
    EXPECT_EQ(clip, Wave::GetClipboardWave());
    EXPECT_EQ(2, clip->GetNumChannels());
    std::unique_ptr<Wave> target(DistinctWave(3, 2, 100));
    target->SetCaret(3, 50);
    target->PasteClipboard(0, 1);
    for (int c = 0; c < 2; ++c)
        EXPECT_TRUE(Join({DistinctSamples(3, c, 0, 50), DistinctSamples(1, c, 100, 100), DistinctSamples(3, c, 50, 50)}) ==
                    ReadChannel(*target, c))
            << "stereo pasted, channel " << c;

    // A stereo clipboard into a mono wave gives its first channel.
    mono->SetCaret(1, 0);
    mono->PasteClipboard(Wave::kPasteAtEnd, 1);
    EXPECT_TRUE(Join({DistinctSamples(2, 0, 0, 300), DistinctSamples(1, 0, 100, 100)}) == ReadChannel(*mono, 0));

    // A mono clipboard pasted into both channels goes into both.
    mono->SetSelection(0, 9, 1, 0);
    mono->Copy();
    EXPECT_EQ(1, clip->GetNumChannels());
    target->ClearSelection(0);
    target->PasteClipboard(Wave::kPasteAtStart, 1);
    for (int c = 0; c < 2; ++c) {
        Samples samples = ReadChannel(*target, c);
        EXPECT_TRUE(DistinctSamples(2, 0, 0, 10) == Samples(samples.begin(), samples.begin() + 10)) << c;
    }

    // Copy and cut on the clipboard itself do nothing.
    clip->SetSelection(0, 4, 1, 0);
    clip->Cut(1);
    EXPECT_EQ(10, clip->GetLength());
}

TEST_F(WaveEdits, AMultiPasteIsOneStepAndPastingStaysUndoableAfterOneFails) {
    std::unique_ptr<Wave> source(DistinctWave(1, 2, 100));
    source->SetSelection(0, 19, 3, 0);
    source->Copy();
    std::unique_ptr<Wave> wave(DistinctWave(2, 2, 200));
    wave->SetSelection(10, 29, 3, 0);
    wave->PasteClipboard(0, 3);
    Samples expected = Join({DistinctSamples(2, 0, 0, 10), DistinctSamples(1, 0, 0, 20), DistinctSamples(1, 0, 0, 20),
                             DistinctSamples(1, 0, 0, 20), DistinctSamples(2, 0, 30, 170)});
    EXPECT_TRUE(expected == ReadChannel(*wave, 0)) << "the selection replaced by three copies";
    EXPECT_EQ(10, wave->GetSelectionStart());
    EXPECT_EQ(69, wave->GetSelectionEnd());
    EXPECT_EQ(1, wave->GetNumUndoMementos());
    wave->UndoCurrentState();
    EXPECT_TRUE(DistinctSamples(2, 0, 0, 200) == ReadChannel(*wave, 0));

    // A run of pastes that fails at its end still lets the next paste be undone.
    RecordingView *view = new RecordingView(*wave);
    view->failOnAll = true;
    wave->ClearSelection(0);
    EXPECT_THROW(wave->PasteClipboard(Wave::kPasteAtEnd, 2), AException);
    view->failOnAll = false;
    int steps = wave->GetNumUndoMementos();
    wave->PasteClipboard(Wave::kPasteAtEnd, 1);
    EXPECT_EQ(steps + 1, wave->GetNumUndoMementos());
}

// Silence added at the end stays silence: it is no padding that evening the channels drops.
TEST_F(WaveEdits, SilenceAtTheEndKeepsItsLength) {
    std::unique_ptr<Wave> mono(DistinctWave(1, 1, 100)), stereo(DistinctWave(2, 2, 100));
    mono->InsertSilence(1, 100, 149, 1);
    EXPECT_EQ(150, mono->GetLength());
    stereo->InsertSilence(1, 100, 109, 1);
    EXPECT_EQ(110, stereo->GetLength()) << "the right channel padded";
    stereo->InsertSilenceNoUndo(3, 20);
    EXPECT_EQ(130, stereo->GetLength());
    EXPECT_EQ(1, stereo->GetNumUndoMementos());
    stereo->Delete(2, 0, 9, 1);
    EXPECT_EQ(130, stereo->GetLength()) << "the appended silence survives the next edit";
    EXPECT_TRUE(Join({DistinctSamples(2, 1, 10, 90), Samples(40, 0)}) == ReadChannel(*stereo, 1));

    // Silencing the tail of every channel cuts it off, with the caller's undo flag.
    stereo->Silence(3, 120, 129, 0);
    EXPECT_EQ(120, stereo->GetLength());
    EXPECT_EQ(2, stereo->GetNumUndoMementos());
    stereo->Silence(1, 100, 119, 1);
    EXPECT_EQ(120, stereo->GetLength()) << "one channel's tail stays as silence";

    // Silencing the tail of the one channel that still sounds beside the other's padding.
    std::unique_ptr<Wave> padded(DistinctWave(2, 2, 100));
    padded->Delete(1, 90, 99, 1);
    EXPECT_EQ(100, padded->GetLength());
    padded->Silence(2, 90, 99, 1);
    EXPECT_EQ(100, padded->GetLength()) << "the silenced tail stays";
}

}  // namespace
