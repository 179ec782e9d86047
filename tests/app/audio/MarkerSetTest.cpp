// Marker sets: adding by the types that meet, validation with and without repair, names,
// searching, the types a marker may take, following edits, moving and the CD tracks.
#include "audio/MarkerDialogLink.h"
#include "audio/WaveCdTrack.h"
#include "foundation/Exception.h"
#include "tests/app/AppTestSupport.h"
#include "tests/app/audio/AudioFileTestKit.h"
#include "tests/app/audio/MarkerTestKit.h"
#include "tests/framework/BoxRecorder.h"

#include <gtest/gtest.h>

using markertest::Describe;
using markertest::Fill;
using markertest::TestWave;

namespace {

// Where the marker of each type stands, among what makes it valid, at frame 2940 (five
// CD frames) of a wave of 10000 frames.
char const *const kContexts[Marker::kNumTypes] = {
    "P2940", "D2940", "S2940 E5880", "S0 E2940", "S0 X2940 E5880", "S0 I2940 E5880", "<2940", ">2940", "|2940",
};

// A dialog that answers with a given choice, or cancels.
class AnsweringDialog : public MarkerDialogLink {
public:
    AnsweringDialog(int ok, MarkerChoice const &answer) : ok(ok), answer(answer) {
        previous = SetMarkerDialogLink(this);
    }
    ~AnsweringDialog() override { SetMarkerDialogLink(previous); }
    int RunMarkerDialog(MarkerSet &, int index, int position, MarkerChoice &choice, int allowedTypes) override {
        asked = std::to_string(index) + " " + std::to_string(position) + " type " + std::to_string(choice.type) +
                " auto " + std::to_string(choice.autoName) + " allowed " + std::to_string(allowedTypes);
        if (ok)
            choice = answer;
        return ok;
    }
    int ok;
    MarkerChoice answer;
    std::string asked;
    MarkerDialogLink *previous;
};

}  // namespace

// Row: the marker standing there; column: the type added. d: the new marker is dropped
// and nothing changes, m: the standing marker takes the new one's part (a splice), k: the
// new marker stays.
TEST(MarkerSet, AddMergesDropsOrKeepsByTheTypesThatMeet) {
    char const *const expected[Marker::kNumTypes] = {
        "dkkkkdkkk", "kdkkkdkkk", "kkdmmdkkk", "kkmdmdkkk", "kkddddkkk",
        "kkddddkkk", "kkkkkddmm", "kkkkkdmdm", "kkkkkdddd",
    };
    for (int standing = 0; standing < Marker::kNumTypes; ++standing) {
        std::string row;
        for (int added = 0; added < Marker::kNumTypes; ++added) {
            TestWave wave(10000, kContexts[standing]);
            int result = wave.markers.Add(new Marker(String(), 2940, added, 0), 1);
            bool merged = wave.markers.FindMarker(2940, standing) < 0;
            row += result & MarkerSet::kKept ? 'k' : merged ? 'm' : 'd';
            if (merged || (result & MarkerSet::kKept)) {
                EXPECT_TRUE(wave.markers.IsChanged()) << standing << " " << added;
            }
        }
        EXPECT_EQ(expected[standing], row) << "standing type " << standing;
    }
}

TEST(MarkerSet, AddMarksOnlyTheLatestMarkerAsJustAdded) {
    TestWave wave(10000);
    wave.markers.Add(new Marker(String(), 100, Marker::kPlain, 0), 1);
    wave.markers.Add(new Marker(String(), 200, Marker::kPlain, 0), 1);
    EXPECT_EQ(0, wave.markers.GetMarker(0)->flags_ & Marker::kJustAdded);
    EXPECT_NE(0, wave.markers.GetMarker(1)->flags_ & Marker::kJustAdded);
    // a plain marker standing first at the position does not hide the end behind it
    TestWave crowded(10000, "S0 P2940 E2940");
    crowded.markers.Add(new Marker(String(), 2940, Marker::kTrackStart, 0), 1);
    EXPECT_EQ("S0 P2940 X2940 E10000", Describe(crowded.markers));
}

