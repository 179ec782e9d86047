// Every text the program's subsystems fetch by number is in every language module.
#include "tests/app/AppTestSupport.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// The numbers of the texts, by the part of the program that fetches them.
std::vector<unsigned> const kTexts = {
    // the foundation's file errors, which a registered language module answers alone
    18000, 18001, 18002, 18003, 18004, 18005, 18006, 18007, 18008, 18009, 18010, 18011, 18012, 18013,
    18014, 18015, 18016, 18017, 18018, 18019, 18020, 18021, 18022, 18023, 18024, 18025, 18026,
    // sample formats
    11095, 11096, 11097, 11098, 11099, 11100, 11101, 11199, 11200, 11201, 11202,
    // audio files: readers, writers, peak files
    10025, 10026, 10027, 10028, 10029, 10030, 10031, 10032, 10033, 10036, 10044, 10047, 11041, 11191, 11192,
    // audio objects
    11196,
    // the wave document
    10060, 10061, 10062, 11042, 11043, 11194, 11314, 11315,
    // opening waves and the open dialog's preview
    11089, 11092, 11093, 11094,
    // markers and CD tracks
    11027, 11239, 11240, 11316, 11324,
    // effects: the registry's names and a new task's name
    11076, 11127, 11128, 11129, 11130, 11131, 11132, 11133, 11134, 11135, 11136, 11137, 11138, 11139, 11140, 11141,
    11142,
    // playback and recording: the wave devices
    10046, 11215,
    // the sampler link: the title of a transfer's progress
    11370,
    // recording: the wave-in device, its mixer and the record dialog
    10037, 10038, 10039, 10040, 10041, 10042, 10043, 11019, 11020, 11021, 11022, 11023, 11024, 11025, 11026,
    // the analysis windows: the frequency analysis, its settings' pages, disk information, live input
    11015, 11016, 11017, 11047, 11085, 11086, 11144, 11214,
};

// The dialogs and their pictures that every language module holds.
std::vector<unsigned> const kDialogs = {
    4,   // the record dialog
    74,  // the open dialog's preview
    18, 20, 21, 22,  // the analysis settings and their style, frequency and vision pages
};
std::vector<unsigned> const kBitmaps = {
    10000,  // the record dialog's meter scale
    1016, 341,  // the analysis settings: the dial of the viewing angle, the pictures of the tabs
};

}  // namespace

TEST(LanguageTexts, EveryLanguageHoldsEveryText) {
    for (char const *name : {"EnglishTs.dll", "FrenchTs.dll", "GermanTs.dll"}) {
        HMODULE module = apptest::LoadLanguageModule(name);
        ASSERT_TRUE(module != 0) << name;
        for (unsigned id : kTexts) {
            char text[1024];
            EXPECT_GT(LoadStringA(module, id, text, sizeof text), 0) << name << " " << id;
        }
        FreeLibrary(module);
    }
}

TEST(LanguageTexts, EveryLanguageHoldsEveryDialogAndPicture) {
    for (char const *name : {"EnglishTs.dll", "FrenchTs.dll", "GermanTs.dll"}) {
        HMODULE module = apptest::LoadLanguageModule(name);
        ASSERT_TRUE(module != 0) << name;
        for (unsigned id : kDialogs)
            EXPECT_TRUE(FindResourceA(module, MAKEINTRESOURCEA(id), RT_DIALOG)) << name << " dialog " << id;
        for (unsigned id : kBitmaps)
            EXPECT_TRUE(FindResourceA(module, MAKEINTRESOURCEA(id), RT_BITMAP)) << name << " bitmap " << id;
        FreeLibrary(module);
    }
}
