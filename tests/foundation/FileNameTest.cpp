#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "foundation/FileName.h"

namespace {

std::string S(String const &s) { return s.c_str(); }

TEST(PathParts, PathTitleAndExtension) {
    struct {
        char const *text;
        char const *path, *title, *titleOnly, *extension, *dotted;
    } cases[] = {
        {"D:\\f.wav", "D:", "f.wav", "f", "wav", ".wav"},
        {"D:\\a\\f.tar.gz", "D:\\a", "f.tar.gz", "f.tar", "gz", ".gz"},
        {"D:\\dir.x\\file", "D:\\dir.x", "file", "file", "", ""},
        {"a.b.wav", "a.b.wav", "a.b.wav", "a.b", "wav", ".wav"},
        {"noext", "noext", "noext", "noext", "", ""},
        {"D:\\a\\", "D:\\a", "", "", "", ""},
        {"", "", "", "", "", ""},
    };
    for (auto const &c : cases) {
        String s(c.text);
        EXPECT_EQ(c.path, S(s.GetPath())) << c.text;
        EXPECT_EQ(c.title, S(s.GetTitle(1))) << c.text;
        EXPECT_EQ(c.titleOnly, S(s.GetTitle(0))) << c.text;
        EXPECT_EQ(c.extension, S(s.GetExtension(0))) << c.text;
        EXPECT_EQ(c.dotted, S(s.GetExtension(1))) << c.text;
    }
}

TEST(PathParts, SetExtensionAndDrives) {
    struct {
        char const *text, *extension, *result;
    } extensions[] = {
        {"D:\\a\\f.wav", "aif", "D:\\a\\f.aif"}, {"D:\\a\\f.wav", "", "D:\\a\\f"},
        {"D:\\a.b\\f", "wav", "D:\\a.b\\f.wav"}, {"f.wav", ".au", "f.au"},
    };
    for (auto const &c : extensions) {
        String s(c.text);
        EXPECT_EQ(c.result, S(s.SetExtension(c.extension))) << c.text;
    }

    String d("\\x\\y.wav");
    EXPECT_EQ("D:\\x\\y.wav", S(d.SetDrive(3)));
    EXPECT_EQ("E:\\x\\y.wav", S(d.SetDrive(String("E"))));
    String bare("x.wav");
    EXPECT_EQ("C:\\x.wav", S(bare.SetDrive(2)));
    EXPECT_EQ("C:\\x.wav", S(bare.SetDrive(40)));  // no such drive: unchanged
    int index = 0;
    EXPECT_EQ("C", S(String("c:\\a").GetDrive(&index)));
    EXPECT_EQ(2, index);
    EXPECT_EQ("", S(String("\\a").GetDrive(&index)));
    EXPECT_EQ(-1, index);
    EXPECT_FALSE(String("1:\\a").ContainsDrive());
    String v("D:\\sounds\\a.wav");
    EXPECT_EQ("[Disk]\\sounds\\a.wav", S(v.PrependVolumeName("[Disk]")));

    struct {
        char const *text;
        bool valid;
    } validity[] = {{"D:\\a.wav", true}, {"D:", false}, {"D:\\", false}, {"a\\b.wav", false}, {"", false}, {"D:a.wav", false}};
    for (auto const &c : validity)
        EXPECT_EQ(c.valid, static_cast<bool>(String(c.text).IsValidFileName())) << c.text;
}

TEST(PathParts, PathBelowAndFullNames) {
    String top;
    EXPECT_EQ("b\\c", S(String("\\a\\b\\c\\").GetPathBelow(&top)));
    EXPECT_EQ("a", S(top));
    EXPECT_EQ("", S(String("\\\\only\\").GetPathBelow(&top)));
    EXPECT_EQ("only", S(top));

    String folder("D:\\a\\");
    EXPECT_EQ("D:\\a\\t.wav", S(folder.AppendTitleAndMakeFullFileName("\\t.wav")));
    FileName joined(String("D:\\x"), String("y.wav"));
    EXPECT_EQ("D:\\x\\y.wav", S(joined));

    std::string current = S(String(String::GetCurrentPath()));
    ASSERT_GE(current.size(), 2u);
    std::string drive(1, static_cast<char>(toupper(current[0])));
    String rooted("\\r\\f.wav");
    EXPECT_EQ(drive + ":\\r\\f.wav", S(rooted.EnsureFullFileName()));
    String plain("f.wav");
    std::string base = current.back() == '\\' ? current.substr(0, current.size() - 1) : current;
    EXPECT_EQ(base + "\\f.wav", S(plain.EnsureFullFileName()));
    String full("Q:\\f.wav");
    EXPECT_EQ("Q:\\f.wav", S(full.EnsureFullFileName()));
    String noDrive("sub");
    EXPECT_EQ(drive + ":\\sub\\t", S(noDrive.AppendTitleAndMakeFullFileName("t")));
}

TEST(PathParts, RelativeAndAbsoluteNames) {
    struct {
        char const *folder, *target, *relative;
    } cases[] = {
        {"D:\\a\\b", "D:\\a\\c\\f.wav", "..\\c\\f.wav"},
        {"D:\\a", "D:\\a\\f.wav", "f.wav"},
        {"D:\\a\\b\\c", "D:\\f.wav", "..\\..\\..\\f.wav"},
        {"d:\\A\\B", "D:\\a\\b\\s\\f.wav", "s\\f.wav"},
        {"D:\\", "D:\\x\\f.wav", "x\\f.wav"},
    };
    for (auto const &c : cases) {
        String relative = String::GetRelativeFileName(c.folder, c.target);
        EXPECT_EQ(c.relative, S(relative)) << c.folder << " -> " << c.target;
        String back = String::GetAbsoluteFileName(c.folder, relative);
        EXPECT_EQ(0, lstrcmpiA(c.target, back.c_str())) << S(back);
    }
    EXPECT_EQ("", S(String::GetRelativeFileName("D:\\a", "E:\\a\\f.wav")));
    EXPECT_EQ("", S(String::GetRelativeFileName("a\\b", "a\\c")));

    struct {
        char const *folder, *relative, *absolute;
    } absolutes[] = {
        {"D:\\a\\b", "..\\..\\..\\..\\f.wav", "D:\\f.wav"},  // too many "..": stops at the drive
        {"D:\\a\\b", "E:\\x\\f.wav", "E:\\x\\f.wav"},        // already absolute
        {"D:\\a\\b", "\\x\\f.wav", "D:\\x\\f.wav"},          // from the root of the folder's drive
        {"D:\\a\\b", ".\\f.wav", "D:\\a\\b\\.\\f.wav"},
        {"D:\\a/b", "c/f.wav", "D:\\a\\b\\c\\f.wav"},
    };
    for (auto const &c : absolutes)
        EXPECT_EQ(c.absolute, S(String::GetAbsoluteFileName(c.folder, c.relative))) << c.relative;
}

TEST(PathParts, SummaryLadder) {
    String name("C:\\one\\two\\three\\file.wav");
    struct {
        unsigned long maxLength;
        char const *summary;
    } cases[] = {
        {100, "C:\\one\\two\\three\\file.wav"},
        {0, "C:\\one\\two\\...\\file.wav"},
        {23, "C:\\one\\two\\...\\file.wav"},
        {20, "C:\\...\\file.wav"},
        {12, "...\\file.wav"},
        {10, "...\\fil..."},
        {3, "..."},
        {2, ".."},
    };
    for (auto const &c : cases)
        EXPECT_EQ(c.summary, S(name.GetSummary(c.maxLength))) << c.maxLength;
    EXPECT_EQ("D:\\a\\...\\f.wav", S(String("D:\\a\\b\\f.wav").GetSummary(0)));
    EXPECT_EQ("C:\\file.wav", S(String("C:\\file.wav").GetSummary(0)));  // no parent to leave out
    EXPECT_EQ("", S(String("\\no\\drive.wav").GetSummary(5)));
}

TEST(FileName, ListsCompareWithoutCaseAndCloneOnTheStringHeap) {
    List<FileName> files;
    for (char const *s : {"D:\\b.wav", "d:\\A.wav", "D:\\c.wav", "D:\\B.WAV"})
        files.Append(new FileName(s));
    files.Sort();
    std::vector<std::string> order;
    for (FileName *f = files.GetFirst(); f; f = files.GetNext(f))
        order.push_back(S(*f));
    EXPECT_EQ((std::vector<std::string>{"d:\\A.wav", "D:\\b.wav", "D:\\B.WAV", "D:\\c.wav"}), order);
    FileName probe("D:\\C.WAV");
    EXPECT_EQ(3, files.FindIndexOfEqual(probe));

    List<FileName> copy(files);
    EXPECT_EQ(4, copy.GetCount());
    EXPECT_EQ(files.GetFirst()->c_str(), copy.GetFirst()->c_str());  // clones share the text
    EXPECT_EQ(0u, probe.GetHashedValue());

    FileName assigned;
    assigned = String("x").GetPath();
    EXPECT_EQ("x", S(assigned));
}

TEST(FileName, ApplicationRelativeNames) {
    char module[MAX_PATH + 1];
    DWORD n = GetModuleFileNameA(nullptr, module, MAX_PATH);
    module[n] = 0;
    std::string folder(module);
    folder = folder.substr(0, folder.rfind('\\'));
    EXPECT_EQ(folder, S(FileName::GetApplicationPath()));
    EXPECT_EQ(folder + "\\system\\main.set", S(FileName::CreateApplicationRelative("system\\main.set")));
}

}  // namespace
