#include "waveview/WaveWindowSettings.h"

#include "foundation/Config.h"

WaveWindowSettings &TheWaveWindowSettings() {
    static WaveWindowSettings settings;
    return settings;
}

void LoadWaveDoubleViewSettings(Config &config) {
    Config::PathSaver path(config);
    config.MoveDown("WaveDoubleView");
    WaveWindowSettings &s = TheWaveWindowSettings();
    s.openOverView = config.GetValue(1, "OpenOverView") != 0;
    s.openOverView2 = config.GetValue(0, "OpenOverView2") != 0;
    s.autoZoom = config.GetValue(1, "AutoZoom") != 0;
    s.openSeconds = config.GetValue(10, "OpenSec");
    if (s.openSeconds < 1)
        s.openSeconds = 1;
    s.loaded = 1;
}

void SaveWaveDoubleViewSettings(Config &config) {
    Config::PathSaver path(config);
    config.MoveDown("WaveDoubleView");
    WaveWindowSettings const &s = TheWaveWindowSettings();
    config.SetValue(int(s.openOverView), "OpenOverView");
    config.SetValue(int(s.openOverView2), "OpenOverView2");
    config.SetValue(int(s.autoZoom), "AutoZoom");
    config.SetValue(int(s.openSeconds), "OpenSec");
}

void LoadScrollOnPlaySetting(Config &config) {
    Config::PathSaver path(config);
    config.MoveDown("WaveView");
    TheWaveWindowSettings().scrollOnPlay = config.GetValue(1, "ScrollOnPlay") != 0;
}

void SaveScrollOnPlaySetting(Config &config) {
    Config::PathSaver path(config);
    config.MoveDown("WaveView");
    config.SetValue(int(TheWaveWindowSettings().scrollOnPlay), "ScrollOnPlay");
}
