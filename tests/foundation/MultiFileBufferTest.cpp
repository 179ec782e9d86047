#include "foundation/FileCache.h"
#include "foundation/MultiFileBuffer.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

using testsupport::ReadBytes;
using testsupport::TempDir;
using testsupport::WriteBytes;

namespace {

char PatternByte(long offset, int channel) {
    return static_cast<char>(offset * 7 + channel * 31 + (offset >> 9));
}

std::string Pattern(long size, int channel) {
    std::string bytes(size, 0);
    for (long i = 0; i < size; ++i)
        bytes[i] = PatternByte(i, channel);
    return bytes;
}

enum Kind { kClassicCached, kClassicUncached, kMapped };

// One file per channel, opened the way a kind wants it.
struct Channels {
    std::unique_ptr<FileCacheManager> cache;
    std::vector<std::unique_ptr<File>> files;
    std::vector<std::unique_ptr<MappedFile>> mapped;

    Channels(TempDir const &dir, Kind kind, int count, long size, int writing) {
        if (kind == kClassicCached)
            cache.reset(new FileCacheManager(3, 0x10000));
        for (int c = 0; c < count; ++c) {
            std::string path = dir.File(("ch" + std::to_string(c)).c_str());
            WriteBytes(path, writing ? std::string(size, '\xAA') : Pattern(size, c));
            int flags = (writing ? File::kReadWrite : File::kRead) | File::kOwnLock;
            if (kind == kMapped)
                mapped.emplace_back(new MappedFile(path.c_str(), flags, 0, 0));
            else if (cache)
                files.emplace_back(new File(path.c_str(), flags, *cache));
            else
                files.emplace_back(new File(path.c_str(), flags));
        }
    }

    void Register(MultiFileBuffer &m, Kind kind, int c, long start, long length, long items, long itemSize,
                  long bufferSize, int writing) {
        if (kind == kMapped)
            MappedBufferedFile::Register(m, c, *mapped[c], start, length, items, itemSize, bufferSize, writing);
        else
            ClassicBufferedFile::Register(m, c, *files[c], start, length, items, itemSize, bufferSize, writing);
    }
};

struct WalkCase {
    Kind kind;
    int channels;
    long buffers;
    long start;
    long items, itemSize;
    long bufferSize;
    long size;
};

}  // namespace

TEST(MultiFileBuffer, WalksForwardAndBackwardOverEveryChannel) {
    WalkCase const cases[] = {
        {kClassicUncached, 1, 3, 0, 1, 1, 1, 300007},  {kClassicUncached, 2, 3, 13, 3, 2, 5000, 300007},
        {kClassicCached, 3, 4, 7, 1, 3, 9000, 300007}, {kClassicCached, 1, 1, 0, 2, 2, 0, 300007},
        {kMapped, 1, 3, 0, 1, 2, 0, 300007},           {kMapped, 2, 5, 65537, 1, 4, 1, 300007},
        // fewer buffers than channels: every channel keeps losing its buffer
        {kMapped, 3, 2, 5, 3, 1, 70000, 3001},         {kClassicUncached, 3, 2, 1, 1, 3, 4096, 9001},
    };
    for (WalkCase const &k : cases) {
        long const size = k.size;
        SCOPED_TRACE(testing::Message() << "kind " << k.kind << " channels " << k.channels << " start " << k.start
                                        << " buffer " << k.bufferSize);
        TempDir dir;
        Channels files(dir, k.kind, k.channels, size, 0);
        MultiFileBuffer m(k.channels, k.buffers, MultiFileBuffer::kReading);
        long frame = k.items * k.itemSize;
        long length = (size - k.start) / frame * frame;
        for (int c = 0; c < k.channels; ++c)
            files.Register(m, k.kind, c, k.start, length, k.items, k.itemSize, k.bufferSize, 0);
        // forward, the channels in turn, one item at a time
        std::vector<char *> p(k.channels);
        for (int c = 0; c < k.channels; ++c)
            p[c] = static_cast<char *>(m.GetVirtualPointer(k.start, c));
        for (long offset = k.start; offset + k.itemSize <= k.start + length; offset += k.itemSize) {
            for (int c = 0; c < k.channels; ++c) {
                m.ValidateVirtualPointer(reinterpret_cast<void **>(&p[c]), c);
                ASSERT_EQ(offset, m.VirtualPointerToFileOffset(p[c], c));
                ASSERT_EQ(PatternByte(offset, c), *p[c]) << offset;
                ASSERT_GE(m.GetAvailableBytesFromVirtualPointer(p[c], c), k.itemSize);
                p[c] += k.itemSize;
            }
        }
        // backward from the end: the item before the pointer
        for (int c = 0; c < k.channels; ++c)
            p[c] = static_cast<char *>(m.GetVirtualPointerBackward(k.start + length, c));
        for (long offset = k.start + length; offset - k.itemSize >= k.start; offset -= k.itemSize) {
            for (int c = 0; c < k.channels; ++c) {
                m.ValidateVirtualPointerBackward(reinterpret_cast<void **>(&p[c]), c);
                ASSERT_EQ(offset, m.VirtualPointerToFileOffset(p[c], c));
                ASSERT_GE(m.GetAvailableBytesBeforeVirtualPointer(p[c], c), k.itemSize);
                p[c] -= k.itemSize;
                ASSERT_EQ(PatternByte(offset - k.itemSize, c), *p[c]) << offset;
            }
        }
    }
}

