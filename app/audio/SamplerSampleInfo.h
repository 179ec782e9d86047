// What a wave keeps for hardware samplers: the sample's name and number and the root key
// it plays at. Made when first asked for.
#pragma once

#include "foundation/Strings.h"

#include <cstdint>

struct SamplerSampleInfo {
    String name;
    int32_t number = 0;    // 0 to 99
    int32_t rootKey = 60;  // MIDI note 0 to 127
    int32_t flags = -1;
};
