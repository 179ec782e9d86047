// Audio file headers: detection by magic and extension, each reader's answers to sound and
// broken files, the exact bytes the writers put down, and the AIFF rate numbers.
#include "audio/AudioFile.h"
#include "audio/AudioFileFormat.h"
#include "audio/AudioFileIo.h"
#include "audio/NewWaveFormat.h"
#include "foundation/File.h"

#include "tests/app/AppTestSupport.h"
#include "tests/app/audio/AudioFileTestKit.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <memory>

namespace {

using namespace audiotest;

std::string const kStereo16 = Noise(4000, 1);  // 1000 frames of 16-bit stereo

class AudioFileHeaders : public ::testing::Test {
protected:
    void SetUp() override { apptest::UseEnglishTexts(); }

    std::string Put(std::string const &name, std::string const &bytes) {
        std::string path = dir.File(name.c_str());
        testsupport::WriteBytes(path, bytes);
        return path;
    }

    // The reader's message, "" when the header reads; file holds what it read.
    std::string Read(std::string const &name, std::string const &bytes, void (AudioFile::*reader)(FileName const &)) {
        std::string path = Put(name, bytes);
        file.reset(new AudioFile);
        return ErrorOf([&] { (file.get()->*reader)(FileName(path.c_str())); });
    }

    std::string Bytes(std::string const &path) { return testsupport::ReadBytes(path); }

    // A reader's answer to the case's bytes; true when they read as the case says.
    struct ReadCase {
        char const *what;
        std::string bytes;
        unsigned message;  // 0: the header reads
        uint32_t word, rate;
        int channels, length;
    };
    bool Check(char const *name, ReadCase const &c, void (AudioFile::*reader)(FileName const &), int type) {
        std::string error = Read(name, c.bytes, reader);
        EXPECT_EQ(c.message ? Text(c.message) : "", error) << c.what;
        if (c.message || !error.empty())
            return false;
        EXPECT_EQ(c.word, file->GetFlags()) << c.what;
        EXPECT_EQ(c.rate, file->GetRate()) << c.what;
        EXPECT_EQ(c.channels, file->GetNumChannels()) << c.what;
        EXPECT_EQ(c.length, file->GetLength()) << c.what;
        EXPECT_EQ(type, file->GetFileType()) << c.what;
        return true;
    }

