// Modules that register themselves: the mark in the version information, the offer and
// its three answers, and the outcome told for a module without an unregistration entry.
#include "engine/SelfRegistration.h"

#include "core/MessageBoxSeam.h"
#include "foundation/MessageCatalogue.h"
#include "tests/app/AppTestSupport.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

namespace {

FileName Fixture(char const *name) {
    return FileName((testsupport::ProgramFolder() + "\\engine-fixtures\\" + name).c_str());
}

std::string Registered() { return testsupport::Env("TESSARO_SELF_REGISTERED"); }

// Answers every box with the next answer and keeps its text and style.
struct Boxes {
    Boxes() {
        current = this;
        previous = SetMessageBoxAnswerer(&Answer);
    }
    ~Boxes() {
        SetMessageBoxAnswerer(previous);
        current = nullptr;
    }
    static int Answer(HWND, char const *text, char const *caption, unsigned style) {
        current->shown.push_back(text);
        current->styles.push_back(style);
        EXPECT_STREQ("Tessaro", caption);
        int answer = current->answers.empty() ? IDCANCEL : current->answers.front();
        if (!current->answers.empty())
            current->answers.erase(current->answers.begin());
        return answer;
    }

    std::vector<int> answers;
    std::vector<std::string> shown;
    std::vector<unsigned> styles;
    TMessageBoxAnswerer previous;
    static Boxes *current;
};
Boxes *Boxes::current = nullptr;

TEST(SelfRegistration, OnlyAMarkedModuleIsOffered) {
    EXPECT_EQ(0, HasSelfRegisterMark(Fixture("SelfRegModule.dll")));
    EXPECT_EQ(int32_t(0x80004001), HasSelfRegisterMark(Fixture("VersionNoMark.dll"))) << "version data, no mark";
    EXPECT_EQ(int32_t(0x80004005), HasSelfRegisterMark(Fixture("UnderscorePlugIn.dll"))) << "no version data";
    Boxes boxes;
    EXPECT_EQ(0, OfferSelfRegistration(Fixture("VersionNoMark.dll")));
    EXPECT_TRUE(boxes.shown.empty()) << "it opens as a file";
}

TEST(SelfRegistration, YesRegistersNoUnregistersCancelDoesNothing) {
    apptest::UseEnglishTexts();
    FileName module = Fixture("SelfRegModule.dll");
    SetEnvironmentVariableA("TESSARO_SELF_REGISTERED", "none");
    Boxes boxes;
    boxes.answers = {IDCANCEL};
    EXPECT_EQ(1, OfferSelfRegistration(module));
    EXPECT_EQ(1u, boxes.shown.size()) << "nothing is told after a cancel";
    EXPECT_EQ(std::string(BuildString(11302, module.c_str()).c_str()), boxes.shown[0]);
    EXPECT_EQ(unsigned(MB_YESNOCANCEL | MB_ICONEXCLAMATION), boxes.styles[0]);
    EXPECT_EQ("none", Registered());

    boxes.answers = {IDYES, IDOK};
    EXPECT_EQ(1, OfferSelfRegistration(module));
    EXPECT_EQ("1", Registered());
    EXPECT_EQ(std::string(FindString(11303).c_str()), boxes.shown.back());
    EXPECT_EQ(unsigned(MB_OK | MB_ICONINFORMATION), boxes.styles.back());

    boxes.answers = {IDNO, IDOK};
    EXPECT_EQ(1, OfferSelfRegistration(module));
    EXPECT_EQ("0", Registered());
    EXPECT_EQ(std::string(FindString(11304).c_str()), boxes.shown.back());
}

TEST(SelfRegistration, AModuleWithoutUnregistrationTellsWhy) {
    apptest::UseEnglishTexts();
    Boxes boxes;
    boxes.answers = {IDNO, IDOK};
    EXPECT_EQ(1, OfferSelfRegistration(Fixture("SelfRegNoUnregister.dll")));
    EXPECT_EQ(std::string(BuildString(11306, 0x80004001UL).c_str()), boxes.shown.back());
    EXPECT_EQ(int32_t(0x80004001), RegisterModule(Fixture("SelfRegNoUnregister.dll"), 1));
}

}  // namespace
