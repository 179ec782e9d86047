// What the record dialog's level meter shows, worked out apart from the drawing: where a
// level puts the end of the bar, which parts of a bar row are green, yellow, red or the
// bare scale, and the held peak mark, on a clock the caller passes in.
#pragma once

#include <cstdint>

// The bar length in pixels of a level 0 .. 32767 (the last block's peak): -1 for no signal,
// 245 at full scale.
int MeterPosition(int level);

// One bar row drawn for a bar position; each span is [from, to), empty when from >= to.
struct MeterSpan {
    int from = 0;
    int to = 0;
    bool IsEmpty() const { return from >= to; }
};

struct MeterBar {
    MeterSpan green;
    MeterSpan yellow;
    MeterSpan red;
    MeterSpan scale;  // the background shows again
};

MeterBar MeterBarOf(int position);

// The highest bar end of the last second, shown as a mark while it lasts.
class PeakHold {
public:
    enum { kHoldMs = 1000, kYellowFrom = 150, kRedFrom = 205 };

    // The bar's end at time now (milliseconds of a clock that may wrap).
    void Update(int end, uint32_t now);
    void Clear() { x_ = 0, time_ = 0; }
    // The mark's x, 0 when there is none; red from kRedFrom on.
    int GetX() const { return x_; }
    bool IsRed() const { return x_ >= kRedFrom; }
    MeterSpan Mark() const;

private:
    int x_ = 0;
    uint32_t time_ = 0;
};
