// Peak files: their bytes and size, a valid one used as it is, stale ones built again,
// temporary files and folders that cannot take one, and builds that end early.
#include "audio/AudioFile.h"
#include "audio/AudioFileIo.h"
#include "audio/FileSegment.h"
#include "bars/Progress.h"
#include "foundation/File.h"

#include "tests/app/AppTestSupport.h"
#include "tests/app/audio/AudioFileTestKit.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <random>

namespace {

using namespace audiotest;

// The bytes a peak file must hold for samples on the 24-bit scale: per block of 128 frames
// and channel, every fourth frame on the 16-bit scale, -32768 as 32767, over 128.
std::string ExpectedPeaks(std::vector<int32_t> const &values, int channels) {
    std::string peaks;
    size_t frames = values.size() / channels;
    for (size_t block = 0; block + 128 <= frames; block += 128)
        for (int c = 0; c < channels; ++c) {
            int peak = 0;
            for (size_t f = block; f < block + 128; f += 4)
                peak = std::max(peak, std::min(std::abs(values[f * channels + c] >> 8), 32767));
            peaks += char(peak >> 7);
        }
    return peaks;
}

// Loud samples at frames that are not examined, and -32768 in the right channel's block 3.
std::vector<int32_t> PeakSamples(uint32_t word, int channels, int frames) {
    std::mt19937 random(static_cast<unsigned>(frames));
    std::vector<int32_t> values;
    int shift = word == kPcm24Big ? 0 : 8;
    for (int f = 0; f < frames; ++f)
        for (int c = 0; c < channels; ++c) {
            int32_t v = f % 4 ? 8388607 : int32_t(random() % (1 << (f / 128 % 24))) - (1 << (f / 128 % 24)) / 2;
            if (c == 1 && f == 3 * 128 + 8)
                v = -8388608;
            values.push_back(v >> shift << shift);
        }
    return values;
}

std::string Peaks(AudioFile const &file) {
    size_t size = size_t(file.GetPeakEntries()) * file.GetNumChannels();
    return size ? std::string(reinterpret_cast<char const *>(file.GetPeakData()), size) : std::string();
}

void MakeOlder(std::string const &path, std::string const &than) {
    HANDLE reference = CreateFileA(than.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    FILETIME time;
    GetFileTime(reference, nullptr, nullptr, &time);
    CloseHandle(reference);
    ULARGE_INTEGER t = {{time.dwLowDateTime, time.dwHighDateTime}};
    t.QuadPart -= 20000000;  // two seconds
    time = {t.LowPart, t.HighPart};
    HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    SetFileTime(h, nullptr, nullptr, &time);
    CloseHandle(h);
}

class PeakFiles : public ::testing::Test {
protected:
    PeakFiles() : settings(temp.Path()) {}
    void SetUp() override { apptest::UseEnglishTexts(); }

    // A file of the type written through storage; its expected peaks.
    std::string Write(char const *name, int type, uint32_t word, int channels, int frames, int kind = kAccessMapped) {
        std::vector<int32_t> values = PeakSamples(word, channels, frames);
        List<FileChunk> chunks;
        int64_t size = 0;
        SamplePattern pattern(word, channels, 1, 44100);
        FileName path(dir.File(name).c_str());
        OwnedFile file(CreateAudioFileForWriting(path, kind, type, 0, pattern, chunks, frames, size));
        file->OpenStorage(kind, path, kOpenForWriting, size);
        WriteSamples24(*file, values);
        file->CloseStorage(0);
        return ExpectedPeaks(values, channels);
    }

    FileName Path(char const *name) { return FileName(dir.File(name).c_str()); }

    testsupport::TempDir dir, temp;
    SettingsScope settings;
};

TEST_F(PeakFiles, OneBytePerBlockAndChannelFromEveryFourthFrame) {
    struct Case {
        char const *name;
        int type;
        uint32_t word;
        int channels, frames, kind;
        size_t size;
    } const cases[] = {
        {"s.wav", kTypeRiff, kPcm16, 2, 1000, kAccessMapped, 14},
        {"m.aif", kTypeAiff, kPcm24Big, 1, 5000, kAccessMapped, 39},
        {"c.wav", kTypeRiff, kPcm16, 2, 70000, kAccessCached, 1092},
        {"w.wav", kTypeRiff, kPcm16, 1, 200000, kAccessMappedWindows, 1562},
        {"short.wav", kTypeRiff, kPcm16, 2, 127, kAccessMapped, 0},
    };
    for (Case const &c : cases) {
        std::string expected = Write(c.name, c.type, c.word, c.channels, c.frames);
        OwnedFile file(OpenAudioFile(c.kind, Path(c.name), 1, 1));
        ASSERT_TRUE(file.get()) << c.name;
        EXPECT_EQ(1, file->OpenPeakFile()) << c.name;
        EXPECT_EQ(c.size, expected.size()) << c.name;
        EXPECT_EQ(int(c.size) / c.channels, file->GetPeakEntries()) << c.name;
        EXPECT_EQ(expected, Peaks(*file)) << c.name;
        FileName peakName = Path(c.name);
        peakName.SetExtension("gpk");
        EXPECT_EQ(int64_t(c.size), GetFileSize64(peakName)) << c.name;
    }
    std::string stereo = Write("s.wav", kTypeRiff, kPcm16, 2, 1000);
    EXPECT_EQ(char(255), stereo[2 * 3 + 1]) << "-32768 counts as 32767";
}

TEST_F(PeakFiles, AValidPeakFileIsUsedAndAStaleOneBuiltAgain) {
    std::string expected = Write("a.wav", kTypeRiff, kPcm16, 2, 1000);
    std::string peakPath = dir.File("a.gpk");
    std::string marked(14, 'M');
    struct Case {
        char const *what;
        std::string onDisk;
        bool older;
        std::string used;
    } const cases[] = {
        {"valid", marked, false, marked},
        {"a byte too long", marked + "M", false, expected},
        {"a byte too short", marked.substr(1), false, expected},
        {"older than the audio file", marked, true, expected},
    };
    for (Case const &c : cases) {
        testsupport::WriteBytes(peakPath, c.onDisk);
        if (c.older)
            MakeOlder(peakPath, dir.File("a.wav"));
        OwnedFile file(OpenAudioFile(kAccessMapped, Path("a.wav"), 1, 1));
        ASSERT_TRUE(file.get());
        EXPECT_EQ(1, file->OpenPeakFile()) << c.what;
        EXPECT_EQ(c.used, Peaks(*file)) << c.what;
        file->CloseStorage(0);
        EXPECT_EQ(c.used, testsupport::ReadBytes(peakPath)) << c.what;
        EXPECT_EQ((std::vector<std::string>{"a.gpk", "a.wav"}), FilesIn(dir.Path())) << c.what;
    }
}

TEST_F(PeakFiles, ACancelledBuildLeavesNoPeakFile) {
    Write("long.wav", kTypeRiff, kPcm16, 2, 1200000);  // more than one piece of the build's reads
    testsupport::WriteBytes(dir.File("long.gpk"), "stale");
    OwnedFile file(OpenAudioFile(kAccessMappedWindows, Path("long.wav"), 1, 1));
    ASSERT_TRUE(file.get());
    WarningRecorder warnings;
    SetProgressCancelAtCheck(1);
    EXPECT_EQ(0, file->OpenPeakFile());
    SetProgressCancelAtCheck(0);
    EXPECT_EQ(nullptr, file->GetPeakData());
    EXPECT_EQ(0, file->GetPeakEntries());
    EXPECT_TRUE(warnings.texts.empty()) << "a cancel says nothing";
    EXPECT_EQ(std::vector<std::string>{"long.wav"}, FilesIn(dir.Path()));
    EXPECT_TRUE(FilesIn(temp.Path()).empty());
    EXPECT_EQ(1, file->OpenPeakFile()) << "a later build completes";
}

TEST_F(PeakFiles, ATemporaryFileHasATemporaryPeakFile) {
    OwnedFile work(CreateWorkAudioFile(kAccessMapped, TestOwner(), SamplePattern(kPcm16, 1, 1, 8000), 2 * 1280));
    std::vector<int32_t> values(1280, 0);
    values[640] = 1 << 22;
    WriteSamples24(*work, values);
    EXPECT_EQ(1, work->OpenPeakFile());
    EXPECT_EQ(ExpectedPeaks(values, 1), Peaks(*work));
    EXPECT_EQ(2u, FilesIn(temp.Path()).size()) << "the work file and its peaks";
    work->CloseStorage(0);
    EXPECT_TRUE(FilesIn(temp.Path()).empty());
}

// Where no file can be created beside the audio file, the peaks go to the temporary folder.
TEST_F(PeakFiles, AFolderThatTakesNoFileGetsATemporaryPeakFile) {
    std::string expected = Write("ro.wav", kTypeRiff, kPcm16, 2, 1000);
    SetFileAttributesA(dir.Path().c_str(), FILE_ATTRIBUTE_READONLY);
    HANDLE probe = CreateFileA(dir.File("probe").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                               FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (probe != INVALID_HANDLE_VALUE) {
        CloseHandle(probe);
        SetFileAttributesA(dir.Path().c_str(), FILE_ATTRIBUTE_NORMAL);
        GTEST_SKIP() << "this user writes into read-only folders (the interop test covers them)";
    }
    OwnedFile file(OpenAudioFile(kAccessMapped, Path("ro.wav"), 1, 1));
    ASSERT_TRUE(file.get());
    EXPECT_EQ(1, file->OpenPeakFile());
    EXPECT_EQ(expected, Peaks(*file));
    EXPECT_EQ(1u, FilesIn(temp.Path()).size());
    file->CloseStorage(0);
    EXPECT_TRUE(FilesIn(temp.Path()).empty());
    SetFileAttributesA(dir.Path().c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(std::vector<std::string>{"ro.wav"}, FilesIn(dir.Path()));
}

}  // namespace
