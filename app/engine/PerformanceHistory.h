// The load of the audio engine over its last 200 cycles, for the background task window's
// graph: per cycle three times (reading, processing, writing) as shares of the block's
// duration, 1.0 being the whole block. The engine's speaker element adds a sample per
// cycle; the graph reads them. One lock of its own.
#pragma once

#include <cstdint>
#include <vector>

struct PerformanceSample {
    float share[3];
};

enum { kPerformanceHistorySize = 200 };

// (caller's thread, unused; the cycle's three times in seconds; its frames; the rate).
// Nothing without frames.
void AddPerformanceSample(unsigned long threadId, float a, float b, float c, unsigned frames, unsigned rate);
// Empties the history; the graph draws again.
void ResetPerformanceHistory();
// The samples oldest first; clears the changed flag.
std::vector<PerformanceSample> TakePerformanceHistory();
// A sample came or the history was emptied since the last take.
bool HasPerformanceHistoryChanged();