TEST(MultiFileBuffer, BackwardAtTheStartAndRegisteringAgain) {
    TempDir dir;
    Channels files(dir, kClassicUncached, 1, 100000, 0);
    MultiFileBuffer m;
    ClassicBufferedFile::Register(m, 0, *files.files[0], 100, 0, 1, 1, 4096, 0);
    char *p = static_cast<char *>(m.GetVirtualPointerBackward(100, 0));
    EXPECT_EQ(m.GetStartOfCurrentBuffer(0), p);
    EXPECT_EQ(100, m.VirtualPointerToFileOffset(p, 0));
    void *start = m.GetStartOfCurrentBuffer(0);
    BufferedFile *registered = m.GetCurrentFile(0);
    ClassicBufferedFile::Register(m, 0, *files.files[0], 100, 0, 1, 1, 4096, 0);
    EXPECT_EQ(registered, m.GetCurrentFile(0));
    EXPECT_EQ(start, m.GetStartOfCurrentBuffer(0));
    EXPECT_EQ(100000 - 100, registered->GetLength());
}

TEST(MultiFileBuffer, UncommittedRequestsAreReadWhenNextUsed) {
    TempDir dir;
    std::string path = dir.File("late.bin");
    WriteBytes(path, std::string(10000, 'a'));
    File file(path.c_str(), File::kReadWrite | File::kShareReadWrite);
    MultiFileBuffer m;
    ClassicBufferedFile::Register(m, 0, file, 0, 0, 1, 1, 4096, 0);
    m.SetCommitStatus(0);
    m.GetVirtualPointer(0, 0);
    file.Write("b", 1);  // changes the file after the request
    m.SetCommitStatus(1);
    char *p = static_cast<char *>(m.GetVirtualPointer(0, 0));
    EXPECT_EQ('b', *p);
}

TEST(MultiFileBuffer, SequentialWritesReproduceThePattern) {
    for (Kind kind : {kClassicUncached, kClassicCached, kMapped}) {
        SCOPED_TRACE(kind);
        TempDir dir;
        long const fileSize = 400000, start = 1001, itemSize = 3;
        Channels files(dir, kind, 2, fileSize, 1);
        MultiFileBuffer m(2, 0, MultiFileBuffer::kWriting);
        long const count = kind == kMapped ? (fileSize - start) / itemSize * itemSize : 250001 / itemSize * itemSize;
        for (int c = 0; c < 2; ++c)
            files.Register(m, kind, c, start, 0, 1, itemSize, 5000, 1);
        std::vector<char *> p(2);
        for (int c = 0; c < 2; ++c)
            p[c] = static_cast<char *>(m.GetVirtualPointer(start, c));
        for (long offset = start; offset < start + count; offset += itemSize) {
            for (int c = 0; c < 2; ++c) {
                m.ValidateVirtualPointer(reinterpret_cast<void **>(&p[c]), c);
                ASSERT_EQ(offset, m.VirtualPointerToFileOffset(p[c], c));
                for (long i = 0; i < itemSize; ++i)
                    *p[c]++ = PatternByte(offset + i, c);
            }
        }
        for (int c = 0; c < 2; ++c)
            m.ValidateWriting(count, kind == kMapped ? -1 : start + count, 0, c);
        m.Reset();
        files.files.clear();
        files.mapped.clear();
        for (int c = 0; c < 2; ++c) {
            std::string bytes = ReadBytes(dir.File(("ch" + std::to_string(c)).c_str()));
            ASSERT_EQ(static_cast<size_t>(kind == kMapped ? fileSize : start + count), bytes.size());
            EXPECT_EQ(std::string(start, '\xAA'), bytes.substr(0, start));
            EXPECT_EQ(Pattern(start + count, c).substr(start), bytes.substr(start, count));
        }
    }
}