TEST(MarkerSet, ValidateRepairsOrDropsWhatBreaksTheRules) {
    struct Case {
        char const *what;
        int length;
        char const *markers;
        char const *repaired;  // repair on
        char const *strict;    // repair off
    } const cases[] = {
        {"track under a CD frame", 10000, "S1000 E1500", "S1000 E10000", ""},
        {"end rounded up to CD frames", 10000, "S0 E1000c", "S0 E1176c", "S0 E1176c"},
        {"rounding past the wave's end", 1100, "S0 E1000c", "S0 E588c", "S0 E588c"},
        {"rounding past the next marker", 10000, "S0 E1000c P1100", "S0 E588c P1100", "S0 E588c P1100"},
        {"rounding past both neighbours", 1100, "S0 P700 E1000c", "S0 P700 E1000c", "S0 P700 E1000c"},
        {"index points onto CD frames", 10000, "S0 I100 I600 I1200 E3000", "S0 I588 I1176 E3000",
         "S0 I588 I1176 E3000"},
        {"index within a frame of the end", 10000, "S0 I600 E1000", "S0 E1000", "S0 E1000"},
        {"index outside a track", 10000, "I500 S1000 E3000 I4000", "S1000 E3000", "S1000 E3000"},
        {"index passing a plain marker", 10000, "S0 P1000 I1100 E5000", "S0 I588 P1000 E5000", "S0 I588 P1000 E5000"},
        {"index landing on the one before", 10000, "S0 I600 I700 E5000", "S0 I588 E5000", "S0 I588 E5000"},
        {"empty wave", 0, "P0 S0 E0", "", ""},
        {"past the end", 5000, "P7000", "P5000", "P5000"},
        {"start at the end", 5000, "S0 E3000 S5000", "S0 E3000", "S0 E3000"},
        {"splice at the end", 5000, "S0 X5000", "S0 E5000", "S0 E5000"},
        {"end and start at one position", 10000, "S0 E3000 S3000 E6000", "S0 X3000 E6000", "S0 X3000 E6000"},
        {"a plain marker between them", 10000, "S0 E3000 P3000 S3000 E6000", "S0 X3000 P3000 E6000",
         "S0 X3000 P3000 E6000"},
        {"same type twice", 10000, "P1000 P1000 D1000", "P1000 D1000", "P1000 D1000"},
        {"index then a start there", 10000, "S0 I2940 S2940 E5880", "S0 I2940 E5880", "S0 I2940 E5880"},
        {"range start and end", 10000, "<1000 >1000 >1000", "|1000", "|1000"},
        {"start after an open start", 10000, "S0 S3000 E6000", "S0 X3000 E6000", "S3000 E6000"},
        {"start after an open splice", 10000, "S0 X3000 S6000 E9000", "S0 X3000 X6000 E9000", "S0 X3000 E6000"},
        {"end with nothing before", 10000, "E3000", "S0a E3000", ""},
        {"end at frame 0 with nothing before", 10000, "E0 P5", "P5", "P5"},
        {"end after an end", 10000, "S0 E3000 E6000", "S0 X3000 E6000", "S0 E3000"},
        {"splice with nothing before", 10000, "X3000 E6000", "S0a X3000 E6000", "S3000 E6000"},
        {"splice after an end", 10000, "S0 E3000 X6000 E9000", "S0 X3000 X6000 E9000", "S0 E3000 S6000 E9000"},
        {"splice under a CD frame", 10000, "S0 X300 E6000", "S0 E6000", "S0 E6000"},
        {"open start", 10000, "S1000", "S1000 E10000", ""},
        {"open start near the end", 1500, "S1000", "", ""},
        {"open splice", 10000, "S0 X3000", "S0 X3000 E10000", "S0 E3000"},
        {"open splice near the end", 3300, "S0 X3000", "S0 E3000", "S0 E3000"},
        {"a closing end takes the start's flags", 10000, "S1000lc", "S1000lc E9820lc", ""},
        {"nothing to do", 10000, "P5 S0 E3000", "S0 P5 E3000", "S0 P5 E3000"},
    };
    for (auto const &c : cases) {
        for (int repair = 1; repair >= 0; --repair) {
            TestWave wave(c.length, c.markers);
            std::string before = Describe(wave.markers);
            int changed = wave.markers.Validate(repair, 0);
            std::string after = Describe(wave.markers);
            EXPECT_EQ(repair ? c.repaired : c.strict, after) << c.what << ", repair " << repair;
            EXPECT_EQ(before != after, changed != 0) << c.what << ", repair " << repair;
            EXPECT_EQ(0, wave.markers.Validate(repair, 0)) << c.what << ": a second pass finds nothing";
        }
    }
}

