// A set of the 256 byte values, and the character set built from a pattern.
#pragma once

#include "core/VeltraneDefs.h"

class VELTRANE_API TBitSet {
public:
    TBitSet();
    TBitSet(TBitSet const &) = default;
    TBitSet &operator=(TBitSet const &) = default;

    int Has(unsigned char item) const { return (Bits[Loc(item)] & Mask(item)) != 0; }
    void EnableItem(unsigned char item) { Bits[Loc(item)] |= Mask(item); }
    void DisableItem(unsigned char item) { Bits[Loc(item)] &= ~Mask(item); }
    void EnableItem(TBitSet const &other);
    void DisableItem(TBitSet const &other);
    TBitSet &operator&=(TBitSet const &other);
    TBitSet operator~() const;
    int IsEmpty() const;
    bool operator==(TBitSet const &other) const;
    bool operator!=(TBitSet const &other) const { return !(*this == other); }

    TBitSet &operator+=(unsigned char item) { EnableItem(item); return *this; }
    TBitSet &operator-=(unsigned char item) { DisableItem(item); return *this; }
    TBitSet &operator+=(TBitSet const &other) { EnableItem(other); return *this; }
    TBitSet &operator|=(TBitSet const &other) { EnableItem(other); return *this; }
    TBitSet &operator-=(TBitSet const &other) { DisableItem(other); return *this; }

    static unsigned char const Masks[8];

private:
    static int Loc(unsigned char item) { return item / 8; }
    static unsigned char Mask(unsigned char item) { return Masks[item % 8]; }
    unsigned char Bits[32];
};

class VELTRANE_API TCharSet : public TBitSet {
public:
    TCharSet() {}
    TCharSet(TBitSet const &set) : TBitSet(set) {}
    TCharSet(TCharSet const &) = default;
    TCharSet &operator=(TCharSet const &) = default;
    // "a-z" is a range, "\\x" a plain x; a dash first or last is a plain dash.
    TCharSet(char const *pattern);
};
