// The sample server's ring: reads across the ring's end stay inside the caller's arrays
// and deliver the frames in order; a short source; starting and stopping while another
// thread reads.
#include "engine/SampleServer.h"

#include "engine/SampleCollector.h"
#include "tests/app/engine/EngineTestKit.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

using enginetest::FrameObject;

namespace {

enum { kBlock = 2048, kCanaries = kBlock };
float const kCanary = -12345.0f;

// Arrays of a block and canaries behind it.
struct GuardedBlock {
    std::vector<float> left = std::vector<float>(kBlock + kCanaries, kCanary);
    std::vector<float> right = std::vector<float>(kBlock + kCanaries, kCanary);
    float *channels[2] = {left.data(), right.data()};

    bool CanariesAlive() const {
        for (int i = kBlock; i < kBlock + kCanaries; ++i)
            if (left[size_t(i)] != kCanary || right[size_t(i)] != kCanary)
                return false;
        return true;
    }
};

}  // namespace

TEST(SampleServer, ReadsAcrossTheRingEndStayInsideTheCallersArrays) {
    FrameObject object(200000);
    SampleCollector collector(&object, 3, 0);
    collector.LoadPlayList(kPlayFromCaret, 0, -1, 1);
    SampleServer server;
    server.Start(&collector);
    GuardedBlock block;
    int next = 0;
    // Pieces of 1000 and 2048 frames walk the read index across the ring's end many times.
    for (int piece = 0; next < 150000; ++piece) {
        unsigned count = piece % 2 ? kBlock : 1000;
        int n = server.Read(block.channels, count);
        ASSERT_EQ(int(count), n) << "at frame " << next;
        ASSERT_TRUE(block.CanariesAlive()) << "a read of " << count << " at frame " << next;
        for (int i = 0; i < n; ++i, ++next) {
            ASSERT_EQ(float(next), block.left[size_t(i)]) << "frame " << next;
            ASSERT_EQ(-float(next), block.right[size_t(i)]) << "frame " << next;
        }
    }
    server.Stop();
    EXPECT_EQ(-1, server.Read(block.channels, kBlock)) << "without a source";
}

TEST(SampleServer, ShortSourceGivesWhatThereIsThenZero) {
    FrameObject object(1500, 1);
    SampleCollector collector(&object, 3, 0);
    collector.LoadPlayList(kPlayFromCaret, 0, -1, 1);
    SampleServer server;
    server.Start(&collector);
    GuardedBlock block;
    EXPECT_EQ(0, server.Read(block.channels, 0));
    EXPECT_EQ(1500, server.Read(block.channels, kBlock));
    EXPECT_EQ(1499.0f, block.left[1499]);
    EXPECT_EQ(kCanary, block.right[0]) << "a mono source fills only the first array";
    EXPECT_EQ(0, server.Read(block.channels, kBlock));
    server.Stop();
}

// One thread starts and stops the server over and over while another reads: no deadlock,
// and whatever a read delivers is a run of the source's frames.
TEST(SampleServer, StartAndStopWhileReading) {
    FrameObject object(1 << 20);
    SampleCollector collector(&object, 3, 0);
    collector.LoadPlayList(kPlayFromCaret, 0, -1, 1);
    SampleServer server;
    std::atomic<bool> done{false};
    std::atomic<int> bad{0};
    std::thread reader([&] {
        GuardedBlock block;
        while (!done) {
            int n = server.Read(block.channels, kBlock);
            if (n > kBlock || !block.CanariesAlive() || (n > 1 && block.left[1] != block.left[0] + 1))
                ++bad;
        }
    });
    for (int i = 0; i < 200; ++i) {
        server.Start(&collector);
        if (i % 3 == 0)
            server.Flush();
        server.Stop();
    }
    done = true;
    reader.join();
    EXPECT_EQ(0, bad);
}