TEST(MarkerSet, AutomaticNamesFollowTheTracks) {
    apptest::UseEnglishTexts();
    TestWave wave(20000, "P100a S1000a I2176a I3352'x' I4528a X6000a E9000a D9500a S10000'Intro' E15000a");
    wave.markers.Validate(1, 1);
    EXPECT_EQ(
        "P100a'Marker' S1000a'Track 1' I2176a'i 1.1' I3352'x' I4528a'i 1.2' X6000a'Track 2' "
        "E9000a'Track 2' D9500a'Marker' S10000'Intro' E15000a'Intro'",
        Describe(wave.markers, true));
    EXPECT_EQ(0, wave.markers.Validate(1, 1)) << "names stand";
}

TEST(MarkerSet, SearchesSkipHiddenTypesInTheirDirection) {
    TestWave wave(10000, "P100 S200 E800 P800 D900");
    MarkerSet &m = wave.markers;
    m.SetVisibleTypes(Marker::VisibilityGroup(Marker::kPlain));
    int i;
    struct Case {
        char const *what;
        Marker *found;
        int index, expected;
    } const cases[] = {
        {"at or after 100", m.FindAtOrAfter(100, &i), i, 0},
        {"after 100", m.FindAfter(100, &i), i, 1},
        {"after 100, visible", m.FindAfter(100, &i, 1), i, 3},
        {"before 800", m.FindBefore(800, &i), i, 1},
        {"before 800, visible", m.FindBefore(800, &i, 1), i, 0},
        {"before 900, visible", m.FindBefore(900, &i, 1), i, 3},
        {"at or before 800", m.FindAtOrBefore(800, &i), i, 3},
        {"at or before 850, visible", m.FindAtOrBefore(850, &i, 1), i, 3},
        {"after 800, visible", m.FindAfter(800, &i, 1), i, -1},
        {"before 100", m.FindBefore(100, &i), i, -1},
    };
    for (auto const &c : cases) {
        EXPECT_EQ(c.expected, c.index) << c.what;
        EXPECT_EQ(m.GetMarker(c.expected), c.found) << c.what;
    }
    EXPECT_EQ(2, m.FindMarker(800, Marker::kTrackEnd));
    EXPECT_EQ(-1, m.FindMarker(800, Marker::kDrop));
    EXPECT_EQ(nullptr, m.FindExact(801));
    EXPECT_EQ(2, m.CountOfTypes(1 << Marker::kPlain));
}

TEST(MarkerSet, AllowedTypesAreThoseAMarkerKeeps) {
    TestWave wave(10000, "S0 E5000");
    EXPECT_EQ(0x1FF, wave.markers.AllowedTypes(-1, 2940)) << "new, inside a track";
    EXPECT_EQ(0x1C3, wave.markers.AllowedTypes(-1, 100)) << "new, within a CD frame of its start";
    EXPECT_EQ(0x1FB, wave.markers.AllowedTypes(1, 5000)) << "the end: anything but a start";
    EXPECT_EQ("S0 E5000", Describe(wave.markers)) << "the set itself stays";
}

