// The wave document: splicing a source wave in (ReplaceFrom, InsertFrom), float reading,
// inserting an audio file and what a failure at each of its steps leaves, titles and save
// questions, and saving when only the markers changed.
#include "audio/AudioFile.h"
#include "audio/MarkerFile.h"
#include "audio/SampleProvider.h"
#include "audio/Wave.h"
#include "audio/WaveLinks.h"
#include "audio/WaveUndo.h"
#include "foundation/Exception.h"
#include "foundation/File.h"

#include "tests/app/AppTestSupport.h"
#include "tests/app/audio/AudioFileTestKit.h"
#include "tests/app/audio/WaveFixture.h"
#include "tests/app/audio/WaveTestKit.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

using namespace audiotest;
using namespace wavetest;

Samples Zeros(int n) { return Samples(size_t(n), 0); }

// A text of the language module with the title put in.
std::string Titled(unsigned id, std::string const &title) {
    std::string text = Text(id);
    return text.replace(text.find("%s"), 2, title);
}

class Waves : public WaveFixture {};

TEST_F(Waves, ReplaceFromAndInsertFromSpliceTheSourceIn) {
    enum Op { kReplace, kInsert };
    Samples a0 = DistinctSamples(1, 0, 0, 1000), a1 = DistinctSamples(1, 1, 0, 1000);
    Samples b = DistinctSamples(2, 0, 0, 300), c0 = DistinctSamples(3, 0, 0, 300), c1 = DistinctSamples(3, 1, 0, 300);
    auto part = [](Samples const &s, int first, int count) {
        return Samples(s.begin() + first, s.begin() + first + count);
    };
    struct Case {
        char const *what;
        Op op;
        int position, last, channels;
        bool stereoSource;
        int count;
        Samples left, right;
    } const cases[] = {
        {"mono into both", kReplace, 100, 0, 3, false, 0, Join({part(a0, 0, 100), b, part(a0, 400, 600)}),
         Join({part(a1, 0, 100), b, part(a1, 400, 600)})},
        {"count cut", kReplace, 100, 0, 3, true, 50, Join({part(a0, 0, 100), part(c0, 0, 50), part(a0, 150, 850)}),
         Join({part(a1, 0, 100), part(c1, 0, 50), part(a1, 150, 850)})},
        {"left past the end pads the right", kReplace, 900, 0, 1, true, 0, Join({part(a0, 0, 900), c0}),
         Join({a1, Zeros(200)})},
        {"right alone takes channel 0", kReplace, 100, 0, 2, true, 0, a0,
         Join({part(a1, 0, 100), c0, part(a1, 400, 600)})},
        {"beyond the end", kReplace, 1100, 0, 3, false, 0, Join({a0, Zeros(100), b}), Join({a1, Zeros(100), b})},
        {"last = position - 1 removes nothing", kInsert, 100, 99, 3, false, 0,
         Join({part(a0, 0, 100), b, part(a0, 100, 900)}), Join({part(a1, 0, 100), b, part(a1, 100, 900)})},
        {"a range replaced", kInsert, 100, 199, 3, true, 0, Join({part(a0, 0, 100), c0, part(a0, 200, 800)}),
         Join({part(a1, 0, 100), c1, part(a1, 200, 800)})},
        {"left only, cut", kInsert, 0, -1, 1, true, 10, Join({part(c0, 0, 10), a0}), Join({a1, Zeros(10)})},
    };
    for (Case const &c : cases) {
        std::unique_ptr<Wave> target(DistinctWave(1, 2, 1000));
        std::unique_ptr<Wave> source(c.stereoSource ? DistinctWave(3, 2, 300) : DistinctWave(2, 1, 300));
        if (c.op == kReplace)
            target->ReplaceFrom(c.position, c.channels, *source, c.count);
        else
            target->InsertFrom(c.position, c.last, c.channels, *source, c.count);
        target->UpdateLength(1);
        EXPECT_TRUE(c.left == ReadChannel(*target, 0)) << c.what;
        EXPECT_TRUE(c.right == ReadChannel(*target, 1)) << c.what;
        EXPECT_EQ(0, source->GetLength()) << c.what << ": the source is left empty";
        EXPECT_EQ(0, source->GetChannel(1).GetLength()) << c.what;
    }
}

