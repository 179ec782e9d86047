// Iterators over a virtual file of file A, silence, the right channel of file B and A again,
// through buffer windows small enough to cut the segments into several clips: forwards,
// backwards, by Seek and as float columns, against the samples the files hold; and stereo
// files written through every access kind with their channels in every order.
#include "audio/AudioFile.h"
#include "audio/FileSegment.h"
#include "audio/SampleConversion.h"
#include "audio/VirtualFile.h"
#include "audio/VirtualFileIterator.h"

#include "tests/app/AppTestSupport.h"
#include "tests/app/audio/AudioFileTestKit.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace {

using namespace audiotest;

class Iterators : public ::testing::TestWithParam<int> {
protected:
    Iterators() {
        apptest::UseEnglishTexts();
        // A 1000..40999, 5000 silent frames, B's right channel 0..49999, A 20000..59999
        file.InsertSegment(new AudioFileSegment(a.get(), 1000, 40000, 0), 0);
        file.AppendSilence(5000);
        file.InsertSegment(new AudioFileSegment(b.get(), 0, 50000, 1), file.GetLength());
        file.InsertSegment(new AudioFileSegment(a.get(), 20000, 40000, 0), file.GetLength());
        Append(valuesA, 1, 1000, 40000);
        expected.resize(expected.size() + 5000, 0);
        Append(valuesB, 2, 0, 50000, 1);
        Append(valuesA, 1, 20000, 40000);
    }

    // A temporary 16-bit file of the parameter's access kind holding distinct values.
    AudioFile *WorkFile(int channels, int frames, uint32_t seed) {
        AudioFile *work = CreateWorkAudioFile(GetParam(), TestOwner(), SamplePattern(kPcm16, channels, 1, 44100),
                                              int64_t(frames) * 2 * channels);
        std::vector<int32_t> &values = channels == 1 ? valuesA : valuesB;
        values = RepresentableValues(kPcm16, size_t(frames) * channels, seed);
        WriteSamples24(*work, values);
        return work;
    }

    void Append(std::vector<int32_t> const &values, int channels, int first, int count, int channel = 0) {
        for (int i = first; i < first + count; ++i)
            expected.push_back(values[size_t(i) * channels + channel]);
    }

    testsupport::TempDir dir;
    SettingsScope settings{dir.Path()};
    std::vector<int32_t> valuesA, valuesB, expected;
    OwnedFile a{WorkFile(1, 60000, 1)}, b{WorkFile(2, 60000, 2)};
    VirtualFile file{TheSegmentFactory()};
};

TEST_P(Iterators, WalkForwardsAndBackwardsOverEveryClip) {
    int const first = 500, last = int(expected.size()) - 300;
    FileReadBuffer buffer(1);
    WaveInIterator it(buffer, 0, file, first, last);
    int clips = 0, position = first;
    for (; it.IsValid(); it.Advance(1), ++position) {
        clips += it.offset_ == 0;
        ASSERT_EQ(position, it.GetPosition());
        ASSERT_EQ(expected[size_t(position)], ConvertSampleTo24(it)) << position;
    }
    EXPECT_EQ(last + 1, position);
    EXPECT_GT(clips, 4) << "windows narrower than the segments";
    EXPECT_EQ(0, ConvertSampleTo24(it)) << "past the end reads silence";

    ASSERT_EQ(1, it.Seek(last));
    for (position = last; it.IsValid(); it.Advance(-1), --position)
        ASSERT_EQ(expected[size_t(position)], ConvertSampleTo24(it)) << position;
    EXPECT_EQ(first - 1, position);
    EXPECT_EQ(0, ConvertSampleTo24(it));
}

TEST_P(Iterators, SeekAnywhereAndReadFloatColumns) {
    int const first = 40990, last = 95010;
    FileReadBuffer buffer(1);
    ExWaveInIterator it(buffer, 0, file, first, last);
    std::mt19937 random(7);
    for (int i = 0; i < 3000; ++i) {
        int position = first - 20 + int(random() % (last - first + 40));
        bool inside = position >= first && position <= last;
        ASSERT_EQ(inside, it.Seek(position) == 1) << position;
        ASSERT_EQ(inside ? expected[size_t(position)] : 0, ConvertSampleTo24(it)) << position;
    }

    std::vector<float> column(size_t(last - first + 1 + 100), -1.0f);
    float *columns[] = {column.data()};
    ASSERT_EQ(1, it.Seek(first));
    int read = 0;
    for (int n = 1; read < last - first + 1; n = n * 3 % 7919)
        read += it.ReadFloats(columns, read, n);
    EXPECT_EQ(last - first + 1, read);
    EXPECT_EQ(0, it.ReadFloats(columns, read, 100)) << "nothing past the range";
    for (int i = 0; i < read; ++i)
        ASSERT_EQ(float(expected[size_t(first + i)]) / 8388608.0f, column[size_t(i)]) << first + i;
}

