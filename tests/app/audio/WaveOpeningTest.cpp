// Opening waves: the files chosen in the open dialog (two mono files pairing into one
// stereo wave, and the pairs that may not), the wave's packed part of the window layout,
// and the options text that may come with a file.
#include "audio/AudioFile.h"
#include "audio/TimeSettings.h"
#include "audio/Wave.h"
#include "audio/WaveFactory.h"
#include "audio/WaveLinks.h"
#include "audio/WaveMemento.h"
#include "audio/WaveSettings.h"
#include "foundation/FileSelector.h"
#include "foundation/PtrLists.h"

#include "tests/app/AppTestSupport.h"
#include "tests/app/audio/AudioFileTestKit.h"
#include "tests/app/audio/WaveTestKit.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

using namespace audiotest;
using namespace wavetest;

// 16-bit little-endian samples counting up from first.
std::string Counting(int frames, int channels, int first) {
    std::string bytes;
    for (int i = 0; i < frames * channels; ++i)
        bytes += Le16(uint32_t(first + i));
    return bytes;
}

// A wave window that keeps which waves got a window (a view the wave deletes).
struct WindowRecorder : WaveWindowLink {
    WindowRecorder() : previous(SetWaveWindowLink(this)) {}
    ~WindowRecorder() override { SetWaveWindowLink(previous); }
    void OpenWaveWindow(Wave &wave, ViewMemento const *) override {
        new RecordingView(wave);
        opened.push_back(&wave);
    }
    std::vector<Wave *> opened;
    WaveWindowLink *previous;
};

// What the file selector's stand-in answers: the files of the current case; and the
// dialog it was asked for.
std::vector<std::string> chosen;
FileSelectorInfo asked;

int AnswerChosen(FileSelectorInfo &info) {
    asked = info;
    for (std::string const &name : chosen)
        info.selectedFiles.Append(new FileName(name.c_str()));
    return 1;
}

class Opening : public ::testing::Test {
protected:
    Opening() {
        apptest::UseEnglishTexts();
        manager.reset(new DocumentsScope);
        previousAnswer = SetFileSelectorAnswer(&AnswerChosen);
    }
    ~Opening() override {
        SetFileSelectorAnswer(previousAnswer);
        manager.reset();
        TheWaveSettings() = WaveSettings();
    }

    std::string File(char const *name, std::string const &content) {
        testsupport::WriteBytes(dir.File(name), content);
        return dir.File(name);
    }

    // The waves the open dialog's choice gives, as the program opens them (without windows).
    std::vector<Wave *> OpenChosen(std::vector<std::string> const &names, int noView = 1) {
        chosen = names;
        ListOfPtr<Document> opened;
        manager->OpenFileOpenDialog(Wave::_factory, nullptr, &opened, noView, 0);
        std::vector<Wave *> waves;
        for (Document *d = manager->FindFirstDoc(); d; d = manager->FindNextDoc(d))
            waves.push_back(dynamic_cast<Wave *>(d));
        EXPECT_EQ(size_t(opened.GetCount()), waves.size());
        return waves;
    }

    testsupport::TempDir dir;
    SettingsScope settings{dir.Path()};
    std::unique_ptr<DocumentsScope> manager;
    FileSelectorAnswer previousAnswer;
};

