// The text of a sample position in a time unit: seconds (1h2mn5s250ms), samples, SMPTE
// time, bars, beats and ticks counted from 1 or from 0, or bytes of sample data, with the
// frame rate, tempo and time signature of the program's time settings.
#pragma once

#include "foundation/Strings.h"

#include <cstddef>
#include <cstdint>

class SamplePattern;

enum TimeUnit : unsigned {
    kUnitSeconds = 0,
    kUnitSamples = 1,
    kUnitSmpte = 2,
    kUnitBars = 3,
    kUnitBarsFromZero = 4,
    kUnitBytes = 5,
    kUnitOfEachView = 6,
};

// Writes the text (at most size - 1 characters) and returns its length. The precision is
// the ruler's label step: in 10 microseconds for seconds (negative: whole seconds only), in
// frames for bytes; other units ignore it. Callers outside the ruler pass 1000. Bars are
// counted at the given tempo (beats per minute x 1000), 0: the program's.
int FormatPosition(char *buffer, size_t size, long position, unsigned unit, int precision,
                   SamplePattern const &pattern, int32_t tempo = 0);
String FormatPosition(long position, unsigned unit, int precision, SamplePattern const &pattern, int32_t tempo = 0);
