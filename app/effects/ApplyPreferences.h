// How the audio engine's processors are applied: the answers of the apply dialog, kept in
// the settings group "AE_ApplyPref".
#pragma once

#include <cstdint>

class Config;

struct ApplyPreferences {
    enum Source : int32_t { kPlayedWave = 0, kActiveWave = 1 };
    enum Range : int32_t { kWholeWave = 0, kSelection = 1 };

    int32_t source = kPlayedWave;
    int32_t range = kSelection;
    int32_t result = 1;  // 0: the result is added to the original
    int32_t stopPlayback = 1;
    int32_t openTaskWindow = 1;
    int32_t minimizeWindow = 1;
    int32_t beep = 0;
    int32_t message = 0;
    int32_t restoreWindow = 1;
    int32_t boost = 0;  // 0, 1, 2: the priority of the engine's task
};

ApplyPreferences &TheApplyPreferences();

void LoadApplyPreferences(Config &config);
void SaveApplyPreferences(Config &config);
