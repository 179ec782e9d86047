// Dialog templates (plain, extended, by language) and tool-bar resources read from
// the test program's own resources.
#include "tests/framework/BarTestSupport.h"
#include "bars/ButtonGadget.h"
#include "core/Dib.h"
#include "controls/DialogResource.h"
#include "bars/GadgetWindow.h"
#include "tests/framework/TestApp.h"
#include "bars/ToolbarResource.h"

#include <gtest/gtest.h>

#include <string>

namespace {
HINSTANCE Self() { return ::GetModuleHandleA(0); }

std::string Text(TDialogRes const &res, TDialogRes::TDlgResText which) {
    char buffer[64];
    int n = res.GetText(buffer, sizeof buffer, which);
    return std::string(buffer, n);
}

// Which cel of the shared array a button shows.
struct Peek : TButtonGadget {
    static int Cel(TButtonGadget &b) { return b.*(&Peek::GlyphIndex); }
    static int Shared(TButtonGadget &b) { return b.*(&Peek::SharedGlyph); }
};
}  // namespace

TEST(DialogRes, ReadsPlainTemplatesWithOrdinalFields) {
    TDialogRes res(Self(), 54001);
    ASSERT_TRUE(res.IsOK());
    EXPECT_FALSE(res.IsDialogEx());  // found after the extended look-up failed
    EXPECT_TRUE(res.GetTemplate());
    EXPECT_FALSE(res.GetTemplateEx());
    EXPECT_EQ(0x80C80000u, res.GetTemplate()->style);
    TRect r;
    res.GetRect(r);
    EXPECT_EQ(TRect(10, 20, 110, 70), r);
    EXPECT_EQ("Hi", Text(res, TDialogRes::DlgResTitle));  // both ordinals skipped
    EXPECT_EQ(2u, Text(res, TDialogRes::DlgResMenu).size());  // the two words of an ordinal
    char buffer[8] = "xyz";
    EXPECT_EQ(0, res.GetText(buffer, sizeof buffer, TDialogRes::TDlgResText(3)));
    EXPECT_EQ(std::string("xyz"), buffer);
}

TEST(DialogRes, ReadsExtendedTemplatesOfBothStorageKinds) {
    TDialogRes ex(Self(), 54002);
    ASSERT_TRUE(ex.IsOK());
    EXPECT_TRUE(ex.IsDialogEx());
    EXPECT_FALSE(ex.GetTemplate());
    TRect r;
    ex.GetRect(r);
    EXPECT_EQ(TRect(-5, 7, 25, 47), r);
    EXPECT_EQ("", Text(ex, TDialogRes::DlgResMenu));
    EXPECT_EQ("Ex", Text(ex, TDialogRes::DlgResTitle));

    // the resource compiler stores an extended template under the plain type
    TDialogRes compiled(Self(), 54004);
    ASSERT_TRUE(compiled.IsOK());
    EXPECT_TRUE(compiled.IsDialogEx());
    compiled.GetRect(r);
    EXPECT_EQ(TRect(3, 4, 73, 39), r);
    EXPECT_EQ("Extended one", Text(compiled, TDialogRes::DlgResTitle));

    TDialogRes plain(Self(), 54003);
    ASSERT_TRUE(plain.IsOK());
    EXPECT_FALSE(plain.IsDialogEx());
    plain.GetRect(r);
    EXPECT_EQ(TRect(1, 2, 61, 32), r);
    EXPECT_EQ("MENUNAME", Text(plain, TDialogRes::DlgResMenu));
    EXPECT_EQ("KLASSE", Text(plain, TDialogRes::DlgResClass));  // the compiler writes class names in capitals
    EXPECT_EQ("Plain one", Text(plain, TDialogRes::DlgResTitle));

    TDialogRes missing(Self(), 54999);
    EXPECT_FALSE(missing.IsOK());
    EXPECT_FALSE(missing.IsDialogEx());
}

TEST(DialogRes, FindsTemplatesByLanguage) {
    TDialogRes german(Self(), 54005, MAKELANGID(LANG_GERMAN, SUBLANG_GERMAN));
    ASSERT_TRUE(german.IsOK());
    EXPECT_EQ("Deutsch", Text(german, TDialogRes::DlgResTitle));
    TDialogRes french(Self(), 54005, MAKELANGID(LANG_FRENCH, SUBLANG_FRENCH));
    EXPECT_FALSE(french.IsOK());
}

