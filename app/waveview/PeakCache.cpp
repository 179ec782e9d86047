#include "waveview/PeakCache.h"

#include "audio/AudioFile.h"
#include "audio/Wave.h"
#include "foundation/CriticalSection.h"
#include "foundation/Exception.h"
#include "waveview/PeakColumns.h"

#include <windows.h>

#include <algorithm>
#include <climits>
#include <memory>
#include <utility>
#include <vector>

namespace {

enum { kSpareColumns = 32, kGuardEntries = 8, kLineZoom = -8 };
PeakEntry const kGuard = {0x7A5A, -0x5A5B};

int _fillDepth = 0;
bool _swapBusy = false;

std::vector<std::function<void()>> &Deferred() {
    static std::vector<std::function<void()>> actions;
    return actions;
}

int OpenPeakFileOf(AudioFile &file) { return file.OpenPeakFile(); }
WavePeakCache::PeakFileOpener _opener = OpenPeakFileOf;

// One width for every cache of the process, so that any two can exchange arrays.
int Capacity() {
    static int const columns = std::max(GetSystemMetrics(SM_CXFULLSCREEN), 0) + kSpareColumns;
    return columns;
}

PeakEntry *NewArray(int capacity) {
    PeakEntry *entries = new PeakEntry[size_t(capacity) + kGuardEntries];
    std::fill(entries + capacity, entries + capacity + kGuardEntries, kGuard);
    return entries;
}

bool GuardIntact(PeakEntry const *entries, int capacity) {
    return std::all_of(entries + capacity, entries + capacity + kGuardEntries,
                       [](PeakEntry const &e) { return e.maximum == kGuard.maximum && e.minimum == kGuard.minimum; });
}

// What was put off while fills ran, once the last one has ended.
void RunDeferred() {
    std::vector<std::function<void()>> &actions = Deferred();
    while (!actions.empty()) {
        std::function<void()> action = std::move(actions.front());
        actions.erase(actions.begin());
        try {
            action();
        } catch (AException const &e) {
            WarnAudioFileUser(e);
        }
    }
}

// The swap cache for a scope, when no other fill uses it.
class SwapUse {
public:
    SwapUse() : swap_(WavePeakCache::TakeSwap()) {}
    ~SwapUse() {
        if (swap_)
            WavePeakCache::GiveBackSwap();
    }
    SwapUse(SwapUse const &) = delete;
    SwapUse &operator=(SwapUse const &) = delete;
    WavePeakCache *Get() const { return swap_; }

private:
    WavePeakCache *swap_;
};

// Uses of files for a scope, so that none goes while its peak file is built.
class FileUses {
public:
    explicit FileUses(std::vector<AudioFile *> const &files) : files_(files) {}
    ~FileUses() {
        for (AudioFile *file : files_)
            file->ReleaseUse();
    }
    FileUses(FileUses const &) = delete;
    FileUses &operator=(FileUses const &) = delete;

private:
    std::vector<AudioFile *> files_;
};

}  // namespace

// Columns and frames at one zoom; -1 counts as -2 and 0 as 1.
class WavePeakCache::Geometry {
public:
    explicit Geometry(int z)
        : zoom(z == -1  ? -2
               : z == 0 ? 1
                        : z),
          framesPerColumn(zoom < 0 ? -zoom : 1), columnsPerFrame(zoom > 1 ? zoom : 1) {}

    int Align(int frame) const { return frame - frame % framesPerColumn; }
    int ColumnEnd(int frame) const { return Clamp(int64_t(Align(frame)) + framesPerColumn - 1); }
    // The columns from the column of first to that of last.
    int64_t Columns(int first, int last) const {
        if (columnsPerFrame > 1)
            return (int64_t(last) - first + 1) * columnsPerFrame;
        return last / framesPerColumn - first / framesPerColumn + 1;
    }
    // The column of frame in columns that start at the column of first.
    int64_t ColumnOf(int frame, int first) const { return Columns(first, frame) - columnsPerFrame; }
    // The last frame whose columns fit in capacity columns from the column of first.
    int LastFitting(int first, int capacity) const {
        if (columnsPerFrame > 1)
            return Clamp(int64_t(first) + std::max(capacity / columnsPerFrame, 1) - 1);
        return Clamp(int64_t(Align(first)) + int64_t(capacity) * framesPerColumn - 1);
    }

