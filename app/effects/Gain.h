// Gain: the selected channels of a range multiplied by one factor, set in whole decibels
// from -12 to +12 in its dialog.
#pragma once

#include "effects/ProcessorClass.h"

#include "foundation/Strings.h"

class Wave;

struct GainOpcodes : OpcodesOf<GainOpcodes> {
    float factor = 1.0f;  // stored as "Gain", unchanged: 2.0 doubles the samples
};

enum : int { kGainLowestDb = -12, kGainHighestDb = 12 };

// The factor of whole decibels, 10^(dB / 20).
float GainFactorOf(int decibels);
// The decibels the dialog shows of a factor: rounded, kept inside -12 .. 12.
int GainDecibelsOf(float factor);
// The change a factor makes, in percent: "+100 %", "-50 %", "0 %".
String GainChangeText(float factor);

// Each sample s of the masked channels becomes s x factor, truncated toward zero and kept
// inside full scale; one undo step.
void ApplyGain(Wave &wave, int channels, int first, int last, GainOpcodes const &record, int recordUndo);

class GainProcessor : public ProcessorOf<GainOpcodes> {
public:
    using ProcessorOf::ProcessorOf;

protected:
    void Read(Config &config, GainOpcodes &record) const override;
    void Write(GainOpcodes const &record, Config &config) const override;
    int Open(GainOpcodes &record, int givenRecord) override;
};
