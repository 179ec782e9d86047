#include "foundation/Exception.h"
#include "foundation/File.h"
#include "foundation/FileCache.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <random>
#include <string>
#include <thread>
#include <vector>

using testsupport::ReadBytes;
using testsupport::TempDir;
using testsupport::WriteBytes;

namespace {

unsigned long const kBlock = 0x10000;

std::string Pattern(size_t size, unsigned seed) {
    std::string bytes(size, 0);
    std::mt19937 random(seed);
    for (char &c : bytes)
        c = static_cast<char>(random());
    return bytes;
}

}  // namespace

TEST(FileCache, SizesAndEmptyStatistics) {
    FileCacheManager one(0, kBlock);
    EXPECT_TRUE(one.IsValid());
    EXPECT_EQ(1ul, one.GetNumBlocks());
    double hit = -1, loaded = -1, fromCache = -1;
    one.GetStatistics(&hit, &loaded, &fromCache);
    EXPECT_EQ(0, hit);
    EXPECT_EQ(0, loaded);
    EXPECT_EQ(0, fromCache);
    EXPECT_EQ(5, one.SetSize(5, kBlock));
    EXPECT_EQ(2, one.SetSize(2, kBlock));
    EXPECT_EQ(2ul, one.GetNumBlocks());
}

TEST(FileCache, ReadsMatchPlainReads) {
    TempDir dir;
    std::string path = dir.File("data.bin");
    std::string bytes = Pattern(5 * kBlock + 1234, 1);
    WriteBytes(path, bytes);
    FileCacheManager manager(3, kBlock);
    File file(path.c_str(), File::kRead | File::kOwnLock, manager);
    ASSERT_TRUE(file.GetCache());
    EXPECT_TRUE(file.GetOpenFlags() & File::kNoBuffering);
    std::mt19937 random(7);
    std::vector<char> buffer(3 * kBlock);
    long size = static_cast<long>(bytes.size());
    for (int i = 0; i < 400; ++i) {
        long offset = static_cast<long>(random() % (bytes.size() + 100));
        long count = static_cast<long>(random() % (i % 10 == 0 ? 3 * kBlock : 3000));
        long got = -1;
        int ok = file.ReadCache(offset, buffer.data(), count, &got, 0);
        long expected = offset >= size ? 0 : std::min(count, size - offset);
        if (count == 0) expected = 0;
        ASSERT_EQ(expected == count, ok != 0) << offset << " " << count;
        ASSERT_EQ(expected, got) << offset << " " << count;
        ASSERT_EQ(0, memcmp(buffer.data(), bytes.data() + offset, expected)) << offset << " " << count;
    }
    // one block loaded and delivered twice: half of what came was a hit
    manager.ResetStatisticCounters();
    manager.SetSize(4, kBlock);
    ASSERT_TRUE(file.ReadCache(0, buffer.data(), kBlock));
    ASSERT_TRUE(file.ReadCache(0, buffer.data(), kBlock));
    double hit = 0, loaded = 0, fromCache = 0;
    manager.GetStatistics(&hit, &loaded, &fromCache);
    EXPECT_EQ(50, hit);
    EXPECT_EQ(kBlock, loaded);
    EXPECT_EQ(kBlock, fromCache);
    long got;
    EXPECT_THROW(file.ReadCache(size, buffer.data(), 10, &got, 1), Exception);
}

TEST(FileCache, WriteThroughReplacesEveryOverlappingBlock) {
    TempDir dir;
    std::string path = dir.File("w.bin");
    std::string bytes = Pattern(3 * kBlock, 2);
    WriteBytes(path, bytes);
    FileCacheManager manager(4, kBlock);
    File file(path.c_str(), File::kReadWrite | File::kOwnLock, manager);
    std::vector<char> buffer(kBlock);
    // block 0 read and cached; block 1 loaded but never read (stale bytes)
    ASSERT_TRUE(file.ReadCache(0, buffer.data(), 100));
    CacheBlock *stale = manager.AllocBlock();
    ASSERT_TRUE(stale);
    memset(stale->GetData(), 'S', kBlock);
    manager.EnterLoadedBlock(*file.GetCache(), stale, kBlock, kBlock);

    std::string fresh = Pattern(kBlock, 3);
    std::vector<char> block(fresh.begin(), fresh.end());
    file.WriteCache(0, block.data(), kBlock);
    block.assign(fresh.begin(), fresh.end());
    file.WriteCache(kBlock, block.data(), kBlock);
    ASSERT_TRUE(file.ReadCache(0, buffer.data(), kBlock));
    EXPECT_EQ(0, memcmp(buffer.data(), fresh.data(), kBlock));
    ASSERT_TRUE(file.ReadCache(kBlock + 10, buffer.data(), 1000));
    EXPECT_EQ(0, memcmp(buffer.data(), fresh.data() + 10, 1000));

    // a partial write completes the block from the file around the new bytes
    block.assign(kBlock, 'N');
    file.WriteCache(2 * kBlock, block.data(), kBlock, 100, 50);
    file.Close();
    std::string onDisk = ReadBytes(path);
    EXPECT_EQ(fresh + fresh, onDisk.substr(0, 2 * kBlock));
    EXPECT_EQ(bytes.substr(2 * kBlock, 100), onDisk.substr(2 * kBlock, 100));
    EXPECT_EQ(std::string(50, 'N'), onDisk.substr(2 * kBlock + 100, 50));
    EXPECT_EQ(bytes.substr(2 * kBlock + 150), onDisk.substr(2 * kBlock + 150));
}

