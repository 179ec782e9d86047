// The header readers against damaged files: every truncation of small valid files and
// seeded mutations of them (bit flips; sizes of 0, -1, one more or less, past the end;
// chunks swapped and repeated). Each open either gives a consistent file whose every sample
// reads, or tells a reader's message.
//
// TESSARO_MUTATIONS sets the mutations per seed file (2000 by default); the long run is
//   TESSARO_MUTATIONS=1000000 tools/wine-run tests/TessaroTests.exe --gtest_filter='AudioFileMutation*'
#include "audio/AudioFile.h"
#include "audio/AudioFileIo.h"

#include "tests/app/AppTestSupport.h"
#include "tests/app/audio/AudioFileTestKit.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <random>
#include <set>

namespace {

using namespace audiotest;

// A small valid file: a prefix, then chunks that mutations may swap and repeat.
struct Seed {
    char const *name;
    std::string prefix;
    std::vector<std::string> chunks;
    bool bigEndian;
    std::vector<size_t> prefixSizeFields;  // positions of size words in the prefix
};

std::vector<Seed> Seeds() {
    std::string pcmGuid = Le16(1) + std::string("\x00\x00\x00\x00\x10\x00\x80\x00\x00\xAA\x00\x38\x9B\x71", 14);
    std::string extensible = Le16(0xFFFE) + WaveFormat(2, 24, 48000).substr(2) + Le16(22) + Le16(24) + Le32(3);
    return {
        {"seed.wav",
         "RIFF" + Le32(0) + "WAVE",
         {RiffChunk("fmt ", WaveFormat(2, 16, 44100)), RiffChunk("fact", Le32(100)),
          RiffChunk("LIST", "INFO" + RiffChunk("INAM", "odd")), RiffChunk("data", Noise(400, 1))},
         false,
         {4}},
        {"ext.wav",
         "RIFF" + Le32(0) + "WAVE",
         {RiffChunk("fmt ", extensible + pcmGuid), RiffChunk("data", Noise(300, 2)), RiffChunk("junk", "xyz")},
         false,
         {4}},
        {"seed.aif",
         "FORM" + Be32(0) + "AIFF",
         {AiffChunk("NAME", "Tune"), AiffChunk("COMM", AiffCommon(2, 50, 24, 48000)),
          AiffChunk("SSND", Be32(4) + Be32(0) + "pad." + Noise(300, 3))},
         true,
         {4}},
        {"seed.au", AuFile(32, 200, 1, 8000, 2, std::string(8, '\0')), {Noise(200, 4)}, true, {4, 8, 12, 16, 20}},
    };
}

std::string Join(Seed const &seed, std::vector<std::string> const &chunks) {
    std::string bytes = seed.prefix;
    for (std::string const &c : chunks)
        bytes += c;
    if (!seed.prefixSizeFields.empty() && seed.prefix.size() == 12) {
        std::string size = seed.bigEndian ? Be32(uint32_t(bytes.size() - 8)) : Le32(uint32_t(bytes.size() - 8));
        bytes.replace(4, 4, size);
    }
    return bytes;
}

// Positions of the size words: the prefix's and each chunk's.
std::vector<size_t> SizeFields(Seed const &seed, std::vector<std::string> const &chunks) {
    std::vector<size_t> fields = seed.prefixSizeFields;
    size_t position = seed.prefix.size();
    for (std::string const &c : chunks) {
        if (seed.prefix.size() == 12)
            fields.push_back(position + 4);
        position += c.size();
    }
    return fields;
}

std::string Mutate(Seed const &seed, std::mt19937 &random) {
    std::vector<std::string> chunks = seed.chunks;
    int kind = int(random() % 4);
    if (kind == 2 && chunks.size() > 1) {
        std::swap(chunks[random() % chunks.size()], chunks[random() % chunks.size()]);
    } else if (kind == 3) {
        size_t i = random() % chunks.size();
        chunks.insert(chunks.begin() + random() % (chunks.size() + 1), chunks[i]);
    }
    std::string bytes = Join(seed, chunks);
    if (kind == 0) {
        for (int flips = 1 + random() % 3; flips > 0; --flips)
            bytes[random() % bytes.size()] ^= char(1 << random() % 8);
    } else {
        std::vector<size_t> fields = SizeFields(seed, chunks);
        size_t at = fields[random() % fields.size()];
        uint32_t old = seed.bigEndian ? GetBE32(reinterpret_cast<uint8_t const *>(&bytes[at]))
                                      : GetLE32(reinterpret_cast<uint8_t const *>(&bytes[at]));
        uint32_t const values[] = {0, 0xFFFFFFFF, old + 1, old - 1, old + uint32_t(bytes.size()), 0x7FFFFFFF};
        uint32_t value = values[random() % 6];
        bytes.replace(at, 4, seed.bigEndian ? Be32(value) : Le32(value));
    }
    return bytes;
}

std::set<std::string> ReaderMessages() {
    std::set<std::string> texts;
    for (unsigned id : {kMsgNotAudioFile, kMsgNotAiff, kMsgNoSoundData, kMsgAiffUnsupported, kMsgNotWave,
                        kMsgNoFormatOrData, kMsgNotPcm, kMsgDamaged, kMsgNotAu, kMsgAuUnsupported})
        texts.insert(Text(id));
    return texts;
}

bool IsKnownWord(uint32_t word) {
    for (uint32_t known :
         {kUnsigned8, kSigned8, kMuLaw8, kPcm16, kPcm16Big, kPcm20, kPcm20Big, kPcm24, kPcm24Big, kInt32})
        if (word == known)
            return true;
    return false;
}

class AudioFileMutation : public ::testing::Test {
protected:
    void SetUp() override {
        apptest::UseEnglishTexts();
        messages = ReaderMessages();
    }

