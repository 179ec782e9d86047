#include "foundation/Exception.h"
#include "foundation/File.h"
#include "malvane/Malvane.h"
#include "foundation/MessageCatalogue.h"
#include "foundation/StringItem.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

using testsupport::ReadBytes;
using testsupport::TempDir;
using testsupport::WriteBytes;

namespace {

// The text and code of the Exception that f throws (fails when none).
template <class F>
Exception Caught(F f) {
    try {
        f();
    } catch (Exception const &e) {
        return e;
    }
    ADD_FAILURE() << "no exception";
    return Exception();
}

std::string Text(Exception const &e) { return e.GetText().c_str(); }
std::string Built(int id, char const *arg) { return String(BuildString(id, arg)).c_str(); }

}  // namespace

TEST(FileOpen, FlagsAreCompletedAndHonoured) {
    TempDir dir;
    std::string path = dir.File("a.bin");
    WriteBytes(path, "hello");
    {
        File f(path.c_str(), 0);
        EXPECT_EQ(File::kReadWrite | File::kShareRead, f.GetOpenFlags());
        char c;
        EXPECT_EQ(1, f.Read(&c));
        EXPECT_EQ('h', c);
        f.Write('X');
    }
    EXPECT_EQ("hXllo", ReadBytes(path));
    {
        // no data access: attributes only
        File f(path.c_str(), File::kNoAccess);
        EXPECT_TRUE(f.IsOpen());
        EXPECT_NE(~0ul, f.GetAttributes());
        char c;
        EXPECT_EQ(0, f.Read(&c, 1, 0, nullptr));
    }
    {
        File f(dir.Path().c_str(), File::kTempInDirectory);
        EXPECT_TRUE(f.GetOpenFlags() & File::kCreate);
        EXPECT_EQ(dir.File("XX0.$$$"), f.GetName().c_str());
        EXPECT_TRUE(File::Exist(f.GetName()));
    }
}

TEST(FileOpen, TemporaryNamesSkipTakenOnes) {
    TempDir dir;
    EXPECT_EQ(dir.File("XX0.$$$"), File::GetTempName(dir.Path().c_str()).c_str());
    WriteBytes(dir.File("XX0.$$$"), "x");
    EXPECT_EQ(dir.File("XX1.$$$"), File::GetTempName((dir.Path() + "\\\\").c_str()).c_str());
    Exception e = Caught([&] { File::GetTempName(dir.File("missing").c_str()); });
    EXPECT_EQ(Built(18008, ""), Text(e));
    // a file made in the folder takes the next free name
    File f(dir.Path().c_str(), File::kTempInDirectory);
    EXPECT_EQ(dir.File("XX1.$$$"), f.GetName().c_str());
    EXPECT_EQ("x", ReadBytes(dir.File("XX0.$$$")));
}

TEST(FileOpen, MultimediaDeleteOnCloseIsDoneByTheLibrary) {
    TempDir dir;
    std::string path = dir.File("m.bin");
    File f(path.c_str(), File::kCreate | File::kMultimedia | File::kDeleteOnClose);
    EXPECT_TRUE(f.GetOpenFlags() & File::kDeleteAtClose);
    EXPECT_FALSE(f.GetOpenFlags() & File::kDeleteOnClose);
    f.Write("abc", 3);
    EXPECT_EQ(3, f.GetSize());
    f.SeekStart();
    char buffer[3];
    EXPECT_EQ(1, f.Read(buffer, 3, 1, nullptr));
    f.Close();
    EXPECT_FALSE(File::Exist(path.c_str()));
}

TEST(FileOpen, ReadOnlyIsRestoredAtClose) {
    TempDir dir;
    std::string path = dir.File("ro.bin");
    WriteBytes(path, "abc");
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY);
    {
        File f(path.c_str(), File::kReadWrite | File::kRestoreReadOnly);
        f.SeekEnd();
        f.Write('d');
    }
    EXPECT_EQ("abcd", ReadBytes(path));
    EXPECT_TRUE(File::IsWriteProtected(path.c_str()));
    EXPECT_TRUE(File::Delete(path.c_str(), 1, 1));
    EXPECT_FALSE(File::Exist(path.c_str()));
}