TEST(FileCache, ReadersWhileTheCacheChangesSize) {
    TempDir dir;
    std::string path = dir.File("shared.bin");
    std::string bytes = Pattern(6 * kBlock + 77, 4);
    WriteBytes(path, bytes);
    FileCacheManager manager(2, kBlock);
    std::atomic<int> failures(0), done(0);
    std::vector<std::thread> readers;
    for (int t = 0; t < 4; ++t) {
        readers.emplace_back([&, t] {
            try {
                File file(path.c_str(), File::kRead | File::kOwnLock, manager);
                std::mt19937 random(t);
                std::vector<char> buffer(2 * kBlock);
                for (int i = 0; i < 150; ++i) {
                    long offset = static_cast<long>(random() % (bytes.size() - 10));
                    long count = std::min<long>(static_cast<long>(random() % (2 * kBlock)),
                                                static_cast<long>(bytes.size()) - offset);
                    if (!file.ReadCache(offset, buffer.data(), count, nullptr, 1) ||
                        memcmp(buffer.data(), bytes.data() + offset, count) != 0)
                        ++failures;
                }
            } catch (...) {
                ++failures;
            }
            ++done;
        });
    }
    for (int i = 0; done < 4; ++i) {
        manager.SetSize(1 + i % 3, kBlock);
        Sleep(1);
    }
    for (std::thread &t : readers)
        t.join();
    EXPECT_EQ(0, failures.load());
    double loaded = -1, fromCache = -1;
    manager.GetStatistics(nullptr, &loaded, &fromCache);
    EXPECT_GE(fromCache, 0);
}

TEST(FileCache, FilesOutliveTheirManager) {
    TempDir dir;
    std::string path = dir.File("o.bin");
    std::string bytes = Pattern(2 * kBlock, 5);
    WriteBytes(path, bytes);
    auto *manager = new FileCacheManager(2, kBlock);
    File file(path.c_str(), File::kRead | File::kOwnLock, *manager);
    std::vector<char> buffer(kBlock);
    ASSERT_TRUE(file.ReadCache(0, buffer.data(), kBlock));
    delete manager;
    EXPECT_EQ(nullptr, file.GetCache());
    ASSERT_TRUE(file.ReadCache(kBlock, buffer.data(), kBlock));
    EXPECT_EQ(0, memcmp(buffer.data(), bytes.data() + kBlock, kBlock));
    // the handle still has no system buffering: odd offsets and sizes work too
    ASSERT_TRUE(file.ReadCache(4097, buffer.data() + 1, 5001));
    EXPECT_EQ(0, memcmp(buffer.data() + 1, bytes.data() + 4097, 5001));
    EXPECT_EQ(4097 + 5001, file.GetPosition());
    long got = 0;
    EXPECT_FALSE(file.ReadCache(2 * kBlock - 3, buffer.data(), 10, &got, 0));
    EXPECT_EQ(3, got);
}

TEST(FileCache, ResizingACachedFileKeepsIt) {
    TempDir dir;
    std::string path = dir.File("grow.bin");
    FileCacheManager manager(2, kBlock);
    // a file to be deleted at its close still is after being reopened with other flags
    for (int flags : {int(File::kReadWrite), File::kReadWrite | File::kDeleteAtClose,
                      File::kReadWrite | File::kDeleteOnClose}) {
        WriteBytes(path, Pattern(1000, 6));
        File file(path.c_str(), flags | File::kOwnLock, manager);
        std::vector<char> buffer(100);
        ASSERT_TRUE(file.ReadCache(0, buffer.data(), 100));
        file.AdjustSizeOfCachedFile(5000, File::kReadWrite);
        EXPECT_EQ(5000, file.GetSize());
        EXPECT_TRUE(File::Exist(path.c_str()));
        long got = 0;
        file.ReadCache(4000, buffer.data(), 100, &got, 0);
        EXPECT_EQ(100, got);  // no stale end-of-file block
        file.AdjustSizeOfCachedFile(1000, 0);
        EXPECT_EQ(1000, file.GetSize());
        if (!(flags & File::kDeleteOnClose)) {
            EXPECT_EQ(1000, File::GetSize(path.c_str()));
        }
        file.Close(1);
        EXPECT_EQ(flags == File::kReadWrite, File::Exist(path.c_str()) != 0) << flags;
    }
}

