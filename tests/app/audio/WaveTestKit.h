// Helpers of the wave document tests: waves over temporary files whose every sample tells
// which file, channel and frame it is, the samples of a wave read through its iterators,
// and stand-ins for the main window and a view that keep what they were told.
#pragma once

#include "audio/MainWindowPoster.h"
#include "audio/Wave.h"
#include "manager/DocumentManager.h"
#include "manager/View.h"

#include <cstdint>
#include <string>
#include <vector>

namespace wavetest {

using Samples = std::vector<int32_t>;

// The 24-bit value (never 0, 16 bits stored) of a frame of a channel of file number id.
int32_t Distinct(int id, int channel, int frame);
Samples DistinctSamples(int id, int channel, int first, int count);
// A work wave of 16-bit samples over a new temporary file holding Distinct values.
Wave *DistinctWave(int id, int channels, int frames, uint32_t rate = 44100);
// The frames of one channel of a wave, read through an iterator (silence reads 0).
Samples ReadChannel(Wave &wave, int channel);

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
