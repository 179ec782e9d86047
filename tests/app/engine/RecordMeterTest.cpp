// The record dialog's level meter worked out apart from the drawing: where a level ends
// the bar, the coloured parts of a row, and the held peak on a clock of the test's.
#include "engine/RecordMeter.h"

#include <gtest/gtest.h>

TEST(RecordMeter, LevelsEndTheBarOnTheScale) {
    struct Case {
        int level;
        int position;
    } const cases[] = {
        {0, -1},       // no signal, no bar
        {32767, 245},  // full scale
        {16384, 203},  // -6 dB
        {3277, 119},   // -20 dB
        {328, 43},     // -40 dB
        {1, 16},       // the quietest step, between -97 and -50 dB
        {184, 34},     // -45 dB, half way from -50 to -40 dB
        {21587, 217},  // -3.6 dB counts as -4
        {22088, 224},  // -3.4 dB as -3
    };
    for (Case const &c : cases)
        EXPECT_EQ(c.position, MeterPosition(c.level)) << c.level;
}

TEST(RecordMeter, ARowIsGreenThenYellowThenRedAndTheRestShowsTheScale) {
    struct Case {
        int position;
        MeterSpan green, yellow, red, scale;
    } const cases[] = {
        {-1, {0, 0}, {0, 0}, {0, 0}, {2, 249}},
        {14, {0, 0}, {0, 0}, {0, 0}, {17, 249}},
        {15, {16, 18}, {0, 0}, {0, 0}, {18, 249}},
        {148, {16, 150}, {150, 151}, {0, 0}, {151, 249}},
        {203, {16, 150}, {150, 206}, {0, 0}, {206, 249}},
        {245, {16, 150}, {150, 206}, {206, 248}, {248, 249}},
    };
    auto same = [](MeterSpan a, MeterSpan b) { return a.IsEmpty() ? b.IsEmpty() : a.from == b.from && a.to == b.to; };
    for (Case const &c : cases) {
        MeterBar bar = MeterBarOf(c.position);
        EXPECT_TRUE(same(c.green, bar.green)) << c.position;
        EXPECT_TRUE(same(c.yellow, bar.yellow)) << c.position;
        EXPECT_TRUE(same(c.red, bar.red)) << c.position;
        EXPECT_TRUE(same(c.scale, bar.scale)) << c.position;
    }
}

TEST(RecordMeter, APeakIsHeldForASecondAfterItLastRose) {
    PeakHold hold;
    hold.Update(149, 1000);
    EXPECT_EQ(0, hold.GetX()) << "below the yellow zone nothing is held";
    hold.Update(180, 1000);
    EXPECT_EQ(180, hold.GetX());
    EXPECT_FALSE(hold.IsRed());
    EXPECT_EQ(179, hold.Mark().from);
    EXPECT_EQ(181, hold.Mark().to);
    hold.Update(170, 1900);
    EXPECT_EQ(180, hold.GetX()) << "a lower bar leaves the mark";
    hold.Update(210, 1950);
    EXPECT_TRUE(hold.IsRed()) << "raised, and held anew";
    hold.Update(100, 2950);
    EXPECT_EQ(210, hold.GetX());
    hold.Update(100, 2951);
    EXPECT_EQ(0, hold.GetX()) << "gone a second after it was raised";
    EXPECT_TRUE(hold.Mark().IsEmpty());

    // across the clock's wrap
    hold.Update(200, 0xFFFFFF00u);
    hold.Update(100, 0x000002E0u);
    EXPECT_EQ(200, hold.GetX());
    hold.Update(100, 0x000002F0u);
    EXPECT_EQ(0, hold.GetX());
}
