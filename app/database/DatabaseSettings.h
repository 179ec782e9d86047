// The settings group "Database" of the main settings: the sound database's floppy drives,
// its list limit and its warnings. Plain integers, read at start-up and written at exit.
#pragma once

#include <cstdint>

class Config;

struct DatabaseSettings {
    int32_t fl1 = 0;            // "Fl1": drive of the first floppy (0 = A:), -1 none
    int32_t fl2 = 1;            // "Fl2": drive of the second floppy
    int32_t floppy = 0;         // "Floppy": floppy drives are probed when a volume is searched
    int32_t listMaxSize = 200;  // "ListMaxSize": most items the list shows at once
    int32_t warnDel = 1;        // "WarnDel": ask before deleting
    int32_t beepListLim = 0;    // "BeepListLim": beep at the list limit
    int32_t messListLim = 1;    // "MessListLim": say so at the list limit
};

DatabaseSettings &TheDatabaseSettings();
void LoadDatabaseSettings(Config &config);
void SaveDatabaseSettings(Config &config);
