// The checks that run before frames of one wave are put into another: a different sample
// rate is asked about, and a wave may not reach 1e9 bytes.
#pragma once

#include <cstdint>

class Wave;

// 1 when the rates are equal or the user accepts the difference (Yes).
int ConfirmDifferentSampleRates(Wave const *target, Wave const *source);
// With checkRate, the rate question; with checkSize, the size test (the box when it fails).
int CheckWavesCompatible(Wave const *target, Wave const *source, int checkRate, int checkSize);
// What frames of the source put into the target would bring it to: the source counted whole
// when it is the clipboard or has no selection, else its selection, count times.
int64_t CombinedBytes(Wave const *target, Wave const *source, int64_t count);
// 1 below the limit; else the error box and 0.
int CheckCombinedSize(int64_t bytes);
