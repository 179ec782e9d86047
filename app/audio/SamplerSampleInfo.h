// What a wave keeps for hardware samplers: the sample's name, its number on the sampler,
// the key it plays at unchanged, and its loop. Made when first asked for, freed with the
// wave.
#pragma once

#include "foundation/Strings.h"

#include <cstdint>

struct SamplerSampleInfo {
    String name;            // at most 64 characters
    int32_t number = 0;     // 0 to 99
    int32_t rootKey = 60;   // MIDI note 0 to 127 (middle C)
    int32_t loopStart = -1; // -1: no loop
    int32_t loopEnd = 0;
};