TEST(MarkerSet, EditsMoveTheMarkersAlong) {
    struct Case {
        char const *what;
        char const *markers;
        void (*edit)(MarkerSet &);
        char const *after;
    } const cases[] = {
        {"insert", "P0 P1000 P1500", [](MarkerSet &m) { m.ShiftAfter(1000, 500); }, "P0 P1000 P2000"},
        {"delete", "P0 P1000 P1500 P2000 P3000", [](MarkerSet &m) { m.DeleteRange(1000, 2000); },
         "P0 P1000 P1000 P2000"},
        {"move later", "P0 P1000 P1500 P2000 P3000 P6000", [](MarkerSet &m) { m.MoveRange(1000, 2000, 5000); },
         "P0 P2000 P5000 P5500 P6000 P6000"},
        {"move earlier", "P0 P500 P1000 P1500 P2000", [](MarkerSet &m) { m.MoveRange(1000, 2000, 500); },
         "P0 P500 P1000 P1500 P1500"},
        {"stretch", "P1000 P1500 P3000", [](MarkerSet &m) { m.StretchRange(1000, 2000, 500); }, "P1000 P1250 P2500"},
        {"stretch to nothing", "P1000 P1500 P3000", [](MarkerSet &m) { m.StretchRange(1000, 2000, 0); }, "P1000 P2000"},
        {"stretch longer", "P1000 P1900 P3000", [](MarkerSet &m) { m.StretchRange(1000, 2000, 2000); },
         "P1000 P2800 P4000"},
        {"stretch a range of nothing", "P1000 P3000", [](MarkerSet &m) { m.StretchRange(1000, 1000, 50); },
         "P1000 P3050"},
        {"shift near the limit", "P10 P2147483000", [](MarkerSet &m) { m.ShiftAfter(0, 1000); }, "P1010 P2147483647"},
    };
    for (auto const &c : cases) {
        TestWave wave(10000, c.markers);
        c.edit(wave.markers);
        EXPECT_EQ(c.after, Describe(wave.markers)) << c.what;
    }
    MarkerSet a, b;
    Fill(a, "P100 P300");
    Fill(b, "S200 P300");
    a.MergeFrom(b);
    EXPECT_EQ("P100 S200 P300 P300", Describe(a));
    EXPECT_TRUE(b.IsEmpty());
}

TEST(MarkerSet, MovingRefusesLockedMarkersAndAsksBeforeLeavingIndexPoints) {
    apptest::UseEnglishTexts();
    TestWave locked(10000, "P100l");
    EXPECT_EQ(audiotest::Text(11239), audiotest::ErrorOf([&] { locked.markers.MoveMarkerTo(0, 500); }));
    EXPECT_EQ("P100l", Describe(locked.markers));

    for (int answer : {IDCANCEL, IDOK}) {
        BoxRecorder boxes(answer);
        TestWave wave(10000, "S0 I1176 E5000");
        wave.saved = wave.markers;
        EXPECT_EQ(answer == IDOK, wave.markers.MoveMarkerTo(0, 588) == 1);
        ASSERT_EQ(1u, boxes.Boxes.size());
        EXPECT_EQ(audiotest::Text(11240), boxes.Boxes[0].text);
        EXPECT_EQ(answer == IDOK ? "S588 I1176 E5000" : "S0 I1176 E5000", Describe(wave.markers));
        EXPECT_EQ(answer == IDOK, wave.markers.DiffersFromSaved());
    }
    BoxRecorder none;
    TestWave plain(10000, "P100 P200");
    EXPECT_EQ(1, plain.markers.MoveMarkerTo(0, 300));
    EXPECT_EQ(1, plain.markers.CopyMarkerTo(0, 50));
    EXPECT_EQ("P50 P200 P300", Describe(plain.markers));
    EXPECT_TRUE(none.Boxes.empty());
}

