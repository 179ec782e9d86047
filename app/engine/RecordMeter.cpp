#include "engine/RecordMeter.h"

#include "audio/LevelText.h"

#include <algorithm>
#include <cmath>
#include <iterator>

namespace {

struct Breakpoint {
    int decibels;
    int x;
};

// Levels and where they stand on the meter's scale; (0, 0) stands before the first as its
// lower neighbour.
Breakpoint const kScale[] = {{0, 0},     {-97, 14},  {-50, 25},  {-40, 43}, {-35, 58}, {-30, 73}, {-25, 96},
                             {-20, 119}, {-15, 147}, {-10, 175}, {-9, 182}, {-8, 189}, {-7, 196}, {-6, 203},
                             {-5, 210},  {-4, 217},  {-3, 224},  {-2, 231}, {-1, 238}, {0, 245}};

int const kGreenFrom = 16, kGreenLast = 149, kYellowLast = 205, kRedFrom = 206, kScaleLast = 248, kBarFrom = 15;

MeterSpan Span(int from, int to) {
    MeterSpan span;
    span.from = from;
    span.to = to;
    return span;
}

}  // namespace

int MeterPosition(int level) {
    if (level <= 0)
        return -1;
    int db = int(AmplitudeToDecibels(level) - 0.5);
    size_t i = 1;
    while (i + 1 < std::size(kScale) && kScale[i].decibels < db)
        ++i;
    Breakpoint const &at = kScale[i], &below = kScale[i - 1];
    return at.x + (db - at.decibels) * (at.x - below.x) / (at.decibels - below.decibels);
}

MeterBar MeterBarOf(int position) {
    MeterBar bar;
    int end = position + 2;
    if (position >= kBarFrom)
        bar.green = Span(kGreenFrom, std::min(end, kGreenLast) + 1);
    if (end >= PeakHold::kYellowFrom)
        bar.yellow = Span(PeakHold::kYellowFrom, std::min(end, kYellowLast) + 1);
    if (end >= kRedFrom)
        bar.red = Span(kRedFrom, end + 1);
    if (end < kScaleLast)
        bar.scale = Span(end + 1, kScaleLast + 1);
    return bar;
}

void PeakHold::Update(int end, uint32_t now) {
    if (end >= kYellowFrom && end > x_) {
        x_ = end;
        time_ = now;
    }
    if (x_ && now - time_ > uint32_t(kHoldMs))
        x_ = 0;
}

MeterSpan PeakHold::Mark() const { return x_ ? Span(x_ - 1, x_ + 1) : MeterSpan(); }
