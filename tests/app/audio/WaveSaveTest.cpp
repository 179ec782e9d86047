// Saving waves: edited waves of every width reopen exact in every format, kept chunks and
// unedited data survive a save, two-file waves save their parts and merge, peak files come
// with long files, files replaced under the wave's undo history are still read, the save
// modes and names, and the saves that are refused.
#include "audio/AudioFile.h"
#include "audio/MarkerFile.h"
#include "audio/NewWaveFormat.h"
#include "audio/PeakBlocks.h"
#include "audio/Wave.h"
#include "audio/WaveConversion.h"
#include "foundation/File.h"
#include "foundation/FileSelector.h"
#include "foundation/MessageCatalogue.h"

#include "tests/app/AppTestSupport.h"
#include "tests/app/audio/AudioFileTestKit.h"
#include "tests/app/audio/WaveTestKit.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>

namespace {

using namespace audiotest;
using namespace wavetest;

std::string Formatted(unsigned id, std::string const &name) { return String(BuildString(int(id), name.c_str())).c_str(); }

// A 16-bit stereo WAV file of frames frames with chunks a peer may write around the data.
std::string PeerWave(int frames, uint32_t seed) {
    return WaveFile(RiffChunk("fmt ", WaveFormat(2, 16, 44100)) +
                    RiffChunk("LIST", "INFO" + RiffChunk("ISFT", std::string("peer\0", 5))) + RiffChunk("odd ", "abc") +
                    RiffChunk("fact", Le32(uint32_t(frames))) + RiffChunk("data", Noise(size_t(frames) * 4, seed)));
}

// The save-as dialog's stand-in: it chooses chosenFile and remembers the caption it was shown.
std::string chosenFile, askedCaption;
int ChooseNamedFile(FileSelectorInfo &info) {
    askedCaption = info.caption.c_str();
    info.selectedFiles.DeleteAll();
    info.selectedFiles.Append(new FileName(chosenFile.c_str()));
    return 1;
}

class WaveSaving : public ::testing::Test {
protected:
    WaveSaving() : previousChooser_(SetRawFormatChooser(&ChooseRawFormatAnswer)) {
        apptest::UseEnglishTexts();
        CreateDirectoryA(work.c_str(), nullptr);
    }
    ~WaveSaving() override {
        Wave::DeleteClipboardWave();
        SetRawFormatChooser(previousChooser_);
    }

    std::string Path(std::string const &name) const { return dir.File(name.c_str()); }
    // The files of the saving folder other than the work folder.
    std::vector<std::string> Files() const {
        std::vector<std::string> files = FilesIn(dir.Path());
        files.erase(std::remove(files.begin(), files.end(), "work"), files.end());
        return files;
    }

