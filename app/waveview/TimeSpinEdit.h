// The spin edit of a position or a length in samples, written and read in a time unit:
// seconds, samples, SMPTE, bars (from 1 or from 0), bytes, and CD time (whose value counts
// CD frames of 1/75 s). Its sliders step by the unit's fields. The tempo bars are counted
// in is the one the control was made with.
#pragma once

#include "audio/SamplePattern.h"
#include "controls/SpinEdit.h"
#include "foundation/Strings.h"

#include <cstdint>

// How a time text is read: the unit, the format (its rate; its frame size for bytes) and
// the tempo (beats per minute x 1000) of bars. Frame rate, ticks and time signature come
// from the program's time settings.
struct TimeTextFormat {
    unsigned unit;
    SamplePattern pattern;
    int32_t tempo;
};

// The samples (CD frames in CD time) a text denotes; only its first 99 characters count.
double ParseTimeText(char const *text, TimeTextFormat const &format);
// The text of a value.
String TimeText(double value, TimeTextFormat const &format);

class TimeSpinEdit : public TRangeSpinEdit {
public:
    TimeSpinEdit(TWindow *parent, int id, unsigned unit, int sampleRate, int textLimit = 0, TModule *module = 0);
    TimeSpinEdit(TWindow *parent, unsigned unit, int sampleRate, int x, int y, int w, int h, TModule *module = 0);

    int OnOpen() override;
    // The unit, with its sliders and steps.
    void SetUnit(unsigned unit);
    unsigned GetUnit() const { return format_.unit; }
    int32_t GetTempo() const { return format_.tempo; }
    // Byte texts count frames of this format (16-bit stereo by default).
    void SetSamplePattern(SamplePattern const &pattern);
    String GetValueText(double value) override;
    double Parse(char const *text) override;

private:
    void Init(unsigned unit, int sampleRate);
    void AddTimeSliders(double rate);
    void AddSmpteSliders(double rate);
    void AddBarSliders(double rate);
    void AddCdTimeSliders();
    void AddDigitSliders();

    TimeTextFormat format_;
};
