#include "waveview/LevelFormat.h"

#include "foundation/Config.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {

int dialUnit = kLevelDecibels;

}  // namespace

int FormatLevel(char *buffer, size_t size, int level, int unit, int precision) {
    if (!size)
        return 0;
    int n = 0;
    if (unit == kLevelPercent) {
        char const *format = level % 10 ? "%.2f" : level % 100 ? "%.1f" : "%.0f";
        n = std::snprintf(buffer, size, format, double(float(level * 0.01f)));
    } else if (unit == kLevelRaw) {
        n = std::snprintf(buffer, size, "%i", level == 32768 ? 32767 : level);
    } else if (unit == kLevelDecibels) {
        int magnitude = std::abs(level);
        if (magnitude == 32767)
            magnitude = 32768;
        if (magnitude >= 32768) {
            n = std::snprintf(buffer, size, "0");
        } else {
            double db = magnitude ? 96.309 - 20 * std::log10(2.0 * magnitude) : 96.309;
            n = std::snprintf(buffer, size, precision == 2 ? "-%.2f" : "-%.1f", db);
        }
    } else {
        buffer[0] = 0;
    }
    return n < 0 ? 0 : std::min(n, int(size) - 1);
}

String FormatLevel(int level, int unit, int precision) {
    char text[32];
    FormatLevel(text, sizeof text, level, unit, precision);
    return String(text);
}

// Percent is counted in hundredths of full scale.
String LevelToString(int level, int unit) {
    if (unit == kLevelPercent)
        return FormatLevel(int(long(level) * 10000 / 32767), kLevelPercent, 0);
    return FormatLevel(level, unit, 1);
}

int GetLevelDialUnit() { return dialUnit; }

void SetLevelDialUnit(int unit) { dialUnit = unit; }

void LoadLevelScaleDialUnit(Config &config) {
    Config::PathSaver path(config);
    config.MoveDown("LevelScale");
    dialUnit = config.GetValue(int(kLevelDecibels), "DialUnit");
    if (dialUnit < kLevelPercent || dialUnit > kLevelOfEachView)
        dialUnit = kLevelDecibels;
}

void SaveLevelScaleDialUnit(Config &config) {
    Config::PathSaver path(config);
    config.MoveDown("LevelScale");
    config.SetValue(dialUnit, "DialUnit");
}
