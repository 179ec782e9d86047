#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "foundation/Checksums.h"
#include "foundation/Exception.h"
#include "malvane/Malvane.h"
#include "foundation/RangeInt32.h"
#include "foundation/Randomizer.h"
#include "foundation/Strings.h"

namespace {

TEST(RangeInt32, SizeValidityAndSetOperations) {
    EXPECT_EQ(5, RangeInt32(5, 9).GetSize());
    RangeInt32 r(5, 9);
    r.Invalidate();
    EXPECT_FALSE(r.IsValid());
    EXPECT_EQ(0, r.GetSize());

    RangeInt32 a(0, 10), b(5, 20);
    EXPECT_TRUE((a & b) == RangeInt32(5, 10));
    EXPECT_TRUE((a | b) == RangeInt32(0, 20));
    EXPECT_FALSE((a & RangeInt32(11, 12)).IsValid());
    EXPECT_TRUE(GetIntersection(a, b) == RangeInt32(5, 10));
    EXPECT_TRUE(a.OverlapsWith(b));
    EXPECT_FALSE(a.OverlapsWith(RangeInt32(11, 12)));
    EXPECT_TRUE(a.ContainsEntirely(RangeInt32(0, 10)));
    EXPECT_FALSE(a.ContainsEntirely(b));
    EXPECT_TRUE(a.ContainsPoint(10));
    EXPECT_FALSE(a.ContainsPoint(11));

    ExcludeIntersection(a, b);
    EXPECT_TRUE(a == RangeInt32(0, 4));
    EXPECT_TRUE(b == RangeInt32(11, 20));
    RangeInt32 c(0, 10), d(20, 30);
    ExcludeIntersection(c, d);
    EXPECT_TRUE(c == RangeInt32(0, 10) && d == RangeInt32(20, 30));

    struct { long x, expected; } clamps[] = {{-3, 2}, {2, 2}, {5, 5}, {8, 7}};
    RangeInt32 v(2, 7);
    for (auto const &c : clamps) {
        long x = c.x;
        v.Validate(x);
        EXPECT_EQ(c.expected, x) << c.x;
    }
    long x = -1;
    RangeInt32(4, 1).Validate(x);  // invalid range: the left end wins
    EXPECT_EQ(4, x);

    RangeInt32 n(9, 3);
    n.Normalize();
    EXPECT_TRUE(n == RangeInt32(3, 9));
    n += 2;
    EXPECT_TRUE(n == RangeInt32(5, 11));
}

TEST(Randomizer, SequenceAndRanges) {
    Randomizer r(1);
    EXPECT_EQ(16807u, r.Get(2147483647UL));
    EXPECT_EQ(282475249u, r.Get(2147483647UL));
    EXPECT_EQ(1622650073u, r.Get(2147483647UL));

    // Seeds that are not in 1 .. m-1 still give values in range and never
    // settle on one value.
    for (int seed : {-1, -2, 2147483647, 12345}) {
        Randomizer s(seed);
        unsigned long previous = 0;
        bool changed = false;
        for (int i = 0; i < 1000; ++i) {
            unsigned long v = s.Get(2147483647UL);
            EXPECT_GE(v, 0u);
            EXPECT_LT(v, 2147483647u) << seed;
            changed = changed || (i && v != previous);
            previous = v;
        }
        EXPECT_TRUE(changed) << seed;
    }

    Randomizer g(7);
    EXPECT_EQ(0u, g.Get(0));
    for (int i = 0; i < 200; ++i) {
        unsigned long v = g.GetInRange(10, 12);
        EXPECT_TRUE(v >= 10 && v <= 12);
        EXPECT_LT(g.GetLog(5), 5u);
    }
    EXPECT_TRUE(g.TrueEvery(1));
    EXPECT_FALSE(g.TrueEvery(0, 5));
}

TEST(Randomizer, StringsAndShuffledIndexes) {
    Randomizer r(3);
    String s("old");
    r.SetString(s, 4, 6, "xy");
    EXPECT_GE(s.GetLength(), 4u);
    EXPECT_LE(s.GetLength(), 6u);
    EXPECT_EQ(s.GetLength(), s.GetNumberOf('x') + s.GetNumberOf('y'));
    r.SetString(s, 5, 2);
    EXPECT_TRUE(s.IsEmpty());
    r.SetString(s, 3, 3, "");
    EXPECT_TRUE(s.IsEmpty());
    r.SetString(s, 8, 8);
    EXPECT_EQ(8u, s.GetLength());
    EXPECT_EQ(8u, std::strlen(s.c_str()));

    int *indexes = r.CreateArrayOfUniqueUnsortedIndexes(50);
    int sorted[50];
    std::copy(indexes, indexes + 50, sorted);
    std::sort(sorted, sorted + 50);
    for (int i = 0; i < 50; ++i)
        EXPECT_EQ(i, sorted[i]);
    EXPECT_FALSE(std::equal(indexes, indexes + 50, sorted));
    NH_Heap::FreeMem(indexes);
    // More indexes than memory can hold: out of memory, not a short block.
    EXPECT_THROW(r.CreateArrayOfUniqueUnsortedIndexes(0x40000001), Exception);
}

TEST(Checksums, CheckValues) {
    char const digits[] = "123456789";
    EXPECT_EQ(0xBB3D, ComputeCrc16(digits, 9));
    EXPECT_EQ(0xCBF43926UL, ComputeCrc32(digits, 9));
    EXPECT_EQ(0, ComputeCrc16(digits, 0));
    EXPECT_EQ(0UL, ComputeCrc32(digits, 0));
    EXPECT_EQ(0xE8B7BE43UL, ComputeCrc32("a", 1));
}

}  // namespace
