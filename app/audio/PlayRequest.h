// The play request by which an audio object asks to be heard. Its fields lie in one order
// with fixed widths; only what carries a pointer is pointer-sized, so it has one layout
// per architecture, checked below. The records the program exchanges with the audio
// engine module (chains, the master section's layout) are in the protocol header.
#pragma once

#include "AudioEngineCommon/AudioEngineProtocol.h"
#include "audio/SamplePattern.h"

#include <cstddef>
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
    SamplePattern pattern;             // the source's format; the device format when monitoring
    uint32_t sampleFormat = kFloat32;  // of the frames the source delivers
    int32_t outputBits = 16;           // bit depth of the device format
    int32_t useEngine = 0;             // 1: through the audio engine when it is loaded
    int32_t loop = 0;
    int32_t mode = kPlayFromCaret;
    void const *ownerTag = nullptr;  // the caller's; compared, never followed
};

// The sample pattern is a class with virtual functions (a dispatch pointer ahead of its
// seven words), so offsetof is the compiler's own for the play request; GCC's is exact.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Winvalid-offsetof"
static_assert(sizeof(SamplePattern) == recordlayout::ByArch(32, 40), "pattern: 8 words on 32-bit");
static_assert(offsetof(PlayRequest, channelMask) == recordlayout::ByArch(4, 8), "play request layout");
static_assert(offsetof(PlayRequest, end) == recordlayout::ByArch(12, 16), "play request layout");
static_assert(offsetof(PlayRequest, pattern) == recordlayout::ByArch(16, 24), "play request layout");
static_assert(offsetof(PlayRequest, sampleFormat) == recordlayout::ByArch(48, 64), "play request layout");
static_assert(offsetof(PlayRequest, mode) == recordlayout::ByArch(64, 80), "play request layout");
static_assert(offsetof(PlayRequest, ownerTag) == recordlayout::ByArch(68, 88), "play request layout");
static_assert(sizeof(PlayRequest) == recordlayout::ByArch(72, 96), "play request: 18 words on 32-bit");
#pragma GCC diagnostic pop
