// Audio file objects: samples written and read back through every format and access kind,
// the iterator windows, storage and temporary files, the open-file list and the uses that
// keep a file alive, the access kind choice and the settings.
#include "audio/AudioFile.h"
#include "audio/AudioFileIo.h"
#include "audio/AudioFileSettings.h"
#include "audio/FileSegment.h"
#include "audio/NewWaveFormat.h"
#include "audio/SampleConversion.h"
#include "audio/VirtualFileIterator.h"
#include "foundation/Config.h"
#include "foundation/File.h"
#include "foundation/MappedFile.h"
#include "foundation/MultiFileBuffer.h"

#include "tests/app/AppTestSupport.h"
#include "tests/app/audio/AudioFileTestKit.h"
#include "tests/app/audio/RecordingPlayback.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <thread>

namespace {

using namespace audiotest;

class AudioFiles : public ::testing::Test {
protected:
    AudioFiles() : settings(dir.Path()) {}
    void SetUp() override {
        apptest::UseEnglishTexts();
        previousChooser = SetRawFormatChooser(&ChooseRawFormatAnswer);
    }
    void TearDown() override { SetRawFormatChooser(previousChooser); }

    FileName Path(char const *name) { return FileName(dir.File(name).c_str()); }

    // A new file of the type written with the values through storage of the kind.
    void WriteFile(FileName const &name, int type, SamplePattern const &pattern, int kind,
                   std::vector<int32_t> const &values) {
        List<FileChunk> chunks;
        int64_t size = 0;
        int frames = int(values.size() / pattern.GetNumChannels());
        OwnedFile file(CreateAudioFileForWriting(name, kind, type, 0, pattern, chunks, frames, size));
        file->OpenStorage(kind, name, kOpenForWriting, size);
        WriteSamples24(*file, values);
        file->CloseStorage(0);
    }

