#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "malvane/Malvane.h"
#include "foundation/StringUtils.h"

namespace {

std::vector<std::string> Pieces(List<StringItem<ListElement> > const &list) {
    std::vector<std::string> pieces;
    for (StringItem<ListElement> *item = list.GetFirst(); item; item = list.GetNext(item))
        pieces.push_back(item->c_str());
    return pieces;
}

TEST(ExplodeString, SeparatorRunsTrimAndTheZeroListMode) {
    typedef std::vector<std::string> V;
    struct {
        char const *text;
        char const *separators;
        int trim;
        V pieces;
    } cases[] = {
        {";;piece", ";", 0, {"piece"}},
        {"a;b;;c;", ";", 0, {"a", "b", "c"}},
        {"a; ;b", ";", 1, {"a", "b"}},      // a piece of spaces is dropped when trimmed
        {"a; ;b", ";", 0, {"a", " ", "b"}},
        {" x \t; y", ";", 1, {"x", "y"}},
        {"D:\\a/b:c", "\\/:", 1, {"D", "a", "b", "c"}},
        {"", ";", 0, {}},
        {"one\0 two \0\0ignored", "", 0, {"one", " two "}},  // zero-terminated pieces ended by an empty one
        {"one\0 two \0\0ignored", "", 1, {"one", "two"}},
        {"\0", "", 0, {}},
    };
    List<StringItem<ListElement> > list;
    list.Append(new StringItem<ListElement>("stale"));
    for (auto const &c : cases) {
        ExplodeString(list, c.text, c.separators, c.trim);
        EXPECT_EQ(c.pieces, Pieces(list)) << '"' << c.text << '"';
    }
    ExplodeString(list, nullptr, ";", 0);
    EXPECT_EQ(0, list.GetCount());
}

TEST(StringItem, ComparesByTextAndClonesSharingIt) {
    StringItem<ListElement> a("Hello"), b("hello");
    EXPECT_NE(0, a.Compare(b, 0));
    EXPECT_EQ(0, a.Compare(b, 1));
    StringItem<ListElement> *clone = static_cast<StringItem<ListElement> *>(a.CreateClone(nullptr));
    EXPECT_STREQ("Hello", clone->c_str());
    EXPECT_EQ(a.c_str(), clone->c_str());  // the block is shared
    delete clone;

    List<StringItem<ListElement> > list;
    for (char const *s : {"pear", "Apple", "fig", "apple"})
        list.Append(new StringItem<ListElement>(s));
    list.SetCompareMode(1);
    list.Sort();
    EXPECT_EQ((std::vector<std::string>{"Apple", "apple", "fig", "pear"}), Pieces(list));
}

TEST(StringToIntArray, DigitRunsOnly) {
    int count = -1;
    int *values = StringToIntArray("12, -7;x300 4", &count);
    ASSERT_EQ(4, count);
    EXPECT_EQ(12, values[0]);
    EXPECT_EQ(7, values[1]);  // the sign only separates
    EXPECT_EQ(300, values[2]);
    EXPECT_EQ(4, values[3]);
    EXPECT_STREQ("12.7.300.4", IntArrayToString(values, count, '.').c_str());
    NH_Heap::FreeMem(values);

    std::string many;
    for (int i = 0; i < 100; ++i)
        many += std::to_string(i) + ",";
    values = StringToIntArray(many.c_str(), &count);
    ASSERT_EQ(100, count);
    EXPECT_EQ(99, values[99]);
    NH_Heap::FreeMem(values);

    std::string longRun(300, '1');  // a run longer than the digit buffer
    values = StringToIntArray((longRun + " 5").c_str(), &count);
    EXPECT_EQ(2, count);
    EXPECT_EQ(5, values[1]);
    NH_Heap::FreeMem(values);

    EXPECT_EQ(nullptr, StringToIntArray("no digits", &count));
    EXPECT_EQ(0, count);
    EXPECT_STREQ("", IntArrayToString(nullptr, 0, ',').c_str());
}

TEST(StringHelpers, ReplaceTrimCountAndMeasure) {
    String s("a-b-c");
    String shared(s);
    EXPECT_EQ(2u, ReplaceChar(s, '-', '+'));
    EXPECT_STREQ("a+b+c", s.c_str());
    EXPECT_STREQ("a-b-c", shared.c_str());  // a copy sharing the text keeps its own
    EXPECT_EQ(2u, ReplaceChars(s, "ac", '_'));
    EXPECT_STREQ("_+b+_", s.c_str());
    char text[] = "x.y.z";
    EXPECT_EQ(2u, ReplaceChar(text, '.', '/'));
    EXPECT_EQ(3u, ReplaceChars(text, "/x", 'q'));
    EXPECT_STREQ("qqyqz", text);

    String t(" \t pad \t ");
    EXPECT_EQ(6u, TrimStart(t));
    EXPECT_EQ(3u, TrimEnd(t));
    String u("  both ");
    EXPECT_EQ(4u, Trim(u));

    int length = 0;
    char const *raw = "**ab*c**";
    EXPECT_EQ(raw + 2, FindTrimmedSubString(raw, &length, "*", 3));
    EXPECT_EQ(4, length);
    EXPECT_EQ(raw, FindTrimmedSubString(raw, &length, "*", 2));
    EXPECT_EQ(6, length);
    EXPECT_EQ(raw + 2, FindTrimmedSubString(raw, 3, &length, "*", 3));
    EXPECT_EQ(1, length);
    EXPECT_EQ(raw + 2, FindTrimmedSubString(raw, 2, &length, "*", 1));
    EXPECT_EQ(0, length);

    EXPECT_EQ(3, CountChar("banana", 'a'));
    struct {
        char const *needle, *text;
        int textLength;
        unsigned int count;
    } occurrences[] = {{"aa", "aaaa", -1, 2}, {"aa", "aaa", -1, 1}, {"", "abc", -1, 0},
                       {"abc", "ab", -1, 0},  {"ab", "abab", 3, 1}, {"b", "abab", 0, 0}};
    for (auto const &o : occurrences)
        EXPECT_EQ(o.count, FindNumOccurences(o.needle, o.text, o.textLength)) << o.needle << " in " << o.text;

    EXPECT_EQ(0ul, GetHashValue(String("")));
    EXPECT_EQ(((97ul * 4) ^ 98ul), GetHashValue(String("ab")));
    EXPECT_EQ(0xFFFFFFFFul, GetHashValue(String("\xff")));  // characters count as signed
    EXPECT_EQ(0xFFFFFFFCul ^ 0x41ul, GetHashValue(String("\xff" "A")));

    char word[] = "abcd";
    Inverse(word);
    EXPECT_STREQ("dcba", word);
    String w("xyz");
    Inverse(w);
    EXPECT_STREQ("zyx", w.c_str());
}

TEST(StringHelpers, BoundedCopies) {
    char buffer[6];
    std::memset(buffer, '#', sizeof buffer);
    CopyMax(buffer, "longer than six", 4);
    EXPECT_STREQ("lon", buffer);
    EXPECT_EQ('#', buffer[4]);
    CopyMax(buffer, "x", 0);  // nothing at all
    EXPECT_STREQ("lon", buffer);
    MakeString(buffer, sizeof buffer, "abcdefgh", 8);
    EXPECT_STREQ("abcde", buffer);
    MakeString(buffer, sizeof buffer, "abcdefgh", 2);
    EXPECT_STREQ("ab", buffer);
    MakeString(buffer, 0, "zz", 2);
    EXPECT_STREQ("ab", buffer);
}

TEST(StringHelpers, SizesAndDates) {
    struct {
        unsigned long bytes;
        char const *text;
    } sizes[] = {{0, "0 B"},           {999, "999 B"},          {1000, "1 kB"},      {999999, "999 kB"},
                 {1000000, "1.0 MB"}, {1500000, "1.5 MB"},    {1999999, "1.9 MB"}, {4294967295ul, "4294.9 MB"}};
    for (auto const &s : sizes) {
        EXPECT_STREQ(s.text, GetStringFileSize(s.bytes).c_str()) << s.bytes;
        char buffer[kFileSizeTextSize];
        GetStringFileSize(s.bytes, buffer);
        EXPECT_STREQ(s.text, buffer);
    }
    struct {
        double bytes;
        char const *text;
    } binary[] = {{0, "0.00 B"}, {1023, "1023.00 B"}, {1024, "1.00 KB"}, {1572864, "1.50 MB"}, {1073741824.0 * 3, "3.00 GB"}};
    for (auto const &b : binary)
        EXPECT_STREQ(b.text, ByteSizeToString(b.bytes).c_str()) << b.bytes;

    unsigned short date = static_cast<unsigned short>(((2024 - 1980) << 9) | (3 << 5) | 15);
    EXPECT_STREQ("15/03/2024", GetDateString(date).c_str());
    char small[6];
    std::memset(small, '#', sizeof small);
    GetDateString(date, small, sizeof small);  // too small: empty, never overrun
    EXPECT_EQ(0, small[0]);
}

}  // namespace
