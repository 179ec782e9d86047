#include "audio/WaveSettings.h"

#include "audio/NewWaveFormat.h"
#include "audio/Wave.h"
#include "foundation/Config.h"

WaveSettings &TheWaveSettings() {
    static WaveSettings settings;
    return settings;
}

void Wave::LoadPrefs(Config &config) {
    Config::PathSaver saver(config);
    config.MoveDown("Wave");
    WaveSettings &s = TheWaveSettings();
    s.undoLimit = config.GetValue(100000, "UndoLimit");
    s.openDualMono = config.GetValue(1, "OpenDualMono");
    s.selLevelShift = config.GetValue(1, "SelLevelShift");
    s.magnetMark = config.GetValue(1, "MagnetMark");
    s.autoPlay = config.GetValue(1, "AutoPlay");
    LoadNewWaveSettings(config);
    config.MoveDown("Snap");
    s.snapOn = config.GetValue(1, "On");
    s.snapHZoom = config.GetValue(1, "HZoom");
    s.scanRange = config.GetValue(50, "ScanRange");
    s.leftSlope = config.GetValue(1, "LeftSlope");
    s.rightSlope = config.GetValue(1, "RightSlope");
}

void Wave::SavePrefs(Config &config) {
    Config::PathSaver saver(config);
    config.MoveDown("Wave");
    WaveSettings const &s = TheWaveSettings();
    config.SetValue(int(s.undoLimit), "UndoLimit");
    config.SetValue(int(s.openDualMono), "OpenDualMono");
    config.SetValue(int(s.selLevelShift), "SelLevelShift");
    config.SetValue(int(s.magnetMark), "MagnetMark");
    config.SetValue(int(s.autoPlay), "AutoPlay");
    SaveNewWaveSettings(config);
    config.MoveDown("Snap");
    config.SetValue(int(s.snapOn), "On");
    config.SetValue(int(s.snapHZoom), "HZoom");
    config.SetValue(int(s.scanRange), "ScanRange");
    config.SetValue(int(s.leftSlope), "LeftSlope");
    config.SetValue(int(s.rightSlope), "RightSlope");
}
