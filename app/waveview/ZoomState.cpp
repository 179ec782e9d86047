#include "waveview/ZoomState.h"

#include <algorithm>
#include <climits>
#include <cstdlib>

namespace {

int32_t const kHorizontalTable[] = {-4194304, -2097152, -1048576, -524288, -262144, -131072, -65536,
                                    -32768,   -16384,   -8192,    -4096,   -2048,   -1024,   -512,
                                    -256,     -128,     -64,      -32,     -16,     -8,      -4,
                                    -2,       1,        2,        4,       8,       16,      32,
                                    0};
int32_t const kVerticalTable[] = {1, 2, 4, 8, 16, 32, 64, 128, 256, 0};

int64_t const kPixelLimit = 2000000000;

int Saturated(int64_t v) { return int(std::min<int64_t>(std::max<int64_t>(v, INT_MIN), INT_MAX)); }

int MagnitudeOf(int z) { return z < 0 ? -z : z; }

int NoMinusOne(int z) { return z == -1 ? -2 : z; }

}  // namespace

int PixelsToFrames(int64_t pixels, int z) { return Saturated(z > 1 ? pixels / z : pixels * MagnitudeOf(z)); }

int FramesToPixels(int64_t frames, int z) {
    return Saturated(z > 1 ? frames * z : frames / std::max(MagnitudeOf(z), 1));
}

ZoomState::ZoomState(int32_t const *table) : table_(table), first_(table), value_(table[0]), index_(0) {
    tableSize_ = 0;
    while (table[tableSize_])
        ++tableSize_;
    lastIndex_ = tableSize_ - 1;
    magnitude_ = MagnitudeOf(value_);
}

ZoomState ZoomState::Horizontal() { return ZoomState(kHorizontalTable); }

ZoomState ZoomState::Vertical() { return ZoomState(kVerticalTable); }

void ZoomState::StartUsableAt(int t) {
    int at = 0;
    while (at < tableSize_ && table_[at] < t)
        ++at;
    if (at == tableSize_)
        at = 0;
    else if (table_[at] != t && at > 0)
        --at;
    first_ = table_ + at;
    lastIndex_ = tableSize_ - 1 - at;
    index_ = IndexFor(value_);
}

int ZoomState::IndexFor(int z) const {
    for (int i = 0; i <= lastIndex_; ++i)
        if (first_[i] >= z)
            return i;
    return lastIndex_;
}

void ZoomState::SetValue(int z) {
    value_ = std::min(NoMinusOne(z), LastEntry());
    magnitude_ = MagnitudeOf(value_);
    index_ = IndexFor(value_);
}

void ZoomState::SetIndex(int index) {
    index_ = std::min(std::max(index, 0), lastIndex_);
    value_ = first_[index_];
    magnitude_ = MagnitudeOf(value_);
}

// Frames-per-pixel entries always fit; e pixels per frame only while e x length stays
// below the limit, which m = limit / length tells with e < m.
int ZoomState::LimitZoomIn(int length) {
    if (length <= 0)
        return 0;
    int64_t m = kPixelLimit / length;
    int last = 0;
    for (int i = 0; first_ + i < table_ + tableSize_; ++i)
        if (first_[i] < 0 || first_[i] < m)
            last = i;
    if (last == lastIndex_)
        return 0;
    lastIndex_ = last;
    if (value_ > LastEntry())
        SetIndex(lastIndex_);
    else
        index_ = IndexFor(value_);
    return 1;
}

int InitialZoom(int length, uint32_t rate, int openSeconds, int clientWidth) {
    int visible = std::max(clientWidth * 4 / 5 - 40, 1);
    int64_t span = std::min<int64_t>(length, int64_t(rate) * std::max(openSeconds, 1));
    int64_t c = span / visible;
    return c ? NoMinusOne(Saturated(-c)) : 1;
}

int UsableZoomStart(int length, int screenWidth) { return -(length / std::max(screenWidth / 2, 1)); }

int ZoomForRange(int64_t frames, int width, int percent) {
    if (frames < width) {
        int64_t ratio = width / std::max<int64_t>(frames, 1);
        return ratio < 2 ? 1 : int(std::min<int64_t>(ratio - 1, 32));
    }
    int64_t f = std::max<int64_t>(frames / width + 1, 2);
    int divisor = std::max(percent, 10) / -10;
    return NoMinusOne(Saturated(f * 10 / divisor));
}

int ZoomToFitWidth(int length, int width) { return NoMinusOne(-(length / std::max(width, 100)) - 1); }

ScrollNumbers HorizontalScrollNumbers(int length, int z, int width) {
    ScrollNumbers n;
    n.range = FramesToPixels(length, z);
    if (n.range < 1)
        n.range = 50;
    if (width >= 11)
        n.range = Saturated(int64_t(n.range) + width - 10);
    n.page = std::max(width, 1);
    if (z < 0) {
        n.line = 32;
        n.pageStep = std::max(width - 1, 1);
    } else {
        n.line = z;
        n.pageStep = width / z * z;
        if (n.pageStep == 0)
            n.pageStep = z;
    }
    return n;
}

int ScrollPositionOf(int frame, int z) { return z < 0 ? frame / MagnitudeOf(z) : Saturated(int64_t(frame) * z); }

int CenteredFirstFrame(int frame, int visibleLength) { return std::max(frame - visibleLength / 2, 0); }

Visibility ScrollToShow(int frame, int mode, int z, int position, int width) {
    int c = PixelsToFrames(int64_t(position), z);
    int r = PixelsToFrames(int64_t(position) + width - 1, z);
    int lo = std::max(c + 1, PixelsToFrames(int64_t(position) + 15, z));
    int hi = std::min(r - 1, PixelsToFrames(int64_t(position) + width - 15, z));
    if ((c == 0 || frame >= lo) && frame <= hi)
        return {0, position};
    int visible = std::max(PixelsToFrames(width, z), 1);
    int to;
    if (mode == 0)
        to = std::max(FramesToPixels(frame, z) - 15, 0);
    else if (mode == 1)
        to = FramesToPixels(std::max(frame - visible, 0), z) + 15;
    else
        to = ScrollPositionOf(CenteredFirstFrame(frame, visible), z);
    return {1, to};
}
