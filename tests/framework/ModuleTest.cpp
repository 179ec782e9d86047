#include "BoxRecorder.h"
#include "Module.h"

#include <gtest/gtest.h>

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

#include "FileDroplet.h"
#include "MessageBoxes.h"

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
