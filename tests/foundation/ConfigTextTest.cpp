#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <random>
#include <string>

#include "foundation/Config.h"
#include "foundation/Exception.h"
#include "foundation/File.h"
#include "malvane/Malvane.h"
#include "foundation/StringItem.h"
#include "tests/support/TestSupport.h"

using testsupport::ReadBytes;
using testsupport::TempDir;
using testsupport::WriteBytes;

namespace {

std::string Block(Config &c) {
    unsigned int size = 0;
    char *block = c.GetAsBlock(&size);
    std::string text(block, size);
    NH_Heap::FreeMem(block);
    return text;
}

void Build(Config &c, std::string const &text) { c.BuildFromBlock(text.data(), static_cast<unsigned int>(text.size())); }

std::string Rebuilt(std::string const &text, Config::Mode mode = Config::Plain) {
    Config c("X", mode);
    Build(c, text);
    return Block(c);
}

char const Golden[] =
    "Main\r\n"
    "{\r\n"
    "\tGeneral\r\n"
    "\t{\r\n"
    "\t\tLogo=0\r\n"
    "\t\tOpenPath\r\n"
    "\t}\r\n"
    "}\r\n";

TEST(ConfigText, GoldenBytes) {
    Config c("Main");
    EXPECT_EQ("Main\r\n{\r\n}\r\n", Block(c));

    c.MoveDown("General");
    c.SetValue(0, "Logo");
    c.SetValue("", "OpenPath");
    c.MoveToRoot();
    c.MoveDown("Empty");  // a group without children is not written
    EXPECT_EQ(Golden, Block(c));
    EXPECT_EQ(c.GetRoot(), c.GetCurrentKey());
    EXPECT_EQ(1, c.ExistGroup("Empty"));  // only the groups below the cursor went
    EXPECT_EQ(Golden, Block(c));
    EXPECT_EQ(0, c.ExistGroup("Empty"));

    Config back("Other");
    Build(back, Golden);
    EXPECT_TRUE(back == c);
    back.MoveDown("General");
    EXPECT_EQ(1, back.ExistValue("OpenPath"));
    EXPECT_STREQ("", back.GetValue("x", "OpenPath").c_str());
}

TEST(ConfigText, ReaderIsForgiving) {
    struct Case {
        std::string in;
        char const *out;
    } const cases[] = {
        {"R\n{\na=1\n}\n", "R\r\n{\r\n\ta=1\r\n}\r\n"},
        {"R\r{\ra=1\r}\r", "R\r\n{\r\n\ta=1\r\n}\r\n"},
        {"R\r\n{\r\n\t\t  a=1  \r\n}", "R\r\n{\r\n\ta=1\r\n}\r\n"},
        {std::string("R\0{\0a=1\0}", 10), "R\r\n{\r\n\ta=1\r\n}\r\n"},
        {"R\n{\n a = b \n}", "R\r\n{\r\n\ta = b\r\n}\r\n"},  // blanks around "=" stay
        {"R\n{\n=x\nb==c\n}", "R\r\n{\r\n\t=x\r\n\tb==c\r\n}\r\n"},
        {"R\n{\nx\n}=\n{=\na =\n}", "R\r\n{\r\n\tx\r\n\t}=\r\n\t{=\r\n\ta =\r\n}\r\n"},  // names that need their "="
        {"R\n{\na=1\na=2\n}", "R\r\n{\r\n\ta=2\r\n}\r\n"},  // the last one wins
        {"R\n{\na\nA\n}", "R\r\n{\r\n\ta\r\n\tA\r\n}\r\n"},   // bare names repeat
        {"R\n{\na=1\n}\n}\nb=2\n", "R\r\n{\r\n\ta=1\r\n}\r\n"},
        {"}\na=1", "X\r\n{\r\n}\r\n"},  // a stray close ends the reading
        {"R\n{\nG\n{\nx=1", "R\r\n{\r\n\tG\r\n\t{\r\n\t\tx=1\r\n\t}\r\n}\r\n"},
        {"a=1\nR\n{\nb=2\n}", "R\r\n{\r\n\ta=1\r\n\tb=2\r\n}\r\n"},
        {"A\n{\nx=1\n}\nB\n{\ny=2\n}", "B\r\n{\r\n\tx=1\r\n\ty=2\r\n}\r\n"},
        {"R\n{\nE\n{\n}\nG\n{\nE\n{\n}\n}\n}", "R\r\n{\r\n}\r\n"},
        {"R\n{\nG\n{\na=1\n}\ng\n{\nb=2\n}\n}", "R\r\n{\r\n\tG\r\n\t{\r\n\t\ta=1\r\n\t\tb=2\r\n\t}\r\n}\r\n"},
        {"", "X\r\n{\r\n}\r\n"},
        {"\r\n \t\r\n", "X\r\n{\r\n}\r\n"},
    };
    for (Case const &k : cases) {
        EXPECT_EQ(k.out, Rebuilt(k.in)) << k.in;
    }

    Config c("X");
    Build(c, "R\n{\n a = b \n}");
    EXPECT_STREQ(" b", c.GetValue("", "a ").c_str());
}

TEST(ConfigText, ModesShapeWhatIsRead) {
    std::string const text = "R\n{\nb=1\nz\n{\nx=1\n}\na=1\nc\n{\nx=1\n}\nc\n{\ny=1\n}\n}";
    EXPECT_EQ("R\r\n{\r\n\tb=1\r\n\tz\r\n\t{\r\n\t\tx=1\r\n\t}\r\n\ta=1\r\n\tc\r\n\t{\r\n\t\tx=1\r\n\t\ty=1\r\n\t}\r\n}\r\n",
              Rebuilt(text));
    EXPECT_EQ("R\r\n{\r\n\ta=1\r\n\tb=1\r\n\tc\r\n\t{\r\n\t\tx=1\r\n\t\ty=1\r\n\t}\r\n\tz\r\n\t{\r\n\t\tx=1\r\n\t}\r\n}\r\n",
              Rebuilt(text, Config::Sorted));
    EXPECT_EQ("R\r\n{\r\n\tc\r\n\t{\r\n\t\tx=1\r\n\t\ty=1\r\n\t}\r\n\tz\r\n\t{\r\n\t\tx=1\r\n\t}\r\n\ta=1\r\n\tb=1\r\n}\r\n",
              Rebuilt(text, Config::SortedGroupsFirst));
    EXPECT_EQ("R\r\n{\r\n\tb=1\r\n\tz\r\n\t{\r\n\t\tx=1\r\n\t}\r\n\ta=1\r\n\tc\r\n\t{\r\n\t\tx=1\r\n\t}\r\n"
              "\tc\r\n\t{\r\n\t\ty=1\r\n\t}\r\n}\r\n",
              Rebuilt(text, Config::AlwaysNewGroup));
}

TEST(ConfigText, DeepNestingCannotExhaustTheStack) {
    std::string text;
    for (int i = 0; i < 20000; ++i)
        text += "g\n{\n";
    text += "v=1\n";
    Config c("X");
    Build(c, text);
    int depth = 0;
    ConfigKey *key = c.GetRoot();
    while (key->GetFirstChild() && key->GetFirstChild()->IsGroup()) {
        key = key->GetFirstChild();
        ++depth;
    }
    EXPECT_EQ(Config::MaxReadDepth - 1, depth);
    EXPECT_STREQ("v", key->GetFirstChild()->GetName().c_str());
    std::string once = Block(c);
    EXPECT_EQ(once, Rebuilt(once));
}

// Names whose lines are special: a group "{" cannot be written so that it
// reads back, and duplicates of a value that keeps its "=" merge on reading.
int SpecialName(ConfigKey const &key, void const *) {
    char last = key.GetName().GetLastChar();
    return key.GetName() == "{" || key.GetName() == "}" || last == ' ' || last == '\t';
}

// Whatever the bytes, reading never fails and what is written reads back the same.
TEST(ConfigText, RandomTextNeverBreaksTheReader) {
    static char const alphabet[] = {'{', '}', '\r', '\n', '=', 'a', 'B', ' ', '\t', '\0', 'x', '{', '}', '\n'};
    std::mt19937 random(12345);
    for (int round = 0; round < 3000; ++round) {
        std::string text;
        int length = static_cast<int>(random() % 200);
        for (int i = 0; i < length; ++i)
            text += alphabet[random() % sizeof alphabet];
        Config::Mode mode = Config::Mode(random() % 8);
        Config c("X", mode);
        Build(c, text);
        std::string once = Block(c);
        // Sorting puts a bare duplicate before its namesake with a text, which
        // then takes it on reading.
        if (!c.FindFirstThat(SpecialName, nullptr) && !(mode & (Config::Sorted | Config::SortedGroupsFirst))) {
            ASSERT_EQ(once, Rebuilt(once, mode)) << "round " << round;
        }
    }
}

TEST(ConfigText, PathLists) {
    List<StringItem<ListElement>> paths;
    for (char const *p : {"A\\B", "\\ \\", "D", "A\\X"})
        paths.Append(new StringItem<ListElement>(p));
    Config c("P");
    c.SetValue(1, "old");
    c.BuildFromPathList(paths);
    EXPECT_EQ(0, c.ExistValue("old"));
    EXPECT_STREQ("A", c.GetCurrentKey()->GetName().c_str());  // the group of the last usable path
    c.MoveToRoot();
    EXPECT_EQ(1, c.ExistValue("D"));
    c.MoveDown("A");
    EXPECT_EQ(2, c.GetNumValues());

    List<StringItem<ListElement>> back;
    EXPECT_EQ(3u, c.GetAsPathList(back));
    std::string joined;
    for (StringItem<ListElement> *s = back.GetFirst(); s; s = back.GetNext(s))
        joined += std::string(s->c_str()) + ";";
    EXPECT_EQ("A\\B;A\\X;D;", joined);

    TempDir dir;
    FileName file(dir.File("paths.txt").c_str());
    c.SaveAsPathList(file);
    EXPECT_EQ("A\\B\r\nA\\X\r\nD\r\n", ReadBytes(file.c_str()));
    Config loaded("L");
    loaded.LoadFromPathList(file);
    loaded.MoveToRoot();
    EXPECT_EQ(Block(c).substr(1), Block(loaded).substr(1));
}

TEST(ConfigText, SaveAndLoad) {
    TempDir dir;
    FileName file(dir.File("main.set").c_str());
    {
        Config c("Main", file, 1);
        c.MoveDown("General");
        c.SetValue(0, "Logo");
        c.SetValue("", "OpenPath");
    }  // saved on the way out
    EXPECT_EQ(Golden, ReadBytes(file.c_str()));

    Config c("Other", file);
    EXPECT_STREQ("Main", c.GetName().c_str());
    EXPECT_EQ(c.GetRoot(), c.GetCurrentKey());
    c.MoveDown("General");
    EXPECT_EQ(0, c.GetValue(5, "Logo"));

    // a missing file leaves the tree, or throws when it must exist
    c.Load(FileName(dir.File("absent.set").c_str()));
    EXPECT_STREQ("Main", c.GetName().c_str());
    Config strict("S", Config::MustExist);
    EXPECT_THROW(strict.Load(FileName(dir.File("absent.set").c_str())), AException);
    EXPECT_THROW(Config("S", FileName(dir.File("absent.set").c_str()), 0, Config::MustExist), Exception);
    c.Load(FileName());
    c.Save(FileName());
}

TEST(ConfigText, FailedSaveKeepsTheOldFile) {
    TempDir dir;
    FileName file(dir.File("keep.set").c_str());
    WriteBytes(file.c_str(), "Old\r\n{\r\n\ta=1\r\n}\r\n");
    Config c("New");
    c.SetValue(2, "a");

    File::SetAttributes(file, File::kAttrReadOnly, 1);
    EXPECT_THROW(c.Save(file), Exception);
    File::SetAttributes(file, File::kAttrNormal, 1);
    EXPECT_EQ("Old\r\n{\r\n\ta=1\r\n}\r\n", ReadBytes(file.c_str()));

    FileName gone(dir.File("vanished\\keep.set").c_str());
    EXPECT_THROW(c.Save(gone), Exception);

    // nothing is left behind in the folder
    WIN32_FIND_DATAA found;
    HANDLE h = FindFirstFileA((dir.Path() + "\\*.$$$").c_str(), &found);
    EXPECT_EQ(INVALID_HANDLE_VALUE, h);
    if (h != INVALID_HANDLE_VALUE)
        FindClose(h);

    c.Save(file);
    EXPECT_EQ("New\r\n{\r\n\ta=2\r\n}\r\n", ReadBytes(file.c_str()));
}

TEST(ConfigText, FileStamp) {
    TempDir dir;
    FileName file(dir.File("stamped.set").c_str());
    Config c("Main", Config::FileStamp);
    EXPECT_EQ(1, c.HasWrongFileTime());
    c.SetValue(1, "a");
    c.Save(file);
    EXPECT_EQ(c.GetRoot(), c.GetCurrentKey());
    std::string text = ReadBytes(file.c_str());
    EXPECT_NE(std::string::npos, text.find("\t__System\r\n\t{\r\n\t\tconfig=")) << text;

    Config loaded("L", Config::FileStamp);
    loaded.Load(file);
    EXPECT_EQ(0, loaded.HasWrongFileTime());
    EXPECT_EQ(loaded.GetRoot(), loaded.GetCurrentKey());
    EXPECT_EQ(8, (loaded.MoveAbsolute("\\__System"), loaded.GetBinarySize("config")));

    // touched behind the store's back
    FILETIME creation, access, write;
    File::GetDateTime(file, &creation, &access, &write);
    write.dwLowDateTime += 10000000;
    File::SetDateTime(file, nullptr, nullptr, &write);
    Config touched("T", Config::FileStamp);
    touched.Load(file);
    EXPECT_EQ(1, touched.HasWrongFileTime());

    // saving again makes it right, and a sorted store keeps the group in its place
    Config sorted("S", Config::FileStamp | Config::Sorted);
    sorted.Load(file);
    sorted.SetValue(1, "zz");
    sorted.Save(file);
    sorted.Load(file);
    EXPECT_EQ(0, sorted.HasWrongFileTime());
    EXPECT_STREQ("__System", sorted.GetFirstKey()->GetName().c_str());
}

}  // namespace
