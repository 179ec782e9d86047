// Saving a wave in another sample format converts it first; the conversion is the effects'
// (they register it when they start). Until then such a save is refused with a message.
#pragma once

class SamplePattern;
class Wave;

class WaveConversionLink {
public:
    virtual ~WaveConversionLink() {}

    // A new wave holding the wave's samples in the format (channels, rate, resolution);
    // failures throw.
    virtual Wave *ConvertWave(Wave &wave, SamplePattern const &format) = 0;
};

// Registers the conversion (null: none); returns the one registered before.
WaveConversionLink *SetWaveConversionLink(WaveConversionLink *link);
// The converted wave, owned by the caller; without a registered conversion it throws.
Wave *ConvertWave(Wave &wave, SamplePattern const &format);
