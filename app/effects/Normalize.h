// Normalize: the selected channels of a range scaled so that their loudest sample reaches
// a target level.
#pragma once

#include "effects/ProcessorClass.h"

#include <cstdint>

class Wave;

struct NormalizerOpcodes : OpcodesOf<NormalizerOpcodes> {
    NormalizerOpcodes() = default;
    NormalizerOpcodes(NormalizerOpcodes const &) = default;
    // Takes the level; as-selection is cleared, since a record handed around no longer
    // works on the wave whose selection it meant.
    NormalizerOpcodes &operator=(NormalizerOpcodes const &other) {
        level = other.level;
        asSelection = 0;
        return *this;
    }

    std::int32_t level = 32767;    // the target, a raw level 1 .. 32767 ("Level")
    std::int32_t asSelection = 0;  // the target is the selection's level ("AsSel")
};

// The loudest sample of the masked channels becomes +-target exactly (on the 24-bit scale
// for waves deeper than 16 bits), the others are scaled alike and rounded half away from
// zero. A silent range, or one whose loudest sample stands at the target, is left as it
// is, without an undo step.
void NormalizeRange(Wave &wave, int channels, int first, int last, NormalizerOpcodes const &record, int recordUndo);

// A range of one wave scaled into another, without undo: destination channel 0 takes the
// source's channel 0 (its channel 1 when 0 is not in the source mask), channel 1 the
// source's channel 1 (else 0); s x target / peak on the 16-bit scale, truncated.
struct NormalizeRequest {
    Wave *source;
    int sourceChannels;
    Wave *destination;
    int destinationChannels;
    int first;
    int last;
    int target;
    int peak;  // below 0: measured
};
void NormalizeInto(NormalizeRequest const &request);

// The largest magnitude of the masked channels over first..last, on the 16-bit scale or
// (wide) the 24-bit scale.
std::int32_t MeasurePeak(Wave &wave, int channels, int first, int last, bool wide);

class NormalizeProcessor : public ProcessorOf<NormalizerOpcodes> {
public:
    using ProcessorOf::ProcessorOf;

protected:
    void Read(Config &config, NormalizerOpcodes &record) const override;
    void Write(NormalizerOpcodes const &record, Config &config) const override;
    int Open(NormalizerOpcodes &record, int givenRecord) override;
};