    testsupport::TempDir dir;
    std::unique_ptr<AudioFile> file;
};

// ---- detection

TEST_F(AudioFileHeaders, DetectionByMagicThenByExtension) {
    std::string tail(20, 'x');
    struct Case {
        char const *name;
        std::string bytes;
        int type;
    } const cases[] = {
        {"short.wav", "RIFF" + std::string(23, 'x'), kTypeUnknown},
        {"a.wav", "RIFF" + std::string(24, 'x'), kTypeRiff},
        {"mulaw.au", AuFile(24, 4, 1, 8000, 1, "abcd"), kTypeAu},
        {"pcm16.au", AuFile(24, 4, 3, 8000, 1, "abcd"), kTypeAu},
        {"pcm24.au", AuFile(24, 6, 4, 8000, 1, "abcdef"), kTypeAu},
        {"linear8.au", AuFile(24, 4, 2, 8000, 1, "abcd"), kTypeUnknown},
        {"linear8.raw", AuFile(24, 4, 2, 8000, 1, "abcd"), kTypeUnknown},
        {"a.aif", "FORM" + Be32(20) + "AIFF" + tail, kTypeAiff},
        {"c.aif", "FORM" + Be32(20) + "AIFC" + tail, kTypeUnknown},
        {"list.edl", "Tessaro EDL" + std::string(17, ' '), kTypeEditList},
        {"noise.PCM", Noise(100, 2), kTypeRawPcm},
        {"noise.Raw", Noise(100, 2), kTypeRawPcm},
        {"noise.pcm.bak", Noise(100, 2), kTypeUnknown},
        {"noise.wav", Noise(100, 2), kTypeUnknown},
        {"short.raw", Noise(27, 2), kTypeUnknown},
        {"magic.raw", "RIFF" + std::string(24, 'x'), kTypeRiff},
    };
    for (Case const &c : cases)
        EXPECT_EQ(c.type, GetAudioFileType(FileName(Put(c.name, c.bytes).c_str()))) << c.name;
    EXPECT_FALSE(ErrorOf([&] { GetAudioFileType(FileName(dir.File("missing.wav").c_str())); }).empty());
}

// ---- RIFF WAVE

TEST_F(AudioFileHeaders, WaveReaderTable) {
    std::string fmt16 = RiffChunk("fmt ", WaveFormat(2, 16, 44100));
    std::string data = RiffChunk("data", kStereo16);
    std::string garbage = std::string("\x01\x02\x03\x04", 4) + Le32(8) + "12345678";
    std::string floatFormat = Le16(3) + WaveFormat(2, 32, 44100).substr(2);
    std::string extensible = Le16(0xFFFE) + WaveFormat(2, 24, 48000).substr(2) + Le16(22) + Le16(24) + Le32(3);
    std::string pcmGuid = Le16(1) + std::string("\x00\x00\x00\x00\x10\x00\x80\x00\x00\xAA\x00\x38\x9B\x71", 14);
    std::string floatGuid = Le16(3) + pcmGuid.substr(2);
    std::string nested = RiffChunk("abcd", "xyz");
    for (int i = 0; i < 40; ++i)
        nested = RiffChunk("LIST", "INFO" + nested);
    ReadCase const cases[] = {
        {"plain stereo", WaveFile(fmt16 + data), 0, kPcm16, 44100, 2, 1000},
        {"garbage after data", WaveFile(fmt16 + data + garbage), 0, kPcm16, 44100, 2, 1000},
        {"garbage before fmt", WaveFile(garbage + fmt16 + data), kMsgDamaged},
        {"data before fmt", WaveFile(data + fmt16), kMsgNoFormatOrData},
        {"no data", WaveFile(fmt16), kMsgNoFormatOrData},
        {"3 channels", SimpleWave(3, 16, 8000, Noise(600, 3)), kMsgNoFormatOrData},
        {"4 channels", SimpleWave(4, 16, 8000, Noise(800, 3)), kMsgNoFormatOrData},
        {"float tag", WaveFile(RiffChunk("fmt ", floatFormat) + data), kMsgNotPcm},
        {"32-bit PCM", SimpleWave(1, 32, 8000, Noise(400, 4)), 0, kInt32, 8000, 1, 100},
        {"24-bit PCM", SimpleWave(2, 24, 96000, Noise(600, 4)), 0, kPcm24, 96000, 2, 100},
        {"20-bit PCM", SimpleWave(1, 20, 96000, Noise(300, 4)), 0, kPcm20, 96000, 1, 100},
        {"8-bit PCM", SimpleWave(1, 8, 8000, Noise(99, 4)), 0, kUnsigned8, 8000, 1, 99},
        {"12-bit PCM", SimpleWave(1, 12, 8000, Noise(200, 4)), 0, kPcm16, 8000, 1, 100},
        {"extensible PCM", WaveFile(RiffChunk("fmt ", extensible + pcmGuid) + RiffChunk("data", Noise(600, 5))), 0,
         kPcm24, 48000, 2, 100},
        {"extensible float", WaveFile(RiffChunk("fmt ", extensible + floatGuid) + data), kMsgNotPcm},
        {"extensible cut short", WaveFile(RiffChunk("fmt ", extensible) + data), kMsgNotPcm},
        {"0 bits", SimpleWave(1, 0, 8000, kStereo16), kMsgNotPcm},
        {"40 bits", SimpleWave(1, 40, 8000, kStereo16), kMsgNotPcm},
        {"block align 3 for 16-bit stereo",
         WaveFile(RiffChunk("fmt ", WaveFormat(2, 16, 8000).substr(0, 12) + Le16(3) + Le16(16)) + data), kMsgNotPcm},
        {"rate 0", SimpleWave(2, 16, 0, kStereo16), kMsgDamaged},
        {"fmt of 14 bytes", WaveFile(RiffChunk("fmt ", WaveFormat(2, 16, 8000).substr(0, 14)) + data), kMsgDamaged},
        {"AVI form", "RIFF" + Le32(4) + "AVI " + fmt16 + data, kMsgNotWave},
        {"data size all ones", WaveFile(fmt16 + "data" + Le32(0xFFFFFFFF) + kStereo16 + "xy"), 0, kPcm16, 44100, 2,
         1000},
        {"data size past the end", WaveFile(fmt16 + "data" + Le32(8000) + kStereo16), 0, kPcm16, 44100, 2, 1000},
        {"riff size past the end", "RIFF" + Le32(0x7FFFFFF0) + "WAVE" + fmt16 + data, 0, kPcm16, 44100, 2, 1000},
        {"chunk past the end before data", WaveFile(fmt16 + "abcd" + Le32(100000) + data), kMsgDamaged},
        {"nested 41 deep", WaveFile(fmt16 + nested + data), kMsgDamaged},
        {"second fmt ignored", WaveFile(fmt16 + RiffChunk("fmt ", WaveFormat(1, 8, 8000)) + data), 0, kPcm16, 44100, 2,
         1000},
    };
    for (ReadCase const &c : cases) {
        if (Check("t.wav", c, &AudioFile::ReadRiff, kTypeRiff)) {
            EXPECT_EQ(file->GetDataOffset() - 4, file->GetDataSizePosition()) << c.what;
        }
    }
}

TEST_F(AudioFileHeaders, WaveReaderKeepsOtherChunksWithTheirNesting) {
    std::string list = RiffChunk("LIST", "INFO" + RiffChunk("INAM", "Tune") + RiffChunk("ICMT", "odd"));
    std::string pad = RiffChunk("PAD ", std::string(4044 - 24, '\0'));
    std::string bytes = WaveFile(RiffChunk("fmt ", WaveFormat(2, 16, 44100)) + RiffChunk("fact", Le32(1000)) + list +
                                 pad + RiffChunk("data", kStereo16));
    ASSERT_EQ("", Read("chunks.wav", bytes, &AudioFile::ReadRiff));
    std::string seen;
    for (FileChunk *c = file->GetChunks().GetFirst(); c; c = file->GetChunks().GetNext(c)) {
        char id[5] = {};
        std::memcpy(id, &c->id, 4);
        seen += std::string(id) + ":" + std::to_string(c->level) + ":" + std::to_string(c->size) + ":" +
                std::to_string(c->data.size()) + " ";
    }
    EXPECT_EQ("fact:1:4:4 LIST:1:0:0 INAM:2:4:4 ICMT:2:3:4 ", seen);
    EXPECT_EQ(file->GetDataOffset(), file->GetAlignment());
}

// ---- AIFF

TEST_F(AudioFileHeaders, AiffReaderTable) {
    std::string comm = AiffChunk("COMM", AiffCommon(2, 1000, 16, 44100));
    std::string sound = AiffChunk("SSND", Be32(0) + Be32(0) + kStereo16);
    std::string swapped = AiffCommon(2, 1000, 16, 44100);
    std::swap(swapped[8], swapped[9]);
    ReadCase const cases[] = {
        {"plain stereo", AiffFile(comm + sound), 0, kPcm16Big, 44100, 2, 1000},
        {"sound before common", AiffFile(sound + comm), 0, kPcm16Big, 44100, 2, 1000},
        {"swapped exponent", AiffFile(AiffChunk("COMM", swapped) + sound), 0, kPcm16Big, 44100, 2, 1000},
        {"500 Hz kept",
         AiffFile(AiffChunk("COMM", AiffCommon(1, 10, 8, 500)) + AiffChunk("SSND", Be32(0) + Be32(0) + Noise(10, 6))),
         0, kSigned8, 500, 1, 10},
        {"rate 0", AiffFile(AiffChunk("COMM", AiffCommon(2, 1000, 16, 0)) + sound), kMsgAiffUnsupported},
        {"rate 2 MHz", AiffFile(AiffChunk("COMM", AiffCommon(2, 1000, 16, 2000000)) + sound), kMsgAiffUnsupported},
        {"no SSND", AiffFile(comm), kMsgNoSoundData},
        {"SSND without COMM", AiffFile(sound), kMsgDamaged},
        {"12 bits", AiffFile(AiffChunk("COMM", AiffCommon(2, 1000, 12, 44100)) + sound), kMsgAiffUnsupported},
        {"3 channels", AiffFile(AiffChunk("COMM", AiffCommon(3, 10, 16, 44100)) + sound), kMsgAiffUnsupported},
        {"20 bits", SimpleAiff(1, 20, 48000, Noise(300, 7)), 0, kPcm20Big, 48000, 1, 100},
        {"24 bits", SimpleAiff(2, 24, 48000, Noise(600, 7)), 0, kPcm24Big, 48000, 2, 100},
        {"COMM says fewer frames", AiffFile(AiffChunk("COMM", AiffCommon(2, 10, 16, 44100)) + sound), 0, kPcm16Big,
         44100, 2, 10},
        {"file ends inside SSND", AiffFile(comm + "SSND" + Be32(4008) + Be32(0) + Be32(0) + kStereo16.substr(0, 400)),
         0, kPcm16Big, 44100, 2, 100},
        {"offset past SSND", AiffFile(comm + AiffChunk("SSND", Be32(4001) + Be32(0) + kStereo16)), kMsgDamaged},
        {"unprintable id", AiffFile(comm + std::string("\x01\x02\x03\x04", 4) + Be32(2) + "ab" + sound), kMsgDamaged},
        {"AIFC form", "FORM" + Be32(4) + "AIFC" + comm + sound, kMsgNotAiff},
        {"COMM of 16 bytes", AiffFile(AiffChunk("COMM", AiffCommon(2, 1000, 16, 44100).substr(0, 16)) + sound),
         kMsgDamaged},
    };
    for (ReadCase const &c : cases)
        Check("t.aif", c, &AudioFile::ReadAiff, kTypeAiff);
}

TEST_F(AudioFileHeaders, AiffReaderKeepsOtherChunksAndTheBlockSize) {
    std::string bytes =
        AiffFile(AiffChunk("NAME", "Tune") + AiffChunk("COMM", AiffCommon(1, 5, 16, 8000)) + AiffChunk("ANNO", "odd") +
                 AiffChunk("SSND", Be32(6) + Be32(4096) + "pad..." + Noise(10, 8)));
    ASSERT_EQ("", Read("kept.aif", bytes, &AudioFile::ReadAiff));
    ASSERT_EQ(2, file->GetChunks().GetCount());
    EXPECT_EQ(4u, file->GetChunks().GetFirst()->size);
    EXPECT_EQ(3u, file->GetChunks().GetLast()->size);
    EXPECT_EQ(4u, file->GetChunks().GetLast()->data.size());
    EXPECT_EQ(4096, file->GetAlignment());
    EXPECT_EQ(bytes.size() - 10, size_t(file->GetDataOffset()));
}

TEST(AiffNumbers, ExtendedBothWays) {
    struct Case {
        double value;
        char const *bytes;
    } const cases[] = {
        {0, "\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00"},       {1, "\x3F\xFF\x80\x00\x00\x00\x00\x00\x00\x00"},
        {44100, "\x40\x0E\xAC\x44\x00\x00\x00\x00\x00\x00"},   {8000, "\x40\x0B\xFA\x00\x00\x00\x00\x00\x00\x00"},
        {0.5, "\x3F\xFE\x80\x00\x00\x00\x00\x00\x00\x00"},     {-96000, "\xC0\x0F\xBB\x80\x00\x00\x00\x00\x00\x00"},
        {1.0 / 3, "\x3F\xFD\xAA\xAA\xAA\xAA\xAA\xAA\xA8\x00"},
    };
    for (auto const &c : cases) {
        uint8_t bytes[10];
        AiffDoubleToExtended(c.value, bytes);
        EXPECT_EQ(0, std::memcmp(bytes, c.bytes, 10)) << c.value;
        EXPECT_EQ(c.value, AiffExtendedToDouble(reinterpret_cast<uint8_t const *>(c.bytes))) << c.value;
    }
    EXPECT_EQ(HUGE_VAL,
              AiffExtendedToDouble(reinterpret_cast<uint8_t const *>("\x7F\xFF\x00\x00\x00\x00\x00\x00\x00\x00")));
}

// ---- AU

TEST_F(AudioFileHeaders, AuReaderTable) {
    struct Case {
        char const *what;
        std::string bytes;
        int checkSize;
        unsigned message;
        uint32_t word;
        int channels, length, offset;
    } const cases[] = {
        {"16-bit mono", AuFile(24, 200, 3, 8000, 1, Noise(200, 9)), 1, 0, kPcm16Big, 1, 100, 24},
        {"mu-law stereo", AuFile(24, 200, 1, 8000, 2, Noise(200, 9)), 1, 0, kMuLaw8, 2, 100, 24},
        {"24-bit stereo", AuFile(24, 600, 4, 48000, 2, Noise(600, 9)), 1, 0, kPcm24Big, 2, 100, 24},
        {"size to the end", AuFile(40, 0xFFFFFFFF, 3, 8000, 1, std::string(16, 'a') + Noise(1000, 9)), 1, 0, kPcm16Big,
         1, 500, 40},
        {"negative size", AuFile(24, 0x80000000, 3, 8000, 1, Noise(200, 9)), 1, 0, kPcm16Big, 1, 100, 24},
        {"8-bit linear", AuFile(24, 200, 2, 8000, 1, Noise(200, 9)), 1, kMsgAuUnsupported},
        {"float", AuFile(24, 200, 6, 8000, 1, Noise(200, 9)), 1, kMsgAuUnsupported},
        {"no data", AuFile(24, 0, 3, 8000, 1, Noise(200, 9)), 1, kMsgNoSoundData},
        {"offset 20", AuFile(20, 200, 3, 8000, 1, Noise(200, 9)), 1, kMsgDamaged},
        {"offset past the end", AuFile(5000, 200, 3, 8000, 1, Noise(200, 9)), 0, kMsgDamaged},
        {"size past the end", AuFile(24, 300, 3, 8000, 1, Noise(200, 9)), 1, kMsgDamaged},
        {"size past the end, unchecked", AuFile(24, 300, 3, 8000, 1, Noise(200, 9)), 0, 0, kPcm16Big, 1, 150, 24},
        {"0 channels", AuFile(24, 200, 3, 8000, 0, Noise(200, 9)), 1, kMsgDamaged},
        {"3 channels", AuFile(24, 198, 3, 8000, 3, Noise(198, 9)), 1, kMsgAuUnsupported},
        {"rate 0", AuFile(24, 200, 3, 0, 1, Noise(200, 9)), 1, kMsgDamaged},
        {"negative rate", AuFile(24, 200, 3, 0x80000000, 1, Noise(200, 9)), 1, kMsgDamaged},
        {"not AU", "snd." + Noise(100, 9), 1, kMsgNotAu},
    };
    for (Case const &c : cases) {
        std::string path = Put("t.au", c.bytes);
        file.reset(new AudioFile);
        std::string error = ErrorOf([&] { file->ReadAu(FileName(path.c_str()), c.checkSize); });
        EXPECT_EQ(c.message ? Text(c.message) : "", error) << c.what;
        if (c.message || !error.empty())
            continue;
        EXPECT_EQ(c.word, file->GetFlags()) << c.what;
        EXPECT_EQ(c.channels, file->GetNumChannels()) << c.what;
        EXPECT_EQ(c.length, file->GetLength()) << c.what;
        EXPECT_EQ(c.offset, file->GetDataOffset()) << c.what;
        EXPECT_EQ(kTypeAu, file->GetFileType()) << c.what;
    }
}

// ---- opening by type, raw PCM

int stereo16Chosen = 0;
int ChooseStereo16(SamplePattern &pattern) {
    ++stereo16Chosen;
    EXPECT_EQ(1, pattern.IsInterleaved());
    pattern = SamplePattern(kPcm16, 2, 1, 22050);
    return 1;
}

int Decline(SamplePattern &) { return 0; }

TEST_F(AudioFileHeaders, OpeningByTypeRefusesWhatItCannotOpen) {
    std::string raw = Put("x.pcm", Noise(1001, 10));
    std::string edl = Put("x.edl", "Tessaro EDL" + Noise(40, 10));
    std::string unknown = Put("x.bin", Noise(40, 10));
    std::string refused = Text(kMsgNotAudioFile) + "\n(" + unknown + ")";
    struct Case {
        std::string path;
        int interactive, report;
        TRawFormatChooser chooser;
        std::string error;
    } const cases[] = {
        {unknown, 1, 1, nullptr, refused},
        {unknown, 1, 0, nullptr, "(no text)"},
        {edl, 1, 1, nullptr, Text(kMsgNotAudioFile) + "\n(" + edl + ")"},
        {raw, 0, 1, &ChooseStereo16, Text(kMsgNotAudioFile) + "\n(" + raw + ")"},
        {raw, 1, 0, &ChooseStereo16, "(no text)"},
        {raw, 1, 1, nullptr, "(no text)"},
        {raw, 1, 1, &Decline, "(no text)"},
        {raw, 1, 1, &ChooseStereo16, ""},
    };
    for (Case const &c : cases) {
        TRawFormatChooser previous = SetRawFormatChooser(c.chooser);
        AudioFile opened;
        EXPECT_EQ(c.error, ErrorOf([&] { opened.OpenByType(FileName(c.path.c_str()), c.interactive, c.report); }))
            << c.path << " " << c.interactive << c.report;
        SetRawFormatChooser(previous);
        if (!c.error.empty())
            continue;
        EXPECT_EQ(250, opened.GetLength());
        EXPECT_EQ(kTypeRawPcm, opened.GetFileType());
        EXPECT_EQ(22050u, opened.GetRate());
        EXPECT_EQ(0, opened.GetDataOffset());
    }
}

TEST(NewWaveFormat, FromTheSettings) {
    struct Case {
        int channels, bits;
        uint32_t rate;
        int count, interleaved;
        uint32_t word;
    } const cases[] = {
        {1, 8, 11025, 1, 1, kUnsigned8},
        {2, 16, 44100, 2, 1, kPcm16},
        {3, 24, 48000, 2, 0, kPcm24},
        {2, 20, 32000, 2, 1, kPcm20},
    };
    NewWaveSettings saved = TheNewWaveSettings();
    for (auto const &c : cases) {
        TheNewWaveSettings().channels = c.channels;
        TheNewWaveSettings().bits = c.bits;
        TheNewWaveSettings().rate = c.rate;
        SamplePattern pattern;
        GetNewWaveFormat(pattern);
        EXPECT_EQ(c.count, pattern.GetNumChannels()) << c.channels;
        EXPECT_EQ(c.interleaved, pattern.IsInterleaved()) << c.channels;
        EXPECT_EQ(c.word, pattern.GetFlags()) << c.bits;
        EXPECT_EQ(c.rate, pattern.GetRate());
    }
    TheNewWaveSettings() = saved;
}

// ---- writers: exact bytes

class AudioFileWriters : public AudioFileHeaders {
protected:
    std::string Write(int type, SamplePattern const &pattern, int frames, int blockSize = 0) {
        std::string path = dir.File("written");
        std::unique_ptr<AudioFile> written(
            CreateAudioFileForWriting(FileName(path.c_str()), 100, type, blockSize, pattern, chunks, frames, size));
        EXPECT_EQ(frames, written->GetLength());
        EXPECT_EQ(type, written->GetFileType());
        dataOffset = written->GetDataOffset();
        return Bytes(path);
    }
    List<FileChunk> chunks;
    int64_t size = 0;
    int64_t dataOffset = 0;
};

TEST_F(AudioFileWriters, WaveWithTheS8BlockPutsTheFirstSampleAt4096) {
    TheAudioFileSettings().s8AudioFile = 1;
    std::string bytes = Write(kTypeRiff, SamplePattern(kPcm16, 2, 1, 44100), 10);
    TheAudioFileSettings().s8AudioFile = 0;
    std::string expected = "RIFF" + Le32(4096 + 40 - 8) + "WAVE" + RiffChunk("fmt ", WaveFormat(2, 16, 44100)) +
                           RiffChunk("PAD ", std::string(4044, '\0')) + "data" + Le32(40);
    EXPECT_EQ(expected, bytes);
    EXPECT_EQ(4096 + 40, size);
    EXPECT_EQ(4096, dataOffset);
}

TEST_F(AudioFileWriters, WaveKeepsChunksWithPadBytesNestingAndTheNewFrameCount) {
    chunks.Append(new Riff::Chunk(FourCC("fact"), 4, 0, 1))->data = {7, 0, 0, 0};
    chunks.Append(new Riff::Chunk(FourCC("LIST"), 0, FourCC("INFO"), 1));
    chunks.Append(new Riff::Chunk(FourCC("ICMT"), 3, 0, 2))->data = {'o', 'd', 'd', 0};
    std::string bytes = Write(kTypeRiff, SamplePattern(kPcm24, 1, 1, 48000), 5);
    std::string expected = "RIFF" + Le32(96 - 8) + "WAVE" + RiffChunk("fmt ", WaveFormat(1, 24, 48000)) +
                           RiffChunk("fact", Le32(5)) + RiffChunk("LIST", "INFO" + RiffChunk("ICMT", "odd")) + "data" +
                           Le32(15);
    EXPECT_EQ(expected, bytes);
    EXPECT_EQ(int64_t(bytes.size()) + 16, size);
    EXPECT_EQ(3, chunks.GetCount());  // the caller's list as it was
}

TEST_F(AudioFileWriters, PadTakesTheNextBoundaryWhenNoHeaderFits) {
    chunks.Append(new Riff::Chunk(FourCC("junk"), 10, 0, 1))->data.resize(10);
    // junk ends at 54: a header there would put its data at 62, two bytes short of 64
    std::string bytes = Write(kTypeRiff, SamplePattern(kPcm16, 1, 1, 8000), 4, 32);
    EXPECT_EQ(96, dataOffset);
    EXPECT_EQ("PAD " + Le32(26), bytes.substr(54, 8));
}

TEST_F(AudioFileWriters, RiffSizesArePatchedForTheFramesWritten) {
    chunks.Append(new Riff::Chunk(FourCC("junk"), 3, 0, 1))->data = {1, 2, 3, 0};
    for (int kind : {kAccessMapped, kAccessCached}) {
        std::string path = dir.File("patched.wav");
        SamplePattern pattern(kPcm24, 1, 1, 8000);
        OwnedFile file(
            CreateAudioFileForWriting(FileName(path.c_str()), kind, kTypeRiff, 0, pattern, chunks, 100, size));
        file->OpenStorage(kind, FileName(path.c_str()), kOpenForWriting, size);
        file->UpdateRiffSizes(7);
        int64_t position = file->GetDataSizePosition();
        file->CloseStorage(0);
        std::string bytes = Bytes(path);
        EXPECT_EQ(Le32(uint32_t(position + 4 + 22 - 8)), bytes.substr(4, 4)) << kind;
        EXPECT_EQ(Le32(21), bytes.substr(size_t(position), 4)) << kind;
        EXPECT_EQ("data", bytes.substr(size_t(position) - 4, 4)) << kind;
    }
}

TEST_F(AudioFileWriters, AiffPutsTheFirstSampleOn512Bytes) {
    std::string bytes = Write(kTypeAiff, SamplePattern(kPcm16Big, 1, 1, 44100), 100);
    std::string expected = AiffFile(AiffChunk("COMM", AiffCommon(1, 100, 16, 44100)) + "SSND" + Be32(458 + 200 + 8) +
                                    Be32(458) + Be32(512) + std::string(458, '\0'));
    expected.replace(4, 4, Be32(712 - 8));
    EXPECT_EQ(expected, bytes);
    EXPECT_EQ(712, size);
    EXPECT_EQ(512, dataOffset);
}

TEST_F(AudioFileWriters, AuHeaderIs32Bytes) {
    std::string bytes = Write(kTypeAu, SamplePattern(kPcm16, 2, 1, 22050), 100);
    EXPECT_EQ(".snd" + Be32(32) + Be32(400) + Be32(3) + Be32(22050) + Be32(2) + std::string(8, '\0'), bytes);
    EXPECT_EQ(432, size);
    EXPECT_EQ(32, dataOffset);
}

TEST_F(AudioFileWriters, RawIsAnEmptyFile) {
    EXPECT_EQ("", Write(kTypeRawPcm, SamplePattern(kPcm24, 2, 1, 48000), 100));
    EXPECT_EQ(600, size);
    EXPECT_EQ(0, dataOffset);
}

TEST_F(AudioFileWriters, WhatCannotBeWrittenLeavesNoFile) {
    std::string path = dir.File("refused");
    std::string nowhere = dir.File("missing\\new.wav");
    struct Case {
        int type;
        SamplePattern pattern;
        int frames;
        std::string path, error;
    } const cases[] = {
        {kTypeAu, SamplePattern(kFloat32, 1, 1, 44100), 10, path, Text(kMsgAuUnsupported)},
        {kTypeAiff, SamplePattern(kFloat32, 1, 1, 44100), 10, path, Text(kMsgAiffUnsupported)},
        {kTypeAiff, SamplePattern(kInt32, 2, 1, 44100), 10, path, Text(kMsgAiffUnsupported)},
        {kTypeRiff, SamplePattern(kPcm16, 2, 1, 44100), 0x20000000, path, Text(kMsgTooLarge) + "\n(" + path + ")"},
        {kTypeRawPcm, SamplePattern(kPcm24, 2, 1, 44100), 0x7FFFFFFF, path, Text(kMsgTooLarge) + "\n(" + path + ")"},
        {kTypeRiff, SamplePattern(kPcm16, 2, 1, 44100), 10, nowhere, Text(kMsgCannotCreateWave)},
    };
    for (auto const &c : cases) {
        EXPECT_EQ(c.error, ErrorOf([&] {
                      CreateAudioFileForWriting(FileName(c.path.c_str()), 100, c.type, 0, c.pattern, chunks, c.frames,
                                                size);
                  }))
            << c.type;
        EXPECT_FALSE(File::Exist(FileName(c.path.c_str()))) << c.type;
    }
    // a file that was there before is not the writer's to remove
    testsupport::WriteBytes(path, "keep");
    EXPECT_EQ(Text(kMsgAiffUnsupported), ErrorOf([&] {
                  CreateAudioFileForWriting(FileName(path.c_str()), 100, kTypeAiff, 0, SamplePattern(kFloat32, 1, 1, 8000),
                                            chunks, 10, size);
              }));
    EXPECT_EQ("keep", Bytes(path));
}

TEST_F(AudioFileHeaders, WaveFileThatCannotBeOpenedSaysSo) {
    file.reset(new AudioFile);
    EXPECT_EQ(Text(kMsgCannotOpenWave), ErrorOf([&] { file->ReadRiff(FileName(dir.File("missing.wav").c_str())); }));
}

}  // namespace