TEST(FileOpen, FailuresNameTheFile) {
    TempDir dir;
    std::string missing = dir.File("none.bin");
    File f;
    EXPECT_EQ(0, f.Open(missing.c_str(), File::kNoThrow));
    EXPECT_FALSE(f.IsOpen());
    Exception e = Caught([&] { File g(missing.c_str(), 0); });
    EXPECT_EQ(Built(18000, missing.c_str()), Text(e));
    EXPECT_EQ(static_cast<unsigned long>(ERROR_FILE_NOT_FOUND), e.GetErrorCode());
    std::string badPath = dir.File("no\\such\\x.bin");
    e = Caught([&] { File g(badPath.c_str(), File::kCreate); });
    EXPECT_EQ(Built(18016, badPath.c_str()), Text(e));

    std::string path = dir.File("locked.bin");
    WriteBytes(path, "x");
    File holder(path.c_str(), File::kRead | File::kShareNone);
    e = Caught([&] { File g(path.c_str(), File::kRead); });
    EXPECT_EQ(Built(18025, path.c_str()), Text(e));
    EXPECT_EQ(static_cast<unsigned long>(ERROR_SHARING_VIOLATION), e.GetErrorCode());
}

TEST(FileOpen, ReopeningClosesTheFormerHandle) {
    TempDir dir;
    std::string path = dir.File("r.bin");
    WriteBytes(path, "x");
    File f(path.c_str(), File::kRead | File::kShareNone);
    // a leaked exclusive handle would make the second open a sharing violation
    EXPECT_EQ(1, f.Open(path.c_str(), File::kRead | File::kShareNone));
    EXPECT_EQ(1, f.Open(path.c_str(), File::kRead | File::kShareNone));
}

TEST(FileReadLine, EndsAtEveryKindOfLineEnd) {
    struct Case {
        std::string bytes;
        char const *line;
        long position;
    } const cases[] = {
        {"ab\r\nc", "ab", 4}, {"ab\rc", "ab", 3}, {"ab\r", "ab", 3},  {"ab", "ab", 2},
        {"ab\nc", "ab", 3},   {std::string("a\0b", 3), "a", 2},        {"\r\n", "", 2},
    };
    TempDir dir;
    std::string path = dir.File("l.txt");
    for (Case const &c : cases) {
        WriteBytes(path, c.bytes);
        File f(path.c_str(), File::kRead);
        EXPECT_STREQ(c.line, f.ReadLine().c_str()) << c.bytes;
        EXPECT_EQ(c.position, f.GetPosition()) << c.bytes;
    }
    // lines longer than one read, one after the other, the last without an end
    std::string longLine(700, 'q');
    WriteBytes(path, longLine + "\r\n" + longLine + "\r" + "z");
    File f(path.c_str(), File::kRead);
    EXPECT_EQ(longLine, f.ReadLine().c_str());
    EXPECT_EQ(longLine, f.ReadLine().c_str());
    EXPECT_STREQ("z", f.ReadLine().c_str());
    EXPECT_STREQ("", f.ReadLine().c_str());
}

