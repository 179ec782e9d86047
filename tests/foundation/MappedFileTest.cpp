#include "foundation/Exception.h"
#include "foundation/MappedFile.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <string>

using testsupport::ReadBytes;
using testsupport::TempDir;
using testsupport::WriteBytes;

namespace {

std::string Counting(size_t size) {
    std::string bytes(size, 0);
    for (size_t i = 0; i < size; ++i)
        bytes[i] = static_cast<char>(i * 13 + (i >> 8));
    return bytes;
}

}  // namespace

TEST(MappedFile, ViewsAreSharedByUseCount) {
    TempDir dir;
    std::string path = dir.File("m.bin");
    std::string bytes = Counting(200000);
    WriteBytes(path, bytes);
    MappedFile mapped(path.c_str(), File::kRead, 1, 0);
    ASSERT_TRUE(mapped.GetView());
    EXPECT_EQ(200000ul, mapped.GetSize());
    EXPECT_EQ(200000, mapped.GetFileSize());
    EXPECT_EQ(0, memcmp(mapped.GetStart(), bytes.data(), bytes.size()));

    MappedFile::View *whole = mapped.GetView();
    MappedFile::View *found = mapped.FindElseCreate(100, 50);
    EXPECT_EQ(whole, found);
    EXPECT_EQ(2, whole->GetUseCount());
    mapped.Release(found);
    EXPECT_EQ(1, whole->GetUseCount());
    EXPECT_EQ(1, mapped.GetViews().GetCount());

    // views need not start at the system's granularity
    MappedFile::View *odd = mapped.CreateView(70001, 1000);
    EXPECT_EQ(70001ul, odd->GetFileOffset());
    EXPECT_EQ(71001ul, odd->GetEndOffset());
    EXPECT_EQ(0, memcmp(odd->GetBase(), bytes.data() + 70001, 1000));
    EXPECT_EQ(odd, &mapped.GetView(1));
    mapped.CloseView(odd);
    EXPECT_EQ(1, mapped.GetViews().GetCount());
}

TEST(MappedFile, ViewsBeyondTheExistingOnesAreMapped) {
    TempDir dir;
    std::string path = dir.File("m.bin");
    std::string bytes = Counting(300000);
    WriteBytes(path, bytes);
    MappedFile mapped(path.c_str(), File::kRead, 0, 0);
    EXPECT_EQ(nullptr, mapped.GetStart());
    MappedFile::View *a = mapped.FindElseCreate(0, 65536);
    MappedFile::View *b = mapped.FindElseCreate(65000, 1000);  // crosses the end of a
    EXPECT_NE(a, b);
    EXPECT_EQ(0, memcmp(b->GetBase(), bytes.data() + 65000, 1000));
    EXPECT_EQ(a, mapped.FindElseCreate(10, 10));
    EXPECT_EQ(2, a->GetUseCount());
    mapped.Release(a);
    mapped.Release(a);
    mapped.Release(b);
    // released views stay mapped until found again, and go when asked or pushed out
    EXPECT_EQ(2, mapped.GetViews().GetCount());
    EXPECT_EQ(b, mapped.FindElseCreate(65900, 10));
    EXPECT_EQ(1, b->GetUseCount());
    mapped.Release(b);
    MappedFile::DropIdleViews(0);
    EXPECT_EQ(0, mapped.GetViews().GetCount());
    for (unsigned long i = 0; i < 12; ++i)
        mapped.Release(mapped.FindElseCreate(i * 20000, 1000));
    EXPECT_EQ(8, mapped.GetViews().GetCount());
    EXPECT_NE(nullptr, mapped.FindElseCreate(11 * 20000, 10));  // the newest is kept
    EXPECT_EQ(8, mapped.GetViews().GetCount());
}

TEST(MappedFile, ResizingExtendsWithZerosAndRefusesWhileViewsAreHeld) {
    TempDir dir;
    std::string path = dir.File("r.bin");
    WriteBytes(path, "abcdef");
    {
        MappedFile mapped(path.c_str(), File::kReadWrite, 1, 0);
        EXPECT_EQ(nullptr, mapped.SetFileSize(6, 1, 1));
        EXPECT_EQ(1, mapped.GetViews().GetCount());
        mapped.GetStart()[0] = 'A';

        MappedFile::View *held = mapped.FindElseCreate(0, 3);
        EXPECT_THROW(mapped.SetFileSize(106, 1, 1), Exception);
        EXPECT_THROW(mapped.Close(), Exception);
        EXPECT_EQ(held, mapped.GetView());
        mapped.Release(held);

        char *start = mapped.SetFileSize(106, 1, 1);
        ASSERT_TRUE(start);
        EXPECT_EQ(106, mapped.GetFileSize());
        EXPECT_EQ(std::string(100, '\0'), std::string(start + 6, 100));
        mapped.FlushViews();
        mapped.SetFileSize(4, 1, 0);
        EXPECT_EQ(4, mapped.GetFileSize());
    }
    EXPECT_EQ("Abcd", ReadBytes(path));
}

TEST(MappedFile, MapsAnOpenFileItDoesNotOwn) {
    TempDir dir;
    std::string path = dir.File("o.bin");
    WriteBytes(path, "xyz");
    File file(path.c_str(), File::kRead);
    {
        MappedFile mapped(file, 1, 0);
        EXPECT_EQ(&file, &mapped.GetFile());
        EXPECT_EQ('y', mapped.GetStart()[1]);
    }
    EXPECT_TRUE(file.IsOpen());
    File closed;
    EXPECT_THROW(MappedFile(closed, 1, 0), Exception);
}
