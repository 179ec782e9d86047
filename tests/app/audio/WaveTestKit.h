// Helpers of the wave document tests: waves over temporary files whose every sample tells
// which file, channel and frame it is, the samples of a wave read through its iterators,
// and stand-ins for the main window and a view that keep what they were told.
#pragma once

#include "audio/MainWindowPoster.h"
#include "audio/Wave.h"
#include "manager/DocumentManager.h"
#include "manager/View.h"

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

namespace wavetest {

using Samples = std::vector<int32_t>;

// The parts one after the other.
Samples Join(std::initializer_list<Samples> parts);
// The 24-bit value (never 0, 16 bits stored) of a frame of a channel of file number id.
int32_t Distinct(int id, int channel, int frame);
Samples DistinctSamples(int id, int channel, int first, int count);
// A work wave of 16-bit samples over a new temporary file holding Distinct values.
Wave *DistinctWave(int id, int channels, int frames, uint32_t rate = 44100);
// A work wave of samples of the bits holding the values (24-bit scale), one list a channel.
Wave *WaveOfValues(std::vector<Samples> const &channels, int bits, uint32_t rate = 44100);
// The format flags of little-endian samples of the bits, as work waves hold them.
uint32_t FlagsOfBits(int bits);
// A work wave of the bits with two sources spliced and silence inserted (one undo step):
// every kind of stretch a save meets. frames + 550 frames.
Wave *EditedWave(int bits, int channels, int frames);
// The frames of one channel of a wave, read through an iterator (silence reads 0).
Samples ReadChannel(Wave &wave, int channel);
// The channels' frames one after the other in each frame, as a file holds them.
Samples Interleaved(Wave &wave);
// The values as a file of the format gives them back.
Samples ThroughFormat(Samples values, uint32_t flags);
// A wave over the audio file of that name, owning it; null after telling why not.
Wave *OpenWave(std::string const &path);

// Keeps the flushes and release requests posted while it is registered; throws on a flush
// when asked to.
class RecordingPoster : public MainWindowPoster {
public:
    RecordingPoster();
    ~RecordingPoster() override;
    RecordingPoster(RecordingPoster const &) = delete;
    RecordingPoster &operator=(RecordingPoster const &) = delete;

    void PostInterThreadMessage(InterThreadMessage *message) override;
    void PostReleaseRequest(Wave *wave, long serial) override;

    int flushes = 0;
    int releases = 0;
    bool failFlush = false;

private:
    MainWindowPoster *previous_;
};

// The program's document manager without a main window, so that documents open as they do
// in the program (the settings and layout files of the tests' "system" folder).
class DocumentsScope : public DocumentManager {
public:
    DocumentsScope();
    ~DocumentsScope() override;
};

// A view without a window that keeps the codes it is told; throws on code 0 when asked to.
class RecordingView : public View {
public:
    explicit RecordingView(Document &document) : View("RecordingView", document, nullptr) {}
    int Handler(int code, long a, long b) override;

    std::vector<std::string> told;  // "code a b"
    bool failOnAll = false;
};

}  // namespace wavetest
