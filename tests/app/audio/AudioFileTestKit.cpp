#include "tests/app/audio/AudioFileTestKit.h"

#include "audio/AudioFileFormat.h"
#include "audio/FileSegment.h"
#include "audio/SampleConversion.h"
#include "audio/VirtualFileIterator.h"
#include "core/MessageBoxSeam.h"
#include "foundation/Exception.h"
#include "foundation/MessageCatalogue.h"
#include "foundation/MultiFileBuffer.h"
#include "tests/support/TestSupport.h"

#include <algorithm>
#include <memory>
#include <random>

namespace audiotest {

namespace {

std::string Number(uint32_t value, int bytes, bool bigEndian) {
    std::string out;
    for (int i = 0; i < bytes; ++i)
        out += char(value >> 8 * (bigEndian ? bytes - 1 - i : i));
    return out;
}

std::string Padded(std::string body) {
    if (body.size() % 2)
        body += '\0';
    return body;
}

std::string ExtendedRate(uint32_t rate) {
    uint8_t bytes[10];
    AiffDoubleToExtended(rate, bytes);
    return std::string(reinterpret_cast<char *>(bytes), sizeof bytes);
}

// Every frame of the file in lockstep over its channels, each channel through an iterator
// over one segment of the whole file, prepared again past the end of its window.
void WalkFrames(AudioFile &file, MultiFileBuffer &buffer,
                std::function<void(VirtualFileIterator &, int)> const &visit) {
    int channels = file.GetNumChannels();
    int length = file.GetLength();
    std::vector<std::unique_ptr<AudioFileSegment>> segments;
    std::vector<VirtualFileIterator> its(channels);
    for (int c = 0; c < channels; ++c) {
        segments.emplace_back(new AudioFileSegment(&file, 0, length, c));
        its[c].segment_ = segments.back().get();
        its[c].buffer_ = &buffer;
        its[c].bufferChannel_ = c;
        its[c].clipEnd_ = -1;
    }
    for (int frame = 0; frame < length; ++frame)
        for (VirtualFileIterator &it : its) {
            if (frame > it.clipEnd_) {
                it.clipStart_ = frame;
                it.clipEnd_ = length - 1;
                it.offset_ = 0;
                file.PrepareBuffer(it, 0, 0);
            }
            it.offset_ = frame - it.clipStart_;
            visit(it, frame);
        }
}

char const kOwnerStandIn = 0;

WarningRecorder *currentRecorder;

int RecordWarning(HWND, char const *text, char const *, unsigned) {
    currentRecorder->texts.push_back(text ? text : "");
    return IDOK;
}

}  // namespace

std::string Le16(uint32_t value) { return Number(value, 2, false); }
std::string Le32(uint32_t value) { return Number(value, 4, false); }
std::string Be16(uint32_t value) { return Number(value, 2, true); }
std::string Be32(uint32_t value) { return Number(value, 4, true); }

std::string RiffChunk(std::string const &id, std::string const &body) {
    return id + Le32(uint32_t(body.size())) + Padded(body);
}

std::string AiffChunk(std::string const &id, std::string const &body) {
    return id + Be32(uint32_t(body.size())) + Padded(body);
}

std::string WaveFormat(int channels, int bits, uint32_t rate) {
    int align = (bits + 7) / 8 * channels;
    return Le16(1) + Le16(channels) + Le32(rate) + Le32(align * rate) + Le16(align) + Le16(bits);
}

std::string WaveFile(std::string const &chunks) { return "RIFF" + Le32(uint32_t(chunks.size() + 4)) + "WAVE" + chunks; }

std::string SimpleWave(int channels, int bits, uint32_t rate, std::string const &samples) {
    return WaveFile(RiffChunk("fmt ", WaveFormat(channels, bits, rate)) + RiffChunk("data", samples));
}

std::string AiffFile(std::string const &chunks) { return "FORM" + Be32(uint32_t(chunks.size() + 4)) + "AIFF" + chunks; }

std::string AiffCommon(int channels, uint32_t frames, int bits, uint32_t rate) {
    return Be16(channels) + Be32(frames) + Be16(bits) + ExtendedRate(rate);
}

std::string SimpleAiff(int channels, int bits, uint32_t rate, std::string const &samples) {
    uint32_t frames = uint32_t(samples.size() / ((bits + 7) / 8 * channels));
    return AiffFile(AiffChunk("COMM", AiffCommon(channels, frames, bits, rate)) +
                    AiffChunk("SSND", Be32(0) + Be32(0) + samples));
}

std::string AuFile(uint32_t offset, uint32_t size, uint32_t encoding, uint32_t rate, uint32_t channels,
                   std::string const &samples) {
    return ".snd" + Be32(offset) + Be32(size) + Be32(encoding) + Be32(rate) + Be32(channels) + samples;
}

std::string Noise(size_t n, uint32_t seed) {
    std::mt19937 random(seed);
    std::string out(n, '\0');
    for (char &c : out)
        c = char(random());
    return out;
}

std::vector<int32_t> RepresentableValues(uint32_t word, size_t count, uint32_t seed) {
    std::mt19937 random(seed);
    int bits = SamplePattern(word, 1, 1, 0).GetBits();
    int32_t mask = bits >= 24 ? ~0 : ~((1 << (24 - bits)) - 1);
    std::vector<int32_t> values;
    for (size_t i = 0; i < count; ++i) {
        int32_t v = i == 0 ? -8388608 : i == 1 ? 8388607 : int32_t(random() & 0xFFFFFF) - 0x800000;
        int16_t stableMuLaw = kMuLawToSample[LinearToMuLaw(kMuLawToSample[random() & 0xFF])];
        values.push_back(word == kMuLaw8 ? stableMuLaw * 256 : v & mask);
    }
    return values;
}

std::vector<std::string> FilesIn(std::string const &folder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE h = FindFirstFileA((folder + "\\*").c_str(), &found);
    for (BOOL more = h != INVALID_HANDLE_VALUE; more; more = FindNextFileA(h, &found))
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            names.push_back(found.cFileName);
    if (h != INVALID_HANDLE_VALUE)
        FindClose(h);
    std::sort(names.begin(), names.end());
    return names;
}

std::string Text(unsigned id) { return String(FindString(id)).c_str(); }

std::string ErrorOf(std::function<void()> const &call) {
    try {
        call();
    } catch (Exception const &e) {
        std::string text = e.GetText().c_str();
        return text.empty() ? "(no text)" : text;
    } catch (AException const &e) {
        std::string text = e.why().c_str();
        return text.empty() ? "(no text)" : text;
    }
    return "";
}

std::string DataBytes(std::string const &path) {
    OwnedFile file(OpenAudioFile(kAccessUnchosen, FileName(path.c_str()), 1, 1));
    if (!file.get())
        return std::string();
    std::string bytes = testsupport::ReadBytes(path);
    return bytes.substr(size_t(file->GetDataOffset()), size_t(file->GetLength()) * file->GetBytesPerFrame());
}

std::vector<int32_t> ReadSamples24(AudioFile &file) {
    std::vector<int32_t> values(size_t(file.GetLength()) * file.GetNumChannels());
    MultiFileBuffer buffer(file.GetNumChannels(), 3 * file.GetNumChannels(), MultiFileBuffer::kReading);
    int channels = file.GetNumChannels();
    WalkFrames(file, buffer, [&](VirtualFileIterator &it, int frame) {
        AudioFileSegment const &segment = static_cast<AudioFileSegment const &>(*it.segment_);
        values[size_t(frame) * channels + segment.channel_] = ConvertSampleTo24(it);
    });
    return values;
}

void WriteSamples24(AudioFile &file, std::vector<int32_t> const &values) {
    int channels = file.GetNumChannels();
    MultiFileBuffer buffer(channels, channels, MultiFileBuffer::kWriting);
    WalkFrames(file, buffer, [&](VirtualFileIterator &it, int frame) {
        AudioFileSegment const &segment = static_cast<AudioFileSegment const &>(*it.segment_);
        WriteSample24(it, values[size_t(frame) * channels + segment.channel_]);
    });
    // as a save ends: what is written goes to the file, which ends with the samples and
    // keeps its own open flags (a temporary file stays one)
    long regionBytes = long(file.GetLength()) * file.GetBytesPerFrame();
    for (int c = 0; c < channels; ++c)
        buffer.ValidateWriting(regionBytes, long(file.GetDataOffset()) + regionBytes, 0, c);
}

OwnedFile::OwnedFile(AudioFile *file) : file_(file) {
    if (file_)
        file_->SetOwnerWave(TestOwner());
}

OwnedFile::~OwnedFile() {
    if (file_)
        file_->DetachFromWave();
}

SettingsScope::SettingsScope(std::string const &tempDir) : saved_(TheAudioFileSettings()) {
    TheAudioFileSettings().tempDir = FileName(tempDir.c_str());
}

SettingsScope::~SettingsScope() { TheAudioFileSettings() = saved_; }

WarningRecorder::WarningRecorder() {
    currentRecorder = this;
    SetMessageBoxAnswerer(&RecordWarning);
}

WarningRecorder::~WarningRecorder() {
    SetMessageBoxAnswerer(nullptr);
    currentRecorder = nullptr;
}

SamplePattern &RawFormatAnswer() {
    static SamplePattern answer;
    return answer;
}

int ChooseRawFormatAnswer(SamplePattern &pattern) {
    pattern = RawFormatAnswer();
    return 1;
}

Wave *TestOwner() { return reinterpret_cast<Wave *>(const_cast<char *>(&kOwnerStandIn)); }

}  // namespace audiotest