TEST_F(Opening, OnlyTwoDifferentMonoFilesOfOneFormatPair) {
    std::string left = File("left.wav", SimpleWave(1, 16, 44100, Counting(100, 1, 1000)));
    std::string right = File("right.wav", SimpleWave(1, 16, 44100, Counting(100, 1, 5000)));
    std::string stereo = File("both.wav", SimpleWave(2, 16, 44100, Counting(100, 2, 9000)));
    std::string slower = File("slow.wav", SimpleWave(1, 16, 22050, Counting(100, 1, 7000)));
    std::string bytes = File("bytes.wav", SimpleWave(1, 8, 44100, std::string(100, '\x90')));
    std::string damaged = File("damaged.wav", SimpleWave(3, 16, 44100, Noise(60, 5)));
    struct Case {
        char const *what;
        std::vector<std::string> files;
        int dualMono;
        std::vector<int> channels;  // of each wave opened, in order
        size_t boxes;
    } const cases[] = {
        {"two mono", {left, right}, 1, {2}, 0},
        {"setting off", {left, right}, 0, {1, 1}, 0},
        {"stereo and mono", {stereo, right}, 1, {2, 1}, 0},
        {"mono and stereo", {left, stereo}, 1, {1, 2}, 0},
        {"rates differ", {left, slower}, 1, {1, 1}, 0},
        {"formats differ", {left, bytes}, 1, {1, 1}, 0},
        {"one file twice", {left, left}, 1, {1}, 0},
        {"the partner cannot be opened", {left, damaged}, 1, {1}, 1},
    };
    for (Case const &c : cases) {
        SCOPED_TRACE(c.what);
        TheWaveSettings().openDualMono = c.dualMono;
        WarningRecorder warnings;
        WindowRecorder windows;
        std::vector<Wave *> waves = OpenChosen(c.files, 0);
        ASSERT_EQ(c.channels.size(), waves.size());
        EXPECT_EQ(waves, windows.opened) << "one window for each wave, a pair's once paired";
        for (size_t i = 0; i < waves.size(); ++i) {
            EXPECT_EQ(c.channels[i], waves[i]->GetNumChannels());
            EXPECT_EQ(100, waves[i]->GetLength());
        }
        EXPECT_EQ(c.boxes, warnings.texts.size());
        for (Wave *wave : waves)
            Document::Delete(wave);
    }
}

TEST_F(Opening, APairIsOneStereoWaveOfTwoFiles) {
    std::string left = File("Left.wav", SimpleWave(1, 16, 44100, Counting(100, 1, 1000)));
    std::string right = File("Right.wav", SimpleWave(1, 16, 44100, Counting(60, 1, 5000)));
    std::vector<Wave *> waves = OpenChosen({left, right});
    ASSERT_EQ(1u, waves.size());
    Wave &wave = *waves[0];
    EXPECT_EQ(2, wave.GetFileCount());
    EXPECT_STREQ("Left | Right", wave.GetTitle().c_str());
    EXPECT_EQ(2, wave.GetNumFileNames());
    EXPECT_EQ(0, wave.IsChanged());
    // the shorter file is padded to the longer one's length
    Samples rightChannel = ReadChannel(wave, 1);
    ASSERT_EQ(100u, rightChannel.size());
    EXPECT_EQ(5000 * 256, rightChannel[0]);
    EXPECT_EQ(0, rightChannel[60]);
    EXPECT_EQ(1000 * 256, ReadChannel(wave, 0)[0]);
    EXPECT_EQ(1, wave.IsAttachedTo(FileName(right.c_str())));

    // the dialog asked for: several files, with the preview
    EXPECT_EQ(74, asked.templateId);
    EXPECT_EQ(&WaveFilePreviewHook, asked.hook);
    EXPECT_EQ(1, asked.multiSelection);
}

TEST_F(Opening, TheMarkerFileIsReadWhenAWaveOpens) {
    FileName name(File("cues.wav", SimpleWave(1, 16, 44100, Counting(1000, 1, 0))).c_str());
    Wave *wave = Wave::_factory.OpenWaveDocument(name, nullptr, 0);
    wave->GetMarkers().Add(new Marker(String("cue"), 500, Marker::kPlain, 0), 1);
    wave->WriteMarkerFile(name, 1, 0);
    Document::Delete(wave);
    wave = Wave::_factory.OpenWaveDocument(name, nullptr, 0);
    ASSERT_EQ(1, wave->GetMarkers().GetCount());
    EXPECT_EQ(500, wave->GetMarkers().GetMarker(0)->position_);
    EXPECT_EQ(0, wave->IsChanged());
    Document::Delete(wave);
}

// ---- the packed memento

