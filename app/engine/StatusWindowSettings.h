// The settings of the background task window (group "StatusWindow"): the load graph's
// range, layout and series, the splitter between graph and list, and where the window
// stands.
#pragma once

#include <cstdint>

class Config;

struct StatusWindowSettings {
    enum Option { kFirstSeries = 1, kSecondSeries = 2, kThirdSeries = 4, kSmooth = 8 };

    int32_t zoom = 100;     // "Zoom": 50, 100, 200 or 400 percent of the graph's range
    int32_t dir = 1;        // "Dir": 1 the scale along the top, 0 along the right side
    int32_t options = 15;   // "Options"
    int32_t split = 80;     // "Split": the graph's height
    int32_t x = 100;        // "X", "Y"
    int32_t y = 100;
    int32_t width = 500;    // "X2", "Y2"
    int32_t height = 350;

    // Position, size and split as they come when nothing is stored.
    void ResetPlacement();
};

StatusWindowSettings &TheStatusWindowSettings();
// A position off the screen (beyond its size less 40) brings the defaults back.
void LoadStatusWindowSettings(Config &config);
// Takes position and size from the window when it is open.
void SaveStatusWindowSettings(Config &config);
