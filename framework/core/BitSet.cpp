#include "core/BitSet.h"

#include <cstring>

unsigned char const TBitSet::Masks[8] = {1, 2, 4, 8, 16, 32, 64, 128};

TBitSet::TBitSet() { std::memset(Bits, 0, sizeof Bits); }

void TBitSet::EnableItem(TBitSet const &other) {
    for (int i = 0; i < 32; i++)
        Bits[i] |= other.Bits[i];
}

void TBitSet::DisableItem(TBitSet const &other) {
    for (int i = 0; i < 32; i++)
        Bits[i] &= ~other.Bits[i];
}

TBitSet &TBitSet::operator&=(TBitSet const &other) {
    for (int i = 0; i < 32; i++)
        Bits[i] &= other.Bits[i];
    return *this;
}

TBitSet TBitSet::operator~() const {
    TBitSet inverted;
    for (int i = 0; i < 32; i++)
        inverted.Bits[i] = (unsigned char)~Bits[i];
    return inverted;
}

int TBitSet::IsEmpty() const {
    for (int i = 0; i < 32; i++)
        if (Bits[i])
            return 0;
    return 1;
}

bool TBitSet::operator==(TBitSet const &other) const { return std::memcmp(Bits, other.Bits, sizeof Bits) == 0; }

TCharSet::TCharSet(char const *pattern) {
    if (!pattern)
        return;
    for (char const *p = pattern; *p; p++) {
        if (*p == '\\') {
            if (!*++p)
                break;
            EnableItem((unsigned char)*p);
        } else if (*p == '-' && p != pattern && p[1]) {
            // characters compare as signed bytes
            signed char from = (signed char)p[-1], to = (signed char)p[1];
            for (int c = from + 1; c < to; c++)
                EnableItem((unsigned char)c);
            EnableItem((unsigned char)to);
            p++;
        } else {
            EnableItem((unsigned char)*p);
        }
    }
}
