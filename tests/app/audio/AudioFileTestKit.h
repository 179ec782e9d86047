// Helpers of the audio file tests and the interop probe: small files built byte by byte,
// every sample of an audio file read or written the way the wave's iterators do it, the
// settings a test runs under, and the warnings it would show.
#pragma once

#include "audio/AudioFile.h"
#include "audio/AudioFileSettings.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace audiotest {

// Numbers in file order.
std::string Le16(uint32_t value);
std::string Le32(uint32_t value);
std::string Be16(uint32_t value);
std::string Be32(uint32_t value);
// A chunk: id, size in the given byte order, body and the pad byte of an odd body.
std::string RiffChunk(std::string const &id, std::string const &body);
std::string AiffChunk(std::string const &id, std::string const &body);
// The 16 bytes of a PCM "fmt " body.
std::string WaveFormat(int channels, int bits, uint32_t rate);
// A WAVE file of the given chunks after "RIFF" size "WAVE".
std::string WaveFile(std::string const &chunks);
// A plain WAVE file: "fmt " and "data" holding samples.
std::string SimpleWave(int channels, int bits, uint32_t rate, std::string const &samples);
// An AIFF file of the given chunks; a COMM body; a plain AIFF file.
std::string AiffFile(std::string const &chunks);
std::string AiffCommon(int channels, uint32_t frames, int bits, uint32_t rate);
std::string SimpleAiff(int channels, int bits, uint32_t rate, std::string const &samples);
// An AU file with a 24-byte header.
std::string AuFile(uint32_t offset, uint32_t size, uint32_t encoding, uint32_t rate, uint32_t channels,
                   std::string const &samples);
// n deterministic bytes.
std::string Noise(size_t n, uint32_t seed);
// count deterministic values the format stores exactly, on the 24-bit scale, the extremes
// first (for mu-law, values whose code comes back as itself).
std::vector<int32_t> RepresentableValues(uint32_t word, size_t count, uint32_t seed);

// The names of the files in a folder, sorted.
std::vector<std::string> FilesIn(std::string const &folder);
// The text of a message number.
std::string Text(unsigned id);
// The text of the exception the call raised, "" when it raised none.
std::string ErrorOf(std::function<void()> const &call);

// The bytes of the frames of the audio file of that name, as stored.
std::string DataBytes(std::string const &path);
// Every sample of the file on the 24-bit scale, frame after frame; and the same written.
// Each channel goes through its own iterator over one segment, prepared again wherever its
// buffer window ends.
std::vector<int32_t> ReadSamples24(AudioFile &file);
void WriteSamples24(AudioFile &file, std::vector<int32_t> const &values);

// A registered file that a wave stand-in owns, so that segments may come and go; the
// stand-in lets it go when the object does.
class OwnedFile {
public:
    explicit OwnedFile(AudioFile *file);
    ~OwnedFile();
    OwnedFile(OwnedFile const &) = delete;
    OwnedFile &operator=(OwnedFile const &) = delete;
    AudioFile *operator->() const { return file_; }
    AudioFile &operator*() const { return *file_; }
    AudioFile *get() const { return file_; }

private:
    AudioFile *file_;
};

// The audio file settings of a test: its temporary folder; the old ones come back after.
class SettingsScope {
public:
    explicit SettingsScope(std::string const &tempDir);
    ~SettingsScope();
    SettingsScope(SettingsScope const &) = delete;
    SettingsScope &operator=(SettingsScope const &) = delete;

private:
    AudioFileSettings saved_;
};

// Answers the boxes that warnings would show, and keeps their texts.
class WarningRecorder {
public:
    WarningRecorder();
    ~WarningRecorder();
    WarningRecorder(WarningRecorder const &) = delete;
    WarningRecorder &operator=(WarningRecorder const &) = delete;
    std::vector<std::string> texts;
};

// The raw PCM format a test chooser answers, and the chooser (register it with
// SetRawFormatChooser).
SamplePattern &RawFormatAnswer();
int ChooseRawFormatAnswer(SamplePattern &pattern);

// A wave stand-in for the owner field: never followed.
Wave *TestOwner();

}  // namespace audiotest
