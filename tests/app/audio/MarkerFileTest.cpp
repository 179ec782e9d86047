// Marker files: a round trip, when a file is written or deleted, what a write under
// another name leaves alone, and files that break the rules.
#include "audio/MarkerFile.h"

#include "foundation/File.h"
#include "foundation/FileName.h"
#include "tests/app/AppTestSupport.h"
#include "tests/app/audio/MarkerTestKit.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

using markertest::Describe;
using markertest::TestWave;

namespace {

bool Exists(std::string const &path) { return File::Exist(FileName(path.c_str())) != 0; }

}  // namespace

TEST(MarkerFile, StoredMarkersComeBackAsTheyWere) {
    apptest::UseEnglishTexts();
    testsupport::TempDir dir;
    FileName audio(dir.File("song.wav").c_str());
    EXPECT_EQ(dir.File("song.MRK"), MarkerFileName(audio).c_str());

    TestWave wave(20000, "P100'' D200'dropped' S1000'Intro' I2176a E5000lc <6000'a=b {}' >7000a S8000a E9000");
    wave.markers.Validate(1, 1);
    wave.markers.GetMarker(0)->flags_ |= Marker::kJustAdded | Marker::kHighlighted;
    StoreMarkerFile(audio, wave.markers, wave.saved, 1, 1, 1);
    EXPECT_FALSE(wave.markers.DiffersFromSaved());
    EXPECT_TRUE(wave.markers.IsEqual(wave.saved, 1));

    TestWave opened(20000, "P5");
    ASSERT_EQ(1, LoadMarkerFile(audio, opened.markers, opened.saved));
    std::string expected = Describe(wave.markers, true);
    expected.erase(expected.find(" D200'dropped'"), 14);
    EXPECT_EQ(expected, Describe(opened.markers, true));
    EXPECT_EQ(0, opened.markers.GetMarker(0)->flags_ & ~Marker::kStoredFlags) << "passing flags are not stored";
    EXPECT_TRUE(opened.markers.IsChanged());
    EXPECT_FALSE(opened.markers.DiffersFromSaved());
    EXPECT_EQ(expected, Describe(opened.saved, true));

    TestWave without(20000, "P5");
    EXPECT_EQ(0, LoadMarkerFile(FileName(dir.File("other.wav").c_str()), without.markers, without.saved));
    EXPECT_EQ("P5", Describe(without.markers)) << "no file: the markers stay";
}

TEST(MarkerFile, WrittenOnlyWhenAskedAndDeletedWhenNothingIsLeft) {
    testsupport::TempDir dir;
    FileName audio(dir.File("song.wav").c_str());
    std::string const mrk = dir.File("song.MRK");
    struct Case {
        char const *what;
        char const *saved, *markers;
        bool fileBefore;
        int force, onlyIfAny;
        bool fileAfter;
    } const cases[] = {
        {"unchanged, not forced", "P100", "P100", false, 0, 0, false},
        {"changed, not forced", "P100", "P100 P200", false, 0, 0, true},
        {"forced", "P100", "P100", false, 1, 0, true},
        {"only drop markers", "", "D100", true, 1, 0, false},
        {"nothing, only if any, no file", "", "D100", false, 1, 1, false},
        {"nothing, only if any, a file", "", "", true, 1, 1, false},
        {"nothing left, changed", "P100", "", true, 0, 0, false},
        {"drop marker added only", "P100", "P100 D200", true, 0, 0, true},
    };
    for (auto const &c : cases) {
        if (c.fileBefore)
            testsupport::WriteBytes(mrk, "Markers\r\n{\r\n}\r\n");
        else
            File::Delete(FileName(mrk.c_str()));
        TestWave wave(10000, c.saved);
        wave.saved = wave.markers;
        wave.markers.DeleteAll();
        markertest::Fill(wave.markers, c.markers);
        std::string before = testsupport::ReadBytes(mrk);
        StoreMarkerFile(audio, wave.markers, wave.saved, c.force, c.onlyIfAny, 1);
        EXPECT_EQ(c.fileAfter, Exists(mrk)) << c.what;
        if (std::string(c.what) == "drop marker added only") {
            EXPECT_EQ(before, testsupport::ReadBytes(mrk)) << c.what << ": left as it was";
        }
        EXPECT_EQ(Describe(wave.markers), Describe(wave.saved)) << c.what << ": the markers count as saved";
    }
}

TEST(MarkerFile, WritingUnderAnotherNameLeavesTheSavedStateAlone) {
    testsupport::TempDir dir;
    TestWave wave(10000, "P100");
    wave.saved = wave.markers;
    wave.markers.Add(new Marker(String("new"), 200, Marker::kPlain, 0), 0);
    ASSERT_TRUE(wave.markers.DiffersFromSaved());
    StoreMarkerFile(FileName(dir.File("copy.wav").c_str()), wave.markers, wave.saved, 1, 1, 0);
    EXPECT_TRUE(Exists(dir.File("copy.MRK")));
    EXPECT_TRUE(wave.markers.DiffersFromSaved());
    EXPECT_EQ("P100", Describe(wave.saved));
}

TEST(MarkerFile, HostileFilesGiveValidMarkers) {
    apptest::UseEnglishTexts();
    testsupport::TempDir dir;
    auto group = [](char const *name, char const *values) {
        return std::string("\t") + name + "\r\n\t{\r\n" + values + "\t}\r\n";
    };
    testsupport::WriteBytes(
        dir.File("bad.MRK"),
        "Markers\r\n{\r\n" + group("Marker", "\t\tName=before\r\n\t\tPos=-5\r\n\t\tType=0\r\n") +
            group("Marker1", "\t\tName=after\r\n\t\tPos=2147483647\r\n\t\tType=0\r\n\t\tFlags=2\r\n") +
            group("Marker2", "\t\tName=unknown\r\n\t\tPos=300\r\n\t\tType=99\r\n") +
            group("Marker3", "\t\tName=negative\r\n\t\tPos=400\r\n\t\tType=-1\r\n") +
            group("Marker4", "\t\tPos=500\r\n\t\tType=0\r\n") +
            group("Marker5", "\t\tName=*\r\n\t\tPos=600\r\n\t\tType=0\r\n\t\tFlags=-8\r\n") +
            group("Marker6", "\t\tName=end\r\n\t\tPos=3000\r\n\t\tType=3\r\n\t\tFlags=255\r\n") + "\tStray=1\r\n}\r\n");
    TestWave wave(10000);
    ASSERT_EQ(1, LoadMarkerFile(FileName(dir.File("bad.wav").c_str()), wave.markers, wave.saved));
    EXPECT_EQ("P0'before' S0a'Track 1' P500'Marker4' P600'' E3528alc'Track 1' P10000l'after'",
              Describe(wave.markers, true));
}
