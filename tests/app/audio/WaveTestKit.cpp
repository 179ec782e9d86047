#include "tests/app/audio/WaveTestKit.h"

#include "audio/AudioFile.h"
#include "audio/SampleConversion.h"
#include "audio/VirtualFileIterator.h"
#include "tests/app/audio/AudioFileTestKit.h"
#include "foundation/Exception.h"
#include "foundation/File.h"
#include "tests/support/TestSupport.h"

#include <memory>

namespace wavetest {

Samples Join(std::initializer_list<Samples> parts) {
    Samples all;
    for (Samples const &part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

int32_t Distinct(int id, int channel, int frame) {
    return int32_t(1 + (id * 7919 + frame * 2 + channel) % 32000) * 256;
}

Samples DistinctSamples(int id, int channel, int first, int count) {
    Samples samples;
    for (int frame = first; frame < first + count; ++frame)
        samples.push_back(Distinct(id, channel, frame));
    return samples;
}

Wave *DistinctWave(int id, int channels, int frames, uint32_t rate) {
    std::vector<Samples> values;
    for (int c = 0; c < channels; ++c)
        values.push_back(DistinctSamples(id, c, 0, frames));
    return WaveOfValues(values, 16, rate);
}

// Written as the sample operations write their work waves: an output iterator a channel,
// the writing completed with the flags of a temporary file.
Wave *WaveOfValues(std::vector<Samples> const &values, int bits, uint32_t rate) {
    int channels = int(values.size()), frames = int(values[0].size());
    std::unique_ptr<Wave> wave(Wave::CreateTempWave(frames, channels, rate, bits));
    FileWriteBuffer buffer(channels);
    for (int c = 0; c < channels; ++c)
        for (WaveOutIterator it(buffer, c, wave->GetChannel(c), 0, -1); it.IsValid(); it.Advance(1))
            WriteSample24(it, values[size_t(c)][size_t(it.GetPosition())]);
    long bytes = long(Wave::FramesToBytes(frames, *wave, channels));
    unsigned long const workFile = File::kSequentialScan | File::kDeleteOnClose | File::kShareNone | File::kReadWrite;
    for (int c = 0; c < channels; ++c)
        buffer.ValidateWriting(bytes, bytes, workFile, c);
    return wave.release();
}

uint32_t FlagsOfBits(int bits) {
    SamplePattern pattern;
    pattern.GetFormat().SetBits(bits, kLittleEndian);
    return pattern.GetFlags();
}

Wave *EditedWave(int bits, int channels, int frames) {
    std::vector<Samples> first, second;
    for (int c = 0; c < channels; ++c) {
        first.push_back(audiotest::RepresentableValues(FlagsOfBits(bits), size_t(frames), uint32_t(1 + c)));
        second.push_back(audiotest::RepresentableValues(FlagsOfBits(bits), 500, uint32_t(7 + c)));
    }
    std::unique_ptr<Wave> wave(WaveOfValues(first, bits)), middle(WaveOfValues(second, bits));
    wave->InsertFrom(frames / 3, frames / 3 - 1, 3, *middle, 0);
    wave->InsertSilence(AllChannelsMask(channels), 100, 149, 1);
    return wave.release();
}

Samples ReadChannel(Wave &wave, int channel) {
    Samples samples;
    FileReadBuffer buffer(1);
    WaveInIterator it(buffer, 0, wave.GetChannel(channel), 0, -1);
    for (; it.IsValid(); it.Advance(1))
        samples.push_back(ConvertSampleTo24(it));
    return samples;
}

Samples Interleaved(Wave &wave) {
    Samples channels[2] = {ReadChannel(wave, 0), ReadChannel(wave, 1)};
    Samples frames;
    for (size_t f = 0; f < channels[0].size(); ++f)
        for (int c = 0; c < wave.GetNumChannels(); ++c)
            frames.push_back(channels[c][f]);
    return frames;
}

Samples ThroughFormat(Samples values, uint32_t flags) {
    char sample[4] = {};
    VirtualFileIterator it;
    it.channelData_ = sample;
    it.fileChannels_ = 1;
    it.sampleFormat_ = int32_t(flags);
    for (int32_t &value : values) {
        WriteSample24(it, value);
        value = ConvertSampleTo24(it);
    }
    return values;
}

Wave *OpenWave(std::string const &path) {
    AudioFile *file = OpenAudioFile(kAccessUnchosen, FileName(path.c_str()), 1, 1);
    return file ? new Wave(file, 1, nullptr) : nullptr;
}

RecordingPoster::RecordingPoster() : previous_(SetMainWindowPoster(this)) {}

RecordingPoster::~RecordingPoster() { SetMainWindowPoster(previous_); }

void RecordingPoster::PostInterThreadMessage(InterThreadMessage *message) {
    bool flush = message->kind == MessFlushPlayback::kKind;
    delete message;
    if (flush && failFlush)
        throw Exception("the main window is gone");
    flushes += flush;
}

void RecordingPoster::PostReleaseRequest(Wave *, long) { ++releases; }

namespace {

char const *Prepared() {
    CreateDirectoryA((testsupport::ProgramFolder() + "\\system").c_str(), nullptr);
    TApplication::SetWinMainParams(GetModuleHandleA(nullptr), nullptr, "", SW_SHOWNORMAL);
    return "system\\wavetest.set";
}

}  // namespace

DocumentsScope::DocumentsScope() : DocumentManager("TessaroTests", Prepared(), 0, 0, 0, 0) {}

DocumentsScope::~DocumentsScope() { DeleteFileA((testsupport::ProgramFolder() + "\\system\\wavetest.set").c_str()); }

int RecordingView::Handler(int code, long a, long b) {
    if (code == kNotifyAll && failOnAll)
        throw Exception("the view cannot draw");
    told.push_back(std::to_string(code) + " " + std::to_string(a) + " " + std::to_string(b));
    return 1;
}

}  // namespace wavetest
