// Waves the frequency analysis tests and its benchmark analyse: tones written into
// temporary files, and the band of a table that holds a frequency.
#pragma once

#include "audio/PlayRequest.h"
#include "audio/PlaybackLink.h"
#include "audio/Wave.h"
#include "manager/DocumentManager.h"

#include <windows.h>

#include <cstdint>
#include <functional>
#include <vector>

class MDIClient;

namespace analysistest {

// Keeps the play requests instead of playing them, while it lives.
class RecordingLink : public PlaybackLink {
public:
    RecordingLink() : previous_(SetPlaybackLink(this)) {}
    ~RecordingLink() override { SetPlaybackLink(previous_); }
    bool IsPlaying(ASampleProvider const *) const override { return false; }
    int GetPosition() override { return 0; }
    int StopAndWait() override { return 0; }
    void RequeueFrom(int, int) override {}
    void Play(PlayRequest const &request) override { requests.push_back(request); }
    void SignalCollector(FileObject const &) override {}
    int GetPlayMode() const override { return 0; }
    int GetPlayChannels() const override { return 3; }
    int GetUseEngine() const override { return useEngine; }
    int GetOutputBits() const override { return 16; }

    std::vector<PlayRequest> requests;
    int useEngine = 0;

private:
    PlaybackLink *previous_;
};

// A 16-bit work wave whose sample of channel c at frame i is sample(c, i).
Wave *MakeWave(int channels, int frames, uint32_t rate, std::function<int(int, int)> const &sample);
// A sine of the frequency and amplitude (16-bit units), its sign turned on channel 1 when
// opposite is set.
Wave *SineWave(int channels, int frames, uint32_t rate, double hz, double amplitude, bool opposite = false);
// Selects frames first..last on the channels.
void Select(Wave &wave, int first, int last, int channels);

// The band whose lines take a frequency: the last band whose lower edge lies at or below it.
int BandHolding(std::vector<int> const &bands, double hz);
// The index of the largest value of slice k (bands per slice n) and the largest of all.
int PeakBand(std::vector<int> const &levels, int n, int k);
int Largest(std::vector<int> const &levels);

// The program's manager with an MDI main frame and the common resource module, as the
// analysis windows need; they go with it. The frame's client is the framework's plain one
// unless one is given; the frame is the framework's, or the program's own (its bars and
// status bar) when asked.
class FrameScope {
public:
    explicit FrameScope(MDIClient *client = nullptr, bool programFrame = false);
    ~FrameScope();
    FrameScope(FrameScope const &) = delete;
    FrameScope &operator=(FrameScope const &) = delete;

    DocumentManager &App() { return *app_; }
    HMODULE Common() const { return common_; }

private:
    HMODULE common_;
    DocumentManager *app_;
};

// Handles what the windows posted.
void Pump();

}  // namespace analysistest