TEST(FileReadWrite, TypedValuesLinesAndShortReads) {
    TempDir dir;
    std::string path = dir.File("w.bin");
    {
        File f(path.c_str(), File::kCreate);
        f.WriteLine("x");
        f.WriteLine("y", '\n', static_cast<char>(255));
        f.Write(static_cast<short>(0x0102));
        f.Write(2.5);
        f.WriteString("ab", 1);
    }
    EXPECT_EQ(std::string("x\r\ny\n\x02\x01", 7) + std::string("\0\0\0\0\0\0\x04\x40", 8) + std::string("ab\0", 3),
              ReadBytes(path));
    File f(path.c_str(), File::kRead);
    long n = 99;
    EXPECT_EQ(1, f.Read(nullptr, 0, 1, &n));
    EXPECT_EQ(0, n);
    f.Seek(5, File::kFromStart);
    short s;
    double d;
    f.Read(&s);
    f.Read(&d);
    EXPECT_EQ(0x0102, s);
    EXPECT_EQ(2.5, d);
    f.SeekEnd();
    Exception e = Caught([&] { f.Read(&d); });
    EXPECT_EQ(Built(18002, path.c_str()), Text(e));
    f.Seek(-2, File::kFromEnd);
    EXPECT_EQ(0, f.Read(&d, sizeof d, 0, &n));
    EXPECT_EQ(2, n);
}

TEST(FileReadWrite, SizeAndDiskFullMessage) {
    TempDir dir;
    std::string path = dir.File("s.bin");
    File f(path.c_str(), File::kCreate);
    f.SetSize(1000);
    EXPECT_EQ(1000, f.GetSize());
    f.SetSize(10);
    EXPECT_EQ(10, File::GetSize(path.c_str()));
    Exception e = Caught([] { File::CheckDiskFull("d:\\x\\f.wav", ERROR_DISK_FULL); });
    EXPECT_EQ(Built(18019, "D"), Text(e));
    EXPECT_EQ(3ul, e.GetDriveIndex());
    EXPECT_EQ(static_cast<unsigned long>(ERROR_DISK_FULL), e.GetErrorCode());
    // a name without a drive is on the current drive
    e = Caught([] { File::CheckDiskFull("f.wav", ERROR_HANDLE_DISK_FULL); });
    char current[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, current);
    EXPECT_EQ(static_cast<unsigned long>((current[0] & ~0x20) - 'A'), e.GetDriveIndex());
    File::CheckDiskFull("f.wav", ERROR_ACCESS_DENIED);  // other errors return
}

TEST(FileSystem, MoveNeverLosesTheTarget) {
    TempDir dir;
    std::string from = dir.File("from.bin"), to = dir.File("to.bin");
    WriteBytes(from, "new");
    WriteBytes(to, "old");
    {
        File locked(from.c_str(), File::kRead | File::kShareNone);
        Exception e = Caught([&] { File::Move(to.c_str(), from.c_str()); });
        EXPECT_EQ(Built(18007, ""), Text(e));
    }
    EXPECT_EQ("old", ReadBytes(to));
    EXPECT_EQ("new", ReadBytes(from));
    File::Move(to.c_str(), from.c_str());
    EXPECT_EQ("new", ReadBytes(to));
    EXPECT_FALSE(File::Exist(from.c_str()));
    // onto itself, spelled differently: nothing happens
    std::string upper = dir.File("TO.BIN");
    File::Move(upper.c_str(), to.c_str());
    EXPECT_EQ("new", ReadBytes(to));
}

