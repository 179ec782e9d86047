// The settings of the audio engine that the shell's preferences read and write: whether
// the master section was open at the last close and where it stood ("MasterSection"),
// whether the processor warning was given ("x386" in "Misc") and whether engine errors
// the program does not know are reported ("MS_mess"), all below the product's group; each
// value read is held to its range.
#pragma once

#include <cstdint>

class Config;

struct EngineSettings {
    int32_t engineOpen = 1;  // "AEngine": load the engine at start
    int32_t x = 100;         // "X", "Y": the master section's position
    int32_t y = 100;
    int32_t processorWarned = 0;      // "x386"
    int32_t reportUnknownErrors = 0;  // "MS_mess"
};

EngineSettings &TheEngineSettings();
void LoadEngineSettings(Config &config);
void SaveEngineSettings(Config &config);