TEST(MultiFileBuffer, PartialFlushWritesTheStagedBytes) {
    TempDir dir;
    std::string path = dir.File("f.bin");
    WriteBytes(path, "");
    File file(path.c_str(), File::kReadWrite);
    MultiFileBuffer m(1, 1, MultiFileBuffer::kWriting);
    ClassicBufferedFile::Register(m, 0, file, 0, 0, 1, 1, 0, 1);
    char *p = static_cast<char *>(m.GetVirtualPointer(0, 0));
    memcpy(p, "xyz", 3);
    m.Flush(3, 0);
    EXPECT_EQ(3, file.GetSize());
    file.SeekStart();
    char got[3];
    file.Read(got, 3, 1, nullptr);
    EXPECT_EQ(0, memcmp(got, "xyz", 3));

    // a flush of everything also ends with the file's buffers: nothing stays staged
    p = static_cast<char *>(m.GetVirtualPointer(3, 0));
    memcpy(p, "uvw", 3);
    m.Flush(-1, 0);
    file.SeekStart();
    char all[6];
    file.Read(all, 6, 1, nullptr);
    EXPECT_EQ(0, memcmp(all, "xyzuvw", 6));
}

TEST(MultiFileBuffer, WritingThatJumpsGetsAWindowOfItsOwn) {
    TempDir dir;
    std::string path = dir.File("j.bin");
    WriteBytes(path, std::string(300000, '.'));
    File file(path.c_str(), File::kReadWrite);
    MultiFileBuffer m(1, 1, MultiFileBuffer::kWriting);
    ClassicBufferedFile::Register(m, 0, file, 0, 0, 1, 1, 4096, 1);
    char *p = static_cast<char *>(m.GetVirtualPointer(200000, 0));
    memcpy(p, "late", 4);
    p = static_cast<char *>(m.GetVirtualPointer(10, 0));  // back again: out of the window
    ASSERT_EQ(10, m.VirtualPointerToFileOffset(p, 0));
    ASSERT_GE(m.GetAvailableBytesFromVirtualPointer(p, 0), 5);
    memcpy(p, "early", 5);
    m.ValidateWriting(15, -1, 0, 0);
    m.Reset();
    std::string bytes = ReadBytes(path);
    EXPECT_EQ("early", bytes.substr(10, 5));
    EXPECT_EQ("late", bytes.substr(200000, 4));
    EXPECT_EQ(std::string(10, '.'), bytes.substr(0, 10));
}

// Two channels of one interleaved file, written one after the other: the windows of the
// second start with the file's bytes, so the first channel's bytes survive, and so do the
// file's bytes after the written frames.
TEST(MultiFileBuffer, ChannelsOfOneFileWrittenInTurnKeepEachOthersBytes) {
    for (Kind kind : {kClassicUncached, kClassicCached}) {
        SCOPED_TRACE(kind);
        TempDir dir;
        std::string path = dir.File("stereo.bin");
        long const frameSize = 4, count = 250000 / frameSize * frameSize;
        WriteBytes(path, std::string(300000, '\xAA'));
        std::unique_ptr<FileCacheManager> cache(kind == kClassicCached ? new FileCacheManager(3, 0x10000) : nullptr);
        std::unique_ptr<File> file(cache ? new File(path.c_str(), File::kReadWrite, *cache)
                                         : new File(path.c_str(), File::kReadWrite));
        MultiFileBuffer m(2, 0, MultiFileBuffer::kWriting);
        for (int c = 0; c < 2; ++c) {
            ClassicBufferedFile::Register(m, c, *file, 0, 0, 2, 2, 5000, 1);
            char *p = static_cast<char *>(m.GetVirtualPointer(0, c));
            for (long offset = 0; offset < count; offset += frameSize, p += frameSize) {
                m.ValidateVirtualPointer(reinterpret_cast<void **>(&p), c);
                for (int i = 0; i < 2; ++i)
                    p[2 * c + i] = PatternByte(offset + 2 * c + i, 0);
            }
        }
        for (int c = 0; c < 2; ++c)
            m.ValidateWriting(count, -1, 0, c);
        m.Reset();
        file.reset();
        std::string bytes = ReadBytes(path);
        EXPECT_TRUE(Pattern(count, 0) == bytes.substr(0, count));
        EXPECT_EQ(std::string(300000 - count, '\xAA'), bytes.substr(count));
    }
}
