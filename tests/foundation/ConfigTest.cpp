#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "foundation/Config.h"
#include "foundation/Randomizer.h"
#include "foundation/StringItem.h"

namespace {

// The names of the current group's children in order, groups marked with "/".
std::string Children(Config const &c) {
    std::string out;
    for (ConfigKey *k = c.GetFirstKey(); k; k = k->GetNext()) {
        if (!out.empty())
            out += ",";
        out += k->GetName().c_str();
        if (k->IsGroup())
            out += "/";
    }
    return out;
}

TEST(Config, NamesIgnoreCaseAndCarryTheirIndex) {
    Config c("Main");
    c.SetValue(5, "Count");
    EXPECT_EQ(5, c.GetValue(0, "COUNT"));
    EXPECT_EQ(7, c.GetValue(7, "Count", 2));
    c.SetValue(1, "Folder", 3);
    c.SetValue(2, "Folder", -3);
    c.SetValue(3, "Folder", 0);
    EXPECT_EQ("Count,Folder3,Folder-3,Folder", Children(c));
    EXPECT_EQ(1, c.GetValue(0, "folder3"));

    // a name is at most 255 characters, index included
    std::string longName(300, 'n');
    c.SetValue(9, longName.c_str(), 12);
    EXPECT_EQ(255u, c.GetKey(4)->GetName().GetLength());
    EXPECT_EQ(9, c.GetValue(0, longName.c_str(), 12));
}

TEST(Config, TypedValuesGoThroughTheirText) {
    Config c("T");
    c.SetValue(static_cast<unsigned char>(200), "uc");
    EXPECT_STREQ("200", c.GetValue("", "uc").c_str());
    EXPECT_EQ(-56, c.GetValue(static_cast<char>(0), "uc"));
    EXPECT_EQ(-56, c.GetValue(static_cast<signed char>(0), "uc"));
    EXPECT_EQ(200, c.GetValue(static_cast<unsigned char>(0), "uc"));

    c.SetValue(0.5f, "f");
    EXPECT_STREQ("0.50000000", c.GetValue("", "f").c_str());
    EXPECT_EQ(0.5f, c.GetValue(0.0f, "f"));
    c.SetValue(-1234.5678901, "d");
    EXPECT_STREQ("-1234.56789010", c.GetValue("", "d").c_str());
    c.SetValue(1e300, "huge");
    EXPECT_EQ(1e300, c.GetValue(0.0, "huge"));

    // a missing floating value is its default, not rounded
    EXPECT_EQ(0.123f, c.GetValue(0.123f, "absent"));
    EXPECT_EQ(0.004, c.GetValue(0.004, "absent"));

    c.SetValue(-2147483647L - 1, "lmin");
    EXPECT_STREQ("-2147483648", c.GetValue("", "lmin").c_str());
    EXPECT_EQ(-2147483647L - 1, c.GetValue(0L, "lmin"));
    c.SetValue(4294967295UL, "ulmax");
    EXPECT_STREQ("4294967295", c.GetValue("", "ulmax").c_str());
    EXPECT_EQ(4294967295UL, c.GetValue(0UL, "ulmax"));
    EXPECT_EQ(65535, c.GetValue(static_cast<unsigned short>(0), "ulmax"));
    c.SetValue(70000, "i");
    EXPECT_EQ(4464, c.GetValue(static_cast<short>(0), "i"));  // cut to 16 bits

    c.SetValue("12abc", "junk");
    EXPECT_EQ(12, c.GetValue(0, "junk"));
    c.SetValue("", "empty");
    EXPECT_EQ(0, c.GetValue(5, "empty"));  // present but no digits
    EXPECT_STREQ("dflt", c.GetValue("dflt", "absent").c_str());
    EXPECT_STREQ("dflt", c.GetValue(String("dflt"), "absent").c_str());

    // a line break would split the value's line in the file
    c.SetValue("one\r\ntwo", "text");
    EXPECT_STREQ("one  two", c.GetValue("", "text").c_str());
}

TEST(Config, GetSureClampsValueAndDefault) {
    Config c("S");
    EXPECT_EQ(5, c.GetSure(10, 0, 5, "v"));
    c.SetValue("-3", "v");
    EXPECT_EQ(0, c.GetSure(10, 0, 5, "v"));
    c.SetValue("4", "v");
    EXPECT_EQ(4, c.GetSure(10, 0, 5, "v"));
    c.SetValue("-1", "u");
    EXPECT_EQ(9u, c.GetSure(3u, 1u, 9u, "u"));  // unsigned: -1 is the largest
    c.SetValue("-1e999", "f");
    EXPECT_EQ(1.5, c.GetSure(2.0, 1.5, 3.0, "f"));
    c.SetValue("1e999", "f");
    EXPECT_EQ(3.0f, c.GetSure(2.0f, 1.5f, 3.0f, "f"));
}

TEST(Config, BinaryValues) {
    Config c("B");
    unsigned char const bytes[] = {1, 171};
    c.SetBinary(bytes, 2, "bin");
    EXPECT_STREQ("01AB", c.GetValue("", "bin").c_str());
    unsigned char out[4] = {9, 9, 9, 9};
    EXPECT_EQ(2, c.GetBinary(out, nullptr, 4, "bin"));
    EXPECT_EQ(1, out[0]);
    EXPECT_EQ(171, out[1]);
    EXPECT_EQ(0, out[2]);
    EXPECT_EQ(0, out[3]);
    EXPECT_EQ(2, c.GetBinarySize("bin"));

    struct Case {
        char const *text;
        int made;
        unsigned char first;
    } const cases[] = {
        {" 01 ab\t", 2, 1},  // blanks before pairs, either case
        {"01A", 0, 0},       // odd length
        {"0G", 0, 0},        // not a digit
        {"0 1", 0, 0},       // a blank inside a pair
        {"", 0, 0},
    };
    for (Case const &k : cases) {
        c.SetValue(k.text, "x");
        unsigned char buffer[2] = {7, 7};
        EXPECT_EQ(k.made, c.GetBinary(buffer, nullptr, 2, "x")) << k.text;
        EXPECT_EQ(k.first, buffer[0]) << k.text;
    }
    unsigned char const fallback[2] = {5, 6};
    c.SetValue("zz", "x");
    EXPECT_EQ(2, c.GetBinary(out, fallback, 2, "x"));
    EXPECT_EQ(6, out[1]);
    EXPECT_EQ(2, c.GetBinary(out, fallback, 2, "absent"));
    EXPECT_EQ(0, c.GetBinarySize("absent"));
    EXPECT_EQ(0, c.GetBinarySize("x"));

    unsigned char many[3] = {0xFF, 0, 0x10};
    c.SetBinary(many, 3, "m");
    unsigned char two[2];
    EXPECT_EQ(2, c.GetBinary(two, nullptr, 2, "m"));  // stops at the size asked
    EXPECT_EQ(0xFF, two[0]);
}

TEST(Config, GroupsAndValuesOfOneName) {
    Config c("G");
    c.SetValue(1, "Same");
    c.MoveDown("same");
    c.SetValue(2, "inner");
    c.MoveUp();
    EXPECT_EQ(1, c.ExistGroup("Same"));
    EXPECT_EQ(1, c.ExistValue("SAME"));
    EXPECT_EQ(1, c.GetValue(0, "Same"));
    EXPECT_EQ(2, c.GetNumKeys());
    EXPECT_EQ(1, c.GetNumGroups());
    EXPECT_EQ(1, c.GetNumValues());
    c.DeleteKey("Same");  // the first of them
    EXPECT_EQ(1, c.ExistGroup("Same"));
    EXPECT_EQ(0, c.ExistValue("Same"));
    EXPECT_EQ(1, c.ExistKey("same"));
}

TEST(Config, ModesOrderTheChildren) {
    Config plain("P");
    plain.SetValue(1, "b");
    plain.SetValue(1, "a");
    plain.MoveDown("z");
    plain.SetValue(1, "x");
    plain.MoveUp();
    EXPECT_EQ("b,a,z/", Children(plain));

    Config sorted("S", Config::Sorted);
    for (char const *name : {"b", "C", "a"})
        sorted.SetValue(1, name);
    sorted.MoveDown("B");
    sorted.MoveUp();
    EXPECT_EQ("a,B/,b,C", Children(sorted));

    Config groupsFirst("F", Config::SortedGroupsFirst);
    groupsFirst.SetValue(1, "b");
    groupsFirst.SetValue(1, "a");
    groupsFirst.MoveDown("z");
    groupsFirst.MoveUp();
    groupsFirst.MoveDown("c");
    groupsFirst.MoveUp();
    EXPECT_EQ("c/,z/,a,b", Children(groupsFirst));

    Config twins("M", Config::AlwaysNewGroup);
    ConfigKey *first = twins.MoveDown("Marker");
    twins.MoveUp();
    ConfigKey *second = twins.MoveDown("Marker");
    twins.MoveUp();
    EXPECT_NE(first, second);
    EXPECT_EQ("Marker/,Marker/", Children(twins));
}

TEST(Config, Navigation) {
    Config c("N");
    ConfigKey *b = c.MoveAbsolute("\\A\\ B \\");
    EXPECT_STREQ("B", b->GetName().c_str());
    EXPECT_STREQ("A", b->GetParent()->GetName().c_str());
    c.MoveToRoot();
    c.MoveDown("Other");
    EXPECT_EQ(b, c.MoveAbsolute("\\A\\B"));
    ConfigKey *x = c.MoveAbsolute("X");
    EXPECT_EQ(b, x->GetParent());

    c.MoveToRoot();
    EXPECT_EQ(c.GetRoot(), c.MoveUp());  // stays at the root
    c.SetAutoCreate(0);
    EXPECT_EQ(c.GetRoot(), c.MoveDown("Absent"));
    EXPECT_EQ(0, c.ExistGroup("Absent"));
    EXPECT_EQ(b, c.MoveAbsolute("\\A\\B\\Absent"));
    c.SetValue(1, "stillAllowed");  // values are made whatever the flag says
    EXPECT_EQ(1, c.ExistValue("stillAllowed"));
    EXPECT_EQ(b->GetParent(), c.MoveAbsolute("\\A\\Absent\\B"));  // not A\\B

    // deleting a group that holds the cursor moves the cursor to its parent
    c.MoveAbsolute("\\A\\B\\X");
    ConfigKey *a = b->GetParent();
    c.DeleteKey(b);
    EXPECT_EQ(a, c.GetCurrentKey());
    EXPECT_EQ(0, c.GetNumKeys());
    c.DeleteKey(static_cast<ConfigKey *>(nullptr));
    c.DeleteKey(c.GetRoot());  // the root stays
    EXPECT_EQ(a, c.GetCurrentKey());

    // MoveTo refuses values and keys of another store
    Config other("O");
    c.MoveToRoot();
    c.SetValue(1, "v");
    EXPECT_EQ(c.GetRoot(), c.MoveTo(c.GetKey(2)));
    EXPECT_EQ(c.GetRoot(), c.MoveTo(other.GetRoot()));
    {
        Config::PathSaver keep(c);
        c.MoveDown("A");
    }
    EXPECT_EQ(c.GetRoot(), c.GetCurrentKey());
}

TEST(Config, UniqueKeysAreReallyUnused) {
    Config c("U");
    // the first draw from seed 1 is 16807: that group already stands there
    c.MoveDown("K_", 16807);
    c.SetValue(1, "taken");
    c.MoveUp();
    GlobalRandomizer().SetSeed(1);
    ConfigKey *fresh = c.MoveDownUniqueKey();
    EXPECT_STRNE("K_16807", fresh->GetName().c_str());
    EXPECT_EQ(0, c.GetNumKeys());
    c.MoveUp();
    for (int i = 0; i < 50; ++i) {
        c.MoveDownUniqueKey("Item");
        c.MoveUp();
    }
    EXPECT_EQ(52, c.GetNumGroups());
}

int CountCopies = 0, CountReleases = 0;
void CopyHook(ConfigKey &copy, ConfigKey const &from) {
    ++CountCopies;
    copy.SetUserData(from.GetUserData() + 100);
}
void ReleaseHook(ConfigKey &) { ++CountReleases; }

TEST(Config, CopiesAreDeepAndEqual) {
    Config c("Main", Config::Sorted);
    c.MoveDown("General");
    c.SetValue(1, "Logo");
    c.GetFirstKey()->SetUserData(7);
    c.MoveDown("Deeper");
    c.SetValue("x", "Text");

    Config copy(c);
    EXPECT_TRUE(copy == c);
    EXPECT_EQ(copy.GetRoot(), copy.GetCurrentKey());
    EXPECT_EQ(Config::Sorted, copy.GetMode());
    copy.MoveAbsolute("\\General\\Deeper");
    copy.SetValue("y", "Text");
    EXPECT_TRUE(copy != c);
    EXPECT_STREQ("x", c.GetValue("", "Text").c_str());
    copy.MoveUp();
    EXPECT_EQ(7u, copy.GetFirstKey()->GetNext()->GetUserData());  // without a hook the word is copied
    EXPECT_EQ(copy.GetCurrentKey(), copy.GetFirstKey()->GetParent());

    Config assigned("Other");
    assigned = c;
    EXPECT_TRUE(assigned == c);
    assigned = assigned;
    EXPECT_TRUE(assigned == c);

    CountCopies = CountReleases = 0;
    {
        Config hooked("H");
        hooked.SetKeyDataHooks(CopyHook, ReleaseHook);
        hooked.SetValue(1, "a");
        hooked.GetFirstKey()->SetUserData(1);
        Config copied(hooked);
        EXPECT_EQ(1, CountCopies);
        EXPECT_EQ(101u, copied.GetFirstKey()->GetUserData());
    }
    EXPECT_EQ(4, CountReleases);  // two roots and two values
}

TEST(Config, KeyCompareOrder) {
    Config c("C");
    ConfigKey value(c, "name", nullptr, 0), group(c, "NAME", nullptr, 1);
    EXPECT_LT(group.Compare(value, 0), 0);  // same name: the group first
    EXPECT_GT(value.Compare(group, 0), 0);
    ConfigKey other(c, "b", nullptr, 0), g2(c, "z", nullptr, 1);
    EXPECT_LT(value.Compare(g2, 0), 0);  // by name
    EXPECT_LT(g2.Compare(value, 4), 0);  // with bit 4 groups first
    ConfigKey v1(c, "n", nullptr, 0), v2(c, "N", nullptr, 0);
    EXPECT_TRUE(v1 == v2);
    v2.SetText("b");
    EXPECT_LT(v1.Compare(v2, 0), 0);
}

void CollectAndDeleteValues(ConfigKey &key, void *data) {
    std::string &seen = *static_cast<std::string *>(data);
    seen += key.GetName().c_str();
    if (key.IsValue())
        key.GetStore()->DeleteKey(&key);
}

int NamedC(ConfigKey const &key, void const *) { return key.GetName() == "c"; }

TEST(Config, WalksChildrenBeforeTheirGroup) {
    Config c("W");
    c.SetValue(1, "a");
    c.MoveDown("G");
    c.SetValue(1, "b");
    c.MoveDown("H");
    c.SetValue(1, "c");
    c.MoveToRoot();
    c.MoveDown("E");  // empty: passed but not entered
    c.MoveToRoot();
    c.SetValue(1, "d");

    ConfigKey *found = c.FindFirstThat(NamedC, nullptr);
    ASSERT_NE(nullptr, found);
    EXPECT_STREQ("H", found->GetParent()->GetName().c_str());

    std::string seen;
    c.ForEachKey(CollectAndDeleteValues, &seen);
    EXPECT_EQ("abcHGEd", seen);
    EXPECT_EQ(0, c.GetNumValues());

    c.DeleteEmptyGroups();  // G held only the empty H
    EXPECT_EQ(0, c.GetNumKeys());
}

TEST(Config, ListsAndFinders) {
    Config c("L");
    c.SetValue(1, "b");
    c.MoveDown("g");
    c.MoveUp();
    c.SetValue(1, "A");
    EXPECT_STREQ("g", c.GetKey(1)->GetName().c_str());  // any kind
    EXPECT_EQ(nullptr, c.GetKey(3));
    EXPECT_EQ(nullptr, c.GetKey(-1));

    List<StringItem<ListElement>> names;
    names.Append(new StringItem<ListElement>("stale"));
    EXPECT_EQ(2, c.GetValueNames(names, 0));
    EXPECT_STREQ("b", names.GetFirst()->c_str());
    names.SetCompareMode(1);
    EXPECT_EQ(2, c.GetValueNames(names, 1));
    EXPECT_STREQ("A", names.GetFirst()->c_str());

    Config::KeyFinder finder(c);
    std::string seen;
    for (ConfigKey *k = finder.GetFirst(); k; k = finder.GetNext())
        seen += k->GetName().c_str();
    EXPECT_EQ("bgA", seen);

    c.GroupToValue(c.GetKey(1));
    EXPECT_EQ(3, c.GetNumValues());
    c.ValueToGroup(c.GetKey(0));
    EXPECT_EQ(1, c.GetNumGroups());
    c.MoveDown("b");
    c.DeleteKeys();
    c.Clear();
    EXPECT_EQ(c.GetRoot(), c.GetCurrentKey());
    EXPECT_EQ(0, c.GetNumKeys());
    EXPECT_STREQ("L", c.GetName().c_str());
}

}  // namespace