std::vector<int32_t> Words(PackedMemento const *packed) {
    std::vector<int32_t> words(PackedMemento::GetLength(packed) / 4);
    std::memcpy(words.data(), packed, words.size() * 4);
    return words;
}

TEST_F(Opening, TheLayoutMementoPacksTo160Bytes) {
    std::string name = File("m.wav", SimpleWave(2, 16, 44100, Counting(1000, 2, 0)));
    Wave *wave = Wave::_factory.OpenWaveDocument(FileName(name.c_str()), nullptr, 0);
    ASSERT_TRUE(wave);
    wave->SetSelection(100, 199, 2, 0);
    wave->SetLevel(1234, 0);
    wave->SetCaret(2, 150);

    // without view records: 128 zero bytes at 32
    PackedMemento *packed = wave->CreatePackedMemento();
    std::vector<int32_t> words = Words(packed);
    std::vector<int32_t> expected = {160, 0, 1234, 100, 199, 2, 150, 0};
    expected.resize(40, 0);
    EXPECT_EQ(expected, words);

    // unpacked and applied to another wave over the same file
    WaveMemento memento;
    memento.views.records[7].words[3] = 77;
    memento.mementoWord = 5;
    memento.caret = 3;
    PackedMemento *withViews = PackWaveMemento(memento);
    std::unique_ptr<DocMemento> back(Wave::_factory.CreateUnpackedDocMemento(withViews));
    WaveMemento const &unpacked = dynamic_cast<WaveMemento const &>(*back);
    EXPECT_EQ(77, unpacked.views.records[7].words[3]);
    EXPECT_EQ(5, unpacked.mementoWord);
    EXPECT_EQ(3, unpacked.caret);
    EXPECT_EQ(nullptr, Wave::_factory.CreateUnpackedDocMemento(nullptr));

    // short or inconsistent blocks give the defaults
    std::vector<int32_t> good = Words(packed);
    struct Case {
        char const *what;
        int word;
        int32_t value;
        size_t length;
    } const bad[] = {
        {"short", -1, 0, 100},       {"longer", -1, 0, 164},         {"second word", 1, 9, 160},
        {"level 0", 2, 0, 160},      {"level 40000", 2, 40000, 160}, {"start after end", 3, 300, 160},
        {"start below -1", 3, -5, 160}, {"channels 4", 5, 4, 160},   {"caret -1", 6, -1, 160},
    };
    for (Case const &c : bad) {
        std::vector<int32_t> block = good;
        block.resize(c.length / 4 + 1, 0x5a5a5a5a);
        block[0] = int32_t(c.length);
        if (c.word >= 0)
            block[size_t(c.word)] = c.value;
        std::unique_ptr<DocMemento> got(
            Wave::_factory.CreateUnpackedDocMemento(reinterpret_cast<PackedMemento const *>(block.data())));
        WaveMemento const &m = dynamic_cast<WaveMemento const &>(*got);
        EXPECT_EQ(-1, m.selectionStart) << c.what;
        EXPECT_EQ(AudioObject::kFullLevel, m.level) << c.what;
        EXPECT_EQ(3, m.activeChannels) << c.what;
        EXPECT_EQ(0, m.caret) << c.what;
    }
    PackedMemento::Free(packed);
    PackedMemento::Free(withViews);
}

// ---- open options

