// The "Player" settings and the recorder's pre-fill.
#include "engine/PlayerSettings.h"

#include "engine/SampleRecorder.h"
#include "foundation/Config.h"

#include <gtest/gtest.h>

TEST(PlayerSettings, UnknownDevicesBecomeTheWaveMapperAndTheRestComesBack) {
    PlayerSettings saved = ThePlayerSettings();
    Config config("Tessaro");
    config.MoveDown("Player");
    config.SetValue(7, "OutDev");
    config.SetValue(9, "InDev");
    config.SetValue(24, "PlayBackRes");
    config.SetValue(8192, "SizeOutBuf");
    config.SetValue(0, "PlayPos");
    config.MoveUp();
    LoadPlayerSettings(config);
    PlayerSettings &s = ThePlayerSettings();
    EXPECT_EQ(PlayerSettings::kWaveMapper, s.outDevice) << "no device 7 here";
    EXPECT_EQ(PlayerSettings::kWaveMapper, s.inDevice);
    EXPECT_EQ(24, s.playbackBits);
    EXPECT_EQ(8192, s.outBufferSize);
    EXPECT_EQ(4, s.outBufferCount) << "a missing key keeps its default";
    EXPECT_EQ(0, s.timedPosition);

    Config copy("Tessaro");
    SavePlayerSettings(copy);
    s = PlayerSettings();
    LoadPlayerSettings(copy);
    EXPECT_EQ(PlayerSettings::kWaveMapper, s.outDevice) << "the wave mapper is stored as -1 and read back";
    EXPECT_EQ(24, s.playbackBits);
    EXPECT_EQ(0, s.timedPosition);
    ThePlayerSettings() = saved;
}

TEST(SampleRecorder, PreFillIsWhatTheOutputHoldsInWholeBuffers) {
    struct Case {
        int latency, size, count, preFill;
    } const cases[] = {
        {65536, 16384, 6, 4},  // 4 buffers held + 6 queued: 10 headers, the first read waits for 5
        {65537, 16384, 6, 5},  // a part of a buffer counts whole
        {1, 16384, 6, 1},
        {0, 16384, 6, 6},  // no output latency: the queued count
    };
    for (auto const &c : cases)
        EXPECT_EQ(c.preFill, SampleRecorder::PreFill(c.latency, c.size, c.count)) << c.latency;
}
