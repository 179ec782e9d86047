#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "foundation/FileScanner.h"
#include "tests/support/TestSupport.h"

using testsupport::TempDir;
using testsupport::WriteBytes;

namespace {

TEST(FileScanner, WildcardRules) {
    struct Case {
        char const *pattern, *name;
        int match;
    } const cases[] = {
        {"*.wav", "a.wav", 1},       {"*.wav", "A.WAV", 1},      {"*.wav", "a.b.wav", 0},
        {"*.*", "noext", 0},         {"*.*", "a.b", 1},          {"*", "noext", 1},
        {"*", "a.b", 0},             {"?.wav", "a.wav", 1},      {"?.wav", "ab.wav", 0},
        {"a?", "a", 0},              {"take?.*", "take1.aif", 1}, {"d.txt", "D.TXT", 1},
        {"<drum.wav", "BigDrum2.WAV", 1}, {"<drum.wav", "bass.wav", 0}, {"<drum.wav", "x.drum.wav", 0},
        {"<*.wav", "a.wav", 1},      {"<drum", "snaredrum", 1},  {"<drum", "drum.wav", 0},
        {"<", "anything", 1},        {"<", "", 1},               {"", "", 1},
        {"ab*", "abc.d", 0},         {"*.w?v", "s.wav", 1},      {"*.w?v", "s.wv", 0},
    };
    for (Case const &k : cases)
        EXPECT_EQ(k.match, MatchFileType(k.pattern, k.name)) << k.pattern << " / " << k.name;
}

// root\a.wav b.WAV c.aif d.txt noext x.b.wav  sub\e.wav  sub\deeper\f.aif  .skip\g.wav
class ScanTree : public ::testing::Test {
protected:
    void SetUp() override {
        for (char const *folder : {"sub", "sub\\deeper", ".skip"})
            CreateDirectoryA(dir.File(folder).c_str(), nullptr);
        struct {
            char const *name;
            int size;
        } const files[] = {{"a.wav", 10}, {"b.WAV", 20},        {"c.aif", 30},       {"d.txt", 40},
                           {"noext", 50}, {"x.b.wav", 60},      {"sub\\e.wav", 70},  {"sub\\deeper\\f.aif", 80},
                           {".skip\\g.wav", 90}};
        for (auto const &f : files)
            WriteBytes(dir.File(f.name), std::string(f.size, 'x'));
    }
    FileName Root(char const *suffix = "") const { return FileName((dir.Path() + suffix).c_str()); }
    std::string Rel(String const &name) const { return std::string(name.c_str()).substr(dir.Path().size() + 1); }