    // Empty when the open of these bytes went as it must, else what went wrong.
    std::string Check(char const *name, std::string const &bytes) {
        std::string path = dir.File(name);
        testsupport::WriteBytes(path, bytes);
        WarningRecorder warnings;
        OwnedFile file(OpenAudioFile(kAccessMapped, FileName(path.c_str()), 1, 1));
        if (!file.get()) {
            if (warnings.texts.size() != 1)
                return "no message";
            std::string first = warnings.texts[0].substr(0, warnings.texts[0].find('\n'));
            return messages.count(first) ? "" : "message " + warnings.texts[0];
        }
        if (file->GetNumChannels() < 1 || file->GetNumChannels() > 2)
            return "channels " + std::to_string(file->GetNumChannels());
        if (!IsKnownWord(file->GetFlags()))
            return "word " + std::to_string(file->GetFlags());
        if (file->GetLength() < 0 || file->GetDataOffset() < 0 ||
            file->GetDataOffset() + int64_t(file->GetLength()) * file->GetBytesPerFrame() > int64_t(bytes.size()))
            return "data outside the file";
        ReadSamples24(*file);
        return "";
    }

    testsupport::TempDir dir;
    std::set<std::string> messages;
};

TEST_F(AudioFileMutation, EveryTruncationOpensConsistentlyOrTellsWhy) {
    for (Seed const &seed : Seeds()) {
        std::string whole = Join(seed, seed.chunks);
        ASSERT_EQ("", Check(seed.name, whole)) << seed.name;
        for (size_t length = 0; length < whole.size(); ++length)
            EXPECT_EQ("", Check(seed.name, whole.substr(0, length))) << seed.name << " cut to " << length;
    }
}

TEST_F(AudioFileMutation, SeededMutationsOpenConsistentlyOrTellWhy) {
    std::string count = testsupport::Env("TESSARO_MUTATIONS");
    long mutations = count.empty() ? 2000 : std::atol(count.c_str());
    unsigned seedNumber = 0;
    for (Seed const &seed : Seeds()) {
        ++seedNumber;
        for (long i = 0; i < mutations; ++i) {
            std::mt19937 random(seedNumber * 1000003u + unsigned(i));
            std::string error = Check(seed.name, Mutate(seed, random));
            if (!error.empty())
                ADD_FAILURE() << seed.name << " mutation " << i << ": " << error;
        }
    }
}

}  // namespace