    int const zoom;
    int const framesPerColumn;
    int const columnsPerFrame;

private:
    static int Clamp(int64_t frame) { return int(std::min<int64_t>(frame, INT_MAX)); }
};

WavePeakCache::FillScope::FillScope() { ++_fillDepth; }

WavePeakCache::FillScope::~FillScope() {
    if (--_fillDepth == 0)
        RunDeferred();
}

WavePeakCache::WavePeakCache() : channel0_(NewArray(Capacity())), channel1_(nullptr), capacity_(Capacity()) {
    try {
        channel1_ = NewArray(capacity_);
    } catch (...) {
        delete[] channel0_;
        throw;
    }
}

WavePeakCache::~WavePeakCache() {
    delete[] channel0_;
    delete[] channel1_;
}

bool WavePeakCache::GuardsIntact() const {
    return GuardIntact(channel0_, capacity_) && GuardIntact(channel1_, capacity_);
}

int64_t WavePeakCache::ColumnCount(int zoom, int first, int last) { return Geometry(zoom).Columns(first, last); }

// Peak files are opened before the swap cache is taken and without the wave's lock: building
// one turns a message loop, in which other fills, edits and closings may run. Whatever they
// changed, the range is then looked at again.
int WavePeakCache::Fill(Wave &wave, int zoom, int first, int last, PeakEntry **channel0, PeakEntry **channel1) {
    FillScope scope;
    Geometry g(zoom);
    first = g.Align(std::max(first, 0));
    last = std::min(std::max(last, first), g.LastFitting(first, capacity_));
    while (!Holds(g.zoom, first, last)) {
        Range range = NewRange(g, first, last);
        if (!OpenWantedPeakFiles(wave, g, range))
            Compute(wave, g, range);
    }
    int64_t column = g.ColumnOf(first, first_);
    *channel0 = channel0_ + column;
    *channel1 = channel1_ + column;
    return last;
}

bool WavePeakCache::Holds(int zoom, int first, int last) const {
    return zoom_ == zoom && first_ >= 0 && first_ <= first && last <= last_;
}

// The cached columns and the new ones together when they fit, else the new ones alone.
WavePeakCache::Range WavePeakCache::NewRange(Geometry const &g, int first, int last) const {
    Range asked = {first, g.ColumnEnd(last)};
    if (zoom_ != g.zoom || first_ < 0)
        return asked;
    Range both = {std::min(first, first_), std::max(asked.last, last_)};
    return g.Columns(both.first, both.last) > capacity_ ? asked : both;
}

bool WavePeakCache::OpenWantedPeakFiles(Wave &wave, Geometry const &g, Range range) {
    if (g.zoom >= kLineZoom || g.framesPerColumn < 128)
        return false;
    std::vector<AudioFile *> files;
    {
        AutoCriticalSection lock(wave.GetLock());
        for (int c = 0; c < std::min(wave.GetNumChannels(), 2); ++c)
            CollectFilesWantingPeaks(wave.GetChannel(c), range.first, range.last, files);
        for (AudioFile *file : files)
            file->AddUse();
    }
    FileUses uses(files);
    for (AudioFile *file : files)
        if (!_opener(*file) || !file->GetPeakData())
            file->GiveUpPeakFile();
    return !files.empty();
}

