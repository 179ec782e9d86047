#include "effects/ApplyPreferences.h"

#include "foundation/Config.h"

namespace {

char const kGroup[] = "AE_ApplyPref";

// The keys in their stored order.
struct Key {
    char const *name;
    int32_t ApplyPreferences::*field;
};

Key const kKeys[] = {
    {"Source", &ApplyPreferences::source},
    {"Range", &ApplyPreferences::range},
    {"Result", &ApplyPreferences::result},
    {"StopPlayback", &ApplyPreferences::stopPlayback},
    {"OpenTaskWin", &ApplyPreferences::openTaskWindow},
    {"MinimizeWin", &ApplyPreferences::minimizeWindow},
    {"Beep", &ApplyPreferences::beep},
    {"Mess", &ApplyPreferences::message},
    {"RestoreWin", &ApplyPreferences::restoreWindow},
    {"Boost", &ApplyPreferences::boost},
};

}  // namespace

ApplyPreferences &TheApplyPreferences() {
    static ApplyPreferences preferences;
    return preferences;
}

void LoadApplyPreferences(Config &config) {
    Config::PathSaver saver(config);
    config.MoveDown(kGroup);
    ApplyPreferences const defaults;
    ApplyPreferences &p = TheApplyPreferences();
    for (Key const &key : kKeys)
        p.*key.field = config.GetValue(int(defaults.*key.field), key.name);
    if (p.boost < 0 || p.boost > 2)
        p.boost = 0;
}

void SaveApplyPreferences(Config &config) {
    Config::PathSaver saver(config);
    config.MoveDown(kGroup);
    ApplyPreferences const &p = TheApplyPreferences();
    for (Key const &key : kKeys)
        config.SetValue(int(p.*key.field), key.name);
}