TEST_F(Waves, AWaveFromASelectionTakesTheChannelsAsked) {
    Samples a0 = DistinctSamples(1, 0, 100, 51), a1 = DistinctSamples(1, 1, 100, 51);
    struct Case {
        char const *what;
        int active, whole, range;
        int channels;
        Samples left, right;
    } const cases[] = {
        {"both channels of the selection", 3, 0, 0, 2, a0, a1},
        {"the right channel alone", 2, 0, 0, 1, a1, {}},
        {"whole, both channels", 3, 1, 0, 2, a0, a1},
        {"whole, the left channel", 1, 1, 0, 2, a0, a0},
        {"a range", 1, 0, 1, 2, DistinctSamples(1, 0, 10, 21), DistinctSamples(1, 1, 10, 21)},
    };
    std::unique_ptr<Wave> source(DistinctWave(1, 2, 1000));
    for (Case const &c : cases) {
        source->SetSelection(100, 150, c.active, 0);
        std::unique_ptr<Wave> wave(Wave::CreateWaveFromSelection(*source, FileName("clip"), c.whole, 10, 30, c.range));
        EXPECT_EQ(c.channels, wave->GetNumChannels()) << c.what;
        EXPECT_TRUE(c.left == ReadChannel(*wave, 0)) << c.what;
        EXPECT_TRUE(c.right == ReadChannel(*wave, 1)) << c.what;
    }
}

TEST_F(Waves, FloatReadingGivesZerosPastTheEnd) {
    std::unique_ptr<Wave> wave(DistinctWave(4, 2, 500));
    ChannelSet right;
    right.SetMask(2);
    std::unique_ptr<ASampleProvider::Task> task(wave->CreateReadTask(right));
    std::vector<float> column(300, -1.0f);
    float *columns[] = {column.data()};
    EXPECT_EQ(200, wave->ReadFloatFrames(task.get(), columns, 100, 400, 200));
    EXPECT_EQ(-1.0f, column[99]) << "nothing before the given index";
    for (int i = 0; i < 100; ++i)
        ASSERT_EQ(float(Distinct(4, 1, 400 + i)) / 8388608.0f, column[size_t(100 + i)]) << i;
    for (int i = 200; i < 300; ++i)
        ASSERT_EQ(0.0f, column[size_t(i)]) << i;
}

// ---- inserting an audio file

class InsertFile : public Waves {
protected:
    InsertFile() {
        view = new RecordingView(*wave);
        wave->SetSelection(10, 20, 3, 0);
        wave->TryLock();  // the recorder held the wave while it wrote the file
    }

    // A registered file of frames frames, as the recorder hands it over.
    AudioFile *RecordedFile(int id, int frames, uint32_t rate) {
        std::unique_ptr<Wave> recorded(DistinctWave(id, 2, frames, rate));
        AudioFile *file = recorded->GetFirstFile();
        file->SetOwnerWave(nullptr);
        file->AddUse();  // held by the test while the recorded wave goes
        recorded.reset();
        return file;
    }

    void ExpectUnchanged(char const *what) {
        EXPECT_TRUE(DistinctSamples(5, 0, 0, 1000) == ReadChannel(*wave, 0)) << what;
        EXPECT_TRUE(DistinctSamples(5, 1, 0, 1000) == ReadChannel(*wave, 1)) << what;
        EXPECT_EQ(10, wave->GetSelectionStart()) << what;
        EXPECT_EQ(0, wave->GetNumUndoMementos()) << what;
        EXPECT_FALSE(wave->IsBusy()) << what;
    }

