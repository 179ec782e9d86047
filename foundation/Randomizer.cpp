#include "foundation/Randomizer.h"

#include <windows.h>

#include <cstring>
#include <new>

#include "malvane/Malvane.h"
#include "foundation/Strings.h"

namespace {
unsigned long const kModulus = 2147483647UL;
unsigned long const kMultiplier = 16807UL;
unsigned long const kQuotient = 127773UL;  // kModulus / kMultiplier

[[maybe_unused]] Randomizer &libraryRandomizer = GlobalRandomizer();  // seeded at load
}  // namespace

void Randomizer::SetSeed(int seed) {
    state_ = seed ? static_cast<unsigned long>(seed) : (GetTickCount() | 1UL);
    // A multiple of the modulus would be a fixed point of the step.
    if (state_ % kModulus == 0)
        state_ = 1;
}

unsigned long Randomizer::Get(unsigned long n) {
    if (!n)
        return 0;
    // Schrage's step without overflow: 16807 s mod m, wrapped to 32 bits it is
    // the true value, which may be negative.
    unsigned long next = kMultiplier * state_ - (state_ / kQuotient) * kModulus;
    if (static_cast<long>(next) <= 0)
        next += kModulus;
    state_ = next;
    return next % n;
}

String &Randomizer::SetString(String &s, int minLength, int maxLength, char const *alphabet) {
    s.Clear();
    if (maxLength < minLength)
        return s;
    if (!alphabet)
        alphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    unsigned long letters = std::strlen(alphabet);
    long length = minLength + static_cast<long>(Get(static_cast<unsigned long>(maxLength - minLength) + 1));
    if (length <= 0 || !letters)
        return s;
    s = String(' ', static_cast<unsigned long>(length));
    for (long i = 0; i < length; ++i)
        s[static_cast<int>(i)] = alphabet[Get(letters)];
    return s;
}

int *Randomizer::CreateArrayOfUniqueUnsortedIndexes(int n, int *array) {
    if (n <= 0)
        return array;
    if (!array) {
        // n ints must fit in a block: a wrapped size would be a short one.
        if (static_cast<unsigned long>(n) > 0xFFFFFFFFUL / sizeof(int)) {
            NH_Heap::ExecuteStandardNewHandler();
            throw std::bad_alloc();
        }
        array = static_cast<int *>(NH_Heap::GetDefault().Alloc(static_cast<unsigned long>(n) * sizeof(int), 0));
    }
    for (int i = 0; i < n; ++i)
        array[i] = i;
    for (int i = 0; i < n - 1; ++i) {
        int j = static_cast<int>(Get(static_cast<unsigned long>(n - i)));
        int t = array[j];
        array[j] = array[n - 1 - i];
        array[n - 1 - i] = t;
    }
    return array;
}

Randomizer &GlobalRandomizer() {
    static Randomizer randomizer(0);
    return randomizer;
}
