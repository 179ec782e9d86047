// Levels in decibels and the sample amplitudes they stand for: the effects turn a level
// relative to full scale into an amplitude by passing it plus FullScaleDecibels().
#pragma once

// 20 x log10(65536): the level of full scale on the 16-bit scale.
double FullScaleDecibels();

// The amplitude 0..32767 of level v (exactly 0 counts as 1): (10^(v / 20) + 0.1) / 2, at
// most 32767, truncated toward zero.
int LevelToAmplitude(double v);
