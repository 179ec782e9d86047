#include "foundation/Timer.h"

#include <windows.h>
#include <mmsystem.h>

namespace {

// Fixed once at load: the tick source and its factors per unit.
struct TickSource {
    int performanceCounter;
    double factor[3];

    TickSource() {
        LARGE_INTEGER f;
        if (QueryPerformanceFrequency(&f) && f.QuadPart != 0) {
            performanceCounter = 1;
            double freq = static_cast<double>(f.QuadPart);
            factor[0] = 1.0 / freq;
            factor[1] = 1000.0 / freq;
            factor[2] = 1000000.0 / freq;
        } else {
            performanceCounter = 0;
            factor[0] = 0.001;
            factor[1] = 1.0;
            factor[2] = 1000.0;
        }
    }
};

TickSource const &Source() {
    static TickSource const source;
    return source;
}

[[maybe_unused]] TickSource const &sourceAtLoad = Source();

unsigned long long ToWide(Timer::Int64 const &t) {
    return (static_cast<unsigned long long>(t.high) << 32) | t.low;
}

double ToDouble(Timer::Int64 const &t) { return static_cast<double>(ToWide(t)); }

Timer::Int64 FromWide(unsigned long long v) {
    return Timer::Int64{static_cast<unsigned long>(v), static_cast<unsigned long>(v >> 32)};
}

}  // namespace

// Ticks from from to to; the multimedia clock wraps in 32 bits.
Timer::Int64 Timer::Difference(Int64 const &from, Int64 const &to) const {
    if (!usesPerformanceCounter_)
        return Int64{to.low - from.low, 0};
    return FromWide(ToWide(to) - ToWide(from));
}

Timer::Timer(Units units, int startNow)
    : usesPerformanceCounter_(Source().performanceCounter),
      running_(0),
      factor_(Source().factor[units >= Seconds && units <= Microseconds ? units : Milliseconds]), start_{0, 0},
      accumulated_{0, 0} {
    if (startNow)
        Start();
}

void Timer::ReadTicks(Int64 &ticks) {
    if (Source().performanceCounter) {
        LARGE_INTEGER now;
        QueryPerformanceCounter(&now);
        ticks.low = now.LowPart;
        ticks.high = static_cast<unsigned long>(now.HighPart);
    } else {
        ticks.low = timeGetTime();
        ticks.high = 0;
    }
}

void Timer::Start() {
    Reset();
    ReadTicks(start_);
    running_ = 1;
}

void Timer::Resume() {
    if (running_)
        return;
    ReadTicks(start_);
    running_ = 1;
}

void Timer::Pause() {
    if (!running_)
        return;
    UpdateAccumulatedTime(accumulated_);
    running_ = 0;
}

void Timer::Reset() {
    accumulated_ = Int64{0, 0};
    running_ = 0;
}

void Timer::UpdateAccumulatedTime(Int64 &count) const {
    Int64 now;
    ReadTicks(now);
    count = FromWide(ToWide(count) + ToWide(Difference(start_, now)));
}

double Timer::GetElapsedTime() const {
    Int64 total = accumulated_;
    if (running_)
        UpdateAccumulatedTime(total);
    return ToDouble(total) * factor_;
}

double Timer::GetElapsedTime(Int64 const &from, Int64 const &to) const {
    return ToDouble(Difference(from, to)) * factor_;
}

TimeTracer::TimeTracer(Timer::Units units, int numSlots)
    : timer_(units, 1), slots_(new Slot[numSlots > 0 ? numSlots : 0]), last_(-1),
      numSlots_(numSlots > 0 ? numSlots : 0) {}

TimeTracer::~TimeTracer() { delete[] slots_; }

void TimeTracer::Store(char const *label) {
    if (last_ + 1 >= numSlots_)
        return;
    Slot &s = slots_[++last_];
    s.label = label;
    Timer::ReadTicks(s.stamp);
}

double TimeTracer::GetTime(int slot, int fromStart, char const **label) const {
    if (slot < 0 || slot > last_) {
        if (label)
            *label = nullptr;
        return 0;
    }
    if (label)
        *label = slots_[slot].label;
    Timer::Int64 const &from = (!fromStart && slot > 0) ? slots_[slot - 1].stamp : timer_.start_;
    return timer_.GetElapsedTime(from, slots_[slot].stamp);
}
