// The "CDR" settings group: defaults, the two savers and the keys each writes.
#include "cd/CdSettings.h"

#include "foundation/Config.h"
#include "foundation/FileName.h"

#include <gtest/gtest.h>

#include <string>

TEST(CdSettings, DefaultsAndTheKeysOfEachSaver) {
    CdSettings saved = TheCdSettings();
    Config empty("Tessaro");
    LoadCdSettings(empty);
    CdSettings const &s = TheCdSettings();
    EXPECT_EQ(-1, s.col);
    EXPECT_EQ(1, s.cgp);
    EXPECT_EQ(1, s.spq);
    EXPECT_EQ(30, s.beforeTrk1);
    EXPECT_EQ(60, s.afterLastTrk);
    EXPECT_EQ(32, s.numBuf);
    EXPECT_EQ(16, s.framesInBuf);
    EXPECT_EQ(2, s.wrMode);
    EXPECT_EQ(-1, s.cdReaderSpeed);
    EXPECT_EQ(-1, s.scsiHost);
    EXPECT_EQ(150, s.defPause);
    EXPECT_EQ(3, s.preRoll);
    EXPECT_EQ(3, s.fileFormat);
    EXPECT_EQ(std::string(FileName::CreateApplicationRelative(String("")).c_str()), s.pathBF.c_str())
        << "the program's folder";
    EXPECT_STREQ("", s.isrc.c_str());

    TheCdSettings().col = 0x7F;
    TheCdSettings().wrSpeed = 8;
    TheCdSettings().scsiUnit = 3;
    TheCdSettings().cdrModel = "Recorder 52x";
    TheCdSettings().isrc = "DEA123456789";
    TheCdSettings().defPause = 75;
    TheCdSettings().preRoll = 20;
    TheCdSettings().playMS = 1;
    Config all("Tessaro"), play("Tessaro");
    SaveCdSettings(all);
    SaveCdPlaySettings(play);
    ASSERT_TRUE(all.MoveDown("CDR"));
    EXPECT_EQ(-2, all.GetValue(-2, "DefPause")) << "the play settings have their own saver";
    EXPECT_EQ(-2, all.GetValue(-2, "PlayMS"));
    EXPECT_EQ(8, all.GetValue(-2, "WrSpeed"));
    ASSERT_TRUE(play.MoveDown("CDR"));
    EXPECT_EQ(-2, play.GetValue(-2, "WrSpeed"));
    EXPECT_EQ(75, play.GetValue(-2, "DefPause"));
    all.MoveUp();
    play.MoveUp();

    TheCdSettings() = CdSettings();
    LoadCdSettings(all);
    EXPECT_EQ(0x7F, s.col);
    EXPECT_EQ(8, s.wrSpeed);
    EXPECT_EQ(3, s.scsiUnit);
    EXPECT_STREQ("Recorder 52x", s.cdrModel.c_str());
    EXPECT_STREQ("DEA123456789", s.isrc.c_str());
    EXPECT_EQ(150, s.defPause);
    LoadCdSettings(play);
    EXPECT_EQ(75, s.defPause);
    EXPECT_EQ(20, s.preRoll);
    EXPECT_EQ(1, s.playMS);
    TheCdSettings() = saved;
}