TEST(FileSystem, CopyRenameDeleteAndDirectories) {
    TempDir dir;
    std::string a = dir.File("a.txt");
    WriteBytes(a, "abc");
    std::string deep = dir.File("x\\y\\z\\b.txt");
    File::CopyEx(deep.c_str(), a.c_str());
    EXPECT_EQ("abc", ReadBytes(deep));
    WriteBytes(a, "abcd");
    File::Copy(deep.c_str(), a.c_str());  // over an existing file
    EXPECT_EQ("abcd", ReadBytes(deep));
    EXPECT_FALSE(File::Exist(dir.File("x\\y\\z\\XX0.$$$").c_str()));
    Exception failed = Caught([&] { File::Copy(deep.c_str(), dir.File("none").c_str()); });
    EXPECT_EQ(Built(18006, ""), Text(failed));
    EXPECT_EQ("abcd", ReadBytes(deep));
    EXPECT_TRUE(File::Exist(dir.File("x\\y").c_str(), File::kDirectory));
    EXPECT_FALSE(File::Exist(dir.File("x\\y").c_str(), File::kFile));
    EXPECT_TRUE(File::Exist(dir.File("x\\y").c_str(), File::kAny));
    File::Rename(a.c_str(), dir.File("c.txt").c_str());
    EXPECT_EQ("abcd", ReadBytes(dir.File("c.txt")));
    Exception e = Caught([&] { File::Rename(a.c_str(), dir.File("d.txt").c_str()); });
    EXPECT_EQ(Built(18013, ""), Text(e));
    EXPECT_EQ(1, File::Delete(a.c_str(), 1, 0));
    // a file in the way of a folder
    e = Caught([&] { File::EnsureDirectory(dir.File("c.txt\\sub").c_str()); });
    EXPECT_EQ(Built(18018, ""), Text(e));
    EXPECT_EQ(1, File::IsWritableDirectory(dir.Path().c_str()));
    EXPECT_EQ(0, File::IsWritableDirectory(dir.File("none").c_str()));
    EXPECT_EQ(0, File::IsWritableDirectory(""));
    EXPECT_FALSE(File::Exist(dir.File("XX0.$$$").c_str()));
    EXPECT_EQ(1, File::ExistDrive(dir.Path().c_str()));
    long total = 0;
    EXPECT_GT(File::GetDiskSpace((dir.Path()[0] & ~0x20) - 'A', &total), 0ul);
    EXPECT_GT(total, 0);
    EXPECT_EQ(File::kFixed, File::GetDriveTypeA(dir.Path().c_str()));
}

namespace {
std::vector<std::string> boxes;
int answer;
int RecordBox(HWND, char const *text, char const *, unsigned) {
    boxes.push_back(text);
    return answer;
}
}  // namespace

TEST(FileSystem, CanWriteMakesBackupsAndAsks) {
    TempDir dir;
    File::MessageBoxFunc previous = File::SetMessageBoxFunc(&RecordBox);
    std::string wav = dir.File("s.wav"), bare = dir.File("noext");
    EXPECT_EQ(1, File::CanWrite(0, dir.File("new.wav").c_str(), 1, File::kBackup, "~"));
    WriteBytes(wav, "w");
    WriteBytes(bare, "n");
    EXPECT_EQ(1, File::CanWrite(0, wav.c_str(), 1, File::kBackup, "~"));
    EXPECT_EQ("w", ReadBytes(dir.File("s.~av")));
    EXPECT_FALSE(File::Exist(wav.c_str()));
    EXPECT_EQ(1, File::CanWrite(0, bare.c_str(), 1, File::kBackup, "~"));
    EXPECT_EQ("n", ReadBytes(dir.File("noext.~")));

    WriteBytes(wav, "w2");
    answer = IDCANCEL;
    EXPECT_EQ(0, File::CanWrite(0, wav.c_str(), 1, File::kAskBackup, "bak"));
    answer = IDNO;
    EXPECT_EQ(1, File::CanWrite(0, wav.c_str(), 1, File::kAskBackup, "bak"));
    EXPECT_FALSE(File::Exist(dir.File("s.bak").c_str()));
    ASSERT_EQ(2u, boxes.size());
    EXPECT_EQ(Built(18010, wav.c_str()), boxes[0]);
    {
        File busy(wav.c_str(), File::kRead | File::kShareNone);
        EXPECT_EQ(0, File::CanWrite(0, wav.c_str(), 1, File::kNoBackup, nullptr));
        ASSERT_EQ(3u, boxes.size());
        EXPECT_EQ(Built(18009, ""), boxes[2]);
    }
    File::SetMessageBoxFunc(previous);
}

