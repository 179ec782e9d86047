// High-resolution stopwatch (performance counter, else the multimedia clock)
// and a trace of labelled time stamps.
#pragma once

#include "foundation/OsmeraDefs.h"

class OSMERA_API Timer {
public:
    enum Units { Seconds = 0, Milliseconds = 1, Microseconds = 2 };

    // A tick count in its two 32-bit halves.
    struct Int64 {
        unsigned long low;
        unsigned long high;
    };

    explicit Timer(Units units = Milliseconds, int startNow = 1);

    // Clears the accumulated time and starts.
    void Start();
    // Goes on from the accumulated time (nothing when running).
    void Resume();
    // Keeps the time so far and stops (nothing when stopped).
    void Pause();
    int IsRunning() const { return running_; }

    double GetElapsedTime() const;
    operator double() const { return GetElapsedTime(); }
    operator float() const { return static_cast<float>(GetElapsedTime()); }
    operator unsigned long() const { return static_cast<unsigned long>(GetElapsedTime()); }

protected:
    void Reset();
    // Adds the ticks since the start stamp to count.
    void UpdateAccumulatedTime(Int64 &count) const;
    double GetElapsedTime(Int64 const &from, Int64 const &to) const;

private:
    friend class TimeTracer;
    static void ReadTicks(Int64 &ticks);
    Int64 Difference(Int64 const &from, Int64 const &to) const;

    int usesPerformanceCounter_;  // the library's tick source, fixed at load
    int running_;
    double factor_;
    Int64 start_;
    Int64 accumulated_;
};

class OSMERA_API TimeTracer {
public:
    explicit TimeTracer(Timer::Units units = Timer::Milliseconds, int numSlots = 50);
    virtual ~TimeTracer();

    TimeTracer(TimeTracer const &) = delete;
    TimeTracer &operator=(TimeTracer const &) = delete;

    // Stamps the next slot with label; nothing once every slot is used.
    void Store(char const *label);
    int GetNumSlot() const { return last_ + 1; }
    // Time of a used slot: since the previous slot (fromStart 0, slot > 0),
    // else since the start. An unused slot gives 0 and a null label.
    double GetTime(int slot, int fromStart, char const **label = nullptr) const;

private:
    struct Slot {
        char const *label;
        Timer::Int64 stamp;
    };

    Timer timer_;
    Slot *slots_;
    int last_;
    int numSlots_;
};
