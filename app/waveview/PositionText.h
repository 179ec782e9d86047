// The text of a sample position in a time unit: seconds (1h2mn5s250ms), samples, SMPTE
// time, bars, beats and ticks counted from 1 or from 0, bytes of sample data, or CD time
// (a count of 1/75 s frames, written by the CD subsystem), with the frame rate, tempo and
// time signature of the program's time settings.
#pragma once

#include "foundation/Strings.h"

#include <cstddef>

class SamplePattern;
class WaveView;
struct TimeSettings;

enum TimeUnit : unsigned {
    kUnitSeconds = 0,
    kUnitSamples = 1,
    kUnitSmpte = 2,
    kUnitBars = 3,
    kUnitBarsFromZero = 4,
    kUnitBytes = 5,
    kUnitOfEachView = 6,
    kUnitCdTime = 7,
};

// Writes the text (at most size - 1 characters) and returns its length. The precision is
// the ruler's label step: in 10 microseconds for seconds (negative: whole seconds only), in
// frames for bytes; other units ignore it. Callers outside the ruler pass 1000. With a view
// whose ruler is shown the position counts from the ruler's origin. Bars are counted with
// the given settings (a control's own tempo), else with the program's.
int FormatPosition(char *buffer, size_t size, long position, unsigned unit, int precision,
                   SamplePattern const &pattern, WaveView const *view = nullptr,
                   TimeSettings const *settings = nullptr);
String FormatPosition(long position, unsigned unit, int precision, SamplePattern const &pattern,
                      WaveView const *view = nullptr, TimeSettings const *settings = nullptr);

// The CD subsystem writes CD times (full form); without it they are written as frames.
typedef String (*CdTimeWriter)(int frames);
// Returns the writer it replaces.
CdTimeWriter SetCdTimeWriter(CdTimeWriter writer);
