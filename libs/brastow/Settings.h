// What the library reads of its settings file, "Brastow.ini" beside the library.
#pragma once

#include "brastow/Brastow.h"

#include <string>
#include <vector>

namespace brastow {

struct Settings {
    bool refuse = false;                 // [Brastow] Refuse
    bool simulated = false;              // [SimulatedUnits] has keys
    std::vector<BrastowScsiUnit> units;  // the simulated units
};

// The settings file of the library in its own folder.
std::string SettingsFile();
Settings ReadSettings(std::string const &file);

}  // namespace brastow