    testsupport::TempDir dir;
    SettingsScope settings;
    TRawFormatChooser previousChooser = nullptr;
};

TEST_F(AudioFiles, SamplesRoundTripThroughEveryFormat) {
    struct Case {
        char const *name;
        int type;
        uint32_t word;
    } const cases[] = {
        {"u8.wav", kTypeRiff, kUnsigned8}, {"16.wav", kTypeRiff, kPcm16},    {"20.wav", kTypeRiff, kPcm20},
        {"24.wav", kTypeRiff, kPcm24},     {"32.wav", kTypeRiff, kInt32},    {"s8.aif", kTypeAiff, kSigned8},
        {"16.aif", kTypeAiff, kPcm16Big},  {"20.aif", kTypeAiff, kPcm20Big}, {"24.aif", kTypeAiff, kPcm24Big},
        {"mu.au", kTypeAu, kMuLaw8},       {"16.au", kTypeAu, kPcm16Big},    {"24.au", kTypeAu, kPcm24Big},
        {"16.raw", kTypeRawPcm, kPcm16},   {"24.raw", kTypeRawPcm, kPcm24},
    };
    for (Case const &c : cases)
        for (int channels : {1, 2}) {
            SamplePattern pattern(c.word, channels, 1, 32000);
            RawFormatAnswer() = pattern;
            std::vector<int32_t> values = RepresentableValues(c.word, 2 * 1001, channels);
            WriteFile(Path(c.name), c.type, pattern, kAccessMapped, values);
            OwnedFile read(OpenAudioFile(kAccessMapped, Path(c.name), 1, 1));
            ASSERT_TRUE(read.get()) << c.name;
            EXPECT_EQ(c.type, read->GetFileType()) << c.name;
            EXPECT_EQ(c.word, read->GetFlags()) << c.name;
            EXPECT_EQ(channels, read->GetNumChannels()) << c.name;
            EXPECT_EQ(32000u, read->GetRate()) << c.name;
            EXPECT_TRUE(values == ReadSamples24(*read)) << c.name << " " << channels;
        }
}

// 3-byte frames in windows that are no multiple of them, through each access kind.
TEST_F(AudioFiles, SamplesRoundTripThroughEveryAccessKindAcrossWindows) {
    SamplePattern pattern(kPcm24, 2, 1, 48000);
    for (int kind : {kAccessMapped, kAccessMappedWindows, kAccessCached}) {
        std::vector<int32_t> values = RepresentableValues(kPcm24, 2 * 70001, kind);
        FileName name = Path("long.wav");
        WriteFile(name, kTypeRiff, pattern, kind, values);
        OwnedFile read(OpenAudioFile(kind, name, 1, 1));
        ASSERT_TRUE(read.get());
        EXPECT_EQ(kind, read->GetAccessKind());
        EXPECT_EQ(70001, read->GetLength());
        EXPECT_TRUE(values == ReadSamples24(*read)) << kind;
        EXPECT_EQ(GetFileSize64(name), read->GetDataOffset() + 6 * 70001) << kind;
    }
}

TEST_F(AudioFiles, WindowsLieAheadOfTheFrameOrBehindItAndClipTheIterator) {
    std::vector<int32_t> values = RepresentableValues(kPcm16, 2 * 100000, 3);
    WriteFile(Path("back.wav"), kTypeRiff, SamplePattern(kPcm16, 2, 1, 44100), kAccessMapped, values);
    OwnedFile file(OpenAudioFile(kAccessMappedWindows, Path("back.wav"), 1, 1));
    ASSERT_TRUE(file.get());
    AudioFileSegment segment(file.get(), 1000, 90000, 1);
    segment.start_ = 500;
    segment.end_ = 500 + 90000 - 1;
    VirtualFileIterator it;
    it.segment_ = &segment;
    for (int backward : {0, 1}) {
        MultiFileBuffer buffer(1, 3, MultiFileBuffer::kReading);
        it.buffer_ = &buffer;
        it.clipStart_ = 600;
        it.clipEnd_ = 90000;
        it.offset_ = 80000 - 600;
        file->PrepareBuffer(it, 0, backward);
        // a window of 64 KB and more holds 16384 frames and more: most behind or ahead of the frame
        EXPECT_GE(backward ? 80000 - it.clipStart_ : it.clipEnd_ - 80000, 8000) << backward;
        EXPECT_LT(it.clipEnd_ - it.clipStart_, 40000) << "narrower than the segment";
        EXPECT_EQ(80000, it.clipStart_ + it.offset_);
        EXPECT_EQ(values[2 * (80000 - 500 + 1000) + 1], ConvertSampleTo24(it));
        for (it.offset_ = 0; it.offset_ <= it.clipLastOffset_; it.offset_ += 997)
            EXPECT_EQ(values[2 * (it.clipStart_ + it.offset_ - 500 + 1000) + 1], ConvertSampleTo24(it));
    }
}

// ---- storage

TEST_F(AudioFiles, WorkFilesAreTemporaryAndSizedForTheirKind) {
    struct Case {
        int kind;
        int64_t size, onDisk;
        int length;
    } const cases[] = {
        {kAccessMapped, 10000, 10000, 2500},
        {kAccessMappedWindows, 6, 6, 1},
        {kAccessCached, 10000, 12288, 2500},
        {kAccessMapped, 0, 0, 0},
    };
    for (auto const &c : cases) {
        RecordingPlayback playback;
        OwnedFile work(CreateWorkAudioFile(c.kind, TestOwner(), SamplePattern(kPcm16, 2, 0, 44100), c.size));
        EXPECT_TRUE(work->IsRegistered());
        EXPECT_EQ(kTypeRawPcm, work->GetFileType());
        EXPECT_EQ(1, work->IsInterleaved());
        EXPECT_EQ(c.length, work->GetLength()) << c.kind;
        FileName name = work->GetFile()->GetName();
        EXPECT_EQ(0, _stricmp(dir.Path().c_str(), String(name.GetPath()).c_str())) << name;
        EXPECT_EQ(c.onDisk, GetFileSize64(name)) << c.kind;
        EXPECT_EQ(c.kind != kAccessCached && c.size > 0, work->GetMapping() != nullptr);
        work->CloseStorage(0);
        EXPECT_FALSE(File::Exist(name)) << "a work file goes when it is closed";
        EXPECT_FALSE(playback.signalled.empty());
    }
    std::string refused = ErrorOf([] { CreateWorkAudioFile(kAccessCached, TestOwner(), SamplePattern(), 1LL << 31); });
    EXPECT_EQ(0u, refused.find(Text(kMsgTooLarge))) << refused;
    EXPECT_TRUE(FilesIn(dir.Path()).empty());
}

TEST_F(AudioFiles, ClosingStorageToDeleteRemovesTheFileAndTellsThePlayback) {
    WriteFile(Path("gone.wav"), kTypeRiff, SamplePattern(kPcm16, 1, 1, 8000), kAccessMapped,
              RepresentableValues(kPcm16, 1000, 4));
    RecordingPlayback playback;
    OwnedFile file(OpenAudioFile(kAccessMapped, Path("gone.wav"), 1, 1));
    ASSERT_TRUE(file.get());
    FileObject const *mapping = file->GetMapping();
    FileObject const *disk = file->GetFile();
    file->CloseStorage(1);
    EXPECT_EQ((std::vector<FileObject const *>{mapping, disk}), playback.signalled);
    EXPECT_FALSE(File::Exist(Path("gone.wav")));
    EXPECT_EQ(nullptr, file->GetFile());
}

TEST_F(AudioFiles, FilesOf2GiBAreRefusedWithAClearMessage) {
    std::string bytes = SimpleWave(2, 16, 44100, std::string(400, '\0'));
    testsupport::WriteBytes(dir.File("huge.wav"), bytes);
    {
        HANDLE h = CreateFileA(dir.File("huge.wav").c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        LARGE_INTEGER end;
        end.QuadPart = 0x80000000LL;
        SetFilePointerEx(h, end, nullptr, FILE_BEGIN);
        SetEndOfFile(h);
        CloseHandle(h);
    }
    WarningRecorder warnings;
    EXPECT_EQ(nullptr, OpenAudioFile(kAccessUnchosen, Path("huge.wav"), 1, 1));
    ASSERT_EQ(1u, warnings.texts.size());
    EXPECT_EQ(0u, warnings.texts[0].find(Text(kMsgTooLarge))) << warnings.texts[0];
}

TEST_F(AudioFiles, OpeningFailuresAreToldOnceAndLeaveNothingOpen) {
    testsupport::WriteBytes(dir.File("bad.wav"), SimpleWave(3, 16, 8000, Noise(60, 5)));
    struct Case {
        char const *name;
        int report;
        size_t boxes;
        std::string start;
    } const cases[] = {
        {"bad.wav", 1, 1, Text(kMsgNoFormatOrData)},
        {"bad.wav", 0, 0, ""},  // without report nothing is told
    };
    for (auto const &c : cases) {
        WarningRecorder warnings;
        EXPECT_EQ(nullptr, OpenAudioFile(kAccessUnchosen, Path(c.name), 1, c.report)) << c.name;
        ASSERT_EQ(c.boxes, warnings.texts.size()) << c.name;
        if (c.boxes) {
            EXPECT_EQ(0u, warnings.texts[0].find(c.start)) << warnings.texts[0];
        }
        EXPECT_FALSE(IsAudioFileOpen(Path(c.name)));
    }
    WarningRecorder quiet;
    testsupport::WriteBytes(dir.File("x.raw"), Noise(100, 5));
    SetRawFormatChooser(nullptr);
    EXPECT_EQ(nullptr, OpenAudioFile(kAccessUnchosen, Path("x.raw"), 1, 1));
    EXPECT_TRUE(quiet.texts.empty()) << "a cancelled raw open says nothing";
}

TEST_F(AudioFiles, AFileOverTheRecordersFilesLeavesThemToItWhenItFails) {
    SamplePattern pattern(kPcm16, 2, 1, 44100);
    File *data = new File(Path("rec.raw"), File::kCreate | File::kReadWrite);
    data->SetSize(4000);
    File *peaks = new File(Path("rec.gpk"), File::kCreate | File::kWrite);
    peaks->SetSize(14);
    {
        WarningRecorder warnings;  // a write-only peak file cannot be mapped
        EXPECT_EQ(nullptr, CreateAudioFileOnFile(data, peaks, kAccessMapped, nullptr, pattern, 1000));
    }
    EXPECT_TRUE(data->IsOpen());
    EXPECT_TRUE(peaks->IsOpen());
    delete peaks;
    peaks = new File(Path("rec.gpk"), File::kReadWrite);
    OwnedFile file(CreateAudioFileOnFile(data, peaks, kAccessUnchosen, nullptr, pattern, 1000));
    ASSERT_TRUE(file.get());
    EXPECT_EQ(1000, file->GetLength());
    EXPECT_EQ(7, file->GetPeakEntries());
    EXPECT_TRUE(file->GetPeakData() != nullptr);
    EXPECT_TRUE(file->GetMapping() != nullptr);
    EXPECT_TRUE(IsAudioFileOpen(Path("rec.raw")));
}

// ---- the open-file list and uses

int destroyed = 0;
class CountedFile : public AudioFile {
public:
    ~CountedFile() override { ++destroyed; }
};

TEST_F(AudioFiles, TheSameNameInAnotherCaseIsTheSameFile) {
    WriteFile(Path("Same.wav"), kTypeRiff, SamplePattern(kPcm16, 1, 1, 8000), kAccessMapped,
              RepresentableValues(kPcm16, 100, 6));
    int opened = -1;
    AudioFile *first = FindOrOpenAudioFile(Path("Same.wav"), kAccessUnchosen, opened, 1);
    ASSERT_TRUE(first != nullptr);
    EXPECT_EQ(1, opened);
    std::string other = dir.File("SAME.WAV");
    EXPECT_EQ(first, FindOrOpenAudioFile(FileName(other.c_str()), kAccessUnchosen, opened, 1));
    EXPECT_EQ(0, opened);
    EXPECT_TRUE(IsAudioFileOpen(FileName(other.c_str())));
    first->DetachFromWave();  // no wave, no use: it goes
    EXPECT_FALSE(IsAudioFileOpen(Path("Same.wav")));
}

TEST_F(AudioFiles, ConcurrentOpensOfOneNameMakeOneFile) {
    WriteFile(Path("race.wav"), kTypeRiff, SamplePattern(kPcm16, 2, 1, 8000), kAccessMapped,
              RepresentableValues(kPcm16, 2000, 7));
    std::atomic<int> go{0};
    AudioFile *found[8] = {};
    int opened[8] = {};
    std::vector<std::thread> threads;
    for (int i = 0; i < 8; ++i)
        threads.emplace_back([&, i] {
            while (!go)
                std::this_thread::yield();
            found[i] = FindOrOpenAudioFile(Path(i % 2 ? "race.wav" : "RACE.wav"), kAccessUnchosen, opened[i], 1);
        });
    go = 1;
    for (std::thread &t : threads)
        t.join();
    int openers = 0;
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(found[0], found[i]);
        openers += opened[i];
    }
    EXPECT_EQ(1, openers);
    found[0]->DetachFromWave();
    EXPECT_FALSE(IsAudioFileOpen(Path("race.wav")));
}

TEST_F(AudioFiles, AFileGoesOnceWhenTheLastUseEndsAndNoWaveOwnsIt) {
    struct Case {
        char const *what;
        bool owned;
        int destroyedBeforeDetach;
    } const cases[] = {{"owned by a wave", true, 0}, {"owned by none", false, 1}};
    for (auto const &c : cases) {
        destroyed = 0;
        CountedFile *file = new CountedFile;
        file->RegisterOpen();
        if (c.owned)
            file->SetOwnerWave(TestOwner());
        auto *first = new AudioFileSegment(file, 0, 10, 0);
        auto *copy = new AudioFileSegment(*first);
        EXPECT_EQ(2, file->GetUseCount());
        delete first;
        EXPECT_EQ(0, destroyed) << c.what;
        delete copy;
        EXPECT_EQ(c.destroyedBeforeDetach, destroyed) << c.what;
        if (c.owned)
            file->DetachFromWave();
        EXPECT_EQ(1, destroyed) << c.what;
    }
}

TEST(FileSegments, EqualityAndContinuationNeedTheSameChannel) {
    AudioFile file;
    file.SetOwnerWave(TestOwner());
    struct Case {
        AudioFileSegment a, b;
        bool equal, continues;
    } const cases[] = {
        {{&file, 0, 10, 0}, {&file, 0, 10, 0}, true, false},  {{&file, 0, 10, 0}, {&file, 0, 10, 1}, false, false},
        {{&file, 0, 10, 0}, {&file, 10, 5, 0}, false, true},  {{&file, 0, 10, 0}, {&file, 10, 5, 1}, false, false},
        {{&file, 0, 10, 0}, {&file, 11, 5, 0}, false, false}, {{nullptr, 0, 10, 0}, {nullptr, 0, 7, 0}, false, true},
    };
    for (auto const &c : cases) {
        EXPECT_EQ(c.equal, c.a.IsEqual(c.b)) << c.a.offset_ << " " << c.b.offset_ << " " << c.b.channel_;
        EXPECT_EQ(c.continues, c.a.IsContinuation(c.b)) << c.a.offset_ << " " << c.b.offset_ << " " << c.b.channel_;
    }
}

// ---- access kinds and settings

TEST(FileAccessKind, ByModeSizeAndMemory) {
    int64_t const MB = 1048576, GB = 1024 * MB;
    struct Case {
        int mode;
        uint64_t memory;
        int nt;
        int64_t size;
        int kind, modeAfter;
    } const cases[] = {
        {1, 64 * MB, 1, 500 * MB, 100, 1}, {2, 64 * MB, 1, 1, 102, 2},       {0, 64 * MB, 1, 10 * MB, 101, 0},
        {0, 64 * MB, 1, 30 * MB, 102, 0},  {0, 64 * MB, 1, 1 * MB, 100, 0},  {0, 64 * MB, 0, 10 * MB, 100, 0},
        {7, 64 * MB, 1, 10 * MB, 101, 0},  {0, 40 * MB, 1, 18 * MB, 100, 0}, {0, 16 * GB, 1, 4 * MB, 100, 0},
        {0, 16 * GB, 1, 19 * MB, 101, 0},  {0, 4 * GB, 1, 6 * MB, 101, 0},   {0, 6 * MB, 1, 1, 100, 0},
        {0, 8 * MB, 1, 0, 100, 0},         {0, 16 * GB, 1, 20 * MB, 102, 0},
    };
    for (auto const &c : cases) {
        FileCacheSettings settings;
        settings.mode = c.mode;
        EXPECT_EQ(c.kind, ChooseFileAccessKind(c.size, settings, c.memory, c.nt))
            << c.mode << " " << c.memory / MB << " MB " << c.size;
        EXPECT_EQ(c.modeAfter, settings.mode);
    }
}

TEST(AudioFileSettingsGroup, LoadsChecksAndSaves) {
    testsupport::TempDir dir;
    AudioFileSettings saved = TheAudioFileSettings();
    struct Case {
        std::string tempDir;
        int resolution;
        std::string tempDirRead;
        int resolutionRead;
    } const cases[] = {
        {dir.Path(), 24, dir.Path(), 24},
        {dir.Path(), 20, dir.Path(), 16},
        {dir.File("missing"), 16, GetSystemDrive().c_str(), 16},
        {"", 8, GetSystemDrive().c_str(), 16},
    };
    for (auto const &c : cases) {
        Config config("Test");
        config.MoveDown("AudioFile");
        config.SetValue(c.tempDir.c_str(), "TempDir");
        config.SetValue(c.resolution, "TempFileRes");
        config.SetValue(1, "S8AudioFile");
        config.MoveUp();
        LoadAudioFileSettings(config);
        EXPECT_EQ(c.tempDirRead, TheAudioFileSettings().tempDir.c_str());
        EXPECT_EQ(c.resolutionRead, TheAudioFileSettings().tempFileRes);
        EXPECT_EQ(1, TheAudioFileSettings().s8AudioFile);
        Config written("Test");
        SaveAudioFileSettings(written);
        written.MoveDown("AudioFile");
        EXPECT_EQ(c.resolutionRead, written.GetValue(0, "TempFileRes"));
        EXPECT_EQ(c.tempDirRead, written.GetValue("", "TempDir").c_str());
    }
    TheAudioFileSettings() = saved;
}

}  // namespace
