// The column values a wave pane draws: for every pixel column the largest and the smallest
// sample of the frames under it, per channel, at the view's zoom. A view keeps one cache for
// its panes and reuses its columns while it scrolls; one process-wide cache lends its arrays
// as the second buffer, so that the old columns can be copied to their new places. Columns
// of 128 frames or more come from the peak file beside the audio file where there is one;
// the others from the samples (PeakColumns.h).
//
// Zoom z is the view's: z <= -2 shows |z| frames a column, 1 one frame, z >= 2 one frame
// over z columns. Columns stand where the panes draw them: column k of zoom z <= 1 holds
// frames k |z| .. (k + 1) |z| - 1, whatever range was asked for.
#pragma once

#include <cstdint>
#include <functional>

class AudioFile;
class Wave;

// One column of one channel on the 16-bit scale. Columns past the wave's end are {0, 0}.
struct PeakEntry {
    int16_t maximum;
    int16_t minimum;
};
static_assert(sizeof(PeakEntry) == 4, "a column is two 16-bit values");

class WavePeakCache {
public:
    // Arrays of the full-screen width + 32 columns, allocated once.
    WavePeakCache();
    ~WavePeakCache();
    WavePeakCache(WavePeakCache const &) = delete;
    WavePeakCache &operator=(WavePeakCache const &) = delete;

    // Makes sure frames first..last of the wave are cached at zoom and points channel0 and
    // channel1 at the column of frame first in each array. The columns run on to the column
    // of the frame returned: last, unless the range needs more columns than the arrays hold;
    // then the caller asks again from the frame after it. Channel 1 is computed for a
    // stereo wave only. May open or build peak files, which runs a message loop.
    int Fill(Wave &wave, int zoom, int first, int last, PeakEntry **channel0, PeakEntry **channel1);
    // Takes from's range and zoom and exchanges arrays with it.
    void TakeOver(WavePeakCache &from);
    // Forgets every column: the next fill computes them again.
    void ClearRange();
    // A wave notification: everything changed (0) or frames changed (1000-1002) clears.
    void OnWaveNotification(int code);

    int GetCapacity() const { return capacity_; }
    int GetFirst() const { return first_; }
    int GetLast() const { return last_; }
    int GetZoom() const { return zoom_; }
    // Whether the guard entries behind both arrays were never written.
    bool GuardsIntact() const;

    // Columns from the column of frame first to the column of frame last at zoom.
    static int64_t ColumnCount(int zoom, int first, int last);
    // The process-wide second buffer, null while a fill uses it; GiveBackSwap ends the use.
    static WavePeakCache *TakeSwap();
    static void GiveBackSwap();
    // Counts as a running fill for its scope. Fill holds one; a caller that goes on using
    // the columns after Fill returned (a paint) holds one over both.
    class FillScope {
    public:
        FillScope();
        ~FillScope();
        FillScope(FillScope const &) = delete;
        FillScope &operator=(FillScope const &) = delete;
    };
    // Runs the action now, or, while a fill runs (a peak file being built turns a message
    // loop), once the outermost fill scope has ended: what must not vanish under a fill,
    // such as the window it draws for, goes through here.
    static void AfterFill(std::function<void()> action);
    static bool IsFilling();

    // Opens or builds a file's peak file, 1 when it has peaks; tests put their own in.
    using PeakFileOpener = int (*)(AudioFile &file);
    static PeakFileOpener SetPeakFileOpener(PeakFileOpener opener);

private:
    class Geometry;
    struct Range {
        int first, last;
    };

    bool Holds(int zoom, int first, int last) const;
    Range NewRange(Geometry const &g, int first, int last) const;
    // Opens the peak files the range wants; false when there were none to open.
    bool OpenWantedPeakFiles(Wave &wave, Geometry const &g, Range range);
    void Compute(Wave &wave, Geometry const &g, Range range);

    PeakEntry *channel0_;
    PeakEntry *channel1_;
    int32_t capacity_;
    int32_t filled_ = 0;  // columns beyond the first
    int32_t first_ = -1;  // frames of the cached range, whole columns; -1: none
    int32_t last_ = -1;
    int32_t zoom_ = 0;
};

// A view's cache: made when the first pane asks for it, counted per pane, freed with the
// last one (after a running fill has returned).
class ViewPeakCache {
public:
    ViewPeakCache() = default;
    ~ViewPeakCache();
    ViewPeakCache(ViewPeakCache const &) = delete;
    ViewPeakCache &operator=(ViewPeakCache const &) = delete;

    WavePeakCache *Get();
    void Release();
    // Null while no pane holds it.
    WavePeakCache *Current() const { return cache_; }

private:
    WavePeakCache *cache_ = nullptr;
    int32_t references_ = 0;
};

// The largest maximum and the smallest minimum of the columns of frames first..last, both
// channels of a stereo wave (fitting the vertical zoom to the peaks).
PeakEntry FindPeakExtremes(WavePeakCache &cache, Wave &wave, int zoom, int first, int last);
