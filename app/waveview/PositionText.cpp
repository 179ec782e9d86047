#include "waveview/PositionText.h"

#include "audio/SamplePattern.h"
#include "audio/TimeSettings.h"
#include "waveview/TimeScale.h"
#include "waveview/WaveView.h"

#include <algorithm>
#include <cinttypes>
#include <climits>
#include <cstdarg>
#include <cstdio>

namespace {

// Appends printf-formatted pieces to a buffer, never past its end.
class TextWriter {
public:
    TextWriter(char *buffer, size_t size) : buffer_(buffer), size_(size) {
        if (size_)
            buffer_[0] = 0;
    }

    void Put(char const *format, ...) {
        if (length_ + 1 >= size_)
            return;
        va_list args;
        va_start(args, format);
        int n = std::vsnprintf(buffer_ + length_, size_ - length_, format, args);
        va_end(args);
        if (n > 0)
            length_ = std::min(length_ + size_t(n), size_ - 1);
    }
    // Starts again at offset (the text after it is dropped).
    void Rewind(size_t offset) {
        length_ = std::min(offset, length_);
        if (size_)
            buffer_[length_] = 0;
    }
    int Length() const { return int(length_); }

private:
    char *buffer_;
    size_t size_;
    size_t length_ = 0;
};

void WriteSeconds(TextWriter &out, long position, int precision, uint32_t rate) {
    double s = double(position) / rate;
    if (s == 0) {
        out.Put("0");
        return;
    }
    if (s >= 3600) {
        long h = long(s) / 3600;
        out.Put("%lih", h);
        s -= 3600.0 * h;
    }
    if (s >= 60) {
        long m = long(s) / 60;
        out.Put("%limn", m);
        s -= 60.0 * m;
    }
    if (s >= 1) {
        long whole = long(s);
        out.Put("%lis", whole);
        s -= whole;
    }
    if (precision < 0 && position < long(rate))
        out.Rewind(0);  // nothing under a second to show: no lone sign either
    if (s == 0 || precision < 0)
        return;
    char const *format = precision == 0 ? "%.3fms" : precision < 10 ? "%.2fms" : precision < 100 ? "%.1fms" : "%.0fms";
    out.Put(format, s * 1000);
}

CdTimeWriter cdTimeWriter = nullptr;

void WriteSmpte(TextWriter &out, long position, uint32_t rate, TimeSettings const &t) {
    double fps = t.framesPerSecond;
    double frames = double(position) / rate * fps;
    long perHour = std::max(long(fps * 3600), 1L), perMinute = std::max(long(fps * 60), 1L);
    long hours = long(frames) / perHour;
    frames -= double(hours) * perHour;
    long minutes = long(frames) / perMinute;
    frames -= double(minutes) * perMinute;
    long seconds = fps > 0 ? long(frames / fps) : 0;
    long frame = long(frames - seconds * fps);
    out.Put("%.2li:%.2li:%.2li.%.2li", hours, minutes, seconds, frame);
}

// A negative position that comes to bar, beat and tick 0 loses its sign.
void WriteBars(TextWriter &out, long position, uint32_t rate, int fromOne, int negative, TimeSettings const &t) {
    long ticks = long(double(position) / rate * t.ticks * t.tempo * 1.6666666666666667e-05 + 0.5);
    long perBeat = std::max(long(t.ticks) * 4 / std::max(t.beatWholeNote, 1), 1L);
    long perBar = std::max(perBeat * t.beatMeasure, 1L);
    long bar = ticks / perBar, beat = ticks % perBar / perBeat, tick = ticks % perBeat;
    if (negative && !bar && !beat && !tick)
        out.Rewind(0);
    char const *format = perBeat <= 99 ? "%li.%li.%.2li" : perBeat <= 999 ? "%li.%li.%.3li" : "%li.%li.%.4li";
    out.Put(format, bar + fromOne, beat + fromOne, tick);
}

// In 64 bits: a long wave of wide frames holds more than 4 GB.
void WriteBytes(TextWriter &out, long position, int precision, SamplePattern const &pattern) {
    uint64_t frameBytes = uint64_t(pattern.GetBytesPerSample()) * pattern.GetNumChannels();
    uint64_t bytes = uint64_t(position) * frameBytes;
    uint64_t step = uint64_t(precision < 0 ? 0 : precision) * frameBytes;
    if (bytes < 1000) {
        bytes ? out.Put("%" PRIu64 " B", bytes) : out.Put("0");
        return;
    }
    if (bytes < 1000000) {
        out.Put("%" PRIu64, bytes / 1000);
        uint64_t rest = bytes % 1000;
        if (step < 10)
            out.Put(".%.3" PRIu64 " kB", rest);
        else if (step < 100)
            out.Put(".%.2" PRIu64 " kB", rest / 10);
        else if (step < 1000)
            out.Put(".%.1" PRIu64 " kB", rest / 100);
        else
            out.Put(" kB");
        return;
    }
    out.Put("%" PRIu64 ".", bytes / 1000000);
    uint64_t rest = bytes % 1000000, divisor = 1;
    int digits = 6;
    for (uint64_t limit = 10; digits > 1 && step >= limit; limit *= 10, divisor *= 10)
        --digits;
    out.Put("%.*" PRIu64 " MB", digits, rest / divisor);
}

void WriteCdTime(TextWriter &out, long frames) {
    if (cdTimeWriter)
        out.Put("%s", cdTimeWriter(int(frames)).c_str());
    else
        out.Put("%li", frames);
}

}  // namespace

CdTimeWriter SetCdTimeWriter(CdTimeWriter writer) {
    CdTimeWriter previous = cdTimeWriter;
    cdTimeWriter = writer;
    return previous;
}

int FormatPosition(char *buffer, size_t size, long position, unsigned unit, int precision,
                   SamplePattern const &pattern, WaveView const *view, TimeSettings const *settings) {
    TextWriter out(buffer, size);
    if (view && view->GetTimeScale())
        position = long(int64_t(position) - view->GetTimeScale()->GetOrigin());
    if (unit == kUnitCdTime) {
        WriteCdTime(out, position);
        return out.Length();
    }
    TimeSettings const &t = settings ? *settings : TheTimeSettings();
    int negative = position < 0;
    if (negative) {
        out.Put("-");
        position = position == LONG_MIN ? LONG_MAX : -position;
    }
    uint32_t rate = pattern.GetRate() ? pattern.GetRate() : 1;
    switch (unit) {
    case kUnitSeconds: WriteSeconds(out, position, precision, rate); break;
    case kUnitSamples: out.Put("%li", position); break;
    case kUnitSmpte: WriteSmpte(out, position, rate, t); break;
    case kUnitBars:
    case kUnitBarsFromZero: WriteBars(out, position, rate, unit == kUnitBars, negative, t); break;
    case kUnitBytes: WriteBytes(out, position, precision, pattern); break;
    default: break;
    }
    return out.Length();
}

String FormatPosition(long position, unsigned unit, int precision, SamplePattern const &pattern,
                      WaveView const *view, TimeSettings const *settings) {
    char text[80];
    FormatPosition(text, sizeof text, position, unit, precision, pattern, view, settings);
    return String(text);
}