    std::unique_ptr<Wave> wave{DistinctWave(5, 2, 1000)};
    RecordingView *view;
    WarningRecorder warnings;
};

TEST_F(InsertFile, TheInsertedFramesAreSelectedAndOneStepRecorded) {
    AudioFile *file = RecordedFile(6, 200, 44100);
    ASSERT_EQ(1, wave->InsertAudioFile(100, 99, 3, file, nullptr, 0, 1, String("Record")));
    file->ReleaseUse();
    EXPECT_TRUE(Join({DistinctSamples(5, 0, 0, 100), DistinctSamples(6, 0, 0, 200), DistinctSamples(5, 0, 100, 900)}) ==
                ReadChannel(*wave, 0));
    EXPECT_EQ(100, wave->GetSelectionStart());
    EXPECT_EQ(299, wave->GetSelectionEnd());
    EXPECT_EQ(1, wave->GetNumUndoMementos());
    EXPECT_EQ(1, poster.flushes);
    EXPECT_EQ("0 0 0", view->told.back());
    EXPECT_FALSE(wave->IsBusy());
    wave->UndoCurrentState();
    ExpectUnchanged("undone");
}

TEST_F(InsertFile, AFailureAtAnyStepLeavesTheWaveAsItWas) {
    struct Case {
        char const *what;
        uint32_t rate;
        bool tooLong, viewFails, flushFails;
        unsigned text;
    } const cases[] = {
        {"another rate", 22050, false, false, false, 10062},
        {"too long", 44100, true, false, false, 10060},
        {"a view fails", 44100, false, true, false, 0},
        {"the main window fails", 44100, false, false, true, 0},
    };
    for (Case const &c : cases) {
        warnings.texts.clear();
        wave->TryLock();
        AudioFile *file = RecordedFile(6, 200, c.rate);
        if (c.tooLong) {
            wave->GetChannel(0).InsertSilence(1000, 0x7FFFFFFF - 1100);
            wave->UpdateLength(1);
        }
        view->failOnAll = c.viewFails;
        poster.failFlush = c.flushFails;
        EXPECT_EQ(0, wave->InsertAudioFile(100, 99, 3, file, nullptr, 0, 1, String("Record"))) << c.what;
        file->ReleaseUse();
        view->failOnAll = poster.failFlush = false;
        ASSERT_EQ(1u, warnings.texts.size()) << c.what;
        if (c.text)
            EXPECT_EQ(0u, warnings.texts[0].find(Text(c.text))) << c.what;
        if (c.tooLong) {
            wave->GetChannel(0).Remove(1000, 0x7FFFFFFF);
            wave->UpdateLength(1);
        }
        ExpectUnchanged(c.what);
    }
}

TEST_F(InsertFile, AsNewAWaveOfItsOwnOpensInAWindow) {
    struct Opener : WaveWindowLink {
        void OpenWaveWindow(Wave &wave, ViewMemento const *) override { opened.reset(&wave); }
        std::unique_ptr<Wave> opened;
    } opener;
    WaveWindowLink *previous = SetWaveWindowLink(&opener);
    AudioFile *file = RecordedFile(7, 300, 22050);
    EXPECT_EQ(1, wave->InsertAudioFile(0, 299, 3, file, nullptr, 1, 1, String("Record")));
    file->ReleaseUse();
    SetWaveWindowLink(previous);
    ASSERT_TRUE(opener.opened);
    EXPECT_EQ(22050u, opener.opened->GetRate());
    EXPECT_TRUE(DistinctSamples(7, 1, 0, 300) == ReadChannel(*opener.opened, 1));
    wave->Unlock();
    ExpectUnchanged("as new");
}

// ---- the document

