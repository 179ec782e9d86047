#include <gtest/gtest.h>

#include <string>

#include "foundation/RegExp.h"
#include "foundation/Strings.h"

namespace {

TEST(RegularExp, CompileStatus) {
    std::string tooLong(127, 'a');
    std::string classes;
    for (int i = 0; i < 8; ++i)
        classes += "[a-z]";  // 17 bytes each
    struct {
        char const *pattern;
        int status;
    } cases[] = {
        {"abc", 0},      {"", 1},           {"*a", 1},          {"+a", 1},          {"?a", 1},
        {"\nabc", 1},    {"a**", 3},        {"^*", 3},          {"a$*", 0},         {"ab+?", 3},
        {"^a$", 0},      {"[^a-z]*x", 0},   {"a\\*b", 0},       {tooLong.c_str(), 3},
        {tooLong.c_str() + 1, 0},  // 126 bytes compiled still fit {classes.c_str(), 3}, {classes.c_str() + 5, 0},
    };
    for (auto const &c : cases)
        EXPECT_EQ(c.status, RegularExp(c.pattern).GetStatus()) << '"' << c.pattern << '"';
    EXPECT_EQ(RegularExp::kEmptyPattern, RegularExp(nullptr).GetStatus());
}

TEST(RegularExp, MatchTable) {
    struct {
        char const *pattern;
        char const *text;
        unsigned int start;
        long index;
        unsigned int length;
    } cases[] = {
        {"a+b", "xxaab", 0, 2, 3},
        {"[c-a]", "xxb", 0, 2, 1},
        {"[c-a]+", "zabcd", 0, 1, 3},
        {"\\x41", "zzA", 0, 2, 1},
        {"\\x4", "\x04", 0, 0, 1},
        {"a.c", "abc", 0, 0, 3},
        {"a.c", "a\nc", 0, -1, 0},         // '.' never takes a line feed
        {"colou?r", "my color", 0, 3, 5},
        {"colou?r", "colour", 0, 0, 6},
        {"^ab", "xab", 0, -1, 0},
        {"^ab", "xab", 1, 1, 2},           // the start anchor is where the search starts
        {"ab$", "ab\ncd", 0, 0, 2},        // the end anchor matches at a line feed
        {"b$", "abc", 0, -1, 0},
        {"x$y", "ax$y", 0, 1, 3},          // '$' not last is literal
        {"a^", "ba^", 0, 1, 2},            // '^' not first is literal
        {"a*b", "aaab", 0, 0, 4},
        {"a*", "bbb", 0, 0, 0},            // a zero-length match has length 0
        {"a*", "bba", 1, 1, 0},
        {"x*a", "bba", 0, 2, 1},
        {".*b", "abab", 0, 0, 4},          // greedy with backtracking
        {"[^0-9]+", "12ab3", 0, 2, 2},
        {"[-a]+", "x-a-", 0, 1, 3},        // a leading '-' is literal
        {"[a\\-]+", "za-", 0, 1, 2},
        {"\\t\\s\\S", "a\t  ", 0, 1, 3},   // escapes in either case
        {"\\.", "a.b", 0, 1, 1},
        {"\\xae", "x\xae", 0, 1, 1},       // 8-bit characters that read like codes still match
        {"\xaa+", "x\xaa\xaa", 0, 1, 2},
        {"[\\x41-\\x43]+", "xABCD", 0, 1, 3},
        {"abc", "ab", 0, -1, 0},
        {"b", "abcb", 2, 3, 1},
        {"a", "", 0, -1, 0},
        {"^", "", 0, 0, 0},
        {"^$", "", 0, 0, 0},
        {"$", "abc", 3, 3, 0},
        {"a", "abc", 4, -1, 0},            // start past the end
        {"ab\ncd", "xab", 0, 1, 2},        // the pattern ends at a line feed
    };
    for (auto const &c : cases) {
        RegularExp expression(c.pattern);
        ASSERT_EQ(RegularExp::kCompiled, expression.GetStatus()) << c.pattern;
        unsigned int length = 99;
        EXPECT_EQ(c.index, expression.Find(String(c.text), &length, c.start)) << c.pattern << " in " << c.text;
        EXPECT_EQ(c.length, length) << c.pattern << " in " << c.text;
    }
}

TEST(RegularExp, FailedPatternsFindNothingAndCopiesMatchAlike) {
    RegularExp bad("a**");
    unsigned int length = 5;
    EXPECT_EQ(-1, bad.Find(String("aaa"), &length, 0));
    EXPECT_EQ(0u, length);
    EXPECT_EQ(-1, String("aaa").Find(bad));

    RegularExp good("b+");
    RegularExp copy(good);
    String text("abbbc");
    EXPECT_EQ(1, text.Find(copy));
    EXPECT_EQ(1, text.Find(good, 0u, &length));
    EXPECT_EQ(3u, length);
    copy = bad;
    EXPECT_EQ(RegularExp::kPatternTooLong, copy.GetStatus());
    EXPECT_EQ(-1, text.Find(copy));
}

}  // namespace
