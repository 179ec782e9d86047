#include "waveview/RulerSteps.h"

#include "audio/SamplePattern.h"
#include "audio/TimeSettings.h"
#include "waveview/PositionText.h"

#include <algorithm>
#include <cmath>
#include <iterator>

namespace {

// Label steps of seconds and SMPTE in 10 us: 4 h down to 10 us.
int64_t const kTimeSteps[] = {1440000000, 720000000, 360000000, 180000000, 120000000, 60000000, 30000000,
                              12000000,   6000000,   3000000,   2000000,   1000000,   500000,   200000,
                              100000,     50000,     20000,     10000,     5000,      2000,     1000,
                              500,        300,       200,       100,       50,        30,       20,
                              10,         5,         3,         2,         1};
int64_t const kCountSteps[] = {2000000000, 1000000000, 750000000, 500000000, 300000000, 200000000, 100000000,
                               75000000,   50000000,   30000000,  20000000,  10000000,  7500000,   5000000,
                               3000000,    2000000,    1000000,   750000,    500000,    300000,    200000,
                               100000,     75000,      50000,     30000,     20000,     10000,     7500,
                               5000,       3000,       2000,      1000,      750,       500,       300,
                               200,        100,        75,        50,        30,        20,        10,
                               5,          3,          2,         1};

int64_t RoundUp(int64_t value, int64_t multiple) { return (value + multiple - 1) / multiple * multiple; }

int64_t TenMicroseconds(int minSamples, uint32_t rate) {
    return std::max<int64_t>(int64_t(double(minSamples) * 100000 / rate + 0.5), 1);
}

int TicksPerBeat(TimeSettings const &t) { return std::max(t.ticks * 4 / std::max(t.beatWholeNote, 1), 1); }

RulerStep SecondsStep(int minSamples, uint32_t rate) {
    int64_t step = SmallestAtLeast<int64_t>(kTimeSteps, TenMicroseconds(minSamples, rate));
    return RulerStep{step, rate * 0.00001, int(step), 10};
}

RulerStep CountStep(int minSamples, int frameBytes) {
    int64_t bytes = SmallestAtLeast<int64_t>(kCountSteps, int64_t(minSamples) * frameBytes);
    int64_t frames = std::max<int64_t>(bytes / frameBytes, 1);
    return RulerStep{frames, 1.0, int(frames), bytes < 10 ? int(bytes) : 10};
}

// Whole hours, minutes or seconds, else whole frames.
RulerStep SmpteStep(int minSamples, uint32_t rate, double fps) {
    int64_t minimum = TenMicroseconds(minSamples, rate);
    if (minimum > 180000000)
        minimum = RoundUp(minimum, 360000000);
    else if (minimum > 3000000)
        minimum = RoundUp(minimum, 6000000);
    else if (minimum > 50000)
        minimum = RoundUp(minimum, 100000);
    else {
        int64_t fps100 = std::max<int64_t>(int64_t(fps * 100), 1);
        minimum = RoundUp(minimum, std::max<int64_t>(10000000 / fps100, 1));
        int64_t frames = std::max<int64_t>(minimum * fps100 / 10000000, 1);
        return RulerStep{frames, rate / std::max(fps, 0.01), int(frames), 10};
    }
    return RulerStep{minimum, rate * 0.00001, int(std::min<int64_t>(minimum, INT32_MAX)), 10};
}

// Whole bars, else a part of a beat.
RulerStep BarsStep(int minSamples, uint32_t rate, TimeSettings const &t) {
    int64_t perBeat = TicksPerBeat(t), perBar = std::max<int64_t>(perBeat * t.beatMeasure, 1);
    int64_t minimum = std::max<long>(SamplesToTicks(minSamples, rate, t), 1);
    double samplesPerTick = rate / std::max(TicksPerSecond(t), 1e-9);
    if (perBar / std::max(t.beatWholeNote, 1) < minimum) {
        int64_t step = RoundUp(minimum, perBar);
        return RulerStep{step, samplesPerTick, int(step), step == perBar ? std::max(t.beatMeasure, 1) : 10};
    }
    int64_t parts = std::max<int64_t>(perBeat / minimum, 1);
    int64_t step = std::max<int64_t>(perBeat / parts, 1);
    return RulerStep{step, samplesPerTick, int(step), 10};
}

}  // namespace

int64_t RulerStep::TickSamples(int64_t k) const { return int64_t(std::floor(double(k * units) * samplesPerUnit + 0.5)); }

int MinimumLabelSamples(int labelWidth, int zoom) {
    int64_t pixels = (labelWidth + 34) & ~34;
    int64_t samples = zoom <= -2 ? pixels * -int64_t(zoom) : zoom >= 2 ? pixels / zoom : pixels;
    return int(std::max<int64_t>(std::min<int64_t>(samples, INT32_MAX), 5));
}

RulerStep ChooseRulerStep(unsigned unit, int minSamples, SamplePattern const &pattern, TimeSettings const &t) {
    uint32_t rate = pattern.GetRate() ? pattern.GetRate() : 1;
    switch (unit) {
    case kUnitSamples: return CountStep(minSamples, 1);
    case kUnitBytes: return CountStep(minSamples, std::max(pattern.GetBytesPerSample() * pattern.GetNumChannels(), 1));
    case kUnitSmpte: return SmpteStep(minSamples, rate, t.framesPerSecond);
    case kUnitBars:
    case kUnitBarsFromZero: return BarsStep(minSamples, rate, t);
    default: return SecondsStep(minSamples, rate);
    }
}

double TicksPerSecond(TimeSettings const &t) { return double(t.ticks) * t.tempo * 1.6666666666666667e-05; }

long SamplesToTicks(long samples, uint32_t rate, TimeSettings const &t) {
    return long(double(samples) / std::max(rate, 1u) * TicksPerSecond(t) + 0.5);
}

long TicksToSamples(long ticks, uint32_t rate, TimeSettings const &t) {
    return long(double(ticks) / std::max(TicksPerSecond(t), 1e-9) * rate + 0.5);
}

int64_t FirstTick(RulerStep const &step, int64_t left, int64_t origin) {
    double samples = std::max(step.Samples(), 1e-9);
    int64_t k = int64_t(std::floor(double(left - origin) / samples));
    return k > 0 || origin ? k - 1 : 0;
}
