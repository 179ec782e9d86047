// Waves the frequency analysis tests and its benchmark analyse: tones written into
// temporary files, and the band of a table that holds a frequency.
#pragma once

#include "audio/Wave.h"
#include "manager/DocumentManager.h"

#include <windows.h>

#include <cstdint>
#include <functional>
#include <vector>

namespace analysistest {

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
// analysis windows need; they go with it.
class FrameScope {
public:
    FrameScope();
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
