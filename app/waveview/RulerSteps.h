// Where a time ruler puts its labelled ticks: the label step chosen from the unit's table
// so that labels keep clear of each other at the view's zoom, and the tick grid it walks.
#pragma once

#include <cstddef>
#include <cstdint>

class SamplePattern;
struct TimeSettings;

struct RulerStep {
    int64_t units;          // the step in the unit's own measure (10 us, frames, ticks, ...)
    double samplesPerUnit;  // frames in one of those
    int precision;          // what FormatPosition takes for the labels
    int divisions;          // minor ticks split a step into this many parts

    double Samples() const { return double(units) * samplesPerUnit; }
    // The frame of labelled tick k, counted from the ruler's origin.
    int64_t TickSamples(int64_t k) const;
};

// The smallest entry of a descending table not below minimum (the largest when none is):
// the step tables of the rulers and level scales.
template <class T, size_t N>
T SmallestAtLeast(T const (&table)[N], T minimum) {
    for (size_t i = N; i-- > 0;)
        if (table[i] >= minimum)
            return table[i];
    return table[0];
}

// Frames between two labels at least: the label cell plus a gap, at the zoom; 5 or more.
int MinimumLabelSamples(int labelWidth, int zoom);
// The step of a unit (4 takes unit 3's) for labels at least minSamples frames apart.
RulerStep ChooseRulerStep(unsigned unit, int minSamples, SamplePattern const &pattern, TimeSettings const &t);
// Ticks per second, and the conversions both ways (rounded).
double TicksPerSecond(TimeSettings const &t);
long SamplesToTicks(long samples, uint32_t rate, TimeSettings const &t);
long TicksToSamples(long ticks, uint32_t rate, TimeSettings const &t);
// The first labelled tick to draw for a view whose left edge is at frame left: one step
// before the step that holds it (none before the first step without an origin).
int64_t FirstTick(RulerStep const &step, int64_t left, int64_t origin);
