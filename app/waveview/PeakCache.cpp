#include "waveview/PeakCache.h"

#include "audio/SampleConversion.h"
#include "audio/VirtualFileIterator.h"
#include "audio/Wave.h"
#include "foundation/CriticalSection.h"
#include "waveview/WavePane.h"
#include "waveview/WaveView.h"

#include <windows.h>

#include <algorithm>
#include <memory>

namespace {

int Capacity() { return std::max(::GetSystemMetrics(SM_CXFULLSCREEN), 1) + 32; }

// Columns at zoom z from frame first: the frame a column starts at.
int ColumnFrame(int first, int column, int z) {
    return z > 1 ? first + column / z : int(std::min<int64_t>(int64_t(first) + int64_t(column) * -z, INT32_MAX));
}

PeakEntry ReadColumn(WaveInIterator &it, int frame, int frames, int length) {
    if (frame >= length || !it.Seek(frame))
        return {0, 0};
    if (frames <= 1)
        return {int16_t(ReadSampleValue(it)), 0};
    int high = 0, low = 0;
    for (int i = 0; i < frames && frame + i < length; ++i, it.Advance(1)) {
        int v = ReadSampleValue(it);
        high = std::max(high, v);
        low = std::min(low, v);
    }
    return {int16_t(high), int16_t(low)};
}

}  // namespace

WavePeakCache::WavePeakCache() : capacity_(Capacity()) {
    columns_[0] = new PeakEntry[capacity_]();
    columns_[1] = new PeakEntry[capacity_]();
}

WavePeakCache::~WavePeakCache() {
    delete[] columns_[0];
    delete[] columns_[1];
}

WavePeakCache &WavePeakCache::Swap() {
    static WavePeakCache swap;
    return swap;
}

void WavePeakCache::Forget() { first_ = last_ = -1; }

void WavePeakCache::TakeOver(WavePeakCache &from) {
    std::swap(columns_, from.columns_);
    filled_ = from.filled_;
    first_ = from.first_;
    last_ = from.last_;
    zoom_ = from.zoom_;
}

void WavePeakCache::Fill(WavePane *pane, int first, int last, PeakEntry **channel0, PeakEntry **channel1) {
    WaveView *view = pane->GetView();
    Wave &wave = *view->GetWave();
    int z = view->GetZoom();
    int64_t count = int64_t(FramesToPixels(int64_t(last) - first, z)) + 1 + (z > 1 ? z - 1 : 0);
    count = std::min<int64_t>(std::max<int64_t>(count, 1), capacity_);
    int channels = view->IsStereo() ? 2 : 1;
    int framesPerColumn = z < -8 ? -z : 1;
    AutoCriticalSection lock(wave.GetLock());
    int length = wave.GetLength();
    FileReadBuffer buffer(channels);
    for (int channel = 0; channel < channels; ++channel) {
        WaveInIterator it(buffer, channel, wave.GetChannel(channel), 0, -1);
        for (int column = 0; column < count; ++column)
            columns_[channel][column] = ReadColumn(it, ColumnFrame(first, column, z), framesPerColumn, length);
    }
    first_ = first;
    last_ = last;
    zoom_ = z;
    filled_ = int32_t(count - 1);
    *channel0 = columns_[0];
    *channel1 = channels == 2 ? columns_[1] : nullptr;
}
