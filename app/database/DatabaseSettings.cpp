#include "database/DatabaseSettings.h"

#include "foundation/Config.h"

DatabaseSettings &TheDatabaseSettings() {
    static DatabaseSettings settings;
    return settings;
}

void LoadDatabaseSettings(Config &config) {
    Config::PathSaver saver(config);
    config.MoveDown("Database");
    DatabaseSettings const defaults;
    DatabaseSettings &s = TheDatabaseSettings();
    s.fl1 = config.GetValue(defaults.fl1, "Fl1");
    s.fl2 = config.GetValue(defaults.fl2, "Fl2");
    s.floppy = config.GetValue(defaults.floppy, "Floppy");
    s.listMaxSize = int32_t(config.GetValue(long(defaults.listMaxSize), "ListMaxSize"));
    s.warnDel = config.GetValue(defaults.warnDel, "WarnDel");
    s.beepListLim = config.GetValue(defaults.beepListLim, "BeepListLim");
    s.messListLim = config.GetValue(defaults.messListLim, "MessListLim");
}

void SaveDatabaseSettings(Config &config) {
    Config::PathSaver saver(config);
    config.MoveDown("Database");
    DatabaseSettings const &s = TheDatabaseSettings();
    config.SetValue(int(s.fl1), "Fl1");
    config.SetValue(int(s.fl2), "Fl2");
    config.SetValue(int(s.floppy), "Floppy");
    config.SetValue(long(s.listMaxSize), "ListMaxSize");
    config.SetValue(int(s.warnDel), "WarnDel");
    config.SetValue(int(s.beepListLim), "BeepListLim");
    config.SetValue(int(s.messListLim), "MessListLim");
}
