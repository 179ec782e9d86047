// One CD track of a wave as the CD program sees it: where it lies in the wave, its name
// and, when asked for, its index points.
#pragma once

#include "audio/MarkerSet.h"
#include "foundation/Lists.h"

#include <cstdint>
#include <memory>

class WaveCdTrack : public ListElement {
public:
    WaveCdTrack(MarkerHost *wave, int32_t number, int32_t start, int32_t length, String const &name)
        : wave_(wave), number_(number), start_(start), length_(length), name_(name) {}

    MarkerHost *wave_;  // the wave document the track lies in
    int32_t number_;    // from 0
    int32_t start_;     // frame in the wave
    int32_t length_;    // frames
    String name_;
    // The index points, positions from the track's start; null when not asked for.
    std::unique_ptr<MarkerSet> indexes_;
};