    TempDir dir;
};

// Records what the hooks see.
class Recorder : public FileScanner {
public:
    using FileScanner::FileScanner;
    std::vector<std::string> events;
    int breakAfter = -1;
    int stopAfterFiles = -1;
    char const *reject = nullptr;

protected:
    int UserBreak() override { return breakAfter >= 0 && breaks++ >= breakAfter; }
    int OnFile(FileName const &, WIN32_FIND_DATAA const *record, unsigned long index) override {
        events.push_back("file " + std::to_string(index) + " " + record->cFileName);
        return stopAfterFiles < 0 || static_cast<int>(index) + 1 < stopAfterFiles;
    }
    int Filter(FileName const &, WIN32_FIND_DATAA const *record) override {
        return !reject || lstrcmpiA(record->cFileName, reject) != 0;
    }
    void OnDirectory(FileName const &) override { events.push_back("dir"); }
    void OnStartRealScan() override { events.push_back("start"); }
    void OnEndRealScan() override { events.push_back("end"); }

private:
    int breaks = 0;
};

std::vector<std::string> Sorted(std::vector<std::string> v) {
    std::sort(v.begin(), v.end());
    return v;
}

TEST_F(ScanTree, OverlappingTypesCountAFileOnce) {
    String wav("*.wav"), upper("*.WAV");
    FileScanner scanner(Root(), &wav, 1, 0);
    scanner.AddFileType(upper);
    scanner.AddFileType(String("*.*"));
    scanner.Run();
    // a.wav, b.WAV, c.aif, d.txt: each once; noext and x.b.wav by none
    EXPECT_EQ(4u, scanner.GetNumFile());
    EXPECT_EQ(4u, scanner.GetNumFilesAccepted());
    EXPECT_EQ(10u + 20 + 30 + 40, scanner.GetTotalSize());
}

TEST_F(ScanTree, RootsCarryTheirOwnPatterns) {
    List<FileName> names;
    FileScanner scanner(Root("\\*.wav|*.aif"), nullptr, 0, 1);
    scanner.SetFileNameList(names);
    std::vector<std::string> found;
    for (FileName *n = names.GetFirst(); n; n = names.GetNext(n))
        found.push_back(Rel(*n));
    EXPECT_EQ((std::vector<std::string>{"a.wav", "b.WAV", "c.aif", "sub\\deeper\\f.aif", "sub\\e.wav"}),
              Sorted(found));
    EXPECT_EQ(0u, scanner.GetNumFile());  // the list took them

    // one named file; a bare folder gives nothing
    names.Clear();
    scanner.Reset(Root("\\D.TXT"), nullptr, 0, 0);
    scanner.SetFileNameList(names);
    ASSERT_EQ(1, names.GetCount());
    EXPECT_EQ("d.txt", Rel(*names.GetFirst()));
    names.Clear();
    scanner.Reset(Root("\\"), nullptr, 0, 1);
    scanner.SetFileNameList(names);
    EXPECT_EQ(0, names.GetCount());
    // the root's patterns do not stay registered
    List<FileName> roots;
    roots.Append(new FileName(Root("\\*.txt")));
    roots.Append(new FileName(Root("\\sub\\*.wav")));
    scanner.Reset(roots, nullptr, 1, 0);
    scanner.Run();
    EXPECT_EQ(2u, scanner.GetNumFile());
}

TEST_F(ScanTree, DeferredFilesComeAfterTheWalk) {
    String wav("*.wav");
    Recorder r(Root(), &wav, 1, 1);
    r.Run();
    std::vector<std::string> expected = {"start", "dir", "dir", "dir", "end"};
    ASSERT_GE(r.events.size(), expected.size());
    EXPECT_EQ(expected, std::vector<std::string>(r.events.begin(), r.events.begin() + 5));
    std::vector<std::string> files(r.events.begin() + 5, r.events.end());
    ASSERT_EQ(3u, files.size());
    for (size_t i = 0; i < files.size(); ++i)
        EXPECT_EQ(0u, files[i].find("file " + std::to_string(i) + " ")) << files[i];

    // the found files stay for GetFirst/GetNext, also in a copy
    std::vector<std::string> names;
    for (String s = r.GetFirst(); !s.IsEmpty(); s = r.GetNext())
        names.push_back(Rel(s));
    EXPECT_EQ((std::vector<std::string>{"a.wav", "b.WAV", "sub\\e.wav"}), Sorted(names));
    EXPECT_TRUE(r.GetNext().IsEmpty());
    r.GetFirst();
    FileScanner copy(r);
    EXPECT_EQ(3u, copy.GetNumFile());
    EXPECT_FALSE(copy.GetNext().IsEmpty());
    EXPECT_FALSE(copy.GetNext().IsEmpty());
    EXPECT_TRUE(copy.GetNext().IsEmpty());
}

TEST_F(ScanTree, StopsAndFilters) {
    String all("*.*");
    Recorder broken(Root(), &all, 0, 1);
    broken.breakAfter = 0;  // at the first entry
    broken.Run();
    EXPECT_EQ("start", broken.events.front());
    EXPECT_EQ("end", broken.events.back());
    EXPECT_EQ(1, std::count(broken.events.begin(), broken.events.end(), "dir"));  // no sub-folder entered
    EXPECT_LE(broken.GetNumFilesAccepted(), 1u);

    Recorder stopped(Root(), &all, 0, 1);
    stopped.stopAfterFiles = 2;
    stopped.Run();
    EXPECT_EQ(2u, stopped.GetNumFilesAccepted());

    String wav("*.wav");
    Recorder filtered(Root(), &wav, 0, 0);
    filtered.reject = "a.wav";
    filtered.Run();
    EXPECT_EQ(1u, filtered.GetNumFilesAccepted());  // b.WAV
    EXPECT_EQ(20u, filtered.GetTotalSize());
}

}  // namespace