TEST_F(Opening, OpenOptionsSetSelectionCaretChannelsMarkersAndTime) {
    std::string stereo = File("s.wav", SimpleWave(2, 16, 44100, Counting(1000, 2, 0)));
    std::string mono = File("m.wav", SimpleWave(1, 16, 44100, Counting(1000, 1, 0)));
    struct Case {
        char const *options;
        bool isStereo;
        int start, end, channels, caret, markers;
    } const cases[] = {
        {"SL=10|SR=20|CH=1|CRS=5", true, 10, 20, 1, 5, 0},
        {" sl = 30 | Sr = 40 | ch = 2 ", true, 30, 40, 2, 0, 0},
        {"SL=10|SR=-1", true, -1, -1, 3, 0, 0},
        {"SL=10", true, -1, -1, 3, 0, 0},
        {"SL=10|SR=20|CRS=-4", true, 10, 20, 3, 0, 0},
        {"CH=2", false, -1, -1, 1, 0, 0},
        {"CRS=700|NEW=1|junk", true, -1, -1, 3, 700, 0},
        {"MRK=Intro(100)|MRK=200|MRK=()|MRK=", true, -1, -1, 3, 0, 2},
    };
    for (Case const &c : cases) {
        SCOPED_TRACE(c.options);
        Wave *wave = Wave::_factory.OpenWaveDocument(FileName((c.isStereo ? stereo : mono).c_str()), nullptr, 0);
        ASSERT_TRUE(wave);
        RecordingView &view = *new RecordingView(*wave);  // the wave deletes it
        wave->ExecuteOpenOptions(String(c.options), 1);
        EXPECT_EQ(c.start, wave->GetSelectionStart());
        EXPECT_EQ(c.end, wave->GetSelectionEnd());
        EXPECT_EQ(c.channels, wave->GetActiveChannels());
        EXPECT_EQ(c.caret, wave->GetCaret());
        EXPECT_EQ(c.markers, wave->GetMarkers().GetCount());
        ASSERT_FALSE(view.told.empty());
        EXPECT_EQ("0 0 0", view.told.back());
        Document::Delete(wave);
    }
    Wave *wave = Wave::_factory.OpenWaveDocument(FileName(stereo.c_str()), nullptr, 0);
    wave->ExecuteOpenOptions(String("MRK=Intro (100)"), 0);
    EXPECT_STREQ("Intro", wave->GetMarkers().GetMarker(0)->name_.c_str());
    EXPECT_EQ(100, wave->GetMarkers().GetMarker(0)->position_);

    // the musical time: kept within bounds, unknown values left as they were
    TimeSettings saved = TheTimeSettings();
    wave->ExecuteOpenOptions(String("BPM=90.5|TCK=480|SGN=3/8|FRM=29.97"), 0);
    EXPECT_EQ(90500, TheTimeSettings().tempo);
    EXPECT_EQ(480, TheTimeSettings().ticks);
    EXPECT_EQ(3, TheTimeSettings().beatMeasure);
    EXPECT_EQ(8, TheTimeSettings().beatWholeNote);
    EXPECT_EQ(29.97, TheTimeSettings().framesPerSecond);
    wave->ExecuteOpenOptions(String("BPM=5|SGN=40:3|FRM=26"), 0);
    EXPECT_EQ(10000, TheTimeSettings().tempo);
    EXPECT_EQ(16, TheTimeSettings().beatMeasure);
    EXPECT_EQ(8, TheTimeSettings().beatWholeNote);
    EXPECT_EQ(29.97, TheTimeSettings().framesPerSecond);
    wave->ExecuteOpenOptions(String("BPM=9000|SGN=0\\16"), 0);
    EXPECT_EQ(500000, TheTimeSettings().tempo);
    EXPECT_EQ(1, TheTimeSettings().beatMeasure);
    EXPECT_EQ(16, TheTimeSettings().beatWholeNote);
    TheTimeSettings() = saved;
    Document::Delete(wave);
}

// The options of a name opened from a command line reach the wave, in place of a layout.
TEST_F(Opening, OptionsComeWithTheNameOpened) {
    std::string name = File("region.wav", SimpleWave(1, 16, 44100, Counting(1000, 1, 0)));
    Wave *wave = dynamic_cast<Wave *>(manager->OpenProperDocument(FileName((name + "|SL=100 |SR=149 |CRS=100").c_str()),
                                                                  nullptr));
    ASSERT_TRUE(wave);
    EXPECT_EQ(100, wave->GetSelectionStart());
    EXPECT_EQ(149, wave->GetSelectionEnd());
    EXPECT_EQ(100, wave->GetCaret());
}

}  // namespace
