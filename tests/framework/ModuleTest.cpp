#include "tests/framework/BoxRecorder.h"
#include "core/Module.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {
char const *const TestModule = "VeltraneTestModule.dll";
}

TEST(Module, StringsFromTheModuleAndTheLibraryFallback) {
    TModule module(TestModule, true);
    ASSERT_TRUE(module.IsLoaded());
    EXPECT_EQ(String("Hello from the module"), module.LoadStringA(100));
    EXPECT_EQ(String("Block 0x124, entry 4"), module.LoadStringA(0x1234));
    EXPECT_EQ(String("Block 0x124, entry 3"), module.LoadStringA(0x1233));
    // a string only the framework library has is found through any module
    EXPECT_EQ(String("Internal error: OK to resume?"), module.LoadStringA(32765));
    EXPECT_TRUE(module.LoadStringA(101).IsEmpty());

    char buf[8] = "x";
    EXPECT_EQ(7, module.LoadStringA(100, buf, sizeof buf));  // cut to the buffer
    EXPECT_STREQ("Hello f", buf);
    EXPECT_EQ(0, module.LoadStringA(4242, buf, sizeof buf));
    EXPECT_STREQ("", buf);
    // a one-byte buffer takes the terminator alone and nothing past it
    char one[32];
    std::memset(one, 'y', sizeof one);
    EXPECT_EQ(0, module.LoadStringA(100, one, 1));
    EXPECT_EQ('\0', one[0]);
    EXPECT_EQ(std::string(sizeof one - 1, 'y'), std::string(one + 1, sizeof one - 1));
    EXPECT_STRNE("", module.GetName());
}

TEST(Module, MissingLibraries) {
    BoxRecorder boxes;
    TModule optional("no-such-module.dll", true, false);
    EXPECT_FALSE(optional.IsLoaded());
    try {
        TModule required("no-such-module.dll", true, true);
        FAIL();
    } catch (TXInvalidModule &x) {
        EXPECT_EQ(String("Internal error: Unable to load module no-such-module.dll"), x.why());
    }
    EXPECT_TRUE(boxes.Boxes.empty());
}

TEST(Module, MissingEntryPoints) {
    TModule kernel("kernel32.dll", true);
    EXPECT_NO_THROW(TModuleProc(kernel, "GetTickCount"));
    try {
        TModuleProc(kernel, (char const *)MAKEINTRESOURCE(0xFFF0));
        FAIL();
    } catch (TXYrt &x) {
        EXPECT_EQ(String("Internal error: Ordinal 65520 not found in module kernel32.dll"), x.why());
        EXPECT_EQ(0u, x.GetErrorCode());
    }
    try {
        TModuleProc(kernel, "NoSuchFunction");
        FAIL();
    } catch (TXYrt &x) {
        EXPECT_EQ(String("Internal error: Function NoSuchFunction not found in module kernel32.dll"), x.why());
    }
    EXPECT_NE(nullptr, TUser::LoadIconA(0, (char const *)IDI_APPLICATION));
}

TEST(Module, VersionData) {
    TModule module(TestModule, true);
    TModuleVersionInfo info(module.GetHandle());
    ASSERT_TRUE(info.HasData());
    EXPECT_EQ(0x040904E4u, info.GetLanguage());
    EXPECT_EQ(0x00010002u, info.GetFileVersionMS());
    EXPECT_EQ(0x00030004u, info.GetFileVersionLS());
    EXPECT_EQ(0x00050006u, info.GetProductVersionMS());
    EXPECT_TRUE(info.IsPreRelease());
    EXPECT_TRUE(info.IsDebug());
    EXPECT_FALSE(info.IsPatched());
    EXPECT_EQ(uint32_t(VFT_FONT), info.GetFileType());
    EXPECT_EQ(12u, info.GetFileSubType());
    char const *text = 0;
    ASSERT_TRUE(info.GetFileDescription(text));
    EXPECT_STREQ("Veltrane test module", text);
    ASSERT_TRUE(info.GetProductName(text));
    EXPECT_STREQ("Tessaro", text);
    EXPECT_FALSE(info.GetSpecialBuild(text));
    EXPECT_THROW(TModuleVersionInfo("C:\\no\\such\\file.dll"), TXYrt);
}