TEST(FileCache, ABlockReadAheadIsKeptUntilItIsRead) {
    TempDir dir;
    std::string path = dir.File("ahead.bin");
    std::string bytes = Pattern(2 * kBlock, 8);
    WriteBytes(path, bytes);
    FileCacheManager manager(1, kBlock);
    File file(path.c_str(), File::kRead, manager);
    CacheBlock *block = manager.AllocBlock();
    ASSERT_TRUE(block);
    memcpy(block->GetData(), bytes.data(), kBlock);
    manager.EnterLoadedBlock(*file.GetCache(), block, 0, kBlock);
    EXPECT_EQ(CacheBlock::kLoaded, block->GetState());
    EXPECT_EQ(nullptr, manager.AllocBlock());
    std::vector<char> buffer(10);
    ASSERT_TRUE(file.ReadCache(5, buffer.data(), 10));
    EXPECT_EQ(CacheBlock::kData, block->GetState());
    EXPECT_EQ(block, manager.AllocBlock());
    manager.Free(block);
}

TEST(FileCache, UncachedWriteOfTheValidTailStaysInTheBuffer) {
    TempDir dir;
    std::string path = dir.File("tail.bin");
    WriteBytes(path, std::string(8, 'o'));
    File file(path.c_str(), File::kReadWrite);
    ASSERT_FALSE(file.GetCache());
    // valid from byte 4 to the end of the 16-byte buffer (length 0: all of it)
    std::vector<char> buffer(32, 'X');
    for (int i = 0; i < 16; ++i) buffer[i] = static_cast<char>('a' + i);
    file.WriteCache(0, buffer.data(), 16, 4, 0);
    file.Close();
    EXPECT_EQ(std::string("ooooefghijklmnop"), ReadBytes(path));
}

TEST(FileCache, ManagersWithoutBlocksGiveBackTheirAddressSpace) {
    // each reservation is up to 128 MiB: leaking them would exhaust the
    // address space of a 32-bit process long before this loop ends
    for (int i = 0; i < 40; ++i) {
        FileCacheManager none(4, 0);
        EXPECT_FALSE(none.IsValid());
    }
    FileCacheManager usable(4, kBlock);
    EXPECT_TRUE(usable.IsValid());
    EXPECT_EQ(4ul, usable.GetNumBlocks());
}

TEST(FileCache, WritesAndReadsOfOneFileWhileTheCacheChangesSize) {
    TempDir dir;
    std::string path = dir.File("rw.bin");
    std::string bytes = Pattern(4 * kBlock, 6);
    WriteBytes(path, bytes);
    // left behind (not destroyed) should the threads hang
    auto *manager = new FileCacheManager(2, kBlock);
    auto *file = new File(path.c_str(), File::kReadWrite | File::kOwnLock, *manager);
    std::atomic<int> stop(0), done(0), failures(0);
    std::thread writer([&] {
        try {
            std::vector<char> block(kBlock);
            for (int i = 0; !stop; ++i) {
                long offset = static_cast<long>((i % 4) * kBlock);
                std::fill(block.begin(), block.end(), 'W');
                // a partial block: head and tail come from the file through the cache
                file->WriteCache(offset, block.data(), kBlock, 100, 50);
            }
        } catch (...) {
            ++failures;
        }
        ++done;
    });
    std::thread reader([&] {
        try {
            std::vector<char> buffer(kBlock);
            for (int i = 0; !stop; ++i)
                file->ReadCache(static_cast<long>((i % 7) * kBlock / 2), buffer.data(), kBlock / 2, nullptr, 1);
        } catch (...) {
            ++failures;
        }
        ++done;
    });
    std::thread resizer([&] {
        for (int i = 0; !stop; ++i)
            manager->SetSize(2 + i % 3, kBlock);
        ++done;
    });
    Sleep(700);
    stop = 1;
    for (int i = 0; i < 500 && done < 3; ++i)
        Sleep(20);
    if (done < 3) {
        writer.detach();
        reader.detach();
        resizer.detach();
        FAIL() << "writer, reader and resizer hang";
    }
    writer.join();
    reader.join();
    resizer.join();
    EXPECT_EQ(0, failures.load());
    delete file;
    delete manager;
    // every block kept its bytes around the written part
    std::string onDisk = ReadBytes(path);
    for (int b = 0; b < 4; ++b) {
        EXPECT_EQ(bytes.substr(b * kBlock, 100), onDisk.substr(b * kBlock, 100));
        EXPECT_EQ(std::string(50, 'W'), onDisk.substr(b * kBlock + 100, 50));
        EXPECT_EQ(bytes.substr(b * kBlock + 150, kBlock - 150), onDisk.substr(b * kBlock + 150, kBlock - 150));
    }
}
