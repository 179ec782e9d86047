// The text of a 16-bit level in a level unit: percent of full scale (given in hundredths
// of a percent), the raw sample value, or decibels below full scale.
#pragma once

#include "foundation/Strings.h"

#include <cstddef>

class Config;

enum LevelUnit : int { kLevelPercent = 0, kLevelRaw = 1, kLevelDecibels = 2, kLevelOfEachView = 3 };

// Writes the text (at most size - 1 characters) and returns its length. Decibels take two
// decimals with precision 2, else one.
int FormatLevel(char *buffer, size_t size, int level, int unit, int precision);
String FormatLevel(int level, int unit, int precision);
// The text the views show of a level 1 .. 32767: percent, value or decibels.
String LevelToString(int level, int unit);

// The unit the dialogs and the status bar use ("DialUnit" of group "LevelScale"; 3: the
// active view's scale's).
int GetLevelDialUnit();
void SetLevelDialUnit(int unit);
void LoadLevelScaleDialUnit(Config &config);
void SaveLevelScaleDialUnit(Config &config);
