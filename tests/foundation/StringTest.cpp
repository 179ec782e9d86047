#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <functional>
#include <thread>
#include <vector>

#include "malvane/Malvane.h"
#include "foundation/Strings.h"

namespace {

unsigned long Capacity(String const &s) { return s.GetStringRef()->capacity; }
unsigned long Count(String const &s) { return s.GetStringRef()->refCount; }

TEST(String, CapacityFollowsCreationAndGrowthRules) {
    EXPECT_EQ(8u, Capacity(String("")));
    EXPECT_EQ(8u, Capacity(String("1234567")));
    EXPECT_EQ(16u, Capacity(String("12345678")));

    String s("12345678");
    s += 'x';
    EXPECT_EQ(16u, Capacity(s));
    String t("12345678");
    t.Append("123456789");
    EXPECT_EQ(18u, Capacity(t));  // grown to exactly length + 1
    EXPECT_STREQ("12345678123456789", t.c_str());

    struct { unsigned long n, rounded; } rounding[] = {{0, 8}, {1, 8}, {8, 8}, {9, 16}, {17, 24}};
    for (auto const &r : rounding)
        EXPECT_EQ(r.rounded, String::RoundBufferSize(r.n)) << r.n;

    String e("abc");
    e.EnsureBufferSize(20);
    EXPECT_EQ(24u, Capacity(e));
    EXPECT_STREQ("abc", e.c_str());
    e.FreeExtraBufferSize();
    EXPECT_EQ(8u, Capacity(e));
    e.Remove(0, 2);
    EXPECT_EQ(8u, Capacity(e));  // removal never shrinks
}

TEST(String, SharingAndReferenceCounts) {
    String a("shared");
    EXPECT_EQ(1u, Count(a));
    {
        String b(a);
        EXPECT_EQ(a.c_str(), b.c_str());
        EXPECT_EQ(2u, Count(a));
    }
    EXPECT_EQ(1u, Count(a));
    String &alias = a;
    a = alias;
    EXPECT_EQ(1u, Count(a));

    String left = a.Left(3);
    EXPECT_EQ(1u, Count(left));
    EXPECT_STREQ("sha", left.c_str());
    left = a.Right(2);
    EXPECT_EQ(1u, Count(left));
    EXPECT_STREQ("ed", left.c_str());

    // A SubString nobody takes gives its reference back.
    long before = _stringHeap->BlockCount();
    a.Mid(1, 2);
    (void)(a + "x");
    EXPECT_EQ(before, _stringHeap->BlockCount());

    // Empty strings share one block and never write into it.
    String e1, e2;
    EXPECT_EQ(e1.c_str(), e2.c_str());
    e1 += "x";
    EXPECT_STREQ("", e2.c_str());
    EXPECT_EQ(e2.c_str(), String().c_str());
    String own("");
    EXPECT_NE(own.c_str(), e2.c_str());

    String t("text");
    SubString moved = SubString::TransformToSubString(t);
    EXPECT_TRUE(t.IsEmpty());
    String taken(moved);
    EXPECT_STREQ("text", taken.c_str());
    EXPECT_EQ(1u, Count(taken));
}

// Every editing member, applied to a copy, must leave the original alone.
TEST(String, EditingACopyLeavesTheOriginalUnchanged) {
    struct Edit {
        char const *name;
        std::function<void(String &)> apply;
        char const *expected;
    } edits[] = {
        {"Insert text", [](String &s) { s.Insert(2, "XY", 1); }, "abXcd ef "},
        {"Insert string", [](String &s) { s.Insert(0, String("Q")); }, "Qabcd ef "},
        {"Insert chars", [](String &s) { s.Insert(100, '-', 2); }, "abcd ef --"},
        {"Append", [](String &s) { s.Append("!"); }, "abcd ef !"},
        {"operator+=", [](String &s) { s += 'z'; }, "abcd ef z"},
        {"Prepend", [](String &s) { s.Prepend("<<", 1); }, "<abcd ef "},
        {"Remove", [](String &s) { s.Remove(1, 2); }, "ad ef "},
        {"RemoveRight", [](String &s) { s.RemoveRight(4); }, "abcd"},
        {"KeepLeft", [](String &s) { s.KeepLeft(2); }, "ab"},
        {"KeepRight", [](String &s) { s.KeepRight(3); }, "ef "},
        {"KeepMid", [](String &s) { s.KeepMid(1, 3); }, "bcd"},
        {"RemoveAll", [](String &s) { s.RemoveAll(' '); }, "abcdef"},
        {"Replace", [](String &s) { s.Replace(0, 4, "W"); }, "W ef "},
        {"Trim", [](String &s) { s.Trim(); }, "abcd ef"},
        {"TrimRight set", [](String &s) { s.Trim(" f", 2); }, "abcd e"},
        {"MakeUpper", [](String &s) { s.MakeUpper(); }, "ABCD EF "},
        {"MakeCapital", [](String &s) { s.MakeCapital(); }, "Abcd ef "},
        {"Reverse", [](String &s) { s.Reverse(); }, " fe dcba"},
        {"SetChar", [](String &s) { s.SetChar(0, 'Z'); }, "Zbcd ef "},
        {"operator[]", [](String &s) { s[1] = 'Y'; }, "aYcd ef "},
        {"Clear", [](String &s) { s.Clear(); }, ""},
        {"EnsureBufferSize", [](String &s) { s.EnsureBufferSize(64); }, "abcd ef "},
        {"FreeExtraBufferSize", [](String &s) { s.FreeExtraBufferSize(); }, "abcd ef "},
        {"assign text", [](String &s) { s = "new"; }, "new"},
    };
    for (auto const &e : edits) {
        String original("abcd ef ");
        original.EnsureBufferSize(40);  // room, so no edit has to move the block
        String copy(original);
        e.apply(copy);
        EXPECT_STREQ("abcd ef ", original.c_str()) << e.name;
        EXPECT_STREQ(e.expected, copy.c_str()) << e.name;
        EXPECT_EQ(std::strlen(e.expected), copy.GetLength()) << e.name;
        EXPECT_EQ(1u, Count(original)) << e.name;
    }
}

TEST(String, InsertingItsOwnTextIsSafe) {
    struct { unsigned long pos, offset; char const *expected; } cases[] = {
        {0, 2, "cdefghabcdefgh"},    // source inside the block, block has room
        {3, 0, "abcabcdefghdefgh"},  // block grows while the source is inside it
        {8, 7, "abcdefghh"},
    };
    for (auto const &c : cases) {
        String s("abcdefgh");  // capacity 16: some of these fit, some grow
        s.Insert(c.pos, s.c_str() + c.offset);
        EXPECT_STREQ(c.expected, s.c_str()) << c.pos << "," << c.offset;
    }
    String t("xyz");
    t.Insert(1, t);
    EXPECT_STREQ("xxyzyz", t.c_str());
    t.Replace(0, 2, t);
    EXPECT_STREQ("xxyzyzyzyz", t.c_str());
    t.Replace(0, 100, t.c_str() + 8);
    EXPECT_STREQ("yz", t.c_str());
    t = t.c_str() + 1;
    EXPECT_STREQ("z", t.c_str());
}

TEST(String, ConstructionFromPartsAndNumbers) {
    char const buffer[4] = {'w', 'x', 'y', 'z'};  // not terminated
    struct { String value; char const *expected; } cases[] = {
        {String(buffer, 1, 2), "xy"},
        {String("hello", 1, static_cast<unsigned long>(-1)), "ello"},
        {String("hi", 5, 3), ""},
        {String(String("hello"), 2, 100), "llo"},
        {String(String("hello"), 9, 1), ""},
        {String('*', 3), "***"},
        {String(3.14159), "3.14"},
        {String(2.5f), "2.50"},
        {String(7, "%d"), "7"},
        {String(-5), "-5"},
        {String(static_cast<unsigned long>(4000000000UL)), "4000000000"},
        {String(static_cast<short>(-12)), "-12"},
        {String(static_cast<unsigned short>(65535)), "65535"},
        {String(255, "%04X"), "00FF"},
        {String(static_cast<char const *>(nullptr)), ""},
    };
    for (auto const &c : cases)
        EXPECT_STREQ(c.expected, c.value.c_str());
    // A format longer than the usual buffer is not cut or overrun.
    String wide(1, "%0150d");
    EXPECT_EQ(150u, wide.GetLength());
    EXPECT_EQ('1', wide.GetLastChar());
    String s;
    EXPECT_STREQ("42", s.LongToString(42).c_str());

    // Sizes no block can hold fail; they never wrap to a small block.
    EXPECT_ANY_THROW(String('x', 0xFFFFFFFFUL));
    EXPECT_ANY_THROW(s.EnsureBufferSize(0xFFFFFFFFUL));
    EXPECT_ANY_THROW(s.Insert(0, 'x', 0xFFFFFFFEUL));
    EXPECT_STREQ("42", s.c_str());
}

TEST(String, ExtractionClampsToTheText) {
    String s("abcdef");
    struct { String value; char const *expected; } cases[] = {
        {s.Mid(2, 2), "cd"}, {s.Mid(4), "ef"}, {s.Mid(10, 2), ""}, {s.Left(10), "abcdef"},
        {s.Left(0), ""},     {s.Right(2), "ef"}, {s.Right(99), "abcdef"},
    };
    for (auto const &c : cases)
        EXPECT_STREQ(c.expected, c.value.c_str());
    String k("abc");
    k.KeepLeft(3);
    EXPECT_STREQ("abc", k.c_str());
    k.RemoveRight(3);
    EXPECT_TRUE(k.IsEmpty());
    EXPECT_EQ(0, k.GetLastChar());
    EXPECT_EQ(0, k.GetChar(5));
}

TEST(String, SearchTable) {
    String aaa("aaa");
    EXPECT_EQ(1, aaa.FindLast("aa"));  // overlapping hits count
    EXPECT_EQ(0, aaa.FindFirst("aa"));

    String s("Hello World, hello");
    struct { long got, expected; } cases[] = {
        {s.FindFirst('o'), 4},
        {s.FindFirst('W', 1), 6},
        {s.FindFirst('w', 1), -1},
        {s.FindFirst('w', 0), 6},
        {s.FindFirst("hello"), 13},
        {s.FindFirst("HELLO", 0), 0},
        {s.FindLast("HELLO", 0), 13},
        {s.FindLast('l'), 16},
        {s.FindLast("xyz"), -1},
        {s.FindFirst("longer than the whole text, surely"), -1},
        {s.FindOneOf(",W"), 6},
        {s.FindOneOf("#"), -1},
        {String("ab  ").FindFirstNotOf(" ", 2), -1},
        {String("ab c").FindFirstNotOf(" ", 2), 3},
        {String("ab").FindFirstNotOf(" ", 7), -1},
        {String("xx yy  ").FindLastNotOf(" "), 4},
        {String("   ").FindLastNotOf(" "), -1},
        {s.Contains("World"), 1},
        {s.Contains("world"), 0},
        {s.Contains("world", 0), 1},
    };
    for (size_t i = 0; i < sizeof cases / sizeof cases[0]; ++i)
        EXPECT_EQ(cases[i].expected, cases[i].got) << "case " << i;

    char const *text = "One two ONE";
    EXPECT_EQ(text + 4, stristr(text, "TWO"));
    EXPECT_EQ(text + 8, strristr(text, "one"));
    EXPECT_EQ(text, stristr(text, ""));
    EXPECT_EQ(nullptr, stristr("", "a"));
    char small[4];
    strcpy_n(small, "abcdef", sizeof small);
    EXPECT_STREQ("abc", small);
}

TEST(String, CaseRuleIsPerThreadAndNests) {
    String upper("ABC"), lower("abc");
    EXPECT_NE(upper, lower);
    {
        CaseSensitive off(0);
        EXPECT_EQ(upper, lower);
        std::thread other([&] {
            // A new thread starts case-sensitive, whatever this one does.
            EXPECT_NE(upper, lower);
            CaseSensitive alsoOff(0);
            EXPECT_EQ(upper, "abc");
        });
        other.join();
        {
            CaseSensitive on(1);
            EXPECT_NE(upper, lower);
        }
        EXPECT_EQ(upper, lower);
    }
    EXPECT_NE(upper, lower);
    EXPECT_LT(String("a"), String("b"));
    EXPECT_GT(String("\xE9"), String("z"));  // bytes compare unsigned
    EXPECT_EQ(0, String::Compare(nullptr, ""));
}

TEST(String, ConversionsAndCasing) {
    EXPECT_EQ(-42, String("-42").to_int());
    EXPECT_EQ(255, String("ff").to_int(16));
    EXPECT_EQ(16, String("0x10").to_long(0));
    EXPECT_EQ(4000000000UL, String("4000000000").to_ulong());
    EXPECT_DOUBLE_EQ(2.5, String("2.5").to_double());
    String m("hELLO wORLD");
    EXPECT_STREQ("Hello world", m.MakeCapital().c_str());
    EXPECT_EQ(3u, String("a.b.c.").GetNumberOf('.'));
    String joined = String("ab") + "cd" + 'e' + String("f");
    EXPECT_STREQ("abcdef", joined.c_str());
    EXPECT_STREQ("xab", ("x" + String("ab")).c_str());
}

TEST(String, CopiesTravelBetweenThreads) {
    String shared("a text that every thread copies and drops");
    long before = _stringHeap->BlockCount();
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t)
        threads.emplace_back([&shared, t] {
            for (int i = 0; i < 20000; ++i) {
                String copy(shared);
                String other = copy;
                if (i % 100 == t)
                    other += 'x';  // unshares while others hold the block
                if (other.GetLength() < shared.GetLength())
                    ADD_FAILURE();
            }
        });
    for (auto &t : threads)
        t.join();
    EXPECT_EQ(1u, Count(shared));
    EXPECT_EQ(before, _stringHeap->BlockCount());
}

TEST(String, BlocksAreReleasedByAnyModule) {
    long before = _stringHeap->BlockCount();
    StringRef *block;
    {
        String s("made in the library");
        block = s.GetStringRef();
        __atomic_add_fetch(&block->refCount, 1, __ATOMIC_RELAXED);  // keep it past s
    }
    EXPECT_EQ(before + 1, _stringHeap->BlockCount());
    EXPECT_EQ(_stringHeap, block->heap);
    NH_Heap::FreeMem(block);  // freed here, in the test executable
    EXPECT_EQ(before, _stringHeap->BlockCount());

    String *onHeap = new String("handle on the string heap");
    EXPECT_EQ(before + 2, _stringHeap->BlockCount());
    delete onHeap;
    EXPECT_EQ(before, _stringHeap->BlockCount());
}

}  // namespace