TEST(FileSystem, LinesInAndOut) {
    TempDir dir;
    std::string path = dir.File("lines.txt");
    struct Case {
        std::string bytes;
        int trim, skipEmpty;
        std::vector<std::string> lines;
    } const cases[] = {
        {"x\r\n\r\ny\r\n", 0, 0, {"x", "", "y"}},
        {"x\r\n\r\ny\r\n", 0, 1, {"x", "y"}},
        {"x\ny", 0, 0, {"x", "y"}}, // the last line needs no line feed
        {" a \t\r\n", 1, 0, {"a"}},
        {" a \t\r\n", 0, 0, {" a \t"}},
        {"", 0, 0, {}},
    };
    for (Case const &c : cases) {
        WriteBytes(path, c.bytes);
        List<StringItem<ListElement>> lines;
        File::ReadLines(path.c_str(), lines, c.trim, c.skipEmpty);
        std::vector<std::string> got;
        for (auto *line = lines.GetFirst(); line; line = lines.GetNext(line))
            got.push_back(line->c_str());
        EXPECT_EQ(c.lines, got) << c.bytes;
        ArrayInPlace<String> array;
        array.Add(String("stale"));
        File::ReadLines(path.c_str(), array, c.trim, c.skipEmpty);
        got.clear();
        for (int i = 0; i < array.GetCount(); ++i)
            got.push_back(array[i].c_str());
        EXPECT_EQ(c.lines, got) << c.bytes;
    }
    List<StringItem<ListElement>> lines;
    std::string out = dir.File("out.txt");
    File::WriteLines(out.c_str(), lines, 0);
    EXPECT_EQ("\r\n", ReadBytes(out));
    lines.Append(new StringItem<ListElement>("one"));
    lines.Append(new StringItem<ListElement>("two"));
    File::WriteLines(out.c_str(), lines, 1);
    EXPECT_EQ("\r\none\r\ntwo\r\n", ReadBytes(out));
    File::WriteLines(out.c_str(), lines, 0);
    EXPECT_EQ("one\r\ntwo\r\n", ReadBytes(out));
}

TEST(FileSystem, WholeFilesAndComparison) {
    TempDir dir;
    std::string a = dir.File("a.bin"), b = dir.File("b.bin"), e1 = dir.File("e1"), e2 = dir.File("e2");
    File::SaveFile(a.c_str(), "0123456789", 10);
    File::SaveFile(a.c_str(), "abcdefghij", 10);  // replaces
    EXPECT_EQ("abcdefghij", ReadBytes(a));
    EXPECT_FALSE(File::Exist(dir.File("XX0.$$$").c_str()));
    unsigned int size = 0;
    void *loaded = File::LoadFile(a.c_str(), &size, nullptr);
    EXPECT_EQ(10u, size);
    EXPECT_EQ(0, memcmp(loaded, "abcdefghij", 10));
    NH_Heap::FreeMem(loaded);

    WriteBytes(b, "abcdeXghij");
    int at = 99;
    EXPECT_EQ(0, File::AreEqual(a.c_str(), b.c_str(), &at));
    EXPECT_EQ(5, at);
    WriteBytes(b, "abc");
    EXPECT_EQ(0, File::AreEqual(a.c_str(), b.c_str(), &at));
    EXPECT_EQ(-1, at);
    EXPECT_EQ(0, File::AreEqual(a.c_str(), dir.File("none").c_str(), &at));
    EXPECT_EQ(-2, at);
    EXPECT_EQ(1, File::AreEqual(a.c_str(), dir.File("A.BIN").c_str(), &at));
    EXPECT_EQ(0, at);
    WriteBytes(e1, "");
    WriteBytes(e2, "");
    EXPECT_EQ(1, File::AreEqual(e1.c_str(), e2.c_str(), nullptr));
}

TEST(FileReadWrite, AsynchronousReadSignalsItsEvent) {
    TempDir dir;
    std::string path = dir.File("async.bin");
    WriteBytes(path, "0123456789");
    File f(path.c_str(), File::kRead | File::kOverlapped);
    HANDLE event = CreateEventA(nullptr, TRUE, TRUE, nullptr);
    char buffer[4] = {};
    f.ReadAsync(buffer, 4, 3, event);
    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(event, 5000));
    EXPECT_EQ(0, memcmp(buffer, "3456", 4));
    CloseHandle(event);
}

