#include "engine/PerformanceHistory.h"

#include "foundation/CriticalSection.h"

namespace {

struct History {
    CriticalSection lock;
    std::vector<PerformanceSample> entries;  // allocated at the first sample
    int count = 0;
    int next = 0;
    bool changed = false;
};

History &TheHistory() {
    static History history;
    return history;
}

}  // namespace

void AddPerformanceSample(unsigned long, float a, float b, float c, unsigned frames, unsigned rate) {
    if (frames == 0)
        return;
    History &h = TheHistory();
    AutoCriticalSection hold(h.lock);
    if (h.entries.empty())
        h.entries.resize(kPerformanceHistorySize);
    float perBlock = float(rate) / float(frames);
    h.entries[size_t(h.next)] = PerformanceSample{{a * perBlock, b * perBlock, c * perBlock}};
    h.next = (h.next + 1) % kPerformanceHistorySize;
    if (h.count < kPerformanceHistorySize)
        ++h.count;
    h.changed = true;
}

void ResetPerformanceHistory() {
    History &h = TheHistory();
    AutoCriticalSection hold(h.lock);
    h.entries = std::vector<PerformanceSample>();
    h.count = 0;
    h.next = 0;
    h.changed = true;
}

std::vector<PerformanceSample> TakePerformanceHistory() {
    History &h = TheHistory();
    AutoCriticalSection hold(h.lock);
    std::vector<PerformanceSample> samples;
    samples.reserve(size_t(h.count));
    int first = (h.next - h.count + kPerformanceHistorySize) % kPerformanceHistorySize;
    for (int i = 0; i < h.count; ++i)
        samples.push_back(h.entries[size_t((first + i) % kPerformanceHistorySize)]);
    h.changed = false;
    return samples;
}

bool HasPerformanceHistoryChanged() {
    History &h = TheHistory();
    AutoCriticalSection hold(h.lock);
    return h.changed;
}
