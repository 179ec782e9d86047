#include "engine/SamplerScsiUnits.h"

#include "engine/SamplerLink.h"

#include <cstdio>

namespace {

// As many units as the CD readers' list holds.
int const kCapacity = 44;

ScsiUnitLister lister_ = &GetConnectedScsiUnits;
BrastowScsiUnit units_[kCapacity];
int count_ = 0;

}  // namespace

ScsiUnitLister SetScsiUnitLister(ScsiUnitLister lister) {
    ScsiUnitLister previous = lister_;
    lister_ = lister ? lister : &GetConnectedScsiUnits;
    return previous;
}

void FetchScsiUnits() {
    std::int32_t n = lister_(units_, kCapacity);
    count_ = n < 0 ? 0 : n > kCapacity ? kCapacity : int(n);
}

int CountScsiUnits() { return count_; }

BrastowScsiUnit const *FindScsiUnit(int index) { return index >= 0 && index < count_ ? &units_[index] : nullptr; }

String ScsiUnitText(int index) {
    BrastowScsiUnit const *unit = FindScsiUnit(index);
    if (!unit)
        return String();
    char numbers[48];
    std::snprintf(numbers, sizeof numbers, " (%d:%d:0)", int(unit->adapter), int(unit->target));
    return String(TrimmedField(unit->vendor, sizeof unit->vendor) + " " +
                  TrimmedField(unit->product, sizeof unit->product) + numbers);
}

int FindScsiUnitByText(String const &text) {
    for (int i = 0; i < count_; ++i)
        if (ScsiUnitText(i) == text)
            return i;
    return -1;
}