TEST_F(Waves, TitlesAndQuestionsOfTheDocument) {
    WarningRecorder warnings;
    SamplePattern twoFiles(kPcm16, 2, 0, 44100);
    std::unique_ptr<Wave> wave(Wave::CreateEmptyWave(twoFiles));
    EXPECT_EQ(2, wave->GetFileCount());
    std::string untitled = Text(19007) + std::to_string(wave->GetUntitledNumber());
    EXPECT_EQ(untitled + " | " + untitled, wave->GetTitle().c_str());
    EXPECT_EQ("wav", std::string(wave->GetDefExtension().c_str()));
    EXPECT_EQ(Text(11042), wave->GetCaptionSaveAs(1).c_str());
    EXPECT_EQ(Text(11043), wave->GetCaptionSaveAs(2).c_str());
    EXPECT_EQ("", std::string(wave->GetCaptionSaveAs(0).c_str()));
    EXPECT_EQ("", std::string(wave->GetFileTitleA(smSaveAs, 0).c_str()));

    wave->PostReleaseRequest(0);
    EXPECT_EQ(0, poster.releases) << "only a transient wave asks to go";
    wave->SetTransient(1);
    wave->PostReleaseRequest(1);
    wave->PostReleaseRequest(0);
    EXPECT_EQ(1, poster.releases);
    EXPECT_EQ(1, wave->IsReleasePending());

    wave->TryLock();
    EXPECT_EQ(0, wave->CanCloseLastChance()) << "busy";
    ASSERT_EQ(1u, warnings.texts.size());
    EXPECT_NE(std::string::npos, warnings.texts[0].find(wave->GetTitle().c_str()));
    wave->Unlock();
    EXPECT_EQ(1, wave->CanCloseLastChance());
}

TEST_F(Waves, OnlyTheMarkerFileIsWrittenWhenOnlyMarkersChanged) {
    std::string path = dir.File("song.wav");
    testsupport::WriteBytes(path, SimpleWave(2, 16, 44100, Noise(4 * 2000, 1)));
    std::unique_ptr<Wave> wave(
        Wave::CreateWaveFromFile(OpenAudioFile(kAccessMapped, FileName(path.c_str()), 1, 1), nullptr, 1, nullptr, 0));
    EXPECT_EQ(0, wave->IsChanged());

    wave->GetMarkers().Add(new Marker(String("cue"), 500, Marker::kPlain, 0), 1);
    EXPECT_EQ(1, wave->IsChanged());
    EXPECT_EQ(Titled(11315, "song"), wave->GetSaveQueryMessage().c_str());

    std::string before = testsupport::ReadBytes(path);
    EXPECT_EQ(1, wave->SaveDoc(0));
    EXPECT_TRUE(File::Exist(MarkerFileName(FileName(path.c_str()))));
    EXPECT_EQ(before, testsupport::ReadBytes(path)) << "the audio file stays as it was";
    EXPECT_EQ(0, wave->IsChanged());

    // under another name only the file is written
    wave->GetMarkers().Add(new Marker(String("cue 2"), 700, Marker::kPlain, 0), 1);
    wave->AdoptMemento(new WaveUndoMemento(*wave, WaveUndoMemento::kMarkers, String("x"), 0, 0));
    FileName copy(dir.File("copy.wav").c_str());
    EXPECT_EQ(1, wave->WriteMarkerFile(copy, 1, 1));
    EXPECT_TRUE(File::Exist(MarkerFileName(copy)));
    EXPECT_EQ(1, wave->IsChanged());
    EXPECT_EQ(1, wave->GetNumUndoMementos());
    EXPECT_EQ(1, wave->SaveDoc(0));
    EXPECT_EQ(0, wave->GetNumUndoMementos()) << "a write under the own name ends the history";

    wave->GetChannel(0).Remove(0, 9);
    EXPECT_EQ(1, wave->IsChanged());
    EXPECT_EQ(Titled(11314, "song"), wave->GetSaveQueryMessage().c_str());
}

}  // namespace
