#include <gtest/gtest.h>

#include <cstring>
#include <new>

#include "Malvane.h"

namespace {
NH_Heap testHeap(1, "TestHeap");
}

TEST(Malvane, NamedHeapBlocksGrowAndFreeFromAnyHeapObject) {
    long before = testHeap.BlockCount();
    char *p = static_cast<char *>(testHeap.Alloc(10, 0));
    std::memcpy(p, "abcdefghi", 10);
    p = static_cast<char *>(testHeap.ExpandBy(p, 1000, 0));
    EXPECT_STREQ("abcdefghi", p);
    EXPECT_GE(NH_Heap::SizeOf(p), 1010u);
    p = static_cast<char *>(testHeap.ReAlloc(p, 4, 0));
    EXPECT_EQ(0, std::memcmp(p, "abcd", 4));
    EXPECT_EQ(before + 1, testHeap.BlockCount());
    NH_Heap::FreeMem(p);
    EXPECT_EQ(before, testHeap.BlockCount());
    NH_Heap::FreeMem(nullptr);
}

TEST(Malvane, DefaultHeapBlocksAreFreedByTheRuntimeToo) {
    // operator new of this executable allocates from the default heap; the
    // block must be releasable by the C runtime and by FreeMem alike.
    void *a = ::operator new(100);
    NH_Heap::FreeMem(a);
    void *b = NH_Heap::GetDefault().Alloc(100, 0);
    ::operator delete(b);
}

TEST(Malvane, FailedAllocationRunsTheNewHandlerOrThrows) {
    EXPECT_EQ(nullptr, testHeap.AllocMem(0xFFFFFFF0UL));
    EXPECT_THROW(testHeap.Alloc(0xFFFFFFF0UL, 0), std::bad_alloc);
    // A growth past the address space is refused, not wrapped to a small block.
    void *p = testHeap.Alloc(64, 0);
    EXPECT_THROW(testHeap.ExpandBy(p, 0xFFFFFFF0UL, 0), std::bad_alloc);
    NH_Heap::FreeMem(p);
}