TEST(MarkerSet, CdTracksAreReadFromTheMarkers) {
    TestWave wave(10000, "S0'A' I1176 X5000'B' E9000 P9500");
    List<WaveCdTrack> tracks;
    wave.markers.GetCdTracks(tracks, 1);
    ASSERT_EQ(2, tracks.GetCount());
    WaveCdTrack const &first = *tracks[0];
    EXPECT_EQ(&wave, first.wave_);
    EXPECT_EQ("0 0 5000 A", std::to_string(first.number_) + " " + std::to_string(first.start_) + " " +
                                std::to_string(first.length_) + " " + first.name_.c_str());
    ASSERT_TRUE(first.indexes_);
    EXPECT_EQ("I1176", Describe(*first.indexes_));
    EXPECT_EQ("1 5000 4000 B", std::to_string(tracks[1]->number_) + " " + std::to_string(tracks[1]->start_) + " " +
                                   std::to_string(tracks[1]->length_) + " " + tracks[1]->name_.c_str());
    wave.markers.GetCdTracks(tracks, 0);
    EXPECT_EQ(2, tracks.GetCount());
    EXPECT_FALSE(tracks[0]->indexes_);

    int32_t start, end;
    EXPECT_EQ(1, wave.markers.FindCdTrackAt(5000, &start, &end));
    EXPECT_EQ(5000, start);
    EXPECT_EQ(9000, end);
    EXPECT_EQ(-1, wave.markers.FindCdTrackAt(9000, &start, &end));
    EXPECT_EQ(-1, start);
    EXPECT_EQ(3, wave.markers.FindCdTrackEnd(5000, 4000));
    EXPECT_EQ(-1, wave.markers.FindCdTrackEnd(0, 4000));
    MarkerSet copied;
    wave.markers.CopyIndexMarkersOfTrack(0, copied);
    EXPECT_EQ("I1176", Describe(copied));

    EXPECT_TRUE(wave.markers.IsRangeFreeOfTracks(0, 5000)) << "track markers at the ends";
    EXPECT_FALSE(wave.markers.IsRangeFreeOfTracks(0, 5001));
    EXPECT_FALSE(wave.markers.IsRangeFreeOfTracks(10, 5));
}

TEST(MarkerSet, TrackFromASelection) {
    struct Case {
        char const *what;
        char const *markers;
        int first, last;
        int dialog;  // -1 none, 0 cancelled, 1 answers "Intro", locked
        int endOnCdFrame;
        int result;
        char const *after;
    } const cases[] = {
        {"new track", "P100", 1000, 4999, -1, 0, 1, "P100 S1000a E5000a"},
        {"on CD frames", "", 1000, 4999, -1, 1, 0, "S1000a E5116ac"},
        {"from the dialog", "", 1000, 4999, 1, 0, 0, "S1000l'Intro' E5000l'Intro'"},
        {"dialog cancelled", "P100", 1000, 4999, 0, 0, -1, "P100"},
        {"after a track", "S0 E1000", 1000, 4999, 0, 0, 1, "S0 X1000 E5000"},
        {"before a track", "S5000 E8000", 1000, 4999, -1, 0, 0, "S1000a X5000 E8000"},
        {"over a track marker", "S3000 E8000", 1000, 4999, -1, 0, -1, "S3000 E8000"},
        {"backwards", "", 4999, 1000, -1, 0, -1, ""},
    };
    apptest::UseEnglishTexts();
    for (auto const &c : cases) {
        MarkerChoice answer;
        answer.name = "Intro";
        answer.type = Marker::kTrackStart;
        answer.locked = 1;
        AnsweringDialog dialog(c.dialog, answer);
        TestWave wave(10000, c.markers);
        EXPECT_EQ(c.result, wave.markers.AddCdTrackFromRange(c.first, c.last, c.dialog < 0, c.endOnCdFrame)) << c.what;
        EXPECT_EQ(c.after, Describe(wave.markers, c.dialog == 1)) << c.what;
        bool made = c.result >= 0;
        EXPECT_EQ(made ? std::vector<int>{0} : std::vector<int>{}, wave.notified) << c.what;
        if (made) {
            EXPECT_EQ(Marker::VisibilityGroup(Marker::kTrackStart),
                      wave.markers.GetVisibleTypes() & Marker::VisibilityGroup(Marker::kTrackStart));
        }
        if (c.dialog >= 0 && std::string(c.markers).empty()) {
            EXPECT_EQ("-1 1000 type 2 auto 1 allowed 4", dialog.asked) << c.what;
        }
    }
}

