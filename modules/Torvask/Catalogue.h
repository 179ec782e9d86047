// What the simulated link offers: two sampler models, the two interfaces they speak, the
// MIDI ports and the SCSI host adapters. The texts carry trailing blanks and tabs, as
// drivers report them, so that callers must trim them.
#pragma once

#include "SamplerCommon/SamplerLink.h"

#include <cstdint>
#include <string>

namespace torvask {

struct InterfaceTraits {
    char const *name;
    bool midi;
    bool scsi;
    bool locations;
    std::int32_t maxChannels;
    std::int32_t minBits;
    std::int32_t maxBits;
    std::int32_t maxFrames;
    std::int32_t maxNameLength;
};

struct ModelTraits {
    char const *maker;
    char const *model;
    char const *version;
    std::int16_t interfaceNumber;
    std::int32_t rates[4];  // ascending, 0 after the last
};

// Null for a number out of range.
ModelTraits const *FindModel(std::int32_t model);
InterfaceTraits const &InterfaceOf(ModelTraits const &model);
// The model's text without its padding: the name of its memory folder.
std::string FolderName(ModelTraits const &model);
bool SupportsRate(ModelTraits const &model, std::int32_t rate);

std::int16_t const kMaxMidiChannel = 15;
std::int16_t const kMaxScsiTarget = 15;

bool IsMidiInput(std::int32_t port);
bool IsMidiOutput(std::int32_t port);
bool IsScsiAdapter(std::int32_t adapter);

}  // namespace torvask
