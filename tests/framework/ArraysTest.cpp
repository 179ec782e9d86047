#include "core/TArrays.h"

#include <gtest/gtest.h>

#include <cstring>

TEST(Arrays, GrowInStepsOfDelta) {
    TStringArray growing(9, 0, 5);
    EXPECT_EQ(10u, growing.ArraySize());
    for (int i = 0; i < 10; i++)
        ASSERT_EQ(1, growing.Add(String("s")));
    EXPECT_FALSE(growing.IsFull());
    EXPECT_EQ(1, growing.Add(String("eleven")));
    EXPECT_EQ(15u, growing.ArraySize());
    EXPECT_TRUE(growing[14].IsEmpty());  // new slots hold empty strings

    TStringArray fixed(9, 0, 0);
    for (int i = 0; i < 10; i++)
        fixed.Add(String("s"));
    EXPECT_EQ(0, fixed.Add(String("eleven")));
    EXPECT_TRUE(fixed.IsFull());

    TIntArray ints(4, 1, 3);
    ints[10] = 7;
    EXPECT_EQ(10, ints.UpperBound());
    EXPECT_EQ(0u, ints.GetItemsInContainer());
    EXPECT_EQ(0, int(ints[9]));  // new slots are zeroed
    EXPECT_EQ(2147483647, ints.Find(TInt(7)));  // indexed past the count: not seen
}

TEST(Arrays, FindDetachFlush) {
    TStringArray a(9, 1, 5);
    a.Add(String("a"));
    a.Add(String("b"));
    a.Add(String("c"));
    EXPECT_EQ(1, a.Find(String("a")));
    EXPECT_EQ(2147483647, a.Find(String("x")));
    EXPECT_EQ(1, a.Detach(String("b")));
    EXPECT_EQ(2u, a.GetItemsInContainer());
    EXPECT_EQ(String("c"), a[2]);
    EXPECT_EQ(String("c"), a[3]);  // the vacated slot keeps a copy
    EXPECT_EQ(0, a.Detach(String("b")));
    EXPECT_EQ(0, a.Detach(0));   // below the lower bound
    EXPECT_EQ(0, a.Detach(3));   // beyond the count
    EXPECT_EQ(0, a.Detach(50));  // beyond the limit
    a.Flush();
    EXPECT_TRUE(a.IsEmpty());
    a.Add(String("z"));
    EXPECT_EQ(String("z"), a[1]);

    TUint32Array u(2, 0, 2);
    u.Add(5);
    u.Add(6);
    u.Add(7);
    TUint32Array copy(u);
    copy = copy;
    EXPECT_EQ(3u, copy.GetItemsInContainer());
    EXPECT_EQ(2, copy.Find(7));
    unsigned long sum = 0;
    copy.ForEach([](unsigned long &v, void *s) { *(unsigned long *)s += v; }, &sum);
    EXPECT_EQ(18u, sum);
    EXPECT_EQ(6u, *copy.LastThat([](unsigned long const &v, void *) { return int(v < 7); }, 0));
    EXPECT_EQ(5u, *copy.FirstThat([](unsigned long const &v, void *) { return int(v < 7); }, 0));
}

TEST(Arrays, IndexesOutsideTheBlockThrow) {
    TIntArray fixed(4, 1, 0);
    EXPECT_THROW(fixed[0], AException);
    EXPECT_THROW(fixed[5], AException);
    TIntArray const &c = fixed;
    EXPECT_THROW(c[7], AException);
    EXPECT_NO_THROW(fixed[4] = 1);
}

TEST(Arrays, Helpers) {
    char *empty = strnewdup(0, 0);
    EXPECT_STREQ("", empty);
    delete[] empty;
    char *two = strnewdup("ab", 10);
    EXPECT_STREQ("ab", two);
    delete[] two;
    unsigned short wide[] = {'a', 'b', 'c', 0};
    EXPECT_EQ(3u, strlen(wide));
    EXPECT_TRUE(TResId(5) == TResId(5));
    EXPECT_TRUE(TResId("MENU") == TResId("MENU"));
    EXPECT_FALSE(TResId(5).IsString());
}