INSTANTIATE_TEST_SUITE_P(AccessKinds, Iterators, ::testing::Values(kAccessMappedWindows, kAccessCached));

TEST(IteratorRanges, EmptyFilesOpenRangesAndWritingIntoSilence) {
    apptest::UseEnglishTexts();
    VirtualFile empty(TheSegmentFactory()), silent(TheSegmentFactory());
    FileWriteBuffer buffer(1);
    WaveInIterator none(buffer, 0, empty, 0, -1);
    EXPECT_FALSE(none.IsValid());
    EXPECT_EQ(-1, none.rangeStart_);
    EXPECT_EQ(-1, none.rangeEnd_);

    silent.AppendSilence(100);
    FileReadBuffer reading(1);
    WaveInIterator open(reading, 0, silent, 10, -1);
    EXPECT_EQ(99, open.rangeEnd_) << "last below 0 runs to the end";
    EXPECT_EQ(0, open.Seek(9)) << "before the range";
    EXPECT_EQ(Text(10061), ErrorOf([&] { WaveOutIterator(buffer, 0, silent, 0, -1); }));
}

// The orders in which the writing routines fill the channels of a stereo work file.
enum WriteOrder { kChannelAfterChannel, kFrameByFrame, kEachChannelInTurn };

// Writes values (frame after frame, left and right) through one output iterator a channel.
void WriteInOrder(WriteOrder order, VirtualFile (&channels)[2], std::vector<int32_t> const &values) {
    FileWriteBuffer buffer(2);
    WaveOutIterator out[2];
    auto put = [&](int c) { WriteSample24(out[c], values[size_t(out[c].GetPosition()) * 2 + c]); };
    if (order == kChannelAfterChannel) {
        for (int c = 0; c < 2; ++c)
            for (out[c].Init(buffer, c, channels[c], 0, -1); out[c].IsValid(); out[c].Advance(1))
                put(c);
    } else {
        for (int c = 0; c < 2; ++c)
            out[c].Init(buffer, c, channels[c], 0, -1);
        while (out[0].IsValid() && out[1].IsValid()) {
            for (int c = 0; c < 2; ++c) {
                put(c);
                if (order == kEachChannelInTurn)  // the left one moves to a new window first
                    out[c].Advance(1);
            }
            if (order == kFrameByFrame)
                for (int c = 0; c < 2; ++c)
                    out[c].Advance(1);
        }
    }
    long bytes = long(values.size()) * 2;
    for (int c = 0; c < 2; ++c)
        buffer.ValidateWriting(bytes, -1, 0, c);
}

// Every sample of an interleaved file reads back whatever the access kind and the order in
// which its channels were written: a window the file cache writes back holds the other
// channel's samples too, and must neither lose them nor move while that channel still
// writes into it.
TEST(IteratorWriting, EveryAccessKindAndOrderKeepsBothChannels) {
    apptest::UseEnglishTexts();
    testsupport::TempDir dir;
    SettingsScope settings{dir.Path()};
    int const frames = 70001;  // four windows of the file cache and a short one
    std::vector<int32_t> values = RepresentableValues(kPcm16, size_t(frames) * 2, 5);
    struct Named {
        char const *name;
        int value;
    } const kinds[] = {{"mapped", kAccessMapped}, {"buffered", kAccessMappedWindows}, {"cached", kAccessCached}},
            orders[] = {{"channel after channel", kChannelAfterChannel},
                        {"frame by frame", kFrameByFrame},
                        {"each channel in turn", kEachChannelInTurn}};
    for (Named const &kind : kinds)
        for (Named const &order : orders) {
            OwnedFile work{
                CreateWorkAudioFile(kind.value, TestOwner(), SamplePattern(kPcm16, 2, 1, 44100), int64_t(frames) * 4)};
            VirtualFile channels[2] = {VirtualFile(TheSegmentFactory()), VirtualFile(TheSegmentFactory())};
            for (int c = 0; c < 2; ++c)
                channels[c].InsertSegment(new AudioFileSegment(work.get(), 0, frames, c), 0);
            WriteInOrder(WriteOrder(order.value), channels, values);
            std::vector<int32_t> back = ReadSamples24(*work);
            int wrong[2] = {0, 0};
            for (size_t i = 0; i < back.size(); ++i)
                wrong[i % 2] += back[i] != values[i];
            EXPECT_EQ(values.size(), back.size()) << kind.name << ", " << order.name;
            EXPECT_EQ(0, wrong[0]) << kind.name << ", " << order.name << ": left samples wrong";
            EXPECT_EQ(0, wrong[1]) << kind.name << ", " << order.name << ": right samples wrong";
        }
}

}  // namespace
