#include "core/BitSet.h"

#include <gtest/gtest.h>

#include <string>

namespace {
std::string Members(TBitSet const &set) {
    std::string s;
    for (int c = 1; c < 256; c++)
        if (set.Has((unsigned char)c))
            s += char(c);
    return s;
}
}  // namespace

TEST(BitSet, BitsAndOperators) {
    TBitSet set;
    EXPECT_TRUE(set.IsEmpty());
    set += 200;
    EXPECT_TRUE(set.Has(200));
    EXPECT_EQ(1, TBitSet::Masks[200 % 8]);
    EXPECT_FALSE(set.Has(201));
    EXPECT_TRUE(~~set == set);
    EXPECT_FALSE((~set).Has(200));
    EXPECT_TRUE((~set).Has(0));
    TBitSet other;
    other += 'a';
    other += 200;
    set |= other;
    EXPECT_EQ("a\xC8", Members(set));
    set -= other;
    EXPECT_TRUE(set.IsEmpty());
    TBitSet both = ~TBitSet();
    both &= other;
    EXPECT_TRUE(both == other);
}

TEST(BitSet, CharSetPatterns) {
    struct { char const *pattern; char const *members; } table[] = {
        {"a-e", "abcde"},   {"z-a", "az"},        {"-a", "-a"},    {"a-", "-a"},
        {"\\-", "-"},       {"a\\-c", "-ac"},     {"x\\", "x"},    {"0-2x-z", "012xyz"},
        {"", ""},           {"\\\\", "\\"},       {"a-a", "a"},    {"--/", "-./"},
    };
    for (auto &c : table)
        EXPECT_EQ(c.members, Members(TCharSet(c.pattern))) << c.pattern;
    EXPECT_EQ(26u, Members(TCharSet("a-z")).size());
}