// Version data without a translation table leaves the object empty: every reader
// answers zero, false or empty text instead of reading through a null record.
TEST(Module, DamagedVersionDataReadsAsEmpty) {
    TModule module("VeltraneNoTranslation.dll", true);
    TModuleVersionInfo info(module.GetHandle());
    ASSERT_FALSE(info.HasData());
    uint32_t const values[] = {info.GetSignature(),       info.GetStrucVersion(),     info.GetFileVersionMS(),
                               info.GetFileVersionLS(),   info.GetProductVersionMS(), info.GetProductVersionLS(),
                               info.GetFileFlagsMask(),   info.GetFileFlags(),        info.GetFileOS(),
                               info.GetFileType(),        info.GetFileSubType(),      info.GetLanguage(),
                               info.GetFixedInfo().dwFileSubtype};
    for (uint32_t v : values)
        EXPECT_EQ(0u, v);
    FILETIME date = info.GetFileDate();
    EXPECT_EQ(0u, date.dwLowDateTime | date.dwHighDateTime);
    bool const flags[] = {info.IsFileFlagSet(VS_FF_DEBUG), info.IsDebug(),        info.IsPreRelease(),
                          info.IsPatched(),                info.IsPrivateBuild(), info.InfoInferred(),
                          info.IsSpecialBuild()};
    for (bool f : flags)
        EXPECT_FALSE(f);
    EXPECT_EQ(String(), info.GetLanguageName());
    char const *text = "untouched";
    EXPECT_FALSE(info.GetProductName(text));
    EXPECT_STREQ("untouched", text);
}

#include "core/FileDroplet.h"
#include "controls/MessageBoxes.h"

#include <shlobj.h>

TEST(Services, QuestionBoxesAreTaskModalAndTopmost) {
    BoxRecorder yes(IDYES);
    EXPECT_EQ(IDYES, MessageBox("Save changes?", "Tessaro", MB_YESNO | MB_ICONQUESTION));
    ASSERT_EQ(1u, yes.Boxes.size());
    EXPECT_EQ(unsigned(MB_YESNO | MB_ICONQUESTION | 0x52000), yes.Boxes[0].style);
    EXPECT_EQ("Save changes?", yes.Boxes[0].text);
}

TEST(Services, DropletsCompareByIdentity) {
    TFileDroplet a("C:\\a.wav", TPoint(3, 4), true), b("C:\\a.wav", TPoint(3, 4), true);
    EXPECT_STREQ("C:\\a.wav", a.GetName());
    EXPECT_EQ(TPoint(3, 4), a.GetPoint());
    EXPECT_TRUE(a.GetInClientArea());
    EXPECT_TRUE(a == a);
    EXPECT_FALSE(a == b);
}

namespace {
// A drop record as the system hands it: one file, dropped at (7, 9) in the client area.
HDROP MakeDrop(char const *file) {
    size_t length = std::strlen(file);
    HGLOBAL mem = ::GlobalAlloc(GHND, sizeof(DROPFILES) + length + 2);
    DROPFILES *drop = (DROPFILES *)::GlobalLock(mem);
    drop->pFiles = sizeof(DROPFILES);
    drop->pt.x = 7;
    drop->pt.y = 9;
    std::memcpy((char *)drop + sizeof(DROPFILES), file, length);
    ::GlobalUnlock(mem);
    return (HDROP)mem;
}
}  // namespace

TEST(Services, DropletsFromADropRecord) {
    HDROP drop = MakeDrop("C:\\take.wav");
    TFileDroplet taken(drop, 0);
    EXPECT_STREQ("C:\\take.wav", taken.GetName());
    EXPECT_EQ(TPoint(7, 9), taken.GetPoint());
    EXPECT_TRUE(taken.GetInClientArea());
    // an index past the files gives an empty name, not what the block held before
    TFileDroplet missing(drop, 3);
    EXPECT_STREQ("", missing.GetName());
    ::GlobalFree(drop);
}
