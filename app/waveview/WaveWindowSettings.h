// The settings of wave windows in the main settings file: group "WaveDoubleView" (whether
// windows open with the overview, automatic zoom on resizing, how many seconds a new
// window shows) and "ScrollOnPlay" of group "WaveView".
#pragma once

#include <cstdint>

class Config;

struct WaveWindowSettings {
    int32_t openOverView = 1;   // the first window of a wave has the overview
    int32_t openOverView2 = 0;  // so do further ones
    int32_t autoZoom = 1;       // the main view zooms to fit when its size changes
    int32_t openSeconds = 10;   // a new main view shows that much
    int32_t scrollOnPlay = 1;   // the view follows the play cursor
    int32_t loaded = 0;         // the group has been read
    int32_t mouseTool = 0;      // chosen on the tool bar: 0 select, 1 play, 2 zoom, 3 and 4 nudge
};

WaveWindowSettings &TheWaveWindowSettings();
void LoadWaveDoubleViewSettings(Config &config);
void SaveWaveDoubleViewSettings(Config &config);
void LoadScrollOnPlaySetting(Config &config);
void SaveScrollOnPlaySetting(Config &config);
