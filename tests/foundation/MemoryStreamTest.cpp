#include <gtest/gtest.h>

#include <cstring>

#include "foundation/Exception.h"
#include "malvane/Malvane.h"
#include "foundation/MemoryStream.h"
#include "foundation/Strings.h"

namespace {

TEST(MemoryStream, GrowsByItsStep) {
    MemoryStream s(10, 1);
    EXPECT_EQ(nullptr, s.GetStart());
    for (int i = 0; i < 33; ++i) {
        s.Put(static_cast<char>(i));
        EXPECT_EQ(i < 32 ? 32u : 64u, s.GetSize()) << i;
    }
    EXPECT_EQ(33u, s.GetPosition());
    EXPECT_EQ(33u, s.GetLength());

    MemoryStream big(32, 1);
    char block[100];
    std::memset(block, 'b', sizeof block);
    big.Put(block, sizeof block);  // beyond one step: exactly what is needed
    EXPECT_EQ(100u, big.GetSize());
    EXPECT_EQ(0, std::memcmp(block, big.GetStart(), sizeof block));
    big.Put(big.GetStart(), 100);  // its own bytes, while the buffer moves
    EXPECT_EQ(0, std::memcmp(block, big.GetStart() + 100, sizeof block));
}

TEST(MemoryStream, TypedValuesRoundTrip) {
    MemoryStream s(32, 1);
    s.Put('c');
    s.Put(static_cast<short>(-2));
    s.Put(0x12345678);
    s.Put(4000000000UL);
    s.Put(1.5f);
    double d = 2.25;
    s.Put(d);
    s.Put(-0.5);  // a temporary double stays a double
    s.Put('z', 3);
    EXPECT_EQ(1u + 2 + 4 + 4 + 4 + 8 + 8 + 3, s.GetLength());
    EXPECT_EQ(0x78, static_cast<unsigned char>(s.GetStart()[3]));  // little-endian

    s.SetPosition(0);
    char c;
    short sh;
    int i;
    unsigned long ul;
    float f;
    double d1, d2;
    s.Get(c), s.Get(sh), s.Get(i), s.Get(ul), s.Get(f), s.Get(d1), s.Get(d2);
    EXPECT_EQ('c', c);
    EXPECT_EQ(-2, sh);
    EXPECT_EQ(0x12345678, i);
    EXPECT_EQ(4000000000UL, ul);
    EXPECT_EQ(1.5f, f);
    EXPECT_EQ(2.25, d1);
    EXPECT_EQ(-0.5, d2);
    char zs[3];
    s.Get(zs, 3);
    EXPECT_EQ(0, std::memcmp("zzz", zs, 3));
    EXPECT_TRUE(s.End());
    EXPECT_FALSE(s.Failed());
}

TEST(MemoryStream, ReadsPastTheDataGiveZerosAndFail) {
    MemoryStream s(32, 1);
    s.Put(static_cast<short>(0x0102));
    EXPECT_EQ(32u, s.GetSize());
    s.SetPosition(0);
    EXPECT_FALSE(s.End());
    int value = -1;
    s.Get(value);  // 2 of 4 bytes are there
    EXPECT_EQ(0x0102, value);
    EXPECT_TRUE(s.Failed());
    EXPECT_TRUE(s.End());  // the end of what was written, not of the capacity
    s.ClearError();
    double d = 7;
    s.Get(d);
    EXPECT_EQ(0.0, d);
    EXPECT_TRUE(s.Failed());

    // Malformed text from disk: no NUL, no line end.
    char const raw[] = {'a', 'b', 'c'};
    MemoryStream r(static_cast<void const *>(raw), sizeof raw);
    EXPECT_STREQ("abc", r.GetString().c_str());
    EXPECT_TRUE(r.Failed());
    EXPECT_EQ(3u, r.GetPosition());
    r.SetPosition(1000);
    EXPECT_TRUE(r.GetLine().IsEmpty());
    EXPECT_TRUE(r.GetString().IsEmpty());

    MemoryStream none(32, 1);
    char byte = 'x';
    none.Get(byte);  // no buffer at all yet
    EXPECT_EQ(0, byte);
    EXPECT_TRUE(none.Failed());
}

TEST(MemoryStream, LinesAndTexts) {
    MemoryStream s(32, 1);
    s.PutLine("");
    EXPECT_EQ(2u, s.GetLength());
    EXPECT_EQ(0, std::memcmp("\r\n", s.GetStart(), 2));
    s.PutLine(String("one"));
    s.Put("two\rthree\nfour\0five\n", 20);
    s.PutString("ab", 1);
    s.PutString(String("cd"), 0);
    s.PutEndl();
    s.Put("last", 4);

    s.SetPosition(0);
    char const *lines[] = {"", "one", "two", "three", "four", "five"};
    for (char const *line : lines)
        EXPECT_STREQ(line, s.GetLine().c_str());
    EXPECT_STREQ("ab", s.GetString().c_str());
    EXPECT_STREQ("cd", s.GetString().c_str());
    EXPECT_STREQ("last", s.GetLine().c_str());  // ends at the end of the data
    EXPECT_TRUE(s.End());
    EXPECT_FALSE(s.Failed());

    char const cr[] = {'\r', '\n', '\r', 'x'};
    MemoryStream r(static_cast<void const *>(cr), sizeof cr);
    EXPECT_TRUE(r.GetLine().IsEmpty());
    EXPECT_EQ(2u, r.GetPosition());  // CR LF taken together
    EXPECT_TRUE(r.GetLine().IsEmpty());
    EXPECT_EQ(3u, r.GetPosition());  // a lone CR alone

    MemoryStream t(32, 1);
    t.PutString("ab", 1);
    t.SetPosition(0);
    EXPECT_STREQ("ab", t.GetString().c_str());
    EXPECT_EQ(3u, t.GetPosition());
}

TEST(MemoryStream, CallersBlocksAreNeverOverrun) {
    char block[8] = {};
    MemoryStream s(static_cast<void *>(block), 6);
    s.Put(0x11223344);
    EXPECT_THROW(s.Put(0x55667788), Exception);
    EXPECT_EQ(0, block[6]);
    EXPECT_EQ(4u, s.GetPosition());
    s.Put(static_cast<short>(1));  // fills the block exactly
    EXPECT_TRUE(s.End());

    MemoryStream r(static_cast<void const *>(block), 6);
    EXPECT_THROW(r.Put('x'), Exception);
    int v;
    r.Get(v);
    EXPECT_EQ(0x11223344, v);
}

TEST(MemoryStream, BufferOwnership) {
    char *kept;
    {
        MemoryStream s(32, 0);
        s.PutString("kept", 1);
        kept = s.GetStart();
    }
    EXPECT_STREQ("kept", kept);  // still ours after the stream went
    NH_Heap::FreeMem(kept);

    MemoryStream s(32, 0);
    s.Put(1);
    s.Reset(64, 1);  // frees the owned buffer whatever the flag said
    EXPECT_EQ(nullptr, s.GetStart());
    EXPECT_EQ(0u, s.GetLength());

    // A gap left by seeking forward reads as zeros.
    MemoryStream g(32, 1);
    g.SetPosition(5);
    g.Put('x');
    g.SetPosition(0);
    char bytes[6];
    g.Get(bytes, 6);
    EXPECT_EQ(0, std::memcmp("\0\0\0\0\0x", bytes, 6));
}

}  // namespace
