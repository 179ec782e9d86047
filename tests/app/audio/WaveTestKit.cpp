#include "tests/app/audio/WaveTestKit.h"

#include "audio/AudioFile.h"
#include "audio/SampleConversion.h"
#include "audio/VirtualFileIterator.h"
#include "foundation/Exception.h"
#include "foundation/File.h"
#include "tests/support/TestSupport.h"

#include <memory>

namespace wavetest {

int32_t Distinct(int id, int channel, int frame) {
    return int32_t(1 + (id * 7919 + frame * 2 + channel) % 32000) * 256;
}

Samples DistinctSamples(int id, int channel, int first, int count) {
    Samples samples;
    for (int frame = first; frame < first + count; ++frame)
        samples.push_back(Distinct(id, channel, frame));
    return samples;
}

// Written as the sample operations write their work waves: an output iterator a channel,
// the writing completed with the flags of a temporary file.
Wave *DistinctWave(int id, int channels, int frames, uint32_t rate) {
    std::unique_ptr<Wave> wave(Wave::CreateTempWave(frames, channels, rate, 16));
    FileWriteBuffer buffer(channels);
    for (int c = 0; c < channels; ++c)
        for (WaveOutIterator it(buffer, c, wave->GetChannel(c), 0, -1); it.IsValid(); it.Advance(1))
            WriteSample24(it, Distinct(id, c, it.GetPosition()));
    long bytes = long(Wave::FramesToBytes(frames, *wave, channels));
    unsigned long const workFile = File::kSequentialScan | File::kDeleteOnClose | File::kShareNone | File::kReadWrite;
    for (int c = 0; c < channels; ++c)
        buffer.ValidateWriting(bytes, bytes, workFile, c);
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
