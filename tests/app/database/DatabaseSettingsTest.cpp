// The "Database" settings group: defaults, every key back as written, nothing held to a range.
#include "database/DatabaseSettings.h"

#include "foundation/Config.h"

#include <gtest/gtest.h>

#include <vector>

namespace {
std::vector<int> Fields(DatabaseSettings const &s) {
    return {s.fl1, s.fl2, s.floppy, s.listMaxSize, s.warnDel, s.beepListLim, s.messListLim};
}
}  // namespace

TEST(DatabaseSettings, DefaultsAndEveryKeyBackUnclamped) {
    DatabaseSettings saved = TheDatabaseSettings();
    Config empty("Tessaro");
    TheDatabaseSettings().fl1 = 7;
    LoadDatabaseSettings(empty);
    EXPECT_EQ((std::vector<int>{0, 1, 0, 200, 1, 0, 1}), Fields(TheDatabaseSettings()));

    // no drive, a drive number read as written, and every other key off its default
    DatabaseSettings const written{-1, 99, 1, 5000, 0, 1, 0};
    TheDatabaseSettings() = written;
    Config file("Tessaro");
    SaveDatabaseSettings(file);
    TheDatabaseSettings() = DatabaseSettings();
    LoadDatabaseSettings(file);
    EXPECT_EQ(Fields(written), Fields(TheDatabaseSettings()));
    ASSERT_TRUE(file.MoveDown("Database"));
    EXPECT_EQ(5000, file.GetValue(0, "ListMaxSize"));
    TheDatabaseSettings() = saved;
}