TEST(MarkerSet, WholeWaveTrackIsMadeOnlyWhenTheUserAgrees) {
    apptest::UseEnglishTexts();
    struct Case {
        char const *what;
        int length;
        char const *markers;
        int answer, views;
        int result, boxes, written;
        char const *after;
    } const cases[] = {
        {"empty wave", 0, "", IDOK, 1, 0, 0, 0, ""},
        {"has a track", 10000, "S0 E3000", IDOK, 1, 1, 0, 0, "S0'' E3000''"},
        {"declined", 10000, "P5", IDCANCEL, 1, 0, 1, 0, "P5''"},
        {"shown", 10000, "P5", IDOK, 1, 1, 1, 0, "S0'CD' P5'' E10000'CD'"},
        {"not shown: written at once", 10000, "", IDOK, 0, 1, 1, 1, "S0'CD' E10000'CD'"},
        {"too short for a track", 500, "", IDOK, 1, 0, 1, 0, ""},
    };
    for (auto const &c : cases) {
        BoxRecorder boxes(c.answer);
        TestWave wave(c.length, c.markers);
        wave.views = c.views;
        EXPECT_EQ(c.result, wave.markers.EnsureWholeWaveTrack("song.wav", "CD")) << c.what;
        EXPECT_EQ(c.boxes, int(boxes.Boxes.size())) << c.what;
        if (c.boxes) {
            EXPECT_NE(std::string::npos, boxes.Boxes[0].text.find("song.wav")) << c.what;
        }
        EXPECT_EQ(c.written, wave.written) << c.what;
        EXPECT_EQ(c.after, Describe(wave.markers, true)) << c.what;
        EXPECT_EQ(c.result && c.boxes && c.views ? std::vector<int>{0} : std::vector<int>{}, wave.notified) << c.what;
    }
}

TEST(MarkerSet, DropMarkersDoNotMakeTheSetDifferFromTheSaved) {
    TestWave wave(10000, "P100 S200 E3000");
    wave.saved = wave.markers;
    wave.markers.UpdateModified();
    EXPECT_FALSE(wave.markers.DiffersFromSaved());
    wave.markers.Add(new Marker(String(), 500, Marker::kDrop, 0), 1);
    EXPECT_FALSE(wave.markers.DiffersFromSaved());
    EXPECT_FALSE(wave.markers.IsEqual(wave.saved, 1));
    wave.markers.Add(new Marker(String(), 600, Marker::kPlain, 0), 1);
    EXPECT_TRUE(wave.markers.DiffersFromSaved());
    // an undo step put back works the flag out again rather than forgetting it
    MarkerSet step(wave.markers);
    wave.markers = wave.saved;
    EXPECT_FALSE(wave.markers.DiffersFromSaved());
    wave.markers = step;
    EXPECT_TRUE(wave.markers.DiffersFromSaved());
    EXPECT_TRUE(wave.markers.IsChanged());
    MarkerSet other(nullptr);
    Fill(other, "P100 S200 E3000");
    EXPECT_FALSE(other.IsEqual(wave.saved, 0)) << "another wave's markers";
}
