// The extremes of the samples under each pixel column of a view, kept for the range last
// asked and reused while the view scrolls at one zoom.
#pragma once

#include <cstdint>

class WavePane;

// One column: the largest and smallest sample on the 16-bit scale.
struct PeakEntry {
    int16_t maximum;
    int16_t minimum;
};

class WavePeakCache {
public:
    WavePeakCache();
    ~WavePeakCache();
    WavePeakCache(WavePeakCache const &) = delete;
    WavePeakCache &operator=(WavePeakCache const &) = delete;

    // Makes sure frames first..last are cached for the pane's view at its zoom; the
    // pointers get the entry of first's column in each channel's array (null only when no
    // array exists).
    void Fill(WavePane *pane, int first, int last, PeakEntry **channel0, PeakEntry **channel1);
    // Takes from's columns, range and zoom, giving it this cache's arrays.
    void TakeOver(WavePeakCache &from);
    // Nothing is cached any more.
    void Forget();
    // Columns the arrays hold.
    int GetCapacity() const { return capacity_; }

    // The views' shared second buffer.
    static WavePeakCache &Swap();

    int32_t refCount_ = 0;

private:
    PeakEntry *columns_[2];
    int32_t capacity_;
    int32_t filled_ = 0;
    int32_t first_ = -1;
    int32_t last_ = -1;
    int32_t zoom_ = 0;
};