TEST(FileSystem, TimesAndAttributes) {
    TempDir dir;
    std::string path = dir.File("t.bin");
    WriteBytes(path, "t");
    FILETIME written;
    SYSTEMTIME when = {2001, 2, 0, 3, 4, 5, 6, 0};
    SystemTimeToFileTime(&when, &written);
    File::SetDateTime(path.c_str(), nullptr, nullptr, &written);
    FILETIME creation, access, back;
    File::GetDateTime(path.c_str(), &creation, &access, &back);
    EXPECT_EQ(0, CompareFileTime(&written, &back));
    unsigned short date = 0, time = 0;
    File::GetDateTime(path.c_str(), &date, &time);
    EXPECT_EQ(2001 - 1980, date >> 9);
    EXPECT_EQ(2, (date >> 5) & 15);
    EXPECT_EQ(1, File::SetAttributes(path.c_str(), File::kAttrHidden | File::kAttrArchive, 1));
    EXPECT_EQ(static_cast<unsigned long>(File::kAttrHidden | File::kAttrArchive),
              File::GetAttributes(path.c_str()) & (File::kAttrHidden | File::kAttrArchive | File::kAttrReadOnly));
    EXPECT_EQ(~0ul, File::GetAttributes(dir.File("none").c_str()));
    EXPECT_EQ(0, File::SetAttributes(dir.File("none").c_str(), File::kAttrNormal, 0));
    Exception e = Caught([&] { File::SetAttributes(dir.File("none").c_str(), File::kAttrNormal, 1); });
    EXPECT_EQ(Built(18017, ""), Text(e));
}

namespace {

// Takes the address space of the process but for one free stretch of about
// 64 MiB (and the crumbs below 1 MiB), and gives it back when it goes. Only a
// 32-bit space can be used up: Wine keeps a byte for every page reserved, 1 GiB
// for each 4 TiB of a 64-bit space, where two large files map whole at ease.
class AddressSpaceSqueeze {
public:
    AddressSpaceSqueeze() {
        if (sizeof(void *) > 4)
            return;
        for (SIZE_T size : {SIZE_T(64) << 20, SIZE_T(1) << 20})
            while (void *p = VirtualAlloc(nullptr, size, MEM_RESERVE, PAGE_NOACCESS))
                taken_.push_back(p);
        // the first big piece is the stretch left free
        VirtualFree(taken_.front(), 0, MEM_RELEASE);
        taken_.erase(taken_.begin());
    }
    ~AddressSpaceSqueeze() {
        for (void *p : taken_)
            VirtualFree(p, 0, MEM_RELEASE);
    }

private:
    std::vector<void *> taken_;
};

}  // namespace

TEST(FileSystem, LargeFilesAreComparedWithoutMappingThemWhole) {
    TempDir dir;
    std::string a = dir.File("a.raw"), b = dir.File("b.raw");
    long const size = 40l << 20;
    for (std::string const &name : {a, b}) {
        File f(name.c_str(), File::kCreate);
        f.SetSize(size);
        f.Seek(size - 3, File::kFromStart);
        f.Write("end", 3);
    }
    int at = 99;
    {
        AddressSpaceSqueeze squeeze;  // room for one of the files, not for both
        EXPECT_EQ(1, File::AreEqual(a.c_str(), b.c_str(), &at));
        EXPECT_EQ(99, at);
    }
    {
        File f(b.c_str(), 0);
        f.Seek(size - 2, File::kFromStart);
        f.Write("N", 1);
    }
    {
        AddressSpaceSqueeze squeeze;
        EXPECT_EQ(0, File::AreEqual(a.c_str(), b.c_str(), &at));
        EXPECT_EQ(size - 2, at);
    }
}

