// The "Database" settings group: defaults, every key back as written, nothing held to a range.
#include "database/DatabaseSettings.h"

#include "foundation/Config.h"

#include <gtest/gtest.h>

TEST(DatabaseSettings, DefaultsAndEveryKeyBackUnclamped) {
    DatabaseSettings saved = TheDatabaseSettings();
    Config empty("Tessaro");
    TheDatabaseSettings().fl1 = 7;
    LoadDatabaseSettings(empty);
    DatabaseSettings const &s = TheDatabaseSettings();
    EXPECT_EQ(0, s.fl1);
    EXPECT_EQ(1, s.fl2);
    EXPECT_EQ(0, s.floppy);
    EXPECT_EQ(200, s.listMaxSize);
    EXPECT_EQ(1, s.warnDel);
    EXPECT_EQ(0, s.beepListLim);
    EXPECT_EQ(1, s.messListLim);

    TheDatabaseSettings() = DatabaseSettings{-1, 99, 1, 5000, 0, 1, 0};
    Config written("Tessaro");
    SaveDatabaseSettings(written);
    TheDatabaseSettings() = DatabaseSettings();
    LoadDatabaseSettings(written);
    EXPECT_EQ(-1, s.fl1) << "no drive";
    EXPECT_EQ(99, s.fl2) << "read as written";
    EXPECT_EQ(1, s.floppy);
    EXPECT_EQ(5000, s.listMaxSize);
    EXPECT_EQ(0, s.warnDel);
    EXPECT_EQ(1, s.beepListLim);
    EXPECT_EQ(0, s.messListLim);
    ASSERT_TRUE(written.MoveDown("Database"));
    EXPECT_EQ(5000, written.GetValue(0, "ListMaxSize"));
    TheDatabaseSettings() = saved;
}