    testsupport::TempDir dir;
    std::string work = dir.File("work");
    SettingsScope settings{work};
    RecordingPoster poster;
    WarningRecorder warnings;

private:
    TRawFormatChooser previousChooser_;
};

TEST_F(WaveSaving, EditedWavesOfEveryWidthReopenExactInEveryFormat) {
    struct Format {
        char const *extension;
        unsigned refusesWide;  // the message for 32-bit samples
    } const formats[] = {{"wav", 0}, {"aif", 10028}, {"au", 11192}, {"raw", 0}};
    for (int bits : {8, 16, 20, 24, 32}) {
        for (int channels : {1, 2}) {
            std::unique_ptr<Wave> wave(EditedWave(bits, channels, 2000));
            Samples frames = Interleaved(*wave);
            for (Format const &format : formats) {
                std::string name = Path("w" + std::to_string(bits) + "-" + std::to_string(channels) + "." +
                                        format.extension);
                std::string what = name.substr(name.find_last_of('\\') + 1);
                std::string error = ErrorOf([&] { wave->WriteAudioFile(FileName(name.c_str()), -1, 2); });
                if (bits == 32 && format.refusesWide) {
                    EXPECT_EQ(Text(format.refusesWide), error) << what;
                    EXPECT_FALSE(File::Exist(FileName(name.c_str()))) << what;
                    continue;
                }
                ASSERT_EQ("", error) << what;
                RawFormatAnswer() = SamplePattern(wave->GetFlags(), channels, 1, 44100);
                OwnedFile file(OpenAudioFile(kAccessUnchosen, FileName(name.c_str()), 1, 1));
                ASSERT_TRUE(file.get()) << what;
                EXPECT_EQ(wave->GetLength(), file->GetLength()) << what;
                EXPECT_TRUE(ThroughFormat(frames, file->GetFlags()) == ReadSamples24(*file)) << what;
            }
            EXPECT_EQ(1, wave->GetNumUndoMementos()) << "a copy leaves the history";
        }
    }
    EXPECT_EQ(std::vector<std::string>{}, FilesIn(work)) << "no work file is left";
}

TEST_F(WaveSaving, KeptChunksSurviveAndAnUneditedFileKeepsItsBytes) {
    std::string source = Path("peer.wav");
    testsupport::WriteBytes(source, PeerWave(3001, 5));
    std::unique_ptr<Wave> wave(OpenWave(source));
    ASSERT_TRUE(wave);
    ASSERT_EQ(1, wave->Save(FileName(Path("copy.wav").c_str()), smSaveCopy, 0, nullptr));
    EXPECT_EQ(DataBytes(source), DataBytes(Path("copy.wav"))) << "an unedited wave saves its stored bytes";
    wave->Delete(3, 0, 0, 1);
    ASSERT_EQ(1, wave->Save(FileName(source.c_str()), smSave, 0, nullptr));
    std::string saved = testsupport::ReadBytes(source);
    EXPECT_NE(std::string::npos, saved.find(RiffChunk("LIST", "INFO" + RiffChunk("ISFT", std::string("peer\0", 5)))));
    EXPECT_NE(std::string::npos, saved.find(RiffChunk("odd ", "abc")));
    EXPECT_NE(std::string::npos, saved.find(RiffChunk("fact", Le32(3000)))) << "with the new frame count";
    EXPECT_EQ(DataBytes(Path("copy.wav")).substr(4), DataBytes(source));

    std::string aiff = Path("peer.aif");
    testsupport::WriteBytes(aiff, AiffFile(AiffChunk("COMM", AiffCommon(1, 100, 16, 22050)) + AiffChunk("NAME", "odd") +
                                           AiffChunk("SSND", Be32(0) + Be32(0) + Noise(200, 3))));
    std::unique_ptr<Wave> other(OpenWave(aiff));
    other->Silence(1, 10, 19, 1);
    ASSERT_EQ(1, other->Save(FileName(aiff.c_str()), smSave, 0, nullptr));
    EXPECT_NE(std::string::npos, testsupport::ReadBytes(aiff).find(AiffChunk("NAME", "odd")));
    EXPECT_EQ(0, other->GetNumUndoMementos()) << "a save under the own name ends the history";
}

// A two-file wave saves each part to a file of its own, then only the changed one, and
// merged into one file it becomes an interleaved one-file wave.
TEST_F(WaveSaving, TwoFileWavesSaveTheirPartsAndMerge) {
    SamplePattern twoFiles(kPcm16, 2, 0, 44100);
    std::unique_ptr<Wave> wave(Wave::CreateEmptyWave(twoFiles)), source(DistinctWave(1, 2, 500));
    ASSERT_EQ(2, wave->GetFileCount());
    wave->Paste(0, 3, 0, *source, 0, 499, 3, 1, 0, 1, 1);
    // Each part through its own save-as, whose dialog names the part.
    std::string left = Path("left.wav"), right = Path("right.wav");
    FileSelectorAnswer previous = SetFileSelectorAnswer(&ChooseNamedFile);
    chosenFile = left;
    ASSERT_EQ(1, wave->SaveDocAsKind1());
    EXPECT_EQ(Text(11042), askedCaption);
    chosenFile = right;
    ASSERT_EQ(1, wave->SaveDocAsKind2());
    EXPECT_EQ(Text(11043), askedCaption);
    SetFileSelectorAnswer(previous);
    EXPECT_EQ(2, wave->GetFileCount());
    EXPECT_EQ(left, std::string(wave->GetFirstFile()->GetName().c_str()));
    EXPECT_EQ(right, std::string(wave->GetSecondFile()->GetName().c_str()));
    std::string leftBytes = testsupport::ReadBytes(left);

    wave->InvertPhase(2, 0, 99, 1);
    ASSERT_EQ(1, wave->Save(FileName(left.c_str()), smSave, 0, nullptr));
    EXPECT_EQ(leftBytes, testsupport::ReadBytes(left)) << "the unchanged part is not written";
    Samples inverted = DistinctSamples(1, 1, 0, 500);
    for (int i = 0; i < 100; ++i)
        inverted[size_t(i)] = -inverted[size_t(i)];
    {
        OwnedFile file(OpenAudioFile(kAccessUnchosen, FileName(right.c_str()), 1, 1));
        EXPECT_TRUE(inverted == ReadSamples24(*file));
    }

    std::string merged = Path("merged.wav");
    ASSERT_EQ(1, wave->Save(FileName(merged.c_str()), smSaveAs, 0, nullptr));
    EXPECT_EQ(1, wave->GetFileCount());
    EXPECT_EQ(1, wave->IsInterleaved());
    EXPECT_EQ(merged, std::string(wave->GetFirstFile()->GetName().c_str()));
    EXPECT_TRUE(DistinctSamples(1, 0, 0, 500) == ReadChannel(*wave, 0));
    EXPECT_TRUE(inverted == ReadChannel(*wave, 1));
    EXPECT_TRUE(File::Exist(FileName(right.c_str()))) << "the parts stay on disk";
    EXPECT_FALSE(IsAudioFileOpen(FileName(right.c_str())));
}

TEST_F(WaveSaving, OneChannelOfAOneFileWaveIsACopy) {
    std::unique_ptr<Wave> wave(OpenWave(Path("stereo.wav")));
    EXPECT_FALSE(wave) << "nothing there yet";
    testsupport::WriteBytes(Path("stereo.wav"), PeerWave(1000, 9));
    wave.reset(OpenWave(Path("stereo.wav")));
    wave->Delete(3, 0, 9, 1);
    Samples right = ReadChannel(*wave, 1);
    ASSERT_EQ(1, wave->Save(FileName(Path("right.wav").c_str()), smSaveAs, 2, nullptr));
    EXPECT_EQ(1, wave->GetNumUndoMementos()) << "the wave is as it was";
    EXPECT_STREQ(Path("stereo.wav").c_str(), wave->GetFirstFile()->GetName().c_str());
    OwnedFile file(OpenAudioFile(kAccessUnchosen, FileName(Path("right.wav").c_str()), 1, 1));
    EXPECT_EQ(1, file->GetNumChannels());
    EXPECT_TRUE(right == ReadSamples24(*file));
}

TEST_F(WaveSaving, LongFilesGetThePeakFileTheirOpeningWouldBuild) {
    std::unique_ptr<Wave> shortWave(EditedWave(16, 2, 100));
    shortWave->WriteAudioFile(FileName(Path("short.wav").c_str()), -1, 2);
    EXPECT_FALSE(File::Exist(PeakFileName(FileName(Path("short.wav").c_str()))));

    for (int bits : {8, 16, 24}) {
        std::unique_ptr<Wave> wave(EditedWave(bits, 2, 63450));
        ASSERT_EQ(64000, wave->GetLength());
        std::string name = Path("long" + std::to_string(bits) + ".wav");
        wave->WriteAudioFile(FileName(name.c_str()), -1, 2);
        std::string peaks = testsupport::ReadBytes(PeakFileName(FileName(name.c_str())).c_str());
        EXPECT_EQ(1000u, peaks.size()) << bits;
        // The file's own peaks, built from a copy of it in another folder.
        std::string copy = work + "\\copy.wav";
        File::Copy(FileName(copy.c_str()), FileName(name.c_str()));
        {
            OwnedFile built(OpenAudioFile(kAccessUnchosen, FileName(copy.c_str()), 1, 1));
            ASSERT_EQ(1, built->OpenPeakFile());
            EXPECT_EQ(peaks, std::string(reinterpret_cast<char const *>(built->GetPeakData()), 1000)) << bits;
        }
        // The next opening uses it as it is.
        FILETIME before, after;
        File::GetDateTime(PeakFileName(FileName(name.c_str())), nullptr, nullptr, &before);
        OwnedFile opened(OpenAudioFile(kAccessUnchosen, FileName(name.c_str()), 1, 1));
        ASSERT_EQ(1, opened->OpenPeakFile());
        File::GetDateTime(PeakFileName(FileName(name.c_str())), nullptr, nullptr, &after);
        EXPECT_EQ(0, CompareFileTime(&before, &after)) << bits;
        File::Delete(FileName(copy.c_str()));
        File::Delete(PeakFileName(FileName(copy.c_str())));
    }
}

// Another wave's history and the clipboard read the replaced file under its second name;
// it goes when the last of them lets it go.
TEST_F(WaveSaving, AFileSavedOverIsStillReadUntilItsHistoryGoes) {
    std::string name = Path("own.wav");
    testsupport::WriteBytes(name, PeerWave(1000, 3));
    std::unique_ptr<Wave> wave(OpenWave(name));
    Samples original = ReadChannel(*wave, 0);
    wave->SetSelection(0, 99, 3, 0);
    wave->Copy();
    std::unique_ptr<Wave> other(DistinctWave(1, 2, 300));
    other->PasteClipboard(Wave::kPasteAtEnd, 1);
    other->Delete(3, 0, 349, 1);
    wave->Reverse(3, 0, 999, 1);
    Samples reversed = ReadChannel(*wave, 0);
    ASSERT_EQ(1, wave->Save(FileName(name.c_str()), smSave, 0, nullptr));
    EXPECT_EQ(0, wave->GetNumUndoMementos());
    EXPECT_TRUE(reversed == ReadChannel(*wave, 0));
    EXPECT_EQ(2u, Files().size()) << "the old file lives on beside own.wav";

    other->UndoCurrentState();
    Samples undone = ReadChannel(*other, 0);
    EXPECT_TRUE(Samples(original.begin(), original.begin() + 100) == Samples(undone.begin() + 300, undone.end()));
    other.reset();
    EXPECT_EQ(2u, Files().size()) << "the clipboard still holds it";
    Wave::DeleteClipboardWave();
    EXPECT_EQ(std::vector<std::string>{"own.wav"}, Files());
}

TEST_F(WaveSaving, SavesThatWouldLoseAFileAreRefused) {
    std::string used = Path("used.wav"), mine = Path("mine.wav");
    testsupport::WriteBytes(used, PeerWave(500, 1));
    testsupport::WriteBytes(mine, PeerWave(500, 2));
    std::unique_ptr<Wave> user(OpenWave(used)), wave(OpenWave(mine));
    wave->InvertPhase(3, 0, 9, 1);
    std::vector<std::string> files = Files();
    EXPECT_EQ(Formatted(10070, used),
              ErrorOf([&] { wave->WriteAudioFile(FileName(used.c_str()), -1, smSaveAs); }));
    EXPECT_EQ(Formatted(10070, mine),
              ErrorOf([&] { wave->WriteAudioFile(FileName(mine.c_str()), -1, smSaveCopy); }))
        << "a copy onto the wave's own file";
    EXPECT_EQ(Formatted(10071, Path("list.edl")),
              ErrorOf([&] { wave->WriteAudioFile(FileName(Path("list.edl").c_str()), -1, smSaveAs); }));
    EXPECT_EQ(files, Files());

    testsupport::WriteBytes(Path("locked.wav"), "old");
    SetFileAttributesA(Path("locked.wav").c_str(), FILE_ATTRIBUTE_READONLY);
    warnings.texts.clear();
    EXPECT_EQ(0, wave->WriteAudioFile(FileName(Path("locked.wav").c_str()), -1, smSaveAs));
    EXPECT_EQ(std::vector<std::string>{Formatted(10051, Path("locked.wav"))}, warnings.texts);
    SetFileAttributesA(Path("locked.wav").c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ("old", testsupport::ReadBytes(Path("locked.wav")));
    EXPECT_EQ(1, wave->GetNumUndoMementos());

    // A part of a two-file wave onto the other part.
    std::unique_ptr<Wave> pair(Wave::CreateEmptyWave(SamplePattern(kPcm16, 2, 0, 44100)));
    pair->Paste(0, 3, 0, *wave, 0, 99, 3, 1, 0, 1, 1);
    pair->Save(FileName(Path("l.wav").c_str()), smSaveAs, 1, nullptr);
    pair->Save(FileName(Path("r.wav").c_str()), smSaveAs, 2, nullptr);
    FileName twin(Path("r.wav").c_str());
    warnings.texts.clear();
    EXPECT_EQ(0, pair->ValidateFileNameForSaving(twin, smSaveAs, nullptr, 1));
    EXPECT_EQ(std::vector<std::string>{Text(10000)}, warnings.texts);
    EXPECT_EQ(Formatted(10070, twin.c_str()), ErrorOf([&] { pair->WriteAudioFile(twin, 0, smSaveAs); }));
}

TEST_F(WaveSaving, NamesGetAnExtensionAndAnotherFormatNeedsTheConversion) {
    std::unique_ptr<Wave> wave(DistinctWave(1, 2, 100));
    struct Case {
        char const *name, *filter, *result;
    } const cases[] = {
        {"a.mp3", nullptr, "a.wav"},          {"b", "AIFF (*.aif)", "b.aif"},       {"c.aiff", nullptr, "c.aiff"},
        {"d.txt", "Raw (*.pcm;*.raw)", "d.pcm"}, {"e.snd", "Wave (*.wav)", "e.snd"},
    };
    for (Case const &c : cases) {
        FileName name(Path(c.name).c_str());
        String filter(c.filter ? c.filter : "");
        EXPECT_EQ(1, wave->ValidateFileNameForSaving(name, smSaveAs, c.filter ? &filter : nullptr, 0)) << c.name;
        EXPECT_EQ(Path(c.result), std::string(name.c_str())) << c.name;
    }
    EXPECT_EQ(kTypeAiff, Wave::SaveTypeFromExtension(FileName("x.AIFF")));
    EXPECT_EQ(kTypeRiff, Wave::SaveTypeFromExtension(FileName("x.mp3")));
    EXPECT_EQ(kTypeRawPcm, Wave::SaveTypeFromExtension(FileName("x.pcm")));

    // Without the effects' conversion a save in another format is refused with a message.
    SamplePattern mono(kPcm16, 1, 1, 22050);
    warnings.texts.clear();
    EXPECT_EQ(0, wave->Save(FileName(Path("other.wav").c_str()), SaveMode(Wave::kSaveOtherFormat), 0, &mono));
    ASSERT_EQ(1u, warnings.texts.size());
    EXPECT_EQ(0u, warnings.texts[0].find(Text(10072)));
    struct HalfRate : WaveConversionLink {
        Wave *ConvertWave(Wave &wave, SamplePattern const &format) override {
            Wave *converted = DistinctWave(2, format.GetNumChannels(), wave.GetLength() / 2, format.GetRate());
            return converted;
        }
    } conversion;
    SetWaveConversionLink(&conversion);
    EXPECT_EQ(1, wave->Save(FileName(Path("other.wav").c_str()), SaveMode(Wave::kSaveOtherFormat), 0, &mono));
    SetWaveConversionLink(nullptr);
    OwnedFile file(OpenAudioFile(kAccessUnchosen, FileName(Path("other.wav").c_str()), 1, 1));
    EXPECT_EQ(22050u, file->GetRate());
    EXPECT_TRUE(DistinctSamples(2, 0, 0, 50) == ReadSamples24(*file));
}

}  // namespace
