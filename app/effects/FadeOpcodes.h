// The parameter records of the fade and the crossfade. A curve is picked by two list
// choices: the level the fade has reached ("dB", an index into -0.5 dB .. -18 dB) and the
// moment it reaches it ("Time", an index into 10 % .. 90 % of the fade).
#pragma once

#include "effects/Opcodes.h"

#include <cstdint>

enum : int {
    kFadeLevelCount = 15,
    kFadeTimeCount = 9,
    kFadeLinearLevel = 6,  // "-6 dB" at "50 %": the straight line
    kFadeLinearTime = 4,
};

// The indexes as the lists show them: stored values outside are taken to the nearest end.
int ClampFadeLevel(int level);
int ClampFadeTime(int time);

struct FadeOpcodes : OpcodesOf<FadeOpcodes> {
    FadeOpcodes() = default;
    FadeOpcodes(int level, int time, int fadeIn, int inverse)
        : level(level), time(time), fadeIn(fadeIn), inverse(inverse) {}

    std::int32_t level = kFadeLinearLevel;
    std::int32_t time = kFadeLinearTime;
    std::int32_t fadeIn = 1;   // 0: a fade out
    std::int32_t inverse = 0;  // the complementary curve: 1 minus the curve, run the other way
};

// Curve 0 fades the clipboard's start in, curve 1 fades the selection out.
struct XFadeOpcodes : OpcodesOf<XFadeOpcodes> {
    // A curve of the crossfade as a fade record.
    FadeOpcodes Curve(int curve) const { return FadeOpcodes(level[curve], time[curve], curve == 0, inverse[curve]); }

    std::int32_t level[2] = {kFadeLinearLevel, kFadeLinearLevel};
    std::int32_t time[2] = {kFadeLinearTime, kFadeLinearTime};
    std::int32_t inverse[2] = {0, 0};
    std::int32_t noFade[2] = {0, 0};
};

// What a wave view draws over the selection while a fade dialog is active: this record's
// curve, and with two curves the second one too. A curve of level -1 is not drawn.
struct FadePreview : FadeOpcodes {
    FadeOpcodes second;
    int curves = 1;
};
