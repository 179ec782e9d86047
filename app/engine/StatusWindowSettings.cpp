#include "engine/StatusWindowSettings.h"

#include "engine/BackgroundTaskWindow.h"
#include "foundation/Config.h"

#include <windows.h>

namespace {

enum { kScreenMargin = 40 };

int32_t KnownZoom(int32_t zoom) { return zoom == 50 || zoom == 200 || zoom == 400 ? zoom : 100; }

}  // namespace

void StatusWindowSettings::ResetPlacement() {
    StatusWindowSettings defaults;
    x = defaults.x;
    y = defaults.y;
    width = defaults.width;
    height = defaults.height;
    split = defaults.split;
}

StatusWindowSettings &TheStatusWindowSettings() {
    static StatusWindowSettings settings;
    return settings;
}

void LoadStatusWindowSettings(Config &config) {
    Config::PathSaver saver(config);
    config.MoveDown("StatusWindow");
    StatusWindowSettings &s = TheStatusWindowSettings();
    s.zoom = KnownZoom(config.GetValue(100, "Zoom"));
    s.dir = config.GetValue(1, "Dir") ? 1 : 0;
    s.options = config.GetValue(15, "Options") & 15;
    s.split = config.GetValue(80, "Split");
    s.x = config.GetValue(100, "X");
    s.y = config.GetValue(100, "Y");
    s.width = config.GetValue(500, "X2");
    s.height = config.GetValue(350, "Y2");
    if (s.x > GetSystemMetrics(SM_CXSCREEN) - kScreenMargin || s.y > GetSystemMetrics(SM_CYSCREEN) - kScreenMargin)
        s.ResetPlacement();
}

void SaveStatusWindowSettings(Config &config) {
    StoreBackgroundTaskWindowPlacement();
    Config::PathSaver saver(config);
    config.MoveDown("StatusWindow");
    StatusWindowSettings const &s = TheStatusWindowSettings();
    config.SetValue(int(s.zoom), "Zoom");
    config.SetValue(int(s.dir), "Dir");
    config.SetValue(int(s.options), "Options");
    config.SetValue(int(s.split), "Split");
    config.SetValue(int(s.x), "X");
    config.SetValue(int(s.y), "Y");
    config.SetValue(int(s.width), "X2");
    config.SetValue(int(s.height), "Y2");
}
