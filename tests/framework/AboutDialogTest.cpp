// Version strings of a module, the about box built from them, the progress box from the
// language module's template, and the forms of the framework's message boxes.
#include "tests/framework/TestApp.h"

#include "controls/AboutDialog.h"
#include "tests/framework/BoxRecorder.h"
#include "tests/framework/GdiCanvas.h"
#include "controls/MessageBoxes.h"
#include "controls/RealTimeInfo.h"
#include "controls/VersionInfo.h"

#include "foundation/MessageCatalogue.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>


using testsupport::ByArch;
namespace {

std::string ItemText(TWindow const &dialog, int id) {
    char text[256] = "";
    ::GetDlgItemTextA(dialog.GetHandle(), id, text, sizeof text);
    return text;
}

std::string LanguageModule() { return ProgramFolder() + "..\\program\\system\\EnglishTs.dll"; }

TEST(ProjectRCVersion, StringsOfTheFirstTranslation) {
    TModule module("DialogKitModule.dll", true);
    ProjectRCVersion version(&module);
    char const *value = 0;
    ASSERT_TRUE(version.GetProductName(value));  // looked up under 040904e4, not 04e40409
    EXPECT_STREQ("Dialog kit", value);
    ASSERT_TRUE(version.GetProductVersion(value));
    EXPECT_STREQ("4.5", value);
    ASSERT_TRUE(version.GetCopyright(value));
    EXPECT_STREQ("(c) the test", value);
    ASSERT_TRUE(version.GetDebug(value));
    EXPECT_STREQ("nightly", value);

    TModule plain("VeltraneTestModule.dll", true);
    ProjectRCVersion partial(&plain);
    EXPECT_TRUE(partial.GetProductName(value));
    EXPECT_FALSE(partial.GetCopyright(value));
}

TEST(ProjectRCVersion, ModulesWithoutUsableVersionsGiveNothing) {
    TModule &exe = Exe();
    TModule damaged("VeltraneNoTranslation.dll", true);
    for (TModule *module : {&exe, &damaged, (TModule *)0}) {
        ProjectRCVersion version(module);
        char const *value = "untouched";
        EXPECT_FALSE(version.GetProductName(value));
        EXPECT_FALSE(version.GetProductVersion(value));
        EXPECT_FALSE(version.GetCopyright(value));
        EXPECT_FALSE(version.GetDebug(value));
        EXPECT_STREQ("untouched", value);
    }
}

TEST(AboutDialog, ProductLineCopyrightAndExtraText) {
    TestApp app;
    TModule module("DialogKitModule.dll", true);
    TModule &exe = Exe();
    struct Case {
        TModule *module;
        int templateId;
        char const *extra, *line, *text, *copyright;
    } const cases[] = {
        {&module, 21000, "", "Dialog kit build 4.5", "template extra", "(c) the test"},
        {&module, 21000, "Credits", "Dialog kit build 4.5", "Credits", "(c) the test"},
        {&exe, 44002, "Credits", "build", "Credits", "template copyright"},  // no version resource
    };
    for (Case const &c : cases) {
        AboutDialog about(0, 7, c.templateId, c.module);
        about.SetExtraText(c.extra);
        ASSERT_TRUE(about.Create());
        EXPECT_EQ(c.line, ItemText(about, AboutDialog::ProductLine));
        EXPECT_EQ(c.text, ItemText(about, AboutDialog::ExtraTextId));
        EXPECT_EQ(c.copyright, ItemText(about, AboutDialog::Copyright));
        EXPECT_EQ(7, about.GetParam());
        EXPECT_FALSE(about.GetExStyle() & WS_EX_CONTEXTHELP);
        about.Destroy();
        ASSERT_TRUE(about.Create());  // a second opening composes the same line
        EXPECT_EQ(c.line, ItemText(about, AboutDialog::ProductLine));
        about.Destroy();
    }
}

// The boxes a program opens without a module of their own come from the language module.
TEST(AboutDialog, TheLanguageModuleHoldsBothBoxesAndTheProductVersion) {
    TestApp app;
    TModule language(LanguageModule().c_str(), true);
    TModule *previous = TModule::_localizedResourceDLL;
    TModule::_localizedResourceDLL = &language;

    AboutDialog about(0, 0, 21000);
    ASSERT_TRUE(about.Create());
    EXPECT_EQ("Tessaro version 1.0", ItemText(about, AboutDialog::ProductLine));
    EXPECT_NE(std::string::npos, ItemText(about, AboutDialog::Copyright).find("Tessaro"));
    about.Destroy();

    // also under a parent made with a module of its own
    TModule other("DialogKitModule.dll", true);
    TWindow *parent = new TWindow(0, "parent", &other);
    parent->Attr.Style = WS_POPUP;
    ASSERT_TRUE(parent->Create());
    {
        RealTimeInfoBox info(parent);
        ASSERT_TRUE(info.GetHandle());
        EXPECT_TRUE(info.IsWindowVisible());
        info.Display("Step 3 of 7");
        EXPECT_EQ("Step 3 of 7", ItemText(info, RealTimeInfoBox::InfoText));
        info.Destroy();
    }
    parent->Destroy();
    delete parent;
    TModule::_localizedResourceDLL = previous;
}

TMessageBoxParamsAnswerer previousAnswerer;
std::vector<MSGBOXPARAMSA> asked;
std::vector<std::string> askedTexts;

int RecordParams(MSGBOXPARAMSA const &p) {
    asked.push_back(p);
    askedTexts.push_back(p.lpszText ? p.lpszText : "");
    return IDRETRY;
}

TEST(MessageBox, EveryFormGoesThroughTheSeam) {
    TModule common("VeltraneTestModule.dll", true);
    TModule *previousCommon = TModule::_commonResourceDLL;
    TModule::_commonResourceDLL = &common;
    asked.clear();
    askedTexts.clear();
    previousAnswerer = SetMessageBoxParamsAnswerer(&RecordParams);
    unsigned const always = MB_TASKMODAL | MB_SETFOREGROUND | MB_TOPMOST;
    EXPECT_EQ(IDRETRY, MessageBox("plain", "Tessaro", MB_YESNO | MB_ICONQUESTION));
    EXPECT_EQ(IDRETRY, MessageBox("with help", "Tessaro", MB_OK, 4711));
    EXPECT_EQ(IDRETRY, MessageBox("with icon", "Tessaro", MB_OK | MB_ICONHAND, 4711, 0x10017));
    EXPECT_EQ(IDRETRY, MessageBox(18000, "Tessaro", MB_OK));
    EXPECT_EQ(IDRETRY, MessageBox(18001, "Tessaro", MB_OK, 12));
    EXPECT_EQ(IDRETRY, MessageBox(18002, "Tessaro", MB_OKCANCEL | MB_ICONEXCLAMATION, 0, 23));
    SetMessageBoxParamsAnswerer(previousAnswerer);
    TModule::_commonResourceDLL = previousCommon;

    ASSERT_EQ(6u, asked.size());
    struct Expected {
        std::string text;
        unsigned style;
        unsigned long help;
        int icon;
    } const expected[] = {
        {"plain", MB_YESNO | MB_ICONQUESTION | always, 0, 0},
        {"with help", MB_OK | MB_HELP | always, 4711, 0},
        {"with icon", MB_OK | MB_HELP | MB_USERICON | always, 4711, 0x17},
        {String(FindString(18000)).c_str(), MB_OK | always, 0, 0},
        {String(FindString(18001)).c_str(), MB_OK | MB_HELP | always, 12, 0},
        {String(FindString(18002)).c_str(), MB_OKCANCEL | MB_USERICON | always, 0, 23},
    };
    for (int i = 0; i < 6; ++i) {
        MSGBOXPARAMSA const &p = asked[i];
        EXPECT_EQ(ByArch(40, 80), p.cbSize);
        EXPECT_EQ(0, p.hwndOwner);
        EXPECT_EQ(expected[i].text, askedTexts[i]) << i;
        EXPECT_FALSE(askedTexts[i].empty()) << i;
        EXPECT_STREQ("Tessaro", p.lpszCaption);
        EXPECT_EQ(expected[i].style, p.dwStyle) << i;
        EXPECT_EQ(expected[i].help, p.dwContextHelpId) << i;
        EXPECT_TRUE(p.lpfnMsgBoxCallback);
        EXPECT_EQ(0u, p.dwLanguageId);
        if (expected[i].icon) {
            EXPECT_EQ(common.GetHandle(), p.hInstance) << i;
            EXPECT_EQ(MAKEINTRESOURCEA(expected[i].icon), p.lpszIcon) << i;
        } else {
            EXPECT_EQ(0, p.hInstance) << i;
        }
    }
    // a plain answerer still hears every box
    BoxRecorder recorder(IDNO);
    EXPECT_EQ(IDNO, MessageBox(18000, "Caption", MB_YESNO, 5));
    ASSERT_EQ(1u, recorder.Boxes.size());
    EXPECT_EQ(String(FindString(18000)).c_str(), recorder.Boxes[0].text);
    EXPECT_EQ(unsigned(MB_YESNO | MB_HELP) | always, recorder.Boxes[0].style);
}

}  // namespace
