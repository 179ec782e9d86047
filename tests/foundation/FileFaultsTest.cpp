// Failures made on purpose: the n-th operation of each kind fails with the file error a
// real failure gives, only that one, and a disk fills up by what is written or reports
// the free space a test gives it.
#include "foundation/Exception.h"
#include "foundation/File.h"
#include "foundation/FileFaults.h"
#include "foundation/MappedFile.h"
#include "foundation/MessageCatalogue.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <string>

using testsupport::ReadBytes;
using testsupport::TempDir;
using testsupport::WriteBytes;

namespace {

// The text of the exception the call throws, "" when it throws none.
std::string ErrorOf(std::function<void()> const &call) {
    try {
        call();
    } catch (Exception const &e) {
        return e.GetText().c_str();
    }
    return "";
}

std::string Text(unsigned id) { return String(FindString(id)).c_str(); }

struct Faults {
    ~Faults() {
        FileFaults::FailAt(0);
        FileFaults::SetWriteRoom(-1);
        FileFaults::SetReportedFreeSpace(-1);
    }
};

}  // namespace

TEST(FileFaults, TheChosenOperationFailsOnceWithItsFileError) {
    TempDir dir;
    std::string a = dir.File("a.bin"), b = dir.File("b.bin"), c = dir.File("c.bin");
    Faults faults;
    struct Case {
        char const *what;
        unsigned kind;
        std::function<void()> call;
        std::string error;  // the start of the text
    } const cases[] = {
        {"write", FileFaults::kWrite, [&] { File(a.c_str(), File::kCreate).Write("xy", 2); }, Text(18003)},
        {"multimedia write", FileFaults::kWrite,
         [&] { File(a.c_str(), File::kCreate | File::kMultimedia).Write("xy", 2); }, Text(18003)},
        {"seek", FileFaults::kSeek, [&] { File(a.c_str(), File::kCreate).Seek(1, File::kFromStart); }, Text(18004)},
        {"size", FileFaults::kSize, [&] { File(a.c_str(), File::kCreate).SetSize(10); }, Text(18005)},
        {"map", FileFaults::kMap, [&] { MappedFile(b.c_str(), File::kRead, 1, 0); }, Text(18021)},
        {"rename", FileFaults::kRename, [&] { File::Rename(b.c_str(), c.c_str()); }, ""},
        {"move", FileFaults::kRename, [&] { File::Move(c.c_str(), b.c_str()); }, ""},
        {"delete", FileFaults::kDelete, [&] { File::Delete(b.c_str()); }, ""},
    };
    for (Case const &k : cases) {
        WriteBytes(b, "data");
        FileFaults::FailAt(1, k.kind);
        std::string error = ErrorOf(k.call);
        EXPECT_TRUE(FileFaults::HasFailed()) << k.what;
        EXPECT_FALSE(error.empty()) << k.what;
        EXPECT_EQ(0u, error.find(k.error)) << k.what << ": " << error;
        EXPECT_EQ("data", ReadBytes(b)) << k.what << ": nothing happened to the file";
        EXPECT_EQ("", ErrorOf(k.call)) << k.what << ": only the chosen one fails";
        FileFaults::FailAt(0);
    }
    // A second name that cannot be made is no error: the caller copies instead.
    WriteBytes(b, "data");
    File::Delete(c.c_str());
    FileFaults::FailAt(1, FileFaults::kRename);
    EXPECT_EQ(0, File::Link(b.c_str(), c.c_str()));
    EXPECT_FALSE(File::Exist(c.c_str()));
    EXPECT_EQ(1, File::Link(b.c_str(), c.c_str()));
    EXPECT_EQ("data", ReadBytes(c));
}

TEST(FileFaults, OperationsOfOtherKindsAreCountedNot) {
    TempDir dir;
    Faults faults;
    FileFaults::FailAt(3, FileFaults::kWrite);
    File f(dir.File("a.bin").c_str(), File::kCreate);
    f.Write("a", 1);
    f.Seek(0, File::kFromStart);
    f.Write("b", 1);
    EXPECT_EQ(2, FileFaults::Counted());
    EXPECT_FALSE(ErrorOf([&] { f.Write("c", 1); }).empty());
    EXPECT_EQ(3, FileFaults::Counted());
}

TEST(FileFaults, ADiskFillsUpAndReportsTheFreeSpaceGiven) {
    TempDir dir;
    Faults faults;
    std::string a = dir.File("a.bin");
    int drive = FileName(a.c_str()).GetDriveIndex();
    EXPECT_GT(File::GetDiskSpace64(drive), 1000);
    FileFaults::SetReportedFreeSpace(1000);
    EXPECT_EQ(1000, File::GetDiskSpace64(drive));
    EXPECT_EQ(1000ul, File::GetDiskSpace(drive));
    FileFaults::SetWriteRoom(5);
    File f(a.c_str(), File::kCreate);
    f.Write("abc", 3);
    Exception full;
    try {
        f.Write("def", 3);
    } catch (Exception const &e) {
        full = e;
    }
    String drivePrefix = FileName(a.c_str()).GetDrive();
    EXPECT_EQ(std::string(String(BuildString(18019, drivePrefix.c_str())).c_str()), full.GetText().c_str());
    EXPECT_EQ(unsigned(drive), full.driveIndex);
    f.Close();
    EXPECT_EQ("abc", ReadBytes(a));
}
