#include "engine/EngineSettings.h"

#include "foundation/Config.h"

EngineSettings &TheEngineSettings() {
    static EngineSettings settings;
    return settings;
}

void LoadEngineSettings(Config &config) {
    EngineSettings &s = TheEngineSettings();
    s.reportUnknownErrors = config.GetValue(0, "MS_mess");
    {
        Config::PathSaver saver(config);
        config.MoveDown("MasterSection");
        s.engineOpen = config.GetValue(1, "AEngine");
        s.x = config.GetValue(100, "X");
        s.y = config.GetValue(100, "Y");
    }
    Config::PathSaver saver(config);
    config.MoveDown("Misc");
    s.processorWarned = config.GetValue(0, "x386");
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
