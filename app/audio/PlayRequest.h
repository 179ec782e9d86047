// The request by which an audio object asks the playback engine to be heard.
#pragma once

#include "audio/SamplePattern.h"

#include <cstdint>

class ASampleProvider;

// What a request plays.
enum PlayMode : int32_t {
    kPlayFromCaret = 0,  // from the start frame to the end; AudioObject::Play picks the caret or 0
    kPlayFromFrame = 1,  // from the start frame to the end
    kPlaySelection = 2,  // the selection, else like kPlayFromCaret
    kPlayRange = 3,      // frames start up to but excluding end
    kPlayMonitor = 4,    // no source: the wave-in input through the output
};

struct PlayRequest {
    ASampleProvider *source = nullptr;
    uint32_t channelMask = 0;
    int32_t start = 0;
    int32_t end = -1;                  // -1: to the end
    SamplePattern pattern;             // the source's format
    uint32_t sampleFormat = kFloat32;  // of the frames the source delivers
    int32_t outputBits = 16;           // bit depth of the device format
    int32_t useEngine = 0;             // 1: through the audio engine when it is loaded
    int32_t loop = 0;
    int32_t mode = kPlayFromCaret;
    void const *ownerTag = nullptr;  // the caller's; compared, never followed
};
