#include "engine/EngineSettings.h"

#include "foundation/Config.h"

EngineSettings &TheEngineSettings() {
    static EngineSettings settings;
    return settings;
}

void LoadEngineSettings(Config &config) {
    EngineSettings &s = TheEngineSettings();
    s.reportUnknownErrors = config.GetSure(0, 0, 1, "MS_mess");
    {
        Config::PathSaver saver(config);
        config.MoveDown("MasterSection");
        s.engineOpen = config.GetSure(1, 0, 1, "AEngine");
        s.x = config.GetSure(100, -32000, 32000, "X");
        s.y = config.GetSure(100, -32000, 32000, "Y");
    }
    Config::PathSaver saver(config);
    config.MoveDown("Misc");
    s.processorWarned = config.GetSure(0, 0, 1, "x386");
}

void SaveEngineSettings(Config &config) {
    EngineSettings const &s = TheEngineSettings();
    config.SetValue(int(s.reportUnknownErrors), "MS_mess");
    {
        Config::PathSaver saver(config);
        config.MoveDown("MasterSection");
        config.SetValue(int(s.engineOpen), "AEngine");
        config.SetValue(int(s.x), "X");
        config.SetValue(int(s.y), "Y");
    }
    Config::PathSaver saver(config);
    config.MoveDown("Misc");
    config.SetValue(int(s.processorWarned), "x386");
}
