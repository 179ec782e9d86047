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
    // the marker window, its commands and the marker dialog
    11028, 11029, 11279, 11280, 11310, 11312, 11313, 634, 635,
    // effects: the registry's names and a new task's name
    11076, 11127, 11128, 11129, 11130, 11131, 11132, 11133, 11134, 11135, 11136, 11137, 11138, 11139, 11140, 11141,
    11142,
    // playback and recording: the wave devices
    10046, 11215,
    // the sampler link: the title of a transfer's progress
    11370,
    // recording: the wave-in device, its mixer and the record dialog
    10037, 10038, 10039, 10040, 10041, 10042, 10043, 11019, 11020, 11021, 11022, 11023, 11024, 11025, 11026,
    // wave edits, saving and the new-wave dialog's users
    10000, 10051, 10070, 10071, 10072, 11031, 11033, 11038, 11040, 11057, 11058, 11059, 11060, 11061, 11066, 11068,
    11069, 11071, 11072, 11078, 11079, 11080, 11143,
    // the wave window's edit commands and their guards
    10049, 10054, 10055, 10056, 10057, 11039, 11074,
    // the wave window's commands that clear the undo history, copy out a new sound, add a CD track
    10019, 11073, 11312,
    // dragging and dropping audio in the wave window
    10004, 11032, 11075,
    // the audio engine: loading modules, the processor warning, engine errors
    19021, 11233, 11203, 11204, 11205, 11206, 11207, 11208, 11209, 11307, 11308, 11309, 11354, 11355,
    // self-registration of modules
    11302, 11303, 11304, 11305, 11306,
    // the background task window
    11216, 11217, 11218, 11219, 11220, 11221, 11222, 11223, 11224, 11227, 11228, 11229, 11230,
    // the wave window: the hints of the view's commands
    459, 460, 461, 462, 463, 464, 466, 467, 469, 585,
    // the rulers and level scales: their menus' hints, marker drags, the default style's name
    142, 143, 144, 145, 146, 147, 148, 149, 150, 400, 401, 605, 636, 831, 390, 391, 392, 393, 394, 395, 396, 397,
    11030, 11102, 11103, 11311, 11312, 11313,
    // the application shell: its bars, undo texts, close refusals, deleting files, system
    // errors, settings, modules, the volume and the background jobs' end
    10016, 10048, 11036, 11037, 11081, 11082, 11083, 11084, 11117, 11193, 11197, 11231, 11232, 11400, 11401,
    11402, 11403, 11404, 18027, 18028,
    // the analysis windows: the frequency analysis, its settings' pages, disk information, live input
    11015, 11016, 11017, 11047, 11085, 11086, 11144, 11214,
    // the preferences: the refused folder, the tabs, languages, device information, slopes, latency, CD buffers
    10001, 11000, 11001, 11002, 11003, 11004, 11005, 11006, 11007, 11118, 11119, 11120, 11121, 11122, 11123, 11124,
    11125, 11126, 11189, 11190, 11352,
};

// The dialogs, their pictures and the menus that every language module holds.
std::vector<unsigned> const kDialogs = {
    2,   // the new-wave dialog
    4,   // the record dialog
    74,  // the open dialog's preview
    7,   // multi-paste
    16,  // move the caret
    3,   // saving a style set
    18, 20, 21, 22,  // the analysis settings and their style, frequency and vision pages
    43,  // the marker dialog
    63,  // the marker filter
    59,              // the effects' input box
    10, 41, 58, 8, 13, 14, 11, 15, 12, 38, 72,  // the preferences and their ten pages
};
std::vector<unsigned> const kBitmaps = {
    350,    // the new-wave dialog's picture
    10000,  // the record dialog's meter scale
    1016, 341,  // the analysis settings: the dial of the viewing angle, the pictures of the tabs
    211,        // the marker window's icons of the marker types
    332,        // the pictures of the preferences' tabs
};
std::vector<unsigned> const kMenus = {
    1,         // the main frame
    109, 110,  // the background task window's list and load graph
    108,       // the marker window's list
    102,       // the wave pane's popup
    100, 101,  // the time ruler's and the level scale's popup menus
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
        for (unsigned id : kMenus)
            EXPECT_TRUE(FindResourceA(module, MAKEINTRESOURCEA(id), RT_MENU)) << name << " menu " << id;
        // the open dialog's preview
        EXPECT_TRUE(FindResourceA(module, MAKEINTRESOURCEA(74), RT_DIALOG) != 0) << name;
        // the wave window's menu: Edit, then three menus of the window's own
        HMENU menu = LoadMenuA(module, MAKEINTRESOURCEA(2));
        EXPECT_EQ(4, menu ? GetMenuItemCount(menu) : 0) << name;
        if (menu)
            DestroyMenu(menu);
        FreeLibrary(module);
    }
}