// The old columns go to the swap cache and are copied back where the new range has them;
// without the swap cache every column is computed.
void WavePeakCache::Compute(Wave &wave, Geometry const &g, Range range) {
    SwapUse swap;
    WavePeakCache *old = swap.Get();
    if (old)
        old->TakeOver(*this);
    bool reuse = old && old->zoom_ == g.zoom && old->first_ >= 0;
    ClearRange();

    AutoCriticalSection lock(wave.GetLock());
    int channels = std::min(wave.GetNumChannels(), 2);
    int length = wave.GetLength();
    FileReadBuffer buffer(channels);
    std::unique_ptr<PeakColumnReader> readers[2];
    for (int c = 0; c < channels; ++c)
        readers[c].reset(new PeakColumnReader(buffer, c, wave.GetChannel(c), range.first, range.last));
    PeakEntry *arrays[2] = {channel0_, channel1_};
    PeakEntry *oldArrays[2] = {old ? old->channel0_ : nullptr, old ? old->channel1_ : nullptr};

    int64_t count = g.Columns(range.first, range.last);
    int64_t frame = range.first;
    for (int64_t column = 0; column < count; column += g.columnsPerFrame, frame += g.framesPerColumn) {
        bool copy = reuse && old->first_ <= frame && frame <= old->last_;
        int64_t oldColumn = copy ? g.ColumnOf(int(frame), old->first_) : 0;
        for (int c = 0; c < channels; ++c) {
            PeakEntry *out = arrays[c] + column;
            if (copy) {
                std::copy_n(oldArrays[c] + oldColumn, g.columnsPerFrame, out);
                continue;
            }
            PeakEntry entry = {0, 0};
            if (frame < length)
                entry = g.zoom >= kLineZoom ? readers[c]->Sample(int(frame))
                                            : readers[c]->ReduceColumn(int(frame), g.framesPerColumn);
            std::fill_n(out, g.columnsPerFrame, entry);
        }
    }
    first_ = range.first;
    last_ = range.last;
    zoom_ = g.zoom;
    filled_ = int32_t(count - 1);
}

void WavePeakCache::TakeOver(WavePeakCache &from) {
    filled_ = from.filled_;
    first_ = from.first_;
    last_ = from.last_;
    zoom_ = from.zoom_;
    std::swap(channel0_, from.channel0_);
    std::swap(channel1_, from.channel1_);
}

void WavePeakCache::ClearRange() {
    first_ = last_ = -1;
    filled_ = 0;
}

void WavePeakCache::OnWaveNotification(int code) {
    if (code == kNotifyAll || (code >= kNotifyLeftRange && code <= kNotifyBothRange))
        ClearRange();
}

WavePeakCache *WavePeakCache::TakeSwap() {
    static WavePeakCache swap;
    if (_swapBusy)
        return nullptr;
    _swapBusy = true;
    return &swap;
}

void WavePeakCache::GiveBackSwap() { _swapBusy = false; }

void WavePeakCache::AfterFill(std::function<void()> action) {
    if (_fillDepth == 0)
        action();
    else
        Deferred().push_back(std::move(action));
}

bool WavePeakCache::IsFilling() { return _fillDepth > 0; }

WavePeakCache::PeakFileOpener WavePeakCache::SetPeakFileOpener(PeakFileOpener opener) {
    PeakFileOpener previous = _opener;
    _opener = opener ? opener : OpenPeakFileOf;
    return previous;
}

ViewPeakCache::~ViewPeakCache() {
    references_ = 1;
    Release();
}

WavePeakCache *ViewPeakCache::Get() {
    if (!cache_)
        cache_ = new WavePeakCache;
    ++references_;
    return cache_;
}

void ViewPeakCache::Release() {
    if (!cache_ || --references_ > 0)
        return;
    WavePeakCache *cache = cache_;
    cache_ = nullptr;
    references_ = 0;
    WavePeakCache::AfterFill([cache] { delete cache; });
}

PeakEntry FindPeakExtremes(WavePeakCache &cache, Wave &wave, int zoom, int first, int last) {
    bool stereo = wave.GetNumChannels() > 1;
    PeakEntry extremes = {INT16_MIN, INT16_MAX};
    auto take = [&extremes](PeakEntry const &e) {
        extremes.maximum = std::max(extremes.maximum, e.maximum);
        extremes.minimum = std::min(extremes.minimum, e.minimum);
    };
    for (int from = first;;) {
        PeakEntry *channel0, *channel1;
        int served = cache.Fill(wave, zoom, from, last, &channel0, &channel1);
        int64_t columns = WavePeakCache::ColumnCount(zoom, from, served);
        for (int64_t k = 0; k < columns; ++k) {
            take(channel0[k]);
            if (stereo)
                take(channel1[k]);
        }
        if (served >= last)
            return extremes;
        from = served + 1;
    }
}
