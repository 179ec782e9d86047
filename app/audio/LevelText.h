// Levels: a raw 16-bit magnitude (1 .. 32767, full scale) in decibels, and the texts the
// level displays show of it in decibels, percent or as the plain value.
#pragma once

#include "foundation/Strings.h"

// Decibels relative to full scale; for 0 and below, the level of silence.
double AmplitudeToDecibels(int level);
// The raw level of a decibel value: at most full scale, truncated toward zero.
int DecibelsToAmplitude(double decibels);
// Full scale and above "0 dB". With a decimals format ("%.1f") the value so, else whole;
// the minus sign only with keepSign.
String FormatLevelDb(int level, char const *decimals, int keepSign);
// "50 %", "0.30 %": one decimal from 10 % up, two below, none when they are zeros.
String FormatLevelPercent(int level);
String FormatLevelValue(int level);