namespace {

// Bytes that differ from case to case and from the file's first content.
std::string Pattern(size_t size, int seed) {
    std::string bytes(size, 0);
    for (size_t i = 0; i < size; ++i)
        bytes[i] = static_cast<char>((i * 7 + seed * 13 + i / 251) % 256);
    return bytes;
}

}  // namespace

TEST(FileReadWrite, UnalignedWritesWithoutSystemBuffering) {
    TempDir dir;
    std::string path = dir.File("nb.bin");
    std::string model = Pattern(3 * 4096 + 100, 0);
    WriteBytes(path, model);
    // opened as the block cache opens its files
    File f(path.c_str(), File::kReadWrite | File::kShareReadWrite | File::kNoBuffering);
    ASSERT_TRUE(f.GetOpenFlags() & File::kNoBuffering);
    long const kEnd = -1;
    struct Case {
        long offset;  // kEnd: at the file's end
        long size;
        long misalign;  // of the caller's memory against a page
    } const cases[] = {
        {10, 20, 1},                // inside one page of data
        {4090, 12, 0},              // across a page boundary
        {4096, 100, 0},             // aligned offset, short size
        {8192, 4096, 3},            // whole page from unaligned memory
        {4096, 4096, 0},            // fully aligned: the system's own path
        {100, 9000, 5},             // several pages, partial at both ends
        {12300, 10, 0},             // inside the last partial page, before the end
        {12380, 20, 2},             // extends the file by a few bytes
        {kEnd, 7, 0},               // at the exact end
        {kEnd, 16384 - 12407, 1},   // up to a page-aligned end
        {kEnd, 5, 0},               // past a page-aligned end
        {20000, 10, 0},             // past the end: the gap reads as zeros
    };
    char *memory = static_cast<char *>(VirtualAlloc(nullptr, 4 * 4096, MEM_COMMIT, PAGE_READWRITE));
    ASSERT_TRUE(memory);
    int seed = 1;
    for (Case const &c : cases) {
        long offset = c.offset == kEnd ? static_cast<long>(model.size()) : c.offset;
        std::string bytes = Pattern(static_cast<size_t>(c.size), seed++);
        std::memcpy(memory + c.misalign, bytes.data(), bytes.size());
        f.Seek(offset, File::kFromStart);
        f.Write(memory + c.misalign, static_cast<unsigned long>(c.size));
        if (model.size() < static_cast<size_t>(offset + c.size))
            model.resize(static_cast<size_t>(offset + c.size), 0);
        model.replace(static_cast<size_t>(offset), bytes.size(), bytes);
        SCOPED_TRACE(std::to_string(offset) + " " + std::to_string(c.size));
        EXPECT_EQ(offset + c.size, f.GetPosition());
        EXPECT_EQ(static_cast<long>(model.size()), f.GetSize());
        ASSERT_TRUE(ReadBytes(path) == model);
    }
    VirtualFree(memory, 0, MEM_RELEASE);
}

TEST(FileReadWrite, UnalignedWriteThatCannotReadItsPagesLosesNothing) {
    TempDir dir;
    std::string path = dir.File("wo.bin");
    std::string before = Pattern(5000, 0);
    WriteBytes(path, before);
    // write-only: the page around the bytes cannot be read in to be kept
    File f(path.c_str(), File::kWrite | File::kShareReadWrite | File::kNoBuffering);
    f.Seek(10, File::kFromStart);
    Exception e = Caught([&f] { f.Write("abc", 3); });
    EXPECT_EQ(String(FindString(18003)).c_str(), Text(e));
    EXPECT_EQ(static_cast<unsigned long>(ERROR_ACCESS_DENIED), e.GetErrorCode());
    EXPECT_TRUE(ReadBytes(path) == before);
    EXPECT_EQ(10, f.GetPosition());
    // bytes in pages wholly past the end need nothing read
    f.Seek(8192, File::kFromStart);
    f.Write("abc", 3);
    EXPECT_EQ(8195, f.GetSize());
    EXPECT_EQ(8195, f.GetPosition());
}