TEST(ToolbarRes, ReadsIdsSizeAndFaces) {
    TestApp app;
    TToolbarRes res(Self(), 54020);
    ASSERT_TRUE(res.IsOK());
    EXPECT_EQ(3, res.GetCount());
    EXPECT_EQ(8, res.GetWidth());
    EXPECT_EQ(16, res.GetHeight());
    EXPECT_EQ(10, res.GetIds()[0]);
    EXPECT_EQ(0, res.GetIds()[1]);
    EXPECT_EQ(11, res.GetIds()[2]);
    EXPECT_EQ(TSize(16, 16), res.GetBitmap().Size());

    TToolbarRes none(Self(), 54999);
    EXPECT_FALSE(none.IsOK());
}

TEST(ToolbarBldr, BuildsButtonsAndSeparatorsOnSharedCels) {
    TestApp app;
    TGadgetWindow window(0, TGadgetWindow::Horizontal, new TGadgetWindowFont, &bartest::Exe());
    {
        TToolbarBldr builder(window, 54020);  // the window's module gives the instance
        builder.Build();
    }
    ASSERT_EQ(3u, window.GadgetCount());
    TButtonGadget *first = dynamic_cast<TButtonGadget *>(window[0u]);
    TButtonGadget *second = dynamic_cast<TButtonGadget *>(window[2u]);
    ASSERT_TRUE(first && second);
    EXPECT_TRUE(dynamic_cast<TSeparatorGadget *>(window[1u]));
    EXPECT_EQ(10, first->GetId());
    EXPECT_EQ(11, second->GetId());
    EXPECT_EQ(0, Peek::Cel(*first));
    EXPECT_EQ(1, Peek::Cel(*second));  // separators take no cel
    EXPECT_TRUE(Peek::Shared(*second));
    EXPECT_EQ(TButtonGadget::Command, second->GetButtonType());
    EXPECT_FALSE(second->GetEnabled());  // left to command enabling
    TCelArray &cels = window.GetCelArray();
    EXPECT_EQ(TSize(8, 16), cels.CelSize());
    EXPECT_EQ(2, cels.NumCels());
}

TEST(DialogRes, DamagedTemplatesAreNeverReadPastTheirEnd) {
    // headers cut short are not taken
    for (int id : {54501, 54504, 54505}) {
        TDialogRes res(Self(), id);
        EXPECT_FALSE(res.IsOK()) << id;
        TRect r(1, 1, 1, 1);
        res.GetRect(r);
        EXPECT_EQ(TRect(0, 0, 0, 0), r) << id;
        char buffer[8];
        EXPECT_EQ(0, res.GetText(buffer, sizeof buffer, TDialogRes::DlgResTitle)) << id;
    }
    // a whole header with fields running off the end: the rectangle, no text
    TDialogRes open(Self(), 54502);
    ASSERT_TRUE(open.IsOK());
    TRect r;
    open.GetRect(r);
    EXPECT_EQ(TRect(1, 2, 31, 42), r);
    EXPECT_EQ("", Text(open, TDialogRes::DlgResMenu));
    EXPECT_EQ("", Text(open, TDialogRes::DlgResTitle));
    TDialogRes cut(Self(), 54503);
    ASSERT_TRUE(cut.IsOK());
    for (auto which : {TDialogRes::DlgResMenu, TDialogRes::DlgResClass, TDialogRes::DlgResTitle})
        EXPECT_EQ("", Text(cut, which));
}

TEST(ToolbarRes, DamagedResourcesBuildNothing) {
    TestApp app;
    for (int id : {54510, 54511, 54999}) {
        TToolbarRes res(Self(), id);
        EXPECT_FALSE(res.IsOK()) << id;
        EXPECT_EQ(0, res.GetCount()) << id;
        TGadgetWindow window(0, TGadgetWindow::Horizontal, new TGadgetWindowFont, &bartest::Exe());
        TToolbarBldr builder(window, id);
        builder.Build();
        EXPECT_EQ(0u, window.GadgetCount()) << id;
    }
}
