#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <new>

#include "malvane/Malvane.h"

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
    // Nor is operator new cut short: half the address range never fits, on either build.
    volatile std::size_t half = SIZE_MAX / 2;
    EXPECT_THROW(delete[] new char[half], std::bad_alloc);
    EXPECT_EQ(nullptr, new (std::nothrow) char[half]);
}

TEST(Malvane, BlocksOutliveTheirHeapObject) {
    NH_Heap *heap = new NH_Heap(1, "ShortLived");
    char *p = static_cast<char *>(heap->Alloc(32, 0));
    EXPECT_EQ(1, heap->BlockCount());
    delete heap;  // a block is still alive: its memory stays usable
    std::memcpy(p, "still here", 11);
    p = static_cast<char *>(NH_Heap::GetDefault().ReAlloc(p, 4000, 0));
    EXPECT_STREQ("still here", p);
    EXPECT_GE(NH_Heap::SizeOf(p), 4000u);
    NH_Heap::FreeMem(p);

    // Heaps made and destroyed over and over never run out of slots.
    for (int i = 0; i < 600; ++i) {
        NH_Heap h(1, "Churn");
        NH_Heap::FreeMem(h.Alloc(8, 0));
    }
    NH_Heap last(1, "Last");
    void *q = last.Alloc(8, 0);
    EXPECT_EQ(1, last.BlockCount());  // a real named heap, not the fallback
    NH_Heap::FreeMem(q);
}

TEST(Malvane, BypassedHeapKeepsFreedBlocks) {
    NH_Heap heap(1, "Bypassed");
    char *p = static_cast<char *>(heap.Alloc(16, 0));
    std::memcpy(p, "still here", 11);
    BypassFreeing(&heap);
    NH_Heap::FreeMem(p);
    EXPECT_EQ(1, heap.BlockCount());
    EXPECT_STREQ("still here", p);
    // other heaps free as before
    void *q = testHeap.Alloc(8, 0);
    long before = testHeap.BlockCount();
    NH_Heap::FreeMem(q);
    EXPECT_EQ(before - 1, testHeap.BlockCount());
}
