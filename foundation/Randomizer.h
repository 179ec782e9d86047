// A seedable pseudo-random generator: the minimal standard multiplicative
// generator 16807 modulo 2^31 - 1, so a seed always gives the same sequence.
#pragma once

#include "foundation/OsmeraDefs.h"

class String;

class OSMERA_API Randomizer {
public:
    // Seed 0 takes the system tick count.
    explicit Randomizer(int seed = 0) { SetSeed(seed); }
    void SetSeed(int seed);

    // 0 to n - 1; 0 without advancing for n = 0.
    unsigned long Get(unsigned long n);
    unsigned long operator()(unsigned long n) { return Get(n); }
    unsigned long GetInRange(unsigned long low, unsigned long high) { return low + Get(high - low + 1); }
    // Small values more likely.
    unsigned long GetLog(unsigned long n) { return Get(Get(n) + 1); }
    int TrueEvery(unsigned long n) { return Get(n) == 0; }
    int TrueEvery(unsigned long k, unsigned long n) { return Get(n) < k; }

    // s becomes minLength to maxLength characters drawn from alphabet (null:
    // letters and digits); empty when maxLength < minLength.
    String &SetString(String &s, int minLength, int maxLength, char const *alphabet = nullptr);
    // 0 to n - 1 in random order, in array or, when it is null, in a new block
    // of the default heap that the caller frees.
    int *CreateArrayOfUniqueUnsortedIndexes(int n, int *array = nullptr);

private:
    unsigned long state_;
};

// The library's own generator, seeded from the tick count at load.
OSMERA_API Randomizer &GlobalRandomizer();
